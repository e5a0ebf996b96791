#pragma once
// The one colour value of the whole program and the one place system colours are resolved.
// Portable: the toolkit, the pixel core and the skin model all include it, none of them owns it.

#include <cstdint>

namespace lw {

// 0x00BBGGRR: red in the lowest byte. A top byte of 0xFF names a system colour whose index is
// in the lowest byte; it must be resolved to RGB before any arithmetic.
using TColor = std::uint32_t;

// Magenta: a skin pixel of exactly this colour is not painted; as a colour field it means "none".
constexpr TColor TransparentKey = 0xFF00FF;

constexpr std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr TColor MakeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr bool IsSystemColor(TColor c) { return (c >> 24) == 0xFF; }
constexpr TColor SystemColor(int index) { return 0xFF000000u | (static_cast<TColor>(index) & 0xFF); }

// Answers the RGB value of system colour number `index`.
using SystemColorSource = TColor (*)(int index);

namespace detail {

// The usual default scheme for the system colours painters meet; other numbers answer the
// button face, which is what a skinned surface falls back to anyway.
constexpr TColor DefaultSystemColor(int index) {
    switch (index) {
    case 5:
        return 0xFFFFFF;  // window
    case 8:
        return 0x000000;  // window text
    case 13:
        return 0xD77800;  // highlight
    case 14:
        return 0xFFFFFF;  // highlight text
    case 16:
        return 0xA0A0A0;  // button shadow
    case 17:
        return 0x6D6D6D;  // grey text
    case 18:
        return 0x000000;  // button text
    case 20:
        return 0xFFFFFF;  // button highlight
    default:
        return 0xF0F0F0;  // button face
    }
}

inline SystemColorSource g_systemColorSource = DefaultSystemColor;

}  // namespace detail

// The Win32 toolkit installs the platform's answer when the application starts; until then
// (and in portable tests) the default scheme answers. Passing nullptr restores it.
inline void SetSystemColorSource(SystemColorSource source) {
    detail::g_systemColorSource = source != nullptr ? source : detail::DefaultSystemColor;
}

// Turns a system colour into RGB; any other value is returned unchanged.
inline TColor ResolveColor(TColor c) {
    if (!IsSystemColor(c)) return c;
    return detail::g_systemColorSource(static_cast<int>(c & 0xFF)) & 0xFFFFFF;
}

}  // namespace lw
