#pragma once
#include <windows.h>

#include <cstdint>

namespace lw::platform {

// Blue in the third byte, green in the second, red in the lowest; a top byte of 0xFF names
// the system colour whose index is in the lowest byte.
using TColor = std::uint32_t;

constexpr TColor SystemColor(int index) { return 0xFF000000u | static_cast<TColor>(index); }
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clGray = 0x808080;

inline COLORREF ColorToRGB(TColor color) {
    return (color >> 24) == 0xFF ? GetSysColor(static_cast<int>(color & 0xFF)) : color & 0xFFFFFF;
}

}  // namespace lw::platform
