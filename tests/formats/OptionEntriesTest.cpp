// Entries of the labelled lists against the relations the lists keep to one
// another: ascending rates, lists that extend or cut other lists, and the
// entries that only some lists hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/OptionLists.h"

namespace formats {
namespace {

using Entries = std::vector<std::wstring>;

Entries Of(TListLabel label) {
    const auto entries = LabelledList(label).Entries;
    return Entries(entries.begin(), entries.end());
}

Entries Without(Entries entries, const std::wstring& text) {
    entries.erase(std::remove(entries.begin(), entries.end(), text), entries.end());
    return entries;
}

Entries Slice(const Entries& entries, std::size_t from, std::size_t to) {
    return Entries(entries.begin() + from, entries.begin() + std::min(to, entries.size()));
}

bool IsKeep(const std::wstring& text) {
    return text == L"保持原分辨率" || text == L"保持原帧速率" || text == L"保持原视频模式";
}

double Leading(const std::wstring& text) { return std::stod(text); }

TEST(OptionEntries, RatesAscend) {
    for (const TLabelledList& list : LabelledLists()) {
        if (list.List == TOptionList::Resolution || list.List == TOptionList::Aspect) continue;
        if (list.Entries.size() == 1 && std::wstring(list.Entries[0]) == L"无视频") continue;
        double last = -1;
        for (const wchar_t* entry : list.Entries) {
            if (IsKeep(entry)) continue;
            EXPECT_GT(Leading(entry), last) << list.Label << " " << std::wstring(entry).size();
            last = Leading(entry);
        }
    }
}

TEST(OptionEntries, KeepEntryOnlyAtTheStartOfTheListsThatOfferIt) {
    const std::set<std::wstring> withoutKeep = {
        L"R2",  L"R3",  L"R6",  L"R7",  L"R9",  L"R10", L"R11", L"R12", L"R13", L"R14",
        L"R15", L"R16", L"R17", L"R21", L"F2",  L"F3",  L"F6",  L"P3"};
    for (const TLabelledList& list : LabelledLists()) {
        if (list.List == TOptionList::VideoBitrate || list.List == TOptionList::AudioBitrate ||
            list.List == TOptionList::SampleRate)
            continue;
        EXPECT_EQ(IsKeep(list.Entries[0]), withoutKeep.count(list.Label) == 0) << list.Label;
    }
}

TEST(OptionEntries, ListsThatExtendOrCutOtherLists) {
    EXPECT_EQ(Of(R18), Slice(Of(R1), 0, 19));
    EXPECT_EQ(Of(R8), Without(Of(R1), L"1920*1440"));
    Entries r20 = {Of(R8)[0]};
    const Entries rest = Slice(Of(R8), 11, 99);
    r20.insert(r20.end(), rest.begin(), rest.end());
    EXPECT_EQ(Of(R20), r20);
    Entries r4 = {Of(R1)[0]};
    const Entries large = Slice(Of(R1), 18, 99);
    r4.insert(r4.end(), large.begin(), large.end());
    EXPECT_EQ(Of(R4), r4);
    EXPECT_EQ(Of(R24), Without(Of(R4), L"1920*1440"));
    EXPECT_EQ(Without(Of(R12), L"1280*720"), Of(R11));
    EXPECT_EQ(Without(Of(R9), L"480*272"), Of(R17));
    EXPECT_EQ(Without(Of(R7), L"720*406"), Without(Of(R5), L"保持原分辨率"));
    EXPECT_EQ(Of(R6), Slice(Of(R7), 0, 13));
    EXPECT_EQ(Of(V21), Without(Of(V22), L"4000 kbps"));
    EXPECT_EQ(Without(Of(V17), L"3500 kbps"), Of(V10));
    EXPECT_EQ(Without(Of(V2), L"768 kbps"), Of(V1));
    EXPECT_EQ(Without(Of(V3), L"1000 kbps"), Of(V1));
    EXPECT_EQ(Without(Of(V5), L"600 kbps"), Of(V1));
    EXPECT_EQ(Slice(Of(V20), 2, 99), Of(V7));
    EXPECT_EQ(Without(Of(V19), L"1000 kbps"), Of(V7));
}

TEST(OptionEntries, EntriesOnlySomeListsHold) {
    const struct {
        const wchar_t* Text;
        std::set<std::wstring> Lists;
    } cases[] = {
        {L"13.00", {L"F1"}},
        {L"18.00", {L"F1"}},
        {L"23.00", {L"F1"}},
        {L"23.97", {L"F1"}},
        {L"23.98", {L"F5", L"F6", L"F7"}},
        {L"12.00", {L"F5"}},
        {L"900 kbps", {L"V21", L"V22"}},
        {L"960*540", {L"R19"}},
        {L"720*406", {L"R6", L"R7"}},
        {L"3840*2160", {L"R22", L"R23"}},
        {L"24000", {L"S5"}},
        {L"8000", {L"S2"}},
        {L"该格式无视频", {L"R3"}},
        {L"无视频", {L"V6", L"F3", L"P3"}},
    };
    for (const auto& c : cases) {
        std::set<std::wstring> holding;
        for (const TLabelledList& list : LabelledLists()) {
            for (const wchar_t* entry : list.Entries)
                if (std::wstring(entry) == c.Text) holding.insert(list.Label);
        }
        EXPECT_EQ(holding, c.Lists) << std::wstring(c.Text).size();
    }
}

TEST(OptionEntries, SmallSizesStandOutOfOrderWhereTheListsSaySo) {
    const std::set<TListLabel> swapped = {R5, R6, R7, R9, R11, R12, R13, R17, R23};
    for (int label = R1; label <= R24; ++label) {
        const Entries entries = Of(static_cast<TListLabel>(label));
        const auto big = std::find(entries.begin(), entries.end(), L"176*144");
        const auto small = std::find(entries.begin(), entries.end(), L"160*120");
        if (big == entries.end() || small == entries.end()) {
            EXPECT_EQ(swapped.count(static_cast<TListLabel>(label)), 0u) << label;
            continue;
        }
        EXPECT_EQ(big < small, swapped.count(static_cast<TListLabel>(label)) == 1) << label;
    }
}

}  // namespace
}  // namespace formats
