#include "tools/ripent/EntityText.h"

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

class EntityParser {
public:
    explicit EntityParser(std::string_view text)
        : text_(text) {}

    void Run()
    {
        CheckCharacters();
        std::size_t blocks = 0;
        while (SkipSpace()) {
            const std::size_t blockLine = line_;
            if (text_[pos_] == '}')
                throw EntityTextError(line_, "unbalanced braces: '}' closes no entity");
            Expect('{', "expected '{' to open an entity");
            const std::optional<std::string_view> classname = ReadBlock(blockLine);
            if (blocks++ == 0 && classname != "worldspawn")
                throw EntityTextError(blockLine, "the first entity's classname is not \"worldspawn\"");
        }
        if (blocks == 0)
            throw EntityTextError(line_, "no entities: the text must start with the worldspawn entity");
    }

private:
    // Control bytes other than tab and line breaks mean the file is not text at all.
    void CheckCharacters() const
    {
        std::size_t line = 1;
        for (unsigned char c : text_) {
            if (c == '\n')
                ++line;
            else if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%02X", c);
                throw EntityTextError(line, std::string("binary data (byte ") + hex + ") in entity text");
            }
        }
    }

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
            const std::string_view key = ReadQuoted("expected a quoted key or '}'");
            if (!SkipSpace() || text_[pos_] == '}')
                throw EntityTextError(keyLine, "key \"" + std::string(key) + "\" has no value");
            const std::string_view value = ReadQuoted("expected a quoted value");
            if (key == "classname" && !classname)
                classname = value;
        }
    }

    std::string_view ReadQuoted(const char* whatIsExpected)
    {
        Expect('"', whatIsExpected);
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && text_[pos_] != '\n')
            ++pos_;
        if (pos_ == text_.size() || text_[pos_] == '\n')
            throw EntityTextError(line_, "quoted text is not closed on its line");
        return text_.substr(start, pos_++ - start);
    }

    void Expect(char c, const char* message)
    {
        if (pos_ >= text_.size() || text_[pos_] != c)
            throw EntityTextError(line_, message);
        ++pos_;
    }

    // Returns false at the end of the text.
    bool SkipSpace()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' ||
                                       text_[pos_] == '\r')) {
            if (text_[pos_] == '\n')
                ++line_;
            ++pos_;
        }
        return pos_ < text_.size();
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

} // namespace

void ValidateEntityText(std::string_view text) { EntityParser(text).Run(); }

} // namespace lw::ripent
