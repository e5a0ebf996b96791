#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "platform/Handles.h"
#include "platform/tests/ToolkitFixture.h"

namespace lw::platform {
namespace {

using testing::Toolkit;

// A windowless control filling its bounds with one colour, or throwing instead.
class Swatch : public TControl {
public:
    Swatch(TComponent* owner, TWinControl* parent, COLORREF color, bool fails = false)
        : TControl(owner, parent), color_(color), fails_(fails) {}
    void Paint(HDC dc) override {
        if (fails_) throw Exception("Cannot paint");
        const BrushHandle brush(CreateSolidBrush(color_));
        const RECT area{0, 0, Bounds().Width, Bounds().Height};
        FillRect(dc, &area, brush.get());
    }

private:
    COLORREF color_;
    bool fails_;
};

// A 100x100 bitmap in a memory context, filled with a marker colour.
struct Canvas {
    Canvas() {
        const BrushHandle marker(CreateSolidBrush(kMarker));
        const RECT all{0, 0, 100, 100};
        FillRect(dc.get(), &all, marker.get());
    }
    static constexpr COLORREF kMarker = RGB(1, 2, 3);
    MemoryDc dc{CreateCompatibleDC(nullptr)};
    BitmapHandle bitmap{[this] {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }()};
    SelectObjectScope selected{dc.get(), bitmap.get()};
    COLORREF At(int x, int y) const { return GetPixel(dc.get(), x, y); }
};

struct Painting : Toolkit {
    void SetUp() override {
        panel.SetBounds({0, 0, 100, 100});
        panel.SetColor(RGB(200, 100, 50));
        Make(RGB(0, 0, 0), {80, 80, 10, 10}, true);  // fails: skipped, the others still paint
        Make(RGB(10, 200, 30), {20, 20, 10, 10});
    }
    void Make(COLORREF color, const TBounds& bounds, bool fails = false) {
        form.Make<Swatch>(&panel, color, fails).SetBounds(bounds);
    }
    Canvas canvas;
};

TEST_F(Painting, PaintWithAContextInWParamPaintsIntoItWithoutErasing) {
    SendMessageW(panel.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.dc.get()), 0);
    EXPECT_EQ(canvas.At(25, 25), RGB(10, 200, 30));
    EXPECT_EQ(canvas.At(50, 50), Canvas::kMarker);
    EXPECT_EQ(canvas.At(85, 85), Canvas::kMarker);
    EXPECT_TRUE(prompt.texts.empty());
}

TEST_F(Painting, PrintClientErasesWhenAskedAndPaintsTheWindowlessChildren) {
    SendMessageW(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc.get()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(canvas.At(25, 25), RGB(10, 200, 30));
    EXPECT_EQ(canvas.At(50, 50), RGB(200, 100, 50));
    EXPECT_TRUE(prompt.texts.empty());
}

TEST_F(Painting, WindowlessChildrenPaintIntoAnyContextAtItsOrigin) {
    SetViewportOrgEx(canvas.dc.get(), -15, -15, nullptr);  // a cache holding part of the panel
    panel.PaintControls(canvas.dc.get());
    SetViewportOrgEx(canvas.dc.get(), 0, 0, nullptr);
    EXPECT_EQ(canvas.At(5, 5), RGB(10, 200, 30));
    EXPECT_EQ(canvas.At(14, 14), RGB(10, 200, 30));
    EXPECT_EQ(canvas.At(15, 15), Canvas::kMarker);
}

TEST_F(Toolkit, OneErrorReportAtATime) {
    prompt.duringShow = [&] { application.ShowException("again, from behind the box"); };
    application.ShowException("first");
    EXPECT_EQ(prompt.texts, (std::vector<std::string>{"first"}));
    prompt.duringShow = nullptr;
    application.ShowException("later");
    EXPECT_EQ(prompt.texts, (std::vector<std::string>{"first", "later"}));
}

TEST_F(Toolkit, ToolkitAndPixelCoreResolveSystemColoursFromThePlatform) {
    for (int index : {COLOR_BTNFACE, COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_GRAYTEXT}) {
        EXPECT_EQ(ResolveColor(SystemColor(index)), GetSysColor(index)) << index;
        EXPECT_EQ(ColorToRGB(SystemColor(index)), GetSysColor(index)) << index;
    }
    EXPECT_EQ(ColorToRGB(0x00123456), 0x123456u);
}

}  // namespace
}  // namespace lw::platform
