#pragma once
// The toolkit's group box painted from a skin section ("GROUPBOX") with its caption set into
// the top edge over a caption section.

#include <windows.h>

#include <string>

#include "controls/base/Skinned.h"
#include "controls/base/core/GroupBoxGeometry.h"
#include "platform/Containers.h"

namespace lw::controls {

class TsGroupBox : public TsSkinned<platform::TGroupBox> {
public:
    TsGroupBox(platform::TComponent* owner, platform::TWinControl* parent);

    TsCaptionLayout CaptionLayout() const { return captionLayout_; }
    void SetCaptionLayout(TsCaptionLayout layout);
    int CaptionYOffset() const { return captionYOffset_; }
    void SetCaptionYOffset(int offset);
    // The section behind the caption; empty means "CHECKBOX".
    const std::string& CaptionSkin() const { return captionSkin_; }
    void SetCaptionSkin(const std::string& section);

    int CaptionHeight() const;
    TRect CaptionRect() const;
    void GroupBoxToDC(HDC dc);
    void PrepareGroupBoxCache();

protected:
    void SkinCommand(platform::TMessage& message) override;
    void Dispatch(platform::TMessage& message) override;
    void SkinnedMessage(platform::TMessage& message) override;

private:
    void PaintGroupBoxCaption(const TRect& c, const render::TsCacheInfo& bg);
    int TextWidth(const std::string& text) const;
    // How far the client area (where children are placed) starts below the window's top.
    int ClientTop() const;
    void PaintClientDC(HDC dc);
    void PaintCaptionStrip();
    void AnswerBackground(render::TsBgRequest& request);
    void Repaint();

    TsCaptionLayout captionLayout_ = TsCaptionLayout::clTopLeft;
    int captionYOffset_ = 0;
    std::string captionSkin_;
    int bevelWidth_ = 1;
    bool cachedFocused_ = false;
};

}  // namespace lw::controls
