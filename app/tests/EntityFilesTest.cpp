#include "app/EntityFiles.h"

#include <gtest/gtest.h>

#include "app/tests/WindowTestSupport.h"
#include "platform/Exception.h"
#include "platform/Handles.h"
#include "platform/Text.h"

namespace lw::app::testing {
namespace {

std::string Utf8(const std::filesystem::path& path) { return platform::WideToUtf8(path.wstring()); }

TEST(EntityFiles, WritesAndReadsEveryByteAndDeletes) {
    TempFolder folder;
    EntityFiles files;
    const std::string path = Utf8(folder.Path() / L"map 1.ent");
    std::string bytes;
    for (int i = 0; bytes.size() < (4u << 20) + 3; ++i) bytes += static_cast<char>(i * 7);

    EXPECT_FALSE(files.Exists(path));
    files.Write(path, bytes);
    EXPECT_TRUE(files.Exists(path));
    EXPECT_EQ(files.Read(path), bytes);
    files.Write(path, "short");
    EXPECT_EQ(files.Read(path), "short") << "a rewrite replaces the whole file";

    EXPECT_TRUE(files.Delete(path));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_TRUE(files.Delete(path)) << "a file that is not there is gone";
    EXPECT_FALSE(files.Exists(Utf8(folder.Path()))) << "a folder is no entity file";
}

TEST(EntityFiles, StampsGiveSizeAndLastWriteTimeOfFilesOnly) {
    TempFolder folder;
    EntityFiles files;
    const std::string path = Utf8(folder.Path() / L"map 1.bsp");
    files.Write(path, std::string(70000, 'm'));
    {
        platform::KernelHandle file(CreateFileW(platform::Utf8ToWide(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
        const FILETIME written{0x89ABCDEFu, 0x01D90123u};
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &written));
    }
    EXPECT_EQ(files.Stamp(path), (FileStamp{70000, 0x01D9012389ABCDEFull}));
    EXPECT_EQ(files.Stamp(Utf8(folder.Path() / L"gone.bsp")), std::nullopt);
    EXPECT_EQ(files.Stamp(Utf8(folder.Path())), std::nullopt) << "a folder is no map";
}

TEST(EntityFiles, FailuresNameTheFileAndTheReason) {
    TempFolder folder;
    EntityFiles files;
    const std::string missing = Utf8(folder.Path() / L"gone" / L"m.ent");
    const auto message = [](const std::function<void()>& act) {
        try {
            act();
        } catch (const platform::Exception& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    const std::string read = message([&] { files.Read(missing); });
    EXPECT_TRUE(read.starts_with("Cannot open file \"" + missing + "\". ")) << read;
    EXPECT_GT(read.size(), ("Cannot open file \"" + missing + "\". ").size()) << "the reason is missing";
    const std::string write = message([&] { files.Write(missing, "x"); });
    EXPECT_TRUE(write.starts_with("Cannot create file \"" + missing + "\". ")) << write;
}

}  // namespace
}  // namespace lw::app::testing
