#include "controls/forms/FormSkinning.h"

#include <algorithm>
#include <string>

#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "skin/SkinProtocol.h"
#include "controls/forms/HintAdapter.h"
#include "controls/forms/Provider.h"
#include "controls/forms/core/SkinningRules.h"
#include "platform/Form.h"

namespace lw::controls {

namespace {

std::string ClassNameOf(HWND window) {
    char name[129] = {};
    const int length = GetClassNameA(window, name, static_cast<int>(sizeof name));
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

void FreeProvider(TFormSkinning& skinning, TgwProvider* provider) {
    skinning.Forget(*provider);
    if (provider->Owner() == nullptr) {
        delete provider;
    } else if ((provider->Owner()->ComponentState() & platform::csDestroying) == 0) {
        provider->Free();
    } else {
        provider->Detach();  // its form frees it in a moment
    }
}

// A provider whose dialog has gone, or whose window no longer exists: a new window that gets
// the same handle must never be taken for it.
bool Stale(const TgwProvider& provider) {
    if (provider.DialogAdapter != nullptr && provider.DialogAdapter->Gone()) return true;
    const HWND window = provider.FormProvider != nullptr ? provider.FormProvider->Window() : provider.DialogWindow;
    return window != nullptr && !IsWindow(window);
}

bool HasToolBarDescendant(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (LowerAscii(ClassNameOf(child)) == "toolbarwindow32" || HasToolBarDescendant(child)) return true;
    }
    return false;
}

void AttachFormProvider(TFormSkinning& skinning, TgwProvider& provider, platform::TForm& form) {
    provider.FormProvider = std::make_unique<TsSkinProvider>(form, skinning);
    if (CompositionEnabled()) {
        SetWindowLongW(form.Handle(), GWL_STYLE, GetWindowLongW(form.Handle(), GWL_STYLE) | WS_VISIBLE);
        RedrawWindow(form.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

platform::TForm* FormOfWindow(HWND window) {
    const auto& forms = platform::TForm::AllForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        if ((*it)->Handle() == window) return *it;
    }
    return nullptr;
}

void SendToTree(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageW(window, message, wParam, lParam);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        SendToTree(child, message, wParam, lParam);
}

// The form skinning the hook works for: the default manager's.
TFormSkinning* DefaultFormSkinning() {
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    return manager != nullptr ? dynamic_cast<TFormSkinning*>(manager->FormSkinning()) : nullptr;
}

}  // namespace

TFormSkinning::~TFormSkinning() { RemoveHook(); }

void TFormSkinning::InstallHook() {
    if (hook_ != nullptr) return;
    hook_ = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    // The hint window may have been made before the skin was there.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM self) {
            if (LowerAscii(ClassNameOf(window)) == "tooltips_class32")
                reinterpret_cast<TFormSkinning*>(self)->hints_.push_back(std::make_unique<TgwHintWnd>(window, true));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
}

void TFormSkinning::RemoveHook() {
    if (hook_ == nullptr) return;
    menus_.clear();
    hints_.clear();
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    for (std::size_t i = 0; i < providers_.size(); ++i) {
        if (providers_[i] != nullptr) FreeProvider(*this, providers_[i]);
    }
    providers_.clear();
}

void TFormSkinning::Broadcast(UINT message, WPARAM wParam, LPARAM lParam) {
    for (std::size_t i = 0; i < providers_.size(); ++i) {
        const TgwProvider* p = providers_[i];
        if (p == nullptr || Stale(*p)) continue;
        const HWND window = p->FormProvider != nullptr ? p->FormProvider->Window() : p->DialogWindow;
        if (window != nullptr) SendMessageW(window, message, wParam, lParam);
    }
}

void TFormSkinning::Adopt(TgwProvider& provider) { providers_.push_back(&provider); }

void TFormSkinning::Forget(TgwProvider& provider) {
    for (TgwProvider*& entry : providers_) {
        if (entry == &provider) entry = nullptr;
    }
    provider.skinning_ = nullptr;
}

void TFormSkinning::RefreshPopupMenus() const {
    for (const auto& menu : menus_) menu->Refresh();
}

LRESULT CALLBACK TFormSkinning::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TFormSkinning* skinning = DefaultFormSkinning();
    const LRESULT result = CallNextHookEx(skinning != nullptr ? skinning->hook_ : nullptr, code, wParam, lParam);
    if (skinning == nullptr) return result;
    // Nothing may leave through the platform's call: a window that cannot be skinned keeps the
    // platform's look.
    try {
        skinning->React(code, reinterpret_cast<HWND>(wParam));
    } catch (...) {}
    return result;
}

void TFormSkinning::React(int code, HWND window) {
    switch (code) {
    case HCBT_CREATEWND: {
        bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
        if (manager != nullptr && ClassNameOf(window) == "#32768" && !CompositionEnabled() && manager->SkinnedPopups &&
            !IsWindowSkinned(window))
            menus_.push_back(std::make_unique<TgwMnuWnd>(window));
        else if (manager != nullptr && LowerAscii(ClassNameOf(window)) == "tooltips_class32")
            hints_.push_back(std::make_unique<TgwHintWnd>(window, false));
        break;
    }
    case HCBT_DESTROYWND:
        SweepProviders();
        break;
    case HCBT_ACTIVATE:
        SkinOnActivate(window);
        break;
    }
}

void TFormSkinning::SweepProviders() {
    for (std::size_t i = 0; i < providers_.size(); ++i) {
        if (providers_[i] != nullptr && Stale(*providers_[i])) FreeProvider(*this, providers_[i]);
    }
    std::erase_if(menus_, [](const std::unique_ptr<TgwMnuWnd>& menu) { return menu->Gone(); });
    std::erase_if(hints_, [](const std::unique_ptr<TgwHintWnd>& hint) { return hint->Gone(); });
}

bool TFormSkinning::SkinnedDialogVisible() const {
    return std::any_of(providers_.begin(), providers_.end(), [](const TgwProvider* p) {
        return p != nullptr && p->DialogWindow != nullptr && !Stale(*p) && IsWindowVisible(p->DialogWindow);
    });
}

void EnableFormSkinning(bridge::TsSkinManager& manager) { manager.SetFormSkinning(std::make_unique<TFormSkinning>()); }

bool IsWindowSkinned(HWND window) {
    return window != nullptr && bridge::SendSkinCommandToWindow(window, skin::SMC_ISSKINNED, 0) == 1;
}

bool CompositionEnabled() {
    using Query = HRESULT(WINAPI*)(BOOL*);
    static const Query query = []() -> Query {
        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!GetVersionExW(&version) || version.dwMajorVersion < 6) return nullptr;
#pragma GCC diagnostic pop
        const HMODULE library = LoadLibraryA("DWMAPI.DLL");
        if (library == nullptr) return nullptr;
        return reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(library, "DwmIsCompositionEnabled")));
    }();
    BOOL enabled = FALSE;
    return query != nullptr && SUCCEEDED(query(&enabled)) && enabled != FALSE;
}

