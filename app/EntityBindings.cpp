#include "app/EntityBindings.h"

#include "platform/Text.h"

namespace lw::app {

std::string MemoBinding::Text() const {
    return platform::WideToAnsi(memo_.TextW());
}

void MemoBinding::SetText(const std::string& text) {
    memo_.SetTextW(platform::AnsiToWide(text));
}

std::string MapListBinding::Folder() const {
    return folder_.Text();
}

std::optional<std::string> MapListBinding::Entry(int index) const {
    if (index < 0 || index >= maps_.Count()) return std::nullopt;
    return maps_.Item(index);
}

void MapListBinding::Select(int index) {
    maps_.SetItemIndex(index);
}

Answer PromptBinding::Ask(std::string_view caption, std::string_view text) {
    switch (prompt_.Show(owner_.Handle(), text, caption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1)) {
    case IDYES:
        return Answer::Yes;
    case IDNO:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void PromptBinding::Tell(std::string_view caption, std::string_view text) {
    prompt_.Show(owner_.Handle(), text, caption, MB_OK);
}

}  // namespace lw::app
