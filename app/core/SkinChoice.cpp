#include "app/core/SkinChoice.h"

#include <algorithm>

#include "app/core/ProfileInteger.h"

namespace lw::app {

int ClampHue(int degrees) { return std::clamp(degrees, -kHueLimit, kHueLimit); }

int ClampSaturation(int percent) { return std::clamp(percent, -kSaturationLimit, kSaturationLimit); }

SkinChoice ReadSkinChoice(std::string_view name, std::string_view hue, std::string_view saturation,
                          const std::vector<std::string>& available) {
    SkinChoice choice;
    if (std::find(available.begin(), available.end(), name) != available.end()) choice.Name = name;
    choice.Hue = ClampHue(ProfileIntegerOr(hue, 0));
    choice.Saturation = ClampSaturation(ProfileIntegerOr(saturation, 0));
    return choice;
}

std::vector<std::string> SkinListNames(const std::vector<std::string>& stored, const std::vector<std::string>& found) {
    std::vector<std::string> names = stored;
    for (const std::string& name : found)
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    return names;
}

}  // namespace lw::app
