// The real program and tool as a user meets them: Lumpwright.exe started as its own process on
// copies of real maps, driven from outside through its windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "app/core/LineBreaks.h"
#include "app/tests/ToolDouble.h"
#include "app/tests/WindowTestSupport.h"
#include "platform/Text.h"
#include "testsupport/ChildProcess.h"
#include "testsupport/RealMaps.h"

namespace lw::app::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Another process answers: allow it more than the pump's usual limit.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 30s) {
    return PumpUntil(done, limit);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(
        static_cast<size_t>(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// Lumpwright.exe and a tool beside it in a folder of their own, on a folder of map copies.
class RunningApp {
public:
    RunningApp(const fs::path& appFolder, const fs::path& mapFolder, const std::vector<std::string>& arguments = {},
               const fs::path& workingFolder = {}) {
        std::ofstream(appFolder / "configuration.ini", std::ios::binary)
            << "[MAIN]\r\nLAST_DIRRECTORY=" << platform::WideToAnsi(mapFolder.wstring()) << "\r\n";
        process_.emplace(appFolder / L"Lumpwright.exe", arguments,
                         testsupport::ChildOptions{.workingFolder = workingFolder.empty() ? appFolder : workingFolder});
        // A message at start comes before the main window, which waits for its answer.
        WaitFor([this] { return MainWindowFound() || !NoMessageBox(); });
    }

    // Waits for the main window to show after a message at start has been answered.
    bool MainWindowFound() {
        if (main_) return true;
        if ((main_ = TopLevel(L"Lumpwright 1.0", L"")) == nullptr) return false;
        for (HWND child : ChildrenOf(main_)) {
            const std::wstring kind = ClassOf(child);
            if (_wcsicmp(kind.c_str(), L"ListBox") == 0) list_ = child;
            if (_wcsicmp(kind.c_str(), L"Edit") == 0 && (GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE))
                memo_ = child;
        }
        return true;
    }
    bool WaitForMainWindow() {
        return WaitFor([this] { return MainWindowFound(); });
    }
    // What the screen shows at a point of the main window's client area.
    COLORREF ScreenPixel(int x, int y) const {
        POINT at{x, y};
        ClientToScreen(main_, &at);
        HDC screen = GetDC(nullptr);
        const COLORREF pixel = GetPixel(screen, at.x, at.y);
        ReleaseDC(nullptr, screen);
        return pixel;
    }

    ~RunningApp() {
        if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
        // Edits left by a test are thrown away: No at the question closing asks. A program that
        // does not end is ended with the process object.
        WaitFor(
            [&] {
                if (HWND box = TopLevel(L"", L"#32770")) PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
                return Ended();
            },
            20s);
    }

    // As the close box or Alt+F4 do.
    void Close() const { PostMessageW(main_, WM_CLOSE, 0, 0); }
    bool Ended() const { return process_->WaitFor(0ms).has_value(); }
    // A message sent to the main window is served once the program is back in its message
    // loop: whatever the last answer set going has then run.
    bool BackInItsLoop() const { return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr) != 0; }
    bool WindowShown() const { return IsWindow(main_) && IsWindowVisible(main_); }
    std::pair<int, int> Selection() const {
        DWORD start = 0, end = 0;
        SendMessageW(memo_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    // Keys as the user presses them, to the window with the keyboard focus: `modifier` (or 0)
    // held while `key` goes down and up.
    void Chord(WORD modifier, WORD key) const {
        SetForegroundWindow(main_);
        WaitFor([&] { return GetForegroundWindow() == main_; }, 5s);
        std::vector<INPUT> inputs;
        const auto Key = [&](WORD code, bool up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        };
        if (modifier) Key(modifier, false);
        Key(key, false);
        Key(key, true);
        if (modifier) Key(modifier, true);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    // The find dialog: search for `text` with its find-next button.
    bool FindWithDialog(const std::wstring& text) const {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = TopLevel(L"", L"#32770")) != nullptr; }, 10s)) return false;
        HWND edit = nullptr;
        for (HWND child : ChildrenOf(dialog)) {
            if (!edit && _wcsicmp(ClassOf(child).c_str(), L"Edit") == 0) edit = child;
        }
        if (!edit) return false;
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return true;
    }
    void CloseFindDialog() const {
        if (HWND dialog = TopLevel(L"", L"#32770")) {
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        }
        WaitFor([&] { return NoMessageBox(); }, 5s);
    }

    // The user goes to another program and comes back.
    void ComeBack() const {
        HWND elsewhere = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                         nullptr, nullptr, nullptr);
        // Asked again until it holds: a request from another process may be turned down.
        const auto Activate = [](HWND window) {
            return WaitFor([&] { return SetForegroundWindow(window) && GetForegroundWindow() == window; }, 5s);
        };
        EXPECT_TRUE(Activate(elsewhere));
        EXPECT_TRUE(Activate(main_));
        DestroyWindow(elsewhere);
    }
    // Moves the caret by a message queued behind everything posted to the program so far.
    void PostCaretTo(int at) const { PostMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(at), at); }
    // Where line `line` (from 1) of the memo starts.
    int LineStart(int line) const {
        return static_cast<int>(SendMessageW(memo_, EM_LINEINDEX, static_cast<WPARAM>(line - 1), 0));
    }

    bool Ready() const { return main_ && list_ && memo_; }
    bool InFront() const { return GetForegroundWindow() == main_; }
    std::wstring SelectedEntry() const {
        const auto index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
        if (index < 0) return L"";
        std::wstring entry(static_cast<size_t>(SendMessageW(list_, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
        entry.resize(
            static_cast<size_t>(SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry.data()))));
        return entry;
    }
    bool Listed(int count) const {
        return WaitFor([&] { return SendMessageW(list_, LB_GETCOUNT, 0, 0) == count; });
    }
    std::wstring Memo() const { return TextOf(memo_); }
    int Selected() const { return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)); }

    // As a user's click: the selection moves, then the list tells its parent.
    void Select(const std::wstring& entry) const {
        SendMessageW(list_, LB_SETCURSEL, IndexOf(entry), 0);
        PostSelectionNotice();
    }
    // As a click the program has not served yet: the selection moves only once the program
    // reaches it in its queue, then the list tells its parent.
    void QueueSelection(const std::wstring& entry) const {
        PostMessageW(list_, LB_SETCURSEL, IndexOf(entry), 0);
        PostSelectionNotice();
    }
    // Selects the entry as a user would and answers whether its entity text appeared.
    bool Opened(const std::wstring& entry) const {
        Select(entry);
        return WaitFor([&] { return !Memo().empty(); });
    }
    void Type(int at, const std::wstring& text) const {
        SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(at), at);
        SendMessageW(memo_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Delete(int at, int count) const {
        SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(at), at + count);
        SendMessageW(memo_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    }
    void Press(const std::wstring& caption) const {
        for (HWND child : ChildrenOf(main_)) {
            if (TextOf(child) == caption) {
                PostMessageW(child, BM_CLICK, 0, 0);
                return;
            }
        }
        ADD_FAILURE() << "no button " << platform::WideToUtf8(caption);
    }

    // The text of the message box the program shows next, answered with `button`.
    std::string Answer(int button) const {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = TopLevel(L"", L"#32770")) != nullptr; })) return "(no message box)";
        std::wstring text;
        WaitFor(
            [&] {
                for (HWND child : ChildrenOf(box)) {
                    if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0 && !TextOf(child).empty())
                        text = TextOf(child);
                }
                return !text.empty();
            },
            5s);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
        return platform::WideToUtf8(text);
    }
    bool NoMessageBox() const { return TopLevel(L"", L"#32770") == nullptr; }

