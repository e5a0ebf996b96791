#pragma once
// Real toolkit windows that speak the skin protocol: a control made "skinned" answers
// SMC_ISSKINNED and records every skin command it receives.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/SkinCommands.h"
#include "platform/Application.h"
#include "platform/Containers.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/Prompt.h"
#include "skin/BroadcastWalk.h"

namespace lw::bridge::testing {

class CapturingPrompt : public platform::Prompt {
public:
    int Show(HWND, std::string_view text, std::string_view, UINT) override {
        Texts.emplace_back(text);
        return IDOK;
    }
    std::vector<std::string> Texts;
};

struct Received {
    std::string Who;
    unsigned Command;
    LPARAM LParam;
    bool operator==(const Received&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Received& r) {
    return out << r.Who << ":" << r.Command << ":" << r.LParam;
}

struct BridgeTest : ::testing::Test {
    CapturingPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    std::vector<Received> Log;

    // Makes the control answer SMC_ISSKINNED, record commands and, for a container, pass the
    // broadcasts on in their order. `answer` may answer other commands (return true when it did).
    void Skin(platform::TControl& control, std::string who, std::function<bool(platform::TMessage&)> answer = nullptr) {
        auto previous = control.WindowProc;
        control.WindowProc = [this, &control, who, previous, answer](platform::TMessage& m) {
            if (m.Msg != skin::SM_ALPHACMD) return previous(m);
            const unsigned command = skin::SkinCommandOf(m.WParam);
            if (command == skin::SMC_ISSKINNED) {
                m.Result = 1;
                return;
            }
            if (answer && answer(m)) return;
            auto* container = dynamic_cast<platform::TWinControl*>(&control);
            const auto own = [&] { Log.push_back({who, command, m.LParam}); };
            if (container != nullptr &&
                (command == skin::SMC_SKINLOADED || command == skin::SMC_SKINREMOVED || command == skin::SMC_REFRESH))
                skin::HandleBroadcastInOrder(command == skin::SMC_SKINLOADED, own,
                                             [&] { BroadcastToChildren(*container, m.Msg, m.WParam, m.LParam); });
            else
                own();
        };
    }
};

}  // namespace lw::bridge::testing
