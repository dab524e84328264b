// Encoder presets: the table against the catalogue, the telling presets, the
// one output-extension rule and the application of a preset.

#include "app/EncoderPresets.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/FormatCatalogue.h"
#include "app/OptionLists.h"
#include "tests/formats/FormatsTestUtil.h"

namespace formats {
namespace {

using formats::testing::TempFolder;

std::set<int> CatalogueKeys() {
    std::set<int> keys;
    for (const TCategory& category : Categories())
        for (const TFormatEntry& format : category.Formats) keys.insert(format.Key);
    return keys;
}

TEST(EncoderPresetTable, HoldsExactlyTheCatalogueKeysInOrder) {
    std::set<int> keys;
    int last = 0;
    for (const TEncoderPreset& preset : EncoderPresets()) {
        EXPECT_GT(preset.Key, last);
        last = preset.Key;
        keys.insert(preset.Key);
        EXPECT_EQ(FindEncoderPreset(preset.Key), &preset);
    }
    EXPECT_EQ(keys, CatalogueKeys());
    EXPECT_EQ(FindEncoderPreset(2699), nullptr);
    EXPECT_EQ(FindEncoderPreset(3412), nullptr);
}

// The 26 formats without video, as the option-list rows name them.
const std::set<int> kAudioOnlyKeys = {200,  201,  202,  203,  204,  205,  206,  207,  208,
                                      209,  210,  211,  212,  3000, 3001, 3002, 3003, 3100,
                                      3101, 3102, 3103, 1202, 1203, 1505, 1506, 3312};

TEST(EncoderPresetTable, AudioOnlyFlagAgreesWithTheNoVideoRows) {
    std::set<int> flagged;
    for (const TEncoderPreset& preset : EncoderPresets()) {
        if (preset.AudioOnly) {
            flagged.insert(preset.Key);
            EXPECT_STREQ(preset.VideoCodec, L"") << preset.Key;
        }
        const TOptionRow* row = FindOptionRow(preset.Key);
        ASSERT_NE(row, nullptr) << preset.Key;
        EXPECT_EQ(row->VideoOff, preset.AudioOnly) << preset.Key;
    }
    EXPECT_EQ(flagged, kAudioOnlyKeys);
}

TEST(EncoderPresetTable, DiscTargetsSetNoEncoderAndNoBitRate) {
    const std::map<int, std::wstring> disc = {
        {111, L"dvd"},  {112, L"svcd"},  {113, L"vcd"},  {1408, L"dvd"}, {1409, L"svcd"},
        {1410, L"vcd"}, {2210, L"dvd"},  {2211, L"svcd"}, {2212, L"vcd"}};
    for (const TEncoderPreset& preset : EncoderPresets()) {
        const std::wstring target = preset.TargetType;
        const auto it = disc.find(preset.Key);
        EXPECT_EQ(target, it == disc.end() ? L"" : it->second) << preset.Key;
        EXPECT_STRNE(preset.NormType, L"NTSC") << preset.Key;
        if (target.empty()) continue;
        EXPECT_STREQ(preset.NormType, L"PAL");
        EXPECT_STREQ(preset.VideoCodec, L"");
        EXPECT_STREQ(preset.AudioCodec, L"");
        EXPECT_STREQ(preset.AudioChannels, L"");
        EXPECT_EQ(preset.VideoBitrate, -1000);
        EXPECT_EQ(preset.AudioBitrate, -1000);
    }
}

// The complete presets of the telling keys.
struct PresetCase {
    int Key;
    const wchar_t* Ext;
    const wchar_t* VideoCodec;
    const wchar_t* Tag;
    int VideoBitrate;
    const wchar_t* FrameSize;
    const wchar_t* FrameRate;
    const wchar_t* Aspect;
    const wchar_t* AudioCodec;
    const wchar_t* Channels;
    const wchar_t* SampleRate;
    int AudioBitrate;
    const wchar_t* Target;
    const wchar_t* Norm;
    bool AudioOnly;
    const wchar_t* FileExt;
};

const PresetCase kTellingPresets[] = {
    {2700, L".avi", L"libx264", L"", 1600000, L"1280*720", L"25", L"", L"libmp3lame", L"2",
     L"48000", 128000, L"", L"", false, L".avi"},
    {100, L".avi", L"mpeg4", L"XVID", 816000, L"", L"25", L"", L"libmp3lame", L"2", L"44100",
     128000, L"", L"", false, L".avi"},
    {1100, L".mp4", L"mpeg4", L"", 528000, L"320*240", L"25", L"", L"libmp3lame", L"2", L"44100",
     128000, L"", L"", false, L".mp4"},
    {1800, L".wmv", L"wmv2", L"", 816000, L"", L"25", L"", L"wmav2", L"2", L"44100", 128000, L"",
     L"", false, L".wmv"},
    {302, L".mp4", L"libx264", L"", 1600000, L"1280*720", L"25", L"", L"libmp3lame", L"2",
     L"48000", 256000, L"", L"", false, L".mp4"},
    {3401, L".mp4", L"mpeg4", L"", 1200000, L"3840*2160", L"30", L"", L"libfaac", L"2", L"48000",
     128000, L"", L"", false, L".mp4"},
    {109, L".3gp", L"mpeg4", L"", 128000, L"176*144", L"12", L"4:3", L"libfaac", L"1", L"8000",
     12000, L"", L"", false, L".3gp"},
    {111, L".mpg", L"", L"", -1000, L"", L"", L"", L"", L"", L"", -1000, L"dvd", L"PAL", false,
     L""},
    {114, L".rm", L"rv20", L"", -1, L"320*240", L"", L"", L"", L"", L"", -1, L"", L"", false, L""},
    {3000, L".mp3", L"", L"", -1, L"", L"", L"", L"libmp3lame", L"2", L"48000", 128000, L"", L"",
     true, L".mp3"},
    {206, L".ra", L"", L"", -1, L"", L"", L"", L"", L"2", L"48000", 128000, L"", L"", true,
     L".rm"},
    {212, L".amr", L"", L"", -1, L"", L"", L"", L"libopencore_amrnb", L"1", L"8000", 7400, L"",
     L"", true, L".amr"},
    {1202, L".flv", L"", L"", -1, L"", L"", L"", L"libmp3lame", L"2", L"22050", 128000, L"", L"",
     true, L""},
};

class TellingPresetTest : public ::testing::TestWithParam<PresetCase> {};

TEST_P(TellingPresetTest, ApplyingThePresetFillsEveryField) {
    const PresetCase& c = GetParam();
    TempFolder out;
    TFormatSettings s;
    s.Video_VideoFilters = L"left over";
    s.Video_TimeStart = 5;
    ASSERT_TRUE(ApplyEncoderPreset(c.Key, L"D:\\in\\clip.avi", out.Path(), false, s));
    EXPECT_EQ(s.Video_OutPutFileName, out.Path() + L"\\clip" + c.Ext);
    EXPECT_EQ(s.Video_FileExt, c.FileExt);
    EXPECT_EQ(s.Video_VideoCodec, c.VideoCodec);
    EXPECT_EQ(s.Video_VideoTag, c.Tag);
    EXPECT_EQ(s.Video_VideoBitrate, c.VideoBitrate);
    EXPECT_EQ(s.Video_FrameSize, c.FrameSize);
    EXPECT_EQ(s.Video_FrameRate, c.FrameRate);
    EXPECT_EQ(s.Video_FrameAspectRatio, c.Aspect);
    EXPECT_EQ(s.Video_AudioCodec, c.AudioCodec);
    EXPECT_EQ(s.Video_AudioChannels, c.Channels);
    EXPECT_EQ(s.Video_AudioSampleRate, c.SampleRate);
    EXPECT_EQ(s.Video_AudioBitrate, c.AudioBitrate);
    EXPECT_EQ(s.Video_TargetType, c.Target);
    EXPECT_EQ(s.Video_NormType, c.Norm);
    EXPECT_EQ(s.Video_DisableVideo, c.AudioOnly);
    // What no preset sets comes from the reset.
    EXPECT_EQ(s.Video_AudioVolume, L"256");
    EXPECT_EQ(s.Video_FileFormat, L"");
    EXPECT_EQ(s.Video_VideoFilters, L"");
    EXPECT_EQ(s.Video_CopyTimestamp, L"");
    EXPECT_EQ(s.Video_TimeStart, -1);
    EXPECT_EQ(s.Video_TimeLength, -1);
}

INSTANTIATE_TEST_SUITE_P(Keys, TellingPresetTest, ::testing::ValuesIn(kTellingPresets));

TEST(EncoderPresetTable, FileExtIsTheOutputExtensionExceptWhereTheTableSaysOtherwise) {
    const std::set<int> empty = {111, 112, 113, 114, 1202, 1203, 1408, 1409,
                                 1410, 1505, 1506, 2210, 2211, 2212};
    for (const TEncoderPreset& preset : EncoderPresets()) {
        TFormatSettings s;
        ASSERT_TRUE(ApplyEncoderPreset(preset.Key, L"clip", L"Z:\\nowhere", true, s));
        const std::wstring ext = OutputExtension(preset.Key);
        EXPECT_EQ(s.Video_OutPutFileName, L"Z:\\nowhere\\clip" + ext);
        if (empty.count(preset.Key))
            EXPECT_EQ(s.Video_FileExt, L"") << preset.Key;
        else if (preset.Key == 206)
            EXPECT_EQ(s.Video_FileExt, L".rm");
        else if (preset.Key == 306)
            EXPECT_EQ(s.Video_FileExt, L".asf");
        else
            EXPECT_EQ(s.Video_FileExt, ext) << preset.Key;
    }
}

TEST(OutputExtensionRule, TitleExtensionWinsWhereThePresetDisagreed) {
    // The presets of these keys named another container than their titles,
    // although the title's container stores their encoders.
    const struct {
        int Key;
        const wchar_t* PresetExt;
        const wchar_t* Chosen;
    } changed[] = {{901, L".mpeg", L".mpg"}, {906, L".avi", L".wmv"},
                   {909, L".mp4", L".avi"},  {3400, L".avi", L".mp4"}};
    std::set<int> changedKeys;
    for (const auto& c : changed) {
        changedKeys.insert(c.Key);
        EXPECT_STREQ(FindEncoderPreset(c.Key)->OutputExt, c.PresetExt);
        EXPECT_EQ(OutputExtension(c.Key), c.Chosen) << c.Key;
        TFormatSettings s;
        ASSERT_TRUE(ApplyEncoderPreset(c.Key, L"a.avi", L"Z:\\nowhere", true, s));
        EXPECT_EQ(s.Video_FileExt, c.Chosen);
    }
    for (const TEncoderPreset& preset : EncoderPresets()) {
        const std::wstring title = TitleExtension(FindFormat(preset.Key)->Title);
        EXPECT_EQ(OutputExtension(preset.Key), title) << preset.Key;
        if (!changedKeys.count(preset.Key)) {
            EXPECT_EQ(title, preset.OutputExt) << preset.Key;
        }
    }
    EXPECT_EQ(OutputExtension(2699), L"");
}

TEST(OutputExtensionRule, PresetExtensionKeptWhenTheTitleContainerCannotHoldTheEncoders) {
    TEncoderPreset preset = *FindEncoderPreset(909);  // msmpeg4v1 + libmp3lame in ".mp4"
    EXPECT_EQ(ChooseOutputExtension(L".mp4", preset), L".mp4");
    preset.OutputExt = L".avi";
    EXPECT_EQ(ChooseOutputExtension(L".mp4", preset), L".avi");
    EXPECT_EQ(ChooseOutputExtension(L"", preset), L".avi");
}

struct HoldsCase {
    const wchar_t* Ext;
    const wchar_t* Video;
    const wchar_t* Audio;
    bool Holds;
};

class ContainerHoldsTest : public ::testing::TestWithParam<HoldsCase> {};

TEST_P(ContainerHoldsTest, Holds) {
    const HoldsCase& c = GetParam();
    EXPECT_EQ(ContainerHolds(c.Ext, c.Video, c.Audio), c.Holds)
        << std::string(c.Ext, c.Ext + wcslen(c.Ext));
}

INSTANTIATE_TEST_SUITE_P(
    Containers, ContainerHoldsTest,
    ::testing::Values(HoldsCase{L".mp4", L"msmpeg4v1", L"libmp3lame", false},
                      HoldsCase{L".avi", L"msmpeg4v1", L"libmp3lame", true},
                      HoldsCase{L".mpg", L"mpeg2video", L"ac3", true},
                      HoldsCase{L".mpg", L"mpeg2video", L"mp2", true},
                      HoldsCase{L".vob", L"", L"libfaac", false},
                      HoldsCase{L".mpg", L"mpeg4", L"", false},
                      HoldsCase{L".mpg", L"mpeg2video", L"wmav2", false},
                      HoldsCase{L".wmv", L"wmv2", L"libmp3lame", true},
                      HoldsCase{L".mp4", L"libx264", L"libmp3lame", true},
                      HoldsCase{L".mp4", L"wmv2", L"", false},
                      HoldsCase{L".flv", L"", L"libmp3lame", true},
                      HoldsCase{L".mkv", L"wmv2", L"wmav2", true},
                      HoldsCase{L".mp3", L"", L"libmp3lame", true}));

TEST(FormatSettings, ResetRestoresEveryField) {
    TFormatSettings s;
    ASSERT_TRUE(ApplyEncoderPreset(109, L"clip.avi", L"Z:\\nowhere", true, s));
    s.Video_AudioVolume = L"100";
    s.Video_TimeLength = 9;
    s.Video_VideoFilters = L"crop";
    ResetFormatSettings(s);
    const TFormatSettings fresh;
    EXPECT_EQ(PresetRowColumns(s), PresetRowColumns(fresh));
    EXPECT_EQ(s.Video_OutPutFileName, L"");
    EXPECT_EQ(s.Video_AudioVolume, L"256");
    EXPECT_EQ(s.Video_VideoBitrate, -1);
    EXPECT_EQ(s.Video_AudioBitrate, -1);
    EXPECT_EQ(s.Video_TimeLength, -1);
    EXPECT_EQ(s.Video_VideoFilters, L"");
    EXPECT_FALSE(s.Video_DisableVideo);
}

TEST(FormatSettings, UnknownKeyLeavesTheSettingsReset) {
    TFormatSettings s;
    ASSERT_TRUE(ApplyEncoderPreset(3000, L"a.avi", L"Z:\\nowhere", true, s));
    EXPECT_FALSE(ApplyEncoderPreset(2699, L"a.avi", L"Z:\\nowhere", true, s));
    EXPECT_EQ(PresetRowColumns(s), PresetRowColumns(TFormatSettings()));
    EXPECT_EQ(s.Video_OutPutFileName, L"");
}

TEST(FormatSettings, RowColumnsOfThePreset) {
    TFormatSettings s;
    ASSERT_TRUE(ApplyEncoderPreset(2700, L"a.mkv", L"Z:\\nowhere", true, s));
    const std::array<std::wstring, 14> expected = {
        L"libx264", L"libmp3lame", L"2",     L"",      L".avi", L"1280*720", L"1600000",
        L"25",      L"128000",     L"48000", L"",      L"False", L"",       L""};
    EXPECT_EQ(PresetRowColumns(s), expected);
    ASSERT_TRUE(ApplyEncoderPreset(111, L"a.mkv", L"Z:\\nowhere", true, s));
    const auto disc = PresetRowColumns(s);
    EXPECT_EQ(disc[6], L"-1000");
    EXPECT_EQ(disc[8], L"-1000");
    EXPECT_EQ(disc[12], L"dvd");
    EXPECT_EQ(disc[13], L"PAL");
    ASSERT_TRUE(ApplyEncoderPreset(3000, L"a.mkv", L"Z:\\nowhere", true, s));
    EXPECT_EQ(PresetRowColumns(s)[11], L"True");
}

TEST(FormatSettings, AppliedPresetRenamesAnExistingOutput) {
    TempFolder out;
    TFormatSettings s;
    ASSERT_TRUE(ApplyEncoderPreset(1100, L"D:\\in\\clip.avi", out.Path(), false, s));
    EXPECT_EQ(s.Video_OutPutFileName, out.Path() + L"\\clip.mp4");
    out.Touch(L"clip.mp4");
    ASSERT_TRUE(ApplyEncoderPreset(1100, L"D:\\in\\clip.avi", out.Path(), false, s));
    EXPECT_EQ(s.Video_OutPutFileName, out.Path() + L"\\clip_1.mp4");
    ASSERT_TRUE(ApplyEncoderPreset(1100, L"D:\\in\\clip.avi", out.Path(), true, s));
    EXPECT_EQ(s.Video_OutPutFileName, out.Path() + L"\\clip.mp4");
}

}  // namespace
}  // namespace formats
