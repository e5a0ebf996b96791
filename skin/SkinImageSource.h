#pragma once
// Where a skin's images come from: the members of a packed skin, or the files of a skin
// folder. The model asks by the name an image reference gives.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "skin/gwSkinPack.h"

namespace lw::skin {

class SkinImageSource {
public:
    virtual ~SkinImageSource() = default;
    // The bytes of the named image, valid until the next call; none when it does not exist.
    virtual std::optional<std::span<const std::uint8_t>> Find(const std::string& name) const = 0;
};

class PackedImageSource final : public SkinImageSource {
public:
    explicit PackedImageSource(const TgwSkinConvertor& pack) : pack_(pack) {}
    std::optional<std::span<const std::uint8_t>> Find(const std::string& name) const override;

private:
    const TgwSkinConvertor& pack_;
};

class FolderImageSource final : public SkinImageSource {
public:
    explicit FolderImageSource(std::filesystem::path folder) : folder_(std::move(folder)) {}
    // A name holding ":" is a full path of its own; others are files of the folder.
    std::optional<std::span<const std::uint8_t>> Find(const std::string& name) const override;

private:
    std::filesystem::path folder_;
    mutable ByteBuffer last_;
};

}  // namespace lw::skin
