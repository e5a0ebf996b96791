// Opens Lumpwright.exe's windows one after another for scripts/gallery.sh. For each window that
// is ready to be seen it prints
//     shot <name> <left> <top> <width> <height>
// (the whole window on the screen: skinned windows paint their own title bar and border, as
// the window manager frames none of them) and goes on once the script answers with a line on
// its input.
// A new shot is one more step in a scene below, or one more row of kSecondaryWindows.
#include <windows.h>

#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tools/gallery/RunningProgram.h"

namespace lw::gallery {
namespace {

const std::wstring kMainCaption = L"Lumpwright 1.0";

struct Folders {
    std::wstring app;   // Lumpwright.exe with ripent.exe beside it
    std::wstring maps;  // copies of a few maps
};

class Camera {
public:
    // Waits until the window has stopped moving and has painted, then has the script cut it.
    // `with`, when given, is a second window shown over the first, such as a hint: the picture
    // holds both.
    void Shoot(const std::string& name, HWND window, HWND with = nullptr) {
        const auto Placement = [&] {
            RECT both = Camera::Placement(window);
            if (with != nullptr) {
                const RECT second = Camera::Placement(with);
                UnionRect(&both, &both, &second);
            }
            return both;
        };
        RECT placed = Placement();
        WaitFor(
            [&] {
                const RECT before = placed;
                std::this_thread::sleep_for(300ms);
                placed = Placement();
                return EqualRect(&before, &placed) != FALSE;
            },
            10s);
        // Painting follows once the program's queue is empty; give it that, twice.
        for (int round = 0; round < 2; ++round) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            std::this_thread::sleep_for(400ms);
        }
        placed = Placement();
        std::cout << "shot " << name << ' ' << placed.left << ' ' << placed.top << ' ' << placed.right - placed.left
                  << ' ' << placed.bottom - placed.top << std::endl;
        std::string answer;
        if (!std::getline(std::cin, answer)) throw std::runtime_error("the gallery script stopped answering");
    }

private:
    static RECT Placement(HWND window) {
        RECT placed{};
        GetWindowRect(window, &placed);
        return placed;
    }
};

// A window opened from a button of the main window and closed with one of its own.
struct SecondaryWindow {
    const char* shot;
    std::wstring opener, caption, closer;
};

const SecondaryWindow kSecondaryWindows[] = {
    {"about", L"О программе", L"О программе", L"Закрыть"},
    {"settings", L"Настройки", L"Настройки", L"Отмена"},
};

std::wstring ItemText(HWND list, int index) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND Button(HWND parent, const std::wstring& caption) {
    HWND button = ChildWithText(parent, caption);
    if (!button) throw std::runtime_error("a button is missing");
    return button;
}

// The folder of maps remembered, and `more` (further sections) after it.
void WriteConfiguration(const Folders& folders, const std::string& more = "") {
    const int size = WideCharToMultiByte(CP_ACP, 0, folders.maps.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string maps(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, folders.maps.c_str(), -1, maps.data(), size, nullptr, nullptr);
    maps.resize(maps.size() - 1);
    std::ofstream((folders.app + L"\\configuration.ini").c_str(), std::ios::binary)
        << "[MAIN]\r\nLAST_DIRRECTORY=" << maps << "\r\n"
        << more;
}

// The main window as a new user first sees it: no folder remembered yet; then with the pointer
// over the Settings button (its hot look and glow) and with that button held down.
void FirstStart(const Folders& folders, Camera& camera) {
    DeleteFileW((folders.app + L"\\configuration.ini").c_str());
    RunningProgram program(folders.app + L"\\Lumpwright.exe", folders.app);
    HWND main = program.TopLevel(kMainCaption);
    camera.Shoot("main-window", main);

    HWND button = Button(main, L"Настройки");
    RECT r{};
    GetWindowRect(button, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    camera.Shoot("button-hot", main);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    camera.Shoot("button-pressed", main);
    // Released away from the button: no click, so the Settings window stays closed.
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(-200, -200));
    SetCursorPos(0, 0);
}

// The standard dialog (a message box or the find dialog) the program shows next.
HWND StandardDialog() {
    HWND found = nullptr;
    if (!WaitFor([&] { return (found = FindWindowW(L"#32770", nullptr)) != nullptr && IsWindowVisible(found); }))
        throw std::runtime_error("no dialog appeared");
    return found;
}

void Answer(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

// The message boxes the program asks and reports with, and the find dialog.
void Dialogs(HWND main, HWND list, HWND memo, Camera& camera) {
    SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" "));
    Pick(list, 1);
    HWND ask = StandardDialog();
    camera.Shoot("box-save-changes", ask);
    Answer(ask, IDNO);

    SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" "));
    Press(Button(main, L"Сохранить изменения"));
    HWND saved = StandardDialog();
    camera.Shoot("box-changes-saved", saved);
    Answer(saved, IDOK);

    Press(Button(main, L"Поиск в тексте"));
    HWND find = StandardDialog();
    camera.Shoot("find-dialog", find);
    Answer(find, IDCANCEL);
}

