#include "tools/ripent/EntityText.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace lw::ripent {

std::string NormalizeLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            result += text[i];
            continue;
        }
        result += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return result;
}

std::string WithLineBreaks(std::string_view text, std::string_view lineBreak) {
    const std::string normalized = NormalizeLineBreaks(text);
    if (lineBreak == "\n") return normalized;
    std::string result;
    result.reserve(normalized.size() + normalized.size() / 16);
    for (char c : normalized) {
        if (c == '\n')
            result += lineBreak;
        else
            result += c;
    }
    return result;
}

std::string EntityFileText(std::string_view raw) {
    std::string text = NormalizeLineBreaks(raw);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return (code < 0x20 && !IsBlank(c)) || code == 0x7F;
}

bool EndsWord(char c) { return IsBlank(c) || IsControl(c) || c == '"' || c == '{' || c == '}'; }

EntityTextError BinaryData(std::size_t line, char c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(c));
    return EntityTextError(line, std::string("binary data (byte ") + hex + ") in entity text");
}

}  // namespace

EntityLexer::EntityLexer(std::string_view text) : text_(text) {
    // Text saved by an editor may open with a byte-order mark.
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
}

void EntityLexer::SkipBlanks() {
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
            pos_ = std::min(text_.find('\n', pos_), text_.size());
            continue;
        }
        if (!IsBlank(c)) return;
        if (c == '\n') ++line_;
        ++pos_;
    }
}

Token EntityLexer::Next() {
    SkipBlanks();
    Token token;
    token.line = line_;
    if (pos_ == text_.size()) {
        token.endLine = line_;
        return token;
    }
    const char c = text_[pos_];
    if (IsControl(c)) throw BinaryData(line_, c);
    if (c == '{' || c == '}') {
        token.kind = c == '{' ? TokenKind::OpenBrace : TokenKind::CloseBrace;
        token.text = text_.substr(pos_++, 1);
    } else if (c == '"') {
        token.kind = TokenKind::Quoted;
        const std::size_t start = ++pos_;
        const std::size_t close = text_.find('"', start);
        if (close == std::string_view::npos)
            throw EntityTextError(line_, "quoted text is not closed before the end of the text");
        token.text = text_.substr(start, close - start);
        line_ += std::size_t(std::count(token.text.begin(), token.text.end(), '\n'));
        pos_ = close + 1;
        token.glued = pos_ < text_.size() && !EndsWord(text_[pos_]) && !text_.substr(pos_).starts_with("//");
    } else {
        token.kind = TokenKind::Word;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !EndsWord(text_[pos_])) ++pos_;
        token.text = text_.substr(start, pos_ - start);
    }
    token.endLine = line_;
    return token;
}

TextOpening HowTextOpens(std::string_view text) {
    try {
        const TokenKind first = EntityLexer(text).Next().kind;
        return first == TokenKind::End         ? TextOpening::Nothing
               : first == TokenKind::OpenBrace ? TextOpening::Entity
                                               : TextOpening::Other;
    } catch (const EntityTextError&) {
        return TextOpening::Other;
    }
}

namespace {

// Blocks in braces of key/value pairs. A fault found after a quoted string that ran over
// several lines into a bare word is most likely that string's: a quote left open pairs with the
// next line's first quote, and the rest of the text is read out of step until something breaks,
// often far below. The message then names the line where that quote opened.
class EntityParser {
public:
    explicit EntityParser(std::string_view text) : text_(text), lexer_(text) {}

    void Run() {
        try {
            Parse();
        } catch (const EntityTextError& error) {
            if (!suspect_) throw;
            // A fault reported at a line above the quote (the block it broke) was found further down.
            const std::size_t at = error.line > suspect_->line ? error.line : lexer_.Line();
            const std::string where = at == error.line ? "there" : "line " + std::to_string(error.line);
            throw EntityTextError(suspect_->line, "the quote opened here is not closed before line " +
                                                      std::to_string(at) + " (" + where + ": " + error.what() + ")");
        }
    }

private:
    void Parse() {
        CheckNoNul();
        std::size_t blocks = 0;
        for (;;) {
            const Token token = Next();
            if (token.kind == TokenKind::End) break;
            if (token.kind == TokenKind::CloseBrace)
                throw EntityTextError(token.line, "unbalanced braces: '}' closes no entity");
            if (token.kind != TokenKind::OpenBrace) throw EntityTextError(token.line, "expected '{' to open an entity");
            const std::optional<std::string_view> classname = ReadBlock(token.line);
            if (blocks++ == 0 && classname != "worldspawn")
                throw EntityTextError(token.line, "the first entity's classname is not \"worldspawn\"");
        }
        if (blocks == 0)
            throw EntityTextError(lexer_.Line(), "no entities: the text must start with the worldspawn entity");
    }

    std::optional<std::string_view> ReadBlock(std::size_t blockLine) {
        std::optional<std::string_view> classname;
        for (;;) {
            const Token key = Next();
            if (key.kind == TokenKind::End)
                throw EntityTextError(blockLine, "unbalanced braces: the entity opened here is not closed");
            if (key.kind == TokenKind::CloseBrace) return classname;
            if (key.kind == TokenKind::OpenBrace)
                throw EntityTextError(key.line, "unbalanced braces: '{' inside an entity");
            const Token value = Next();
            if (value.kind == TokenKind::End || value.kind == TokenKind::CloseBrace)
                throw EntityTextError(key.line, "key \"" + std::string(key.text) + "\" has no value");
            if (value.kind == TokenKind::OpenBrace)
                throw EntityTextError(value.line, "unbalanced braces: '{' inside an entity");
            if (key.text == "classname" && !classname) classname = value.text;
        }
    }

    Token Next() {
        const Token token = lexer_.Next();
        if (!suspect_ && token.kind == TokenKind::Quoted && token.glued && token.endLine > token.line) suspect_ = token;
        return token;
    }

    // The engine reads the text only up to a NUL.
    void CheckNoNul() const {
        const std::size_t nul = text_.find('\0');
        if (nul != std::string_view::npos)
            throw BinaryData(std::size_t(std::count(text_.begin(), text_.begin() + nul, '\n')) + 1, '\0');
    }

    std::string_view text_;
    EntityLexer lexer_;
    std::optional<Token> suspect_;
};

}  // namespace

void ValidateEntityText(std::string_view text) { EntityParser(text).Run(); }

}  // namespace lw::ripent
