#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw::app {

// A path handed to the program from outside its list: on its command line, dropped on its
// window, or passed on by a second start. Paths are UTF-8.
struct OpenRequest {
    enum class Kind { Map, Folder, Missing, NotAMap };
    Kind kind = Kind::Missing;
    std::string folder;  // Map, Folder: the folder to list
    std::string entry;   // Map: the map's file name, to select in the list
};

// What a full path asks for, given what the file system says is there.
OpenRequest ClassifyOpenPath(std::string_view fullPath, bool exists, bool isFolder);

// The path a command line names: its first argument that is not an option ("/gwver"); nothing
// when it names none. `arguments` starts with the program itself.
std::optional<std::string> PathArgument(const std::vector<std::string>& arguments);

// Of the paths dropped together, the first map (by its extension), else nothing.
std::optional<std::string> FirstMap(const std::vector<std::string>& paths);

// The message for a path that cannot be opened, naming it.
std::string OpenFailureText(OpenRequest::Kind kind, std::string_view path);

}  // namespace lw::app