private:
    WPARAM IndexOf(const std::wstring& entry) const {
        const auto index =
            SendMessageW(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
        EXPECT_GE(index, 0) << platform::WideToUtf8(entry) << " is not listed";
        return static_cast<WPARAM>(index);
    }
    void PostSelectionNotice() const {
        PostMessageW(GetParent(list_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list_), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list_));
    }
    // A visible top-level window of the program with this caption or class.
    HWND TopLevel(const std::wstring& caption, const std::wstring& kind) const {
        struct Search {
            DWORD process;
            std::wstring caption, kind;
            HWND found = nullptr;
        } search{process_->Id(), caption, kind};
        EnumWindows(
            [](HWND window, LPARAM data) {
                auto& s = *reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s.process || !(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE)) return TRUE;
                if ((!s.caption.empty() && TextOf(window) == s.caption) ||
                    (!s.kind.empty() && _wcsicmp(ClassOf(window).c_str(), s.kind.c_str()) == 0)) {
                    s.found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    mutable std::optional<testsupport::ChildProcess> process_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND memo_ = nullptr;
};

const char* const kMaps[] = {"fy_mini.bsp", "aim_grenade.bsp", "he_tennis2.bsp"};

struct EntityEndToEnd : ::testing::Test {
    void SetUp() override {
        for (const char* map : kMaps) {
            // The test maps may be read-only; a user's copies are not.
            fs::copy_file(source / map, maps / map);
            fs::permissions(maps / map, fs::perms::owner_write, fs::perm_options::add);
        }
        fs::copy_file(bin / L"Lumpwright.exe", app / L"Lumpwright.exe");
        SetToolDouble(L"");
    }
    void TearDown() override {
        SetToolDouble(L"");
        SetToolTally(L"");
    }
    // Puts the real ripent.exe beside the program copy in place of the tool double.
    void UseTheRealTool() const { fs::copy_file(bin / L"ripent.exe", app / L"ripent.exe"); }

    fs::path Ent(const char* map) const { return maps / (fs::path(map).stem().wstring() + L".ent"); }
    std::wstring Shown(const std::string& entBytes) const { return platform::AnsiToWide(WithCrLfLineBreaks(entBytes)); }
    std::string Original(const char* map) const { return ReadFileBytes(source / map); }
    // The entity text the real tool finds in the map now.
    std::string ExportedNow(const char* map) const {
        testsupport::ChildProcess ripent(bin / L"ripent.exe",
                                         {"-export", "texdata", "1", platform::WideToUtf8(Ent(map).wstring())},
                                         {.workingFolder = maps});
        ripent.WaitFor(30s);
        return ReadFileBytes(Ent(map));
    }

    TempFolder folder;
    fs::path bin = fs::path(ThisExecutable()).parent_path();
    fs::path source = testsupport::RealMapFolders().front();  // the project's own
    fs::path app = folder.AddFolder(L"app");
    fs::path maps = folder.AddFolder(L"my maps");
};

constexpr int kOk = IDOK;
const std::string kSaved = "Изменения сохранены!";
const std::string kSaveFailed = "Не удалось сохранить изменения!";
const std::string kExportFailed = "Не удалось извлечь информацию entity!";
const std::string kQuestion = "Сохранить изменения?";
// A key and a value with letters of the code page, inserted after the worldspawn's brace.
const std::wstring kInserted = L"\"lw_note\" \"Карта\"\r\n";
const std::string kMapChanged = "Карта изменилась на диске после загрузки текста. Записать ваш текст в новую карту?";
const std::string kInsertedBytes = "\"lw_note\" \"\xCA\xE0\xF0\xF2\xE0\"";

TEST_F(EntityEndToEnd, ASkinFileThatCannotBeReadAtStartIsNamedAndTheStoredSkinComesUpWhole) {
    folder.AddFolder(L"app\\Skins");
    const fs::path broken = folder.AddFile(L"app\\Skins\\000 (internal).gwz", "not a packed skin");
    RunningApp lumpwright(app, maps);
    const std::string text = lumpwright.Answer(kOk);
    EXPECT_EQ(text.rfind("Loaded data is not packed Gildpack file\n", 0), 0u) << text;
    EXPECT_NE(text.find(platform::WideToUtf8(broken.wstring())), std::string::npos) << text;
    ASSERT_TRUE(lumpwright.WaitForMainWindow());
    ASSERT_TRUE(lumpwright.BackInItsLoop());
    // The upper panel's face, away from every control: the stored dark skin's, not the system's.
    EXPECT_TRUE(WaitFor([&] { return lumpwright.ScreenPixel(288, 150) == RGB(47, 47, 47); }, 5s))
        << std::hex << lumpwright.ScreenPixel(288, 150);
    EXPECT_TRUE(lumpwright.NoMessageBox());
}

TEST_F(EntityEndToEnd, EditSaveRevertAndCancelWithTheRealTool) {
    UseTheRealTool();
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(3));

    // Selecting a map shows its entity text; the .ent stays beside it.
    ASSERT_TRUE(lumpwright.Opened(L"fy_mini.bsp")) << "no entity text appeared";
    ASSERT_TRUE(fs::exists(Ent("fy_mini.bsp")));
    const std::string exported = ReadFileBytes(Ent("fy_mini.bsp"));
    EXPECT_EQ(lumpwright.Memo(), Shown(exported));

    // An edit saved goes into the map.
    lumpwright.Type(3, kInserted);
    lumpwright.Press(L"Сохранить изменения");
    EXPECT_EQ(lumpwright.Answer(kOk), kSaved);
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Memo().empty(); }));
    EXPECT_FALSE(fs::exists(Ent("fy_mini.bsp")));
    const std::string after = ExportedNow("fy_mini.bsp");
    EXPECT_NE(after.find(kInsertedBytes), std::string::npos) << "the map does not hold the edit";
    fs::remove(Ent("fy_mini.bsp"));

    // Right after a save another map loads without a question; revert throws edits away.
    ASSERT_TRUE(lumpwright.Opened(L"aim_grenade.bsp"));
    EXPECT_TRUE(lumpwright.NoMessageBox());
    const std::wstring loaded = lumpwright.Memo();
    lumpwright.Type(3, kInserted);
    lumpwright.Press(L"Отменить все изменения");
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Memo() == loaded; }));

    // Cancel at the question keeps the edits and the selection on the edited map.
    lumpwright.Type(3, kInserted);
    const int edited = lumpwright.Selected();
    lumpwright.Select(L"he_tennis2.bsp");
    EXPECT_EQ(lumpwright.Answer(IDCANCEL), kQuestion);
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Selected() == edited; }));
    EXPECT_EQ(lumpwright.Memo(), loaded.substr(0, 3) + kInserted + loaded.substr(3));
    EXPECT_FALSE(fs::exists(Ent("he_tennis2.bsp"))) << "Cancel ran an export";
    EXPECT_EQ(ReadFileBytes(maps / "aim_grenade.bsp"), Original("aim_grenade.bsp"));
}

