#pragma once
#include <windows.h>

#include <cstdint>
#include <span>

namespace lw::platform {

// The bytes of a resource of the running executable (they live as long as the process);
// throws Exception naming the resource when it is missing.
std::span<const std::uint8_t> ResourceBytes(const wchar_t* name, const wchar_t* type = RT_RCDATA);

}  // namespace lw::platform
