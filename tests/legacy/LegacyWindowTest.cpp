// The legacy settings window as the start-up creates it: hidden, its format
// list filled for category 0 and its option lists for key 100, and its
// lists and buttons driving the procedures.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/Unit6.h"
#include "platform/ExtCtrls.h"
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

    // The shown text of the option list with that component name.
    std::wstring Shown(const wchar_t* name) {
        auto* box = dynamic_cast<TbsSkinComboBox*>(Form6->FindComponent(name));
        EXPECT_NE(box, nullptr) << name;
        if (!box) return std::wstring();
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
    EXPECT_EQ(Form6->ClientWidth(), 958);
    EXPECT_EQ(Form6->ClientHeight(), 474);
    EXPECT_EQ(Form6->bsSkinOfficeComboBox2->Items()->Count(), 12);
    EXPECT_EQ(Form6->bsSkinOfficeComboBox1->Items()->Count(), 15);
    EXPECT_EQ(Form6->bsSkinOfficeComboBox1->ItemIndex(), 0);
    // The option lists of key 100, each by its own name.
    EXPECT_EQ(Form6->bsSkinComboBox1->Items()->Count(), 28);
    EXPECT_EQ(Shown(L"bsSkinComboBox1"), L"保持原分辨率");
    EXPECT_EQ(Shown(L"bsSkinComboBox2"), L"816 kbps");
    EXPECT_EQ(Shown(L"bsSkinComboBox9"), L"25.00");
    EXPECT_EQ(Shown(L"bsSkinComboBox3"), L"128 kbps");
    EXPECT_EQ(Shown(L"bsSkinComboBox10"), L"44100");
    EXPECT_EQ(Shown(L"bsSkinComboBox4"), L"保持原视频模式");
    // The presets have not run.
    EXPECT_EQ(settings.Video_OutPutFileName, L"");
}

TEST_F(LegacyWindow, TheCategoryListShowsTwelvePicturesOf32Pixels) {
    TImageList* pictures = Form6->ImageList1;
    EXPECT_EQ(Form6->bsSkinOfficeComboBox2->Images(), pictures);
    EXPECT_EQ(pictures->Width(), 32);
    EXPECT_EQ(pictures->Height(), 32);
    ASSERT_EQ(pictures->Count(), 12);
    EXPECT_EQ(Form6->ImageList2->Width(), 32);
    EXPECT_EQ(Form6->ImageList2->Height(), 32);
    EXPECT_EQ(Form6->ImageList2->Count(), 0);
    // Each picture is drawn (not one colour) and differs from the others.
    std::set<std::vector<COLORREF>> seen;
    for (int i = 0; i < 12; ++i) {
        TBitmap b(32, 32, pf24bit);
        ASSERT_TRUE(pictures->GetBitmap(i, &b)) << i;
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) pixels.push_back(static_cast<COLORREF>(b.Canvas()->Pixel(x, y)));
        EXPECT_GT(std::set<COLORREF>(pixels.begin(), pixels.end()).size(), 3u) << i;
        seen.insert(pixels);
    }
    EXPECT_EQ(seen.size(), 12u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Form6->bsSkinOfficeComboBox2->Items()->Items(i)->ImageIndex(), i);
    ASSERT_NE(Form6->Image1->Picture()->Graphic(), nullptr);
    EXPECT_EQ(Form6->Image1->Picture()->Width(), 171);
    EXPECT_EQ(Form6->Image1->Picture()->Height(), 103);
}

TEST_F(LegacyWindow, ACategoryChosenInTheListRefillsBoth) {
    Form6->bsSkinOfficeComboBox2->SetItemIndex(1);  // raises the change event
    EXPECT_EQ(Form6->bsSkinOfficeComboBox1->Items()->Count(), 13);
    EXPECT_EQ(allTrantNumber, 200);
    EXPECT_FALSE(Form6->bsSkinComboBox1->Enabled());
    EXPECT_FALSE(Form6->bsSkinComboBox4->Enabled());
    EXPECT_TRUE(Form6->bsSkinComboBox3->Enabled());
    EXPECT_EQ(Shown(L"bsSkinComboBox1"), L"该格式无视频");
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

// Every field the window can write, as text, to see that none changed.
std::wstring FieldsText(const formats::TFormatSettings& s, int key) {
    return s.Video_OutPutFileName + L"|" + s.Video_FileExt + L"|" + s.Video_VideoCodec + L"|" + s.Video_VideoTag +
           L"|" + s.Video_FrameSize + L"|" + std::to_wstring(s.Video_VideoBitrate) + L"|" + s.Video_FrameRate +
           L"|" + s.Video_FrameAspectRatio + L"|" + s.Video_VideoFilters + L"|" + s.Video_AudioCodec + L"|" +
           s.Video_AudioChannels + L"|" + s.Video_AudioSampleRate + L"|" + std::to_wstring(s.Video_AudioBitrate) +
           L"|" + s.Video_AudioVolume + L"|" + s.Video_FileFormat + L"|" + s.Video_TargetType + L"|" +
           s.Video_NormType + L"|" + s.Video_CopyTimestamp + L"|" + (s.Video_DisableVideo ? L"1" : L"0") + L"|" +
           std::to_wstring(key);
}

TEST_F(LegacyWindow, CancelChangesNoField) {
    Form6->bsSkinOfficeComboBox1->SetItemIndex(9);  // 3GP, key 109
    Form6->bsSkinComboBox2->SetItemIndex(0);
    settings.Video_OutPutFileName = L"kept.avi";
    settings.Video_VideoCodec = L"kept";
    settings.Video_AudioBitrate = 7;
    const std::wstring before = FieldsText(settings, allTrantNumber);
    Form6->Show();
    Form6->bsSkinButton3->ButtonClick();
    EXPECT_EQ(FieldsText(settings, allTrantNumber), before);
    EXPECT_FALSE(Form6->Visible());
}

// A list that shows no bit rate makes the read-back fail: the application
// shows the conversion error in its message box, the window stays open and
// the lists after it are not read.
TEST_F(LegacyWindow, AFailedReadBackIsShownAndTheWindowStaysOpen) {
    std::vector<std::wstring> shown;
    Application->OnException = [&](TObject*, const std::exception& e) {
        const auto* ours = dynamic_cast<const Exception*>(&e);
        shown.push_back(ours ? ours->Message() : L"?");
    };
    Form6->bsSkinComboBox2->SetItemIndex(4);  // "1200 kbps"
    Form6->bsSkinComboBox3->Items()->Clear();  // the audio bit rate list shows nothing
    Form6->bsSkinComboBox4->SetItemIndex(1);   // "普通视频4:3模式", were it read
    Form6->Show();
    // The click comes as the user's would, through the button's window.
    const HWND ok = Form6->bsSkinButton2->Handle();
    SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], L"'' is not a valid integer value");
    EXPECT_TRUE(Form6->Visible());
    EXPECT_EQ(settings.Video_VideoBitrate, 1200000);      // read before the audio list
    EXPECT_EQ(settings.Video_AudioBitrate, 128000);       // the preset's, not read back
    EXPECT_EQ(settings.Video_FrameAspectRatio, L"");      // the preset's; the aspect list not read
    Form6->Hide();
    Application->OnException = nullptr;
}

}  // namespace
