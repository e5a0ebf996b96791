#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tools/ripent/ToolError.h"

namespace lw::ripent {

// Entity text that cannot go into a map; `line` counts from 1.
class EntityTextError : public ToolError {
public:
    EntityTextError(std::size_t line, const std::string& message) : ToolError(message), line(line) {}
    std::size_t line;
};

// CR LF pairs and lone CRs become LF.
std::string NormalizeLineBreaks(std::string_view text);

// Line breaks of any kind become `lineBreak`.
std::string WithLineBreaks(std::string_view text, std::string_view lineBreak);

// The text of an entity file as it goes into a map: LF line breaks, and without the NULs that
// some tools end it with.
std::string EntityFileText(std::string_view raw);

enum class TokenKind { End, OpenBrace, CloseBrace, Quoted, Word };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;  // a quoted string without its quotes
    std::size_t line = 0;   // where it starts
    std::size_t endLine = 0;
    // A quoted string whose closing quote runs straight into a bare word: what a quote left
    // open on an earlier line looks like once it has paired with the next line's first quote.
    bool glued = false;
};

// The one reading of entity text, for the import's checks and for the export's search of the
// entity lump alike, so that whatever the one accepts the other finds. As the engine reads it:
// blanks and `//` comments to the end of a line between tokens; quoted strings up to the next
// quote, whatever lies between (line breaks, backslashes, control bytes); braces; bare words up
// to a blank, quote or brace. A UTF-8 byte-order mark may open the text. Control bytes outside
// quotes mean the text is not text at all.
class EntityLexer {
public:
    explicit EntityLexer(std::string_view text);
    // Throws EntityTextError for a control byte outside quotes and for a quote never closed.
    Token Next();
    std::size_t Line() const { return line_; }

private:
    void SkipBlanks();

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

// How a text opens, read as entity text: with no token at all (blanks and comments only), with
// the brace of an entity, or with anything else.
enum class TextOpening { Nothing, Entity, Other };
TextOpening HowTextOpens(std::string_view text);

// Accepts what the engine reads as entities: blocks in braces holding key/value pairs, the
// first block with the classname "worldspawn". Throws EntityTextError otherwise, naming the
// line of the cause. Expects LF line breaks.
void ValidateEntityText(std::string_view text);

}  // namespace lw::ripent
