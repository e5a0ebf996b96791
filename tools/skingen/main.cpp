// Generates the application's stored skin: draws its images, writes its options text and
// packs them. Usage: skingen <output.gwz> [folder for the unpacked members]
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
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
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: skingen <output.gwz> [members folder]\n");
        return 2;
    }
    try {
        using namespace skingen;
        const std::string options = BuildOptionsText();
        const std::vector<lw::skin::PackMember> members = {
            {"Options.dat", std::vector<std::uint8_t>(options.begin(), options.end())},
            {"ButtonHuge.bmp", EncodeBmp24(DrawButtonHuge())},
            {"Master.bmp", EncodeBmp24(DrawMaster())},
            {"Close.png", EncodePngRgba(DrawTitleGlow({230, 90, 80, 255}))},
            {"Edit.png", EncodePngRgba(DrawEditGlow())},
            {"Exbor.png", EncodePngRgba(DrawExtendedBorder())},
            {"GlowBtn.png", EncodePngRgba(DrawButtonGlow())},
            {"Max.png", EncodePngRgba(DrawTitleGlow({170, 200, 240, 255}))},
            {"Min.png", EncodePngRgba(DrawTitleGlow({160, 210, 200, 255}))},
        };
        const std::filesystem::path output = argv[1];
        if (output.has_parent_path()) std::filesystem::create_directories(output.parent_path());
        WriteFile(output, lw::skin::WritePackedSkin(members));
        if (argc == 3) {
            const std::filesystem::path folder = argv[2];
            std::filesystem::create_directories(folder);
            for (const auto& m : members) WriteFile(folder / m.Name, m.Data);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
