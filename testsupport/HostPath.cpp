#include "testsupport/HostPath.h"

#include <algorithm>
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

}  // namespace lw::testsupport
