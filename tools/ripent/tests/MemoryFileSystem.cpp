#include "tools/ripent/tests/MemoryFileSystem.h"

#include "tools/ripent/ToolError.h"

namespace lw::ripent::testing {
namespace {

class MemoryInputFile : public InputFile {
public:
    MemoryInputFile(MemoryFileSystem& files, std::vector<std::uint8_t> bytes, std::int64_t modified)
        : files_(files), bytes_(std::move(bytes)), modified_(modified) {}
    std::span<const std::uint8_t> Bytes() const override { return bytes_; }
    FileStamp Stamp() const override { return {bytes_.size(), modified_}; }
    void CheckUnchanged(const std::filesystem::path& path) const override {
        if (!files_.IsFile(path) || files_.OpenFile(path, Lock::None)->Stamp().modified != modified_)
            throw ToolError(DisplayPath(path) + " was changed meanwhile");
    }

private:
    MemoryFileSystem& files_;
    std::vector<std::uint8_t> bytes_;
    std::int64_t modified_;
};

class MemoryOutputFile : public OutputFile {
public:
    MemoryOutputFile(MemoryFileSystem& files, std::filesystem::path path) : files_(files), path_(std::move(path)) {}
    void Write(std::span<const std::uint8_t> bytes) override {
        written_.insert(written_.end(), bytes.begin(), bytes.end());
    }
    void Commit() override { files_.Put(path_, written_); }

private:
    MemoryFileSystem& files_;
    std::filesystem::path path_;
    std::vector<std::uint8_t> written_;
};

}  // namespace

void MemoryFileSystem::Put(const std::filesystem::path& path, std::vector<std::uint8_t> bytes) {
    files_[path] = {std::move(bytes), ++clock_};
}

bool MemoryFileSystem::IsFile(const std::filesystem::path& path) { return files_.count(path) > 0; }

bool MemoryFileSystem::Exists(const std::filesystem::path& path) { return IsFile(path); }

std::unique_ptr<InputFile> MemoryFileSystem::OpenFile(const std::filesystem::path& path, Lock) {
    const auto found = files_.find(path);
    if (found == files_.end()) throw ToolError("cannot open " + DisplayPath(path) + ": no such file");
    const File& file = found->second;
    return std::make_unique<MemoryInputFile>(*this, file.bytes, file.modified);
}

std::unique_ptr<OutputFile> MemoryFileSystem::CreateNew(const std::filesystem::path& path,
                                                        const std::filesystem::path&) {
    if (IsFile(path)) return nullptr;
    Put(path, {});
    return std::make_unique<MemoryOutputFile>(*this, path);
}

void MemoryFileSystem::Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    auto moved = files_.extract(from);
    if (!moved) throw ToolError("cannot replace " + DisplayPath(to) + ": " + DisplayPath(from) + " is gone");
    files_.erase(to);
    moved.key() = to;
    files_.insert(std::move(moved));
}

void MemoryFileSystem::Remove(const std::filesystem::path& path) noexcept { files_.erase(path); }

bool MemoryFileSystem::RemoveAbandoned(const std::filesystem::path&) noexcept { return false; }

}  // namespace lw::ripent::testing