TEST_F(EntityEndToEnd, ToolFailuresShowTheirMessageAndLoseNothing) {
    // The tool double stands in for ripent.exe; it does what the behaviour file says.
    fs::copy_file(ThisExecutable(), app / L"ripent.exe");
    const fs::path behaviour = folder.Path() / L"behaviour.txt";
    const auto Behave = [&](const std::wstring& what) {
        std::ofstream(behaviour, std::ios::binary) << platform::WideToUtf8(what);
    };
    Behave(L"real:" + (bin / L"ripent.exe").wstring());
    SetToolDouble(L"@" + behaviour.wstring());
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(3));

    ASSERT_TRUE(lumpwright.Opened(L"fy_mini.bsp"));
    lumpwright.Type(3, kInserted);
    const std::wstring edited = lumpwright.Memo();

    // An import that crashes: the edits, the .ent with them and the map all stay.
    Behave(L"exit:0xC0000005");
    lumpwright.Press(L"Сохранить изменения");
    EXPECT_EQ(lumpwright.Answer(kOk), kSaveFailed + "\nripent.exe завершился с кодом 0xC0000005.");
    EXPECT_EQ(lumpwright.Memo(), edited);
    EXPECT_EQ(platform::AnsiToWide(ReadFileBytes(Ent("fy_mini.bsp"))), edited);
    EXPECT_EQ(ReadFileBytes(maps / "fy_mini.bsp"), Original("fy_mini.bsp"));

    // An export that ends well but writes nothing, after No at the question: the edits were
    // given up, so the memo shows nothing and the next selection asks nothing.
    Behave(L"exit:0");
    lumpwright.Select(L"aim_grenade.bsp");
    EXPECT_EQ(lumpwright.Answer(IDNO), kQuestion);
    EXPECT_EQ(lumpwright.Answer(kOk), kExportFailed + "\nripent.exe не создал файл «aim_grenade.ent».");
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Memo().empty(); }));

    // A slow tool is waited for: its output is what loads.
    Behave(L"sleep:1500");
    lumpwright.Select(L"he_tennis2.bsp");
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Memo() == L"slept"; }));
    EXPECT_TRUE(lumpwright.NoMessageBox()) << lumpwright.Answer(kOk);
}

