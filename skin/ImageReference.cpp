#include "skin/ImageReference.h"

#include <algorithm>
#include <vector>

#include "skin/SkinText.h"

namespace lw::skin {

namespace {

// Characters at 1-based positions [from, from + length), cut at the end of the text; a
// reference too short for a field yields the part that is there, which then fails to read.
std::int32_t Field(std::string_view value, std::size_t from, std::size_t length) {
    const std::string_view part = from - 1 < value.size() ? value.substr(from - 1, length) : std::string_view();
    return ParseIntStrict(part);
}

std::vector<std::string_view> Words(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (true) {
        pos = text.find_first_not_of(separators, pos);
        if (pos == std::string_view::npos) break;
        std::size_t end = text.find_first_of(separators, pos);
        if (end == std::string_view::npos) end = text.size();
        words.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

// Missing words read as empty text, which is not an integer.
std::int32_t WordInt(const std::vector<std::string_view>& words, std::size_t index) {
    return ParseIntStrict(index < words.size() ? words[index] : std::string_view());
}

TRect FixedRect(std::string_view v) { return {Field(v, 2, 4), Field(v, 7, 4), Field(v, 12, 4), Field(v, 17, 4)}; }

std::optional<ImageReference> ParseImageFile(std::string_view value) {
    const auto words = Words(value, "!");
    if (words.empty()) return std::nullopt;
    const std::string_view name = words[0];
    if (name.find(".BMP") == std::string_view::npos && name.find(".PNG") == std::string_view::npos) return std::nullopt;
    ImageReference ref;
    ref.Form = ReferenceForm::ImageFile;
    ref.FileName = std::string(name);
    ref.ImageCount = WordInt(words, 1);
    ref.MaskType = WordInt(words, 2);
    ref.ImgType = static_cast<TgwImgType>(std::clamp(WordInt(words, 3), 0, 4));
    ref.StretchMode = 4;
    if (words.size() > 4) {
        ref.SlicesGiven = true;
        ref.WL = WordInt(words, 4);
        ref.WT = WordInt(words, 5);
        ref.WR = WordInt(words, 6);
        ref.WB = WordInt(words, 7);
    }
    return ref;
}

ImageReference ParseOlder(std::string_view value) {
    const auto words = Words(value, " ()");
    ImageReference ref;
    ref.Form = ReferenceForm::Older;
    const auto rect = Words(words.size() > 1 ? words[1] : std::string_view(), " ,");
    ref.R = {WordInt(rect, 0), WordInt(rect, 1), WordInt(rect, 2), WordInt(rect, 3)};
    const auto numbers = Words(words.size() > 2 ? words[2] : std::string_view(), " ,");
    ref.ImageCount = numbers.size() > 0 ? std::max(1, WordInt(numbers, 0)) : 1;
    ref.MaskType = numbers.size() > 1 ? std::max(0, WordInt(numbers, 1)) : 0;
    ref.BorderWidth = numbers.size() > 2 ? std::max(0, WordInt(numbers, 2)) : 0;
    ref.StretchMode = numbers.size() > 3 ? WordInt(numbers, 3) : 1;
    ref.ImgType = TgwImgType::itisaBorder;
    return ref;
}

}  // namespace

std::optional<ImageReference> ParseImageReference(std::string_view value) {
    if (value.empty()) return std::nullopt;
    ImageReference ref;
    switch (value.front()) {
    case '^':
        ref.Form = ReferenceForm::Border;
        ref.R = FixedRect(value);
        ref.WL = Field(value, 22, 4);
        ref.WT = Field(value, 27, 4);
        ref.WR = Field(value, 32, 4);
        ref.WB = Field(value, 37, 4);
        ref.SlicesGiven = true;
        ref.ImageCount = Field(value, 42, 1);
        ref.MaskType = Field(value, 44, 1);
        ref.StretchMode = Field(value, 46, 1);
        ref.BorderWidth = Field(value, 48, 1);
        ref.ImgType = TgwImgType::itisaBorder;
        return ref;
    case '@':
        ref.Form = ReferenceForm::Glyph;
        ref.R = FixedRect(value);
        ref.ImageCount = Field(value, 22, 1);
        ref.MaskType = Field(value, 24, 1);
        ref.ImgType = TgwImgType::itisaGlyph;
        return ref;
    case '~':
        ref.Form = ReferenceForm::Texture;
        ref.R = FixedRect(value);
        ref.StretchMode = Field(value, 22, 2);
        ref.MaskType = value.size() >= 25 ? Field(value, 25, 1) : 0;
        ref.ImageCount = 1;
        ref.ImgType = TgwImgType::itisaTexture;
        return ref;
    case '!':
        return ParseImageFile(value);
    default:
        break;
    }
    if (value.find('#') != std::string_view::npos) {
        if (value == "#") return std::nullopt;
        return ParseOlder(value);
    }
    const std::string upper = UpperCase(value);
    if (upper.find(".BMP") == std::string::npos) return std::nullopt;
    ref.Form = ReferenceForm::BareBitmap;
    ref.FileName = upper;
    ref.ImageCount = 3;
    ref.MaskType = 1;
    ref.StretchMode = 1;
    return ref;
}

}  // namespace lw::skin
