#include "app/core/MapListing.h"

namespace lw::app {
namespace {
constexpr std::uint32_t kClassicAttributes = 0x3F;
constexpr std::uint32_t kDirectory = 0x10;
}  // namespace

bool IsListedMap(std::wstring_view name, std::uint32_t attributes) {
    constexpr std::wstring_view extension = L".bsp";
    if (name.size() < extension.size()) return false;
    const std::wstring_view tail = name.substr(name.size() - extension.size());
    for (size_t i = 0; i < extension.size(); ++i) {
        wchar_t c = tail[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != extension[i]) return false;
    }
    return (attributes & kClassicAttributes) != kDirectory;
}

}  // namespace lw::app
