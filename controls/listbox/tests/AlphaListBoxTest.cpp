#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "controls/listbox/AlphaListBox.h"
#include "platform/Application.h"
#include "platform/Exception.h"
#include "platform/Form.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

using testsupport::SilentPrompt;

struct ListBoxTest : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    TsListBox& box = MakeBox();
    int clicks = 0;

    TsListBox& MakeBox() {
        TsListBox& b = form.Make<TsListBox>(&form);
        b.Name = "maps";
        b.SetBounds({8, 8, 200, 120});
        b.OnClick = [this] { ++clicks; };
        return b;
    }
    void SetUp() override {
        form.SetBounds({0, 0, 300, 200});
        form.FinishLoading();
        form.Show();
    }
    void Fill(int count) {
        for (int i = 0; i < count; ++i) box.AddW((i < 10 ? L"item 0" : L"item ") + std::to_wstring(i));
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (int i = 0; i < box.Count(); ++i) texts.push_back(box.ItemW(i));
        return texts;
    }
    void Type(wchar_t key) { SendMessageW(box.Handle(), WM_CHAR, key, 0); }
};

TEST_F(ListBoxTest, ReCreatingTheWindowKeepsItemsTheirDataTheTopItemAndTheSelection) {
    struct Change {
        const char* name;
        std::function<void(TsListBox&)> apply;
        DWORD styleAfter;
    };
    const Change changes[] = {
        {"tab width", [](TsListBox& b) { b.SetTabWidth(8); }, LBS_USETABSTOPS},
        {"scroll bars always", [](TsListBox& b) { b.SetAutoHideScroll(false); }, LBS_DISABLENOSCROLL},
        {"owner drawn", [](TsListBox& b) { b.SetStyle(TListBoxStyle::lbOwnerDrawFixed); }, LBS_OWNERDRAWFIXED},
        {"sorted", [](TsListBox& b) { b.SetSorted(true); }, LBS_SORT},
    };
    for (const Change& change : changes) {
        box.Clear();
        Fill(60);
        box.Items().PutObject(3, 0x1234);
        box.SetTopIndex(10);
        box.SetItemIndex(12);
        const std::vector<std::wstring> before = Texts();
        const HWND old = box.Handle();
        change.apply(box);
        ASSERT_NE(box.Handle(), old) << change.name;
        EXPECT_TRUE(GetWindowLongW(box.Handle(), GWL_STYLE) & change.styleAfter) << change.name;
        EXPECT_EQ(Texts(), before) << change.name;
        EXPECT_EQ(box.Items().Object(3), 0x1234) << change.name;
        EXPECT_EQ(box.ItemIndex(), 12) << change.name;
        EXPECT_EQ(box.TopIndex(), 10) << change.name;
        // Back to a plain list for the next change.
        box.SetTabWidth(0);
        box.SetAutoHideScroll(true);
        box.SetStyle(TListBoxStyle::lbStandard);
        box.SetSorted(false);
    }
}

TEST_F(ListBoxTest, ReCreatingAMultiSelectionListKeepsEverySelectedItem) {
    for (const bool extended : {true, false}) {
        SCOPED_TRACE(extended ? "extended selection" : "multiple selection");
        box.SetExtendedSelect(extended);
        box.SetMultiSelect(true);
        box.Clear();
        Fill(30);
        for (const int i : {2, 5, 6, 17}) box.SetSelected(i, true);
        box.SetItemIndex(5);
        const auto selection = [&] {
            std::vector<int> selected;
            for (int i = 0; i < box.Count(); ++i)
                if (box.Selected(i)) selected.push_back(i);
            return selected;
        };
        const HWND old = box.Handle();
        box.SetTabWidth(8);
        ASSERT_NE(box.Handle(), old);
        EXPECT_EQ(selection(), (std::vector<int>{2, 5, 6, 17}));
        EXPECT_EQ(box.ItemIndex(), 5);
        // Down to one selection, the current item is the one left.
        box.SetMultiSelect(false);
        EXPECT_EQ(selection(), (std::vector<int>{5}));
        box.SetTabWidth(0);
    }
}

TEST_F(ListBoxTest, ChangesMadeWhileTheFormLoadsReCreateTheWindowOnceLoaded) {
    platform::TForm loading{nullptr};
    TsListBox& late = loading.Make<TsListBox>(&loading);
    late.AddW(L"kept");
    late.SetTabWidth(8);
    late.SetSorted(true);
    EXPECT_FALSE(GetWindowLongW(late.Handle(), GWL_STYLE) & LBS_USETABSTOPS);
    loading.FinishLoading();
    EXPECT_TRUE(GetWindowLongW(late.Handle(), GWL_STYLE) & LBS_USETABSTOPS);
    EXPECT_TRUE(GetWindowLongW(late.Handle(), GWL_STYLE) & LBS_SORT);
    EXPECT_EQ(late.ItemW(0), L"kept");
}

