#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Containers.h"
#include "platform/Form.h"

namespace lw::platform::testing {

class CapturingPrompt : public Prompt {
public:
    int Show(HWND, std::string_view text, std::string_view, UINT) override {
        texts.emplace_back(text);
        if (duringShow) duringShow();
        return IDOK;
    }
    std::vector<std::string> texts;
    std::function<void()> duringShow;
};

// An application with a form and a panel on it.
struct Toolkit : ::testing::Test {
    CapturingPrompt prompt;
    TApplication application{prompt};
    TForm form{nullptr};
    TPanel& panel = form.Make<TPanel>(&form);
};

}  // namespace lw::platform::testing
