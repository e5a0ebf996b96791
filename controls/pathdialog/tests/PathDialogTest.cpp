#include <windows.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "controls/pathdialog/PathDialog.h"
#include "platform/Application.h"
#include "platform/Prompt.h"
#include "platform/Text.h"
#include "testsupport/TempFolder.h"
#include "testsupport/win32/MessagePump.h"

namespace lw::controls {
namespace {

namespace fs = std::filesystem;

class RecordingPrompt : public platform::Prompt {
public:
    int Show(HWND, std::string_view text, std::string_view caption, UINT flags) override {
        shown.push_back(std::string(caption) + ": " + std::string(text));
        lastFlags = flags;
        return IDOK;
    }
    std::vector<std::string> shown;
    UINT lastFlags = 0;
};

// A dialog whose folders can never be made.
class NoCreateDialog : public TPathDialogForm {
public:
    using TPathDialogForm::TPathDialogForm;

protected:
    void MakeDirectory(const std::string&) override {}
};

std::string Utf8(const fs::path& path) { return platform::WideToUtf8(path.wstring()); }

template <class Dialog = TPathDialogForm>
struct DialogFixture : ::testing::Test {
    RecordingPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm mainForm{nullptr};
    Dialog& dialog = mainForm.Make<Dialog>();
    controls::TsShellTreeView& tree = dialog.sShellTreeView1;
    testsupport::TempFolder fixture{"lw picker"};

