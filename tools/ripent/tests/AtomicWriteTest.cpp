#include "tools/ripent/FileSystem.h"
#include "tools/ripent/Ripent.h"
#include "tools/ripent/ToolError.h"
#include "tools/ripent/tests/MapBuilder.h"
#include "tools/ripent/tests/TestFiles.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace lw::ripent {
namespace {

using namespace testing;
using ::testing::HasSubstr;

enum class Step { None, Create, SecondWrite, Commit, Replace, GarbleText, GarbleHeader };

// The real files, with one step of writing made to fail, as a full disk or a lost
// network share would, or to write other bytes than it was given without a word, as a faulty
// disk or driver would.
class FailingFileSystem : public FileSystem {
public:
    explicit FailingFileSystem(Step failing) : failing_(failing) {}

    bool IsFile(const std::filesystem::path& path) override { return real_->IsFile(path); }
    bool Exists(const std::filesystem::path& path) override { return real_->Exists(path); }
    std::unique_ptr<InputFile> OpenFile(const std::filesystem::path& path, Lock lock) override {
        return real_->OpenFile(path, lock);
    }
    void Remove(const std::filesystem::path& path) noexcept override { real_->Remove(path); }
    bool RemoveAbandoned(const std::filesystem::path& path) noexcept override { return real_->RemoveAbandoned(path); }

    std::unique_ptr<OutputFile> CreateNew(const std::filesystem::path& path,
                                          const std::filesystem::path& model) override {
        if (failing_ == Step::Create) throw ToolError("simulated failure creating " + DisplayPath(path));
        auto file = real_->CreateNew(path, model);
        return file ? std::make_unique<FailingFile>(std::move(file), failing_) : nullptr;
    }

    void Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (failing_ == Step::Replace) throw ToolError("simulated failure replacing " + DisplayPath(to));
        real_->Replace(from, to);
    }

private:
    class FailingFile : public OutputFile {
    public:
        FailingFile(std::unique_ptr<OutputFile> real, Step failing) : real_(std::move(real)), failing_(failing) {}
        void Write(std::span<const std::uint8_t> bytes) override {
            ++writes_;
            if (failing_ == Step::SecondWrite && writes_ == 2) {
                real_->Write(bytes.first(bytes.size() / 2));
                throw ToolError("simulated failure: disk full");
            }
            std::vector<std::uint8_t> garbled(bytes.begin(), bytes.end());
            const std::string_view text = "skyname";
            const auto word = std::search(garbled.begin(), garbled.end(), text.begin(), text.end());
            if (failing_ == Step::GarbleText && word != garbled.end()) *word ^= 0x20;
            if (failing_ == Step::GarbleHeader && writes_ == 1)
                garbled[LengthField(0) + 3] ^= 0x40;  // the entity lump's length, far past the end
            real_->Write(garbled);
        }
        void Commit() override {
            if (failing_ == Step::Commit) throw ToolError("simulated failure flushing");
            real_->Commit();
        }

    private:
        std::unique_ptr<OutputFile> real_;
        Step failing_;
        int writes_ = 0;
    };

    std::unique_ptr<FileSystem> real_ = MakeRealFileSystem();
    Step failing_;
};

std::vector<std::filesystem::path> FolderContents(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<Argument> ImportArguments(const std::filesystem::path& entities) {
    return {Argument{'-', 'i', 'm', 'p', 'o', 'r', 't'}, entities.native()};
}

TEST(AtomicWriteTest, AFailureAtAnyStepLeavesTheOldFileAndNoLeftovers) {
    const std::vector<std::uint8_t> map =
        BuildMap(30, {{1, PlanesLump(40)}, {0, EntityLump(3)}, {2, DataLump(5000, 2)}});
    const struct {
        Step step;
        std::string message;
    } cases[] = {
        {Step::Create, "simulated failure"},
        {Step::SecondWrite, "simulated failure"},
        {Step::Commit, "simulated failure"},
        {Step::Replace, "simulated failure"},
        // Bytes written wrong without a word: the map read back before the rename tells.
        {Step::GarbleText,
         ": the map written does not read back with the entity text meant for it (they differ from "
         "byte 28 of the text on); the map is unchanged\n"},
        {Step::GarbleHeader, ": the map written does not read back (lump 0 (bytes "},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder / "a.bsp", map);
        WriteBytes(folder / "a.ent", Bytes("{\n\"classname\" \"worldspawn\"\n\"skyname\" \"night\"\n}\n"));
        const auto before = FolderContents(folder.Path());

        FailingFileSystem files(c.step);
        std::ostringstream output, errors;
        EXPECT_EQ(RunRipent(ImportArguments(folder / "a.ent"), files, output, errors), kExitFailure);
        EXPECT_THAT(errors.str(), HasSubstr(c.message));
        EXPECT_EQ(ReadBytes(folder / "a.bsp"), map);
        EXPECT_EQ(FolderContents(folder.Path()), before);
    }
}

TEST(AtomicWriteTest, ReplacesTheFileTakingBackNamesLeftBehindButNotNamesInUse) {
    TempFolder folder;
    const auto target = folder / "a.bsp";
    WriteBytes(target, Bytes("old"));
    WriteBytes(folder / "a.bsp.0.ripent-tmp", Bytes("left by a killed run"));
    const auto files = MakeRealFileSystem();
    const auto inUse = files->CreateNew(folder / "a.bsp.1.ripent-tmp", target);  // another run's

    const auto content = Bytes("new content");
    const Piece pieces[] = {{std::span(content).first(4)}, {std::span(content).subspan(4)}};
    WriteFileAtomically(*files, target, pieces);
    EXPECT_EQ(ReadBytes(target), content);
    EXPECT_EQ(FolderContents(folder.Path()), (std::vector<std::filesystem::path>{"a.bsp", "a.bsp.1.ripent-tmp"}));
}

#ifndef _WIN32
TEST(AtomicWriteTest, KeepsTheAccessRightsOfTheFileItReplaces) {
    TempFolder folder;
    const auto target = folder / "a.bsp";
    WriteBytes(target, Bytes("old"));
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    const auto files = MakeRealFileSystem();
    const auto content = Bytes("new");
    const Piece pieces[] = {{content}};
    WriteFileAtomically(*files, target, pieces);
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
}
#endif

}  // namespace
}  // namespace lw::ripent
