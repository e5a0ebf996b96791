#include "tools/ripent/Ripent.h"

#include "tools/ripent/Bsp.h"
#include "tools/ripent/EntityText.h"
#include "tools/ripent/ToolError.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace lw::ripent {
namespace {

#ifdef _WIN32
constexpr std::string_view kLineBreak = "\r\n";
#else
constexpr std::string_view kLineBreak = "\n";
#endif

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string_view Text(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

BspLayout ParseMap(const std::filesystem::path& map, std::span<const std::uint8_t> bytes) {
    try {
        return ParseBsp(bytes);
    } catch (const ToolError& error) {
        throw ToolError(DisplayPath(map) + ": not a usable map: " + error.what());
    }
}

// The file behind a symbolic link is the one to replace; replacing the link would cut it off.
std::filesystem::path FileBehindLinks(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target;
}

// A pipe or a device in the place of a file would be replaced by a plain file.
void RequireRegularOrMissing(FileSystem& files, const std::filesystem::path& path) {
    if (files.Exists(path) && !files.IsFile(path))
        throw ToolError("cannot replace " + DisplayPath(path) + ": not a regular file");
}

// Whatever was read from a file that another program changed meanwhile is not to be trusted,
// whatever the failure it led to.
template <typename Work>
void WhileUnchanged(const InputFile& file, const std::filesystem::path& path, Work work) {
    try {
        work();
    } catch (const ToolError&) {
        file.CheckUnchanged(path);
        throw;
    }
}

// What a successful run reports: its line, and the map's identity once it is done.
struct Done {
    std::string message;
    MapIdentity identity;
};

MapIdentity IdentityOf(const InputFile& map, std::string_view entityText) {
    const FileStamp stamp = map.Stamp();
    return {stamp.size, stamp.modified, HashText(entityText)};
}

Done Export(const MapPaths& paths, FileSystem& files) {
    const std::filesystem::path target = FileBehindLinks(paths.entities);
    RequireRegularOrMissing(files, paths.entities);
    const auto map = files.OpenFile(paths.map, Lock::Shared);
    Done done;
    WhileUnchanged(*map, paths.map, [&] {
        const BspLayout layout = ParseMap(paths.map, map->Bytes());
        const std::string_view stored = EntityText(layout, map->Bytes());
        const std::string text = WithLineBreaks(stored, kLineBreak);
        const Piece pieces[] = {{Bytes(text)}};
        WriteFileAtomically(files, target, pieces,
                            [&](const std::filesystem::path&) { map->CheckUnchanged(paths.map); });
        done = {"exported " + std::to_string(text.size()) + " bytes of entity text to " + DisplayPath(paths.entities),
                IdentityOf(*map, stored)};
    });
    return done;
}

// The new map, read back as an export would read it, must hold the very text meant for it: a
// write that the disk, a driver or a network share got wrong is caught before it replaces the
// map, and so is a text that the export would not find.
MapIdentity ReadBack(FileSystem& files, const std::filesystem::path& temporary, const std::filesystem::path& map,
                     std::string_view text) {
    const auto written = files.OpenFile(temporary);
    std::string_view found;
    try {
        found = EntityText(ParseBsp(written->Bytes()), written->Bytes());
    } catch (const ToolError& error) {
        throw ToolError(DisplayPath(map) + ": the map written does not read back (" + error.what() +
                        "); the map is unchanged");
    }
    if (found != text) {
        const auto differs = std::mismatch(text.begin(), text.end(), found.begin(), found.end()).first;
        throw ToolError(DisplayPath(map) +
                        ": the map written does not read back with the entity text meant for it "
                        "(they differ from byte " +
                        std::to_string(differs - text.begin()) + " of the text on); the map is unchanged");
    }
    return IdentityOf(*written, found);
}

Done Import(const MapPaths& paths, const std::optional<MapIdentity>& expected, FileSystem& files) {
    const std::filesystem::path target = FileBehindLinks(paths.map);
    const auto map = files.OpenFile(paths.map, Lock::Exclusive);
    Done done;
    WhileUnchanged(*map, paths.map, [&] {
        const BspLayout layout = ParseMap(paths.map, map->Bytes());
        const std::string_view stored = EntityText(layout, map->Bytes());
        done.identity = IdentityOf(*map, stored);
        if (expected && *expected != done.identity)
            throw ToolError(DisplayPath(paths.map) +
                            ": the map changed on disk after its entity text was exported "
                            "(expected " +
                            FormatIdentity(*expected) + ", found " + FormatIdentity(done.identity) +
                            "); the map is unchanged");
        const auto raw = files.OpenFile(paths.entities);
        const std::string text = EntityFileText(Text(raw->Bytes()));
        // What was exported comes back unchanged, whatever its line breaks or its lump's padding;
        // the map is then left alone, even if its text is one the checks below would refuse.
        if (text == NormalizeLineBreaks(stored)) {
            done.message = "entity text unchanged; " + DisplayPath(paths.map) + " left as it is";
            return;
        }
        try {
            ValidateEntityText(text);
        } catch (const EntityTextError& error) {
            throw ToolError(DisplayPath(paths.entities) + ":" + std::to_string(error.line) + ": " + error.what() +
                            "; the map is unchanged");
        }
        ImportedMap imported;
        try {
            imported = ReplaceEntities(layout, map->Bytes(), text);
        } catch (const ToolError& error) {
            throw ToolError(DisplayPath(paths.map) + ": " + error.what() + "; the map is unchanged");
        }
        const Piece pieces[] = {{imported.header},           {imported.before, map.get()}, {imported.entities},
                                {imported.after, map.get()}, {imported.extensionList},     {imported.rest, map.get()}};
        WriteFileAtomically(files, target, pieces, [&](const std::filesystem::path& temporary) {
            done.identity = ReadBack(files, temporary, paths.map, text);
            map->CheckUnchanged(paths.map);
            map->LetGo();
        });
        done.message =
            "imported " + std::to_string(text.size()) + " bytes of entity text into " + DisplayPath(paths.map);
    });
    return done;
}

// One line, whatever the paths or texts it names hold: control characters are escaped.
std::string OneLine(std::string_view message) {
    std::string line;
    for (const char c : message) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\t')
            line += "\\t";
        else if (code < 0x20 || code == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", code);
            line += hex;
        } else
            line += c;
    }
    return line;
}

void Report(std::ostream& errors, const std::exception& error) {
    errors << "ripent: " << OneLine(error.what()) << "\n";
}

// The names in a folder; none when there is no such folder, so that a candidate built from
// split words that names no folder simply matches nothing.
std::vector<std::filesystem::path> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) return names;
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
        names.push_back(entry->path().filename());
    if (error) throw ToolError("cannot list the folder " + DisplayPath(folder) + ": " + error.message());
    return names;
}

