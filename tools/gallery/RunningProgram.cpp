#include "tools/gallery/RunningProgram.h"

#include <stdexcept>
#include <thread>

namespace lw::gallery {

namespace {

std::string Narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

HWND FindChild(HWND parent, const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>& match;
        HWND found = nullptr;
    } search{match};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            if (!s.match(child)) return TRUE;
            s.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    return FindChild(parent, [&](HWND child) { return TextOf(child) == text; });
}

HWND ChildOfClass(HWND parent, const std::wstring& kind, LONG style) {
    return FindChild(parent, [&](HWND child) {
        return _wcsicmp(ClassOf(child).c_str(), kind.c_str()) == 0 &&
               (GetWindowLongW(child, GWL_STYLE) & style) == style;
    });
}

RunningProgram::RunningProgram(const std::wstring& program, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process_)) {
        throw std::runtime_error("cannot start " + Narrow(program));
    }
    WaitForInputIdle(process_.hProcess, 30000);
}

RunningProgram::~RunningProgram() {
    EnumWindows(
        [](HWND window, LPARAM process) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == static_cast<DWORD>(process) && IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
            return TRUE;
        },
        static_cast<LPARAM>(process_.dwProcessId));
    if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND RunningProgram::TopLevel(const std::wstring& caption) const {
    struct Search {
        DWORD process;
        const std::wstring& caption;
        HWND found = nullptr;
    } search{process_.dwProcessId, caption};
    const bool shown = WaitFor([&] {
        EnumWindows(
            [](HWND window, LPARAM data) {
                auto& s = *reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s.process || !IsWindowVisible(window) || TextOf(window) != s.caption) return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    if (!shown) throw std::runtime_error("the window \"" + Narrow(caption) + "\" did not appear");
    return search.found;
}

void RunningProgram::WaitUntilHidden(HWND window) const {
    if (!WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); })) {
        throw std::runtime_error("the window \"" + Narrow(TextOf(window)) + "\" stayed open");
    }
}

void Press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void Pick(HWND list, int index) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

}  // namespace lw::gallery
