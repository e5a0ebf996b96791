#include "app/core/EntityNames.h"

namespace lw::app {
namespace {

constexpr std::string_view kMapExtension = ".bsp";

std::string QuotedWhenBlank(std::string_view path) {
    if (path.find(' ') == std::string_view::npos) return std::string(path);
    std::string quoted(1, '"');
    quoted.append(path).push_back('"');
    return quoted;
}

}  // namespace

std::string MapBaseName(std::string_view entry) {
    if (entry.ends_with(kMapExtension)) entry.remove_suffix(kMapExtension.size());
    return std::string(entry);
}

std::string EntityFileName(std::string_view entry) { return MapBaseName(entry) + ".ent"; }

std::string ToolsFirstMapChoice(std::string_view entry) { return MapBaseName(entry) + std::string(kMapExtension); }

std::string EntityFilePath(std::string_view folder, std::string_view entry) {
    return std::string(folder) + "\\" + EntityFileName(entry);
}

std::string ExportParameters(std::string_view entityPath) { return "-export texdata 1 " + QuotedWhenBlank(entityPath); }

std::string ImportParameters(std::string_view entityPath, std::string_view expectedIdentity) {
    const std::string expect = expectedIdentity.empty() ? "" : "-expect " + std::string(expectedIdentity) + " ";
    return "-import texdata 1 " + expect + QuotedWhenBlank(entityPath);
}

}  // namespace lw::app
