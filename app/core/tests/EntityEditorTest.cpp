#include "app/core/EntityEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace lw::app {
namespace {

// Map files of the fake world hold their entity text directly; the fake tool copies it to and
// from the .ent file as the real one does, so a test can see what ended up in which map.
const std::string kMaps = "C:\\maps";
const std::string kOther = "C:\\other maps";
const std::string kRawA = "{\n\"message\" \"a\"\n}\n";
const std::string kRawB = "{\r\"message\" \"b\"\r}\r";
const std::string kRawC = "{\r\n\"message\" \"\xC0\xE1\xFF\x98\"\r\n}\r\n";
const std::string kA = "{\r\n\"message\" \"a\"\r\n}\r\n";
const std::string kB = "{\r\n\"message\" \"b\"\r\n}\r\n";
const std::string kC = kRawC;

const std::string kAsk = "ask Сохранение: Сохранить изменения?";
const std::string kExportFailed = "tell Ошибка: Не удалось извлечь информацию entity!";
const std::string kSaveFailed = "tell Ошибка: Не удалось сохранить изменения!";
const std::string kSaved = "tell Успех: Изменения сохранены!";

enum class Fault { None, NotStarted, TimesOut, ExitsNonzero, WritesNothing };

std::string FileName(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
}

class World : public Memo, public MapList, public Launcher, public FileSystem, public Prompt {
public:
    World() {
        files[kMaps + "\\a.bsp"] = kRawA;
        files[kMaps + "\\b.bsp"] = kRawB;
        files[kMaps + "\\c.bsp"] = kRawC;
        files[kOther + "\\a.bsp"] = "other";
        ShowFolder(kMaps);
    }

    void ShowFolder(const std::string& shown) {
        folder = shown;
        entries = shown == kMaps ? std::vector<std::string>{"a.bsp", "b.bsp", "c.bsp"} : std::vector<std::string>{"a.bsp"};
        selected = -1;
    }

    // Memo
    std::string Text() const override { return memo; }
    void SetText(const std::string& text) override {
        memo = text;
        editor->MemoChanged();
    }

    // MapList
    std::string Folder() const override { return folder; }
    std::optional<std::string> Entry(int index) const override {
        if (index < 0 || index >= int(entries.size())) return std::nullopt;
        return entries[std::size_t(index)];
    }
    void Select(int index) override { selected = index; }

    // Launcher: the tool's contract on the fake files.
    std::optional<int> RunTool(const std::string& parameters, const std::string& workingFolder,
                               std::chrono::milliseconds timeout) override {
        EXPECT_EQ(timeout, std::chrono::milliseconds(60000));
        const bool exporting = parameters.starts_with("-export texdata 1 ");
        EXPECT_TRUE(exporting || parameters.starts_with("-import texdata 1 ")) << parameters;
        std::string ent = parameters.substr(18);
        if (ent.starts_with('"')) ent = ent.substr(1, ent.size() - 2);
        EXPECT_EQ(ent.substr(0, ent.rfind('\\')), workingFolder) << "the tool runs in the map's folder";
        const std::string map = ent.substr(0, ent.size() - 4) + ".bsp";
        log.push_back((exporting ? "export " : "import ") + FileName(map));

        switch ((exporting ? exportFaults : importFaults)[FileName(map)]) {
        case Fault::NotStarted:
            return std::nullopt;
        case Fault::TimesOut:
            if (exporting) files[ent] = "half written";
            return std::nullopt;
        case Fault::ExitsNonzero:
            if (exporting) files[ent] = "half written";
            return 1;
        case Fault::WritesNothing:
            return 0;
        case Fault::None:
            break;
        }
        if (!files.contains(map) || (!exporting && !files.contains(ent))) return 1;
        if (exporting) files[ent] = files[map];
        else files[map] = files[ent];
        return 0;
    }

    // FileSystem
    bool Exists(const std::string& path) override { return files.contains(path); }
    bool Delete(const std::string& path) override {
        if (undeletable.contains(path)) return false;
        files.erase(path);
        return true;
    }
    std::string Read(const std::string& path) override {
        if (!files.contains(path)) throw std::runtime_error("Cannot open file \"" + path + "\". Not found");
        return files[path];
    }
    void Write(const std::string& path, const std::string& bytes) override {
        if (unwritable.contains(path)) throw std::runtime_error("Cannot create file \"" + path + "\". Denied");
        files[path] = bytes;
    }

