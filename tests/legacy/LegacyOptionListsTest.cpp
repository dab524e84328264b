// The legacy option lists: the named lists, the rows, and the fill of the
// window's six lists against stand-in lists.

#include "app/LegacyOptionLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/LegacyCatalogue.h"
#include "app/LegacyPresets.h"
#include "tests/legacy/LegacyFakes.h"

namespace legacy {
namespace {

using testing::FakeOptionLists;
using L = TOptionList;

constexpr L kAll[] = {L::Resolution, L::VideoBitrate, L::FrameRate,
                      L::AudioBitrate, L::SampleRate, L::Aspect};

// What one list holds after a fill.
struct ListState {
    int Count;
    const wchar_t* First;
    const wchar_t* Last;
    const wchar_t* Shown;
    bool Enabled;
};

struct KeyCase {
    int Key;
    ListState Lists[6];  // by TOptionList: R, V, F, A, S, M
};

const KeyCase kKeyCases[] = {
    {100,
     {{28, L"保持原分辨率", L"2560*1600", L"保持原分辨率", true},
      {8, L"128 kbps", L"2000 kbps", L"816 kbps", true},
      {12, L"保持原帧速率", L"30.00", L"25.00", true},
      {17, L"16 kbps", L"320 kbps", L"128 kbps", true},
      {6, L"11025", L"48000", L"44100", true},
      {5, L"保持原视频模式", L"宽屏视频47:20模式", L"保持原视频模式", true}}},
    {109,
     {{11, L"112*96", L"320*240", L"176*144", true},
      {15, L"8 kbps", L"384 kbps", L"128 kbps", true},
      {7, L"1", L"15", L"12", true},
      {6, L"5 kbps", L"12 kbps", L"12 kbps", true},
      {1, L"8000", L"8000", L"8000", true},
      {2, L"保持原视频模式", L"普通视频4:3模式", L"保持原视频模式", true}}},
    {200,
     {{1, L"该格式无视频", L"该格式无视频", L"该格式无视频", false},
      {1, L"无视频", L"无视频", L"无视频", false},
      {1, L"无视频", L"无视频", L"无视频", false},
      {17, L"16 kbps", L"320 kbps", L"128 kbps", true},
      {6, L"11025", L"48000", L"44100", true},
      {1, L"无视频", L"无视频", L"无视频", false}}},
    {212,
     {{1, L"该格式无视频", L"该格式无视频", L"该格式无视频", false},
      {1, L"无视频", L"无视频", L"无视频", false},
      {1, L"无视频", L"无视频", L"无视频", false},
      {8, L"4.75 kbps", L"12.2 kbps", L"7.4 kbps", true},
      {1, L"8000", L"8000", L"8000", true},
      {1, L"无视频", L"无视频", L"无视频", false}}},
    {502,
     {{13, L"128*96", L"720*406", L"720*406", true},
      {9, L"192 kbps", L"2000 kbps", L"768 kbps", true},
      {10, L"保持原帧速率", L"30.00", L"25.00", true},
      {5, L"64 kbps", L"192 kbps", L"128 kbps", true},
      {4, L"22050", L"48000", L"48000", true},
      {5, L"保持原视频模式", L"宽屏视频47:20模式", L"宽屏视频16:9模式", true}}},
    // Lists the main window has no equal of.
    {707,
     {{13, L"112*96", L"480*360", L"176*144", true},
      {17, L"8 kbps", L"600 kbps", L"160 kbps", true},
      {8, L"1", L"25", L"15", true},
      {8, L"48 kbps", L"128 kbps", L"48 kbps", true},
      {7, L"8000", L"48000", L"32000", true},
      {5, L"保持原视频模式", L"宽屏视频47:20模式", L"保持原视频模式", true}}},
    {1007,
     {{5, L"160*120", L"720*480", L"640*480", true},
      {9, L"192 kbps", L"2000 kbps", L"768 kbps", true},
      {10, L"保持原帧速率", L"30.00", L"25.00", true},
      {5, L"64 kbps", L"192 kbps", L"128 kbps", true},
      {4, L"22050", L"48000", L"48000", true},
      {5, L"保持原视频模式", L"宽屏视频47:20模式", L"保持原视频模式", true}}},
    {1202,
     {{1, L"该格式无视频", L"该格式无视频", L"该格式无视频", false},
      {1, L"无视频", L"无视频", L"无视频", false},
      {1, L"无视频", L"无视频", L"无视频", false},
      {17, L"16 kbps", L"320 kbps", L"128 kbps", true},
      {3, L"11025", L"44100", L"22050", true},
      {1, L"无视频", L"无视频", L"无视频", false}}},
};

struct Fields {
    int AllTrantNumber = -5;
    formats::TFormatSettings Settings;
    TMainWindowFields Ref{AllTrantNumber, Settings};
};

class KeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTest, FillGivesEntriesDefaultsAndEnabledStates) {
    const KeyCase& c = GetParam();
    FakeOptionLists view;
    Fields f;
    f.Settings.Video_DisableVideo = true;
    EXPECT_EQ(FillOptionLists(view, c.Key / 100 - 1, c.Key % 100, f.Ref), c.Key);
    EXPECT_EQ(f.AllTrantNumber, c.Key);
    EXPECT_FALSE(f.Settings.Video_DisableVideo);
    for (L list : kAll) {
        const ListState& want = c.Lists[static_cast<int>(list)];
        const FakeOptionLists::List& got = view[list];
        const std::wstring name = FakeOptionLists::Letter(list);
        ASSERT_EQ(static_cast<int>(got.Items.size()), want.Count) << name;
        EXPECT_EQ(got.Items.front(), want.First) << name;
        EXPECT_EQ(got.Items.back(), want.Last) << name;
        EXPECT_EQ(view.ShownText(list), want.Shown) << name;
        EXPECT_EQ(got.Enabled, want.Enabled) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return "Key" + std::to_string(info.param.Key); });

TEST(LegacyOptionFill, ListsAreFilledOneAfterAnotherInTheWindowsOrder) {
    FakeOptionLists view;
    Fields f;
    FillOptionLists(view, 1, 0, f.Ref);  // key 200, a no-video row
    const std::vector<std::wstring> expected = {
        L"clear R",   L"clear V",   L"clear A",   L"clear M",   L"clear F",    L"clear S",
        L"enable R",  L"enable V",  L"enable A",  L"enable M",  L"enable F",   L"enable S",
        L"add R",     L"select R",  L"add V",     L"select V",  L"add F",      L"select F",
        L"add A",     L"select A",  L"add S",     L"select S",  L"add M",      L"select M",
        L"disable R", L"disable V", L"disable M", L"disable F"};
    EXPECT_EQ(view.Calls, expected);
}

TEST(LegacyOptionFill, AKeyWithoutARowLeavesSixEmptyEnabledLists) {
    for (const auto& [category, format] : {std::pair{0, 15}, std::pair{0, -1}, std::pair{-1, -1}}) {
        FakeOptionLists view;
        Fields f;
        FillOptionLists(view, 0, 0, f.Ref);
        FillOptionLists(view, 1, 0, f.Ref);
        f.Settings.Video_DisableVideo = true;
        const int key = FillOptionLists(view, category, format, f.Ref);
        EXPECT_EQ(key, (category + 1) * 100 + format);
        EXPECT_EQ(f.AllTrantNumber, key);
        EXPECT_FALSE(f.Settings.Video_DisableVideo);
        for (L list : kAll) {
            EXPECT_TRUE(view[list].Items.empty()) << key;
            EXPECT_TRUE(view[list].Enabled) << key;
            EXPECT_EQ(view.ShownText(list), L"") << key;
        }
    }
}

TEST(LegacyOptionFill, AVideoFormatAfterAnAudioOneEnablesAndRefillsTheVideoLists) {
    FakeOptionLists view;
    Fields f;
    FillOptionLists(view, 1, 0, f.Ref);
    FillOptionLists(view, 0, 0, f.Ref);
    FillOptionLists(view, 0, 0, f.Ref);
    EXPECT_EQ(view[L::Resolution].Items.size(), 28u);
    EXPECT_EQ(view[L::Aspect].Items.size(), 5u);
    for (L list : kAll) EXPECT_TRUE(view[list].Enabled);
}

// The rows without video are exactly 200-212, 708, 1202 and 1203.
TEST(LegacyOptionRows, NoVideoRowsDisableTheFourVideoLists) {
    std::set<int> noVideo = {708, 1202, 1203};
    for (int key = 200; key <= 212; ++key) noVideo.insert(key);
    for (const TLegacyOptionRow& row : OptionRows()) {
        FakeOptionLists view;
        Fields f;
        FillOptionLists(view, row.Key / 100 - 1, row.Key % 100, f.Ref);
        const bool video = noVideo.count(row.Key) == 0;
        for (L list : {L::Resolution, L::VideoBitrate, L::FrameRate, L::Aspect})
            EXPECT_EQ(view[list].Enabled, video) << row.Key;
        EXPECT_TRUE(view[L::AudioBitrate].Enabled) << row.Key;
        EXPECT_TRUE(view[L::SampleRate].Enabled) << row.Key;
        if (!video) {
            EXPECT_EQ(view.ShownText(L::Resolution), L"该格式无视频");
            EXPECT_EQ(view.ShownText(L::FrameRate), L"无视频");
        }
    }
}

// The rules that hold across whole categories, checked on every row.
const std::vector<std::wstring> kV8 = {L"192 kbps", L"384 kbps", L"600 kbps", L"768 kbps", L"1000 kbps",
                                       L"1200 kbps", L"1500 kbps", L"1800 kbps", L"2000 kbps"};
const std::vector<std::wstring> kF5 = {L"保持原帧速率", L"10.00", L"12.00", L"15.00", L"20.00",
                                       L"23.98", L"24.00", L"25.00", L"29.97", L"30.00"};
const std::vector<std::wstring> kA4 = {L"64 kbps", L"96 kbps", L"128 kbps", L"160 kbps", L"192 kbps"};
const std::vector<std::wstring> kS3 = {L"22050", L"32000", L"44100", L"48000"};
const std::vector<std::wstring> kM1 = {L"保持原视频模式", L"普通视频4:3模式", L"宽屏视频16:9模式",
                                       L"宽屏视频37:20模式", L"宽屏视频47:20模式"};

TEST(LegacyOptionRows, CategoryRulesHoldForEveryRow) {
    int devices = 0, psp = 0;
    for (const TLegacyCategory& category : Categories()) {
        for (const TLegacyFormat& format : category.Formats) {
            const int key = format.Key, group = key / 100;
            FakeOptionLists view;
            Fields f;
            ASSERT_EQ(FillOptionLists(view, group - 1, key % 100, f.Ref), key);
            // Every row shows its first aspect entry, but 411 and 502.
            const bool wide = key == 411 || key == 502;
            EXPECT_EQ(view.ShownText(L::Aspect), wide ? L"宽屏视频16:9模式" : view[L::Aspect].Items.front()) << key;
            if (group == 4 || group == 5 || group == 8 || group == 9 || group == 10) {
                ++devices;
                EXPECT_NE(view[L::Resolution].Items.front(), L"保持原分辨率") << key;  // fixed sizes only
                EXPECT_EQ(view[L::VideoBitrate].Items, kV8) << key;
                EXPECT_EQ(view[L::FrameRate].Items, kF5) << key;
                EXPECT_EQ(view[L::AudioBitrate].Items, kA4) << key;
                EXPECT_EQ(view.ShownText(L::AudioBitrate), L"128 kbps") << key;
                EXPECT_EQ(view[L::SampleRate].Items, kS3) << key;
                EXPECT_EQ(view.ShownText(L::SampleRate), L"48000") << key;
                EXPECT_EQ(view[L::Aspect].Items, kM1) << key;
            } else if (group == 6) {
                ++psp;
                EXPECT_EQ(view.ShownText(L::FrameRate), L"29.97") << key;
                EXPECT_EQ(view[L::AudioBitrate].Items, kA4) << key;
                EXPECT_EQ(view[L::SampleRate].Items, kS3) << key;
            }
        }
    }
    EXPECT_EQ(devices, 14 + 6 + 5 + 10 + 8);
    EXPECT_EQ(psp, 5);
}

TEST(LegacyOptionRows, OneRowPerCatalogueFormatWithDefaultsInsideTheirLists) {
    ASSERT_EQ(OptionRows().size(), 109u);
    int previous = 0;
    for (const TLegacyOptionRow& row : OptionRows()) {
        EXPECT_GT(row.Key, previous);
        previous = row.Key;
        EXPECT_NE(FindFormat(row.Key), nullptr) << row.Key;
        for (std::size_t i = 0; i < row.Lists.size(); ++i) {
            const TLegacyList list = LegacyList(row.Lists[i].List);
            EXPECT_EQ(list.List, formats::FillOrder[i]) << row.Key;
            EXPECT_GE(row.Lists[i].Default, 0) << row.Key;
            EXPECT_LT(row.Lists[i].Default, static_cast<int>(list.Entries.size())) << row.Key;
        }
    }
    for (const TLegacyCategory& category : Categories())
        for (const TLegacyFormat& format : category.Formats)
            EXPECT_NE(FindOptionRow(format.Key), nullptr) << format.Key;
}

// Every entry of every list is something the read-back turns into a value.
TEST(LegacyLists, EveryEntryReadsBack) {
    ASSERT_EQ(ListSources().size(), 50u);
    for (const TLegacyListSource& source : ListSources()) {
        const TLegacyList list = LegacyList(static_cast<TLegacyListName>(&source - ListSources().data()));
        EXPECT_FALSE(list.Entries.empty()) << list.Name;
        std::set<std::wstring> seen;
        for (const wchar_t* entry : list.Entries) {
            EXPECT_TRUE(seen.insert(entry).second) << list.Name;
            std::array<std::wstring, 6> shown = {L"保持原分辨率", L"128 kbps", L"25.00",
                                                 L"128 kbps", L"44100", L"保持原视频模式"};
            shown[static_cast<int>(list.List)] = entry;
            formats::TFormatSettings s;
            EXPECT_NO_THROW(ReadBack(shown, s)) << list.Name;
        }
    }
}

TEST(LegacyLists, R5HoldsTheEntriesOfTheMainWindowsR11) {
    const TLegacyList r5 = LegacyList(R5);
    const formats::TLabelledList& r11 = formats::LabelledList(formats::R11);
    ASSERT_EQ(r5.Entries.size(), 7u);
    ASSERT_EQ(r11.Entries.size(), r5.Entries.size());
    for (size_t i = 0; i < r5.Entries.size(); ++i) EXPECT_STREQ(r5.Entries[i], r11.Entries[i]) << i;
    EXPECT_STREQ(r5.Entries[6], L"640*480");
}

}  // namespace
}  // namespace legacy
