#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/base/Panel.h"
#include "skin/SkinProtocol.h"
#include "controls/forms/FormSkinning.h"
#include "controls/forms/Provider.h"
#include "platform/Application.h"
#include "platform/Containers.h"
#include "platform/FindDialog.h"
#include "platform/Form.h"
#include "platform/Handles.h"
#include "platform/MessageHook.h"
#include "render/MaskPaint.h"
#include "render/Surface.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinManagerSetup.h"

namespace lw::controls {
namespace {

using testsupport::SilentPrompt;

// The default manager's form skinning, which the hook works for.
TFormSkinning& Skinning() {
    auto* skinning = dynamic_cast<TFormSkinning*>(bridge::DefaultSkinManager()->FormSkinning());
    EXPECT_NE(skinning, nullptr);
    return *skinning;
}

int ProvidersOf(HWND window) {
    const auto& list = Skinning().Providers();
    return static_cast<int>(std::count_if(list.begin(), list.end(), [&](const TgwProvider* p) {
        return p != nullptr && ((p->FormProvider && p->FormProvider->Window() == window) || p->DialogWindow == window);
    }));
}

const TgwProvider* DialogProvider(HWND window) {
    for (const TgwProvider* p : Skinning().Providers()) {
        if (p != nullptr && p->DialogWindow == window && p->DialogAdapter) return p;
    }
    return nullptr;
}

// The providers in existence: those the forms own, and the dialogs' ones, which only the form
// skinning holds.
int LivingProviders(std::initializer_list<const platform::TForm*> forms) {
    int living = 0;
    for (const platform::TForm* form : forms)
        for (const auto& component : form->Components())
            living += dynamic_cast<const TgwProvider*>(component.get()) != nullptr;
    if (bridge::DefaultSkinManager() != nullptr)
        for (const TgwProvider* p : Skinning().Providers()) living += p != nullptr && p->Owner() == nullptr;
    return living;
}

std::multiset<ChildAdapterKind> KindsOf(const TgwProvider& provider) {
    std::multiset<ChildAdapterKind> kinds;
    for (const auto& adapter : provider.ChildAdapters) kinds.insert(adapter->Kind());
    return kinds;
}

// The application's three windows, the first holding the default manager with the stored skin.
struct ThreeWindows : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TComponent owner{nullptr};
    platform::TForm* main = nullptr;
    platform::TForm* about = nullptr;
    platform::TForm* settings = nullptr;
    bridge::TsSkinManager* manager = nullptr;

