// The picture dialogs: the preview of a PNG and a JPEG made at test time,
// an empty preview for a broken file and for a folder, the stretch button,
// the remembered preview width and stretch state, and the save variant's
// caption, button and final name.
#include "tests/platform/ControlsFixture.h"

#include <functional>

#include "platform/JpegImage.h"
#include "platform/PngImage.h"
#include "skin/shell/bsSkinPictureDialogs.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/dialogs/TempFolder.h"

namespace {

using dialogstest::PostChar;
using dialogstest::PostClick;
using dialogstest::RunSteps;

std::string Narrow(const String& s) { return std::string(s.begin(), s.end()); }

class PictureDialogTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        platform_test::ControlsTest::SetUp();
        TBitmap b(40, 30, pf24bit);
        b.Canvas()->Brush()->SetColor(clRed);
        b.Canvas()->FillRect(TRect(0, 0, 40, 30));
        TPngImage png;
        png.Assign(&b);
        png.SaveToFile(tmp / L"shot.png");
        TBitmap big(300, 250, pf24bit);
        big.Canvas()->Brush()->SetColor(clBlue);
        big.Canvas()->FillRect(TRect(0, 0, 300, 250));
        TJPEGImage jpg;
        jpg.Assign(&big);
        jpg.SaveToFile(tmp / L"photo.jpg");
        tmp.File(L"broken.png", 100);  // not a PNG
        tmp.Folder(L"sub");
        dialog.Filter = L"Pictures|*.png;*.jpg|All|*.*";
        dialog.FilterIndex = 1;
        dialog.SetFileName(tmp / L"none.png");
    }
    void TearDown() override {
        DialogFormShownHook() = nullptr;
        platform_test::ControlsTest::TearDown();
    }
    void OnShown(std::function<void(TbsOpenPictureDlgForm*)> act) {
        DialogFormShownHook() = [act](TForm* f) { act(static_cast<TbsOpenPictureDlgForm*>(f)); };
    }
    static void Select(TbsOpenPictureDlgForm* f, const String& name) {
        for (int i = 0; i < f->FileListView->FolderCount(); ++i)
            if (f->FileListView->FolderAtIndex(i)->DisplayName() == name) {
                f->FileListView->ClearSelection();
                f->FileListView->Items()->Item(i)->SetSelected(true);
                return;
            }
        ADD_FAILURE() << "no row " << Narrow(name);
    }
    // A click on the windowless stretch button, through its tool bar.
    static void ClickStretch(TbsOpenPictureDlgForm* f) {
        PostClick(f->ToolPanel->Handle(), f->StretchButton->Left() + 5, f->StretchButton->Top() + 5);
    }
    static void Cancel(TbsOpenPictureDlgForm* f) { PostClick(f->CancelButton->Handle(), 5, 5); }

    dialogstest::TempFolder tmp{L"picturedlg"};
    TbsSkinOpenPictureDialog dialog{nullptr};
};

TEST_F(PictureDialogTest, SelectingAPictureShowsItAndABrokenFileOrAFolderShowsNothing) {
    struct Seen {
        int w = -1, h = -1, imageW = -1, imageH = -1;
        String edit;
    };
    Seen png, jpg, broken, folder;
    bool scrollBarsShown = false;
    auto look = [](TbsOpenPictureDlgForm* f, Seen& s) {
        s.w = f->PictureWidth();
        s.h = f->PictureHeight();
        s.imageW = f->ImageControl()->Width();
        s.imageH = f->ImageControl()->Height();
        s.edit = f->FileNameEdit->GetText();
    };
    OnShown([&](TbsOpenPictureDlgForm* f) {
        RunSteps(f, {[f] { Select(f, L"shot.png"); },
                     [&, f] {
                         look(f, png);
                         Select(f, L"photo.jpg");
                     },
                     [&, f] {
                         look(f, jpg);
                         scrollBarsShown = f->SBVScrollBar->Visible() && f->SBHScrollBar->Visible();
                         f->FilterComboBox->SetItemIndex(1);
                     },
                     [f] { Select(f, L"broken.png"); },
                     [&, f] {
                         look(f, broken);
                         Select(f, L"sub");
                     },
                     [&, f] {
                         look(f, folder);
                         Cancel(f);
                     }});
    });
    dialog.Execute();
    EXPECT_EQ(png.w, 40);
    EXPECT_EQ(png.h, 30);
    EXPECT_EQ(png.imageW, 40) << "natural size";
    EXPECT_EQ(png.edit, L"shot.png");
    EXPECT_EQ(jpg.w, 300);
    EXPECT_EQ(jpg.h, 250);
    EXPECT_TRUE(scrollBarsShown) << "a picture larger than the preview scrolls";
    EXPECT_EQ(broken.w, 0) << "a broken picture shows an empty preview";
    EXPECT_EQ(broken.imageW, 0);
    EXPECT_EQ(folder.edit, L"") << "a folder empties the name";
    EXPECT_EQ(folder.imageW, 0);
    EXPECT_EQ(folder.imageH, 0);
    EXPECT_TRUE(errors.empty()) << "no exception reached the application";
}

