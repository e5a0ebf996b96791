#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "skin/SkinError.h"
#include "skin/SkinPackWriter.h"
#include "skin/gwSkinPack.h"
#include "testsupport/TempFolder.h"

namespace lw::skin {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A member written field by field, so a test can state sizes that do not match.
void AppendMember(Bytes& out, const std::string& name, std::int32_t statedSize, const Bytes& data) {
    AppendInt32(out, static_cast<std::int32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    AppendInt32(out, statedSize);
    const Bytes stream = CompressMember(data);
    out.insert(out.end(), stream.begin(), stream.end());
}

Bytes Header(std::int32_t count) {
    Bytes out{'G', 'W', 'z', 'f'};
    AppendInt32(out, count);
    return out;
}

std::string UnpackError(const Bytes& container) {
    TgwSkinConvertor c;
    c.BorrowPackedData(container);
    try {
        c.Unpack();
    } catch (const SkinError& e) {
        EXPECT_TRUE(c.Files.empty());
        EXPECT_TRUE(c.OptionsData.empty());
        EXPECT_EQ(c.ImageFileCount, 0);
        return e.what();
    }
    return "no error";
}

TEST(SkinPack, KeepsMemberOrderAndNameCaseAndFindsOptionsAnywhere) {
    const Bytes container = WritePackedSkin({{"Master.Bmp", Text("bitmap")},
                                             {"oPTIONS.dat", Text("[GLOBALINFO]")},
                                             {"Close.png", Text("png")},
                                             {"Empty.bmp", {}}});
    const auto pack = UnpackSkinFromMemory(container);
    EXPECT_EQ(pack->ImageFileCount, 3);
    ASSERT_EQ(pack->Files.size(), 3u);
    EXPECT_EQ(pack->Files[0].Name, "Master.Bmp");
    EXPECT_TRUE(pack->Files[0].IsBitmap);
    EXPECT_EQ(pack->Files[0].Data, Text("bitmap"));
    EXPECT_EQ(pack->Files[1].Name, "Close.png");
    EXPECT_FALSE(pack->Files[1].IsBitmap);
    EXPECT_TRUE(pack->Files[2].Data.empty());
    EXPECT_EQ(pack->OptionsData, Text("[GLOBALINFO]"));
    EXPECT_EQ(pack->FindImage("MASTER.BMP"), &pack->Files[0]);
    EXPECT_EQ(pack->FindImage("close.PNG"), &pack->Files[1]);
    EXPECT_EQ(pack->FindImage("OPTIONS.DAT"), nullptr);
}

TEST(SkinPack, BitmapExtensionIsTheLastDotOnwardInAnyCase) {
    EXPECT_TRUE(HasBitmapExtension("a.bmp"));
    EXPECT_TRUE(HasBitmapExtension("a.png.BmP"));
    EXPECT_FALSE(HasBitmapExtension("a.bmp.png"));
    EXPECT_FALSE(HasBitmapExtension("bmp"));
    EXPECT_FALSE(HasBitmapExtension("a.bmpx"));
}

TEST(SkinPack, RefusesBrokenContainers) {
    const Bytes options = Text("[X]");
    struct Case {
        const char* what;
        Bytes container;
        std::string message;
    };
    std::vector<Case> cases;
    cases.push_back({"wrong magic", Bytes{'G', 'W', 'Z', 'f', 0, 0, 0, 0}, kNotPackedSkin});
    cases.push_back({"empty input", Bytes{}, kNotPackedSkin});
    cases.push_back({"no members", Header(0), "Packed skin has no Options.dat member"});
    cases.push_back({"negative count", Header(-1), "Packed skin has a negative member count"});
    {
        Bytes b = Header(2);
        AppendMember(b, "Options.dat", 3, options);
        AppendMember(b, "OPTIONS.DAT", 3, options);
        cases.push_back({"two options members", b, "Packed skin has more than one Options.dat member"});
    }
    {
        Bytes b = Header(1);
        AppendMember(b, "a.png", 3, options);
        cases.push_back({"no options member", b, "Packed skin has no Options.dat member"});
    }
    {
        Bytes b = Header(2);
        AppendMember(b, "Options.dat", 3, options);
        cases.push_back({"count above the members", b, kStreamReadError});
    }
    {
        Bytes b = Header(1);
        AppendInt32(b, -5);
        cases.push_back({"negative name length", b, kStreamReadError});
    }
    {
        Bytes b = Header(1);
        AppendInt32(b, 1000);
        b.insert(b.end(), 20, 'x');
        cases.push_back({"name longer than the input", b, kStreamReadError});
    }
    {
        Bytes b = Header(1);
        AppendMember(b, "Options.dat", -3, options);
        cases.push_back({"negative size", b, "Packed member \"Options.dat\" has an invalid size"});
    }
    {
        Bytes b = Header(1);
        AppendMember(b, "Options.dat", kMaxMemberSize + 1, options);
        cases.push_back({"size above the cap", b, "Packed member \"Options.dat\" has an invalid size"});
    }
    {
        Bytes b = Header(1);
        AppendMember(b, "Options.dat", 2, options);
        cases.push_back(
            {"inflates to more than stated", b, "Packed member \"Options.dat\" does not unpack to its stated size"});
    }
    {
        Bytes b = Header(1);
        AppendMember(b, "Options.dat", 4, options);
        cases.push_back(
            {"inflates to less than stated", b, "Packed member \"Options.dat\" does not unpack to its stated size"});
    }
    {
        Bytes b = Header(1);
        AppendMember(b, "Options.dat", 3, options);
        b.back() ^= 0x01;  // last byte of the Adler-32 trailer
        cases.push_back({"flipped check byte", b, "incorrect data check"});
    }
    {
        Bytes b = Header(1);
        AppendMember(b, "Options.dat", 3, options);
        b[b.size() - 7] ^= 0xFF;  // inside the deflate data
        cases.push_back({"flipped data byte", b, ""});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string error = UnpackError(c.container);
        if (c.message.empty())
            EXPECT_NE(error, "no error");
        else
            EXPECT_EQ(error, c.message);
    }
}

TEST(SkinPack, EveryTruncationIsAStreamReadError) {
    const Bytes full = WritePackedSkin(
        {{"Options.dat", Text("[GLOBALINFO]\r\nVERSION=6.4\r\n")}, {"Master.bmp", Bytes(300, 7)}, {"", {}}});
    ASSERT_EQ(UnpackError(full), "no error");
    for (std::size_t length = 0; length < full.size(); ++length) {
        SCOPED_TRACE(length);
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(UnpackError(cut), length < 4 ? kNotPackedSkin : kStreamReadError);
    }
}

TEST(SkinPack, ReadsEachMemberRightAfterTheEndOfThePreviousStream) {
    // The stream of each member is followed directly by the next name length; trailing
    // bytes after the last member are not part of any member.
    Bytes b = Header(2);
    AppendMember(b, "x.png", 5, Text("12345"));
    AppendMember(b, "Options.dat", 2, Text("[A"));
    b.insert(b.end(), {1, 2, 3});
    TgwSkinConvertor c;
    c.BorrowPackedData(b);
    c.Unpack();
    EXPECT_EQ(c.Files.at(0).Data, Text("12345"));
    EXPECT_EQ(c.OptionsData, Text("[A"));
}

class PackedSkinFile : public ::testing::Test {
protected:
    testsupport::TempFolder folder;
    const std::filesystem::path& dir = folder.Path();
    std::filesystem::path Write(const std::string& name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return dir / name;
    }
};

TEST_F(PackedSkinFile, MissingFileLeavesTheHandleAlone) {
    std::unique_ptr<TgwSkinConvertor> empty;
    LoadPackedSkinFile(dir / "absent.gwz", empty, true);
    EXPECT_EQ(empty, nullptr);

    auto existing = std::make_unique<TgwSkinConvertor>();
    existing->ImageFileCount = 7;
    TgwSkinConvertor* before = existing.get();
    LoadPackedSkinFile(dir / "absent.gwz", existing, true);
    EXPECT_EQ(existing.get(), before);
    EXPECT_EQ(existing->ImageFileCount, 7);
}

TEST_F(PackedSkinFile, ReusesTheConverterAndReleasesTheSource) {
    const auto path = Write("good.gwz", WritePackedSkin({{"Options.dat", Text("[A]")}, {"a.bmp", Text("b")}}));
    auto handle = std::make_unique<TgwSkinConvertor>();
    TgwSkinConvertor* before = handle.get();
    LoadPackedSkinFile(path, handle, true);
    ASSERT_EQ(handle.get(), before);
    EXPECT_EQ(handle->ImageFileCount, 1);
    EXPECT_EQ(handle->OptionsData, Text("[A]"));
    EXPECT_FALSE(handle->HasPackedData());
}

TEST_F(PackedSkinFile, AFailedReadEmptiesTheHandle) {
    const auto path = Write("bad.gwz", Text("GWZF...."));
    auto handle = std::make_unique<TgwSkinConvertor>();
    EXPECT_THROW(
        {
            try {
                LoadPackedSkinFile(path, handle, true);
            } catch (const SkinError& e) {
                EXPECT_STREQ(e.what(), kNotPackedSkin);
                throw;
            }
        },
        SkinError);
    EXPECT_EQ(handle, nullptr);
}

}  // namespace
}  // namespace lw::skin
