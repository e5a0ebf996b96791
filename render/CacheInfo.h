#pragma once
// What lies behind an item being painted: the parent's painted bitmap with the item's offset
// in it, or a colour. Also the record in which a parent answers a background request.

#include <cstdint>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

class Surface;

struct TsCacheInfo {
    const Bitmap* Bmp = nullptr;  // not owned
    int X = 0;                    // pixel (x, y) of the item is pixel (x + X, y + Y) of Bmp
    int Y = 0;
    TColor FillColor = TransparentKey;  // used when there is no bitmap; TransparentKey = none
    bool Ready = false;                 // Bmp is valid and to be used
};

inline TsCacheInfo CacheInfoFromBitmap(const Bitmap& bmp, int x, int y) { return {&bmp, x, y, TransparentKey, true}; }

inline TsCacheInfo CacheInfoFromColor(TColor color) { return {nullptr, 0, 0, color, false}; }

// Passed where no background is to be consulted. Its fill colour is 0: key pixels of a 32-bit
// image painted against it become fully transparent black.
inline constexpr TsCacheInfo EmptyCacheInfo{nullptr, 0, 0, 0, false};

// A parent's answer to a background request (the request itself travels as a window message).
struct TsBgRequest {
    const lw::render::Bitmap* Bitmap = nullptr;  // Kind 2: the parent's finished background, owned by it
    TColor Color = TransparentKey;               // Kind 1: plain background colour
    int OffsetX = 0;                             // position of the requester's origin in Bitmap
    int OffsetY = 0;
    TRect Area;             // on a draw request: the region of Target to paint
    std::uint8_t Kind = 0;  // 0 not answered, 1 colour, 2 bitmap
    bool DrawNow = false;
    Surface* Target = nullptr;
};

TsCacheInfo BgRequestToCacheInfo(const TsBgRequest& request);

}  // namespace lw::render
