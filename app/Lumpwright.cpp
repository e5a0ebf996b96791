#include <windows.h>

#include "app/AppServices.h"
#include "app/MainWindow.h"
#include "app/PathHandOver.h"
#include "app/core/OpenRequest.h"
#include "app/AboutWindow.h"
#include "app/SettingsWindow.h"
#include "app/DataModule.h"
#include "bridge/SkinManager.h"
#include "controls/comboedit/DefaultGlyphList.h"
#include "controls/forms/FormSkinning.h"
#include "platform/Application.h"
#include "platform/ErrorReport.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace lw::platform;
using namespace lw::app;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxPrompt prompt;
    TApplication application(prompt);
    try {
        const std::vector<std::string> arguments = lw::bridge::CommandLineArguments(GetCommandLineW());
        lw::bridge::ShowVersionNoticeIfAsked(arguments, prompt);
        // Relative to this start's current folder, not the running window's.
        const std::optional<std::string> path = PathArgument(arguments);
        const std::wstring fullPath = path ? FullPath(Utf8ToWide(*path)) : std::wstring();
        if (path && HandOverToRunningWindow(fullPath)) return 0;
        // The doubled separator after the folder is accepted by the system as it is.
        ProfileIniStore configuration(ExecutableFolder() + L"\\configuration.ini");
        SystemLauncher programs;
        AppServices services{configuration, programs};

        // Before the forms, which show its glyphs, and gone after them.
        lw::controls::TsDefaultGlyphList editGlyphs;
        TComponent forms(nullptr);
        TMainForm& mainForm = forms.Make<TMainForm>(services);
        // Before any window is shown, so that each is skinned at its first activation.
        lw::controls::EnableFormSkinning(mainForm.skinManager);
        // The main window takes its skinned frame while hidden: taken at its first activation,
        // the frame would change under a window already shown and paint it all a second time.
        if (auto* skinning = dynamic_cast<lw::controls::TFormSkinning*>(mainForm.skinManager.FormSkinning()))
            skinning->SkinOnActivate(mainForm.Handle());
        const TGlyphModule& module = forms.Make<TGlyphModule>();
        module.AttachGlyphs(mainForm);
        // The main window is shown and painted before the hidden About and Settings windows are
        // built: making a top-level window costs tens of milliseconds under Wine, and nobody can
        // ask for those two before the message loop runs.
        mainForm.Show();
        UpdateWindow(mainForm.Handle());
        TAboutForm& aboutForm = forms.Make<TAboutForm>(services);
        TSettingsForm& settingsForm = forms.Make<TSettingsForm>(services);
        module.AttachGlyphs(aboutForm);
        module.AttachGlyphs(settingsForm);
        if (path) {
            try {
                mainForm.OpenPath(fullPath, true);
            } catch (...) {
                application.HandleException(std::current_exception());
            }
        }
        application.Run();
    } catch (...) {
        ReportException(std::current_exception());
        return 1;
    }
    return 0;
}
