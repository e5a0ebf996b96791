#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/AboutWindow.h"
#include "app/SettingsWindow.h"
#include "app/tests/WindowTestSupport.h"
#include "bridge/GdiTextEngine.h"
#include "controls/base/CommonDataWindow.h"
#include "render/Text.h"
#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::app::testing {
namespace {

class MemoryIniStore : public platform::IniStore {
public:
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) override {
        const auto found = values.find(std::string(section) + "/" + std::string(key));
        return found == values.end() ? std::string(fallback) : found->second;
    }
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
        ++writes;
        if (readOnly) throw platform::Exception("Unable to write to C:\\app\\configuration.ini");
        values[std::string(section) + "/" + std::string(key)] = value;
    }
    std::map<std::string, std::string> values;
    int writes = 0;
    bool readOnly = false;
};

struct SecondaryWindows : ::testing::Test {
    void Press(platform::TWinControl& button) { SendMessageW(button.Handle(), BM_CLICK, 0, 0); }
    bool Shown(const platform::TForm& form) { return IsWindowVisible(form.Handle()); }

    RecordingPrompt prompt;
    platform::TApplication application{prompt};
    MemoryIniStore configuration;
    RecordingLauncher launcher;
    AppServices services{configuration, launcher};
    platform::TComponent root{nullptr};
    platform::TForm& main = root.Make<platform::TForm>();
    TAboutForm& about = root.Make<TAboutForm>(services);
    TSettingsForm& settings = root.Make<TSettingsForm>(services);
};

TEST_F(SecondaryWindows, SettingsShowsTheStoredValueAtEveryShowing) {
    const std::pair<const char*, bool> cases[] = {{nullptr, true}, {"0", false},  {"1", true},
                                                  {"0x10", true},  {"$0", false}, {"yes", true}};
    for (const auto& [stored, checked] : cases) {
        SCOPED_TRACE(stored ? stored : "(missing)");
        configuration.values.clear();
        if (stored) configuration.values["MAIN/SAVEP"] = stored;
        settings.Show();
        EXPECT_EQ(settings.rememberFolder.Checked(), checked);
        Press(settings.cancelButton);
        EXPECT_FALSE(Shown(settings));
    }
    EXPECT_EQ(configuration.writes, 0) << "showing and cancelling never write";
}

TEST_F(SecondaryWindows, ApplyWritesAtOnceOkWritesOnceAndClosesCancelWritesNothing) {
    settings.Show();
    Press(settings.rememberFolder);
    ASSERT_FALSE(settings.rememberFolder.Checked());
    Press(settings.applyButton);
    EXPECT_EQ(configuration.values["MAIN/SAVEP"], "0");
    EXPECT_TRUE(Shown(settings));

    Press(settings.rememberFolder);
    Press(settings.cancelButton);
    EXPECT_EQ(configuration.values["MAIN/SAVEP"], "0") << "Cancel threw the change away";
    settings.Show();
    EXPECT_FALSE(settings.rememberFolder.Checked()) << "the next showing reads the file again";

    Press(settings.rememberFolder);
    const int before = configuration.writes;
    Press(settings.okButton);
    EXPECT_EQ(configuration.writes, before + 1);
    EXPECT_EQ(configuration.values["MAIN/SAVEP"], "1");
    EXPECT_FALSE(Shown(settings));
}

TEST_F(SecondaryWindows, OkThatCannotWriteReportsAndStaysOpen) {
    configuration.readOnly = true;
    settings.Show();
    Press(settings.okButton);
    EXPECT_TRUE(Shown(settings));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unable to write to C:\\app\\configuration.ini");
}

TEST_F(SecondaryWindows, SettingsWindowLayout) {
    EXPECT_EQ(settings.Text(), "Настройки");
    EXPECT_EQ(settings.ClientSize().cx, 481);
    // The appearance group stands between the basic group and the buttons, which keep their
    // places relative to each other.
    EXPECT_EQ(settings.ClientSize().cy, 253);
    EXPECT_EQ(settings.mainBox.Bounds(), (platform::TBounds{16, 16, 449, 57}));
    EXPECT_EQ(settings.appearance.group.Bounds(), (platform::TBounds{16, 80, 449, 125}));
    EXPECT_EQ(settings.appearance.group.Text(), "Оформление");
    EXPECT_EQ(settings.applyButton.Bounds(), (platform::TBounds{16, 212, 148, 25}));
    EXPECT_EQ(settings.okButton.Bounds(), (platform::TBounds{169, 212, 146, 25}));
    EXPECT_EQ(settings.cancelButton.Bounds(), (platform::TBounds{320, 212, 145, 25}));
    EXPECT_EQ(settings.mainBox.Text(), "Основные");
    EXPECT_EQ(settings.rememberFolder.Text(), "Запоминать последний используемый каталог");
    EXPECT_EQ(settings.rememberFolder.Bounds().Left, 8);
    EXPECT_EQ(settings.rememberFolder.Bounds().Top, 24);
    EXPECT_EQ(settings.applyButton.Text(), "Применить");
    EXPECT_EQ(settings.okButton.Text(), "ОК");
    EXPECT_EQ(settings.cancelButton.Text(), "Отмена");
    EXPECT_EQ(settings.cancelButton.TabOrder(), 1);
    EXPECT_EQ(settings.applyButton.TabOrder(), 2);
    EXPECT_EQ(settings.okButton.TabOrder(), 3);
}

