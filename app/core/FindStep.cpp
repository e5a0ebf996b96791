#include "app/core/FindStep.h"

namespace lw::app {

FindOutcome FindStep(std::wstring_view text, std::wstring_view search, std::int32_t& findPos) {
    const bool fromStart = findPos == 0;
    // 0-based offset of the remainder in the whole text; 64-bit so a far position cannot wrap.
    const std::int64_t offset = fromStart ? 0 : std::int64_t{findPos} - 1 + std::int64_t(search.size());
    std::size_t at = std::wstring_view::npos;
    // An empty search text is no occurrence: it would otherwise match in place forever.
    if (!search.empty() && offset >= 0 && offset <= std::int64_t(text.size()))
        at = text.find(search, std::size_t(offset));

    FindOutcome outcome;
    if (at == std::wstring_view::npos) {
        findPos = 0;
        outcome.message = fromStart ? L"Could not find " : L"There are no further occurences of ";
        outcome.message += L'"';
        outcome.message += search;
        outcome.message += L"\" in Memo1.";
        return outcome;
    }
    findPos = std::int32_t(at + 1);
    outcome.found = true;
    outcome.selStart = std::int32_t(at);
    outcome.selLength = std::int32_t(search.size());
    return outcome;
}

}  // namespace lw::app
