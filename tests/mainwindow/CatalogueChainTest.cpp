// The chains of the catalogue and option lists on the main window: the
// start-up state, the events a category, format or option choice raises,
// the lists' contents after them, and what they write into a selected row.
#include <gtest/gtest.h>

#include <algorithm>

#include "MainWindowFixture.h"
#include "app/FormatCatalogue.h"
#include "app/OptionChoices.h"
#include "app/OutputFileName.h"
#include "app/OutputRecord.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/bsPngImageList.h"

namespace mainwindowtest {
namespace {

using formats::TOptionList;

class CatalogueChainTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        StartWindows();
    }
    // Records every click and change of the two catalogue lists and every
    // change of the six option lists, in order, before the form's handlers.
    void Trace() {
        auto wrap = [this](TNotifyEvent& event, const std::string& name) {
            TNotifyEvent old = event;
            event = [this, old, name](TObject* sender) {
                events.push_back(name);
                if (old) old(sender);
            };
        };
        wrap(Form1->bsSkinOfficeComboBox2->OnClick, "category.click");
        wrap(Form1->bsSkinOfficeComboBox2->OnChange, "category.change");
        wrap(Form1->bsSkinOfficeComboBox1->OnClick, "format.click");
        wrap(Form1->bsSkinOfficeComboBox1->OnChange, "format.change");
        const std::pair<TOptionList, const char*> lists[] = {
            {TOptionList::Resolution, "resolution"}, {TOptionList::VideoBitrate, "videobitrate"},
            {TOptionList::FrameRate, "framerate"},   {TOptionList::AudioBitrate, "audiobitrate"},
            {TOptionList::SampleRate, "samplerate"}, {TOptionList::Aspect, "aspect"}};
        for (const auto& [list, name] : lists) wrap(Form1->OptionList(list)->OnChange, std::string(name) + ".change");
    }
    void Choose(int category, int format) {
        Form1->bsSkinOfficeComboBox2->SetItemIndex(category);
        if (format != 0) Form1->bsSkinOfficeComboBox1->SetItemIndex(format);
    }
    String Shown(TOptionList list) { return Form1->OptionList(list)->GetText(); }
    std::vector<std::string> events;
};

TEST_F(CatalogueChainTest, StartUpShowsTheFirstCategoryWithItsFirstFormatAndItsDefaults) {
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->Items()->Count(), 25);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->ItemIndex(), 0);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->Items()->Items(0)->Caption(), L"H264视频");
    TbsSkinOfficeItems* formats = Form1->bsSkinOfficeComboBox1->Items();
    ASSERT_EQ(formats->Count(), 4);
    const wchar_t* titles[] = {L"H.264高清AVI视频格式(*.avi)", L"H.264高清MPEG-4视频格式(*.mp4)",
                               L"H.264高清MKV视频格式(*.mkv)", L"H.264高清MP4视频格式(*.mp4)"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(formats->Items(i)->Title(), titles[i]) << i;
        EXPECT_EQ(formats->Items(i)->ImageIndex(), 26) << i;
    }
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Form1->All_Trant_Number, 2700);
    const std::pair<TOptionList, const wchar_t*> shown[] = {
        {TOptionList::Resolution, L"1280*720"}, {TOptionList::VideoBitrate, L"1800 kbps"},
        {TOptionList::FrameRate, L"29.97"},     {TOptionList::AudioBitrate, L"128 kbps"},
        {TOptionList::SampleRate, L"44100"},    {TOptionList::Aspect, L"保持原视频模式"}};
    for (const auto& [list, text] : shown) {
        EXPECT_EQ(Shown(list), text);
        EXPECT_TRUE(Form1->OptionList(list)->Enabled());
    }
    EXPECT_EQ(formats::MakeOptionCode({Form1->bsSkinComboBox1->ItemIndex(), Form1->bsSkinComboBox2->ItemIndex(),
                                       Form1->bsSkinComboBox9->ItemIndex(), Form1->bsSkinComboBox3->ItemIndex(),
                                       Form1->bsSkinComboBox10->ItemIndex(), Form1->bsSkinComboBox4->ItemIndex()}),
              L"191010001004");
}

