#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tools/ripent/ToolError.h"

namespace lw::ripent {

// Entity text that cannot go into a map; `line` counts from 1.
class EntityTextError : public ToolError {
public:
    EntityTextError(std::size_t line, const std::string& message)
        : ToolError(message), line(line) {}
    std::size_t line;
};

// CR LF pairs and lone CRs become LF.
std::string NormalizeLineBreaks(std::string_view text);

// Line breaks of any kind become `lineBreak`.
std::string WithLineBreaks(std::string_view text, std::string_view lineBreak);

// Accepts what the engine reads as entities: blocks in braces holding key/value pairs (quoted
// strings, which may span lines, or bare words), with `//` comments between; the first block
// must have the classname "worldspawn". Throws EntityTextError otherwise. Expects LF line breaks.
void ValidateEntityText(std::string_view text);

} // namespace lw::ripent
