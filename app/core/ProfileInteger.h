#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace lw::app {

// The integer form of configuration values: decimal with an optional sign, or hexadecimal
// after "$" or (when longer than two characters) after "0x"/"0X". Hexadecimal takes up to
// 32 bits and wraps into the signed range, as the values were always stored.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

// A value that is not a number counts as missing.
inline std::int32_t ProfileIntegerOr(std::string_view text, std::int32_t fallback) {
    return ParseProfileInteger(text).value_or(fallback);
}

}  // namespace lw::app
