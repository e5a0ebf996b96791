#include "controls/forms/FormSkinning.h"

#include <algorithm>
#include <string>

#include "bridge/FormSkinningSeam.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/adapters/WindowAdapters.h"
#include "skin/SkinProtocol.h"
#include "controls/forms/HintAdapter.h"
#include "controls/forms/Provider.h"
#include "controls/forms/core/SkinningRules.h"
#include "platform/Form.h"

namespace lw::forms {

POINT NextDialogPos{-1, -1};

namespace {

HHOOK g_hook = nullptr;

std::string ClassNameOf(HWND window) {
    char name[129] = {};
    const int length = GetClassNameA(window, name, static_cast<int>(sizeof name));
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

void FreeProvider(TgwProvider* provider) {
    ForgetProvider(provider);
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

void SweepProviders() {
    auto& list = ProviderList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] != nullptr && Stale(*list[i])) FreeProvider(list[i]);
    }
    std::erase_if(PopupMenuAdapters(), [](const std::unique_ptr<TgwMnuWnd>& menu) { return menu->Gone(); });
    std::erase_if(HintAdapters(), [](const std::unique_ptr<TgwHintWnd>& hint) { return hint->Gone(); });
}

bool HasToolBarDescendant(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (LowerAscii(ClassNameOf(child)) == "toolbarwindow32" || HasToolBarDescendant(child)) return true;
    }
    return false;
}

bool SkinnedDialogVisible() {
    return std::any_of(ProviderList().begin(), ProviderList().end(), [](const TgwProvider* p) {
        return p != nullptr && p->DialogWindow != nullptr && !Stale(*p) && IsWindowVisible(p->DialogWindow);
    });
}

void AttachFormProvider(TgwProvider& provider, platform::TForm& form) {
    provider.FormProvider = std::make_unique<TsSkinProvider>(form);
    if (CompositionEnabled()) {
        SetWindowLongW(form.Handle(), GWL_STYLE, GetWindowLongW(form.Handle(), GWL_STYLE) | WS_VISIBLE);
        RedrawWindow(form.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    provider.FormProvider->MakeSkinMenu = false;
}

platform::TForm* FormOfWindow(HWND window) {
    const auto& forms = platform::TForm::AllForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        if ((*it)->Handle() == window) return *it;
    }
    return nullptr;
}

bool WalkChildren(TgwProvider& provider, HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!WalkChildren(provider, child)) return false;
        if ((GetWindowLongW(child, GWL_STYLE) & WS_CHILD) != 0 && !CreateChildAdapter(provider, child)) return false;
    }
    return true;
}

void SendToTree(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageW(window, message, wParam, lParam);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        SendToTree(child, message, wParam, lParam);
}

void React(int code, HWND window) {
    switch (code) {
    case HCBT_CREATEWND: {
        bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
        if (manager != nullptr && ClassNameOf(window) == "#32768" && !CompositionEnabled() && manager->SkinnedPopups &&
            !IsWindowSkinned(window))
            PopupMenuAdapters().push_back(std::make_unique<TgwMnuWnd>(window));
        else if (manager != nullptr && LowerAscii(ClassNameOf(window)) == "tooltips_class32")
            HintAdapters().push_back(std::make_unique<TgwHintWnd>(window, false));
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

LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(g_hook, code, wParam, lParam);
    // Nothing may leave through the platform's call: a window that cannot be skinned keeps the
    // platform's look.
    try {
        React(code, reinterpret_cast<HWND>(wParam));
    } catch (...) {
    }
    return result;
}

class HookService final : public bridge::FormSkinningService {
public:
    void InstallHook() override { forms::InstallHook(); }
    void RemoveHook() override { forms::RemoveHook(); }
    void Broadcast(UINT message, WPARAM wParam, LPARAM lParam) override {
        auto& list = ProviderList();
        for (std::size_t i = 0; i < list.size(); ++i) {
            const TgwProvider* p = list[i];
            if (p == nullptr || Stale(*p)) continue;
            const HWND window = p->FormProvider != nullptr ? p->FormProvider->Window() : p->DialogWindow;
            if (window != nullptr) SendMessageW(window, message, wParam, lParam);
        }
    }
};

}  // namespace

void EnableFormSkinning() {
    static HookService service;
    bridge::RegisterFormSkinning(&service);
}

std::vector<TgwProvider*>& ProviderList() {
    static std::vector<TgwProvider*> list;
    return list;
}

void ForgetProvider(const TgwProvider* provider) {
    for (TgwProvider*& entry : ProviderList()) {
        if (entry == provider) entry = nullptr;
    }
}

std::vector<std::unique_ptr<TgwMnuWnd>>& PopupMenuAdapters() {
    static std::vector<std::unique_ptr<TgwMnuWnd>> adapters;
    return adapters;
}

std::vector<std::unique_ptr<TgwHintWnd>>& HintAdapters() {
    static std::vector<std::unique_ptr<TgwHintWnd>> adapters;
    return adapters;
}

void InstallHook() {
    if (g_hook != nullptr) return;
    g_hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    // The hint window may have been made before the skin was there.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) {
            if (LowerAscii(ClassNameOf(window)) == "tooltips_class32")
                HintAdapters().push_back(std::make_unique<TgwHintWnd>(window, true));
            return TRUE;
        },
        0);
}

