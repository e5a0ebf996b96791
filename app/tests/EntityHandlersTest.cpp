#include <gtest/gtest.h>

#include "app/AboutWindow.h"
#include "app/SettingsWindow.h"
#include "app/tests/WindowTestSupport.h"

namespace lw::app::testing {
namespace {

// The main window's find and window-opening handlers, on real controls.
struct EntityHandlers : ::testing::Test {
    MainWindowFixture fixture;
    platform::TComponent forms{nullptr};
    TMainForm& main = forms.Make<TMainForm>(fixture.services);
    TAboutForm& about = forms.Make<TAboutForm>(fixture.services);
    TSettingsForm& settings = forms.Make<TSettingsForm>(fixture.services);
};

TEST_F(EntityHandlers, FindNextSelectsEachOccurrenceThenReportsAndStartsOver) {
    main.console.SetText("{\r\n\"key\" \"a\"\r\n\"key\" \"b\"\r\n}");
    main.findButtonClick();
    ASSERT_NE(main.finder.Handle(), nullptr) << "the find dialog did not open";
    main.finder.SetSearchText("key");

    main.finderFind();
    EXPECT_EQ(main.console.SelStart(), 4);
    EXPECT_EQ(main.console.SelLength(), 3);
    EXPECT_EQ(main.FindPos(), 5);
    main.finderFind();
    EXPECT_EQ(main.console.SelStart(), 15);

    main.finderFind();
    ASSERT_EQ(fixture.prompt.shown.size(), 1u);
    EXPECT_EQ(fixture.prompt.shown[0].text, "There are no further occurences of \"key\" in Memo1.");
    EXPECT_EQ(fixture.prompt.shown[0].caption, "Error");
    EXPECT_EQ(fixture.prompt.shown[0].flags, UINT(MB_OK | MB_ICONERROR));
    EXPECT_EQ(main.FindPos(), 0);

    main.finderFind();
    EXPECT_EQ(main.console.SelStart(), 4);
    main.findButtonClick();
    EXPECT_EQ(main.FindPos(), 0) << "the find button starts from the top again";
    main.finder.CloseDialog();
}

TEST_F(EntityHandlers, AboutDisablesTheMainWindowUntilClosedAndSettingsLeavesItEnabled) {
    main.Show();
    main.aboutButtonClick();
    EXPECT_TRUE(IsWindowVisible(about.Handle()));
    EXPECT_FALSE(IsWindowEnabled(main.Handle()));
    SendMessageW(about.closeButton.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(about.Handle()));
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));

    main.settingsButtonClick();
    EXPECT_TRUE(IsWindowVisible(settings.Handle()));
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
}

}  // namespace
}  // namespace lw::app::testing
