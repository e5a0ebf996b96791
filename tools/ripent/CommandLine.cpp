#include "tools/ripent/CommandLine.h"

#include "tools/ripent/FileSystem.h"

#include <algorithm>
#include <optional>
#include <set>
#include <type_traits>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lw::ripent {
namespace {

// Non-ASCII characters become '?'.
std::string Ascii(const Argument& argument) {
    std::string result;
    for (auto c : argument) {
        const auto code = static_cast<std::make_unsigned_t<Argument::value_type>>(c);
        result += code < 0x80 ? char(code) : '?';
    }
    return result;
}

std::string AsciiLower(const Argument& argument) {
    std::string result = Ascii(argument);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return result;
}

bool EndsWithIgnoringCase(const Argument& text, const std::string& suffix) {
    return text.size() >= suffix.size() && AsciiLower(text.substr(text.size() - suffix.size())) == suffix;
}

Argument Widen(const std::string& ascii) { return Argument(ascii.begin(), ascii.end()); }

bool HasWildcards(const Argument& text) { return text.find_first_of(Widen("*?")) != Argument::npos; }

// Windows' long-path prefix \\?\ holds a `?` of its own, which makes no pattern.
Argument WithoutLongPathPrefix(const Argument& text) {
    const auto separator = [](Argument::value_type c) { return c == '\\' || c == '/'; };
    if (text.size() >= 4 && separator(text[0]) && separator(text[1]) && text[2] == '?' && separator(text[3]))
        return text.substr(4);
    return text;
}

// Names as the file system compares them: NTFS ignores case by the system's own upper-case
// table, POSIX file systems compare bytes.
Argument FoldCase(Argument text) {
#ifdef _WIN32
    if (!text.empty()) CharUpperBuffW(text.data(), DWORD(text.size()));
#endif
    return text;
}

// Where the character starting at `at` ends, so that `?` takes a whole UTF-8 sequence on POSIX
// or a whole surrogate pair on Windows, never part of one.
std::size_t CharacterEnd(const Argument& text, std::size_t at) {
    const auto unit = [&](std::size_t i) { return static_cast<std::make_unsigned_t<Argument::value_type>>(text[i]); };
    ++at;
#ifdef _WIN32
    while (at < text.size() && unit(at) >= 0xDC00 && unit(at) <= 0xDFFF) ++at;
#else
    while (at < text.size() && (unit(at) & 0xC0) == 0x80) ++at;
#endif
    return at;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<Argument>& arguments) {
    std::optional<Mode> mode;
    std::optional<MapIdentity> expected;
    std::vector<Argument> run;  // the latest run of consecutive plain words
    bool runEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const Argument& word = arguments[i];
        if (word.empty() || word[0] != '-') {
            if (runEnded) run.clear();
            runEnded = false;
            run.push_back(word);
            continue;
        }
        runEnded = true;
        const std::string option = AsciiLower(word);
        if (option == "-export" || option == "-import") {
            const Mode given = option == "-export" ? Mode::Export : Mode::Import;
            if (mode && *mode != given) throw UsageError("say -export or -import, not both");
            mode = given;
        } else if (option == "-texdata" || option == "-lightdata" || option == "-expect") {
            if (++i == arguments.size()) throw UsageError("option " + option + " needs a value");
            if (option == "-expect" && !(expected = ParseIdentity(Ascii(arguments[i]))))
                throw UsageError("-expect takes a map identity <size>:<mtime>:<hash>, not " + Ascii(arguments[i]));
        } else if (option != "-chart" && option != "-noinfo")
            throw UsageError("unknown option " + option);
    }
    if (!mode) throw UsageError("say -export or -import");
    if (expected && *mode == Mode::Export) throw UsageError("-expect goes with -import only");
    if (run.empty()) throw UsageError("no map given");

    CommandLine result;
    result.mode = *mode;
    result.expected = expected;
    for (std::size_t start = 0; start < run.size(); ++start) {
        Argument joined = run[start];
        for (std::size_t k = start + 1; k < run.size(); ++k) joined += Argument::value_type(' ') + run[k];
        result.mapCandidates.emplace_back(joined);
    }
    // Every shorter candidate is a tail of the whole join, so its folders lie within the whole
    // join's folders: checking that one is enough.
    const std::filesystem::path whole = WithoutLongPathPrefix(result.mapCandidates.front().native());
    if (HasWildcards(whole.relative_path().parent_path().native()))
        throw UsageError("wildcards go in the file name only, not in a folder: " +
                         DisplayPath(result.mapCandidates.front()));
    result.batch = HasWildcards(whole.filename().native());
    if (result.batch && expected)
        throw UsageError("-expect names one map's identity and cannot go with a pattern of maps");
    return result;
}