TEST_F(EntityEndToEnd, ClosingWithEditsAsksCancelKeepsEverythingNoAndYesClose) {
    UseTheRealTool();
    const fs::path configuration = app / "configuration.ini";
    {
        RunningApp lumpwright(app, maps);
        ASSERT_TRUE(lumpwright.Ready());
        ASSERT_TRUE(lumpwright.Listed(3));
        ASSERT_TRUE(lumpwright.Opened(L"fy_mini.bsp"));
        lumpwright.Type(3, kInserted);
        const std::wstring edited = lumpwright.Memo();
        const std::string configured = ReadFileBytes(configuration);

        // Cancel: the window, the text and the configuration stay as they were.
        lumpwright.Close();
        EXPECT_EQ(lumpwright.Answer(IDCANCEL), kQuestion);
        EXPECT_TRUE(lumpwright.BackInItsLoop());
        EXPECT_FALSE(lumpwright.Ended());
        EXPECT_TRUE(lumpwright.WindowShown());
        EXPECT_EQ(lumpwright.Memo(), edited);
        EXPECT_EQ(ReadFileBytes(configuration), configured);

        // No: the program ends and the map keeps its text.
        lumpwright.Close();
        EXPECT_EQ(lumpwright.Answer(IDNO), kQuestion);
        EXPECT_TRUE(WaitFor([&] { return lumpwright.Ended(); }));
        EXPECT_EQ(ReadFileBytes(maps / "fy_mini.bsp"), Original("fy_mini.bsp"));
    }
    {
        // Yes: the edits go into the map, then the program ends.
        RunningApp lumpwright(app, maps);
        ASSERT_TRUE(lumpwright.Ready());
        ASSERT_TRUE(lumpwright.Listed(3));
        fs::remove(Ent("fy_mini.bsp"));
        ASSERT_TRUE(lumpwright.Opened(L"fy_mini.bsp"));
        lumpwright.Type(3, kInserted);
        const std::string edited = platform::WideToAnsi(lumpwright.Memo());
        lumpwright.Close();
        EXPECT_EQ(lumpwright.Answer(IDYES), kQuestion);
        EXPECT_EQ(lumpwright.Answer(kOk), kSaved);
        EXPECT_TRUE(WaitFor([&] { return lumpwright.Ended(); }));
        EXPECT_EQ(ExportedNow("fy_mini.bsp"), edited);
    }
}

