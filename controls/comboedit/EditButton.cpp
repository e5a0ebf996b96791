#include "controls/comboedit/EditButton.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/core/ControlKinds.h"
#include "controls/images/core/AlphaDrawing.h"
#include "platform/Handles.h"
#include "render/Blit.h"
#include "render/Surface.h"
#include "platform/Redraw.h"

namespace lw::controls {

using controls::TsCommonData;
using platform::TMessage;

TsEditButton::TsEditButton(platform::TComponent* owner, platform::TWinControl* parent)
    : TsSkinned({.ClassName = "TsEditButton", .Kind = controls::ckSpeedButton, .PaintsWhileLoading = true}, owner,
                parent) {
    Name = "Button";
    SetTabStop(false);
    SkinData().SetSkinSection("SPEEDBUTTON_SMALL");
    SkinData().ControlLoaded();
}

TsEditButton::~TsEditButton() { controls::StopFade(fadeTimer_); }

void TsEditButton::SetBlend(int value) {
    value = std::clamp(value, 0, 100);
    if (value == blend_) return;
    blend_ = value;
    SkinData().InvalidateSkin();
}

void TsEditButton::SetGrayed(bool value) {
    if (value == grayed_) return;
    grayed_ = value;
    SkinData().InvalidateSkin();
}

int TsEditButton::State() const {
    if (Handle() != nullptr && (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0) return 2;
    return SkinData().MouseInside() ? 1 : 0;
}

std::optional<EditButtonGlyph> TsEditButton::GlyphToDraw(int state) const {
    if (!Glyph) return std::nullopt;
    EditButtonGlyph g = Glyph(state);
    if (g.List == nullptr || g.Index < 0 || g.Index >= g.List->Count()) return std::nullopt;
    return g;
}

void TsEditButton::DrawGlyph(render::Bitmap& target, int state) const {
    const std::optional<EditButtonGlyph> glyph = GlyphToDraw(state);
    if (!glyph) return;
    const EditButtonGlyph& g = *glyph;
    const controls::GlyphSlice slice = controls::SliceOf(g.List->Width(), g.List->Height(), g.StateCount, g.State);
    const platform::TBounds& b = Bounds();
    const skin::TsGeneralData* gd = SkinData().Section();
    const TColor tone = state == 0 && grayed_ && gd != nullptr ? ResolveColor(gd->Color) : controls::NoTone;
    g.List->DrawGlyph(target, (b.Width - slice.Size.X) / 2, (b.Height - slice.Size.Y) / 2, false, g.StateCount, g.State,
                      tone, state == 0 ? blend_ : 0, g.Index);
}

void TsEditButton::PrepareCache() {
    TsCommonData& d = SkinData();
    d.EnsureCache();
    if (d.CacheBmp->Empty()) return;
    if (PaintBackground) {
        PaintBackground(*d.CacheBmp);
    } else {
        render::Surface surface(*d.CacheBmp);
        render::FillRectSolid(surface, d.CacheBmp->Bounds(), ResolveColor(d.SectionColor(false)));
    }
    DrawGlyph(*d.CacheBmp, State());
    d.MarkFresh();
}

void TsEditButton::Paint(HDC dc) {
    TsCommonData& d = SkinData();
    if (d.RefreshUpdating() || fadeTimer_ != nullptr) return;  // a running fade paints its own frames
    PrepareCache();
    if (!d.CacheBmp || d.CacheBmp->Empty()) return;
    bridge::BlitToDc(dc, 0, 0, *d.CacheBmp, d.CacheBmp->Bounds());
}

bool TsEditButton::Inside(LPARAM point) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return PtInRect(&client, {GET_X_LPARAM(point), GET_Y_LPARAM(point)}) != 0;
}

// Pressing and releasing show at once; only entry and exit fade.
void TsEditButton::SetPushed(bool pushed) {
    if (Handle() == nullptr || (State() == 2) == pushed) return;
    SendMessageW(Handle(), BM_SETSTATE, pushed, 0);
    if (!CanPaint() || !SkinData().Skinned()) return;
    controls::StopFade(fadeTimer_);
    SkinData().MarkStale();
    RepaintNow();
}

void TsEditButton::RepaintNow() { platform::RedrawShown(Handle(), RDW_INVALIDATE | RDW_UPDATENOW); }

// Unskinned: a flat speed button, raised under the mouse and sunken while held.
void TsEditButton::DrawItem(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    const int state = (item.itemState & ODS_SELECTED) ? 2 : SkinData().MouseInside() ? 1 : 0;
    const TColor face = Parent() != nullptr ? ResolveColor(Parent()->Color()) : GetSysColor(COLOR_WINDOW);
    platform::BrushHandle background(CreateSolidBrush(face & 0xFFFFFF));
    FillRect(item.hDC, &r, background.get());
    if (state == 2)
        DrawEdge(item.hDC, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (state == 1)
        DrawEdge(item.hDC, &r, BDR_RAISEDINNER, BF_RECT);
    const std::optional<EditButtonGlyph> glyph = GlyphToDraw(state);
    if (!glyph) return;
    const EditButtonGlyph& g = *glyph;
    const controls::GlyphSlice slice = controls::SliceOf(g.List->Width(), g.List->Height(), g.StateCount, g.State);
    // The glyph's own state frame is drawn over what the edge left, the rest of the strip
    // outside the button.
    const int x = (r.right - r.left - slice.Size.X) / 2, y = (r.bottom - r.top - slice.Size.Y) / 2;
    bridge::TsDibSection canvas(slice.Size.X, slice.Size.Y, render::PixelFormat::pf24bit);
    BitBlt(canvas.Dc(), 0, 0, slice.Size.X, slice.Size.Y, item.hDC, x, y, SRCCOPY);
    GdiFlush();
    g.List->DrawGlyph(canvas.Bitmap(), 0, 0, false, g.StateCount, g.State,
                      state == 0 && grayed_ ? GetSysColor(COLOR_BTNFACE) : controls::NoTone, state == 0 ? blend_ : 0,
                      g.Index);
    BitBlt(item.hDC, x, y, slice.Size.X, slice.Size.Y, canvas.Dc(), 0, 0, SRCCOPY);
}

void TsEditButton::MouseMoved(bool entered) {
    TsCommonData& d = SkinData();
    if (d.MouseInside() == entered) return;
    d.SetMouseInside(entered);
    if (entered && OnMouseEnter) OnMouseEnter();
    if (!entered && OnMouseLeave) OnMouseLeave();
    if (!CanPaint() || !d.Skinned() || !Enabled()) {
        Invalidate();
        return;
    }
    d.MarkFresh();
    const controls::TgwAnimatEvent event = entered ? controls::aeMouseEnter : controls::aeMouseLeave;
    controls::ChangeLook(fadeTimer_, *this, d, false, 1,
                         controls::ShouldAnimate(event, AnimatEvents, skin::DefaultManager()));
}

void TsEditButton::SkinCommand(TMessage& m) {
    TsCommonData& d = SkinData();
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_SKINLOADED:
    case skin::SMC_SKINREMOVED:
    case skin::SMC_REFRESH:
        controls::StopFade(fadeTimer_);
        controls::HandleSkinCommand(d, m);
        Invalidate();
        return;
    case skin::SMC_STOPANIM:
        controls::StopFade(fadeTimer_);
        return;
    case skin::SMC_PREPARECACHE:
        PrepareCache();
        controls::HandleSkinCommand(d, m);
        return;
    case skin::SMC_FADEFRAME:
        m.Result = 0;  // the fade timer copies the frame onto the window itself
        return;
    case skin::SMC_ENDUPDATE:
        if (d.EndUpdate()) {
            Invalidate();
        }
        return;
    default:
        TsSkinned::SkinCommand(m);
        return;
    }
}

// The button is a part of its combo edit, which announces itself to the form: the button took
// its section when it was made and does nothing more once loaded.
bool TsEditButton::SkinLoaded(TMessage&) { return false; }

void TsEditButton::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        m.Result = TRUE;
        return;
    case platform::CM_MOUSEENTER:
    case platform::CM_MOUSELEAVE:
        if (reinterpret_cast<platform::TControl*>(m.LParam) == this) MouseMoved(m.Msg == platform::CM_MOUSEENTER);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Enabled()) break;
        // Held here rather than by the platform's button, which would take the focus from
        // the field: the keyboard stays with the text.
        tracking_ = true;
        SetCapture(Handle());
        SetPushed(true);
        return;
    case WM_MOUSEMOVE:
        if (tracking_) SetPushed(Inside(m.LParam));
        break;  // on to the toolkit, which tells entry and exit
    case WM_LBUTTONUP:
        if (!tracking_) break;
        tracking_ = false;
        SetPushed(false);
        ReleaseCapture();
        if (Inside(m.LParam)) Click();
        return;
    case WM_CAPTURECHANGED:
        if (tracking_ && reinterpret_cast<HWND>(m.LParam) != Handle()) {
            tracking_ = false;
            SetPushed(false);
        }
        break;
    default:
        break;
    }
    TsSkinned::Dispatch(m);
}

void TsEditButton::SkinnedMessage(TMessage& m) {
    TsCommonData& d = SkinData();
    switch (m.Msg) {
    case WM_PAINT:
        controls::WithPaintDc(Handle(), m.WParam, [this](HDC dc) { Paint(dc); });
        m.Result = 0;
        return;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_WINDOWPOSCHANGED:
        d.MarkStale();
        break;
    case platform::CN_DRAWITEM:
        m.Result = 1;  // painted from the cache already
        return;
    default:
        break;
    }
    if (!controls::HandleWindowMessage(d, *this, m)) TButton::WndProc(m);
}

}  // namespace lw::controls
