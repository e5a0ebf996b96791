#include "controls/adapters/WindowSkinOwner.h"

#include "bridge/SkinCommands.h"
#include "controls/base/core/CommonData.h"
#include "platform/Text.h"
#include "platform/Redraw.h"

namespace lw::controls {

std::string WindowSkinOwner::ClassName() const {
    wchar_t name[64] = {};
    GetClassNameW(window_, name, 64);
    return platform::WideToUtf8(name);
}

TRect WindowSkinOwner::BoundsInParent() const {
    RECT r{};
    GetWindowRect(window_, &r);
    if (HWND parent = GetParent(window_)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return TRect{r.left, r.top, r.right, r.bottom};
}

TColor WindowSkinOwner::ParentColorProperty() const {
    HWND parent = GetParent(window_);
    return parent != nullptr ? bridge::GetWindowColor(parent) : TransparentKey;
}

TColor WindowSkinOwner::ParentColor() const {
    HWND parent = GetParent(window_);
    return parent != nullptr ? bridge::GetWindowColor(parent) : clBtnFaceRef;
}

bool WindowSkinOwner::RequestParentBackground(render::TsBgRequest& request, bool drawNow) {
    HWND parent = GetParent(window_);
    return parent != nullptr && bridge::RequestBackground(request, parent, drawNow);
}

std::intptr_t WindowSkinOwner::SendToParent(unsigned command, unsigned low, std::intptr_t lParam) {
    return bridge::SendSkinCommandToWindow(GetParent(window_), command, lParam, low);
}

std::intptr_t WindowSkinOwner::SendToSelf(unsigned command, unsigned low, std::intptr_t lParam) {
    return bridge::SendSkinCommandToWindow(window_, command, lParam, low);
}

void WindowSkinOwner::SendToChildren(unsigned command, unsigned low, std::intptr_t lParam) {
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        bridge::SendSkinCommandToWindow(child, command, lParam, low);
    }
}

void WindowSkinOwner::InvalidateWithChildren() { platform::RedrawShown(window_, RDW_INVALIDATE | RDW_ALLCHILDREN); }

void WindowSkinOwner::RedrawFrame() { platform::RedrawShown(window_, RDW_FRAME | RDW_INVALIDATE); }

}  // namespace lw::controls
