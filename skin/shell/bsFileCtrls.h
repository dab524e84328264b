#pragma once
// The classic file-system lists, which can be chained:
//   TbsSkinDriveComboBox     the logical drives, each with a picture and its
//                            volume caption; drives the linked folder list;
//   TbsSkinDirectoryListBox  the path of a folder as an indented chain of
//                            rows, then its subfolders; drives the linked
//                            file list and folder label;
//   TbsSkinFileListBox       the files of a folder that match a mask and an
//                            attribute set; fills the linked edit.
//
// Unlike the classic controls these never change the process's current
// directory (worker threads convert files while a form shows them): every
// folder is kept and searched as an absolute path, and a relative path is
// resolved against the folder shown. A drive's "current folder" is the one
// the system keeps for that drive.
//
// Rows of the folder list carry their picture as the row's object, which
// tells the row's kind: OpenedBMP (an ancestor), CurrentBMP (the folder
// shown), ClosedBMP (a subfolder). The pictures are the program's "BS_*"
// bitmaps; the bottom-left pixel of each is drawn transparent.
//
// Name map: FInSetDir = the folder list is switching the drive inside its
// Directory setter (keeps DriveChanged from rebuilding twice); FLastSel =
// the file row last reported by Change.
//
// Errors: a folder that cannot be entered raises EInOutError to the caller
// and the list keeps its rows and Directory; DriveChanged ignores a drive
// that is not ready.
//
// Threads: UI thread only.

#include <memory>

#include "platform/StdCtrls.h"
#include "skin/boxes/bsSkinBoxCtrls.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/controls/bsSkinCtrlsLabels.h"

class TbsSkinDirectoryListBox;
class TbsSkinFileListBox;

enum TTextCase { tcLowerCase, tcUpperCase };

enum TbsFileAttr : unsigned {
    bsftReadOnly = 1u << 0,
    bsftHidden = 1u << 1,
    bsftSystem = 1u << 2,
    bsftVolumeID = 1u << 3,
    bsftDirectory = 1u << 4,
    bsftArchive = 1u << 5,
    bsftNormal = 1u << 6,  // admits every entry found
};
using TbsFileType = unsigned;

class TbsSkinDriveComboBox : public TbsSkinComboBox {
public:
    explicit TbsSkinDriveComboBox(TComponent* owner);
    ~TbsSkinDriveComboBox() override;

    wchar_t Drive() const { return FDrive; }
    // Selects the drive's row and tells the linked folder list; nothing when
    // a row is selected and the drive is the same ignoring case.
    void SetDrive(wchar_t NewDrive);
    TbsSkinDirectoryListBox* DirList() const { return FDirList; }
    void SetDirList(TbsSkinDirectoryListBox* v);
    TTextCase TextCase() const { return FTextCase; }
    void SetTextCase(TTextCase v);

    // One row per removable, fixed, remote, CD-ROM and RAM drive.
    virtual void RebuildItems();

    TBitmap FloppyBMP, FixedBMP, NetworkBMP, CDROMBMP, RAMBMP;

protected:
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation op) override;

private:
    friend class TbsSkinDirectoryListBox;
    void AddDriveItem(const String& letter, const String& caption, TBitmap* picture);
    void ComboDriveChanged();
    void DrawDriveItem(TCanvas* Cnvs, int Index, TRect TxtRect);

    TbsSkinDirectoryListBox* FDirList = nullptr;
    wchar_t FDrive = 0;
    TTextCase FTextCase = tcLowerCase;
};

class TbsSkinDirectoryListBox : public TbsSkinListBox {
public:
    explicit TbsSkinDirectoryListBox(TComponent* owner);
    ~TbsSkinDirectoryListBox() override;

