#include "controls/base/CommonDataWindow.h"

#include "bridge/DibSection.h"
#include "bridge/LayeredGlowHost.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/base/core/ControlKinds.h"
#include "platform/Application.h"
#include "render/Glow.h"

namespace lw::controls {

using platform::TMessage;

bool HandleSkinCommand(TsCommonData& data, TMessage& m) {
    // Answered and ended here: the default handling after it would put 0 in place of the answer.
    if (skin::SkinCommandOf(m.WParam) == skin::SMC_GETAPPLICATION) {
        m.Result = reinterpret_cast<LRESULT>(platform::Application);
        return true;
    }
    skin::SkinMessage skin{skin::SkinCommandOf(m.WParam), skin::SkinLowWordOf(m.WParam), m.LParam, 0};
    const bool handled = data.HandleSkinCommand(skin);
    if (handled) m.Result = skin.Result;
    return handled;
}

void HideGlow(TsCommonData& data) {
    if (data.GlowId < 0) return;
    render::HideGlowWindow(bridge::ProcessGlows(), data.GlowId);
    data.GlowId = -1;
}

void ShowGlow(TsCommonData& data, platform::TControl& control, bool hidePrevious) {
    const skin::SkinManagerView* manager = data.GetSkinManager();
    const skin::TsGeneralData* gd = data.Section();
    if (manager == nullptr || !manager->GlowingAllowed() || gd == nullptr || gd->GlowCount < 1) return;
    const bool leftHeld = (GetKeyState(VK_LBUTTON) & 0x8000) != 0 && data.MouseInside();
    if (!data.MouseInside() || leftHeld || (hidePrevious && data.GlowId >= 0)) {
        HideGlow(data);
        return;
    }
    platform::TWinControl* parent = control.Parent();
    if (parent == nullptr) return;
    const platform::TBounds& b = control.Bounds();
    POINT origin{b.Left, b.Top};
    ClientToScreen(parent->Handle(), &origin);
    const TRect screen = RectOfSize(origin.x, origin.y, b.Width, b.Height);
    RECT client;
    GetClientRect(parent->Handle(), &client);
    POINT clientOrigin{0, 0};
    ClientToScreen(parent->Handle(), &clientOrigin);
    const TRect shown = Intersect(screen, RectOfSize(clientOrigin.x, clientOrigin.y, client.right, client.bottom));
    if (shown.IsEmpty()) return;
    // The glow is cut where the control is: its visible part is given in the control's own
    // coordinates.
    const TRect visible{shown.Left - screen.Left, shown.Top - screen.Top, shown.Right - screen.Left,
                        shown.Bottom - screen.Top};
    HWND form = GetAncestor(parent->Handle(), GA_ROOT);
    data.GlowId =
        render::ShowGlowWindow(bridge::ProcessGlows(), screen, visible, data.SkinSection(), manager->LoadedSkin(),
                               reinterpret_cast<render::OwnerWindow>(form), gd->GlowMargin, "GLOW");
}

namespace {

bool IsWindowed(const platform::TControl& c) { return dynamic_cast<const platform::TWinControl*>(&c) != nullptr; }

void MouseEntered(TsCommonData& data, platform::TControl& control) {
    if (!IsContainerKind(data.ControlKind)) data.SetMouseInside(true);
    if (!IsWindowed(control)) return;
    if (bridge::TsSkinManager* manager = bridge::DefaultSkinManager())
        manager->SetHoverWindow(static_cast<platform::TWinControl&>(control).Handle());
    if (!ShowsNoSharedGlow(data.ControlKind)) ShowGlow(data, control, false);
    if (IsEditLikeKind(data.ControlKind)) {
        data.MarkStale();
        data.Owner().RedrawFrame();
    }
}

void MouseLeft(TsCommonData& data, platform::TControl& control) {
    if (!IsContainerKind(data.ControlKind)) data.SetMouseInside(false);
    if (!ShowsNoSharedGlow(data.ControlKind)) {
        render::HideAllGlowWindows(bridge::ProcessGlows());
        data.GlowId = -1;
    }
    if (IsEditLikeKind(data.ControlKind) && control.Visible()) {
        data.MarkStale();
        data.Owner().RedrawFrame();
    }
}

void FocusChanged(TsCommonData& data, platform::TControl& control, bool focused) {
    auto* window = dynamic_cast<platform::TWinControl*>(&control);
    if (window == nullptr || !window->TabStop()) return;
    data.MarkStale();
    data.SetFocused(focused);
    if (IsEditLikeKind(data.ControlKind) && (focused || control.Visible())) data.Owner().RedrawFrame();
}

}  // namespace

bool HandleWindowMessage(TsCommonData& data, platform::TControl& control, TMessage& m) {
    switch (m.Msg) {
    case skin::SM_ALPHACMD:
        return HandleSkinCommand(data, m);
    case WM_MOVE:
        if (data.RepaintIfMoved()) {
            data.MarkStale();
            control.Perform(skin::SM_ALPHACMD, skin::SkinWParam(skin::SMC_BGMOVED, 1), 0);
            HideGlow(data);
        }
        return false;
    case WM_SIZE: {
        if (!data.Skinned()) return false;
        data.MarkStale();
        const skin::TsGeneralData* gd = data.Section();
        if (auto* window = dynamic_cast<platform::TWinControl*>(&control); window && gd && gd->GradientPercent > 0) {
            const auto& children = window->Controls();
            for (std::size_t i = 0; i < children.size(); ++i)
                if (IsWindowed(*children[i]) && !(children[i]->ComponentState() & platform::csDestroying))
                    children[i]->Perform(skin::SM_ALPHACMD, skin::SkinWParam(skin::SMC_BGMOVED, 1), 0);
        }
        HideGlow(data);
        return false;
    }
    case WM_SETFOCUS:
        FocusChanged(data, control, true);
        return false;
    case WM_KILLFOCUS:
        FocusChanged(data, control, false);
        return false;
    case platform::CM_ENABLEDCHANGED:
    case 0x001D:
        data.ForgetActivity();
        if (!control.Enabled()) HideGlow(data);
        return false;
    case WM_UPDATEUISTATE:
        return data.Skinned();
    case WM_PARENTNOTIFY:
        if (LOWORD(m.WParam) == WM_CREATE && IsWindowed(control)) data.Owner().AnnounceToForm();
        return false;
    case platform::CM_VISIBLECHANGED:
        if (data.CacheBmp) {
            if (control.Visible()) {
                data.EndUpdate();
                data.MarkStale();
            } else {
                *data.CacheBmp = render::Bitmap();
            }
        }
        return false;
    case platform::CM_MOUSEENTER:
        if (reinterpret_cast<platform::TControl*>(m.LParam) == &control) MouseEntered(data, control);
        return false;
    case platform::CM_MOUSELEAVE:
        if (reinterpret_cast<platform::TControl*>(m.LParam) == &control) MouseLeft(data, control);
        return false;
    default:
        return false;
    }
}

void CopyCacheToDC(TsCommonData& data, platform::TWinControl& control, POINT sourceOrigin, int offsetY, int offsetX,
                   bool restoreCorners, HDC dc, const RECT& destRect) {
    if (!data.CacheBmp || data.CacheBmp->Empty()) return;
    if (restoreCorners) data.RestoreCorners(0, 15);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, destRect.left, destRect.top, destRect.right, destRect.bottom);
    for (platform::TControl* child : control.Controls()) {
        if (!child->Visible()) continue;
        const platform::TBounds& b = child->Bounds();
        RECT r{b.Left + offsetX, b.Top + offsetY, b.Left + b.Width + offsetX, b.Top + b.Height + offsetY};
        RECT overlap;
        if (!IntersectRect(&overlap, &r, &destRect)) continue;
        // Windowed children paint themselves (the window clips them); windowless ones are
        // painted by the container afterwards.
        if (!IsWindowed(*child)) ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    bridge::BlitToDc(
        dc, destRect.left, destRect.top, *data.CacheBmp,
        RectOfSize(sourceOrigin.x, sourceOrigin.y, destRect.right - destRect.left, destRect.bottom - destRect.top));
    RestoreDC(dc, saved);
}

render::TextFont TextFontOf(const platform::TControl& control) {
    const platform::TFont& f = control.Font();
    render::TextFont font;
    font.Name = f.Name;
    font.Height = f.Height;
    font.Bold = f.Bold;
    font.Italic = f.Italic;
    font.Underline = f.Underline;
    font.Color = f.Color;
    return font;
}

}  // namespace lw::controls
