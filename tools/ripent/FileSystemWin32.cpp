#include "tools/ripent/FileSystem.h"
#include "tools/ripent/ToolError.h"

#include <algorithm>
#include <string>
#include <utility>
#include <windows.h>

namespace lw::ripent {
namespace {

std::string ErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.')) text.pop_back();
    if (text.empty()) return "error " + std::to_string(error);
    return DisplayPath(std::filesystem::path(text));
}

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, DWORD error) {
    throw ToolError(what + " " + DisplayPath(path) + ": " + ErrorText(error));
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Large writes in slices: a single WriteFile is limited to 4 GiB and some network shares
// refuse very large requests.
constexpr std::size_t kSlice = 16u << 20;

class WinOutputFile : public OutputFile {
public:
    WinOutputFile(HANDLE handle, std::filesystem::path path) : handle_(handle), path_(std::move(path)) {}

    void Write(std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const DWORD wanted = DWORD(std::min(bytes.size(), kSlice));
            DWORD written = 0;
            if (!WriteFile(handle_.Get(), bytes.data(), wanted, &written, nullptr))
                Fail("cannot write", path_, GetLastError());
            if (written == 0) Fail("cannot write", path_, ERROR_DISK_FULL);
            bytes = bytes.subspan(written);
        }
    }

    void Commit() override {
        if (!FlushFileBuffers(handle_.Get())) Fail("cannot flush", path_, GetLastError());
        if (!handle_.Close()) Fail("cannot close", path_, GetLastError());
    }

private:
    Handle handle_;
    std::filesystem::path path_;
};

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

bool SameState(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return SameFile(a, b) && a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           a.ftLastWriteTime.dwLowDateTime == b.ftLastWriteTime.dwLowDateTime &&
           a.ftLastWriteTime.dwHighDateTime == b.ftLastWriteTime.dwHighDateTime;
}

// What `path` names now, without opening it for data.
bool InformationAt(const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& information) {
    Handle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.Valid() && GetFileInformationByHandle(file.Get(), &information);
}

// Read whole into memory; the handle stays open, holding the lock, until the map is replaced.
class WinInputFile : public InputFile {
public:
    WinInputFile(Handle&& handle, const BY_HANDLE_FILE_INFORMATION& opened, std::vector<std::uint8_t> bytes)
        : handle_(handle.Release()), opened_(opened), bytes_(std::move(bytes)) {}
    std::span<const std::uint8_t> Bytes() const override { return bytes_; }
    FileStamp Stamp() const override {
        return {FileSize(opened_), std::int64_t(std::uint64_t(opened_.ftLastWriteTime.dwHighDateTime) << 32 |
                                                opened_.ftLastWriteTime.dwLowDateTime)};
    }

    void CheckUnchanged(const std::filesystem::path& path) const override {
        BY_HANDLE_FILE_INFORMATION now;
        if (!InformationAt(path, now) || !SameState(now, opened_) || bytes_.size() != FileSize(opened_))
            throw ToolError(DisplayPath(path) +
                            " was changed by another program while ripent worked on it; nothing was written");
    }

    void LetGo() override { handle_.Close(); }

    static std::uint64_t FileSize(const BY_HANDLE_FILE_INFORMATION& information) {
        return std::uint64_t(information.nFileSizeHigh) << 32 | information.nFileSizeLow;
    }

private:
    Handle handle_;
    BY_HANDLE_FILE_INFORMATION opened_;
    std::vector<std::uint8_t> bytes_;
};

void Wait(ULONGLONG deadline, const std::filesystem::path& path) {
    if (GetTickCount64() >= deadline)
        throw ToolError(DisplayPath(path) + " is in use by another run of ripent; try again");
    Sleep(20);
}

class WinFileSystem : public FileSystem {
public:
    bool IsFile(const std::filesystem::path& path) override {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool Exists(const std::filesystem::path& path) override {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::unique_ptr<InputFile> OpenFile(const std::filesystem::path& path, Lock lock) override {
        const ULONGLONG deadline = GetTickCount64() + 1000;
        for (;;) {
            // Others may read and write, as before, and replace the file: the lock keeps other
            // runs out, and CheckUnchanged notices any other writer.
            Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            if (!file.Valid()) Fail("cannot open", path, GetLastError());
            // A pipe or a device would block the read or never end it.
            BY_HANDLE_FILE_INFORMATION opened;
            if (GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.Get(), &opened) ||
                (opened.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                throw ToolError("cannot read " + DisplayPath(path) + ": not a regular file");
            if (lock != Lock::None) {
                OVERLAPPED whole{};
                const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (lock == Lock::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
                if (!LockFileEx(file.Get(), flags, 0, MAXDWORD, MAXDWORD, &whole)) {
                    Wait(deadline, path);
                    continue;
                }
                // The run that held the lock may have replaced the file meanwhile.
                BY_HANDLE_FILE_INFORMATION named;
                if (!InformationAt(path, named) || !SameFile(named, opened)) {
                    Wait(deadline, path);
                    continue;
                }
                if (!GetFileInformationByHandle(file.Get(), &opened)) Fail("cannot read", path, GetLastError());
            }
            std::vector<std::uint8_t> bytes(std::size_t(WinInputFile::FileSize(opened)));
            std::size_t done = 0;
            while (done < bytes.size()) {
                DWORD got = 0;
                const DWORD wanted = DWORD(std::min(bytes.size() - done, kSlice));
                if (!::ReadFile(file.Get(), bytes.data() + done, wanted, &got, nullptr))
                    Fail("cannot read", path, GetLastError());
                if (got == 0) break;  // shrank while we read: CheckUnchanged will refuse what was read
                done += got;
            }
            bytes.resize(done);
            return std::make_unique<WinInputFile>(std::move(file), opened, std::move(bytes));
        }
    }

    std::unique_ptr<OutputFile> CreateNew(const std::filesystem::path& path,
                                          const std::filesystem::path& model) override {
        // The folder's inherited access rights apply, as they did to the model; its plain
        // attributes (hidden, archive) are carried over. A read-only model is refused later by
        // the replacement itself.
        DWORD attributes = GetFileAttributesW(model.c_str());
        attributes = attributes == INVALID_FILE_ATTRIBUTES
                         ? FILE_ATTRIBUTE_NORMAL
                         : (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM));
        const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return nullptr;
            Fail("cannot create", path, error);
        }
        return std::make_unique<WinOutputFile>(handle, path);
    }

    void Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        // A rename within the folder: the target is the old file or the new one, never a mix.
        // (ReplaceFileW can fail halfway, leaving nothing under the target's name.)
        // A map the user has made read-only stays as it is, whatever rights the caller has.
        const DWORD attributes = GetFileAttributesW(to.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            Fail("cannot replace", to, ERROR_ACCESS_DENIED);
        if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = GetLastError();
            // Most often another program still has the map open: another run of the tool waiting
            // for its turn, or an editor. The map is as it was, and a later run can succeed.
            if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
                throw ToolError("cannot replace " + DisplayPath(to) + ": " + ErrorText(error) +
                                " (another program may have it open); the map is unchanged, try again");
            Fail("cannot replace", to, error);
        }
    }

    void Remove(const std::filesystem::path& path) noexcept override { DeleteFileW(path.c_str()); }

    // A run keeps its temporary file open, shared with no one, until it is renamed; deleting
    // it then fails with a sharing violation. One left by a killed run deletes.
    bool RemoveAbandoned(const std::filesystem::path& temporary) noexcept override {
        return DeleteFileW(temporary.c_str()) != 0;
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakeRealFileSystem() { return std::make_unique<WinFileSystem>(); }

}  // namespace lw::ripent