    wchar_t Drive() const;
    void SetDrive(wchar_t v);
    const String& Directory() const { return FDirectory; }
    // Switches the drive first (through the linked drive combo), then enters
    // the folder; a relative path is taken from the folder shown.
    virtual void SetDirectory(const String& NewDirectory);
    bool PreserveCase() const { return FPreserveCase; }
    bool CaseSensitive() const { return FCaseSensitive; }
    TbsSkinStdLabel* DirLabel() const { return FDirLabel; }
    void SetDirLabel(TbsSkinStdLabel* v);
    TbsSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TbsSkinFileListBox* v);
    TNotifyEvent OnChange;

    String DisplayCase(const String& S) const;
    // < 0, 0, > 0 like a string comparison, case-sensitive on such volumes.
    int FileCompareText(const String& A, const String& B) const;
    // The full path of a row; empty beyond the rows.
    String GetItemPath(int Index) const;
    // Enters the selected row's folder.
    void OpenCurrent();
    // Rebuilds the rows and reports the change (the classic Update; the
    // class library's Update repaints).
    void UpdateList();
    // Called by the drive combo box: moves to that drive's current folder.
    void DriveChanged(wchar_t NewDrive);

    TBitmap ClosedBMP, OpenedBMP, CurrentBMP;

protected:
    virtual void Change();
    virtual void LoadFolderBitmaps();
    virtual void RebuildItems();
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation op) override;
    void ListBoxDblClick() override;
    void ListBoxKeyPress(wchar_t& key) override;
    // A row's width for the sideways scrolling: its text plus its picture
    // and indent.
    int GetItemWidth(int index, TCanvas* canvas) override;

private:
    friend class TbsSkinDriveComboBox;
    friend class TbsSkinFileListBox;
    // The indent and picture width of a row as drawn.
    void RowIndent(int Index, int& indent, int& pictureWidth, TBitmap*& picture) const;
    void EnterFolder(const String& Path);
    void UpdateDirLabel();
    void DrawFolderItem(TCanvas* Cnvs, int Index, TRect TxtRect);

    TbsSkinFileListBox* FFileList = nullptr;
    TbsSkinDriveComboBox* FDriveCombo = nullptr;
    TbsSkinStdLabel* FDirLabel = nullptr;
    bool FInSetDir = false;
    bool FPreserveCase = true;
    bool FCaseSensitive = false;
    String FDirectory;
};

class TbsSkinFileListBox : public TbsSkinListBox {
public:
    explicit TbsSkinFileListBox(TComponent* owner);
    ~TbsSkinFileListBox() override;

    wchar_t Drive() const;
    void SetDrive(wchar_t v);
    const String& Directory() const { return FDirectory; }
    void SetDirectory(const String& v) { ApplyFilePath(v); }
    // The full path of the selected file, empty when none is selected.
    virtual String FileName();
    void SetFileName(const String& v) { ApplyFilePath(v); }
    TEdit* FileEdit() const { return FFileEdit; }
    void SetFileEdit(TEdit* v);
    TbsFileType FileType() const { return FFileType; }
    void SetFileType(TbsFileType v);
    const String& Mask() const { return FMask; }
    void SetMask(const String& v);
    bool MultiSelect = false;
    TNotifyEvent OnChange;
    // The filter combo box that sets the mask (it keeps the link itself).
    TComponent* FilterCombo() const { return FFilterCombo; }
    void SetFilterCombo(TComponent* v);
    TbsSkinDirectoryListBox* DirList() const { return FDirList; }

    // Moves to the folder of EditText and takes its file part as a mask
    // (with a wildcard) or as the file to select.
    virtual void ApplyFilePath(const String& EditText);
    // Reads the files again (the classic Update).
    void UpdateList();
    // The selected row's text, empty when none.
    String GetSelectedName();
    // Called by the folder list.
    void FolderChanged(const String& Path);

protected:
    virtual void Change();
    virtual void ReadFiles();
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation op) override;
    void ListBoxClick() override;

private:
    friend class TbsSkinDirectoryListBox;
    void SelectFileName(const String& Name);
    // Adds the entries of one pattern that fit the attribute word.
    void AddMatches(const String& pattern, int attr);

    String FDirectory;
    String FMask = L"*.*";
    TbsFileType FFileType = bsftNormal;
    TEdit* FFileEdit = nullptr;
    TbsSkinDirectoryListBox* FDirList = nullptr;
    TComponent* FFilterCombo = nullptr;
    int FLastSel = -1;
};
