#pragma once
// The toolkit's panel painted from a skin section ("PANEL"): its background, border and
// caption, the answers to its children's background requests, and its windowless children
// painted over that background without flicker.

#include <windows.h>

#include <functional>
#include <memory>

#include "controls/base/Skinned.h"
#include "platform/Containers.h"

namespace lw::controls {

enum class TBevelCut { bvNone, bvLowered, bvRaised };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TsPanel : public TsSkinned<platform::TPanel> {
public:
    TsPanel(platform::TComponent* owner, platform::TWinControl* parent);
    std::function<void(platform::TControl& sender, HDC dc)> OnPaint;
    std::function<void(platform::TControl& sender)> OnMouseEnter;
    std::function<void(platform::TControl& sender)> OnMouseLeave;

    // The frame the toolkit's panel draws: one raised bevel of one pixel.
    TBevelCut BevelInner = TBevelCut::bvNone;
    TBevelCut BevelOuter = TBevelCut::bvRaised;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TAlignment Alignment = TAlignment::taCenter;

    // Paints the whole panel into dc; with refreshChildren the children's deferred painting ends.
    void PaintPanel(HDC dc, bool refreshChildren);
    void PreparePanelCache();

protected:
    void UnskinnedMessage(platform::TMessage& message) override;
    void SkinCommand(platform::TMessage& message) override;
    void Dispatch(platform::TMessage& message) override;
    void SkinnedMessage(platform::TMessage& message) override;

private:
    void PaintDirect(HDC dc);
    // Bevels and border width: what the caption keeps off the edges.
    int FrameInset() const;
    void PaintPanelCaption(RECT r, HDC dc);
    void PaintCaptionIntoCache();
    void RunOnPaintOverCache();
    void Redraw(UINT flags);

    // What the direct path's border ring was painted for.
    struct BorderRingKey {
        int Width, Height, Border;
        TColor Fill;
        int SkinIndex, BorderIndex;
        bool operator==(const BorderRingKey&) const = default;
    };
    std::unique_ptr<render::Bitmap> borderRing_;
    BorderRingKey ringKey_{};
};

}  // namespace lw::controls
