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
// Names that an inner ".bsp" or capitals could lead to another map.
const std::string kNames = "C:\\names";
const std::string kRawA = "{\n\"message\" \"a\"\n}\n";
const std::string kRawB = "{\r\"message\" \"b\"\r}\r";
const std::string kRawC = "{\r\n\"message\" \"\xC0\xE1\xFF\x98\"\r\n}\r\n";
const std::string kA = "{\r\n\"message\" \"a\"\r\n}\r\n";
const std::string kB = "{\r\n\"message\" \"b\"\r\n}\r\n";
const std::string kC = kRawC;

const std::string kAsk = "ask Сохранение: Сохранить изменения?";
const std::string kMapChanged =
    "ask Сохранение: Карта изменилась на диске после загрузки текста. Записать ваш текст в новую карту?";
const std::string kExportFailed = "tell Ошибка: Не удалось извлечь информацию entity!";
const std::string kSaveFailed = "tell Ошибка: Не удалось сохранить изменения!\n";
const std::string kNotStarted = kSaveFailed + "Не удалось запустить ripent.exe.";
const std::string kExitedWith1 = kSaveFailed + "ripent.exe завершился с кодом 1.";
const std::string kTimedOut = kSaveFailed + "ripent.exe не завершился за 60 с и был остановлен.";
// The fake memo holds bytes; this stands for one character the code page has no byte for.
const std::string kUnstorable = "{U+2014}";
const std::string kSaved = "tell Успех: Изменения сохранены!";

enum class Fault { None, NotStarted, TimesOut, ExitsNonzero, WritesNothing, RefusesLine2, RebuiltMeanwhile };

std::string FileName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

class World : public Memo, public MapList, public Launcher, public FileSystem, public Prompt {
public:
    World() {
        files[kMaps + "\\a.bsp"] = kRawA;
        files[kMaps + "\\b.bsp"] = kRawB;
        files[kMaps + "\\c.bsp"] = kRawC;
        files[kOther + "\\a.bsp"] = "other";
        files[kOther + "\\MAP.BSP"] = "capitals";
        for (const char* name : {"de.bspx.bsp", "dex.bsp", "MAP.BSP", "MAP.BSP.bsp"})
            files[kNames + "\\" + name] = name;
        ShowFolder(kMaps);
    }

    void ShowFolder(const std::string& shown) {
        folder = shown;
        if (shown == kMaps) entries = {"a.bsp", "b.bsp", "c.bsp"};
        if (shown == kOther) entries = {"a.bsp", "MAP.BSP"};
        if (shown == kNames) entries = {"de.bspx.bsp", "dex.bsp", "MAP.BSP", "MAP.BSP.bsp"};
        selected = -1;
    }

    // Memo
    MemoText Text() const override {
        const size_t at = memo.find(kUnstorable);
        if (at == std::string::npos) return {memo, std::nullopt};
        const int line = 1 + int(std::count(memo.begin(), memo.begin() + std::ptrdiff_t(at), '\n'));
        return {"?", UnstorableCharacter{"—", 0x2014, line}};
    }
    void SetText(const std::string& text) override {
        memo = text;
        editor->MemoChanged();
    }
    void ShowLine(int line) override { log.push_back("caret at line " + std::to_string(line)); }

    // MapList
    std::string Folder() const override { return folder; }
    std::optional<std::string> Entry(int index) const override {
        if (index < 0 || index >= int(entries.size())) return std::nullopt;
        return entries[std::size_t(index)];
    }
    void Select(int index) override { selected = index; }

    // The map the tool takes an entity file to, as its documentation says: "<name>.bsp", or
    // else "<name>" when that ends in ".bsp" in any case.
    std::string ToolsMap(const std::string& ent) const {
        const std::string name = ent.substr(0, ent.size() - 4);
        if (files.contains(name + ".bsp")) return name + ".bsp";
        std::string end = name.size() >= 4 ? name.substr(name.size() - 4) : "";
        for (char& c : end) c = char(std::tolower(static_cast<unsigned char>(c)));
        if (end == ".bsp" && files.contains(name)) return name;
        return name + ".bsp";
    }