    void SetUp() override {
        main = &owner.Make<platform::TForm>();
        manager = &testsupport::MakeSkinManager(*main, testsupport::StoredSkinBytes());
        EnableFormSkinning(*manager);
        about = &owner.Make<platform::TForm>();
        settings = &owner.Make<platform::TForm>();
        for (platform::TForm* form : {main, about, settings}) {
            form->SetBounds({0, 0, 320, 200});
            form->SetText("window");
        }
        main->FinishLoading();
        ASSERT_TRUE(Skinning().HookInstalled());
    }
    int Living() const { return LivingProviders({main, about, settings}); }
    void ShowAll() {
        for (platform::TForm* form : {main, about, settings}) {
            form->Show();
            testsupport::PumpFor(std::chrono::milliseconds(50));
        }
    }
};

// A layout gives either a window's outer size or its client area's; the skin's frame, thicker
// than the platform's, keeps whichever was given, taken and given back.
TEST_F(ThreeWindows, OurFrameKeepsTheSizeTheLayoutGaveOuterOrClient) {
    about->SetOuterSize(319, 397);
    settings->SetClientSize(481, 121);
    const auto Outer = [](const platform::TForm* form) {
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    for (bool skinned : {true, false}) {
        if (skinned)
            ShowAll();
        else
            manager->SetActive(false);
        ASSERT_EQ(IsWindowSkinned(about->Handle()), skinned);
        EXPECT_EQ(Outer(about).cx, 319) << "skinned " << skinned;
        EXPECT_EQ(Outer(about).cy, 397) << "skinned " << skinned;
        EXPECT_EQ(settings->ClientSize().cx, 481) << "skinned " << skinned;
        EXPECT_EQ(settings->ClientSize().cy, 121) << "skinned " << skinned;
    }
}

// The hint window wears the skin's "HINT" section: its text in the section's font colour on the
// section's own background, the platform's frame and colours gone. So it does when it was made
// before the skin came.
TEST_F(ThreeWindows, AHintIsShownInTheSkinsHintSection) {
    ShowAll();  // the last one shown lies on top
    platform::TPanel& target = settings->Make<platform::TPanel>(settings);
    target.SetBounds({20, 20, 120, 40});
    target.SetHint("Выбрать каталог");
    HWND hint = nullptr;
    for (const char* made : {"after the skin", "before the skin"}) {
        if (made == std::string("before the skin")) {
            manager->SetActive(false);
            manager->SetActive(true);
        }
        POINT at{80, 40};
        ClientToScreen(settings->Handle(), &at);
        SetCursorPos(at.x - 3, at.y);
        testsupport::PumpFor(std::chrono::milliseconds(50));
        SetCursorPos(at.x, at.y);
        ASSERT_TRUE(testsupport::PumpUntil([&] {
            hint = application.Hints().Window();  // made when the pointer first comes over a tool
            return hint != nullptr && IsWindowVisible(hint) != FALSE;
        })) << made;
        EXPECT_EQ(GetWindowLongW(hint, GWL_STYLE) & WS_BORDER, 0) << made;

        RECT client{};
        GetClientRect(hint, &client);
        HDC screen = GetDC(hint);
        platform::MemoryDc copy(CreateCompatibleDC(screen));
        platform::BitmapHandle bitmap(CreateCompatibleBitmap(screen, client.right, client.bottom));
        ReleaseDC(hint, screen);
        const render::SectionPaint* look = manager->Section(manager->GetSkinIndex("HINT"));
        ASSERT_NE(look, nullptr);
        const COLORREF ink = look->FontColor[0] & 0xFFFFFF;
        int inked = 0, platformBackground = 0;
        {
            platform::SelectObjectScope selected(copy.get(), bitmap.get());
            SendMessageW(hint, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(copy.get()), PRF_CLIENT);
            for (int y = 0; y < client.bottom; ++y) {
                for (int x = 0; x < client.right; ++x) {
                    const COLORREF pixel = GetPixel(copy.get(), x, y);
                    inked += pixel == ink;
                    platformBackground += pixel == GetSysColor(COLOR_INFOBK);
                }
            }
        }
        EXPECT_GT(inked, 20) << "the text in the section's font colour, made " << made;
        EXPECT_EQ(platformBackground, 0) << made;
        SetCursorPos(10, 700);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(hint) == FALSE; })) << made;
    }
}

TEST_F(ThreeWindows, EachGetsOneProviderAtFirstActivationAndNoSecond) {
    ShowAll();
    ShowAll();  // activated again
    for (platform::TForm* form : {main, about, settings}) {
        EXPECT_EQ(ProvidersOf(form->Handle()), 1);
        EXPECT_TRUE(IsWindowSkinned(form->Handle()));
        // The frame is ours: the window manager is left nothing to decorate.
        EXPECT_EQ(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    }
    EXPECT_EQ(Living(), 3);
}

TEST_F(ThreeWindows, AFormTaggedAsHelperIsLeftAlone) {
    about->Tag = kNoAutoSkinTag;
    ShowAll();
    EXPECT_EQ(ProvidersOf(about->Handle()), 0);
    EXPECT_FALSE(IsWindowSkinned(about->Handle()));
    EXPECT_EQ(ProvidersOf(settings->Handle()), 1);
}

TEST_F(ThreeWindows, HitCodesAndTheCloseButton) {
    ShowAll();
    RECT placed{};
    GetWindowRect(about->Handle(), &placed);
    const FrameLayout layout = LayOutFrame(placed.right - placed.left, placed.bottom - placed.top,
                                           Skinning().Providers().back()->FormProvider->Frame().Metrics());
    ASSERT_EQ(Skinning().Providers().back()->FormProvider->Window(), settings->Handle());
    const auto hit = [&](HWND window, int x, int y) {
        RECT r{};
        GetWindowRect(window, &r);
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
    };
    const TRect close = layout.Close;
    ASSERT_FALSE(close.IsEmpty());
    EXPECT_EQ(hit(about->Handle(), layout.Title.Left + 20, layout.Title.Top + 5), HTCAPTION);
    EXPECT_EQ(hit(about->Handle(), close.Left + 2, close.Top + 2), HTCLOSE);
    EXPECT_EQ(hit(about->Handle(), 1, 100), HTBORDER);
    EXPECT_EQ(hit(about->Handle(), 100, layout.Client.Top + 10), HTCLIENT);

    // Pressed and released over the close button: the window closes.
    SendMessageW(about->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, 0);
    POINT at{placed.left + close.Left + 2, placed.top + close.Top + 2};
    ScreenToClient(about->Handle(), &at);
    SendMessageW(about->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(about->Handle()); }));
}

