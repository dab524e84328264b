// The shell tree, folder list and path box, alone and linked, over a media
// folder made for the test.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/StringList.h"
#include "skin/shell/bsSkinShellCombo.h"
#include "skin/shell/bsSkinShellList.h"
#include "skin/shell/bsSkinShellTree.h"
#include "tests/dialogs/ShellFixture.h"
#include "tests/platform/ControlsFixture.h"

namespace {

using dialogstest::MediaFolder;
using platform::ItemIdList;
using Names = std::vector<String>;

class ShellViewsTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        // OLE's own window comes with the first use of the shell, not with
        // the test.
        ShellDesktopObject();
        platform_test::ControlsTest::SetUp();
    }
    template <class T>
    T* Make(int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        c->HandleNeeded();
        return c;
    }
    TbsSkinFileListView* NewList() { return Make<TbsSkinFileListView>(200, 40, 420, 300); }
    // The file names of the rows, in row order.
    static Names Rows(TbsCustomShellListView* list) {
        Names names;
        for (int i = 0; i < list->FolderCount(); ++i) names.push_back(ExtractFileName(list->FolderAtIndex(i)->FullObjectName()));
        return names;
    }
    static int RowOf(TbsCustomShellListView* list, const String& name) {
        for (int i = 0; i < list->FolderCount(); ++i)
            if (SameText(ExtractFileName(list->FolderAtIndex(i)->FullObjectName()), name)) return i;
        return -1;
    }
    // A left click on column c of the list's header, as the user makes it.
    void ClickHeader(TbsCustomShellListView* list, int c) {
        HWND header = list->HeaderHandle();
        ASSERT_NE(header, nullptr);
        RECT r{};
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(header, WM_MOUSEMOVE, 0, at);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(header, WM_LBUTTONUP, 0, at);
        Application->ProcessMessages();
    }
    MediaFolder media;
};

TEST_F(ShellViewsTest, LinkedViewsFollowTheTreeAndTheListNavigates) {
    auto* tree = Make<TbsSkinDirTreeView>(10, 40, 180, 300);
    auto* combo = Make<TbsSkinShellComboBox>(200, 10, 300, 20);
    auto* list = NewList();
    tree->SetShellListView(list);
    tree->SetShellComboBox(combo);
    list->SetShellComboBox(combo);
    Application->ProcessMessages();

    tree->SetPath(media.Path());
    EXPECT_TRUE(SameText(tree->Path(), media.Path())) << tree->Path();
    EXPECT_TRUE(SameText(list->Path(), media.Path())) << list->Path();
    EXPECT_TRUE(SameText(combo->Path(), media.Path())) << combo->Path();

    list->SetMask(L"*.mp4");
    EXPECT_EQ(Rows(list), (Names{L"sub", L"a.mp4", L"b.MP4"}));

    // Enter on a folder row goes into it; the tree and the box follow.
    list->SetFocus();
    list->SetItemIndex(RowOf(list, L"sub"));
    PressKey(list->Handle(), VK_RETURN);
    EXPECT_TRUE(SameText(list->Path(), media / L"sub")) << list->Path();
    EXPECT_TRUE(SameText(tree->Path(), media / L"sub")) << tree->Path();
    EXPECT_TRUE(SameText(combo->Path(), media / L"sub")) << combo->Path();

    // Backspace goes back up.
    PressKey(list->Handle(), VK_BACK);
    EXPECT_TRUE(SameText(list->Path(), media.Path())) << list->Path();
    EXPECT_TRUE(SameText(tree->Path(), media.Path())) << tree->Path();

    // F5 lists a new file and keeps the selected row.
    list->SetItemIndex(2);
    media.File(L"0new.mp4", 5);
    PressKey(list->Handle(), VK_F5);
    EXPECT_NE(RowOf(list, L"0new.mp4"), -1);
    EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(ShellViewsTest, MasksFilterFilesButNeverFolders) {
    auto* list = NewList();
    list->SetPath(media.Path());
    const struct {
        const wchar_t* mask;
        Names rows;
    } cases[] = {
        {L"*.mp4", {L"sub", L"a.mp4", L"b.MP4"}},
        {L"*.AVI|*.txt", {L"sub", L"c.avi"}},
        {L"*.avi;*.mp4;", {L"sub", L"a.mp4", L"b.MP4", L"c.avi"}},
        {L"", {L"sub"}},
        {L"readme", {L"sub"}},  // a piece without a dot matches nothing
        {L"[", {L"sub"}},       // a malformed piece matches nothing either
    };
    for (const auto& c : cases) {
        list->SetMask(c.mask);
        EXPECT_EQ(Rows(list), c.rows) << Utf8Encode(c.mask);
    }
    list->SetMask(L"*");
    Names all = Rows(list);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0], L"sub");
    std::sort(all.begin() + 1, all.end());
    EXPECT_EQ(all, (Names{L"sub", L"a.mp4", L"b.MP4", L"c.avi", L"中文名.mkv"}));
}

