#pragma once
// Remembering what a deterministic drawing did to the pixels it could touch: drawn again with
// the same parameters over the same pixels it gives the same pixels, and copying those back
// costs a small part of drawing text through the system again.

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

class PixelMemo {
public:
    // Keeps the most recent results whose pixels (before and after) fit in `byteBudget`.
    explicit PixelMemo(std::size_t byteBudget) : budget_(byteBudget) {}

    // Writes the remembered result into `area` of `target` when a drawing described by `key`
    // once started from exactly the pixels `area` holds now.
    bool Replay(const std::string& key, Bitmap& target, const TRect& area);
    // Remembers a drawing: `before` held its pixels before it, `after` holds them now (two
    // areas of one size and format).
    void Record(std::string key, const Bitmap& before, const TRect& beforeArea, const Bitmap& after,
                const TRect& afterArea);

    std::size_t Bytes() const { return bytes_; }

private:
    struct Entry {
        std::string Key;
        int Width, Height;
        PixelFormat Format;
        std::vector<std::uint8_t> Before, After;
    };
    std::list<Entry> entries_;  // most recently used first
    std::size_t budget_;
    std::size_t bytes_ = 0;
};

}  // namespace lw::render