// Absolute mouse input at screen point `at`, as the input queue would get it from the device.
INPUT MouseAt(POINT at, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    return input;
}

TEST_F(ThreeWindows, DraggingTheTitleMovesTheWindow) {
    ShowAll();
    HWND window = settings->Handle();
    RECT before{};
    GetWindowRect(window, &before);
    const FrameLayout layout = LayOutFrame(before.right - before.left, before.bottom - before.top,
                                           Skinning().Providers().back()->FormProvider->Frame().Metrics());
    const POINT grab{before.left + layout.Title.Left + 30, before.top + layout.Title.Top + layout.Title.Height() / 2};
    ASSERT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(grab.x, grab.y)), HTCAPTION);

    INPUT drag[] = {MouseAt(grab, 0), MouseAt(grab, MOUSEEVENTF_LEFTDOWN), MouseAt({grab.x + 20, grab.y + 15}, 0),
                    MouseAt({grab.x + 60, grab.y + 40}, 0), MouseAt({grab.x + 60, grab.y + 40}, MOUSEEVENTF_LEFTUP)};
    ASSERT_EQ(SendInput(std::size(drag), drag, sizeof(INPUT)), std::size(drag));
    RECT after{};
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        GetWindowRect(window, &after);
        return after.left != before.left;
    }));
    testsupport::PumpFor(std::chrono::milliseconds(100));
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left - before.left, 60);
    EXPECT_EQ(after.top - before.top, 40);
    EXPECT_EQ(after.right - after.left, before.right - before.left);  // moved, not sized
}

// A form whose frame may be sized, as the folder picker's.
struct SizableForm : platform::TForm {
    explicit SizableForm(platform::TComponent* owner) : TForm(owner, Params()) {}
    static platform::TCreateParams Params() {
        platform::TCreateParams params = DefaultCreateParams();
        params.Style |= WS_THICKFRAME;
        return params;
    }
    // Set while the platform's sizing loop runs.
    HANDLE sizing = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~SizableForm() override { CloseHandle(sizing); }
    void WndProc(platform::TMessage& m) override {
        if (m.Msg == WM_ENTERSIZEMOVE) SetEvent(sizing);
        TForm::WndProc(m);
    }
};

