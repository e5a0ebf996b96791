#include "app/core/FindStep.h"

#include <gtest/gtest.h>

#include <vector>

namespace lw::app {
namespace {

constexpr const wchar_t* kNoFurther = L"There are no further occurences of ";
constexpr const wchar_t* kNotFound = L"Could not find ";

// One press of find-next and what it must do: select [start, start + length) or show a message.
struct Press {
    std::wstring search;
    int start;                        // -1: nothing found
    const wchar_t* leadIn = nullptr;  // when nothing was found
};

struct Case {
    const char* name;
    std::wstring text;
    std::vector<Press> presses;
};

TEST(FindStep, PressesOfFindNextSelectOrReport) {
    const Case cases[] = {
        {"successive occurrences, then the message, then from the start again",
         L"abcabc",
         {{L"abc", 0}, {L"abc", 3}, {L"abc", -1, kNoFurther}, {L"abc", 0}}},
        {"occurrences never overlap", L"aaaa", {{L"aa", 0}, {L"aa", 2}, {L"aa", -1, kNoFurther}}},
        {"absent text reports every time", L"abc", {{L"x", -1, kNotFound}, {L"x", -1, kNotFound}}},
        {"always with case", L"abc", {{L"ABC", -1, kNotFound}}},
        {"CR LF counts as two characters", L"{\r\n\"a\" \"1\"\r\nkey\r\n}", {{L"key", 12}}},
        {"a longer new search text skips further", L"abcdefabc", {{L"a", 0}, {L"abc", 6}}},
        {"a shorter new search text resumes inside the old match", L"abab", {{L"aba", 0}, {L"b", 1}}},
        {"resuming past the end reports", L"ab", {{L"b", 1}, {L"bbbb", -1, kNoFurther}}},
        {"an empty search text finds nothing", L"abc", {{L"", -1, kNotFound}}},
        {"letters of the code page", L"Ёлка ёлка", {{L"ёлка", 5}, {L"Ё", -1, kNoFurther}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t findPos = 0;
        for (std::size_t i = 0; i < c.presses.size(); ++i) {
            const Press& press = c.presses[i];
            SCOPED_TRACE(i);
            const FindOutcome outcome = FindStep(c.text, press.search, findPos);
            if (press.start >= 0) {
                ASSERT_TRUE(outcome.found);
                EXPECT_EQ(outcome.selStart, press.start);
                EXPECT_EQ(outcome.selLength, std::int32_t(press.search.size()));
                EXPECT_EQ(findPos, press.start + 1);
            } else {
                ASSERT_FALSE(outcome.found);
                EXPECT_EQ(outcome.message, std::wstring(press.leadIn) + L"\"" + press.search + L"\" in Memo1.");
                EXPECT_EQ(findPos, 0);
            }
        }
    }
}

TEST(FindStep, KeptPositionCarriesIntoANewText) {
    // A map load does not reset the position: the next search resumes there in the new text.
    std::int32_t findPos = 0;
    ASSERT_TRUE(FindStep(L"xxxxkey", L"key", findPos).found);
    EXPECT_EQ(findPos, 5);
    const FindOutcome outcome = FindStep(L"key and key", L"key", findPos);
    EXPECT_EQ(outcome.selStart, 8);
}

}  // namespace
}  // namespace lw::app
