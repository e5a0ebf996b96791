#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/Messages.h"

namespace lw::platform {

class TControl;
struct HookChain;
struct HookNode;

// A handler placed in front of a window's or a control's message handling: the one way
// adapters and the skin manager look at messages before their owner does.
//
// For a toolkit control the hook sits in the control's WindowProc slot; for a window the
// toolkit does not own (a system dialog's child) the window is subclassed once and all its
// hooks share that subclass. The newest hook sees a message first; CallPrevious passes it on
// to the one installed before it, and finally to the control or the window's own procedure.
// Hooks may be removed in any order, also from inside a handler that is running: the message
// in flight still reaches the rest of the chain. When the control is freed or the window
// destroyed (a control's window too), its hooks come off by themselves (Attached() turns false).
class TMessageHook {
public:
    using Handler = std::function<void(TMessage& message)>;

    // In front of the control's WindowProc; windowless controls too.
    TMessageHook(TControl& control, Handler handler);
    // In front of a window: through its control object when the toolkit owns it, otherwise
    // by subclassing it.
    TMessageHook(HWND window, Handler handler);
    ~TMessageHook();
    TMessageHook(const TMessageHook&) = delete;
    TMessageHook& operator=(const TMessageHook&) = delete;

    // Passes the message to what was in place before this hook; Result holds its answer. Once
    // the window is gone, the result is 0.
    void CallPrevious(TMessage& message) const;
    // Takes this hook out of the chain; the others stay as they were.
    void Remove();
    bool Attached() const;

private:
    static std::shared_ptr<HookChain> ChainOf(TControl& control);
    static std::shared_ptr<HookChain> ChainOf(HWND window);
    TMessageHook(std::shared_ptr<HookChain> chain, Handler handler);

    std::shared_ptr<HookChain> chain_;
    std::shared_ptr<HookNode> node_;
};

}  // namespace lw::platform