// The client area as the form prints it.
std::unique_ptr<bridge::TsDibSection> PrintedClient(const platform::TForm& form) {
    const SIZE size = form.ClientSize();
    auto dib = std::make_unique<bridge::TsDibSection>(size.cx, size.cy, render::PixelFormat::pf24bit);
    SendMessageW(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib->Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    return dib;
}

// In the skin's frame a window that may be sized keeps that: the skin's grip lies in the corner
// of its client area, the corner answers as the bottom-right sizing edge, and dragging it sizes
// the window. A window that may not be sized shows no grip.
TEST_F(ThreeWindows, ASizableWindowShowsTheSkinsGripAndDraggingItSizesTheWindow) {
    SizableForm& sizable = owner.Make<SizableForm>();
    sizable.SetText("window");
    ShowAll();
    sizable.SetClientSize(about->ClientSize().cx, about->ClientSize().cy);
    sizable.Show();
    testsupport::PumpFor(std::chrono::milliseconds(50));
    HWND window = sizable.Handle();
    ASSERT_TRUE(IsWindowSkinned(window));

    const int global = manager->GetSkinIndex("GLOBALINFO");
    const render::MaskRef* grip = manager->Mask(manager->GetMaskIndex(global, "GLOBALINFO", "GRIPIMAGE"));
    ASSERT_NE(grip, nullptr);
    const SIZE client = sizable.ClientSize();
    ASSERT_EQ(client.cx, about->ClientSize().cx);
    ASSERT_EQ(client.cy, about->ClientSize().cy);
    // The plain window's corner with the grip laid over it is the sizable window's corner.
    const auto plainWindow = PrintedClient(*about);
    const auto expected = PrintedClient(*about);
    const TPoint corner{client.cx - grip->FrameWidth(), client.cy - grip->FrameHeight()};
    render::Bitmap& want = expected->Bitmap();
    render::PaintMaskFrame(want, corner, 0, render::CacheInfoFromBitmap(want, 0, 0), *grip, 1);
    const auto printed = PrintedClient(sizable);
    int gripPixels = 0;
    for (int y = corner.Y; y < client.cy; ++y)
        for (int x = corner.X; x < client.cx; ++x) {
            const std::uint8_t* p = printed->Bitmap().Pixel(x, y);
            ASSERT_TRUE(std::equal(p, p + 3, want.Pixel(x, y))) << x << "," << y;
            gripPixels += !std::equal(p, p + 3, plainWindow->Bitmap().Pixel(x, y));
        }
    EXPECT_GT(gripPixels, 0) << "the grip shows over the background";

    RECT before{};
    GetWindowRect(window, &before);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const POINT grab{origin.x + client.cx - grip->FrameWidth() / 2, origin.y + client.cy - grip->FrameHeight() / 2};
    ASSERT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(grab.x, grab.y)), HTBOTTOMRIGHT);
    POINT plain{grab.x - origin.x, grab.y - origin.y};
    ClientToScreen(about->Handle(), &plain);
    EXPECT_EQ(SendMessageW(about->Handle(), WM_NCHITTEST, 0, MAKELPARAM(plain.x, plain.y)), HTCLIENT);

    // The hand moves on once the platform's sizing loop has taken the press, as a user's does.
    INPUT press[] = {MouseAt(grab, 0), MouseAt(grab, MOUSEEVENTF_LEFTDOWN)};
    INPUT drag[] = {MouseAt({grab.x + 20, grab.y + 15}, 0), MouseAt({grab.x + 40, grab.y + 30}, 0),
                    MouseAt({grab.x + 40, grab.y + 30}, MOUSEEVENTF_LEFTUP)};
    std::thread hand([&] {
        if (WaitForSingleObject(sizable.sizing, 10000) == WAIT_OBJECT_0)
            SendInput(std::size(drag), drag, sizeof(INPUT));
    });
    ASSERT_EQ(SendInput(std::size(press), press, sizeof(INPUT)), std::size(press));
    RECT after{};
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        GetWindowRect(window, &after);
        return after.right - after.left == before.right - before.left + 40;
    }));
    hand.join();
    testsupport::PumpFor(std::chrono::milliseconds(100));
    GetWindowRect(window, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 40);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 30);
    EXPECT_EQ(after.left, before.left) << "sized, not moved";
    EXPECT_EQ(after.top, before.top);
}

