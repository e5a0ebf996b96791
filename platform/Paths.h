#pragma once
#include <string>

namespace lw::platform {

// The folder of the running executable, ending in a separator.
std::wstring ExecutableFolder();

}  // namespace lw::platform