// The visible pop-up menus, the first opened first.
std::vector<HWND> OpenMenus() {
    std::vector<HWND> menus;
    for (HWND w = FindWindowW(L"#32768", nullptr); w != nullptr; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w)) menus.insert(menus.begin(), w);
    return menus;
}

// The folder tree's context menu, opened from the keyboard below the selected folder, with the
// first of its sub-menus open: the keys go down the menu until an item opens one. (The shell's
// menu of a folder under Wine has none: the picture then shows the menu with an item selected.)
void TreeMenu(HWND picker, Camera& camera) {
    HWND tree = ChildOfClass(picker, L"SysTreeView32");
    if (!tree) throw std::runtime_error("the picker has no folder tree");
    PostMessageW(tree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), MAKELPARAM(-1, -1));
    if (!WaitFor([] { return OpenMenus().size() == 1; })) throw std::runtime_error("the tree shows no context menu");
    HWND menu = OpenMenus().front();
    const auto key = [&](WORD code) {
        PostMessageW(menu, WM_KEYDOWN, code, 0);
        PostMessageW(menu, WM_KEYUP, code, 0);
    };
    for (int item = 0; item < 12 && OpenMenus().size() < 2; ++item) {
        key(VK_DOWN);
        key(VK_RIGHT);
        WaitFor([] { return OpenMenus().size() >= 2; }, 200ms);
    }
    const std::vector<HWND> menus = OpenMenus();
    camera.Shoot("picker-tree-menu", picker, menus.back());
    for (std::size_t open = menus.size(); open > 0; --open) key(VK_ESCAPE);
    if (!WaitFor([] { return OpenMenus().empty(); })) throw std::runtime_error("the context menu stays open");
}

