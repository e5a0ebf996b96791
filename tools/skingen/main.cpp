// Generates one of the application's stored skins: draws its images, writes its options text
// and packs them. Usage: skingen dark|light <output.gwz> [folder for the unpacked members]
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "Art.h"
#include "ImageWriters.h"
#include "OptionsText.h"
#include "skin/SkinPackWriter.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view look = argc > 1 ? argv[1] : "";
    if (argc < 3 || argc > 4 || (look != "dark" && look != "light")) {
        std::fprintf(stderr, "usage: skingen dark|light <output.gwz> [members folder]\n");
        return 2;
    }
    try {
        using namespace skingen;
        const Palette& p = look == "dark" ? DarkPalette() : LightPalette();
        const std::string options = BuildOptionsText(p);
        const std::vector<lw::skin::PackMember> members = {
            {"Options.dat", std::vector<std::uint8_t>(options.begin(), options.end())},
            {"ButtonHuge.bmp", EncodeBmp24(DrawButtonHuge(p))},
            {"Master.bmp", EncodeBmp24(DrawMaster(p))},
            {"Close.png", EncodePngRgba(DrawTitleGlow(p.CloseGlow))},
            {"Edit.png", EncodePngRgba(DrawEditGlow(p.EditGlow))},
            {"Exbor.png", EncodePngRgba(DrawExtendedBorder())},
            {"GlowBtn.png", EncodePngRgba(DrawButtonGlow(p.ButtonGlow))},
            {"Max.png", EncodePngRgba(DrawTitleGlow(p.MaxGlow))},
            {"Min.png", EncodePngRgba(DrawTitleGlow(p.MinGlow))},
        };
        const std::filesystem::path output = argv[2];
        if (output.has_parent_path()) std::filesystem::create_directories(output.parent_path());
        WriteFile(output, lw::skin::WritePackedSkin(members));
        if (argc == 4) {
            const std::filesystem::path folder = argv[3];
            std::filesystem::create_directories(folder);
            for (const auto& m : members) WriteFile(folder / m.Name, m.Data);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
