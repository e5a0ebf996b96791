#include "controls/comboedit/GlyphMode.h"

#include "controls/comboedit/ComboEdit.h"

namespace lw::controls {

int TsGlyphMode::Blend() const {
    const TsEditButton* button = edit_.LiveButton();
    return button != nullptr ? button->Blend() : 0;
}

void TsGlyphMode::SetBlend(int value) {
    if (TsEditButton* button = edit_.LiveButton()) button->SetBlend(value);
}

std::string TsGlyphMode::Hint() const {
    const TsEditButton* button = edit_.LiveButton();
    return button != nullptr ? button->Hint() : edit_.Hint();
}

// Given while the window is built too, as a layout gives it.
void TsGlyphMode::SetHint(std::string_view utf8) {
    if (!(edit_.Button().ComponentState() & platform::csDestroying)) edit_.Button().SetHint(utf8);
}

bool TsGlyphMode::Grayed() const {
    const TsEditButton* button = edit_.LiveButton();
    return button != nullptr && button->Grayed();
}

void TsGlyphMode::SetGrayed(bool value) {
    if (TsEditButton* button = edit_.LiveButton()) button->SetGrayed(value);
}

void TsGlyphMode::SetImages(const controls::TsAlphaImageList* images) {
    if (images == images_) return;
    images_ = images;
    Changed();
}

void TsGlyphMode::SetIndex(int& field, int value) {
    if (value == field) return;
    field = value;
    Changed();
}

void TsGlyphMode::Changed() { edit_.GlyphChanged(); }

}  // namespace lw::controls
