#include "controls/edits/Edit.h"

#include "bridge/DibSection.h"
#include "bridge/GdiTextEngine.h"
#include "bridge/SkinCommands.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/core/BorderPainting.h"
#include "controls/base/core/ControlKinds.h"
#include "controls/edits/core/EditFrame.h"
#include "platform/Handles.h"
#include "platform/Text.h"
#include "render/Background.h"
#include "render/Text.h"
#include "platform/Redraw.h"

namespace lw::controls {

using platform::TMessage;

TsEdit::TsEdit(platform::TComponent* owner, platform::TWinControl* parent)
    : TsSkinned({.ClassName = "TsEdit", .Kind = ckEdit, .IsEdit = true}, owner, parent, DefaultCreateParams()) {
    SkinData().ControlLoaded();
}

void TsEdit::SetDisabledKind(render::TsDisabledKinds kind) {
    if (kind == disabledKind_) return;
    disabledKind_ = kind;
    SkinData().InvalidateSkin();
}

namespace {

EditFrameStyle FrameStyleOf(HWND window) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    const bool clientEdge = (exStyle & WS_EX_CLIENTEDGE) != 0;
    return {.Border = clientEdge || (style & WS_BORDER) != 0, .Ctl3D = clientEdge};
}

// The frame ring of width b, from the cache into dc at the same places.
void CopyRing(HDC dc, const render::Bitmap& cache, int w, int h, int b) {
    if (b <= 0) return;
    const TRect strips[] = {{0, 0, w, b}, {0, h - b, w, h}, {0, b, b, h - b}, {w - b, b, w, h - b}};
    for (const TRect& s : strips)
        if (!s.IsEmpty()) bridge::BlitToDc(dc, s.Left, s.Top, cache, s);
}

}  // namespace

int TsEdit::FrameWidth() const { return EditFrameWidth(FrameStyleOf(Handle())); }
int TsEdit::TextInset() const { return EditTextInset(FrameStyleOf(Handle())); }

void TsEdit::PrepareCache() {
    TsCommonData& d = SkinData();
    d.EnsureCache();
    const platform::TBounds& b = Bounds();
    const bool active = d.Focused() || d.MouseInside();
    render::PaintControlItemFromParent(
        d.PaintRef(),
        [this](render::TsBgRequest& r) {
            if (Parent() != nullptr) bridge::RequestBackground(r, *Parent(), false);
        },
        true, true, *d.CacheBmp, {b.Left, b.Top}, RectOfSize(0, 0, b.Width, b.Height), active ? 1 : 0);

    // What the edit shows, as it shows it: a password edit one mask character per character.
    std::wstring shown = TextW();
    if (const auto mask = static_cast<wchar_t>(SendMessageW(Handle(), EM_GETPASSWORDCHAR, 0, 0)); mask != 0)
        shown.assign(shown.size(), mask);
    const CacheTextLayout layout = CacheText(TextInset());
    render::Surface surface(*d.CacheBmp);
    render::Canvas canvas{surface, bridge::ProcessTextEngine(), TextFontOf(*this)};
    render::ControlText text{d.PaintRef(), canvas.Font, d.CustomFont(), false, {}};
    render::WriteControlText(canvas, platform::WideToUtf8(shown), Enabled(), active, text, layout.Flags, layout.Rect);

    if (!Enabled())
        render::PaintDisabled(
            *d.CacheBmp, disabledKind_, [&d] { return d.SectionColor(false); }, {b.Left, b.Top}, d.ParentCacheInfo());
    d.MarkFresh();
}

TsEdit::CacheTextLayout TsEdit::CacheText(int a) const {
    const platform::TBounds& b = Bounds();
    return {{a + 1, a + 1, b.Width - a, b.Height - a}, DT_NOPREFIX | DT_SINGLELINE | DT_WORDBREAK};
}

bool TsEdit::CacheStale() const {
    const TsCommonData& d = SkinData();
    return d.BGChanged() || !d.CacheBmp || d.CacheBmp->Width() != Bounds().Width ||
           d.CacheBmp->Height() != Bounds().Height;
}

void TsEdit::PrepareCacheIfStale() {
    if (CacheStale()) PrepareCache();
}

void TsEdit::PaintFrame() {
    TsCommonData& d = SkinData();
    if (d.RefreshUpdating()) return;
    PrepareCacheIfStale();
    d.RestoreCorners(0, cnAll);
    HDC dc = GetWindowDC(Handle());
    CopyRing(dc, *d.CacheBmp, Bounds().Width, Bounds().Height, FrameWidth());
    ReleaseDC(Handle(), dc);
}

