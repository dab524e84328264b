#pragma once
// TbsCustomShellComboBox: the path box of the file dialogs. Its drop-down
// shows, indented and with system icons, the root folder, the root's
// subfolders, under a desktop root the drives, and the chain of folders
// down to the current one. Choosing an entry moves the linked tree and
// list views; they keep the box on their folder in turn.
//
// Name map: ItemsEx = the entries (each owns its folder), FUpdating = the
// box moves itself or the views (no calls back), FEntryUpdates = the
// entries are being rebuilt (the change hook stays silent).
//
// Threads: UI thread only.

#include <memory>
#include <vector>

#include "skin/boxes/bsSkinComboBox.h"
#include "skin/shell/bsSkinShellItems.h"

class TbsCustomShellTreeView;
class TbsCustomShellListView;

// One entry of the path box.
struct TbsItemEx {
    String Caption;
    std::unique_ptr<TbsShellFolder> Data;
    int Indent = 0;
    int ImageIndex = -1;
    int SelectedImageIndex = -1;
};

class TbsCustomShellComboBox : public TbsSkinCustomComboBox {
public:
    explicit TbsCustomShellComboBox(TComponent* owner);
    ~TbsCustomShellComboBox() override;

    int EntryCount() const { return static_cast<int>(FItemsEx.size()); }
    const TbsItemEx& Entry(int i) const { return *FItemsEx.at(static_cast<size_t>(i)); }
    // The selected entry's parsing name; empty without a selection.
    String Path();
    // Shows the chain of a parsable path without moving the linked views;
    // EInvalidPath "Error setting path: ..." when it cannot be parsed.
    void SetPath(const String& v);
    const TRoot& Root() const { return FRoot; }
    void SetRoot(const TRoot& v);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes v);
    bool UseShellImages() const { return FUseShellImages; }
    TbsCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(TbsCustomShellTreeView* v);
    TbsCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TbsCustomShellListView* v);

    void SelectItemIdList(LPCITEMIDLIST id);
    // The folder of entry index; past the end the last entry's.
    TbsShellFolder* FolderAtIndex(int index) const;
    int IndexOfItemIdList(LPCITEMIDLIST id) const;
    void WndProc(TMessage& m) override;

protected:
    virtual void InitItems();
    void Change() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation op) override;

private:
    friend class TbsCustomShellTreeView;
    friend class TbsCustomShellListView;
    void CreateRoot();
    void RootChanged();
    void ClearItemsEx();
    void SyncItems();
    void AddSubFolders(int afterIndex, TbsShellFolder* folder);
    void InsertEntry(int index, std::unique_ptr<TbsShellFolder> folder);
    void SetPathFromItemIdList(LPCITEMIDLIST id);
    void SetShellImages(bool on);
    int FolderImageIndex(const TbsShellFolder* folder) const;
    void DrawItem(TCanvas* c, int index, const TRect& r, bool inList);
    void ChosenByClick();

    std::vector<std::unique_ptr<TbsItemEx>> FItemsEx;
    HIMAGELIST FImages = nullptr;
    int FImageHeight = 16, FImageWidth = 16;
    TRoot FOldRoot, FRoot = L"rfDesktop";
    std::unique_ptr<TbsShellFolder> FRootFolder;
    TbsCustomShellTreeView* FTreeView = nullptr;
    TbsCustomShellListView* FListView = nullptr;
    TShellObjectTypes FObjectTypes = otFolders;
    bool FUseShellImages = true, FUpdating = false;
    int FEntryUpdates = 0;
};

class TbsSkinShellComboBox : public TbsCustomShellComboBox {
public:
    using TbsCustomShellComboBox::TbsCustomShellComboBox;
};