// The two catalogue lists draw from the second store, which keeps its one
// skin whatever the main skin, with a picture per category code.
TEST_F(CatalogueChainTest, CatalogueListsHaveTheirPicturesSizesAndOwnStore) {
    TbsSkinOfficeComboBox* categories = Form1->bsSkinOfficeComboBox2;
    TbsSkinOfficeComboBox* formats = Form1->bsSkinOfficeComboBox1;
    EXPECT_EQ(categories->SkinData(), Form1->bsSkinData2);
    EXPECT_EQ(formats->SkinData(), Form1->bsSkinData2);
    EXPECT_EQ(categories->Images(), static_cast<TCustomImageList*>(Form1->bsPngImageList4));
    EXPECT_EQ(formats->Images(), static_cast<TCustomImageList*>(Form1->bsPngImageList5));
    EXPECT_EQ(Form1->bsPngImageList4->Count(), 35);
    EXPECT_EQ(Form1->bsPngImageList4->Width(), 48);
    EXPECT_EQ(Form1->bsPngImageList4->Height(), 48);
    EXPECT_EQ(Form1->bsPngImageList5->Count(), 35);
    EXPECT_EQ(Form1->bsPngImageList5->Width(), 32);
    EXPECT_EQ(Form1->bsPngImageList5->Height(), 32);
    EXPECT_EQ(categories->ListBoxItemHeight(), 50);
    EXPECT_EQ(categories->ListBoxWidth, 140);
    EXPECT_EQ(categories->DropDownCount(), 4);
    EXPECT_EQ(formats->ListBoxItemHeight(), 60);
    EXPECT_EQ(formats->DropDownCount(), 4);
    EXPECT_TRUE(formats->ListBoxShowItemTitles());
    EXPECT_TRUE(formats->ListBoxShowLines());
    // The category entries show the picture of their code.
    const int codes[] = {26, 25, 12, 15, 10, 27, 0, 2, 13, 16, 20, 32, 4, 5, 7, 8, 11, 14, 17, 19, 21, 33, 29, 30, 1};
    for (int i = 0; i < 25; ++i) EXPECT_EQ(categories->Items()->Items(i)->ImageIndex(), codes[i]) << i;
    Form1->bsSkinData1->SetSkinIndex(5);
    EXPECT_EQ(Form1->bsSkinData2->CompressedSkinIndex(), 0);
    EXPECT_EQ(categories->SkinData(), Form1->bsSkinData2);
}

TEST_F(CatalogueChainTest, CategoryChoiceFillsTheFormatListAndRunsOneFormatChangeForEntryZero) {
    Trace();
    Form1->bsSkinOfficeComboBox2->SetItemIndex(10);  // "VOB视频", code 20
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 4),
              (std::vector<std::string>{"category.click", "category.change", "format.click", "format.change"}));
    EXPECT_EQ(std::count(events.begin(), events.end(), "format.change"), 1);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->Items()->Count(), 6);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->Items()->Items(0)->Title(), L"VOB标准视频(*.vob)");
    EXPECT_EQ(Form1->All_Trant_Number, 2100);
}

TEST_F(CatalogueChainTest, ChoosingTheSameCategoryAgainRefillsAndRunsTheFormatChangeAgain) {
    Trace();
    Form1->bsSkinOfficeComboBox2->SetItemIndex(0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "format.change"), 1);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->Items()->Count(), 4);
}

TEST_F(CatalogueChainTest, FormatWithTheSameDefaultTextsRaisesNoOptionChange) {
    Trace();
    Form1->bsSkinOfficeComboBox1->SetItemIndex(1);  // 2700 -> 2701
    EXPECT_EQ(events, (std::vector<std::string>{"format.click", "format.change"}));
    EXPECT_EQ(Form1->All_Trant_Number, 2701);
}

TEST_F(CatalogueChainTest, AudioOnlyFormatDisablesTheFourVideoLists) {
    Choose(22, 0);  // "MP3音频", key 3000
    EXPECT_EQ(Form1->All_Trant_Number, 3000);
    for (TOptionList list : {TOptionList::Resolution, TOptionList::VideoBitrate, TOptionList::FrameRate,
                             TOptionList::Aspect})
        EXPECT_FALSE(Form1->OptionList(list)->Enabled()) << static_cast<int>(list);
    EXPECT_TRUE(Form1->bsSkinComboBox3->Enabled());
    EXPECT_TRUE(Form1->bsSkinComboBox10->Enabled());
    EXPECT_EQ(Shown(TOptionList::Resolution), L"该格式无视频");
    EXPECT_EQ(Shown(TOptionList::VideoBitrate), L"无视频");
    EXPECT_EQ(Shown(TOptionList::AudioBitrate), L"192 kbps");
    // A video format afterwards switches them on again.
    Choose(0, 0);
    EXPECT_TRUE(Form1->bsSkinComboBox1->Enabled());
    EXPECT_TRUE(Form1->bsSkinComboBox4->Enabled());
}