// In the skin the check box takes the width its caption needs at the font it shows, whatever
// width the layout gave it: the whole caption stands beside the box, inside the group. A font
// given to the window later is followed too.
TEST(SkinnedSettingsWindow, TheCheckBoxFitsItsWholeCaptionAtTheFontItShows) {
    MainWindowFixture fixture;
    fixture.Open().Show();
    TSettingsForm settings(nullptr, fixture.services);
    settings.Show();
    const controls::TsCheckBox& box = settings.rememberFolder;
    ASSERT_TRUE(box.SkinData().Skinned());
    for (const int fontHeight : {0, -15, -9}) {
        SCOPED_TRACE(fontHeight);
        if (fontHeight != 0) {
            platform::TFont font = settings.Font();
            font.Height = fontHeight;
            settings.SetFont(font);
            ASSERT_EQ(box.Font().Height, fontHeight);
        }
        const platform::TBounds& b = box.Bounds();
        const TPoint text = render::MeasureText(bridge::ProcessTextEngine(), controls::TextFontOf(box), box.Text());
        ASSERT_GT(text.X, 0);
        const controls::BoxSize square = box.Box();
        const int needed = square.Width + 2 * box.Margin() + text.X + box.TextIndent() + 8;
        EXPECT_GE(b.Width, needed);
        EXPECT_LE(b.Width, needed) << "no wider than the caption needs either";
        EXPECT_GE(b.Height, text.Y + 2 * box.Margin());
        const controls::CheckBoxLayout layout{b.Width, b.Height, box.Margin(), box.TextIndent(), true, false};
        EXPECT_LE(controls::CheckBoxCaptionRect(layout, square, text.X, text.Y).Right, b.Width - 2);
        EXPECT_EQ((TPoint{b.Left, b.Top}), (TPoint{8, 24}));
    }
}

TEST_F(SecondaryWindows, ClosingEitherWindowEnablesTheMainWindow) {
    const auto closes = {+[](SecondaryWindows& t) { t.Press(t.about.closeButton); },
                         +[](SecondaryWindows& t) { SendMessageW(t.about.Handle(), WM_CLOSE, 0, 0); },
                         +[](SecondaryWindows& t) { t.Press(t.settings.cancelButton); },
                         +[](SecondaryWindows& t) { SendMessageW(t.settings.Handle(), WM_CLOSE, 0, 0); }};
    for (const auto close : closes) {
        about.Show();
        settings.Show();
        main.SetEnabled(false);
        close(*this);
        EXPECT_TRUE(IsWindowEnabled(main.Handle()));
        about.Hide();
        settings.Hide();
    }
}

TEST_F(SecondaryWindows, EscapeClosesAboutAndSettingsAsTheirCloseAndCancelButtons) {
    const auto PressKey = [&](platform::TForm& form, WORD key) {
        HWND focus = GetFocus();
        PostMessageW(focus && IsChild(form.Handle(), focus) ? focus : form.Handle(), WM_KEYDOWN, key, 0);
        application.ProcessMessages();
    };
    for (platform::TForm* form : {static_cast<platform::TForm*>(&about), static_cast<platform::TForm*>(&settings)}) {
        form->Show();
        main.SetEnabled(false);
        if (form == &settings) Press(settings.rememberFolder);
        PressKey(*form, VK_SPACE + 1);
        EXPECT_TRUE(Shown(*form)) << "only Escape closes";
        PressKey(*form, VK_ESCAPE);
        EXPECT_FALSE(Shown(*form)) << form->Text();
        EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    }
    EXPECT_EQ(configuration.writes, 0) << "Escape on Settings is Cancel";
}

TEST_F(SecondaryWindows, AboutOpensTheSiteAndHelpNeverReacts) {
    about.Show();
    EXPECT_EQ(about.Text(), "О программе");
    EXPECT_EQ(about.ClientSize().cx, 465);
    EXPECT_EQ(about.ClientSize().cy, 185);
    const std::string text = about.aboutText.Text();
    EXPECT_TRUE(text.starts_with("Lumpwright 1.0\r\n\r\nАвтор: "));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9) << "ten lines";

    Press(about.siteButton);
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.opened[0], L"https://" + platform::Utf8ToWide(kProjectAddress));

    EXPECT_FALSE(IsWindowEnabled(about.helpButton.Handle()));
    Press(about.helpButton);
    EXPECT_TRUE(Shown(about));
    EXPECT_EQ(launcher.opened.size(), 1u);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SecondaryWindows, AboutKeepsItsEmptyGreyLabelBehindTheButtonPanel) {
    about.Show();
    EXPECT_EQ(about.noteLabel.Parent(), &about.backPanel);
    EXPECT_TRUE(about.noteLabel.Text().empty());
    EXPECT_EQ(about.noteLabel.Font().Color, platform::clGray);
    const platform::TBounds b = about.noteLabel.Bounds();
    const platform::TBounds panel = about.buttonsPanel.Bounds();
    EXPECT_GE(b.Left, panel.Left);
    EXPECT_GE(b.Top, panel.Top);
    EXPECT_LE(b.Left + b.Width, panel.Left + panel.Width);
    EXPECT_LE(b.Top + b.Height, panel.Top + panel.Height);
}

}  // namespace
}  // namespace lw::app::testing
