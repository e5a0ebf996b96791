#include "tools/ripent/FileSystem.h"
#include "tools/ripent/ToolError.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw::ripent {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int error) {
    throw ToolError(what + " " + DisplayPath(path) + ": " + std::strerror(error));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }
    int Close() {
        const int result = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// A mapped page that another program cut off the file raises SIGBUS when touched. The
// handler maps a page of zeros in its place and marks the mapping; the tool then reads
// nonsense, but CheckUnchanged refuses the result, so a truncation ends as a failure rather
// than a crash. Faults outside these mappings crash as they always would.
struct GuardedMapping {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> cut{false};
};
GuardedMapping guardedMappings[4];
std::uintptr_t pageSize = 4096;

void OnBusError(int, siginfo_t* info, void*) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardedMapping& mapping : guardedMappings) {
        if (address < mapping.begin.load() || address >= mapping.end.load()) continue;
        void* page = reinterpret_cast<void*>(address & ~(pageSize - 1));
        if (::mmap(page, pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            mapping.cut = true;
            return;
        }
    }
    ::signal(SIGBUS, SIG_DFL);  // the access is retried and ends the process
}

void GuardBusErrors() {
    static std::once_flag once;
    std::call_once(once, [] {
        pageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, nullptr);
    });
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool SameState(const struct stat& a, const struct stat& b) {
    return SameFile(a, b) && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Mapped rather than read: an import borrows most of the map, which then goes from the page
// cache to the new file without a copy in this process.
class PosixInputFile : public InputFile {
public:
    PosixInputFile(int fd, const struct stat& opened, void* mapped, std::size_t size)
        : fd_(fd), opened_(opened), mapped_(mapped), size_(size) {
        const auto begin = reinterpret_cast<std::uintptr_t>(mapped);
        for (GuardedMapping& slot : guardedMappings) {
            std::uintptr_t free = 0;
            if (mapped && slot.begin.compare_exchange_strong(free, begin)) {
                slot.cut = false;
                slot.end = begin + size;
                guard_ = &slot;
                break;
            }
        }
    }
    PosixInputFile(const PosixInputFile&) = delete;
    PosixInputFile& operator=(const PosixInputFile&) = delete;
    ~PosixInputFile() override {
        if (guard_) {
            guard_->end = 0;
            guard_->begin = 0;
        }
        if (mapped_) ::munmap(mapped_, size_);
    }
    std::span<const std::uint8_t> Bytes() const override { return {static_cast<const std::uint8_t*>(mapped_), size_}; }
    FileStamp Stamp() const override {
        return {std::uint64_t(opened_.st_size),
                std::int64_t(opened_.st_mtim.tv_sec) * 1'000'000'000 + opened_.st_mtim.tv_nsec};
    }
    int Fd() const { return fd_.Get(); }

    void CheckUnchanged(const std::filesystem::path& path) const override {
        struct stat now;
        if ((guard_ && guard_->cut) || ::stat(path.c_str(), &now) != 0 || !SameState(now, opened_))
            throw ToolError(DisplayPath(path) +
                            " was changed by another program while ripent worked on it; nothing was written");
    }

private:
    Descriptor fd_;
    struct stat opened_;
    void* mapped_;
    std::size_t size_;
    GuardedMapping* guard_ = nullptr;
};

class PosixOutputFile : public OutputFile {
public:
    PosixOutputFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}

    void Write(std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_.Get(), bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) Fail("cannot write", path_, written < 0 ? errno : ENOSPC);
            bytes = bytes.subspan(std::size_t(written));
        }
    }

    void CopyFrom(const InputFile& source, std::span<const std::uint8_t> range) override {
#ifdef __linux__
        // In the kernel, from file to file; where the file systems cannot, a plain write.
        const auto* file = dynamic_cast<const PosixInputFile*>(&source);
        if (!file) {
            Write(range);
            return;
        }
        loff_t from = range.data() - file->Bytes().data();
        while (!range.empty()) {
            const ssize_t copied = ::copy_file_range(file->Fd(), &from, fd_.Get(), nullptr, range.size(), 0);
            if (copied < 0 && errno == EINTR) continue;
            if (copied < 0 && (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP)) {
                Write(range);
                return;
            }
            if (copied <= 0) Fail("cannot write", path_, copied < 0 ? errno : EIO);
            range = range.subspan(std::size_t(copied));
        }
#else
        (void)source;
        Write(range);
#endif
    }

    // The descriptor stays open, and so keeps its lock, until the file has been renamed:
    // meanwhile no other run takes it for abandoned.
    void Commit() override {
        if (::fsync(fd_.Get()) != 0) Fail("cannot flush", path_, errno);
    }

private:
    Descriptor fd_;
    std::filesystem::path path_;
};