TEST_F(EntityEndToEnd, TextTheToolRefusesShowsItsReasonAndTheCaretLandsOnItsLine) {
    UseTheRealTool();
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(3));
    ASSERT_TRUE(lumpwright.Opened(L"aim_grenade.bsp"));

    // A brace opened at the start of the third line, inside the first entity.
    const std::wstring loaded = lumpwright.Memo();
    const int third = static_cast<int>(loaded.find(L'\n', loaded.find(L'\n') + 1) + 1);
    lumpwright.Type(third, L"{\r\n");
    const std::wstring edited = lumpwright.Memo();
    lumpwright.Press(L"Сохранить изменения");
    const std::string message = lumpwright.Answer(kOk);
    EXPECT_TRUE(message.starts_with(kSaveFailed + "\nripent: ")) << message;
    EXPECT_NE(message.find("aim_grenade.ent:3: unbalanced braces: '{' inside an entity"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.rfind('\n')) << "one line of reason";

    EXPECT_TRUE(WaitFor(
        [&] {
            return lumpwright.Selection() == std::pair{third, third};
        },
        5s))
        << lumpwright.Selection().first << " instead of " << third;
    EXPECT_EQ(lumpwright.Memo(), edited);
    EXPECT_EQ(ReadFileBytes(maps / "aim_grenade.bsp"), Original("aim_grenade.bsp"));
}

TEST_F(EntityEndToEnd, F3FindsTheNextOccurrenceAndCtrlSSavesWithoutTypingAnything) {
    UseTheRealTool();
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(3));
    ASSERT_TRUE(lumpwright.Opened(L"he_tennis2.bsp"));
    const std::wstring text = lumpwright.Memo();
    const int first = static_cast<int>(text.find(L"classname"));
    const int second = static_cast<int>(text.find(L"classname", static_cast<size_t>(first) + 9));
    ASSERT_GT(second, first);

    // Ctrl+F opens the dialog; one find there, then F3 alone goes on.
    lumpwright.Chord(VK_CONTROL, 'F');
    ASSERT_TRUE(lumpwright.FindWithDialog(L"classname"));
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Selection() == std::pair{first, first + 9}; }, 5s));
    lumpwright.Chord(0, VK_F3);
    EXPECT_TRUE(WaitFor(
        [&] {
            return lumpwright.Selection() == std::pair{second, second + 9};
        },
        5s))
        << lumpwright.Selection().first << " instead of " << second;

    lumpwright.CloseFindDialog();

    // Ctrl+S saves the edited map; neither it nor Ctrl+A typed a character.
    lumpwright.Type(3, kInserted);
    lumpwright.Chord(VK_CONTROL, 'A');
    EXPECT_TRUE(WaitFor(
        [&] {
            return lumpwright.Selection() == std::pair{0, static_cast<int>(lumpwright.Memo().size())};
        },
        5s));
    const std::string edited = platform::WideToAnsi(lumpwright.Memo());
    lumpwright.Chord(VK_CONTROL, 'S');
    EXPECT_EQ(lumpwright.Answer(kOk), kSaved);
    // The program deletes the .ent once the message is closed; the export below writes it anew.
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(Ent("he_tennis2.bsp")); }));
    EXPECT_EQ(ExportedNow("he_tennis2.bsp"), edited);
}

