// Two runs of the built tool importing into one map at the same time, as two users or two
// scripts might: the map ends whole with the text, and a run that did not write says so.
#include "tools/ripent/Bsp.h"
#include "tools/ripent/tests/TestFiles.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

#include "testsupport/ChildProcess.h"
#include "testsupport/HostPath.h"

namespace lw::ripent::testing {
namespace {

struct Outcome {
    int exitCode;
    std::string errors;
};

// Both started before either is waited for.
std::vector<Outcome> RunTogether(const std::vector<std::vector<std::string>>& argumentLists) {
    const TempFolder scratch("two runs output");
    std::vector<std::unique_ptr<testsupport::ChildProcess>> children;
    for (std::size_t i = 0; i < argumentLists.size(); ++i)
        children.push_back(std::make_unique<testsupport::ChildProcess>(
            testsupport::FromHostPath(LW_RIPENT_EXE), argumentLists[i],
            testsupport::ChildOptions{.errorFile = scratch / ("stderr" + std::to_string(i))}));
    std::vector<Outcome> runs;
    for (std::size_t i = 0; i < children.size(); ++i)
        runs.push_back({children[i]->Wait(), ReadText(scratch / ("stderr" + std::to_string(i)))});
    return runs;
}

std::string TextIn(const std::filesystem::path& map) {
    const std::vector<std::uint8_t> bytes = ReadBytes(map);
    return std::string(EntityText(ParseBsp(bytes), bytes));
}

TEST(TwoRuns, ImportingIntoOneMapAtOnceLeavesOneWholeTextAndNoLostWriteReportedAsDone) {
    TempFolder folder("two runs");
    const auto map = folder / "a.bsp";
    std::filesystem::copy_file(RealMaps().front(), map);
    std::filesystem::permissions(map, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    const std::string ent = (folder / "a.ent").string();
    ASSERT_EQ(RunTool("-export " + ent).exitCode, 0);
    const std::string token = IdentityOnDisk(map);
    std::ofstream(ent, std::ios::binary | std::ios::app) << "{\n\"classname\" \"info_null\"\n}\n";
    const std::string edited = TextIn(map) + "{\n\"classname\" \"info_null\"\n}\n";

    // Both were handed the identity of the map they edited: one writes, the other must not
    // write over what it never saw, and says to try again.
    std::vector<Outcome> runs = RunTogether({{"-import", "-expect", token, ent}, {"-import", "-expect", token, ent}});
    std::sort(runs.begin(), runs.end(), [](const Outcome& a, const Outcome& b) { return a.exitCode < b.exitCode; });
    EXPECT_EQ(runs[0].exitCode, 0) << runs[0].errors;
    EXPECT_EQ(runs[1].exitCode, 2);
    const bool toldWhy = runs[1].errors.find("try again") != std::string::npos ||
                         runs[1].errors.find("changed on disk") != std::string::npos;
    EXPECT_TRUE(toldWhy) << runs[1].errors;
    EXPECT_EQ(TextIn(map), edited);

    // Without an identity both may write, one after the other; the map is whole either way.
    std::ofstream(ent, std::ios::binary | std::ios::app) << "{\n\"classname\" \"info_target\"\n}\n";
    runs = RunTogether({{"-import", ent}, {"-import", ent}});
    for (const Outcome& run : runs) {
        const bool retry = run.exitCode == 2 && run.errors.find("try again") != std::string::npos;
        EXPECT_TRUE(run.exitCode == 0 || retry) << run.exitCode << ": " << run.errors;
    }
    EXPECT_EQ(TextIn(map), edited + "{\n\"classname\" \"info_target\"\n}\n");
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().string().find("ripent-tmp"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace lw::ripent::testing