    // A compiler writing the map anew.
    void Rebuild(const std::string& map, const std::string& text) {
        files[map] = text;
        ++writes[map];
    }
    // What the tool reports as the map's identity: size, last write, a hash of the text.
    std::string Identity(const std::string& map) {
        return std::to_string(files[map].size()) + ":" + std::to_string(writes[map]) + ":" +
               std::to_string(std::hash<std::string>{}(files[map]) % 9 + 1) + "f";
    }

    // Launcher: the tool's contract on the fake files.
    ToolRun RunTool(const std::string& parameters, const std::string& workingFolder,
                    std::chrono::milliseconds timeout) override {
        EXPECT_EQ(timeout, std::chrono::milliseconds(60000));
        const bool exporting = parameters.starts_with("-export texdata 1 ");
        EXPECT_TRUE(exporting || parameters.starts_with("-import texdata 1 ")) << parameters;
        std::string ent = parameters.substr(18);
        std::string expected;
        if (ent.starts_with("-expect ")) {
            expected = ent.substr(8, ent.find(' ', 8) - 8);
            ent = ent.substr(9 + expected.size());
        }
        if (ent.starts_with('"')) ent = ent.substr(1, ent.size() - 2);
        EXPECT_EQ(ent.substr(0, ent.rfind('\\')), workingFolder) << "the tool runs in the map's folder";
        const std::string map = ToolsMap(ent);
        log.push_back((exporting ? "export " : "import ") + FileName(map) +
                      (exporting || !expected.empty() ? "" : " into whatever is there"));

        switch ((exporting ? exportFaults : importFaults)[FileName(map)]) {
        case Fault::NotStarted:
            return {ToolRun::End::NotStarted, 0, "", ""};
        case Fault::TimesOut:
            if (exporting) files[ent] = "half written";
            return {ToolRun::End::TimedOut, 0, "", ""};
        case Fault::ExitsNonzero:
            if (exporting) files[ent] = "half written";
            return {ToolRun::End::Exited, 1, "", ""};
        case Fault::WritesNothing:
            return {};
        case Fault::RefusesLine2:
            return {
                ToolRun::End::Exited, 2,
                "\r\nripent: " + ent + ":2: quoted text is not closed on its line; the map is unchanged\r\nmore\r\n",
                ""};
        case Fault::RebuiltMeanwhile:
            Rebuild(map, "rebuilt meanwhile");
            break;
        case Fault::None:
            break;
        }
        if (!files.contains(map) || (!exporting && !files.contains(ent)))
            return {ToolRun::End::Exited, 2, "ripent: no map", ""};
        if (!expected.empty() && expected != Identity(map))
            return {ToolRun::End::Exited, 2, "ripent: " + map + ": changed", ""};
        if (exporting) {
            files[ent] = files[map];
        } else {
            files[map] = files[ent];
            ++writes[map];
        }
        return {ToolRun::End::Exited, 0, "", "done\r\nmap identity: " + Identity(map) + "\r\n"};
    }

    // FileSystem
    bool Exists(const std::string& path) override { return files.contains(path); }
    std::optional<FileStamp> Stamp(const std::string& path) override {
        if (!files.contains(path)) return std::nullopt;
        return FileStamp{files[path].size(), writes[path]};
    }
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

    // Prompt. A message box that closes gives the activation back to the main window.
    Answer Ask(std::string_view caption, std::string_view text) override {
        log.push_back("ask " + std::string(caption) + ": " + std::string(text));
        editor->Activated();
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
        editor->Activated();
    }

    EntityEditor* editor = nullptr;
    std::string memo;
    std::string folder;
    std::vector<std::string> entries;
    int selected = -1;
    std::map<std::string, std::string> files;
    std::map<std::string, std::uint64_t> writes;
    std::set<std::string> undeletable, unwritable;
    std::map<std::string, Fault> exportFaults, importFaults;
    std::deque<Answer> answers;
    std::vector<std::string> log;
};