TEST_F(EntityEndToEnd, TheEntityFileLeadsTheToolBackToTheSelectedMapOnly) {
    UseTheRealTool();
    // Cutting the first ".bsp" out of "de.bspx.bsp" would name "dex.bsp"'s entity file.
    fs::copy_file(maps / "fy_mini.bsp", maps / "de.bspx.bsp");
    fs::copy_file(maps / "aim_grenade.bsp", maps / "dex.bsp");
    const std::string neighbour = ReadFileBytes(maps / "dex.bsp");
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(5));

    ASSERT_TRUE(lumpwright.Opened(L"de.bspx.bsp"));
    EXPECT_EQ(platform::WideToAnsi(lumpwright.Memo()), ExportedNow("fy_mini.bsp"));
    lumpwright.Type(3, kInserted);
    const std::string edited = platform::WideToAnsi(lumpwright.Memo());
    lumpwright.Press(L"Сохранить изменения");
    EXPECT_EQ(lumpwright.Answer(kOk), kSaved);
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(Ent("de.bspx.bsp")); }));

    EXPECT_EQ(ExportedNow("de.bspx.bsp"), edited);
    EXPECT_TRUE(ReadFileBytes(maps / "dex.bsp") == neighbour) << "dex.bsp changed";
}

TEST_F(EntityEndToEnd, AFailedExportSaysWhyAndAnEditGivenUpIsNeverSaved) {
    UseTheRealTool();
    std::ofstream(maps / "broken.bsp", std::ios::binary).flush();  // 0 bytes: no map at all
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(4));
    ASSERT_TRUE(lumpwright.Opened(L"fy_mini.bsp"));
    lumpwright.Type(3, kInserted);

    // No at the question gives the edit up; the export of the broken map then fails with the
    // tool's reason, and the memo shows nothing rather than the refused edit.
    lumpwright.Select(L"broken.bsp");
    const int broken = lumpwright.Selected();
    EXPECT_EQ(lumpwright.Answer(IDNO), kQuestion);
    const std::string message = lumpwright.Answer(kOk);
    EXPECT_TRUE(message.starts_with(kExportFailed + "\nripent: ")) << message;
    EXPECT_NE(message.find("broken.bsp"), std::string::npos) << message;
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Memo().empty(); }));
    EXPECT_EQ(lumpwright.Selected(), broken);

    // Save now has nothing to write; another map loads without a question.
    lumpwright.Press(L"Сохранить изменения");
    ASSERT_TRUE(lumpwright.Opened(L"aim_grenade.bsp"));
    EXPECT_TRUE(lumpwright.NoMessageBox());
    EXPECT_EQ(ReadFileBytes(maps / "fy_mini.bsp"), Original("fy_mini.bsp"));

    // With a map's text kept, a failed export puts the list back on that map.
    const int grenade = lumpwright.Selected();
    lumpwright.Select(L"broken.bsp");
    EXPECT_TRUE(lumpwright.Answer(kOk).starts_with(kExportFailed + "\nripent: "));
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Selected() == grenade; }));
    EXPECT_EQ(platform::WideToAnsi(lumpwright.Memo()), WithCrLfLineBreaks(ExportedNow("aim_grenade.bsp")));
}

TEST_F(EntityEndToEnd, AValueWithoutItsClosingQuoteIsReportedWhereTheQuoteOpened) {
    UseTheRealTool();
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(3));
    ASSERT_TRUE(lumpwright.Opened(L"aim_grenade.bsp"));

    // Line 4 is a key and a value; its last quote goes.
    const int fourth = lumpwright.LineStart(4);
    const std::wstring loaded = lumpwright.Memo();
    const size_t lineEnd = loaded.find(L"\r\n", static_cast<size_t>(fourth));
    ASSERT_EQ(loaded[lineEnd - 1], L'"') << platform::WideToUtf8(loaded.substr(static_cast<size_t>(fourth), 40));
    lumpwright.Delete(static_cast<int>(lineEnd - 1), 1);
    lumpwright.Press(L"Сохранить изменения");
    const std::string message = lumpwright.Answer(kOk);
    EXPECT_NE(message.find("aim_grenade.ent:4: "), std::string::npos) << message;
    EXPECT_TRUE(WaitFor(
        [&] {
            return lumpwright.Selection() == std::pair{fourth, fourth};
        },
        5s))
        << lumpwright.Selection().first << " instead of " << fourth;
    EXPECT_EQ(ReadFileBytes(maps / "aim_grenade.bsp"), Original("aim_grenade.bsp"));
}

