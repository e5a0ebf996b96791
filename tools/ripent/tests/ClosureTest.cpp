// Whatever text the import accepts, the export gives back from the map it left, and importing
// that again changes nothing: texts generated from the grammar the import accepts, run through
// the tool in memory for maps of both layouts.
#include "tools/ripent/EntityText.h"
#include "tools/ripent/tests/Closure.h"
#include "tools/ripent/tests/TestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace lw::ripent {
namespace {

using namespace testing;

// Entity text as the grammar allows it, each kind of token and gap mixed with every other:
// blanks, blank lines, `//` comments (before, between and after blocks, on the last line with
// no line break), a byte-order mark, quoted strings over several lines and holding backslashes,
// braces, comment marks and control bytes, bare words, empty entities, very long values.
class TextGenerator {
public:
    explicit TextGenerator(std::uint32_t seed) : random_(seed) {}

    // The entity file: the text with LF or CR LF line breaks, sometimes NULs after it.
    std::string EntityFile() {
        std::string text = Chance(8) ? "\xEF\xBB\xBF" : "";
        previous_ = Previous::Start;
        const int entities = int(Below(5));
        for (int entity = 0; entity <= entities; ++entity) {
            Gap();
            Entity(entity == 0, text);
        }
        Gap();
        if (Chance(4)) Comment(/*last=*/true);
        text += gaps_;
        gaps_.clear();
        if (Chance(2)) text = WithLineBreaks(text, "\r\n");
        if (Chance(8)) text.append(1 + Below(3), '\0');
        return text;
    }

private:
    enum class Previous { Start, Word, Other };

    std::size_t Below(std::size_t n) { return random_() % n; }
    bool Chance(std::size_t oneIn) { return Below(oneIn) == 0; }

    // Blanks and comments between tokens, gathered until the next token is written.
    void Gap() {
        const std::size_t items = Below(3);
        for (std::size_t i = 0; i < items; ++i) {
            switch (Below(5)) {
            case 0:
                gaps_ += " ";
                break;
            case 1:
                gaps_ += "\t";
                break;
            case 2:
                gaps_ += "\n";
                break;
            case 3:
                gaps_ += "\n  \t\n\n";
                break;
            case 4:
                Comment(/*last=*/false);
                break;
            }
        }
    }

    // A comment mark right after a bare word would be part of the word.
    void Comment(bool last) {
        if (previous_ == Previous::Word && gaps_.empty()) gaps_ += " ";
        gaps_ += "//";
        const std::size_t length = Below(20);
        for (std::size_t i = 0; i < length; ++i) {
            const char pick[] = {'a', ' ', '"', '{', '}', '/', '\t', '\x01', '\x1B', '\x7F', '\xE9', '\\'};
            gaps_ += pick[Below(sizeof pick)];
        }
        if (!last) gaps_ += "\n";
    }

    void Put(std::string& text, const std::string& token, Previous kind) {
        // Two bare words need a blank between them.
        if (previous_ == Previous::Word && kind == Previous::Word && gaps_.empty()) gaps_ += " ";
        text += gaps_ + token;
        gaps_.clear();
        previous_ = kind;
    }

    void Entity(bool world, std::string& text) {
        Put(text, "{", Previous::Other);
        const std::size_t pairs = Chance(6) && !world ? 0 : Below(6);
        const std::size_t classnameAt = world ? Below(pairs + 1) : pairs + 1;
        for (std::size_t pair = 0; pair <= pairs; ++pair) {
            if (pair == classnameAt) {
                Value(text, "classname");
                Value(text, "worldspawn");
            } else if (pair < pairs) {
                Value(text, Word());
                Value(text, Chance(40) ? std::string(1000 + Below(60000), 'x') : Quotable());
            }
        }
        Gap();
        Put(text, "}", Previous::Other);
    }

    // A key or value, quoted or bare where it can be.
    void Value(std::string& text, const std::string& content) {
        Gap();
        const bool bare = !content.empty() && content.find_first_of(" \t\n\"{}") == std::string::npos &&
                          !content.starts_with("//") && Chance(3) &&
                          std::none_of(content.begin(), content.end(),
                                       [](char c) { return (static_cast<unsigned char>(c) < 0x20) || c == 0x7F; });
        if (bare)
            Put(text, content, Previous::Word);
        else
            Put(text, "\"" + content + "\"", Previous::Other);
    }

    // Never "classname": the worldspawn's must be its first.
    std::string Word() {
        const char* const names[] = {"origin",   "targetname", "wad", "_light",       "message",     "angle",
                                     "sky.name", "a\\b",       "x/y", "\xE4\xE2\xE5", "key//inside", "-1"};
        return names[Below(std::size(names))];
    }

    // What a quoted string may hold: anything but a quote and a NUL.
    std::string Quotable() {
        std::string content;
        const std::size_t length = Below(24);
        for (std::size_t i = 0; i < length; ++i) {
            const char* const pick[] = {"a",  "Z",  "7",    " ",    "\\",   "\\n",  "//",       "{",        "}", "\n",
                                        "\t", "\r", "\x01", "\x1F", "\x7F", "\xFF", "\xC3\xA9", "http://x", ";", "'"};
            content += pick[Below(std::size(pick))];
        }
        return content;
    }

    std::mt19937 random_;
    std::string gaps_;
    Previous previous_ = Previous::Start;
};

TEST(ClosureTest, EveryTextTheImportAcceptsComesBackFromTheExportOfEitherLayout) {
    TextGenerator generator(20261211);
    for (int i = 0; i < 800; ++i) {
        const std::string file = generator.EntityFile();
        SCOPED_TRACE("text " + std::to_string(i) + ":\n" + file);
        ASSERT_NO_THROW(ValidateEntityText(EntityFileText(file)));
        for (const auto& map : LayoutMaps()) ASSERT_EQ(ClosureFault(map, file), "");
    }
}

}  // namespace
}  // namespace lw::ripent
