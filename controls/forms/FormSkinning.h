#pragma once
// Automatic skinning: the window hook of the user-interface thread that gives each toolkit
// form a form provider when it is first activated, wraps standard dialogs (message boxes, the
// find dialog) and their children in adapters, and pop-up menus in a menu adapter. The default
// skin manager installs it once its skin is loaded and removes it with the skin.

#include <windows.h>

#include <memory>
#include <vector>

#include "bridge/FormSkinningSeam.h"

namespace lw::bridge {
class TsSkinManager;
}

namespace lw::controls {

class TgwProvider;
class TgwMnuWnd;
class TgwHintWnd;

// The form skinning of one skin manager: the hook, the providers it attached and the menu and
// hint adapters it made. The manager owns it; while that manager is the default one, the hook finds
// it through the manager.
class TFormSkinning final : public bridge::FormSkinningService {
public:
    TFormSkinning() = default;
    ~TFormSkinning() override;
    TFormSkinning(const TFormSkinning&) = delete;
    TFormSkinning& operator=(const TFormSkinning&) = delete;

    void InstallHook() override;
    // Frees every provider and menu adapter with the hook, so each window gets its own look back.
    void RemoveHook() override;
    void Broadcast(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool HookInstalled() const { return hook_ != nullptr; }

    // Every provider attached since the hook was installed; an entry is null once its provider
    // has gone, so positions stay as they were.
    const std::vector<TgwProvider*>& Providers() const { return providers_; }
    // A new provider enters the list; a provider going sets its entry to null.
    void Adopt(TgwProvider& provider);
    void Forget(TgwProvider& provider);
    const std::vector<std::unique_ptr<TgwMnuWnd>>& PopupMenuAdapters() const { return menus_; }
    // The menus' own tracking draws a newly selected item without a paint message.
    void RefreshPopupMenus() const;

    // What the hook does when a window is activated.
    void SkinOnActivate(HWND window);

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void React(int code, HWND window);
    void SweepProviders();
    bool SkinnedDialogVisible() const;
    bool SkinDialog(TgwProvider& provider, HWND window);
    bool CreateChildAdapter(TgwProvider& provider, HWND child);
    bool WalkChildren(TgwProvider& provider, HWND parent);

    HHOOK hook_ = nullptr;
    std::vector<TgwProvider*> providers_;
    std::vector<std::unique_ptr<TgwMnuWnd>> menus_;
    std::vector<std::unique_ptr<TgwHintWnd>> hints_;
};

// Gives the manager a form skinning of its own; the program does so before it shows a window.
void EnableFormSkinning(bridge::TsSkinManager& manager);

bool IsWindowSkinned(HWND window);
bool CompositionEnabled();

}  // namespace lw::controls
