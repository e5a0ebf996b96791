#pragma once
// The hints of the application's controls, shown by one platform tooltip window: a windowed
// control is a tool by its own window, a windowless one a rectangle of its parent's window. The
// mouse messages of the windows that hold tools are relayed to the tooltip by the toolkit's
// window procedure, so no window is subclassed a second time. The tooltip window is made when the
// pointer first comes over a tool: making the first one maps the common controls, which a
// program's start need not wait for.

#include <windows.h>

#include <map>
#include <string>

namespace lw::platform {

class TControl;

class THints {
public:
    THints() = default;
    ~THints();
    THints(const THints&) = delete;
    THints& operator=(const THints&) = delete;

    // Makes the control's tool follow its hint, window and bounds; an empty hint removes it.
    void Update(const TControl& control);
    void Remove(const TControl& control);
    // Hands a mouse message of `window` to the tooltip when a tool lives in that window.
    void Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The application's hint display, switched off while a button is held down.
    void SetActive(bool active);
    bool Active() const { return active_; }
    // The tooltip window, made when the pointer first comes over a tool; null before.
    HWND Window() const { return window_; }

private:
    struct Tool {
        HWND Owner;
        UINT_PTR Id;
        UINT Flags;
        RECT Rect;
        std::wstring Text;
        bool Added;  // to the tooltip window
    };
    HWND EnsureWindow();
    void AddTool(Tool& tool) const;

    HWND window_ = nullptr;
    bool active_ = true;
    std::map<const TControl*, Tool> tools_;
};

}  // namespace lw::platform
