#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lw::ripent::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& name = "ripent test");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::string ReadText(const std::filesystem::path& path);

// The real maps of the test data folder (LW_TESTDATA_MAPS), sorted by name.
std::vector<std::filesystem::path> TestMaps();

struct ToolRun {
    int exitCode = -1;
    std::string errors; // what the tool wrote to stderr
};

// Runs the built tool with a parameter string as the application passes it: one string,
// paths unquoted, split at blanks.
ToolRun RunTool(const std::string& parameters);

} // namespace lw::ripent::testing
