#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

#include "bridge/SkinManager.h"
#include "controls/forms/ChildAdapters.h"
#include "controls/base/PaintDc.h"
#include "render/Background.h"
#include "render/Blit.h"
#include "render/MaskPaint.h"

namespace lw::controls {

namespace {

platform::FontHandle MenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) == FALSE) return nullptr;
    return platform::FontHandle(CreateFontIndirectW(&metrics.lfMenuFont));
}

std::wstring ItemText(HMENU menu, int position) {
    const int length = GetMenuStringW(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetMenuStringW(menu, static_cast<UINT>(position), text.data(), length + 1, MF_BYPOSITION)));
    return text;
}

TColor FontColorOf(const bridge::TsSkinManager& m, int section, bool hot, TColor fallback) {
    const render::SectionPaint* s = m.Section(section);
    if (s == nullptr) return fallback;
    return (hot ? s->HotFontColor[0] : s->FontColor[0]) & 0xFFFFFF;
}

// The platform's marks do not show through our painting: the check and the sub-menu arrow are
// the skin's own images (the check-mark glyph, the scroll bar's right arrow), in their hot frame
// on the selected row; a skin without them gets marks drawn in the colour of the item's text.
const render::MaskRef* SkinMark(const bridge::TsSkinManager& m, const char* section, const char* key) {
    const int index = m.GetSkinIndex(section);
    return index < 0 ? nullptr : m.Mask(m.GetMaskIndex(index, section, key));
}

void PaintSkinMark(render::Bitmap& bmp, const render::MaskRef& mark, const RECT& box, bool hot) {
    GdiFlush();  // the rows before were written through the canvas's device context
    const TPoint at{(box.left + box.right - mark.FrameWidth()) / 2, (box.top + box.bottom - mark.FrameHeight()) / 2};
    render::PaintMaskFrame(bmp, at, mark.FrameIndex(hot ? 1 : 0), render::CacheInfoFromBitmap(bmp, 0, 0), mark, 1);
}

void DrawCheckMark(HDC dc, const RECT& column, COLORREF ink) {
    const int cx = (column.left + column.right) / 2, cy = (column.top + column.bottom) / 2;
    const POINT tick[] = {{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 4, cy - 3}};
    platform::PenHandle pen(CreatePen(PS_SOLID, 2, ink));
    platform::SelectObjectScope selected(dc, pen.get());
    Polyline(dc, tick, static_cast<int>(std::size(tick)));
}

// Where a row's sub-menu arrow stands: at its right end.
RECT ArrowBox(const RECT& row) { return {row.right - 14, row.top, row.right - 4, row.bottom}; }

void DrawSubMenuArrow(HDC dc, const RECT& row, COLORREF ink) {
    const int x = row.right - 10, cy = (row.top + row.bottom) / 2;
    const POINT arrow[] = {{x, cy - 4}, {x + 4, cy}, {x, cy + 4}};
    platform::PenHandle pen(CreatePen(PS_SOLID, 1, ink));
    platform::BrushHandle brush(CreateSolidBrush(ink));
    platform::SelectObjectScope withPen(dc, pen.get());
    platform::SelectObjectScope withBrush(dc, brush.get());
    Polygon(dc, arrow, static_cast<int>(std::size(arrow)));
}

// The item's picture, if it has one of its own (not one of the system's stock menu pictures).
HBITMAP ItemPicture(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    if (GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) == FALSE) return nullptr;
    const auto value = reinterpret_cast<std::intptr_t>(info.hbmpItem);
    return value > reinterpret_cast<std::intptr_t>(HBMMENU_POPUP_MINIMIZE) ? info.hbmpItem : nullptr;
}

void DrawPicture(HDC dc, HBITMAP picture, const RECT& column) {
    BITMAP shape{};
    if (GetObjectW(picture, sizeof shape, &shape) == 0) return;
    const int x = (column.left + column.right - shape.bmWidth) / 2;
    const int y = (column.top + column.bottom - shape.bmHeight) / 2;
    platform::MemoryDc source(CreateCompatibleDC(dc));
    platform::SelectObjectScope selected(source.get(), picture);
    if (shape.bmBitsPixel == 32) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, x, y, shape.bmWidth, shape.bmHeight, source.get(), 0, 0, shape.bmWidth, shape.bmHeight, blend);
    } else {
        BitBlt(dc, x, y, shape.bmWidth, shape.bmHeight, source.get(), 0, 0, SRCCOPY);
    }
}

}  // namespace