    void SetUp() override {
        mainForm.FinishLoading();
        dialog.LoadTexts();
        dialog.Show();
    }
    HWND EditWindow() const { return reinterpret_cast<HWND>(SendMessageW(tree.Handle(), TVM_GETEDITCONTROL, 0, 0)); }
};

using PathDialogTest = DialogFixture<>;

TEST_F(PathDialogTest, OpensOnTheSelectedDesktopAtItsSizeWithOkAndCreateEnabled) {
    RECT frame{};
    GetWindowRect(dialog.Handle(), &frame);
    EXPECT_EQ(frame.right - frame.left, 319);
    EXPECT_EQ(frame.bottom - frame.top, 397);
    EXPECT_EQ(dialog.Text(), "Select directory");
    const HTREEITEM top = tree.FirstChild(nullptr);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(tree.NextSibling(top), nullptr);
    EXPECT_EQ(tree.Selected(), top);
    EXPECT_TRUE(dialog.sBitBtn1.Enabled());
    EXPECT_TRUE(dialog.sBitBtn3.Enabled());

    // The frame cannot be made smaller than its minimum.
    SetWindowPos(dialog.Handle(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(dialog.Handle(), &frame);
    EXPECT_EQ(frame.right - frame.left, 275);
    EXPECT_EQ(frame.bottom - frame.top, 250);
}

// Enter and Escape reach the dialog as the dialog manager's commands; the default and the
// cancel button answer them with their modal results, a disabled OK does not.
TEST_F(PathDialogTest, TheDefaultAndCancelButtonsAnswerEnterAndEscapeWithTheirResults) {
    const auto command = [&](WPARAM id) {
        dialog.SetModalResult(platform::mrNone);
        SendMessageW(dialog.Handle(), WM_COMMAND, id, 0);
        return dialog.ModalResult();
    };
    EXPECT_EQ(command(IDOK), platform::mrOk);
    EXPECT_EQ(command(IDCANCEL), platform::mrCancel);
    dialog.SetModalResult(platform::mrNone);
    dialog.sBitBtn3.Click();
    EXPECT_EQ(dialog.ModalResult(), platform::mrNone) << "Create ends nothing";
    dialog.sBitBtn3.SetEnabled(false);
    dialog.sBitBtn1.SetEnabled(false);
    EXPECT_EQ(command(IDOK), platform::mrNone);
}

// The caption above the tree is the tree's own bound label; the buttons show the glyphs of the
// list the application hands over.
TEST_F(PathDialogTest, TheCaptionIsTheTreesBoundLabelAndTheButtonsTakeTheGivenGlyphs) {
    ASSERT_TRUE(tree.BoundLabel().Active());
    const controls::TsEditLabel& caption = *tree.BoundLabel().Label();
    const platform::TBounds label = caption.Bounds();
    EXPECT_EQ(label.Left, 8);
    EXPECT_EQ(label.Top + label.Height + 4, 20);
    EXPECT_EQ(caption.Text(), " ");
    EXPECT_EQ(dialog.sBitBtn1.Images(), nullptr) << "no list handed over";

    platform::TImageList glyphs(nullptr, 18, 18);
    TPathDialogForm::Glyphs = &glyphs;
    TPathDialogForm& second = mainForm.Make<TPathDialogForm>();
    TPathDialogForm::Glyphs = nullptr;
    for (const controls::TsBitBtn* button : {&second.sBitBtn1, &second.sBitBtn2, &second.sBitBtn3})
        EXPECT_EQ(button->Images(), &glyphs) << button->Name;
    EXPECT_EQ(second.sBitBtn1.ImageIndex(), 6);
    EXPECT_EQ(second.sBitBtn2.ImageIndex(), 1);
    EXPECT_EQ(second.sBitBtn3.ImageIndex(), 0);
}

TEST_F(PathDialogTest, AVirtualFolderDisablesOkAndCreate) {
    HTREEITEM virtualFolder = nullptr;
    for (HTREEITEM child = tree.FirstChild(tree.FirstChild(nullptr)); child && !virtualFolder;
         child = tree.NextSibling(child))
        if (!fs::is_directory(platform::Utf8ToWide(tree.FolderOf(child)->ParsingPath()))) virtualFolder = child;
    ASSERT_NE(virtualFolder, nullptr) << "the desktop lists no virtual folder";
    tree.Select(virtualFolder);
    EXPECT_FALSE(dialog.sBitBtn1.Enabled());
    EXPECT_FALSE(dialog.sBitBtn3.Enabled());
}

TEST_F(PathDialogTest, CreateMakesTheNextNewFolderOpensItsNameAndOkCommitsItFirst) {
    fs::create_directories(fixture / "maps" / "New folder1");
    fs::create_directories(fixture / "maps" / "New folder2");
    tree.SetPath(Utf8(fixture / "maps"));
    dialog.sBitBtn3Click();

    EXPECT_TRUE(fs::is_directory(fixture / "maps" / "New folder3"));
    EXPECT_EQ(tree.SelectedPath(), Utf8(fixture / "maps" / "New folder3"));
    ASSERT_TRUE(tree.IsEditing());

    // Cancel while naming keeps the window.
    dialog.sBitBtn2Click();
    EXPECT_EQ(dialog.ModalResult(), platform::mrNone);
    ASSERT_TRUE(tree.IsEditing());

    // OK while naming renames and keeps the window; the second OK ends it on the new name.
    SetWindowTextW(EditWindow(), L"de_maps");
    dialog.sBitBtn1Click();
    EXPECT_EQ(dialog.ModalResult(), platform::mrNone);
    EXPECT_FALSE(tree.IsEditing());
    EXPECT_TRUE(tree.Focused());
    testsupport::PumpFor(std::chrono::milliseconds(100));
    EXPECT_TRUE(fs::is_directory(fixture / "maps" / "de_maps"));
    dialog.sBitBtn1Click();
    EXPECT_EQ(dialog.ModalResult(), platform::mrOk);
    EXPECT_EQ(tree.SelectedPath(), Utf8(fixture / "maps" / "de_maps"));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(PathDialogTest, ANameTakenByAFileIsSkipped) {
    fs::create_directories(fixture / "maps");
    std::ofstream(fixture / "maps" / "New folder1") << "a file";
    tree.SetPath(Utf8(fixture / "maps"));
    dialog.sBitBtn3Click();
    EXPECT_TRUE(fs::is_directory(fixture / "maps" / "New folder2"));
    EXPECT_TRUE(prompt.shown.empty());
}

using PathDialogFailureTest = DialogFixture<NoCreateDialog>;

TEST_F(PathDialogFailureTest, AFolderThatCannotBeMadeIsReportedByItsFullPathAndNothingChanges) {
    fs::create_directories(fixture / "maps" / "New folder1");
    const std::string maps = Utf8(fixture / "maps");
    tree.SetPath(maps);
    dialog.sBitBtn3Click();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "Error: Directory " + maps + "\\New folder2 can`t be created!");
    EXPECT_EQ(prompt.lastFlags, UINT{MB_ICONERROR | MB_OK | MB_TOPMOST | MB_SETFOREGROUND});
    EXPECT_EQ(tree.SelectedPath(), maps);
    EXPECT_FALSE(tree.IsEditing());
}

}  // namespace
}  // namespace lw::controls
