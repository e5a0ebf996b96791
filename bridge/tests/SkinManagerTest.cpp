#include <windows.h>
#include <shellapi.h>

#include "BridgeFixture.h"
#include "bridge/SkinManager.h"
#include "platform/Text.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/win32/SkinManagerSetup.h"

namespace lw::bridge::testing {
namespace {

using platform::TPanel;
using namespace lw::skin;

skin::ByteBuffer SmallSkin() {
    const std::string options = "[GLOBALINFO]\nCOLOR=3092271\n[PANEL]\nCOLOR=3092271\n";
    return skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}});
}

TEST_F(BridgeTest, ManagerOnAFormAnnouncesItsSkinToEveryFormOnceLoaded) {
    platform::TForm other{nullptr};
    TPanel& panel = form.Make<TPanel>(&form);
    TPanel& otherPanel = other.Make<TPanel>(&other);
    Skin(panel, "panel");
    Skin(otherPanel, "other");

    TsSkinManager& manager = form.Make<TsSkinManager>();
    ASSERT_TRUE(manager.IsDefault());
    EXPECT_EQ(DefaultSkinManager(), &manager);
    EXPECT_EQ(skin::DefaultManager(), &manager);
    testsupport::LoadInternalSkin(manager, SmallSkin());
    EXPECT_TRUE(Log.empty()) << "the form is still being built: nothing is broadcast";
    EXPECT_FALSE(manager.GlobalInfo().Active);

    form.FinishLoading();
    const LPARAM id = manager.CommandId();
    EXPECT_EQ(Log, (std::vector<Received>{{"panel", SMC_SKINLOADED, id}, {"other", SMC_SKINLOADED, id}}));
    EXPECT_TRUE(manager.GlobalInfo().Active);
    EXPECT_EQ(manager.CommandId(), id);
    EXPECT_EQ(manager.GetGlobalColor(), 3092271u);

    Log.clear();
    manager.SetHoverWindow(panel.Handle());
    manager.SetHoverWindow(otherPanel.Handle());
    manager.SetHoverWindow(otherPanel.Handle());
    EXPECT_EQ(Log, (std::vector<Received>{
                       {"panel", SMC_HOTENTER, id}, {"panel", SMC_HOTLEAVE, id}, {"other", SMC_HOTENTER, id}}));

    Log.clear();
    manager.SetActive(false);
    EXPECT_EQ(Log, (std::vector<Received>{{"panel", SMC_SKINREMOVED, id}, {"other", SMC_SKINREMOVED, id}}));
    EXPECT_EQ(manager.LoadedSkin(), nullptr);
}

// The default manager looks at the application's messages through the main form: the theme
// change is swallowed, and the application coming to the front repaints every form first.
TEST_F(BridgeTest, ApplicationHookSwallowsThemeChangesAndRepaintsEveryFormOnActivation) {
    platform::TForm other{nullptr};
    std::vector<std::string> seen;
    auto record = [&seen](platform::TForm& f, std::string who) {
        auto previous = f.WindowProc;
        f.WindowProc = [&seen, who, previous](platform::TMessage& m) {
            if (m.Msg == WM_THEMECHANGED) seen.push_back(who + " theme");
            if (m.Msg == WM_ACTIVATEAPP) seen.push_back(who + (m.WParam ? " activated" : " deactivated"));
            if (m.Msg == SM_ALPHACMD && SkinCommandOf(m.WParam) == SMC_REPAINT) seen.push_back(who + " repaint");
            previous(m);
        };
    };
    record(form, "main");
    record(other, "other");
    TsSkinManager& manager = form.Make<TsSkinManager>();
    ASSERT_EQ(platform::Application->MainForm(), &form);
    form.FinishLoading();
    const auto send = [&](UINT message, WPARAM w) { SendMessageW(form.Handle(), message, w, 0); };

    send(WM_THEMECHANGED, 0);
    send(WM_ACTIVATEAPP, TRUE);
    send(WM_ACTIVATEAPP, FALSE);
    EXPECT_EQ(seen, (std::vector<std::string>{"main repaint", "other repaint", "main activated", "main deactivated"}));

    seen.clear();
    manager.SkinnedPopups = false;  // the hook only watches while pop-ups are skinned
    send(WM_THEMECHANGED, 0);
    send(WM_ACTIVATEAPP, TRUE);
    EXPECT_EQ(seen, (std::vector<std::string>{"main theme", "main activated"}));
}

