// Output file names and the rename rule, against a real temporary folder.

#include "app/OutputFileName.h"

#include <gtest/gtest.h>

#include "tests/formats/FormatsTestUtil.h"

namespace formats {
namespace {

using formats::testing::TempFolder;

TEST(OutputFileName, TakenNamesGetTheFirstFreeNumber) {
    TempFolder out;
    const std::wstring& dir = out.Path();
    const std::wstring first = FirstOutputFileName(dir, L"D:\\in\\clip.mkv", L".avi");
    EXPECT_EQ(FinalOutputFileName(dir, first, false, L"D:\\in\\clip.mkv"), dir + L"\\clip.avi");
    out.Touch(L"clip.avi");
    EXPECT_EQ(FinalOutputFileName(dir, first, false, L"D:\\in\\clip.mkv"), dir + L"\\clip_1.avi");
    out.Touch(L"clip_1.avi");
    EXPECT_EQ(FinalOutputFileName(dir, first, false, L"D:\\in\\clip.mkv"), dir + L"\\clip_2.avi");
}

TEST(OutputFileName, AGapInTheNumbersIsFilledFirst) {
    TempFolder out;
    out.Touch(L"clip.mp4");
    out.Touch(L"clip_2.mp4");
    EXPECT_EQ(FinalOutputFileName(out.Path(), out.Path() + L"\\clip.mp4", false, L""),
              out.Path() + L"\\clip_1.mp4");
}

TEST(OutputFileName, OverwriteKeepsTheName) {
    TempFolder out;
    out.Touch(L"clip.mp4");
    EXPECT_EQ(FinalOutputFileName(out.Path(), out.Path() + L"\\clip.mp4", true, L"D:\\in\\clip.avi"),
              out.Path() + L"\\clip.mp4");
}

TEST(OutputFileName, AFolderOfThatNameDoesNotCountAsTaken) {
    TempFolder out;
    out.MakeFolder(L"clip.mp4");
    EXPECT_FALSE(OutputFileExists(out.Path() + L"\\clip.mp4"));
    EXPECT_EQ(FinalOutputFileName(out.Path(), L"x\\clip.mp4", false, L""),
              out.Path() + L"\\clip.mp4");
}

TEST(OutputFileName, TheInputFileIsNeverOverwritten) {
    TempFolder out;
    out.Touch(L"clip.mp4");
    const std::wstring input = out.Path() + L"\\CLIP.MP4";
    EXPECT_EQ(FinalOutputFileName(out.Path(), L"clip.mp4", true, input),
              out.Path() + L"\\clip_1.mp4");
    EXPECT_EQ(FinalOutputFileName(out.Path(), L"clip.mp4", false, input),
              out.Path() + L"\\clip_1.mp4");
}

struct NameCase {
    const wchar_t* Input;
    const wchar_t* Ext;
    const wchar_t* Expected;
};

class FirstOutputNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FirstOutputNameTest, Name) {
    EXPECT_EQ(FirstOutputFileName(L"D:\\out", GetParam().Input, GetParam().Ext),
              GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FirstOutputNameTest,
    ::testing::Values(NameCase{L"D:\\in\\clip", L".mp4", L"D:\\out\\clip.mp4"},
                      NameCase{L"D:\\in\\movie.part1.avi", L".mp4", L"D:\\out\\movie.part1.mp4"},
                      NameCase{L"D:\\in.dir\\clip", L".avi", L"D:\\out\\clip.avi"},
                      NameCase{L"C:clip.wmv", L".avi", L"D:\\out\\clip.avi"},
                      NameCase{L"clip.avi", L".mp4", L"D:\\out\\clip.mp4"}));

TEST(OutputFileName, PartsOfAPath) {
    EXPECT_EQ(FileNamePart(L"D:\\a\\b.c\\name.ext"), L"name.ext");
    EXPECT_EQ(FileNamePart(L"D:name"), L"name");
    EXPECT_EQ(FileExtensionOf(L"D:\\a.b\\name"), L"");
    EXPECT_EQ(FileExtensionOf(L"D:\\a\\name.tar.gz"), L".gz");
    EXPECT_EQ(ChangeFileExtension(L"name", L".mp3"), L"name.mp3");
}

TEST(OutputFileName, EmptyFolderIsUsedAsItIs) {
    EXPECT_EQ(FirstOutputFileName(L"", L"D:\\in\\clip.avi", L".mp4"), L"\\clip.mp4");
    EXPECT_EQ(FirstOutputFileName(L"D:\\", L"clip.avi", L".mp4"), L"D:\\\\clip.mp4");
}

}  // namespace
}  // namespace formats
