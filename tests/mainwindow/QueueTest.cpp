// The file queue: adding files through the skinned dialogs (one, several, a
// folder), refusals that leave no row, task or slot behind, rows and slots
// kept in step through removes and moves, the rename box, the restore of a
// row's choices on selection, and the limit of 501 rows.
#include <gtest/gtest.h>

#include <algorithm>

#include "QueueFixture.h"
#include "app/FormatCatalogue.h"
#include "platform/ListView.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsPanel.h"

namespace mainwindowtest {
namespace {

// The folder's files in the order the system lists them.
std::vector<std::wstring> Listing(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((folder + L"*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(folder + found.cFileName);
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return names;
}

TEST_F(QueueTest, AFileTheProbeRefusesLeavesNoRowTaskOrSlot) {
    Start();
    const std::wstring bad = TextFile(L"notes.avi");
    const int linesBefore = LogLinesStartingWith(L"***File load error: ");
    AddOne(bad);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
    for (const TOutputOptions& slot : Form1->OO1) ASSERT_EQ(slot.AudioLanguage, L"kong");
    EXPECT_EQ(LogLinesStartingWith(L"***File load error: "), linesBefore + 1);
    EXPECT_FALSE(Form1->bsSkinButton2->Enabled()) << "nothing to start";
}

TEST_F(QueueTest, AddedFilesGetTheirRowsTasksAndSlotsInReverseOrder) {
    Start();
    const std::wstring a = Clip(L"a.mp4"), b = Clip(L"视频.mp4");
    // An earlier result in the output folder: the adds leave the folder's
    // listing exactly as it was.
    testmedia::WriteBytes(outputs_ + L"\\earlier.avi", "an earlier result");
    const std::vector<std::wstring> before = Listing(outputs_ + L"\\");
    AddSeveral({a, b});
    ASSERT_EQ(Rows(), 2);
    // The rows are the dialog's list of files in reverse order.
    TStringList* files = Form1->OpenDialog2->Files();
    ASSERT_EQ(files->Count(), 2);
    EXPECT_TRUE(SameText(Row(0)->Caption(), files->Get(1)));
    EXPECT_TRUE(SameText(Row(1)->Caption(), files->Get(0)));
    EXPECT_FALSE(SameText(files->Get(0), files->Get(1)));
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Cell(Row(i), 7), std::to_wstring(i + 1));
        EXPECT_EQ(Form1->IO1[static_cast<size_t>(i)].FileName, Row(i)->Caption());
        EXPECT_EQ(Form1->OO1[static_cast<size_t>(i)].AudioLanguage, L"Full");
        EXPECT_EQ(Cell(Row(i), 0), L"00:00:01");
        EXPECT_TRUE(Cell(Row(i), 1).find(L"MB") != String::npos);
        EXPECT_EQ(Cell(Row(i), 3), L"");
        // Every encoder column is filled, also for the row not selected last.
        EXPECT_EQ(Cell(Row(i), 21), L"False");
    }
    EXPECT_EQ(Form1->OO1[2].AudioLanguage, L"kong");
    EXPECT_EQ(Form1->lvFiles->ItemIndex(), 1) << "the last added row is selected";
    EXPECT_EQ(Form1->T_Movie_PLayer_FileName, Row(1)->Caption());
    EXPECT_TRUE(Form1->bsSkinButton2->Enabled());
    EXPECT_TRUE(Form1->N13->Enabled());
    EXPECT_FALSE(Form1->bsSkinPanel5->Visible());
    // No output file is written before Start, and none of an earlier name touched.
    EXPECT_EQ(Listing(outputs_ + L"\\"), before);
    AddOne(Clip(L"c.mp4"));  // one more through the single add
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(Listing(outputs_ + L"\\"), before);
}

TEST_F(QueueTest, AFolderEntersItsMediaFilesInReverseListingOrder) {
    Start();
    const std::wstring folder = media_ + L"folder\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"sub").c_str(), nullptr);
    for (const wchar_t* name : {L"folder\\c.mp4", L"folder\\a.mp4", L"folder\\b.mp4", L"folder\\sub\\d.mp4"})
        Clip(name);
    TextFile(L"folder\\readme.txt");
    AddFolder(folder);
    std::vector<std::wstring> expected;
    for (const std::wstring& f : Listing(folder))
        if (f.rfind(L".mp4") == f.size() - 4) expected.insert(expected.begin(), f);
    ASSERT_EQ(Rows(), 3) << "the text file is refused, the subfolder not entered";
    ASSERT_EQ(expected.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameText(Row(i)->Caption(), expected[static_cast<size_t>(i)]));
    EXPECT_TRUE(notices_.empty());

    const std::wstring empty = media_ + L"nothing\\";
    CreateDirectoryW(empty.c_str(), nullptr);
    TextFile(L"nothing\\a.txt");
    AddFolder(empty);
    EXPECT_EQ(Rows(), 3);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_EQ(notices_[0], L"在该目录没有发现可以用的视频或音频文件！");
    EXPECT_EQ(noticeCaptions_[0], L"提示");
}

TEST_F(QueueTest, RemoveAndMovesKeepRowsTasksAndSlotsInStep) {
    Start();
    const std::wstring a = Clip(L"a.mp4"), b = Clip(L"b.mp4"), c = Clip(L"c.mp4");
    for (const std::wstring& f : {a, b, c}) AddOne(f);
    ASSERT_EQ(Rows(), 3);
    Form1->lvFiles->SetItemIndex(1);
    Form1->bsSkinButton7->ButtonClick();  // "删除"
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 2);
    EXPECT_EQ(Row(0)->Caption(), a);
    EXPECT_EQ(Row(1)->Caption(), c);
    EXPECT_EQ(Cell(Row(1), 7), L"2") << "the later task moved down";
    EXPECT_EQ(Form1->IO1[1].FileName, c) << "slot 1 holds row 1's file";
    EXPECT_EQ(Form1->OO1[2].AudioLanguage, L"kong");

