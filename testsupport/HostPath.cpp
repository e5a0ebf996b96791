#include "testsupport/HostPath.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace lw::testsupport {

std::filesystem::path FromHostPath(std::string_view hostPath) {
    std::string path(hostPath);
#ifdef _WIN32
    if (path.starts_with('/')) {
        std::replace(path.begin(), path.end(), '/', '\\');
        path.insert(0, "Z:");
    }
#endif
    return std::filesystem::path(path);
}

std::optional<std::filesystem::path> HostPathFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || !*value) return std::nullopt;
    return FromHostPath(value);
}

}  // namespace lw::testsupport
