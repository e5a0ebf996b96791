#pragma once
// A memo dressed as the skinned memo will be, for the adapters' tests and benchmark: common
// data bound to it, and the edit adapter attached whenever the skin is loaded, refreshed or
// removed.

#include <functional>

#include "controls/base/CommonDataWindow.h"
#include "controls/base/ControlSkinOwner.h"
#include "controls/adapters/WindowAdapters.h"
#include "platform/Edits.h"

namespace lw::controls {

class SkinnedMemo : public platform::TMemo {
public:
    SkinnedMemo(platform::TComponent* owner, platform::TWinControl* parent, bool wordWrap = true)
        : TMemo(owner, parent, DefaultCreateParams({.VerticalScrollBar = true, .WordWrap = wordWrap})) {
        data.SetSkinSection("EDIT");
    }
    ControlSkinOwner owner{*this, "TsMemo", true};
    TsCommonData data{owner, true};
    AdapterPtr adapter;
    std::function<void(unsigned command)> OnSkinCommand;

protected:
    // As a skinned control finishes loading: it takes its section's colours.
    void Loaded() override {
        TMemo::Loaded();
        data.ControlLoaded();
    }
    void WndProc(platform::TMessage& m) override {
        if (m.Msg == skin::SM_ALPHACMD) {
            const unsigned command = skin::SkinCommandOf(m.WParam);
            HandleSkinCommand(data, m);
            if (command == skin::SMC_SKINLOADED || command == skin::SMC_REFRESH || command == skin::SMC_SKINREMOVED) {
                AttachEditAdapter(data, adapter);
            }
            if (OnSkinCommand) OnSkinCommand(command);
            return;
        }
        TMemo::WndProc(m);
    }
};

}  // namespace lw::controls
