// Change notifier: changes in a watched folder reach the UI thread once;
// a notifier without OnChange, or stopped while waiting, leaves no thread.
#include <gtest/gtest.h>

#include <string>

#include "platform/Owners.h"
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
    // Counts a change and signals `changed` (the handler of the notifiers
    // below).
    void Changed() {
        ++changes;
        thread = GetCurrentThreadId();
        SetEvent(changed.Get());
    }
    // Serves the UI thread until the next change or the deadline; true when
    // a change came. A case that expects none waits out the deadline.
    bool NextChange(DWORD deadlineMs) {
        ResetEvent(changed.Get());
        return PumpUntil([&] { return WaitForSingleObject(changed.Get(), 0) == WAIT_OBJECT_0; }, deadlineMs);
    }
    static bool WatchingSoon(TbsCustomShellChangeNotifier& n) {
        return PumpUntil([&] { return n.Thread() && n.Thread()->Watching(); });
    }
    // Creates stem0.txt, stem1.txt, ... in the media folder until a change
    // comes (the thread may still be opening its notification); false when
    // none came.
    bool ChangeAfterCreating(const String& stem) {
        for (int i = 0; i < 20; ++i) {
            media.File(stem + std::to_wstring(i) + L".txt");
            if (NextChange(250)) return true;
        }
        return false;
    }
    int threadsBefore = 0;
    int changes = 0;
    DWORD thread = 0;
    platform::KernelHandle changed{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    MediaFolder media;
};

TEST_F(ChangeNotifierTest, WithoutOnChangeNoThreadRuns) {
    TbsShellChangeNotifier n(nullptr);
    n.SetRoot(media.Path());
    EXPECT_EQ(n.Thread(), nullptr);
    EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore);
}

TEST_F(ChangeNotifierTest, ACreatedFileGivesOneChangeOnTheUiThread) {
    auto n = std::make_unique<TbsShellChangeNotifier>(nullptr);
    n->SetWatchSubTree(false);
    n->SetRoot(media.Path());
    n->SetOnChange([&] { Changed(); });
    ASSERT_NE(n->Thread(), nullptr);
    ASSERT_TRUE(WatchingSoon(*n));
    ASSERT_TRUE(ChangeAfterCreating(L"new"));
    const int seen = changes;
    EXPECT_FALSE(NextChange(300)) << "one change, once";
    EXPECT_EQ(changes, seen);
    EXPECT_EQ(thread, GetCurrentThreadId());

    // A change of contents alone is not a name change.
    media.File(L"a.mp4", 999);
    EXPECT_FALSE(NextChange(400));
    EXPECT_EQ(changes, seen);
    n.reset();
    EXPECT_TRUE(NoThreadLeft());
}

TEST_F(ChangeNotifierTest, DestroyedWhileWaitingGivesNoChangeAndNoThread) {
    {
        TbsShellChangeNotifier n(nullptr);
        n.SetRoot(media.Path());
        n.SetOnChange([&] { Changed(); });
        ASSERT_TRUE(WatchingSoon(n));
        media.File(L"late.mp4");  // may be seen, but is never delivered
    }
    // Once the thread has gone nothing can come any more; what it handed
    // over before is served by the wait.
    EXPECT_TRUE(NoThreadLeft());
    EXPECT_FALSE(NextChange(100));
    EXPECT_EQ(changes, 0);
}

TEST_F(ChangeNotifierTest, AFolderThatCannotBeWatchedEndsTheThreadQuietly) {
    TbsShellChangeNotifier n(nullptr);
    n.SetRoot(media / L"missing");
    n.SetOnChange([&] { Changed(); });
    ASSERT_NE(n.Thread(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !n.Thread()->Watching(); }));
    EXPECT_EQ(changes, 0);
}

TEST_F(ChangeNotifierTest, ANewRootIsWatchedAtOnce) {
    TbsShellChangeNotifier n(nullptr);
    n.SetWatchSubTree(false);
    n.SetRoot(media.Path());
    n.SetOnChange([&] { Changed(); });
    ASSERT_TRUE(WatchingSoon(n));
    n.SetRoot(media / L"sub");
    // Without the subtree only the new folder is watched, and it is watched
    // before any change came in the old one.
    ASSERT_TRUE(ChangeAfterCreating(L"sub\\x"));
    EXPECT_FALSE(NextChange(200));
    const int seen = changes;
    media.File(L"old.txt");
    EXPECT_FALSE(NextChange(300));
    EXPECT_EQ(changes, seen);
}

}  // namespace
