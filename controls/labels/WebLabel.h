#pragma once
// A link: a label that changes its font while the mouse is over it and opens its address when
// clicked.

#include <string>

#include "controls/labels/Label.h"
#include "platform/Launcher.h"

namespace lw::controls {

// The platform's show commands, in their order.
enum TsWindowShowMode : int {
    soHide,
    soNormal,
    soShowMinimized,
    soMaximize,
    soShowNoActivate,
    soShow,
    soMinimize,
    soShowMinNoActive,
    soShowNA,
    soRestore,
    soDefault
};

class TsWebLabel : public TsLabel {
public:
    TsWebLabel(platform::TComponent* owner, platform::TWinControl* parent);

    // The font while the mouse is not over the label; setting the label's font sets it too.
    const platform::TFont& NormalFont() const { return normalFont_; }
    const platform::TFont& HoverFont() const { return hoverFont_; }
    void SetHoverFont(const platform::TFont& font) { hoverFont_ = font; }
    bool Hovered() const { return hovered_; }

    std::string URL;
    TsWindowShowMode ShowMode = soDefault;
    // What opens the address; none: the system's launcher.
    platform::Launcher* Launcher = nullptr;

    // The click event, then the address, when there is one.
    void Click() override;

protected:
    void WndProc(platform::TMessage& message) override;
    void FontChanged() override;
    platform::TFont CurrentFont() const override;

private:
    void HoverChanged(bool hovered);

    platform::TFont normalFont_;
    platform::TFont hoverFont_;
    bool hovered_ = false;
};

}  // namespace lw::controls