    // Prompt
    Answer Ask(std::string_view caption, std::string_view text) override {
        log.push_back("ask " + std::string(caption) + ": " + std::string(text));
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question";
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Tell(std::string_view caption, std::string_view text) override {
        log.push_back("tell " + std::string(caption) + ": " + std::string(text));
    }

    EntityEditor* editor = nullptr;
    std::string memo;
    std::string folder;
    std::vector<std::string> entries;
    int selected = -1;
    std::map<std::string, std::string> files;
    std::set<std::string> undeletable, unwritable;
    std::map<std::string, Fault> exportFaults, importFaults;
    std::deque<Answer> answers;
    std::vector<std::string> log;
};

// What the user does.
struct Act {
    enum Kind { Click, Type, Save, Revert, Refill, RemoveFile } kind;
    int index = 0;
    std::string text = {};
    std::optional<Answer> answer = {};
};
Act Click(int index, std::optional<Answer> answer = {}) { return {Act::Click, index, {}, answer}; }
Act Type(std::string text) { return {Act::Type, 0, std::move(text), {}}; }
const Act kSave{Act::Save};
const Act kRevert{Act::Revert};
Act Refill(std::string folder) { return {Act::Refill, 0, std::move(folder), {}}; }
Act RemoveFile(std::string path) { return {Act::RemoveFile, 0, std::move(path), {}}; }

void Perform(World& world, EntityEditor& editor, const Act& act) {
    if (act.answer) world.answers.push_back(*act.answer);
    // What escapes a handler goes to the general error report.
    try {
        switch (act.kind) {
        case Act::Click:
            world.selected = act.index;
            editor.MapsClick(act.index);
            break;
        case Act::Type:
            world.SetText(world.memo + act.text);
            break;
        case Act::Save:
            editor.Save();
            break;
        case Act::Revert:
            editor.Revert();
            break;
        case Act::Refill:
            world.ShowFolder(act.text);
            break;
        case Act::RemoveFile:
            world.files.erase(act.text);
            break;
        }
    } catch (const std::exception& error) {
        world.log.push_back(std::string("report ") + error.what());
    }
}

struct Scenario {
    const char* name;
    std::vector<Act> acts;
    // Expected state afterwards.
    std::string memo;
    bool modified;
    int selected;
    std::vector<std::string> log;
    // Maps whose text changed, by path; every other map must be as it was.
    std::map<std::string, std::string> changedMaps;
    // The .ent files in the folder and what they hold.
    std::map<std::string, std::string> entFiles;
    // Set up before the acts.
    std::map<std::string, Fault> exportFaults = {};
    std::map<std::string, Fault> importFaults = {};
    std::map<std::string, std::string> extraFiles = {};
    std::set<std::string> undeletable = {};
    std::set<std::string> unwritable = {};
};

const std::string kEntA = kMaps + "\\a.ent";
const std::string kEntB = kMaps + "\\b.ent";
const std::string kMapA = kMaps + "\\a.bsp";

const Scenario kScenarios[] = {
    {"selecting a map shows its text with CR LF breaks, unmodified, and leaves the .ent",
     {Click(0)}, kA, false, 0, {"export a.bsp"}, {}, {{kEntA, kRawA}}},
    {"lone CRs become CR LF too", {Click(1)}, kB, false, 1, {"export b.bsp"}, {}, {{kEntB, kRawB}}},

    // Export failures: the message, and the memo keeps the previous map's text.
    {"export exiting with an error", {Click(0), Click(1)}, kA, false, 1,
     {"export a.bsp", "export b.bsp", kExportFailed}, {}, {{kEntA, kRawA}, {kEntB, "half written"}},
     {{"b.bsp", Fault::ExitsNonzero}}},
    {"tool that cannot be started", {Click(0), Click(1)}, kA, false, 1,
     {"export a.bsp", "export b.bsp", kExportFailed}, {}, {{kEntA, kRawA}},
     {{"b.bsp", Fault::NotStarted}}},
    {"tool ended after the timeout", {Click(1)}, "", false, 1,
     {"export b.bsp", kExportFailed}, {}, {{kEntB, "half written"}},
     {{"b.bsp", Fault::TimesOut}}},
    {"a stale .ent is deleted first and never shown", {Click(1)}, "", false, 1,
     {"export b.bsp", kExportFailed}, {}, {},
     {{"b.bsp", Fault::WritesNothing}}, {}, {{kEntB, "stale"}}},
    {"a stale .ent that cannot be deleted stops the export before the tool runs", {Click(1)}, "", false, 1,
     {kExportFailed}, {}, {{kEntB, "stale"}},
     {}, {}, {{kEntB, "stale"}}, {kEntB}},
    {"a failed export keeps the edits guarded", {Click(0), Type("x"), Click(1, Answer::No), Click(2, Answer::Cancel)},
     kA + "x", true, 0, {"export a.bsp", kAsk, "export b.bsp", kExportFailed, kAsk}, {}, {{kEntA, kRawA}},
     {{"b.bsp", Fault::NotStarted}}},

    // Save.
    {"save writes the edit into the map, empties the memo and deletes the .ent", {Click(0), Type("x"), kSave},
     "", false, 0, {"export a.bsp", "import a.bsp", kSaved}, {{kMapA, kA + "x"}}, {}},
    {"code page bytes round-trip into the map", {Click(2), Type("\xEF"), kSave},
     "", false, 2, {"export c.bsp", "import c.bsp", kSaved}, {{kMaps + "\\c.bsp", kC + "\xEF"}}, {}},
    {"save whose import fails keeps the .ent, the text and the mark", {Click(0), Type("x"), kSave},
     kA + "x", true, 0, {"export a.bsp", "import a.bsp", kSaveFailed}, {}, {{kEntA, kA + "x"}},
     {}, {{"a.bsp", Fault::ExitsNonzero}}},
    {"save whose tool cannot start", {Click(0), Type("x"), kSave},
     kA + "x", true, 0, {"export a.bsp", "import a.bsp", kSaveFailed}, {}, {{kEntA, kA + "x"}},
     {}, {{"a.bsp", Fault::NotStarted}}},
    {"save whose import times out", {Click(0), Type("x"), kSave},
     kA + "x", true, 0, {"export a.bsp", "import a.bsp", kSaveFailed}, {}, {{kEntA, kA + "x"}},
     {}, {{"a.bsp", Fault::TimesOut}}},
    {"save whose .ent cannot be written runs no import", {Click(0), Type("x"), kSave},
     kA + "x", true, 0, {"export a.bsp", "report Cannot create file \"C:\\maps\\a.ent\". Denied"}, {}, {{kEntA, kRawA}},
     {}, {}, {}, {}, {kEntA}},
    {"save with nothing loaded does nothing", {Type("x"), kSave}, "x", true, -1, {}, {}, {}},
    {"a second save never writes the emptied memo", {Click(0), Type("x"), kSave, kSave},
     "", false, 0, {"export a.bsp", "import a.bsp", kSaved}, {{kMapA, kA + "x"}}, {}},
    {"after a successful save the next selection asks nothing", {Click(0), Type("x"), kSave, Click(1)},
     kB, false, 1, {"export a.bsp", "import a.bsp", kSaved, "export b.bsp"}, {{kMapA, kA + "x"}}, {{kEntB, kRawB}}},
    {"after a failed export, save writes into the map the text came from", {Click(0), Click(1), Type("x"), kSave},
     "", false, 1, {"export a.bsp", "export b.bsp", kExportFailed, "import a.bsp", kSaved}, {{kMapA, kA + "x"}}, {},
     {{"b.bsp", Fault::NotStarted}}},
    {"after a refill from another folder, save writes into the loaded map", {Click(0), Type("x"), Refill(kOther), kSave},
     "", false, -1, {"export a.bsp", "import a.bsp", kSaved}, {{kMapA, kA + "x"}}, {}},

    // Revert.
    {"revert reads the .ent again", {Click(0), Type("x"), kRevert}, kA, true, 0, {"export a.bsp"}, {}, {{kEntA, kRawA}}},
    {"revert whose .ent is gone reports and keeps the memo", {Click(0), Type("x"), RemoveFile(kEntA), kRevert},
     kA + "x", true, 0, {"export a.bsp", "report Cannot open file \"C:\\maps\\a.ent\". Not found"}, {}, {}},
    {"revert with nothing loaded does nothing", {Type("x"), kRevert}, "x", true, -1, {}, {}, {}},

    // The question on selecting another map.
    {"typing before any map is loaded asks nothing", {Type("x"), Click(0)}, kA, false, 0, {"export a.bsp"}, {}, {{kEntA, kRawA}}},
    {"No drops the edits and loads the new map", {Click(0), Type("x"), Click(1, Answer::No)},
     kB, false, 1, {"export a.bsp", kAsk, "export b.bsp"}, {}, {{kEntA, kRawA}, {kEntB, kRawB}}},
    {"Yes saves into the edited map, then loads the new one", {Click(0), Type("x"), Click(1, Answer::Yes)},
     kB, false, 1, {"export a.bsp", kAsk, "import a.bsp", kSaved, "export b.bsp"}, {{kMapA, kA + "x"}}, {{kEntB, kRawB}}},
    {"Cancel returns to the edited map and keeps the edits", {Click(0), Type("x"), Click(2, Answer::Cancel)},
     kA + "x", true, 0, {"export a.bsp", kAsk}, {}, {{kEntA, kRawA}}},
    {"Yes whose import fails keeps the edits and loads nothing", {Click(0), Type("x"), Click(1, Answer::Yes)},
     kA + "x", true, 0, {"export a.bsp", kAsk, "import a.bsp", kSaveFailed}, {}, {{kEntA, kA + "x"}},
     {}, {{"a.bsp", Fault::ExitsNonzero}}},
    {"Yes whose .ent cannot be written reports, keeps the edits and loads nothing",
     {Click(0), Type("x"), Click(1, Answer::Yes)},
     kA + "x", true, 0, {"export a.bsp", kAsk, "report Cannot create file \"C:\\maps\\a.ent\". Denied"}, {}, {{kEntA, kRawA}},
     {}, {}, {}, {}, {kEntA}},
    {"Cancel after a refill selects nothing: the edited map is not listed",
     {Click(0), Type("x"), Refill(kOther), Click(0, Answer::Cancel)},
     kA + "x", true, -1, {"export a.bsp", kAsk}, {}, {{kEntA, kRawA}}},
    {"revert then another map still asks", {Click(0), Type("x"), kRevert, Click(1, Answer::No)},
     kB, false, 1, {"export a.bsp", kAsk, "export b.bsp"}, {}, {{kEntA, kRawA}, {kEntB, kRawB}}},
};

TEST(EntityEditor, Scenarios) {
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.name);
        World world;
        EntityEditor editor(world, world, world, world, world);
        world.editor = &editor;
        world.exportFaults = s.exportFaults;
        world.importFaults = s.importFaults;
        for (const auto& [path, bytes] : s.extraFiles) world.files[path] = bytes;
        world.undeletable = s.undeletable;
        world.unwritable = s.unwritable;
        const std::map<std::string, std::string> before = world.files;

