#include <filesystem>
#include <fstream>
#include <system_error>

#include "skin/SkinError.h"
#include "skin/SkinManagerCore.h"

namespace lw::skin {

namespace {

// Paths are UTF-8 inside the program, whatever the system's code page.
std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

}  // namespace

bool DiskSkinFiles::FileExists(const std::string& path) const {
    std::error_code error;
    return std::filesystem::is_regular_file(PathOf(path), error);
}

bool DiskSkinFiles::DirectoryExists(const std::string& path) const {
    std::error_code error;
    return std::filesystem::is_directory(PathOf(path), error);
}

ByteBuffer DiskSkinFiles::ReadFile(const std::string& path) const {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in) throw SkinError("Cannot open file \"" + path + "\". The file cannot be read.");
    ByteBuffer bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw SkinError("Cannot open file \"" + path + "\". The file cannot be read.");
    return bytes;
}

std::vector<SkinFiles::Entry> DiskSkinFiles::List(const std::string& directory) const {
    std::vector<Entry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(PathOf(directory), error), end; !error && it != end;
         it.increment(error))
        entries.push_back({Utf8Of(it->path().filename()), it->is_directory(error)});
    return entries;
}

std::string DiskSkinFiles::ExecutableFolder() const { return ExeFolder; }

}  // namespace lw::skin