// A form's client in one colour is answered with that colour, painted with it, and given to a
// child that asks to be painted now; a shaded one is answered with its picture.
TEST(FormBackground, AFlatClientIsAnsweredWithItsColourAndAShadedOneWithItsPicture) {
    for (const bool shaded : {false, true}) {
        SCOPED_TRACE(shaded ? "shaded" : "flat");
        SilentPrompt prompt;
        platform::TApplication application{prompt};
        platform::TForm form{nullptr};
        const std::string options =
            std::string("[GLOBALINFO]\nCOLOR=0\n[FORM]\nCOLOR=4227200\n") +
            (shaded ? "GRADIENTPERCENT=100\nGRADIENTDATA=255;16777215;97;0;0;16777215;16777215;0;0;0\n" : "");
        auto& manager = testsupport::MakeSkinManager(
            form, skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}}));
        EnableFormSkinning(manager);
        form.SetBounds({0, 0, 240, 160});
        form.SetText("window");
        form.FinishLoading();
        form.Show();
        testsupport::PumpFor(std::chrono::milliseconds(50));
        ASSERT_TRUE(IsWindowSkinned(form.Handle()));
        const TColor colour = ResolveColor(manager.Section(manager.GetSkinIndex("FORM"))->Color);
        const std::uint8_t bgr[] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};

        render::TsBgRequest request;
        ASSERT_TRUE(bridge::RequestBackground(request, form.Handle(), false));
        const auto printed = PrintedClient(form);
        const render::Bitmap& client = printed->Bitmap();
        if (shaded) {
            EXPECT_EQ(request.Kind, 2);
            ASSERT_NE(request.Bitmap, nullptr);
            EXPECT_EQ(request.Bitmap->Width(), client.Width());
            EXPECT_FALSE(std::equal(client.Pixel(0, 0), client.Pixel(0, 0) + 3,
                                    client.Pixel(client.Width() - 1, client.Height() - 1)));
            continue;
        }
        EXPECT_EQ(request.Kind, 1);
        EXPECT_EQ(ResolveColor(request.Color), colour);
        for (int y = 0; y < client.Height(); ++y)
            for (int x = 0; x < client.Width(); ++x)
                ASSERT_TRUE(std::equal(bgr, bgr + 3, client.Pixel(x, y))) << x << "," << y;

        render::Bitmap target = render::CreateBmp24(8, 8);
        render::Surface surface(target);
        render::TsBgRequest draw;
        draw.Target = &surface;
        draw.Area = {2, 2, 6, 6};
        bridge::RequestBackground(draw, form.Handle(), true);
        EXPECT_TRUE(std::equal(bgr, bgr + 3, target.Pixel(3, 3)));
        EXPECT_FALSE(std::equal(bgr, bgr + 3, target.Pixel(0, 0))) << "only the area asked for";
    }
}

TEST_F(ThreeWindows, ManagerGoingFirstFreesEveryProviderOnce) {
    ShowAll();
    ASSERT_EQ(Living(), 3);
    main->Free();  // the manager and its form skinning die with it while the other two forms live on
    EXPECT_EQ(LivingProviders({about, settings}), 0);
    for (platform::TForm* form : {about, settings}) EXPECT_FALSE(IsWindowSkinned(form->Handle()));
    // Freeing them now frees no provider a second time.
    about->Free();
    settings->Free();
}

TEST_F(ThreeWindows, RemovingTheSkinGivesEveryWindowItsOwnFrameBack) {
    ShowAll();
    RECT client{};
    GetClientRect(about->Handle(), &client);
    manager->SetActive(false);
    EXPECT_FALSE(Skinning().HookInstalled());
    EXPECT_EQ(Living(), 0);
    for (platform::TForm* form : {main, about, settings}) {
        EXPECT_NE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
        EXPECT_FALSE(IsWindowSkinned(form->Handle()));
    }
    RECT after{};
    GetClientRect(about->Handle(), &after);
    EXPECT_EQ(after.right, client.right);
    EXPECT_EQ(after.bottom, client.bottom);
}

TEST_F(ThreeWindows, SkinnedFormsStillHearEachBroadcastOnce) {
    auto& panel = about->Make<controls::TsPanel>(about);
    int refreshes = 0;
    std::unique_ptr<platform::TMessageHook> listener;
    listener = std::make_unique<platform::TMessageHook>(panel, [&](platform::TMessage& m) {
        if (m.Msg == skin::SM_ALPHACMD && skin::SkinCommandOf(m.WParam) == skin::SMC_REFRESH) ++refreshes;
        listener->CallPrevious(m);
    });
    ShowAll();
    ASSERT_TRUE(IsWindowSkinned(about->Handle()));
    manager->RepaintForms();
    EXPECT_EQ(refreshes, 1);
}

TEST_F(ThreeWindows, AWindowThatIsGoneOrHasNoClassGetsNothing) {
    ShowAll();
    HWND gone = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    Skinning().SkinOnActivate(gone);  // its class name reads empty now
    Skinning().SkinOnActivate(nullptr);
    EXPECT_EQ(Living(), 3);
}

