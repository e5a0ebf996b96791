#include "app/ToolRunner.h"

#include "platform/Paths.h"
#include "platform/Text.h"

namespace lw::app {
namespace {

class BusyPointer {
public:
    BusyPointer() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~BusyPointer() { SetCursor(previous_); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
    // Moving the mouse makes windows set their own pointer again.
    void Renew() const { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }

private:
    HCURSOR previous_;
};

// Repaints what needs it and drops keyboard and mouse input, so that nothing the user does
// while the tool runs acts on a half-finished state. Posted messages (timers, commands) stay
// queued for afterwards; sent ones are delivered by PeekMessage itself.
void PaintAndDropInput() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {}
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&message);
}

}  // namespace

ToolRunner::ToolRunner(platform::Launcher& launcher, std::wstring toolPath)
    : launcher_(launcher), toolPath_(std::move(toolPath)) {}

std::wstring ToolRunner::ToolBesideExecutable() { return platform::ExecutableFolder() + L"ripent.exe"; }

ToolRun ToolRunner::RunTool(const std::string& parameters, const std::string& workingFolder,
                            std::chrono::milliseconds timeout) {
    std::optional<platform::Process> process = launcher_.Start({.Program = toolPath_,
                                                                .Parameters = platform::Utf8ToWide(parameters),
                                                                .WorkingDirectory = platform::Utf8ToWide(workingFolder),
                                                                .Hidden = true,
                                                                .CaptureErrors = true,
                                                                .CaptureOutput = true});
    if (!process) return {ToolRun::End::NotStarted, 0, {}, {}};

    const BusyPointer busy;
    const HANDLE handle = process->Handle();
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(deadline - now),
                                                     QS_INPUT | QS_PAINT | QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) {
            const std::optional<DWORD> code = process->ExitCode();
            // An exit code that cannot be read is no success either.
            return {ToolRun::End::Exited, code.value_or(STILL_ACTIVE), process->Errors(), process->Output()};
        }
        if (woke != WAIT_OBJECT_0 + 1) break;
        PaintAndDropInput();
        busy.Renew();
    }
    // A tool that hangs must not hold the map or the window: end it and count a failure.
    TerminateProcess(handle, 1);
    process->WaitFor(5000);
    return {ToolRun::End::TimedOut, 0, {}, {}};
}

}  // namespace lw::app
