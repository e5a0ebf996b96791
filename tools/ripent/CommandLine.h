#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/ripent/MapIdentity.h"

namespace lw::ripent {

using Argument = std::filesystem::path::string_type;

enum class Mode { Export, Import };

struct CommandLine {
    Mode mode = Mode::Export;
    // Candidates for the map argument, longest first. Callers pass a path with blanks unquoted,
    // so it arrives split into words: each candidate joins the trailing run of plain words from
    // a later start, the last being the last word alone.
    std::vector<std::filesystem::path> mapCandidates;
    // -expect: the identity the map must still have for an import to write into it.
    std::optional<MapIdentity> expected;
    // The map word holds wildcards in its last component: the candidates are patterns, each
    // matching map is run on its own.
    bool batch = false;
};

// Thrown for an unknown option, a missing or malformed value, no mode or no map: the tool
// prints usage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

CommandLine ParseCommandLine(const std::vector<Argument>& arguments);

struct MapPaths {
    std::filesystem::path map;
    std::filesystem::path entities;
};

using ExistsFunction = std::function<bool(const std::filesystem::path&)>;

// The map and entity file named by one argument: "x.ent" names "x.bsp", or "x" itself when
// "x.bsp" does not exist and "x" ends in ".bsp" (any case) and exists; "x" without an
// extension (or whose "x.bsp" exists) names "x.bsp" and "x.ent"; "x.bsp" names itself and
// "x.ent"; any other "x.y" names itself and "x.y.ent".
MapPaths PathsFor(const std::filesystem::path& argument, const ExistsFunction& exists);

// The first candidate whose map exists; failing that, the first whose folder exists (the
// current folder for a bare name), so that the error names the map the caller meant.
MapPaths ResolveMap(const CommandLine& commandLine, const ExistsFunction& isFile, const ExistsFunction& isFolder);

using ListFunction = std::function<std::vector<std::filesystem::path>(const std::filesystem::path& folder)>;

// Whether a file name fits a pattern of `*` (any run of characters) and `?` (one character):
// letters compared as the platform's file names compare them, ignoring case on Windows only.
bool MatchesPattern(const Argument& pattern, const Argument& name);

// The maps of a batch, from the first candidate pattern that matches any regular file (after
// links) of its folder; `list` gives the names in a folder (none when it does not exist). Sorted
// by the matched file's name; a map that two matches name (a.bsp and a.ent) comes once, for the
// first. Throws UsageError naming the whole pattern when nothing matches.
std::vector<MapPaths> ExpandPattern(const CommandLine& commandLine, const ExistsFunction& isFile,
                                    const ListFunction& list);

std::string UsageText();

}  // namespace lw::ripent
