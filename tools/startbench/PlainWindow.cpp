// The start-up benchmark's peer: the main window's controls at the same places, made with the
// system's own classes and no skin, no toolkit and nothing else. What Lumpwright.exe costs
// beyond this is what its toolkit, skin and other windows add.

#include <windows.h>

namespace {

struct Child {
    const wchar_t* ClassName;
    const wchar_t* Text;
    DWORD Style;
    int Parent;  // index of the parent in the table, -1 for the window itself
    int Left, Top, Width, Height;
};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kFrame = WS_CLIPSIBLINGS;

// Same places as the main window's layout.
const Child kChildren[] = {
    {L"PlainPanel", L"", kFrame, -1, 0, 0, 593, 281},
    {L"BUTTON", L"Укажите каталог с картами:", BS_GROUPBOX, 0, 16, 16, 561, 57},
    {L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0, 24, 40, 545, 21},
    {L"BUTTON", L"", BS_PUSHBUTTON, 2, 527, 2, 16, 17},  // the folder field's own button
    {L"BUTTON", L"Карты в каталоге:", BS_GROUPBOX, 0, 16, 80, 265, 193},
    {L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, 0, 24, 96, 249, 169},
    {L"BUTTON", L"О программе", kButton, 0, 296, 216, 265, 25},
    {L"BUTTON", L"Выход", kButton, 0, 296, 248, 265, 25},
    {L"BUTTON", L"Отменить все изменения", kButton, 0, 296, 120, 265, 25},
    {L"BUTTON", L"Сохранить изменения", kButton, 0, 296, 88, 265, 25},
    {L"BUTTON", L"Настройки", kButton, 0, 296, 152, 265, 25},
    {L"BUTTON", L"Поиск в тексте", kButton, 0, 296, 184, 265, 25},
    {L"PlainPanel", L"", kFrame, -1, 0, 280, 593, 305},
    {L"EDIT", L"", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP, 12, 16, 16, 561,
     257},
    {L"STATIC", L"lumpwright.example.org", SS_LEFT, 12, 224, 280, 128, 13},
};

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW main{};
    main.cbSize = sizeof main;
    main.lpfnWndProc = MainProc;
    main.hInstance = instance;
    main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = L"PlainMain";
    RegisterClassExW(&main);
    WNDCLASSEXW panel = main;
    panel.lpfnWndProc = DefWindowProcW;
    panel.lpszClassName = L"PlainPanel";
    RegisterClassExW(&panel);

    RECT frame{0, 0, 593, 585};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // Centred on the screen, as the main window is.
    HWND window = CreateWindowExW(
        0, L"PlainMain", L"Lumpwright 1.0", style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND made[sizeof kChildren / sizeof kChildren[0]] = {};
    int i = 0;
    for (const Child& c : kChildren) {
        HWND parent = c.Parent < 0 ? window : made[c.Parent];
        made[i] =
            CreateWindowExW(0, c.ClassName, c.Text, WS_CHILD | WS_VISIBLE | c.Style, c.Left, c.Top, c.Width, c.Height,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance, nullptr);
        SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        ++i;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
