#pragma once
#include "platform/Prompt.h"

namespace lw::testsupport {

// Answers every message box with OK at once, so a test or benchmark never waits for a click.
class SilentPrompt : public platform::Prompt {
public:
    int Show(HWND, std::string_view, std::string_view, UINT) override { return IDOK; }
};

}  // namespace lw::testsupport
