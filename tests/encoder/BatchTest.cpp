// Batches: thread mode and inline runs, end notifications and their order,
// Stop, Pause, the working checks and hand-overs to a busy UI thread.
#include <gmock/gmock.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <new>
#include <set>
#include <stdexcept>
#include <thread>

#include "EncoderFixture.h"
// after windows.h
#include <tlhelp32.h>
#include "tests/support/ProcessThreads.h"
#include "tests/support/Watchdog.h"

namespace {

using TTerminateInfo = TCustomDIzizuZUR::TTerminateInfo;


// The thread count once it has settled back to at most AExpected (a thread
// that signalled its end may still be returning).
int SettledThreads(int AExpected) {
    int n = ThreadsOfThisProcess();
    for (int i = 0; i < 100 && n > AExpected; ++i) {
        Sleep(10);
        n = ThreadsOfThisProcess();
    }
    return n;
}

class Batch : public EncoderFixture {
protected:
    void SetUp() override {
        EncoderFixture::SetUp();
        if (IsSkipped()) return;
        done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        encoder.OnTerminate = [this](TObject* s, const TTerminateInfo& i) {
            EXPECT_EQ(s, &encoder);
            {
                std::lock_guard<std::mutex> lock(lock_);
                ends.push_back(i);
                endThreads.push_back(GetCurrentThreadId());
            }
            if (i.TaskIndex == -1) {
                if (clearOnEnd) {
                    try {
                        encoder.ClearTasks();
                        cleared = true;
                    } catch (const EEngineError& e) {
                        clearError = e.Message();
                    }
                }
                SetEvent(done);
            }
        };
    }
    void TearDown() override {
        if (done) CloseHandle(done);
        EncoderFixture::TearDown();
    }
    // Adds tasks converting the source to numbered outputs.
    void AddTasks(int ACount, const std::wstring& ASource, const std::wstring& AExt, const std::wstring& AOptions) {
        for (int i = 0; i < ACount; ++i) {
            const int index = encoder.AddTask(ASource, PInputOptions(nullptr));
            ASSERT_EQ(index, i) << U8(encoder.LastErrMsg());
            ASSERT_TRUE(encoder.SetOutputFile(index, Out(std::to_wstring(counter) + L"-" + std::to_wstring(i) + AExt),
                                              AOptions))
                << U8(encoder.LastErrMsg());
        }
    }
    // Serves the UI thread until the batch has ended; false after the watchdog.
    bool WaitForEnd(DWORD ATimeoutMs = 120000) { return platform::PumpingWait(done, ATimeoutMs) == WAIT_OBJECT_0; }
    std::vector<TTerminateInfo> Ends() {
        std::lock_guard<std::mutex> lock(lock_);
        return ends;
    }
    // Every task exactly once, then -1 last.
    void ExpectEachTaskOnceThenFinal(int ACount) {
        const auto e = Ends();
        ASSERT_EQ(static_cast<int>(e.size()), ACount + 1);
        std::multiset<int> indexes;
        for (int i = 0; i < ACount; ++i) indexes.insert(e[i].TaskIndex);
        for (int i = 0; i < ACount; ++i) EXPECT_EQ(indexes.count(i), 1u) << i;
        EXPECT_EQ(e.back().TaskIndex, -1);
        EXPECT_TRUE(e.back().Finished);
        EXPECT_FALSE(e.back().Exception);
        EXPECT_TRUE(e.back().ExceptionMsg.empty());
    }

