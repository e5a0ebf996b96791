#include <windows.h>

#include <gtest/gtest.h>

#include "bridge/SkinManager.h"
#include "controls/edits/Memo.h"
#include "controls/adapters/ScrollParts.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

constexpr TColor kEditColor = 1193046;
constexpr TColor kEditFont = 6636321;

skin::ByteBuffer EditSkin() {
    const std::string options =
        "[GLOBALINFO]\nCOLOR=3092271\n"
        "[EDIT]\nCOLOR=1193046\nHOTCOLOR=1193046\nFONTCOLOR=6636321\nHOTFONTCOLOR=6636321\nTRANSPARENCY=0\n";
    return skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}});
}

struct SkinnedMemo : ::testing::Test, testsupport::SkinnedFormSetup {
    SkinnedMemo() : SkinnedFormSetup(EditSkin()) {}
    TsMemo& memo = MakeMemo();
    TsMemo& MakeMemo() {
        TsMemo& m = form.Make<TsMemo>(&form, platform::TMemoStyle{.VerticalScrollBar = true, .WordWrap = false});
        m.SetBounds({8, 8, 200, 100});
        return m;
    }
    void SetUp() override {
        form.SetBounds({0, 0, 300, 200});
        form.FinishLoading();
        form.Show();
        ASSERT_TRUE(memo.SkinData().Skinned());
    }
};

TEST_F(SkinnedMemo, TakesTheSkinsColoursGivesThemBackAndTakesThemAgain) {
    EXPECT_EQ(memo.Color(), kEditColor);
    EXPECT_EQ(memo.Font().Color, kEditFont);
    manager.SetActive(false);
    EXPECT_EQ(memo.Color(), platform::clWindow);
    EXPECT_EQ(memo.Font().Color, platform::clWindowText);
    manager.SetActive(true);
    EXPECT_EQ(memo.Color(), kEditColor);
    EXPECT_EQ(memo.Font().Color, kEditFont);
}

TEST_F(SkinnedMemo, CaretAndScrollEventsFollowTheirRequests) {
    std::wstring text;
    for (int i = 0; i < 100; ++i)
        text += L"line " + std::to_wstring(i) + L" with some words to make it wide enough\r\n";
    memo.SetTextW(text);
    int carets = 0, scrolls = 0;
    memo.OnScrollCaret = [&] { ++carets; };
    memo.OnVScroll = [&] { ++scrolls; };
    memo.Select(10, 5);
    EXPECT_EQ(carets, 1);
    SendMessageW(memo.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(memo.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(scrolls, 2);
    EXPECT_GT(SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    SendMessageW(memo.Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(scrolls, 2);
    EXPECT_EQ(carets, 1);
}

TEST_F(SkinnedMemo, KeepsTheTextAndItsLineBreaksWhileTheSkinComesAndGoes) {
    memo.SetTextW(L"first\r\nsecond");
    manager.SetActive(false);
    manager.SetActive(true);
    EXPECT_EQ(memo.TextW(), L"first\r\nsecond");
    EXPECT_EQ(SendMessageW(memo.Handle(), EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_GT(SendMessageW(memo.Handle(), EM_GETLIMITTEXT, 0, 0), 30000) << "the typing limit stays lifted";
}

TEST_F(SkinnedMemo, HasAnAdapterWhileSkinnedAndANewOneWhenTheSkinComesBack) {
    ASSERT_NE(memo.Adapter(), nullptr);
    EXPECT_EQ(FindAdapter(memo.Handle()), memo.Adapter());
    RECT client{};
    GetClientRect(memo.Handle(), &client);
    EXPECT_LE(client.right, 200 - 17) << "the frame leaves room for the skinned bar";
    manager.SetActive(false);
    EXPECT_EQ(memo.Adapter(), nullptr);
    EXPECT_EQ(FindAdapter(memo.Handle()), nullptr);
    manager.SetActive(true);
    ASSERT_NE(memo.Adapter(), nullptr);
    EXPECT_EQ(FindAdapter(memo.Handle()), memo.Adapter());
}

TEST_F(SkinnedMemo, TextSetOrTypedReachesTheSkinnedBar) {
    const TgwScrollBar& bar = *dynamic_cast<TgwScrollWnd&>(*memo.Adapter()).VertBar;
    std::wstring text;
    for (int i = 0; i < 500; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    memo.SetTextW(text);
    EXPECT_GE(bar.Info.nMax, 499);
    memo.SetTextW(L"short");
    EXPECT_LT(bar.Info.nMax, 10);
    // Typed line breaks change the range as well (as a held Enter key does between its key messages).
    for (int i = 0; i < 40; ++i) SendMessageW(memo.Handle(), WM_CHAR, L'\r', 0);
    EXPECT_GE(bar.Info.nMax, 40);
}

}  // namespace
}  // namespace lw::controls
