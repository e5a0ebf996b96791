#include "platform/Prompt.h"

#include "platform/Text.h"

namespace lw::platform {

int MessageBoxPrompt::Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
    return MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), flags);
}

}  // namespace lw::platform
