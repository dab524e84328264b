// Closing the main window while its encoder converts: the handlers are
// detached first, the running tasks are stopped and waited for, and no
// progress or end handler of the window runs afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "MainWindowFixture.h"
#include "Src/DIzizuZUR.h"
#include "Src/MyUtils.h"
#include "platform/MainThread.h"
#include "tools/testmedia/TestMedia.h"

namespace mainwindowtest {
namespace {

using CloseTest = MainWindowTest;

// Serves the UI thread until the condition holds or the deadline passes.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Application->ProcessMessages();
        platform::CheckSynchronize();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

TEST_F(CloseTest, ClosingWhileTwoTasksConvertStopsAndWaitsForThemSilently) {
    const std::string libraries = testmedia::LoadTranscoderLibraries();
    ASSERT_EQ(libraries, "");
    // Read at its own pace, the clip takes 20 s to convert: the close comes
    // long before either task could end by itself.
    testmedia::ClipSpec spec;
    spec.FileName = folder_ + L"long.mp4";
    spec.Seconds = 20;
    spec.Video = testmedia::VideoSpec{160, 120};
    spec.Audio = {testmedia::AudioSpec{}};
    ASSERT_EQ(testmedia::MakeClip(spec), "");
    StartWindows();
    TDIzizuZUR* encoder = Form1->ROREZ;
    for (int i = 0; i < 2; ++i) {
        const int task = encoder->AddTask(spec.FileName, L"re=1");
        ASSERT_EQ(task, i) << WideToUtf8(encoder->LastErrMsg());
        ASSERT_TRUE(encoder->SetOutputFile(task, folder_ + L"out" + std::to_wstring(i) + L".avi", L"acodec=mp2"))
            << WideToUtf8(encoder->LastErrMsg());
    }
    std::atomic<int> progress{0}, ends{0}, tasksReporting{0};
    bool reported[2] = {false, false};
    encoder->OnProgress = [&](TObject*, TCustomDIzizuZUR::PProgressInfo info) {
        ++progress;
        if (info->TaskIndex >= 0 && info->TaskIndex < 2 && !reported[info->TaskIndex]) {
            reported[info->TaskIndex] = true;
            ++tasksReporting;
        }
    };
    encoder->OnTerminate = [&](TObject*, const TCustomDIzizuZUR::TTerminateInfo&) { ++ends; };
    encoder->Start(2);
    ASSERT_TRUE(PumpUntil([&] { return tasksReporting == 2; }, 20000)) << "the two tasks never both reported";
    ASSERT_EQ(ends, 0);

    bool canClose = false;
    Form1->FormCloseQuery(Form1, canClose);
    EXPECT_TRUE(canClose);
    // Both tasks were waited for: the batch has ended by the time the close
    // returns (its final notice comes from the last task's thread).
    EXPECT_TRUE(PumpUntil([&] { return encoder->Terminated(); }, 2000));
    EXPECT_NO_THROW(encoder->ClearTasks());
    const int progressAtClose = progress;
    // Whatever was handed over before the close is served now.
    Application->ProcessMessages();
    platform::CheckSynchronize();
    EXPECT_EQ(progress, progressAtClose) << "a progress handler ran after the close";
    EXPECT_EQ(ends, 0) << "an end handler ran after the close";
}

}  // namespace
}  // namespace mainwindowtest
