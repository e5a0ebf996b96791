#include "app/ToolRunner.h"

#include <gtest/gtest.h>

#include "app/tests/ToolDouble.h"
#include "app/tests/WindowTestSupport.h"
#include "platform/Form.h"
#include "platform/Text.h"

namespace lw::app::testing {
namespace {

using namespace std::chrono_literals;

struct ToolRunnerTest : ::testing::Test {
    ~ToolRunnerTest() override { SetToolDouble(L""); }
    std::string Utf8(const std::filesystem::path& path) const { return platform::WideToUtf8(path.wstring()); }
    std::string Quoted(const std::filesystem::path& path) const {
        std::string quoted(1, '"');
        quoted.append(Utf8(path)).push_back('"');
        return quoted;
    }

    TempFolder folder;
    platform::SystemLauncher launcher;
    ToolRunner runner{launcher, ThisExecutable()};
};

TEST_F(ToolRunnerTest, HandsBackTheExitCodeOfTheToolAndEveryCrashCodeAsIs) {
    for (const unsigned code : {0u, 1u, 7u, 0xC0000005u}) {
        SetToolDouble(L"exit:" + std::to_wstring(code));
        const ToolRun run = runner.RunTool("-export texdata 1 x.ent", Utf8(folder.Path()), 20s);
        EXPECT_EQ(run.end, ToolRun::End::Exited);
        EXPECT_EQ(run.exitCode, code);
        EXPECT_EQ(run.errors, "");
    }
}

TEST_F(ToolRunnerTest, HandsBackWhatTheToolWroteToItsStandardError) {
    SetToolDouble(L"fail:ripent: C:\\м\\a.ent:3: quoted text is not closed on its line");
    const ToolRun run = runner.RunTool("-import texdata 1 x.ent", Utf8(folder.Path()), 20s);
    EXPECT_EQ(run.end, ToolRun::End::Exited);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_EQ(run.errors, "ripent: C:\\м\\a.ent:3: quoted text is not closed on its line\n");
    EXPECT_EQ(run.output, "");
}

TEST_F(ToolRunnerTest, HandsBackWhatTheToolWroteToItsStandardOutputApartFromItsErrors) {
    SetToolDouble(L"say:map identity: 12:34:ab");
    const ToolRun run = runner.RunTool("-export texdata 1 x.ent", Utf8(folder.Path()), 20s);
    EXPECT_TRUE(run.Succeeded());
    EXPECT_EQ(run.output, "map identity: 12:34:ab\n");
    EXPECT_EQ(run.errors, "");
}

TEST_F(ToolRunnerTest, ToolGetsTheParametersAsWordsAndRunsInTheGivenFolder) {
    const auto maps = folder.AddFolder(L"my maps");
    const std::string out = Utf8(maps / L"out put.txt");
    SetToolDouble(L"echo");
    ASSERT_TRUE(runner.RunTool("-export texdata 1 \"" + out + "\"", Utf8(maps), 20s).Succeeded());
    EXPECT_EQ(ReadFileBytes(maps / L"out put.txt"), Utf8(maps) + "\n-export\ntexdata\n1\n" + out + "\n");
}

TEST_F(ToolRunnerTest, ToolThatCannotStartCountsAsNotRun) {
    ToolRunner missing{launcher, (folder.Path() / L"ripent.exe").wstring()};
    EXPECT_EQ(missing.RunTool("-export texdata 1 x.ent", Utf8(folder.Path()), 20s).end, ToolRun::End::NotStarted);
}

// Starts for real and keeps a handle of its own on each process it starts.
class WatchingLauncher : public platform::SystemLauncher {
public:
    std::optional<platform::Process> Start(const platform::LaunchRequest& request) override {
        std::optional<platform::Process> process = SystemLauncher::Start(request);
        HANDLE copy = nullptr;
        if (process && DuplicateHandle(GetCurrentProcess(), process->Handle(), GetCurrentProcess(), &copy, 0, FALSE,
                                       DUPLICATE_SAME_ACCESS)) {
            started.emplace_back(platform::KernelHandle(copy));
        }
        return process;
    }
    std::vector<platform::Process> started;
};

TEST_F(ToolRunnerTest, ToolThatOutstaysTheTimeoutIsEndedAndCountsAsFailed) {
    WatchingLauncher watching;
    ToolRunner watched{watching, ThisExecutable()};
    SetToolDouble(L"sleep:30000");
    EXPECT_EQ(watched.RunTool(Quoted(folder.Path() / L"marker.txt"), Utf8(folder.Path()), 500ms).end,
              ToolRun::End::TimedOut);
    ASSERT_EQ(watching.started.size(), 1u);
    EXPECT_TRUE(watching.started[0].WaitFor(0)) << "the tool still runs after RunTool returned";
    TerminateProcess(watching.started[0].Handle(), 1);  // no stray tool when that failed
}

TEST_F(ToolRunnerTest, WindowsRepaintWhileTheToolRuns) {
    RecordingPrompt prompt;
    platform::TApplication application{prompt};
    platform::TComponent root(nullptr);
    auto& form = root.Make<platform::TForm>();
    int paints = 0;
    form.WindowProc = [&, previous = form.WindowProc](platform::TMessage& message) {
        if (message.Msg == WM_PAINT) ++paints;
        previous(message);
    };
    form.SetClientSize(200, 100);
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return paints > 0; }));
    paints = 0;
    InvalidateRect(form.Handle(), nullptr, TRUE);
    SetToolDouble(L"sleep:500");
    EXPECT_TRUE(runner.RunTool(Quoted(folder.Path() / L"m.txt"), Utf8(folder.Path()), 20s).Succeeded());
    EXPECT_GE(paints, 1);
}

}  // namespace
}  // namespace lw::app::testing
