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

std::optional<Process> SystemLauncher::Start(const LaunchRequest& request) {
    std::wstring commandLine = L"\"" + request.Program + L"\" " + request.Parameters;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (request.Hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(request.Program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        request.Hidden ? CREATE_NO_WINDOW : 0, nullptr,
                        request.WorkingDirectory.empty() ? nullptr : request.WorkingDirectory.c_str(), &startup,
                        &started)) {
        return std::nullopt;
    }
    CloseHandle(started.hThread);
    return Process(KernelHandle(started.hProcess));
}

void SystemLauncher::OpenAddress(const std::wstring& address) {
    ShellExecuteW(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_RESTORE);
}

}  // namespace lw::platform
