#include "app/EntityFiles.h"

#include <windows.h>

#include <algorithm>

#include "platform/Exception.h"
#include "platform/Handles.h"
#include "platform/Text.h"

namespace lw::app {
namespace {

std::string SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    if (text.empty()) return "System error " + std::to_string(code);
    return platform::WideToUtf8(text);
}

[[noreturn]] void Fail(const char* what, const std::string& path, DWORD code) {
    throw platform::Exception(std::string(what) + " \"" + path + "\". " + SystemErrorText(code));
}

platform::KernelHandle Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    return platform::KernelHandle(CreateFileW(platform::Utf8ToWide(path).c_str(), access, share, nullptr, disposition,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Large files move in pieces: one ReadFile or WriteFile call takes at most 4 GB.
constexpr DWORD kPiece = 1u << 20;

}  // namespace

bool EntityFiles::Exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(platform::Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<FileStamp> EntityFiles::Stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(platform::Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    const auto Join = [](DWORD high, DWORD low) { return std::uint64_t(high) << 32 | low; };
    return FileStamp{Join(data.nFileSizeHigh, data.nFileSizeLow),
                     Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool EntityFiles::Delete(const std::string& path) {
    if (DeleteFileW(platform::Utf8ToWide(path).c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string EntityFiles::Read(const std::string& path) {
    const platform::KernelHandle file = Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (file.get() == INVALID_HANDLE_VALUE) Fail("Cannot open file", path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) Fail("Cannot open file", path, GetLastError());
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    for (size_t done = 0; done < bytes.size();) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(kPiece, bytes.size() - done));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr))
            Fail("Cannot open file", path, GetLastError());
        if (got == 0) {
            bytes.resize(done);  // the file shrank while we read it
            break;
        }
        done += got;
    }
    return bytes;
}

void EntityFiles::Write(const std::string& path, const std::string& bytes) {
    const platform::KernelHandle file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file.get() == INVALID_HANDLE_VALUE) Fail("Cannot create file", path, GetLastError());
    for (size_t done = 0; done < bytes.size();) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(kPiece, bytes.size() - done));
        if (!WriteFile(file.get(), bytes.data() + done, want, &put, nullptr))
            Fail("Cannot write file", path, GetLastError());
        done += put;
    }
}

}  // namespace lw::app
