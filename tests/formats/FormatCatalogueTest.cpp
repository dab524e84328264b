// Catalogue: category table, keys, title extensions and the open-dialog filter.

#include "app/FormatCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace formats {
namespace {

struct CategoryCase {
    int Position;
    const wchar_t* Caption;
    int Code;
    int Formats;
};

// The category list as its table gives it: position, caption, code, formats.
const CategoryCase kCategoryTable[] = {
    {0, L"H264视频", 26, 4},     {1, L"MOV视频", 25, 4},      {2, L"iPad视频", 12, 11},
    {3, L"AVI视频", 15, 7},      {4, L"MP4视频", 10, 5},      {5, L"AVCHD视频", 27, 5},
    {6, L"常用视频", 0, 15},     {7, L"HD视频", 2, 10},       {8, L"MPG视频", 13, 11},
    {9, L"MKV视频", 16, 7},      {10, L"VOB视频", 20, 6},     {11, L"平板电脑", 32, 13},
    {12, L"iPhone视频", 4, 15},  {13, L"PSP视频", 5, 5},      {14, L"APPLE视频", 7, 5},
    {15, L"XboX视频", 8, 10},    {16, L"Flash视频", 11, 4},   {17, L"SWF视频", 14, 7},
    {18, L"WMV视频", 17, 7},     {19, L"Android视频", 19, 12}, {20, L"MTS视频", 21, 13},
    {21, L"智能电视", 33, 12},   {22, L"MP3音频", 29, 4},     {23, L"WAV音频", 30, 4},
    {24, L"常用音频", 1, 13},
};

class CategoryTableTest : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(CategoryTableTest, PositionGivesCaptionCodeAndContiguousKeys) {
    const CategoryCase& c = GetParam();
    const TCategory& category = Categories()[c.Position];
    EXPECT_STREQ(category.Caption, c.Caption);
    EXPECT_EQ(category.Code, c.Code);
    EXPECT_EQ(CategoryCode(c.Position), c.Code);
    ASSERT_EQ(static_cast<int>(category.Formats.size()), c.Formats);
    for (int i = 0; i < c.Formats; ++i) {
        const int key = (c.Code + 1) * 100 + i;
        EXPECT_EQ(category.Formats[i].Key, key);
        EXPECT_EQ(CatalogueKey(c.Position, i), key);
        EXPECT_EQ(FindFormat(key), &category.Formats[i]);
        EXPECT_EQ(SelectionKey(c.Position, i), (c.Position + 1) * 100 + i);
    }
    EXPECT_EQ(FindFormat((c.Code + 1) * 100 + c.Formats), nullptr);
}

INSTANTIATE_TEST_SUITE_P(AllPositions, CategoryTableTest, ::testing::ValuesIn(kCategoryTable));

TEST(FormatCatalogue, OffersTwentyFiveDistinctCodesAndTwoHundredNineFormats) {
    ASSERT_EQ(Categories().size(), static_cast<std::size_t>(CategoryCount));
    std::set<int> codes;
    std::size_t formats = 0;
    for (const TCategory& category : Categories()) {
        codes.insert(category.Code);
        formats += category.Formats.size();
    }
    EXPECT_EQ(codes.size(), 25u);
    EXPECT_EQ(formats, 209u);
    for (int code : {3, 6, 9, 18, 22, 23, 24, 28, 31, 34}) {
        EXPECT_EQ(codes.count(code), 0u) << code;
        EXPECT_EQ(FindFormat((code + 1) * 100), nullptr) << code;
    }
    EXPECT_LT(*codes.rbegin(), CategoryCodeCount);
}

TEST(FormatCatalogue, EveryEntryHasTitleWithExtensionAndDescription) {
    for (const TCategory& category : Categories()) {
        for (const TFormatEntry& format : category.Formats) {
            const std::wstring title = format.Title;
            EXPECT_EQ(title.back(), L')') << format.Key;
            EXPECT_NE(title.rfind(L"(*."), std::wstring::npos) << format.Key;
            EXPECT_EQ(title.substr(title.rfind(L"(*.") + 2, title.size() - title.rfind(L"(*.") - 3),
                      TitleExtension(title))
                << format.Key;
            EXPECT_GT(std::wstring(format.Caption).size(), 4u) << format.Key;
        }
    }
}

TEST(FormatCatalogue, SameTitlesAreToldApartByDescription) {
    EXPECT_STREQ(FindFormat(300)->Title, FindFormat(301)->Title);
    EXPECT_STREQ(FindFormat(300)->Caption, L"高清晰AVI视频格式(DivX视频编码)");
    EXPECT_STREQ(FindFormat(301)->Caption, L"高清晰AVI视频格式(XviD视频编码)");
    EXPECT_STREQ(FindFormat(907)->Caption, L"为Xbox360优化的AVI视频预置方案.(高清晰)");
    EXPECT_STREQ(FindFormat(909)->Caption, L"为Xbox360优化的AVI视频预置方案.(微软编码2)");
    EXPECT_STREQ(FindFormat(100)->Title, L"AVI - 音频视频交错格式(*.avi)");
    EXPECT_STREQ(FindFormat(200)->Caption,
                 L"最流行的音频格式,具有体积小,音质高的特点,几乎成为网上音乐的代名词");
}

struct KeyCase {
    int Position;
    int Format;
    int Selection;
    int Catalogue;
};

class KeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTest, SelectionAndCatalogueKeys) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(SelectionKey(c.Position, c.Format), c.Selection);
    EXPECT_EQ(CatalogueKey(c.Position, c.Format), c.Catalogue);
    int position = -1;
    int format = -1;
    ASSERT_TRUE(SplitSelectionKey(c.Selection, position, format));
    EXPECT_EQ(position, c.Position);
    EXPECT_EQ(format, c.Format);
}