TEST_F(CatalogueChainTest, SelectionKeyOfARowRestoresBothListsAndTheDefaults) {
    int category = -1, format = -1;
    ASSERT_TRUE(formats::SplitSelectionKey(2105, category, format));
    Choose(category, format);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->ItemIndex(), 20);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->ItemIndex(), 5);
    EXPECT_EQ(Form1->All_Trant_Number, 2205);
    TListItem* row = AddSelectedRow(L"C:\\in\\clip.mts", L"clip.avi");
    Form1->bsSkinOfficeComboBox1->SetItemIndex(5);
    EXPECT_EQ(Cell(row, 9), L"040310000904");
    EXPECT_EQ(Cell(row, 8), L"2105");
}

// What one option list holds: its entries (count, first, last), the
// selected position and text, and whether it is enabled.
struct ListState {
    TOptionList List;
    int Count;
    const wchar_t* First;
    const wchar_t* Last;
    int Index;
    const wchar_t* Text;
    bool Enabled;
};

void ExpectLists(const std::vector<ListState>& states) {
    for (const ListState& w : states) {
        TbsSkinComboBox* box = Form1->OptionList(w.List);
        const int list = static_cast<int>(w.List);
        ASSERT_EQ(box->Items()->Count(), w.Count) << "list " << list;
        EXPECT_EQ(box->Items()->Get(0), w.First) << "list " << list;
        EXPECT_EQ(box->Items()->Get(w.Count - 1), w.Last) << "list " << list;
        EXPECT_EQ(box->ItemIndex(), w.Index) << "list " << list;
        EXPECT_EQ(box->GetText(), w.Text) << "list " << list;
        EXPECT_EQ(box->Enabled(), w.Enabled) << "list " << list;
    }
}

// One user's way through the chains with a row selected: "VOB视频" from the
// start-up format (key 2700 -> 2100), then its fifth format (2104), then a
// wide aspect. Only the lists whose shown text changes raise their change;
// the row follows every step.
TEST_F(CatalogueChainTest, CategoryFormatAndOptionChainsTraceAndWriteTheRow) {
    TListItem* row = AddSelectedRow(L"C:\\in\\clip.mts", L"clip.avi");
    Trace();
    Form1->bsSkinOfficeComboBox2->SetItemIndex(10);
    EXPECT_EQ(events, (std::vector<std::string>{"category.click", "category.change", "format.click", "format.change",
                                                "resolution.change", "videobitrate.change"}));
    EXPECT_EQ(Form1->All_Trant_Number, 2100);
    ExpectLists({{TOptionList::Resolution, 28, L"保持原分辨率", L"2560*1600", 14, L"720*480", true},
                 {TOptionList::VideoBitrate, 9, L"816 kbps", L"4000 kbps", 1, L"1000 kbps", true},
                 {TOptionList::FrameRate, 4, L"保持原帧速率", L"30.00", 2, L"29.97", true},
                 {TOptionList::AudioBitrate, 17, L"16 kbps", L"320 kbps", 10, L"128 kbps", true},
                 {TOptionList::SampleRate, 6, L"11025", L"48000", 4, L"44100", true},
                 {TOptionList::Aspect, 5, L"保持原视频模式", L"宽屏视频47:20模式", 0, L"保持原视频模式", true}});
    EXPECT_EQ(Cell(row, 9), L"140110000204");
    EXPECT_EQ(Cell(row, 8), L"1100");
    EXPECT_EQ(Cell(row, 2), L"clip.vob");

    events.clear();
    Form1->bsSkinOfficeComboBox1->SetItemIndex(4);  // "优化的VOB视频(*.vob)"
    EXPECT_EQ(events, (std::vector<std::string>{"format.click", "format.change", "resolution.change",
                                                "videobitrate.change", "framerate.change"}));
    EXPECT_EQ(Form1->All_Trant_Number, 2104);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->ItemIndex(), 4);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->Items()->Items(4)->Title(), L"优化的VOB视频(*.vob)");
    ExpectLists({{TOptionList::Resolution, 28, L"保持原分辨率", L"2560*1600", 11, L"640*480", true},
                 {TOptionList::VideoBitrate, 10, L"528 kbps", L"4000 kbps", 0, L"528 kbps", true},
                 {TOptionList::FrameRate, 4, L"保持原帧速率", L"30.00", 0, L"保持原帧速率", true}});
    EXPECT_EQ(Cell(row, 9), L"110010000004");
    EXPECT_EQ(Cell(row, 8), L"1104");
    const wchar_t* values[] = {L"640*480", L"528000", L"", L"128000", L"44100", L""};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Cell(row, 15 + i), values[i]) << "sub-item " << 15 + i;

    events.clear();
    Form1->bsSkinComboBox4->SetItemIndex(2);  // "宽屏视频16:9模式"
    EXPECT_EQ(events, (std::vector<std::string>{"aspect.change"}));
    EXPECT_EQ(Cell(row, 9), L"110010020004");
    EXPECT_EQ(Cell(row, 20), L"16:9");
    EXPECT_EQ(Form1->Video.Video_FrameAspectRatio, L"16:9");
    // The same entry again changes nothing.
    events.clear();
    Form1->bsSkinComboBox4->SetItemIndex(2);
    EXPECT_TRUE(events.empty());
}

