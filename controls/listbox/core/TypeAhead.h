#pragma once
// Type-ahead search of the list box: typed characters build a text, and the first item that
// begins with it (case ignored) becomes the current one. A pause of at least the delay starts a
// new text. The caller supplies the tick count, so the timing is testable without waiting.

#include <cstdint>
#include <functional>
#include <string>

namespace lw::controls {

constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;
constexpr char16_t kEscape = 27;

struct TypeAheadOutcome {
    // -1: the selection stays as it is; otherwise the item to make current (and click).
    int Select = -1;
    // The platform's own one-letter search must not see the key.
    bool Consumed = false;
    bool operator==(const TypeAheadOutcome&) const = default;
};

class TypeAhead {
public:
    // The first item beginning with the text, case ignored; -1 when none does.
    using FindPrefix = std::function<int(const std::u16string& prefix)>;

    std::uint16_t Delay = 500;

    // `units` is one typed character: one UTF-16 unit, or a surrogate pair taken together.
    TypeAheadOutcome Key(const std::u16string& units, std::uint32_t now, int itemCount, const FindPrefix& find);
    const std::u16string& Text() const { return text_; }

private:
    std::u16string text_;
    std::uint32_t lastTick_ = 0;
};

}  // namespace lw::controls