TEST_F(BridgeTest, ManagerFreedWithItsFormRemovesTheSkinFirst) {
    auto owner = std::make_unique<platform::TForm>(nullptr);
    platform::TForm* window = owner.get();
    TsSkinManager& manager = owner->Make<TsSkinManager>();
    manager.InternalSkins.push_back({"000 (internal)", SmallSkin()});
    manager.SetSkinName("x");
    owner->FinishLoading();
    TPanel& panel = form.Make<TPanel>(&form);
    Skin(panel, "panel");
    const LPARAM id = manager.CommandId();
    owner.reset();
    EXPECT_EQ(Log, (std::vector<Received>{{"panel", SMC_SKINREMOVED, id}}));
    EXPECT_EQ(DefaultSkinManager(), nullptr);
    EXPECT_EQ(skin::DefaultManager(), nullptr);
    (void)window;
}

// What the manager asks of the form skinning it owns.
struct RecordingFormSkinning final : FormSkinningService {
    std::vector<std::string>& Calls;
    explicit RecordingFormSkinning(std::vector<std::string>& calls) : Calls(calls) {}
    ~RecordingFormSkinning() override { Calls.push_back("freed"); }
    void InstallHook() override { Calls.push_back("install"); }
    void RemoveHook() override { Calls.push_back("remove"); }
    void Broadcast(UINT, WPARAM, LPARAM) override {}
};

// The program hands the form skinning over once its main form, and the skin, are loaded.
TEST_F(BridgeTest, FormSkinningGivenToTheLoadedDefaultManagerHooksAtOnceAndGoesWithIt) {
    std::vector<std::string> calls, otherCalls;
    auto owner = std::make_unique<platform::TForm>(nullptr);
    TsSkinManager& manager = owner->Make<TsSkinManager>();
    testsupport::LoadInternalSkin(manager, SmallSkin());
    owner->FinishLoading();
    ASSERT_TRUE(manager.GlobalInfo().Active);
    manager.SetFormSkinning(std::make_unique<RecordingFormSkinning>(calls));
    EXPECT_EQ(calls, std::vector<std::string>{"install"});

    TsSkinManager& other = form.Make<TsSkinManager>();
    testsupport::LoadInternalSkin(other, SmallSkin());
    other.SetFormSkinning(std::make_unique<RecordingFormSkinning>(otherCalls));
    EXPECT_TRUE(otherCalls.empty()) << "only the default manager hooks the thread";

    other.Free();  // before the calls it records into go

    owner.reset();
    EXPECT_EQ(calls, (std::vector<std::string>{"install", "remove", "freed"}));
}

// The program's name alone is read without the shell; it must come out as the shell reads it.
TEST(CommandLine, TheProgramAloneIsSplitAsTheShellSplitsIt) {
    for (const wchar_t* line : {L"\"C:\\A B\\Lumpwright.exe\"", L"\"C:\\A B\\Lumpwright.exe\"  \t ",
                                L"C:\\Maps\\Lumpwright.exe", L"Lumpwright.exe \t", L"\"C:\\A B\\Lumpwright.exe",
                                L"\"\"", L"\"C:\\A B\\Lumpwright.exe\" x", L"Lumpwright.exe \"a b\"\t\"\""}) {
        int count = 0;
        LPWSTR* argv = CommandLineToArgvW(line, &count);
        ASSERT_NE(argv, nullptr);
        std::vector<std::string> expected;
        for (int i = 0; i < count; ++i) expected.push_back(platform::WideToUtf8(argv[i]));
        LocalFree(argv);
        EXPECT_EQ(CommandLineArguments(line), expected) << platform::WideToUtf8(line);
    }
}

TEST(VersionNotice, SlashGwverInCapitalsShowsTheNoticeOnce) {
    CapturingPrompt prompt;
    EXPECT_TRUE(ShowVersionNoticeIfAsked(CommandLineArguments(L"\"C:\\A B\\Lumpwright.exe\" /GWVER"), prompt));
    EXPECT_EQ(prompt.Texts, std::vector<std::string>{"Gildwork v6.48"});
    EXPECT_FALSE(ShowVersionNoticeIfAsked(CommandLineArguments(L"Lumpwright.exe /gwver2 gwver"), prompt));
    EXPECT_EQ(prompt.Texts.size(), 1u);
}

}  // namespace
}  // namespace lw::bridge::testing
