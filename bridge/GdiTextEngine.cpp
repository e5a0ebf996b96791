#include "bridge/GdiTextEngine.h"

#include "bridge/DibSection.h"
#include "platform/Text.h"

namespace lw::bridge {

GdiTextEngine::GdiTextEngine() : measureDc_(CreateCompatibleDC(nullptr)) {}

HFONT GdiTextEngine::FontFor(const render::TextFont& font) const {
    const Key key{font.Name, font.Height, font.Bold, font.Italic, font.Underline};
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        LOGFONTW description{};
        description.lfHeight = font.Height;
        description.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
        description.lfItalic = font.Italic;
        description.lfUnderline = font.Underline;
        description.lfCharSet = DEFAULT_CHARSET;
        const std::wstring face = platform::Utf8ToWide(font.Name).substr(0, LF_FACESIZE - 1);
        face.copy(description.lfFaceName, face.size());
        it = fonts_.emplace(key, platform::FontHandle(CreateFontIndirectW(&description))).first;
    }
    return it->second.get() != nullptr ? it->second.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool GdiTextEngine::Measure(const render::TextFont& font, std::string_view text, TPoint& size) const {
    if (!measureDc_) return false;
    const std::wstring wide = platform::Utf8ToWide(text);
    platform::SelectObjectScope selected(measureDc_.get(), FontFor(font));
    SIZE extent{};
    if (!GetTextExtentPoint32W(measureDc_.get(), wide.c_str(), static_cast<int>(wide.size()), &extent)) return false;
    size = {extent.cx, extent.cy};
    return true;
}

void GdiTextEngine::Draw(render::Surface& surface, const render::TextFont& font, TColor color, std::string_view text,
                         const TRect& r, unsigned format) {
    std::wstring wide = platform::Utf8ToWide(text);
    const auto drawInto = [&](HDC dc, TPoint origin, const TRect& clipDevice, const std::vector<TRect>& excluded) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, clipDevice.Left, clipDevice.Top, clipDevice.Right, clipDevice.Bottom);
        for (const TRect& e : excluded) ExcludeClipRect(dc, e.Left, e.Top, e.Right, e.Bottom);
        SetViewportOrgEx(dc, origin.X, origin.Y, nullptr);
        SelectObject(dc, FontFor(font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ResolveColor(color) & 0xFFFFFF);
        RECT box{r.Left, r.Top, r.Right, r.Bottom};
        DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &box, format);
        RestoreDC(dc, saved);
        GdiFlush();
    };
    const render::Surface::State state = surface.Save();  // clip and excluded parts are in device pixels
    const TPoint origin = state.Origin;
    const TRect& clipDevice = state.Clip;
    const std::vector<TRect>& excludedDevice = state.Excluded;
    if (const HDC dc = DcOfSurface(&surface)) {
        drawInto(dc, origin, clipDevice, excludedDevice);
        return;
    }
    // A surface over plain memory: draw on a copy of the touched pixels and put them back.
    const TRect touched = Intersect(clipDevice, surface.Target().Bounds());
    if (touched.IsEmpty()) return;
    TsDibSection scratch(touched.Width(), touched.Height(), surface.Target().Format());
    render::Surface(scratch.Bitmap()).Copy({0, 0}, surface.Target(), touched);
    std::vector<TRect> excludedScratch;
    for (const TRect& e : excludedDevice)
        excludedScratch.push_back({e.Left - touched.Left, e.Top - touched.Top, e.Right - touched.Left, e.Bottom - touched.Top});
    drawInto(scratch.Dc(), {origin.X - touched.Left, origin.Y - touched.Top},
             {0, 0, touched.Width(), touched.Height()}, excludedScratch);
    render::Surface target(surface.Target());
    target.Copy({touched.Left, touched.Top}, scratch.Bitmap(), scratch.Bitmap().Bounds());
}

GdiTextEngine& ProcessTextEngine() {
    static GdiTextEngine engine;
    return engine;
}

}  // namespace lw::bridge
