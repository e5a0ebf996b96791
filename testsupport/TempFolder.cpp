#include "testsupport/TempFolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace lw::testsupport {
namespace {

void MakeWritable(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
}

}  // namespace

TempFolder::TempFolder(const std::string& prefix) {
    static std::atomic<unsigned> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    const auto clock = std::chrono::steady_clock::now().time_since_epoch().count();
    // A folder left by an earlier process of the same number is never taken over: only a
    // folder this call creates counts.
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = base / (prefix + " " + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
                        std::to_string(clock % 100000));
        if (std::filesystem::create_directory(path_)) return;
    }
    throw std::runtime_error("cannot create a temporary folder in " + base.string());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    MakeWritable(path_);
    for (auto entry = std::filesystem::recursive_directory_iterator(path_, ignored);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored))
        MakeWritable(entry->path());
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::AddFile(const std::filesystem::path& name, const std::string& bytes) const {
    const auto file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
    return file;
}

std::filesystem::path TempFolder::AddFolder(const std::filesystem::path& name) const {
    const auto folder = path_ / name;
    if (!std::filesystem::create_directory(folder)) throw std::runtime_error("cannot create " + folder.string());
    return folder;
}

}  // namespace lw::testsupport
