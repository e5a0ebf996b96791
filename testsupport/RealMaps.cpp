#include "testsupport/RealMaps.h"

#include <map>
#include <stdexcept>
#include <string>

#include "testsupport/HostPath.h"

namespace lw::testsupport {

std::vector<std::filesystem::path> RealMapFolders() {
    const std::filesystem::path own = FromHostPath(LW_SOURCE_DIR) / "testdata" / "maps";
    if (!std::filesystem::is_directory(own)) throw std::runtime_error("no folder " + own.string());
    std::vector<std::filesystem::path> folders{own};
    if (const auto full = FromHostPath(LW_TESTDATA_MAPS); std::filesystem::is_directory(full)) folders.push_back(full);
    return folders;
}

std::vector<std::filesystem::path> RealMaps() {
    std::map<std::filesystem::path, std::filesystem::path> byName;
    for (const auto& folder : RealMapFolders())
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().extension() == ".bsp")
                byName.emplace(entry.path().filename(), entry.path());  // the project's copy wins
    if (byName.empty()) throw std::runtime_error("no real maps in " + RealMapFolders().front().string());
    std::vector<std::filesystem::path> maps;
    for (const auto& [name, path] : byName) maps.push_back(path);
    return maps;
}

}  // namespace lw::testsupport
