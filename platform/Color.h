#pragma once
#include <windows.h>

#include "base/Color.h"

namespace lw::platform {

using lw::TColor;  // the program's one colour type, also under the toolkit's name

constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clGray = 0x808080;

// The platform's own system colours; the application installs this as the program's one
// source of system colours, so the toolkit and the pixel core resolve them alike.
inline TColor PlatformSystemColor(int index) { return GetSysColor(index); }

inline COLORREF ColorToRGB(TColor color) { return ResolveColor(color) & 0xFFFFFF; }

}  // namespace lw::platform