void TFormSkinning::SkinOnActivate(HWND window) {
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    if (window == nullptr || manager == nullptr || IsWindowSkinned(window)) return;
    if (std::any_of(providers_.begin(), providers_.end(),
                    [&](const TgwProvider* p) { return p != nullptr && !Stale(*p) && p->DialogWindow == window; }))
        return;
    if (platform::TForm* form = FormOfWindow(window)) {
        if (!ShouldSkinForm(form->Tag, manager->SkinningRules)) return;
        AttachFormProvider(*this, form->Make<TgwProvider>(*this), *form);
        return;
    }
    if (!ShouldSkinDialog(ClassNameOf(window), manager->SkinningRules, SkinnedDialogVisible(),
                          HasToolBarDescendant(window)))
        return;
    auto* provider = new TgwProvider(nullptr, *this);
    bool skinned = false;
    try {
        skinned = SkinDialog(*provider, window);
    } catch (...) {}
    if (!skinned) FreeProvider(*this, provider);
}

bool TFormSkinning::SkinDialog(TgwProvider& provider, HWND window) {
    provider.DialogWindow = window;
    provider.ChildAdapters.clear();
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    if (manager == nullptr || !manager->Active() || provider.DialogAdapter != nullptr) return false;
    if (ClassNameOf(window) != "#32770") return false;
    provider.DialogAdapter = std::make_unique<TgwDialogWnd>(window);
    if (!WalkChildren(provider, window)) {
        Forget(provider);
        return false;
    }
    provider.DialogAdapter->TakeFrame();
    SendToTree(window, skin::SM_ALPHACMD, skin::SkinWParam(skin::SMC_SKINLOADED), manager->CommandId());
    return true;
}

bool TFormSkinning::WalkChildren(TgwProvider& provider, HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!WalkChildren(provider, child)) return false;
        if ((GetWindowLongW(child, GWL_STYLE) & WS_CHILD) != 0 && !CreateChildAdapter(provider, child)) return false;
    }
    return true;
}

bool TFormSkinning::CreateChildAdapter(TgwProvider& provider, HWND child) {
    if (IsWindowSkinned(child)) return true;
    const ChildAdapterChoice choice = ChooseChildAdapter(
        ClassNameOf(child), static_cast<unsigned>(GetWindowLongW(child, GWL_STYLE)), HasVisibleStyle(child));
    if (choice.Kind == ChildAdapterKind::None) return true;
    try {
        provider.ChildAdapters.push_back(MakeChildAdapter(choice, child));
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace lw::controls
