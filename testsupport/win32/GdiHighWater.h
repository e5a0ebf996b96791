#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace lw::testsupport {

// How far up the process's GDI handle table a burst of new objects reaches. Handles of freed
// objects are handed out again before new slots are taken, so this stays put unless objects
// were left alive in between. (Wine does not count GDI objects per process.)
inline int GdiHighWater() {
    std::vector<HRGN> probes(3000);
    int highest = 0;
    for (HRGN& r : probes) {
        r = CreateRectRgn(0, 0, 1, 1);
        highest = std::max(highest, int(LOWORD(reinterpret_cast<ULONG_PTR>(r))));
    }
    for (auto it = probes.rbegin(); it != probes.rend(); ++it) DeleteObject(*it);
    return highest;
}

}  // namespace lw::testsupport
