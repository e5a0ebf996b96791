#include "bridge/GdiTextEngine.h"

#include <algorithm>

#include "bridge/DibSection.h"
#include "platform/Text.h"

namespace lw::bridge {

namespace {

TRect Shifted(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// Captions over unchanged pixels come back with every rebuild of a look (a button's hot and
// normal states); a few of them remembered spare the system's text drawing.
constexpr std::size_t kRememberedTextBytes = 256 * 1024;

template <class T>
void Append(std::string& key, const T& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Everything a draw on the scratch depends on besides the pixels, in the scratch's coordinates.
std::string DrawKey(const render::TextFont& font, TColor color, const std::wstring& text, const TRect& r,
                    unsigned format, TPoint origin, const std::vector<TRect>& excluded) {
    std::string key;
    for (const int v :
         {font.Height, int(font.Bold), int(font.Italic), int(font.Underline), int(ResolveColor(color)), int(format),
          r.Left, r.Top, r.Right, r.Bottom, origin.X, origin.Y, int(font.Name.size()), int(text.size())})
        Append(key, v);
    key += font.Name;
    key.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    for (const TRect& e : excluded) Append(key, e);
    return key;
}

}  // namespace

GdiTextEngine::GdiTextEngine()
    : measureDc_(CreateCompatibleDC(nullptr)),
      scratch_(0, 0, render::PixelFormat::pf24bit),
      drawn_(kRememberedTextBytes) {}

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
    // A surface over plain memory: draw on a copy of the pixels the text can touch and put them
    // back. Unless told not to clip, DrawText keeps inside its rectangle, so only that is copied.
    TRect touched = Intersect(clipDevice, surface.Target().Bounds());
    if (!(format & DT_NOCLIP)) touched = Intersect(touched, Shifted(r, origin.X, origin.Y));
    if (touched.IsEmpty() || (format & DT_CALCRECT)) return;
    const render::PixelFormat pixelFormat = surface.Target().Format();
    if (scratch_.Width() < touched.Width() || scratch_.Height() < touched.Height() ||
        scratch_.Bitmap().Format() != pixelFormat)
        scratch_.Resize(std::max(scratch_.Width(), touched.Width()), std::max(scratch_.Height(), touched.Height()),
                        pixelFormat);
    const TRect inScratch{0, 0, touched.Width(), touched.Height()};
    std::vector<TRect> excludedScratch;
    for (const TRect& e : excludedDevice) excludedScratch.push_back(Shifted(e, -touched.Left, -touched.Top));
    const TPoint scratchOrigin{origin.X - touched.Left, origin.Y - touched.Top};
    std::string key = DrawKey(font, color, wide, r, format, scratchOrigin, excludedScratch);
    if (drawn_.Replay(key, surface.Target(), touched)) return;
    render::Surface(scratch_.Bitmap()).Copy({0, 0}, surface.Target(), touched);
    drawInto(scratch_.Dc(), scratchOrigin, inScratch, excludedScratch);
    drawn_.Record(std::move(key), surface.Target(), touched, scratch_.Bitmap(), inScratch);
    render::Surface target(surface.Target());
    target.Copy({touched.Left, touched.Top}, scratch_.Bitmap(), inScratch);
}

GdiTextEngine& ProcessTextEngine() {
    static GdiTextEngine engine;
    return engine;
}

}  // namespace lw::bridge
