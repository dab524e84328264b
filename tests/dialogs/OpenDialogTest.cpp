// The open and save dialog over a fixture folder (a.mp4, b.MP4, c.avi,
// sub\, a Chinese-named file), driven by posted input from a timer: a typed
// name and Enter, a typed absolute path, multi-selection, the second filter
// entry, New Folder twice, Cancel, a start folder that is gone, Back and
// Up, and the save mode's final name.
#include "tests/platform/ControlsFixture.h"

#include <algorithm>
#include <functional>

#include "skin/boxes/bsMessages.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/shell/bsSkinOpenDialog.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/dialogs/TempFolder.h"

namespace {

using dialogstest::PostChar;
using dialogstest::PostClick;
using dialogstest::RunSteps;

std::string Narrow(const String& s) { return std::string(s.begin(), s.end()); }

// The save variant (the save mode is protected).
class SaveDialog : public TbsSkinOpenDialog {
public:
    SaveDialog() : TbsSkinOpenDialog(nullptr) { FSaveMode = true; }
};

class OpenDialogTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        platform_test::ControlsTest::SetUp();
        for (const wchar_t* f : {L"a.mp4", L"b.MP4", L"c.avi", L"视频.mp4"}) tmp.File(f);
        tmp.Folder(L"sub");
        dialog.Filter = L"视频|*.mp4|全部|*.*";
        dialog.SetFileName(tmp / L"start.mp4");  // opens in the fixture folder
    }
    void TearDown() override {
        DialogFormShownHook() = nullptr;
        platform_test::ControlsTest::TearDown();
    }
    void OnShown(std::function<void(TbsOpenDlgForm*)> act) {
        DialogFormShownHook() = [act](TForm* f) { act(static_cast<TbsOpenDlgForm*>(f)); };
    }
    static void Type(TbsOpenDlgForm* f, const String& text) {
        f->FileNameEdit->SetText(text);
        PostChar(f->FileNameEdit->Handle(), L'\r');
    }
    static std::vector<String> Names(TbsOpenDlgForm* f) {
        std::vector<String> names;
        for (int i = 0; i < f->FileListView->FolderCount(); ++i)
            names.push_back(f->FileListView->FolderAtIndex(i)->DisplayName());
        return names;
    }
    static int IndexOf(TbsOpenDlgForm* f, const String& name) {
        const auto names = Names(f);
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i);
        return -1;
    }
    static void Cancel(TbsOpenDlgForm* f) { PostClick(f->CancelButton->Handle(), 5, 5); }

    dialogstest::TempFolder tmp{L"opendlg"};
    TbsSkinOpenDialog dialog{nullptr};
};

TEST_F(OpenDialogTest, ATypedNameAndEnterReturnTheFullPathWithTheFiltersExtension) {
    std::vector<String> shown;
    String lookIn;
    OnShown([&](TbsOpenDlgForm* f) {
        shown = Names(f);
        lookIn = f->ShellBox->GetText();
        RunSteps(f, {[f] { Type(f, L"a"); }, [f] { Cancel(f); }});
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_TRUE(SameText(dialog.FileName(), tmp / L"a.mp4")) << Narrow(dialog.FileName());
    EXPECT_TRUE(SameText(lookIn, ExtractFileName(tmp.Path()))) << "the path box shows the start folder: "
                                                                  << Narrow(lookIn);
    // The folder first, then the files the first filter entry admits (their
    // order is the list's own).
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], L"sub");
    std::vector<String> files(shown.begin() + 1, shown.end());
    std::sort(files.begin(), files.end());
    const std::vector<String> expected{L"a.mp4", L"b.MP4", L"视频.mp4"};
    EXPECT_EQ(files, expected);
}

