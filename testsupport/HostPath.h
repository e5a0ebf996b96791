#pragma once

#include <filesystem>
#include <string_view>

namespace lw::testsupport {

// A path of the machine that runs the tests, as this program sees it: under Wine the host's
// root is drive Z:.
std::filesystem::path FromHostPath(std::string_view hostPath);

}  // namespace lw::testsupport
