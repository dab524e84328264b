// Change notifier: changes in a watched folder reach the UI thread once;
// a notifier without OnChange, or stopped while waiting, leaves no thread.
#include <gtest/gtest.h>

#include "skin/shell/bsSkinShellNotify.h"
#include "tests/dialogs/ShellFixture.h"
#include "tests/support/ProcessThreads.h"

namespace {

using dialogstest::MediaFolder;
using dialogstest::PumpUntil;

class ChangeNotifierTest : public ::testing::Test {
protected:
    void SetUp() override { threadsBefore = ThreadsOfThisProcess(); }
    // The process's thread count returns to what it was (threads of the
    // system may take a moment to go).
    bool NoThreadLeft() {
        return PumpUntil([&] { return ThreadsOfThisProcess() <= threadsBefore; }, 3000);
    }
    // Runs the UI thread for ms milliseconds.
    static void Pump(DWORD ms) {
        const DWORD start = GetTickCount();
        PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
    }
    int threadsBefore = 0;
    MediaFolder media;
};

TEST_F(ChangeNotifierTest, WithoutOnChangeNoThreadRuns) {
    TbsShellChangeNotifier n(nullptr);
    n.SetRoot(media.Path());
    EXPECT_EQ(n.Thread(), nullptr);
    EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore);
}

TEST_F(ChangeNotifierTest, ACreatedFileGivesOneChangeOnTheUiThread) {
    int changes = 0;
    DWORD thread = 0;
    auto n = std::make_unique<TbsShellChangeNotifier>(nullptr);
    n->SetWatchSubTree(false);
    n->SetRoot(media.Path());
    n->SetOnChange([&] {
        ++changes;
        thread = GetCurrentThreadId();
    });
    ASSERT_NE(n->Thread(), nullptr);
    Pump(200);  // the thread opens its notification
    media.File(L"new.mp4", 10);
    ASSERT_TRUE(PumpUntil([&] { return changes > 0; }));
    Pump(300);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(thread, GetCurrentThreadId());

    // A change of contents alone is not a name change.
    changes = 0;
    media.File(L"a.mp4", 999);
    Pump(400);
    EXPECT_EQ(changes, 0);
    n.reset();
    EXPECT_TRUE(NoThreadLeft());
}

TEST_F(ChangeNotifierTest, DestroyedWhileWaitingGivesNoChangeAndNoThread) {
    int changes = 0;
    {
        TbsShellChangeNotifier n(nullptr);
        n.SetRoot(media.Path());
        n.SetOnChange([&] { ++changes; });
        Pump(100);
        ASSERT_TRUE(n.Thread()->Watching());
        media.File(L"late.mp4");  // may be seen, but is never delivered
    }
    Pump(300);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(NoThreadLeft());
}

TEST_F(ChangeNotifierTest, AFolderThatCannotBeWatchedEndsTheThreadQuietly) {
    int changes = 0;
    TbsShellChangeNotifier n(nullptr);
    n.SetRoot(media / L"missing");
    n.SetOnChange([&] { ++changes; });
    ASSERT_NE(n.Thread(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !n.Thread()->Watching(); }));
    EXPECT_EQ(changes, 0);
}

TEST_F(ChangeNotifierTest, ANewRootIsWatchedAtOnce) {
    int changes = 0;
    TbsShellChangeNotifier n(nullptr);
    n.SetWatchSubTree(false);
    n.SetRoot(media.Path());
    n.SetOnChange([&] { ++changes; });
    Pump(100);
    n.SetRoot(media / L"sub");
    Pump(200);
    // Without the subtree only the new folder is watched, and it is watched
    // before any change came in the old one.
    media.File(L"sub\\x.txt");
    EXPECT_TRUE(PumpUntil([&] { return changes == 1; }));
    Pump(200);
    media.File(L"old.txt");
    Pump(300);
    EXPECT_EQ(changes, 1);
}

}  // namespace
