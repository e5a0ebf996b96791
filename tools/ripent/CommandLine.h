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

std::string UsageText();

} // namespace lw::ripent