TEST_F(ThreeWindows, PopupMenuWindowsGetAMenuAdapterPrunedWhenTheyGo) {
    ShowAll();
    ASSERT_FALSE(CompositionEnabled());
    HWND menu = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Skinning().PopupMenuAdapters().size(), 1u);
    EXPECT_TRUE(IsWindowSkinned(menu));
    DestroyWindow(menu);
    DestroyWindow(CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(Skinning().PopupMenuAdapters().empty());
}

// What a real pop-up menu showed on screen while it was up: its client pixels, the row of its
// first item, selected from the keyboard, and of its last item.
struct MenuSeen {
    bool found = false;
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    RECT item{};
    RECT selected{};
    std::vector<RECT> rows;  // every item's, by position
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};
MenuSeen g_menu;

void CALLBACK InspectMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND window = FindWindowW(L"#32768", nullptr);
    if (window != nullptr && g_menu.selected.bottom == 0) {
        // Select the first item from the keyboard first, then look.
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        GetMenuItemRect(window, menu, 0, &g_menu.selected);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&g_menu.selected), 2);
        PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
        SetTimer(nullptr, 0, 300, InspectMenu);
        return;
    }
    g_menu.found = window != nullptr && IsWindowVisible(window);
    if (g_menu.found) {
        RECT client{};
        GetClientRect(window, &client);
        g_menu.width = client.right;
        g_menu.height = client.bottom;
        HDC screen = GetDC(window);
        platform::MemoryDc copy(CreateCompatibleDC(screen));
        platform::BitmapHandle bitmap(CreateCompatibleBitmap(screen, client.right, client.bottom));
        {
            platform::SelectObjectScope selected(copy.get(), bitmap.get());
            BitBlt(copy.get(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
            for (int y = 0; y < client.bottom; ++y)
                for (int x = 0; x < client.right; ++x) g_menu.pixels.push_back(GetPixel(copy.get(), x, y));
        }
        ReleaseDC(window, screen);
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        GetMenuItemRect(window, menu, 2, &g_menu.item);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&g_menu.item), 2);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            RECT row{};
            GetMenuItemRect(window, menu, static_cast<UINT>(i), &row);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&row), 2);
            g_menu.rows.push_back(row);
        }
    }
    EndMenu();
}

// The colours of a skin image's first frame where it covers what lies beneath wholly: the same
// over black as over white.
std::set<COLORREF> OpaqueInks(const bridge::TsSkinManager& m, const char* section, const char* key) {
    std::set<COLORREF> inks;
    const int index = m.GetSkinIndex(section);
    const render::MaskRef* mask = index < 0 ? nullptr : m.Mask(m.GetMaskIndex(index, section, key));
    if (mask == nullptr) return inks;
    render::Bitmap over[2] = {render::CreateBmp24(mask->FrameWidth(), mask->FrameHeight()),
                              render::CreateBmp24(mask->FrameWidth(), mask->FrameHeight())};
    for (int y = 0; y < over[1].Height(); ++y)
        for (int x = 0; x < over[1].Width(); ++x) std::fill_n(over[1].Pixel(x, y), 3, 0xFF);
    for (render::Bitmap& b : over) render::PaintMaskFrame(b, {0, 0}, 0, render::CacheInfoFromBitmap(b, 0, 0), *mask, 1);
    for (int y = 0; y < over[0].Height(); ++y)
        for (int x = 0; x < over[0].Width(); ++x) {
            const std::uint8_t* p = over[0].Pixel(x, y);
            if (std::equal(p, p + 3, over[1].Pixel(x, y))) inks.insert(RGB(p[2], p[1], p[0]));
        }
    return inks;
}

constexpr UINT kShowMenu = WM_APP + 13;

