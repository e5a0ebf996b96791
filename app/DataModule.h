#pragma once
#include "platform/Component.h"
#include "controls/images/AlphaImageList.h"

namespace lw::app {

// The data module: the image list every button of the application takes its glyph from.
class TGlyphModule : public platform::TComponent {
public:
    explicit TGlyphModule(platform::TComponent* owner);
    ~TGlyphModule() override;

    // Gives every button owned by `form` its glyphs from `icon`.
    void AttachGlyphs(platform::TComponent& form) const;

    controls::TsAlphaImageList& icon;
};

}  // namespace lw::app
