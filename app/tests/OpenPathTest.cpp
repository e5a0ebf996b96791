// Paths from outside the list: the command line, a drop on the main window, a second start.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>

#include "app/tests/WindowTestSupport.h"
#include "platform/Text.h"

// Last: its macros would rename members of the headers above.
#include <shlobj.h>

namespace lw::app::testing {
namespace {

namespace fs = std::filesystem;

// A drop as the shell makes one: DROPFILES followed by the wide names, each ended by a NUL, and
// one more NUL. Freed by whoever receives it.
HDROP MakeDrop(const std::vector<std::wstring>& files) {
    std::wstring names;
    for (const std::wstring& file : files) names += file + L'\0';
    names += L'\0';
    const size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

struct OpenPathTest : ::testing::Test {
    OpenPathTest() {
        for (const wchar_t* name : {L"a.bsp", L"b.bsp", L"notes.txt"}) std::ofstream(maps / name) << "not a real map";
        fixture.WriteConfiguration("[MAIN]\r\nLAST_DIRRECTORY=" + platform::WideToAnsi(other.wstring()) + "\r\n");
    }
    std::wstring Path(const fs::path& path) const { return path.wstring(); }
    // The entity file the tool was asked to export, or nothing.
    std::wstring Exported() const {
        const auto& started = fixture.launcher.started;
        return started.empty() ? L"" : started.back().Parameters;
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : fixture.prompt.shown) texts.push_back(shown.text);
        return texts;
    }

    MainWindowFixture fixture;
    fs::path maps = fixture.folder.AddFolder(L"my maps");
    fs::path other = fixture.folder.AddFolder(L"other");
};

TEST_F(OpenPathTest, AMapOpensInItsFolderAFolderIsListedAnythingElseIsNamedInAMessage) {
    const std::wstring mapsFolder = maps.wstring();
    struct Case {
        std::wstring given;
        std::wstring folder;    // the folder field afterwards
        int selected;           // in the list
        std::wstring exported;  // what the tool was asked for; empty: nothing
        std::string message;    // empty: none
    };
    const std::string missing = platform::WideToUtf8(mapsFolder) + "\\gone.bsp";
    const Case cases[] = {
        {mapsFolder + L"\\b.bsp", mapsFolder, 1, L"-export texdata 1 \"" + mapsFolder + L"\\b.ent\"", ""},
        {mapsFolder + L"\\B.BSP", mapsFolder, 1, L"-export texdata 1 \"" + mapsFolder + L"\\b.ent\"", ""},
        {L"my maps\\a.bsp", mapsFolder, 0, L"-export texdata 1 \"" + mapsFolder + L"\\a.ent\"", ""},
        {L".\\my maps\\..\\my maps\\a.bsp", mapsFolder, 0, L"-export texdata 1 \"" + mapsFolder + L"\\a.ent\"", ""},
        {mapsFolder + L"\\", mapsFolder, -1, L"", ""},
        {L"my maps", mapsFolder, -1, L"", ""},
        {platform::Utf8ToWide(missing), other.wstring(), -1, L"", "Файл не найден: " + missing},
        {mapsFolder + L"\\notes.txt", other.wstring(), -1, L"",
         "Это не карта (*.bsp): " + platform::WideToUtf8(mapsFolder) + "\\notes.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::WideToUtf8(c.given));
        MainWindowFixture fixture;
        fixture.WriteConfiguration("[MAIN]\r\nLAST_DIRRECTORY=" + platform::WideToAnsi(other.wstring()) + "\r\n");
        TMainForm& form = fixture.Open();
        fs::current_path(this->fixture.folder.Path());  // relative paths are taken from here
        form.OpenPath(c.given, true);
        EXPECT_EQ(form.path.TextW(), c.folder);
        EXPECT_EQ(form.maps.ItemIndex(), c.selected);
        if (c.folder == mapsFolder) {
            EXPECT_EQ(form.maps.Count(), 2);
        }
        EXPECT_EQ(fixture.launcher.started.empty() ? L"" : fixture.launcher.started.front().Parameters, c.exported);
        std::vector<std::string> messages;
        for (const auto& shown : fixture.prompt.shown) messages.push_back(shown.text);
        // A map that is no real map cannot be exported: its message is the entity editor's.
        if (!c.exported.empty()) messages.clear();
        EXPECT_EQ(messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    }
}

TEST_F(OpenPathTest, ADroppedMapOpensWhereverItLandsAndTheOtherFilesAreIgnored) {
    TMainForm& form = fixture.Open();
    const std::vector<std::wstring> dropped = {Path(maps / L"notes.txt"), Path(maps), Path(maps / L"b.bsp"),
                                               Path(maps / L"a.bsp")};
    for (HWND target : {form.Handle(), form.path.Handle()}) {
        fixture.launcher.started.clear();
        form.maps.SetItemIndex(-1);
        SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)), 0);
        EXPECT_EQ(form.path.TextW(), maps.wstring());
        EXPECT_EQ(form.maps.ItemIndex(), 1);
        EXPECT_EQ(Exported(), L"-export texdata 1 \"" + Path(maps / L"b.ent") + L"\"");
    }
}

TEST_F(OpenPathTest, ADroppedFolderGoesIntoTheFolderFieldAsBefore) {
    TMainForm& form = fixture.Open();
    SendMessageW(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Path(maps)})), 0);
    EXPECT_TRUE(PumpUntil([&] { return form.maps.Count() == 2; }));
    EXPECT_EQ(form.path.TextW(), maps.wstring());
    EXPECT_TRUE(fixture.launcher.started.empty());
}

TEST_F(OpenPathTest, AFolderOpenedFromOutsideIsNotRememberedUnlessTheUserGoesOn) {
    {
        TMainForm& form = fixture.Open();
        form.OpenPath(maps.wstring(), true);
        form.Close();
    }
    EXPECT_NE(
        ReadFileBytes(fixture.ConfigurationFile()).find("LAST_DIRRECTORY=" + platform::WideToAnsi(other.wstring())),
        std::string::npos);
    {
        TMainForm& form = fixture.Open();
        form.OpenPath(maps.wstring(), true);
        form.maps.SetItemIndex(0);
        form.mapsClick();
        form.Close();
    }
    EXPECT_NE(
        ReadFileBytes(fixture.ConfigurationFile()).find("LAST_DIRRECTORY=" + platform::WideToAnsi(maps.wstring())),
        std::string::npos);
}

}  // namespace
}  // namespace lw::app::testing