        for (const Act& act : s.acts) Perform(world, editor, act);

        EXPECT_EQ(world.memo, s.memo);
        EXPECT_EQ(editor.Modified(), s.modified);
        EXPECT_EQ(world.selected, s.selected);
        EXPECT_EQ(world.log, s.log);
        EXPECT_TRUE(world.answers.empty()) << "a question that was never asked";
        std::map<std::string, std::string> ents;
        for (const auto& [path, bytes] : world.files) {
            if (path.ends_with(".ent")) {
                ents[path] = bytes;
            } else if (const auto changed = s.changedMaps.find(path); changed != s.changedMaps.end()) {
                EXPECT_EQ(bytes, changed->second) << path;
            } else {
                EXPECT_EQ(bytes, before.at(path)) << path << " must not change";
            }
        }
        EXPECT_EQ(ents, s.entFiles);
    }
}

TEST(EntityEditor, LoadedMapAndIndexFollowSuccessfulExportsOnly) {
    World world;
    EntityEditor editor(world, world, world, world, world);
    world.editor = &editor;
    EXPECT_EQ(editor.LoadedEntityPath(), std::nullopt);
    EXPECT_EQ(editor.LastIndex(), 0);

    Perform(world, editor, Click(2));
    EXPECT_EQ(editor.LoadedEntityPath(), kMaps + "\\c.ent");
    EXPECT_EQ(editor.LastIndex(), 2);

    world.exportFaults["b.bsp"] = Fault::ExitsNonzero;
    Perform(world, editor, Click(1));
    EXPECT_EQ(editor.LoadedEntityPath(), kMaps + "\\c.ent");
    EXPECT_EQ(editor.LastIndex(), 2);

    Perform(world, editor, kSave);
    EXPECT_EQ(editor.LoadedEntityPath(), std::nullopt);
}

TEST(EntityEditor, LargeTextLoadsAndSavesByteForByte) {
    World world;
    EntityEditor editor(world, world, world, world, world);
    world.editor = &editor;
    std::string big;
    for (int i = 0; big.size() < 4u << 20; ++i) big += "\"key" + std::to_string(i) + "\" \"\x80\xC1\xFE\"\n";
    world.files[kMapA] = big;

    Perform(world, editor, Click(0));
    ASSERT_EQ(world.memo.size(), big.size() + std::count(big.begin(), big.end(), '\n'));
    Perform(world, editor, Type("}"));
    const std::string edited = world.memo;
    Perform(world, editor, kSave);
    EXPECT_EQ(world.files[kMapA], edited);
}

}  // namespace
}  // namespace lw::app