// A remembered folder of maps with the first map's entity text loaded; then each secondary
// window, opened from its button and closed again.
void WithMaps(const Folders& folders, Camera& camera) {
    WriteConfiguration(folders);
    RunningProgram program(folders.app + L"\\Lumpwright.exe", folders.app);
    HWND main = program.TopLevel(kMainCaption);
    HWND list = ChildOfClass(main, L"ListBox");
    HWND memo = ChildOfClass(main, L"Edit", ES_MULTILINE);
    if (!list || !memo) throw std::runtime_error("the main window has no map list or no text");
    if (!WaitFor([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) > 0; })) {
        throw std::runtime_error("no maps were listed");
    }
    Pick(list, 0);
    if (!WaitFor([&] { return !TextOf(memo).empty(); }, 60s)) throw std::runtime_error("no entity text was loaded");
    camera.Shoot("main-window-map", main);
    // The same text scrolled to its middle through the memo's own scroll requests, so that the
    // skinned bar shows its slider half way down.
    const LRESULT lines = SendMessageW(memo, EM_GETLINECOUNT, 0, 0);
    for (int page = 0; page < 1000 && SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0) < lines / 2; ++page) {
        SendMessageW(memo, WM_VSCROLL, SB_LINEDOWN, 0);
    }
    camera.Shoot("main-window-map-middle", main);
    Dialogs(main, list, memo, camera);

    // The folder picker, opened from the folder field's button on the remembered folder.
    HWND folderButton = FindChild(main, [](HWND child) {
        return _wcsicmp(ClassOf(child).c_str(), L"Button") == 0 &&
               _wcsicmp(ClassOf(GetParent(child)).c_str(), L"Edit") == 0;
    });
    if (!folderButton) throw std::runtime_error("the folder field has no button");
    // The pointer at rest on that button shows its hint.
    RECT button{};
    GetWindowRect(folderButton, &button);
    SetCursorPos(button.left + 2, button.top + 4);
    std::this_thread::sleep_for(100ms);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    HWND hint = nullptr;
    if (!WaitFor(
            [&] { return (hint = FindWindowW(L"tooltips_class32", nullptr)) != nullptr && IsWindowVisible(hint); }))
        throw std::runtime_error("the folder button shows no hint");
    camera.Shoot("hint", main, hint);
    SetCursorPos(0, 0);
    Press(folderButton);
    HWND picker = program.TopLevel(L"Select directory");
    camera.Shoot("picker", picker);
    TreeMenu(picker, camera);
    Press(Button(picker, L"Cancel"));
    program.WaitUntilHidden(picker);

    for (const SecondaryWindow& secondary : kSecondaryWindows) {
        Press(Button(main, secondary.opener));
        HWND window = program.TopLevel(secondary.caption);
        camera.Shoot(secondary.shot, window);
        Press(Button(window, secondary.closer));
        program.WaitUntilHidden(window);
    }

    // The script adds a cut-off map: loading it fails and the program reports the error.
    const LRESULT broken =
        SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"zz_broken"));
    if (broken == LB_ERR) throw std::runtime_error("the cut-off map is not listed");
    Pick(list, static_cast<int>(broken));
    HWND error = StandardDialog();
    camera.Shoot("box-error", error);
    Answer(error, IDOK);

    // A map compiled anew on disk while its edited text is open: saving asks first.
    Pick(list, 0);
    if (!WaitFor([&] { return !TextOf(memo).empty(); }, 60s)) throw std::runtime_error("no entity text was loaded");
    SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" "));
    const std::wstring first = folders.maps + L"\\" + ItemText(list, 0);
    if (!CopyFileW((folders.maps + L"\\" + ItemText(list, 1)).c_str(), first.c_str(), FALSE)) {
        throw std::runtime_error("the map could not be rewritten");
    }
    Press(Button(main, L"Сохранить изменения"));
    HWND changed = StandardDialog();
    camera.Shoot("box-map-changed", changed);
    Answer(changed, IDCANCEL);
}

// The other looks a user can keep: the light stored skin (the main window with its maps listed,
// and the Settings window), and the dark one turned by 120 degrees of hue.
void Looks(const Folders& folders, Camera& camera) {
    const auto listed = [](HWND main) {
        HWND list = ChildOfClass(main, L"ListBox");
        if (!list || !WaitFor([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) > 0; }))
            throw std::runtime_error("no maps were listed");
    };
    {
        WriteConfiguration(folders, "[SKIN]\r\nNAME=001 (internal, light)\r\n");
        RunningProgram program(folders.app + L"\\Lumpwright.exe", folders.app);
        HWND main = program.TopLevel(kMainCaption);
        listed(main);
        camera.Shoot("main-window-light", main);
        Press(Button(main, L"Настройки"));
        HWND settings = program.TopLevel(L"Настройки");
        camera.Shoot("settings-light", settings);
        Press(Button(settings, L"Отмена"));
        program.WaitUntilHidden(settings);
    }
    WriteConfiguration(folders, "[SKIN]\r\nHUE=120\r\n");
    RunningProgram program(folders.app + L"\\Lumpwright.exe", folders.app);
    HWND main = program.TopLevel(kMainCaption);
    listed(main);
    camera.Shoot("main-window-hue120", main);
}

std::wstring Wide(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    return wide;
}

}  // namespace
}  // namespace lw::gallery

int main(int argc, char** argv) {
    using namespace lw::gallery;
    if (argc != 3) {
        std::cerr << "usage: gallery_driver <folder of Lumpwright.exe and ripent.exe> <folder of maps>\n";
        return 2;
    }
    const Folders folders{Wide(argv[1]), Wide(argv[2])};
    try {
        Camera camera;
        FirstStart(folders, camera);
        WithMaps(folders, camera);
        Looks(folders, camera);
    } catch (const std::exception& error) {
        std::cerr << "gallery_driver: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
