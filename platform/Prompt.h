#pragma once
#include <windows.h>

#include <string_view>

namespace lw::platform {

// Modal message boxes, behind an interface so that tests can answer them instead of a user.
class Prompt {
public:
    virtual ~Prompt() = default;
    // Shows `text` under `caption` (UTF-8) with the MB_* `flags`, owned by `owner`; answers
    // the button pressed (IDOK, IDYES, IDNO, IDCANCEL).
    virtual int Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) = 0;
};

// The system's message box, through the wide API.
class MessageBoxPrompt : public Prompt {
public:
    int Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) override;
};

}  // namespace lw::platform
