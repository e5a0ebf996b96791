#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/base/Panel.h"
#include "controls/labels/BoundLabel.h"
#include "controls/labels/Label.h"
#include "controls/labels/WebLabel.h"
#include "controls/labels/core/LabelColors.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/StoredSkin.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinManagerSetup.h"

namespace lw::controls {
namespace {

using testsupport::SilentPrompt;

constexpr TColor kGlobalText = 0x808080, kOuterText = 0x00C000, kInnerText = 0x0000C0, kPanelColor = 0x302010;

skin::ByteBuffer LabelSkin() {
    const std::string options =
        "[GLOBALINFO]\nCOLOR=3092271\nFONTCOLOR=8421504\n"
        "[PANEL]\nCOLOR=3153936\nTRANSPARENCY=0\n"
        "[OUTER]\nCOLOR=3153936\nTRANSPARENCY=0\nGIVEOWNFONT=TRUE\nFONTCOLOR=49152\n"
        "[CLEAR]\nCOLOR=3153936\nTRANSPARENCY=60\nGIVEOWNFONT=TRUE\nFONTCOLOR=192\n"
        "[HALF]\nCOLOR=3153936\nTRANSPARENCY=50\nGIVEOWNFONT=TRUE\nFONTCOLOR=192\n";
    return skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}});
}

struct SkinnedForm : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    bridge::TsSkinManager& manager = form.Make<bridge::TsSkinManager>();
    TsPanel& outer = form.Make<TsPanel>(&form);

    void Load(skin::ByteBuffer skin) { testsupport::LoadInternalSkin(manager, std::move(skin)); }
    void Open() {
        form.SetBounds({0, 0, 400, 300});
        outer.SetBounds({0, 0, 400, 300});
        form.FinishLoading();
        form.Show();
        ASSERT_TRUE(manager.GlobalInfo().Active);
    }
    TsPanel& PanelIn(platform::TWinControl& parent, const char* section) {
        TsPanel& panel = form.Make<TsPanel>(&parent);
        panel.SkinData().SetSkinSection(section);
        panel.SetBounds({10, 10, 300, 200});
        return panel;
    }
    // Paints the label as its parent does, on black, and answers the colour it painted with: the
    // colour of most of the text's pixels (its edges may be blended).
    static TColor PaintedColor(TsCustomLabel& label) {
        const int w = std::max(label.Bounds().Width, 1), h = std::max(label.Bounds().Height, 1);
        bridge::TsDibSection dib(w, h, render::PixelFormat::pf24bit);
        render::FillRectSolid(dib.Surface(), {0, 0, w, h}, 0x000000);
        label.Paint(dib.Dc());
        GdiFlush();
        std::map<TColor, int> counts;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
                if (const TColor c = MakeColor(p[2], p[1], p[0]); c != 0) ++counts[c];
            }
        const auto most = std::max_element(counts.begin(), counts.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        return most != counts.end() ? most->first : TColor(0);
    }
};

TEST_F(SkinnedForm, LabelTakesItsColourFromTheFirstParentThatIsNotMostlyTransparent) {
    Load(LabelSkin());
    outer.SkinData().SetSkinSection("OUTER");
    TsPanel& clear = PanelIn(outer, "CLEAR");
    TsPanel& half = PanelIn(outer, "HALF");
    TsPanel& plain = PanelIn(outer, "PANEL");
    TsLabel& overClear = form.Make<TsLabel>(&clear);
    TsLabel& overHalf = form.Make<TsLabel>(&half);
    TsLabel& overPlain = form.Make<TsLabel>(&plain);
    TsLabel& ownColour = form.Make<TsLabel>(&clear);
    ownColour.UseSkinColor = false;
    for (TsLabel* l : {&overClear, &overHalf, &overPlain, &ownColour}) {
        l->SetText("Text");
        platform::TFont f = l->Font();
        f.Color = 0x123456;
        l->SetFont(f);
    }
    Open();

    EXPECT_EQ(PaintedColor(overClear), kOuterText) << "a 60 % transparent panel shows its parent's colours";
    EXPECT_EQ(PaintedColor(overHalf), kInnerText) << "50 % is not mostly transparent";
    EXPECT_EQ(PaintedColor(overPlain), kGlobalText) << "a section without its own font gives the global one";
    EXPECT_EQ(PaintedColor(ownColour), 0x123456u) << "UseSkinColor off keeps the label's colour";
}

TEST_F(SkinnedForm, DisabledLabelDrawsFortyPerCentOfItsColourOverTheParentsBackground) {
    Load(LabelSkin());
    TsLabel& label = form.Make<TsLabel>(&outer);
    label.UseSkinColor = false;
    label.SetText("MMMM");
    platform::TFont f = label.Font();
    f.Color = 0xFFFFFF;
    f.Height = -24;
    label.SetFont(f);
    label.SetEnabled(false);
    Open();

    const TColor background = bridge::GetControlColor(&outer);
    ASSERT_EQ(background, kPanelColor);
    const platform::TBounds& b = label.Bounds();
    bridge::TsDibSection dib(b.Width, b.Height, render::PixelFormat::pf24bit);
    render::FillRectSolid(dib.Surface(), {0, 0, b.Width, b.Height}, 0x000000);
    label.Paint(dib.Dc());
    GdiFlush();
    const TColor expected = DisabledLabelColor(0xFFFFFF, kPanelColor);
    int exact = 0, white = 0;
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x) {
            const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
            const TColor c = MakeColor(p[2], p[1], p[0]);
            exact += c == expected;
            white += c == 0xFFFFFF;
        }
    EXPECT_GT(exact, 20) << "the letters' full pixels carry the mixed colour";
    EXPECT_EQ(white, 0);
}

