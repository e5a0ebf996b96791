#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace lw::app {

// One window per user: a second start with a path hands the path to the main window that is
// running already, which opens it and comes to the front.

// Makes `window` the one a second start finds.
void AcceptHandOvers(HWND window);

// Hands `fullPath` to a running main window of another process; true when one took it.
bool HandOverToRunningWindow(const std::wstring& fullPath);

// The path a WM_COPYDATA's parameter carries when it is a hand-over, else nothing.
std::optional<std::wstring> HandedOverPath(LPARAM copyData);

}  // namespace lw::app
