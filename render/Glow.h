#pragma once
// Glow windows: a transparent, click-through window around a hot control showing the section's
// glow image with per-pixel alpha. The window itself belongs to an injected host (the Win32
// layer makes it a layered tool window); the geometry and the alpha image are made here.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "render/Bitmap.h"
#include "render/SkinSource.h"
#include "render/Types.h"

namespace lw::render {

using GlowWindow = std::uintptr_t;  // 0: none
using OwnerWindow = std::uintptr_t;

class GlowHost {
public:
    virtual ~GlowHost() = default;
    virtual bool SupportsPerPixelAlpha() const = 0;
    // Borderless, hidden, passing mouse hits through to what lies beneath; never captures.
    virtual GlowWindow CreateGlowWindow() = 0;
    virtual bool OwnerStaysOnTop(OwnerWindow owner) const = 0;
    virtual void SetStayOnTop(GlowWindow w) = 0;
    // Without activating it or changing its place among windows.
    virtual void Place(GlowWindow w, const TRect& screen) = 0;
    // 32-bit image with per-pixel alpha, drawn source-over at constant alpha 255.
    virtual void SetContent(GlowWindow w, const Bitmap& image) = 0;
    virtual void ShowWithoutActivation(GlowWindow w) = 0;
    virtual void DestroyGlowWindow(GlowWindow w) = 0;
};

// Where a glow window goes and which part of its image it shows.
struct GlowPlacement {
    TRect Window;  // on the screen
    TPoint Cut;    // top-left of the shown part within the full glow image
    int FullWidth = 0;
    int FullHeight = 0;
};

// Slice sizes of a glow mask: a zero size falls back to the border width, then to the frame size.
MaskRef GlowSlices(const MaskRef& mask);

// False when the glow would have no pixels.
bool PlaceGlow(const TRect& control, const TRect& visible, const MaskRef& slices, int margin, GlowPlacement& out);

class TgwGlowEffect {
public:
    TgwGlowEffect(GlowHost& host, const SkinSource& manager, int maskIndex, int margin);
    ~TgwGlowEffect();
    TgwGlowEffect(const TgwGlowEffect&) = delete;
    TgwGlowEffect& operator=(const TgwGlowEffect&) = delete;

    // The full glow image of the given size, the glow frame around a transparent centre.
    Bitmap PaintAlpha(int width, int height) const;
    bool Show(const TRect& control, const TRect& visible, OwnerWindow owner);

    GlowWindow Wnd = 0;
    const SkinSource* SkinManager;
    int MaskIndex;
    int Margin;

private:
    GlowHost* host_;
};

// All live glows; a glow's handle is its position here. Emptied slots are not reused.
class TgwGlowEffects {
public:
    explicit TgwGlowEffects(GlowHost& host) : host_(&host) {}
    GlowHost& Host() const { return *host_; }
    std::vector<std::unique_ptr<TgwGlowEffect>> Items;

private:
    GlowHost* host_;
};

// Returns the glow's handle, or -1 when there is no per-pixel alpha, no glow mask glowName + "0"
// in the section, or nothing to show.
int ShowGlowWindow(TgwGlowEffects& glows, const TRect& control, const TRect& visible, std::string_view sectionName,
                   const SkinSource* manager, OwnerWindow owner, int margin, std::string_view glowName);
void HideGlowWindow(TgwGlowEffects& glows, int handle);
void HideAllGlowWindows(TgwGlowEffects& glows);

}  // namespace lw::render