void TsEdit::PaintDisabledClient(HDC dc) {
    TsCommonData& d = SkinData();
    if (d.RefreshUpdating()) return;
    const platform::TBounds& b = Bounds();
    bool stale = CacheStale();
    if (Parent() != nullptr) {
        if (bridge::SendSkinCommand(Parent(), skin::SMC_ISHALFVISIBLE, 0) != 0) stale = true;
        RECT client{};
        GetClientRect(Parent()->Handle(), &client);
        d.SetHalfVisible(b.Left < 0 || b.Top < 0 || b.Left + b.Width > client.right ||
                         b.Top + b.Height > client.bottom);
        stale = stale || d.HalfVisible();
    }
    if (stale) PrepareCache();
    d.RestoreCorners(0, cnAll);
    // The client area starts inside the frame ring: the cache is copied shifted by it.
    const int ring = FrameWidth();
    bridge::BlitToDc(dc, 0, 0, *d.CacheBmp, {ring, ring, b.Width - ring, b.Height - ring});
}

void TsEdit::Print(HDC dc) {
    TsCommonData& d = SkinData();
    d.EndUpdate();
    PrepareCache();
    const platform::TBounds& b = Bounds();
    const int ring = FrameWidth();
    CopyRing(dc, *d.CacheBmp, b.Width, b.Height, ring);
    bridge::BlitToDc(dc, ring, ring, *d.CacheBmp, {ring, ring, b.Width - ring, b.Height - ring});
}

void TsEdit::PrintThrough(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    Print(dc);
    // The platform prints the field from the context's origin: that origin is the client's
    // corner inside the ring, and the field may cover nothing beyond it. The frame is printed.
    const int saved = SaveDC(dc);
    const int ring = FrameWidth();
    OffsetViewportOrgEx(dc, ring, ring, nullptr);
    IntersectClipRect(dc, 0, 0, Bounds().Width - 2 * ring, Bounds().Height - 2 * ring);
    m.LParam &= ~static_cast<LPARAM>(PRF_NONCLIENT);
    if (!HandleWindowMessage(SkinData(), *this, m)) TEdit::WndProc(m);
    RestoreDC(dc, saved);
}

void TsEdit::UpdateColours() {
    TsCommonData& d = SkinData();
    const skin::TsGeneralData* gd = d.Section();
    if (gd == nullptr) return;
    const bool active = d.Focused() || d.MouseInside();
    const TColor back = active ? static_cast<TColor>(gd->HotColor) : gd->Color;
    const TColor font = static_cast<TColor>(active ? gd->HotFontColor[0] : gd->FontColor[0]);
    if (!d.CustomColor() && Color() != back) SetColor(back);
    if (!d.CustomFont() && Font().Color != font) SkinOwnerOf().SetFontColor(font);
}

void TsEdit::RefreshLook() {
    if (ComponentState() & platform::csLoading) return;
    SkinData().InvalidateSkin();
    SendMessageW(Handle(), WM_NCPAINT, 1, 0);
}

void TsEdit::SkinCommand(TMessage& m) {
    TsCommonData& d = SkinData();
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_SKINLOADED:
    case skin::SMC_SKINREMOVED:
        if (!OwnCommand(m)) break;
        HandleSkinCommand(d, m);
        return;
    case skin::SMC_REFRESH:
        if (!OwnCommand(m)) break;
        HandleSkinCommand(d, m);
        platform::RedrawShown(Handle(), RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
        return;
    case skin::SMC_ENDUPDATE:
        if (d.EndUpdate()) {
            Invalidate();
            SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        }
        return;
    case skin::SMC_ISPOSDEPENDENT:
        m.Result = 0;  // the edit's image never depends on where it sits
        return;
    case skin::SMC_GETBGCOLOR:
        if (d.Skinned()) break;
        m.Result = static_cast<LRESULT>(ResolveColor(Color()) & 0xFFFFFF);
        return;
    default:
        break;
    }
    TsSkinned::SkinCommand(m);
}

void TsEdit::SkinnedMessage(TMessage& m) {
    TsCommonData& d = SkinData();
    switch (m.Msg) {
    case WM_PAINT: {
        if (d.RefreshUpdating()) {
            if (m.WParam == 0) platform::PaintScope validate(Handle());
            return;
        }
        UpdateColours();
        if (Enabled())
            TEdit::WndProc(m);
        else
            WithPaintDc(Handle(), m.WParam, [this](HDC dc) { PaintDisabledClient(dc); });
        return;
    }
    case WM_ERASEBKGND:
        if (d.Updating() || !Enabled()) {
            m.Result = 1;
            return;
        }
        TEdit::WndProc(m);
        return;
    case WM_NCPAINT:
        PaintFrame();
        return;
    case WM_PRINT:
        if (m.WParam != 0) {
            PrintThrough(m);
            return;
        }
        break;
    case platform::CM_COLORCHANGED:
        if (d.CustomColor()) d.MarkStale();
        break;
    default:
        break;
    }
    if (HandleWindowMessage(d, *this, m)) return;
    TEdit::WndProc(m);
    switch (m.Msg) {
    case WM_SIZE:
        SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        break;
    case WM_KILLFOCUS:
    case platform::CM_EXIT:
        d.ForgetActivity();
        d.MarkStale();
        if (Visible()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        break;
    case WM_SETTEXT:
    case WM_SETFONT:
    case platform::CM_VISIBLECHANGED:
    case platform::CM_ENABLEDCHANGED:
    case platform::CM_TEXTCHANGED:
        RefreshLook();
        break;
    default:
        break;
    }
}

}  // namespace lw::controls
