#pragma once
// The core's text engine over GDI: UTF-8 text drawn and measured through the wide API with
// DrawText flags, fonts made once per look and kept.

#include <windows.h>

#include <map>
#include <tuple>

#include "bridge/DibSection.h"
#include "platform/Handles.h"
#include "render/PixelMemo.h"
#include "render/Text.h"

namespace lw::bridge {

class GdiTextEngine final : public render::TextEngine {
public:
    GdiTextEngine();
    void Draw(render::Surface& surface, const render::TextFont& font, TColor color, std::string_view text,
              const TRect& r, unsigned format) override;
    bool Measure(const render::TextFont& font, std::string_view text, TPoint& size) const override;
    // Fonts made so far (one per name, height and style).
    std::size_t CachedFonts() const { return fonts_.size(); }

private:
    HFONT FontFor(const render::TextFont& font) const;

    using Key = std::tuple<std::string, int, bool, bool, bool>;
    mutable std::map<Key, platform::FontHandle> fonts_;
    platform::MemoryDc measureDc_;
    // Text for plain memory surfaces is drawn here; kept between draws and only ever grown, as
    // making a section costs more than drawing a caption.
    TsDibSection scratch_;
    render::PixelMemo drawn_;
};

// The process's engine, for painters of the UI thread.
GdiTextEngine& ProcessTextEngine();

}  // namespace lw::bridge
