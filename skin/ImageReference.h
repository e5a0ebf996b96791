#pragma once
// The text forms of an image reference in the options text. Parsing is pure: which
// image a reference names is resolved by the model afterwards.

#include <optional>
#include <string>
#include <string_view>

#include "skin/SkinModelTypes.h"

namespace lw::skin {

enum class ReferenceForm {
    Border,      // "^": fixed positions, a border in the master bitmap
    Glyph,       // "@": fixed positions, a glyph in the master bitmap
    Texture,     // "~": fixed positions, a texture in the master bitmap
    ImageFile,   // "!": words naming an image file of the skin
    BareBitmap,  // a bitmap file name alone
    Older,       // "#": the older layout of a border in the master bitmap
};

struct ImageReference {
    ReferenceForm Form = ReferenceForm::Border;
    std::string FileName;  // ImageFile and BareBitmap only
    TRect R;               // forms that lie in the master bitmap
    std::int32_t ImageCount = 1;
    std::int32_t MaskType = 0;
    std::int32_t BorderWidth = 0;
    std::int32_t StretchMode = 0;
    TgwImgType ImgType = TgwImgType::itisaBorder;
    bool SlicesGiven = false;  // "^" always, "!" with all eight words
    std::int32_t WL = 0, WT = 0, WR = 0, WB = 0;
};

// Nothing for values that are no reference ("N/A", numbers, "TRUE", names without a
// known extension). A reference whose numbers are not integers, or that is too short to
// hold them, fails the whole load with "'%s' is not a valid integer value".
std::optional<ImageReference> ParseImageReference(std::string_view value);

}  // namespace lw::skin