INSTANTIATE_TEST_SUITE_P(Examples, KeyTest,
                         ::testing::Values(KeyCase{19, 4, 2004, 2004}, KeyCase{0, 0, 100, 2700},
                                           KeyCase{24, 12, 2512, 212},
                                           KeyCase{20, 5, 2105, 2205}));

TEST(FormatCatalogue, KeysOutsideTheListsAreRefused) {
    EXPECT_EQ(CatalogueKey(0, -1), 2699);  // no format selected: a key without a format
    EXPECT_EQ(FindFormat(2699), nullptr);
    EXPECT_EQ(CategoryCode(25), -1);
    EXPECT_EQ(CategoryCode(-1), -1);
    EXPECT_EQ(CatalogueKey(25, 0), -1);
    EXPECT_EQ(SelectionKey(-1, 0), -1);
    int position = 7;
    int format = 7;
    EXPECT_FALSE(SplitSelectionKey(104, position, format));   // H264 has 4 formats
    EXPECT_FALSE(SplitSelectionKey(2600, position, format));  // no position 25
    EXPECT_FALSE(SplitSelectionKey(99, position, format));
    EXPECT_EQ(position, 7);
    EXPECT_EQ(format, 7);
    EXPECT_EQ(FindFormat(-5), nullptr);
}

struct ExtensionCase {
    const wchar_t* Title;
    const wchar_t* Ext;
};

class TitleExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(TitleExtensionTest, Extension) {
    EXPECT_EQ(TitleExtension(GetParam().Title), GetParam().Ext);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, TitleExtensionTest,
    ::testing::Values(ExtensionCase{L"FLAC-音频格式(*.flac)", L".flac"},
                      ExtensionCase{L"RM - REAL视频格式(*.rm)", L".rm"},
                      ExtensionCase{L"RA - RealAudio音频格式(*.ra)", L".ra"},
                      ExtensionCase{L"AIFF - 音频交换文件格式(*.aiff)", L".aiff"},
                      ExtensionCase{L"x(*.mpeg)", L".mpeg"}, ExtensionCase{L"x(*.alac) ", L".alac"},
                      ExtensionCase{L"x(*.MP4)", L".MP4"},
                      ExtensionCase{L"H.264高清AVI视频格式(*.avi)", L".avi"},
                      ExtensionCase{L"(*.)", L""}, ExtensionCase{L"", L""}));

TEST(FormatCatalogue, OfferedExtensionsAreTheKnownOnes) {
    const std::set<std::wstring> known = {L".mp4", L".avi", L".mpg", L".wmv", L".mov", L".mkv",
                                          L".flv", L".asf", L".3gp", L".vob", L".swf", L".mp3",
                                          L".wma", L".wav", L".m4a", L".amr", L".rm",  L".aac",
                                          L".ogg", L".ra",  L".ac3", L".aiff", L".mp2", L".flac"};
    for (const TCategory& category : Categories())
        for (const TFormatEntry& format : category.Formats)
            EXPECT_EQ(known.count(TitleExtension(format.Title)), 1u) << format.Key;
}

TEST(OpenDialogFilter, FortyTwoEntriesStartingWithAllFiles) {
    const std::wstring filter = OpenDialogFilter();
    std::size_t bars = 0;
    for (wchar_t c : filter) bars += c == L'|';
    EXPECT_EQ(bars, 84u);  // 42 description|pattern pairs, each ending in "|"
    EXPECT_EQ(filter.rfind(L"所有文件格式 (*.*)|*.*|", 0), 0u);
    EXPECT_EQ(filter.back(), L'|');
    EXPECT_NE(filter.find(L"*.SWF;*.FLAC;*.M4A;"), std::wstring::npos);  // pieces 2 and 3 join
    EXPECT_NE(filter.find(L"Flac无损压缩音频格式\u3000(*.flac)|*.flac|"), std::wstring::npos);
    EXPECT_EQ(filter.size() - filter.rfind(L"AIFF音频编码格式(*.aif; *.aiff)|*.aif; *.aiff|"),
              std::wstring(L"AIFF音频编码格式(*.aif; *.aiff)|*.aif; *.aiff|").size());
}

}  // namespace
}  // namespace formats
