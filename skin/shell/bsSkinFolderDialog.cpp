#include "skin/shell/bsSkinFolderDialog.h"

#include "platform/SysUtils.h"
#include "skin/shell/bsFileCtrlPaths.h"

// ---- TbsSelDirDlgForm ---------------------------------------------------------------------------

TbsSelDirDlgForm::TbsSelDirDlgForm(TComponent* AOwner, TbsSkinData* ACtrlSkinData, bool AShowToolBar,
                                   bool AToolButtonsTransparent)
    : TbsSkinDialogForm(AOwner, ACtrlSkinData, AToolButtonsTransparent), ShowToolBar(AShowToolBar) {
    if (ShowToolBar) {
        ToolPanel = MakeToolPanel(this);
        NewFolderToolButton =
            MakeToolButton(ToolPanel, L"BS_NEWFOLDER", L"MSG_BTN_NEWFOLDER_HINT", L"Create New Folder");
        NewFolderToolButton->OnClick = [this](TObject* s) { NewFolderToolButtonClick(s); };
        MakeSpacer(ToolPanel, alRight, 5);
        DirEdit = new TbsSkinEdit(this);
        DirEdit->SetParent(ToolPanel);
        DirEdit->SetDefaultHeight(25);
        DirEdit->SetHeight(25);
        DirEdit->SetSkinDataName(L"edit");
        DirEdit->SetAlign(alClient);
        DirEdit->OnKeyPress = [this](TObject* s, wchar_t& k) { DirEditKeyPress(s, k); };
    }
    BottomPanel = MakePanel(this, alBottom, bvNone);
    BottomPanel->SetHeight(50);
    OkButton = MakeButton(BottomPanel, Text(L"MSG_BTN_OK", L"OK"), 20, 15);
    OkButton->SetDefault(true);
    OkButton->ModalResult = mrOk;
    CancelButton = MakeButton(BottomPanel, Text(L"MSG_BTN_CANCEL", L"Cancel"), 100, 15);
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;

    DirTreeViewPanel = MakePanel(this, alClient, bvFrame);
    MakeScrollBars(DirTreeViewPanel, HScrollBar, VScrollBar);
    DirTreeView = new TbsSkinDirTreeView(this);
    DirTreeView->SetParent(DirTreeViewPanel);
    DirTreeView->SetAlign(alClient);
    DirTreeView->SetHScrollBar(HScrollBar);
    DirTreeView->SetVScrollBar(VScrollBar);
    DirTreeView->SetObjectTypes(DirTreeView->ObjectTypes() | otHidden);
    DirTreeView->HideSelection = false;
    DirTreeView->OnChange = [this](TObject* s, TTreeNode* n) { DirTreeViewChange(s, n); };
}

void TbsSelDirDlgForm::DirEditKeyPress(TObject*, wchar_t& Key) {
    if (Key != L'\r') return;
    const String text = DirEdit->GetText();
    if (!text.empty() && IsExistingDirectory(text)) DirTreeView->SetPath(text);
}

void TbsSelDirDlgForm::DirTreeViewChange(TObject*, TTreeNode*) {
    if (DirEdit) DirEdit->SetText(DirTreeView->Path());
}

void TbsSelDirDlgForm::NewFolderToolButtonClick(TObject*) {
    const String folder = DirTreeView->Path() + L"\\" + Text(L"MSG_NEWFOLDER", L"New Folder");
    if (!DirTreeView->Selected() || IsExistingDirectory(folder) || folder.find(L":\\") == String::npos) return;
    if (!CreateDirectoryW(folder.c_str(), nullptr)) RaiseInOutError(GetLastError());
    DirTreeView->Refresh(DirTreeView->Selected());
}

// ---- TbsSkinSelectDirectoryDialog ------------------------------------------------------------------

TbsSkinSelectDirectoryDialog::TbsSkinSelectDirectoryDialog(TComponent* owner)
    : TbsSkinDialogComponent(owner, L"Select folder", 200, 280, 280) {}

TbsSkinDialogForm* TbsSkinSelectDirectoryDialog::CreateDialogForm() {
    return new TbsSelDirDlgForm(Application, CtrlSkinData(), ShowToolBar, ToolButtonsTransparent);
}

void TbsSkinSelectDirectoryDialog::SetupControls(TbsSkinDialogForm* form) {
    auto* f = static_cast<TbsSelDirDlgForm*>(form);
    TbsSkinData* ctrl = CtrlSkinData();
    f->DirTreeViewPanel->SetSkinData(ctrl);
    f->DirTreeView->SetDefaultFont(DefaultFont());
    f->DirTreeView->SetSkinData(ctrl);
    if (!Directory.empty() && IsExistingDirectory(Directory)) f->DirTreeView->SetPath(Directory);
    else f->DirTreeView->ExpandMyComputer();
    for (TbsSkinControl* c : std::initializer_list<TbsSkinControl*>{f->HScrollBar, f->VScrollBar, f->OkButton,
                                                                      f->CancelButton, f->BottomPanel})
        c->SetSkinData(ctrl);
    f->OkButton->SetDefaultFont(DefaultFont());
    f->CancelButton->SetDefaultFont(DefaultFont());
    if (f->ToolPanel) {
        f->ToolPanel->SetSkinData(ctrl);
        f->NewFolderToolButton->SetSkinData(ctrl);
        f->DirEdit->SetSkinData(ctrl);
    }
}

void TbsSkinSelectDirectoryDialog::StartState(TbsSkinDialogForm* form) {
    auto* f = static_cast<TbsSelDirDlgForm*>(form);
    f->SetActiveControl(f->DirTreeView);
}

void TbsSkinSelectDirectoryDialog::ReadBack(TbsSkinDialogForm* form, bool confirmed) {
    if (confirmed) Directory = static_cast<TbsSelDirDlgForm*>(form)->DirTreeView->Path();
}