    TTestEncoder encoder;
    HANDLE done = nullptr;
    std::mutex lock_;
    std::vector<TTerminateInfo> ends;
    std::vector<DWORD> endThreads;
    bool clearOnEnd = false;
    std::atomic<bool> cleared{false};
    std::wstring clearError;
};

TEST_F(Batch, ThreadModeRunsAtMostThreadCountAndEndsEachTaskOnce) {
    AddTasks(5, media().Mp4, L".avi", L"vcodec=mpeg4\nacodec=mp2");
    std::atomic<int> maxRunning{0};
    std::atomic<int> progress{0};
    encoder.OnProgress = [&](TObject*, TCustomDIzizuZUR::PProgressInfo p) {
        EXPECT_TRUE(platform::IsMainThread());
        EXPECT_GE(p->TaskIndex, 0);
        int running = 0;
        for (int i = 0; i < encoder.TasksCount(); ++i) running += encoder.Task(i)->Converting();
        maxRunning = std::max(maxRunning.load(), running);
        ++progress;
    };
    clearOnEnd = true;
    encoder.Start(3);
    EXPECT_THROW(encoder.Start(3), EEngineError);
    ASSERT_TRUE(WaitForEnd());
    ExpectEachTaskOnceThenFinal(5);
    const auto all = Ends();
    for (const auto& e : std::vector<TTerminateInfo>(all.begin(), all.end() - 1)) {
        EXPECT_TRUE(e.Finished) << e.TaskIndex << U8(e.ExceptionMsg);
        EXPECT_FALSE(e.Exception);
    }
    EXPECT_LE(maxRunning, 3);
    EXPECT_GE(progress, 5);
    EXPECT_TRUE(cleared) << U8(clearError);
    EXPECT_EQ(encoder.TasksCount(), 0);
    EXPECT_FALSE(encoder.Working());
    for (DWORD id : endThreads) EXPECT_NE(id, GetCurrentThreadId());
}

// An output the task refused (its folder does not exist) leaves none of its
// encoder choices behind: the output set next converts with its own.
TEST_F(Batch, AnOutputSetAfterARefusedOneUsesItsOwnEncoders) {
    ASSERT_EQ(encoder.AddTask(media().Mp4, PInputOptions(nullptr)), 0);
    EXPECT_FALSE(encoder.SetOutputFile(0, Out(L"missing\\a.mkv"), L"vcodec=libx264\nacodec=libmp3lame"));
    ASSERT_TRUE(encoder.SetOutputFile(0, Out(L"b.avi"), L"vcodec=mpeg4\nacodec=mp2")) << U8(encoder.LastErrMsg());
    encoder.Start(0);
    const auto e = Ends();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_FALSE(e[0].Exception) << U8(e[0].ExceptionMsg);
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(Out(L"b.avi")));
    EXPECT_THAT(U8(probe.FirstVideoStreamInfo().CodecName), ::testing::StartsWith("mpeg4("));
    EXPECT_THAT(U8(probe.FirstAudioStreamInfo().CodecName), ::testing::StartsWith("mp2("));
}

