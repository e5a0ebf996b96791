#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace lw::gallery {

using namespace std::chrono_literals;

// Serves `done` until it holds or `limit` passes; answers whether it held.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 30s);

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// The first window below `parent`, at any depth, that `match` accepts; null if none does.
HWND FindChild(HWND parent, const std::function<bool(HWND)>& match);
HWND ChildWithText(HWND parent, const std::wstring& text);
HWND ChildOfClass(HWND parent, const std::wstring& kind, LONG style = 0);

// A program started as its own process and driven from outside through its windows, as a user
// would: the windows are found by caption or class, buttons pressed, list entries picked.
class RunningProgram {
public:
    RunningProgram(const std::wstring& program, const std::wstring& folder);
    // Closes the main window; ends the process when it does not close in time.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // A visible top-level window of the program; throws when none appears in time.
    HWND TopLevel(const std::wstring& caption) const;
    // Answers once `window` is hidden or gone; throws when it stays.
    void WaitUntilHidden(HWND window) const;

private:
    PROCESS_INFORMATION process_{};
};

// As a click on the button, without moving the pointer.
void Press(HWND button);
// As a user's click on the entry: the selection moves, then the list tells its parent.
void Pick(HWND list, int index);

}  // namespace lw::gallery
