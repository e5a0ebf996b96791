#include "platform/MessageHook.h"

#include <commctrl.h>

#include "platform/Control.h"
#include "platform/ErrorReport.h"
#include "platform/Exception.h"
#include "platform/MessageHookChain.h"

namespace lw::platform {
namespace {

constexpr UINT_PTR kSubclassId = 0x4C57;
// The chain of a subclassed window, found again by the next hook on the same window.
constexpr wchar_t kChainProperty[] = L"LwHookChain";

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    // Held here so that the chain outlives whatever its hooks do to it meanwhile.
    const std::shared_ptr<HookChain> chain = reinterpret_cast<HookChain*>(data)->Self;
    if (!chain) return DefSubclassProc(window, message, wParam, lParam);
    TMessage m{message, wParam, lParam};
    ++chain->Depth;
    try {
        chain->Dispatch(chain->Head, m);
    } catch (...) {
        ReportException(std::current_exception());
    }
    --chain->Depth;
    if (message == WM_NCDESTROY) chain->Detach();
    chain->ReleaseWindowIfUnused();
    return m.Result;
}

}  // namespace

void HookChain::Dispatch(const std::shared_ptr<HookNode>& from, TMessage& m) {
    std::shared_ptr<HookNode> node = from;
    while (node && node->Removed) node = node->Next;
    if (node) {
        node->Handler(m);  // `node` keeps the handler alive even if its hook is freed inside
    } else if (!Detached && Base) {
        Base(m);
    } else {
        m.Result = 0;
    }
}

void HookChain::Insert(const std::shared_ptr<HookNode>& node) {
    node->Next = Head;
    Head = node;
}

void HookChain::Unlink(HookNode& node) {
    node.Removed = true;
    if (Head.get() == &node) {
        Head = node.Next;
        return;
    }
    for (HookNode* p = Head.get(); p; p = p->Next.get()) {
        if (p->Next.get() == &node) {
            p->Next = node.Next;
            return;
        }
    }
}

void HookChain::RemoveAll() {
    for (HookNode* p = Head.get(); p; p = p->Next.get()) p->Removed = true;
    Head.reset();
}

void HookChain::Detach() {
    Detached = true;
    RemoveAll();
}

void HookChain::ReleaseWindowIfUnused() {
    if (!Window || Depth > 0 || (Head && !Detached)) return;
    RemoveWindowSubclass(Window, &SubclassProc, kSubclassId);
    RemovePropW(Window, kChainProperty);
    Window = nullptr;
    const std::shared_ptr<HookChain> last = std::move(Self);  // may free this chain on return
}

std::shared_ptr<HookChain> TMessageHook::ChainOf(TControl& control) {
    if (!control.hooks_) {
        auto chain = std::make_shared<HookChain>();
        chain->Base = std::move(control.WindowProc);
        control.WindowProc = [chain = chain.get()](TMessage& m) { chain->Dispatch(chain->Head, m); };
        control.hooks_ = std::move(chain);
    }
    return control.hooks_;
}

std::shared_ptr<HookChain> TMessageHook::ChainOf(HWND window) {
    if (TWinControl* control = TWinControl::FromHandle(window)) return ChainOf(*control);
    if (auto* existing = static_cast<HookChain*>(GetPropW(window, kChainProperty))) return existing->Self;
    if (!IsWindow(window)) throw Exception("Cannot hook a window that does not exist");
    auto chain = std::make_shared<HookChain>();
    chain->Window = window;
    chain->Base = [window](TMessage& m) { m.Result = DefSubclassProc(window, m.Msg, m.WParam, m.LParam); };
    if (!SetWindowSubclass(window, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(chain.get()))) {
        throw Exception("Cannot hook window");
    }
    SetPropW(window, kChainProperty, chain.get());
    chain->Self = chain;
    return chain;
}

TMessageHook::TMessageHook(std::shared_ptr<HookChain> chain, Handler handler)
    : chain_(std::move(chain)), node_(std::make_shared<HookNode>()) {
    node_->Handler = std::move(handler);
    chain_->Insert(node_);
}

TMessageHook::TMessageHook(TControl& control, Handler handler) : TMessageHook(ChainOf(control), std::move(handler)) {}

TMessageHook::TMessageHook(HWND window, Handler handler) : TMessageHook(ChainOf(window), std::move(handler)) {}

TMessageHook::~TMessageHook() { Remove(); }

void TMessageHook::CallPrevious(TMessage& message) const {
    if (!chain_ || !node_) {
        message.Result = 0;
        return;
    }
    chain_->Dispatch(node_->Next, message);
}

void TMessageHook::Remove() {
    if (!chain_ || !node_ || node_->Removed) return;
    chain_->Unlink(*node_);
    chain_->ReleaseWindowIfUnused();
}

bool TMessageHook::Attached() const { return chain_ && node_ && !node_->Removed && !chain_->Detached; }

}  // namespace lw::platform
