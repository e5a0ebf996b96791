#pragma once
// Reader of packed skins: the "GWzf" container of zlib-compressed members, one options
// text and the images it refers to. Every field is checked before it is trusted, so a
// hostile or truncated container ends in a SkinError and leaves the reader empty.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lw::skin {

using ByteBuffer = std::vector<std::uint8_t>;

// Limits that keep a hostile container from asking for absurd amounts of memory.
inline constexpr std::int32_t kMaxMemberSize = 64 * 1024 * 1024;
inline constexpr std::int32_t kMaxMemberNameLength = 4096;

struct TgwImageItem {
    std::string Name;  // as stored; lookups upper-case it
    bool IsBitmap = false;
    ByteBuffer Data;
};
using TgwImageItems = std::vector<TgwImageItem>;

// True when the part of the name from its last "." is ".BMP" in any case.
bool HasBitmapExtension(const std::string& name);

class TgwSkinConvertor {
public:
    TgwSkinConvertor() = default;
    TgwSkinConvertor(const TgwSkinConvertor&) = delete;
    TgwSkinConvertor& operator=(const TgwSkinConvertor&) = delete;
    ~TgwSkinConvertor() { ClearPack(); }

    std::int32_t ImageFileCount = 0;
    TgwImageItems Files;
    ByteBuffer OptionsData;

    // The container to read: either owned (read from a file) or borrowed (bytes that
    // live elsewhere, such as a resource of the program).
    void SetPackedData(ByteBuffer owned);
    void BorrowPackedData(std::span<const std::uint8_t> bytes);
    void ReleasePackedData();
    bool HasPackedData() const { return packed_.data() != nullptr; }

    // Reads the whole container. On failure nothing read so far is kept: the members are
    // only published once every one of them has been read and checked.
    void Unpack();
    void ClearPack();

    // The first image member whose upper-cased name equals the upper-cased reference.
    const TgwImageItem* FindImage(const std::string& reference) const;

private:
    ByteBuffer owned_;
    std::span<const std::uint8_t> packed_;
};

// Does nothing when the file does not exist. Otherwise (re)fills the converter in the
// handle, creating one when it is empty. On any failure the handle is emptied and the
// error passed on, so no half-read container survives.
void LoadPackedSkinFile(const std::filesystem::path& fileName, std::unique_ptr<TgwSkinConvertor>& handle,
                        bool releaseSource);

// Unpacks a container held in memory (the program's stored skin); the bytes are only
// borrowed while reading.
std::unique_ptr<TgwSkinConvertor> UnpackSkinFromMemory(std::span<const std::uint8_t> bytes);

}  // namespace lw::skin
