// The shell tree, folder list and path box, alone and linked, over a media
// folder made for the test.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/StringList.h"
#include "skin/boxes/bsMessages.h"
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
    void TearDown() override {
        MessageFormShownHook() = nullptr;
        platform_test::ControlsTest::TearDown();
    }
    // Every skinned message is read and closed with its OK button.
    void CloseMessages() {
        MessageFormShownHook() = [this](TbsMessageForm* f) {
            messages.push_back(f->Message->GetText());
            TbsSkinButton* ok = f->ButtonOf(mbOK);
            PostMessageW(ok->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageW(ok->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        };
    }
    // Edits the caption of row in place to text, as the user does.
    void RenameRow(TbsCustomShellListView* list, int row, const String& text) {
        list->SetFocus();
        HWND edit = ListView_EditLabel(list->Handle(), row);
        ASSERT_NE(edit, nullptr);
        SetWindowTextW(edit, text.c_str());
        PressKey(edit, VK_RETURN);
    }
    MediaFolder media;
    std::vector<String> messages;
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

TEST_F(ShellViewsTest, AddFolderHearsTheMaskAndMayRefuse) {
    auto* list = NewList();
    std::vector<std::pair<String, bool>> heard;
    list->OnAddFolder = [&](TObject*, TbsShellFolder* f, bool& canAdd) {
        const String name = ExtractFileName(f->FullObjectName());
        heard.emplace_back(name, canAdd);
        if (name == L"sub") canAdd = false;
        if (name == L"c.avi") canAdd = true;
    };
    list->SetMask(L"*.mp4");
    heard.clear();  // the desktop, listed first
    list->SetPath(media.Path());
    std::sort(heard.begin(), heard.end());
    EXPECT_EQ(heard, (std::vector<std::pair<String, bool>>{
                         {L"a.mp4", true}, {L"b.MP4", true}, {L"c.avi", false}, {L"sub", true}, {L"中文名.mkv", false}}));
    EXPECT_EQ(Rows(list), (Names{L"a.mp4", L"b.MP4", L"c.avi"}));
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

TEST_F(ShellViewsTest, RenameInPlaceRenamesTheFileAndARefusalIsShown) {
    auto* list = NewList();
    list->SetPath(media.Path());
    RenameRow(list, RowOf(list, L"c.avi"), L"d.avi");
    EXPECT_TRUE(FileExists(media / L"d.avi"));
    EXPECT_FALSE(FileExists(media / L"c.avi"));
    EXPECT_NE(RowOf(list, L"d.avi"), -1);

    // A name the shell refuses: the message is shown, nothing leaves the
    // window procedure and the file keeps its name.
    CloseMessages();
    RenameRow(list, RowOf(list, L"d.avi"), L"a.mp4");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"Rename to a.mp4 failed");
    EXPECT_TRUE(FileExists(media / L"d.avi"));
}

// The control hands over the row its search starts at.
TEST_F(ShellViewsTest, TypingFindsTheFirstMatchingRowFromTheStart) {
    auto* list = NewList();
    list->SetPath(media.Path());
    media.File(L"ab.mkv");
    list->Refresh();
    const int a = RowOf(list, L"a.mp4"), ab = RowOf(list, L"ab.mkv"), b = RowOf(list, L"b.MP4");
    const struct {
        const wchar_t* text;
        int start;
        bool wrap;
        int want;
    } cases[] = {
        {L"A", 0, false, a},
        {L"a", a + 1, false, ab},
        {L"a", ab + 1, true, a},
        {L"a", ab + 1, false, -1},
        {L"B", 0, false, b},
        {L"zz", 0, true, -1},
        {L"a", -1, true, -1},  // no start row: no search
    };
    for (const auto& c : cases) {
        LVFINDINFOW f{};
        f.flags = LVFI_PARTIAL | LVFI_STRING | (c.wrap ? LVFI_WRAP : 0);
        f.psz = c.text;
        EXPECT_EQ(ListView_FindItem(list->Handle(), c.start, &f), c.want)
            << Utf8Encode(c.text) << " from " << c.start;
    }
}

TEST_F(ShellViewsTest, ReportRowsCarryTheDetailTexts) {
    auto* list = NewList();
    list->SetPath(media.Path());
    list->SetViewStyle(vsReport);
    const int columns = list->Columns()->Count();
    ASSERT_GE(columns, 4);
    TListItem* item = list->Items()->Item(RowOf(list, L"a.mp4"));
    ASSERT_EQ(item->SubItems()->Count(), columns - 1);
    EXPECT_FALSE((*item->SubItems())[0].empty());  // the size
}

TEST_F(ShellViewsTest, AutoRefreshWatchesTheFolderShown) {
    auto* list = NewList();
    list->SetPath(media.Path());
    list->SetAutoRefresh(true);
    ASSERT_NE(list->Notifier(), nullptr);
    list->SetPath(media / L"sub");
    ASSERT_NE(list->Notifier(), nullptr);
    EXPECT_TRUE(SameText(list->Notifier()->Root(), media / L"sub"));
    dialogstest::PumpUntil([] { return false; }, 200);
    media.File(L"sub\\fresh.txt");
    EXPECT_TRUE(dialogstest::PumpUntil([&] { return RowOf(list, L"fresh.txt") != -1; }));
    list->SetAutoRefresh(false);
    EXPECT_EQ(list->Notifier(), nullptr);
}

TEST_F(ShellViewsTest, TreeStartsAtTheDesktopAndFollowsFileNodesToTheirFolder) {
    auto* tree = Make<TbsSkinDirTreeView>(10, 40, 180, 300);
    TTreeNode* top = tree->Items()->GetFirstNode();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(tree->Items()->RootCount(), 1);
    EXPECT_TRUE(top->Selected());
    EXPECT_TRUE(top->Expanded());
    EXPECT_GT(top->Count(), 0);

    auto* list = NewList();
    tree->SetObjectTypes(otFolders | otNonFolders);
    tree->SetShellListView(list);
    tree->SetPath(media.Path());
    TTreeNode* folder = tree->Selected();
    ASSERT_NE(folder, nullptr);
    TTreeNode* file = nullptr;
    for (int i = 0; i < folder->Count(); ++i)
        if (SameText(ExtractFileName(TbsCustomShellTreeView::NodeFolder(folder->Item(i))->FullObjectName()), L"a.mp4"))
            file = folder->Item(i);
    ASSERT_NE(file, nullptr);
    list->SetPath(media / L"sub");
    file->SetSelected(true);
    EXPECT_TRUE(SameText(list->Path(), media.Path())) << list->Path();
    // Expanding a file runs nothing and gives it no children.
    file->Expand(false);
    EXPECT_EQ(file->Count(), 0);
    EXPECT_FALSE(file->HasChildren());
}

TEST_F(ShellViewsTest, ADeletedFolderNodeGoesOnlyWhenTheFolderIsGone) {
    auto* tree = Make<TbsSkinDirTreeView>(10, 40, 180, 300);
    tree->SetPath(media / L"sub\\inner");
    TTreeNode* inner = tree->Selected();
    ASSERT_NE(inner, nullptr);
    TTreeNode* sub = inner->Parent();
    tree->CommandCompleted(L"delete", true);  // the folder is still there
    EXPECT_EQ(sub->Count(), 1);
    RemoveDirectoryW((media / L"sub\\inner").c_str());
    tree->CommandCompleted(L"DELETE", false);  // a failed command changes nothing
    EXPECT_EQ(sub->Count(), 1);
    tree->CommandCompleted(L"Delete", true);
    EXPECT_EQ(sub->Count(), 0);
}

TEST_F(ShellViewsTest, PathBoxUnderALowerCaseDesktopNameHasNoDrives) {
    auto* combo = Make<TbsSkinShellComboBox>(200, 10, 300, 20);
    combo->SetRoot(L"rfdesktop");  // the same root: nothing happens
    EXPECT_EQ(combo->Root(), L"rfDesktop");
    combo->SetRoot(L"rfMyComputer");
    combo->SetRoot(L"rfdesktop");
    int deepest = 0;
    for (int i = 0; i < combo->EntryCount(); ++i) deepest = std::max(deepest, combo->Entry(i).Indent);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(combo->Entry(0).Indent, 0);
}

TEST_F(ShellViewsTest, TreeRenamesInPlaceAndKeepsItsImageList) {
    auto* tree = Make<TbsSkinDirTreeView>(10, 40, 180, 300);
    tree->SetPath(media / L"sub\\inner");
    TTreeNode* inner = tree->Selected();
    ASSERT_NE(inner, nullptr);
    tree->SetFocus();
    bool handled = false;
    tree->ExecuteCommand(L"RENAME", handled);  // the shell's rename starts the edit
    EXPECT_TRUE(handled);
    HWND edit = TreeView_GetEditControl(tree->Handle());
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"renamed");
    PressKey(edit, VK_RETURN);
    EXPECT_TRUE(DirectoryExists(media / L"sub\\renamed"));
    EXPECT_FALSE(DirectoryExists(media / L"sub\\inner"));

    // Whatever list is asked for, the tree shows the system's icons.
    SendMessageW(tree->Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    EXPECT_EQ(TreeView_GetImageList(tree->Handle(), TVSIL_NORMAL), tree->FImages);
}

// A control that takes part in the shell menu's commands and takes every
// verb itself.
class VerbTaker : public TWinControl, public IShellVerbCallback {
public:
    using TWinControl::TWinControl;
    void ExecuteCommand(const String& verb, bool& handled) override {
        log += L"execute:" + verb + L",";
        handled = true;
    }
    void CommandCompleted(const String& verb, bool succeeded) override {
        log += L"completed:" + verb + (succeeded ? L":ok," : L":failed,");
    }
    String log;
};

// Keys for the menu being tracked, posted from a thread timer that runs in
// the menu's own loop.
std::vector<WORD> gMenuKeys;
void CALLBACK PressMenuKeys(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu) return;
    KillTimer(nullptr, id);
    for (WORD k : gMenuKeys) {
        PostMessageW(menu, WM_KEYDOWN, k, 1);
        PostMessageW(menu, WM_KEYUP, k, 0xC0000001);
    }
}

TEST_F(ShellViewsTest, ShellMenuClosedWithoutChoiceRunsNothing) {
    auto* owner = Make<VerbTaker>(10, 40, 100, 100);
    auto item = CreateShellFolderFromItemIdList(ParsePath(media / L"a.mp4").Get());
    gMenuKeys = {VK_ESCAPE, VK_ESCAPE};
    SetTimer(nullptr, 0, 100, &PressMenuKeys);
    InvokeShellContextMenu(owner, item.get(), 5, 5);
    EXPECT_EQ(owner->log, L"");
    EXPECT_FALSE(ShellContextMenuOpen());
    EXPECT_TRUE(FileExists(media / L"a.mp4"));
}

TEST_F(ShellViewsTest, AVerbTakenByTheViewIsNotInvokedAndCountsAsDone) {
    auto* owner = Make<VerbTaker>(10, 40, 100, 100);
    auto item = CreateShellFolderFromItemIdList(ParsePath(media / L"a.mp4").Get());
    gMenuKeys = {VK_DOWN, VK_RETURN};
    SetTimer(nullptr, 0, 100, &PressMenuKeys);
    InvokeShellContextMenu(owner, item.get(), 5, 5);
    const size_t comma = owner->log.find(L',');
    ASSERT_NE(comma, String::npos) << Utf8Encode(owner->log);
    const String verb = owner->log.substr(8, comma - 8);  // after "execute:"
    EXPECT_FALSE(verb.empty());
    EXPECT_EQ(owner->log, L"execute:" + verb + L",completed:" + verb + L":ok,");
    EXPECT_FALSE(ShellContextMenuOpen());
}

}  // namespace
