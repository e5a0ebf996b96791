#include "controls/comboedit/core/FolderChoice.h"

#include <gtest/gtest.h>

#include <cctype>

#include <set>
#include <stdexcept>

namespace lw::controls {
namespace {

class FakeHost : public FolderChoiceHost {
public:
    std::set<std::string> folders{"C:\\maps", "C:\\other", "C:\\start"};
    std::set<std::string> files{"C:\\maps\\a.bsp"};
    std::vector<std::string> currentChanges;
    std::vector<DialogRequest> dialogs;
    std::optional<std::string> answer;  // nothing: Cancel
    bool failCurrent = false;

    bool DirectoryExists(const std::string& p) override { return folders.count(p) > 0; }
    bool FileExists(const std::string& p) override { return files.count(p) > 0; }
    void ChangeDirectory(const std::string& p) override {
        if (failCurrent) throw std::runtime_error("I/O error 5");
        currentChanges.push_back(p);
    }
    std::optional<std::string> RunDialog(const DialogRequest& request) override {
        dialogs.push_back(request);
        return answer;
    }
};

TEST(FolderChoiceTest, InputFlagsTruthTable) {
    struct Row {
        bool direct, readOnly, editReadOnly, button;
    };
    const Row rows[] = {
        {true, false, false, true},
        {false, false, true, true},  // the application's field: button only
        {true, true, true, false},
        {false, true, true, false},
    };
    for (const auto& r : rows) {
        const InputState s{r.direct, r.readOnly};
        EXPECT_EQ(s.EditReadOnly(), r.editReadOnly) << r.direct << r.readOnly;
        EXPECT_EQ(s.ButtonWorks(), r.button) << r.direct << r.readOnly;
    }
}

TEST(FolderChoiceTest, ChoosingOffersTheTextOrInitialDirAndTakesOnlyExistingFolders) {
    FakeHost host;
    FolderChoiceSettings settings;
    settings.DialogText = "Maps";
    settings.AllowCreate = false;
    std::string initial = "C:\\start";

    host.answer = "C:\\other";
    EXPECT_EQ(ChooseFolder(host, settings, "C:\\maps", initial, {}, {}), "C:\\other");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].InitialFolder, "C:\\maps");
    EXPECT_EQ(host.dialogs[0].Root, "rfDesktop");
    EXPECT_EQ(host.dialogs[0].LabelText, "Maps");
    EXPECT_FALSE(host.dialogs[0].AllowCreate);
    EXPECT_EQ(host.currentChanges, std::vector<std::string>{"C:\\maps"});
    EXPECT_EQ(initial, "C:\\other");

    // An empty field starts at InitialDir; a field naming no folder starts with nothing.
    host.answer.reset();
    EXPECT_EQ(ChooseFolder(host, settings, "", initial, {}, {}), std::nullopt);
    EXPECT_EQ(host.dialogs.back().InitialFolder, "C:\\other");
    EXPECT_EQ(ChooseFolder(host, settings, "C:\\gone", initial, {}, {}), std::nullopt);
    EXPECT_EQ(host.dialogs.back().InitialFolder, "");
    EXPECT_EQ(initial, "C:\\other");  // Cancel changes nothing

    // A chosen path that is no folder (a virtual item) is not taken.
    host.answer = "My Computer";
    EXPECT_EQ(ChooseFolder(host, settings, "", initial, {}, {}), std::nullopt);
    EXPECT_EQ(initial, "C:\\other");
}

TEST(FolderChoiceTest, EventsAndCurrentFolder) {
    FakeHost host;
    std::string initial;
    host.answer = "C:\\maps";
    std::string seenAfter;
    const DialogEvent stop = [](std::string&, bool& goOn) { goOn = false; };
    const DialogEvent redirect = [](std::string& folder, bool&) { folder = "C:\\other"; };
    const DialogEvent after = [&](std::string& folder, bool&) { seenAfter = folder; };

    EXPECT_EQ(ChooseFolder(host, {}, "C:\\maps", initial, stop, after), std::nullopt);
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_EQ(seenAfter, "");

    FolderChoiceSettings stayHere;
    stayHere.NoChangeDir = true;
    EXPECT_EQ(ChooseFolder(host, stayHere, "", initial, redirect, after), "C:\\maps");
    EXPECT_EQ(host.dialogs.back().InitialFolder, "C:\\other");
    EXPECT_TRUE(host.currentChanges.empty());
    EXPECT_EQ(seenAfter, "C:\\maps");

    // The current folder cannot be changed: the error goes out before any dialog.
    host.failCurrent = true;
    EXPECT_THROW(ChooseFolder(host, {}, "C:\\maps", initial, {}, {}), std::runtime_error);
    EXPECT_EQ(host.dialogs.size(), 1u);
}

TEST(FolderChoiceTest, DroppedNames) {
    FakeHost host;
    using Names = std::vector<std::optional<std::string>>;
    EXPECT_EQ(DroppedText(host, "C:\\old", Names{"C:\\maps\\a.bsp"}, false), "C:\\maps\\");
    EXPECT_EQ(DroppedText(host, "C:\\old", Names{"C:\\maps", "C:\\other"}, false), "C:\\maps");
    EXPECT_EQ(DroppedText(host, "C:\\old", Names{"C:\\maps", "C:\\maps\\a.bsp"}, true), "C:\\old;C:\\maps;C:\\maps\\");
    EXPECT_EQ(DroppedText(host, "", Names{"C:\\maps", "C:\\other"}, true), "C:\\maps;C:\\other");
    // A name that could not be read whole is skipped, never entered cut.
    EXPECT_EQ(DroppedText(host, "C:\\old", Names{std::nullopt, "C:\\other"}, false), "C:\\other");
    EXPECT_EQ(DroppedText(host, "C:\\old", Names{std::nullopt}, false), "C:\\old");
    const std::string longName = "C:\\" + std::string(300, 'x');
    EXPECT_EQ(DroppedText(host, "", Names{longName}, false), longName);
}

TEST(FolderChoiceTest, LongAndShortFormsConvertEachFolderOfAMultipleText) {
    // Upper-cases a folder; "gone" stands for a folder the platform cannot convert.
    const auto convert = [](const std::string& folder) {
        if (folder == "gone") return std::string();
        std::string out = folder;
        for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return out;
    };
    struct Case {
        const char* text;
        bool multiple;
        const char* expected;
    } cases[] = {
        {"c:\\maps", false, "C:\\MAPS"},
        {"a;gone", false, "A;GONE"},  // one folder whose name holds a ";"
        {"c:\\a;c:\\b", true, "C:\\A;C:\\B"},
        {";a;;b;", true, "A;B"},
        {"a;gone;b", true, "A;B"},
        {"gone", true, ""},
        {"", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ConvertFolders(c.text, c.multiple, convert), c.expected);
    }
}

}  // namespace
}  // namespace lw::controls
