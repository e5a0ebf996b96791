#include "skin/gwSkinPack.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "skin/SkinError.h"
#include "skin/SkinText.h"

namespace lw::skin {

bool HasBitmapExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot != std::string::npos && SameText(std::string_view(name).substr(dot), ".BMP");
}

namespace {

class ContainerReader {
public:
    explicit ContainerReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Remaining() const { return data_.size() - pos_; }

    std::span<const std::uint8_t> Take(std::size_t n) {
        if (n > Remaining()) throw SkinError(kStreamReadError);
        auto out = data_.subspan(pos_, n);
        pos_ += n;
        return out;
    }

    std::int32_t ReadInt32() {
        const auto b = Take(4);
        const std::uint32_t v = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
                                (std::uint32_t(b[3]) << 24);
        return static_cast<std::int32_t>(v);
    }

    // Inflates one zlib stream starting here into exactly `size` bytes and moves past
    // the stream's end, wherever that is; the stream must end exactly at `size`.
    ByteBuffer Inflate(std::size_t size, const std::string& memberName) {
        ByteBuffer out(size);
        z_stream zs{};
        if (inflateInit(&zs) != Z_OK) throw SkinError("Out of memory while unpacking a skin");
        struct Guard {
            z_stream* s;
            ~Guard() { inflateEnd(s); }
        } guard{&zs};

        zs.next_in = const_cast<Bytef*>(data_.data() + pos_);
        const auto available = static_cast<uInt>(std::min<std::size_t>(Remaining(), 0xFFFFFFFFu));
        zs.avail_in = available;
        // Once the stated size is produced, one spare byte tells whether the stream
        // only has its trailer left or would go on producing data.
        std::uint8_t spare = 0;
        bool usingSpare = size == 0;
        zs.next_out = usingSpare ? &spare : out.data();
        zs.avail_out = usingSpare ? 1 : static_cast<uInt>(size);
        for (;;) {
            const int rc = inflate(&zs, Z_NO_FLUSH);
            if (rc == Z_STREAM_END) break;
            if (rc == Z_NEED_DICT) throw SkinError("need dictionary");
            if (rc != Z_OK && rc != Z_BUF_ERROR) throw SkinError(zs.msg ? zs.msg : "data error");
            if (zs.avail_out == 0) {
                if (usingSpare) throw SkinError(SizeMismatch(memberName));
                usingSpare = true;
                zs.next_out = &spare;
                zs.avail_out = 1;
                continue;
            }
            if (zs.avail_in == 0) throw SkinError(kStreamReadError);
        }
        const bool exact = usingSpare ? zs.avail_out == 1 : zs.avail_out == 0;
        if (!exact) throw SkinError(SizeMismatch(memberName));
        pos_ += available - zs.avail_in;
        return out;
    }

private:
    static std::string SizeMismatch(const std::string& name) {
        return "Packed member \"" + name + "\" does not unpack to its stated size";
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

}  // namespace

void TgwSkinConvertor::SetPackedData(ByteBuffer owned) {
    owned_ = std::move(owned);
    packed_ = owned_;
    if (packed_.data() == nullptr) packed_ = std::span<const std::uint8_t>(owned_.data(), std::size_t(0));
}

void TgwSkinConvertor::BorrowPackedData(std::span<const std::uint8_t> bytes) {
    owned_.clear();
    owned_.shrink_to_fit();
    packed_ = bytes;
}

void TgwSkinConvertor::ReleasePackedData() {
    owned_.clear();
    owned_.shrink_to_fit();
    packed_ = {};
}

void TgwSkinConvertor::ClearPack() {
    while (!Files.empty()) Files.pop_back();
    ImageFileCount = 0;
    OptionsData.clear();
    OptionsData.shrink_to_fit();
    ReleasePackedData();
}

void TgwSkinConvertor::Unpack() {
    ContainerReader in(packed_);
    if (in.Remaining() < 4 || std::memcmp(in.Take(4).data(), "GWzf", 4) != 0) {
        ClearPack();
        throw SkinError(kNotPackedSkin);
    }
    try {
        const std::int32_t count = in.ReadInt32();
        if (count < 0) throw SkinError("Packed skin has a negative member count");
        TgwImageItems files;
        ByteBuffer options;
        int optionsMembers = 0;
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t nameLength = in.ReadInt32();
            if (nameLength < 0 || nameLength > kMaxMemberNameLength || std::size_t(nameLength) > in.Remaining())
                throw SkinError(kStreamReadError);
            const auto nameBytes = in.Take(std::size_t(nameLength));
            std::string name(nameBytes.begin(), nameBytes.end());
            const std::int32_t size = in.ReadInt32();
            if (size < 0 || size > kMaxMemberSize)
                throw SkinError("Packed member \"" + name + "\" has an invalid size");
            ByteBuffer data = in.Inflate(std::size_t(size), name);
            if (SameText(name, "Options.dat")) {
                ++optionsMembers;
                options = std::move(data);
            } else {
                const bool isBitmap = HasBitmapExtension(name);
                files.push_back({std::move(name), isBitmap, std::move(data)});
            }
        }
        if (optionsMembers == 0) throw SkinError("Packed skin has no Options.dat member");
        if (optionsMembers > 1) throw SkinError("Packed skin has more than one Options.dat member");
        Files = std::move(files);
        OptionsData = std::move(options);
        ImageFileCount = count - 1;
    } catch (...) {
        ClearPack();
        throw;
    }
}

const TgwImageItem* TgwSkinConvertor::FindImage(const std::string& reference) const {
    const std::size_t limit = std::min<std::size_t>(Files.size(), ImageFileCount < 0 ? 0 : std::size_t(ImageFileCount));
    for (std::size_t i = 0; i < limit; ++i)
        if (SameText(Files[i].Name, reference)) return &Files[i];
    return nullptr;
}

void LoadPackedSkinFile(const std::filesystem::path& fileName, std::unique_ptr<TgwSkinConvertor>& handle,
                        bool releaseSource) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec)) return;
    std::ifstream file(fileName, std::ios::binary);
    if (!file) throw SkinError("Cannot open file \"" + fileName.string() + "\".");
    ByteBuffer bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw SkinError("Cannot open file \"" + fileName.string() + "\".");

    if (handle)
        handle->ClearPack();
    else
        handle = std::make_unique<TgwSkinConvertor>();
    try {
        handle->SetPackedData(std::move(bytes));
        handle->Unpack();
    } catch (...) {
        handle.reset();
        throw;
    }
    if (releaseSource) handle->ReleasePackedData();
}

std::unique_ptr<TgwSkinConvertor> UnpackSkinFromMemory(std::span<const std::uint8_t> bytes) {
    auto converter = std::make_unique<TgwSkinConvertor>();
    converter->BorrowPackedData(bytes);
    converter->Unpack();
    converter->ReleasePackedData();
    return converter;
}

}  // namespace lw::skin
