#include "skin/SkinImageSource.h"

#include <fstream>
#include <iterator>

namespace lw::skin {

std::optional<std::span<const std::uint8_t>> PackedImageSource::Find(const std::string& name) const {
    const TgwImageItem* item = pack_.FindImage(name);
    if (!item) return std::nullopt;
    return std::span<const std::uint8_t>(item->Data);
}

std::optional<std::span<const std::uint8_t>> FolderImageSource::Find(const std::string& name) const {
    if (name.empty()) return std::nullopt;
    const std::filesystem::path path =
        name.find(':') != std::string::npos ? std::filesystem::path(name) : folder_ / name;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > std::uintmax_t(kMaxMemberSize)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    last_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) return std::nullopt;
    return std::span<const std::uint8_t>(last_);
}

}  // namespace lw::skin
