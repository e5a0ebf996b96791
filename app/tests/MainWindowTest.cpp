#include <windows.h>

#include <gtest/gtest.h>

#include "app/tests/WindowTestSupport.h"
#include "platform/Text.h"

namespace lw::app::testing {
namespace {

using platform::TWinControl;

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

RECT RectInParent(HWND window) {
    RECT area;
    GetWindowRect(window, &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

std::vector<HWND> ChildrenInZOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

TEST(MainWindow, ShowsEveryControlWhereAndAsTheLayoutSays) {
    MainWindowFixture fixture;
    TMainForm& form = fixture.Open();

    EXPECT_EQ(WindowText(form.Handle()), L"Lumpwright 1.0");
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 593);
    EXPECT_EQ(client.bottom, 585);

    struct Expected {
        TWinControl& control;
        TWinControl& parent;
        RECT bounds;  // left, top, right, bottom
        const char* text;
    };
    const Expected layout[] = {
        {form.controlsPanel, form, {0, 0, 593, 281}, ""},
        {form.folderBox, form.controlsPanel, {16, 16, 577, 73}, "Укажите каталог с картами:"},
        {form.path, form.folderBox, {8, 24, 553, 45}, ""},
        {form.mapsBox, form.controlsPanel, {16, 80, 281, 273}, "Карты в каталоге:"},
        {form.maps, form.mapsBox, {8, 16, 257, 185}, ""},
        {form.aboutButton, form.controlsPanel, {296, 216, 561, 241}, "О программе"},
        {form.exitButton, form.controlsPanel, {296, 248, 561, 273}, "Выход"},
        {form.revertButton, form.controlsPanel, {296, 120, 561, 145}, "Отменить все изменения"},
        {form.saveButton, form.controlsPanel, {296, 88, 561, 113}, "Сохранить изменения"},
        {form.settingsButton, form.controlsPanel, {296, 152, 561, 177}, "Настройки"},
        {form.findButton, form.controlsPanel, {296, 184, 561, 209}, "Поиск в тексте"},
        {form.textPanel, form, {0, 280, 593, 585}, ""},
        {form.console, form.textPanel, {16, 16, 577, 273}, ""},
    };
    for (const Expected& e : layout) {
        SCOPED_TRACE(e.control.Name);
        EXPECT_EQ(GetParent(e.control.Handle()), e.parent.Handle());
        const RECT at = RectInParent(e.control.Handle());
        EXPECT_EQ(at.left, e.bounds.left);
        EXPECT_EQ(at.top, e.bounds.top);
        EXPECT_EQ(at.right, e.bounds.right);
        EXPECT_EQ(at.bottom, e.bounds.bottom);
        EXPECT_EQ(WindowText(e.control.Handle()), platform::Utf8ToWide(e.text));
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(e.control.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -11);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    }
    EXPECT_EQ(form.siteLabel.Parent(), &form.textPanel);
    EXPECT_EQ(form.siteLabel.Bounds(), (platform::TBounds{224, 280, 128, 13}));
    EXPECT_EQ(form.siteLabel.Text(), kProjectAddress);
    EXPECT_EQ(SendMessageW(form.maps.Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_FALSE(form.loader.Enabled());
    EXPECT_EQ(form.loader.Interval(), 10u);
}

TEST(MainWindow, TabOrderPutsTheMemoFirstAndTheButtonsAboutExitRevertSaveSettingsFind) {
    MainWindowFixture fixture;
    TMainForm& form = fixture.Open();

    EXPECT_EQ(ChildrenInZOrder(form.Handle()),
              (std::vector<HWND>{form.textPanel.Handle(), form.controlsPanel.Handle()}));
    EXPECT_EQ(ChildrenInZOrder(form.controlsPanel.Handle()),
              (std::vector<HWND>{form.folderBox.Handle(), form.mapsBox.Handle(), form.aboutButton.Handle(),
                                 form.exitButton.Handle(), form.revertButton.Handle(), form.saveButton.Handle(),
                                 form.settingsButton.Handle(), form.findButton.Handle()}));

    form.Show();
    EXPECT_TRUE(PumpUntil([&] { return form.console.Focused(); }));
    // The system's own dialog navigation agrees: the memo is the first stop in the window.
    EXPECT_EQ(GetNextDlgTabItem(form.Handle(), nullptr, FALSE), form.console.Handle());
}

// Both come after the first paint; the window and its folder field must still get them.
TEST(MainWindow, TakesDropsAndItsIconOnceMessagesAreServed) {
    MainWindowFixture fixture;
    TMainForm& form = fixture.Open();
    form.Show();
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0) != 0; }));
    EXPECT_NE(SendMessageW(form.Handle(), WM_GETICON, ICON_SMALL, 0), 0);
    for (HWND target : {form.Handle(), form.path.Handle()})
        EXPECT_TRUE(GetWindowLongW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST(MainWindow, ExitClosesTheWindowAndEndsTheLoop) {
    MainWindowFixture fixture;
    TMainForm& form = fixture.Open();
    form.Show();
    SendMessageW(form.exitButton.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(fixture.application.Terminated());
}

TEST(MainWindow, ClickOnTheWebLabelOpensTheProjectAddress) {
    MainWindowFixture fixture;
    TMainForm& form = fixture.Open();
    const platform::TBounds at = form.siteLabel.Bounds();
    const LPARAM inside = MAKELPARAM(at.Left + 5, at.Top + 5);
    SendMessageW(form.textPanel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(form.textPanel.Handle(), WM_LBUTTONUP, 0, inside);
    SendMessageW(form.textPanel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // beside it: nothing
    EXPECT_EQ(fixture.launcher.opened, (std::vector<std::wstring>{L"https://lumpwright.example.org"}));
}

}  // namespace
}  // namespace lw::app::testing
