// The look of the windows as the user chooses it: the skin list, the live preview and its
// Cancel, skins that cannot be read, and the choice kept in the configuration across starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/SettingsWindow.h"
#include "app/core/SkinChoice.h"
#include "app/tests/WindowTestSupport.h"
#include "bridge/DibSection.h"
#include "platform/Text.h"

namespace lw::app::testing {
namespace {

namespace fs = std::filesystem;

// A point of the main window's upper panel that no control covers, as the panel prints itself.
COLORREF PanelPixel(TMainForm& form) {
    bridge::TsDibSection printed(593, 281, render::PixelFormat::pf24bit);
    SendMessageW(form.controlsPanel.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Dc()),
                 PRF_NONCLIENT | PRF_CLIENT);
    return GetPixel(printed.Dc(), 288, 150);
}

struct Appearance : ::testing::Test {
    Appearance() {
        fixture.WriteConfiguration(configuration);
        form = &fixture.Open();
        form->Show();  // done loading: the skin is in use and the windows paint
        skins = fixture.folder.AddFolder(L"Skins");
        form->skinManager.SetSkinDirectory(platform::WideToUtf8(skins.wstring()));
        settings = std::make_unique<TSettingsForm>(nullptr, fixture.services);
    }
    ~Appearance() override { settings.reset(); }

    TAppearanceGroup& Group() { return settings->appearance; }
    void Choose(const std::string& name) {
        for (int i = 0; i < Group().skins.Count(); ++i)
            if (platform::WideToUtf8(Group().skins.ItemW(i)) == name) {
                Group().skins.SetItemIndex(i);
                Group().skins.Click();
                return;
            }
        ADD_FAILURE() << name << " is not listed";
    }
    void DragHue(int degrees) {
        SendMessageW(Group().hue.Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, degrees + kHueLimit), 0);
    }
    SkinChoice InUse() const {
        return {form->skinManager.SkinName(), form->skinManager.HueOffset(), form->skinManager.Saturation()};
    }
    void Press(platform::TWinControl& button) { SendMessageW(button.Handle(), BM_CLICK, 0, 0); }

    std::string configuration;
    MainWindowFixture fixture;
    TMainForm* form = nullptr;
    fs::path skins;
    std::unique_ptr<TSettingsForm> settings;
};

TEST_F(Appearance, TheListHoldsTheStoredSkinsFirstThenPackedSkinsAndSkinFolders) {
    fixture.folder.AddFile(L"Skins\\Amber.gwz", "any bytes: the list does not read them");
    fixture.folder.AddFolder(L"Skins\\Zinc");
    fixture.folder.AddFile(L"Skins\\Zinc\\Options.dat", "[PANEL]\r\n");
    fixture.folder.AddFolder(L"Skins\\Empty folder");
    fixture.folder.AddFile(L"Skins\\Empty folder\\readme.txt", "no options here");
    fixture.folder.AddFile(L"Skins\\notes.txt", "not a skin");
    fixture.folder.AddFile(L"Skins\\.hidden.gwz", "");
    settings->Show();
    std::vector<std::string> listed;
    for (int i = 0; i < Group().skins.Count(); ++i) listed.push_back(platform::WideToUtf8(Group().skins.ItemW(i)));
    EXPECT_EQ(listed, (std::vector<std::string>{kDarkSkinName, kLightSkinName, "Amber", "Zinc"}));
    EXPECT_EQ(Group().skins.ItemIndex(), 0) << "the skin in use is selected";
}

TEST_F(Appearance, ChangesShowAtOnceCancelReturnsToTheOpeningLookApplyKeepsIt) {
    const COLORREF dark = PanelPixel(*form);
    settings->Show();
    Choose(kLightSkinName);
    EXPECT_EQ(InUse().Name, kLightSkinName);
    const COLORREF light = PanelPixel(*form);
    EXPECT_GT(GetRValue(light), 200) << "the main window turned light at once";
    DragHue(120);
    EXPECT_EQ(InUse(), (SkinChoice{kLightSkinName, 120, 0}));
    EXPECT_EQ(Group().hueValue.Text(), "120°");

    Press(settings->cancelButton);  // Cancel
    EXPECT_EQ(InUse(), SkinChoice{});
    EXPECT_EQ(PanelPixel(*form), dark);

    settings->Show();
    Choose(kLightSkinName);
    SendMessageW(Group().saturation.Handle(), WM_KEYDOWN, VK_LEFT, 0);
    Press(settings->applyButton);   // Apply
    Press(settings->cancelButton);  // Cancel after Apply has nothing to undo
    EXPECT_EQ(InUse(), (SkinChoice{kLightSkinName, 0, -1}));
    EXPECT_GT(GetRValue(PanelPixel(*form)), 200);
    EXPECT_EQ(fixture.services.KeptSkin, InUse());
}

