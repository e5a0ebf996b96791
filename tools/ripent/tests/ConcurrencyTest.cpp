// Another program touching the map while the tool works on it: the tool fails, and what the
// other program wrote stays.
#include "tools/ripent/FileSystem.h"
#include "tools/ripent/ToolError.h"
#include "tools/ripent/tests/InProcessRun.h"
#include "tools/ripent/tests/MapBuilder.h"
#include "tools/ripent/tests/TestFiles.h"

#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lw::ripent {
namespace {

using namespace testing;
using ::testing::HasSubstr;

// The real files; `interfere` runs as another program would, right after the map has been
// opened or right before the new file is committed.
class InterferedFileSystem : public FileSystem {
public:
    enum class When { AfterOpening, BeforeCommit };
    InterferedFileSystem(When when, std::filesystem::path map, std::function<void()> interfere)
        : when_(when), map_(std::move(map)), interfere_(std::move(interfere)) {}

    bool IsFile(const std::filesystem::path& path) override { return real_->IsFile(path); }
    bool Exists(const std::filesystem::path& path) override { return real_->Exists(path); }
    void Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        real_->Replace(from, to);
    }
    void Remove(const std::filesystem::path& path) noexcept override { real_->Remove(path); }
    bool RemoveAbandoned(const std::filesystem::path& path) noexcept override { return real_->RemoveAbandoned(path); }

    std::unique_ptr<InputFile> OpenFile(const std::filesystem::path& path, Lock lock) override {
        auto file = real_->OpenFile(path, lock);
        if (when_ == When::AfterOpening && path == map_) interfere_();
        return file;
    }

    std::unique_ptr<OutputFile> CreateNew(const std::filesystem::path& path,
                                          const std::filesystem::path& model) override {
        auto file = real_->CreateNew(path, model);
        return file && when_ == When::BeforeCommit ? std::make_unique<Interfering>(std::move(file), interfere_)
                                                   : std::move(file);
    }

private:
    class Interfering : public OutputFile {
    public:
        Interfering(std::unique_ptr<OutputFile> real, std::function<void()> interfere)
            : real_(std::move(real)), interfere_(std::move(interfere)) {}
        void Write(std::span<const std::uint8_t> bytes) override { real_->Write(bytes); }
        void CopyFrom(const InputFile& source, std::span<const std::uint8_t> range) override {
            real_->CopyFrom(source, range);
        }
        void Commit() override {
            interfere_();
            real_->Commit();
        }

    private:
        std::unique_ptr<OutputFile> real_;
        std::function<void()> interfere_;
    };

    When when_;
    std::filesystem::path map_;
    std::function<void()> interfere_;
    std::unique_ptr<FileSystem> real_ = MakeRealFileSystem();
};

std::vector<std::filesystem::path> FolderContents(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ConcurrencyTest, AMapChangedByAnotherProgramMeanwhileFailsAndKeepsItsChange) {
    // Planes first and many of them, so that the entity lump lies pages away from the header.
    const auto map = BuildMap(30, {{1, PlanesLump(600)}, {0, EntityLump(3)}, {2, DataLump(9000, 2)}});
    auto rewritten = map;
    rewritten[rewritten.size() - 1] ^= 0xFF;
    using When = InterferedFileSystem::When;
    struct Case {
        const char* name;
        const char* mode;
        When when;
        std::function<void(const std::filesystem::path& map)> interfere;
        std::vector<std::uint8_t> left;  // the map as the other program leaves it
    } cases[] = {
        {"truncated under an import", "-import", When::AfterOpening,
         [](const auto& m) { std::filesystem::resize_file(m, 200); },
         std::vector<std::uint8_t>(map.begin(), map.begin() + 200)},
        {"truncated under an export", "-export", When::AfterOpening,
         [](const auto& m) { std::filesystem::resize_file(m, 200); },
         std::vector<std::uint8_t>(map.begin(), map.begin() + 200)},
        {"rewritten in place during an import", "-import", When::BeforeCommit,
         [&](const auto& m) {
             std::fstream(m, std::ios::binary | std::ios::in | std::ios::out)
                 .write(reinterpret_cast<const char*>(rewritten.data()), std::streamsize(rewritten.size()));
             Touch(m);
         },
         rewritten},
#ifndef _WIN32  // Windows lets no other program replace a file that the import holds open
        {"replaced during an import", "-import", When::BeforeCommit,
         [&](const auto& m) {
             const auto other = std::filesystem::path(m).replace_extension(".new");
             WriteBytes(other, rewritten);
             std::filesystem::rename(other, m);
         },
         rewritten},
#endif
        {"rewritten in place during an export", "-export", When::BeforeCommit,
         [&](const auto& m) {
             WriteBytes(m, rewritten);
             Touch(m);
         },
         rewritten},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto path = folder / "a.bsp";
        WriteBytes(path, map);
        WriteBytes(folder / "a.ent", Bytes("{\n\"classname\" \"worldspawn\"\n\"skyname\" \"dusk\"\n}\n"));
        if (std::string(c.mode) == "-export") std::filesystem::remove(folder / "a.ent");
        const auto before = FolderContents(folder.Path());

        InterferedFileSystem files(c.when, path, [&] { c.interfere(path); });
        const InProcessRun run = RunInProcess(files, c.mode, path);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_THAT(run.errors, HasSubstr("changed by another program"));
        EXPECT_TRUE(ReadBytes(path) == c.left);
        EXPECT_EQ(FolderContents(folder.Path()), before);
    }
}

TEST(ConcurrencyTest, AnImportWaitsForNoOtherRunAndTakesTheMapForItself) {
    struct Case {
        Lock held;  // by another run
        const char* mode;
        int exitCode;
    } cases[] = {
        {Lock::Exclusive, "-import", 2},
        {Lock::Shared, "-import", 2},
        {Lock::Exclusive, "-export", 2},
        {Lock::Shared, "-export", 0},
    };
    const auto map = BuildMap(30, {{1, PlanesLump(4)}, {0, EntityLump(1)}, {2, DataLump(30, 2)}});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.held == Lock::Shared ? " while shared" : " while exclusive"));
        TempFolder folder;
        const auto path = folder / "a.bsp";
        WriteBytes(path, map);
        WriteBytes(folder / "a.ent", Bytes("{\n\"classname\" \"worldspawn\"\n\"skyname\" \"dusk\"\n}\n"));
        const auto files = MakeRealFileSystem();
        const auto other = files->OpenFile(path, c.held);

        const InProcessRun run = RunInProcess(c.mode, path);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.errors;
        if (c.exitCode != 0) {
            EXPECT_THAT(run.errors, HasSubstr("in use by another run"));
        }
        EXPECT_TRUE(ReadBytes(path) == map);
    }
}

}  // namespace
}  // namespace lw::ripent
