#include "tools/ripent/tests/TestFiles.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace lw::ripent::testing {

TempFolder::TempFolder(const std::string& name)
{
    static std::atomic<int> counter{0};
#ifdef _WIN32
    const auto process = GetCurrentProcessId();
#else
    const auto process = getpid();
#endif
    path_ = std::filesystem::temp_directory_path() /
            (name + " " + std::to_string(process) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadText(const std::filesystem::path& path)
{
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::filesystem::path> TestMaps()
{
    const char* folder = std::getenv("LW_TESTDATA_MAPS");
    if (!folder)
        throw std::runtime_error("LW_TESTDATA_MAPS is not set");
    std::string location = folder;
#ifdef _WIN32
    if (!location.empty() && location[0] == '/')
        location = "Z:" + location; // the test data folder as Wine sees it
#endif
    std::vector<std::filesystem::path> maps;
    for (const auto& entry : std::filesystem::directory_iterator(location))
        if (entry.path().extension() == ".bsp")
            maps.push_back(entry.path());
    std::sort(maps.begin(), maps.end());
    return maps;
}

ToolRun RunTool(const std::string& parameters)
{
    TempFolder scratch("ripent run");
    const std::filesystem::path errorFile = scratch / "stderr.txt";
    ToolRun run;
#ifdef _WIN32
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE errors = CreateFileW(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errors;
    std::wstring commandLine = L"\"" + std::filesystem::path(LW_RIPENT_EXE).wstring() + L"\" " +
                               std::filesystem::path(parameters).wstring();
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        run.exitCode = int(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(errors);
#else
    std::vector<std::string> words{LW_RIPENT_EXE};
    std::istringstream split(parameters);
    for (std::string word; std::getline(split, word, ' ');)
        if (!word.empty())
            words.push_back(word);
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
#endif
    run.errors = ReadText(errorFile);
    return run;
}

} // namespace lw::ripent::testing
