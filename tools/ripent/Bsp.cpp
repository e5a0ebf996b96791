#include "tools/ripent/Bsp.h"

#include "tools/ripent/EntityText.h"
#include "tools/ripent/ToolError.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

namespace lw::ripent {
namespace {

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t at) {
    const std::uint32_t value = std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

void WriteUint32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t ReadUint32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(ReadInt32(bytes, at));
}

std::string LumpName(std::size_t index) { return "lump " + std::to_string(index); }

constexpr std::size_t kExtensionNameSize = 24;
constexpr std::size_t kExtensionEntrySize = kExtensionNameSize + 8;

// An extension block counts only when its list fits the file and every extension with bytes
// lies after the list and inside the file; anything else is trailing bytes of unknown use.
std::uint32_t FindExtensions(const BspLayout& layout, std::span<const std::uint8_t> file) {
    std::uint64_t lastEnd = kHeaderSize;
    for (const Lump& lump : layout.lumps)
        if (lump.length > 0) lastEnd = std::max<std::uint64_t>(lastEnd, std::uint64_t(lump.offset) + lump.length);
    const std::uint64_t at = (lastEnd + 3) / 4 * 4;
    if (at + 8 > file.size() || std::memcmp(file.data() + at, "BSPX", 4) != 0) return 0;
    const std::uint64_t listEnd = at + 8 + std::uint64_t(ReadUint32(file, at + 4)) * kExtensionEntrySize;
    if (listEnd > file.size()) return 0;
    for (std::uint64_t entry = at + 8; entry < listEnd; entry += kExtensionEntrySize) {
        const std::uint64_t offset = ReadUint32(file, entry + kExtensionNameSize);
        const std::uint64_t length = ReadUint32(file, entry + kExtensionNameSize + 4);
        if (offset + length > file.size() || (length > 0 && offset < listEnd)) return 0;
    }
    return std::uint32_t(at);
}

std::uint64_t ExtensionListEnd(const BspLayout& layout, std::span<const std::uint8_t> file) {
    return layout.extensionsAt + 8 + std::uint64_t(ReadUint32(file, layout.extensionsAt + 4)) * kExtensionEntrySize;
}

enum class LumpContent { Empty, Text, Binary };

// Entity text holds no NUL before its end and opens, read as the import reads it, with an
// entity's brace. A planes lump never passes: every plane carries a small type number, so it
// holds NUL bytes throughout.
LumpContent Classify(std::span<const std::uint8_t> lump) {
    std::size_t end = lump.size();
    while (end > 0 && lump[end - 1] == 0) --end;
    const auto body = lump.first(end);
    if (std::find(body.begin(), body.end(), std::uint8_t{0}) != body.end()) return LumpContent::Binary;
    switch (HowTextOpens({reinterpret_cast<const char*>(body.data()), body.size()})) {
    case TextOpening::Nothing:
        return LumpContent::Empty;
    case TextOpening::Entity:
        return LumpContent::Text;
    case TextOpening::Other:
        break;
    }
    return LumpContent::Binary;
}

std::size_t FindEntityLump(const BspLayout& layout, std::span<const std::uint8_t> file) {
    auto content = [&](std::size_t index) {
        const Lump& lump = layout.lumps[index];
        return Classify(file.subspan(lump.offset, lump.length));
    };
    const LumpContent first = content(0);
    const LumpContent second = layout.version == 30 ? content(1) : LumpContent::Binary;
    if (first == LumpContent::Text) return 0;
    if (second == LumpContent::Text) return 1;
    if (first == LumpContent::Empty) return 0;
    if (second == LumpContent::Empty) return 1;
    throw ToolError(layout.version == 30 ? "neither lump 0 nor lump 1 holds entity text"
                                         : "lump 0 holds no entity text");
}

}  // namespace

BspLayout ParseBsp(std::span<const std::uint8_t> file) {
    if (file.size() < kHeaderSize)
        throw ToolError("too short for a map header: " + std::to_string(file.size()) + " bytes, a header takes " +
                        std::to_string(kHeaderSize));
    BspLayout layout;
    layout.version = ReadInt32(file, 0);
    if (layout.version != 29 && layout.version != 30)
        throw ToolError("unknown map version " + std::to_string(layout.version) + " (29 and 30 are known)");

    for (std::size_t i = 0; i < kLumpCount; ++i) {
        const std::int32_t offset = ReadInt32(file, 4 + 8 * i);
        const std::int32_t length = ReadInt32(file, 8 + 8 * i);
        if (offset < 0 || length < 0)
            throw ToolError(LumpName(i) + " has a negative offset or length (" + std::to_string(offset) + ", " +
                            std::to_string(length) + ")");
        const std::uint64_t end = std::uint64_t(offset) + std::uint64_t(length);
        if (end > file.size())
            throw ToolError(LumpName(i) + " (bytes " + std::to_string(offset) + " to " + std::to_string(end) +
                            ") runs past the end of the file (" + std::to_string(file.size()) + " bytes)");
        if (length > 0 && std::uint64_t(offset) < kHeaderSize) throw ToolError(LumpName(i) + " overlaps the header");
        layout.lumps[i] = {std::uint32_t(offset), std::uint32_t(length)};
    }

    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < kLumpCount; ++i)
        if (layout.lumps[i].length > 0) order.push_back(i);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return layout.lumps[a].offset < layout.lumps[b].offset; });
    for (std::size_t k = 1; k < order.size(); ++k) {
        const Lump& previous = layout.lumps[order[k - 1]];
        if (std::uint64_t(previous.offset) + previous.length > layout.lumps[order[k]].offset)
            throw ToolError("lumps " + std::to_string(std::min(order[k - 1], order[k])) + " and " +
                            std::to_string(std::max(order[k - 1], order[k])) + " overlap");
    }

    layout.entityLump = FindEntityLump(layout, file);
    layout.extensionsAt = FindExtensions(layout, file);
    return layout;
}

