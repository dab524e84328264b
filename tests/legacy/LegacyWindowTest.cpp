// The legacy settings window as the start-up creates it: hidden, its format
// list filled for category 0 and its option lists for key 100, and its
// lists and buttons driving the procedures.
#include <gtest/gtest.h>

#include "app/Unit6.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsButton.h"

namespace {

using legacy::TOptionList;

class LegacyWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        settings.Video_DisableVideo = true;
        Form6 = new TForm6(Application, nullptr, {allTrantNumber, settings}, [this] { return sources; });
        Form6->AfterConstruction();
    }
    void TearDown() override {
        delete Form6;
        Form6 = nullptr;
    }

    std::wstring Shown(TOptionList list) {
        TbsSkinComboBox* box = Form6->OptionList(list);
        return box->ItemIndex() < 0 ? std::wstring() : box->Items()->Get(box->ItemIndex());
    }

    TApplication app;
    int allTrantNumber = 0;
    formats::TFormatSettings settings;
    legacy::TPresetSources sources{L"D:\\in\\clip.wmv", L"C:\\out", true};
};

TEST_F(LegacyWindow, CreationFillsTheFirstFormatAndStaysHidden) {
    EXPECT_FALSE(Form6->Visible());
    EXPECT_EQ(Form6->Caption(), L"设置选项");
    EXPECT_EQ(Form6->bsSkinOfficeComboBox2->Items()->Count(), 12);
    EXPECT_EQ(Form6->bsSkinOfficeComboBox1->Items()->Count(), 15);
    EXPECT_EQ(Form6->bsSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(allTrantNumber, 100);
    EXPECT_FALSE(settings.Video_DisableVideo);
    EXPECT_EQ(Form6->bsSkinComboBox1->Items()->Count(), 28);
    EXPECT_EQ(Shown(TOptionList::VideoBitrate), L"816 kbps");
    EXPECT_EQ(Shown(TOptionList::FrameRate), L"25.00");
    EXPECT_EQ(Shown(TOptionList::SampleRate), L"44100");
    // The presets have not run.
    EXPECT_EQ(settings.Video_OutPutFileName, L"");
}

TEST_F(LegacyWindow, ACategoryChosenInTheListRefillsBoth) {
    Form6->bsSkinOfficeComboBox2->SetItemIndex(1);  // raises the change event
    EXPECT_EQ(Form6->bsSkinOfficeComboBox1->Items()->Count(), 13);
    EXPECT_EQ(allTrantNumber, 200);
    EXPECT_FALSE(Form6->bsSkinComboBox1->Enabled());
    EXPECT_FALSE(Form6->bsSkinComboBox4->Enabled());
    EXPECT_TRUE(Form6->bsSkinComboBox3->Enabled());
    EXPECT_EQ(Shown(TOptionList::Resolution), L"该格式无视频");
}

TEST_F(LegacyWindow, OkAppliesThePresetAndTheListsChoicesResetEmpties) {
    Form6->bsSkinComboBox2->SetItemIndex(4);  // "1200 kbps"
    Form6->bsSkinButton2->ButtonClick();
    EXPECT_EQ(settings.Video_OutPutFileName, L"C:\\out\\clip.avi");
    EXPECT_EQ(settings.Video_VideoTag, L"XVID");
    EXPECT_EQ(settings.Video_VideoBitrate, 1200000);
    EXPECT_EQ(settings.Video_AudioBitrate, 128000);
    Form6->Button6->Click();
    EXPECT_EQ(settings.Video_OutPutFileName, L"");
    EXPECT_EQ(settings.Video_VideoBitrate, -1);
    EXPECT_EQ(allTrantNumber, 100);
}

}  // namespace