bool MatchesPattern(const Argument& pattern, const Argument& name) {
    const Argument p = FoldCase(pattern);
    const Argument n = FoldCase(name);
    // On a mismatch, the last `*` takes one more character of the name and matching resumes
    // after it; the earlier stars need not be revisited, since that star can take anything.
    std::size_t i = 0, j = 0;
    std::size_t star = Argument::npos, resume = 0;
    while (j < n.size()) {
        if (i < p.size() && p[i] == '*') {
            star = i++;
            resume = j;
        } else if (i < p.size() && p[i] == '?') {
            ++i;
            j = CharacterEnd(n, j);
        } else if (i < p.size() && p[i] == n[j]) {
            ++i;
            ++j;
        } else if (star != Argument::npos) {
            i = star + 1;
            j = resume = CharacterEnd(n, resume);
        } else
            return false;
    }
    while (i < p.size() && p[i] == '*') ++i;
    return i == p.size();
}

std::vector<MapPaths> ExpandPattern(const CommandLine& commandLine, const ExistsFunction& isFile,
                                    const ListFunction& list) {
    for (const auto& pattern : commandLine.mapCandidates) {
        const std::filesystem::path folder = pattern.parent_path();
        std::vector<std::filesystem::path> matches;
        for (const auto& name : list(folder.empty() ? std::filesystem::path(".") : folder))
            if (MatchesPattern(pattern.filename().native(), name.native()) && isFile(folder / name))
                matches.push_back(folder / name);
        std::ranges::sort(matches);
        std::vector<MapPaths> maps;
        std::set<Argument> seen;
        for (const auto& match : matches) {
            MapPaths paths = PathsFor(match, isFile);
            if (seen.insert(FoldCase(paths.map.native())).second) maps.push_back(std::move(paths));
        }
        if (!maps.empty()) return maps;
    }
    throw UsageError("no file matches " + DisplayPath(commandLine.mapCandidates.front()));
}

MapPaths PathsFor(const std::filesystem::path& argument, const ExistsFunction& exists) {
    const Argument& text = argument.native();
    if (EndsWithIgnoringCase(text, ".ent")) {
        const std::filesystem::path stem = text.substr(0, text.size() - 4);
        std::filesystem::path map = stem.native() + Widen(".bsp");
        if (!exists(map) && EndsWithIgnoringCase(stem.native(), ".bsp") && exists(stem)) map = stem;
        return {map, argument};
    }
    if (EndsWithIgnoringCase(text, ".bsp")) return {argument, text.substr(0, text.size() - 4) + Widen(".ent")};
    // A dot inside a name ("de_dust.v2") is not taken for an extension when the .bsp exists.
    const std::filesystem::path withBsp = text + Widen(".bsp");
    if (!argument.has_extension() || exists(withBsp)) return {withBsp, text + Widen(".ent")};
    return {argument, text + Widen(".ent")};
}

MapPaths ResolveMap(const CommandLine& commandLine, const ExistsFunction& isFile, const ExistsFunction& isFolder) {
    for (const auto& candidate : commandLine.mapCandidates) {
        MapPaths paths = PathsFor(candidate, isFile);
        if (isFile(paths.map)) return paths;
    }
    for (const auto& candidate : commandLine.mapCandidates)
        if (!candidate.has_parent_path() || isFolder(candidate.parent_path())) return PathsFor(candidate, isFile);
    return PathsFor(commandLine.mapCandidates.back(), isFile);
}

std::string UsageText() {
    return "usage: ripent -export|-import [-expect IDENTITY] [-texdata N] [-lightdata N] [-chart] [-noinfo] <map>\n"
           "       ripent -export|-import [-texdata N] [-lightdata N] [-chart] [-noinfo] <folder/pattern>\n"
           "  <map> is name.bsp, name.ent or name; the entity file is name.ent beside the map\n"
           "  <pattern> is a file name with * and ? (quote it in a shell): every matching map is\n"
           "           run on its own, then a line \"N done, M failed\"\n"
           "  -export  writes the map's entity text to name.ent\n"
           "  -import  checks name.ent and puts its text into the map, replacing the map atomically\n"
           "  -expect  with -import: refuses unless the map still has this identity (size:mtime:hash,\n"
           "           as printed on the line \"map identity: ...\" of an earlier run)\n";
}

}  // namespace lw::ripent