// Every run holds its temporary file locked while it exists; a run that was killed no longer
// does. The lock comes only after the creation, so a file may be taken for abandoned between
// the two: the creator notices that its name is gone and tries the next one.
bool LockedAsCreated(int fd, const std::filesystem::path& path) {
    struct stat opened, named;
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           SameFile(opened, named);
}

void Wait(std::chrono::steady_clock::time_point& deadline, const std::filesystem::path& path) {
    if (std::chrono::steady_clock::now() >= deadline)
        throw ToolError(DisplayPath(path) + " is in use by another run of ripent; try again");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem() { GuardBusErrors(); }

    bool IsFile(const std::filesystem::path& path) override {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }

    bool Exists(const std::filesystem::path& path) override {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0;
    }

    std::unique_ptr<InputFile> OpenFile(const std::filesystem::path& path, Lock lock) override {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        for (;;) {
            // Not blocking: opening a pipe for reading would wait for a writer for ever.
            Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
            if (fd.Get() < 0) Fail("cannot open", path, errno);
            struct stat info;
            if (::fstat(fd.Get(), &info) != 0) Fail("cannot read", path, errno);
            if (!S_ISREG(info.st_mode)) throw ToolError("cannot read " + DisplayPath(path) + ": not a regular file");
            if (lock != Lock::None && ::flock(fd.Get(), (lock == Lock::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0) {
                if (errno != EWOULDBLOCK) Fail("cannot lock", path, errno);
                Wait(deadline, path);
                continue;
            }
            // The run that held the lock may have replaced the file meanwhile: lock the new one.
            struct stat named;
            if (lock != Lock::None && (::stat(path.c_str(), &named) != 0 || !SameFile(named, info))) {
                Wait(deadline, path);
                continue;
            }
            if (::fstat(fd.Get(), &info) != 0) Fail("cannot read", path, errno);
            const std::size_t size = std::size_t(info.st_size);
            if (size == 0) return std::make_unique<PosixInputFile>(fd.Release(), info, nullptr, 0);
            void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd.Get(), 0);
            if (mapped == MAP_FAILED) Fail("cannot read", path, errno);
            return std::make_unique<PosixInputFile>(fd.Release(), info, mapped, size);
        }
    }

    std::unique_ptr<OutputFile> CreateNew(const std::filesystem::path& path,
                                          const std::filesystem::path& model) override {
        struct stat modelInfo;
        const bool hasModel = ::stat(model.c_str(), &modelInfo) == 0;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, hasModel ? 0600 : 0666);
        if (fd < 0 && errno == EEXIST) return nullptr;
        if (fd < 0) Fail("cannot create", path, errno);
        auto file = std::make_unique<PosixOutputFile>(fd, path);
        if (!LockedAsCreated(fd, path)) return nullptr;
        if (hasModel) {
            auto abandon = [&](const std::string& what, const std::filesystem::path& which, int error) {
                file.reset();
                Remove(path);
                Fail(what, which, error);
            };
            // Owner first: changing it may clear the set-id bits that the mode then restores.
            // A map that cannot keep its owner (only the superuser may give a file away) is not
            // replaced: its owner would change behind the user's back.
            if ((modelInfo.st_uid != ::geteuid() || modelInfo.st_gid != ::getegid()) &&
                ::fchown(fd, modelInfo.st_uid, modelInfo.st_gid) != 0)
                abandon("cannot keep the owner of", model, errno);
            if (::fchmod(fd, modelInfo.st_mode & 07777) != 0) abandon("cannot set access rights of", path, errno);
        }
        return file;
    }

    void Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        // rename() ignores the target's own write permission, and the superuser passes every
        // access check; a map the user has made read-only stays as it is.
        struct stat info;
        if (::stat(to.c_str(), &info) == 0 && (::access(to.c_str(), W_OK) != 0 || (info.st_mode & 0222) == 0))
            throw ToolError("cannot replace " + DisplayPath(to) + ": the file is read-only");
        if (::rename(from.c_str(), to.c_str()) != 0) Fail("cannot replace", to, errno);
        // The new name must reach the disk too; a folder that cannot be synced is not a failure
        // of the replacement, which has happened.
        const std::filesystem::path folder = to.has_parent_path() ? to.parent_path() : ".";
        Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.Get() >= 0) ::fsync(dir.Get());
    }

    void Remove(const std::filesystem::path& path) noexcept override { ::unlink(path.c_str()); }

    bool RemoveAbandoned(const std::filesystem::path& temporary) noexcept override {
        Descriptor fd(::open(temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info;
        return fd.Get() >= 0 && ::fstat(fd.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
               LockedAsCreated(fd.Get(), temporary) && ::unlink(temporary.c_str()) == 0;
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakeRealFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace lw::ripent