TEST_F(OpenDialogTest, TypedAbsoluteAndParentPathsAreTakenAsTheyAre) {
    tmp.Folder(L"sub\\deeper");
    const struct Case {
        String typed, result;
    } cases[] = {
        {tmp / L"c.avi", tmp / L"c.avi"},
        {L"sub\\..\\b.MP4", tmp / L"b.MP4"},
    };
    for (const Case& c : cases) {
        OnShown([&](TbsOpenDlgForm* f) { RunSteps(f, {[&c, f] { Type(f, c.typed); }, [f] { Cancel(f); }}); });
        EXPECT_TRUE(dialog.Execute()) << Narrow(c.typed);
        EXPECT_TRUE(SameText(dialog.FileName(), c.result)) << Narrow(dialog.FileName());
        dialog.SetFileName(tmp / L"start.mp4");
    }
    // A typed folder path opens that folder.
    String pathAfter;
    OnShown([&](TbsOpenDlgForm* f) {
        RunSteps(f, {[f, this] { Type(f, tmp / L"sub"); },
                     [&, f] {
                         pathAfter = f->FileListView->Path();
                         Cancel(f);
                     }});
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(SameText(pathAfter, tmp / L"sub")) << Narrow(pathAfter);
}

TEST_F(OpenDialogTest, MultiSelectionReturnsBothFilesInListOrder) {
    dialog.MultiSelection = true;
    OnShown([&](TbsOpenDlgForm* f) {
        RunSteps(f, {[f] {
                         f->FileListView->Items()->Item(IndexOf(f, L"a.mp4"))->SetSelected(true);
                         f->FileListView->Items()->Item(IndexOf(f, L"b.MP4"))->SetSelected(true);
                         f->FileListView->Items()->Item(IndexOf(f, L"sub"))->SetSelected(true);
                     },
                     [f] { PostClick(f->OpenButton->Handle(), 5, 5); }, [f] { Cancel(f); }});
    });
    EXPECT_TRUE(dialog.Execute());
    ASSERT_EQ(dialog.Files()->Count(), 2) << "a folder never enters Files";
    EXPECT_TRUE(SameText(dialog.Files()->Get(0), tmp / L"a.mp4"));
    EXPECT_TRUE(SameText(dialog.Files()->Get(1), tmp / L"b.MP4"));
    EXPECT_TRUE(SameText(dialog.FileName(), tmp / L"a.mp4")) << Narrow(dialog.FileName());
}

TEST_F(OpenDialogTest, TheSecondFilterShowsTheAviAndCancelKeepsFileNameButStoresTheFilter) {
    std::vector<String> shown;
    OnShown([&](TbsOpenDlgForm* f) {
        RunSteps(f, {[f] { f->FilterComboBox->SetItemIndex(1); },
                     [&, f] {
                         shown = Names(f);
                         Cancel(f);
                     }});
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_NE(std::find(shown.begin(), shown.end(), String(L"c.avi")), shown.end());
    EXPECT_EQ(dialog.FileName(), tmp / L"start.mp4");
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(OpenDialogTest, NewFolderTwiceMakesTwoDistinctFolders) {
    OnShown([&](TbsOpenDlgForm* f) {
        RunSteps(f, {[f] { f->NewFolderToolButton->Click(); }, [f] { f->NewFolderToolButton->Click(); },
                     [f] { PostClick(f->CancelButton->Handle(), 5, 5); }, [f] { f->ModalResult = mrCancel; }});
    });
    dialog.Execute();
    EXPECT_TRUE(DirectoryExists(tmp / L"New Folder"));
    EXPECT_TRUE(DirectoryExists(tmp / L"New Folder(2)"));
}

TEST_F(OpenDialogTest, AStartFolderThatIsGoneFallsBackToTheInitialFolder) {
    dialog.SetFileName(tmp / L"gone\\x.mp4");
    dialog.InitialDir = tmp / L"sub";
    String shownPath;
    OnShown([&](TbsOpenDlgForm* f) {
        shownPath = f->FileListView->Path();
        RunSteps(f, {[f] { Cancel(f); }});
    });
    EXPECT_NO_THROW(dialog.Execute());
    EXPECT_TRUE(SameText(shownPath, tmp / L"sub")) << Narrow(shownPath);
}

TEST_F(OpenDialogTest, UpThenBackReturnsToTheFolderWhereUpWasPressed) {
    dialog.SetFileName(tmp / L"sub\\x.mp4");
    String afterUp, afterBack, afterSecondBack;
    OnShown([&](TbsOpenDlgForm* f) {
        RunSteps(f, {[f] { f->UpToolButton->Click(); },
                     [&, f] {
                         afterUp = f->FileListView->Path();
                         f->BackToolButton->Click();
                     },
                     [&, f] {
                         afterBack = f->FileListView->Path();
                         f->BackToolButton->Click();  // one entry left: nothing
                     },
                     [&, f] {
                         afterSecondBack = f->FileListView->Path();
                         Cancel(f);
                     }});
    });
    dialog.Execute();
    EXPECT_TRUE(SameText(afterUp, tmp.Path())) << Narrow(afterUp);
    EXPECT_TRUE(SameText(afterBack, tmp / L"sub")) << Narrow(afterBack);
    EXPECT_TRUE(SameText(afterSecondBack, tmp / L"sub"));
}

// A typed name that exists under no completion leaves the window open and
// shows no message; Cancel then ends the run.
TEST_F(OpenDialogTest, ATypedNameThatDoesNotExistKeepsTheWindowOpenWithoutAMessage) {
    int messages = 0;
    MessageFormShownHook() = [&](TbsMessageForm* m) {
        ++messages;
        m->ModalResult = mrOk;
    };
    bool stillShown = false;
    OnShown([&](TbsOpenDlgForm* f) {
        RunSteps(f, {[f] { Type(f, L"missing"); },
                     [&, f] {
                         stillShown = f->Visible() && f->ModalResult == mrNone;
                         Cancel(f);
                     }});
    });
    const String before = dialog.FileName();
    EXPECT_FALSE(dialog.Execute());
    MessageFormShownHook() = nullptr;
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(dialog.FileName(), before);
}

// In save mode a typed name without an extension takes the filter entry's
// extension first, DefaultExt only under an entry without one; a name with
// its own extension keeps it.
TEST_F(OpenDialogTest, SaveModeTakesTheFiltersExtensionBeforeDefaultExt) {
    const struct Case {
        int filterIndex;
        const wchar_t* typed;
        const wchar_t* result;
    } cases[] = {
        {1, L"report", L"report.txt"},
        {2, L"report", L"report.doc"},
        {1, L"report.rtf", L"report.rtf"},
    };
    for (const Case& c : cases) {
        SaveDialog save;
        save.Filter = L"文本|*.txt|全部|*.*";
        save.DefaultExt = L"doc";
        save.FilterIndex = c.filterIndex;
        save.SetFileName(tmp / L"x.txt");
        OnShown([&](TbsOpenDlgForm* f) { RunSteps(f, {[&c, f] { Type(f, c.typed); }, [f] { Cancel(f); }}); });
        EXPECT_TRUE(save.Execute()) << Narrow(c.typed);
        EXPECT_TRUE(SameText(save.FileName(), tmp / c.result)) << Narrow(save.FileName());
    }
}

// The view menu pops up as a skinned menu of the dialog's frame, and its
// entries switch the list's view style.
TEST_F(OpenDialogTest, TheViewMenuIsASkinnedMenuOfTheDialogsFrame) {
    bool open = false;
    int entries = 0;
    TViewStyle style = vsList;
    OnShown([&](TbsOpenDlgForm* f) {
        TbsSkinMenuSpeedButton* b = f->StyleToolButton;
        RunSteps(f, {[f, b] { PostClick(f->ToolPanel->Handle(), b->Left() + 5, b->Top() + 5); },
                     [&, f] {
                         TbsSkinMenu* m = f->BSF->SkinMenu;
                         open = m->Visible();
                         if (!m->FPopupList.empty()) entries = static_cast<int>(m->FPopupList[0]->ItemList.size());
                         // The last entry, Details, by keys through the form.
                         for (WORD k : {VK_UP, VK_RETURN}) dialogstest::PostKey(f->Handle(), k);
                     },
                     [&, f] {
                         style = f->FileListView->ViewStyle();
                         Cancel(f);
                     }});
    });
    dialog.Execute();
    EXPECT_TRUE(open);
    EXPECT_EQ(entries, 4);
    EXPECT_EQ(style, vsReport);
    EXPECT_EQ(dialog.ListViewStyle, vsReport);
}

TEST_F(OpenDialogTest, SaveModeReturnsTheNameWithTheFiltersExtension) {
    SaveDialog save;
    save.Filter = L"文本|*.txt|全部|*.*";
    save.SetFileName(tmp / L"x.txt");
    String button;
    OnShown([&](TbsOpenDlgForm* f) {
        button = f->OpenButton->Caption();
        RunSteps(f, {[f] { Type(f, L"report"); }, [f] { Cancel(f); }});
    });
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(button, L"&Save");
    EXPECT_TRUE(SameText(save.FileName(), tmp / L"report.txt")) << Narrow(save.FileName());
}

}  // namespace
