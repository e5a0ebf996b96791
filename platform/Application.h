#pragma once
#include <windows.h>

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Hints.h"
#include "platform/Prompt.h"

namespace lw::platform {

class TForm;

// The event loop and the general error report. One exists while the program runs; the
// first form created becomes the main form, and closing it ends the loop.
class TApplication {
public:
    explicit TApplication(Prompt& prompt);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    std::string Title = "Lumpwright";

    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }
    Prompt& Prompts() const { return prompt_; }
    THints& Hints() { return hints_; }

    // Shows the main form and serves messages until Terminate.
    void Run();
    // Waits for one message and handles it.
    void HandleMessage();
    // Handles every message already waiting, then returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The general error report: the error's text in a message box owned by the active form.
    // While one report is open, further ones are dropped: an error that recurs with every
    // repaint or timer tick behind the box must not stack boxes.
    void HandleException(std::exception_ptr error);
    void ShowException(std::string_view text);

    // Modeless dialogs (the find dialog) whose keyboard navigation the loop must serve.
    void AddModeless(HWND dialog);
    void RemoveModeless(HWND dialog);

private:
    void Dispatch(MSG& message);

    Prompt& prompt_;
    THints hints_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool comInitialized_ = false;
    bool reporting_ = false;
    std::vector<HWND> modeless_;
};

// The running application; null before it is created.
extern TApplication* Application;

}  // namespace lw::platform
