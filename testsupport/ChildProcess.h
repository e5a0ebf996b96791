#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lw::testsupport {

struct ChildOptions {
    std::filesystem::path workingFolder{};  // empty: this process's
    std::filesystem::path errorFile{};      // empty: the child shares this process's stderr
};

// A program the test started, ended on destruction if it still runs so that no test leaves
// a stray process behind.
class ChildProcess {
public:
    // Starts `program` with `arguments` (UTF-8), each reaching it as one argument. Throws when
    // it cannot start.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const ChildOptions& options = {});
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // The exit code once the program has ended within `limit`; crash codes (Windows) and
    // 128 + signal (POSIX) as they come.
    std::optional<int> WaitFor(std::chrono::milliseconds limit);
    int Wait();
    void Terminate();
    unsigned long Id() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Starts the program and waits for its exit code.
int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const ChildOptions& options = {});

}  // namespace lw::testsupport
