#pragma once
// The frame every skinned control paints within, over the toolkit control it skins: the
// common skin data and the owner it reads the control through, the guard for the messages
// that come while the object is incomplete, the skin commands, loading, the one answer to
// "may the control paint now", and the paint message's device context. A control overrides
// the steps it does differently and keeps only its own painting, geometry and events.

#include <windows.h>

#include <memory>
#include <utility>

#include "controls/base/CommonDataWindow.h"
#include "controls/base/ControlSkinOwner.h"
#include "controls/base/PaintDc.h"
#include "controls/base/core/CommonData.h"
#include "platform/Control.h"
#include "platform/Messages.h"

namespace lw::controls {

// What the frame needs to know of a control before its toolkit base exists.
struct SkinSetup {
    const char* ClassName;
    int Kind = 0;
    bool IsEdit = false;
    bool WithCache = true;
    // The control takes the skinned way while its form still loads: the containers and
    // buttons, which keep their caches' size and staleness up to date in that time.
    bool PaintsWhileLoading = false;
};

template <class Base>
class TsSkinned : public Base {
public:
    TsCommonData& SkinData() { return *skinData_; }
    const TsCommonData& SkinData() const { return *skinData_; }

protected:
    template <class... Args>
    explicit TsSkinned(const SkinSetup& setup, Args&&... args)
        : Base(std::forward<Args>(args)...),
          owner_(*this, setup.ClassName, setup.IsEdit),
          skinData_(std::make_unique<TsCommonData>(owner_, setup.WithCache)),
          paintsWhileLoading_(setup.PaintsWhileLoading) {
        skinData_->ControlKind = setup.Kind;
    }
    // The data goes before the toolkit base's window: messages of the window's last moments
    // find it gone and take the platform's way.
    ~TsSkinned() override { skinData_.reset(); }

    void WndProc(platform::TMessage& m) override {
        if (!skinData_) {  // the window's first and last messages come while the object is incomplete
            PlatformMessage(m);
            return;
        }
        if (m.Msg == skin::SM_ALPHACMD) {
            SkinCommand(m);
            return;
        }
        if (m.Msg == platform::CM_LOADED && SkinLoaded(m)) return;
        Dispatch(m);
    }

    // --- override points ---

    // Override to handle what the control's platform class does (default: the toolkit base).
    virtual void PlatformMessage(platform::TMessage& m) { Base::WndProc(m); }
    // Override to answer skin commands of the control's own before the shared answers.
    virtual void SkinCommand(platform::TMessage& m) {
        if (!HandleSkinCommand(*skinData_, m)) PlatformMessage(m);
    }
    // Override to finish loading otherwise; true when CM_LOADED needs nothing further.
    virtual bool SkinLoaded(platform::TMessage& m) {
        (void)m;
        skinData_->ControlLoaded();
        return false;
    }
    // Override to route the messages otherwise than skinned or plain.
    virtual void Dispatch(platform::TMessage& m) {
        if (CanPaint() && skinData_->Skinned())
            SkinnedMessage(m);
        else
            UnskinnedMessage(m);
    }
    // Override with the control's skinned handling; what it leaves goes through here.
    virtual void SkinnedMessage(platform::TMessage& m) {
        if (!HandleWindowMessage(*skinData_, *this, m)) PlatformMessage(m);
    }
    // Override with the control's handling while it is not skinned or cannot paint.
    virtual void UnskinnedMessage(platform::TMessage& m) { PlatformMessage(m); }

    // --- for the control ---

    // A window to paint, in a parent whose background it takes, complete and not going away.
    bool CanPaint() const {
        const unsigned state = this->ComponentState();
        if (this->Handle() == nullptr || this->platform::TControl::Parent() == nullptr ||
            (state & platform::csDestroying))
            return false;
        return !(state & platform::csLoading) || paintsWhileLoading_;
    }
    // The command came from the manager this control follows.
    bool OwnCommand(const platform::TMessage& m) const {
        const skin::SkinManagerView* manager = skinData_->GetSkinManager();
        return manager != nullptr && manager->CommandId() == m.LParam;
    }
    ControlSkinOwner& SkinOwnerOf() { return owner_; }

private:
    ControlSkinOwner owner_;
    std::unique_ptr<TsCommonData> skinData_;
    const bool paintsWhileLoading_;
};

}  // namespace lw::controls
