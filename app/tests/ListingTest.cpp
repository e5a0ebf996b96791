#include <windows.h>

#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "app/tests/WindowTestSupport.h"
#include "platform/Text.h"
#include "testsupport/RealMaps.h"

namespace lw::app::testing {
namespace {

std::set<std::wstring> Listed(const TMainForm& form) {
    std::set<std::wstring> names;
    for (int i = 0; i < form.maps.Count(); ++i) names.insert(form.maps.ItemW(i));
    return names;
}

// Counts the listings the timer runs.
int& CountListings(TMainForm& form) {
    static int runs;
    runs = 0;
    auto listing = form.loader.OnTimer;
    form.loader.OnTimer = [listing] {
        ++runs;
        listing();
    };
    return runs;
}

bool ListingDone(TMainForm& form) {
    return PumpUntil([&] { return !form.loader.Enabled(); });
}

TEST(Listing, AnEmptyFolderGivesAnEmptyListAndNoMessage) {
    MainWindowFixture fixture;
    TMainForm& form = fixture.Open();
    fixture.folder.AddFile(L"readme.txt");
    form.path.SetTextW(fixture.folder.Path().wstring());
    ASSERT_TRUE(ListingDone(form));
    EXPECT_EQ(form.maps.Count(), 0);
    EXPECT_TRUE(fixture.prompt.shown.empty());
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::filesystem::path(current), fixture.folder.Path());
}

TEST(Listing, ListsFilesOfAnyAttributeAndFoldersOnlyWithMoreThanTheDirectoryBit) {
    MainWindowFixture fixture;
    const TempFolder& f = fixture.folder;
    f.AddFile(L"de_dust.bsp");
    f.AddFile(L"DE_AZTEC.BSP");
    SetFileAttributesW(f.AddFile(L"hidden.bsp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    f.AddFile(L"x.bspx");  // its short name ends in .BSP
    f.AddFile(L"notes.txt");
    f.AddFolder(L"x.bsp");
    const auto marked = f.AddFolder(L"ro.bsp");
    // Read-only, as users mark folders; Wine keeps no read-only bit on a folder, and there the
    // hidden bit stands in as another attribute besides "directory".
    SetFileAttributesW(marked.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
    if (!(GetFileAttributesW(marked.c_str()) & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(marked.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    }
    ASSERT_NE(GetFileAttributesW(marked.c_str()) & 0x3F, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(GetFileAttributesW((f.Path() / L"hidden.bsp").c_str()) & FILE_ATTRIBUTE_HIDDEN);

    TMainForm& form = fixture.Open();
    form.path.SetTextW(f.Path().wstring());
    ASSERT_TRUE(ListingDone(form));
    EXPECT_EQ(Listed(form), (std::set<std::wstring>{L"de_dust.bsp", L"DE_AZTEC.BSP", L"hidden.bsp", L"ro.bsp"}));
}

TEST(Listing, PickingAnotherFolderLeavesOnlyItsMaps) {
    MainWindowFixture fixture;
    const auto a = fixture.folder.AddFolder(L"A");
    const auto b = fixture.folder.AddFolder(L"B");
    fixture.folder.AddFile(L"A\\first.bsp");
    fixture.folder.AddFile(L"B\\second.bsp");
    fixture.folder.AddFile(L"B\\third.bsp");
    TMainForm& form = fixture.Open();

    form.path.SetTextW(a.wstring());
    ASSERT_TRUE(ListingDone(form));
    EXPECT_EQ(Listed(form), (std::set<std::wstring>{L"first.bsp"}));
    form.path.SetTextW(b.wstring());
    ASSERT_TRUE(ListingDone(form));
    EXPECT_EQ(Listed(form), (std::set<std::wstring>{L"second.bsp", L"third.bsp"}));
}

TEST(Listing, TwoChangesWithinTheIntervalGiveOneListingOfTheSecondFolder) {
    MainWindowFixture fixture;
    const auto a = fixture.folder.AddFolder(L"A");
    const auto b = fixture.folder.AddFolder(L"B");
    fixture.folder.AddFile(L"A\\first.bsp");
    fixture.folder.AddFile(L"B\\second.bsp");
    TMainForm& form = fixture.Open();
    const int& runs = CountListings(form);

    form.path.SetTextW(a.wstring());
    form.path.SetTextW(b.wstring());
    form.path.SetTextW(b.wstring());  // the same text again is no change
    ASSERT_TRUE(ListingDone(form));
    PumpFor(std::chrono::milliseconds(60));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Listed(form), (std::set<std::wstring>{L"second.bsp"}));
}

TEST(Listing, ARememberedFolderThatCannotBeListedIsNamedOnceInRussianAndTheTimerStops) {
    const struct {
        const wchar_t* name;
        bool isFile;
        const char* reason;
    } cases[] = {{L"deleted since", false, "такого каталога нет."}, {L"a file.bsp", true, "это файл, а не каталог."}};
    for (const auto& c : cases) {
        MainWindowFixture fixture;
        const std::filesystem::path folder = fixture.folder.Path() / c.name;
        if (c.isFile) std::ofstream(folder) << "x";
        fixture.WriteConfiguration("[MAIN]\r\nLAST_DIRRECTORY=" + folder.string() + "\r\n");
        TMainForm& form = fixture.Open();
        form.Show();
        ASSERT_TRUE(ListingDone(form));
        PumpFor(std::chrono::milliseconds(100));

        ASSERT_EQ(fixture.prompt.shown.size(), 1u);
        EXPECT_EQ(fixture.prompt.shown[0].text,
                  "Не удалось открыть каталог «" + platform::WideToUtf8(folder.wstring()) + "»: " + c.reason);
        EXPECT_EQ(form.maps.Count(), 0);
        EXPECT_FALSE(form.loader.Enabled());
        EXPECT_FALSE(fixture.application.Terminated());
    }
}

TEST(Listing, ListsTheRealMapsFolders) {
    for (const std::filesystem::path& folder : testsupport::RealMapFolders()) {
        SCOPED_TRACE(folder.string());
        std::set<std::wstring> expected;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::wstring extension = entry.path().extension().wstring();
            for (wchar_t& c : extension) c = static_cast<wchar_t>(towlower(c));
            if (entry.is_regular_file() && extension == L".bsp") expected.insert(entry.path().filename().wstring());
        }
        ASSERT_FALSE(expected.empty());

        MainWindowFixture fixture;
        TMainForm& form = fixture.Open();
        form.path.SetTextW(folder.wstring());
        ASSERT_TRUE(ListingDone(form));
        EXPECT_EQ(Listed(form), expected);
    }
}

}  // namespace
}  // namespace lw::app::testing
