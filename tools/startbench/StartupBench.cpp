// Start-up of Lumpwright.exe as a whole process, against the plain peer program that shows the
// main window's controls at the same places with no skin. Each run starts the program and
// notes two moments: its main window shown with nothing of it left to paint, and its thread
// answering a message (the start's work done, hidden windows included). Then it reads the
// process's memory and ends it. The two programs alternate, so a busy machine weighs on both
// alike; medians and their ratios are the figures.
//   lw_startup_bench.exe <Lumpwright.exe> <lw_plain_window.exe> [runs]

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <optional>
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

struct Start {
    double Painted = -1;    // seconds until the main window is shown and painted
    double Answering = -1;  // seconds until its thread answers a message
    // Bytes after the start: anonymous resident memory and the whole resident set. Under Wine
    // the system reads both from the Linux process's status: RssAnon (plus swap) is the
    // "page file" use, VmRSS the working set.
    std::size_t Anonymous = 0;
    std::size_t Resident = 0;
};

// One start, or nullopt when the program did not show its painted main window in time. Nothing
// waits for the program to idle before its window is seen: the window is looked for from the
// start on, as a user would see it.
std::optional<Start> MeasureOneStart(const std::wstring& program, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return std::nullopt;
    Start result;
    HWND window = nullptr;
    const ULONGLONG limit = GetTickCount64() + 30000;
    while (GetTickCount64() < limit && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        window = VisibleMainWindow(process.dwProcessId);
        if (window != nullptr && NothingLeftToPaint(window)) {
            QueryPerformanceCounter(&now);
            result.Painted = Seconds(start, now);
            break;
        }
        Sleep(1);
    }
    DWORD_PTR ignored = 0;
    if (result.Painted >= 0 && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored) != 0) {
        QueryPerformanceCounter(&now);
        result.Answering = Seconds(start, now);
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
            result.Anonymous = memory.PagefileUsage;
            result.Resident = memory.WorkingSetSize;
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (result.Answering < 0) return std::nullopt;
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

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename T, typename Field>
std::vector<T> Each(const std::vector<Start>& starts, Field field) {
    std::vector<T> values;
    for (const Start& s : starts) values.push_back(static_cast<T>(s.*field));
    return values;
}

double Megabytes(std::size_t bytes) { return double(bytes) / (1024.0 * 1024.0); }

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
    MeasureOneStart(ours, oursFolder);  // once outside the figures: the files come into the cache
    MeasureOneStart(peer, peerFolder);
    std::vector<Start> oursStarts, peerStarts;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Start> a = MeasureOneStart(ours, oursFolder);
        const std::optional<Start> b = MeasureOneStart(peer, peerFolder);
        if (!a || !b) {
            std::fprintf(stderr, "run %d: a program did not show its painted main window\n", i + 1);
            return 1;
        }
        oursStarts.push_back(*a);
        peerStarts.push_back(*b);
        std::printf(
            "run %2d: painted Lumpwright %7.1f ms, plain %7.1f ms; answering %7.1f ms, %7.1f ms; "
            "anonymous %5.1f MB, %5.1f MB\n",
            i + 1, a->Painted * 1e3, b->Painted * 1e3, a->Answering * 1e3, b->Answering * 1e3, Megabytes(a->Anonymous),
            Megabytes(b->Anonymous));
    }
    const double op = Median(Each<double>(oursStarts, &Start::Painted));
    const double pp = Median(Each<double>(peerStarts, &Start::Painted));
    const double oa = Median(Each<double>(oursStarts, &Start::Answering));
    const double pa = Median(Each<double>(peerStarts, &Start::Answering));
    std::printf("median of %d: painted Lumpwright %.1f ms, plain %.1f ms, ratio %.2fx\n", runs, op * 1e3, pp * 1e3,
                op / pp);
    std::printf("median of %d: answering Lumpwright %.1f ms, plain %.1f ms, ratio %.2fx\n", runs, oa * 1e3, pa * 1e3,
                oa / pa);
    const double om = Megabytes(Median(Each<std::size_t>(oursStarts, &Start::Anonymous)));
    const double pm = Megabytes(Median(Each<std::size_t>(peerStarts, &Start::Anonymous)));
    const double orss = Megabytes(Median(Each<std::size_t>(oursStarts, &Start::Resident)));
    const double prss = Megabytes(Median(Each<std::size_t>(peerStarts, &Start::Resident)));
    std::printf(
        "median of %d: anonymous resident Lumpwright %.1f MB, plain %.1f MB, difference %.1f MB "
        "(resident %.1f MB, %.1f MB)\n",
        runs, om, pm, om - pm, orss, prss);
    return 0;
}
