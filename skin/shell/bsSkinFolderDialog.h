#pragma once
// The skinned select-folder dialog. TbsSkinSelectDirectoryDialog builds a
// TbsSelDirDlgForm for every Execute: a skinned shell folder tree with its
// two scroll bars, OK and Cancel, and on request (ShowToolBar) a tool bar
// with a path edit and a New Folder button. Execute follows the common
// steps of TbsSkinDialogComponent; Directory is the start folder and, after
// OK, the chosen one (Cancel keeps it). A start folder that is empty or no
// longer exists opens the tree with My Computer expanded.
//
// Name map: DirEditKeyPress = Enter in the path edit (select that folder),
// DirTreeViewChange = the tree's selection changed (the edit follows),
// NewFolderToolButtonClick = create "New Folder" under the selected folder.
//
// Threads: UI thread only; Execute runs a modal loop.

#include "skin/boxes/bsSkinEdits.h"
#include "skin/shell/bsSkinDialogBase.h"
#include "skin/shell/bsSkinShellTree.h"

class TbsSelDirDlgForm : public TbsSkinDialogForm {
public:
    TbsSelDirDlgForm(TComponent* AOwner, TbsSkinData* ACtrlSkinData, bool AShowToolBar,
                     bool AToolButtonsTransparent);

    TbsSkinPanel* DirTreeViewPanel = nullptr;
    TbsSkinPanel* BottomPanel = nullptr;
    TbsSkinDirTreeView* DirTreeView = nullptr;
    TbsSkinScrollBar* VScrollBar = nullptr;
    TbsSkinScrollBar* HScrollBar = nullptr;
    TbsSkinButton* OkButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    // Only with the tool bar.
    TbsSkinPanel* ToolPanel = nullptr;
    TbsSkinSpeedButton* NewFolderToolButton = nullptr;
    TbsSkinEdit* DirEdit = nullptr;

    void DirEditKeyPress(TObject* Sender, wchar_t& Key);
    void DirTreeViewChange(TObject* Sender, TTreeNode* Node);
    void NewFolderToolButtonClick(TObject* Sender);

private:
    bool ShowToolBar = false;
};

class TbsSkinSelectDirectoryDialog : public TbsSkinDialogComponent {
public:
    explicit TbsSkinSelectDirectoryDialog(TComponent* owner);

    String Directory;
    bool ShowToolBar = false;

    bool Execute() { return RunDialog(); }

protected:
    TbsSkinDialogForm* CreateDialogForm() override;
    void SetupControls(TbsSkinDialogForm* f) override;
    void StartState(TbsSkinDialogForm* f) override;
    void ReadBack(TbsSkinDialogForm* f, bool confirmed) override;
};
