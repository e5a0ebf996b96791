#include "platform/Launcher.h"

#include <shellapi.h>

namespace lw::platform {

bool Process::WaitFor(DWORD milliseconds) const {
    return !handle_ || WaitForSingleObject(handle_.get(), milliseconds) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (!handle_ || !WaitFor(0) || !GetExitCodeProcess(handle_.get(), &code)) return std::nullopt;
    return code;
}

namespace {

// What a process wrote to one of its captured streams, from the start (at most 64 KB).
std::string Captured(const KernelHandle& file) {
    constexpr DWORD kMost = 64 * 1024;
    if (!file) return {};
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return {};
    std::string text(kMost, '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), text.data(), kMost, &got, nullptr)) return {};
    text.resize(got);
    return text;
}

// A file rather than a pipe: a program that writes much can never block on a full pipe while
// we wait for it to end. It goes when the last handle to it closes.
KernelHandle InheritableCaptureFile() {
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"lwe", 0, name)) return {};
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    KernelHandle file(CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        DeleteFileW(name);
        return {};
    }
    return file;
}

}  // namespace

std::string Process::Errors() const { return Captured(errors_); }

std::string Process::Output() const { return Captured(output_); }

std::optional<Process> SystemLauncher::Start(const LaunchRequest& request) {
    std::wstring commandLine = L"\"" + request.Program + L"\" " + request.Parameters;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (request.Hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    KernelHandle errors;
    KernelHandle output;
    if (request.CaptureErrors) errors = InheritableCaptureFile();
    if (request.CaptureOutput) output = InheritableCaptureFile();
    if (errors || output) {
        // A stream that is not captured keeps what the caller has.
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output ? output.get() : GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = errors ? errors.get() : GetStdHandle(STD_ERROR_HANDLE);
    }
    const BOOL inherit = (startup.dwFlags & STARTF_USESTDHANDLES) ? TRUE : FALSE;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(request.Program.c_str(), commandLine.data(), nullptr, nullptr, inherit,
                        request.Hidden ? CREATE_NO_WINDOW : 0, nullptr,
                        request.WorkingDirectory.empty() ? nullptr : request.WorkingDirectory.c_str(), &startup,
                        &started)) {
        return std::nullopt;
    }
    CloseHandle(started.hThread);
    return Process(KernelHandle(started.hProcess), std::move(errors), std::move(output));
}

void SystemLauncher::OpenAddress(const std::wstring& address) {
    ShellExecuteW(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_RESTORE);
}

void SystemLauncher::OpenAddressAs(const std::wstring& address, const wchar_t* verb, int showCommand, HWND owner) {
    ShellExecuteW(owner, verb, address.c_str(), nullptr, nullptr, showCommand);
}

}  // namespace lw::platform
