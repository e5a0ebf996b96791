#pragma once
// Watches a folder of the file system for changes on a thread of its own and tells its owner on
// the user-interface thread. The thread exists only while a change handler is set.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Handles.h"

namespace lw::controls {

enum TgwNotifyFilter : unsigned {
    nfFileNameChange = 1 << 0,
    nfDirNameChange = 1 << 1,
    nfAttributeChange = 1 << 2,
    nfSizeChange = 1 << 3,
    nfWriteChange = 1 << 4,
    nfSecurityChange = 1 << 5,
};
using TgwNotifyFilters = unsigned;

// The platform's FILE_NOTIFY_CHANGE_* bits of a set of filters.
DWORD PlatformNotifyFilters(TgwNotifyFilters filters);

class TgwShellChangeNotifier {
public:
    // Watches "C:\" with its sub-tree for new, renamed and removed names; no thread yet.
    TgwShellChangeNotifier();
    // Stops the thread and waits for it to end.
    ~TgwShellChangeNotifier();
    TgwShellChangeNotifier(const TgwShellChangeNotifier&) = delete;
    TgwShellChangeNotifier& operator=(const TgwShellChangeNotifier&) = delete;

    // Changing a setting while the thread runs makes it watch anew with the new values; the
    // setter returns once it does.
    std::string Root() const;
    void SetRoot(const std::string& folder);
    bool WatchSubTree() const;
    void SetWatchSubTree(bool watch);
    TgwNotifyFilters NotifyFilters() const;
    void SetNotifyFilters(TgwNotifyFilters filters);

    // Run on the thread that made the notifier, some time after a change; changes that come
    // while one call is pending are told once. Setting a handler starts the thread; an empty
    // one stops it. The thread watches by the time this returns.
    void SetOnChange(std::function<void()> handler);
    bool Running() const { return thread_.joinable(); }

private:
    struct Settings {
        std::wstring Root;
        bool WatchSubTree = true;
        TgwNotifyFilters Filters = nfFileNameChange | nfDirNameChange;
    };
    static LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Start();
    void Stop();
    void Watch();
    // The settings changed: a running thread makes its notification anew.
    void Renew();

    Settings settings_;  // under the lock shared by all watchers
    std::function<void()> onChange_;
    HWND noticeWindow_ = nullptr;
    platform::KernelHandle stopRequest_;
    platform::KernelHandle renewRequest_;
    platform::KernelHandle armed_;  // the thread has made its notification (or failed to)
    std::atomic<bool> noticePending_ = false;
    std::atomic<bool> gaveUp_ = false;  // the thread ended by itself: nobody to renew
    std::thread thread_;
};

}  // namespace lw::controls