    Form1->lvFiles->SetItemIndex(1);
    Form1->bsSkinButton3->ButtonClick();  // "上移"
    EXPECT_EQ(Row(0)->Caption(), c);
    EXPECT_EQ(Form1->IO1[0].FileName, c);
    EXPECT_EQ(Form1->IO1[1].FileName, a);
    EXPECT_EQ(Form1->lvFiles->ItemIndex(), 0);
    Form1->bsSkinButton3->ButtonClick();  // the first row stays
    EXPECT_EQ(Row(0)->Caption(), c);
    Form1->N2221->Click();  // "下移文件"
    EXPECT_EQ(Row(1)->Caption(), c);
    EXPECT_EQ(Form1->IO1[1].FileName, c);
    Form1->N2221->Click();  // the last row stays
    EXPECT_EQ(Row(1)->Caption(), c);

    // Removing c removes its own check task, which moved with its row.
    Form1->lvFiles->SetItemIndex(1);
    Form1->btnRemoveClick(nullptr);
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 1);
    EXPECT_EQ(Cell(Row(0), 7), L"1");
    Form1->lvFiles->SetItemIndex(-1);
    Form1->btnRemoveClick(nullptr);
    EXPECT_EQ(Rows(), 1);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_EQ(notices_[0], L"请先选择您需要删除的项目！");

