#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bridge/DibSection.h"
#include "bridge/GdiTextEngine.h"
#include "bridge/SkinManager.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/GroupBox.h"
#include "controls/base/Panel.h"
#include "controls/checkbox/CheckBox.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "render/Text.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

constexpr char kCaption[] = "Запоминать последний используемый каталог";

// The Settings window's check box in the application's own skin: a panel, a group box, the box.
struct SettingsCheckBox : ::testing::Test, testsupport::SkinnedFormSetup {
    TsPanel& panel = form.Make<TsPanel>(&form);
    TsGroupBox& group = form.Make<TsGroupBox>(&panel);
    TsCheckBox& box = form.Make<TsCheckBox>(&group);
    int clicks = 0;
    void SetUp() override {
        form.SetBounds({0, 0, 481, 121});
        panel.SetBounds({0, 0, 481, 121});
        group.SetBounds({16, 16, 449, 57});
        box.SetBounds({8, 24, 268, 20});
        box.SetText(kCaption);
        box.SetChecked(true);  // while the form is being built
        box.OnClick = [this] { ++clicks; };
        form.FinishLoading();
        form.Show();
        ASSERT_TRUE(box.SkinData().Skinned());
        // The containers paint first; until then the box waits for their backgrounds.
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !box.SkinData().IsUpdating(); }));
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(box.Handle(), message, wParam, lParam);
    }
    void Leave() { box.Perform(platform::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&box)); }
};

TEST_F(SettingsCheckBox, ValueSetWhileLoadingIsKeptAndShownToOutsideReaders) {
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(Send(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(clicks, 0);
}

TEST_F(SettingsCheckBox, BoxAndCaptionSitWhereTheSkinPutsThemAndTheCaptionIsNotCut) {
    EXPECT_EQ(box.Box(), (BoxSize{16, 18}));
    EXPECT_EQ(box.BoxRect(), (TRect{2, 1, 18, 19}));
    const platform::TBounds& b = box.Bounds();
    EXPECT_EQ(b.Height, 20);
    EXPECT_EQ((TPoint{b.Left, b.Top}), (TPoint{8, 24}));

    const TPoint text = render::MeasureText(bridge::ProcessTextEngine(), TextFontOf(box), kCaption);
    ASSERT_GT(text.X, 0);
    CheckBoxLayout layout{b.Width, b.Height, 2, 0, true, false};
    const TRect caption = CheckBoxCaptionRect(layout, box.Box(), text.X, text.Y);
    EXPECT_EQ(caption.Left, 22);
    EXPECT_LE(caption.Right, b.Width - 2) << "the whole caption fits inside the control";
}

TColor PixelOf(bridge::TsDibSection& dib, int x, int y) {
    GdiFlush();
    const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
    return MakeColor(p[2], p[1], p[0]);
}

TEST_F(SettingsCheckBox, PaintsTheBoxOfItsStateAtTheBoxRectangleOnly) {
    const int w = box.Bounds().Width, h = box.Bounds().Height;
    bridge::TsDibSection checked(w, h, render::PixelFormat::pf24bit), unchecked(w, h, render::PixelFormat::pf24bit);
    Send(WM_PAINT, reinterpret_cast<WPARAM>(checked.Dc()));
    box.SetChecked(false);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !box.Fading(); })) << "the new mark fades in, then stops";
    Send(WM_PAINT, reinterpret_cast<WPARAM>(unchecked.Dc()));

    const TRect r = box.BoxRect();
    int differing = 0, differingOutside = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (PixelOf(checked, x, y) == PixelOf(unchecked, x, y)) continue;
            const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
            (inside ? differing : differingOutside) += 1;
        }
    EXPECT_GT(differing, 10) << "the check mark shows";
    EXPECT_EQ(differingOutside, 0);
    EXPECT_NE(PixelOf(checked, w - 3, 10), 0u) << "the section's background is painted, not left black";
}

TEST_F(SettingsCheckBox, MouseTogglesOnReleaseOnlyWhileStillPressed) {
    struct Step {
        UINT Message;  // 0: the mouse leaves the control
        bool CheckedAfter;
    };
    const struct {
        const char* What;
        std::vector<Step> Steps;
    } cases[] = {
        {"press and release", {{WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, false}}},
        {"press, leave, release", {{WM_LBUTTONDOWN, true}, {0, true}, {WM_LBUTTONUP, true}}},
        {"press, leave, press again, release",
         {{WM_LBUTTONDOWN, true}, {0, true}, {WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, false}}},
        {"release alone", {{WM_LBUTTONUP, true}}},
    };
    for (const auto& c : cases) {
        box.SetChecked(true);
        clicks = 0;
        int toggles = 0;
        for (const Step& s : c.Steps) {
            const bool before = box.Checked();
            if (s.Message == 0)
                Leave();
            else
                Send(s.Message, MK_LBUTTON, MAKELPARAM(5, 5));
            toggles += box.Checked() != before;
            EXPECT_EQ(box.Checked(), s.CheckedAfter) << c.What;
        }
        EXPECT_EQ(clicks, toggles) << c.What << ": one click event per toggle";
        EXPECT_FALSE(box.Pressed()) << c.What;
    }
    EXPECT_EQ(GetCapture(), nullptr) << "the box never captures the mouse";
}

