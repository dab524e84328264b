// Threads with hand-over to the UI thread; timers on the replaceable clock.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/Clock.h"
#include "platform/Forms.h"
#include "platform/MainThread.h"
#include "platform/Threads.h"
#include "platform/Timer.h"

namespace {

class UiThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<TApplication>();
        Application->Initialize();
    }
    void TearDown() override {
        app.reset();
        platform::DoneMainThread();
    }
    std::unique_ptr<TApplication> app;
};

class Worker : public TThread {
public:
    explicit Worker(std::function<void(Worker*)> body, bool suspended = true)
        : TThread(suspended), body_(std::move(body)) {}
    ~Worker() override {
        Terminate();
        WaitFor();
    }
    using TThread::Synchronize;

protected:
    void Execute() override { body_(this); }

private:
    std::function<void(Worker*)> body_;
};

TEST_F(UiThreadTest, SynchronizeRunsOnTheUiThreadWhileItWaits) {
    const DWORD ui = GetCurrentThreadId();
    std::vector<DWORD> ranOn;
    int terminateRanOn = 0;
    Worker w([&](Worker*) {
        for (int i = 0; i < 3; ++i) TThread::Synchronize([&] { ranOn.push_back(GetCurrentThreadId()); });
    });
    w.OnTerminate = [&](TObject* sender) {
        EXPECT_EQ(sender, &w);
        terminateRanOn = static_cast<int>(GetCurrentThreadId());
    };
    w.ReturnValue = 7;
    w.Start();
    // WaitFor on the UI thread keeps serving the worker's hand-overs.
    EXPECT_EQ(w.WaitFor(), 7);
    EXPECT_EQ(ranOn, (std::vector<DWORD>{ui, ui, ui}));
    EXPECT_EQ(terminateRanOn, static_cast<int>(ui));
    EXPECT_TRUE(w.Finished());
    EXPECT_FALSE(w.FatalException());
}

