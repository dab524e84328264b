// Batch control: each row converts with its own choices; outputs never
// collide with each other, with earlier results or with their inputs; a row
// that cannot become its task stops the start cleanly; Pause holds and
// Resume continues; Stop keeps the finished outputs, removes the unfinished
// one and runs no end action, also after a pause; progress texts; a failed
// task's warning; the thread priority of the options dialog; end
// notifications kept to their batch; closing the window waits for the
// workers.
#include <gtest/gtest.h>

#include <set>

#include "QueueFixture.h"
#include "Src/FFPlay.h"
#include "Src/FFmpegLoader.h"
#include "Src/MyUtils.h"
#include "app/Unit5.h"
#include "platform/ListView.h"
#include "platform/Menus.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"

namespace mainwindowtest {
namespace {

class BatchTest : public QueueTest {
protected:
    // "常用视频" / "MKV - Matroska视频格式(*.mkv)": mpeg4 and mp3.
    static void ChooseMkv() {
        Form1->bsSkinOfficeComboBox2->SetItemIndex(6);
        Form1->bsSkinOfficeComboBox1->SetItemIndex(5);
    }
    bool WaitForBatchEnd(DWORD ms = 120000) {
        return WaitUntil([] { return !Form1->BatchRunning(); }, ms);
    }
    std::wstring Output(int row) { return outputs_ + L"\\" + Cell(Row(row), 2); }
    static bool Probe(const std::wstring& file, TAVProbe& probe) { return probe.LoadFile(file); }
};

TEST_F(BatchTest, EachRowConvertsWithItsOwnChoicesAndRemoveAfterwardsTakesNoOtherTask) {
    Start();
    ChooseMkv();
    const std::wstring a = Clip(L"a.mp4"), b = Clip(L"b.mp4");
    AddOne(a);
    AddOne(b);
    ASSERT_EQ(Rows(), 2);
    Form1->lvFiles->SetItemIndex(0);
    Form1->bsSkinComboBox1->SetItemIndex(4);  // "320*240" for the first row only
    Form1->lvFiles->SetItemIndex(1);
    Form1->bsSkinOfficeComboBox2->SetItemIndex(22);  // "MP3音频": the second row becomes audio only
    Form1->bsSkinOfficeComboBox1->SetItemIndex(0);
    ChooseThreads(2);
    Form1->bsSkinButton2->ButtonClick();
    ASSERT_TRUE(Form1->BatchRunning());
    ASSERT_TRUE(WaitForBatchEnd());
    EXPECT_EQ(Cell(Row(0), 3), L"100%");
    EXPECT_EQ(Cell(Row(1), 3), L"100%");
    EXPECT_TRUE(warnings_.empty()) << Narrow(warnings_.empty() ? L"" : warnings_[0]);
    TAVProbe video, audio;
    ASSERT_TRUE(Probe(Output(0), video)) << Narrow(Output(0));
    EXPECT_EQ(video.FirstVideoStreamInfo().Width, 320);
    EXPECT_EQ(video.FirstVideoStreamInfo().Height, 240);
    ASSERT_TRUE(Probe(Output(1), audio)) << Narrow(Output(1));
    EXPECT_EQ(audio.VideoStreamCount(), 0) << "nothing of the video format survives in the audio row";
    EXPECT_EQ(audio.FirstAudioStreamInfo().CodecName.rfind(L"mp3", 0), 0u);
    video.CloseFile();
    audio.CloseFile();
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);

    // A file added after the batch has its task; removing an earlier row
    // leaves that task alone.
    AddOne(Clip(L"c.mp4"));
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 1);
    Form1->lvFiles->SetItemIndex(0);
    Form1->btnRemoveClick(nullptr);
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 1);
    EXPECT_EQ(Form1->IO1[1].FileName, Row(1)->Caption());
    Form1->lvFiles->SetItemIndex(1);
    Form1->btnRemoveClick(nullptr);
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
}

