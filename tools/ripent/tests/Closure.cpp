#include "tools/ripent/tests/Closure.h"

#include "tools/ripent/EntityText.h"
#include "tools/ripent/tests/InProcessRun.h"
#include "tools/ripent/tests/MapBuilder.h"
#include "tools/ripent/tests/MemoryFileSystem.h"

namespace lw::ripent::testing {
namespace {

void Store(FileSystem& files, const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    files.Remove(path);
    const auto file = files.CreateNew(path, path);
    file->Write(bytes);
    file->Commit();
}

std::vector<std::uint8_t> Load(FileSystem& files, const std::filesystem::path& path) {
    const auto file = files.OpenFile(path);
    return {file->Bytes().begin(), file->Bytes().end()};
}

std::string IdentityLine(const std::string& output) {
    const std::size_t at = output.find("map identity: ");
    return at == std::string::npos ? "no identity in: " + output : output.substr(at);
}

}  // namespace

const std::vector<std::vector<std::uint8_t>>& LayoutMaps() {
    static const std::vector<std::vector<std::uint8_t>> maps = {
        BuildMap(30, {{1, PlanesLump(3)}, {0, EntityLump(1)}, {2, DataLump(40, 2)}}),
        BuildMap(30, {{0, PlanesLump(3)}, {1, EntityLump(1)}, {2, DataLump(40, 2)}}),
    };
    return maps;
}

std::string ClosureFault(FileSystem& files, const std::filesystem::path& folder, const std::vector<std::uint8_t>& map,
                         std::string_view entityFile) {
    const auto mapPath = folder / "a.bsp";
    const auto entities = folder / "a.ent";
    Store(files, mapPath, map);
    Store(files, entities, Bytes(entityFile));
    const std::string text = EntityFileText(entityFile);
    bool accepted = true;
    try {
        ValidateEntityText(text);
    } catch (const EntityTextError&) {
        accepted = false;
    }

    const InProcessRun imported = RunInProcess(files, "-import", entities);
    if (!accepted) {
        if (imported.exitCode == 0 && imported.output.find("left as it is") == std::string::npos)
            return "a text the checks refuse was imported";
        return Load(files, mapPath) == map && !files.Exists(TemporaryName(mapPath, 0))
                   ? ""
                   : "a refused import changed the files";
    }
    if (imported.exitCode != 0) return "an accepted text was refused: " + imported.errors;
    const std::vector<std::uint8_t> after = Load(files, mapPath);

    files.Remove(entities);
    const InProcessRun exported = RunInProcess(files, "-export", entities);
    if (exported.exitCode != 0) return "the map the import left cannot be exported: " + exported.errors;
    const auto exportedBytes = Load(files, entities);
    const std::string exportedText(exportedBytes.begin(), exportedBytes.end());
    if (EntityFileText(exportedText) != text) return "the export gives another text: " + exportedText;
    if (IdentityLine(exported.output) != IdentityLine(imported.output))
        return "the export names another map identity than the import: " + exported.output + imported.output;

    const InProcessRun again = RunInProcess(files, "-import", entities);
    if (again.exitCode != 0 || again.output.find("left as it is") == std::string::npos)
        return "the export does not import back unchanged: " + again.output + again.errors;
    if (Load(files, mapPath) != after) return "importing the export again changed the map";
    return "";
}

std::string ClosureFault(const std::vector<std::uint8_t>& map, std::string_view entityFile) {
    MemoryFileSystem files;
    return ClosureFault(files, "/ripent-memory", map, entityFile);
}

}  // namespace lw::ripent::testing
