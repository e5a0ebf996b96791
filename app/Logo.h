#pragma once
#include "platform/Control.h"
#include "platform/ImageList.h"

namespace lw::app {

// The program's 100 x 100 picture: a map's entity block - braces around lines of text - on
// a dark tile.
platform::RgbaImage DrawLogo();

// A windowless picture of the logo at its natural size in the control's top left.
class TLogoImage : public platform::TControl {
public:
    TLogoImage(platform::TComponent* owner, platform::TWinControl* parent);
    void Paint(HDC dc) override;

private:
    platform::TImageList& picture_;
};

}  // namespace lw::app
