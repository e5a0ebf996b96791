#include "platform/Application.h"

#include <objbase.h>

#include <algorithm>

#include "platform/Color.h"
#include "platform/ErrorReport.h"
#include "platform/Form.h"
#include "platform/Text.h"

namespace lw::platform {

TApplication* Application = nullptr;

TApplication::TApplication(Prompt& prompt) : prompt_(prompt) {
    Application = this;
    SetSystemColorSource(&PlatformSystemColor);
}

TApplication::~TApplication() {
    if (comInitialized_) CoUninitialize();
    if (Application == this) Application = nullptr;
}

void TApplication::Run() {
    if (mainForm_) mainForm_->Show();
    // The shell's folder browser and its launches need a single-threaded apartment. Entered
    // here, once the main window shows: it costs a start tens of milliseconds under Wine.
    if (!comInitialized_) comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    while (!terminated_) HandleMessage();
}

void TApplication::HandleMessage() {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
        terminated_ = true;
        return;
    }
    Dispatch(message);
}

void TApplication::ProcessMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        Dispatch(message);
    }
}

void TApplication::Dispatch(MSG& message) {
    for (HWND dialog : modeless_) {
        if (IsDialogMessageW(dialog, &message)) return;
    }
    // Our forms get the dialog keyboard interface too: Tab, arrows, Enter on buttons.
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    auto* form = root ? dynamic_cast<TForm*>(TWinControl::FromHandle(root)) : nullptr;
    if (form && message.message == WM_KEYDOWN && form->OnShortCut) {
        const bool control = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
        bool taken = false;
        try {
            taken = form->OnShortCut(static_cast<WORD>(message.wParam), control);
        } catch (...) {
            HandleException(std::current_exception());
            taken = true;
        }
        if (taken) return;
    }
    if (form && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    // Wakes a loop waiting in GetMessage; a WM_QUIT would outlive this object in the queue.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void TApplication::HandleException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("Unknown error");
    }
}

void TApplication::ShowException(std::string_view text) {
    if (reporting_) return;
    reporting_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{reporting_};
    HWND owner = GetActiveWindow();
    if (!owner && mainForm_) owner = mainForm_->Handle();
    prompt_.Show(owner, text, Title, MB_OK | MB_ICONERROR);
}

void TApplication::AddModeless(HWND dialog) {
    if (std::find(modeless_.begin(), modeless_.end(), dialog) == modeless_.end()) modeless_.push_back(dialog);
}

void TApplication::RemoveModeless(HWND dialog) { std::erase(modeless_, dialog); }

void ReportException(std::exception_ptr error) noexcept {
    static bool reporting = false;  // the same guard for the report without an application
    try {
        if (Application) return Application->HandleException(error);
        if (reporting) return;
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        reporting = true;
        MessageBoxW(nullptr, Utf8ToWide(e.what()).c_str(), L"Error", MB_OK | MB_ICONERROR);
        reporting = false;
    } catch (...) {}
}

}  // namespace lw::platform
