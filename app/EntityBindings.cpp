#include "app/EntityBindings.h"

#include <algorithm>

#include "platform/Text.h"

namespace lw::app {

namespace {

// The memo's lines end in CR LF; a line starts after each LF.
size_t LineStart(std::wstring_view text, int line) {
    size_t at = 0;
    for (int n = 1; n < line; ++n) {
        const size_t next = text.find(L'\n', at);
        if (next == std::wstring_view::npos) return text.size();
        at = next + 1;
    }
    return at;
}

}  // namespace

MemoText MemoBinding::Text() const {
    const std::wstring text = memo_.TextW();
    platform::AnsiConversion converted = platform::WideToAnsiExact(text);
    if (!converted.firstLost) return {std::move(converted.bytes), std::nullopt};
    const size_t at = *converted.firstLost;
    const bool pair = IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() && IS_LOW_SURROGATE(text[at + 1]);
    const std::wstring_view character = std::wstring_view(text).substr(at, pair ? 2 : 1);
    const std::uint32_t codePoint =
        pair ? 0x10000 + ((std::uint32_t(character[0]) - 0xD800) << 10) + (std::uint32_t(character[1]) - 0xDC00)
             : std::uint32_t(character[0]);
    const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + std::ptrdiff_t(at), L'\n'));
    return {std::move(converted.bytes), UnstorableCharacter{platform::WideToUtf8(character), codePoint, line}};
}

void MemoBinding::ShowLine(int line) {
    const int start = static_cast<int>(LineStart(memo_.TextW(), line));
    memo_.SetFocus();
    memo_.Select(start, 0);
    SendMessageW(memo_.Handle(), EM_SCROLLCARET, 0, 0);
}

void MemoBinding::SetText(const std::string& text) { memo_.SetTextW(platform::AnsiToWide(text)); }

std::string MapListBinding::Folder() const { return folder_.Text(); }

std::optional<std::string> MapListBinding::Entry(int index) const {
    if (index < 0 || index >= maps_.Count()) return std::nullopt;
    return maps_.Item(index);
}

void MapListBinding::Select(int index) { maps_.SetItemIndex(index); }

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
