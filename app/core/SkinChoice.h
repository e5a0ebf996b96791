#pragma once
// The look the user chose: which skin, and the hue and saturation turned on it. Kept in the
// configuration's section "SKIN" and offered by the Settings window.

#include <string>
#include <string_view>
#include <vector>

namespace lw::app {

// The program's own skins, in the order the skin list shows them.
inline constexpr char kDarkSkinName[] = "000 (internal)";
inline constexpr char kLightSkinName[] = "001 (internal, light)";

// Degrees either way round the colour wheel, and per cent less or more saturated.
inline constexpr int kHueLimit = 180;
inline constexpr int kSaturationLimit = 100;

struct SkinChoice {
    std::string Name = kDarkSkinName;
    int Hue = 0;
    int Saturation = 0;
    friend bool operator==(const SkinChoice&, const SkinChoice&) = default;
};

int ClampHue(int degrees);
int ClampSaturation(int percent);

// The choice the configuration's texts give. A value that is not a number counts as 0, one out
// of range is clamped, and a name no skin in `available` carries gives the dark stored skin.
SkinChoice ReadSkinChoice(std::string_view name, std::string_view hue, std::string_view saturation,
                          const std::vector<std::string>& available);

// The skin list: the stored skins in their own order, then the others found, each name once.
std::vector<std::string> SkinListNames(const std::vector<std::string>& stored, const std::vector<std::string>& found);

}  // namespace lw::app