TEST_F(PictureDialogTest, StretchFillsThePreviewAndTheStateAndWidthReturnNextRun) {
    int stretchedW = 0, panelClientW = 0, naturalW = 0;
    OnShown([&](TbsOpenPictureDlgForm* f) {
        RunSteps(f, {[f] { Select(f, L"shot.png"); },
                     [f] { ClickStretch(f); },
                     [&, f] {
                         stretchedW = f->ImageControl()->Width();
                         panelClientW = f->ScrollBox->ClientWidth();
                         ClickStretch(f);
                     },
                     [&, f] {
                         naturalW = f->ImageControl()->Width();
                         ClickStretch(f);  // down again
                         f->ImagePanel->SetWidth(240);
                     },
                     [f] { Cancel(f); }});
    });
    dialog.Execute();
    EXPECT_EQ(stretchedW, panelClientW);
    EXPECT_EQ(naturalW, 40);
    EXPECT_TRUE(dialog.DialogStretch);
    EXPECT_EQ(dialog.ImagePanelWidth, 240);

    bool downAtStart = false;
    int widthAtStart = 0;
    OnShown([&](TbsOpenPictureDlgForm* f) {
        downAtStart = f->StretchButton->Down();
        widthAtStart = f->ImagePanel->Width();
        RunSteps(f, {[f] { Cancel(f); }});
    });
    dialog.Execute();
    EXPECT_TRUE(downAtStart);
    EXPECT_EQ(widthAtStart, 240);
}

// The bottom row keeps fixed places from the left, also in a window wider
// than the default: edit and filter list 280 wide at 70, buttons at 370.
TEST_F(PictureDialogTest, TheBottomRowKeepsItsFixedPlacesInAWiderWindow) {
    dialog.DialogWidth = 760;
    TRect edit, filter, open, cancel;
    OnShown([&](TbsOpenPictureDlgForm* f) {
        RunSteps(f, {[&, f] {
                         f->SetClientSize(800, f->ClientHeight());  // and resized once shown
                         edit = f->FileNameEdit->BoundsRect();
                         filter = f->FilterComboBox->BoundsRect();
                         open = f->OpenButton->BoundsRect();
                         cancel = f->CancelButton->BoundsRect();
                         Cancel(f);
                     }});
    });
    dialog.Execute();
    EXPECT_EQ(TPoint(edit.left, edit.top), TPoint(70, 10));
    EXPECT_EQ(edit.Width(), 280);
    EXPECT_EQ(TPoint(filter.left, filter.top), TPoint(70, 45));
    EXPECT_EQ(filter.Width(), 280);
    EXPECT_EQ(TPoint(open.left, open.top), TPoint(370, 10));
    EXPECT_EQ(TPoint(cancel.left, cancel.top), TPoint(370, 45));
    EXPECT_EQ(open.Width(), 70);
}

TEST_F(PictureDialogTest, TheSaveVariantHasItsCaptionAndReturnsTheNameWithTheFiltersExtension) {
    TbsSkinSavePictureDialog save(nullptr);
    save.Filter = L"Bitmaps (*.bmp)|*.bmp";
    save.SetFileName(tmp / L"x.bmp");
    String caption, button;
    OnShown([&](TbsOpenPictureDlgForm* f) {
        caption = f->Caption();
        button = f->OpenButton->Caption();
        RunSteps(f, {[f] {
                         f->FileNameEdit->SetText(L"shot");
                         PostChar(f->FileNameEdit->Handle(), L'\r');
                     },
                     [f] { Cancel(f); }});
    });
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(caption, L"Save file");
    EXPECT_EQ(button, L"&Save");
    EXPECT_TRUE(SameText(save.FileName(), tmp / L"shot.bmp")) << Narrow(save.FileName());
}

}  // namespace
