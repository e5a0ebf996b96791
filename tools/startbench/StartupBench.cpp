// Start-up of Lumpwright.exe as a whole process, against the plain peer program that shows the
// main window's controls at the same places with no skin. Each run starts the program, waits
// until its main window is shown and nothing of it is left to paint, then ends it. The two
// programs alternate, so a busy machine weighs on both alike; medians and their ratio are the
// figures.
//   lw_startup_bench.exe <Lumpwright.exe> <lw_plain_window.exe> [runs]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD Process;
    HWND Found = nullptr;
};

HWND VisibleMainWindow(DWORD process) {
    Search search{process};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t text[64] = {};
            GetWindowTextW(window, text, 64);
            if (owner != s.Process || !IsWindowVisible(window) || std::wcscmp(text, L"Lumpwright 1.0") != 0)
                return TRUE;
            s.Found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool NothingLeftToPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool clean = true;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) {
            if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
            *reinterpret_cast<bool*>(data) = false;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&clean));
    return clean;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Seconds from starting the program to its main window shown and painted; negative on failure.
double TimeOneStart(const std::wstring& program, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return -1;
    double result = -1;
    const ULONGLONG limit = GetTickCount64() + 30000;
    WaitForInputIdle(process.hProcess, 30000);
    while (GetTickCount64() < limit && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        const HWND window = VisibleMainWindow(process.dwProcessId);
        if (window != nullptr && NothingLeftToPaint(window)) {
            QueryPerformanceCounter(&end);
            result = Seconds(start, end);
            break;
        }
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

// A folder of its own for each program, so that no configuration left by someone else is read.
std::wstring CopyIntoOwnFolder(const std::wstring& program, const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lw-startup-" + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\" + name + L".exe";
    if (!CopyFileW(program.c_str(), copy.c_str(), FALSE)) return {};
    DeleteFileW((folder + L"\\configuration.ini").c_str());
    return copy;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: lw_startup_bench <Lumpwright.exe> <lw_plain_window.exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 9;
    const std::wstring ours = CopyIntoOwnFolder(argv[1], L"Lumpwright");
    const std::wstring peer = CopyIntoOwnFolder(argv[2], L"plain");
    if (ours.empty() || peer.empty()) {
        std::fprintf(stderr, "cannot copy the programs into a folder of their own\n");
        return 2;
    }
    const std::wstring oursFolder = ours.substr(0, ours.rfind(L'\\'));
    const std::wstring peerFolder = peer.substr(0, peer.rfind(L'\\'));
    TimeOneStart(ours, oursFolder);  // once outside the figures: the files come into the cache
    TimeOneStart(peer, peerFolder);
    std::vector<double> oursTimes, peerTimes;
    for (int i = 0; i < runs; ++i) {
        const double a = TimeOneStart(ours, oursFolder);
        const double b = TimeOneStart(peer, peerFolder);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "run %d: a program did not show its painted main window\n", i + 1);
            return 1;
        }
        oursTimes.push_back(a);
        peerTimes.push_back(b);
        std::printf("run %2d: Lumpwright %7.1f ms   plain %7.1f ms\n", i + 1, a * 1e3, b * 1e3);
    }
    const double o = Median(oursTimes), p = Median(peerTimes);
    std::printf("median of %d: Lumpwright %.1f ms, plain %.1f ms, ratio %.2fx\n", runs, o * 1e3, p * 1e3, o / p);
    return 0;
}
