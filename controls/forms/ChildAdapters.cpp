#include "controls/forms/ChildAdapters.h"

#include "bridge/SkinCommands.h"
#include "controls/base/PaintDc.h"
#include "controls/base/core/GroupBoxGeometry.h"
#include "controls/adapters/WindowAdapters.h"
#include "bridge/SkinManager.h"
#include "skin/SkinProtocol.h"
#include "render/Background.h"
#include "render/Blit.h"
#include "render/MaskPaint.h"

namespace lw::controls {

using namespace controls;

namespace {

const bridge::TsSkinManager* Manager() {
    const bridge::TsSkinManager* m = bridge::DefaultSkinManager();
    return m != nullptr && m->LoadedSkin() != nullptr ? m : nullptr;
}

const render::MaskRef* GlobalMask(const bridge::TsSkinManager& m, const char* key) {
    const int global = m.GetSkinIndex("GLOBALINFO");
    return global < 0 ? nullptr : m.Mask(m.GetMaskIndex(global, "GLOBALINFO", key));
}

std::wstring TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

void DrawWindowText(HDC dc, HWND window, RECT r, TColor color, UINT format) {
    const std::wstring text = TextOf(window);
    if (text.empty()) return;
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    platform::SelectObjectScope selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (IsWindowEnabled(window) ? color : GetSysColor(COLOR_GRAYTEXT)) & 0xFFFFFF);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

TColor TextColor(const bridge::TsSkinManager& m, const std::string& section, bool hot) {
    const render::SectionPaint* s = m.Section(m.GetSkinIndex(section));
    if (s == nullptr) return GetSysColor(COLOR_BTNTEXT);
    return hot ? s->HotFontColor[0] : s->FontColor[0];
}

// Messages after which the platform's button has drawn itself straight to the screen.
bool ButtonRedrawsItself(UINT message) {
    switch (message) {
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE:
    case WM_CAPTURECHANGED:
        return true;
    }
    return false;
}

// Push buttons from "BUTTON", check boxes and radio buttons with the skin's glyphs and group
// boxes with the "GROUPBOX" border: the platform's drawing of them is replaced whole.
class TgwPaintedButton : public TgwChildAdapter {
public:
    using TgwChildAdapter::TgwChildAdapter;

protected:
    bool HandleMessage(platform::TMessage& m) override {
        switch (m.Msg) {
        case WM_PAINT:
            controls::WithPaintDc(Handle(), m.WParam, [this](HDC dc) { PaintClient(dc); });
            return true;
        case WM_ERASEBKGND:
            m.Result = 1;
            return true;
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
            TrackHover(m);
            return false;
        }
        if (!ButtonRedrawsItself(m.Msg)) return false;
        CallPrevious(m);
        Repaint();
        return true;
    }
};

class TgwBtnWnd final : public TgwPaintedButton {
public:
    using TgwPaintedButton::TgwPaintedButton;

protected:
    void PaintClient(HDC dc) override {
        PaintOverParent(dc, [&](bridge::TsDibSection& canvas) {
            const bridge::TsSkinManager* m = Manager();
            const LRESULT state = SendMessageW(Handle(), BM_GETSTATE, 0, 0);
            const int look = (state & BST_PUSHED) != 0 ? 2 : Hot() ? 1 : 0;
            render::Bitmap& bmp = canvas.Bitmap();
            render::PaintItem(m->GetSkinIndex(Section()), Section(), render::CacheInfoFromBitmap(bmp, 0, 0), -1, -1, m,
                              bmp, {0, 0}, bmp.Bounds(), look, true);
            RECT r{0, 0, bmp.Width(), bmp.Height()};
            if (look == 2) OffsetRect(&r, 1, 1);
            DrawWindowText(canvas.Dc(), Handle(), r, TextColor(*m, Section(), look != 0),
                           DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            if ((state & BST_FOCUS) != 0) {
                RECT focus{3, 3, bmp.Width() - 3, bmp.Height() - 3};
                DrawFocusRect(canvas.Dc(), &focus);
            }
        });
    }
};

class TgwCheckBoxWnd final : public TgwPaintedButton {
public:
    using TgwPaintedButton::TgwPaintedButton;

protected:
    void PaintClient(HDC dc) override {
        PaintOverParent(dc, [&](bridge::TsDibSection& canvas) {
            const bridge::TsSkinManager* m = Manager();
            const unsigned type = static_cast<unsigned>(GetWindowLongW(Handle(), GWL_STYLE)) & BS_TYPEMASK;
            const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
            const LRESULT check = SendMessageW(Handle(), BM_GETCHECK, 0, 0);
            const LRESULT state = SendMessageW(Handle(), BM_GETSTATE, 0, 0);
            const char* key = radio                        ? (check == BST_CHECKED ? "RADIOCHECKED" : "RADIOUNCHECKED")
                              : check == BST_CHECKED       ? "BOXCHECKED"
                              : check == BST_INDETERMINATE ? "BOXGRAYED"
                                                           : "BOXUNCHECKED";
            render::Bitmap& bmp = canvas.Bitmap();
            int textLeft = 16;
            if (const render::MaskRef* glyph = GlobalMask(*m, key)) {
                const int look = (state & BST_PUSHED) != 0 ? 2 : Hot() ? 1 : 0;
                render::PaintMaskFrame(bmp, {0, (bmp.Height() - glyph->FrameHeight()) / 2}, look,
                                       render::CacheInfoFromBitmap(bmp, 0, 0), *glyph, 1);
                textLeft = glyph->FrameWidth() + 4;
            }
            RECT r{textLeft, 0, bmp.Width(), bmp.Height()};
            DrawWindowText(canvas.Dc(), Handle(), r, TextColor(*m, Section(), Hot()),
                           DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
        });
    }
};

class TgwGroupBoxWnd final : public TgwPaintedButton {
public:
    using TgwPaintedButton::TgwPaintedButton;

protected:
    void PaintClient(HDC dc) override {
        const bridge::TsSkinManager* m = Manager();
        const render::SectionPaint* s = m->Section(m->GetSkinIndex(Section()));
        const render::MaskRef* border = s != nullptr ? m->Mask(s->BorderIndex) : nullptr;
        const std::wstring text = TextOf(Handle());
        const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
        RECT client{};
        GetClientRect(Handle(), &client);
        // The caption sits where a skinned group box puts its own: the same strip, gap and centring.
        CaptionPlacement placement;
        placement.Width = client.right;
        {
            platform::SelectObjectScope selected(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
            SIZE letter{}, extent{};
            GetTextExtentPoint32W(dc, L"W", 1, &letter);
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            placement.CaptionHeight = GroupBoxCaptionHeight(letter.cy);
            placement.TextWidth = extent.cx;
        }
        const TRect caption = GroupBoxCaptionRect(placement);
        const int captionHeight = caption.Height();
        // Only the line and the caption: the boxes inside are sibling windows of their own.
        const int inset = border != nullptr ? std::max({border->WL, border->WR, border->WB, 2}) : 2;
        const int saved = SaveDC(dc);
        ExcludeClipRect(dc, inset, captionHeight, client.right - inset, client.bottom - inset);
        PaintOverParent(dc, [&](bridge::TsDibSection& canvas) {
            render::Bitmap& bmp = canvas.Bitmap();
            const render::Bitmap behind = bmp.Clone();
            if (border != nullptr)
                render::PaintBorderMask(bmp, {0, captionHeight / 2, bmp.Width(), bmp.Height()}, false, true, 0, *border,
                                        render::CacheInfoFromBitmap(behind, 0, 0));
            if (text.empty()) return;
            platform::SelectObjectScope selected(canvas.Dc(),
                                                 font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
            render::CopyPixels(bmp, {caption.Left, caption.Top}, behind, caption);
            DrawWindowText(canvas.Dc(), Handle(), {caption.Left, caption.Top, caption.Right, caption.Bottom},
                           TextColor(*m, Section(), false), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        });
        RestoreDC(dc, saved);
    }
};

// Edits and lists: the window adapter of the family takes the frame and scroll bars, painted as
// a standard dialog's child; this one only keeps track of the window for the dialog's provider.
class TgwFamilyAdapter final : public TgwChildAdapter {
public:
    TgwFamilyAdapter(HWND window, ChildAdapterKind kind, std::string section)
        : TgwChildAdapter(window, kind, section), adapter_(MakeFamilyAdapter(window, kind, section)) {}

private:
    static controls::AdapterPtr MakeFamilyAdapter(HWND window, ChildAdapterKind kind, const std::string& section) {
        auto* manager = static_cast<skin::SkinManagerView*>(bridge::DefaultSkinManager());
        if (kind == ChildAdapterKind::TreeView)
            return controls::TgwMainWnd::Create<controls::TgwTreeViewWnd>(window, true, section, manager, nullptr,
                                                                          true);
        return controls::TgwMainWnd::Create<controls::TgwEditWnd>(window, true, section, manager, nullptr, true);
    }

    controls::AdapterPtr adapter_;
};

// Statics, icons and the kinds no window of ours meets: the dialog's colours answer their
// text and background, and what they erase themselves shows the dialog's background.
class TgwPlainWnd final : public TgwChildAdapter {
public:
    using TgwChildAdapter::TgwChildAdapter;

protected:
    bool HandleMessage(platform::TMessage& m) override {
        if (m.Msg != WM_ERASEBKGND) return false;
        PaintOverParent(reinterpret_cast<HDC>(m.WParam), [](bridge::TsDibSection&) {});
        m.Result = 1;
        return true;
    }
};

}  // namespace

TgwChildAdapter::TgwChildAdapter(HWND window, ChildAdapterKind kind, std::string section)
    : window_(window),
      kind_(kind),
      section_(std::move(section)),
      hook_(window, [this](platform::TMessage& m) { Dispatch(m); }) {}

TgwChildAdapter::~TgwChildAdapter() {
    hook_.Remove();
    if (!gone_ && IsWindow(window_)) InvalidateRect(window_, nullptr, TRUE);
}

void TgwChildAdapter::Dispatch(platform::TMessage& m) {
    if (m.Msg == WM_NCDESTROY) {
        gone_ = true;
        CallPrevious(m);
        return;
    }
    if (m.Msg == skin::SM_ALPHACMD && skin::SkinCommandOf(m.WParam) == skin::SMC_ISSKINNED) {
        m.Result = 1;
        return;
    }
    if (Manager() == nullptr || !HandleMessage(m)) CallPrevious(m);
}

bool TgwChildAdapter::HandleMessage(platform::TMessage&) { return false; }

bool TgwChildAdapter::PaintSectionCanvas(bridge::TsDibSection& canvas, COLORREF fallback) const {
    const bridge::TsSkinManager* m = bridge::DefaultSkinManager();
    RECT client{};
    GetClientRect(Handle(), &client);
    if (m == nullptr || client.right <= 0 || client.bottom <= 0) return false;
    canvas.Resize(client.right, client.bottom, render::PixelFormat::pf24bit);
    render::Bitmap& bmp = canvas.Bitmap();
    const int section = m->GetSkinIndex(Section());
    const render::SectionPaint* look = m->Section(section);
    render::FillRectSolid(canvas.Surface(), bmp.Bounds(), look != nullptr ? look->Color : fallback);
    if (section >= 0)
        render::PaintItem(section, Section(), render::CacheInfoFromBitmap(bmp, 0, 0), -1, -1, m, bmp, {0, 0},
                          bmp.Bounds(), 0, true);
    GdiFlush();
    return true;
}

bool TgwChildAdapter::PaintWholeClient(platform::TMessage& m) {
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

void TgwChildAdapter::PaintClient(HDC dc) {
    PaintOverParent(dc, [](bridge::TsDibSection&) {});
}

void TgwChildAdapter::PaintOverParent(HDC dc, const std::function<void(bridge::TsDibSection&)>& paint) {
    RECT client{};
    GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    canvas_.Resize(client.right, client.bottom, render::PixelFormat::pf24bit);
    render::Bitmap& bmp = canvas_.Bitmap();
    const HWND parent = GetParent(window_);
    render::TsBgRequest behind;
    bridge::RequestBackground(behind, parent, false);
    if (behind.Kind == 2 && behind.Bitmap != nullptr) {
        POINT at{0, 0};
        MapWindowPoints(window_, parent, &at, 1);
        render::CopyPixels(bmp, {0, 0}, *behind.Bitmap,
                           RectOfSize(at.x + behind.OffsetX, at.y + behind.OffsetY, bmp.Width(), bmp.Height()));
    } else {
        render::FillRectSolid(canvas_.Surface(), bmp.Bounds(), behind.Color);
    }
    GdiFlush();
    paint(canvas_);
    GdiFlush();
    bridge::BlitToDc(dc, 0, 0, bmp, bmp.Bounds());
}

void TgwChildAdapter::Repaint() {
    if (gone_ || !IsWindowVisible(window_)) return;
    HDC dc = GetDC(window_);
    if (dc == nullptr) return;
    PaintClient(dc);
    ReleaseDC(window_, dc);
}

void TgwChildAdapter::TrackHover(const platform::TMessage& m) {
    const bool hot = m.Msg == WM_MOUSEMOVE;
    if (hot && !tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
    if (!hot) tracking_ = false;
    if (hot == hot_) return;
    hot_ = hot;
    Repaint();
}

std::unique_ptr<TgwChildAdapter> MakeChildAdapter(const ChildAdapterChoice& c, HWND child) {
    const std::string section(c.Section);
    switch (c.Kind) {
    case ChildAdapterKind::Button:
        return std::make_unique<TgwBtnWnd>(child, c.Kind, section);
    case ChildAdapterKind::CheckBox:
        return std::make_unique<TgwCheckBoxWnd>(child, c.Kind, section);
    case ChildAdapterKind::GroupBox:
        return std::make_unique<TgwGroupBoxWnd>(child, c.Kind, section);
    case ChildAdapterKind::Edit:
    case ChildAdapterKind::ListBox:
    case ChildAdapterKind::ComboList:
    case ChildAdapterKind::TreeView:
        return std::make_unique<TgwFamilyAdapter>(child, c.Kind, section);
    default:
        return std::make_unique<TgwPlainWnd>(child, c.Kind, section);
    }
}

}  // namespace lw::controls