TEST_F(SettingsCheckBox, SpaceKeyTogglesOnTheFirstKeyReleasedAfterIt) {
    Send(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(box.Pressed());
    EXPECT_EQ(GetFocus(), box.Handle()) << "the space key takes the focus as a press does";
    Send(WM_KEYDOWN, 'A');
    EXPECT_TRUE(box.Checked());
    Send(WM_KEYUP, 'A');
    EXPECT_FALSE(box.Checked()) << "the other key's release toggles";
    Send(WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(box.Checked()) << "the space key's own release finds nothing pressed";

    Send(WM_KEYDOWN, VK_RETURN);
    Send(WM_KEYUP, VK_RETURN);
    EXPECT_FALSE(box.Checked()) << "other keys alone do nothing";
}

TEST_F(SettingsCheckBox, ReadOnlyBoxSwallowsClicksAndTheSpaceKeyAndTakesNoFocusByAClick) {
    box.ReadOnly = true;
    SetFocus(nullptr);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_KEYUP, VK_SPACE);
    Send(BM_CLICK);
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(clicks, 0);
    EXPECT_NE(GetFocus(), box.Handle());
}

TEST_F(SettingsCheckBox, PlatformClickAndSetCheckGoThroughTheSkinnedState) {
    Send(BM_CLICK);  // what other programs do: the platform's own press and release
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 1);
    Send(BM_SETCHECK, BST_CHECKED);
    EXPECT_FALSE(box.Checked()) << "the platform's set-check message does not change the skinned box";
}

TEST_F(SettingsCheckBox, WithoutTheSkinThePlatformBoxShowsAndTogglesTheSameState) {
    manager.SetActive(false);
    ASSERT_FALSE(box.SkinData().Skinned());
    EXPECT_EQ(CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(box.Handle(), GCLP_WNDPROC)), box.Handle(),
                              BM_GETCHECK, 0, 0),
              BST_CHECKED);
    Send(BM_CLICK);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 1);
}

// Without the skin the platform draws the box, and would take a double click for a press:
// a read-only box keeps it from the platform and from its own double-click event.
TEST_F(SettingsCheckBox, WithoutTheSkinOnlyABoxThatCanChangeTakesDoubleClicks) {
    manager.SetActive(false);
    ASSERT_FALSE(box.SkinData().Skinned());
    int doubleClicks = 0;
    box.OnDblClick = [&](TsCheckBox&) { ++doubleClicks; };
    for (bool readOnly : {true, false}) {
        box.ReadOnly = readOnly;
        doubleClicks = 0;
        SetFocus(nullptr);
        Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 4));
        EXPECT_EQ(doubleClicks, readOnly ? 0 : 1) << "read-only " << readOnly;
        EXPECT_EQ(GetFocus() == box.Handle(), !readOnly) << "read-only " << readOnly;
        EXPECT_EQ((Send(BM_GETSTATE) & BST_PUSHED) != 0, !readOnly) << "read-only " << readOnly;
        Send(WM_LBUTTONUP, 0, MAKELPARAM(7, 4));
    }
}

// The platform checks its box itself as a press ends; a read-only box keeps its state and look.
TEST_F(SettingsCheckBox, WithoutTheSkinAReadOnlyBoxKeepsItsStateThroughAPress) {
    manager.SetActive(false);
    for (bool readOnly : {true, false}) {
        box.ReadOnly = readOnly;
        box.SetChecked(false);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 4));
        EXPECT_EQ((Send(BM_GETSTATE) & BST_PUSHED) != 0, !readOnly) << "read-only " << readOnly;
        Send(WM_LBUTTONUP, 0, MAKELPARAM(7, 4));
        EXPECT_EQ(box.Checked(), !readOnly) << "read-only " << readOnly;
        EXPECT_EQ(Send(BM_GETCHECK) == BST_CHECKED, !readOnly) << "read-only " << readOnly;
    }
    box.ReadOnly = true;
    box.SetChecked(true);
    EXPECT_EQ(Send(BM_GETCHECK), BST_CHECKED) << "the program still sets a read-only box";
}

