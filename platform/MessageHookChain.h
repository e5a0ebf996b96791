#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/MessageHook.h"

namespace lw::platform {

// One hook in a chain. A removed node keeps its link onward, so a message that is passing
// through it (or through a node that still points at it) goes on to the rest of the chain.
struct HookNode {
    TMessageHook::Handler Handler;
    std::shared_ptr<HookNode> Next;
    bool Removed = false;
};

// The hooks of one control or one window, newest first, in front of Base: the control's
// WindowProc as it was, or the window's procedure behind the subclass.
struct HookChain {
    std::shared_ptr<HookNode> Head;
    std::function<void(TMessage&)> Base;
    HWND Window = nullptr;            // a subclassed window; null for a control's chain
    bool Detached = false;            // the control or window is gone
    int Depth = 0;                    // messages of this window being handled right now
    std::shared_ptr<HookChain> Self;  // keeps a window's chain while it is subclassed

    // Passes the message to the first live hook from `from` on, or to Base.
    void Dispatch(const std::shared_ptr<HookNode>& from, TMessage& message);
    void Insert(const std::shared_ptr<HookNode>& node);
    void Unlink(HookNode& node);
    // Every hook comes off; the chain stays usable for hooks put on later.
    void RemoveAll();
    // Every hook comes off for good; later calls answer 0.
    void Detach();
    // A window's chain lets go of the window once no hook is left and no message is in flight.
    void ReleaseWindowIfUnused();
};

}  // namespace lw::platform