TEST_F(UiThreadTest, QueuedCallsRunLaterInOrder) {
    std::vector<int> order;
    Worker w([&](Worker*) {
        for (int i = 0; i < 4; ++i) TThread::Queue([&order, i] { order.push_back(i); });
    });
    w.Start();
    WaitForSingleObject(w.Handle(), 10000);  // a plain wait: nothing runs meanwhile
    EXPECT_TRUE(order.empty());
    Application->ProcessMessages();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(UiThreadTest, ExceptionsStayWithTheirThread) {
    std::string inWorker;
    Worker w([&](Worker*) {
        try {
            TThread::Synchronize([] { throw std::runtime_error("ui failed"); });
        } catch (const std::runtime_error& e) {
            inWorker = e.what();
        }
        throw EThread(L"worker failed");
    });
    w.Start();
    w.WaitFor();
    EXPECT_EQ(inWorker, "ui failed");
    ASSERT_TRUE(w.FatalException());
    try {
        std::rethrow_exception(w.FatalException());
    } catch (const EThread& e) {
        EXPECT_EQ(e.Message(), L"worker failed");
    }
}

TEST_F(UiThreadTest, TerminateIsSeenByExecuteAndPriorityIsApplied) {
    std::atomic<int> spins{0};
    Worker w([&](Worker* self) {
        while (!self->Terminated()) {
            ++spins;
            Sleep(1);
        }
    });
    w.SetPriority(tpLower);
    EXPECT_EQ(w.Priority(), tpLower);
    EXPECT_EQ(GetThreadPriority(w.Handle()), THREAD_PRIORITY_BELOW_NORMAL);
    w.Start();
    while (spins == 0) Sleep(1);
    w.Terminate();
    w.WaitFor();
    EXPECT_TRUE(w.Finished());
}

TEST_F(UiThreadTest, FreeOnTerminateFreesTheThreadItself) {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    struct SelfFreeing : TThread {
        explicit SelfFreeing(HANDLE e) : TThread(true), event(e) { FreeOnTerminate = true; }
        ~SelfFreeing() override { SetEvent(event); }
        void Execute() override {}
        HANDLE event;
    };
    (new SelfFreeing(done))->Start();
    EXPECT_EQ(platform::PumpingWait(done, 10000), WAIT_OBJECT_0);
    CloseHandle(done);
}

TEST_F(UiThreadTest, AThreadNeverStartedEndsWithoutRunning) {
    bool ran = false;
    { Worker w([&](Worker*) { ran = true; }); }
    EXPECT_FALSE(ran);
}

TEST_F(UiThreadTest, PumpingWaitRoutesMessagesThroughTheApplication) {
    int seen = 0;
    Application->OnMessage = [&](MSG& m, bool& handled) {
        if (m.message == WM_APP + 7) {
            ++seen;
            handled = true;
        }
    };
    PostMessageW(Application->Handle(), WM_APP + 7, 0, 0);
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(platform::PumpingWait(never, 60), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(never);
    EXPECT_EQ(seen, 1);
}

TEST_F(UiThreadTest, HelpRequestsGoToOnHelpOrTheHelpFile) {
    std::vector<int> asked;
    Application->OnHelp = [&](WORD command, int data, bool& callHelp) {
        EXPECT_EQ(command, HELP_CONTEXT);
        asked.push_back(data);
        callHelp = false;
        return true;
    };
    EXPECT_TRUE(Application->HelpContext(42));
    EXPECT_EQ(asked, std::vector<int>{42});
    Application->OnHelp = nullptr;
    Application->HelpFile = L"";
    EXPECT_FALSE(Application->HelpContext(1));
    Application->HelpFile = L"no-such-help.chm";
    EXPECT_FALSE(Application->HelpContext(1));
}

// ---- timers -------------------------------------------------------------------------------------

TEST_F(UiThreadTest, TimerFiresOnTheManualClockWithoutWaiting) {
    platform::ScopedManualClock clock;
    TTimer timer(nullptr);
    std::vector<DWORD> fired;
    timer.OnTimer = [&](TObject* s) {
        EXPECT_EQ(s, &timer);
        fired.push_back(platform::TickCount());
    };
    const DWORD t0 = platform::TickCount();
    timer.SetInterval(100);
    clock.Advance(99);
    EXPECT_TRUE(fired.empty());
    clock.Advance(251);
    EXPECT_EQ(fired, (std::vector<DWORD>{t0 + 100, t0 + 200, t0 + 300}));
    timer.SetEnabled(false);
    clock.Advance(1000);
    EXPECT_EQ(fired.size(), 3u);
    // Enabling again counts the interval from now.
    timer.SetEnabled(true);
    clock.Advance(50);
    timer.SetInterval(30);
    clock.Advance(29);
    EXPECT_EQ(fired.size(), 3u);
    clock.Advance(1);
    EXPECT_EQ(fired.back(), t0 + 1430);
}

TEST_F(UiThreadTest, TimerStoppedFromItsOwnHandlerAndFreedWithItsOwner) {
    platform::ScopedManualClock clock;
    auto* owner = new TComponent(nullptr);
    auto* timer = new TTimer(owner);
    int count = 0;
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject*) {
        if (++count == 2) timer->SetEnabled(false);
    };
    clock.Advance(100);
    EXPECT_EQ(count, 2);
    timer->SetEnabled(true);
    EXPECT_EQ(clock.ActiveTimers(), 1);
    delete owner;
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST(ManualClock, TimersOfSeveralWindowsFireInTimeOrder) {
    platform::ScopedManualClock clock;
    std::vector<String> log;
    platform::UtilWindow a([&](TMessage& m) {
        if (m.Msg != WM_TIMER) return false;
        log.push_back(L"a" + IntToStr(platform::TickCount() % 1000));
        return true;
    });
    platform::UtilWindow b([&](TMessage& m) {
        if (m.Msg != WM_TIMER) return false;
        log.push_back(L"b" + IntToStr(platform::TickCount() % 1000));
        return true;
    });
    platform::SetWindowTimer(a.Handle(), 1, 30);
    platform::SetWindowTimer(b.Handle(), 1, 40);
    clock.Advance(90);
    EXPECT_EQ(log, (std::vector<String>{L"a30", L"b40", L"a60", L"b80", L"a90"}));
    platform::KillWindowTimer(a.Handle(), 1);
    platform::KillWindowTimer(b.Handle(), 1);
}

TEST(ManualClock, RestoresTheSystemClock) {
    platform::Clock* system = &platform::CurrentClock();
    {
        platform::ScopedManualClock clock;
        EXPECT_EQ(&platform::CurrentClock(), &clock);
        EXPECT_EQ(platform::TickCount(), 100000u);
    }
    EXPECT_EQ(&platform::CurrentClock(), system);
}

}  // namespace
