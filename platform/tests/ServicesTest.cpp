#include <windows.h>
#include <dlgs.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <png.h>

#include "platform/Application.h"
#include "platform/Exception.h"
#include "platform/FindDialog.h"
#include "platform/Form.h"
#include "platform/Handles.h"
#include "platform/ImageList.h"
#include "platform/IniStore.h"
#include "platform/Launcher.h"
#include "platform/Text.h"
#include "testsupport/TempFolder.h"

namespace lw::platform {
namespace {

TEST(IniStore, KeepsEightBitValuesByteForByteAndReportsAFileItCannotWrite) {
    const testsupport::TempFolder temp;
    const auto file = temp / L"values.ini";
    ProfileIniStore store(file.wstring());
    std::string bytes;
    for (int c = 0x80; c <= 0xFF; ++c) {
        if (c != 0x98) bytes.push_back(static_cast<char>(c));  // the one byte 1251 leaves unassigned
    }
    store.WriteString("MAIN", "LAST_DIRRECTORY", "C:\\" + bytes);
    EXPECT_EQ(store.ReadString("main", "last_dirrectory", "x"), "C:\\" + bytes);
    EXPECT_EQ(store.ReadString("MAIN", "SAVEP", "fallback"), "fallback");

    const auto folder = temp.AddFolder(L"folder.ini");
    ProfileIniStore blocked(folder.wstring());
    try {
        blocked.WriteString("MAIN", "SAVEP", "1");
        ADD_FAILURE() << "the write did not fail";
    } catch (const Exception& e) {
        EXPECT_EQ(e.what(), "Unable to write to " + WideToUtf8(folder.wstring()));
    }
}

TEST(IniStore, AFileThatIsNoSettingsIsReadAsEmptyAndSetAsideWholeAtTheFirstWrite) {
    const std::string binary("\x89PNG\r\n\x1A\n\0\0\0\rIHDR[MAIN]\nSAVEP=0\n", 28);
    const struct {
        const char* name;
        std::string bytes;
        bool settings;
    } cases[] = {
        {"settings", "; comment\r\n[MAIN]\r\nSAVEP=0\r\n\r\n  # other\r\n[ X ]\r\nkey = v=w\r\n", true},
        {"empty", "", true},
        {"binary junk", binary, false},
        {"a line of prose", "[MAIN]\r\nSAVEP=0\r\nthis is not a setting\r\n", false},
        {"a value without a key", "[MAIN]\r\n=0\r\n", false},
        {"a DEL byte", "[MAIN]\r\nSAVEP=0\x7F\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadsAsSettings(c.bytes), c.settings);
        const testsupport::TempFolder temp;
        const auto file = temp / L"configuration.ini";
        std::ofstream(file, std::ios::binary) << c.bytes;
        ProfileIniStore store(file.wstring());
        if (c.settings) continue;
        EXPECT_EQ(store.ReadString("MAIN", "SAVEP", "fallback"), "fallback");
        store.WriteString("MAIN", "LAST_DIRRECTORY", "C:\\maps");
        std::ifstream kept(temp / L"configuration.ini.bak", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), c.bytes);
        EXPECT_EQ(store.ReadString("MAIN", "LAST_DIRRECTORY", ""), "C:\\maps");
        EXPECT_EQ(store.ReadString("MAIN", "SAVEP", "fallback"), "fallback") << "the new file holds nothing of the old";
    }
}

TEST(IniStore, AValueLongerThanAnyPathReadsAsTheFallback) {
    const testsupport::TempFolder temp;
    const auto file = temp / L"configuration.ini";
    std::ofstream(file, std::ios::binary) << "[MAIN]\r\nA=" << std::string(ProfileIniStore::kLongestValue, 'a')
                                          << "\r\nB=" << std::string(ProfileIniStore::kLongestValue + 1, 'b')
                                          << "\r\nC=" << std::string(1 << 20, 'c') << "\r\n";
    ProfileIniStore store(file.wstring());
    EXPECT_EQ(store.ReadString("MAIN", "A", "x"), std::string(ProfileIniStore::kLongestValue, 'a'));
    EXPECT_EQ(store.ReadString("MAIN", "B", "x"), "x");
    EXPECT_EQ(store.ReadString("MAIN", "C", "x"), "x");
}

TEST(Launcher, StartsHiddenInTheGivenFolderAndHandsBackTheProcess) {
    const testsupport::TempFolder temp;
    const auto folder = temp.AddFolder(L"launch");
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    SystemLauncher launcher;
    std::optional<Process> process =
        launcher.Start({std::wstring(system) + L"\\cmd.exe", L"/c cd > where.txt & exit 7", folder.wstring(), true});
    ASSERT_TRUE(process.has_value());
    ASSERT_TRUE(process->WaitFor(20000));
    EXPECT_EQ(process->ExitCode(), 7u);
    std::ifstream written(folder / L"where.txt");
    std::string where((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(AnsiToWide(where.substr(0, where.find_last_not_of("\r\n ") + 1)), folder.wstring());
    written.close();
    process.reset();

    EXPECT_FALSE(launcher.Start({folder.wstring() + L"\\missing.exe", L"", L"", true}).has_value());
}

std::vector<std::uint8_t> EncodePng(int size, const std::vector<std::uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t length = 0;
    png_image_write_to_memory(&image, nullptr, &length, 0, rgba.data(), 0, nullptr);
    std::vector<std::uint8_t> png(length);
    png_image_write_to_memory(&image, png.data(), &length, 0, rgba.data(), 0, nullptr);
    return png;
}

TEST(ImageList, DrawsAScaledGlyphWithItsAlphaOverWhatIsBehind) {
    // 24 x 24: left half opaque red, right half fully transparent green.
    std::vector<std::uint8_t> rgba(24 * 24 * 4);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            std::uint8_t* p = &rgba[(y * 24 + x) * 4];
            if (x < 12)
                p[0] = 255, p[3] = 255;
            else
                p[1] = 255;
        }
    TImageList list(nullptr, 18, 18);
    list.AddPng(EncodePng(24, rgba));

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 20, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc(CreateCompatibleDC(nullptr));
    SelectObjectScope select(dc.get(), target.get());
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill(pixels, pixels + 400, 0x00FFFFFFu);
    list.Draw(dc.get(), 1, 1, 0);
    GdiFlush();
    EXPECT_EQ(pixels[5 * 20 + 1] & 0xFFFFFF, 0xFF0000u);   // red, fully covering
    EXPECT_EQ(pixels[5 * 20 + 18] & 0xFFFFFF, 0xFFFFFFu);  // transparent: white stays
    EXPECT_EQ(pixels[5 * 20 + 19] & 0xFFFFFF, 0xFFFFFFu);  // outside the 18 x 18 glyph
    EXPECT_EQ(pixels[5 * 20 + 0] & 0xFFFFFF, 0xFFFFFFu);

    const std::vector<std::uint8_t> broken = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_THROW(list.AddPng(broken), Exception);
    EXPECT_EQ(list.Count(), 1);
}

class NoPrompt : public Prompt {
public:
    int Show(HWND, std::string_view, std::string_view, UINT) override { return IDOK; }
};

TEST(FindDialog, EachFindNextRaisesOnFindWithTheTextAndClosingForgetsTheWindow) {
    NoPrompt prompt;
    TApplication application(prompt);
    TForm form(nullptr);
    TFindDialog& finder = form.Make<TFindDialog>();
    std::vector<std::string> searched;
    finder.OnFind = [&] { searched.push_back(finder.SearchText()); };

    finder.Execute();
    ASSERT_TRUE(finder.Handle());
    HWND opened = finder.Handle();
    finder.Execute();  // already open: the same window comes forward
    EXPECT_EQ(finder.Handle(), opened);
    SetDlgItemTextW(opened, edt1, L"classname");
    SendMessageW(GetDlgItem(opened, IDOK), BM_CLICK, 0, 0);
    application.ProcessMessages();
    SendMessageW(GetDlgItem(opened, IDOK), BM_CLICK, 0, 0);
    application.ProcessMessages();
    EXPECT_EQ(searched, (std::vector<std::string>{"classname", "classname"}));
    EXPECT_TRUE(finder.Options() & FR_DOWN);

    SendMessageW(GetDlgItem(opened, IDCANCEL), BM_CLICK, 0, 0);
    application.ProcessMessages();
    EXPECT_EQ(finder.Handle(), nullptr);
}

}  // namespace
}  // namespace lw::platform
