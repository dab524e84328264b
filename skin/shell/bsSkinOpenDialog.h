#pragma once
// The skinned open and save dialog. TbsSkinOpenDialog builds a
// TbsOpenDlgForm for every Execute: a tool bar (path box, Back, Up, New
// Folder, view menu), the shell file list with its two bars, and a bottom
// panel with the name edit, the filter list, Open (Save) and Cancel. It
// returns the chosen file in FileName and, with MultiSelection, all chosen
// files in Files. A protected save mode (FSaveMode) turns it into a save
// dialog.
//
// Typed names: a name is taken from the folder shown, a drive-rooted or UNC
// path as it is, ".." and "." resolved; a name without extension gets
// DefaultExt, else the filter's extension. A name not found in open mode
// (CheckFileExists) is reported in a skinned message and the window stays
// open. Save mode asks about, and returns, the final name (with the
// extension). A start folder that no longer exists falls back to
// InitialDir, then the program's folder, then My Computer. Nothing here
// changes the process's current directory.
//
// Name map (handlers of the form): FLVChange = the list's selection changed
// (the name edit follows), FLVPathChange = the list moved to another folder
// (history), FLVDBLClick = double click in the list (take the file),
// FLVKeyPress / EditKeyPress = Enter in the list / edit, FCBChange = another
// filter entry, OpenButtonClick = accept the name if it fits,
// BackToolButtonClick / UpToolButtonClick / NewFolderToolButtonClick = the
// tool buttons, IconItemClick .. ReportItemClick = the view menu.
//
// Threads: UI thread only; Execute runs a modal loop.

#include <vector>

#include "platform/Menus.h"
#include "platform/StringList.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/shell/bsSkinDialogBase.h"
#include "skin/shell/bsSkinFilterCombo.h"
#include "skin/shell/bsSkinShellCombo.h"
#include "skin/shell/bsSkinShellList.h"

class TbsOpenDlgForm : public TbsSkinDialogForm {
public:
    TbsOpenDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData, bool AToolButtonsTransparent);
    ~TbsOpenDlgForm() override;
    // Builds the controls (once, right after construction).
    void Build();

    String DefaultExt;
    bool OverwritePromt = false;
    String FileName;
    bool CheckFileExists = true;
    TNotifyEvent OnFolderChange;

    TbsSkinPanel* FileListViewPanel = nullptr;
    TbsSkinPanel* BottomPanel = nullptr;
    TbsSkinScrollBar* FLVHScrollBar = nullptr;
    TbsSkinScrollBar* FLVVScrollBar = nullptr;
    TbsSkinFileListView* FileListView = nullptr;
    TbsSkinEdit* FileNameEdit = nullptr;
    TbsSkinFilterComboBox* FilterComboBox = nullptr;
    TbsSkinShellComboBox* ShellBox = nullptr;
    TbsSkinButton* OpenButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    TbsSkinStdLabel* Drivelabel = nullptr;
    TbsSkinStdLabel* OpenFileLabel = nullptr;
    TbsSkinStdLabel* FileTypeLabel = nullptr;
    TbsSkinPanel* ToolPanel = nullptr;
    TbsSkinSpeedButton* NewFolderToolButton = nullptr;
    TbsSkinSpeedButton* UpToolButton = nullptr;
    TbsSkinSpeedButton* BackToolButton = nullptr;
    TbsSkinMenuSpeedButton* StyleToolButton = nullptr;
    TbsSkinPopupMenu* StylePopupMenu = nullptr;
    TMenuItem* IconMenuItem = nullptr;
    TMenuItem* SmallIconMenuItem = nullptr;
    TMenuItem* ReportMenuItem = nullptr;
    TMenuItem* ListMenuItem = nullptr;

    // The extension of the filter's mask ("" for a mask with ".*").
    String FilterExtension();
    // The extension a typed name without one gets.
    virtual String DefaultNameExtension();
    // Records the list's folder in the history (unless it is the last one).
    void InitHistory();
    int HistoryCount() const { return static_cast<int>(FolderHistory.size()); }
    // Checks the view-menu item of a style and sets the list's style.
    void SetViewStyle(TViewStyle style);

    void FLVChange(TObject* Sender, TListItem* Item, TItemChange Change);
    virtual void FLVPathChange(TObject* Sender);
    void FLVDBLClick(TObject* Sender);
    void FLVKeyPress(TObject* Sender, wchar_t& Key);
    void EditKeyPress(TObject* Sender, wchar_t& Key);
    void FCBChange(TObject* Sender);
    void OpenButtonClick(TObject* Sender);
    void BackToolButtonClick(TObject* Sender);
    void UpToolButtonClick(TObject* Sender);
    void NewFolderToolButtonClick(TObject* Sender);

protected:
    // The tool bar's controls right of the path box (the picture dialog
    // puts its stretch button first, at the right end).
    virtual void BuildToolBarEnd() {}
    // Panels aligned to the right of the file list (the picture preview).
    virtual void BuildSidePanels() {}
    // Places the name edit, the filter list and the two buttons in the
    // bottom panel.
    virtual void PlaceBottomControls();
    // The selection changed to the file name part `name` (may be empty).
    virtual void SelectionChanged(const String& name);
    // The folder shown, with a trailing backslash.
    String CurrentDir();
    // A typed name as a full path: drive-rooted and UNC paths as they are,
    // others in the folder shown; "." and ".." resolved.
    String ResolveTyped(const String& typed);
    String Complete(const String& name);
    // A typed name to save under, with the filter's extension or, without
    // one, DefaultExt when it has none of its own.
    String SaveName(const String& name);
    bool AskOverwrite();
    void CloseOk(const String& name);

    bool SaveMode = false;
    std::vector<LPITEMIDLIST> FolderHistory;
    bool StopAddToHistory = false;
    int NewFolderCount = 0;
};

class TbsSkinOpenDialog : public TbsSkinDialogComponent {
public:
    explicit TbsSkinOpenDialog(TComponent* owner);
    ~TbsSkinOpenDialog() override;

    bool ShowHiddenFiles = false;
    bool OverwritePromt = false;
    String DefaultExt;
    bool CheckFileExists = true;
    bool MultiSelection = false;
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    BYTE CtrlAlphaBlendValue = 225;
    String LVHeaderSkinDataName = L"resizebutton";
    String InitialDir;
    String Filter = L"All files|*.*";
    int FilterIndex = 1;
    const String& FileName() const { return FFileName; }
    // Also sets the name edit's text while the window is shown.
    void SetFileName(const String& v);
    TNotifyEvent OnFolderChange;
    TStringList* Files() { return &FFiles; }
    TViewStyle ListViewStyle = vsList;

    bool Execute() { return RunDialog(); }
    // The list's selected file while the window is shown, else empty.
    String GetSelectedFile();

protected:
    TbsSkinOpenDialog(TComponent* owner, const String& title, BYTE alphaValue, int defaultWidth, int defaultHeight);
    TbsSkinDialogForm* CreateDialogForm() override;
    void CopySettings(TbsSkinDialogForm* f) override;
    void SetupControls(TbsSkinDialogForm* f) override;
    void StartState(TbsSkinDialogForm* f) override;
    void ReadBack(TbsSkinDialogForm* f, bool confirmed) override;
    // The folder the list starts in: FileName's folder, InitialDir, the
    // program's folder or My Computer, the first that exists.
    String StartFolder() const;

    bool FSaveMode = false;
    String FFileName;
    TStringList FFiles;
};
