#include "controls/shell/core/IdList.h"

#include <algorithm>

namespace lw::controls {
namespace {

std::size_t ItemBytes(const std::uint8_t* data, std::size_t available) {
    if (available < 2) return 0;
    const std::size_t count = data[0] | (std::size_t{data[1]} << 8);
    return count < 2 || count > available ? 0 : count;
}

// The bytes of all items, without the terminator.
std::size_t ItemsLength(const std::uint8_t* data, std::size_t available) {
    std::size_t at = 0;
    while (const std::size_t count = ItemBytes(data + at, available - at)) at += count;
    return at;
}

}  // namespace

std::size_t IdListSize(const std::uint8_t* data, std::size_t available) { return ItemsLength(data, available) + 2; }

IdList CopyIdList(const std::uint8_t* data, std::size_t available) {
    IdList copy(data, data + ItemsLength(data, available));
    copy.push_back(0);
    copy.push_back(0);
    return copy;
}

IdList EmptyIdList() { return {0, 0}; }

IdList ConcatIdLists(const IdList& first, const IdList& second) {
    IdList joined(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(ItemsLength(first.data(), first.size())));
    const IdList tail = CopyIdList(second.data(), second.size());
    joined.insert(joined.end(), tail.begin(), tail.end());
    return joined;
}

std::vector<IdList> AncestorIdLists(const IdList& list) {
    std::vector<IdList> prefixes;
    std::size_t at = 0;
    while (const std::size_t count = ItemBytes(list.data() + at, list.size() - at)) {
        prefixes.push_back(CopyIdList(list.data(), at));
        at += count;
    }
    return prefixes;
}

int ItemCount(const IdList& list) { return static_cast<int>(AncestorIdLists(list).size()); }

std::string ReadItemString(const IdList& list, std::uint32_t offset) {
    const std::size_t count = ItemBytes(list.data(), list.size());
    if (offset >= count) return {};
    const auto begin = list.begin() + offset;
    const auto end = list.begin() + static_cast<std::ptrdiff_t>(count);
    return std::string(begin, std::find(begin, end, std::uint8_t{0}));
}

}  // namespace lw::controls
