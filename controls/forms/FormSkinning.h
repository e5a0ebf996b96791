#pragma once
// Automatic skinning: the window hook of the user-interface thread that gives each toolkit
// form a form provider when it is first activated, wraps standard dialogs (message boxes, the
// find dialog) and their children in adapters, and pop-up menus in a menu adapter. The default
// skin manager installs it once its skin is loaded and removes it with the skin.

#include <windows.h>

#include <memory>
#include <vector>

namespace lw::forms {

class TgwProvider;
class TgwMnuWnd;
class TgwHintWnd;

// Registers the hook with the skin manager; the program calls it before it makes its forms.
void EnableFormSkinning();

// Every provider attached so far; an entry is null once its provider has gone, so positions
// stay as they were.
std::vector<TgwProvider*>& ProviderList();
// Sets the provider's entry to null.
void ForgetProvider(const TgwProvider* provider);
std::vector<std::unique_ptr<TgwMnuWnd>>& PopupMenuAdapters();
std::vector<std::unique_ptr<TgwHintWnd>>& HintAdapters();

// Where the next message box of ours is placed; (-1, -1) means where the platform puts it.
extern POINT NextDialogPos;

void InstallHook();
void RemoveHook();
bool HookInstalled();

bool IsWindowSkinned(HWND window);
bool CompositionEnabled();

void SkinOnActivate(HWND window);
bool SkinDialog(TgwProvider& provider, HWND window);
bool CreateChildAdapter(TgwProvider& provider, HWND child);

}  // namespace lw::forms
