// The main window's whole background (593 x 585): two panels, two group boxes over them, six
// gradient buttons with borders and three edit frames, each painted against its parent's
// cache as the controls do, beside one memcpy of the window's buffer.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "render/Background.h"
#include "render/MaskPaint.h"

namespace {

using namespace lw;
using namespace lw::render;

class BenchSkin : public SkinSource {
public:
    std::vector<SectionPaint> Sections;
    std::vector<MaskRef> Masks;
    const SectionPaint* Section(int i) const override {
        return i >= 0 && i < int(Sections.size()) ? &Sections[i] : nullptr;
    }
    const MaskRef* Mask(int i) const override { return i >= 0 && i < int(Masks.size()) ? &Masks[i] : nullptr; }
    const Bitmap* PatternImage(int) const override { return nullptr; }
    int GetSkinIndex(std::string_view name) const override {
        for (std::size_t i = 0; i < Sections.size(); ++i)
            if (Sections[i].SectionName == name) return int(i);
        return -1;
    }
    int GetMaskIndex(int, std::string_view, std::string_view) const override { return -1; }
    int GetMaskIndexNoParent(std::string_view, std::string_view) const override { return -1; }
    int GetPatternIndex(int, std::string_view, std::string_view) const override { return -1; }
    TColor GlobalColor() const override { return 0x2F2F2F; }
};

struct MainWindow {
    Bitmap master = CreateBmp24(64, 64);
    BenchSkin skin;
    int panel, group, button, edit;

    MainWindow() {
        // Masked border frames (image over mask) in the top half, a plain one below.
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                std::uint8_t* p = master.Pixel(x, y);
                p[0] = std::uint8_t(x * 4), p[1] = std::uint8_t(y * 4), p[2] = std::uint8_t((x + y) * 2);
            }
        MaskRef masked;
        masked.Master = &master;
        masked.HasManager = true;
        masked.R = {0, 0, 48, 24};
        masked.ImageCount = 3;
        masked.MaskType = 1;
        masked.StretchMode = 4;
        masked.WL = masked.WT = masked.WR = masked.WB = 4;
        MaskRef plain = masked;
        plain.R = {0, 32, 48, 48};
        plain.MaskType = 0;
        plain.WL = plain.WT = plain.WR = plain.WB = 2;
        skin.Masks = {masked, plain};

        SectionPaint s;
        s.SectionName = "PANEL";
        s.Color = 0x3C3C3C;
        panel = Add(s);
        s.SectionName = "GROUPBOX";
        s.Transparency = 100;
        s.BorderIndex = 1;
        group = Add(s);
        s.SectionName = "BUTTON";
        s.Transparency = 0;
        s.GradientPercent = 100;
        s.GradientArray = {{0x3B3B3B, 0x525252, 50, 0}, {0x525252, 0x3B3B3B, 50, 0}};
        s.BorderIndex = 0;
        button = Add(s);
        s.SectionName = "EDIT";
        s.GradientPercent = 0;
        s.GradientArray.clear();
        s.Color = 0x202020;
        s.BorderIndex = 1;
        edit = Add(s);
    }
    int Add(const SectionPaint& s) {
        skin.Sections.push_back(s);
        return int(skin.Sections.size()) - 1;
    }

    // Controls paint into their own caches against the window's cache, which is copied back.
    void Paint(Bitmap& window) {
        auto item = [&](int section, const TRect& r, int state, bool centre) {
            Bitmap cache = CreateBmp24(r.Width(), r.Height());
            PaintItem(section, skin.Sections[std::size_t(section)].SectionName,
                      CacheInfoFromBitmap(window, r.Left, r.Top), -1, -1, &skin, cache, {0, 0}, cache.Bounds(), state,
                      centre);
            for (int y = 0; y < cache.Height(); ++y)
                std::memcpy(window.Pixel(r.Left, r.Top + y), cache.Row(y), std::size_t(cache.Width()) * 3);
        };
        PaintItem(panel, "PANEL", EmptyCacheInfo, -1, -1, &skin, window, {0, 0}, {0, 0, 593, 300}, 0, false);
        PaintItem(panel, "PANEL", EmptyCacheInfo, -1, -1, &skin, window, {0, 0}, {0, 300, 593, 585}, 0, false);
        item(group, {8, 8, 585, 292}, 0, false);
        item(group, {8, 308, 585, 577}, 0, false);
        for (int i = 0; i < 6; ++i) item(button, RectOfSize(16 + i * 94, 250, 88, 26), i % 3, true);
        item(edit, RectOfSize(16, 24, 561, 216), 0, false);
        item(edit, RectOfSize(16, 330, 400, 21), 0, false);
        item(edit, RectOfSize(16, 360, 400, 21), 0, false);
    }
};

void BM_MainWindowComposition(benchmark::State& state) {
    MainWindow w;
    Bitmap window = CreateBmp24(593, 585);
    for (auto _ : state) {
        w.Paint(window);
        benchmark::DoNotOptimize(window.Row(0));
    }
    state.SetItemsProcessed(state.iterations() * 593 * 585);
}
BENCHMARK(BM_MainWindowComposition)->Unit(benchmark::kMicrosecond);

void BM_MainWindowMemcpy(benchmark::State& state) {
    Bitmap a = CreateBmp24(593, 585), b = CreateBmp24(593, 585);
    const std::size_t bytes = std::size_t(a.Stride()) * 585;
    for (auto _ : state) {
        std::memcpy(a.Row(0), b.Row(0), bytes);
        benchmark::DoNotOptimize(a.Row(0));
    }
    state.SetItemsProcessed(state.iterations() * 593 * 585);
}
BENCHMARK(BM_MainWindowMemcpy)->Unit(benchmark::kMicrosecond);

}  // namespace
