// The edit adapter: the skin section's frame painted around a platform-drawn edit or list box
// (from the common data's cache), its colours, printing, and the scroll-bar refreshes after
// everything that can move the content.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/base/core/BorderPainting.h"
#include "controls/adapters/ScrollParts.h"
#include "render/Background.h"
#include "render/Disabled.h"
#include "render/Surface.h"
#include "platform/Redraw.h"

namespace lw::controls {

namespace {

// Copies the band `width` pixels wide along the edges of the cache to the device context.
void CopyFrameRing(HDC dc, const render::Bitmap& cache, int width) {
    const int w = cache.Width();
    const int h = cache.Height();
    if (width <= 0 || w <= 0 || h <= 0) return;
    bridge::BlitToDc(dc, 0, 0, cache, {0, 0, w, std::min(width, h)});
    bridge::BlitToDc(dc, 0, std::max(0, h - width), cache, {0, std::max(0, h - width), w, h});
    bridge::BlitToDc(dc, 0, 0, cache, {0, 0, std::min(width, w), h});
    bridge::BlitToDc(dc, std::max(0, w - width), 0, cache, {std::max(0, w - width), 0, w, h});
}

bool IsVisible(HWND window) { return IsWindowVisible(window) != FALSE; }

}  // namespace

TgwEditWnd::TgwEditWnd(HWND window, std::string_view section, skin::SkinManagerView* manager, TsCommonData* data)
    : TgwBaseWnd(window, section, manager, data) {
    SkinData().SetSkinSection(section.empty() ? std::string_view("EDIT") : section);
}

// --- colours ------------------------------------------------------------------------------------

void TgwEditWnd::SaveStdColors() {
    SkinOwner& owner = SkinData().Owner();
    if (!owner.IsControl()) return;
    SavedColor = owner.ColorProperty();
    SavedFontColor = owner.FontColor();
}

// The frame is not recalculated here: while the adapter is hooked that would compute our own
// frame once more, and unhooking gives the platform its frame back anyway.
void TgwEditWnd::RestoreStdColors() {
    SkinOwner& owner = SkinData().Owner();
    if (!owner.IsControl() || owner.Destroying()) return;
    owner.SetColorProperty(SavedColor);
    owner.SetFontColor(SavedFontColor);
}

void TgwEditWnd::SetSkinColors() {
    TsCommonData& data = SkinData();
    PreventStyleChange = true;
    ColorsApplied = true;
    SkinOwner& owner = data.Owner();
    if (owner.IsControl()) {
        const bool hot = data.Focused() || data.MouseInside();
        if (!data.CustomColor()) {
            const TColor v = data.SectionColor(hot);
            if (owner.ColorProperty() != v) owner.SetColorProperty(v);
        }
        const skin::TsGeneralData* section = data.Section();
        if (!data.CustomFont() && section != nullptr) {
            const std::int32_t hotFont = section->HotFontColor[0];
            const TColor font = static_cast<TColor>(hotFont >= 0 ? hotFont : section->FontColor[0]);
            if (owner.FontColor() != font) owner.SetFontColor(font);
        }
    }
    data.MarkStale();
    PreventStyleChange = false;
}

// --- the frame ----------------------------------------------------------------------------------

void TgwEditWnd::PaintFrameToCache() {
    TsCommonData& data = SkinData();
    if (!IsWindow(Handle()) || !data.BGChanged()) return;
    RefreshGeometry();
    const int w = WindowSize.cx;
    const int h = WindowSize.cy;
    if (w <= 0 || h <= 0) return;
    if (!data.CacheBmp || data.CacheBmp->Width() != w || data.CacheBmp->Height() != h) {
        data.CacheBmp = std::make_unique<render::Bitmap>(render::CreateBmp24(w, h));
    }
    render::Bitmap& cache = *data.CacheBmp;
    const TColor borderColor = DialogBorderColor();
    if (DialogMode && borderColor != TransparentKey) {
        render::Surface surface(cache);
        render::FillRectSolid(surface, cache.Bounds(), ResolveColor(borderColor));
        // Inside the border line, the field's own colour: the platform's window colour would
        // ring a dark field in white.
        render::FillRectSolid(surface, {1, 1, w - 1, h - 1}, ResolveColor(data.SectionColor(false)));
    } else if (ParentHandle != nullptr && data.Section() != nullptr) {
        const bool hot = data.Focused() || data.MouseInside();
        render::PaintControlItemFromParent(
            data.PaintRef(), [&data](render::TsBgRequest& r) { data.Owner().RequestParentBackground(r, false); }, true,
            true, cache, {PosInParent.x, PosInParent.y}, cache.Bounds(), hot ? 1 : 0);
    }
    if (data.Owner().IsControl() && !data.Owner().Enabled()) {
        render::TsCacheInfo bg = data.ParentCacheInfo();
        render::PaintDisabled(
            cache, render::dkBlended, [&data] { return data.SectionColor(false); }, {PosInParent.x, PosInParent.y}, bg);
    }
    data.MarkFresh();
}

TColor TgwEditWnd::DialogBorderColor() const {
    const bridge::TsSkinManager* manager = dynamic_cast<const bridge::TsSkinManager*>(SkinManager());
    if (manager == nullptr) return TransparentKey;
    if (manager->LoadedSkin() == nullptr) return TransparentKey;
    return static_cast<TColor>(manager->GlobalInfo().BorderColor);
}

void TgwEditWnd::FillCorners() {
    TsCommonData& data = SkinData();
    if (DialogMode || !data.CacheBmp || data.CacheBmp->Empty()) return;
    const render::MaskRef* mask = data.BorderMask();
    if (mask == nullptr) return;
    render::TsCacheInfo bg = data.ParentCacheInfo();
    if (bg.Ready) {
        bg.X += PosInParent.x;
        bg.Y += PosInParent.y;
    }
    RestoreMaskCorners(*data.CacheBmp, *mask, 0, 15, bg);
}

void TgwEditWnd::PaintFrame() {
    TsCommonData& data = SkinData();
    RefreshGeometry();
    if (data.RefreshUpdating()) return;
    if (data.BGChanged()) {
        if (!ColorsApplied) SetSkinColors();
        PaintFrameToCache();
    }
    HDC dc = GetWindowDC(Handle());
    const int saved = SaveDC(dc);
    if (data.CacheBmp) CopyFrameRing(dc, *data.CacheBmp, EdgeLeft);
    PaintScrollParts(*this, dc);
    RestoreDC(dc, saved);
    ReleaseDC(Handle(), dc);
}

void TgwEditWnd::Print(HDC dc) {
    TsCommonData& data = SkinData();
    RefreshGeometry();
    data.EndUpdate();
    data.MarkStale();
    if (!ColorsApplied) SetSkinColors();
    PaintFrameToCache();
    FillCorners();
    if (data.CacheBmp) CopyFrameRing(dc, *data.CacheBmp, EdgeLeft);
    PaintScrollParts(*this, dc);
    const int saved = SaveDC(dc);
    const int bars = (VertBar && VertBar->Visible ? BarThickness(*VertBar) : 0);
    const int barsH = (HorzBar && HorzBar->Visible ? BarThickness(*HorzBar) : 0);
    POINT old{};
    OffsetViewportOrgEx(dc, EdgeLeft, EdgeLeft, &old);
    IntersectClipRect(dc, 0, 0, WindowSize.cx - 2 * EdgeLeft - bars, WindowSize.cy - 2 * EdgeLeft - barsH);
    // The client once: every class we adapt paints into the context a WM_PAINT brings, and a
    // WM_PRINTCLIENT after it would draw the same client a second time.
    SendMessageW(Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
}

// --- the message table --------------------------------------------------------------------------

void TgwEditWnd::HandleMessage(platform::TMessage& message) {
    TsCommonData& data = SkinData();
    if (!data.Skinned() || Gone()) {
        TgwBaseWnd::HandleMessage(message);
        return;
    }
    switch (message.Msg) {
    case skin::SM_ALPHACMD:
        switch (skin::SkinCommandOf(message.WParam)) {
        case skin::SMC_REFRESH:
            if (!OwnManager(message)) break;
            TgwBaseWnd::HandleMessage(message);
            if (!Gone()) SetSkinColors();
            return;
        case skin::SMC_ENDUPDATE:
            if (data.Updating()) {
                if (!data.RefreshUpdating()) {
                    platform::RedrawShown(Handle(),
                                          RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                }
            }
            CallPrevious(message);
            return;
        case skin::SMC_ISSKINNED:
            message.Result = 1;
            return;
        case skin::SMC_PREPARECACHE:
            RefreshGeometry();
            PaintFrameToCache();
            FillCorners();
            return;
        case skin::SMC_GETSKININDEX:
            message.Result = data.SkinIndex + 1;
            return;
        case skin::SMC_GETAPPLICATION:
            message.Result = reinterpret_cast<LRESULT>(GetModuleHandleW(nullptr));
            return;
        }
        break;
    case WM_PAINT:
        if (!IsVisible(Handle())) break;
        if (!data.RefreshUpdating()) {
            PaintScrollParts(*this, reinterpret_cast<HDC>(message.WParam));
            if (!ColorsApplied) SetSkinColors();
            break;
        }
        {
            PAINTSTRUCT ps;
            BeginPaint(Handle(), &ps);
            EndPaint(Handle(), &ps);
        }
        return;
    case WM_ERASEBKGND:
        if (!IsVisible(Handle())) break;
        if (data.RefreshUpdating()) return;
        if (!ColorsApplied) SetSkinColors();
        break;
    case WM_NCPAINT:
        if (!IsVisible(Handle())) break;
        PaintFrame();
        return;
    case WM_PRINT:
        Print(reinterpret_cast<HDC>(message.WParam));
        // Only what we did not print goes on: the platform would erase and frame the
        // whole context again over ours.
        message.LParam &= ~LPARAM(PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHECKVISIBLE);
        if (!Gone() && message.LParam != 0) CallPrevious(message);
        return;
    case platform::CM_FONTCHANGED:
        platform::RedrawShown(Handle(), RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
        break;
    }
    TgwBaseWnd::HandleMessage(message);
    if (Gone()) return;
    AfterMessage(message);
}

void TgwEditWnd::AfterMessage(const platform::TMessage& message) {
    TsCommonData& data = SkinData();
    switch (message.Msg) {
    case WM_SIZE:
        if (IsVisible(Handle())) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const render::MaskRef* mask = data.BorderMask();
        if (mask != nullptr && mask->ImageCount > 1 && (GetWindowLongW(Handle(), GWL_STYLE) & WS_TABSTOP)) {
            data.SetFocused(message.Msg == WM_SETFOCUS);
            data.MarkStale();
            platform::RedrawShown(Handle(), RDW_FRAME | RDW_INVALIDATE);
        }
        break;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
        if (!SuppressRefresh) RefreshScrollBars(*this, true);
        break;
    case EM_REPLACESEL:
    case WM_SETTEXT:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCURSEL:
    case LB_SETTOPINDEX:
        RefreshScrollBars(*this, true);
        break;
    case WM_MOUSEMOVE:
        if (IsWindowEnabled(Handle())) MakeHoverWindow();
        if (!data.IsUpdating() && GetCapture() == Handle()) RefreshScrollBars(*this, true);
        break;
    case platform::CM_MOUSEENTER:
    case platform::CM_MOUSELEAVE: {
        const render::MaskRef* mask = data.BorderMask();
        if (mask != nullptr && mask->ImageCount > 1) {
            data.SetMouseInside(message.Msg == platform::CM_MOUSEENTER);
            data.MarkStale();
            platform::RedrawShown(Handle(), RDW_FRAME | RDW_INVALIDATE);
        }
        break;
    }
    }
}

// --- tree views ---------------------------------------------------------------------------------

void TgwTreeViewWnd::SetSkinColors() {
    TgwEditWnd::SetSkinColors();
    const skin::TsGeneralData* section = SkinData().Section();
    if (section == nullptr) return;
    SendMessageW(Handle(), TVM_SETBKCOLOR, 0, LPARAM(ResolveColor(section->Color) & 0xFFFFFF));
    const LPARAM ink = LPARAM(ResolveColor(static_cast<TColor>(section->FontColor[0])) & 0xFFFFFF);
    SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, ink);
    // The lines and the expand buttons too: the platform's light grey stands out on a dark tree.
    SendMessageW(Handle(), TVM_SETLINECOLOR, 0, ink);
}

void TgwTreeViewWnd::RestoreStdColors() {
    TgwEditWnd::RestoreStdColors();
    if (!IsWindow(Handle())) return;
    SendMessageW(Handle(), TVM_SETBKCOLOR, 0, LPARAM(-1));
    SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, LPARAM(-1));
    SendMessageW(Handle(), TVM_SETLINECOLOR, 0, LPARAM(CLR_DEFAULT));
}

void TgwTreeViewWnd::HandleMessage(platform::TMessage& message) {
    const skin::TsGeneralData* section = SkinData().Skinned() ? SkinData().Section() : nullptr;
    if (message.Msg == WM_ERASEBKGND && section != nullptr && !Gone() && IsVisible(Handle())) {
        // The tree paints only its items: the rest of the window takes the section's colour.
        RECT r{};
        GetClientRect(Handle(), &r);
        HBRUSH brush = CreateSolidBrush(ResolveColor(section->Color) & 0xFFFFFF);
        FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush);
        DeleteObject(brush);
        message.Result = 1;
        return;
    }
    TgwEditWnd::HandleMessage(message);
}

}  // namespace lw::controls
