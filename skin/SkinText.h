#pragma once
// Text rules shared by the options parser and the model. Skin text is 8-bit in the
// system code page; only ASCII letters change case, so names round-trip byte for byte.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lw::skin {

std::string UpperCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
std::string_view Trim(std::string_view s);

// Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$". Hexadecimal
// takes all 32 bits, so "$FFFFFFFF" is -1. Anything else, or an overflow, is no number.
std::optional<std::int32_t> TryParseInt(std::string_view s);

// As TryParseInt, but a value that is not a number fails the whole load.
std::int32_t ParseIntStrict(std::string_view s);

// Decimal number with "." as separator; no number gives nothing.
std::optional<double> TryParseDecimal(std::string_view s);

// 16-bit fields keep the low 16 bits of what was written, as a 16-bit store would.
constexpr std::int16_t ToInt16(std::int32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); }

}  // namespace lw::skin
