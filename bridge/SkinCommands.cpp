#include "bridge/SkinCommands.h"

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "platform/Color.h"
#include "render/Surface.h"
#include "skin/BroadcastWalk.h"

namespace lw::bridge {

using platform::TControl;
using platform::TWinControl;

namespace {

bool BeingDestroyed(const TControl& control) { return (control.ComponentState() & platform::csDestroying) != 0; }

TWinControl* Windowed(TControl* control) { return dynamic_cast<TWinControl*>(control); }

WPARAM CommandWParam(unsigned command, unsigned low = 0) { return skin::SkinWParam(command, low); }

// The toolkit's control tree as the broadcast walk sees it.
struct ControlTree {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;

    int ChildCount(TControl* node) const {
        const TWinControl* container = Windowed(node);
        return container ? static_cast<int>(container->Controls().size()) : 0;
    }
    TControl* ChildAt(TControl* node, int index) const {
        return Windowed(node)->Controls()[static_cast<std::size_t>(index)];
    }
    skin::BroadcastRoute Route(TControl* child) const {
        if (BeingDestroyed(*child)) return skin::BroadcastRoute::Skip;
        const TWinControl* windowed = Windowed(child);
        if (windowed == nullptr || windowed->Handle() == nullptr) return skin::BroadcastRoute::Direct;
        return SendSkinCommandToWindow(windowed->Handle(), skin::SMC_ISSKINNED, 0) != 0 ? skin::BroadcastRoute::Send
                                                                                        : skin::BroadcastRoute::Descend;
    }
    void CallHandler(TControl* child) const { child->Perform(Message, WParam, LParam); }
    void Send(TControl* child) const { SendMessageW(Windowed(child)->Handle(), Message, WParam, LParam); }
};

// What a control answers for its colour: a skinned one's answer stands even when it is black;
// an unskinned one answers nothing, so its colour property is taken.
TColor AnsweredColor(TControl& control) {
    if (SendSkinCommand(&control, skin::SMC_ISSKINNED, 0) != 1) return ResolveColor(control.Color());
    return ResolveColor(
        static_cast<TColor>(control.Perform(skin::SM_ALPHACMD, CommandWParam(skin::SMC_GETBGCOLOR), TransparentKey)));
}

// The fallback of a background request nobody answered: the control paints Area of Target
// itself, through the erase and paint messages with Target's device context.
template <class Deliver>
bool PaintIntoTarget(render::TsBgRequest& info, Deliver deliver) {
    const HDC dc = DcOfSurface(info.Target);
    if (dc == nullptr) return false;
    const int saved = SaveDC(dc);
    const TPoint origin = info.Target->Origin();
    const TRect clip = info.Target->ClipBox();
    IntersectClipRect(dc, clip.Left + origin.X, clip.Top + origin.Y, clip.Right + origin.X, clip.Bottom + origin.Y);
    SetViewportOrgEx(dc, origin.X - info.OffsetX, origin.Y - info.OffsetY, nullptr);
    const TRect area{info.Area.Left + info.OffsetX, info.Area.Top + info.OffsetY, info.Area.Right + info.OffsetX,
                     info.Area.Bottom + info.OffsetY};
    IntersectClipRect(dc, area.Left, area.Top, area.Right, area.Bottom);
    deliver(dc);
    RestoreDC(dc, saved);
    return true;
}

// System classes ignore a context passed in WM_PAINT; they print into one on WM_PRINTCLIENT.
void ErasePaintWindow(HWND window, HDC dc) {
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (dynamic_cast<platform::TCustomControl*>(TWinControl::FromHandle(window)) != nullptr)
        SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    else
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

}  // namespace

LRESULT SendSkinCommand(TControl* control, unsigned command, LPARAM lParam, unsigned low) {
    if (control == nullptr || BeingDestroyed(*control)) return 0;
    if (const TWinControl* windowed = Windowed(control)) {
        if (windowed->Handle() == nullptr) return 0;
        return SendMessageW(windowed->Handle(), skin::SM_ALPHACMD, CommandWParam(command, low), lParam);
    }
    return control->Perform(skin::SM_ALPHACMD, CommandWParam(command, low), lParam);
}

LRESULT SendSkinCommandToWindow(HWND window, unsigned command, LPARAM lParam, unsigned low) {
    if (window == nullptr || !IsWindow(window)) return 0;
    if (const TWinControl* control = TWinControl::FromHandle(window); control != nullptr && BeingDestroyed(*control))
        return 0;
    return SendMessageW(window, skin::SM_ALPHACMD, CommandWParam(command, low), lParam);
}

bool IsSkinnedWindow(HWND window) { return SendSkinCommandToWindow(window, skin::SMC_ISSKINNED, 0) == 1; }

void BroadcastToChildren(TWinControl& container, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlTree tree{message, wParam, lParam};
    skin::BroadcastToChildren(tree, static_cast<TControl*>(&container));
}

bool RequestBackground(render::TsBgRequest& info, TControl& control, bool drawNow) {
    const bool paintIfUnanswered = info.DrawNow;
    info.Kind = 0;
    info.DrawNow = drawNow;
    const LPARAM request = reinterpret_cast<LPARAM>(&info);
    TWinControl* windowed = Windowed(&control);
    if (windowed != nullptr && windowed->Handle() != nullptr)
        SendMessageW(windowed->Handle(), skin::SM_ALPHACMD, CommandWParam(skin::SMC_GETBG), request);
    else
        control.Perform(skin::SM_ALPHACMD, CommandWParam(skin::SMC_GETBG), request);
    if (info.Kind != 0) return true;
    if (paintIfUnanswered) {
        const bool painted = PaintIntoTarget(info, [&](HDC dc) {
            if (windowed != nullptr && windowed->Handle() != nullptr) {
                ErasePaintWindow(windowed->Handle(), dc);
            } else {
                control.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
                control.Paint(dc);
            }
        });
        if (painted) return false;
    }
    info.Kind = 1;
    info.Color = AnsweredColor(control);
    if (drawNow && info.Target != nullptr) render::FillRectSolid(*info.Target, info.Area, info.Color);
    return false;
}

bool RequestBackground(render::TsBgRequest& info, HWND window, bool drawNow) {
    const bool paintIfUnanswered = info.DrawNow;
    info.Kind = 0;
    info.DrawNow = drawNow;
    SendSkinCommandToWindow(window, skin::SMC_GETBG, reinterpret_cast<LPARAM>(&info));
    if (info.Kind != 0) return true;
    if (paintIfUnanswered && window != nullptr && PaintIntoTarget(info, [&](HDC dc) { ErasePaintWindow(window, dc); }))
        return false;
    info.Kind = 1;
    const TsSkinManager* manager = DefaultSkinManager();
    info.Color = manager != nullptr ? manager->GetGlobalColor() : ResolveColor(platform::clBtnFace);
    return false;
}

TColor GetControlColor(TControl* control) { return control == nullptr ? TransparentKey : AnsweredColor(*control); }

TColor GetWindowColor(HWND window) {
    if (window == nullptr || !IsWindow(window)) return TransparentKey;
    if (IsSkinnedWindow(window))
        return ResolveColor(static_cast<TColor>(SendSkinCommandToWindow(window, skin::SMC_GETBGCOLOR, TransparentKey)));
    // An unskinned window gives no answer: a toolkit control still knows its colour.
    TWinControl* control = TWinControl::FromHandle(window);
    return control != nullptr ? ResolveColor(control->Color()) : TransparentKey;
}

}  // namespace lw::bridge
