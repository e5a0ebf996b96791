#pragma once

#include <string_view>

#include "skin/SkinModelTypes.h"

namespace lw::skin {

// Five ";"-separated fields per segment, empty fields skipped, a trailing incomplete
// group ignored. A field that is not a number reads as 0.
TsGradArray ParseGradientData(std::string_view text);

}  // namespace lw::skin