TEST_F(BatchTest, OutputsNeverCollideOverwriteEarlierResultsOrTheirInputs) {
    Start();
    ChooseMkv();
    CreateDirectoryW((media_ + L"one").c_str(), nullptr);
    CreateDirectoryW((media_ + L"two").c_str(), nullptr);
    const std::wstring first = Clip(L"one\\clip.mp4"), second = Clip(L"two\\clip.mp4");
    AddOne(first);
    AddOne(second);
    ASSERT_EQ(Rows(), 2);
    Form1->btnStartClick(nullptr);
    ASSERT_TRUE(WaitForBatchEnd());
    std::set<std::wstring> outputs = {Output(0), Output(1)};
    EXPECT_EQ(outputs.size(), 2u) << "two clip.* inputs, two outputs";
    for (const std::wstring& f : outputs) EXPECT_TRUE(FileExists(f)) << Narrow(f);
    // A second batch of the same rows keeps the first batch's results.
    Form1->btnStartClick(nullptr);
    ASSERT_TRUE(WaitForBatchEnd());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(outputs.count(Output(i)), 0u) << Narrow(Output(i));
        EXPECT_TRUE(FileExists(Output(i)));
    }
    for (const std::wstring& f : outputs) EXPECT_TRUE(FileExists(f)) << Narrow(f);

    // An output that would be its own input is refused, even with overwrite
    // chosen: the start reports it and leaves nothing half switched.
    Form5->bsSkinCheckRadioBox3->SetChecked(true);  // "直接覆盖输出文件"
    Form1->FileOutPutPath = media_ + L"one";
    Form1->lvFiles->SetItemIndex(0);
    Form1->bsSkinOfficeComboBox1->SetItemIndex(1);  // MP4: the row's output becomes clip.mp4
    Form1->bsSkinButton21Click(nullptr);
    Form1->edt->SetText(L"clip");
    Form1->edtExit(nullptr);
    ASSERT_EQ(Cell(Row(0), 2), L"clip.mp4");
    const int64_t sizeBefore = [&] {
        WIN32_FILE_ATTRIBUTE_DATA d{};
        GetFileAttributesExW(first.c_str(), GetFileExInfoStandard, &d);
        return static_cast<int64_t>(d.nFileSizeLow);
    }();
    notices_.clear();
    Form1->btnStartClick(nullptr);
    EXPECT_FALSE(Form1->BatchRunning());
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_NE(notices_[0].find(first), String::npos);
    EXPECT_TRUE(Form1->bsSkinButton2->Enabled());
    EXPECT_FALSE(Form1->bsSkinButton10->Enabled());
    EXPECT_TRUE(Form1->bsSkinMenuSpeedButton1->Enabled());
    WIN32_FILE_ATTRIBUTE_DATA after{};
    ASSERT_TRUE(GetFileAttributesExW(first.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(static_cast<int64_t>(after.nFileSizeLow), sizeBefore);

    // A row whose input has gone since it was added: reported, nothing started.
    Form5->bsSkinCheckRadioBox6->SetChecked(true);
    Form1->FileOutPutPath = outputs_;
    ASSERT_TRUE(DeleteFileW(second.c_str()));
    notices_.clear();
    Form1->btnStartClick(nullptr);
    EXPECT_FALSE(Form1->BatchRunning());
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_NE(notices_[0].find(second), String::npos);
    EXPECT_TRUE(endActions_.size() == 2u) << "the two finished batches only";
}

TEST_F(BatchTest, PauseHoldsResumeContinuesAndStopKeepsOnlyFinishedOutputs) {
    Start();
    ChooseMkv();
    ChooseEndAction(1);
    ChooseThreads(1);
    const std::wstring shortClip = Clip(L"short.mp4"), longClip = Clip(L"long.mp4", 60.0, 320, 240),
                       last = Clip(L"last.mp4");
    for (const std::wstring& f : {shortClip, longClip, last}) AddOne(f);
    ASSERT_EQ(Rows(), 3);
    Form1->ROREZ->SetProgressInterval(100);
    int reports = 0;
    auto forward = Form1->ROREZ->OnProgress;
    Form1->ROREZ->OnProgress = [&](TObject* s, TCustomDIzizuZUR::PProgressInfo p) {
        ++reports;
        forward(s, p);
    };
    Form1->bsSkinButton2->ButtonClick();
    ASSERT_TRUE(WaitUntil([&] { return Cell(Row(0), 3) == L"100%" && !Cell(Row(1), 3).empty(); }));
    ASSERT_NE(Cell(Row(1), 3), L"100%") << "the long clip converted too fast for this test";

    Form1->bsSkinButton11->ButtonClick();  // "暂停"
    EXPECT_FALSE(Form1->bsSkinButton11->Visible());
    EXPECT_TRUE(Form1->bsSkinButton12->Visible());
    EXPECT_TRUE(Form1->bsSkinButton12->Enabled());
    // A report already handed over when the pause came still arrives.
    WaitUntil([] { return false; }, 300);
    const int held = reports;
    const String timeHeld = Cell(Row(1), 5);
    EXPECT_FALSE(WaitUntil([&] { return reports != held; }, 1500)) << "a paused batch reports no progress";
    EXPECT_EQ(Cell(Row(1), 5), timeHeld);

    Form1->bsSkinButton12->ButtonClick();  // "继续"
    EXPECT_TRUE(Form1->bsSkinButton11->Visible());
    EXPECT_FALSE(Form1->bsSkinButton12->Visible());
    ASSERT_TRUE(WaitUntil([&] { return reports > held + 2; }, 10000)) << "resumed";
    ASSERT_TRUE(Form1->BatchRunning());

    Form1->bsSkinButton10->ButtonClick();  // "停止"
    ASSERT_TRUE(WaitForBatchEnd(30000));
    const std::wstring finished = Output(0), unfinished = Output(1), neverStarted = Output(2);
    TAVProbe probe;
    EXPECT_TRUE(probe.LoadFile(finished)) << "the finished output stays playable";
    probe.CloseFile();
    EXPECT_FALSE(FileExists(unfinished)) << Narrow(unfinished);
    EXPECT_FALSE(FileExists(neverStarted)) << Narrow(neverStarted);
    EXPECT_NE(Cell(Row(1), 3), L"100%");
    EXPECT_EQ(Cell(Row(2), 3), L"");
    EXPECT_TRUE(endActions_.empty()) << "no end action after the user stopped";
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
    EXPECT_TRUE(Form1->bsSkinMenuSpeedButton1->Enabled());
    EXPECT_TRUE(Form1->bsSkinButton2->Enabled());
    EXPECT_FALSE(Form1->bsSkinButton10->Enabled());
    EXPECT_FALSE(Form1->bsSkinButton11->Enabled());
    EXPECT_FALSE(Form1->bsSkinButton12->Enabled());
    EXPECT_TRUE(Form1->bsSkinButton11->Visible());
}

// Pause, then Stop: the held task is stopped without being resumed by the
// user; afterwards the pause button is back in place and neither pause nor
// resume can be used.
TEST_F(BatchTest, PauseThenStopEndsTheHeldTaskAndSwitchesPauseAndResumeOff) {
    Start();
    ChooseMkv();
    ChooseEndAction(1);
    AddOne(Clip(L"long.mp4", 60.0, 320, 240));
    ASSERT_EQ(Rows(), 1);
    Form1->ROREZ->SetProgressInterval(100);
    Form1->bsSkinButton2->ButtonClick();
    ASSERT_TRUE(WaitUntil([&] { return !Cell(Row(0), 3).empty(); }));
    Form1->N10->Click();  // "暂停转换"
    EXPECT_TRUE(Form1->bsSkinButton12->Visible());
    Form1->N8->Click();  // "停止转换"
    ASSERT_TRUE(WaitForBatchEnd(30000));
    EXPECT_NE(Cell(Row(0), 3), L"100%");
    EXPECT_FALSE(FileExists(Output(0))) << "the unfinished output goes";
    EXPECT_TRUE(Form1->bsSkinButton11->Visible());
    EXPECT_FALSE(Form1->bsSkinButton12->Visible());
    for (TMenuItem* item : {Form1->N10, Form1->N11}) EXPECT_FALSE(item->Enabled());
    for (TbsSkinButton* b : {Form1->bsSkinButton11, Form1->bsSkinButton12}) EXPECT_FALSE(b->Enabled());
    EXPECT_TRUE(endActions_.empty());
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
}

// Progress texts of a row: a whole percentage cut down, "N/A" without a
// length, the frame rate kept when none is reported, the time and size.
TEST_F(BatchTest, ProgressWritesItsTextsIntoTheTasksRow) {
    Start();
    AddSelectedRow(L"C:\\in\\clip.avi", L"clip.avi");
    TListItem* row = Row(0);
    const struct {
        int64_t total, current, size;
        int fps;
        const wchar_t *percent, *fpsText, *time, *sizeText;
    } cases[] = {
        {120000000, 59999999, 1048576, 25, L"49%", L"25", L"00:00:59", L"1MB"},
        {0, 3725000000, 12949914, 0, L"N/A", L"25", L"01:02:05", L"12.35MB"},
        {120000000, 120000000, 524288, 30, L"100%", L"30", L"00:02:00", L"0.5MB"},
        {-1, 1000000, 0, 0, L"N/A", L"30", L"00:00:01", L"0MB"},
    };
    for (const auto& c : cases) {
        TCustomDIzizuZUR::TProgressInfo info{};
        info.TaskIndex = 0;
        info.TotalDuration = c.total;
        info.CurrentDuration = c.current;
        info.CurrentSize = c.size;
        info.FPS = c.fps;
        Form1->ROREZProgress(Form1->ROREZ, &info);
        EXPECT_EQ(Cell(row, 3), c.percent) << c.current;
        EXPECT_EQ(Cell(row, 4), c.fpsText) << c.current;
        EXPECT_EQ(Cell(row, 5), c.time) << c.current;
        EXPECT_EQ(Cell(row, 6), c.sizeText) << c.current;
    }
}

// A task that fails while converting: one warning box with its message,
// the application's title and the warning icon; the other rows finish and
// the batch ends with its end action.
TEST_F(BatchTest, ATaskThatFailsShowsItsWarningAndTheOthersFinish) {
    Start();
    ChooseMkv();
    ChooseEndAction(1);
    for (const wchar_t* name : {L"a.mp4", L"b.mp4", L"c.mp4"}) AddOne(Clip(name));
    ASSERT_EQ(Rows(), 3);
    // A frame rate the MPEG-4 encoder cannot open: the task fails once it runs.
    Row(1)->SubItems()->Put(17, L"100000");
    Form1->lvFiles->SetItemIndex(-1);
    Form1->bsSkinButton2->ButtonClick();
    ASSERT_TRUE(Form1->BatchRunning()) << "the start takes the row";
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(WaitUntil([&] { return !warnings_.empty(); }, 5000));
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_FALSE(warnings_[0].empty());
    EXPECT_EQ(warningCaptions_[0], L"VantrelH264视频格式转换器");
    EXPECT_EQ(warningFlags_[0], static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(Cell(Row(0), 3), L"100%");
    EXPECT_NE(Cell(Row(1), 3), L"100%");
    EXPECT_EQ(Cell(Row(2), 3), L"100%");
    EXPECT_FALSE(FileExists(Output(1)));
    EXPECT_EQ(endActions_, std::vector<TForm1::TEndAction>{TForm1::TEndAction::OpenFolder});
}

// The thread priority of the batch is the one ticked in the options dialog.
TEST_F(BatchTest, TheBatchRunsAtThePriorityOfTheOptionsDialog) {
    Start();
    ChooseEndAction(5);
    AddOne(Clip(L"a.mp4"));
    ASSERT_EQ(Rows(), 1);
    const struct {
        TbsSkinCheckRadioBox* TForm5::*box;
        TDIzizuZUR::TThreadPriority priority;
    } cases[] = {{&TForm5::bsSkinCheckRadioBox9, TDIzizuZUR::tpIdle},
                 {&TForm5::bsSkinCheckRadioBox10, TDIzizuZUR::tpLowest},
                 {&TForm5::bsSkinCheckRadioBox11, TDIzizuZUR::tpLower},
                 {&TForm5::bsSkinCheckRadioBox12, TDIzizuZUR::tpNormal}};
    for (const auto& c : cases) {
        (Form5->*c.box)->SetChecked(true);
        Form1->ROREZ->ThreadPriority = TDIzizuZUR::tpHighest;
        Form1->bsSkinButton2->ButtonClick();
        EXPECT_EQ(Form1->ROREZ->ThreadPriority, c.priority) << WideToUtf8((Form5->*c.box)->Caption());
        ASSERT_TRUE(WaitForBatchEnd());
    }
}

// The end notification of a task belongs to its batch: one that comes when
// that batch is over marks no row and removes no file.
TEST_F(BatchTest, AnEndNotificationAfterItsBatchTouchesNoRow) {
    Start();
    ChooseMkv();
    ChooseEndAction(5);
    AddOne(Clip(L"a.mp4"));
    ASSERT_EQ(Rows(), 1);
    Form1->bsSkinButton2->ButtonClick();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_EQ(Cell(Row(0), 3), L"100%");
    const std::wstring output = Output(0);
    ASSERT_TRUE(FileExists(output));
    Row(0)->SubItems()->Put(3, L"");
    Form1->ROREZTerminate(Form1->ROREZ, {0, true, false, L""});
    Form1->ROREZTerminate(Form1->ROREZ, {0, false, false, L""});
    WaitUntil([] { return false; }, 200);
    EXPECT_EQ(Cell(Row(0), 3), L"");
    EXPECT_TRUE(FileExists(output)) << "a finished result stays";
    EXPECT_FALSE(Form1->BatchRunning());
}

TEST_F(BatchTest, ClosingTheWindowDuringABatchWaitsForTheWorkersAndRunsNoEndAction) {
    Start();
    ChooseMkv();
    ChooseEndAction(2);  // even a shut-down
    ChooseThreads(2);
    for (const wchar_t* name : {L"x.mp4", L"y.mp4"}) AddOne(Clip(name, 60.0, 320, 240));
    ASSERT_EQ(Rows(), 2);
    Form1->ROREZ->SetProgressInterval(100);
    Form1->btnStartClick(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !Cell(Row(0), 3).empty() && !Cell(Row(1), 3).empty(); }));
    bool canClose = false;
    Form1->OnCloseQuery(Form1, canClose);
    EXPECT_TRUE(canClose);
    // The workers have ended: nothing converts any more.
    EXPECT_TRUE(Form1->ROREZ->Terminated() || !Form1->ROREZ->Working());
    // End work queued by the stopped tasks finds the window closing.
    platform::CheckSynchronize();
    Application->ProcessMessages();
    EXPECT_TRUE(endActions_.empty());
    EXPECT_TRUE(warnings_.empty());
    EXPECT_NE(Cell(Row(0), 3), L"100%");
    EXPECT_NE(Cell(Row(1), 3), L"100%");
}

