#pragma once
// The one private message through which the skin manager, the skinned controls and their
// parents talk, and the commands it carries. Portable: the pure logic of the manager and of the
// controls speaks in these numbers; the Win32 layer sends them as window messages.

#include <cstdint>

namespace lw::skin {

// Inside the platform's application-private range (0x8000-0xBFFF), the same for every window.
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

// The three commands the manager broadcasts and containers pass on to their children.
constexpr bool IsBroadcastCommand(unsigned command) {
    return command == SMC_SKINLOADED || command == SMC_SKINREMOVED || command == SMC_REFRESH;
}

// A skinned container's handling of a broadcast: its own reaction and the pass to its children,
// in the command's order. After a load the children resolve their sections first, so the
// container's own cache is rebuilt over children that already know their looks; on removal and
// refresh the container goes first, so no child asks a parent still holding stale data.
template <class OwnReaction, class PassOn>
void HandleBroadcastInOrder(unsigned command, OwnReaction&& own, PassOn&& passOn) {
    if (command == SMC_SKINLOADED) {
        passOn();
        own();
    } else {
        own();
        passOn();
    }
}

}  // namespace lw::skin