// A box strip of `frames` frames of 10 x 24 side by side: the upper 12 rows of frame f in
// colours[f] except its left column, which is magenta; the lower rows black.
render::Bitmap BoxStrip(std::array<TColor, 3> colours) {
    render::Bitmap strip = render::CreateBmp24(30, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 30; ++x) {
            const TColor c = y >= 12 ? 0 : x % 10 == 0 ? TransparentKey : colours[x / 10];
            std::uint8_t* p = strip.Pixel(x, y);
            p[0] = BlueOf(c), p[1] = GreenOf(c), p[2] = RedOf(c);
        }
    return strip;
}

platform::RgbaImage ToRgba(const render::Bitmap& bmp) {
    platform::RgbaImage image{bmp.Width(), bmp.Height(), {}};
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const std::uint8_t* p = bmp.Pixel(x, y);
            image.Pixels.insert(image.Pixels.end(), {p[2], p[1], p[0], 255});
        }
    return image;
}

TEST_F(SettingsCheckBox, TheBoxSourceDecidesTheBoxSizeAndPlace) {
    platform::TImageList list(nullptr, 48, 32);
    list.Add(ToRgba(BoxStrip({0, 0, 0})));
    const render::Bitmap bigGlyph = render::CreateBmp24(90, 60), noGlyph;
    struct Case {
        const char* name;
        bool images;
        int imgChecked, imgUnchecked;
        bool glyph;
        TsCheckAlignment alignment;
        BoxSize expected;
    } cases[] = {
        {"the skin's images", false, 0, 0, false, TsCheckAlignment::taRightJustify, {16, 18}},
        {"own glyphs", false, 0, 0, true, TsCheckAlignment::taRightJustify, {30, 30}},
        {"a list before own glyphs", true, 0, 0, true, TsCheckAlignment::taRightJustify, {16, 16}},
        {"a list without a checked index", true, -1, 0, true, TsCheckAlignment::taRightJustify, {30, 30}},
        {"a list without an unchecked index", true, 0, -1, false, TsCheckAlignment::taRightJustify, {16, 18}},
        {"own glyphs right of the caption", false, 0, 0, true, TsCheckAlignment::taLeftJustify, {30, 30}},
    };
    const int textHeight = render::MeasureText(bridge::ProcessTextEngine(), TextFontOf(box), kCaption).Y;
    for (const Case& c : cases) {
        box.SetImages(c.images ? &list : nullptr);
        box.SetImgChecked(c.imgChecked);
        box.SetImgUnchecked(c.imgUnchecked);
        box.SetGlyphChecked(c.glyph ? bigGlyph : noGlyph);
        box.SetAlignment(c.alignment);
        EXPECT_EQ(box.Box(), c.expected) << c.name;
        const platform::TBounds& b = box.Bounds();
        EXPECT_EQ(b.Height, std::max(c.expected.Height, textHeight + 4) + 2) << c.name << ": the size follows the box";
        const int x = c.alignment == TsCheckAlignment::taRightJustify ? 2 : b.Width - c.expected.Width - 2;
        EXPECT_EQ(box.BoxRect(), RectOfSize(x, (b.Height - c.expected.Height) / 2, c.expected.Width, c.expected.Height))
            << c.name;
    }
}

struct OwnBoxImages : SettingsCheckBox {
    static constexpr std::array<TColor, 3> kChecked{0x0000C0, 0x00C000, 0xC00000};
    static constexpr std::array<TColor, 3> kUnchecked{0x404080, 0x408040, 0x804040};
    static constexpr std::array<TColor, 3> kListed{0x00C0C0, 0xC0C000, 0xC000C0};
    bridge::TsDibSection shot{268, 32, render::PixelFormat::pf24bit};

    // The control painted off-screen, and the colours at the middle and the left column of its box.
    std::pair<TColor, TColor> Shoot() {
        Send(WM_PAINT, reinterpret_cast<WPARAM>(shot.Dc()));
        const TRect r = box.BoxRect();
        return {PixelOf(shot, r.Left + 5, r.Top + 3), PixelOf(shot, r.Left, r.Top + 3)};
    }
    void Settle() {
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !box.Fading(); }));
    }
};

