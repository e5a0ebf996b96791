#include "app/core/MapIdentity.h"

#include <gtest/gtest.h>

namespace lw::app {
namespace {

TEST(MapIdentity, ReadFromTheToolsOutputOrNothing) {
    struct Case {
        const char* output;
        std::optional<FileStamp> stamp;  // nothing: no identity
        const char* token = "";
    };
    const Case cases[] = {
        {"exported 12 bytes of entity text to C:\\m\\a.ent\r\nmap identity: "
         "5120:133456789012345678:0123456789abcdef\r\n",
         FileStamp{5120, 133456789012345678ull}, "5120:133456789012345678:0123456789abcdef"},
        {"map identity: 0:0:0", FileStamp{0, 0}, "0:0:0"},
        {"map identity: 18446744073709551615:1:ff\n", FileStamp{18446744073709551615ull, 1},
         "18446744073709551615:1:ff"},
        {"exported 12 bytes\n", std::nullopt},
        {"", std::nullopt},
        {"map identity: 1:2\n", std::nullopt},
        {"map identity: 1:2:\n", std::nullopt},
        {"map identity: x:2:ab\n", std::nullopt},
        {"map identity: 1:2:AB\n", std::nullopt},
        {"map identity: 1:-2:ab\n", std::nullopt},
        {"map identity: 18446744073709551616:2:ab\n", std::nullopt},
        {"map identity: 1:2:ab cd\n", std::nullopt},
        {"  map identity: 1:2:ab\n", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        const std::optional<MapIdentity> identity = MapIdentityIn(c.output);
        ASSERT_EQ(identity.has_value(), c.stamp.has_value());
        if (!identity) continue;
        EXPECT_EQ(identity->stamp, *c.stamp);
        EXPECT_EQ(identity->token, c.token);
    }
}

}  // namespace
}  // namespace lw::app
