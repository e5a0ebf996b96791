#pragma once
// The one error type of skin loading. The message is what the user sees in the
// application's general error report, so it is the whole story on its own.

#include <stdexcept>
#include <string>

namespace lw::skin {

class SkinError : public std::runtime_error {
public:
    explicit SkinError(const std::string& message) : std::runtime_error(message) {}
};

// Raised for every read past the end of a container.
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kNotPackedSkin = "Loaded data is not packed Gildpack file";

// "'%s' is not a valid integer value" with the offending text in place of %s.
std::string InvalidIntegerMessage(const std::string& text);

}  // namespace lw::skin
