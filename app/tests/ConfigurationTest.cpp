#include <windows.h>

#include <gtest/gtest.h>

#include "app/tests/WindowTestSupport.h"
#include "platform/Text.h"

namespace lw::app::testing {
namespace {

using platform::WideToAnsi;

TEST(Configuration, FirstRunStartsEmptyAndTheCloseWritesOnlyTheFolderKey) {
    MainWindowFixture fixture;
    TMainForm& form = fixture.Open();
    EXPECT_EQ(form.path.TextW(), L"");
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(form.maps.Count(), 0);
    EXPECT_FALSE(form.loader.Enabled());

    form.Close();
    const std::string written = ReadFileBytes(fixture.ConfigurationFile());
    EXPECT_NE(written.find("[MAIN]"), std::string::npos) << written;
    EXPECT_NE(written.find("LAST_DIRRECTORY="), std::string::npos) << written;
    EXPECT_EQ(written.find("SAVEP"), std::string::npos) << written;
    EXPECT_TRUE(fixture.prompt.shown.empty());
}

TEST(Configuration, RestoresTheRememberedFolderListsItAndWritesItBackAtClose) {
    MainWindowFixture fixture;
    // The 8-bit round trip of values is the store's own test; Wine here maps no names beyond
    // ASCII to the file system, so the folder keeps to it.
    const std::filesystem::path maps = fixture.folder.AddFolder(L"level maps");
    fixture.folder.AddFile(L"level maps\\de_test.bsp");
    const std::string folderBytes = WideToAnsi(maps.wstring());
    fixture.WriteConfiguration("[MAIN]\r\nLAST_DIRRECTORY=" + folderBytes + "\r\n");

    TMainForm& form = fixture.Open();
    EXPECT_EQ(form.path.TextW(), maps.wstring());
    EXPECT_TRUE(form.loader.Enabled());
    ASSERT_TRUE(PumpUntil([&] { return !form.loader.Enabled(); }));
    ASSERT_EQ(form.maps.Count(), 1);
    EXPECT_EQ(form.maps.ItemW(0), L"de_test.bsp");

    // Gone before the close: only the close's own write can bring the line back.
    ASSERT_TRUE(DeleteFileW(fixture.ConfigurationFile().c_str()));
    form.Close();
    EXPECT_NE(ReadFileBytes(fixture.ConfigurationFile()).find("LAST_DIRRECTORY=" + folderBytes + "\r\n"),
              std::string::npos);
}

TEST(Configuration, TheSaveOptionReadsAsAnIntegerWithHexFormsAndFallsBackToYes) {
    struct Case {
        const char* save;
        bool remembers;
    };
    for (const Case c : {Case{"0", false}, Case{"1", true}, Case{"0x10", true}, Case{"$10", true}, Case{"abc", true},
                         Case{"0x0", false}, Case{"", true}}) {
        SCOPED_TRACE(c.save);
        MainWindowFixture fixture;
        const std::filesystem::path remembered = fixture.folder.AddFolder(L"remembered");
        const std::string original = "[MAIN]\r\nSAVEP=" + std::string(c.save) +
                                     "\r\nLAST_DIRRECTORY=" + WideToAnsi(remembered.wstring()) + "\r\n";
        fixture.WriteConfiguration(original);

        TMainForm& form = fixture.Open();
        EXPECT_EQ(form.path.TextW(), c.remembers ? remembered.wstring() : L"");
        const std::filesystem::path other = fixture.folder.AddFolder(L"other");
        form.path.SetTextW(other.wstring());
        form.Close();

        const std::string after = ReadFileBytes(fixture.ConfigurationFile());
        if (c.remembers) {
            EXPECT_NE(after.find("LAST_DIRRECTORY=" + WideToAnsi(other.wstring())), std::string::npos) << after;
        } else {
            EXPECT_EQ(after, original);
        }
    }
}

TEST(Configuration, AnUnwritableFileIsReportedOnceAndTheWindowStillCloses) {
    MainWindowFixture fixture;
    // A folder in the file's place: no profile write can succeed.
    fixture.folder.AddFolder(L"configuration.ini");
    TMainForm& form = fixture.Open();
    form.Show();
    form.Close();

    ASSERT_EQ(fixture.prompt.shown.size(), 1u);
    EXPECT_EQ(fixture.prompt.shown[0].text,
              "Unable to write to " + platform::WideToUtf8(fixture.ConfigurationFile().wstring()));
    EXPECT_TRUE(fixture.prompt.shown[0].flags & MB_ICONERROR);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(fixture.application.Terminated());
}

}  // namespace
}  // namespace lw::app::testing
