#include "skin/GradientData.h"

#include <algorithm>
#include <vector>

#include "skin/SkinText.h"

namespace lw::skin {

TsGradArray ParseGradientData(std::string_view text) {
    std::vector<std::int32_t> fields;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(';', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view field = Trim(text.substr(pos, end - pos));
        if (!field.empty()) fields.push_back(TryParseInt(field).value_or(0));
        pos = end + 1;
    }
    TsGradArray segments(fields.size() / 5);
    for (std::size_t j = 0; j < segments.size(); ++j) {
        const std::int32_t* f = &fields[j * 5];
        segments[j].Color1 = static_cast<TColor>(std::max(0, f[0]));
        segments[j].Color2 = static_cast<TColor>(std::max(0, f[1]));
        segments[j].Percent = static_cast<std::uint8_t>(std::clamp(f[2], 0, 100));
        segments[j].Mode = f[3];
    }
    return segments;
}

}  // namespace lw::skin
