#include "tools/ripent/FileSystem.h"
#include "tools/ripent/ToolError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <utility>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw::ripent {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int error)
{
    throw ToolError(what + " " + DisplayPath(path) + ": " + std::strerror(error));
}

class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }
    int Close()
    {
        const int result = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Mapped rather than read: an import borrows most of the map, which then goes from the page
// cache to the new file without a copy in this process.
class PosixInputFile : public InputFile {
public:
    PosixInputFile(int fd, void* mapped, std::size_t size)
        : fd_(fd), mapped_(mapped), size_(size) {}
    PosixInputFile(const PosixInputFile&) = delete;
    PosixInputFile& operator=(const PosixInputFile&) = delete;
    ~PosixInputFile() override
    {
        if (mapped_)
            ::munmap(mapped_, size_);
    }
    std::span<const std::uint8_t> Bytes() const override { return {static_cast<const std::uint8_t*>(mapped_), size_}; }
    int Fd() const { return fd_.Get(); }

private:
    Descriptor fd_;
    void* mapped_;
    std::size_t size_;
};

class PosixOutputFile : public OutputFile {
public:
    PosixOutputFile(int fd, std::filesystem::path path)
        : fd_(fd), path_(std::move(path)) {}

    void Write(std::span<const std::uint8_t> bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_.Get(), bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                Fail("cannot write", path_, written < 0 ? errno : ENOSPC);
            bytes = bytes.subspan(std::size_t(written));
        }
    }

    void CopyFrom(const InputFile& source, std::span<const std::uint8_t> range) override
    {
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
            if (copied < 0 && errno == EINTR)
                continue;
            if (copied < 0 && (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP)) {
                Write(range);
                return;
            }
            if (copied <= 0)
                Fail("cannot write", path_, copied < 0 ? errno : EIO);
            range = range.subspan(std::size_t(copied));
        }
#else
        (void)source;
        Write(range);
#endif
    }

    void Commit() override
    {
        if (::fsync(fd_.Get()) != 0)
            Fail("cannot flush", path_, errno);
        if (fd_.Close() != 0)
            Fail("cannot close", path_, errno);
    }

private:
    Descriptor fd_;
    std::filesystem::path path_;
};

class PosixFileSystem : public FileSystem {
public:
    bool IsFile(const std::filesystem::path& path) override
    {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }

    std::unique_ptr<InputFile> OpenFile(const std::filesystem::path& path) override
    {
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.Get() < 0)
            Fail("cannot open", path, errno);
        struct stat info;
        if (::fstat(fd.Get(), &info) != 0)
            Fail("cannot read", path, errno);
        if (!S_ISREG(info.st_mode))
            Fail("cannot read", path, EISDIR);
        const std::size_t size = std::size_t(info.st_size);
        if (size == 0)
            return std::make_unique<PosixInputFile>(fd.Release(), nullptr, 0);
        void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd.Get(), 0);
        if (mapped == MAP_FAILED)
            Fail("cannot read", path, errno);
        return std::make_unique<PosixInputFile>(fd.Release(), mapped, size);
    }

    std::unique_ptr<OutputFile> CreateNew(const std::filesystem::path& path,
                                          const std::filesystem::path& model) override
    {
        struct stat modelInfo;
        const bool hasModel = ::stat(model.c_str(), &modelInfo) == 0;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, hasModel ? 0600 : 0666);
        if (fd < 0 && errno == EEXIST)
            return nullptr;
        if (fd < 0)
            Fail("cannot create", path, errno);
        auto file = std::make_unique<PosixOutputFile>(fd, path);
        if (hasModel) {
            // Owner first: changing it may clear the set-id bits that the mode then restores.
            // Only the superuser may give a file away; others keep their own ownership.
            if (modelInfo.st_uid != ::geteuid() || modelInfo.st_gid != ::getegid())
                (void)!::fchown(fd, modelInfo.st_uid, modelInfo.st_gid);
            if (::fchmod(fd, modelInfo.st_mode & 07777) != 0) {
                const int error = errno;
                file.reset();
                Remove(path);
                Fail("cannot set access rights of", path, error);
            }
        }
        return file;
    }

    void Replace(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        // rename() ignores the target's own write permission; a map the user has made
        // read-only stays as it is.
        if (::access(to.c_str(), F_OK) == 0 && ::access(to.c_str(), W_OK) != 0)
            Fail("cannot replace", to, errno);
        if (::rename(from.c_str(), to.c_str()) != 0)
            Fail("cannot replace", to, errno);
        // The new name must reach the disk too; a folder that cannot be synced is not a failure
        // of the replacement, which has happened.
        const std::filesystem::path folder = to.has_parent_path() ? to.parent_path() : ".";
        Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.Get() >= 0)
            ::fsync(dir.Get());
    }

    void Remove(const std::filesystem::path& path) noexcept override { ::unlink(path.c_str()); }
};

} // namespace

std::unique_ptr<FileSystem> MakeRealFileSystem() { return std::make_unique<PosixFileSystem>(); }

} // namespace lw::ripent
