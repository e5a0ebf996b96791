#include "render/PixelMemo.h"

#include <algorithm>
#include <cstring>

namespace lw::render {

namespace {

std::size_t RowBytes(const Bitmap& b, const TRect& area) {
    return static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(b.BytesPerPixel());
}

std::vector<std::uint8_t> Packed(const Bitmap& b, const TRect& area) {
    const std::size_t row = RowBytes(b, area);
    std::vector<std::uint8_t> out(row * static_cast<std::size_t>(area.Height()));
    for (int y = 0; y < area.Height(); ++y)
        std::memcpy(out.data() + row * static_cast<std::size_t>(y), b.Pixel(area.Left, area.Top + y), row);
    return out;
}

bool Inside(const Bitmap& b, const TRect& area) {
    return !area.IsEmpty() && area.Left >= 0 && area.Top >= 0 && area.Right <= b.Width() && area.Bottom <= b.Height();
}

}  // namespace

bool PixelMemo::Replay(const std::string& key, Bitmap& target, const TRect& area) {
    if (!Inside(target, area)) return false;
    const std::size_t row = RowBytes(target, area);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->Key != key || it->Width != area.Width() || it->Height != area.Height() || it->Format != target.Format())
            continue;
        bool same = true;
        for (int y = 0; y < area.Height() && same; ++y)
            same = std::memcmp(it->Before.data() + row * static_cast<std::size_t>(y),
                               target.Pixel(area.Left, area.Top + y), row) == 0;
        if (!same) continue;
        for (int y = 0; y < area.Height(); ++y)
            std::memcpy(target.Pixel(area.Left, area.Top + y), it->After.data() + row * static_cast<std::size_t>(y),
                        row);
        entries_.splice(entries_.begin(), entries_, it);
        return true;
    }
    return false;
}

void PixelMemo::Record(std::string key, const Bitmap& before, const TRect& beforeArea, const Bitmap& after,
                       const TRect& afterArea) {
    if (!Inside(before, beforeArea) || !Inside(after, afterArea) || before.Format() != after.Format() ||
        beforeArea.Width() != afterArea.Width() || beforeArea.Height() != afterArea.Height())
        return;
    const std::size_t size = 2 * RowBytes(before, beforeArea) * static_cast<std::size_t>(beforeArea.Height());
    if (size > budget_) return;
    while (bytes_ + size > budget_) {
        bytes_ -= entries_.back().Before.size() + entries_.back().After.size();
        entries_.pop_back();
    }
    entries_.push_front(Entry{std::move(key), beforeArea.Width(), beforeArea.Height(), before.Format(),
                              Packed(before, beforeArea), Packed(after, afterArea)});
    bytes_ += size;
}

}  // namespace lw::render
