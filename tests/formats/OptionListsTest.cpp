// Option lists: cross-checks of the labelled lists and the rows, and the
// fill procedure against a list view that behaves like the main window's.

#include "app/OptionLists.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/FormatCatalogue.h"
#include "app/OptionChoices.h"

namespace formats {
namespace {

// Entries and rows per label, as the list table gives them.
const std::map<std::wstring, std::pair<int, int>> kListTable = {
    {L"R1", {28, 89}},  {L"R2", {11, 2}},   {L"R3", {1, 26}},  {L"R4", {11, 12}},
    {L"R5", {25, 14}},  {L"R6", {13, 3}},   {L"R7", {25, 1}},  {L"R8", {27, 21}},
    {L"R9", {12, 2}},   {L"R10", {5, 5}},   {L"R11", {7, 4}},  {L"R12", {8, 1}},
    {L"R13", {9, 3}},   {L"R14", {3, 2}},   {L"R15", {16, 1}}, {L"R16", {4, 1}},
    {L"R17", {11, 2}},  {L"R18", {19, 1}},  {L"R19", {14, 7}}, {L"R20", {17, 4}},
    {L"R21", {15, 1}},  {L"R22", {18, 4}},  {L"R23", {28, 2}}, {L"R24", {10, 1}},
    {L"V1", {8, 46}},   {L"V2", {9, 8}},    {L"V3", {9, 13}},  {L"V4", {15, 2}},
    {L"V5", {9, 8}},    {L"V6", {1, 26}},   {L"V7", {8, 25}},  {L"V8", {9, 22}},
    {L"V9", {11, 14}},  {L"V10", {12, 2}},  {L"V11", {12, 2}}, {L"V12", {12, 2}},
    {L"V13", {12, 1}},  {L"V14", {7, 5}},   {L"V15", {12, 7}}, {L"V16", {12, 1}},
    {L"V17", {13, 2}},  {L"V18", {11, 3}},  {L"V19", {9, 3}},  {L"V20", {10, 2}},
    {L"V21", {15, 5}},  {L"V22", {16, 4}},  {L"V23", {10, 2}}, {L"V24", {11, 1}},
    {L"V25", {11, 1}},  {L"V26", {10, 1}},  {L"V27", {11, 1}}, {L"F1", {12, 99}},
    {L"F2", {7, 2}},    {L"F3", {1, 26}},   {L"F4", {4, 31}},  {L"F5", {10, 39}},
    {L"F6", {3, 5}},    {L"F7", {6, 7}},    {L"A1", {17, 155}}, {L"A2", {6, 2}},
    {L"A3", {8, 1}},    {L"A4", {5, 51}},   {L"S1", {6, 140}}, {L"S2", {1, 3}},
    {L"S3", {4, 44}},   {L"S4", {3, 15}},   {L"S5", {5, 7}},   {L"P1", {5, 181}},
    {L"P2", {2, 2}},    {L"P3", {1, 26}},
};

const wchar_t kLetters[] = L"RVFASP";  // by TOptionList

TEST(LabelledLists, CountsOfEntriesAndRowsMatchTheListTable) {
    ASSERT_EQ(LabelledLists().size(), static_cast<std::size_t>(ListLabelCount));
    ASSERT_EQ(kListTable.size(), LabelledLists().size());
    std::map<std::wstring, int> uses;
    for (const TOptionRow& row : OptionRows())
        for (const TListChoice& choice : row.Lists) ++uses[LabelledList(choice.Label).Label];
    for (const TLabelledList& list : LabelledLists()) {
        const auto expected = kListTable.find(list.Label);
        ASSERT_NE(expected, kListTable.end());
        EXPECT_EQ(static_cast<int>(list.Entries.size()), expected->second.first) << list.Label;
        EXPECT_EQ(uses[list.Label], expected->second.second) << list.Label;
        EXPECT_EQ(list.Label[0], kLetters[static_cast<int>(list.List)]) << list.Label;
    }
}

TEST(LabelledLists, EveryEntryConvertsAndIsUniqueInItsList) {
    for (const TLabelledList& list : LabelledLists()) {
        std::set<std::wstring> seen;
        for (const wchar_t* entry : list.Entries) {
            TFormatSettings s;
            EXPECT_TRUE(ApplyOptionText(list.List, entry, s)) << list.Label;
            EXPECT_TRUE(seen.insert(entry).second) << list.Label;
        }
    }
}

TEST(LabelledLists, KeepEntriesStandFirst) {
    const std::set<std::wstring> keep = {L"保持原分辨率", L"保持原帧速率", L"保持原视频模式"};
    for (const TLabelledList& list : LabelledLists()) {
        for (std::size_t i = 1; i < list.Entries.size(); ++i)
            EXPECT_EQ(keep.count(list.Entries[i]), 0u) << list.Label << " " << i;
    }
}

TEST(LabelledLists, TellingEntries) {
    EXPECT_STREQ(LabelledList(R1).Entries[19], L"1280*720");
    EXPECT_STREQ(LabelledList(R1).Entries[24], L"1920*1200");
    EXPECT_STREQ(LabelledList(R1).Entries[25], L"1920*1440");
    EXPECT_STREQ(LabelledList(V22).Entries[10], L"1800 kbps");
    EXPECT_STREQ(LabelledList(F1).Entries[10], L"29.97");
    EXPECT_STREQ(LabelledList(A1).Entries[10], L"128 kbps");
    EXPECT_STREQ(LabelledList(S1).Entries[4], L"44100");
    EXPECT_STREQ(LabelledList(P1).Entries[0], L"保持原视频模式");
    EXPECT_STREQ(LabelledList(A3).Entries[4], L"7.4 kbps");
    EXPECT_STREQ(LabelledList(F2).Entries[6], L"15");
    EXPECT_STREQ(LabelledList(R7).Entries[12], L"720*406");
    EXPECT_STREQ(LabelledList(R7).Entries[13], L"704*480");
}

TEST(OptionRows, OneRowPerCatalogueFormatWithItsTitle) {
    std::size_t i = 0;
    const auto rows = OptionRows();
    ASSERT_EQ(rows.size(), 209u);
    for (const TCategory& category : Categories()) {
        for (const TFormatEntry& format : category.Formats) {
            const TOptionRow* row = FindOptionRow(format.Key);
            ASSERT_NE(row, nullptr) << format.Key;
            EXPECT_STREQ(row->Title, format.Title) << format.Key;
            ++i;
        }
        EXPECT_EQ(FindOptionRow((category.Code + 1) * 100 + static_cast<int>(category.Formats.size())),
                  nullptr);
    }
    EXPECT_EQ(i, rows.size());
    for (std::size_t r = 1; r < rows.size(); ++r) EXPECT_LT(rows[r - 1].Key, rows[r].Key);
}

TEST(OptionRows, EachListHasItsLetterAndADefaultInside) {
    for (const TOptionRow& row : OptionRows()) {
        for (std::size_t i = 0; i < FillOrder.size(); ++i) {
            const TLabelledList& list = LabelledList(row.Lists[i].Label);
            EXPECT_EQ(list.List, FillOrder[i]) << row.Key;
            EXPECT_GE(row.Lists[i].Default, 0) << row.Key;
            EXPECT_LT(row.Lists[i].Default, static_cast<int>(list.Entries.size())) << row.Key;
        }
    }
}

TEST(OptionRows, VideoListsOffExactlyWhereTheNoVideoListsStand) {
    const std::array<TListLabel, 6> noVideo = {R3, V6, F3, A1, S1, P3};
    int off = 0;
    for (const TOptionRow& row : OptionRows()) {
        for (int list : {0, 1, 2, 5})
            EXPECT_EQ(row.Lists[list].Label == noVideo[list], row.VideoOff) << row.Key;
        off += row.VideoOff;
    }
    EXPECT_EQ(off, 26);
}

bool SameRow(const TOptionRow& a, const TOptionRow& b) {
    for (std::size_t i = 0; i < a.Lists.size(); ++i) {
        if (a.Lists[i].Label != b.Lists[i].Label || a.Lists[i].Default != b.Lists[i].Default)
            return false;
    }
    return a.VideoOff == b.VideoOff;
}

class EqualRowsTest : public ::testing::TestWithParam<std::vector<int>> {};

TEST_P(EqualRowsTest, RowsAreEqual) {
    const std::vector<int>& keys = GetParam();
    const TOptionRow* first = FindOptionRow(keys[0]);
    ASSERT_NE(first, nullptr);
    for (int key : keys) {
        const TOptionRow* row = FindOptionRow(key);
        ASSERT_NE(row, nullptr) << key;
        EXPECT_TRUE(SameRow(*first, *row)) << keys[0] << " vs " << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    DeclaredEqual, EqualRowsTest,
    ::testing::Values(
        std::vector<int>{2700, 2701, 2702, 2703}, std::vector<int>{2800, 2801, 2802, 2803},
        std::vector<int>{1101, 1102}, std::vector<int>{1103, 1104},
        std::vector<int>{1600, 1700, 1800}, std::vector<int>{1601, 1701, 1801, 1606, 1706, 1806, 2101},
        std::vector<int>{1602, 1702, 1802}, std::vector<int>{1603, 1703, 1803},
        std::vector<int>{1604, 1704, 1804}, std::vector<int>{1605, 1705, 1805},
        std::vector<int>{111, 1408, 2210}, std::vector<int>{112, 1409, 2211},
        std::vector<int>{113, 114, 1410, 2212}, std::vector<int>{100, 107},
        std::vector<int>{306, 308, 1404}, std::vector<int>{303, 1405},
        std::vector<int>{109, 2207}, std::vector<int>{2209, 2011, 3310, 3408},
        std::vector<int>{2208, 110}, std::vector<int>{1200, 1504}, std::vector<int>{1203, 1505},
        std::vector<int>{1202, 1506}, std::vector<int>{901, 902}, std::vector<int>{907, 909},
        std::vector<int>{501, 2003}, std::vector<int>{502, 2002}, std::vector<int>{509, 2007},
        std::vector<int>{504, 3411}, std::vector<int>{514, 3300}, std::vector<int>{3000, 3100},
        std::vector<int>{3001, 3101}, std::vector<int>{3002, 3003, 3103}));

TEST(OptionRows, NoTwoAppleRowsAreEqual) {
    std::vector<const TOptionRow*> apple;
    for (const TOptionRow& row : OptionRows()) {
        if ((row.Key >= 1300 && row.Key <= 1310) || (row.Key >= 500 && row.Key <= 514) ||
            (row.Key >= 800 && row.Key <= 804))
            apple.push_back(&row);
    }
    ASSERT_EQ(apple.size(), 31u);
    for (std::size_t i = 0; i < apple.size(); ++i)
        for (std::size_t j = i + 1; j < apple.size(); ++j)
            EXPECT_FALSE(SameRow(*apple[i], *apple[j])) << apple[i]->Key << " " << apple[j]->Key;
}

// A list view that keeps entries, position, shown text and enabled state as
// the main window's lists do, and logs what it is told and the change
// events it would raise.
class FakeListView : public IOptionListView {
public:
    struct List {
        std::vector<std::wstring> Items;
        int ItemIndex = -1;
        std::wstring Text;
        bool Enabled = true;
    };

    void ClearItems(TOptionList list) override {
        At(list).Items.clear();
        At(list).ItemIndex = -1;
        Log.push_back(L"clear " + Name(list));
    }
    void SetEnabled(TOptionList list, bool enabled) override {
        At(list).Enabled = enabled;
        Log.push_back((enabled ? L"enable " : L"disable ") + Name(list));
    }
    void AddItem(TOptionList list, const std::wstring& text) override {
        At(list).Items.push_back(text);
        ++Added;
    }
    void SetItemIndex(TOptionList list, int index) override {
        List& l = At(list);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, static_cast<int>(l.Items.size()));
        if (l.Items[index] != l.Text) {
            l.Text = l.Items[index];
            Changes.push_back(Name(list));
            Log.push_back(L"change " + Name(list));
        }
        l.ItemIndex = index;
        Log.push_back(L"select " + Name(list));
    }

    List& At(TOptionList list) { return Lists[static_cast<int>(list)]; }
    static std::wstring Name(TOptionList list) {
        return std::wstring(1, kLetters[static_cast<int>(list)]);
    }
    std::array<int, 6> Positions() {
        std::array<int, 6> p;
        for (int i = 0; i < 6; ++i) p[i] = Lists[i].ItemIndex;
        return p;
    }

    std::array<List, 6> Lists;
    std::vector<std::wstring> Log;
    std::vector<std::wstring> Changes;
    int Added = 0;
};

TEST(FillOptionLists, StartUpKeyGivesItsDefaultsInFillOrder) {
    FakeListView view;
    EXPECT_EQ(FillOptionLists(view, 0, 0), 2700);
    const std::vector<std::wstring> expectedLog = {
        L"clear R",   L"clear V",  L"clear A",  L"clear P",  L"clear F",  L"clear S",
        L"enable R",  L"enable V", L"enable A", L"enable P", L"enable F", L"enable S",
        L"change R",  L"select R", L"change V", L"select V", L"change F", L"select F",
        L"change A",  L"select A", L"change S", L"select S", L"change P", L"select P"};
    EXPECT_EQ(view.Log, expectedLog);
    EXPECT_EQ(view.At(TOptionList::Resolution).Text, L"1280*720");
    EXPECT_EQ(view.At(TOptionList::Resolution).Items.size(), 28u);
    EXPECT_EQ(view.At(TOptionList::VideoBitrate).Text, L"1800 kbps");
    EXPECT_EQ(view.At(TOptionList::VideoBitrate).Items.size(), 16u);
    EXPECT_EQ(view.At(TOptionList::FrameRate).Text, L"29.97");
    EXPECT_EQ(view.At(TOptionList::AudioBitrate).Text, L"128 kbps");
    EXPECT_EQ(view.At(TOptionList::SampleRate).Text, L"44100");
    EXPECT_EQ(view.At(TOptionList::Aspect).Text, L"保持原视频模式");
    for (const auto& list : view.Lists) EXPECT_TRUE(list.Enabled);
}

TEST(FillOptionLists, EachListIsCompleteBeforeTheNextIsTouched) {
    // Logs the state of the later lists at the moment a list's selection
    // changes its text.
    struct Probe : FakeListView {
        void SetItemIndex(TOptionList list, int index) override {
            FakeListView::SetItemIndex(list, index);
            const int at = static_cast<int>(list);
            for (int later = at + 1; later < 6; ++later) EXPECT_TRUE(Lists[later].Items.empty());
        }
    } view;
    FillOptionLists(view, 5, 0);
}

TEST(FillOptionLists, AudioOnlyKeyDisablesTheFourVideoLists) {
    FakeListView view;
    EXPECT_EQ(FillOptionLists(view, 22, 0), 3000);
    const std::vector<std::wstring> tail(view.Log.end() - 4, view.Log.end());
    EXPECT_EQ(tail, (std::vector<std::wstring>{L"disable R", L"disable V", L"disable P",
                                               L"disable F"}));
    EXPECT_EQ(view.At(TOptionList::Resolution).Items, std::vector<std::wstring>{L"该格式无视频"});
    for (TOptionList list : {TOptionList::VideoBitrate, TOptionList::FrameRate, TOptionList::Aspect})
        EXPECT_EQ(view.At(list).Items, std::vector<std::wstring>{L"无视频"});
    for (TOptionList list : VideoOrder) EXPECT_FALSE(view.At(list).Enabled);
    EXPECT_TRUE(view.At(TOptionList::AudioBitrate).Enabled);
    EXPECT_TRUE(view.At(TOptionList::SampleRate).Enabled);
    EXPECT_EQ(view.At(TOptionList::AudioBitrate).Text, L"192 kbps");
    EXPECT_EQ(view.At(TOptionList::AudioBitrate).Items.size(), 17u);
    EXPECT_EQ(view.At(TOptionList::SampleRate).Text, L"48000");

    // A video format afterwards enables them again before anything is added.
    view.Log.clear();
    EXPECT_EQ(FillOptionLists(view, 16, 0), 1200);
    for (const auto& list : view.Lists) EXPECT_TRUE(list.Enabled);
    EXPECT_EQ(view.Log[6], L"enable R");
    EXPECT_EQ(view.At(TOptionList::SampleRate).Text, L"22050");
}

TEST(FillOptionLists, CategoryCodeIsNotThePosition) {
    FakeListView view;
    EXPECT_EQ(FillOptionLists(view, 24, 0), 200);
    EXPECT_EQ(view.At(TOptionList::AudioBitrate).Text, L"128 kbps");
    EXPECT_EQ(view.At(TOptionList::SampleRate).Text, L"44100");
    EXPECT_FALSE(view.At(TOptionList::Resolution).Enabled);
}

TEST(FillOptionLists, EqualRowsRaiseNoChange) {
    FakeListView view;
    FillOptionLists(view, 0, 0);
    view.Changes.clear();
    FillOptionLists(view, 0, 1);
    EXPECT_TRUE(view.Changes.empty());
    FillOptionLists(view, 22, 0);
    view.Changes.clear();
    FillOptionLists(view, 23, 0);  // 3000 -> 3100
    EXPECT_TRUE(view.Changes.empty());
}

TEST(FillOptionLists, RunningAgainAfterTheUsersPickSelectsTheDefaultsAgain) {
    FakeListView view;
    FillOptionLists(view, 0, 0);  // 2700: "1280*720", "1800 kbps", ..., "128 kbps", "44100"
    const std::array<int, 6> defaults = view.Positions();
    // The user picks other entries in two lists (the list's own text
    // follows, as the combo box's does).
    for (const auto& [list, pick] : {std::pair{TOptionList::Resolution, 0}, std::pair{TOptionList::AudioBitrate, 0}}) {
        FakeListView::List& l = view.At(list);
        ASSERT_NE(l.ItemIndex, pick);
        l.ItemIndex = pick;
        l.Text = l.Items[pick];
    }
    ASSERT_NE(view.At(TOptionList::Resolution).Text, L"1280*720");
    view.Changes.clear();
    EXPECT_EQ(FillOptionLists(view, 0, 0), 2700);
    EXPECT_EQ(view.Positions(), defaults);
    EXPECT_EQ(view.At(TOptionList::Resolution).Text, L"1280*720");
    EXPECT_EQ(view.At(TOptionList::AudioBitrate).Text, L"128 kbps");
    // Only the two lists whose text changes back raise their change events.
    EXPECT_EQ(view.Changes, (std::vector<std::wstring>{L"R", L"A"}));
}

TEST(FillOptionLists, KeyWithoutRowLeavesTheListsEmptyAndEnabled) {
    FakeListView view;
    FillOptionLists(view, 22, 0);
    EXPECT_EQ(FillOptionLists(view, 0, -1), 2699);
    for (const auto& list : view.Lists) {
        EXPECT_TRUE(list.Items.empty());
        EXPECT_TRUE(list.Enabled);
        EXPECT_EQ(list.ItemIndex, -1);
    }
    EXPECT_EQ(view.At(TOptionList::AudioBitrate).Text, L"192 kbps");  // text kept
    EXPECT_EQ(FillOptionLists(view, 10, 6), 2106);
    EXPECT_EQ(view.Added, 27);  // only the fill of key 3000 added entries
}

TEST(FillOptionLists, PositionWithoutCategoryComputesNoKey) {
    FakeListView view;
    EXPECT_EQ(FillOptionLists(view, 25, 0), -1);
    EXPECT_EQ(FillOptionLists(view, -1, 0), -1);
    EXPECT_EQ(view.Added, 0);
    EXPECT_EQ(view.Log.size(), 24u);  // cleared and enabled twice, nothing else
}

struct FillCase {
    int Position;
    int Format;
    int Key;
    std::array<const wchar_t*, 6> Texts;  // in fill order
    std::array<int, 6> Counts;
};

class FillExampleTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillExampleTest, ShowsTheDefaults) {
    const FillCase& c = GetParam();
    FakeListView view;
    ASSERT_EQ(FillOptionLists(view, c.Position, c.Format), c.Key);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(view.Lists[i].Text, c.Texts[i]) << c.Key << " list " << i;
        EXPECT_EQ(static_cast<int>(view.Lists[i].Items.size()), c.Counts[i]) << c.Key << " " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FillExampleTest,
    ::testing::Values(
        FillCase{3, 0, 1600, {L"保持原分辨率", L"816 kbps", L"25.00", L"128 kbps", L"44100", L"保持原视频模式"}, {28, 8, 12, 17, 6, 5}},
        FillCase{10, 4, 2104, {L"640*480", L"528 kbps", L"保持原帧速率", L"128 kbps", L"44100", L"保持原视频模式"}, {28, 10, 4, 17, 6, 5}},
        FillCase{6, 9, 109, {L"176*144", L"128 kbps", L"12", L"12 kbps", L"8000", L"保持原视频模式"}, {11, 15, 7, 6, 1, 2}},
        FillCase{7, 3, 303, {L"1280*1024", L"1600 kbps", L"30.00", L"192 kbps", L"48000", L"保持原视频模式"}, {11, 8, 4, 17, 6, 5}},
        FillCase{14, 0, 800, {L"320*240", L"768 kbps", L"25.00", L"128 kbps", L"48000", L"保持原视频模式"}, {7, 9, 10, 5, 4, 5}},
        FillCase{12, 5, 505, {L"720*406", L"768 kbps", L"25.00", L"128 kbps", L"48000", L"宽屏视频16:9模式"}, {13, 9, 10, 5, 4, 5}},
        FillCase{2, 4, 1304, {L"保持原分辨率", L"1000 kbps", L"30.00", L"128 kbps", L"24000", L"保持原视频模式"}, {14, 12, 6, 5, 5, 5}},
        FillCase{15, 6, 906, {L"1440*1080", L"1800 kbps", L"30.00", L"128 kbps", L"48000", L"保持原视频模式"}, {4, 9, 10, 5, 4, 5}},
        FillCase{13, 0, 600, {L"320*240", L"768 kbps", L"29.97", L"128 kbps", L"48000", L"保持原视频模式"}, {5, 7, 3, 5, 4, 5}},
        FillCase{21, 1, 3401, {L"3840*2160", L"1200 kbps", L"30.00", L"128 kbps", L"48000", L"保持原视频模式"}, {18, 11, 10, 5, 4, 5}},
        FillCase{11, 3, 3303, {L"800*600", L"1000 kbps", L"30.00", L"128 kbps", L"48000", L"保持原视频模式"}, {15, 9, 10, 5, 4, 5}},
        FillCase{11, 12, 3312, {L"该格式无视频", L"无视频", L"无视频", L"128 kbps", L"44100", L"无视频"}, {1, 1, 1, 17, 6, 1}},
        FillCase{24, 12, 212, {L"该格式无视频", L"无视频", L"无视频", L"7.4 kbps", L"8000", L"无视频"}, {1, 1, 1, 8, 1, 1}},
        FillCase{20, 2, 2202, {L"1280*720", L"1600 kbps", L"30.00", L"128 kbps", L"44100", L"保持原视频模式"}, {28, 8, 12, 17, 6, 5}},
        FillCase{8, 8, 1408, {L"704*480", L"1200 kbps", L"29.97", L"128 kbps", L"44100", L"保持原视频模式"}, {28, 8, 12, 17, 6, 5}},
        FillCase{1, 3, 2603, {L"保持原分辨率", L"528 kbps", L"20.00", L"96 kbps", L"32000", L"保持原视频模式"}, {28, 9, 12, 17, 6, 5}}));

}  // namespace
}  // namespace formats
