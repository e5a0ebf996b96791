#pragma once
// A device-independent bitmap section: pixels the portable core paints into directly (as a
// Bitmap and a Surface) and GDI draws from and into through its memory device context.

#include <windows.h>

#include "platform/Handles.h"
#include "render/Bitmap.h"
#include "render/Surface.h"

namespace lw::bridge {

class TsDibSection {
public:
    // 24- or 32-bit, top-down; an empty size makes an empty section with a device context.
    TsDibSection(int width, int height, render::PixelFormat format);
    ~TsDibSection();
    TsDibSection(const TsDibSection&) = delete;
    TsDibSection& operator=(const TsDibSection&) = delete;

    // Makes the section anew at another size (contents undefined); the surface's origin and
    // clip are reset. Keeps the section when the size and format are already these.
    void Resize(int width, int height, render::PixelFormat format);

    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    bool Empty() const { return bitmap_.Empty(); }
    HDC Dc() const { return dc_.get(); }
    HBITMAP Handle() const { return section_.get(); }
    render::Bitmap& Bitmap() { return bitmap_; }
    const render::Bitmap& Bitmap() const { return bitmap_; }
    render::Surface& Surface() { return surface_; }

private:
    void Create(int width, int height, render::PixelFormat format);

    platform::MemoryDc dc_;
    platform::BitmapHandle section_;
    HGDIOBJ previous_ = nullptr;
    render::Bitmap bitmap_;
    render::Surface surface_{bitmap_};
};

// The device context behind a surface of a TsDibSection; null for any other surface.
HDC DcOfSurface(const render::Surface* surface);

// Copies `src` of a core bitmap to (x, y) of a device context.
void BlitToDc(HDC dc, int x, int y, const render::Bitmap& bitmap, const TRect& src);

}  // namespace lw::bridge
