#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace lw::testsupport {

// A path of the machine that runs the tests, as this program sees it: under Wine the host's
// root is drive Z:.
std::filesystem::path FromHostPath(std::string_view hostPath);

// The folder named by an environment variable the build sets for tests, if it is set.
std::optional<std::filesystem::path> HostPathFromEnvironment(const char* variable);

}  // namespace lw::testsupport
