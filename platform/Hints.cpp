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
    for (auto& [control, tool] : tools_) AddTool(tool);
    return window_;
}

void THints::AddTool(Tool& tool) const {
    TTTOOLINFOW info = ToolInfo(tool.Owner, tool.Id);
    info.uFlags = tool.Flags;
    info.rect = tool.Rect;
    info.lpszText = const_cast<wchar_t*>(tool.Text.c_str());
    tool.Added = SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void THints::Update(const TControl& control) {
    Remove(control);
    Tool tool{};
    tool.Text = control.HintW();
    if (tool.Text.empty()) return;
    const auto* windowed = dynamic_cast<const TWinControl*>(&control);
    if (windowed != nullptr && windowed->Handle() != nullptr) {
        tool.Owner = control.Parent() != nullptr ? control.Parent()->Handle() : windowed->Handle();
        tool.Id = reinterpret_cast<UINT_PTR>(windowed->Handle());
        tool.Flags = TTF_IDISHWND;
    } else if (windowed == nullptr && control.Parent() != nullptr && control.Parent()->Handle() != nullptr) {
        tool.Owner = control.Parent()->Handle();
        tool.Id = reinterpret_cast<UINT_PTR>(&control);
        const TBounds& b = control.Bounds();
        tool.Rect = {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
    } else {
        return;  // no window yet to hold the tool
    }
    Tool& kept = tools_[&control] = std::move(tool);
    if (window_ != nullptr) AddTool(kept);
}

void THints::Remove(const TControl& control) {
    const auto it = tools_.find(&control);
    if (it == tools_.end()) return;
    if (window_ != nullptr && it->second.Added) {
        TTTOOLINFOW info = ToolInfo(it->second.Owner, it->second.Id);
        SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    tools_.erase(it);
}

void THints::Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!active_ || tools_.empty()) return;
    const bool holdsTool = std::any_of(tools_.begin(), tools_.end(), [&](const auto& tool) {
        return tool.second.Owner == window || tool.second.Id == reinterpret_cast<UINT_PTR>(window);
    });
    if (!holdsTool || EnsureWindow() == nullptr) return;
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