TEST_F(EntityEndToEnd, AMapRebuiltOnDiskIsNeverOverwrittenWithTheOldTextUnasked) {
    UseTheRealTool();
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(3));
    const auto Rebuild = [&](const char* from) {
        fs::copy_file(source / from, maps / "fy_mini.bsp", fs::copy_options::overwrite_existing);
        fs::permissions(maps / "fy_mini.bsp", fs::perms::owner_write, fs::perm_options::add);
        return ReadFileBytes(maps / "fy_mini.bsp");
    };

    // Cancel writes nothing and keeps the edits.
    ASSERT_TRUE(lumpwright.Opened(L"fy_mini.bsp"));
    lumpwright.Type(3, kInserted);
    const std::wstring edited = lumpwright.Memo();
    const std::string rebuilt = Rebuild("aim_grenade.bsp");
    lumpwright.Press(L"Сохранить изменения");
    EXPECT_EQ(lumpwright.Answer(IDCANCEL), kMapChanged);
    EXPECT_EQ(lumpwright.Memo(), edited);
    EXPECT_TRUE(ReadFileBytes(maps / "fy_mini.bsp") == rebuilt);

    // No drops the edits and shows the new map's text; the map stays as rebuilt.
    lumpwright.Press(L"Сохранить изменения");
    EXPECT_EQ(lumpwright.Answer(IDNO), kMapChanged);
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Memo() == Shown(ReadFileBytes(Ent("fy_mini.bsp"))); }));
    EXPECT_EQ(platform::WideToAnsi(lumpwright.Memo()), WithCrLfLineBreaks(ExportedNow("aim_grenade.bsp")));
    EXPECT_TRUE(ReadFileBytes(maps / "fy_mini.bsp") == rebuilt);

    // Unmodified text follows a rebuild when the user comes back to the window.
    const std::string again = Rebuild("he_tennis2.bsp");
    const std::string againText = WithCrLfLineBreaks(ExportedNow("he_tennis2.bsp"));
    lumpwright.ComeBack();
    EXPECT_TRUE(WaitFor([&] { return platform::WideToAnsi(lumpwright.Memo()) == againText; }))
        << "the new map's text was not loaded";
    EXPECT_TRUE(lumpwright.NoMessageBox());
    EXPECT_TRUE(ReadFileBytes(maps / "fy_mini.bsp") == again);

    // Yes writes the edits into the map as it is now.
    lumpwright.Type(3, kInserted);
    const std::string text = platform::WideToAnsi(lumpwright.Memo());
    Rebuild("fy_mini.bsp");
    lumpwright.Press(L"Сохранить изменения");
    EXPECT_EQ(lumpwright.Answer(IDYES), kMapChanged);
    EXPECT_EQ(lumpwright.Answer(kOk), kSaved);
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(Ent("fy_mini.bsp")); }));
    EXPECT_EQ(ExportedNow("fy_mini.bsp"), text);
}

TEST_F(EntityEndToEnd, ABurstOfSelectionsWhileAnExportRunsExportsOnlyTheLastOnceItEnds) {
    fs::copy_file(ThisExecutable(), app / L"ripent.exe");
    // The first export holds the program long enough for the whole burst to queue behind it;
    // the ones after it are the real tool's.
    const fs::path behaviour = folder.AddFile(L"behaviour.txt", "sleep:1500");
    SetToolDouble(L"@" + behaviour.wstring());
    const fs::path tally = folder.Path() / L"tally.txt";
    SetToolTally(tally.wstring());
    RunningApp lumpwright(app, maps);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(3));
    const auto Runs = [&] {
        return std::count(std::istreambuf_iterator<char>(std::ifstream(tally).rdbuf()), {}, '\n');
    };
    // Ending on another map than the one whose export runs.
    const int burst = 90;
    const char* lastMap = kMaps[(burst - 1) % 3];
    ASSERT_NE(lastMap, kMaps[0]);
    const std::string lastText = WithCrLfLineBreaks(ExportedNow(lastMap));
    fs::remove(Ent(lastMap));

    lumpwright.Select(platform::Utf8ToWide(kMaps[0]));
    ASSERT_TRUE(WaitFor([&] { return Runs() == 1; }));
    std::ofstream(behaviour, std::ios::binary) << platform::WideToUtf8(L"real:" + (bin / L"ripent.exe").wstring());
    for (int i = 0; i < burst; ++i) lumpwright.QueueSelection(platform::Utf8ToWide(kMaps[i % 3]));
    EXPECT_TRUE(WaitFor([&] { return platform::WideToAnsi(lumpwright.Memo()) == lastText; }, 120s));
    // Behind whatever selections are still queued: once it is handled, so are they.
    lumpwright.PostCaretTo(7);
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Selection() == std::pair{7, 7}; }, 120s));
    EXPECT_EQ(platform::WideToAnsi(lumpwright.Memo()), lastText);
    EXPECT_EQ(lumpwright.SelectedEntry(), platform::Utf8ToWide(lastMap));
    EXPECT_EQ(Runs(), 2) << "the running export, then one for the last selection";
}

