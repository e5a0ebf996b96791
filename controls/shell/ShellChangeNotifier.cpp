#include "controls/shell/ShellChangeNotifier.h"

#include <memory>

#include "platform/Text.h"

namespace lw::controls {
namespace {

// One lock for the settings of every watcher and its thread.
std::mutex& WatchersLock() {
    static std::mutex lock;
    return lock;
}

constexpr UINT kChangeNotice = WM_APP + 1;
constexpr wchar_t kNoticeClass[] = L"LwShellChangeNotice";

struct ChangeNotificationCloser {
    void operator()(HANDLE handle) const noexcept { FindCloseChangeNotification(handle); }
};
using ChangeNotification = std::unique_ptr<void, ChangeNotificationCloser>;

HWND MakeNoticeWindow(WNDPROC procedure, void* owner) {
    static const ATOM atom = [procedure] {
        WNDCLASSW type{};
        type.lpfnWndProc = procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = kNoticeClass;
        return RegisterClassW(&type);
    }();
    (void)atom;
    HWND window =
        CreateWindowExW(0, kNoticeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

}  // namespace

DWORD PlatformNotifyFilters(TgwNotifyFilters filters) {
    static constexpr std::pair<TgwNotifyFilter, DWORD> kBits[] = {
        {nfFileNameChange, FILE_NOTIFY_CHANGE_FILE_NAME},   {nfDirNameChange, FILE_NOTIFY_CHANGE_DIR_NAME},
        {nfAttributeChange, FILE_NOTIFY_CHANGE_ATTRIBUTES}, {nfSizeChange, FILE_NOTIFY_CHANGE_SIZE},
        {nfWriteChange, FILE_NOTIFY_CHANGE_LAST_WRITE},     {nfSecurityChange, FILE_NOTIFY_CHANGE_SECURITY},
    };
    DWORD platform = 0;
    for (const auto& [ours, theirs] : kBits)
        if (filters & ours) platform |= theirs;
    return platform;
}

TgwShellChangeNotifier::TgwShellChangeNotifier()
    : stopRequest_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      renewRequest_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      armed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    settings_.Root = L"C:\\";
    noticeWindow_ = MakeNoticeWindow(&NoticeProc, this);
}

TgwShellChangeNotifier::~TgwShellChangeNotifier() {
    Stop();
    // Notices still queued die with the window.
    DestroyWindow(noticeWindow_);
}

std::string TgwShellChangeNotifier::Root() const {
    std::lock_guard guard(WatchersLock());
    return platform::WideToUtf8(settings_.Root);
}

bool TgwShellChangeNotifier::WatchSubTree() const {
    std::lock_guard guard(WatchersLock());
    return settings_.WatchSubTree;
}

TgwNotifyFilters TgwShellChangeNotifier::NotifyFilters() const {
    std::lock_guard guard(WatchersLock());
    return settings_.Filters;
}

void TgwShellChangeNotifier::SetRoot(const std::string& folder) {
    {
        std::lock_guard guard(WatchersLock());
        settings_.Root = platform::Utf8ToWide(folder);
    }
    Renew();
}

void TgwShellChangeNotifier::SetWatchSubTree(bool watch) {
    {
        std::lock_guard guard(WatchersLock());
        settings_.WatchSubTree = watch;
    }
    Renew();
}

void TgwShellChangeNotifier::SetNotifyFilters(TgwNotifyFilters filters) {
    {
        std::lock_guard guard(WatchersLock());
        settings_.Filters = filters;
    }
    Renew();
}

void TgwShellChangeNotifier::Renew() {
    if (!Running() || gaveUp_) return;
    SetEvent(renewRequest_.get());
    WaitForSingleObject(armed_.get(), INFINITE);
}

void TgwShellChangeNotifier::SetOnChange(std::function<void()> handler) {
    onChange_ = std::move(handler);
    if (onChange_ && !Running()) Start();
    if (!onChange_) Stop();
}

void TgwShellChangeNotifier::Start() {
    ResetEvent(stopRequest_.get());
    ResetEvent(renewRequest_.get());
    ResetEvent(armed_.get());
    gaveUp_ = false;
    thread_ = std::thread([this] { Watch(); });
    WaitForSingleObject(armed_.get(), INFINITE);
}

void TgwShellChangeNotifier::Stop() {
    if (!Running()) return;
    SetEvent(stopRequest_.get());
    thread_.join();
}

// The thread never waits for the user-interface thread: that one may be stopping it.
void TgwShellChangeNotifier::Watch() {
    for (;;) {
        Settings now;
        {
            std::lock_guard guard(WatchersLock());
            now = settings_;
        }
        // A folder that cannot be watched leaves the thread waiting for new settings or the end.
        ChangeNotification change;
        HANDLE made =
            FindFirstChangeNotificationW(now.Root.c_str(), now.WatchSubTree, PlatformNotifyFilters(now.Filters));
        if (made != INVALID_HANDLE_VALUE) change.reset(made);
        SetEvent(armed_.get());
        bool renew = false;
        while (!renew) {
            const HANDLE waits[] = {stopRequest_.get(), renewRequest_.get(), change.get()};
            const DWORD count = change ? 3 : 2;
            const DWORD woken = WaitForMultipleObjects(count, waits, FALSE, INFINITE);
            if (woken == WAIT_OBJECT_0 + 1) {
                renew = true;
            } else if (woken == WAIT_OBJECT_0 + 2) {
                if (!noticePending_.exchange(true)) PostMessageW(noticeWindow_, kChangeNotice, 0, 0);
                if (WaitForSingleObject(stopRequest_.get(), 0) == WAIT_OBJECT_0) return;
                if (!FindNextChangeNotification(change.get())) change.reset();
            } else if (woken == WAIT_OBJECT_0) {
                return;
            } else {
                gaveUp_ = true;  // the wait itself failed: nothing more can be watched
                return;
            }
        }
    }
}

LRESULT CALLBACK TgwShellChangeNotifier::NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kChangeNotice) return DefWindowProcW(window, message, wParam, lParam);
    auto* self = reinterpret_cast<TgwShellChangeNotifier*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return 0;
    self->noticePending_ = false;
    if (self->onChange_) self->onChange_();
    return 0;
}

}  // namespace lw::controls
