#pragma once
// The numbers of the one private message through which skin managers, skinned controls and
// their parents talk, and of the commands it carries. Portable so that the rules answering the
// commands can be tested without windows; the Win32 delivery lives in bridge/.

#include <cstdint>

namespace lw::skin {

constexpr unsigned SM_ALPHACMD = 0xA100;

// The command travels in the high word of WParam, a small argument in the low word.
enum SkinCommand : unsigned {
    SMC_SKINLOADED = 1,
    SMC_SKINREMOVED = 2,
    SMC_REFRESH = 3,
    SMC_GETPROVIDER = 4,
    SMC_ENDUPDATE = 6,
    SMC_ISSKINNED = 7,
    SMC_SETUPDATING = 8,
    SMC_ISBGPENDING = 10,
    SMC_ISHALFVISIBLE = 11,
    SMC_STOPANIM = 16,
    SMC_BGCHANGED = 17,
    SMC_REPAINT = 18,
    SMC_ISPOSDEPENDENT = 19,
    SMC_BGMOVED = 20,
    SMC_GETBGCOLOR = 21,
    SMC_SETHALFVISIBLE = 22,
    SMC_PREPARECACHE = 23,
    SMC_FADEFRAME = 24,
    SMC_CONTROLCHANGED = 25,
    SMC_GETSKININDEX = 26,
    SMC_GETCAPTIONHEIGHT = 27,
    SMC_HOTENTER = 29,
    SMC_HOTLEAVE = 30,
    SMC_GETBG = 34,
    SMC_STATICBG = 36,
    SMC_BEFORESCROLL = 51,
    SMC_AFTERSCROLL = 52,
    SMC_GETAPPLICATION = 60,
};

constexpr std::uintptr_t SkinWParam(unsigned command, unsigned low = 0) {
    return (std::uintptr_t(command & 0xFFFF) << 16) | (low & 0xFFFF);
}
constexpr unsigned SkinCommandOf(std::uintptr_t wParam) { return unsigned(wParam >> 16) & 0xFFFF; }
constexpr unsigned SkinLowWordOf(std::uintptr_t wParam) { return unsigned(wParam) & 0xFFFF; }

// One command as a control's handler sees it; the handler writes Result.
struct SkinMessage {
    unsigned Command = 0;
    unsigned Low = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

}  // namespace lw::skin
