#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "testsupport/RealMaps.h"
#include "testsupport/TempFolder.h"

namespace lw::ripent::testing {

using testsupport::RealMaps;
using testsupport::TempFolder;

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::string ReadText(const std::filesystem::path& path);

// What another program's later write does to the modification time.
void Touch(const std::filesystem::path& path);

// The identity token of the map as it is on disk, found here without the tool: its size and
// last-write time from the system, and the hash of its entity text.
std::string IdentityOnDisk(const std::filesystem::path& map);

struct ToolRun {
    int exitCode = -1;
    std::string errors;  // what the tool wrote to stderr
};

// Runs the built tool with a parameter string as the application passes it: one string,
// paths unquoted, split at blanks.
ToolRun RunTool(const std::string& parameters);

}  // namespace lw::ripent::testing
