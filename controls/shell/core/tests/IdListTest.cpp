#include "controls/shell/core/IdList.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace lw::controls {
namespace {

IdList Item(std::initializer_list<std::uint8_t> body) {
    IdList id(body.size() + 2, 0);
    id[0] = static_cast<std::uint8_t>(id.size());
    std::copy(body.begin(), body.end(), id.begin() + 2);
    return id;
}

IdList List(std::initializer_list<IdList> items) {
    IdList list;
    for (auto& item : items) list.insert(list.end(), item.begin(), item.end());
    list.push_back(0);
    list.push_back(0);
    return list;
}

TEST(IdListTest, SizeWalksItemsAndStopsOnCountsThatCannotHoldThemselves) {
    const IdList two = List({Item({'a'}), Item({'b', 'c'})});
    EXPECT_EQ(IdListSize(two.data(), two.size()), 3u + 4u + 2u);
    EXPECT_EQ(IdListSize(EmptyIdList().data(), 2), 2u);
    // A count of 1 would never advance; it ends the list like a terminator.
    const IdList damaged{3, 0, 'a', 1, 0, 9, 9};
    EXPECT_EQ(IdListSize(damaged.data(), damaged.size()), 3u + 2u);
    // A count larger than what is left is not followed past the data.
    const IdList cut{3, 0, 'a', 200, 0, 'b'};
    EXPECT_EQ(CopyIdList(cut.data(), cut.size()), List({Item({'a'})}));
}

TEST(IdListTest, ConcatenationAndAncestorsShortestFirst) {
    const IdList a = List({Item({'a'})});
    const IdList bc = List({Item({'b'}), Item({'c', 'c'})});
    const IdList abc = ConcatIdLists(a, bc);
    EXPECT_EQ(abc, List({Item({'a'}), Item({'b'}), Item({'c', 'c'})}));
    EXPECT_EQ(ConcatIdLists(EmptyIdList(), a), a);
    EXPECT_EQ(ItemCount(abc), 3);

    const std::vector<IdList> expected{EmptyIdList(), List({Item({'a'})}), List({Item({'a'}), Item({'b'})})};
    EXPECT_EQ(AncestorIdLists(abc), expected);
    EXPECT_TRUE(AncestorIdLists(EmptyIdList()).empty());
}

TEST(IdListTest, ItemStringsAreBoundedByTheFirstItem) {
    const IdList list = List({Item({'x', 'n', 'a', 'm', 'e', 0, 'z'}), Item({'o', 't', 'h', 'e', 'r'})});
    EXPECT_EQ(ReadItemString(list, 3), "name");
    // No terminator inside the item: the text stops at the item's end, not in the next one.
    const IdList open = List({Item({'x', 'a', 'b'}), Item({'o', 't', 'h', 'e', 'r'})});
    EXPECT_EQ(ReadItemString(open, 3), "ab");
    EXPECT_EQ(ReadItemString(open, 5), "");
    EXPECT_EQ(ReadItemString(open, 0xFFFFFFFF), "");
    EXPECT_EQ(ReadItemString(EmptyIdList(), 0), "");
}

}  // namespace
}  // namespace lw::controls
