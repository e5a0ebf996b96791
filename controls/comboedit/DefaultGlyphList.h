#pragma once
// The glyphs every combo edit's button can show without a list of its own: "SF" (a document),
// "SR" (a folder), "SD" (a calendar), "SE" (three dots), "SC" (a calculator) at indexes 0 to 4,
// each a 48 x 16 strip of its normal, hot and pressed states, read from the program's PNG
// resources of those names.

#include <memory>

#include "controls/images/AlphaImageList.h"

namespace lw::controls {

// Holds the list from start-up to shutdown: the program makes one before its windows and the
// list goes with it. Throws the resource error naming a missing glyph.
class TsDefaultGlyphList {
public:
    TsDefaultGlyphList();
    ~TsDefaultGlyphList();
    TsDefaultGlyphList(const TsDefaultGlyphList&) = delete;
    TsDefaultGlyphList& operator=(const TsDefaultGlyphList&) = delete;

private:
    std::unique_ptr<controls::TsAlphaImageList> list_;
};

// The list while a TsDefaultGlyphList exists, else null (buttons then show no glyph).
const controls::TsAlphaImageList* DefaultGlyphList();

inline constexpr int kFolderGlyph = 1;

}  // namespace lw::controls
