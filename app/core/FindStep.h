#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace lw::app {

struct FindOutcome {
    bool found = false;
    // The selection to make in the memo, 0-based, in characters with CR LF counted as two.
    std::int32_t selStart = 0;
    std::int32_t selLength = 0;
    // When nothing was found: the text of the error message.
    std::wstring message;
};

// One press of find-next over the memo's text. `findPos` is the 1-based position of the last
// match (0: start from the beginning); the search resumes after the end of that match measured
// with the current search text's length, always forward and with case.
FindOutcome FindStep(std::wstring_view text, std::wstring_view search, std::int32_t& findPos);

}  // namespace lw::app
