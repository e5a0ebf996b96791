#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lw::ripent {

// A file's size and last-write time as the platform gives them: nanoseconds since the epoch on
// POSIX, the file time's 100-ns ticks since 1601 on Windows.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
};

// A whole file open for reading, its bytes in memory or mapped.
class InputFile {
public:
    virtual ~InputFile() = default;
    virtual std::span<const std::uint8_t> Bytes() const = 0;
    // As the file was when opened (and locked).
    virtual FileStamp Stamp() const = 0;
    // Throws ToolError when `path` no longer names this file as it was when opened: another
    // program replaced, rewrote or truncated it meanwhile, so what was read may be a mix.
    virtual void CheckUnchanged(const std::filesystem::path& path) const = 0;
    // Lets go of the file and its lock, where the platform cannot replace a file that is held
    // open; the bytes stay readable.
    virtual void LetGo() {}
};

// How an opened file is kept from other runs of the tool while it is in use.
enum class Lock { None, Shared, Exclusive };

// A file being written; nothing of it counts until Commit has returned.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual void Write(std::span<const std::uint8_t> bytes) = 0;
    // Writes `range`, which lies within `source.Bytes()`; a platform may copy it without
    // passing the bytes through the process.
    virtual void CopyFrom(const InputFile& source, std::span<const std::uint8_t> range) {
        (void)source;
        Write(range);
    }
    // Flushes the data to the disk and closes the file.
    virtual void Commit() = 0;
};

// The file operations the tool needs, so that tests can make any step fail. Every failure
// throws ToolError naming the file and the reason.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // A regular file, after following links.
    virtual bool IsFile(const std::filesystem::path& path) = 0;
    virtual bool Exists(const std::filesystem::path& path) = 0;
    // Refuses anything but a regular file, without blocking on a pipe or device. With a lock,
    // waits a little for other runs to let go of the file, then fails.
    virtual std::unique_ptr<InputFile> OpenFile(const std::filesystem::path& path, Lock lock = Lock::None) = 0;
    // Creates `path`, which must not exist yet (returns null when it does), with the access
    // rights of `model` where that file exists.
    virtual std::unique_ptr<OutputFile> CreateNew(const std::filesystem::path& path,
                                                  const std::filesystem::path& model) = 0;
    // Puts `from` in the place of `to` in one step, so that `to` is either the old or the new file.
    virtual void Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual void Remove(const std::filesystem::path& path) noexcept = 0;
    // Removes a temporary file that a killed run left behind; returns false, leaving it, while
    // a run still writes it or when it cannot be removed.
    virtual bool RemoveAbandoned(const std::filesystem::path& temporary) noexcept = 0;
};

// The machine's own files.
std::unique_ptr<FileSystem> MakeRealFileSystem();

// Bytes to write; when `source` is given they lie within it and may be copied from it.
struct Piece {
    std::span<const std::uint8_t> bytes;
    const InputFile* source = nullptr;
};

// The temporary file of attempt `attempt` beside `target`: "name.N.ripent-tmp", the name cut
// short where needed so that it fits the 255-character limit of a file name.
std::filesystem::path TemporaryName(const std::filesystem::path& target, int attempt);

// Writes the pieces one after another to a new file beside `target`, flushes it, and replaces
// `target` with it. `beforeReplace` runs last before the replacement, given the flushed
// temporary file; a throw from it, as from any step, removes the temporary file and leaves
// `target` as it was.
void WriteFileAtomically(FileSystem& files, const std::filesystem::path& target, std::span<const Piece> pieces,
                         const std::function<void(const std::filesystem::path& temporary)>& beforeReplace = {});

// For messages: the path as UTF-8 on Windows, as its own bytes elsewhere.
std::string DisplayPath(const std::filesystem::path& path);

}  // namespace lw::ripent
