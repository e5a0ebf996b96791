#include "platform/DeferredRelease.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Component.h"
#include "platform/ErrorReport.h"
#include "platform/Exception.h"
#include "platform/Messages.h"

namespace lw::platform {
namespace {

std::vector<TComponent*>& Pending() {
    static std::vector<TComponent*> pending;
    return pending;
}

void FreePending() {
    // One at a time from the queue itself: freeing one may free others queued after it.
    auto& pending = Pending();
    while (!pending.empty()) {
        TComponent* component = pending.front();
        pending.erase(pending.begin());
        component->Free();
    }
}

LRESULT CALLBACK ReleaseWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != CM_RELEASE) return DefWindowProcW(window, message, wParam, lParam);
    try {
        FreePending();
    } catch (...) {
        ReportException(std::current_exception());
    }
    return 0;
}

HWND ReleaseWindow() {
    static const HWND window = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = ReleaseWndProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LwRelease";
        RegisterClassExW(&windowClass);
        return CreateWindowExW(0, L"LwRelease", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
    }();
    return window ? window : throw Exception("Cannot create window");
}

}  // namespace

void ScheduleRelease(TComponent* component) {
    auto& pending = Pending();
    if (std::find(pending.begin(), pending.end(), component) != pending.end()) return;
    const HWND window = ReleaseWindow();
    pending.push_back(component);
    PostMessageW(window, CM_RELEASE, 0, 0);
}

void CancelRelease(TComponent* component) noexcept { std::erase(Pending(), component); }

}  // namespace lw::platform
