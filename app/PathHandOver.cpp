#include "app/PathHandOver.h"

namespace lw::app {
namespace {

constexpr wchar_t kReceiverMark[] = L"Lumpwright.OpenPath";
// Tells a hand-over from any other data sent to the window.
constexpr ULONG_PTR kHandOverTag = 0x4C57'0001;
// The longest path the system takes, in characters.
constexpr DWORD kMostCharacters = 32767;

HWND RunningReceiver() {
    struct Search {
        DWORD self;
        HWND found = nullptr;
    } search{GetCurrentProcessId()};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == s.self || !GetPropW(window, kReceiverMark)) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

void AcceptHandOvers(HWND window) { SetPropW(window, kReceiverMark, reinterpret_cast<HANDLE>(1)); }

bool HandOverToRunningWindow(const std::wstring& fullPath) {
    const HWND receiver = RunningReceiver();
    if (!receiver || fullPath.empty() || fullPath.size() > kMostCharacters) return false;
    COPYDATASTRUCT data{kHandOverTag, static_cast<DWORD>(fullPath.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(fullPath.data())};
    DWORD_PTR taken = 0;
    if (!SendMessageTimeoutW(receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000,
                             &taken) ||
        !taken) {
        return false;
    }
    // This process was just started by the user, so it may hand the foreground on.
    SetForegroundWindow(receiver);
    return true;
}

std::optional<std::wstring> HandedOverPath(LPARAM copyData) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    if (!data || data->dwData != kHandOverTag || !data->lpData || data->cbData == 0 ||
        data->cbData % sizeof(wchar_t) != 0 || data->cbData > kMostCharacters * sizeof(wchar_t)) {
        return std::nullopt;
    }
    std::wstring path(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    if (path.find(L'\0') != std::wstring::npos) return std::nullopt;
    return path;
}

}  // namespace lw::app
