#pragma once
// The skinned single-line edit. It has no adapter: it paints its frame ring in WM_NCPAINT, and
// while disabled its whole image, from a cache holding the skin section with its text on it.

#include "controls/base/Skinned.h"
#include "platform/Edits.h"
#include "render/Disabled.h"

namespace lw::controls {

class TsEdit : public TsSkinned<platform::TEdit> {
public:
    TsEdit(platform::TComponent* owner, platform::TWinControl* parent);
    render::TsDisabledKinds DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(render::TsDisabledKinds kind);
    // Rebuilds the cache: the section as the edit sits in its parent, its text, the disabled look.
    void PrepareCache();
    // Rebuilds the cache only when it is missing, marked stale or of another size.
    void PrepareCacheIfStale();

protected:
    void SkinCommand(platform::TMessage& message) override;
    void SkinnedMessage(platform::TMessage& message) override;

    // Where the cache's text goes and how it is laid out; override for edits that keep part of
    // their field for something else. `inset` is the frame's width plus the 3-D edge.
    struct CacheTextLayout {
        TRect Rect;
        unsigned Flags = 0;
    };
    virtual CacheTextLayout CacheText(int inset) const;

private:
    bool CacheStale() const;
    int FrameWidth() const;
    int TextInset() const;
    void UpdateColours();
    void PaintFrame();
    void PaintDisabledClient(HDC dc);
    void Print(HDC dc);
    // Prints ring and field, then lets the platform print its field inside the ring.
    void PrintThrough(platform::TMessage& message);
    void RefreshLook();

    render::TsDisabledKinds disabledKind_ = render::dkBlended;
};

}  // namespace lw::controls
