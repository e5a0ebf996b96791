#include "controls/images/IconReading.h"

#include <windows.h>

#include <algorithm>

#include "controls/images/core/IconFile.h"
#include "platform/Handles.h"

namespace lw::controls {

namespace {

// The bitmap's pixels as 32-bit rows top down; empty when it is not width x height.
std::vector<std::uint8_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    BITMAP header{};
    if (!GetObjectW(bitmap, sizeof header, &header) || header.bmWidth != width || header.bmHeight != height) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height) return {};
    return pixels;
}

}  // namespace

bool ReadIconFile(const std::vector<std::uint8_t>& file, int width, int height, render::Bitmap& out) {
    if (width <= 0 || height <= 0) return false;
    const auto picture = PickIconImage(file, width, height);
    if (!picture) return false;
    // The platform hands a two-colour icon back as one mask of both halves; read it ourselves.
    if (auto twoColour = ReadTwoColourIcon(*picture, width, height)) {
        out = std::move(*twoColour);
        return true;
    }
    // The platform reads only from a writable buffer.
    std::vector<std::uint8_t> bits(picture->begin(), picture->end());
    platform::IconHandle icon(CreateIconFromResourceEx(bits.data(), static_cast<DWORD>(bits.size()), TRUE, 0x00030000,
                                                       width, height, LR_DEFAULTCOLOR));
    if (!icon) return false;
    ICONINFO info{};
    if (!GetIconInfo(icon.get(), &info)) return false;
    const platform::BitmapHandle color(info.hbmColor);
    const platform::BitmapHandle mask(info.hbmMask);
    if (!color) return false;
    std::vector<std::uint8_t> pixels = PixelsOf(color.get(), width, height);
    if (pixels.empty()) return false;

    bool hasAlpha = false;
    for (std::size_t i = 3; i < pixels.size(); i += 4) hasAlpha = hasAlpha || pixels[i] != 0;
    if (!hasAlpha) {
        // Older icons say what is transparent only in their mask: set bits are see-through.
        const std::vector<std::uint8_t> maskPixels =
            mask ? PixelsOf(mask.get(), width, height) : std::vector<std::uint8_t>{};
        for (std::size_t i = 0; i < pixels.size(); i += 4)
            pixels[i + 3] = !maskPixels.empty() && maskPixels[i] != 0 ? 0 : 255;
    }
    out = render::CreateBmp32(width, height);
    for (int y = 0; y < height; ++y)
        std::copy_n(&pixels[static_cast<std::size_t>(y) * width * 4], static_cast<std::size_t>(width) * 4, out.Row(y));
    return true;
}

}  // namespace lw::controls
