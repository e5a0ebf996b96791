#pragma once
// The drawing surface painters use where a device context would be: a bitmap with an origin,
// a clip rectangle and excluded rectangles. The Win32 layer backs it with a DIB section.
// Coordinates given to the operations are logical; logical (0, 0) is Origin() in the bitmap.

#include <vector>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

class Surface {
public:
    explicit Surface(Bitmap& target);

    Bitmap& Target() const { return *target_; }

    struct State {
        TPoint Origin;
        TRect Clip;
        std::vector<TRect> Excluded;
    };
    State Save() const { return {origin_, clip_, excluded_}; }
    void Restore(State s);

    TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint origin) { origin_ = origin; }
    void IntersectClip(const TRect& logical);
    void ExcludeClip(const TRect& logical);
    // The clip rectangle in logical coordinates (excluded parts not subtracted).
    TRect ClipBox() const;

    void FillRect(const TRect& logical, TColor color);
    void SetPixel(TPoint logical, TColor color);
    void Copy(TPoint logicalAt, const Bitmap& src, const TRect& srcRect);
    void Stretch(const TRect& logicalDst, const Bitmap& src, const TRect& srcRect);

    // Device rectangles of `deviceRect` that drawing may touch.
    std::vector<TRect> VisibleParts(const TRect& deviceRect) const;

private:
    TRect ToDevice(const TRect& r) const {
        return {r.Left + origin_.X, r.Top + origin_.Y, r.Right + origin_.X, r.Bottom + origin_.Y};
    }

    Bitmap* target_;
    TPoint origin_;
    TRect clip_;
    std::vector<TRect> excluded_;
};

// Solid fill that leaves the surface's state as it found it.
void FillRectSolid(Surface& surface, const TRect& r, TColor color);

}  // namespace lw::render