// Each case: the category and format chosen with a row selected, then one
// option list moved (or none), and what the row holds afterwards. The preset
// of 2700 names 1600000 bit/s and 25 frames/s; the row must show what the
// lists show.
struct RowCase {
    const char* name;
    int category, format;
    int list;  // TOptionList moved afterwards, -1 none
    int position;
    const wchar_t* code;
    const wchar_t* values[6];  // sub-items 15..20
};

class RowWriteTest : public CatalogueChainTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RowWriteTest, RowHoldsTheListsChoices) {
    const RowCase& c = GetParam();
    Choose(6, 0);  // another category first, so the chain below changes the lists
    TListItem* row = AddSelectedRow(L"C:\\in\\clip.mts", L"clip.mts");
    Choose(c.category, c.format);
    if (c.list >= 0) Form1->OptionList(static_cast<TOptionList>(c.list))->SetItemIndex(c.position);
    EXPECT_EQ(Cell(row, 9), c.code);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Cell(row, 15 + i), c.values[i]) << "sub-item " << 15 + i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowWriteTest,
    ::testing::Values(
        RowCase{"H264Avi", 0, 0, -1, 0, L"191010001004",
                {L"1280*720", L"1800000", L"29.97", L"128000", L"44100", L""}},
        RowCase{"MtsToMp4", 20, 5, -1, 0, L"040310000904",
                {L"320*240", L"768000", L"25.00", L"128000", L"44100", L""}},
        RowCase{"AspectMoved", 0, 0, static_cast<int>(TOptionList::Aspect), 3, L"191010031004",
                {L"1280*720", L"1800000", L"29.97", L"128000", L"44100", L"37:20"}},
        RowCase{"VideoBitrateMoved", 0, 0, static_cast<int>(TOptionList::VideoBitrate), 15, L"191510001004",
                {L"1280*720", L"4000000", L"29.97", L"128000", L"44100", L""}},
        RowCase{"FrameRateMoved", 0, 0, static_cast<int>(TOptionList::FrameRate), 9, L"191010000904",
                {L"1280*720", L"1800000", L"25.00", L"128000", L"44100", L""}},
        RowCase{"Mp3", 22, 0, -1, 0, L"000013000005", {L"", L"-1000", L"", L"192000", L"48000", L""}}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST_F(CatalogueChainTest, FormatChangeRenamesTheRowsOutputAndWritesItsPreset) {
    TListItem* row = AddSelectedRow(L"C:\\in\\clip.mts", L"clip.avi");
    Form1->bsSkinOfficeComboBox1->SetItemIndex(1);  // "H.264高清MPEG-4视频格式(*.mp4)"
    EXPECT_EQ(Cell(row, 2), L"clip.mp4");
    EXPECT_EQ(Cell(row, 8), L"101");
    EXPECT_EQ(Cell(row, 10), L"libx264");
    EXPECT_EQ(Cell(row, 14), L".mp4");
    EXPECT_EQ(Cell(row, 21), L"False");
}

TEST_F(CatalogueChainTest, OptionChangeWithoutASelectedRowChangesNeitherRowNorField) {
    TListItem* row = AddSelectedRow(L"C:\\in\\clip.mts", L"clip.avi");
    Form1->lvFiles->SetItemIndex(-1);
    const String before = Cell(row, 9);
    Form1->Video.Video_FrameAspectRatio = L"untouched";
    Form1->bsSkinComboBox4->SetItemIndex(2);
    EXPECT_EQ(Cell(row, 9), before);
    EXPECT_EQ(Form1->Video.Video_FrameAspectRatio, L"untouched");
}

// The preset for a file being added goes to that file's row only.
TEST_F(CatalogueChainTest, PresetForAFileBeingAddedLeavesTheSelectedRowAlone) {
    TListItem* row = AddSelectedRow(L"C:\\in\\first.mts", L"first.avi");
    for (int i = 10; i < 24; ++i) row->SubItems()->Put(i, L"kept");
    Form1->Video_AddFileName = L"C:\\in\\second.mts";
    Form1->ApplyPreset(nullptr);
    for (int i = 10; i < 24; ++i) EXPECT_EQ(Cell(row, i), L"kept") << i;
    EXPECT_EQ(Form1->Video.Video_VideoCodec, L"libx264");
    EXPECT_EQ(formats::FileNamePart(Form1->Video.Video_OutPutFileName), L"second.avi");
}

TEST_F(CatalogueChainTest, ReadingTheListsFillsTheFieldsAndLeavesTheRow) {
    TListItem* row = AddSelectedRow(L"C:\\in\\clip.mts", L"clip.avi");
    Form1->Button13Click(nullptr);
    EXPECT_EQ(Form1->Video.Video_FrameSize, L"1280*720");
    EXPECT_EQ(Form1->Video.Video_VideoBitrate, 1800000);
    EXPECT_EQ(Form1->Video.Video_FrameRate, L"29.97");
    EXPECT_EQ(Form1->Video.Video_AudioBitrate, 128000);
    EXPECT_EQ(Form1->Video.Video_AudioSampleRate, L"44100");
    EXPECT_EQ(Form1->Video.Video_FrameAspectRatio, L"");
    EXPECT_EQ(Cell(row, 15), L"");
}

}  // namespace
}  // namespace mainwindowtest

