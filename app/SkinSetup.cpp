#include "app/SkinSetup.h"

#include <exception>
#include <stdexcept>

#include "platform/Paths.h"
#include "platform/Text.h"

namespace lw::app {

namespace {

constexpr char kSection[] = "SKIN";
constexpr char kNameKey[] = "NAME";
constexpr char kHueKey[] = "HUE";
constexpr char kSaturationKey[] = "SATURATION";
constexpr char kCaption[] = "Оформление";

bool IsStored(const bridge::TsSkinManager& manager, const std::string& name) {
    for (const skin::TsStoredSkin& stored : manager.InternalSkins)
        if (stored.Name == name) return true;
    return false;
}

// The reason a load failed, as its error says it.
std::string Reason(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "неизвестная ошибка";
    }
}

}  // namespace

void AddStoredSkins(bridge::TsSkinManager& manager) {
    if (skin::ByteBuffer dark = bridge::EmbeddedInternalSkin(); !dark.empty())
        manager.InternalSkins.push_back({kDarkSkinName, std::move(dark)});
    if (skin::ByteBuffer light = bridge::EmbeddedInternalSkin(L"INTERNALSKINLIGHT"); !light.empty())
        manager.InternalSkins.push_back({kLightSkinName, std::move(light)});
    // Written out whole: a packed skin is looked for in the directory as written, which a
    // relative name would tie to the current folder instead of the program's.
    manager.SetSkinDirectory(platform::WideToUtf8(platform::ExecutableFolder()) + "Skins");
}

std::vector<std::string> SkinList(const bridge::TsSkinManager& manager) {
    std::vector<std::string> stored, found;
    for (const skin::TsStoredSkin& s : manager.InternalSkins) stored.push_back(s.Name);
    manager.GetSkinNames(found, skin::TSkinNamesKind::Both);
    return SkinListNames(stored, found);
}

SkinChoice ReadSkinChoice(platform::IniStore& configuration, const bridge::TsSkinManager& manager) {
    return ReadSkinChoice(configuration.ReadString(kSection, kNameKey, ""),
                          configuration.ReadString(kSection, kHueKey, ""),
                          configuration.ReadString(kSection, kSaturationKey, ""), SkinList(manager));
}

void WriteSkinChoice(platform::IniStore& configuration, const SkinChoice& choice) {
    configuration.WriteString(kSection, kNameKey, choice.Name);
    configuration.WriteString(kSection, kHueKey, std::to_string(choice.Hue));
    configuration.WriteString(kSection, kSaturationKey, std::to_string(choice.Saturation));
}

SkinChoice CurrentSkinChoice(const bridge::TsSkinManager& manager) {
    return {manager.SkinName(), manager.HueOffset(), manager.Saturation()};
}

void LoadStartSkin(bridge::TsSkinManager& manager, const SkinChoice& choice, platform::Prompt& prompt) {
    // No skin is loaded yet, so these only set what the load below applies.
    manager.SetHueOffset(choice.Hue);
    manager.SetSaturation(choice.Saturation);
    const std::string source = manager.SkinSource(choice.Name);
    std::exception_ptr failed;
    try {
        manager.SetSkinName(choice.Name);
        return;
    } catch (...) {
        failed = std::current_exception();
    }
    // The program's own skin first, so that the message and every window come up whole in it.
    const std::string fallback = IsStored(manager, choice.Name) ? choice.Name : kDarkSkinName;
    manager.StoredOnly.push_back(fallback);
    manager.SetSkinName(fallback);
    prompt.Show(nullptr,
                Reason(failed) + "\nФайл оформления «" + source +
                    "» не удалось прочитать; используется встроенное оформление «" + fallback + "».",
                kCaption, MB_OK | MB_ICONERROR);
}

bool UseSkinChoice(bridge::TsSkinManager& manager, const SkinChoice& choice, platform::Prompt& prompt, HWND owner) {
    const std::string source = manager.SkinSource(choice.Name);
    try {
        // A name with neither a file nor a stored skin would quietly become the first stored skin.
        if (source.empty() && !IsStored(manager, choice.Name))
            throw std::runtime_error("в папке оформлений нет ни файла «" + choice.Name + ".gwz», ни папки «" +
                                     choice.Name + "» с файлом Options.dat.");
        if (choice.Name != manager.SkinName()) manager.SetSkinName(choice.Name);
        manager.SetHueOffset(choice.Hue);
        manager.SetSaturation(choice.Saturation);
        return true;
    } catch (...) {
        std::string text = "Не удалось загрузить оформление «" + choice.Name + "»";
        if (!source.empty()) text += " из файла «" + source + "»";
        text += ": " + Reason(std::current_exception()) + "\nОформление «" + manager.SkinName() + "» оставлено.";
        prompt.Show(owner, text, kCaption, MB_OK | MB_ICONERROR);
        return false;
    }
}

}  // namespace lw::app
