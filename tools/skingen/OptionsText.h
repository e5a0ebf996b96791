#pragma once

#include <string>

namespace skingen {

// "Options.dat" of the stored skin: 65 sections, CR LF line ends.
std::string BuildOptionsText();

}  // namespace skingen
