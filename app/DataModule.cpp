#include "app/DataModule.h"

#include <string>

#include "controls/pathdialog/PathDialog.h"
#include "platform/Buttons.h"
#include "platform/Resources.h"

namespace lw::app {

using namespace lw::platform;

TGlyphModule::TGlyphModule(TComponent* owner) : TComponent(owner), icon(Make<controls::TsAlphaImageList>(18, 18)) {
    Name = "module";
    icon.Name = "icon";
    for (int index = 0; index < 10; ++index) {
        icon.AddPng(ResourceBytes((L"GLYPH" + std::to_wstring(index)).c_str()));
    }
    // The folder picker is made afresh for every choice, by the folder field: it finds the
    // glyphs here.
    controls::TPathDialogForm::Glyphs = &icon;
}

TGlyphModule::~TGlyphModule() {
    if (controls::TPathDialogForm::Glyphs == &icon) controls::TPathDialogForm::Glyphs = nullptr;
}

void TGlyphModule::AttachGlyphs(TComponent& form) const {
    for (const auto& component : form.Components()) {
        if (auto* button = dynamic_cast<TButton*>(component.get())) button->SetImages(&icon);
    }
}

}  // namespace lw::app
