#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "TestImages.h"
#include "render/Color.h"
#include "skin/SkinError.h"
#include "skin/SkinManagerCore.h"
#include "skin/SkinPackWriter.h"

extern const std::uint8_t kStoredSkin[];
extern const std::size_t kStoredSkinSize;

namespace lw::skin {

namespace {

ByteBuffer Text(std::string_view s) { return ByteBuffer(s.begin(), s.end()); }

ByteBuffer Packed(std::string_view options, std::vector<PackMember> images = {}) {
    images.insert(images.begin(), {"Options.dat", Text(options)});
    return WritePackedSkin(images);
}

// Files by their full path in the platform's syntax, folders as a set.
class FakeFiles final : public SkinFiles {
public:
    std::map<std::string, ByteBuffer> Files;
    std::set<std::string> Folders;
    bool FileExists(const std::string& path) const override { return Files.count(path) != 0; }
    bool DirectoryExists(const std::string& path) const override { return Folders.count(path) != 0; }
    ByteBuffer ReadFile(const std::string& path) const override {
        const auto it = Files.find(path);
        if (it == Files.end()) throw SkinError("Cannot open file \"" + path + "\".");
        return it->second;
    }
    std::vector<Entry> List(const std::string& dir) const override {
        std::vector<Entry> out;
        const std::string prefix = dir + "\\";
        for (const auto& [path, bytes] : Files)
            if (path.starts_with(prefix) && path.find('\\', prefix.size()) == std::string::npos)
                out.push_back({path.substr(prefix.size()), false});
        for (const std::string& f : Folders)
            if (f.starts_with(prefix) && f.find('\\', prefix.size()) == std::string::npos)
                out.push_back({f.substr(prefix.size()), true});
        return out;
    }
    std::string ExecutableFolder() const override { return "C:\\App\\bin\\"; }
};

// Records each broadcast with what a control would see at that moment.
class RecordingHost final : public SkinManagerHost {
public:
    struct Seen {
        SkinBroadcast What;
        bool SkinUsable;
        bool Changing;
        std::size_t Sections;
        bool DrawingSuspended;
    };
    std::vector<Seen> Broadcasts;
    std::vector<std::string> Notices;
    const SkinManagerCore* Manager = nullptr;
    void Broadcast(SkinBroadcast what) override {
        Broadcasts.push_back({what, Manager->GlobalInfo().Active, Manager->SkinChangeInProgress(),
                              Manager->Model().Sections.size(), Suspended});
    }
    bool Suspended = false;
    int Suspensions = 0;
    void SuspendDrawing() override {
        EXPECT_FALSE(Suspended) << "suspended twice";
        Suspended = true;
        ++Suspensions;
    }
    void ResumeDrawing() override {
        EXPECT_TRUE(Suspended) << "resumed without a suspension";
        Suspended = false;
    }
    void ShowNotice(std::string_view text) override { Notices.emplace_back(text); }
    int GlowsHidden = 0;
    void HideAllGlows() override { ++GlowsHidden; }
    // Each hook change with the number of broadcasts made before it.
    std::vector<std::pair<std::string, std::size_t>> HookChanges;
    void InstallFormHook() override { HookChanges.emplace_back("install", Broadcasts.size()); }
    void RemoveFormHook() override { HookChanges.emplace_back("remove", Broadcasts.size()); }
    std::vector<SkinBroadcast> Whats() const {
        std::vector<SkinBroadcast> out;
        for (const Seen& s : Broadcasts) out.push_back(s.What);
        return out;
    }
};

using B = SkinBroadcast;

struct SkinManagerTest : ::testing::Test {
    FakeFiles files;
    RecordingHost host;
    SkinManagerCore manager{host, files};
    SkinManagerTest() { host.Manager = &manager; }

