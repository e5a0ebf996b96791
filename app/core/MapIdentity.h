#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "app/core/EntitySeams.h"

namespace lw::app {

// Which map a text was exported from, as the tool reports it after every run it ends well:
// a line "map identity: <size>:<last write>:<hash of the entity text>". The program compares
// the stamp part with the file system's to notice a map written again since; the whole token
// goes back to the tool, which refuses an import into a map that no longer matches it.
struct MapIdentity {
    std::string token;
    FileStamp stamp;
};

// The identity the tool's standard output names, or nothing when it names none.
std::optional<MapIdentity> MapIdentityIn(std::string_view toolOutput);

}  // namespace lw::app
