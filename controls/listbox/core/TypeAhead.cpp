#include "controls/listbox/core/TypeAhead.h"

namespace lw::controls {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A character typed as a surrogate pair goes as a whole.
void RemoveLastCharacter(std::u16string& text) {
    if (text.empty()) return;
    const char16_t last = text.back();
    text.pop_back();
    if (IsLowSurrogate(last) && !text.empty() && IsHighSurrogate(text.back())) text.pop_back();
}

}  // namespace

TypeAheadOutcome TypeAhead::Key(const std::u16string& units, std::uint32_t now, int itemCount, const FindPrefix& find) {
    if (units.empty()) return {};
    const char16_t key = units.front();
    TypeAheadOutcome outcome;
    outcome.Consumed = key != kBackspace && key != kEnter && key != kEscape;
    // On an empty list there is nothing to select, not even the first item.
    if (itemCount <= 0) return outcome;

    // Unsigned difference: the tick count wraps after 49.7 days.
    if (now - lastTick_ >= Delay) text_.clear();
    lastTick_ = now;

    if (key == kBackspace)
        RemoveLastCharacter(text_);
    else
        text_ += units;

    if (text_.empty())
        outcome.Select = 0;
    else
        outcome.Select = find(text_);
    return outcome;
}

}  // namespace lw::controls
