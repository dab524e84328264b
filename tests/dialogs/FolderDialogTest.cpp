// The select-folder dialog and the steps every skinned dialog shares: the
// given folder selected and returned by OK, Cancel keeping the previous
// value, the path edit of the tool bar, New Folder, My Computer without a
// valid start folder; the default and skin-raised sizes, OnShow/OnClose order, the size
// written back on Cancel, OnClose after an exception, and a freed store.
#include "tests/platform/ControlsFixture.h"

#include <functional>
#include <stdexcept>

#include "skin/shell/bsSkinFolderDialog.h"
#include "skin/shell/bsSkinShellItems.h"
#include "skin/shell/bsSkinShellTree.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/dialogs/DialogsSkins.h"
#include "tests/dialogs/TempFolder.h"

namespace {

using dialogstest::PostClick;
using dialogstest::RunSteps;

std::string Narrow(const String& s) { return std::string(s.begin(), s.end()); }

class FolderDialogTest : public platform_test::ControlsTest {
protected:
    void TearDown() override {
        DialogFormShownHook() = nullptr;
        platform_test::ControlsTest::TearDown();
    }
    void OnShown(std::function<void(TbsSelDirDlgForm*)> act) {
        DialogFormShownHook() = [act](TForm* f) { act(static_cast<TbsSelDirDlgForm*>(f)); };
    }
    static void Ok(TbsSelDirDlgForm* f) { PostClick(f->OkButton->Handle(), 5, 5); }
    static void Cancel(TbsSelDirDlgForm* f) { PostClick(f->CancelButton->Handle(), 5, 5); }
    dialogstest::TempFolder tmp{L"folderdlg"};
};

TEST_F(FolderDialogTest, TheGivenFolderIsSelectedOkReturnsItAndCancelKeepsThePreviousValue) {
    tmp.Folder(L"media");
    TbsSkinSelectDirectoryDialog d(nullptr);
    // In the plain look and with a skinned frame (which builds the form's
    // windows again when it takes over the border).
    const auto skin = dialogstest::LoadMainSkin(0);
    for (TbsSkinData* store : {static_cast<TbsSkinData*>(nullptr), skin.get()}) {
        SCOPED_TRACE(store ? "skinned" : "plain");
        d.SetSkinData(store);
        d.SetCtrlSkinData(store);
        d.Directory = tmp / L"media";
        String shownPath, pathAfterShow;
        OnShown([&](TbsSelDirDlgForm* f) {
            shownPath = f->DirTreeView->Path();
            RunSteps(f, {[&pathAfterShow, f] { pathAfterShow = f->DirTreeView->Path(); }, [f] { Ok(f); }});
        });
        EXPECT_TRUE(d.Execute());
        EXPECT_TRUE(SameText(shownPath, tmp / L"media")) << Narrow(shownPath);
        EXPECT_TRUE(SameText(pathAfterShow, tmp / L"media")) << Narrow(pathAfterShow);
        EXPECT_TRUE(SameText(d.Directory, tmp / L"media"));
    }
    d.SetSkinData(nullptr);
    d.SetCtrlSkinData(nullptr);

    // Cancel after moving elsewhere: the caller reads the previous folder.
    OnShown([&](TbsSelDirDlgForm* f) {
        RunSteps(f, {[f, this] { f->DirTreeView->SetPath(tmp.Path()); }, [f] { Cancel(f); }});
    });
    EXPECT_FALSE(d.Execute());
    EXPECT_TRUE(SameText(d.Directory, tmp / L"media"));
}

TEST_F(FolderDialogTest, ThePathEditFollowsTheTreeAndEnterSelectsATypedFolder) {
    tmp.Folder(L"a");
    tmp.Folder(L"b");
    // Enter in the edit selects an existing typed folder in the tree (the
    // window's default button may then close it as OK); a folder that does
    // not exist leaves the selection.
    const struct Case {
        const wchar_t* typed;
        const wchar_t* chosen;
    } cases[] = {{L"b", L"b"}, {L"missing", L"a"}};
    for (const Case& c : cases) {
        TbsSkinSelectDirectoryDialog d(nullptr);
        d.ShowToolBar = true;
        d.Directory = tmp / L"a";
        String editAtStart;
        OnShown([&](TbsSelDirDlgForm* f) {
            ASSERT_NE(f->DirEdit, nullptr);
            editAtStart = f->DirEdit->GetText();
            RunSteps(f, {[&c, f, this] {
                             f->DirEdit->SetText(tmp / c.typed);
                             PostMessageW(f->DirEdit->Handle(), WM_CHAR, L'\r', 1);
                         },
                         [f] { Ok(f); }});
        });
        EXPECT_TRUE(d.Execute());
        EXPECT_TRUE(SameText(editAtStart, tmp / L"a")) << Narrow(editAtStart);
        EXPECT_TRUE(SameText(d.Directory, tmp / c.chosen)) << Narrow(d.Directory);
    }
}

TEST_F(FolderDialogTest, NewFolderIsCreatedOnceUnderTheSelectedFolder) {
    TbsSkinSelectDirectoryDialog d(nullptr);
    d.ShowToolBar = true;
    d.Directory = tmp.Path();
    OnShown([&](TbsSelDirDlgForm* f) {
        RunSteps(f, {[f] { f->NewFolderToolButton->Click(); }, [f] { f->NewFolderToolButton->Click(); },
                     [f] { Cancel(f); }});
    });
    d.Execute();
    EXPECT_TRUE(DirectoryExists(tmp / L"New Folder"));
    EXPECT_FALSE(DirectoryExists(tmp / L"New Folder(2)"));
    WIN32_FIND_DATAW fd;
    int entries = 0;
    HANDLE h = FindFirstFileW((tmp / L"*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &fd))
        if (fd.cFileName[0] != L'.') ++entries;
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    EXPECT_EQ(entries, 1);
}

// Without a start folder (none chosen before, or one that is gone) the
// tree opens at My Computer, selected and expanded, in the plain look and
// with a skinned frame.
TEST_F(FolderDialogTest, WithoutAValidStartFolderTheTreeOpensAtMyComputer) {
    platform::ItemIdList drives;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()));
    const auto skin = dialogstest::LoadMainSkin(0);
    for (const String& start : {String(), tmp / L"gone"}) {
        for (TbsSkinData* store : {static_cast<TbsSkinData*>(nullptr), skin.get()}) {
            SCOPED_TRACE(Narrow(start) + (store ? " skinned" : " plain"));
            TbsSkinSelectDirectoryDialog d(nullptr);
            d.SetSkinData(store);
            d.SetCtrlSkinData(store);
            d.Directory = start;
            bool shown = false, atMyComputer = false, expanded = false;
            String shownAt;
            OnShown([&](TbsSelDirDlgForm* f) {
                shown = true;
                RunSteps(f, {[&, f] {
                                 TTreeNode* node = f->DirTreeView->Selected();
                                 TbsShellFolder* folder = TbsCustomShellTreeView::NodeFolder(node);
                                 atMyComputer = folder && SameItemIdList(folder->AbsoluteID(), drives.Get());
                                 expanded = node && node->Expanded();
                                 shownAt = node ? node->Text() : String(L"(none)");
                             },
                             [f] { Cancel(f); }});
            });
            EXPECT_FALSE(d.Execute());
            EXPECT_TRUE(shown);
            EXPECT_TRUE(atMyComputer) << Narrow(shownAt);
            EXPECT_TRUE(expanded);
            EXPECT_EQ(d.Directory, start);
        }
    }
}

TEST_F(FolderDialogTest, SizeDefaultsRaisedBySkinAndWrittenBackOnCancel) {
    auto skin = dialogstest::LoadMainSkin(0);
    TbsSkinData empty(nullptr);
    TbsSkinSelectDirectoryDialog d(nullptr);
    int w = 0, h = 0;
    int minW = 0;
    OnShown([&](TbsSelDirDlgForm* f) {
        w = f->ClientWidth();
        h = f->ClientHeight();
        minW = bsFrameMinWidth(f->BSF);
        f->SetClientSize(300, 310);
        RunSteps(f, {[f] { Cancel(f); }});
    });
    d.Execute();
    EXPECT_EQ(w, 280);
    EXPECT_EQ(h, 280);
    EXPECT_EQ(d.DialogWidth, 300) << "the size is kept after Cancel";
    EXPECT_EQ(d.DialogHeight, 310);

    // A skin whose frame needs more than asked raises the width; an empty
    // store does not.
    d.DialogWidth = 100;
    d.SetSkinData(skin.get());
    d.Execute();
    ASSERT_GT(minW, 100);
    EXPECT_EQ(w, minW);
    // (150: above the unskinned frame's own limit of 120, so only the
    // dialog's raising could change it.)
    ASSERT_GT(minW, 150);
    d.DialogWidth = 150;
    d.SetSkinData(&empty);
    d.Execute();
    EXPECT_EQ(w, 150);
}

// A dialog whose start step fails.
class FailingDialog : public TbsSkinDialogComponent {
public:
    FailingDialog() : TbsSkinDialogComponent(nullptr, L"Failing", 200, 200, 150) {}
    bool Execute() { return RunDialog(); }
    bool fail = true;

protected:
    TbsSkinDialogForm* CreateDialogForm() override {
        return new TbsSkinDialogForm(Application, CtrlSkinData(), false);
    }
    void StartState(TbsSkinDialogForm* f) override {
        (void)f;
        if (fail) throw std::runtime_error("start failed");
    }
    void ReadBack(TbsSkinDialogForm*, bool) override { log += "readback,"; }

public:
    std::string log;
};

TEST_F(FolderDialogTest, OnShowComesBeforeTheFormAndOnCloseAfterTheResultAlsoOnAnException) {
    FailingDialog d;
    d.OnShow = [&](TObject* s) {
        EXPECT_EQ(s, &d);
        d.log += d.DialogForm() ? "show-with-form," : "show,";
    };
    d.OnClose = [&](TObject*) { d.log += d.DialogForm() ? "close," : "close-without-form,"; };
    EXPECT_THROW(d.Execute(), std::runtime_error);
    EXPECT_EQ(d.log, "show,close,");
    EXPECT_EQ(d.DialogForm(), nullptr);

    d.log.clear();
    d.fail = false;
    DialogFormShownHook() = [](TForm* f) { f->ModalResult = mrOk; };
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(d.log, "show,readback,close,");
}

TEST_F(FolderDialogTest, FreeingAStoreClearsTheDialogsReferences) {
    TbsSkinSelectDirectoryDialog d(nullptr);
    auto store = std::make_unique<TbsSkinData>(nullptr);
    d.SetSkinData(store.get());
    d.SetCtrlSkinData(store.get());
    store.reset();
    EXPECT_EQ(d.SkinData(), nullptr);
    EXPECT_EQ(d.CtrlSkinData(), nullptr);
}

}  // namespace