MenuSeen ShowMenu(HWND owner) {
    g_menu = {};
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"Экспорт карты\tCtrl+E");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, 2, L"Выход");
    AppendMenuW(menu, MF_STRING | MF_CHECKED, 3, L"Отмечено");
    HMENU more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, 5, L"Внутри");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"Ещё");
    // A pure red picture, as the shell gives its verbs.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    platform::BitmapHandle picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::fill_n(static_cast<std::uint32_t*>(bits), 16 * 16, 0xFFFF0000u);
    AppendMenuW(menu, MF_STRING, 4, L"С картинкой");
    MENUITEMINFOW withPicture{};
    withPicture.cbSize = sizeof withPicture;
    withPicture.fMask = MIIM_BITMAP;
    withPicture.hbmpItem = picture.get();
    SetMenuItemInfoW(menu, 4, FALSE, &withPicture);
    // The menu runs its own loop, so it is opened from a posted message like a real click would.
    platform::TMessageHook hook(owner, [&](platform::TMessage& m) {
        if (m.Msg != kShowMenu) return hook.CallPrevious(m);
        SetTimer(nullptr, 0, 300, InspectMenu);
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 40, 40, 0, owner, nullptr);
    });
    PostMessageW(owner, kShowMenu, 0, 0);
    testsupport::PumpUntil([] { return g_menu.found; });
    testsupport::PumpFor(std::chrono::milliseconds(50));
    hook.Remove();
    DestroyMenu(menu);
    return g_menu;
}

TEST_F(ThreeWindows, PopupMenuShowsTheMenuSectionAndItsItems) {
    ShowAll();
    const render::SectionPaint* look = manager->Section(manager->GetSkinIndex("MAINMENU"));
    ASSERT_NE(look, nullptr);
    const MenuSeen seen = ShowMenu(main->Handle());
    ASSERT_TRUE(seen.found);
    ASSERT_GT(seen.item.bottom, seen.item.top);
    // The row's right end holds no text: the section's background, not the platform's menu colour.
    const COLORREF blank = seen.At(seen.width - 6, (seen.item.top + seen.item.bottom) / 2);
    EXPECT_NE(blank, GetSysColor(COLOR_MENU) & 0xFFFFFF);
    EXPECT_LT(GetRValue(blank) + GetGValue(blank) + GetBValue(blank), 3 * 0x90);  // the skin's menu is dark
    // The label is written in the section's font colour.
    int written = 0;
    for (int y = seen.item.top; y < seen.item.bottom; ++y)
        for (int x = seen.item.left; x < seen.width / 2; ++x)
            written += seen.At(x, y) == (look->FontColor[0] & 0xFFFFFF);
    EXPECT_GT(written, 5);
    // The selected item is the skin's, not the platform's highlight.
    ASSERT_GT(seen.selected.bottom, seen.selected.top);
    const COLORREF hot = seen.At(seen.width - 6, (seen.selected.top + seen.selected.bottom) / 2);
    EXPECT_NE(hot, GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF);
    EXPECT_NE(hot, blank);

    // The check mark and the sub-menu arrow are the skin's images, the item's picture its own:
    // each in its place of the row.
    ASSERT_EQ(seen.rows.size(), 6u);
    const auto Count = [&](const RECT& row, int fromX, int toX, auto wanted) {
        int n = 0;
        for (int y = row.top; y < row.bottom; ++y)
            for (int x = std::max(0, fromX); x < std::min(seen.width, toX); ++x) n += wanted(seen.At(x, y));
        return n;
    };
    const std::set<COLORREF> check = OpaqueInks(*manager, "GLOBALINFO", "CHECK");
    const std::set<COLORREF> arrow = OpaqueInks(*manager, "SCROLLBTNRIGHT", "GLYPHMASK");
    ASSERT_FALSE(check.empty());
    ASSERT_FALSE(arrow.empty());
    const auto In = [](const std::set<COLORREF>& inks) { return [&inks](COLORREF c) { return inks.count(c) != 0; }; };
    const int column = GetSystemMetrics(SM_CXMENUCHECK) + 2;
    EXPECT_GT(Count(seen.rows[3], 0, column, In(check)), 6) << "check mark";
    EXPECT_EQ(Count(seen.rows[2], 0, column, In(check)), 0) << "no mark on an unchecked item";
    EXPECT_GT(Count(seen.rows[4], seen.width - 14, seen.width, In(arrow)), 4) << "sub-menu arrow";
    EXPECT_EQ(Count(seen.rows[2], seen.width - 14, seen.width, In(arrow)), 0) << "no arrow without a sub-menu";
    EXPECT_GT(Count(seen.rows[5], 0, column, [](COLORREF c) { return c == RGB(255, 0, 0); }), 50) << "picture";
}

