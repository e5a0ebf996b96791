#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "controls/listbox/core/ListBoxStyles.h"
#include "controls/listbox/core/TypeAhead.h"

namespace lw::controls {
namespace {

using S = TListBoxStyle;

struct StyleCase {
    const char* name;
    ListBoxProperties props;
    bool has3D;
    ListBoxWindowStyle expected;
};

constexpr std::uint32_t kAlways = lbs::WsHScroll | lbs::WsVScroll | lbs::Notify;
constexpr std::uint32_t kDefaults = kAlways | lbs::HasStrings | lbs::NoIntegralHeight;

TEST(ListBoxStyleBits, FollowEachProperty) {
    const StyleCase cases[] = {
        {"defaults", {}, true, {kDefaults, lbs::WsExClientEdge}},
        {"flat platform", {}, false, {kDefaults | lbs::WsBorder, 0}},
        {"flat control", {.Ctl3D = false}, true, {kDefaults | lbs::WsBorder, 0}},
        {"no border", {.SingleBorder = false}, true, {kDefaults, 0}},
        {"owner draw fixed",
         {.Style = S::lbOwnerDrawFixed},
         true,
         {kDefaults | lbs::OwnerDrawFixed, lbs::WsExClientEdge}},
        {"owner draw variable",
         {.Style = S::lbOwnerDrawVariable},
         true,
         {kDefaults | lbs::OwnerDrawVariable, lbs::WsExClientEdge}},
        {"virtual",
         {.Style = S::lbVirtual},
         true,
         {kAlways | lbs::NoData | lbs::OwnerDrawFixed | lbs::NoIntegralHeight, lbs::WsExClientEdge}},
        {"virtual owner draw",
         {.Style = S::lbVirtualOwnerDraw},
         true,
         {kAlways | lbs::NoData | lbs::OwnerDrawFixed | lbs::NoIntegralHeight, lbs::WsExClientEdge}},
        {"sorted", {.Sorted = true}, true, {kDefaults | lbs::Sort, lbs::WsExClientEdge}},
        {"extended selection", {.MultiSelect = true}, true, {kDefaults | lbs::ExtendedSel, lbs::WsExClientEdge}},
        {"multiple selection",
         {.MultiSelect = true, .ExtendedSelect = false},
         true,
         {kDefaults | lbs::MultipleSel, lbs::WsExClientEdge}},
        {"extended alone selects one", {.ExtendedSelect = true}, true, {kDefaults, lbs::WsExClientEdge}},
        {"integral height", {.IntegralHeight = true}, true, {kAlways | lbs::HasStrings, lbs::WsExClientEdge}},
        {"columns", {.Columns = 3}, true, {kDefaults | lbs::MultiColumn, lbs::WsExClientEdge}},
        {"tab stops", {.TabWidth = 8}, true, {kDefaults | lbs::UseTabStops, lbs::WsExClientEdge}},
        {"scroll bars always",
         {.AutoHideScroll = false},
         true,
         {kDefaults | lbs::DisableNoScroll, lbs::WsExClientEdge}},
        {"right-to-left reading",
         {.RightToLeftReading = true},
         true,
         {kDefaults, lbs::WsExClientEdge | lbs::WsExRtlReading}},
    };
    for (const StyleCase& c : cases) {
        const ListBoxWindowStyle got = ListBoxStyleBits(c.props, c.has3D);
        EXPECT_EQ(got.Style, c.expected.Style) << c.name;
        EXPECT_EQ(got.ExStyle, c.expected.ExStyle) << c.name;
    }
}

TEST(ListBoxStyles, VirtualStylesFallBackToTheirCounterparts) {
    EXPECT_EQ(NonVirtualCounterpart(S::lbVirtual), S::lbStandard);
    EXPECT_EQ(NonVirtualCounterpart(S::lbVirtualOwnerDraw), S::lbOwnerDrawFixed);
    EXPECT_EQ(NonVirtualCounterpart(S::lbOwnerDrawVariable), S::lbOwnerDrawVariable);
}

TEST(ListBoxColumnWidth, SplitsTheWidthAndNeverGoesBelowOne) {
    struct Case {
        int width, columns, expected;
    };
    const Case cases[] = {
        {249, 3, 83},  // (249 + 0) / 3
        {100, 4, 25},  // (100 + 1) / 4
        {2, 2, 1},     // (2 - 1) / 2 = 0, raised to 1
        {1, 1, 1},     // (1 - 2) / 1 = -1, raised to 1
        {100, 0, 0},   // single column: no width set
        {0, 3, 0},     // no width yet
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListBoxColumnWidth(c.width, c.columns), c.expected) << c.width << "/" << c.columns;
}

// --- type-ahead -------------------------------------------------------------------------------

struct Step {
    std::u16string key;
    std::uint32_t tick;
    int select;
    bool consumed;
};

struct Scenario {
    const char* name;
    std::vector<std::u16string> items;
    std::vector<Step> steps;
};

std::u16string Lower(std::u16string s) {
    for (char16_t& c : s)
        if (c < 128) c = static_cast<char16_t>(std::tolower(static_cast<int>(c)));
    return s;
}

const std::vector<std::u16string> kMaps = {u"de_dust.bsp", u"Dm_arena.bsp", u"ctf_x.bsp"};
constexpr std::uint32_t kNearWrap = 0xFFFFFF00u;

TEST(TypeAhead, SelectsTheFirstItemBeginningWithTheTypedText) {
    const Scenario scenarios[] = {
        {"pause starts a new text, case ignored",
         kMaps,
         {{u"d", 1000, 0, true}, {u"m", 1200, 1, true}, {u"c", 1800, 2, true}}},
        {"no match changes nothing", kMaps, {{u"d", 0, 0, true}, {u"z", 100, -1, true}}},
        {"backspace to empty selects the first", kMaps, {{u"c", 0, 2, true}, {u"\b", 100, 0, false}}},
        {"backspace shortens the text",
         kMaps,
         {{u"d", 0, 0, true}, {u"z", 100, -1, true}, {u"\b", 200, 0, false}, {u"m", 300, 1, true}}},
        {"enter joins the text within the delay",
         kMaps,
         {{u"d", 0, 0, true}, {u"\r", 100, -1, false}, {u"c", 200, -1, true}, {u"c", 800, 2, true}}},
        {"escape joins the text within the delay",
         kMaps,
         {{u"d", 0, 0, true}, {u"\x1b", 100, -1, false}, {u"d", 200, -1, true}}},
        {"exactly the delay starts anew", kMaps, {{u"d", 0, 0, true}, {u"c", 500, 2, true}}},
        {"tick count wraps within the delay", kMaps, {{u"d", kNearWrap, 0, true}, {u"m", 0x2C, 1, true}}},
        {"tick count wraps past the delay", kMaps, {{u"d", kNearWrap, 0, true}, {u"c", 0x200, 2, true}}},
        {"empty list selects nothing", {}, {{u"\b", 0, -1, false}, {u"d", 100, -1, true}}},
    };
    for (const Scenario& s : scenarios) {
        TypeAhead typeAhead;
        std::vector<std::u16string> searched;
        const auto find = [&](const std::u16string& prefix) {
            searched.push_back(prefix);
            for (size_t i = 0; i < s.items.size(); ++i)
                if (Lower(s.items[i]).starts_with(Lower(prefix))) return static_cast<int>(i);
            return -1;
        };
        for (size_t i = 0; i < s.steps.size(); ++i) {
            const Step& step = s.steps[i];
            const TypeAheadOutcome got = typeAhead.Key(step.key, step.tick, static_cast<int>(s.items.size()), find);
            EXPECT_EQ(got.Select, step.select) << s.name << ", step " << i;
            EXPECT_EQ(got.Consumed, step.consumed) << s.name << ", step " << i;
        }
    }
}

TEST(TypeAhead, BackspaceRemovesAWholeSurrogatePair) {
    TypeAhead typeAhead;
    const auto none = [](const std::u16string&) { return -1; };
    typeAhead.Key(u"a", 0, 1, none);
    typeAhead.Key(u"\U0001F600", 1, 1, none);
    typeAhead.Key(u"\b", 2, 1, none);
    EXPECT_EQ(typeAhead.Text(), u"a");
}

}  // namespace
}  // namespace lw::controls
