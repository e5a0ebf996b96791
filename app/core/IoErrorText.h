#pragma once
#include <string>

namespace lw::app {

// The text an I/O failure with the system error `code` is reported with.
std::string IoErrorText(unsigned long code);

}  // namespace lw::app
