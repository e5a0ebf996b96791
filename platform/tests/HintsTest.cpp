#include <windows.h>

#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/Buttons.h"
#include "platform/Label.h"
#include "platform/tests/ToolkitFixture.h"
#include "testsupport/win32/MessagePump.h"

namespace lw::platform {
namespace {

using testing::Toolkit;
using testsupport::PumpUntil;

struct Hints : Toolkit {
    TButton& button = form.Make<TButton>(&panel);
    TLabel& label = form.Make<TLabel>(&panel);

    void SetUp() override {
        form.SetBounds({100, 100, 400, 200});
        panel.SetBounds({0, 0, 380, 160});
        button.SetBounds({20, 20, 100, 25});
        label.SetBounds({200, 20, 120, 25});
        label.SetText("label");
        form.Show();
    }
    HWND Tooltip() { return application.Hints().Window(); }
    int Tools() { return static_cast<int>(SendMessageW(Tooltip(), TTM_GETTOOLCOUNT, 0, 0)); }
    // The pointer comes to rest over the middle of `bounds` of the panel.
    POINT RestOver(const TBounds& bounds) const {
        POINT at{bounds.Left + bounds.Width / 2, bounds.Top + bounds.Height / 2};
        ClientToScreen(panel.Handle(), &at);
        SetCursorPos(at.x - 3, at.y);
        testsupport::PumpFor(std::chrono::milliseconds(50));
        SetCursorPos(at.x, at.y);
        return at;
    }
    bool HintShown() { return IsWindowVisible(Tooltip()) != FALSE; }
    std::wstring ShownText() {
        wchar_t text[256] = L"";
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        if (SendMessageW(Tooltip(), TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info)) == FALSE) return L"";
        info.lpszText = text;
        SendMessageW(Tooltip(), TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
        return text;
    }
};

// A windowed and a windowless control: each hint shows its own text just below the pointer at
// rest, and goes when the pointer leaves. The tooltip window comes with the pointer, not before.
TEST_F(Hints, EachControlsHintShowsBelowThePointerResting) {
    button.SetHint("Кнопка");
    label.SetHint("Надпись");
    EXPECT_EQ(Tooltip(), nullptr);
    for (const auto& [control, text] : {std::pair<TControl*, std::wstring>{&button, L"Кнопка"}, {&label, L"Надпись"}}) {
        const POINT at = RestOver(control->Bounds());
        ASSERT_TRUE(PumpUntil([&] { return HintShown() && ShownText() == text; })) << control->Text();
        RECT shown{};
        GetWindowRect(Tooltip(), &shown);
        EXPECT_GE(shown.top, at.y);
        EXPECT_LE(shown.top, at.y + 40);
        EXPECT_LE(std::abs(shown.left - at.x), 40);
        SetCursorPos(10, 600);  // off the form
        EXPECT_TRUE(PumpUntil([&] { return !HintShown(); }));
    }
    EXPECT_EQ(Tools(), 2);
}

// A hint made empty, a control freed, a control moved: the tools follow; switched off, the
// application shows no hint at all.
TEST_F(Hints, ToolsFollowTheirControlsAndTheDisplayCanBeSwitchedOff) {
    button.SetHint("Кнопка");
    label.SetHint("Надпись");
    label.SetHint("");
    RestOver(button.Bounds());
    ASSERT_TRUE(PumpUntil([&] { return Tooltip() != nullptr; }));
    EXPECT_EQ(Tools(), 1);
    {
        TButton& passing = form.Make<TButton>(&panel);
        passing.SetHint("temporary");
        EXPECT_EQ(Tools(), 2);
        passing.Free();
    }
    EXPECT_EQ(Tools(), 1);

    label.SetHint("Надпись");
    label.SetBounds({200, 80, 120, 25});
    RestOver(label.Bounds());
    EXPECT_TRUE(PumpUntil([&] { return HintShown() && ShownText() == L"Надпись"; })) << "moved with the label";
    SetCursorPos(10, 600);
    ASSERT_TRUE(PumpUntil([&] { return !HintShown(); }));

    application.Hints().SetActive(false);
    RestOver(button.Bounds());
    testsupport::PumpFor(std::chrono::milliseconds(1500));
    EXPECT_FALSE(HintShown());
}

}  // namespace
}  // namespace lw::platform
