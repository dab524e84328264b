// The drive, folder and file lists: the folder chain with its row kinds and
// item paths, the file list following the folder list and the edit, masks
// with several patterns, folders in brackets, typed paths with wildcards, a
// folder that cannot be entered, the drive combo driving the folder list,
// a linked filter box setting the file list's mask, and the process's
// current directory left alone throughout.
#include "tests/platform/ControlsFixture.h"

#include <algorithm>

#include "platform/Bitmap.h"
#include "platform/FileSearch.h"
#include "skin/shell/bsFileCtrlPaths.h"
#include "skin/shell/bsFileCtrls.h"
#include "skin/shell/bsSkinFilterCombo.h"
#include "tests/dialogs/TempFolder.h"

namespace {

std::string Narrow(const String& s) { return std::string(s.begin(), s.end()); }

class FileListsTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        platform_test::ControlsTest::SetUp();
        cwdBefore = GetCurrentDir();
        tmp.Folder(L"A");
        tmp.Folder(L"A\\B");
        tmp.Folder(L"A\\B\\x2");
        tmp.Folder(L"A\\B\\x1");
        tmp.Folder(L"sub");
        for (const wchar_t* f : {L"a.mp4", L"b.MP4", L"c.avi", L"d.txt", L"sub\\e.avi", L"视频.mp4"}) tmp.File(f);
        dirs = new TbsSkinDirectoryListBox(form);
        dirs->SetParent(form);
        dirs->SetBounds(10, 10, 200, 300);
        files = new TbsSkinFileListBox(form);
        files->SetParent(form);
        files->SetBounds(220, 10, 200, 300);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(220, 320, 200, 21);
        dirs->SetFileList(files);
        files->SetFileEdit(edit);
        Application->ProcessMessages();
    }
    void TearDown() override {
        EXPECT_EQ(GetCurrentDir(), cwdBefore) << "the lists never move the current directory";
        platform_test::ControlsTest::TearDown();
    }
    std::vector<String> Rows(TbsSkinCustomListBox* l) {
        std::vector<String> r;
        for (int i = 0; i < l->Items()->Count(); ++i) r.push_back(l->Items()->Get(i));
        return r;
    }
    dialogstest::TempFolder tmp{L"filelists"};
    String cwdBefore;
    TbsSkinDirectoryListBox* dirs = nullptr;
    TbsSkinFileListBox* files = nullptr;
    TEdit* edit = nullptr;
};

TEST_F(FileListsTest, TheFolderListShowsTheChainThenTheSubfoldersAndKnowsEachRowsPath) {
    dirs->SetDirectory(tmp / L"A\\B");
    const String dir = tmp / L"A\\B";
    ASSERT_TRUE(SameText(dirs->Directory(), dir)) << Narrow(dirs->Directory());
    // The chain: the drive root, one row per folder above B, B itself.
    const int depth = static_cast<int>(std::count(dir.begin(), dir.end(), L'\\'));  // "C:\...\A\B"
    const auto rows = Rows(dirs);
    ASSERT_EQ(static_cast<int>(rows.size()), depth + 1 + 2);
    EXPECT_EQ(rows[0], dir.substr(0, 3));
    EXPECT_EQ(rows[static_cast<size_t>(depth) - 1], L"A");
    EXPECT_EQ(rows[static_cast<size_t>(depth)], L"B");
    EXPECT_EQ(rows[static_cast<size_t>(depth) + 1], L"x1") << "subfolders sorted";
    EXPECT_EQ(rows[static_cast<size_t>(depth) + 2], L"x2");
    EXPECT_EQ(dirs->ItemIndex(), depth) << "the current folder's row is selected";
    EXPECT_EQ(dirs->Items()->GetObject(depth), &dirs->CurrentBMP);
    EXPECT_EQ(dirs->Items()->GetObject(1), &dirs->OpenedBMP);
    EXPECT_EQ(dirs->Items()->GetObject(depth + 1), &dirs->ClosedBMP);
    EXPECT_TRUE(SameText(dirs->GetItemPath(depth - 1), tmp / L"A"));
    EXPECT_TRUE(SameText(dirs->GetItemPath(depth + 2), tmp / L"A\\B\\x2"));
    EXPECT_EQ(dirs->GetItemPath(0), dir.substr(0, 3));
    EXPECT_EQ(dirs->GetItemPath(99), L"");

    // Opening an ancestor row moves the list there.
    dirs->SetItemIndex(depth - 1);
    dirs->OpenCurrent();
    EXPECT_TRUE(SameText(dirs->Directory(), tmp / L"A"));
}

