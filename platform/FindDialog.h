#pragma once
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

#include "platform/Component.h"
#include "platform/Messages.h"

namespace lw::platform {

// The system's modeless find dialog. It reports to its owner window, whose form hands the
// report back here; while it is open the application's loop gives it keyboard navigation.
class TFindDialog : public TComponent {
public:
    explicit TFindDialog(TComponent* owner);
    ~TFindDialog() override;

    std::wstring SearchTextW() const { return buffer_; }
    std::string SearchText() const;
    void SetSearchText(std::string_view utf8);
    // FR_DOWN, FR_MATCHCASE and FR_WHOLEWORD as the user left them.
    DWORD Options() const { return request_.Flags & (FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD); }

    // Opens the dialog, or brings it to the front when it is already open. The owner window
    // is that of the owning form.
    void Execute();
    void CloseDialog();
    HWND Handle() const { return handle_; }

    // Raised by each press of the find-next button.
    std::function<void()> OnFind;

    // For the owner's window procedure: handles the dialog's report, if `message` is one.
    static bool Dispatch(const TMessage& message);

private:
    FINDREPLACEW request_{};
    wchar_t buffer_[256] = {};
    HWND handle_ = nullptr;
};

}  // namespace lw::platform
