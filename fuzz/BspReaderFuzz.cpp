// Fuzz target for the map header and lump reader: whatever the bytes, reading either refuses
// them with ToolError or yields a layout whose entity lump can be replaced without disturbing
// any other lump.
#include "tools/ripent/Bsp.h"
#include "tools/ripent/EntityText.h"
#include "tools/ripent/ToolError.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace lw::ripent;

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

std::vector<std::uint8_t> Joined(const ImportedMap& imported) {
    std::vector<std::uint8_t> bytes;
    for (const auto& piece : imported.Pieces()) bytes.insert(bytes.end(), piece.begin(), piece.end());
    return bytes;
}

void CheckReplacement(const BspLayout& layout, std::span<const std::uint8_t> file, const std::string& text) {
    const std::vector<std::uint8_t> result = Joined(ReplaceEntities(layout, file, text));
    const BspLayout after = ParseBsp(result);  // must not throw: the result is a valid map
    Require(after.version == layout.version, "version kept");
    Require(EntityText(after, result) == text, "new text readable");
    for (std::size_t i = 0; i < kLumpCount; ++i) {
        if (i == layout.entityLump) continue;
        const Lump& old = layout.lumps[i];
        const Lump& now = after.lumps[i];
        Require(now.length == old.length, "other lump keeps its length");
        if (old.length == 0) continue;  // an empty lump has no bytes to keep aligned
        Require(now.offset % 4 == old.offset % 4, "other lump keeps its alignment");
        Require(
            std::equal(file.begin() + old.offset, file.begin() + old.offset + old.length, result.begin() + now.offset),
            "other lump keeps its bytes");
    }
    const auto oldExtensions = Extensions(layout, file);
    const auto newExtensions = Extensions(after, result);
    Require(newExtensions.size() == oldExtensions.size(), "extension block kept");
    for (std::size_t i = 0; i < oldExtensions.size(); ++i) {
        const Lump& old = oldExtensions[i].lump;
        const Lump& now = newExtensions[i].lump;
        Require(newExtensions[i].name == oldExtensions[i].name && now.length == old.length, "extension kept");
        Require(
            std::equal(file.begin() + old.offset, file.begin() + old.offset + old.length, result.begin() + now.offset),
            "extension keeps its bytes");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    try {
        ValidateEntityText(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const ToolError&) {}

    BspLayout layout;
    try {
        layout = ParseBsp(file);
    } catch (const ToolError&) {
        return 0;
    }
    for (const Lump& lump : layout.lumps)
        Require(std::uint64_t(lump.offset) + lump.length <= size, "lump inside the file");

    const std::string text(EntityText(layout, file));
    Require(text.find('\0') == std::string::npos, "entity text ends at its NUL");
    try {
        // Texts an import can write: the same one, and entity text. (An empty text is not among
        // them; in a map whose lump 0 holds only blanks it would make lump 0 the likelier one.)
        CheckReplacement(layout, file, text);
        CheckReplacement(layout, file, text + "{\n\"classname\" \"info_null\"\n}\n");
    } catch (const ToolError& error) {
        // Only a result beyond the format's 2 GiB may be refused, and fuzz inputs are far smaller.
        std::fprintf(stderr, "%s\n", error.what());
        Require(false, "replacement refused");
    }
    return 0;
}
