#include "platform/DroppedFiles.h"

#include "platform/Text.h"

namespace lw::platform {

std::vector<std::optional<std::string>> DroppedNames(HDROP drop) {
    std::vector<std::optional<std::string>> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        const UINT read = DragQueryFileW(drop, i, name.data(), length + 1);
        if (length == 0 || read != length) {
            names.emplace_back();
        } else {
            name.resize(read);
            names.emplace_back(WideToUtf8(name));
        }
    }
    return names;
}

}  // namespace lw::platform
