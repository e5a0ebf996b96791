#include "testsupport/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

extern char** environ;

namespace lw::testsupport {

struct ChildProcess::State {
    pid_t pid = 0;
    std::optional<int> exitCode;
};

namespace {

// Collects the child if it has ended; `block` waits for it.
std::optional<int> Reap(pid_t pid, bool block) {
    int status = 0;
    if (waitpid(pid, &status, block ? 0 : WNOHANG) != pid) return std::nullopt;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const ChildOptions& options)
    : state_(std::make_unique<State>()) {
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (!options.errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, options.errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!options.workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());
    const int failed = posix_spawn(&state_->pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error("cannot start " + program.string());
}

ChildProcess::~ChildProcess() {
    if (!state_->exitCode) {
        Terminate();
        Wait();
    }
}

std::optional<int> ChildProcess::WaitFor(std::chrono::milliseconds limit) {
    if (state_->exitCode) return state_->exitCode;
    // The process's own descriptor turns readable the moment it ends.
    const int process = static_cast<int>(syscall(SYS_pidfd_open, state_->pid, 0));
    if (process < 0) throw std::runtime_error("cannot watch the child process");
    pollfd ended{process, POLLIN, 0};
    poll(&ended, 1, static_cast<int>(std::min<std::chrono::milliseconds::rep>(limit.count(), INT_MAX)));
    close(process);
    state_->exitCode = Reap(state_->pid, false);
    return state_->exitCode;
}

int ChildProcess::Wait() {
    if (!state_->exitCode) state_->exitCode = Reap(state_->pid, true);
    return state_->exitCode.value_or(-1);
}

void ChildProcess::Terminate() {
    if (!state_->exitCode) kill(state_->pid, SIGKILL);
}

unsigned long ChildProcess::Id() const { return static_cast<unsigned long>(state_->pid); }

int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const ChildOptions& options) {
    return ChildProcess(program, arguments, options).Wait();
}

}  // namespace lw::testsupport
