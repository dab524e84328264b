// The legacy format catalogue and the fill of the window's format list.

#include "app/LegacyCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/FormatCatalogue.h"
#include "tests/legacy/LegacyFakes.h"

namespace legacy {
namespace {

using testing::FakeFormatList;

struct CategoryCase {
    int Position;
    const wchar_t* Caption;
    int Count;
    std::vector<int> Images;  // by format position
};

const CategoryCase kCategoryCases[] = {
    {0, L"常用视频", 15, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    {1, L"常用音频", 13, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {2, L"HD视频", 10, {20, 21, 21, 21, 21, 21, 21, 21, 21, 21}},
    {3, L"iPod视频", 14, {20, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21}},
    {4, L"iPhone视频", 6, {20, 21, 20, 21, 20, 21}},
    {5, L"PSP视频", 5, {20, 21, 20, 21, 20}},
    {6, L"3GP视频", 14, {20, 20, 21, 21, 20, 21, 20, 21, 21, 21, 21, 21, 21, 21}},
    {7, L"APPLE视频", 5, {22, 23, 24, 25, 26}},
    {8, L"XboX视频", 10, {22, 23, 24, 25, 26, 21, 21, 21, 21, 21}},
    {9, L"PMP视频", 8, {22, 23, 24, 25, 26, 21, 21, 21}},
    {10, L"MP4视频", 5, {22, 23, 24, 25, 26}},
    {11, L"Flash视频", 4, {22, 23, 24, 25}},
};

class CategoryTest : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(CategoryTest, FillGivesTheCategorysFormatsInOrderAndSelectsTheFirst) {
    const CategoryCase& c = GetParam();
    ASSERT_EQ(Categories().size(), 12u);
    EXPECT_STREQ(Categories()[c.Position].Caption, c.Caption);

    FakeFormatList list;
    FillFormatList(list, c.Position);
    ASSERT_EQ(static_cast<int>(list.Items.size()), c.Count);
    EXPECT_EQ(list.Index, 0);
    EXPECT_EQ(list.Clicks, 1);
    for (int p = 0; p < c.Count; ++p) {
        const int key = (c.Position + 1) * 100 + p;
        EXPECT_EQ(list.Items[p].ImageIndex, c.Images[p]) << key;
        EXPECT_FALSE(list.Items[p].Caption.empty()) << key;
        const TLegacyFormat* format = FindFormat(key);
        ASSERT_NE(format, nullptr) << key;
        EXPECT_EQ(FormatTitle(*format), list.Items[p].Title) << key;
    }
    EXPECT_EQ(FindFormat((c.Position + 1) * 100 + c.Count), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Categories, CategoryTest, ::testing::ValuesIn(kCategoryCases));

struct TitleCase {
    int Key;
    const wchar_t* Title;
    const wchar_t* Caption;  // nullptr: not checked
};

// Titles with their exact blanks and brackets, and the quoted descriptions.
const TitleCase kTitleCases[] = {
    {100, L"AVI - 音频视频交错格式(*.avi)", L"AVI最常用的视频格式,语音和影像同步组合在一起的文件格式"},
    {101, L"MP4 - MPEG-4视频格式(*.mp4)", L"为网络广播和视频通信制定的压缩标准,有很小的体积和清晰的画质"},
    {114, L"RM - REAL视频格式(*.rm)", nullptr},
    {202, L"WAV - 波形音频格式(*.wav) ", nullptr},
    {211, L"ALAC-Apple Lossless无损音频格式(*.alac) ", nullptr},
    {212, L"AMR-手机音频格式(*.amr)", L"AMR是流行的手机数字音乐文件格式之一"},
    {300, L"高清AVI视频格式(*.avi)", L"高清晰AVI视频格式(DivX视频编码)"},
    {301, L"高清AVI视频格式(*.avi)", L"高清晰AVI视频格式(XviD视频编码)"},
    {407, L"iPod touch MPEG-4视频(*.mp4)", L"为iPod touch优化的MPEG-4视频预置方案."},
    {502, L"iPhone MPEG-4视频宽屏(*.mp4)", nullptr},
    {700, L"3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)",
     L"第三代合作伙伴项目3GPP制定的多媒体格式，手机视频格式.(AMR音频)"},
    {702, L"3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2))", nullptr},
    {907, L"Xbox360 MCE 高清晰AVI视频(*.avi)", L"为Xbox360优化的AVI视频预置方案.(高清晰)."},
    {909, L"Xbox360 MCE 高清晰AVI视频(*.avi)", L"为Xbox360优化的AVI视频预置方案.(微软编码2)."},
    {1000, L"爱可视AV500/GMini402视频(*.avi)", L"为爱可视AV500/GMini402优化的MPEG-4视频预置方案"},
    {1203, L"SWF动画视频FLASH动画音频格式(*.swf)",
     L"最常用的FLASH动画视频预置方案，动画格式为SWF文件(音频格式)"},
};

class TitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleTest, TextsAreKeptExactly) {
    const TLegacyFormat* format = FindFormat(GetParam().Key);
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(FormatTitle(*format), GetParam().Title);
    if (GetParam().Caption) {
        EXPECT_EQ(FormatCaption(*format), GetParam().Caption);
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, TitleTest, ::testing::ValuesIn(kTitleCases));

TEST(LegacyCatalogue, HoldsTheKeysOfEveryCategoryAndNoOther) {
    int count = 0;
    for (int key = -200; key < 1400; ++key) {
        if (const TLegacyFormat* format = FindFormat(key)) {
            EXPECT_EQ(format->Key, key);
            ++count;
        }
    }
    EXPECT_EQ(count, FormatCount);
    EXPECT_EQ(FormatCount, 109);
}

TEST(LegacyCatalogue, DescriptionsDifferWithinACategory) {
    for (const TLegacyCategory& category : Categories()) {
        std::set<std::wstring> captions;
        for (const TLegacyFormat& format : category.Formats)
            EXPECT_TRUE(captions.insert(FormatCaption(format)).second) << format.Key;
    }
}

// A shared text is the main window's text of the same key, and only equal
// texts are shared.
TEST(LegacyCatalogue, SharedTextsComeFromTheMainEntryOfTheSameKey) {
    for (const TLegacyCategory& category : Categories()) {
        for (const TLegacyFormat& format : category.Formats) {
            const formats::TFormatEntry* main = formats::FindFormat(format.Key);
            if (format.Title == SharedText) {
                ASSERT_NE(main, nullptr) << format.Key;
                EXPECT_EQ(FormatTitle(format), main->Title);
            } else if (main) {
                EXPECT_NE(FormatTitle(format), main->Title) << format.Key;
            }
            if (format.Caption == SharedText) {
                ASSERT_NE(main, nullptr) << format.Key;
                EXPECT_EQ(format.Title, SharedText) << format.Key;
            }
        }
    }
}

TEST(LegacyCatalogue, CatalogueKeyTakesThePositionsAsTheyAre) {
    EXPECT_EQ(CatalogueKey(0, 0), 100);
    EXPECT_EQ(CatalogueKey(11, 3), 1203);
    EXPECT_EQ(CatalogueKey(0, 15), 115);
    EXPECT_EQ(CatalogueKey(0, -1), 99);
    EXPECT_EQ(CatalogueKey(-1, -1), -1);
}

TEST(FormatListFill, RefillingLeavesOnlyTheCategoryAndClicksAgain) {
    FakeFormatList list;
    FillFormatList(list, 1);
    FillFormatList(list, 1);
    EXPECT_EQ(list.Items.size(), 13u);
    EXPECT_EQ(list.Clicks, 2);
    EXPECT_EQ(list.Items.front().Title, L"MP3 - MPEG Layer-3音频格式(*.mp3)");
    FillFormatList(list, 11);
    EXPECT_EQ(list.Items.size(), 4u);
    EXPECT_EQ(list.Items.front().Title, L"FLV在线网络视频(*.flv)");
}

TEST(FormatListFill, NoCategoryLeavesTheListEmptyAndTheSelectionChoosesNothing) {
    // Position 0 of an empty office list lies beyond its items: the
    // selection changes nothing and raises no click.
    for (int position : {-1, 12}) {
        FakeFormatList list;
        FillFormatList(list, 3);
        FillFormatList(list, position);
        EXPECT_TRUE(list.Items.empty()) << position;
        EXPECT_EQ(list.Index, -1) << position;
        EXPECT_EQ(list.Clicks, 1) << position;
    }
}

}  // namespace
}  // namespace legacy
