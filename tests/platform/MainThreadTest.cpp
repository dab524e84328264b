#include "platform/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

class MainThreadTest : public ::testing::Test {
protected:
    void SetUp() override { platform::InitMainThread(); }
    void TearDown() override { platform::DoneMainThread(); }
};

// Runs body on a new thread while the UI thread waits in PumpingWait.
template <class F>
void RunWorkerWhilePumping(F body) {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread worker([&] {
        body();
        SetEvent(done);
    });
    EXPECT_EQ(platform::PumpingWait(done, 10000), WAIT_OBJECT_0);
    worker.join();
    CloseHandle(done);
}

TEST_F(MainThreadTest, CallFromWorkerRunsOnUiThreadDuringPumpingWait) {
    const DWORD ui = GetCurrentThreadId();
    DWORD ranOn = 0;
    RunWorkerWhilePumping([&] { platform::CallInMainThread([&] { ranOn = GetCurrentThreadId(); }); });
    EXPECT_EQ(ranOn, ui);
}

TEST_F(MainThreadTest, CallOnUiThreadRunsAtOnce) {
    bool ran = false;
    platform::CallInMainThread([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(MainThreadTest, ExceptionReachesTheCallingWorker) {
    std::string caught;
    RunWorkerWhilePumping([&] {
        try {
            platform::CallInMainThread([] { throw std::runtime_error("boom"); });
        } catch (const std::runtime_error& e) {
            caught = e.what();
        }
    });
    EXPECT_EQ(caught, "boom");
}

TEST_F(MainThreadTest, QueuedCallsRunInOrderAndServedByTheMessageLoop) {
    std::vector<int> order;
    std::thread worker([&] {
        for (int i = 0; i < 5; ++i) platform::QueueInMainThread([&order, i] { order.push_back(i); });
    });
    worker.join();
    EXPECT_TRUE(order.empty());
    // A plain message pump (as in a modal loop) serves the queue too.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(MainThreadUninitialised, CallFromOtherThreadFailsClearly) {
    std::atomic<bool> threw{false};
    std::thread worker([&] {
        try {
            platform::CallInMainThread([] {});
        } catch (const std::logic_error&) {
            threw = true;
        }
    });
    worker.join();
    EXPECT_TRUE(threw);
}

TEST_F(MainThreadTest, PumpingWaitTimesOut) {
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(platform::PumpingWait(never, 60), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(never);
}

}  // namespace
