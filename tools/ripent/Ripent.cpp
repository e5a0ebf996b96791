#include "tools/ripent/Ripent.h"

#include "tools/ripent/Bsp.h"
#include "tools/ripent/EntityText.h"
#include "tools/ripent/ToolError.h"

#include <algorithm>
#include <system_error>

namespace lw::ripent {
namespace {

#ifdef _WIN32
constexpr std::string_view kLineBreak = "\r\n";
#else
constexpr std::string_view kLineBreak = "\n";
#endif

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

BspLayout ParseMap(const std::filesystem::path& map, std::span<const std::uint8_t> bytes)
{
    try {
        return ParseBsp(bytes);
    } catch (const ToolError& error) {
        throw ToolError(DisplayPath(map) + ": not a usable map: " + error.what());
    }
}

// The file behind a symbolic link is the one to replace; replacing the link would cut it off.
std::filesystem::path FileBehindLinks(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target;
}

// The borrowed pieces sit where they were whenever the header and the new entity lump match
// the old bytes in place and the size is unchanged, so only those need comparing.
bool SameBytes(const ImportedMap& imported, std::span<const std::uint8_t> old)
{
    const std::size_t entitiesAt = imported.header.size() + imported.before.size();
    const std::size_t size = entitiesAt + imported.entities.size() + imported.after.size();
    return size == old.size() && std::ranges::equal(imported.header, old.first(imported.header.size())) &&
           std::ranges::equal(imported.entities, old.subspan(entitiesAt, imported.entities.size()));
}

void Export(const MapPaths& paths, FileSystem& files, std::ostream& output)
{
    const auto map = files.OpenFile(paths.map);
    const BspLayout layout = ParseMap(paths.map, map->Bytes());
    const std::string text = WithLineBreaks(EntityText(layout, map->Bytes()), kLineBreak);
    const Piece pieces[] = {{Bytes(text)}};
    WriteFileAtomically(files, paths.entities, pieces);
    output << "exported " << text.size() << " bytes of entity text to " << DisplayPath(paths.entities) << "\n";
}

void Import(const MapPaths& paths, FileSystem& files, std::ostream& output)
{
    const std::filesystem::path target = FileBehindLinks(paths.map);
    const auto map = files.OpenFile(target);
    const BspLayout layout = ParseMap(paths.map, map->Bytes());

    const auto raw = files.OpenFile(paths.entities);
    const std::string text = NormalizeLineBreaks(
        {reinterpret_cast<const char*>(raw->Bytes().data()), raw->Bytes().size()});
    try {
        ValidateEntityText(text);
    } catch (const EntityTextError& error) {
        throw ToolError(DisplayPath(paths.entities) + ":" + std::to_string(error.line) + ": " + error.what() +
                        "; the map is unchanged");
    }

    const ImportedMap imported = ReplaceEntities(layout, map->Bytes(), text);
    if (SameBytes(imported, map->Bytes())) {
        output << "entity text unchanged; " << DisplayPath(paths.map) << " left as it is\n";
        return;
    }
    const Piece pieces[] = {{imported.header}, {imported.before, map.get()}, {imported.entities},
                            {imported.after, map.get()}};
    WriteFileAtomically(files, target, pieces);
    output << "imported " << text.size() << " bytes of entity text into " << DisplayPath(paths.map) << "\n";
}

} // namespace

int RunRipent(const std::vector<Argument>& arguments, FileSystem& files, std::ostream& output,
              std::ostream& errors)
{
    CommandLine commandLine;
    try {
        commandLine = ParseCommandLine(arguments);
    } catch (const UsageError& error) {
        errors << "ripent: " << error.what() << "\n" << UsageText();
        return kExitUsage;
    }
    try {
        const MapPaths paths = ResolveMap(
            commandLine, [&](const std::filesystem::path& path) { return files.IsFile(path); },
            [](const std::filesystem::path& path) {
                std::error_code ignored;
                return std::filesystem::is_directory(path, ignored);
            });
        if (commandLine.mode == Mode::Export)
            Export(paths, files, output);
        else
            Import(paths, files, output);
        return 0;
    } catch (const std::exception& error) {
        errors << "ripent: " << error.what() << "\n";
        return kExitFailure;
    }
}

} // namespace lw::ripent
