#pragma once

#include <filesystem>
#include <vector>

namespace lw::testsupport {

// The folders of real maps: the project's own (testdata/maps) and then, when it is there, the
// full set the build names (LW_TESTDATA_MAPS). Throws when the project's folder is missing.
std::vector<std::filesystem::path> RealMapFolders();

// Every map (*.bsp) of those folders, one of each file name, sorted by name. Throws when there
// are none, so that no loop over them can pass by running zero times.
std::vector<std::filesystem::path> RealMaps();

}  // namespace lw::testsupport
