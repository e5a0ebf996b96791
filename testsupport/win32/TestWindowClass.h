#pragma once

#include <windows.h>

namespace lw::testsupport {

// Registers a window class of this program under `name`, served by `procedure`, and answers the
// name for CreateWindowEx. A second registration of the same name keeps the first.
inline const wchar_t* TestWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
    return name;
}

}  // namespace lw::testsupport
