// The legacy presets, the output name, the read-back and the reset, and the
// procedures of the window run in the order its creation runs them.

#include "app/LegacyPresets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "app/LegacyCatalogue.h"
#include "app/LegacySettings.h"
#include "platform/SysUtils.h"
#include "tests/formats/FormatsTestUtil.h"
#include "tests/legacy/LegacyFakes.h"

namespace legacy {
namespace {

using formats::TFormatSettings;
using formats::testing::TempFolder;
using L = TOptionList;

struct Fields {
    int AllTrantNumber = 0;
    TFormatSettings Settings;
    TMainWindowFields Ref{AllTrantNumber, Settings};
};

// Settings with every field set to a value no preset writes.
TFormatSettings Marked() {
    TFormatSettings s;
    s.Video_OutPutFileName = L"old name";
    s.Video_FileExt = L".old";
    s.Video_FileFormat = L"oldformat";
    s.Video_VideoCodec = L"oldvcodec";
    s.Video_VideoTag = L"OLDT";
    s.Video_VideoBitrate = 1;
    s.Video_FrameSize = L"1*1";
    s.Video_FrameRate = L"1";
    s.Video_FrameAspectRatio = L"1:1";
    s.Video_AudioCodec = L"oldacodec";
    s.Video_AudioChannels = L"9";
    s.Video_AudioSampleRate = L"1";
    s.Video_AudioBitrate = 2;
    s.Video_AudioVolume = L"1";
    s.Video_TargetType = L"oldtarget";
    s.Video_NormType = L"oldnorm";
    s.Video_DisableVideo = true;
    s.Video_VideoFilters = L"oldfilter";
    s.Video_CopyTimestamp = L"oldts";
    s.Video_TimeStart = 3;
    s.Video_TimeLength = 4;
    return s;
}

TEST(LegacyPreset, Key100NamesTheOutputAndWritesTheVideoRow) {
    Fields f;
    f.Settings = Marked();
    ASSERT_TRUE(ApplyPreset(100, {L"D:\\in\\clip.wmv", L"C:\\out", false}, f.Ref));
    const TFormatSettings& s = f.Settings;
    EXPECT_EQ(f.AllTrantNumber, 100);
    EXPECT_EQ(s.Video_OutPutFileName, L"C:\\out\\clip.avi");
    EXPECT_EQ(s.Video_FileExt, L".avi");
    EXPECT_EQ(s.Video_VideoCodec, L"mpeg4");
    EXPECT_EQ(s.Video_VideoTag, L"XVID");
    EXPECT_EQ(s.Video_VideoBitrate, 816000);
    EXPECT_EQ(s.Video_FrameSize, L"");
    EXPECT_EQ(s.Video_FrameRate, L"25");
    EXPECT_EQ(s.Video_FrameAspectRatio, L"");
    EXPECT_EQ(s.Video_AudioCodec, L"libmp3lame");
    EXPECT_EQ(s.Video_AudioChannels, L"2");
    EXPECT_EQ(s.Video_AudioSampleRate, L"44100");
    EXPECT_EQ(s.Video_AudioBitrate, 128000);
    EXPECT_EQ(s.Video_AudioVolume, L"256");
    EXPECT_EQ(s.Video_VideoFilters, L"");
    EXPECT_EQ(s.Video_NormType, L"");
    EXPECT_EQ(s.Video_CopyTimestamp, L"");
    EXPECT_EQ(s.Video_FileFormat, L"");
    EXPECT_EQ(s.Video_TargetType, L"");
    EXPECT_FALSE(s.Video_DisableVideo);
    // Not a preset field: the times stay.
    EXPECT_EQ(s.Video_TimeStart, 3);
    EXPECT_EQ(s.Video_TimeLength, 4);
}

TEST(LegacyPreset, TakenNamesAreRenamedUnlessOverwriteIsChosen) {
    TempFolder out;
    const std::wstring& dir = out.Path();
    auto name = [&](bool overwrite) {
        Fields f;
        ApplyPreset(100, {L"D:\\in\\clip.wmv", dir, overwrite}, f.Ref);
        return f.Settings.Video_OutPutFileName;
    };
    EXPECT_EQ(name(false), dir + L"\\clip.avi");
    out.Touch(L"clip.avi");
    EXPECT_EQ(name(false), dir + L"\\clip_1.avi");
    EXPECT_EQ(name(true), dir + L"\\clip.avi");
    out.Touch(L"clip_1.avi");
    EXPECT_EQ(name(false), dir + L"\\clip_2.avi");
    EXPECT_EQ(name(true), dir + L"\\clip.avi");
}

TEST(LegacyPreset, TheFolderAndTheNameAreJoinedByOneSeparator) {
    TempFolder out;
    out.Touch(L"clip.avi");
    for (const std::wstring& folder : {out.Path() + L"\\", out.Path() + L"\\\\", out.Path() + L"/"}) {
        Fields f;
        ApplyPreset(100, {L"D:\\in\\clip.wmv", folder, false}, f.Ref);
        EXPECT_EQ(f.Settings.Video_OutPutFileName, out.Path() + L"\\clip_1.avi");
    }
    Fields root;
    ApplyPreset(100, {L"clip.wmv", L"Q:\\", true}, root.Ref);
    EXPECT_EQ(root.Settings.Video_OutPutFileName, L"Q:\\clip.avi");
}

TEST(LegacyPreset, TheInputFileIsNeverTheOutput) {
    TempFolder out;
    out.Touch(L"clip.avi");
    const std::wstring input = out.Path() + L"\\clip.avi";
    for (bool overwrite : {false, true}) {
        Fields f;
        ApplyPreset(100, {input, out.Path(), overwrite}, f.Ref);
        EXPECT_EQ(f.Settings.Video_OutPutFileName, out.Path() + L"\\clip_1.avi") << overwrite;
    }
}

TEST(LegacyPreset, AnAudioRowLeavesTheVideoFields) {
    Fields f;
    f.Settings = Marked();
    ASSERT_TRUE(ApplyPreset(200, {L"D:\\in\\song.wav", L"C:\\out", true}, f.Ref));
    const TFormatSettings& s = f.Settings;
    EXPECT_TRUE(s.Video_DisableVideo);
    EXPECT_EQ(s.Video_OutPutFileName, L"C:\\out\\song.mp3");
    EXPECT_EQ(s.Video_FileExt, L".mp3");
    EXPECT_EQ(s.Video_AudioCodec, L"libmp3lame");
    EXPECT_EQ(s.Video_AudioChannels, L"2");
    EXPECT_EQ(s.Video_AudioSampleRate, L"48000");
    EXPECT_EQ(s.Video_AudioBitrate, 128000);
    EXPECT_EQ(s.Video_AudioVolume, L"256");
    EXPECT_EQ(s.Video_TargetType, L"");
    EXPECT_EQ(s.Video_NormType, L"");
    EXPECT_EQ(s.Video_FileFormat, L"");
    EXPECT_EQ(s.Video_CopyTimestamp, L"");
    EXPECT_EQ(s.Video_VideoCodec, L"oldvcodec");
    EXPECT_EQ(s.Video_VideoTag, L"OLDT");
    EXPECT_EQ(s.Video_FrameSize, L"1*1");
    EXPECT_EQ(s.Video_VideoBitrate, 1);
    EXPECT_EQ(s.Video_FrameRate, L"1");
    EXPECT_EQ(s.Video_FrameAspectRatio, L"1:1");
    EXPECT_EQ(s.Video_VideoFilters, L"oldfilter");
}

struct ExtCase {
    int Key;
    const wchar_t* OutputName;  // for the input D:\in\clip.wmv in C:\out
    const wchar_t* FileExt;     // ".old": left as it was
};

const ExtCase kExtCases[] = {
    {206, L"C:\\out\\clip.ra", L".rm"},     {211, L"C:\\out\\clip.m4a", L".alac"},
    {306, L"C:\\out\\clip.wmv", L".asf"},   {1202, L"C:\\out\\clip.flv", L".old"},
    {1203, L"C:\\out\\clip.swf", L".old"},  {111, L"C:\\out\\clip.mpg", L".old"},
    {114, L"C:\\out\\clip.rm", L".old"},    {901, L"C:\\out\\clip.mpeg", L".mpeg"},
    {1201, L"C:\\out\\clip.swf", L".swf"},  {703, L"C:\\out\\clip.3g2", L".3g2"},
};

class ExtTest : public ::testing::TestWithParam<ExtCase> {};

TEST_P(ExtTest, OutputNameAndFileExtension) {
    Fields f;
    f.Settings = Marked();
    ASSERT_TRUE(ApplyPreset(GetParam().Key, {L"D:\\in\\clip.wmv", L"C:\\out", true}, f.Ref));
    EXPECT_EQ(f.Settings.Video_OutPutFileName, GetParam().OutputName);
    EXPECT_EQ(f.Settings.Video_FileExt, GetParam().FileExt);
}

INSTANTIATE_TEST_SUITE_P(Rows, ExtTest, ::testing::ValuesIn(kExtCases),
                         [](const auto& info) { return "Key" + std::to_string(info.param.Key); });

TEST(LegacyPreset, DiscRowsSetTargetNormAndNoRates) {
    const std::pair<int, const wchar_t*> cases[] = {{111, L"dvd"}, {112, L"svcd"}, {113, L"vcd"}};
    for (const auto& [key, target] : cases) {
        Fields f;
        f.Settings = Marked();
        ApplyPreset(key, {L"D:\\in\\clip.wmv", L"C:\\out", true}, f.Ref);
        const TFormatSettings& s = f.Settings;
        EXPECT_EQ(s.Video_TargetType, target);
        EXPECT_EQ(s.Video_NormType, L"PAL");
        EXPECT_EQ(s.Video_VideoBitrate, -1000);
        EXPECT_EQ(s.Video_AudioBitrate, -1000);
        EXPECT_EQ(s.Video_VideoCodec, L"");
        EXPECT_EQ(s.Video_AudioCodec, L"");
        EXPECT_EQ(s.Video_AudioSampleRate, L"");
        EXPECT_EQ(s.Video_FrameSize, L"");
        EXPECT_EQ(s.Video_VideoFilters, L"oldfilter");
        EXPECT_EQ(s.Video_CopyTimestamp, L"oldts");
        EXPECT_FALSE(s.Video_DisableVideo);
    }
}

TEST(LegacyPreset, RowsThatKeepTheTagOrTheTarget) {
    Fields f;
    f.Settings = Marked();
    ApplyPreset(305, {L"clip.wmv", L"C:\\out", true}, f.Ref);
    EXPECT_EQ(f.Settings.Video_VideoTag, L"OLDT");
    EXPECT_EQ(f.Settings.Video_TargetType, L"");
    for (int key = 403; key <= 406; ++key) {
        f.Settings = Marked();
        ApplyPreset(key, {L"clip.wmv", L"C:\\out", true}, f.Ref);
        EXPECT_EQ(f.Settings.Video_TargetType, L"oldtarget") << key;
        EXPECT_EQ(f.Settings.Video_VideoTag, L"") << key;
    }
    f.Settings = Marked();
    ApplyPreset(114, {L"clip.wmv", L"C:\\out", true}, f.Ref);
    EXPECT_EQ(f.Settings.Video_VideoCodec, L"rv20");
    EXPECT_EQ(f.Settings.Video_FrameSize, L"320*240");
    EXPECT_EQ(f.Settings.Video_VideoBitrate, 1);
    EXPECT_EQ(f.Settings.Video_AudioCodec, L"oldacodec");
    EXPECT_EQ(f.Settings.Video_TargetType, L"");
}

TEST(LegacyPreset, AKeyWithoutARowWritesOnlyTheKeyAndTheVideoFlag) {
    TempFolder out;
    out.Touch(L"taken.mp4");
    Fields f;
    f.Settings = Marked();
    f.Settings.Video_OutPutFileName = L"X:\\elsewhere\\taken.mp4";
    EXPECT_FALSE(ApplyPreset(409, {L"D:\\in\\clip.wmv", out.Path(), false}, f.Ref));
    EXPECT_EQ(f.AllTrantNumber, 409);
    EXPECT_FALSE(f.Settings.Video_DisableVideo);
    EXPECT_EQ(f.Settings.Video_VideoCodec, L"oldvcodec");
    EXPECT_EQ(f.Settings.Video_FileExt, L".old");
    // The name check still runs, on the name the field holds.
    EXPECT_EQ(f.Settings.Video_OutPutFileName, out.Path() + L"\\taken_1.mp4");
    ASSERT_TRUE(ApplyPreset(410, {L"D:\\in\\clip.wmv", out.Path(), false}, f.Ref));
    EXPECT_EQ(f.Settings.Video_VideoCodec, L"libx264");
}

TEST(LegacyPresetTable, RowsForTheCatalogueBut409AndTwoBeyondIt) {
    ASSERT_EQ(Presets().size(), 110u);
    std::set<int> keys;
    for (const TLegacyPreset& p : Presets()) keys.insert(p.Key);
    ASSERT_EQ(keys.size(), 110u);
    for (int key = 90; key < 1400; ++key) {
        const bool expected = (FindFormat(key) != nullptr && key != 409) || key == 414 || key == 506;
        EXPECT_EQ(keys.count(key) == 1, expected) << key;
    }
    EXPECT_EQ(FindPreset(408)->VideoBitrate, 7680000);
}

// Encoder names stay as the presets give them; the media engine maps the
// older ones when it looks them up.
TEST(LegacyPresetTable, EncoderNamesAreThePresetsOwn) {
    EXPECT_EQ(std::wstring(FindPreset(103)->AudioCodec), L"libfaac");
    EXPECT_EQ(std::wstring(FindPreset(700)->AudioCodec), L"libamr_nb");
    EXPECT_EQ(std::wstring(FindPreset(909)->VideoCodec), L"msmpeg4v1");
    EXPECT_EQ(std::wstring(FindPreset(104)->VideoCodec), L"libxvid");
    EXPECT_EQ(std::wstring(FindPreset(212)->AudioCodec), L"libopencore_amrnb");
}

struct BitsCase {
    const wchar_t* Text;
    bool Audio;
    int Bits;
};

const BitsCase kBitsCases[] = {
    {L"816 kbps", false, 816000},   {L"4000 kbps", false, 4000000}, {L"无视频", false, -1000},
    {L" 128kbps", false, 128000},   {L"12.2 kbps", true, 12200},    {L"4.75 kbps", true, 4750},
    {L"5.15 kbps", true, 5150},     {L"7.95 kbps", true, 7950},     {L"320 kbps", true, 320000},
    {L"自动音频比特率", true, -1000},
};

class BitsTest : public ::testing::TestWithParam<BitsCase> {};

TEST_P(BitsTest, ReadBackOfABitRate) {
    std::array<std::wstring, 6> shown;
    shown[static_cast<int>(GetParam().Audio ? L::AudioBitrate : L::VideoBitrate)] = GetParam().Text;
    shown[static_cast<int>(GetParam().Audio ? L::VideoBitrate : L::AudioBitrate)] = L"64 kbps";
    TFormatSettings s;
    ReadBack(shown, s);
    EXPECT_EQ(GetParam().Audio ? s.Video_AudioBitrate : s.Video_VideoBitrate, GetParam().Bits);
}

INSTANTIATE_TEST_SUITE_P(Texts, BitsTest, ::testing::ValuesIn(kBitsCases));

TEST(LegacyReadBack, TextsOfTheOtherListsBecomeTheirFields) {
    TFormatSettings s = Marked();
    ReadBack({L"720*406", L"无视频", L"12", L"7.4 kbps", L"自动音频采样率", L"宽屏视频37:20模式"}, s);
    EXPECT_EQ(s.Video_FrameSize, L"720*406");
    EXPECT_EQ(s.Video_VideoBitrate, -1000);
    EXPECT_EQ(s.Video_FrameRate, L"12");
    EXPECT_EQ(s.Video_AudioBitrate, 7400);
    EXPECT_EQ(s.Video_AudioSampleRate, L"AUTO");
    EXPECT_EQ(s.Video_FrameAspectRatio, L"37:20");

    ReadBack({L"该格式无视频", L"无视频", L"无视频", L"16 kbps", L"8000", L"无视频"}, s);
    EXPECT_EQ(s.Video_FrameSize, L"");
    EXPECT_EQ(s.Video_FrameRate, L"");
    EXPECT_EQ(s.Video_AudioSampleRate, L"8000");
    EXPECT_EQ(s.Video_FrameAspectRatio, L"");
}

TEST(LegacyReadBack, AnUnknownAspectTextLeavesTheField) {
    TFormatSettings s;
    s.Video_FrameAspectRatio = L"16:9";
    ReadBack({L"保持原分辨率", L"816 kbps", L"25.00", L"128 kbps", L"44100", L"宽屏视频16:10模式"}, s);
    EXPECT_EQ(s.Video_FrameAspectRatio, L"16:9");
}

// A list that shows nothing or a text that is not a number raises the
// conversion error: its field and the fields read after it keep their
// values, the fields read before it take theirs.
struct BadReadBack {
    const char* what;
    std::array<std::wstring, 6> shown;  // resolution, video, frame rate, audio, sample rate, aspect
    const wchar_t* message;
    bool videoRead;  // the video bit rate is read before the failing list
};

const BadReadBack kBadReadBacks[] = {
    {"empty video list", {L"640*480", L"", L"30", L"128 kbps", L"44100", L"普通视频4:3模式"},
     L"'' is not a valid integer value", false},
    {"video rate with a dot", {L"640*480", L"1.5 kbps", L"30", L"128 kbps", L"44100", L"普通视频4:3模式"},
     L"'1.5' is not a valid integer value", false},
    {"video rate beyond an int", {L"640*480", L"99999999 kbps", L"30", L"128 kbps", L"44100", L"普通视频4:3模式"},
     L"'99999999' is not a valid integer value", false},
    {"audio text without kbps", {L"640*480", L"816 kbps", L"30", L"128", L"44100", L"普通视频4:3模式"},
     L"'' is not a valid integer value", true},
    {"audio rate that is no number", {L"640*480", L"816 kbps", L"30", L"abc kbps", L"44100", L"普通视频4:3模式"},
     L"'abc' is not a valid integer value", true},
    {"audio fraction that is no number", {L"640*480", L"816 kbps", L"30", L"1.x kbps", L"44100", L"普通视频4:3模式"},
     L"'1.x' is not a valid floating point value", true},
    {"audio fraction below a bit", {L"640*480", L"816 kbps", L"30", L"1.2345 kbps", L"44100", L"普通视频4:3模式"},
     L"'1234.5' is not a valid integer value", true},
};

class ReadBackFailure : public ::testing::TestWithParam<BadReadBack> {};

TEST_P(ReadBackFailure, RaisesTheConversionErrorAndStopsThere) {
    const BadReadBack& c = GetParam();
    TFormatSettings s = Marked();
    const TFormatSettings before = s;
    try {
        ReadBack(c.shown, s);
        FAIL() << c.what << ": converted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), c.message) << c.what;
    }
    // Resolution and frame rate come first and are always read.
    EXPECT_EQ(s.Video_FrameSize, L"640*480") << c.what;
    EXPECT_EQ(s.Video_FrameRate, L"30") << c.what;
    EXPECT_EQ(s.Video_VideoBitrate, c.videoRead ? 816000 : before.Video_VideoBitrate) << c.what;
    // The lists after the failing one are not read.
    EXPECT_EQ(s.Video_AudioBitrate, before.Video_AudioBitrate) << c.what;
    EXPECT_EQ(s.Video_FrameAspectRatio, before.Video_FrameAspectRatio) << c.what;
    EXPECT_EQ(s.Video_AudioSampleRate, c.videoRead ? L"44100" : before.Video_AudioSampleRate) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadBackFailure, ::testing::ValuesIn(kBadReadBacks));

TEST(LegacyReset, EmptiesEveryFieldButTheKey) {
    Fields f;
    f.AllTrantNumber = 502;
    f.Settings = Marked();
    ResetFields(f.Settings);
    const TFormatSettings& s = f.Settings;
    EXPECT_EQ(f.AllTrantNumber, 502);
    for (const std::wstring* text :
         {&s.Video_OutPutFileName, &s.Video_FileExt, &s.Video_AudioChannels, &s.Video_AudioSampleRate,
          &s.Video_FrameSize, &s.Video_FrameRate, &s.Video_NormType, &s.Video_VideoFilters,
          &s.Video_FrameAspectRatio, &s.Video_VideoCodec, &s.Video_AudioCodec, &s.Video_CopyTimestamp,
          &s.Video_FileFormat, &s.Video_TargetType, &s.Video_VideoTag})
        EXPECT_EQ(*text, L"");
    EXPECT_EQ(s.Video_AudioVolume, L"256");
    EXPECT_EQ(s.Video_VideoBitrate, -1);
    EXPECT_EQ(s.Video_AudioBitrate, -1);
    EXPECT_EQ(s.Video_TimeStart, -1);
    EXPECT_EQ(s.Video_TimeLength, -1);
    EXPECT_FALSE(s.Video_DisableVideo);
}

// The window's procedures with stand-in lists wired as the window wires
// its own: the format list's click runs the option-list fill.
class LegacyProcedures : public ::testing::Test {
protected:
    LegacyProcedures() {
        formatList.OnClick = [this] { procedures.FillOptions(); };
    }