TEST_F(ListBoxTest, TypeAheadSelectsAndClicksAndKeepsThePlatformsSearchOut) {
    for (const wchar_t* map : {L"de_dust.bsp", L"Dm_arena.bsp", L"ctf_x.bsp", L"m"}) box.AddW(map);
    std::uint32_t now = 1000;
    box.TickCount = [&] { return now; };
    Type(L'd');
    EXPECT_EQ(box.ItemIndex(), 0);
    now = 1200;
    Type(L'm');  // "dm"; the platform's own search would have gone to "m"
    EXPECT_EQ(box.ItemIndex(), 1);
    now = 1800;
    Type(L'c');
    EXPECT_EQ(box.ItemIndex(), 2);
    EXPECT_EQ(clicks, 3);
    now = 1900;
    Type(L'z');
    EXPECT_EQ(box.ItemIndex(), 2);
    EXPECT_EQ(clicks, 3);
    now = 3000;
    box.AutoComplete = false;
    Type(L'm');  // the platform's own one-letter search
    EXPECT_EQ(box.ItemIndex(), 3);
}

TEST_F(ListBoxTest, BackspaceOnAnEmptyListRaisesNothing) {
    Type(L'\b');
    Type(L'x');
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(box.ItemIndex(), -1);
}

TEST_F(ListBoxTest, OnlyTheUsersSelectionClicks) {
    Fill(5);
    box.SetItemIndex(2);
    EXPECT_EQ(clicks, 0);
    const RECT r = box.ItemRect(3);
    const LPARAM at = MAKELPARAM(r.left + 5, r.top + 2);
    SendMessageW(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(box.Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(box.ItemIndex(), 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(box.ItemAtPos({r.left + 5, r.top + 2}, true), 3);
    EXPECT_EQ(box.ItemAtPos({r.left + 5, box.ItemRect(4).bottom + 2}, true), -1);
    EXPECT_EQ(box.ItemAtPos({r.left + 5, box.ItemRect(4).bottom + 2}, false), 5);
    EXPECT_EQ(box.ItemAtPos({-1, 0}, false), -1);
}

TEST_F(ListBoxTest, ItemsContainerOperationsGoToTheWindow) {
    Fill(3);
    box.Items().PutObject(0, 7);
    box.SetItemIndex(0);
    box.Items().Exchange(0, 2);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"item 02", L"item 01", L"item 00"}));
    EXPECT_EQ(box.Items().Object(2), 7);
    EXPECT_EQ(box.ItemIndex(), 2) << "the current item moves with its text";
    box.Items().Move(2, 0);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"item 00", L"item 02", L"item 01"}));
    EXPECT_EQ(box.Items().Object(0), 7);
    box.Items().PutW(1, L"renamed");
    EXPECT_EQ(box.ItemW(1), L"renamed");
    EXPECT_EQ(box.Items().IndexOfW(L"RENAMED"), 1);
    EXPECT_EQ(box.Items().IndexOfW(L"renam"), -1);
}