namespace mainwindowtest {
namespace {

// The record a queued file is converted with carries the rate chosen in
// the video bit rate list, for the disc formats too: DVD and SVCD take it,
// and the encoder puts VCD's fixed rate in its place.
TEST_F(CatalogueChainTest, TheChosenVideoBitRateReachesTheRecordOfEveryFormat) {
    const struct {
        int category, format, key;
        TOptionTargetType target;
    } cases[] = {{6, 11, 111, ttDVD},  {6, 12, 112, ttSVCD},   {6, 13, 113, ttVCD},
                 {8, 10, 1410, ttVCD}, {20, 10, 2210, ttDVD},  {0, 0, 2700, ttIgnore}};
    for (const auto& c : cases) {
        Choose(c.category, c.format);
        ASSERT_EQ(Form1->All_Trant_Number, c.key);
        Form1->Video_AddFileName = L"C:\\in\\clip.mts";
        Form1->ApplyPreset(nullptr);
        const int at = Form1->bsSkinComboBox2->Items()->IndexOf(L"2000 kbps");
        ASSERT_GE(at, 0) << c.key;
        Form1->bsSkinComboBox2->SetItemIndex(at);
        Form1->Button13Click(nullptr);
        TOutputOptions record;
        InitOutputOptions(record);
        formats::FillOutputOptions(Form1->Video, record);
        EXPECT_EQ(record.TargetType, c.target) << c.key;
        EXPECT_EQ(record.VideoBitrate, 2000000) << c.key;
    }
}

// DVD and SVCD take a rate up to their standard's maximum.
TEST(DiscVideoBitrate, ARateAboveTheStandardsMaximumIsLoweredToIt) {
    const struct {
        TOptionTargetType target;
        int chosen, passed;
    } cases[] = {{ttDVD, 12000000, 9000000}, {ttDVD, 9000000, 9000000}, {ttDVD, 2000000, 2000000},
                 {ttSVCD, 3000000, 2516000}, {ttSVCD, 2040000, 2040000}, {ttVCD, 2000000, 2000000},
                 {ttIgnore, 12000000, 12000000}};
    for (const auto& c : cases)
        EXPECT_EQ(formats::DiscVideoBitrate(c.target, c.chosen), c.passed) << c.target << " " << c.chosen;
}

}  // namespace
}  // namespace mainwindowtest