TEST_F(Batch, InlineRunEndsEveryTaskInOrderOnTheCallersThread) {
    AddTasks(3, media().Wav, L".mp2", L"acodec=mp2");
    // A task without output fails at once; the batch goes on.
    ASSERT_EQ(encoder.AddTask(media().Wav, PInputOptions(nullptr)), 3);
    clearOnEnd = true;
    encoder.Start(0);
    const auto e = Ends();
    ASSERT_EQ(e.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(e[i].TaskIndex, i);
    EXPECT_TRUE(e[3].Exception);
    EXPECT_EQ(e[3].ExceptionMsg, L"At least one output file must be specified");
    EXPECT_EQ(e[4].TaskIndex, -1);
    for (DWORD id : endThreads) EXPECT_EQ(id, GetCurrentThreadId());
    // Inside the final handler the batch had not yet ended.
    EXPECT_FALSE(cleared);
    EXPECT_EQ(clearError, L"Cannot ClearTasks while working.");
    EXPECT_TRUE(encoder.Terminated());
    // The run closed the inputs; the task's probe no longer points at them.
    ASSERT_NE(encoder.GetTaskAVProbe(0, 0), nullptr);
    EXPECT_EQ(encoder.GetTaskAVProbe(0, 0)->FileHandle(), nullptr);
    EXPECT_NO_THROW(encoder.ClearTasks());
    EXPECT_FALSE(encoder.Working());
}

TEST_F(Batch, AFailingProgressHandlerEndsItsTaskAndTheBatchGoesOn) {
    AddTasks(2, media().Wav, L".mp2", L"acodec=mp2");
    encoder.OnProgress = [&](TObject*, TCustomDIzizuZUR::PProgressInfo p) {
        if (p->TaskIndex == 0) throw std::runtime_error("handler failed");
    };
    encoder.Start(2);
    ASSERT_TRUE(WaitForEnd());
    ExpectEachTaskOnceThenFinal(2);
    for (const auto& e : Ends())
        if (e.TaskIndex == 0) {
            EXPECT_TRUE(e.Exception);
            EXPECT_EQ(e.ExceptionMsg, L"handler failed");
        } else if (e.TaskIndex == 1) {
            EXPECT_FALSE(e.Exception) << U8(e.ExceptionMsg);
        }
}

// A standard exception thrown inside a task's conversion (here from the
// task's own progress step, below the component's hand-over) fails that task
// with its text; the close-down runs, the end comes once and the batch goes on.
struct TStepFailure {
    const char* Name;
    std::function<void()> Raise;
    std::wstring Text;
};

class StepFailures : public Batch, public ::testing::WithParamInterface<TStepFailure> {};

TEST_P(StepFailures, EndTheTaskAsFailedWithTheirText) {
    AddTasks(3, media().Wav, L".mp2", L"acodec=mp2");
    encoder.Task(1)->OnProgress = [](TObject*, int, int, int, float, float, int64_t, int64_t, int64_t) {
        GetParam().Raise();
    };
    encoder.Start(1);
    ASSERT_TRUE(WaitForEnd(60000)) << "the batch never ended";
    ExpectEachTaskOnceThenFinal(3);
    for (const auto& e : Ends()) {
        if (e.TaskIndex == 1) {
            EXPECT_TRUE(e.Exception);
            EXPECT_FALSE(e.Finished);
            EXPECT_EQ(e.ExceptionMsg, GetParam().Text);
        } else if (e.TaskIndex >= 0) {
            EXPECT_TRUE(e.Finished) << e.TaskIndex;
            EXPECT_FALSE(e.Exception) << e.TaskIndex << U8(e.ExceptionMsg);
        }
    }
    EXPECT_FALSE(encoder.Task(1)->Converting());
    // The failed task's output was removed by its close-down.
    EXPECT_EQ(GetFileAttributesW(Out(std::to_wstring(counter) + L"-1.mp2").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(Out(std::to_wstring(counter) + L"-2.mp2").c_str()), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StepFailures,
    ::testing::Values(TStepFailure{"OutOfRange", [] { throw std::out_of_range("index 7 out of range"); },
                                   L"index 7 out of range"},
                      TStepFailure{"BadAlloc", [] { throw std::bad_alloc(); }, L"std::bad_alloc"},
                      TStepFailure{"NotAnException", [] { throw 42; }, L"Unknown exception"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(Batch, StartWithNothingToStartEndsAtOnce) {
    clearOnEnd = true;
    encoder.Start(2);
    ASSERT_TRUE(WaitForEnd(10000));
    ExpectEachTaskOnceThenFinal(0);
    EXPECT_TRUE(cleared) << U8(clearError);
}

class WorkingChecks : public Batch, public ::testing::WithParamInterface<std::pair<const char*, int>> {};

TEST_P(WorkingChecks, ListOperationsRaiseWhileWorking) {
    AddTasks(2, media().Wav, L".mp2", L"acodec=mp2");
    encoder.Start(0);  // ended, still working until ClearTasks
    const auto [name, op] = GetParam();
    try {
        switch (op) {
            case 0: encoder.AddTask(media().Wav, PInputOptions(nullptr)); break;
            case 1: encoder.AddInputFile(0, media().Wav, PInputOptions(nullptr)); break;
            case 2: encoder.SetOutputFile(0, Out(L"x.mp2"), POutputOptions(nullptr)); break;
            case 3: encoder.RemoveTask(0); break;
            case 4: encoder.Exchange(0, 1); break;
            default: encoder.Start(1); break;
        }
        ADD_FAILURE() << "no error";
    } catch (const EEngineError& e) {
        EXPECT_EQ(e.Message(), L"Cannot " + Utf8ToWide(name) + L" while working.");
    }
    EXPECT_EQ(encoder.TasksCount(), 2);
    EXPECT_EQ(Ends().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(AllOperations, WorkingChecks,
                         ::testing::Values(std::pair{"AddTask", 0}, std::pair{"AddInputFile", 1},
                                           std::pair{"SetOutputFile", 2}, std::pair{"RemoveTask", 3},
                                           std::pair{"Exchange", 4}, std::pair{"StartTask", 5}));

TEST_F(Batch, ClearTasksRaisesBeforeTheBatchEnd) {
    AddTasks(2, media().Mp4, L".avi", L"vcodec=mpeg4");
    encoder.Start(1);
    EXPECT_THROW(
        try { encoder.ClearTasks(); } catch (const EEngineError& e) {
            EXPECT_EQ(e.Message(), L"Cannot ClearTasks while working.");
            throw;
        },
        EEngineError);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_NO_THROW(encoder.ClearTasks());
}

TEST_F(Batch, StopMidBatchEndsEveryTaskThenTheBatch) {
    AddTasks(4, media().Mp4, L".avi", L"vcodec=mpeg4");
    HANDLE firstReport = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    encoder.OnProgress = [&](TObject*, TCustomDIzizuZUR::PProgressInfo) { SetEvent(firstReport); };
    encoder.SetProgressInterval(100);
    encoder.Start(2);
    ASSERT_EQ(platform::PumpingWait(firstReport, 60000), WAIT_OBJECT_0);
    encoder.Stop(true);
    ASSERT_TRUE(WaitForEnd());
    ExpectEachTaskOnceThenFinal(4);
    int unfinished = 0;
    for (const auto& e : Ends()) unfinished += !e.Finished;
    EXPECT_GE(unfinished, 2);  // at least the two never started
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(encoder.Task(i)->Converting());
    EXPECT_NO_THROW(encoder.ClearTasks());
    CloseHandle(firstReport);
}

TEST_F(Batch, StopWithWaitFromAProgressHandlerDoesNotHang) {
    AddTasks(2, media().Mp4, L".avi", L"vcodec=mpeg4");
    bool stopped = false;
    encoder.OnProgress = [&](TObject*, TCustomDIzizuZUR::PProgressInfo) {
        if (stopped) return;
        stopped = true;
        encoder.Stop(true);  // the reporting worker waits for this handler
    };
    encoder.SetProgressInterval(100);
    encoder.Start(2);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(stopped);
    ExpectEachTaskOnceThenFinal(2);
}

TEST_F(Batch, PauseHoldsProgressUntilResume) {
    // At the source's own pace, so that the task is still running when it is
    // paused, however fast the machine converts.
    AddTasks(1, media().Mp4, L".avi", L"vcodec=mpeg4\nre=1");
    std::atomic<int> reports{0};
    encoder.OnProgress = [&](TObject*, TCustomDIzizuZUR::PProgressInfo p) {
        if (p->FileIndex >= 0) ++reports;
    };
    encoder.SetProgressInterval(100);
    encoder.Start(1);
    while (reports == 0 && WaitForSingleObject(done, 0) == WAIT_TIMEOUT) platform::PumpingWait(done, 20);
    ASSERT_GT(reports, 0) << "ended before its first report";
    encoder.Pause();
    platform::PumpingWait(done, 300);  // a report already handed over may still arrive
    const int paused = reports;
    platform::PumpingWait(done, 700);
    EXPECT_EQ(reports, paused);
    encoder.Resume();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_GT(reports, paused);
    ExpectEachTaskOnceThenFinal(1);
}


// The preview windows of this process, visible or hidden.
std::vector<HWND> PreviewWindows() {
    std::vector<HWND> windows;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"VantrelPreviewWindow", nullptr); w;
         w = FindWindowExW(nullptr, w, L"VantrelPreviewWindow", nullptr))
        windows.push_back(w);
    return windows;
}

// Video-only tasks at the source's own pace (rate emulation), each showing
// every encoded picture, so that they run long enough to be watched.
constexpr const wchar_t* kPacedPreviewOutput = L"vcodec=mpeg4\ns=160x120\nan=1\nre=1";

TEST_F(Batch, TogglingPreviewDuringABatchShowsBothPreviewsAndNeverHangs) {
    // Ten seconds a task, so that the toggles below all fall within the
    // batch also on a machine busy with other tests.
    testmedia::ClipSpec spec;
    spec.FileName = Out(L"ten.mp4");
    spec.Seconds = 10;
    spec.Video = testmedia::VideoSpec{320, 240};
    ASSERT_EQ(testmedia::MakeClip(spec), "");
    AddTasks(3, spec.FileName, L".avi", kPacedPreviewOutput);
    for (int i = 0; i < 3; ++i) encoder.Task(i)->PreviewInterval = 0;
    encoder.SetPreview(true);
    std::atomic<int> bitmaps{0};
    encoder.OnPreviewBitmap = [&](TObject*, const TCustomDIzizuZUR::TPreviewInfo& AInfo) {
        EXPECT_TRUE(platform::IsMainThread());
        EXPECT_TRUE(AInfo.TaskIndex >= 0 && AInfo.TaskIndex < 3) << AInfo.TaskIndex;
        BITMAP info = {};
        EXPECT_TRUE(GetObjectW(AInfo.Bitmap, sizeof info, &info));
        EXPECT_EQ(info.bmWidth, 160);
        ++bitmaps;
        // The task's post hook waits for this handler: switching from here
        // must not wait for it in turn.
        encoder.SetPreviewBitmap(encoder.PreviewBitmap());
    };
    const Watchdog watchdog(90000, "toggling the preview during a batch hung");
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    encoder.Start(3);
    int duringBatch = 0;
    std::set<HWND> windows;
    // The window shows while the bitmap event is off: the bitmap is switched
    // every ten toggles of the window, so both get their turns.
    for (int i = 0; i < 100; ++i) {
        duringBatch += WaitForSingleObject(done, 0) == WAIT_TIMEOUT;
        encoder.SetPreview(!encoder.Preview());
        if (i % 10 == 9) encoder.SetPreviewBitmap(!encoder.PreviewBitmap());
        platform::PumpingWait(never, 30);
        for (HWND w : PreviewWindows())
            if (IsWindowVisible(w)) windows.insert(w);
    }
    const int bitmapsWhileToggling = bitmaps;
    CloseHandle(never);
    ASSERT_TRUE(WaitForEnd(60000));
    EXPECT_GT(duringBatch, 90);
    EXPECT_GT(windows.size(), 0u);
    EXPECT_GT(bitmapsWhileToggling, 0);
    EXPECT_TRUE(encoder.Preview());  // an even number of toggles
    EXPECT_FALSE(encoder.PreviewBitmap());
    ExpectEachTaskOnceThenFinal(3);
    for (const auto& e : Ends()) EXPECT_FALSE(e.Exception) << e.TaskIndex << U8(e.ExceptionMsg);
    EXPECT_TRUE(PreviewWindows().empty());
}

// Switching one flag leaves the other as the task has it: a window the user
// closed stays closed when the bitmap event is switched, and comes back only
// when the preview itself is switched on again.
TEST_F(Batch, AClosedWindowStaysClosedUntilThePreviewIsSwitchedOnAgain) {
    AddTasks(1, media().Mp4, L".avi", kPacedPreviewOutput);
    encoder.Task(0)->PreviewInterval = 0;
    encoder.SetPreview(true);
    encoder.OnPreviewBitmap = [](TObject*, const TCustomDIzizuZUR::TPreviewInfo&) {};
    encoder.Start(1);
    auto pumpUntil = [&](const std::function<bool()>& ACondition) {
        for (int i = 0; i < 1500 && !ACondition(); ++i) platform::PumpingWait(done, 10);
        return ACondition();
    };
    ASSERT_TRUE(pumpUntil([] { return !PreviewWindows().empty(); }));
    const HWND closed = PreviewWindows()[0];
    SendMessageW(closed, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close button
    ASSERT_TRUE(pumpUntil([&] { return !IsWindow(closed); }));
    encoder.SetPreviewBitmap(true);
    platform::PumpingWait(done, 200);
    encoder.SetPreviewBitmap(false);
    bool reopened = false;
    for (int i = 0; i < 30; ++i) {
        platform::PumpingWait(done, 10);
        reopened = reopened || !PreviewWindows().empty();
    }
    EXPECT_FALSE(reopened);
    ASSERT_EQ(WaitForSingleObject(done, 0), WAIT_TIMEOUT) << "the task ended too early for the test";
    encoder.SetPreview(false);
    encoder.SetPreview(true);
    EXPECT_TRUE(pumpUntil([] { return !PreviewWindows().empty(); }));
    encoder.Stop(true);
    ASSERT_TRUE(WaitForEnd());
    ExpectEachTaskOnceThenFinal(1);
    EXPECT_TRUE(PreviewWindows().empty());
}

// The UI thread sits in a pumping wait of its own while workers hand over
// progress reports that touch a window.
TEST_F(Batch, StressManyShortTasksOnFourThreadsWithABusyUIThread) {
    HWND window = CreateWindowW(L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    const int threadsBefore = ThreadsOfThisProcess();
    DWORD handlesBefore = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesBefore);
    for (int round = 0; round < 2; ++round) {
        ResetEvent(done);
        {
            std::lock_guard<std::mutex> lock(lock_);
            ends.clear();
        }
        AddTasks(20, media().Wav, L".mp2", L"acodec=mp2");
        std::atomic<int> reports{0};
        encoder.OnProgress = [&](TObject*, TCustomDIzizuZUR::PProgressInfo p) {
            SetWindowTextW(window, std::to_wstring(p->TaskIndex).c_str());
            InvalidateRect(window, nullptr, FALSE);
            ++reports;
        };
        encoder.Start(4);
        ASSERT_TRUE(WaitForEnd()) << "round " << round;
        ExpectEachTaskOnceThenFinal(20);
        EXPECT_GE(reports, 20);
        encoder.ClearTasks();
    }
    DestroyWindow(window);
    EXPECT_LE(SettledThreads(threadsBefore), threadsBefore);
    DWORD handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_LE(handlesAfter, handlesBefore + 5);
}

TEST_F(Batch, DestroyingTheComponentMidBatchStopsItsThreads) {
    const int threadsBefore = ThreadsOfThisProcess();
    {
        TDIzizuZUR local;
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(local.AddTask(media().Mp4, PInputOptions(nullptr)), i);
            ASSERT_TRUE(local.SetOutputFile(i, Out(L"z" + std::to_wstring(i) + L".avi"), L"vcodec=mpeg4"));
        }
        std::atomic<int> endsSeen{0};
        local.OnTerminate = [&](TObject*, const TTerminateInfo&) { ++endsSeen; };
        local.Start(2);
        platform::PumpingWait(done, 200);
    }
    EXPECT_LE(SettledThreads(threadsBefore), threadsBefore);
}

}  // namespace
