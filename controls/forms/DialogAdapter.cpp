#include "controls/forms/DialogAdapter.h"

#include "bridge/SkinManager.h"
#include "skin/SkinProtocol.h"

namespace lw::controls {

namespace {

const render::SectionPaint* SectionNamed(const char* name) {
    const bridge::TsSkinManager* m = bridge::DefaultSkinManager();
    return m != nullptr && m->LoadedSkin() != nullptr ? m->Section(m->GetSkinIndex(name)) : nullptr;
}

}  // namespace

TgwDialogWnd::TgwDialogWnd(HWND window)
    : window_(window), frame_(window, "DIALOG"), hook_(window, [this](platform::TMessage& m) { Handle(m); }) {}

TgwDialogWnd::~TgwDialogWnd() {
    hook_.Remove();
    if (gone_) frame_.Forget();
    frame_.Release();
}

void TgwDialogWnd::Handle(platform::TMessage& m) {
    switch (m.Msg) {
    case WM_NCDESTROY:
        gone_ = true;
        hook_.CallPrevious(m);
        return;
    case skin::SM_ALPHACMD:
        HandleSkinCommand(m);
        return;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
        if (SectionNamed("DIALOG") != nullptr) {
            AnswerColor(m);
            return;
        }
        break;
    }
    if (frame_.Handle(m, [this](platform::TMessage& passed) { hook_.CallPrevious(passed); })) return;
    hook_.CallPrevious(m);
}

void TgwDialogWnd::HandleSkinCommand(platform::TMessage& m) {
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_ISSKINNED:
        m.Result = 1;
        return;
    case skin::SMC_GETBGCOLOR:
        m.Result = static_cast<LRESULT>(frame_.BackgroundColor());
        return;
    case skin::SMC_GETBG:
        if (m.LParam != 0) frame_.AnswerBackgroundRequest(*reinterpret_cast<render::TsBgRequest*>(m.LParam));
        return;
    case skin::SMC_SKINLOADED:
    case skin::SMC_REFRESH:
        frame_.Refresh();
        editBrush_.reset();
        [[fallthrough]];
    case skin::SMC_SKINREMOVED:
    case skin::SMC_STOPANIM:
        for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, m.Msg, m.WParam, m.LParam);
        return;
    }
    hook_.CallPrevious(m);
}

HBRUSH TgwDialogWnd::BackgroundBrushFor(HDC dc, HWND child) {
    if (HBITMAP background = frame_.ClientBackgroundHandle();
        background != nullptr && (pattern_ == nullptr || patternGeneration_ != frame_.ClientGeneration())) {
        pattern_.reset(CreatePatternBrush(background));
        patternGeneration_ = frame_.ClientGeneration();
    }
    if (pattern_ == nullptr) return GetSysColorBrush(COLOR_BTNFACE);
    POINT at{0, 0};
    if (child != window_) MapWindowPoints(child, window_, &at, 1);
    SetBrushOrgEx(dc, -at.x, -at.y, nullptr);
    return pattern_.get();
}

void TgwDialogWnd::AnswerColor(platform::TMessage& m) {
    const auto dc = reinterpret_cast<HDC>(m.WParam);
    const auto child = m.Msg == WM_CTLCOLORDLG ? window_ : reinterpret_cast<HWND>(m.LParam);
    if (m.Msg == WM_CTLCOLOREDIT) {
        const render::SectionPaint* edit = SectionNamed("EDIT");
        if (edit != nullptr) {
            if (editBrush_ == nullptr) editBrush_.reset(CreateSolidBrush(edit->Color & 0xFFFFFF));
            SetTextColor(dc, edit->FontColor[0] & 0xFFFFFF);
            SetBkColor(dc, edit->Color & 0xFFFFFF);
            m.Result = reinterpret_cast<LRESULT>(editBrush_.get());
            return;
        }
    }
    const render::SectionPaint* dialog = SectionNamed("DIALOG");
    SetTextColor(dc, dialog->FontColor[0] & 0xFFFFFF);
    SetBkMode(dc, TRANSPARENT);
    m.Result = reinterpret_cast<LRESULT>(BackgroundBrushFor(dc, child));
}

}  // namespace lw::controls
