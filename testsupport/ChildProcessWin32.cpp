#include "testsupport/ChildProcess.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace lw::testsupport {

struct ChildProcess::State {
    PROCESS_INFORMATION process{};
    std::optional<int> exitCode;
};

namespace {

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// Quotes one argument so that the usual command-line parsing gives it back unchanged.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

class InheritableFile {
public:
    explicit InheritableFile(const std::filesystem::path& path) {
        if (path.empty()) return;
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        handle_ = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path.string());
    }
    InheritableFile(const InheritableFile&) = delete;
    InheritableFile& operator=(const InheritableFile&) = delete;
    ~InheritableFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const ChildOptions& options)
    : state_(std::make_unique<State>()) {
    std::wstring commandLine = Quoted(program.wstring());
    for (const std::string& argument : arguments) commandLine += L" " + Quoted(Wide(argument));
    const InheritableFile errors(options.errorFile);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (errors.Get() != INVALID_HANDLE_VALUE) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = errors.Get();
    }
    const std::wstring folder = options.workingFolder.wstring();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, errors.Get() != INVALID_HANDLE_VALUE,
                        CREATE_NO_WINDOW, nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                        &state_->process)) {
        throw std::runtime_error("cannot start " + program.string() + " (system error " +
                                 std::to_string(GetLastError()) + ")");
    }
}

ChildProcess::~ChildProcess() {
    if (!state_->exitCode) {
        Terminate();
        Wait();
    }
    CloseHandle(state_->process.hThread);
    CloseHandle(state_->process.hProcess);
}

std::optional<int> ChildProcess::WaitFor(std::chrono::milliseconds limit) {
    if (!state_->exitCode &&
        WaitForSingleObject(state_->process.hProcess, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(state_->process.hProcess, &code);
        state_->exitCode = static_cast<int>(code);
    }
    return state_->exitCode;
}

int ChildProcess::Wait() { return *WaitFor(std::chrono::milliseconds(INFINITE)); }

void ChildProcess::Terminate() {
    if (!state_->exitCode) TerminateProcess(state_->process.hProcess, 1);
}

unsigned long ChildProcess::Id() const { return state_->process.dwProcessId; }

int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const ChildOptions& options) {
    return ChildProcess(program, arguments, options).Wait();
}

}  // namespace lw::testsupport