bool TgwMnuWnd::HandleMessage(platform::TMessage& m) { return PaintWholeClient(m); }

void TgwMnuWnd::PaintClient(HDC dc) {
    if (!PaintSectionCanvas(menuCanvas_, GetSysColor(COLOR_MENU))) return;
    const bridge::TsSkinManager* m = bridge::DefaultSkinManager();
    const int section = m->GetSkinIndex(Section());
    render::Bitmap& bmp = menuCanvas_.Bitmap();

    const auto menu = reinterpret_cast<HMENU>(SendMessageW(Handle(), MN_GETHMENU, 0, 0));
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    const platform::FontHandle font = MenuFont();
    HDC canvasDc = menuCanvas_.Dc();
    platform::SelectObjectScope selected(canvasDc, font ? font.get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(canvasDc, TRANSPARENT);
    const int itemSection = m->GetSkinIndex("MENUITEM");
    const TColor text = FontColorOf(*m, section, false, GetSysColor(COLOR_MENUTEXT));
    const render::MaskRef* check = SkinMark(*m, "GLOBALINFO", "CHECK");
    const render::MaskRef* arrow = SkinMark(*m, "SCROLLBTNRIGHT", "GLYPHMASK");
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (GetMenuItemRect(Handle(), menu, static_cast<UINT>(i), &r) == FALSE) continue;
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if ((state & MF_SEPARATOR) != 0) {
            const int middle = (r.top + r.bottom) / 2;
            render::FillRectSolid(menuCanvas_.Surface(), {r.left + 2, middle, r.right - 2, middle + 1}, text);
            continue;
        }
        const bool hot = (state & MF_HILITE) != 0;
        if (hot && itemSection >= 0) {
            render::PaintItem(itemSection, "MENUITEM", render::CacheInfoFromBitmap(bmp, 0, 0), -1, -1, m, bmp, {0, 0},
                              {r.left, r.top, r.right, r.bottom}, 1, true);
            GdiFlush();
        }
        const bool grey = (state & (MF_GRAYED | MF_DISABLED)) != 0;
        const COLORREF ink = grey ? GetSysColor(COLOR_GRAYTEXT) : hot ? FontColorOf(*m, itemSection, true, text) : text;
        SetTextColor(canvasDc, ink);
        const RECT column{r.left + 2, r.top, r.left + 2 + GetSystemMetrics(SM_CXMENUCHECK), r.bottom};
        if ((state & MF_CHECKED) != 0) {
            if (check != nullptr)
                PaintSkinMark(bmp, *check, column, hot);
            else
                DrawCheckMark(canvasDc, column, ink);
        } else if (HBITMAP picture = ItemPicture(menu, i)) {
            DrawPicture(canvasDc, picture, column);
        }
        if (GetSubMenu(menu, i) != nullptr) {
            if (arrow != nullptr)
                PaintSkinMark(bmp, *arrow, ArrowBox(r), hot);
            else
                DrawSubMenuArrow(canvasDc, r, ink);
        }
        // Label left, the shortcut after the tab right-aligned, both clear of the check mark column.
        const std::wstring label = ItemText(menu, i);
        const std::size_t tab = label.find(L'\t');
        RECT area{r.left + GetSystemMetrics(SM_CXMENUCHECK) + 4, r.top, r.right - 8, r.bottom};
        DrawTextW(canvasDc, label.c_str(), static_cast<int>(std::min(tab, label.size())), &area,
                  DT_SINGLELINE | DT_LEFT | DT_VCENTER);
        if (tab != std::wstring::npos)
            DrawTextW(canvasDc, label.c_str() + tab + 1, static_cast<int>(label.size() - tab - 1), &area,
                      DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
    }
    GdiFlush();
    bridge::BlitToDc(dc, 0, 0, bmp, bmp.Bounds());
}

}  // namespace lw::controls
