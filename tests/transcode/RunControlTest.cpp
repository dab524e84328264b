// Run control of a task: threads, progress reports, stop, pause, cancel,
// the end notification and the release of everything a run opened.
#include <gmock/gmock.h>

#include <atomic>
#include <functional>
#include <mutex>

#include "TranscodeFixture.h"
#include "platform/Owners.h"
// after windows.h
#include <tlhelp32.h>
#include "tests/support/ProcessThreads.h"

namespace {


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

// Polls the condition until it holds or the deadline passes; whether it holds.
bool WaitFor(const std::function<bool()>& ACondition, DWORD ATimeoutMs = 60000) {
    const DWORD start = GetTickCount();
    while (!ACondition()) {
        if (GetTickCount() - start > ATimeoutMs) return false;
        Sleep(2);
    }
    return true;
}

class RunControl : public TranscodeFixture {
protected:
    // A task converting the MP4 clip to MPEG-4/MP2 AVI, with its events recorded.
    void Prepare(TCustomFFmpeg& AT, const TOptionList& AOptions = {}) {
        std::wstring error;
        TOptionList options = AOptions;
        options.push_back({L"acodec", L"mp2"});
        ASSERT_TRUE(Configure(AT, media().Mp4, {}, folder + L"run.avi", options, error)) << U8(error);
        AT.OnProgress = [this](TObject*, int AFile, int AFrame, int, float, float, int64_t ASize, int64_t ACur, int64_t ATotal) {
            std::lock_guard<std::mutex> lock(reportLock);
            reports.push_back({AFile, AFrame, ASize, ACur, ATotal});
            ++reportCount;
        };
        AT.OnTerminate = [this](TObject*) { ++terminations; };
    }
    std::mutex reportLock;
    std::vector<TProgressRecord> reports;
    std::atomic<int> terminations{0};
    std::atomic<int> reportCount{0};
};

TEST_F(RunControl, CapacityMustLieBetween1And512) {
    EXPECT_NO_THROW(TCustomFFmpeg(512));
    EXPECT_THROW(TCustomFFmpeg(0), EAssertionFailed);
    EXPECT_THROW(TCustomFFmpeg(513), EAssertionFailed);
}

TEST_F(RunControl, ReportsRiseAndTheLastEndsAtTheFullDuration) {
    TCustomFFmpeg t(4);
    // A clock that moves one report interval per reading: a report after every packet.
    int64_t now = 0;
    t.Clock = [&now] { return now += 600000; };
    Prepare(t);
    t.StartConvert(false);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    ASSERT_GE(reports.size(), 10u);
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GE(reports[i].CurrentDuration, reports[i - 1].CurrentDuration) << i;
        EXPECT_GE(reports[i].CurrentSize, reports[i - 1].CurrentSize) << i;
        EXPECT_GE(reports[i].FrameNumber, reports[i - 1].FrameNumber) << i;
    }
    for (size_t i = 0; i + 1 < reports.size(); ++i) EXPECT_EQ(reports[i].FileIndex, 0);
    const TProgressRecord& last = reports.back();
    EXPECT_EQ(last.FileIndex, -1);
    EXPECT_EQ(last.FrameNumber, 125);
    EXPECT_NEAR(last.CurrentDuration, 5000000, 100000);
    EXPECT_NEAR(last.TotalDuration, 5000000, 50000);
    EXPECT_EQ(last.CurrentSize, FileSizeByName(folder + L"run.avi"));
    EXPECT_EQ(terminations, 1);
}

TEST_F(RunControl, NoReportsBetweenIntervalsButAlwaysTheLast) {
    TCustomFFmpeg t(4);
    t.Clock = [] { return int64_t(1000); };  // time stands still
    Prepare(t);
    t.StartConvert(false);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].FileIndex, -1);
}

TEST_F(RunControl, ThreadRunEndsOnceAndReleasesEverything) {
    const int threadsBefore = ThreadsOfThisProcess();
    TCustomFFmpeg t(4);
    Prepare(t);
    TConvertThread* thread = t.StartConvert(true);
    ASSERT_NE(thread, nullptr);
    thread->Resume();
    ASSERT_TRUE(WaitFor([&] { return !t.Converting(); }));
    t.Stop(true);  // waits until the thread has left the task
    EXPECT_TRUE(t.Finished());
    EXPECT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_EQ(terminations, 1);
    EXPECT_FALSE(t.Converting());
    EXPECT_TRUE(t.Terminated());
    EXPECT_EQ(t.OpenCodecCount(), 0);
    EXPECT_EQ(t.StartConvert(true), nullptr) << "an ended task does not start again";
    EXPECT_EQ(SettledThreads(threadsBefore), threadsBefore);
}

TEST_F(RunControl, StopMidRunEndsWithoutFailureAndNotFinished) {
    const int threadsBefore = ThreadsOfThisProcess();
    TCustomFFmpeg t(4);
    Prepare(t);
    t.ReportInterval = 0;
    TConvertThread* thread = t.StartConvert(true);
    ASSERT_NE(thread, nullptr);
    thread->Resume();
    ASSERT_TRUE(WaitFor([&] { return reportCount > 0; })) << "no progress report";
    t.Stop(true);
    EXPECT_EQ(terminations, 1);
    EXPECT_FALSE(t.Finished());
    EXPECT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_EQ(reports.back().FileIndex, -1);
    EXPECT_LT(reports.back().CurrentDuration, 5000000);
    EXPECT_EQ(t.OpenCodecCount(), 0);
    EXPECT_EQ(SettledThreads(threadsBefore), threadsBefore);
    TCustomAVProbe probe;
    EXPECT_TRUE(probe.LoadFile(folder + L"run.avi")) << "a stopped task keeps a playable file";
}

