#pragma once
#include <string>
#include <string_view>

namespace lw::app {

// Names formed from a map list entry (a bare file name) and the folder field. Paths are UTF-8.

// The entry without a final ".bsp", compared with case, so "MAP.BSP" stays as it is. Only the
// end counts: the tool takes "<base>.ent" back to the map "<base>.bsp", which is the entry
// itself, where cutting an inner ".bsp" ("de.bspx.bsp" -> "dex.bsp") would lead it elsewhere.
std::string MapBaseName(std::string_view entry);

// "a.bsp" -> "a.ent", "a.bsp.bsp" -> "a.bsp.ent", "MAP.BSP" -> "MAP.BSP.ent",
// "de.bspx.bsp" -> "de.bspx.ent".
std::string EntityFileName(std::string_view entry);

// The map the tool tries first for the entry's entity file: "<base>.bsp". When that is not the
// entry and exists, the tool would take it in place of the entry.
std::string ToolsFirstMapChoice(std::string_view entry);

// The folder, a backslash, the entity file name. The backslash is added even when the folder
// already ends in one: the platform reads the doubled separator as one.
std::string EntityFilePath(std::string_view folder, std::string_view entry);

// The tool's parameter strings for an entity file. A path with a blank is put in double quotes,
// or it would reach the tool as several words.
// An import handed the identity the export reported is refused by the tool when the map on disk
// is no longer that map.
std::string ExportParameters(std::string_view entityPath);
std::string ImportParameters(std::string_view entityPath, std::string_view expectedIdentity = {});

}  // namespace lw::app
