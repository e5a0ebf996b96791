#include "tools/ripent/EntityText.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace lw::ripent {

std::string NormalizeLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            result += text[i];
            continue;
        }
        result += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return result;
}

std::string WithLineBreaks(std::string_view text, std::string_view lineBreak)
{
    const std::string normalized = NormalizeLineBreaks(text);
    if (lineBreak == "\n")
        return normalized;
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

namespace {

// Reads as the engine's tokenizer does: quoted strings up to the next quote, whatever lies
// between (line breaks, backslashes, control bytes); braces; bare words up to a blank, brace
// or quote; `//` to the end of the line outside quotes is a comment. Refused is only what
// cannot be read as entities: a brace out of place, a key without a value, an unclosed quote
// or entity, a first entity that is not the worldspawn, and bytes that no text holds.
class EntityParser {
public:
    explicit EntityParser(std::string_view text)
        : text_(text) {}

    void Run()
    {
        CheckNoNul();
        std::size_t blocks = 0;
        while (SkipSpace()) {
            const std::size_t blockLine = line_;
            if (text_[pos_] == '}')
                throw EntityTextError(line_, "unbalanced braces: '}' closes no entity");
            if (text_[pos_] != '{')
                throw EntityTextError(line_, "expected '{' to open an entity");
            ++pos_;
            const std::optional<std::string_view> classname = ReadBlock(blockLine);
            if (blocks++ == 0 && classname != "worldspawn")
                throw EntityTextError(blockLine, "the first entity's classname is not \"worldspawn\"");
        }
        if (blocks == 0)
            throw EntityTextError(line_, "no entities: the text must start with the worldspawn entity");
    }

private:
    std::optional<std::string_view> ReadBlock(std::size_t blockLine)
    {
        std::optional<std::string_view> classname;
        for (;;) {
            if (!SkipSpace())
                throw EntityTextError(blockLine, "unbalanced braces: the entity opened here is not closed");
            if (text_[pos_] == '}') {
                ++pos_;
                return classname;
            }
            if (text_[pos_] == '{')
                throw EntityTextError(line_, "unbalanced braces: '{' inside an entity");
            const std::size_t keyLine = line_;
            const std::string_view key = ReadToken();
            if (!SkipSpace() || text_[pos_] == '}')
                throw EntityTextError(keyLine, "key \"" + std::string(key) + "\" has no value");
            if (text_[pos_] == '{')
                throw EntityTextError(line_, "unbalanced braces: '{' inside an entity");
            const std::string_view value = ReadToken();
            if (key == "classname" && !classname)
                classname = value;
        }
    }

    // A quoted string or a bare word; the position is on its first character.
    std::string_view ReadToken()
    {
        if (text_[pos_] != '"') {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '"' && text_[pos_] != '{' &&
                   text_[pos_] != '}')
                ++pos_;
            return text_.substr(start, pos_ - start);
        }
        const std::size_t openLine = line_;
        const std::size_t start = ++pos_;
        for (; pos_ < text_.size() && text_[pos_] != '"'; ++pos_)
            if (text_[pos_] == '\n')
                ++line_;
        if (pos_ == text_.size())
            throw EntityTextError(openLine, "quoted text opened here is not closed");
        return text_.substr(start, pos_++ - start);
    }

    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    // Returns false at the end of the text. Control bytes outside quotes mean the file is not
    // text at all.
    bool SkipSpace()
    {
        while (pos_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[pos_]);
            if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                pos_ = std::min(text_.find('\n', pos_), text_.size());
                continue;
            }
            if (c == '\n')
                ++line_;
            else if (!IsSpace(text_[pos_])) {
                if (c < 0x20 || c == 0x7F)
                    throw BinaryData(line_, c);
                return true;
            }
            ++pos_;
        }
        return false;
    }

    // The engine reads the text only up to a NUL.
    void CheckNoNul() const
    {
        const std::size_t nul = text_.find('\0');
        if (nul != std::string_view::npos)
            throw BinaryData(std::size_t(std::count(text_.begin(), text_.begin() + nul, '\n')) + 1, 0);
    }

    static EntityTextError BinaryData(std::size_t line, unsigned char c)
    {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", c);
        return EntityTextError(line, std::string("binary data (byte ") + hex + ") in entity text");
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

} // namespace

void ValidateEntityText(std::string_view text) { EntityParser(text).Run(); }

} // namespace lw::ripent