std::vector<Extension> Extensions(const BspLayout& layout, std::span<const std::uint8_t> file) {
    std::vector<Extension> extensions;
    if (!layout.extensionsAt) return extensions;
    for (std::uint64_t entry = layout.extensionsAt + 8; entry < ExtensionListEnd(layout, file);
         entry += kExtensionEntrySize) {
        const auto name = reinterpret_cast<const char*>(file.data() + entry);
        extensions.push_back(
            {std::string(name, std::find(name, name + kExtensionNameSize, '\0')),
             {ReadUint32(file, entry + kExtensionNameSize), ReadUint32(file, entry + kExtensionNameSize + 4)}});
    }
    return extensions;
}

std::string_view EntityText(const BspLayout& layout, std::span<const std::uint8_t> file) {
    const Lump& lump = layout.lumps[layout.entityLump];
    const std::string_view stored(reinterpret_cast<const char*>(file.data()) + lump.offset, lump.length);
    return stored.substr(0, stored.find('\0'));
}

ImportedMap ReplaceEntities(const BspLayout& layout, std::span<const std::uint8_t> file, std::string_view text) {
    if (text.find('\0') != std::string_view::npos) throw ToolError("entity text contains a NUL byte");
    Lump entity = layout.lumps[layout.entityLump];
    if (entity.length == 0) {
        // An empty lump may point anywhere, even into the header or another lump; the new text
        // goes after what it points into.
        entity.offset = std::max<std::uint32_t>(entity.offset, kHeaderSize);
        for (const Lump& lump : layout.lumps)
            if (lump.offset < entity.offset && entity.offset < std::uint64_t(lump.offset) + lump.length)
                entity.offset = lump.offset + lump.length;
        if (layout.extensionsAt) entity.offset = std::min(entity.offset, layout.extensionsAt);
    }
    const std::uint64_t oldEnd = std::uint64_t(entity.offset) + entity.length;

    // Between the entity lump and the next lump lies alignment padding, perhaps followed by
    // bytes of unknown use, which are kept. After the last lump, every byte is kept.
    std::uint64_t nextStart = file.size();
    bool lumpFollows = false;
    for (const Lump& lump : layout.lumps) {
        if (lump.length > 0 && lump.offset >= oldEnd) {
            nextStart = std::min<std::uint64_t>(nextStart, lump.offset);
            lumpFollows = true;
        }
    }
    // An extension block is looked for right after the last lump, so it follows the entity
    // lump as a lump would.
    if (layout.extensionsAt && layout.extensionsAt >= oldEnd) {
        nextStart = std::min<std::uint64_t>(nextStart, layout.extensionsAt);
        lumpFollows = true;
    }
    const std::uint64_t padLength = lumpFollows ? std::min<std::uint64_t>(nextStart - oldEnd, (4 - oldEnd % 4) % 4) : 0;
    const std::uint64_t keptFrom = oldEnd + padLength;

    const std::uint64_t newLength = text.size() + 1;
    const std::uint64_t newPadLength = ((entity.length + padLength) % 4 + 4 - newLength % 4) % 4;
    const std::uint64_t newKeptFrom = entity.offset + newLength + newPadLength;
    const std::uint64_t newSize = newKeptFrom + (file.size() - keptFrom);
    if (newSize > std::uint64_t(std::numeric_limits<std::int32_t>::max()))
        throw ToolError("the new map would be too large (" + std::to_string(newSize) + " bytes)");

    ImportedMap result;
    result.header.assign(file.begin(), file.begin() + kHeaderSize);
    result.before = file.subspan(kHeaderSize, entity.offset - kHeaderSize);
    result.after = file.subspan(keptFrom);
    if (layout.extensionsAt) {
        const std::uint64_t listEnd = ExtensionListEnd(layout, file);
        result.after = file.subspan(keptFrom, layout.extensionsAt - keptFrom);
        result.extensionList.assign(file.begin() + layout.extensionsAt, file.begin() + listEnd);
        result.rest = file.subspan(listEnd);
        for (std::size_t entry = 8; entry < result.extensionList.size(); entry += kExtensionEntrySize) {
            const std::uint64_t offset = ReadUint32(result.extensionList, entry + kExtensionNameSize);
            if (offset >= keptFrom)
                WriteUint32(result.extensionList, entry + kExtensionNameSize, offset - keptFrom + newKeptFrom);
        }
    }
    result.entities.assign(text.begin(), text.end());
    result.entities.push_back(0);
    if (newPadLength == padLength)  // keeps an unchanged map byte for byte
        result.entities.insert(result.entities.end(), file.begin() + oldEnd, file.begin() + keptFrom);
    else
        result.entities.resize(newLength + newPadLength, 0);

    for (std::size_t i = 0; i < kLumpCount; ++i) {
        const Lump& lump = layout.lumps[i];
        std::uint64_t offset = lump.offset;
        if (i == layout.entityLump) {
            offset = entity.offset;
            WriteUint32(result.header, 8 + 8 * i, newLength);
        } else if (lump.length > 0 ? lump.offset >= oldEnd : lump.offset >= keptFrom)
            offset = lump.offset - keptFrom + newKeptFrom;
        else if (lump.offset > entity.offset && lump.length == 0)
            offset = entity.offset + newLength;  // an empty lump that pointed into the old text
        WriteUint32(result.header, 4 + 8 * i, offset);
    }
    return result;
}

}  // namespace lw::ripent
