#pragma once
#include <string>
#include <string_view>

namespace lw::app {

// Why the folder `folder` (UTF-8) cannot be listed, for the user: Russian, naming the folder,
// with the reason the system error `code` stands for.
std::string FolderErrorText(unsigned long code, std::string_view folder);

}  // namespace lw::app
