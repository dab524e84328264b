// A VCD format of the catalogue converts: the main window's settings for
// key 113 ("VCD - 视频格式(*.mpg)"), turned into the output record, run
// through the encoder component on a short clip.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "Src/AVProbe.h"
#include "Src/MyUtils.h"
#include "app/OutputRecord.h"
#include "platform/MainThread.h"
#include "platform/StdCtrls.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "tools/testmedia/TestMedia.h"

namespace mainwindowtest {
namespace {

using DiscConversionTest = MainWindowTest;

TEST_F(DiscConversionTest, VcdFormatConvertsWithTheRateOfItsTarget) {
    static const testmedia::ConversionSource clip(L"vantrel-mainwindow-vcd");
    ASSERT_TRUE(clip.Error.empty()) << clip.Error;
    StartWindows();
    Form1->bsSkinOfficeComboBox2->SetItemIndex(6);   // "常用视频"
    Form1->bsSkinOfficeComboBox1->SetItemIndex(13);  // "VCD - 视频格式(*.mpg)"
    ASSERT_EQ(Form1->All_Trant_Number, 113);
    Form1->Video_AddFileName = clip.File;
    Form1->ApplyPreset(nullptr);
    Form1->Button13Click(nullptr);
    TOutputOptions record;
    InitOutputOptions(record);
    formats::FillOutputOptions(Form1->Video, record);
    record.TimeLength = 1000000;  // one second is enough

    TDIzizuZUR encoder;
    std::vector<TCustomDIzizuZUR::TTerminateInfo> ends;
    encoder.OnTerminate = [&](TObject*, const TCustomDIzizuZUR::TTerminateInfo& info) { ends.push_back(info); };
    const std::wstring output = clip.Outputs + L"\\vcd.mpg";
    const int task = encoder.AddTask(clip.File, PInputOptions(nullptr));
    ASSERT_EQ(task, 0) << WideToUtf8(encoder.LastErrMsg());
    ASSERT_TRUE(encoder.SetOutputFile(task, output, &record)) << WideToUtf8(encoder.LastErrMsg());
    encoder.Start(0);
    platform::CheckSynchronize();
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_FALSE(ends[0].Exception) << WideToUtf8(ends[0].ExceptionMsg);
    // The chosen rate reached the encoder, which put VCD's fixed rate in
    // its place and said so in the log.
    EXPECT_EQ(record.VideoBitrate, Form1->Video.Video_VideoBitrate);
    bool told = false;
    for (int i = 0; i < Form1->mmoLog->LineCount(); ++i)
        told = told || Form1->mmoLog->Line(i).find(L"video bit rate " + std::to_wstring(record.VideoBitrate) +
                                                   L" replaced by the target's 1150000") != String::npos;
    EXPECT_TRUE(told);
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(output)) << WideToUtf8(probe.LastErrMsg());
    EXPECT_GT(probe.VideoStreamCount(), 0);
    probe.CloseFile();
    DeleteFileW(output.c_str());
}

}  // namespace
}  // namespace mainwindowtest
