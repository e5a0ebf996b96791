#include <algorithm>
#include <string>

#include "bridge/SkinManager.h"
#include "controls/forms/ChildAdapters.h"
#include "controls/base/PaintDc.h"
#include "render/Background.h"
#include "render/Blit.h"

namespace lw::forms {

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

}  // namespace

bool TgwMnuWnd::HandleMessage(platform::TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        controls::WithPaintDc(Handle(), m.WParam, [this](HDC dc) { PaintClient(dc); });
        return true;
    case WM_PRINTCLIENT:
        PaintClient(reinterpret_cast<HDC>(m.WParam));
        return true;
    case WM_ERASEBKGND:
        m.Result = 1;
        return true;
    }
    return false;
}

void TgwMnuWnd::PaintClient(HDC dc) {
    const bridge::TsSkinManager* m = bridge::DefaultSkinManager();
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    menuCanvas_.Resize(client.right, client.bottom, render::PixelFormat::pf24bit);
    render::Bitmap& bmp = menuCanvas_.Bitmap();
    const int section = m->GetSkinIndex(Section());
    const render::SectionPaint* look = m->Section(section);
    render::FillRectSolid(menuCanvas_.Surface(), bmp.Bounds(), look != nullptr ? look->Color : GetSysColor(COLOR_MENU));
    if (section >= 0)
        render::PaintItem(section, Section(), render::CacheInfoFromBitmap(bmp, 0, 0), -1, -1, m, bmp, {0, 0},
                          bmp.Bounds(), 0, true);
    GdiFlush();

    const auto menu = reinterpret_cast<HMENU>(SendMessageW(Handle(), MN_GETHMENU, 0, 0));
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    const platform::FontHandle font = MenuFont();
    HDC canvasDc = menuCanvas_.Dc();
    platform::SelectObjectScope selected(canvasDc, font ? font.get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(canvasDc, TRANSPARENT);
    const int itemSection = m->GetSkinIndex("MENUITEM");
    const TColor text = FontColorOf(*m, section, false, GetSysColor(COLOR_MENUTEXT));
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
            render::PaintItem(itemSection, "MENUITEM", render::CacheInfoFromBitmap(bmp, 0, 0), -1, -1, m, bmp,
                              {0, 0}, {r.left, r.top, r.right, r.bottom}, 1, true);
            GdiFlush();
        }
        const bool grey = (state & (MF_GRAYED | MF_DISABLED)) != 0;
        SetTextColor(canvasDc, grey   ? GetSysColor(COLOR_GRAYTEXT)
                               : hot ? FontColorOf(*m, itemSection, true, text)
                                     : text);
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

}  // namespace lw::forms
