#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "controls/comboedit/DirectoryEdit.h"
#include "controls/pathdialog/PathDialog.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Prompt.h"
#include "platform/Text.h"
#include "testsupport/TempFolder.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/SilentPrompt.h"

// After the skin commands: the shell header defines a macro of one of their names.
#include <shlobj.h>

namespace lw::controls {
namespace {

namespace fs = std::filesystem;

using testsupport::SilentPrompt;

std::string Utf8(const fs::path& path) { return platform::WideToUtf8(path.wstring()); }

// The real file system with a dialog that answers at once, recording how it was asked.
class AnsweringHost : public FolderChoiceHost {
public:
    std::optional<std::string> answer;
    int dialogs = 0;
    bool DirectoryExists(const std::string& p) override {
        return !p.empty() && fs::is_directory(platform::Utf8ToWide(p));
    }
    bool FileExists(const std::string& p) override {
        return !p.empty() && fs::is_regular_file(platform::Utf8ToWide(p));
    }
    void ChangeDirectory(const std::string&) override {}
    std::optional<std::string> RunDialog(const DialogRequest&) override {
        ++dialogs;
        return answer;
    }
};

// A drop of these names, as a file manager would post it.
HGLOBAL DropOf(const std::vector<std::wstring>& names) {
    std::wstring list;
    for (auto& n : names) list += n + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

struct DirectoryEditTest : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    TsDirectoryEdit& edit = form.Make<TsDirectoryEdit>(&form);
    AnsweringHost host;
    testsupport::TempFolder fixture{"lw field"};
    int changes = 0;

    void SetUp() override {
        form.SetBounds({0, 0, 400, 100});
        edit.SetBounds({8, 8, 300, 21});
        edit.Host = &host;
        edit.OnChange = [this] { ++changes; };
        form.FinishLoading();
        form.Show();
    }
};

TEST_F(DirectoryEditTest, WithoutDirectInputTypingPastingAndCuttingChangeNothingButTheButtonWorks) {
    edit.SetDirectInput(false);
    edit.SetText("C:\\old");
    changes = 0;
    edit.SetFocus();
    SendMessageW(edit.Handle(), WM_CHAR, 'x', 0);
    edit.Select(0, 3);
    SendMessageW(edit.Handle(), WM_CUT, 0, 0);
    SendMessageW(edit.Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit.Text(), "C:\\old");
    EXPECT_EQ(changes, 0);

    host.answer = Utf8(fixture.Path());
    edit.Button().Click();
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_EQ(edit.Text(), Utf8(fixture.Path()));
    EXPECT_EQ(edit.InitialDir, Utf8(fixture.Path()));
    EXPECT_EQ(changes, 1);

    // The same folder again fires nothing.
    edit.Button().Click();
    EXPECT_EQ(changes, 1);

    // Read-only: the button does nothing.
    edit.SetReadOnly(true);
    edit.Button().Click();
    EXPECT_EQ(host.dialogs, 2);
}

TEST_F(DirectoryEditTest, AltDownClicksTheButton) {
    edit.SetDirectInput(false);
    edit.SetFocus();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(edit.Handle(), WM_SYSKEYDOWN, VK_DOWN, 0x20000000);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(host.dialogs, 1);
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(host.dialogs, 1);
}

TEST_F(DirectoryEditTest, TheTextNeverRunsUnderTheButton) {
    RECT client{}, button{};
    GetClientRect(edit.Handle(), &client);
    GetWindowRect(edit.Button().Handle(), &button);
    EXPECT_EQ(button.right - button.left, 16);
    const LRESULT margins = SendMessageW(edit.Handle(), EM_GETMARGINS, 0, 0);
    EXPECT_EQ(HIWORD(margins), 16);
}

TEST_F(DirectoryEditTest, LongAndShortFormsConvertEveryFolderOfAMultipleText) {
    fs::create_directories(fixture / "first long folder name");
    fs::create_directories(fixture / "second long folder name");
    const std::string first = Utf8(fixture / "first long folder name"),
                      second = Utf8(fixture / "second long folder name");
    const std::string missing = "C:\\no such folder here";
    edit.MultipleDirs = true;
    edit.SetText(first + ";" + second + ";" + missing);

    const std::string shortened = edit.ShortName();
    const auto parts = [](const std::string& text) {
        std::vector<std::string> out;
        for (std::size_t start = 0;;) {
            const std::size_t end = text.find(';', start);
            out.push_back(text.substr(start, end - start));
            if (end == std::string::npos) return out;
            start = end + 1;
        }
    };
    const std::vector<std::string> shortParts = parts(shortened);
    ASSERT_EQ(shortParts.size(), 3u) << shortened;
    EXPECT_NE(shortParts[0].find('~'), std::string::npos) << shortParts[0];
    EXPECT_NE(shortParts[1].find('~'), std::string::npos) << shortParts[1];
    EXPECT_EQ(shortParts[2], missing) << "a folder that cannot be converted is kept";

    edit.SetText(shortened);
    const std::vector<std::string> longParts = parts(edit.LongName());
    ASSERT_EQ(longParts.size(), 3u);
    EXPECT_EQ(fs::path(platform::Utf8ToWide(longParts[0])).filename(), "first long folder name");
    EXPECT_EQ(fs::path(platform::Utf8ToWide(longParts[1])).filename(), "second long folder name");

    // One folder only without MultipleDirs: the text is converted whole, ";" and all.
    edit.MultipleDirs = false;
    edit.SetText(first + ";" + second);
    EXPECT_EQ(edit.ShortName(), first + ";" + second);
}

TEST_F(DirectoryEditTest, DroppingAFileGivesItsFolderAndAFolderItself) {
    edit.SetAcceptFiles(true);
    const fs::path map = fixture.AddFile("de_dust.bsp", "BSP");
    SendMessageW(edit.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({map.wstring()})), 0);
    EXPECT_EQ(edit.Text(), Utf8(fixture.Path()) + "\\");
    const fs::path folder = fixture.AddFolder("maps");
    SendMessageW(edit.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({folder.wstring(), map.wstring()})), 0);
    EXPECT_EQ(edit.Text(), Utf8(folder));
    EXPECT_EQ(changes, 2);
}

// Answers the real picker from inside its modal loop: selects a folder and presses OK.
std::string pickerTarget;
std::string pickerStartedOn;
void CALLBACK AnswerPicker(HWND, UINT, UINT_PTR timer, DWORD) {
    for (platform::TForm* form : platform::TForm::AllForms()) {
        auto* picker = dynamic_cast<controls::TPathDialogForm*>(form);
        if (!picker || !picker->Visible()) continue;
        KillTimer(nullptr, timer);
        pickerStartedOn = picker->sShellTreeView1.SelectedPath();
        picker->sShellTreeView1.SetPath(pickerTarget);
        picker->sBitBtn1.Click();
        return;
    }
}

TEST_F(DirectoryEditTest, TheButtonOpensTheRealPickerOnTheFieldsFolderAndOkPutsTheChoiceInTheField) {
    edit.Host = nullptr;
    const fs::path start = fixture.AddFolder("start");
    const fs::path maps = fixture.AddFolder("maps");
    edit.SetText(Utf8(start));
    changes = 0;
    pickerTarget = Utf8(maps);
    SetTimer(nullptr, 0, 50, AnswerPicker);
    edit.Button().Click();
    EXPECT_EQ(pickerStartedOn, Utf8(start));
    EXPECT_EQ(edit.Text(), Utf8(maps));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit.InitialDir, Utf8(maps));
}

}  // namespace
}  // namespace lw::controls
