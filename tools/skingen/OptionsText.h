#pragma once

#include <string>

#include "Palette.h"

namespace skingen {

// "Options.dat" of the stored skin: 65 sections, CR LF line ends.
std::string BuildOptionsText(const Palette& palette);

}  // namespace skingen