// With sideways scrolling on, a narrow folder list's range is its widest
// row counted with its picture and indent, and the rows' pictures move
// left with the scrolling.
TEST_F(FileListsTest, FolderRowsScrollSidewaysByTheirWidthWithPictureAndIndent) {
    const String longName = L"a_folder_with_a_rather_long_name";
    tmp.Folder(L"A\\B\\" + longName);
    dirs->SetDirectory(tmp / L"A\\B");
    dirs->SetHorizontalExtent(true);
    dirs->SetWidth(90);
    Application->ProcessMessages();
    ASSERT_NE(dirs->HScrollBar, nullptr) << "the long row does not fit";
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(dirs->ListBox->Font());
    const int depth = PathDepth(dirs->Directory());
    // A subfolder row: text + 16-pixel picture + indent (depth * 4 + 6) + 4.
    const int longRow = measure.Canvas()->TextExtent(longName).cx + 16 + depth * 4 + 6 + 4;
    EXPECT_EQ(dirs->HScrollBar->Max(), longRow);

    // The picture of the row above the current folder, drawn unscrolled
    // and scrolled by 12.
    const int row = dirs->ItemIndex() - 1;
    const RECT r = dirs->ListBox->ItemRect(row);
    auto firstInkColumn = [&](int shift) {
        dirs->ListBox->HorizontalExtentValue = shift;
        TBitmap shot(dirs->ListBox->Width(), dirs->ListBox->Height(), pf24bit);
        dirs->ListBox->PaintRows(shot.Canvas()->Handle());
        const TColor background = shot.Canvas()->Pixel(r.right - 1, r.top);
        for (int x = r.left; x < r.right; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                if (shot.Canvas()->Pixel(x, y) != background) return x;
        return -1;
    };
    const int unscrolled = firstInkColumn(0);
    ASSERT_GE(unscrolled, 12) << "the row's picture lies right of its indent";
    EXPECT_EQ(firstInkColumn(12), unscrolled - 12);
    dirs->ListBox->HorizontalExtentValue = 0;
}

TEST_F(FileListsTest, TheFileListFollowsTheFolderListWithMasksAndFolders) {
    dirs->SetDirectory(tmp.Path());
    EXPECT_TRUE(SameText(files->Directory(), tmp.Path()));
    const struct Case {
        const wchar_t* mask;
        TbsFileType type;
        std::vector<String> rows;  // sorted, as the list shows them
    } cases[] = {
        {L"*.*", bsftNormal, {L"a.mp4", L"b.MP4", L"c.avi", L"d.txt", L"视频.mp4"}},
        {L"*.mp4;*.avi", bsftNormal, {L"a.mp4", L"b.MP4", L"c.avi", L"视频.mp4"}},
        {L"*.avi", bsftNormal | bsftDirectory, {L"c.avi"}},
        {L"s*", bsftNormal | bsftDirectory, {L"[sub]"}},
    };
    for (const Case& c : cases) {
        files->SetFileType(c.type);
        files->SetMask(c.mask);
        EXPECT_EQ(Rows(files), c.rows) << Narrow(c.mask);
    }
    files->SetFileType(bsftNormal);
    files->SetMask(L"*.*");
    // The edit shows the mask without a selection, the name with one.
    EXPECT_EQ(edit->GetText(), L"*.*");
    files->SetFileName(tmp / L"c.avi");
    EXPECT_EQ(edit->GetText(), L"c.avi");
    EXPECT_TRUE(SameText(files->FileName(), tmp / L"c.avi"));
}

// A linked filter box hands each chosen entry's mask to the file list; a
// freed box or a box linked elsewhere leaves the list alone.
TEST_F(FileListsTest, ALinkedFilterBoxSetsTheFileListsMask) {
    dirs->SetDirectory(tmp.Path());
    auto* filter = new TbsSkinFilterComboBox(form);
    filter->SetParent(form);
    filter->SetBounds(220, 350, 200, 20);
    filter->HandleNeeded();
    filter->SetFilter(L"视频|*.mp4|AVI|*.avi|全部|*.*");
    filter->SetFileList(files);
    EXPECT_EQ(files->FilterCombo(), filter);
    const struct Case {
        int entry;
        std::vector<String> rows;
    } cases[] = {
        {0, {L"a.mp4", L"b.MP4", L"视频.mp4"}},
        {1, {L"c.avi"}},
        {2, {L"a.mp4", L"b.MP4", L"c.avi", L"d.txt", L"视频.mp4"}},
    };
    for (const Case& c : cases) {
        filter->SetItemIndex(c.entry);
        EXPECT_EQ(files->Mask(), filter->Mask()) << c.entry;
        EXPECT_EQ(Rows(files), c.rows) << c.entry;
    }
    filter->SetItemIndex(1);
    filter->SetFileList(nullptr);
    EXPECT_EQ(files->FilterCombo(), nullptr);
    filter->SetItemIndex(0);
    EXPECT_EQ(files->Mask(), L"*.avi") << "an unlinked box leaves the mask";
    filter->SetFileList(files);
    delete filter;
    EXPECT_EQ(files->FilterCombo(), nullptr) << "a freed box unlinks itself";
    files->SetMask(L"*.txt");
    EXPECT_EQ(Rows(files), std::vector<String>{L"d.txt"});
}

TEST_F(FileListsTest, ATypedPathWithAWildcardMovesBothListsAndSetsTheMask) {
    dirs->SetDirectory(tmp.Path());
    files->ApplyFilePath(tmp / L"sub\\*.avi");
    EXPECT_TRUE(SameText(dirs->Directory(), tmp / L"sub"));
    EXPECT_TRUE(SameText(files->Directory(), tmp / L"sub"));
    EXPECT_EQ(files->Mask(), L"*.avi");
    EXPECT_EQ(Rows(files), std::vector<String>{L"e.avi"});
}

TEST_F(FileListsTest, AFolderThatCannotBeEnteredRaisesAndKeepsTheRows) {
    dirs->SetDirectory(tmp.Path());
    const auto before = Rows(dirs);
    EXPECT_THROW(dirs->SetDirectory(tmp / L"missing"), EInOutError);
    EXPECT_TRUE(SameText(dirs->Directory(), tmp.Path()));
    EXPECT_EQ(Rows(dirs), before);
    // A relative path is taken from the folder shown.
    dirs->SetDirectory(L"A\\..\\sub");
    EXPECT_TRUE(SameText(dirs->Directory(), tmp / L"sub"));
}

TEST_F(FileListsTest, TheDriveComboDrivesTheFolderList) {
    auto* drives = new TbsSkinDriveComboBox(form);
    drives->SetParent(form);
    drives->SetBounds(10, 320, 200, 21);
    drives->SetDirList(dirs);
    Application->ProcessMessages();
    dirs->SetDirectory(tmp.Path());
    const wchar_t home = static_cast<wchar_t>(towlower(tmp.Path()[0]));
    drives->SetDrive(home);
    ASSERT_GE(drives->ItemIndex(), 0);
    // The same drive in other case changes nothing.
    drives->SetDrive(static_cast<wchar_t>(towupper(home)));
    EXPECT_TRUE(SameText(dirs->Directory(), tmp.Path()));
    // Another drive moves the folder list to that drive.
    wchar_t other = 0;
    for (int i = 0; i < drives->Items()->Count() && !other; ++i) {
        const wchar_t d = static_cast<wchar_t>(towlower(drives->Items()->Get(i)[0]));
        if (d != home && GetDriveTypeW((String(1, d) + L":\\").c_str()) == DRIVE_FIXED) other = d;
    }
    if (!other) GTEST_SKIP() << "one fixed drive only";
    drives->SetDrive(other);
    EXPECT_EQ(towlower(dirs->Drive()), other);
    EXPECT_EQ(towlower(files->Drive()), other);
}

}  // namespace
