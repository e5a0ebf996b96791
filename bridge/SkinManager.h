#pragma once
// The skin manager component: owns the skin in use, serves lookups and colours to the skinned
// controls and tells every form when the skin is loaded, refreshed or removed. Its logic is
// SkinManagerCore (portable); this adds the windows: broadcasts to the application's forms,
// the hot window, message boxes and the default manager's registration for the controls.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "bridge/FormSkinningSeam.h"
#include "platform/Component.h"
#include "platform/MessageHook.h"
#include "platform/Prompt.h"
#include "skin/SkinManagerCore.h"

namespace lw::bridge {

class TsSkinManager final : private skin::SkinManagerHost, public platform::TComponent, public skin::SkinManagerCore {
public:
    // The first manager created becomes the process's default manager. Properties set after
    // construction are applied as from a stored form until Loaded.
    explicit TsSkinManager(platform::TComponent* owner);
    ~TsSkinManager() override;

    // Called once the stored properties are applied: broadcasts SMC_SKINLOADED.
    void Loaded() override;

    HWND HoverWindow() const { return hoverWindow_; }
    // Tells the previous hot window SMC_HOTLEAVE and the new one SMC_HOTENTER.
    void SetHoverWindow(HWND window);

    using SkinManagerCore::Destroying;

    // Where the version notice and other plain messages go; the system's message box unless a
    // test puts its own.
    void SetPrompt(platform::Prompt* prompt) { prompt_ = prompt; }

    // The form skinning this manager serves; its hook is installed at once when this is the
    // default manager and its skin is loaded. Replacing it takes the old one's hook away.
    void SetFormSkinning(std::unique_ptr<FormSkinningService> service);
    FormSkinningService* FormSkinning() const { return formSkinning_.get(); }

protected:
    // The destroying notice: the skin is removed while everything around is still whole.
    void Destroying() override;

private:
    void Broadcast(skin::SkinBroadcast what) override;
    void ShowNotice(std::string_view text) override;
    void HideAllGlows() override;
    void SuspendDrawing() override;
    void ResumeDrawing() override;
    // The default manager's look at the application's messages, through its main form.
    void HookApplication();
    void ApplicationMessage(platform::TMessage& message);
    void InstallFormHook() override;
    void RemoveFormHook() override;

    HWND hoverWindow_ = nullptr;
    std::unique_ptr<platform::TMessageHook> applicationHook_;
    std::vector<HWND> suspended_;
    platform::Prompt* prompt_ = nullptr;
    std::unique_ptr<FormSkinningService> formSkinning_;
};

// The default manager (skin::DefaultManager) as the Win32 component; null when there is none
// or it is not one.
TsSkinManager* DefaultSkinManager();

// Process start of the skin library: shows kLibraryVersionText once through `prompt` when an
// argument is "/gwver" in any case. Answers whether it was shown.
bool ShowVersionNoticeIfAsked(const std::vector<std::string>& arguments, platform::Prompt& prompt);

// The arguments of a command line (the program's own is GetCommandLineW()), in UTF-8.
std::vector<std::string> CommandLineArguments(const wchar_t* commandLine);

// A stored skin embedded in the program (by default resource INTERNALSKIN), empty when absent.
skin::ByteBuffer EmbeddedInternalSkin(const wchar_t* resource = L"INTERNALSKIN");

// Decodes the program's built-in window shadows (PNG resources GWSHDA and GWSHDI) once per
// process and hands them to the manager for extended borders; a program without them has none.
// Every manager does this when it is made. Answers whether both are there.
bool LoadBuiltInShadows(skin::SkinManagerCore& manager);

}  // namespace lw::bridge
