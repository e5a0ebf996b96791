#pragma once
// Skinned controls whose frame and scroll bars a window adapter draws (the memo, the list box,
// the tree): the frame of every skinned control plus the adapter's slot, attached when the
// control is skinned, shown or loaded and dropped when its skin goes.

#include <windows.h>

#include "controls/adapters/ScrollParts.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/base/Skinned.h"
#include "platform/Messages.h"

namespace lw::controls {

// Frame, background and client of `window` painted anew; nothing without a window.
void RedrawWholeWindow(HWND window);

using AttachAdapterFn = void (*)(TsCommonData&, AdapterPtr&);

template <class Base, AttachAdapterFn Attach>
class TsAdapted : public TsSkinned<Base> {
public:
    // The adapter that draws frame and scroll bars while the control is skinned; null otherwise.
    TgwMainWnd* Adapter() const { return adapter_.get(); }
    // The slot others may attach an adapter to: one live adapter at a time.
    AdapterPtr& AdapterSlot() { return adapter_; }

protected:
    using TsSkinned<Base>::TsSkinned;
    // Freed before the common data it paints from.
    ~TsAdapted() override { adapter_.reset(); }

    void AttachAdapter() { Attach(this->SkinData(), adapter_); }
    void DropAdapter() { adapter_.reset(); }
    // The bars read their ranges again from the window and repaint.
    void RefreshBars() {
        if (auto* bars = dynamic_cast<TgwScrollWnd*>(adapter_.get()); bars != nullptr && !bars->Unhooked)
            RefreshScrollBars(*bars, true);
    }

    // A skin of the control's own manager loaded, removed or refreshed: the adapter goes with
    // the skin and comes back with the refresh.
    void SkinCommand(platform::TMessage& m) override {
        TsCommonData& d = this->SkinData();
        if (this->OwnCommand(m)) {
            switch (skin::SkinCommandOf(m.WParam)) {
            case skin::SMC_SKINLOADED:
                HandleSkinCommand(d, m);
                return;
            case skin::SMC_SKINREMOVED:
                // The adapter's colours go first, the unskinned control's over them; the adapter
                // is dropped last, so that the platform's frame, computed and painted once as it
                // unhooks, already shows them and no later frame paint is pending.
                if (adapter_) adapter_->GiveColorsBack();
                HandleSkinCommand(d, m);
                SkinRemoved();
                adapter_.reset();
                return;
            case skin::SMC_REFRESH:
                HandleSkinCommand(d, m);
                AttachAdapter();
                SkinRefreshed();
                RedrawWholeWindow(this->Handle());
                return;
            default:
                break;
            }
        }
        TsSkinned<Base>::SkinCommand(m);
    }
    // Override to give the platform back more than its frame once the skin is gone.
    virtual void SkinRemoved() {}
    // Override to take more of the refreshed skin.
    virtual void SkinRefreshed() {}

    // The platform's class learns it is loaded before the adapter comes.
    bool SkinLoaded(platform::TMessage& m) override {
        this->SkinData().ControlLoaded();
        this->PlatformMessage(m);
        AttachAdapter();
        return true;
    }

    // Paints only over a finished background: while the background is pending the window is
    // validated unpainted.
    void SkinnedMessage(platform::TMessage& m) override {
        TsCommonData& d = this->SkinData();
        if (m.Msg == WM_PAINT) {
            if (!d.RefreshUpdating()) {
                this->PlatformMessage(m);
                Painted();
            } else if (m.WParam == 0) {
                platform::PaintScope validate(this->Handle());
            }
            return;
        }
        if (HandleWindowMessage(d, *this, m)) return;
        this->PlatformMessage(m);
        if (m.Msg == WM_SETFONT || m.Msg == platform::CM_VISIBLECHANGED || m.Msg == platform::CM_ENABLEDCHANGED)
            d.InvalidateSkin();
        AfterPlatform(m);
    }
    // The step after the platform handled a skinned message: a window shown anew gets its
    // adapter, then the control's own step.
    void AfterPlatform(const platform::TMessage& m) {
        if (m.Msg == platform::CM_SHOWINGCHANGED) AttachAdapter();
        AfterMessage(m);
    }
    // Override for what follows the platform's own painting.
    virtual void Painted() {}
    // Override for what follows the platform's handling of a skinned message.
    virtual void AfterMessage(const platform::TMessage& m) { (void)m; }

private:
    AdapterPtr adapter_;
};

}  // namespace lw::controls
