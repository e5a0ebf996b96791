#include "platform/Resources.h"

#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::platform {

std::span<const std::uint8_t> ResourceBytes(const wchar_t* name, const wchar_t* type) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        const std::string shown =
            IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<UINT_PTR>(name)) : WideToUtf8(name);
        throw Exception("Resource " + shown + " not found");
    }
    return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module, found)};
}

}  // namespace lw::platform
