#pragma once
// TbsCustomShellTreeView: a tree of shell folders from Root down, each
// node's children enumerated when it first expands, icons from the system
// image list, children in the shell's order, the shell context menu,
// rename in place and an optional change notifier. It keeps a linked list
// view and path combo box on the selected folder.
//
// Each node's Data is the node's TbsShellFolder, owned by the tree (freed
// when the node goes).
//
// Name map: FUpdating = the tree moves its own selection (the linked views
// are not told again), FNodeToMonitor = the node whose folder the next
// notifier watches, FImages = the system list of small icons.
//
// Threads: UI thread only; the notifier's refresh comes as a posted
// message on the UI thread.

#include <memory>

#include "skin/controls/bsSkinCtrlsTree.h"
#include "skin/shell/bsSkinShellList.h"

class TbsCustomShellTreeView : public TbsSkinCustomTreeView, public IShellVerbCallback {
public:
    explicit TbsCustomShellTreeView(TComponent* owner);
    ~TbsCustomShellTreeView() override;

    // The selected node's parsing name; empty without a selection.
    String Path() const;
    // Selects the folder of a parsable path, expanding its ancestors;
    // EInvalidPath "Error setting path: ..." when it cannot be parsed.
    void SetPath(const String& v);
    TbsShellFolder* SelectedFolder() const;
    const TRoot& Root() const { return FRoot; }
    // Exception "Error setting path: ..." when it cannot be resolved: Root
    // and the tree stay as they were.
    void SetRoot(const TRoot& v);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes v);
    bool AutoContextMenus = true;
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool v);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool v);
    TbsCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TbsCustomShellListView* v);
    TbsCustomShellComboBox* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(TbsCustomShellComboBox* v);
    TbsShellChangeNotifier* Notifier() const { return FNotifier.get(); }
    TAddFolderEvent OnAddFolder;
    HIMAGELIST FImages = nullptr;

    // Selects My Computer and expands it. Like a path set through Path, the
    // request is remembered: asked before the tree has its window, or when
    // the window is made again, it is done once the window and its root are
    // made. Setting Path replaces it.
    void ExpandMyComputer();
    // Rebuilds the subtree of node, keeping expanded folders, the selection
    // and the top node where they still exist.
    void Refresh(TTreeNode* node);
    void SelectItemIdList(LPCITEMIDLIST id);
    TTreeNode* FindNodeByItemIdList(LPCITEMIDLIST id, TTreeNode* startNode) const;
    static TbsShellFolder* NodeFolder(const TTreeNode* node) {
        return node ? static_cast<TbsShellFolder*>(node->Data) : nullptr;
    }

    void ExecuteCommand(const String& verb, bool& handled) override;
    void CommandCompleted(const String& verb, bool succeeded) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation op) override;
    bool CanExpand(TTreeNode* node) override;
    bool CanChange(TTreeNode* node) override;
    void Edit(const TVITEMW& item) override;
    void Delete(TTreeNode* node) override;

private:
    friend class TbsCustomShellListView;
    friend class TbsCustomShellComboBox;
    void CreateRoot();
    void ReselectPath();
    void RootChanged();
    void ClearItems();
    void InitNode(TTreeNode* node, LPCITEMIDLIST relativeId, TTreeNode* parentNode);
    void PopulateNode(TTreeNode* node);
    void SortChildren(TTreeNode* node);
    void SetNodeImages(TTreeNode* node, bool always);
    void RefreshSelected();
    void SelectionChanged(TTreeNode* node);
    void ApplyImageList();
    bool ShowContextMenu(LPARAM pos);
    // The node's absolute id, built from its folder's relative id and its
    // parent's absolute id.
    static LPITEMIDLIST NodeAbsoluteId(const TTreeNode* node);
    void FreeNodeFolder(TTreeNode* node);

    String FPath;
    bool FExpandMyComputer = false;  // the start is My Computer (until Path is set)
    TRoot FRoot = L"rfDesktop", FOldRoot;
    std::unique_ptr<TbsShellFolder> FRootFolder;
    TShellObjectTypes FObjectTypes = otFolders;
    bool FLoadingRoot = false, FUpdating = false, FAutoRefresh = false, FImageListChanging = false;
    bool FUseShellImages = true;
    TbsCustomShellListView* FListView = nullptr;
    TbsCustomShellComboBox* FComboBox = nullptr;
    std::unique_ptr<TbsShellChangeNotifier> FNotifier;
    String FSavePath;
    TTreeNode* FNodeToMonitor = nullptr;
};

class TbsSkinDirTreeView : public TbsCustomShellTreeView {
public:
    using TbsCustomShellTreeView::TbsCustomShellTreeView;
};