// What a message box looked like to the hook while it was up.
struct BoxSeen {
    bool found = false;
    bool skinned = false;
    bool adapter = false;
    std::multiset<ChildAdapterKind> kinds;
};
BoxSeen g_box;

void CALLBACK InspectBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND box = FindWindowW(L"#32770", L"box");
    g_box.found = box != nullptr;
    if (box == nullptr) return;
    g_box.skinned = IsWindowSkinned(box);
    if (const TgwProvider* p = DialogProvider(box)) {
        g_box.adapter = true;
        g_box.kinds = KindsOf(*p);
    }
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

BoxSeen ShowBox(HWND owner) {
    g_box = {};
    SetTimer(nullptr, 0, 300, InspectBox);
    MessageBoxW(owner, L"Сохранить изменения?", L"box", MB_YESNOCANCEL | MB_ICONQUESTION);
    return g_box;
}

TEST_F(ThreeWindows, MessageBoxGetsDialogAdapterAndChildAdapters) {
    ShowAll();
    const BoxSeen seen = ShowBox(main->Handle());
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.skinned);
    ASSERT_TRUE(seen.adapter);
    EXPECT_EQ(seen.kinds.count(ChildAdapterKind::Icon), 1u);
    EXPECT_EQ(seen.kinds.count(ChildAdapterKind::Static), 1u);
    EXPECT_GE(seen.kinds.count(ChildAdapterKind::Button), 3u);
    // The box is gone; the next destroy event sweeps its provider away.
    DestroyWindow(CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(Living(), 3);
}

TEST_F(ThreeWindows, WithoutStdDialogsTheBoxKeepsThePlatformLook) {
    manager->SkinningRules = srStdForms | srThirdParty;
    ShowAll();
    const BoxSeen seen = ShowBox(main->Handle());
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(seen.skinned);
    EXPECT_FALSE(seen.adapter);
    EXPECT_EQ(ProvidersOf(settings->Handle()), 1);  // the forms are still skinned
}

TEST_F(ThreeWindows, FindDialogGetsAdaptersForItsChildren) {
    ShowAll();
    auto& finder = main->Make<platform::TFindDialog>();
    finder.Execute();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return finder.Handle() != nullptr && IsWindowVisible(finder.Handle()); }));
    testsupport::PumpFor(std::chrono::milliseconds(100));
    const TgwProvider* p = DialogProvider(finder.Handle());
    ASSERT_NE(p, nullptr);
    const auto kinds = KindsOf(*p);
    EXPECT_EQ(kinds.count(ChildAdapterKind::Edit), 1u);
    EXPECT_EQ(kinds.count(ChildAdapterKind::GroupBox), 1u);
    EXPECT_GE(kinds.count(ChildAdapterKind::CheckBox), 3u);  // two check boxes, two radios
    EXPECT_GE(kinds.count(ChildAdapterKind::Button), 2u);
    // The edit's frame: the skin's border line, then the field's own colour, no platform white.
    HWND edit = FindWindowExW(finder.Handle(), nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    RECT placed{};
    GetWindowRect(edit, &placed);
    HDC frame = GetWindowDC(edit);
    const COLORREF inner = GetPixel(frame, 1, (placed.bottom - placed.top) / 2);
    ReleaseDC(edit, frame);
    EXPECT_NE(inner, GetSysColor(COLOR_WINDOW));
    EXPECT_LT(GetRValue(inner) + GetGValue(inner) + GetBValue(inner), 3 * 0x60) << std::hex << inner;

    // While it is on screen a second standard dialog without a tool bar keeps the platform look.
    const BoxSeen second = ShowBox(main->Handle());
    ASSERT_TRUE(second.found);
    EXPECT_FALSE(second.skinned);

    finder.CloseDialog();
    testsupport::PumpFor(std::chrono::milliseconds(50));
    DestroyWindow(CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(Living(), 3);
}

}  // namespace
}  // namespace lw::controls