    testing::FakeCategoryList categories;
    testing::FakeFormatList formatList;
    testing::FakeOptionLists options;
    Fields fields;
    TPresetSources sources{L"D:\\in\\clip.wmv", L"C:\\out", true};
    TLegacyProcedures procedures{{categories, formatList, options}, fields.Ref,
                                 [this] { return sources; }};
};

TEST_F(LegacyProcedures, CreationFillsCategoryZeroAndTheListsOfKey100Once) {
    fields.Settings.Video_DisableVideo = true;
    procedures.FillFormats();
    EXPECT_EQ(formatList.Items.size(), 15u);
    EXPECT_EQ(formatList.Clicks, 1);
    EXPECT_EQ(fields.AllTrantNumber, 100);
    EXPECT_FALSE(fields.Settings.Video_DisableVideo);
    EXPECT_EQ(options.ShownText(L::VideoBitrate), L"816 kbps");
    EXPECT_EQ(std::count(options.Calls.begin(), options.Calls.end(), L"clear R"), 1);
}

TEST_F(LegacyProcedures, ChangingTheCategoryRefillsForItsFirstFormat) {
    procedures.FillFormats();
    categories.Index = 1;
    procedures.FillFormats();
    EXPECT_EQ(fields.AllTrantNumber, 200);
    EXPECT_EQ(formatList.Items.size(), 13u);
    EXPECT_FALSE(options[L::Resolution].Enabled);
    EXPECT_FALSE(fields.Settings.Video_DisableVideo);
}

TEST_F(LegacyProcedures, OkRunsThePresetThenTheListsChoices) {
    procedures.FillFormats();
    formatList.SetItemIndex(9);  // 3GP, key 109
    options.SetItemIndex(L::AudioBitrate, 2);  // "7 kbps"
    ASSERT_TRUE(procedures.ApplyPresets());
    procedures.ReadBack();
    const TFormatSettings& s = fields.Settings;
    EXPECT_EQ(fields.AllTrantNumber, 109);
    EXPECT_EQ(s.Video_OutPutFileName, L"C:\\out\\clip.3gp");
    EXPECT_EQ(s.Video_AudioBitrate, 7000);
    EXPECT_EQ(s.Video_FrameSize, L"176*144");
    EXPECT_EQ(s.Video_FrameRate, L"12");
    EXPECT_EQ(s.Video_VideoBitrate, 128000);
    EXPECT_EQ(s.Video_AudioSampleRate, L"8000");
    // "保持原视频模式" empties the preset's "4:3".
    EXPECT_EQ(s.Video_FrameAspectRatio, L"");
    procedures.Reset();
    EXPECT_EQ(s.Video_OutPutFileName, L"");
    EXPECT_EQ(fields.AllTrantNumber, 109);
}

}  // namespace
}  // namespace legacy
