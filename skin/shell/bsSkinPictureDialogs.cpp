#include "skin/shell/bsSkinPictureDialogs.h"

#include "skin/shell/bsFileCtrlPaths.h"

// ---- TbsOpenPictureDlgForm ---------------------------------------------------------------------

TbsOpenPictureDlgForm::TbsOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData,
                                             bool AToolButtonsTransparent)
    : TbsOpenDlgForm(AOwner, ASaveMode, ACtrlSkinData, AToolButtonsTransparent) {}

void TbsOpenPictureDlgForm::BuildToolBarEnd() {
    StretchButton = MakeToolButton(ToolPanel, L"BS_STRETCH", L"MSG_BTN_STRETCH_HINT", L"Stretch Picture");
    StretchButton->GroupIndex = 2;
    StretchButton->AllowAllUp = true;
    StretchButton->OnClick = [this](TObject* s) { StretchButtonClick(s); };
}

void TbsOpenPictureDlgForm::PlaceBottomControls() {
    FileNameEdit->SetBounds(70, 10, 280, 21);
    FilterComboBox->SetBounds(70, 45, 280, 21);
    OpenButton->SetLeft(370);
    CancelButton->SetLeft(370);
}

void TbsOpenPictureDlgForm::BuildSidePanels() {
    ImagePanel = MakePanel(this, alRight, bvFrame);
    ImagePanel->SetWidth(200);
    MakeScrollBars(ImagePanel, SBHScrollBar, SBVScrollBar);
    ScrollBox = new TbsSkinScrollBox(this);
    ScrollBox->SetParent(ImagePanel);
    ScrollBox->SetBorderStyle(bvNone);
    ScrollBox->SetAlign(alClient);
    ScrollBox->SetHScrollBar(SBHScrollBar);
    ScrollBox->SetVScrollBar(SBVScrollBar);
    Image = bsNewPreviewImage(this, ScrollBox);
    Splitter = bsNewSplitter(this, this, alRight);
}

int TbsOpenPictureDlgForm::PictureWidth() const { return bsPreviewPictureWidth(Image); }

int TbsOpenPictureDlgForm::PictureHeight() const { return bsPreviewPictureHeight(Image); }

void TbsOpenPictureDlgForm::ShowPicture(const String& fileName) {
    bsLoadPreviewPicture(Image, fileName);
    if (bsPreviewStretch(Image)) return;
    ImageControl()->SetBounds(0, 0, PictureWidth(), PictureHeight());
    ScrollBox->UpDateScrollRange();
}

void TbsOpenPictureDlgForm::SelectionChanged(const String& name) {
    FileNameEdit->SetText(name);
    if (name.empty()) {
        ImageControl()->SetBounds(0, 0, 0, 0);
        return;
    }
    ShowPicture(AppendPathItem(FileListView->Path(), name));
}

void TbsOpenPictureDlgForm::FLVPathChange(TObject*) {
    if (!StopAddToHistory) InitHistory();
    if (FileListView->Items()->Count() > 0) FileListView->Items()->Item(0)->SetFocused(true);
}

void TbsOpenPictureDlgForm::StretchButtonClick(TObject*) {
    bsSetPreviewStretch(Image, StretchButton->Down());
    if (!StretchButton->Down()) ScrollBox->UpDateScrollRange();
}

// ---- components ---------------------------------------------------------------------------------

TbsSkinOpenPictureDialog::TbsSkinOpenPictureDialog(TComponent* owner)
    : TbsSkinOpenDialog(owner, L"Open picture", 200, 550, 290) {
    Filter = L"All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
             L"Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
}

TbsSkinSavePictureDialog::TbsSkinSavePictureDialog(TComponent* owner) : TbsSkinOpenPictureDialog(owner) {
    SetTitle(L"Save file");
    FSaveMode = true;
}

TbsSkinDialogForm* TbsSkinOpenPictureDialog::CreateDialogForm() {
    auto* f = new TbsOpenPictureDlgForm(Application, FSaveMode, CtrlSkinData(), ToolButtonsTransparent);
    f->Build();
    return f;
}

void TbsSkinOpenPictureDialog::SetupControls(TbsSkinDialogForm* form) {
    TbsSkinOpenDialog::SetupControls(form);
    auto* f = static_cast<TbsOpenPictureDlgForm*>(form);
    TbsSkinData* ctrl = CtrlSkinData();
    f->ImagePanel->SetWidth(ImagePanelWidth);
    for (TbsSkinControl* c : std::initializer_list<TbsSkinControl*>{f->ImagePanel, f->ScrollBox, f->SBHScrollBar,
                                                                      f->SBVScrollBar})
        c->SetSkinData(ctrl);
    f->StretchButton->SetSkinData(ctrl);
    bsSetSplitterSkinData(f->Splitter, ctrl);
}

void TbsSkinOpenPictureDialog::StartState(TbsSkinDialogForm* form) {
    TbsSkinOpenDialog::StartState(form);
    auto* f = static_cast<TbsOpenPictureDlgForm*>(form);
    f->StretchButton->SetDown(StretchPicture || DialogStretch);
    if (f->StretchButton->Down()) {
        f->ScrollBox->UpDateScrollRange();
        bsSetPreviewStretch(f->Image, true);
    }
    if (!FileName().empty() && FileExists(FileName())) f->ShowPicture(FileName());
}

void TbsSkinOpenPictureDialog::ReadBack(TbsSkinDialogForm* form, bool confirmed) {
    auto* f = static_cast<TbsOpenPictureDlgForm*>(form);
    DialogStretch = f->StretchButton->Down();
    ImagePanelWidth = f->ImagePanel->Width();
    TbsSkinOpenDialog::ReadBack(form, confirmed);
}
