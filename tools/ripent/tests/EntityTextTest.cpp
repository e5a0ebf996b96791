#include "tools/ripent/EntityText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lw::ripent {
namespace {

using namespace std::string_literals;

struct RefusedText {
    std::string text;
    std::size_t line;
    const char* message;
};

template <std::size_t N>
void ExpectAccepted(const char* const (&texts)[N]) {
    for (const char* text : texts) EXPECT_NO_THROW(ValidateEntityText(text)) << text;
}

template <std::size_t N>
void ExpectRefused(const RefusedText (&cases)[N]) {
    for (const RefusedText& c : cases) {
        try {
            ValidateEntityText(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const EntityTextError& error) {
            EXPECT_EQ(error.line, c.line) << c.text;
            EXPECT_THAT(error.what(), ::testing::HasSubstr(c.message)) << c.text;
        }
    }
}

TEST(EntityTextTest, LineBreaks) {
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb\rc\nd\r\r\n"), "a\nb\nc\nd\n\n");
    EXPECT_EQ(WithLineBreaks("a\nb\r\nc\r", "\r\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(WithLineBreaks("a\r\nb\n", "\n"), "a\nb\n");
}

TEST(EntityTextTest, AcceptsEntityText) {
    const char* texts[] = {
        "{\n\"classname\" \"worldspawn\"\n}\n",
        "{\"classname\" \"worldspawn\"}{\"classname\" \"light\"}",
        "\n\t {\n\"wad\" \"\\a\\b.wad;c.wad\"\n\"classname\" \"worldspawn\"\n\"message\" \"\"\n}\n"
        "{\n}\n{\n\"targetname\" \"\xE4\xE2\xE5\xF0\xFC\"\n\"classname\" \"func_door\"\n}\n\n",
    };
    ExpectAccepted(texts);
}

TEST(EntityTextTest, RefusesAnythingElseNamingTheLine) {
    const RefusedText cases[] = {
        {"", 1, "no entities"},
        {"\n\n  \n", 4, "no entities"},
        {"{\n\"classname\" \"worldspawn\"\n", 1, "unbalanced braces"},
        {"{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"light\"\n", 4, "unbalanced braces"},
        {"{\n\"classname\" \"worldspawn\"\n}\n}\n", 4, "unbalanced braces"},
        {"{\n\"classname\" \"worldspawn\"\n{\n}\n", 3, "unbalanced braces"},
        {"{\n\"classname\" \"light\"\n}\n{\n\"classname\" \"worldspawn\"\n}\n", 1, "worldspawn"},
        {"{\n\"origin\" \"0 0 0\"\n}\n", 1, "worldspawn"},
        {"{\n\"classname\" \"worldspawn\"\n\"wad\"\n}\n", 3, "has no value"},
        {"{\n\"classname\" \"worldspawn\n}\n", 2, "is not closed"},
        {"{\n\"classname\" \"worldspawn\"\n}\nworldspawn\n", 4, "expected '{'"},
        {"{\n\"classname\" \"worldspawn\"\n\"a\" \"b\0c\"\n}\n"s, 3, "binary data (byte 0x00)"},
        {"\x7F\x45LF\x02\x01\x01\n", 1, "binary data (byte 0x7F)"},
    };
    ExpectRefused(cases);
}

TEST(EntityTextTest, AcceptsWhatTheEngineReads) {
    const char* texts[] = {
        "{\n\"classname\" \"worldspawn\"\nwad \"x\"\nmessage hello\n}\n",            // bare words
        "{\n\"classname\" \"worldspawn\"\n\"message\" \"two\nlines\"\n}\n",          // a value spanning lines
        "{\n\"classname\" \"worldspawn\"\n\"message\" \"say \\\"hi\\\"\"\n}\n",      // \" read as \ then "
        "{\n\"classname\" \"worldspawn\"\n\"message\" \"\x01red\x7F\"\n}\n",         // control bytes in a value
        "// made by hand\n{\n\"classname\" \"worldspawn\" // the world\n}\n// end",  // comments
        "{\n\"classname\" \"worldspawn\"\n\"url\" \"http://example\"\n}\n",          // no comment inside quotes
        "\xEF\xBB\xBF// saved by an editor\n{\n\"classname\" \"worldspawn\"\n}\n",   // a byte-order mark
    };
    ExpectAccepted(texts);
}

TEST(EntityTextTest, RefusesWhatTheEngineCannotRead) {
    const RefusedText cases[] = {
        {"{\n\"classname\" \"worldspawn\" // }\n", 1, "not closed"},
        {"{\n\"classname\" \"worldspawn\"\n\"message\" \"open\n}\n", 3, "is not closed"},
        {"{\n\"classname\" \"worldspawn\"\nwad }\n", 3, "has no value"},
        {"{\n\"classname\" \"worldspawn\"\n\"wad\" {\n}\n", 3, "'{' inside an entity"},
        {"{\n\"classname\" \"worldspawn\"\n}\n\x01\n", 4, "binary data (byte 0x01)"},
        {"{\n\"classname\" \"worldspawn\"\nwad a\x01\x02b\n}\n", 3,
         "binary data (byte 0x01)"},  // a blank to the engine
    };
    ExpectRefused(cases);
}

TEST(EntityTextTest, BlamesAQuoteLeftOpenAtTheLineWhereItOpened) {
    const std::string world = "{\n\"classname\" \"worldspawn\"\n";
    const RefusedText cases[] = {
        // Never closed at all.
        {world + "\"message\" \"open\n}\n", 3, "quoted text is not closed before the end of the text"},
        // Closed by the next line's first quote: the rest is read out of step until it breaks.
        {world + "\"wad\" \"x.wad\"\n\"message\" \"open\n\"origin\" \"1 2 3\"\n}\n{\n\"classname\" \"light\"\n"
                 "\"origin\" \"0 0 0\"\n}\n",
         4, "the quote opened here is not closed before line 9 (there: quoted text is not closed before the end"},
        {world + "\"message\" open\"\n\"origin\" \"0\"\n}\n", 3, "the quote opened here is not closed before line 4"},
        {"{\n\"classname\" \"worldspawn\n\"wad\" \"x\"\n}\n", 2, "the quote opened here is not closed before line 3"},
        {world + "\"message\" \"open\n// a \"quoted\" note\n}\n", 3,
         "the quote opened here is not closed before line 4"},
        // A second stray quote brings the reading back in step; the block it spoiled is named.
        {"{\n\"message\" \"open\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"light\"\n\"note\" \"a\"b\"\n}\n",
         2, "the quote opened here is not closed before line 8 (line 1: the first entity's classname is not"},
        // Values over several lines that end as they should are not blamed for a fault elsewhere.
        {world + "\"message\" \"two\nlines\"\n\"wad\"\n}\n", 5, "key \"wad\" has no value"},
        {world + "\"message\" \"two\nlines\"}\n}\n", 5, "'}' closes no entity"},
        {world + "\"message\" \"two\nlines\"// note\n\"wad\" }\n", 5, "key \"wad\" has no value"},
        {world + "\"message\" \"two\nlines\"\n\"target\" \"open\n}\n", 5, "quoted text is not closed"},
    };
    ExpectRefused(cases);
}

}  // namespace
}  // namespace lw::ripent
