#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/Handles.h"

namespace lw::platform {

struct LaunchRequest {
    std::wstring Program;
    std::wstring Parameters;        // handed over as one string, exactly as given
    std::wstring WorkingDirectory;  // empty: the caller's current directory
    bool Hidden = true;             // no window, no console
    bool CaptureErrors = false;     // keep what it writes to its standard error
    bool CaptureOutput = false;     // keep what it writes to its standard output
};

// A started process; owns its handle. One without a handle counts as already ended.
class Process {
public:
    Process() = default;
    explicit Process(KernelHandle handle, KernelHandle errors = {}, KernelHandle output = {})
        : handle_(std::move(handle)), errors_(std::move(errors)), output_(std::move(output)) {}

    HANDLE Handle() const { return handle_.get(); }
    // True when the process has ended within `milliseconds`.
    bool WaitFor(DWORD milliseconds) const;
    // The exit code once it has ended.
    std::optional<DWORD> ExitCode() const;
    // What it wrote to its standard error so far (at most 64 KB), when that was captured.
    std::string Errors() const;
    // The same for its standard output.
    std::string Output() const;

private:
    KernelHandle handle_;
    KernelHandle errors_;
    KernelHandle output_;
};

// Starting other programs, behind an interface so that tests can record instead of start.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Nothing when the program could not be started.
    virtual std::optional<Process> Start(const LaunchRequest& request) = 0;
    // Opens a document or web address with the program the system associates with it.
    virtual void OpenAddress(const std::wstring& address) = 0;
    // The same with the shell's verb, the show command and the owner window chosen by the
    // caller; a launcher that does not care opens it as OpenAddress does.
    virtual void OpenAddressAs(const std::wstring& address, const wchar_t*, int, HWND) { OpenAddress(address); }
};

class SystemLauncher : public Launcher {
public:
    std::optional<Process> Start(const LaunchRequest& request) override;
    void OpenAddress(const std::wstring& address) override;
    void OpenAddressAs(const std::wstring& address, const wchar_t* verb, int showCommand, HWND owner) override;
};

}  // namespace lw::platform
