#include "app/core/OpenRequest.h"

#include <algorithm>
#include <cctype>

namespace lw::app {
namespace {

bool IsMapName(std::string_view path) {
    if (path.size() < 4) return false;
    std::string end(path.substr(path.size() - 4));
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return end == ".bsp";
}

}  // namespace

OpenRequest ClassifyOpenPath(std::string_view fullPath, bool exists, bool isFolder) {
    if (!exists) return {OpenRequest::Kind::Missing, {}, {}};
    std::string path(fullPath);
    if (isFolder) {
        // "C:\maps\" lists the same folder as "C:\maps"; a drive's root keeps its separator.
        while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
        return {OpenRequest::Kind::Folder, path, {}};
    }
    if (!IsMapName(path)) return {OpenRequest::Kind::NotAMap, {}, {}};
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return {OpenRequest::Kind::NotAMap, {}, {}};
    // The root's folder keeps its separator: "C:\" is a folder, "C:" is the current one there.
    const std::string folder = path.substr(0, slash == 2 && path[1] == ':' ? 3 : slash);
    return {OpenRequest::Kind::Map, folder, path.substr(slash + 1)};
}

std::optional<std::string> PathArgument(const std::vector<std::string>& arguments) {
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].empty() && arguments[i][0] != '/') return arguments[i];
    }
    return std::nullopt;
}

std::optional<std::string> FirstMap(const std::vector<std::string>& paths) {
    const auto map = std::find_if(paths.begin(), paths.end(), [](const std::string& p) { return IsMapName(p); });
    if (map == paths.end()) return std::nullopt;
    return *map;
}

std::string OpenFailureText(OpenRequest::Kind kind, std::string_view path) {
    if (kind == OpenRequest::Kind::NotAMap) return "Это не карта (*.bsp): " + std::string(path);
    return "Файл не найден: " + std::string(path);
}

}  // namespace lw::app
