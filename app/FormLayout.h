#pragma once
#include "controls/buttons/BitBtn.h"
#include "platform/Form.h"

namespace lw::app {

// Edits, lists and memos of every window: dark field, grey text.
constexpr platform::TColor kFieldColor = 1710618;  // red, green and blue 26

inline void SetFieldColours(platform::TControl& control) {
    control.SetColor(kFieldColor);
    platform::TFont font = control.Font();
    font.Color = platform::clGray;
    control.SetFont(font);
}

// Names a control and puts it where the window's layout says.
template <class T>
T& Place(T& control, const char* name, platform::TBounds bounds) {
    control.Name = name;
    control.SetBounds(bounds);
    return control;
}

// A button owned by the form, so that the data module gives it its glyph `image`.
inline controls::TsBitBtn& MakeButton(platform::TForm& form, platform::TWinControl& parent, const char* name,
                                      platform::TBounds bounds, const char* caption, int image) {
    controls::TsBitBtn& button = Place(form.Make<controls::TsBitBtn>(&parent), name, bounds);
    button.SetText(caption);
    button.SetImageIndex(image);
    return button;
}

}  // namespace lw::app