TEST_F(EntityEndToEnd, AMapNamedOnTheCommandLineOpensAndASecondStartHandsItsMapToTheRunningWindow) {
    UseTheRealTool();
    const fs::path elsewhere = folder.AddFolder(L"elsewhere");
    {
        // A path that is not there: the program says so once and starts as usual.
        RunningApp lumpwright(app, elsewhere, {"C:\\nowhere at all\\x.bsp"});
        EXPECT_EQ(lumpwright.Answer(kOk), "Файл не найден: C:\\nowhere at all\\x.bsp");
        EXPECT_TRUE(lumpwright.WindowShown());
        EXPECT_TRUE(lumpwright.NoMessageBox());
    }
    // Relative to the folder the program starts in, with a blank in it.
    RunningApp lumpwright(app, elsewhere, {"my maps\\fy_mini.bsp"}, folder.Path());
    ASSERT_TRUE(lumpwright.Ready());
    EXPECT_TRUE(WaitFor([&] { return lumpwright.SelectedEntry() == L"fy_mini.bsp"; }));
    EXPECT_TRUE(WaitFor([&] {
        return platform::WideToAnsi(lumpwright.Memo()) == WithCrLfLineBreaks(ReadFileBytes(Ent("fy_mini.bsp")));
    }));
    EXPECT_TRUE(lumpwright.Listed(3));

    // A second start with a map hands it over and ends; the running window shows that map.
    testsupport::ChildProcess second(
        app / L"Lumpwright.exe", {platform::WideToUtf8((maps / L"he_tennis2.bsp").wstring())}, {.workingFolder = app});
    EXPECT_EQ(second.WaitFor(60s), 0);
    EXPECT_TRUE(WaitFor([&] { return lumpwright.SelectedEntry() == L"he_tennis2.bsp"; }));
    EXPECT_TRUE(WaitFor([&] { return lumpwright.Memo() == Shown(ReadFileBytes(Ent("he_tennis2.bsp"))); }));
    EXPECT_TRUE(WaitFor([&] { return lumpwright.InFront(); }, 5s));
}

// Designers name maps in their own script: every name is listed as the system shows it and opens
// its own map, names the program's code page cannot hold included.
TEST_F(EntityEndToEnd, MapsNamedInAnyScriptAreListedAsTheSystemShowsThemAndOpenTheirOwnText) {
    UseTheRealTool();
    std::map<std::string, std::wstring> shown;
    for (const char* map : kMaps) shown[map] = Shown(ExportedNow(map));
    const std::pair<std::wstring, std::string> kNamed[] = {
        {L"plain.bsp", "fy_mini.bsp"},
        {L"\u043a\u0430\u0440\u0442\u0430.bsp", "aim_grenade.bsp"},
        {L"\u03b5\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac.bsp", "he_tennis2.bsp"},
        {L"\u5730\u56fe.bsp", "fy_mini.bsp"},
        {L"emoji\U0001F600.bsp", "aim_grenade.bsp"}};
    const fs::path named = folder.AddFolder(L"named");
    for (const auto& [name, map] : kNamed) fs::copy_file(source / map, named / name);

    RunningApp lumpwright(app, named);
    ASSERT_TRUE(lumpwright.Ready());
    ASSERT_TRUE(lumpwright.Listed(5));
    for (const auto& [name, map] : kNamed) {
        lumpwright.Select(name);
        EXPECT_TRUE(WaitFor([&] { return lumpwright.Memo() == shown[map]; })) << platform::WideToUtf8(name);
        EXPECT_EQ(lumpwright.SelectedEntry(), name);
        EXPECT_TRUE(lumpwright.NoMessageBox()) << platform::WideToUtf8(name);
    }
}

}  // namespace
}  // namespace lw::app::testing
