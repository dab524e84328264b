// The program's road through its real windows: start-up, "添加多个文件" in
// the skinned open dialog (one file with a Chinese name), a format and an
// option chosen, Start clicked on the tool bar, two tasks on two threads
// with progress rising to "100%", outputs that probe back with the chosen
// container, codecs, size and rates, and the end action once.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "QueueFixture.h"
#include "app/StartUp.h"
#include "app/Unit6.h"
#include "platform/ListView.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsButton.h"

namespace mainwindowtest {
namespace {

class EndToEndTest : public QueueTest {
protected:
    void TearDown() override {
        delete Form6;
        Form6 = nullptr;
        QueueTest::TearDown();
    }
};

TEST_F(EndToEndTest, TwoFilesConvertOnTwoThreadsWithTheChosenFormat) {
    ASSERT_TRUE(libraries_.empty()) << libraries_;
    CreateProgramForms();
    RecordQueueEffects();
    Form1->Show();
    Application->ProcessMessages();

    // Long enough that each task reports progress several times before it
    // ends, so the two tasks are seen running together.
    constexpr double kSeconds = 8.0;
    const std::wstring latin = Clip(L"first.mp4", kSeconds, 320, 240),
                       chinese = Clip(L"第二个视频.mp4", kSeconds, 320, 240);
    // "常用视频" / "MKV - Matroska视频格式(*.mkv)", the resolution "640*480".
    Form1->bsSkinOfficeComboBox2->SetItemIndex(6);
    Form1->bsSkinOfficeComboBox1->SetItemIndex(5);
    Form1->bsSkinComboBox1->SetItemIndex(11);
    ASSERT_EQ(Form1->bsSkinComboBox1->GetText(), L"640*480");
    ChooseThreads(2);
    ChooseEndAction(4);  // " 播放提示音乐"

    AddSeveral({latin, chinese});
    ASSERT_EQ(Rows(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(Cell(Row(i), 15), L"640*480");

    // Progress per task as the rows show it, and which tasks ran at once.
    Form1->ROREZ->SetProgressInterval(100);
    std::map<int, std::vector<std::wstring>> seen;
    int running = 0, mostAtOnce = 0;
    std::set<int> started;
    auto progress = Form1->ROREZ->OnProgress;
    Form1->ROREZ->OnProgress = [&](TObject* s, TCustomDIzizuZUR::PProgressInfo p) {
        progress(s, p);
        if (started.insert(p->TaskIndex).second) mostAtOnce = std::max(mostAtOnce, ++running);
        seen[p->TaskIndex].push_back(Cell(Row(p->TaskIndex), 3));
    };
    auto terminate = Form1->ROREZ->OnTerminate;
    Form1->ROREZ->OnTerminate = [&](TObject* s, const TCustomDIzizuZUR::TTerminateInfo& i) {
        if (i.TaskIndex >= 0) platform::QueueInMainThread([&] { --running; });
        terminate(s, i);
    };

    ASSERT_TRUE(Form1->bsSkinButton2->Enabled());
    dialogstest::PostClick(Form1->bsSkinButton2->Handle(), 10, 10);  // "开始"
    ASSERT_TRUE(WaitUntil([] { return Form1->BatchRunning(); }, 10000));
    EXPECT_FALSE(Form1->bsSkinMenuSpeedButton1->Enabled());
    EXPECT_TRUE(Form1->bsSkinButton10->Enabled());
    ASSERT_TRUE(WaitUntil([] { return !Form1->BatchRunning(); }, 180000));

    EXPECT_EQ(mostAtOnce, 2) << "both tasks converted at once";
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Cell(Row(i), 3), L"100%");
        int last = -1;
        for (const std::wstring& text : seen[i]) {
            if (text == L"N/A" || text.empty()) continue;
            const int percent = std::stoi(text);
            EXPECT_GE(percent, last) << "progress never falls back";
            last = percent;
        }
        EXPECT_GE(seen[i].size(), 1u);
    }
    EXPECT_TRUE(warnings_.empty()) << Narrow(warnings_.empty() ? L"" : warnings_[0]);
    ASSERT_EQ(endActions_.size(), 1u);
    EXPECT_EQ(endActions_[0], TForm1::TEndAction::PlaySound);

    for (int i = 0; i < 2; ++i) {
        const std::wstring output = outputs_ + L"\\" + Cell(Row(i), 2);
        EXPECT_FALSE(SameText(output, Row(i)->Caption()));
        EXPECT_TRUE(SameText(ExtractFileExt(output), L".mkv")) << Narrow(output);
        TAVProbe probe;
        ASSERT_TRUE(probe.LoadFile(output)) << Narrow(output) << " " << Narrow(probe.LastErrMsg());
        EXPECT_NE(probe.FormatName().find(L"matroska"), std::wstring::npos) << Narrow(probe.FormatName());
        const TVideoStreamInfo video = probe.FirstVideoStreamInfo();
        EXPECT_EQ(video.CodecName.rfind(L"mpeg4(", 0), 0u) << Narrow(video.CodecName);
        EXPECT_EQ(video.Width, 640);
        EXPECT_EQ(video.Height, 480);
        ASSERT_GT(video.FrameRate.den, 0);
        EXPECT_NEAR(static_cast<double>(video.FrameRate.num) / video.FrameRate.den, 29.97, 0.01);
        const TAudioStreamInfo audio = probe.FirstAudioStreamInfo();
        EXPECT_EQ(audio.CodecName.rfind(L"mp3", 0), 0u) << Narrow(audio.CodecName);
        EXPECT_EQ(audio.SampleRate, 44100);
        EXPECT_EQ(audio.Channels, 2);
        EXPECT_NEAR(static_cast<double>(probe.FileStreamInfo().Duration) / 1e6, kSeconds, 0.3);
        probe.CloseFile();
    }
    // The inputs are untouched.
    EXPECT_TRUE(FileExists(latin));
    EXPECT_TRUE(FileExists(chinese));
}

// The end sound is made by the build and staged beside the program.
TEST(EndSoundTest, TheStagedSoundIsAPcmWave) {
    const std::wstring name = std::wstring(VANTREL_DIST_WIN) + L"\\sounds\\ring001.wav";
    std::ifstream in(name.c_str(), std::ios::binary);
    ASSERT_TRUE(in.good()) << Narrow(name);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(bytes[20], 1) << "PCM";
    EXPECT_EQ(bytes.substr(36, 4), "data");
    uint32_t data = 0;
    for (int i = 0; i < 4; ++i) data |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[40 + i])) << (8 * i);
    EXPECT_EQ(data, bytes.size() - 44);
    EXPECT_GT(data, 22050u) << "more than half a second of sound";
}

}  // namespace
}  // namespace mainwindowtest