TEST_F(OwnBoxImages, TheFrameOfStateAndLookIsCopiedWithMagentaTransparent) {
    SetFocus(nullptr);  // focus would show the hot look
    box.SetGlyphChecked(BoxStrip({TransparentKey, TransparentKey, TransparentKey}));
    const TColor under = Shoot().second;
    ASSERT_NE(under, TransparentKey) << "magenta is never copied";
    ASSERT_EQ(Shoot().first, under) << "an all-magenta box shows only what lies beneath";

    box.SetGlyphChecked(BoxStrip(kChecked));
    box.SetGlyphUnChecked(BoxStrip(kUnchecked));
    platform::TImageList list(nullptr, 30, 24);
    list.Add(ToRgba(BoxStrip(kListed)));
    list.Add(ToRgba(BoxStrip(kChecked)));

    EXPECT_EQ(Shoot(), std::make_pair(kChecked[0], under)) << "checked, normal";
    box.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&box));
    Settle();
    EXPECT_EQ(Shoot(), std::make_pair(kChecked[1], under)) << "checked, hot";
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Settle();
    EXPECT_EQ(Shoot(), std::make_pair(kChecked[2], under)) << "checked, pressed";
    Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Settle();
    ASSERT_FALSE(box.Checked());
    EXPECT_EQ(Shoot(), std::make_pair(kUnchecked[1], under)) << "unchecked, hot";

    box.SetImages(&list);
    box.SetImgChecked(1);
    box.SetImgUnchecked(0);
    EXPECT_EQ(Shoot(), std::make_pair(kListed[1], under)) << "the list's unchecked image, hot";
    Leave();
    SetFocus(nullptr);
    Settle();
    EXPECT_EQ(Shoot(), std::make_pair(kListed[0], under)) << "the list's unchecked image, normal";
}

TEST_F(OwnBoxImages, SettersRepaintOnlyWhatTheyChange) {
    platform::TImageList list(nullptr, 30, 24);
    list.Add(ToRgba(BoxStrip(kListed)));
    const struct {
        const char* name;
        bool checked;
        std::function<void()> change;
        bool repaints;
    } cases[] = {
        {"checked index while checked", true, [&] { box.SetImgChecked(box.ImgChecked() + 1); }, true},
        {"checked index while unchecked", false, [&] { box.SetImgChecked(box.ImgChecked() + 1); }, false},
        {"unchecked index while unchecked", false, [&] { box.SetImgUnchecked(box.ImgUnchecked() + 1); }, true},
        {"unchecked index while checked", true, [&] { box.SetImgUnchecked(box.ImgUnchecked() + 1); }, false},
        {"unchecked glyph", true, [&] { box.SetGlyphUnChecked(BoxStrip(kUnchecked)); }, true},
        {"checked glyph", false, [&] { box.SetGlyphChecked(BoxStrip(kChecked)); }, true},
        {"images", false, [&] { box.SetImages(box.Images() ? nullptr : &list); }, true},
    };
    for (const auto& c : cases) {
        box.SetChecked(c.checked);
        Settle();
        ValidateRect(box.Handle(), nullptr);
        c.change();
        EXPECT_EQ(GetUpdateRect(box.Handle(), nullptr, FALSE) != 0, c.repaints) << c.name;
    }
}

TEST_F(SettingsCheckBox, KeyMouseAndDoubleClickEventsFollowTheBoxsOwnHandling) {
    std::vector<std::string> events;
    box.OnKeyDown = [&](TsCheckBox&, WORD key) { events.push_back("key down " + std::to_string(key)); };
    box.OnKeyUp = [&](TsCheckBox& b, WORD key) {
        events.push_back("key up " + std::to_string(key) + (b.Checked() ? " checked" : " unchecked"));
    };
    box.OnMouseDown = [&](TsCheckBox& b, TMouseButton button, TPoint at) {
        events.push_back(std::string(button == TMouseButton::mbLeft ? "left" : "right") + " down at " +
                         std::to_string(at.X) + "," + std::to_string(at.Y) + (b.Pressed() ? " pressed" : ""));
    };
    box.OnMouseUp = [&](TsCheckBox& b, TMouseButton, TPoint) {
        events.push_back(std::string("up") + (b.Checked() ? " checked" : " unchecked"));
    };
    box.OnDblClick = [&](TsCheckBox&) { events.push_back("double click"); };

    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 4));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(7, 4));
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 4));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(7, 4));
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_KEYUP, VK_SPACE);
    Send(WM_KEYDOWN, 'A');
    Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 2));
    box.ReadOnly = true;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 4));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(7, 4));
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 4));
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_KEYUP, VK_SPACE);

    const std::vector<std::string> expected{
        "left down at 7,4 pressed", "up unchecked", "double click",      "up checked", "key down 32",
        "key up 32 unchecked",      "key down 65",  "right down at 3,2",
    };
    EXPECT_EQ(events, expected);
}

}  // namespace
}  // namespace lw::controls