    Form1->bsSkinButton8->ButtonClick();  // "清空"
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
    EXPECT_TRUE(Form1->bsSkinPanel5->Visible());
    // The empty queue's picture lies over the queue, not under it.
    const TRect queue = Form1->bsSkinPanel1->BoundsRect();
    const POINT middle{(queue.left + queue.right) / 2, (queue.top + queue.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(Form1->Handle(), middle, CWP_SKIPINVISIBLE), Form1->bsSkinPanel5->Handle());
    EXPECT_FALSE(Form1->bsSkinButton8->Enabled());
    for (const TOutputOptions& slot : Form1->OO1) ASSERT_EQ(slot.AudioLanguage, L"kong");
}

TEST_F(QueueTest, TheQueueRefusesAFileBeyondItsSlotsWithANotice) {
    Start();
    const std::wstring a = Clip(L"a.mp4");
    Form1->lvFiles->Items()->BeginUpdate();
    for (int i = 0; i < TForm1::SlotCount; ++i) {
        TListItem* row = Form1->lvFiles->Items()->Add();
        row->SetCaption(L"C:\\x" + std::to_wstring(i) + L".avi");
        for (int k = 0; k < 24; ++k) row->SubItems()->Add(String());
    }
    Form1->lvFiles->Items()->EndUpdate();
    AddOne(a);
    EXPECT_EQ(Rows(), TForm1::SlotCount);
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_EQ(noticeCaptions_[0], L"提示");
}

TEST_F(QueueTest, RenameTakesOnlyAFileNameForTheSelectedRow) {
    Start();
    AddOne(Clip(L"a.mp4"));
    ASSERT_EQ(Rows(), 1);
    // The format chosen at start: "H.264高清AVI视频格式(*.avi)".
    const String ext = L".avi";
    ASSERT_TRUE(Form1->ChosenFormatTitle().find(L"(*.avi)") != String::npos);
    Form1->bsSkinButton21->ButtonClick();  // "重命名"
    ASSERT_TRUE(Form1->edt->Visible());
    EXPECT_EQ(Form1->edt->GetText(), L"a");
    for (const wchar_t* bad : {L"..\\evil", L"sub/clip", L"a:b", L"a?b", L""}) {
        Form1->edt->SetText(bad);
        Form1->edtExit(nullptr);
        EXPECT_EQ(Cell(Row(0), 2), L"a" + ext);
        EXPECT_TRUE(Form1->edt->Visible());
    }
    Form1->edt->SetText(L"新名字");
    Form1->edtExit(nullptr);
    EXPECT_EQ(Cell(Row(0), 2), L"新名字" + ext);
    EXPECT_FALSE(Form1->edt->Visible());
    EXPECT_EQ(Form1->OO1[0].FileName, outputs_ + L"\\新名字" + ext);

    // Without a selection nothing is renamed.
    Form1->lvFilesDblClick(nullptr);
    Form1->lvFiles->SetItemIndex(-1);
    Form1->edt->SetText(L"other");
    Form1->edtExit(nullptr);
    EXPECT_EQ(Cell(Row(0), 2), L"新名字" + ext);
    EXPECT_FALSE(Form1->edt->Visible());
    Form1->N26Click(nullptr);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_EQ(notices_[0], L"请先选中您需要重命名的项目！");
}

// A row keeps its own choices: selecting it brings back its category,
// format and the six option positions, whatever was chosen meanwhile.
TEST_F(QueueTest, SelectingARowRestoresItsFormatAndOptions) {
    Start();
    AddSelectedRow(L"C:\\in\\one.avi", L"one.mkv");
    TListItem* row = AddSelectedRow(L"C:\\in\\two.avi", L"two.mkv");
    Form1->lvFiles->SetItemIndex(-1);
    row->SubItems()->Put(8, L"2105");
    row->SubItems()->Put(9, L"000102030405");
    Form1->lvFiles->SetItemIndex(1);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->ItemIndex(), 20);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->ItemIndex(), 5);
    EXPECT_EQ(Form1->bsSkinComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Form1->bsSkinComboBox2->ItemIndex(), 1);
    EXPECT_EQ(Form1->bsSkinComboBox3->ItemIndex(), 2);
    EXPECT_EQ(Form1->bsSkinComboBox4->ItemIndex(), 3);
    EXPECT_EQ(Form1->bsSkinComboBox9->ItemIndex(), 4);
    EXPECT_EQ(Form1->bsSkinComboBox10->ItemIndex(), 5);
    EXPECT_EQ(Cell(row, 9), L"000102030405");
    EXPECT_EQ(Form1->T_Movie_PLayer_FileName, L"C:\\in\\two.avi");
    // A malformed code changes nothing.
    TListItem* other = Row(0);
    other->SubItems()->Put(8, L"2105");
    other->SubItems()->Put(9, L"00x1");
    Form1->bsSkinOfficeComboBox2->SetItemIndex(3);
    const int format = Form1->bsSkinOfficeComboBox1->ItemIndex();
    Form1->lvFiles->SetItemIndex(0);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->ItemIndex(), 3);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->ItemIndex(), format);
}

}  // namespace
}  // namespace mainwindowtest
