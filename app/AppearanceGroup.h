#pragma once
// The Settings window's group "Оформление": the skin list and the hue and saturation sliders.
// Every change shows at once on every open window; Keep makes the look in use the one the
// program writes at close, Restore goes back to the look the window was opened with.

#include <functional>

#include "app/AppServices.h"
#include "app/core/SkinChoice.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/base/GroupBox.h"
#include "controls/labels/Label.h"
#include "controls/listbox/AlphaListBox.h"
#include "platform/Form.h"

namespace lw::app {

// A slider made of a window's own horizontal scroll bar, which the skin's scroll adapter draws
// and drives: the skin paints it like every other scroll bar, and the arrow keys move it too.
class TsSlider : public platform::TCustomControl {
public:
    TsSlider(platform::TComponent* owner, platform::TWinControl* parent, int minimum, int maximum);

    int Position() const { return position_; }
    // Does not raise OnChange: only the user's moves do.
    void SetPosition(int position);
    std::function<void()> OnChange;

protected:
    void WndProc(platform::TMessage& message) override;

private:
    void MoveTo(int position);
    void AttachAdapter();

    int minimum_, maximum_, position_ = 0;
    controls::AdapterPtr adapter_;
};

class TAppearanceGroup {
public:
    // The group on `parent` at `bounds`, its controls owned by `form`.
    TAppearanceGroup(platform::TForm& form, platform::TWinControl& parent, platform::TBounds bounds,
                     AppServices& services);

    controls::TsGroupBox& group;
    controls::TsListBox& skins;
    controls::TsLabel& hueCaption;
    controls::TsLabel& hueValue;
    TsSlider& hue;
    controls::TsLabel& saturationCaption;
    controls::TsLabel& saturationValue;
    TsSlider& saturation;

    // The window is being shown: the list is read anew and the controls show the look in use.
    void Opened();
    // Apply, OK.
    void Keep();
    // Cancel and every other close.
    void Restore();

private:
    SkinChoice Shown() const;
    void ShowChoice(const SkinChoice& choice);
    void Preview();

    platform::TForm& form_;
    AppServices& services_;
    SkinChoice openedWith_;
};

}  // namespace lw::app