class RecordingLauncher : public platform::Launcher {
public:
    struct Opened {
        std::wstring Address, Verb;
        int Show;
        HWND Owner;
    };
    std::optional<platform::Process> Start(const platform::LaunchRequest&) override { return std::nullopt; }
    void OpenAddress(const std::wstring& address) override { opened.push_back({address, L"", -1, nullptr}); }
    void OpenAddressAs(const std::wstring& address, const wchar_t* verb, int show, HWND owner) override {
        opened.push_back({address, verb != nullptr ? verb : L"", show, owner});
    }
    std::vector<Opened> opened;
};

struct WebLabelOnPanel : SkinnedForm {
    TsWebLabel& label = form.Make<TsWebLabel>(&outer);
    RecordingLauncher launcher;
    int clicks = 0;

    void SetUp() override {
        Load(skin::ByteBuffer(kStoredSkin, kStoredSkin + kStoredSkinSize));
        label.SetBounds({40, 50, 10, 10});
        label.SetText("lumpwright.example.org");
        platform::TFont normal = label.Font();
        normal.Color = 0x0000FF;  // whatever its fonts carry, the skin's colours show
        label.SetFont(normal);
        platform::TFont hover = normal;
        hover.Height = -20;
        hover.Name = "Arial";
        hover.Color = 0x00FF00;
        label.SetHoverFont(hover);
        label.Launcher = &launcher;
        label.OnClick = [this] { ++clicks; };
        Open();
    }
    LPARAM Inside() const { return MAKELPARAM(label.Bounds().Left + 3, label.Bounds().Top + 3); }
};

TEST_F(WebLabelOnPanel, UnderTheMouseTheHoverFontAndTheSkinsTopColourShow) {
    EXPECT_EQ(PaintedColor(label), 16777088u) << "the stored skin's bottom colour";
    const int normalHeight = label.Bounds().Height;

    SendMessageW(outer.Handle(), WM_MOUSEMOVE, 0, Inside());
    ASSERT_TRUE(label.Hovered());
    EXPECT_EQ(PaintedColor(label), 5789951u) << "the stored skin's top colour";
    EXPECT_EQ(label.PaintFont().Height, -20);
    EXPECT_EQ(label.PaintFont().Name, "Arial");
    EXPECT_GT(label.Bounds().Height, normalHeight) << "an auto-sized label fits the hover font";

    SendMessageW(outer.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 250));
    ASSERT_FALSE(label.Hovered());
    EXPECT_EQ(PaintedColor(label), 16777088u);
    EXPECT_EQ(label.PaintFont().Height, -11);
    EXPECT_EQ(label.Bounds().Height, normalHeight);
}

TEST_F(WebLabelOnPanel, ClickOpensTheAddressThroughTheLauncherAndAnEmptyAddressOnlyClicks) {
    label.URL = "https://lumpwright.example.org";
    label.ShowMode = soRestore;
    SendMessageW(outer.Handle(), WM_LBUTTONUP, 0, Inside());
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.opened[0].Address, L"https://lumpwright.example.org");
    EXPECT_EQ(launcher.opened[0].Verb, L"open");
    EXPECT_EQ(launcher.opened[0].Show, SW_RESTORE);
    EXPECT_EQ(clicks, 1);

    label.URL.clear();
    SendMessageW(outer.Handle(), WM_LBUTTONUP, 0, Inside());
    EXPECT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(clicks, 2);
}

TEST_F(WebLabelOnPanel, PointerOverTheLabelIsTheHand) {
    POINT screen{label.Bounds().Left + 3, label.Bounds().Top + 3};
    ClientToScreen(outer.Handle(), &screen);
    ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
    EXPECT_EQ(SendMessageW(outer.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(outer.Handle()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(SkinnedForm, BoundLabelStandsBesideItsControlAndForgetsALabelFreedElsewhere) {
    Load(LabelSkin());
    TsPanel& field = PanelIn(outer, "PANEL");
    field.Name = "field";
    field.SetBounds({150, 60, 200, 21});
    Open();
    TsBoundLabel bound(field);
    platform::TFont big = bound.Font();
    big.Height = -30;  // taller than the control
    bound.SetFont(big);
    bound.SetIndent(3);
    bound.SetActive(true);
    TsEditLabel* label = bound.Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), &outer);
    EXPECT_EQ(label->Name, "fieldLabel");
    EXPECT_EQ(label->Text(), "field") << "an empty caption shows the control's name";
    const platform::TBounds& b = label->Bounds();
    ASSERT_GT(b.Height, 21);
    EXPECT_EQ(b.Left + b.Width, 150 - 3 - 4);
    EXPECT_EQ(b.Top, 60 + (21 - b.Height) / 2 - 1);

    bound.SetLayout(TsCaptionLayoutKind::sclTopLeft);
    EXPECT_EQ(label->Bounds().Left, 150);
    EXPECT_EQ(label->Bounds().Top + label->Bounds().Height, 60 - 3);

    label->Free();  // freed by its owner: the bound label only lets go
    EXPECT_FALSE(bound.Active());
    bound.SetActive(true);
    ASSERT_TRUE(bound.Active());
    bound.SetActive(false);
    EXPECT_EQ(field.FindComponent("fieldLabel"), nullptr) << "deactivating frees the label";
}

}  // namespace
}  // namespace lw::controls