    TColor PanelColor() const {
        const int i = manager.GetSkinIndex("PANEL");
        return i < 0 ? 0xDEADu : manager.Model().Sections[static_cast<std::size_t>(i)].Color;
    }
};

TEST(SkinDirectoryTest, ResolvedForFoldersAsWrittenForPackedFiles) {
    struct Case {
        const char* value;
        const char* resolved;
        const char* packed;
    } cases[] = {
        {"c:\\Skins", "c:\\Skins", "c:\\Skins\\"},
        {"c:\\Skins\\", "c:\\Skins\\", "c:\\Skins\\"},
        {"c:\\Skins/", "c:\\Skins/", "c:\\Skins\\"},
        {"..\\Skins", "C:\\App\\Skins", "..\\Skins\\"},
        {".\\Skins", "C:\\App\\bin\\Skins", ".\\Skins\\"},
        {"./Skins", "C:\\App\\bin\\Skins", "./Skins\\"},
        {"Skins", "C:\\App\\bin\\Skins", "Skins\\"},
        {"d", "C:\\App\\bin\\d", "d:\\"},
        {"\\\\server\\skins", "\\\\server\\skins", "\\\\server\\skins\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveSkinDirectory(c.value, "C:\\App\\bin\\"), c.resolved) << c.value;
        EXPECT_EQ(PackedSkinDirectory(c.value), c.packed) << c.value;
    }
}

TEST_F(SkinManagerTest, PackedFileThenFolderThenInternalSkin) {
    manager.InternalSkins.push_back({"000 (internal)", Packed("[PANEL]\nCOLOR=1\n")});
    files.Files["c:\\Skins\\000 (internal).gwz"] = Packed("[PANEL]\nCOLOR=3\n");
    files.Files["c:\\Skins\\000 (internal)\\Options.dat"] = Text("[PANEL]\nCOLOR=2\n");
    files.Folders.insert("c:\\Skins\\000 (internal)");

    manager.SetSkinName("000 (internal)");
    EXPECT_EQ(PanelColor(), 3u);
    EXPECT_TRUE(manager.Packed());
    EXPECT_EQ(manager.GlobalInfo().SkinFolder, "c:\\Skins\\");

    files.Files.erase("c:\\Skins\\000 (internal).gwz");
    manager.SetSkinName("000 (internal)");
    EXPECT_EQ(PanelColor(), 2u);
    EXPECT_FALSE(manager.Packed());
    EXPECT_EQ(manager.GlobalInfo().SkinFolder, "c:\\Skins\\000 (internal)\\");

    files.Files.clear();
    manager.SetSkinName("000 (internal)");
    EXPECT_EQ(PanelColor(), 1u);
    EXPECT_TRUE(manager.Packed());
    EXPECT_EQ(manager.GlobalInfo().SkinFolder, "");
    EXPECT_TRUE(manager.GlobalInfo().Active);
}

TEST_F(SkinManagerTest, SkinSourceNamesTheFileReadAndStoredOnlyNamesSkipTheDirectory) {
    manager.InternalSkins.push_back({"000 (internal)", Packed("[PANEL]\nCOLOR=1\n")});
    files.Files["c:\\Skins\\000 (internal).gwz"] = Text("not a packed skin");
    files.Files["c:\\Skins\\folder\\Options.dat"] = Text("[PANEL]\nCOLOR=2\n");
    EXPECT_EQ(manager.SkinSource("000 (internal)"), "c:\\Skins\\000 (internal).gwz");
    EXPECT_EQ(manager.SkinSource("folder"), "c:\\Skins\\folder\\Options.dat");
    EXPECT_EQ(manager.SkinSource("absent"), "");
    EXPECT_THROW(manager.SetSkinName("000 (internal)"), SkinError);

    manager.StoredOnly.push_back("000 (internal)");
    EXPECT_EQ(manager.SkinSource("000 (internal)"), "");
    manager.SetSkinName("000 (internal)");
    EXPECT_EQ(PanelColor(), 1u);
    manager.SetHueOffset(30);  // a reload keeps to the stored skin too
    EXPECT_TRUE(manager.GlobalInfo().Active);
    EXPECT_EQ(manager.SkinName(), "000 (internal)");
}

TEST_F(SkinManagerTest, UnknownNameTakesTheFirstInternalSkinAndNoSkinAtAllRemoves) {
    manager.InternalSkins.push_back({"000 (internal)", Packed("[PANEL]\nCOLOR=1\n")});
    manager.InternalSkins.push_back({"second", Packed("[PANEL]\nCOLOR=2\n")});
    manager.SetSkinName("nowhere");
    EXPECT_EQ(manager.SkinName(), "000 (internal)");
    EXPECT_EQ(PanelColor(), 1u);

    manager.InternalSkins.clear();
    host.Broadcasts.clear();
    manager.SetSkinName("nowhere");
    EXPECT_FALSE(manager.Active());
    EXPECT_FALSE(manager.GlobalInfo().Active);
    EXPECT_EQ(host.Whats(), std::vector<B>{B::SkinRemoved});
    EXPECT_EQ(host.Broadcasts[0].Sections, 1u) << "controls are told before the tables go";
    EXPECT_TRUE(manager.Model().Sections.empty());
}

TEST_F(SkinManagerTest, StartUpLoadsWhileReadingAndBroadcastsOnceLoaded) {
    manager.BeginReading();
    manager.InternalSkins.push_back({"000 (internal)", Packed("[GLOBALINFO]\nCOLOR=5\n[PANEL]\nCOLOR=1\n")});
    manager.SetSkinName("000 (internal)");
    EXPECT_TRUE(host.Broadcasts.empty()) << "nothing is broadcast while the stored properties are applied";
    EXPECT_EQ(PanelColor(), 1u);
    EXPECT_FALSE(manager.GlobalInfo().Active);

    manager.Loaded();
    ASSERT_EQ(host.Whats(), std::vector<B>{B::SkinLoaded});
    EXPECT_FALSE(host.Broadcasts[0].SkinUsable) << "the index cache is rebuilt under an unusable skin";
    EXPECT_TRUE(manager.GlobalInfo().Active);
    EXPECT_EQ(manager.SkinInfo(), "0");
    EXPECT_EQ(manager.CommonIndexes().GlobalSection, 0);
}

TEST_F(SkinManagerTest, RunTimeChangeRefreshesWithinTheChangeAndRemovalComesBeforeTheTablesGo) {
    manager.InternalSkins.push_back({"a", Packed("[PANEL]\nCOLOR=1\n")});
    std::vector<std::string> events;
    manager.OnBeforeChange = [&](SkinManagerCore& m) {
        events.push_back(m.SkinChangeInProgress() ? "before*" : "before");
    };
    manager.OnAfterChange = [&](SkinManagerCore& m) {
        events.push_back(m.SkinChangeInProgress() ? "after*" : "after");
    };
    manager.SetSkinName("a");
    EXPECT_EQ(host.Whats(), (std::vector<B>{B::SkinLoaded, B::StopAnim, B::Refresh}));
    EXPECT_EQ(host.GlowsHidden, 1) << "glows of the old look go before the new one is announced";
    for (const auto& seen : host.Broadcasts) EXPECT_TRUE(seen.Changing);
    EXPECT_TRUE(host.Broadcasts[2].SkinUsable);
    EXPECT_TRUE(host.Broadcasts[2].DrawingSuspended) << "the forms show the refresh only once it is done";
    EXPECT_FALSE(host.Broadcasts[1].DrawingSuspended);
    EXPECT_FALSE(host.Suspended);
    EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
    EXPECT_FALSE(manager.SkinChangeInProgress());

    host.Broadcasts.clear();
    manager.SetActive(false);
    ASSERT_EQ(host.Whats(), std::vector<B>{B::SkinRemoved});
    EXPECT_EQ(host.GlowsHidden, 2);
    EXPECT_EQ(host.Broadcasts[0].Sections, 1u);
    EXPECT_EQ(manager.GetSkinIndex("PANEL"), -1);
    EXPECT_EQ(manager.CommonIndexes().GlobalSection, -1);
    EXPECT_EQ(manager.SkinInfo(), "N/A");
}

TEST_F(SkinManagerTest, TheDefaultManagerHooksFormsOnceLoadedAndUnhooksBeforeRemoval) {
    ASSERT_TRUE(manager.IsDefault());
    manager.InternalSkins.push_back({"a", Packed("[PANEL]\nCOLOR=1\n")});
    manager.SetSkinName("a");
    using Change = std::pair<std::string, std::size_t>;
    EXPECT_EQ(host.HookChanges, (std::vector<Change>{{"install", 1}})) << "after SMC_SKINLOADED";
    manager.SetActive(false);
    EXPECT_EQ(host.HookChanges, (std::vector<Change>{{"install", 1}, {"remove", 3}})) << "before SMC_SKINREMOVED";

    RecordingHost otherHost;
    SkinManagerCore other{otherHost, files};
    otherHost.Manager = &other;
    other.InternalSkins.push_back({"a", Packed("[PANEL]\nCOLOR=1\n")});
    other.SetSkinName("a");
    EXPECT_TRUE(std::none_of(otherHost.HookChanges.begin(), otherHost.HookChanges.end(), [](const Change& c) {
        return c.first == "install";
    })) << "only the default manager hooks the thread";
}

TEST_F(SkinManagerTest, FailedLoadKeepsTheSkinInUseAndClearsTheChangeFlag) {
    manager.InternalSkins.push_back({"good", Packed("[PANEL]\nCOLOR=1\n")});
    manager.SetSkinName("good");
    struct Bad {
        const char* name;
        ByteBuffer bytes;
    } bad[] = {
        {"magic", Text("not a packed skin at all")},
        {"options", Packed("[PANEL]\nCOLOR=2\nB=^12\n")},
    };
    for (const Bad& b : bad) {
        files.Files[std::string("c:\\Skins\\") + b.name + ".gwz"] = b.bytes;
        host.Broadcasts.clear();
        EXPECT_THROW(manager.SetSkinName(b.name), SkinError) << b.name;
        EXPECT_FALSE(manager.SkinChangeInProgress()) << b.name;
        EXPECT_TRUE(host.Broadcasts.empty()) << b.name;
        EXPECT_EQ(manager.SkinName(), "good") << b.name;
        EXPECT_EQ(PanelColor(), 1u) << b.name;
        EXPECT_TRUE(manager.GlobalInfo().Active) << b.name;
    }
    try {
        manager.SetSkinName("magic");
    } catch (const SkinError& e) {
        EXPECT_STREQ(e.what(), kNotPackedSkin);
    }
}

TEST_F(SkinManagerTest, HueTurnsRedToGreenButKeepsGreyMagentaAndTheCloseButtons) {
    // Master: close button red at x 0..3, maximise button red at x 4..7, then red, grey, magenta.
    const auto master = testing::MakeBmp24(11, 2, [](int x, int) -> std::array<std::uint8_t, 4> {
        if (x == 9) return {90, 90, 90, 255};
        if (x == 10) return {255, 0, 255, 255};
        return {255, 0, 0, 255};
    });
    const auto redPng = testing::MakePng(2, 2, [](int, int) -> std::array<std::uint8_t, 4> {
        return {255, 0, 0, 200};
    });
    manager.InternalSkins.push_back(
        {"hue", Packed("[GLOBALINFO]\nMASTERBITMAP=M.BMP\nBIKEEPHUE=2\nSHADOW1COLOR=255\n"
                       "BICONCLOSE=@0000@0000@0004@0002@1@0\nBICONMAX=@0004@0000@0008@0002@1@0\n"
                       "SICONCLOSE=!RED.PNG!1!0!2\n"
                       "[PANEL]\nCOLOR=255\nFONTCOLOR=255\nGLOW0=!RED.PNG!1!0!3\n",
                       {{"M.BMP", master}, {"RED.PNG", redPng}})});
    manager.SetHueOffset(120);
    manager.SetSkinName("hue");

    constexpr TColor red = 0x0000FF, green = 0x00FF00;
    const TsSkinModel& m = manager.Model();
    const auto px = [&](int x) {
        const std::uint8_t* p = m.MasterBitmap->Pixel(x, 1);
        return MakeColor(p[2], p[1], p[0]);
    };
    EXPECT_EQ(PanelColor(), green);
    const TsGeneralData& panel = m.Sections[static_cast<std::size_t>(manager.GetSkinIndex("PANEL"))];
    EXPECT_EQ(panel.FontColor[0], std::int32_t(green));
    EXPECT_EQ(panel.FontColor[1], -1) << "none stays none";
    EXPECT_EQ(m.GlobalInfo.Shadow1Color, std::int32_t(green));
    EXPECT_EQ(px(0), red) << "close button kept";
    EXPECT_EQ(px(3), red);
    EXPECT_EQ(px(4), green) << "maximise button changes with KeepHue 2";
    EXPECT_EQ(px(8), green);
    EXPECT_EQ(px(9), 0x5A5A5Au) << "grey kept";
    EXPECT_EQ(px(10), TransparentKey) << "transparent pixel kept";
    const auto own = [&](const char* section, const char* key) {
        const std::uint8_t* p =
            m.Masks[static_cast<std::size_t>(m.GetMaskIndexNoParent(section, key))].Bmp->Pixel(0, 0);
        return MakeColor(p[2], p[1], p[0]);
    };
    EXPECT_EQ(own("GLOBALINFO", "SICONCLOSE"), red) << "own-image close button kept";
    EXPECT_EQ(own("PANEL", "GLOW0"), green);

    host.Broadcasts.clear();
    manager.SetHueOffset(0);
    EXPECT_EQ(PanelColor(), red) << "a new offset reloads from the source";
    EXPECT_EQ(host.Whats(), (std::vector<B>{B::StopAnim, B::Refresh}));
}

TEST_F(SkinManagerTest, CommonSectionsReplaceOrJoinTheSkinsSectionsAndReloadIt) {
    manager.InternalSkins.push_back({"a", Packed("[PANEL]\nCOLOR=1\nFONTCOLOR=7\n[EDIT]\nCOLOR=2\n")});
    manager.SetSkinName("a");
    host.Broadcasts.clear();
    manager.SetCommonSections({"[PANEL]", "COLOR = 5", "[EXTRA]", "PARENTCLASS\t= EDIT", "; a note = kept as it is"});

    EXPECT_EQ(manager.CommonSections(), (std::vector<std::string>{"[PANEL]", "COLOR=5", "[EXTRA]", "PARENTCLASS=EDIT",
                                                                  "; a note = kept as it is"}));
    EXPECT_EQ(host.Whats(), (std::vector<B>{B::SkinLoaded, B::StopAnim, B::Refresh}));
    const auto at = [&](const char* name) {  // the model is made anew at each load
        return manager.Model().Sections[static_cast<std::size_t>(manager.GetSkinIndex(name))];
    };
    EXPECT_EQ(at("PANEL").Color, 5u);
    EXPECT_EQ(at("PANEL").FontColor[0], 0) << "the whole section is replaced, not only its keys";
    ASSERT_GE(manager.GetSkinIndex("EXTRA"), 0);
    EXPECT_EQ(at("EXTRA").Color, 2u) << "a joined section inherits from the skin's own";

    manager.SetSkinName("a");  // every later load of the skin merges them too
    EXPECT_EQ(at("PANEL").Color, 5u);
    manager.SetCommonSections({});
    EXPECT_EQ(at("PANEL").Color, 1u);
    EXPECT_LT(manager.GetSkinIndex("EXTRA"), 0);
}

TEST_F(SkinManagerTest, IndexCacheForgetsSectionsAShorterSkinLacks) {
    manager.InternalSkins.push_back({"long", Packed("[GLOBALINFO]\nBOXCHECKED=@0000@0000@0004@0002@1@0\n"
                                                    "[SCROLLBTNTOP]\nGLYPHMASK=@0000@0000@0004@0002@1@0\n")});
    manager.InternalSkins.push_back({"short", Packed("[PANEL]\nCOLOR=1\n")});
    manager.SetSkinName("long");
    EXPECT_GE(manager.CommonIndexes().ScrollButtons[0].Section, 0);
    EXPECT_GE(manager.CommonIndexes().ScrollButtons[0].GlyphMask, 0);
    EXPECT_GE(manager.CommonIndexes().CheckGlyphs[0], 0);
    manager.SetSkinName("short");
    EXPECT_EQ(manager.CommonIndexes().ScrollButtons[0].Section, -1);
    EXPECT_EQ(manager.CommonIndexes().ScrollButtons[0].GlyphMask, -1);
    EXPECT_EQ(manager.CommonIndexes().GlobalSection, -1);
    EXPECT_EQ(manager.CommonIndexes().CheckGlyphs[0], -1);
}

TEST_F(SkinManagerTest, ColoursFallBackWithoutTheirSection) {
    const TColor sys = 0xFF000000u;
    EXPECT_EQ(manager.GetGlobalColor(), render::ResolveColor(sys | 15));
    EXPECT_EQ(manager.GetGlobalFontColor(), TransparentKey);
    EXPECT_EQ(manager.GetGlobalHotColor(), render::ResolveColor(sys | 5));
    EXPECT_EQ(manager.GetEditHotFontColor(), TransparentKey);
    EXPECT_EQ(manager.GetHighlightColor(), render::ResolveColor(sys | 13));

    manager.InternalSkins.push_back(
        {"c",
         Packed("[GLOBALINFO]\nCOLOR=3092271\nFONTCOLOR=8421504\n[MENUITEM]\nHOTCOLOR=16777215\nHOTFONTCOLOR=66\n")});
    manager.SetSkinName("c");
    EXPECT_EQ(manager.GetGlobalColor(), 3092271u);
    EXPECT_EQ(manager.GetGlobalFontColor(), 8421504u);
    EXPECT_EQ(manager.GetHighlightColor(), render::ResolveColor(sys | 13)) << "white menu highlight is no highlight";
    EXPECT_EQ(manager.GetHighlightTextColor(), render::ResolveColor(sys | 14));
}

TEST_F(SkinManagerTest, SkinNamesInternalFirstThenTheDirectorySorted) {
    manager.InternalSkins.push_back({"000 (internal)", {}});
    files.Folders = {"c:\\Skins", "c:\\Skins\\Blue", "c:\\Skins\\Empty"};
    for (const char* f : {"c:\\Skins\\Blue\\Options.dat", "c:\\Skins\\Red.gwz", "c:\\Skins\\Green.GWZ",
                          "c:\\Skins\\a.b.gwz", "c:\\Skins\\.hidden.gwz"})
        files.Files[f] = {};
    std::vector<std::string> names;
    EXPECT_EQ(manager.GetSkinNames(names, TSkinNamesKind::Both), "000 (internal)");
    EXPECT_EQ(names, (std::vector<std::string>{"000 (internal)", "Blue", "Red", "a"}));
    manager.GetSkinNames(names, TSkinNamesKind::Folders);
    EXPECT_EQ(names, (std::vector<std::string>{"000 (internal)", "Blue"}));
    manager.GetSkinNames(names, TSkinNamesKind::PackedFiles);
    EXPECT_EQ(names, (std::vector<std::string>{"000 (internal)", "Red", "a"}));
}

TEST_F(SkinManagerTest, TheStoredSkinLoadsAsTheInternalSkin) {
    manager.InternalSkins.push_back({"000 (internal)", ByteBuffer(kStoredSkin, kStoredSkin + kStoredSkinSize)});
    manager.SetSkinName("000 (internal)");
    EXPECT_EQ(manager.Model().Sections.size(), 65u);
    EXPECT_EQ(manager.GetGlobalColor(), 3092271u);
    EXPECT_EQ(manager.SkinInfo(), "6.4");
    EXPECT_GE(manager.CommonIndexes().ExBorder, 0);
    const render::SectionPaint* panel = manager.Section(manager.GetSkinIndex("PANEL"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Color, 3092271u);
    ASSERT_NE(manager.Mask(panel->BorderIndex), nullptr);
    EXPECT_EQ(manager.Mask(panel->BorderIndex)->Master, manager.Model().MasterBitmap.get());
    EXPECT_TRUE(host.Notices.empty());
}

// Each slot must come from its own image, told apart here by size.
TEST_F(SkinManagerTest, EachBuiltInShadowSlotComesFromItsOwnImage) {
    const render::Bitmap active = render::CreateBmp32(4, 4), inactive = render::CreateBmp32(3, 3);
    manager.SetBuiltInShadows(&active, &inactive);
    manager.SetLayeredWindowsAvailable(true);
    manager.InternalSkins.push_back({"plain", Packed("[PANEL]\nCOLOR=1\n")});
    manager.SetSkinName("plain");
    manager.SetExtendedBorders(true);
    const std::pair<int, int> slotWidths[] = {{0, 4}, {1, 3}};
    for (const auto& [slot, width] : slotWidths) {
        const render::Bitmap* shadow = manager.ShadowImage(slot);
        ASSERT_NE(shadow, nullptr) << slot;
        EXPECT_EQ(shadow->Width(), width) << slot;
    }
}

TEST_F(SkinManagerTest, ASkinTooNewIsAnnouncedAndUsedAllTheSame) {
    manager.InternalSkins.push_back({"new", Packed("[GLOBALINFO]\nVERSION=300\n[PANEL]\nCOLOR=1\n")});
    manager.SetSkinName("new");
    EXPECT_EQ(host.Notices, std::vector<std::string>{kSkinTooNewText});
    EXPECT_EQ(PanelColor(), 1u);
    EXPECT_TRUE(manager.GlobalInfo().Active);
}

TEST(DiskSkinFilesTest, RealFilesFoldersAndAClearErrorForAMissingFile) {
    const auto dir = std::filesystem::temp_directory_path() / ("lw-skinfiles-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "Blue");
    std::ofstream(dir / "Red.gwz", std::ios::binary) << "GWzf";
    DiskSkinFiles files;
    const std::string root = dir.string();
    EXPECT_TRUE(files.DirectoryExists(root + "/Blue"));
    EXPECT_TRUE(files.FileExists(root + "/Red.gwz"));
    EXPECT_FALSE(files.FileExists(root + "/Blue"));
    EXPECT_EQ(files.ReadFile(root + "/Red.gwz"), Text("GWzf"));
    auto entries = files.List(root);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "Blue");
    EXPECT_TRUE(entries[0].IsDirectory);
    EXPECT_FALSE(entries[1].IsDirectory);
    try {
        files.ReadFile(root + "/Gone.gwz");
        ADD_FAILURE() << "a missing file reads";
    } catch (const SkinError& e) {
        EXPECT_NE(std::string(e.what()).find("Gone.gwz"), std::string::npos) << e.what();
    }
    std::filesystem::remove_all(dir);
}

TEST(VersionNoticeTest, SlashGwverInAnyCase) {
    EXPECT_TRUE(WantsVersionNotice({"a", "/GWVER"}));
    EXPECT_TRUE(WantsVersionNotice({"/GwVer"}));
    EXPECT_FALSE(WantsVersionNotice({"gwver", "/gwverx", "-gwver"}));
}

}  // namespace
}  // namespace lw::skin
