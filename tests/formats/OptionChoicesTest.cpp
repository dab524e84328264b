// Option choices: conversion of the shown texts and the option code.

#include "app/OptionChoices.h"

#include <gtest/gtest.h>

#include <string>

#include "app/FormatCatalogue.h"

namespace formats {
namespace {

struct TextCase {
    TOptionList List;
    const wchar_t* Text;
    const wchar_t* Field;  // the text written into the row for that field
};

class OptionTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(OptionTextTest, Converts) {
    const TextCase& c = GetParam();
    TFormatSettings s;
    s.Video_FrameSize = s.Video_FrameRate = s.Video_FrameAspectRatio = L"old";
    ASSERT_TRUE(ApplyOptionText(c.List, c.Text, s));
    EXPECT_EQ(OptionFieldText(c.List, s), c.Field);
}

using L = TOptionList;
INSTANTIATE_TEST_SUITE_P(
    Texts, OptionTextTest,
    ::testing::Values(TextCase{L::Resolution, L"保持原分辨率", L""},
                      TextCase{L::Resolution, L"该格式无视频", L""},
                      TextCase{L::Resolution, L"640*480", L"640*480"},
                      TextCase{L::FrameRate, L"保持原帧速率", L""},
                      TextCase{L::FrameRate, L"无视频", L""},
                      TextCase{L::FrameRate, L"25.00", L"25.00"},
                      TextCase{L::FrameRate, L"12", L"12"},
                      TextCase{L::VideoBitrate, L"无视频", L"-1000"},
                      TextCase{L::VideoBitrate, L"816 kbps", L"816000"},
                      TextCase{L::VideoBitrate, L"4000 kbps", L"4000000"},
                      TextCase{L::AudioBitrate, L"4.75 kbps", L"4750"},
                      TextCase{L::AudioBitrate, L"12.2 kbps", L"12200"},
                      TextCase{L::AudioBitrate, L"7.95 kbps", L"7950"},
                      TextCase{L::AudioBitrate, L"5.9 kbps", L"5900"},
                      TextCase{L::AudioBitrate, L"320 kbps", L"320000"},
                      TextCase{L::AudioBitrate, L" 128  kbps", L"128000"},
                      TextCase{L::AudioBitrate, L"0.0005 kbps", L"1"},
                      TextCase{L::SampleRate, L"44100", L"44100"},
                      TextCase{L::Aspect, L"保持原视频模式", L""},
                      TextCase{L::Aspect, L"无视频", L""},
                      TextCase{L::Aspect, L"普通视频4:3模式", L"4:3"},
                      TextCase{L::Aspect, L"宽屏视频16:9模式", L"16:9"},
                      TextCase{L::Aspect, L"宽屏视频37:20模式", L"37:20"},
                      TextCase{L::Aspect, L"宽屏视频47:20模式", L"47:20"}));

struct BadCase {
    TOptionList List;
    const wchar_t* Text;
};

class BadOptionTextTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadOptionTextTest, IsRefusedAndChangesNothing) {
    TFormatSettings s;
    s.Video_VideoBitrate = 5;
    s.Video_AudioBitrate = 6;
    s.Video_FrameSize = s.Video_FrameRate = s.Video_FrameAspectRatio = s.Video_AudioSampleRate =
        L"old";
    const TFormatSettings before = s;
    EXPECT_FALSE(ApplyOptionText(GetParam().List, GetParam().Text, s));
    EXPECT_EQ(OptionFieldText(GetParam().List, s), OptionFieldText(GetParam().List, before));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BadOptionTextTest,
    ::testing::Values(BadCase{L::Resolution, L""}, BadCase{L::Resolution, L"640x480"},
                      BadCase{L::Resolution, L"*480"}, BadCase{L::FrameRate, L"fast"},
                      BadCase{L::FrameRate, L"25."}, BadCase{L::VideoBitrate, L"12.2 kbps"},
                      BadCase{L::VideoBitrate, L"kbps"}, BadCase{L::VideoBitrate, L"816"},
                      BadCase{L::VideoBitrate, L"99999999999 kbps"},
                      BadCase{L::AudioBitrate, L"无视频"}, BadCase{L::AudioBitrate, L"1e3 kbps"},
                      BadCase{L::SampleRate, L""}, BadCase{L::SampleRate, L"44.1k"},
                      BadCase{L::Aspect, L"4:3"}));

TEST(ReadOptionChoices, ReadsAllSixAndReportsABadText) {
    TFormatSettings s;
    std::array<std::wstring, 6> texts = {L"1280*720", L"1800 kbps", L"29.97",
                                         L"128 kbps", L"44100",     L"保持原视频模式"};
    s.Video_FrameAspectRatio = L"16:9";
    EXPECT_TRUE(ReadOptionChoices(texts, s));
    EXPECT_EQ(s.Video_FrameSize, L"1280*720");
    EXPECT_EQ(s.Video_VideoBitrate, 1800000);
    EXPECT_EQ(s.Video_FrameRate, L"29.97");
    EXPECT_EQ(s.Video_AudioBitrate, 128000);
    EXPECT_EQ(s.Video_AudioSampleRate, L"44100");
    EXPECT_EQ(s.Video_FrameAspectRatio, L"");
    texts[static_cast<int>(TOptionList::FrameRate)] = L"";
    texts[static_cast<int>(TOptionList::Resolution)] = L"640*480";
    EXPECT_FALSE(ReadOptionChoices(texts, s));
    EXPECT_EQ(s.Video_FrameRate, L"29.97");
    EXPECT_EQ(s.Video_FrameSize, L"640*480");
}

TEST(OptionCode, PairsInCodeOrder) {
    std::array<int, 6> p{};
    p[static_cast<int>(L::Resolution)] = 4;
    p[static_cast<int>(L::VideoBitrate)] = 3;
    p[static_cast<int>(L::AudioBitrate)] = 9;
    p[static_cast<int>(L::Aspect)] = 0;
    p[static_cast<int>(L::FrameRate)] = 10;
    p[static_cast<int>(L::SampleRate)] = 27;
    const std::wstring code = MakeOptionCode(p);
    EXPECT_EQ(code, L"040309001027");
    std::array<int, 6> back{};
    ASSERT_TRUE(ReadOptionCode(code, back));
    EXPECT_EQ(back, p);
}

TEST(OptionCode, ReplacingOnePairKeepsTheOthers) {
    const std::wstring code = L"040309000904";
    EXPECT_EQ(SetOptionCodePair(code, L::Aspect, 3), L"040309030904");
    EXPECT_EQ(SetOptionCodePair(code, L::Resolution, 10), L"100309000904");
    EXPECT_EQ(SetOptionCodePair(code, L::VideoBitrate, 9), L"040909000904");
    EXPECT_EQ(SetOptionCodePair(code, L::AudioBitrate, 12), L"040312000904");
    EXPECT_EQ(SetOptionCodePair(code, L::FrameRate, 0), L"040309000004");
    EXPECT_EQ(SetOptionCodePair(code, L::SampleRate, 5), L"040309000905");
    EXPECT_EQ(SetOptionCodePair(L"", L::SampleRate, 5), L"000000000005");
}

TEST(OptionCode, MalformedCodesAreRefused) {
    std::array<int, 6> p{1, 1, 1, 1, 1, 1};
    const std::array<int, 6> before = p;
    EXPECT_FALSE(ReadOptionCode(L"04030900090", p));
    EXPECT_FALSE(ReadOptionCode(L"0403090009041", p));
    EXPECT_FALSE(ReadOptionCode(L"04030900090x", p));
    EXPECT_FALSE(ReadOptionCode(L"", p));
    EXPECT_EQ(p, before);
}

TEST(OptionCode, RowSubItemsOfTheLists) {
    EXPECT_EQ(OptionRowSubItem(L::Resolution), 15);
    EXPECT_EQ(OptionRowSubItem(L::VideoBitrate), 16);
    EXPECT_EQ(OptionRowSubItem(L::FrameRate), 17);
    EXPECT_EQ(OptionRowSubItem(L::AudioBitrate), 18);
    EXPECT_EQ(OptionRowSubItem(L::SampleRate), 19);
    EXPECT_EQ(OptionRowSubItem(L::Aspect), 20);
}

// The option code and settings that the defaults of a format give.
struct DefaultsCase {
    int Position;
    int Format;
    const wchar_t* Code;
    const wchar_t* FrameSize;
    int VideoBitrate;
    const wchar_t* FrameRate;
    int AudioBitrate;
    const wchar_t* SampleRate;
    const wchar_t* Aspect;
};

class DefaultsTest : public ::testing::TestWithParam<DefaultsCase> {};

TEST_P(DefaultsTest, CodeAndSettingsOfTheDefaults) {
    const DefaultsCase& c = GetParam();
    const TOptionRow* row = FindOptionRow(CatalogueKey(c.Position, c.Format));
    ASSERT_NE(row, nullptr);
    std::array<int, 6> positions{};
    std::array<std::wstring, 6> texts;
    for (std::size_t i = 0; i < FillOrder.size(); ++i) {
        const int list = static_cast<int>(FillOrder[i]);
        positions[list] = row->Lists[i].Default;
        texts[list] = LabelledList(row->Lists[i].Label).Entries[row->Lists[i].Default];
    }
    EXPECT_EQ(MakeOptionCode(positions), c.Code);
    TFormatSettings s;
    ASSERT_TRUE(ReadOptionChoices(texts, s));
    EXPECT_EQ(s.Video_FrameSize, c.FrameSize);
    EXPECT_EQ(s.Video_VideoBitrate, c.VideoBitrate);
    EXPECT_EQ(s.Video_FrameRate, c.FrameRate);
    EXPECT_EQ(s.Video_AudioBitrate, c.AudioBitrate);
    EXPECT_EQ(s.Video_AudioSampleRate, c.SampleRate);
    EXPECT_EQ(s.Video_FrameAspectRatio, c.Aspect);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DefaultsTest,
    ::testing::Values(
        DefaultsCase{0, 0, L"191010001004", L"1280*720", 1800000, L"29.97", 128000, L"44100", L""},
        DefaultsCase{20, 5, L"040310000904", L"320*240", 768000, L"25.00", 128000, L"44100", L""},
        DefaultsCase{22, 0, L"000013000005", L"", -1000, L"", 192000, L"48000", L""},
        DefaultsCase{24, 12, L"000004000000", L"", -1000, L"", 7400, L"8000", L""},
        DefaultsCase{12, 2, L"200502020803", L"1280*720", 1200000, L"29.97", 128000, L"48000",
                     L"16:9"}));

TEST(OptionListChanged, OnlyTheListsPairAndColumnChange) {
    TFormatSettings s;
    s.Video_FrameSize = L"640*480";
    TOptionRowUpdate update;
    ASSERT_TRUE(OptionListChanged(L::Aspect, 3, L"宽屏视频37:20模式", L"040309000904", s, update));
    EXPECT_EQ(update.OptionCode, L"040309030904");
    EXPECT_EQ(update.SubItem, 20);
    EXPECT_EQ(update.Value, L"37:20");
    EXPECT_EQ(s.Video_FrameAspectRatio, L"37:20");
    EXPECT_EQ(s.Video_FrameSize, L"640*480");

    ASSERT_TRUE(OptionListChanged(L::VideoBitrate, 0, L"无视频", update.OptionCode, s, update));
    EXPECT_EQ(update.OptionCode, L"040009030904");
    EXPECT_EQ(update.SubItem, 16);
    EXPECT_EQ(update.Value, L"-1000");
}

TEST(OptionListChanged, RefusesWhatNoListOffers) {
    TFormatSettings s;
    TOptionRowUpdate update;
    update.OptionCode = L"unchanged";
    EXPECT_FALSE(OptionListChanged(L::Aspect, 3, L"16:9", L"040309000904", s, update));
    EXPECT_FALSE(OptionListChanged(L::Aspect, 100, L"无视频", L"040309000904", s, update));
    EXPECT_FALSE(OptionListChanged(L::Aspect, -1, L"无视频", L"040309000904", s, update));
    EXPECT_EQ(update.OptionCode, L"unchanged");
}

TEST(OptionCode, MtsExampleKeys) {
    EXPECT_EQ(SelectionKey(20, 5), 2105);
    EXPECT_EQ(CatalogueKey(20, 5), 2205);
}

}  // namespace
}  // namespace formats
