#include "tools/ripent/CommandLine.h"

#include <optional>
#include <type_traits>

namespace lw::ripent {
namespace {

// Non-ASCII characters become '?'.
std::string Ascii(const Argument& argument)
{
    std::string result;
    for (auto c : argument) {
        const auto code = static_cast<std::make_unsigned_t<Argument::value_type>>(c);
        result += code < 0x80 ? char(code) : '?';
    }
    return result;
}

std::string AsciiLower(const Argument& argument)
{
    std::string result = Ascii(argument);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return result;
}

bool EndsWithIgnoringCase(const Argument& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && AsciiLower(text.substr(text.size() - suffix.size())) == suffix;
}

Argument Widen(const std::string& ascii) { return Argument(ascii.begin(), ascii.end()); }

} // namespace

CommandLine ParseCommandLine(const std::vector<Argument>& arguments)
{
    std::optional<Mode> mode;
    std::optional<MapIdentity> expected;
    std::vector<Argument> run; // the latest run of consecutive plain words
    bool runEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const Argument& word = arguments[i];
        if (word.empty() || word[0] != '-') {
            if (runEnded)
                run.clear();
            runEnded = false;
            run.push_back(word);
            continue;
        }
        runEnded = true;
        const std::string option = AsciiLower(word);
        if (option == "-export" || option == "-import") {
            const Mode given = option == "-export" ? Mode::Export : Mode::Import;
            if (mode && *mode != given)
                throw UsageError("say -export or -import, not both");
            mode = given;
        } else if (option == "-texdata" || option == "-lightdata" || option == "-expect") {
            if (++i == arguments.size())
                throw UsageError("option " + option + " needs a value");
            if (option == "-expect" && !(expected = ParseIdentity(Ascii(arguments[i]))))
                throw UsageError("-expect takes a map identity <size>:<mtime>:<hash>, not " + Ascii(arguments[i]));
        } else if (option != "-chart" && option != "-noinfo")
            throw UsageError("unknown option " + option);
    }
    if (!mode)
        throw UsageError("say -export or -import");
    if (expected && *mode == Mode::Export)
        throw UsageError("-expect goes with -import only");
    if (run.empty())
        throw UsageError("no map given");

    CommandLine result;
    result.mode = *mode;
    result.expected = expected;
    for (std::size_t start = 0; start < run.size(); ++start) {
        Argument joined = run[start];
        for (std::size_t k = start + 1; k < run.size(); ++k)
            joined += Argument::value_type(' ') + run[k];
        result.mapCandidates.emplace_back(joined);
    }
    return result;
}

MapPaths PathsFor(const std::filesystem::path& argument, const ExistsFunction& exists)
{
    const Argument& text = argument.native();
    if (EndsWithIgnoringCase(text, ".ent")) {
        const std::filesystem::path stem = text.substr(0, text.size() - 4);
        std::filesystem::path map = stem.native() + Widen(".bsp");
        if (!exists(map) && EndsWithIgnoringCase(stem.native(), ".bsp") && exists(stem))
            map = stem;
        return {map, argument};
    }
    if (EndsWithIgnoringCase(text, ".bsp"))
        return {argument, text.substr(0, text.size() - 4) + Widen(".ent")};
    // A dot inside a name ("de_dust.v2") is not taken for an extension when the .bsp exists.
    const std::filesystem::path withBsp = text + Widen(".bsp");
    if (!argument.has_extension() || exists(withBsp))
        return {withBsp, text + Widen(".ent")};
    return {argument, text + Widen(".ent")};
}

MapPaths ResolveMap(const CommandLine& commandLine, const ExistsFunction& isFile, const ExistsFunction& isFolder)
{
    for (const auto& candidate : commandLine.mapCandidates) {
        MapPaths paths = PathsFor(candidate, isFile);
        if (isFile(paths.map))
            return paths;
    }
    for (const auto& candidate : commandLine.mapCandidates)
        if (!candidate.has_parent_path() || isFolder(candidate.parent_path()))
            return PathsFor(candidate, isFile);
    return PathsFor(commandLine.mapCandidates.back(), isFile);
}

std::string UsageText()
{
    return "usage: ripent -export|-import [-expect IDENTITY] [-texdata N] [-lightdata N] [-chart] [-noinfo] <map>\n"
           "  <map> is name.bsp, name.ent or name; the entity file is name.ent beside the map\n"
           "  -export  writes the map's entity text to name.ent\n"
           "  -import  checks name.ent and puts its text into the map, replacing the map atomically\n"
           "  -expect  with -import: refuses unless the map still has this identity (size:mtime:hash,\n"
           "           as printed on the line \"map identity: ...\" of an earlier run)\n";
}

} // namespace lw::ripent