TEST_F(ShellViewsTest, ColumnClicksSortBySizeThenReverse) {
    auto* list = NewList();
    list->SetPath(media.Path());
    media.Folder(L"sub2");
    list->Refresh();
    list->SetViewStyle(vsReport);
    ASSERT_GE(list->Columns()->Count(), 4);
    ClickHeader(list, 1);
    EXPECT_EQ(list->SortColumn(), 1);
    // Folders first in the shell's order, then files by bytes.
    EXPECT_EQ(Rows(list), (Names{L"sub", L"sub2", L"中文名.mkv", L"b.MP4", L"c.avi", L"a.mp4"}));
    ClickHeader(list, 1);
    EXPECT_EQ(Rows(list), (Names{L"a.mp4", L"c.avi", L"b.MP4", L"中文名.mkv", L"sub2", L"sub"}));
    // A new listing comes back to the plain order.
    list->Refresh();
    EXPECT_EQ(Rows(list)[0], L"sub");
}

TEST_F(ShellViewsTest, BackStopsAtTheDesktopAndLeavesADriveForMyComputer) {
    auto* list = NewList();
    list->SetPath(L"C:\\");
    list->Back();
    ItemIdList drives;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()));
    EXPECT_TRUE(SameItemIdList(list->RootFolder()->AbsoluteID(), drives.Get()));
    list->Back();
    EXPECT_EQ(ItemIdCount(list->RootFolder()->AbsoluteID()), 0);
    int changes = 0;
    list->OnPathChanged = [&](TObject*) { ++changes; };
    list->Back();
    EXPECT_EQ(ItemIdCount(list->RootFolder()->AbsoluteID()), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(ShellViewsTest, SelectedFilesAreFilesOnlyInRowOrder) {
    auto* list = NewList();
    list->SetMultiSelect(true);
    list->SetPath(media.Path());
    for (const wchar_t* name : {L"sub", L"b.MP4", L"a.mp4"}) ListView_SetItemState(list->Handle(), RowOf(list, name), LVIS_SELECTED, LVIS_SELECTED);
    TStringList files;
    list->GetSelectedFiles(&files);
    ASSERT_EQ(files.Count(), 2);
    EXPECT_TRUE(SameText(files.Get(0), media / L"a.mp4"));
    EXPECT_TRUE(SameText(files.Get(1), media / L"b.MP4"));
}

TEST_F(ShellViewsTest, BadPathsAndRootsLeaveTheViewsAsTheyWere) {
    auto* tree = Make<TbsSkinDirTreeView>(10, 40, 180, 300);
    auto* list = NewList();
    list->SetPath(media.Path());
    const String firstNode = tree->Items()->GetFirstNode()->Text();
    try {
        tree->SetRoot(L"Q:\\no\\such\\root");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"Error setting path: \"Q:\\no\\such\\root\"");
    }
    EXPECT_EQ(tree->Root(), L"rfDesktop");
    ASSERT_NE(tree->Items()->GetFirstNode(), nullptr);
    EXPECT_EQ(tree->Items()->GetFirstNode()->Text(), firstNode);
    EXPECT_THROW(tree->SetPath(L"Q:\\no\\such\\folder"), EInvalidPath);
    EXPECT_THROW(list->SetPath(L"Q:\\no\\such\\folder"), EInvalidPath);
    EXPECT_TRUE(SameText(list->Path(), media.Path()));
    EXPECT_THROW(list->SetRoot(L"nonsense::"), Exception);
    EXPECT_EQ(list->Root(), L"rfDesktop");
}

