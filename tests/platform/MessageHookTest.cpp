// Message hooks of the application shared by components, added and removed
// by identity, and the hook list under them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/HookList.h"
#include "platform/MainThread.h"
#include "tests/platform/ControlsFixture.h"

namespace {

using platform_test::ControlsTest;

constexpr UINT kProbe = WM_APP + 11;

class MessageHookTest : public ControlsTest {
protected:
    // Posts the probe to the form and lets the application's loop take it.
    void PostProbe() {
        PostMessageW(form->Handle(), kProbe, 0, 0);
        Application->ProcessMessages();
    }
};

TEST_F(MessageHookTest, TwoHooksRemovedInEitherOrderLeaveTheOtherWorking) {
    for (const bool olderFirst : {true, false}) {
        SCOPED_TRACE(olderFirst ? "older removed first" : "newer removed first");
        int formGot = 0, olderSeen = 0, newerSeen = 0;
        TWindowProcHook formProbe(form, [&](TMessage& m, const TWndMethod& next) {
            if (m.Msg == kProbe) ++formGot;
            next(m);
        });
        using Token = TApplication::TMessageHooks::Token;
        auto older = std::make_unique<Token>(Application->AddMessageHook([&](MSG& msg, bool&) {
            if (msg.message == kProbe) ++olderSeen;
        }));
        // The newer one swallows the probe, as a menu swallows keys while open.
        auto newer = std::make_unique<Token>(Application->AddMessageHook([&](MSG& msg, bool& handled) {
            if (msg.message != kProbe) return;
            ++newerSeen;
            handled = true;
        }));
        PostProbe();
        EXPECT_EQ(newerSeen, 1);
        EXPECT_EQ(olderSeen, 0);  // handled by the newer one before it
        EXPECT_EQ(formGot, 0);

        (olderFirst ? older : newer).reset();
        PostProbe();
        if (olderFirst) {
            EXPECT_EQ(newerSeen, 2);  // still swallowing
            EXPECT_EQ(olderSeen, 0);
            EXPECT_EQ(formGot, 0);
        } else {
            EXPECT_EQ(newerSeen, 1);  // gone, nothing swallowed any more
            EXPECT_EQ(olderSeen, 1);
            EXPECT_EQ(formGot, 1);
        }

        const int formBefore = formGot, olderBefore = olderSeen, newerBefore = newerSeen;
        older.reset();
        newer.reset();
        PostProbe();
        EXPECT_EQ(formGot, formBefore + 1);
        EXPECT_EQ(olderSeen, olderBefore);
        EXPECT_EQ(newerSeen, newerBefore);
    }
}

TEST_F(MessageHookTest, HooksRunBeforeOnMessageAndInsideModalLoops) {
    std::vector<std::string> order;
    Application->OnMessage = [&](MSG& msg, bool&) {
        if (msg.message == kProbe) order.push_back("OnMessage");
    };
    auto* modal = new TForm(Application);
    modal->SetBounds(100, 100, 200, 120);
    auto token = Application->AddMessageHook([&](MSG& msg, bool&) {
        if (msg.message != kProbe) return;
        const bool inModal = modal->HandleAllocated() && msg.hwnd == modal->Handle();
        order.push_back(inModal ? "hook in modal" : "hook");
        if (inModal) modal->ModalResult = mrOk;
    });
    PostProbe();
    EXPECT_EQ(order, (std::vector<std::string>{"hook", "OnMessage"}));
    order.clear();
    platform::QueueInMainThread([&] { PostMessageW(modal->Handle(), kProbe, 0, 0); });
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_EQ(order, (std::vector<std::string>{"hook in modal", "OnMessage"}));
    Application->OnMessage = nullptr;
    modal->Free();
}

// ---- the list under the hooks ------------------------------------------------------------

TEST(HookListTest, HandlerRemovingAnotherDuringARunSkipsIt) {
    platform::HookList<void(std::vector<int>&)> list;
    std::vector<int> calls;
    platform::HookList<void(std::vector<int>&)>::Token first, second, third;
    first = list.Add([](std::vector<int>& v) { v.push_back(1); });
    second = list.Add([](std::vector<int>& v) { v.push_back(2); });
    third = list.Add([&](std::vector<int>& v) {
        v.push_back(3);
        second.Remove();  // runs next in newest-first order: must not be called
    });
    list.VisitNewestFirst([&](const auto& fn) {
        fn(calls);
        return false;
    });
    EXPECT_EQ(calls, (std::vector<int>{3, 1}));
    calls.clear();
    list.VisitOldestFirst([&](const auto& fn) { fn(calls); });
    EXPECT_EQ(calls, (std::vector<int>{1, 3}));
}

TEST(HookListTest, TokenOutlivingItsListIsInertAndChangesAreAnnounced) {
    int changes = 0;
    platform::HookList<int()>::Token survivor;
    {
        platform::HookList<int()> list;
        list.SetOnChange([&] { ++changes; });
        survivor = list.Add([] { return 1; });
        auto moved = list.Add([] { return 2; });
        EXPECT_EQ(list.Newest()(), 2);
        auto taken = std::move(moved);  // a move keeps the one handler
        EXPECT_FALSE(moved.Active());
        EXPECT_EQ(changes, 2);
        taken.Remove();
        EXPECT_EQ(changes, 3);
        EXPECT_EQ(list.Newest()(), 1);
        EXPECT_TRUE(survivor.Active());
    }
    EXPECT_FALSE(survivor.Active());
    survivor.Remove();  // the list is gone: nothing to do, nothing announced
    EXPECT_EQ(changes, 3);
}

}  // namespace
