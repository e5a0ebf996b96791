#include <windows.h>

#include <gtest/gtest.h>

#include "controls/shell/ShellChangeNotifier.h"
#include "platform/Text.h"
#include "testsupport/TempFolder.h"
#include "testsupport/win32/MessagePump.h"

namespace lw::controls {
namespace {

using namespace std::chrono_literals;

std::string Utf8(const std::filesystem::path& path) { return platform::WideToUtf8(path.wstring()); }

// Two folders; the handler counts the changes it is told of and notes the thread it runs on.
struct ShellChangeNotifierTest : ::testing::Test {
    testsupport::TempFolder fixture{"lw watch"};
    std::filesystem::path first = fixture.AddFolder("first");
    std::filesystem::path second = fixture.AddFolder("second");
    TgwShellChangeNotifier watcher;
    int told = 0;
    DWORD toldOn = 0;

    void SetUp() override {
        watcher.SetRoot(Utf8(first));
        watcher.SetWatchSubTree(false);
    }
    void Listen() {
        watcher.SetOnChange([this] {
            ++told;
            toldOn = GetCurrentThreadId();
        });
    }
    // Quiet for a while: whatever was to be told has been told.
    int ToldAfterAWhile() {
        testsupport::PumpFor(400ms);
        return told;
    }
};

TEST_F(ShellChangeNotifierTest, ANewFolderIsToldOnTheThreadThatListensAndOnlyWhileItListens) {
    EXPECT_FALSE(watcher.Running()) << "no handler, no thread";
    Listen();
    EXPECT_TRUE(watcher.Running());
    std::filesystem::create_directory(first / "new");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return told > 0; }));
    EXPECT_EQ(toldOn, GetCurrentThreadId());

    watcher.SetOnChange(nullptr);
    EXPECT_FALSE(watcher.Running()) << "stopped and joined";
    const int before = ToldAfterAWhile();
    std::filesystem::create_directory(first / "later");
    EXPECT_EQ(ToldAfterAWhile(), before);
}

TEST_F(ShellChangeNotifierTest, ARunningThreadTakesUpANewFolderToWatch) {
    Listen();
    watcher.SetRoot(Utf8(second));
    EXPECT_EQ(watcher.Root(), Utf8(second));
    std::filesystem::create_directory(first / "unwatched");
    EXPECT_EQ(ToldAfterAWhile(), 0);
    std::filesystem::create_directory(second / "watched");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return told > 0; }));
}

// A folder that cannot be watched leaves the thread waiting: it still stops, and takes up a
// folder that can be watched.
TEST_F(ShellChangeNotifierTest, AFolderThatCannotBeWatchedKeepsTheThreadStoppable) {
    watcher.SetRoot(Utf8(fixture / "missing"));
    Listen();
    EXPECT_TRUE(watcher.Running());
    watcher.SetRoot(Utf8(first));
    std::filesystem::create_directory(first / "new");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return told > 0; }));
    watcher.SetOnChange(nullptr);
    EXPECT_FALSE(watcher.Running());
}

}  // namespace
}  // namespace lw::controls
