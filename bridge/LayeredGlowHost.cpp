#include "bridge/LayeredGlowHost.h"

#include "bridge/DibSection.h"

namespace lw::bridge {

namespace {

constexpr wchar_t kGlowClass[] = L"LwGlowWindow";

// Glows never take the mouse or the activation: clicks fall through to what lies beneath.
LRESULT CALLBACK GlowWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterGlowClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = GlowWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kGlowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

HWND Window(render::GlowWindow w) { return reinterpret_cast<HWND>(w); }

}  // namespace

render::GlowWindow LayeredGlowHost::CreateGlowWindow() {
    RegisterGlowClass();
    const HWND window =
        CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kGlowClass, L"",
                        WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return reinterpret_cast<render::GlowWindow>(window);
}

bool LayeredGlowHost::OwnerStaysOnTop(render::OwnerWindow owner) const {
    return (GetWindowLongPtrW(reinterpret_cast<HWND>(owner), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void LayeredGlowHost::SetStayOnTop(render::GlowWindow w) {
    SetWindowPos(Window(w), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void LayeredGlowHost::Place(render::GlowWindow w, const TRect& screen) {
    SetWindowPos(Window(w), nullptr, screen.Left, screen.Top, screen.Width(), screen.Height(),
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void LayeredGlowHost::SetContent(render::GlowWindow w, const render::Bitmap& image) {
    if (image.Empty() || image.Format() != render::PixelFormat::pf32bit) return;
    // The layered window composes premultiplied pixels.
    TsDibSection premultiplied(image.Width(), image.Height(), render::PixelFormat::pf32bit);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint8_t* s = image.Pixel(x, y);
            std::uint8_t* d = premultiplied.Bitmap().Pixel(x, y);
            const unsigned a = s[3];
            for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((s[c] * a + 127) / 255);
            d[3] = s[3];
        }
    RECT placed{};
    GetWindowRect(Window(w), &placed);
    POINT at{placed.left, placed.top}, from{0, 0};
    SIZE size{image.Width(), image.Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const HDC screen = GetDC(nullptr);
    UpdateLayeredWindow(Window(w), screen, &at, &size, premultiplied.Dc(), &from, 0, &blend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
}

void LayeredGlowHost::ShowWithoutActivation(render::GlowWindow w) { ShowWindow(Window(w), SW_SHOWNOACTIVATE); }

void LayeredGlowHost::DestroyGlowWindow(render::GlowWindow w) { DestroyWindow(Window(w)); }

render::TgwGlowEffects& ProcessGlows() {
    static LayeredGlowHost host;
    static render::TgwGlowEffects glows(host);
    return glows;
}

}  // namespace lw::bridge
