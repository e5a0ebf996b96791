#include "testsupport/win32/MessageSequence.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/Messages.h"
#include "skin/SkinProtocol.h"

namespace lw::testsupport {
namespace {

struct Name {
    UINT Msg;
    const char* Text;
};

#define LW_NAME(m) \
    { m, #m }
const Name kNames[] = {
    LW_NAME(WM_CREATE),
    LW_NAME(WM_DESTROY),
    LW_NAME(WM_MOVE),
    LW_NAME(WM_SIZE),
    LW_NAME(WM_ACTIVATE),
    LW_NAME(WM_SETFOCUS),
    LW_NAME(WM_KILLFOCUS),
    LW_NAME(WM_ENABLE),
    LW_NAME(WM_SETREDRAW),
    LW_NAME(WM_SETTEXT),
    LW_NAME(WM_GETTEXT),
    LW_NAME(WM_GETTEXTLENGTH),
    LW_NAME(WM_PAINT),
    LW_NAME(WM_CLOSE),
    LW_NAME(WM_ERASEBKGND),
    LW_NAME(WM_SHOWWINDOW),
    LW_NAME(WM_ACTIVATEAPP),
    LW_NAME(WM_SETCURSOR),
    LW_NAME(WM_MOUSEACTIVATE),
    LW_NAME(WM_GETMINMAXINFO),
    LW_NAME(WM_SETFONT),
    LW_NAME(WM_GETFONT),
    LW_NAME(WM_WINDOWPOSCHANGING),
    LW_NAME(WM_WINDOWPOSCHANGED),
    LW_NAME(WM_NOTIFY),
    LW_NAME(WM_GETICON),
    LW_NAME(WM_SETICON),
    LW_NAME(WM_STYLECHANGING),
    LW_NAME(WM_STYLECHANGED),
    LW_NAME(WM_NCCREATE),
    LW_NAME(WM_NCDESTROY),
    LW_NAME(WM_NCCALCSIZE),
    LW_NAME(WM_NCHITTEST),
    LW_NAME(WM_NCPAINT),
    LW_NAME(WM_NCACTIVATE),
    LW_NAME(WM_GETDLGCODE),
    LW_NAME(WM_NCMOUSEMOVE),
    LW_NAME(WM_NCLBUTTONDOWN),
    LW_NAME(WM_NCLBUTTONUP),
    LW_NAME(WM_NCLBUTTONDBLCLK),
    LW_NAME(WM_NCRBUTTONDOWN),
    LW_NAME(WM_NCRBUTTONUP),
    LW_NAME(WM_NCMBUTTONDOWN),
    LW_NAME(WM_NCMBUTTONUP),
    LW_NAME(WM_KEYDOWN),
    LW_NAME(WM_KEYUP),
    LW_NAME(WM_CHAR),
    LW_NAME(WM_SYSKEYDOWN),
    LW_NAME(WM_SYSKEYUP),
    LW_NAME(WM_INITDIALOG),
    LW_NAME(WM_COMMAND),
    LW_NAME(WM_SYSCOMMAND),
    LW_NAME(WM_TIMER),
    LW_NAME(WM_HSCROLL),
    LW_NAME(WM_VSCROLL),
    LW_NAME(WM_INITMENU),
    LW_NAME(WM_INITMENUPOPUP),
    LW_NAME(WM_MENUSELECT),
    LW_NAME(WM_ENTERIDLE),
    LW_NAME(WM_UPDATEUISTATE),
    LW_NAME(WM_QUERYUISTATE),
    LW_NAME(WM_CHANGEUISTATE),
    LW_NAME(WM_CTLCOLOREDIT),
    LW_NAME(WM_CTLCOLORLISTBOX),
    LW_NAME(WM_CTLCOLORBTN),
    LW_NAME(WM_CTLCOLORDLG),
    LW_NAME(WM_CTLCOLORSTATIC),
    LW_NAME(WM_MOUSEMOVE),
    LW_NAME(WM_LBUTTONDOWN),
    LW_NAME(WM_LBUTTONUP),
    LW_NAME(WM_LBUTTONDBLCLK),
    LW_NAME(WM_RBUTTONDOWN),
    LW_NAME(WM_RBUTTONUP),
    LW_NAME(WM_MOUSEWHEEL),
    LW_NAME(WM_MOUSEHWHEEL),
    LW_NAME(WM_PARENTNOTIFY),
    LW_NAME(WM_CAPTURECHANGED),
    LW_NAME(WM_NCMOUSELEAVE),
    LW_NAME(WM_MOUSELEAVE),
    LW_NAME(WM_IME_SETCONTEXT),
    LW_NAME(WM_IME_NOTIFY),
    LW_NAME(WM_PRINT),
    LW_NAME(WM_PRINTCLIENT),
    LW_NAME(WM_SYNCPAINT),
    LW_NAME(WM_GETOBJECT),
    LW_NAME(EM_GETSEL),
    LW_NAME(EM_SETSEL),
    LW_NAME(EM_SCROLL),
    LW_NAME(EM_LINESCROLL),
    LW_NAME(EM_SCROLLCARET),
    LW_NAME(EM_GETFIRSTVISIBLELINE),
    LW_NAME(EM_REPLACESEL),
    LW_NAME(EM_GETRECT),
    LW_NAME(EM_SETRECT),
    LW_NAME(EM_SETMARGINS),
    LW_NAME(EM_GETLINECOUNT),
    LW_NAME(EM_LINEINDEX),
    LW_NAME(EM_SETREADONLY),
    LW_NAME(TVM_SETBKCOLOR),
    LW_NAME(TVM_SETTEXTCOLOR),
    LW_NAME(TVM_GETBKCOLOR),
    {skin::SM_ALPHACMD, "SM_ALPHACMD"},
    {platform::CM_MOUSEENTER, "CM_MOUSEENTER"},
    {platform::CM_MOUSELEAVE, "CM_MOUSELEAVE"},
    {platform::CM_ENABLEDCHANGED, "CM_ENABLEDCHANGED"},
    {platform::CM_VISIBLECHANGED, "CM_VISIBLECHANGED"},
    {platform::CM_TEXTCHANGED, "CM_TEXTCHANGED"},
    {platform::CM_FONTCHANGED, "CM_FONTCHANGED"},
    {platform::CM_COLORCHANGED, "CM_COLORCHANGED"},
    {platform::CM_SHOWINGCHANGED, "CM_SHOWINGCHANGED"},
};
#undef LW_NAME

bool Fits(const ExpectedMessage& e, const RecordedMessage& r) {
    return e.Msg == r.Msg && ((e.Flags & kPassedOn) != 0) == r.PassedOn &&
           ((e.Flags & kWParam) == 0 || e.WParam == r.WParam) && ((e.Flags & kLParam) == 0 || e.LParam == r.LParam);
}

std::string Hex(unsigned long long v) {
    char text[24];
    std::snprintf(text, sizeof text, "%llx", v);
    return text;
}

std::string Describe(const ExpectedMessage& e) {
    std::string s = MessageSequence::NameOf(e.Msg);
    if (e.Flags & kWParam) s += " w=" + Hex(e.WParam);
    if (e.Flags & kLParam) s += " l=" + Hex(static_cast<unsigned long long>(e.LParam));
    if (e.Flags & kPassedOn) s += " passed on";
    if (e.Flags & kOptional) s += " (optional)";
    if (e.Flags & kAnyNumber) s += " (any number)";
    return s;
}

std::string Describe(const RecordedMessage& r) {
    return MessageSequence::NameOf(r.Msg) + " w=" + Hex(r.WParam) +
           " l=" + Hex(static_cast<unsigned long long>(r.LParam)) + (r.PassedOn ? " passed on" : "");
}

}  // namespace

void MessageSequence::WatchFront(HWND window) {
    // Placed last, the subclass runs before every handler the window already has.
    if (SetWindowSubclass(window, &FrontProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        fronts_.push_back(window);
}

// Placed before the adapter it watches for, the hook sees what the adapter lets through, just
// ahead of the window's own handling.
struct MessageSequence::Beneath {
    Beneath(MessageSequence& sequence, HWND window)
        : hook(window, [this, &sequence](platform::TMessage& m) {
              sequence.Record(m.Msg, m.WParam, m.LParam, true);
              hook.CallPrevious(m);
          }) {}
    platform::TMessageHook hook;
};

MessageSequence::MessageSequence() = default;

MessageSequence::~MessageSequence() {
    for (HWND window : fronts_) RemoveWindowSubclass(window, &FrontProc, reinterpret_cast<UINT_PTR>(this));
}

void MessageSequence::WatchBeneath(HWND window) { beneath_.push_back(std::make_unique<Beneath>(*this, window)); }

LRESULT CALLBACK MessageSequence::FrontProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
    reinterpret_cast<MessageSequence*>(self)->Record(msg, wParam, lParam, false);
    return DefSubclassProc(window, msg, wParam, lParam);
}

void MessageSequence::Record(UINT msg, WPARAM wParam, LPARAM lParam, bool passedOn) {
    if (!only_.empty() && std::find(only_.begin(), only_.end(), msg) == only_.end()) return;
    log_.push_back({msg, wParam, lParam, passedOn});
}

::testing::AssertionResult MessageSequence::Matches(const std::vector<ExpectedMessage>& expected) const {
    std::size_t e = 0, r = 0;
    std::string differs;
    while (e < expected.size() && r < log_.size()) {
        const ExpectedMessage& want = expected[e];
        if (Fits(want, log_[r])) {
            ++r;
            if ((want.Flags & kAnyNumber) == 0) ++e;
        } else if (want.Flags & (kOptional | kAnyNumber)) {
            ++e;
        } else {
            differs = "expected " + Describe(want) + " at " + std::to_string(r) + ", got " + Describe(log_[r]);
            break;
        }
    }
    if (differs.empty()) {
        while (e < expected.size() && (expected[e].Flags & (kOptional | kAnyNumber)) != 0) ++e;
        if (e < expected.size())
            differs = "missing " + Describe(expected[e]) + " after the last of " + std::to_string(log_.size());
        else if (r < log_.size())
            differs = "unexpected " + Describe(log_[r]) + " at " + std::to_string(r);
    }
    if (differs.empty()) return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << differs << "\nexpected:\n";
    for (const ExpectedMessage& want : expected) out << "  " << Describe(want) << "\n";
    out << "recorded:\n";
    for (const RecordedMessage& got : log_) out << "  " << Describe(got) << "\n";
    return ::testing::AssertionFailure() << out.str();
}

std::string MessageSequence::NameOf(UINT msg) {
    for (const Name& n : kNames)
        if (n.Msg == msg) return n.Text;
    // A notification the toolkit hands back to the child it is about.
    if (msg >= platform::CN_BASE && msg < platform::CN_BASE + 0x400) {
        const std::string reflected = NameOf(msg - platform::CN_BASE);
        if (reflected.rfind("WM_", 0) == 0) return "CN_" + reflected.substr(3);
    }
    return "0x" + Hex(msg);
}

}  // namespace lw::testsupport