void RemoveHook() {
    if (g_hook == nullptr) return;
    PopupMenuAdapters().clear();
    HintAdapters().clear();
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    auto& list = ProviderList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] != nullptr) FreeProvider(list[i]);
    }
    list.clear();
}

bool HookInstalled() { return g_hook != nullptr; }

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

void SkinOnActivate(HWND window) {
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    if (window == nullptr || manager == nullptr || IsWindowSkinned(window)) return;
    const auto& list = ProviderList();
    if (std::any_of(list.begin(), list.end(),
                    [&](const TgwProvider* p) { return p != nullptr && !Stale(*p) && p->DialogWindow == window; }))
        return;
    platform::TForm* form = FormOfWindow(window);
    if (form != nullptr && form->Tag == kNoAutoSkinTag) return;
    const std::string className = ClassNameOf(window);
    if (form != nullptr) {
        if (JudgeForm(className, manager->SkinningRules) == FormVerdict::LeaveAlone) return;
        AttachFormProvider(form->Make<TgwProvider>(), *form);
        return;
    }
    if (!ShouldSkinDialog(className, manager->SkinningRules, SkinnedDialogVisible(), HasToolBarDescendant(window)))
        return;
    auto* provider = new TgwProvider(nullptr);
    bool skinned = false;
    try {
        skinned = SkinDialog(*provider, window);
    } catch (...) {
    }
    if (!skinned) FreeProvider(provider);
}

bool SkinDialog(TgwProvider& provider, HWND window) {
    provider.DialogWindow = window;
    provider.ChildAdapters.clear();
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    if (manager == nullptr || !manager->Active() || provider.DialogAdapter != nullptr) return false;
    provider.RightToLeft = (GetWindowLongW(window, GWL_EXSTYLE) & (1 << 14)) != 0;
    const std::string className = ClassNameOf(window);
    if (className != "#32770" && className != "TMessageForm") return false;
    provider.DialogAdapter = std::make_unique<TgwDialogWnd>(window);
    if (NextDialogPos.x != -1 || NextDialogPos.y != -1)
        SetWindowPos(window, nullptr, NextDialogPos.x, NextDialogPos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (!WalkChildren(provider, window)) {
        ForgetProvider(&provider);
        return false;
    }
    provider.DialogAdapter->TakeFrame();
    SendToTree(window, skin::SM_ALPHACMD, skin::SkinWParam(skin::SMC_SKINLOADED),
               manager->CommandId());
    return true;
}

bool CreateChildAdapter(TgwProvider& provider, HWND child) {
    if (IsWindowSkinned(child)) return true;
    const ChildAdapterChoice choice =
        ChooseChildAdapter(ClassNameOf(child), static_cast<unsigned>(GetWindowLongW(child, GWL_STYLE)),
                           HasVisibleStyle(child));
    if (choice.TextEntry && provider.DialogAdapter != nullptr) provider.DialogAdapter->NoTextEntry = false;
    if (choice.Kind == ChildAdapterKind::None) return true;
    // Adapters made meanwhile know they sit in a standard dialog.
    controls::DialogSkinningMode = true;
    try {
        provider.ChildAdapters.push_back(MakeChildAdapter(choice, child));
    } catch (...) {
        controls::DialogSkinningMode = false;
        return false;
    }
    controls::DialogSkinningMode = false;
    return true;
}

}  // namespace lw::forms
