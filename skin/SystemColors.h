#pragma once
// Platform system colours as the skin model reads them: the manager fills the table from the
// program's one system-colour source (ResolveColor) at each load, tests fill it with known
// values, so the model's reader never depends on that source itself.

#include <array>
#include <cstdint>

#include "render/Types.h"

namespace lw::skin {

struct SystemColorTable {
    // Indexed like the platform's system colour indexes (15 is the button face).
    std::array<TColor, 31> Colors{};

    TColor Get(int index) const {
        return index >= 0 && index < static_cast<int>(Colors.size()) ? Colors[static_cast<std::size_t>(index)] : 0;
    }
    // A negative skin colour names a system colour by its low byte; others pass unchanged.
    TColor Resolve(std::int32_t skinColor) const {
        return skinColor < 0 ? Get(skinColor & 0xFF) : static_cast<TColor>(skinColor);
    }
};

}  // namespace lw::skin
