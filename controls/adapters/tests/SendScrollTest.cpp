#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "skin/SkinProtocol.h"
#include "controls/adapters/ScrollParts.h"
#include "testsupport/win32/TestWindowClass.h"

namespace lw::controls {
namespace {

struct Received {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    friend bool operator==(const Received&, const Received&) = default;
};

std::vector<Received>* g_log = nullptr;
LRESULT g_beforeScrollAnswer = 0;

LRESULT CALLBACK Recorder(HWND window, UINT msg, WPARAM w, LPARAM l) {
    if (msg == skin::SM_ALPHACMD || msg == WM_VSCROLL) {
        g_log->push_back({msg, w, l});
        if (msg == skin::SM_ALPHACMD && skin::SkinCommandOf(w) == skin::SMC_BEFORESCROLL) return g_beforeScrollAnswer;
        return 0;
    }
    return DefWindowProcW(window, msg, w, l);
}

// A control receives a large position in full only when it asks for it; otherwise the high
// word is cut to 65535 and the position is set on the bar before the slider is tracked.
TEST(SendScroll, LargePositionsAndTheBeforeAndAfterNotices) {
    HWND window = CreateWindowExW(0, testsupport::TestWindowClass(L"LwScrollRecorder", Recorder), L"",
                                  WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    SCROLLINFO range{sizeof(range), SIF_RANGE | SIF_PAGE, 0, 100000, 10, 0, 0};
    SetScrollInfo(window, SB_VERT, &range, FALSE);
    const LPARAM notice = MAKELONG(SB_THUMBTRACK, WM_VSCROLL);
    struct Case {
        LRESULT answer;
        Received scroll;
    };
    const Case cases[] = {
        {0, {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0xFFFF), 0}},
        {1, {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 70000 & 0xFFFF), 70000}},
    };
    for (const Case& k : cases) {
        std::vector<Received> log;
        g_log = &log;
        g_beforeScrollAnswer = k.answer;
        SendScroll(window, WM_VSCROLL, SB_THUMBTRACK, 70000);
        EXPECT_EQ(log, (std::vector<Received>{{skin::SM_ALPHACMD, skin::SkinWParam(skin::SMC_BEFORESCROLL), notice},
                                              k.scroll,
                                              {skin::SM_ALPHACMD, skin::SkinWParam(skin::SMC_AFTERSCROLL), notice}}))
            << "answer " << k.answer;
    }
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(window, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 70000) << "the bar holds the tracked position";
    g_log = nullptr;
    DestroyWindow(window);
}

}  // namespace
}  // namespace lw::controls