TEST_F(ListBoxTest, BadRequestsGetClearErrors) {
    Fill(2);
    const auto message = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const platform::Exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { box.ItemW(5); }), "List index out of bounds (5)");
    EXPECT_EQ(message([&] { box.Items().Object(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(message([&] { box.SetCount(10); }), "Listbox (maps) style must be virtual in order to set Count");
    box.SetMultiSelect(true);
    EXPECT_EQ(message([&] { box.SetSelected(9, true); }), "List index out of bounds (9)");
    EXPECT_FALSE(box.Selected(9));
}

TEST_F(ListBoxTest, VirtualStylesTakeTextsAndSearchesFromTheProgram) {
    Fill(3);
    box.OnData = [](TsAlphaListBox&, int index, std::wstring& text) { text = L"row " + std::to_wstring(index); };
    box.OnDataFind = [](TsAlphaListBox&, const std::wstring& text) { return text == L"r" ? 40 : -1; };
    box.SetStyle(TListBoxStyle::lbVirtual);
    EXPECT_EQ(box.Count(), 0) << "choosing a virtual style empties the list";
    box.SetCount(100);
    EXPECT_EQ(box.Count(), 100);
    EXPECT_EQ(box.ItemW(42), L"row 42");
    Type(L'r');
    EXPECT_EQ(box.ItemIndex(), 40);
    box.SetTabWidth(4);
    EXPECT_EQ(box.Count(), 100) << "the count survives re-creation";
}

TEST_F(ListBoxTest, MeasuringGivesOwnerDrawnItemsTheirHeights) {
    // A standard list answers the platform's height until the program asks for one.
    Fill(1);
    EXPECT_EQ(box.ItemHeight(), SendMessageW(box.Handle(), LB_GETITEMHEIGHT, 0, 0));
    EXPECT_NE(box.ItemHeight(), 16);
    box.SetItemHeight(21);
    box.SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    EXPECT_EQ(SendMessageW(box.Handle(), LB_GETITEMHEIGHT, 0, 0), 21);
    box.OnMeasureItem = [](TsAlphaListBox&, int index, int& height) { height = 10 + index; };
    box.SetStyle(TListBoxStyle::lbOwnerDrawVariable);
    Fill(3);
    EXPECT_EQ(SendMessageW(box.Handle(), LB_GETITEMHEIGHT, 2, 0), 12);
    box.SetStyle(TListBoxStyle::lbStandard);
    platform::TFont font = box.Font();
    font.Color = 0x123456;  // a new font for the window, as taking a skin's colours gives it
    box.SetFont(font);
    EXPECT_EQ(SendMessageW(box.Handle(), LB_GETITEMHEIGHT, 0, 0), 21);
    EXPECT_EQ(box.ItemHeight(), 21);
}

TEST_F(ListBoxTest, OwnerDrawnSelectionIsHighlightedAndTheRestHasTheListsColour) {
    box.SetColor(0x123456);
    box.SetItemHeight(16);
    box.SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    Fill(4);
    box.SetItemIndex(1);
    bridge::TsDibSection dib(200, 120, render::PixelFormat::pf24bit);
    SendMessageW(box.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto pixel = [&](int x, int y) {
        const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
        return static_cast<COLORREF>(p[2] | p[1] << 8 | p[0] << 16);
    };
    const RECT selected = box.ItemRect(1), other = box.ItemRect(2);
    EXPECT_EQ(pixel(selected.right - 3, selected.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(other.right - 3, other.top + 1), 0x123456u);
}

TEST_F(ListBoxTest, OwnerDrawnTextStartsAtTheEdgeItsReadingOrderStartsFrom) {
    box.SetColor(0x123456);
    platform::TFont font = box.Font();
    font.Color = 0xFFFFFF;
    box.SetFont(font);
    box.SetItemHeight(16);
    box.SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    Fill(1);
    for (const bool rightToLeft : {false, true}) {
        SCOPED_TRACE(rightToLeft ? "right to left" : "left to right");
        box.SetRightToLeftReading(rightToLeft);
        ASSERT_EQ((GetWindowLongW(box.Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0, rightToLeft);
        const RECT item = box.ItemRect(0);
        bridge::TsDibSection dib(200, 120, render::PixelFormat::pf24bit);
        SendMessageW(box.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        // The columns of the row that the text marks.
        int first = item.right, last = -1;
        for (int y = item.top; y < item.bottom; ++y)
            for (int x = item.left; x < item.right; ++x) {
                const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
                if (p[0] > 0x90 && p[1] > 0x90 && p[2] > 0x90) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        ASSERT_GE(last, 0) << "the text was drawn";
        const int width = item.right - item.left;
        if (rightToLeft) {
            EXPECT_GE(last, item.right - 6);
            EXPECT_GT(first, item.left + width / 2);
        } else {
            EXPECT_LE(first, item.left + 5);
            EXPECT_LT(last, item.left + width / 2);
        }
    }
}

skin::ByteBuffer EditSkin() {
    const std::string options =
        "[GLOBALINFO]\nCOLOR=3092271\n"
        "[EDIT]\nCOLOR=1193046\nHOTCOLOR=1193046\nFONTCOLOR=6636321\nHOTFONTCOLOR=6636321\nTRANSPARENCY=0\n";
    return skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}});
}

TEST(SkinnedListBox, TakesTheSkinsColoursAndGivesThemBackWhenTheSkinGoes) {
    testsupport::SkinnedFormSetup setup{EditSkin()};
    platform::TForm& form = setup.form;
    auto& manager = setup.manager;
    TsListBox& box = form.Make<TsListBox>(&form);
    form.FinishLoading();
    form.Show();
    ASSERT_TRUE(box.SkinData().Skinned());
    EXPECT_EQ(box.Color(), 1193046);
    EXPECT_EQ(box.Font().Color, 6636321);
    manager.SetActive(false);
    EXPECT_EQ(box.Color(), platform::clWindow);
    EXPECT_EQ(box.Font().Color, platform::clWindowText);
    manager.SetActive(true);
    EXPECT_EQ(box.Color(), 1193046);
    EXPECT_EQ(box.Font().Color, 6636321);
}

TEST(SkinnedListBox, ANewWindowGetsItsOwnAdapter) {
    testsupport::SkinnedFormSetup setup{EditSkin()};
    platform::TForm& form = setup.form;
    auto& manager = setup.manager;
    TsListBox& box = form.Make<TsListBox>(&form);
    form.FinishLoading();
    form.Show();
    ASSERT_NE(box.Adapter(), nullptr);
    EXPECT_EQ(FindAdapter(box.Handle()), box.Adapter());
    for (int i = 0; i < 40; ++i) box.AddW(L"map " + std::to_wstring(i));
    box.SetTabWidth(8);
    ASSERT_NE(box.Adapter(), nullptr);
    EXPECT_EQ(FindAdapter(box.Handle()), box.Adapter());
    EXPECT_EQ(box.Count(), 40);
    manager.SetActive(false);
    EXPECT_EQ(FindAdapter(box.Handle()), nullptr);
}

}  // namespace
}  // namespace lw::controls