TEST_F(ShellViewsTest, TreePathExpandsTheAncestorsAndSelectsTheFolder) {
    auto* tree = Make<TbsSkinDirTreeView>(10, 40, 180, 300);
    tree->SetPath(media / L"sub\\inner");
    EXPECT_TRUE(SameText(tree->Path(), media / L"sub\\inner")) << tree->Path();
    TTreeNode* node = tree->Selected();
    ASSERT_NE(node, nullptr);
    for (TTreeNode* up = node->Parent(); up; up = up->Parent()) EXPECT_TRUE(up->Expanded()) << Utf8Encode(up->Text());
    // Refreshing the media folder's node keeps the selection and lists a
    // folder made meanwhile.
    media.Folder(L"sub\\more");
    tree->Refresh(node->Parent());
    EXPECT_TRUE(SameText(tree->Path(), media / L"sub\\inner")) << tree->Path();
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Parent()->Count(), 2);
}

TEST_F(ShellViewsTest, PathBoxShowsOneChainDownToTheFolder) {
    auto* combo = Make<TbsSkinShellComboBox>(200, 10, 300, 20);
    auto* list = NewList();
    list->SetPath(media.Path());
    ASSERT_GT(combo->EntryCount(), 2);
    EXPECT_EQ(combo->Entry(0).Indent, 0);
    EXPECT_EQ(combo->Entry(1).Indent, 1);
    // The drives follow My Computer one level deeper.
    ItemIdList drives;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()));
    const int computer = combo->IndexOfItemIdList(drives.Get());
    ASSERT_GE(computer, 0);
    EXPECT_EQ(combo->Entry(computer + 1).Indent, 2);

    combo->SetPath(media / L"sub\\inner");
    const int inner = combo->ItemIndex();
    ASSERT_GE(inner, 2);
    EXPECT_TRUE(SameText(combo->Path(), media / L"sub\\inner"));
    EXPECT_EQ(combo->Entry(inner).Indent, combo->Entry(inner - 1).Indent + 1);
    EXPECT_TRUE(SameText(combo->FolderAtIndex(inner - 1)->PathName(), media / L"sub"));
    // Not linked: the list stays.
    EXPECT_TRUE(SameText(list->Path(), media.Path()));

    const int before = combo->EntryCount();
    combo->SetPath(media / L"sub");
    EXPECT_EQ(combo->EntryCount(), before - 1);
    EXPECT_EQ(combo->IndexOfItemIdList(ParsePath(media / L"sub\\inner").Get()), -1);
    EXPECT_EQ(combo->FolderAtIndex(1000), combo->FolderAtIndex(combo->EntryCount() - 1));
}

TEST_F(ShellViewsTest, ChoosingAPathBoxEntryMovesTheLinkedList) {
    auto* combo = Make<TbsSkinShellComboBox>(200, 10, 300, 20);
    auto* list = NewList();
    list->SetShellComboBox(combo);
    list->SetPath(media / L"sub\\inner");
    EXPECT_TRUE(SameText(combo->Path(), media / L"sub\\inner"));
    combo->SetItemIndex(combo->ItemIndex() - 2);  // the media folder
    EXPECT_TRUE(SameText(list->Path(), media.Path())) << list->Path();
    EXPECT_TRUE(SameText(combo->Path(), media.Path())) << combo->Path();
}

}  // namespace
