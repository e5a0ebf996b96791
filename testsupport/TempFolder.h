#pragma once

#include <filesystem>
#include <string>

namespace lw::testsupport {

// A new, empty folder under the system's temporary folder, removed with everything in it
// (read-only entries too). Its name is unique to this process and object, so test programs
// running at the same time never share one.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "lw test");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
    // A file inside, created with these bytes; throws when it cannot be written.
    std::filesystem::path AddFile(const std::filesystem::path& name, const std::string& bytes = {}) const;
    std::filesystem::path AddFolder(const std::filesystem::path& name) const;

private:
    std::filesystem::path path_;
};

}  // namespace lw::testsupport
