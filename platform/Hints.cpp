#include "platform/Hints.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Control.h"

namespace lw::platform {
namespace {

// Wide enough for a sentence, after which the hint breaks into lines.
constexpr int kMaxHintWidth = 400;

TTTOOLINFOW ToolInfo(HWND owner, UINT_PTR id) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.uId = id;
    return info;
}

}  // namespace

THints::~THints() {
    if (window_ != nullptr) DestroyWindow(window_);
}

HWND THints::EnsureWindow() {
    if (window_ != nullptr && IsWindow(window_)) return window_;
    window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) return nullptr;
    SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, kMaxHintWidth);
    SendMessageW(window_, TTM_ACTIVATE, active_, 0);
    return window_;
}

void THints::Update(const TControl& control) {
    Remove(control);
    const std::wstring hint = control.HintW();
    if (hint.empty()) return;
    const auto* windowed = dynamic_cast<const TWinControl*>(&control);
    TTTOOLINFOW info{};
    if (windowed != nullptr && windowed->Handle() != nullptr) {
        const HWND parent = control.Parent() != nullptr ? control.Parent()->Handle() : windowed->Handle();
        info = ToolInfo(parent, reinterpret_cast<UINT_PTR>(windowed->Handle()));
        info.uFlags = TTF_IDISHWND;
    } else if (windowed == nullptr && control.Parent() != nullptr && control.Parent()->Handle() != nullptr) {
        info = ToolInfo(control.Parent()->Handle(), reinterpret_cast<UINT_PTR>(&control));
        const TBounds& b = control.Bounds();
        info.rect = {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
    } else {
        return;  // no window yet to hold the tool
    }
    const HWND tooltip = EnsureWindow();
    if (tooltip == nullptr) return;
    info.lpszText = const_cast<wchar_t*>(hint.c_str());
    if (SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE)
        tools_[&control] = {info.hwnd, info.uId};
}

void THints::Remove(const TControl& control) {
    const auto it = tools_.find(&control);
    if (it == tools_.end()) return;
    TTTOOLINFOW info = ToolInfo(it->second.Owner, it->second.Id);
    if (window_ != nullptr) SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    tools_.erase(it);
}

void THints::Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (window_ == nullptr || !active_ || tools_.empty()) return;
    const bool holdsTool = std::any_of(tools_.begin(), tools_.end(), [&](const auto& tool) {
        return tool.second.Owner == window || tool.second.Id == reinterpret_cast<UINT_PTR>(window);
    });
    if (!holdsTool) return;
    MSG relayed{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD at = GetMessagePos();
    relayed.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    SendMessageW(window_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void THints::SetActive(bool active) {
    active_ = active;
    if (window_ != nullptr) SendMessageW(window_, TTM_ACTIVATE, active, 0);
}

}  // namespace lw::platform
