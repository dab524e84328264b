// Path routines: joining, shortening to a width, drive captions and the
// splitting of typed paths (which must never move the process's current
// directory).
#include <gtest/gtest.h>

#include "platform/Bitmap.h"
#include "platform/Graphics.h"
#include "skin/shell/bsFileCtrlPaths.h"
#include "tests/dialogs/TempFolder.h"

namespace {

using dialogstest::TempFolder;
using dialogstest::WithoutDriveLetter;

TEST(PathRoutines, AppendPathItemPutsExactlyOneBackslash) {
    const struct {
        const wchar_t *folder, *name, *want;
    } cases[] = {
        {L"C:\\", L"a.mp4", L"C:\\a.mp4"},
        {L"C:\\video", L"a.mp4", L"C:\\video\\a.mp4"},
        {L"C:\\video\\", L"a.mp4", L"C:\\video\\a.mp4"},
        {L"\\\\srv\\share", L"x", L"\\\\srv\\share\\x"},
    };
    for (const auto& c : cases) EXPECT_EQ(AppendPathItem(c.folder, c.name), c.want) << c.folder;
}

TEST(PathRoutines, DropFirstFolderReplacesItByDots) {
    const struct {
        const wchar_t *in, *want;
    } cases[] = {
        {L"\\", L""},
        {L"\\aa\\bb\\", L"\\...\\bb\\"},
        {L"\\...\\bb\\cc\\", L"\\...\\cc\\"},
        {L"\\...\\cc\\", L"\\...\\"},
        {L"aa\\bb\\", L"...\\bb\\"},
        {L"...\\", L""},
        {L"name", L""},
    };
    for (const auto& c : cases) {
        String s = c.in;
        DropFirstFolder(s);
        EXPECT_EQ(s, c.want) << c.in;
    }
}

TEST(PathRoutines, ShortenPathToWidthDropsFoldersThenDriveThenDots) {
    // Ten pixels a character: the limit in characters is width / 10.
    const TTextWidthFunc width = [](const String& s) { return static_cast<int>(s.size()) * 10; };
    const String name = L"C:\\aa\\bb\\cc\\f.mp4";  // 17 characters
    const struct {
        int max;
        const wchar_t* want;
    } cases[] = {
        {170, L"C:\\aa\\bb\\cc\\f.mp4"},
        // The first step adds "..." and is still too wide: the next one fits.
        {169, L"C:\\...\\cc\\f.mp4"},
        {149, L"C:\\...\\f.mp4"},
        {119, L"...\\f.mp4"},
        {89, L"f.mp4"},
        {10, L"f.mp4"},  // the bare name stays even when too wide
    };
    for (const auto& c : cases) EXPECT_EQ(ShortenPathToWidth(name, width, c.max), c.want) << c.max;
    EXPECT_EQ(ShortenPathToWidth(L"f.mp4", width, 0), L"f.mp4");
}

TEST(PathRoutines, ShortenPathToWidthMeasuresWithTheCanvasFont) {
    TBitmap b(10, 10, pf24bit);
    TCanvas* c = b.Canvas();
    const String name = L"C:\\一个很长的文件夹\\另一个文件夹\\视频.mp4";
    const int limit = c->TextWidth(L"C:\\...\\视频.mp4") + 1;
    const String got = ShortenPathToWidth(name, c, limit);
    EXPECT_EQ(got, L"C:\\...\\视频.mp4");
    EXPECT_LE(c->TextWidth(got), limit);
}

TEST(PathRoutines, VolumeCaptionFollowsTheLetterCase) {
    const String upper = GetVolumeCaption(L'C'), lower = GetVolumeCaption(L'c');
    ASSERT_GE(upper.size(), 2u);
    EXPECT_EQ(upper.front(), L'[');
    EXPECT_EQ(upper.back(), L']');
    EXPECT_EQ(upper, AnsiUpperCase(upper));
    EXPECT_EQ(lower, AnsiLowerCase(upper));
    // A local drive has no network connection: the volume caption comes.
    EXPECT_EQ(GetNetworkDriveCaption(L'C'), upper);
}

TEST(PathRoutines, CaptionOfAMissingDriveIsAnEmptyPair) {
    const DWORD drives = GetLogicalDrives();
    int missing = -1;
    for (int i = 25; i >= 3 && missing < 0; --i)
        if (!(drives & (1u << i))) missing = i;
    ASSERT_GE(missing, 0) << "every drive letter is in use";
    const wchar_t letter = static_cast<wchar_t>(L'A' + missing);
    EXPECT_EQ(GetVolumeCaption(letter), L"[]");
    EXPECT_EQ(GetNetworkDriveCaption(letter), L"[]");
}

TEST(PathRoutines, PathDepthCountsBackslashes) {
    const struct {
        const wchar_t* path;
        int want;
    } cases[] = {{L"C:\\A\\B", 2}, {L"C:\\", 1}, {L"name", 0}, {L"\\\\srv\\share\\x", 4}};
    for (const auto& c : cases) EXPECT_EQ(PathDepth(c.path), c.want) << c.path;
}

TEST(PathRoutines, IsExistingDirectoryOnlyForFolders) {
    TempFolder t(L"paths");
    t.Folder(L"A");
    t.File(L"f.txt");
    EXPECT_TRUE(IsExistingDirectory(t / L"A"));
    EXPECT_FALSE(IsExistingDirectory(t / L"f.txt"));
    EXPECT_FALSE(IsExistingDirectory(t / L"missing"));
    EXPECT_FALSE(IsExistingDirectory(L""));
}

// base\A\B, base\A\f.txt, base\A\x.mp4
class SplitEditPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.Folder(L"A");
        t.Folder(L"A\\B");
        t.File(L"A\\f.txt");
        before = GetCurrentDir();
    }
    void TearDown() override { EXPECT_EQ(GetCurrentDir(), before) << "the current directory moved"; }
    TempFolder t{L"split"};
    String before;
};

