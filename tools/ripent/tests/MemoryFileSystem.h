#pragma once

#include "tools/ripent/FileSystem.h"

#include <map>

namespace lw::ripent::testing {

// Files in memory behind the tool's file system seam, for running the real import and export
// thousands of times without a disk. Every change of a file gives it a new modification time.
class MemoryFileSystem : public FileSystem {
public:
    // Creates or replaces a file with a new modification time.
    void Put(const std::filesystem::path& path, std::vector<std::uint8_t> bytes);

    bool IsFile(const std::filesystem::path& path) override;
    bool Exists(const std::filesystem::path& path) override;
    std::unique_ptr<InputFile> OpenFile(const std::filesystem::path& path, Lock lock) override;
    std::unique_ptr<OutputFile> CreateNew(const std::filesystem::path& path,
                                          const std::filesystem::path& model) override;
    void Replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void Remove(const std::filesystem::path& path) noexcept override;
    bool RemoveAbandoned(const std::filesystem::path& temporary) noexcept override;

private:
    struct File {
        std::vector<std::uint8_t> bytes;
        std::int64_t modified = 0;
    };

    std::map<std::filesystem::path, File> files_;
    std::int64_t clock_ = 0;
};

}  // namespace lw::ripent::testing
