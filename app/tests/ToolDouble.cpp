#include "app/tests/ToolDouble.h"

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/Text.h"
#include "testsupport/ChildProcess.h"

namespace lw::app::testing {
namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments(words + 1, words + count);
    LocalFree(words);
    return arguments;
}

void Write(const std::wstring& file, const std::string& text) {
    std::ofstream(std::filesystem::path(file), std::ios::binary) << text;
}

DWORD RunReal(const std::wstring& program, const std::vector<std::wstring>& arguments) {
    std::vector<std::string> words;
    for (const std::wstring& argument : arguments) words.push_back(platform::WideToUtf8(argument));
    try {
        return static_cast<DWORD>(testsupport::RunProgram(program, words));
    } catch (const std::exception&) {
        return 98;
    }
}

// Runs before main when the variable is set.
const bool kActedAsTool = [] {
    wchar_t value[2 * MAX_PATH] = {};
    if (!GetEnvironmentVariableW(kToolDoubleVariable, value, 2 * MAX_PATH)) return false;
    std::wstring behaviour = value;
    if (behaviour.starts_with(L"@")) {
        std::ifstream in(std::filesystem::path(behaviour.substr(1)), std::ios::binary);
        std::string line;
        std::getline(in, line);
        behaviour = platform::Utf8ToWide(line);
    }
    const std::vector<std::wstring> arguments = Arguments();
    const std::wstring last = arguments.empty() ? L"" : arguments.back();
    if (wchar_t tally[2 * MAX_PATH] = {}; GetEnvironmentVariableW(kToolTallyVariable, tally, 2 * MAX_PATH)) {
        std::ofstream(std::filesystem::path(tally), std::ios::binary | std::ios::app) << "run\n";
    }
    if (behaviour.starts_with(L"exit:")) ExitProcess(static_cast<UINT>(std::stoul(behaviour.substr(5), nullptr, 0)));
    const auto Say = [&](DWORD stream, UINT exitCode) {
        const std::string line = platform::WideToUtf8(behaviour.substr(behaviour.find(L':') + 1)) + "\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(stream), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        ExitProcess(exitCode);
    };
    if (behaviour.starts_with(L"fail:")) Say(STD_ERROR_HANDLE, 2);
    if (behaviour.starts_with(L"say:")) Say(STD_OUTPUT_HANDLE, 0);
    if (behaviour.starts_with(L"sleep:")) {
        Sleep(static_cast<DWORD>(std::stoul(behaviour.substr(6))));
        Write(last, "slept");
        ExitProcess(0);
    }
    if (behaviour == L"echo") {
        wchar_t folder[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, folder);
        std::string lines = platform::WideToUtf8(folder) + "\n";
        for (const std::wstring& argument : arguments) lines += platform::WideToUtf8(argument) + "\n";
        Write(last, lines);
        ExitProcess(0);
    }
    if (behaviour.starts_with(L"real:")) ExitProcess(RunReal(behaviour.substr(5), arguments));
    ExitProcess(99);
}();

}  // namespace

void SetToolDouble(const std::wstring& behaviour) {
    SetEnvironmentVariableW(kToolDoubleVariable, behaviour.empty() ? nullptr : behaviour.c_str());
}

void SetToolTally(const std::wstring& file) {
    SetEnvironmentVariableW(kToolTallyVariable, file.empty() ? nullptr : file.c_str());
}

std::wstring ThisExecutable() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace lw::app::testing