TEST_F(SplitEditPathTest, TypedPathsGiveDriveFolderAndFile) {
    const String base = t.Path(), a = t / L"A";
    const wchar_t drive = base[0];
    const String dir = WithoutDriveLetter(base);
    const struct {
        String text, baseDir;
        wchar_t drive;
        String dirPart, filePart;
    } cases[] = {
        // drive, folder and a pattern
        {a + L"\\*.mp4", base, drive, dir + L"\\A", L"*.mp4"},
        // an existing folder without final backslash is the folder
        {a, base, drive, dir + L"\\A", L""},
        {a + L"\\", base, drive, dir + L"\\A", L""},
        // an existing file
        {a + L"\\f.txt", base, drive, dir + L"\\A", L"f.txt"},
        // relative to the base folder
        {L"f.txt", a, drive, dir + L"\\A", L"f.txt"},
        {L"A\\f.txt", base, drive, dir + L"\\A", L"f.txt"},
        {L"B", a, drive, dir + L"\\A\\B", L""},
        // folder rows of a file list
        {L"[..]", a, drive, dir, L""},
        {L"[B]", a, drive, dir + L"\\A\\B", L""},
        // dots are resolved
        {L"A\\..\\A\\B\\.", base, drive, dir + L"\\A\\B", L""},
        // a name not found that is a pattern stays a file part
        {L"new?.mp4", a, drive, dir + L"\\A", L"new?.mp4"},
        // a UNC path keeps its server and share, with no drive letter
        {L"\\\\srv\\share\\*.mp4", base, 0, L"\\\\srv\\share\\", L"*.mp4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TEditPathParts p = SplitEditPath(c.text, c.baseDir);
        EXPECT_EQ(p.Drive, c.drive);
        EXPECT_EQ(p.DirPart, c.dirPart);
        EXPECT_EQ(p.FilePart, c.filePart);
    }
}

TEST_F(SplitEditPathTest, WithoutBaseTheCurrentDirectoryIsReadNotMoved) {
    ASSERT_TRUE(SetCurrentDir(t / L"A"));
    const TEditPathParts p = SplitEditPath(L"B");
    EXPECT_EQ(p.DirPart, WithoutDriveLetter(t.Path()) + L"\\A\\B");
    EXPECT_EQ(GetCurrentDir(), t / L"A");
    SetCurrentDir(before);
}

TEST_F(SplitEditPathTest, MissingFoldersRaiseInOutError) {
    const String cases[] = {t / L"missing\\x.mp4", L"nosuch", L"A\\nosuch\\f.txt"};
    for (const String& text : cases) {
        SCOPED_TRACE(text);
        try {
            SplitEditPath(text, t.Path());
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.ErrorCode, static_cast<int>(ERROR_PATH_NOT_FOUND));
        }
    }
}

}  // namespace
