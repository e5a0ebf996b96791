#pragma once
#include <string>

namespace lw::platform {

// The folder of the running executable, ending in a separator.
std::wstring ExecutableFolder();

// `path` made absolute against the current folder, as the system resolves it (any length); the
// path itself when the system cannot.
std::wstring FullPath(const std::wstring& path);

}  // namespace lw::platform