// One map's run: its two lines on `output`, or its failure's line on `errors`.
bool RunMap(const CommandLine& commandLine, const MapPaths& paths, FileSystem& files, std::ostream& output,
            std::ostream& errors) {
    try {
        const Done done =
            commandLine.mode == Mode::Export ? Export(paths, files) : Import(paths, commandLine.expected, files);
        output << OneLine(done.message) << "\nmap identity: " << FormatIdentity(done.identity) << "\n";
        return true;
    } catch (const std::exception& error) {
        Report(errors, error);
        return false;
    }
}

}  // namespace

int RunRipent(const std::vector<Argument>& arguments, FileSystem& files, std::ostream& output, std::ostream& errors) {
    const ExistsFunction isFile = [&](const std::filesystem::path& path) { return files.IsFile(path); };
    CommandLine commandLine;
    std::vector<MapPaths> maps;
    try {
        commandLine = ParseCommandLine(arguments);
        if (commandLine.batch)
            maps = ExpandPattern(commandLine, isFile, NamesIn);
        else
            maps = {ResolveMap(commandLine, isFile, [](const std::filesystem::path& path) {
                std::error_code ignored;
                return std::filesystem::is_directory(path, ignored);
            })};
    } catch (const UsageError& error) {
        Report(errors, error);
        errors << UsageText();
        return kExitUsage;
    } catch (const std::exception& error) {
        Report(errors, error);
        return kExitFailure;
    }
    std::size_t failed = 0;
    for (const MapPaths& paths : maps) failed += !RunMap(commandLine, paths, files, output, errors);
    // A batch is read by the line; a single run keeps the two lines it always printed.
    if (commandLine.batch) output << maps.size() - failed << " done, " << failed << " failed\n";
    return failed == 0 ? 0 : kExitFailure;
}

}  // namespace lw::ripent
