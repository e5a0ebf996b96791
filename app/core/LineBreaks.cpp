#include "app/core/LineBreaks.h"

namespace lw::app {

std::string WithCrLfLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    // Runs between breaks are copied whole: a 4 MB text must not go through byte by byte.
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find_first_of("\r\n", at);
        out.append(text.substr(at, end - at));
        if (end == std::string_view::npos) break;
        out += "\r\n";
        at = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return out;
}

}  // namespace lw::app