TEST_F(Appearance, ASkinThatCannotBeReadIsRefusedNamingItAndTheLookInUseStays) {
    // A master bitmap that is no bitmap at all.
    fixture.folder.AddFolder(L"Skins\\Broken images");
    fixture.folder.AddFolder(L"Skins\\Gone");
    fixture.folder.AddFile(L"Skins\\Broken images\\Options.dat", "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n");
    fixture.folder.AddFile(L"Skins\\Broken images\\Master.bmp", "BM but nothing after");
    fixture.folder.AddFile(L"Skins\\Not packed.gwz", "not a packed skin");
    fixture.folder.AddFile(L"Skins\\Gone\\Options.dat", "[PANEL]\r\n");
    const COLORREF before = PanelPixel(*form);
    settings->Show();
    fs::remove(skins / L"Gone" / L"Options.dat");  // after the list was read
    struct Case {
        const char* name;
        const char* reason;
    } cases[] = {
        {"Not packed", "Loaded data is not packed"},
        {"Broken images", "MASTER.BMP"},
        {"Gone", "Options.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fixture.prompt.shown.clear();
        Choose(c.name);
        ASSERT_EQ(fixture.prompt.shown.size(), 1u);
        const std::string& text = fixture.prompt.shown[0].text;
        EXPECT_NE(text.find(std::string("«") + c.name), std::string::npos) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_EQ(InUse(), SkinChoice{});
        EXPECT_TRUE(form->skinManager.GlobalInfo().Active);
        EXPECT_EQ(PanelPixel(*form), before);
        EXPECT_EQ(Group().skins.ItemIndex(), 0) << "the list shows the skin in use again";
    }
}

struct KeptAppearance : ::testing::Test {
    std::string Written() const { return ReadFileBytes(fixture.ConfigurationFile()); }
    MainWindowFixture fixture;
};

TEST_F(KeptAppearance, TheChoiceIsReadClampedAtStartAndWrittenAtCloseOnlyWhenChanged) {
    const std::string stored = "[SKIN]\r\nNAME=001 (internal, light)\r\nHUE=500\r\nSATURATION=-30\r\n";
    fixture.WriteConfiguration(stored);
    TMainForm& form = fixture.Open();
    EXPECT_EQ(form.skinManager.SkinName(), kLightSkinName);
    EXPECT_EQ(form.skinManager.HueOffset(), 180);
    EXPECT_EQ(form.skinManager.Saturation(), -30);
    form.Close();
    EXPECT_NE(Written().find(stored), std::string::npos) << "kept as it was: " << Written();

    fixture.WriteConfiguration("[SKIN]\r\nNAME=No such skin\r\nHUE=-40\r\n");
    TMainForm& again = fixture.Open();
    EXPECT_EQ(again.skinManager.SkinName(), kDarkSkinName);
    EXPECT_EQ(again.skinManager.HueOffset(), -40);
    EXPECT_TRUE(fixture.prompt.shown.empty()) << "an unknown name falls back silently";

    // Chosen in Settings and kept: the next start comes up in it.
    TSettingsForm settings(nullptr, fixture.services);
    settings.Show();
    settings.appearance.skins.SetItemIndex(1);
    settings.appearance.skins.Click();
    SendMessageW(settings.okButton.Handle(), BM_CLICK, 0, 0);  // OK
    again.Close();
    EXPECT_NE(Written().find("NAME=001 (internal, light)\r\nHUE=-40\r\nSATURATION=0\r\n"), std::string::npos)
        << Written();
    EXPECT_EQ(fixture.Open().skinManager.SkinName(), kLightSkinName);
}

}  // namespace
}  // namespace lw::app::testing
