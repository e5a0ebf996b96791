#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/ripent/FileSystem.h"

namespace lw::ripent::testing {

// Small maps of both layouts that put entity text in a different lump: the entities in lump 0,
// and version 30 with the planes first, its entities in lump 1.
const std::vector<std::vector<std::uint8_t>>& LayoutMaps();

// Runs the tool on `files` in `folder`: imports `entityFile` into `map`, exports the result
// and imports that export again. Whatever the import accepts must come back from the export
// (line breaks and trailing NULs aside) and the second import must leave the map byte for byte
// as it is; whatever it refuses must leave the map alone. Returns what broke, or nothing.
std::string ClosureFault(FileSystem& files, const std::filesystem::path& folder, const std::vector<std::uint8_t>& map,
                         std::string_view entityFile);

// The same on files in memory, in a folder that exists nowhere.
std::string ClosureFault(const std::vector<std::uint8_t>& map, std::string_view entityFile);

}  // namespace lw::ripent::testing
