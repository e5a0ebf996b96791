#include "controls/forms/HintAdapter.h"

#include <commctrl.h>

#include <string>

#include "bridge/SkinManager.h"
#include "platform/Handles.h"
#include "render/Background.h"
#include "render/Blit.h"

namespace lw::controls {
namespace {

constexpr char kSection[] = "HINT";
// Between the text and the section's borders.
constexpr int kPadding = 2;

std::wstring ShownText(HWND tooltip) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    if (SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info)) == FALSE) return {};
    wchar_t text[1024] = L"";
    info.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
    return text;
}

}  // namespace

TgwHintWnd::TgwHintWnd(HWND window, bool created) : TgwChildAdapter(window, ChildAdapterKind::None, kSection) {
    if (created) TakeFrame();
}

// The section's borders are the frame: the platform's own line goes. The tooltip sets its
// style while it is being created, so this waits until it exists.
void TgwHintWnd::TakeFrame() {
    SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) & ~WS_BORDER);
    SetWindowLongW(Handle(), GWL_EXSTYLE,
                   GetWindowLongW(Handle(), GWL_EXSTYLE) & ~(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE));
    FitMargins();
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}

void TgwHintWnd::FitMargins() {
    const bridge::TsSkinManager* m = bridge::DefaultSkinManager();
    const int section = m != nullptr ? m->GetSkinIndex(kSection) : -1;
    if (section < 0) return;
    const render::MaskRef* border = m->Mask(m->GetMaskIndex(section, kSection, "BORDERSMASK"));
    RECT margins{kPadding, kPadding, kPadding, kPadding};
    if (border != nullptr) {
        margins.left += border->WL;
        margins.top += border->WT;
        margins.right += border->WR;
        margins.bottom += border->WB;
    }
    SendMessageW(Handle(), TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
}

bool TgwHintWnd::HandleMessage(platform::TMessage& m) {
    if (m.Msg != WM_CREATE) return PaintWholeClient(m);
    CallPrevious(m);
    if (m.Result != -1) TakeFrame();
    return true;
}

void TgwHintWnd::PaintClient(HDC dc) {
    if (!PaintSectionCanvas(hintCanvas_, GetSysColor(COLOR_INFOBK))) return;
    const bridge::TsSkinManager* m = bridge::DefaultSkinManager();
    const render::SectionPaint* look = m->Section(m->GetSkinIndex(kSection));
    render::Bitmap& bmp = hintCanvas_.Bitmap();
    RECT margins{};
    SendMessageW(Handle(), TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
    RECT text{margins.left, margins.top, bmp.Width() - margins.right, bmp.Height() - margins.bottom};
    HDC canvasDc = hintCanvas_.Dc();
    const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    platform::SelectObjectScope selected(canvasDc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(canvasDc, TRANSPARENT);
    SetTextColor(canvasDc, look != nullptr ? look->FontColor[0] & 0xFFFFFF : GetSysColor(COLOR_INFOTEXT));
    const std::wstring shown = ShownText(Handle());
    DrawTextW(canvasDc, shown.c_str(), static_cast<int>(shown.size()), &text,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    GdiFlush();
    bridge::BlitToDc(dc, 0, 0, bmp, bmp.Bounds());
}

}  // namespace lw::controls