// What the user does.
struct Act {
    enum Kind { Click, Type, Save, Revert, Refill, RemoveFile, Close, Rebuild, BreakExports, Activate } kind;
    int index = 0;
    std::string text = {};
    std::optional<Answer> answer = {};
    std::optional<Answer> then = {};  // to a second question
};
Act Click(int index, std::optional<Answer> answer = {}, std::optional<Answer> then = {}) {
    return {Act::Click, index, {}, answer, then};
}
Act Type(std::string text) { return {Act::Type, 0, std::move(text), {}}; }
const Act kSave{Act::Save};
const Act kRevert{Act::Revert};
Act Refill(std::string folder) { return {Act::Refill, 0, std::move(folder), {}}; }
Act RemoveFile(std::string path) { return {Act::RemoveFile, 0, std::move(path), {}}; }
Act Close(std::optional<Answer> answer = {}, std::optional<Answer> then = {}) {
    return {Act::Close, 0, {}, answer, then};
}
Act Save(Answer answer) { return {Act::Save, 0, {}, answer}; }
// Map a.bsp compiled anew, with other entities.
const Act kRebuildA{Act::Rebuild};
const Act kBreakExports{Act::BreakExports};
const Act kActivate{Act::Activate};
const std::string kRawA2 = "{\n\"message\" \"a2\"\n}\n";
const std::string kA2 = "{\r\n\"message\" \"a2\"\r\n}\r\n";