TEST_F(RunControl, StopBeforeTheThreadRunsReadsNothing) {
    TCustomFFmpeg t(4);
    Prepare(t);
    TConvertThread* thread = t.StartConvert(true);
    ASSERT_NE(thread, nullptr);
    t.Stop(true);  // resumes the suspended thread, which stops at once
    EXPECT_EQ(terminations, 1);
    EXPECT_FALSE(t.Finished());
    EXPECT_TRUE(reports.empty() || reports.back().FileIndex == -1);
    thread->Resume();  // the caller's late resume does no harm
}

TEST_F(RunControl, FreeingAConvertingTaskStopsItFirst) {
    const int threadsBefore = ThreadsOfThisProcess();
    {
        TCustomFFmpeg t(4);
        Prepare(t);
        TConvertThread* thread = t.StartConvert(true);
        ASSERT_NE(thread, nullptr);
        t.ReportInterval = 0;
        thread->Resume();
        ASSERT_TRUE(WaitFor([&] { return reportCount > 0; })) << "no progress report";
    }
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(SettledThreads(threadsBefore), threadsBefore);
}

// The task is paused from within one of its own reports, so the next step
// of its loop is the pause: no report follows until it is resumed, and a
// stop ends the pause and the task with at most the closing report.
TEST_F(RunControl, PauseHoldsTheTaskAndStopEndsThePause) {
    TCustomFFmpeg t(4);
    Prepare(t);
    t.ReportInterval = 0;
    std::atomic<int> pauseAt{3};
    const platform::KernelHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    HANDLE paused = event.Get();
    const auto record = t.OnProgress;
    t.OnProgress = [&](TObject* s, int f, int n, int fps, float q, float b, int64_t z, int64_t c, int64_t d) {
        record(s, f, n, fps, q, b, z, c, d);
        if (reportCount == pauseAt) {
            t.Pause();
            SetEvent(paused);
        }
    };
    TConvertThread* thread = t.StartConvert(true);
    ASSERT_NE(thread, nullptr);
    thread->Resume();

    ASSERT_EQ(WaitForSingleObject(paused, 60000), WAIT_OBJECT_0) << "no third report";
    EXPECT_TRUE(t.Paused());
    EXPECT_TRUE(t.Converting());
    EXPECT_EQ(reportCount, 3) << "a paused task makes no progress";
    pauseAt = 6;
    t.Resume();
    ASSERT_EQ(WaitForSingleObject(paused, 60000), WAIT_OBJECT_0) << "no progress after the resume";
    EXPECT_EQ(reportCount, 6);

    t.Stop(true);
    EXPECT_LE(reportCount, 7);
    EXPECT_EQ(terminations, 1);
    EXPECT_FALSE(t.Converting());
}

TEST_F(RunControl, PauseAndResumeWithoutThreadDoNothing) {
    TCustomFFmpeg t(4);
    Prepare(t);
    t.Pause();
    EXPECT_FALSE(t.Paused());
    t.StartConvert(false);
    EXPECT_TRUE(t.Finished());
}

TEST_F(RunControl, NoOutputEndsAtOnceWithTheMessage) {
    TCustomFFmpeg t(4);
    t.InitOptions();
    ASSERT_TRUE(t.OpenInput(media().Mp4));
    t.OnTerminate = [this](TObject*) { ++terminations; };
    EXPECT_EQ(t.StartConvert(true), nullptr);
    EXPECT_EQ(t.FatalMessage(), L"At least one output file must be specified");
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(t.StartConvert(true), nullptr);
    EXPECT_EQ(terminations, 1);
}

TEST_F(RunControl, CancelOfATaskNeverStartedEndsItOnceOnAnotherThread) {
    TCustomFFmpeg t(4);
    Prepare(t);
    DWORD thread = 0;
    t.OnTerminate = [&](TObject*) {
        ++terminations;
        thread = GetCurrentThreadId();
    };
    t.Cancel(true);
    EXPECT_EQ(terminations, 1);
    EXPECT_NE(thread, GetCurrentThreadId());
    t.Cancel(true);
    EXPECT_EQ(terminations, 1);
}

// Reaches the end notification as the thread of a Cancel would call it.
class TEndingTask : public TCustomFFmpeg {
public:
    TEndingTask() : TCustomFFmpeg(4) {}
    using TCustomFFmpeg::DoTerminate;
};

// A Cancel that meets the converting thread as it ends the task (Stop came
// too late to find it converting) ends nothing a second time.
TEST_F(RunControl, ATaskEndsOnceWhenItsEndIsReportedTwice) {
    TEndingTask t;
    Prepare(t);
    t.StartConvert(false);
    ASSERT_EQ(terminations, 1);
    EXPECT_FALSE(t.Converting());
    EXPECT_TRUE(t.Terminated());
    t.DoTerminate();
    EXPECT_EQ(terminations, 1);
}

TEST_F(RunControl, TaskNeverConvertedLeavesNoEmptyFile) {
    {
        TCustomFFmpeg t(4);
        Prepare(t);
        EXPECT_EQ(FileSizeByName(folder + L"run.avi"), 0);
    }
    EXPECT_EQ(FileSizeByName(folder + L"run.avi"), -1);
}

}  // namespace
