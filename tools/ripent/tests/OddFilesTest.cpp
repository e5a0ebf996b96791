// Files that are not what a map or an entity file usually is: pipes and devices, very long
// names, read-only maps and maps of other users, names with control characters, links.
#include "tools/ripent/Bsp.h"
#include "tools/ripent/tests/InProcessRun.h"
#include "tools/ripent/tests/MapBuilder.h"
#include "tools/ripent/tests/TestFiles.h"

#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lw::ripent {
namespace {

using namespace testing;
using ::testing::HasSubstr;

const std::vector<std::uint8_t>& SmallMap() {
    static const auto map = BuildMap(30, {{1, PlanesLump(4)}, {0, EntityLump(1)}, {2, DataLump(30, 2)}});
    return map;
}

const char* const kEditedText = "{\n\"classname\" \"worldspawn\"\n\"skyname\" \"dusk\"\n}\n";

#ifndef _WIN32
TEST(OddFilesTest, APipeOrDeviceInThePlaceOfAFileIsRefusedAtOnce) {
    struct Case {
        const char* name;
        const char* mode;
        const char* special;  // "a.bsp" or "a.ent"
        bool link;            // a link to a pipe rather than the pipe
    } cases[] = {
        {"a pipe for the map", "-export", "a.bsp", false},
        {"a pipe for the entity file", "-import", "a.ent", false},
        {"a link to a pipe for the entity file", "-export", "a.ent", true},
        {"a link to a device for the map", "-import", "a.bsp", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        WriteBytes(folder / "a.bsp", SmallMap());
        WriteBytes(folder / "a.ent", Bytes(kEditedText));
        const auto special = folder / c.special;
        std::filesystem::remove(special);
        if (c.link && std::string(c.special) == "a.bsp")
            std::filesystem::create_symlink("/dev/zero", special);
        else {
            const auto pipe = c.link ? folder / "pipe" : special;
            ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
            if (c.link) std::filesystem::create_symlink(pipe, special);
        }
        const InProcessRun run = RunInProcess(c.mode, folder / "a.bsp");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_THAT(run.errors, HasSubstr(DisplayPath(special) + ": not a regular file"));
        EXPECT_EQ(std::filesystem::symlink_status(special).type(),
                  c.link ? std::filesystem::file_type::symlink : std::filesystem::file_type::fifo);
    }
}
#else
TEST(OddFilesTest, APipeInThePlaceOfTheMapIsRefusedAtOnce) {
    const std::wstring name = L"\\\\.\\pipe\\ripent-test-" + std::to_wstring(GetCurrentProcessId()) + L".bsp";
    const HANDLE server = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    const InProcessRun run = RunInProcess("-export", std::filesystem::path(name));
    CloseHandle(server);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_THAT(run.errors, HasSubstr("not a regular file"));
}
#endif

TEST(OddFilesTest, NamesUpToTheLimitGetATemporaryNameThatFits) {
    for (std::size_t length : {243, 247, 251, 252, 255}) {
        SCOPED_TRACE(length);
        TempFolder folder("rl");
        const auto map = folder / (std::string(length - 4, 'm') + ".bsp");
        const auto entities = std::filesystem::path(map).replace_extension(".ent");
        WriteBytes(map, SmallMap());
        if (length <= 251) {  // the entity file's name is as long
            const InProcessRun exported = RunInProcess("-export", map);
            EXPECT_EQ(exported.exitCode, 0) << exported.errors;
        }
        WriteBytes(entities, Bytes(kEditedText));
        const InProcessRun imported = RunInProcess("-import", map);
        EXPECT_EQ(imported.exitCode, 0) << imported.errors;
        const auto after = ReadBytes(map);
        EXPECT_EQ(EntityText(ParseBsp(after), after), kEditedText);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
    }
    // A cut name does not end inside a character: 4 UTF-8 bytes or 2 UTF-16 units each here.
    std::u8string name;
    while (name.size() < 400) name += u8"\U0001F600";
    const auto temporary = TemporaryName(std::filesystem::path(name + u8".bsp"), 7).filename().native();
    const std::size_t unitsPerCharacter = sizeof(temporary[0]) == 1 ? 4 : 2;
    EXPECT_LE(temporary.size(), 255u);
    EXPECT_EQ((temporary.size() - std::string_view(".7.ripent-tmp").size()) % unitsPerCharacter, 0u);
}

#ifndef _WIN32
// Runs an import as the unprivileged user `nobody` (the test itself runs as the superuser).
int ImportAsNobody(const std::filesystem::path& map) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
        ::_exit(RunInProcess("-import", map).exitCode);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OddFilesTest, ReadOnlyMapsAndMapsOfOthersAreRefusedEvenToTheSuperuser) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser";
    struct Case {
        const char* name;
        std::filesystem::perms mode;
        bool asNobody;
        const char* message;
    } cases[] = {
        {"read-only map, superuser", std::filesystem::perms(0444), false, "read-only"},
        {"writable map of the superuser, other user", std::filesystem::perms(0666), true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        std::filesystem::permissions(folder.Path(), std::filesystem::perms(0777));
        const auto map = folder / "a.bsp";
        WriteBytes(map, SmallMap());
        WriteBytes(folder / "a.ent", Bytes(kEditedText));
        std::filesystem::permissions(map, c.mode);
        if (c.asNobody) {
            EXPECT_EQ(ImportAsNobody(map), 2);
        } else {
            const InProcessRun run = RunInProcess("-import", map);
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_THAT(run.errors, HasSubstr(c.message));
        }
        struct stat info;
        ASSERT_EQ(::stat(map.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 0u);
        EXPECT_TRUE(ReadBytes(map) == SmallMap());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
    }
}

TEST(OddFilesTest, ControlCharactersInANameAreEscapedInTheOneLineMessage) {
    TempFolder folder;
    const auto map = folder / "line\nbreak\x1B[31m.bsp";
    const InProcessRun run = RunInProcess("-export", map);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    EXPECT_EQ(run.errors.find('\x1B'), std::string::npos);
    EXPECT_THAT(run.errors, HasSubstr("line\\nbreak\\x1B[31m.bsp"));
}

TEST(OddFilesTest, AMapThatWouldGrowTooLargeIsNamed) {
    // Sparse: the lump after the entities reaches almost to the format's 2 GiB.
    TempFolder folder;
    const auto map = folder / "huge.bsp";
    auto bytes = BuildMap(30, {{1, PlanesLump(4)}, {0, EntityLump(1)}});
    const std::size_t last = (bytes.size() + 3) / 4 * 4;
    const std::size_t size = 0x7FFFFFF0;
    SetInt32(bytes, OffsetField(2), std::int32_t(last));
    SetInt32(bytes, LengthField(2), std::int32_t(size - last));
    WriteBytes(map, bytes);
    std::filesystem::resize_file(map, size);
    auto entities = EntityLump(1);
    entities.pop_back();  // its NUL
    WriteBytes(folder / "huge.ent", entities);
    std::ofstream(folder / "huge.ent", std::ios::binary | std::ios::app) << std::string(64, '\n');

    const InProcessRun run = RunInProcess("-import", map);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_THAT(run.errors, HasSubstr(DisplayPath(map) + ": the new map would be too large"));
    EXPECT_EQ(std::filesystem::file_size(map), size);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

TEST(OddFilesTest, ALinkedEntityFileIsFollowedAsALinkedMapIs) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "elsewhere");
    WriteBytes(folder / "elsewhere" / "real.bsp", SmallMap());
    WriteBytes(folder / "elsewhere" / "real.ent", Bytes("old"));
    std::filesystem::create_symlink(folder / "elsewhere" / "real.bsp", folder / "a.bsp");
    std::filesystem::create_symlink(folder / "elsewhere" / "real.ent", folder / "a.ent");

    ASSERT_EQ(RunInProcess("-export", folder / "a.bsp").exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "a.ent"));
    const auto entities = SmallMap();
    EXPECT_EQ(ReadText(folder / "elsewhere" / "real.ent"), std::string(EntityText(ParseBsp(entities), entities)));
}
#endif

}  // namespace
}  // namespace lw::ripent