void Perform(World& world, EntityEditor& editor, const Act& act) {
    if (act.answer) world.answers.push_back(*act.answer);
    if (act.then) world.answers.push_back(*act.then);
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
        case Act::Close:
            world.log.push_back(editor.MayClose() ? "window closes" : "window stays");
            break;
        case Act::Rebuild:
            world.Rebuild(kMaps + "\\a.bsp", kRawA2);
            break;
        case Act::BreakExports:
            for (const std::string& entry : world.entries) world.exportFaults[entry] = Fault::ExitsNonzero;
            break;
        case Act::Activate:
            editor.Activated();
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
     {Click(0)},
     kA,
     false,
     0,
     {"export a.bsp"},
     {},
     {{kEntA, kRawA}}},
    {"lone CRs become CR LF too", {Click(1)}, kB, false, 1, {"export b.bsp"}, {}, {{kEntB, kRawB}}},

    // Export failures say why. The list goes back to the map whose text the memo kept, or, when
    // the memo kept none, the memo is emptied: the two never disagree.
    {"export exiting with an error",
     {Click(0), Click(1)},
     kA,
     false,
     0,
     {"export a.bsp", "export b.bsp", kExportFailed + "\nripent.exe завершился с кодом 1."},
     {},
     {{kEntA, kRawA}, {kEntB, "half written"}},
     {{"b.bsp", Fault::ExitsNonzero}}},
    {"tool that cannot be started",
     {Click(0), Click(1)},
     kA,
     false,
     0,
     {"export a.bsp", "export b.bsp", kExportFailed + "\nНе удалось запустить ripent.exe."},
     {},
     {{kEntA, kRawA}},
     {{"b.bsp", Fault::NotStarted}}},
    {"tool ended after the timeout",
     {Click(1)},
     "",
     false,
     1,
     {"export b.bsp", kExportFailed + "\nripent.exe не завершился за 60 с и был остановлен."},
     {},
     {{kEntB, "half written"}},
     {{"b.bsp", Fault::TimesOut}}},
    {"a tool saying why passes its reason on",
     {Click(1)},
     "",
     false,
     1,
     {"export b.bsp",
      kExportFailed + "\nripent: C:\\maps\\b.ent:2: quoted text is not closed on its line; the map is unchanged"},
     {},
     {},
     {{"b.bsp", Fault::RefusesLine2}}},
    {"a stale .ent is deleted first and never shown",
     {Click(1)},
     "",
     false,
     1,
     {"export b.bsp", kExportFailed + "\nripent.exe не создал файл «b.ent»."},
     {},
     {},
     {{"b.bsp", Fault::WritesNothing}},
     {},
     {{kEntB, "stale"}}},
    {"a stale .ent that cannot be deleted stops the export before the tool runs",
     {Click(1)},
     "",
     false,
     1,
     {kExportFailed + "\nНе удалось удалить старый файл «b.ent»."},
     {},
     {{kEntB, "stale"}},
     {},
     {},
     {{kEntB, "stale"}},
     {kEntB}},
    {"a map gone since listing",
     {Click(0), RemoveFile(kMaps + "\\b.bsp"), Click(1)},
     kA,
     false,
     0,
     {"export a.bsp", "export b.bsp", kExportFailed + "\nripent: no map"},
     {},
     {{kEntA, kRawA}}},
    {"No, then a failed export, leaves nothing the refused edit could be saved from",
     {Click(0), Type("x"), Click(1, Answer::No), kSave, Click(2)},
     kC,
     false,
     2,
     {"export a.bsp", kAsk, "export b.bsp", kExportFailed + "\nНе удалось запустить ripent.exe.", "export c.bsp"},
     {},
     {{kEntA, kRawA}, {kMaps + "\\c.ent", kRawC}},
     {{"b.bsp", Fault::NotStarted}}},
    {"Yes, then a failed export, leaves the memo empty",
     {Click(0), Type("x"), Click(1, Answer::Yes), kSave},
     "",
     false,
     1,
     {"export a.bsp", kAsk, "import a.bsp", kSaved, "export b.bsp",
      kExportFailed + "\nНе удалось запустить ripent.exe."},
     {{kMapA, kA + "x"}},
     {},
     {{"b.bsp", Fault::NotStarted}}},
    {"an unmodified text kept after a failed export is still guarded once edited",
     {Click(0), Click(1), Type("x"), Click(2, Answer::Cancel)},
     kA + "x",
     true,
     0,
     {"export a.bsp", "export b.bsp", kExportFailed + "\nНе удалось запустить ripent.exe.", kAsk},
     {},
     {{kEntA, kRawA}},
     {{"b.bsp", Fault::NotStarted}}},

    {"a failed export empties a memo typed into before any map was loaded",
     {Type("x"), Click(1)},
     "",
     false,
     1,
     {"export b.bsp", kExportFailed + "\nНе удалось запустить ripent.exe."},
     {},
     {},
     {{"b.bsp", Fault::NotStarted}}},

    // A map written again on disk since its text was exported.
    {"a map rebuilt since its export, asked on closing: No closes without writing",
     {Click(0), Type("x"), kRebuildA, Close(Answer::Yes, Answer::No)},
     "",
     false,
     0,
     {"export a.bsp", kAsk, kMapChanged, "window closes"},
     {{kMapA, kRawA2}},
     {{kEntA, kRawA}}},
    {"a map gone since its export is not asked about: the tool says why",
     {Click(0), Type("x"), RemoveFile(kMapA), kSave},
     kA + "x",
     true,
     0,
     {"export a.bsp", "import a.bsp", kSaveFailed + "ripent: no map"},
     {},
     {{kEntA, kA + "x"}}},
    {"a map rebuilt since its export: Yes writes the text into the new map",
     {Click(0), Type("x"), kRebuildA, Save(Answer::Yes)},
     "",
     false,
     0,
     {"export a.bsp", kMapChanged, "import a.bsp into whatever is there", kSaved},
     {{kMapA, kA + "x"}},
     {}},
    {"a map rebuilt since its export: No drops the edits and shows the new map's text",
     {Click(0), Type("x"), kRebuildA, Save(Answer::No)},
     kA2,
     false,
     0,
     {"export a.bsp", kMapChanged, "export a.bsp"},
     {{kMapA, kRawA2}},
     {{kEntA, kRawA2}}},
    {"a map rebuilt since its export: Cancel writes nothing and keeps the edits",
     {Click(0), Type("x"), kRebuildA, Save(Answer::Cancel)},
     kA + "x",
     true,
     0,
     {"export a.bsp", kMapChanged},
     {{kMapA, kRawA2}},
     {{kEntA, kRawA}}},
    {"a map rebuilt since its export, asked on switching maps: No goes on to the new map",
     {Click(0), Type("x"), kRebuildA, Click(1, Answer::Yes, Answer::No)},
     kB,
     false,
     1,
     {"export a.bsp", kAsk, kMapChanged, "export b.bsp"},
     {{kMapA, kRawA2}},
     {{kEntA, kRawA}, {kEntB, kRawB}}},
    {"a map rebuilt after the check is refused by the tool",
     {Click(0), Type("x"), kSave},
     kA + "x",
     true,
     0,
     {"export a.bsp", "import a.bsp", kSaveFailed + "ripent: C:\\maps\\a.bsp: changed"},
     {{kMapA, "rebuilt meanwhile"}},
     {{kEntA, kA + "x"}},
     {},
     {{"a.bsp", Fault::RebuiltMeanwhile}}},
    {"activation loads an unmodified text anew when its map was rebuilt",
     {Click(0), kRebuildA, kActivate, kActivate},
     kA2,
     false,
     0,
     {"export a.bsp", "export a.bsp"},
     {{kMapA, kRawA2}},
     {{kEntA, kRawA2}}},
    {"activation leaves edited text and unchanged maps alone",
     {Click(1), kActivate, Click(0), Type("x"), kRebuildA, kActivate},
     kA + "x",
     true,
     0,
     {"export b.bsp", "export a.bsp"},
     {{kMapA, kRawA2}},
     {{kEntA, kRawA}, {kEntB, kRawB}}},
    {"a reload on activation that fails is told once and keeps the text",
     {Click(0), kRebuildA, kBreakExports, kActivate, kActivate},
     kA,
     false,
     0,
     {"export a.bsp", "export a.bsp", kExportFailed + "\nripent.exe завершился с кодом 1."},
     {{kMapA, kRawA2}},
     {{kEntA, "half written"}}},

    // Save.
    {"save writes the edit into the map, empties the memo and deletes the .ent",
     {Click(0), Type("x"), kSave},
     "",
     false,
     0,
     {"export a.bsp", "import a.bsp", kSaved},
     {{kMapA, kA + "x"}},
     {}},
    {"code page bytes round-trip into the map",
     {Click(2), Type("\xEF"), kSave},
     "",
     false,
     2,
     {"export c.bsp", "import c.bsp", kSaved},
     {{kMaps + "\\c.bsp", kC + "\xEF"}},
     {}},
    {"save whose import fails keeps the .ent, the text and the mark",
     {Click(0), Type("x"), kSave},
     kA + "x",
     true,
     0,
     {"export a.bsp", "import a.bsp", kExitedWith1},
     {},
     {{kEntA, kA + "x"}},
     {},
     {{"a.bsp", Fault::ExitsNonzero}}},
    {"save whose tool cannot start",
     {Click(0), Type("x"), kSave},
     kA + "x",
     true,
     0,
     {"export a.bsp", "import a.bsp", kNotStarted},
     {},
     {{kEntA, kA + "x"}},
     {},
     {{"a.bsp", Fault::NotStarted}}},
    {"save whose import times out",
     {Click(0), Type("x"), kSave},
     kA + "x",
     true,
     0,
     {"export a.bsp", "import a.bsp", kTimedOut},
     {},
     {{kEntA, kA + "x"}},
     {},
     {{"a.bsp", Fault::TimesOut}}},
    {"save whose .ent cannot be written runs no import",
     {Click(0), Type("x"), kSave},
     kA + "x",
     true,
     0,
     {"export a.bsp", "report Cannot create file \"C:\\maps\\a.ent\". Denied"},
     {},
     {{kEntA, kRawA}},
     {},
     {},
     {},
     {},
     {kEntA}},
    {"save with nothing loaded does nothing", {Type("x"), kSave}, "x", true, -1, {}, {}, {}},
    {"a second save never writes the emptied memo",
     {Click(0), Type("x"), kSave, kSave},
     "",
     false,
     0,
     {"export a.bsp", "import a.bsp", kSaved},
     {{kMapA, kA + "x"}},
     {}},
    {"after a successful save the next selection asks nothing",
     {Click(0), Type("x"), kSave, Click(1)},
     kB,
     false,
     1,
     {"export a.bsp", "import a.bsp", kSaved, "export b.bsp"},
     {{kMapA, kA + "x"}},
     {{kEntB, kRawB}}},
    {"after a failed export, save writes into the map the text came from",
     {Click(0), Click(1), Type("x"), kSave},
     "",
     false,
     0,
     {"export a.bsp", "export b.bsp", kExportFailed + "\nНе удалось запустить ripent.exe.", "import a.bsp", kSaved},
     {{kMapA, kA + "x"}},
     {},
     {{"b.bsp", Fault::NotStarted}}},
    {"after a refill from another folder, save writes into the loaded map",
     {Click(0), Type("x"), Refill(kOther), kSave},
     "",
     false,
     -1,
     {"export a.bsp", "import a.bsp", kSaved},
     {{kMapA, kA + "x"}},
     {}},

    {"selecting the map already shown runs nothing and asks nothing",
     {Click(0), Click(0), Type("x"), Click(0)},
     kA + "x",
     true,
     0,
     {"export a.bsp"},
     {},
     {{kEntA, kRawA}}},

    // Revert.
    {"revert reads the .ent again",
     {Click(0), Type("x"), kRevert},
     kA,
     true,
     0,
     {"export a.bsp"},
     {},
     {{kEntA, kRawA}}},
    {"revert whose .ent is gone reports and keeps the memo",
     {Click(0), Type("x"), RemoveFile(kEntA), kRevert},
     kA + "x",
     true,
     0,
     {"export a.bsp", "report Cannot open file \"C:\\maps\\a.ent\". Not found"},
     {},
     {}},
    {"revert with nothing loaded does nothing", {Type("x"), kRevert}, "x", true, -1, {}, {}, {}},

    // The question on selecting another map.
    {"typing before any map is loaded asks nothing",
     {Type("x"), Click(0)},
     kA,
     false,
     0,
     {"export a.bsp"},
     {},
     {{kEntA, kRawA}}},
    {"No drops the edits and loads the new map",
     {Click(0), Type("x"), Click(1, Answer::No)},
     kB,
     false,
     1,
     {"export a.bsp", kAsk, "export b.bsp"},
     {},
     {{kEntA, kRawA}, {kEntB, kRawB}}},
    {"Yes saves into the edited map, then loads the new one",
     {Click(0), Type("x"), Click(1, Answer::Yes)},
     kB,
     false,
     1,
     {"export a.bsp", kAsk, "import a.bsp", kSaved, "export b.bsp"},
     {{kMapA, kA + "x"}},
     {{kEntB, kRawB}}},
    {"Cancel returns to the edited map and keeps the edits",
     {Click(0), Type("x"), Click(2, Answer::Cancel)},
     kA + "x",
     true,
     0,
     {"export a.bsp", kAsk},
     {},
     {{kEntA, kRawA}}},
    {"Yes whose import fails keeps the edits and loads nothing",
     {Click(0), Type("x"), Click(1, Answer::Yes)},
     kA + "x",
     true,
     0,
     {"export a.bsp", kAsk, "import a.bsp", kExitedWith1},
     {},
     {{kEntA, kA + "x"}},
     {},
     {{"a.bsp", Fault::ExitsNonzero}}},
    {"Yes whose .ent cannot be written reports, keeps the edits and loads nothing",
     {Click(0), Type("x"), Click(1, Answer::Yes)},
     kA + "x",
     true,
     0,
     {"export a.bsp", kAsk, "report Cannot create file \"C:\\maps\\a.ent\". Denied"},
     {},
     {{kEntA, kRawA}},
     {},
     {},
     {},
     {},
     {kEntA}},
    {"Cancel after a refill selects nothing: the edited map is not listed",
     {Click(0), Type("x"), Refill(kOther), Click(0, Answer::Cancel)},
     kA + "x",
     true,
     -1,
     {"export a.bsp", kAsk},
     {},
     {{kEntA, kRawA}}},
    {"revert then another map still asks",
     {Click(0), Type("x"), kRevert, Click(1, Answer::No)},
     kB,
     false,
     1,
     {"export a.bsp", kAsk, "export b.bsp"},
     {},
     {{kEntA, kRawA}, {kEntB, kRawB}}},

    // A save the tool refuses says why, and the caret goes to the line the tool names.
    {"a refusing import shows the tool's first line and puts the caret on its line",
     {Click(0), Type("x"), kSave},
     kA + "x",
     true,
     0,
     {"export a.bsp", "import a.bsp",
      kSaveFailed + "ripent: C:\\maps\\a.ent:2: quoted text is not closed on its line; the map is unchanged",
      "caret at line 2"},
     {},
     {{kEntA, kA + "x"}},
     {},
     {{"a.bsp", Fault::RefusesLine2}}},

    // A character the code page cannot hold: nothing is written, the edits and the .ent stay.
    {"a character outside the code page refuses the save and shows its line",
     {Click(0), Type("\"k\" \"" + kUnstorable + "\""), kSave},
     kA + "\"k\" \"" + kUnstorable + "\"",
     true,
     0,
     {"export a.bsp",
      kSaveFailed + "Строка 4: символ «—» (U+2014) нельзя записать в карту, в кодовой странице системы его нет.",
      "caret at line 4"},
     {},
     {{kEntA, kRawA}}},

    // The entity file leads the tool back to the selected map and no other.
    {"an inner .bsp stays: de.bspx.bsp is saved, dex.bsp is untouched",
     {Refill(kNames), Click(0), Type("x"), kSave, Click(1)},
     "dex.bsp",
     false,
     1,
     {"export de.bspx.bsp", "import de.bspx.bsp", kSaved, "export dex.bsp"},
     {{kNames + "\\de.bspx.bsp", "de.bspx.bspx"}},
     {{kNames + "\\dex.ent", "dex.bsp"}}},
    {"a name in capitals round-trips to itself",
     {Refill(kOther), Click(1), Type("x"), kSave},
     "",
     false,
     1,
     {"export MAP.BSP", "import MAP.BSP", kSaved},
     {{kOther + "\\MAP.BSP", "capitalsx"}},
     {}},
    {"a name the tool would take to a neighbour is refused before the tool runs",
     {Refill(kNames), Click(2), Click(3)},
     "MAP.BSP.bsp",
     false,
     3,
     {"tell Ошибка: Не удалось извлечь информацию entity!\nripent.exe отнёс бы файл «MAP.BSP.ent» к карте "
      "«MAP.BSP.bsp», а не к «MAP.BSP»; переименуйте одну из них.",
      "export MAP.BSP.bsp"},
     {},
     {{kNames + "\\MAP.BSP.ent", "MAP.BSP.bsp"}}},

    // Closing the main window.
    {"closing without edits asks nothing",
     {Click(0), Close()},
     kA,
     false,
     0,
     {"export a.bsp", "window closes"},
     {},
     {{kEntA, kRawA}}},
    {"closing with edits but no map loaded asks nothing",
     {Type("x"), Close()},
     "x",
     true,
     -1,
     {"window closes"},
     {},
     {}},
    {"closing with edits, Yes saves and closes",
     {Click(0), Type("x"), Close(Answer::Yes)},
     "",
     false,
     0,
     {"export a.bsp", kAsk, "import a.bsp", kSaved, "window closes"},
     {{kMapA, kA + "x"}},
     {}},
    {"closing with edits, No closes without saving",
     {Click(0), Type("x"), Close(Answer::No)},
     kA + "x",
     true,
     0,
     {"export a.bsp", kAsk, "window closes"},
     {},
     {{kEntA, kRawA}}},
    {"closing with edits, Cancel keeps the window and the edits",
     {Click(0), Type("x"), Close(Answer::Cancel)},
     kA + "x",
     true,
     0,
     {"export a.bsp", kAsk, "window stays"},
     {},
     {{kEntA, kRawA}}},
    {"closing with edits, Yes whose import fails keeps the window",
     {Click(0), Type("x"), Close(Answer::Yes)},
     kA + "x",
     true,
     0,
     {"export a.bsp", kAsk, "import a.bsp", kExitedWith1, "window stays"},
     {},
     {{kEntA, kA + "x"}},
     {},
     {{"a.bsp", Fault::ExitsNonzero}}},
    {"closing with edits, Yes with an unstorable character keeps the window",
     {Click(0), Type(kUnstorable), Close(Answer::Yes)},
     kA + kUnstorable,
     true,
     0,
     {"export a.bsp", kAsk,
      kSaveFailed + "Строка 4: символ «—» (U+2014) нельзя записать в карту, в кодовой странице системы его нет.",
      "caret at line 4", "window stays"},
     {},
     {{kEntA, kRawA}}},
    {"closing with edits, Yes whose .ent cannot be written reports and does not close",
     {Click(0), Type("x"), Close(Answer::Yes)},
     kA + "x",
     true,
     0,
     {"export a.bsp", kAsk, "report Cannot create file \"C:\\maps\\a.ent\". Denied"},
     {},
     {{kEntA, kRawA}},
     {},
     {},
     {},
     {},
     {kEntA}},
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
