#include "app/core/ProfileInteger.h"

#include <gtest/gtest.h>

namespace lw::app {
namespace {

struct Case {
    const char* text;
    std::int32_t expected;  // with a fallback of 1
};

TEST(ProfileInteger, ReadsDecimalAndBothHexFormsAndFallsBackOnAnythingElse) {
    const Case cases[] = {
        {"0", 0},          {"1", 1},
        {"  7", 7},        {"-3", -3},
        {"0x10", 16},      {"0X1f", 31},
        {"$10", 16},       {"$ff", 255},
        {"0x", 1},         {"$", 1},
        {"", 1},           {"yes", 1},
        {"12a", 1},        {"2147483647", 2147483647},
        {"2147483648", 1}, {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1}, {"$100000000", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ProfileIntegerOr(c.text, 1), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace lw::app