// The row stays selected through a batch and a skin switch: "播放" plays
// its preview, also when stopping the batch closed the preview.
class PlayAfterBatch : public BatchTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PlayAfterBatch, PlayShowsThePreviewOfTheSelectedRowAfterTheBatchAndASkinSwitch) {
    const bool stopped = GetParam();
    Start();
    SetEnvironmentVariableW(L"SDL_AUDIODRIVER", L"dummy");
    FFLoader.SetLibraryPath(std::wstring(VANTREL_DIST_WIN) + L"\\LibAV");
    ASSERT_TRUE(FFLoader.Load(PlayerLibraries)) << Narrow(FFLoader.LastErrMsg());
    Form1->Show();
    ChooseMkv();
    AddOne(Clip(L"a.mp4", stopped ? 60.0 : 4.0, 320, 240));
    ASSERT_EQ(Rows(), 1);
    Form1->lvFiles->SetItemIndex(-1);
    Form1->lvFiles->SetItemIndex(0);
    TZADovovi* player = Form1->ZADovovi;
    ASSERT_TRUE(WaitUntil([&] { return player->PlayState() == psPause; }, 10000));
    Form1->ROREZ->SetProgressInterval(100);
    Form1->bsSkinButton2->ButtonClick();  // "开始"
    if (stopped) {
        ASSERT_TRUE(WaitUntil([&] { return !Cell(Row(0), 3).empty(); }));
        Form1->bsSkinButton10->ButtonClick();  // "停止"
    }
    ASSERT_TRUE(WaitUntil([] { return !Form1->BatchRunning(); }, 120000));
    Form1->bsSkinData1->SetSkinIndex(Form1->bsSkinData1->SkinIndex() == 3 ? 4 : 3);
    ASSERT_EQ(Form1->lvFiles->ItemIndex(), 0);
    Form1->bsSkinButton13->ButtonClick();  // "播放"
    EXPECT_TRUE(WaitUntil([&] { return player->CurrentPTS() > 300000; }, 5000)) << player->CurrentPTS();
    EXPECT_FALSE(player->Paused());
    EXPECT_EQ(player->FileName(), Row(0)->Caption());
    EXPECT_EQ(player->ScreenHandle(), Form1->Panel6->Handle());
    player->Stop(true);
}

INSTANTIATE_TEST_SUITE_P(Ended, PlayAfterBatch, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Stopped" : "Finished"; });

}  // namespace
}  // namespace mainwindowtest
