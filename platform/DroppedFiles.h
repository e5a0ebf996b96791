#pragma once
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace lw::platform {

// The names a WM_DROPFILES carries, in UTF-8 and in order. A name that does not come back whole
// is nothing rather than a cut path. The drop is not finished: its receiver calls DragFinish.
std::vector<std::optional<std::string>> DroppedNames(HDROP drop);

}  // namespace lw::platform
