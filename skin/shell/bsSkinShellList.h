#pragma once
// TbsCustomShellListView: the contents of one shell folder in a virtual
// (owner-data) skinned list view: folders first, files filtered by Mask,
// re-sorting by a clicked column, the shell's detail columns in the report
// style, navigation by double click, Enter, Backspace and F5, rename in
// place, the shell context menu and an optional change notifier. It keeps
// a linked tree view and path combo box on its folder.
//
// Name map: FFolders = one item per row (owned), FRootFolder = the folder
// listed, FUpdating = a navigation is running (stops the linked views from
// calling back), FSettingRoot = the folder came from Root, not from
// navigation.
//
// Errors met while handling a window message (a sort that needs details
// the shell cannot give, a refused rename) are shown in a skinned message
// and never leave the window procedure.
//
// Threads: UI thread only; Refresh also runs from the notifier's posted
// message, on the UI thread.

#include <functional>
#include <memory>
#include <vector>

#include "platform/StringList.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "skin/shell/bsSkinShellItems.h"
#include "skin/shell/bsSkinShellNotify.h"

class TbsCustomShellTreeView;
class TbsCustomShellComboBox;

// (Sender, AFolder, var CanAdd): a handler may refuse an item.
using TAddFolderEvent = std::function<void(TObject* sender, TbsShellFolder* folder, bool& canAdd)>;

// Shows the text of an error caught at a window message in a skinned
// message box of the store (nullptr: the default look).
void ShowShellError(const std::exception& e, TbsSkinData* store);

// A notifier watching folder (not its subfolders) that runs refresh on the
// UI thread for each change; what refresh throws is shown by ShowShellError
// in the look of the store that store() gives at that time.
std::unique_ptr<TbsShellChangeNotifier> WatchShellFolder(const String& folder, std::function<void()> refresh,
                                                         std::function<TbsSkinData*()> store);

class TbsCustomShellListView : public TbsSkinCustomListView, public IShellVerbCallback {
public:
    explicit TbsCustomShellListView(TComponent* owner);
    ~TbsCustomShellListView() override;

    TbsShellFolder* RootFolder() const { return FRootFolder.get(); }
    // The listed folder's parsing name; empty without one.
    String Path() const;
    // EInvalidPath "Error setting path: ..." when the text cannot be parsed.
    void SetPath(const String& v);
    const TRoot& Root() const { return FRoot; }
    // Exception "Error setting path: ..." (Root restored) when it cannot be
    // resolved.
    void SetRoot(const TRoot& v);
    const String& Mask() const { return FMask; }
    void SetMask(const String& v);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    bool AutoContextMenus = true;
    bool AutoNavigate = true;
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool v);
    TbsCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(TbsCustomShellTreeView* v);
    TbsCustomShellComboBox* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(TbsCustomShellComboBox* v);
    // The platform setter; the report style also lists the columns.
    void SetViewStyle(TViewStyle v);
    TbsShellChangeNotifier* Notifier() const { return FNotifier.get(); }

    TAddFolderEvent OnAddFolder;
    TNotifyEvent OnPathChanged;

    // Moves to the folder of an absolute id (nothing while a navigation
    // runs or when it is shown already); raises OnPathChanged.
    void SetRootFromItemIdList(LPCITEMIDLIST id);
    void NavigateToItemIdList(LPCITEMIDLIST id);
    // One level up; nothing at the desktop.
    void Back();
    // Lists the folder again and selects the row at the same index.
    void Refresh();
    TbsShellFolder* SelectedFolder();
    // nullptr when the list is empty or index is outside it.
    TbsShellFolder* FolderAtIndex(int index) const;
    int FolderCount() const { return static_cast<int>(FFolders.size()); }
    // The file-system name of the selected row when it is no folder.
    String GetSelectedFile();
    // The names of every selected row that is no folder, in row order.
    void GetSelectedFiles(TStrings* files);
    void RootChanged();
    void EnumColumns();
    // Sorts the rows by column (as a click on it does).
    void SortByColumn(int column);
    int SortColumn() const { return FSortColumn; }
    bool SortDirection() const { return FSortDirection; }

    void ExecuteCommand(const String& verb, bool& handled) override;
    void CommandCompleted(const String& verb, bool succeeded) override;
    void WndProc(TMessage& m) override;

protected:
    virtual void Populate();
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation op) override;
    bool OwnerDataFetch(TListItem* item, TItemRequest request) override;
    int OwnerDataFind(TItemFind find, const String& findString, const TPoint& findPosition, void* findData,
                      int startIndex, TSearchDirection direction, bool wrap) override;
    void ColClick(TListColumn* column) override;
    void Edit(const LVITEMW& item) override;
    bool DoKeyDown(WORD& key, TShiftState shift) override;
    void DblClick() override;

private:
    friend class TbsCustomShellTreeView;
    friend class TbsCustomShellComboBox;
    void CreateRoot();
    void SynchronizeLinks();
    void ClearItems();
    bool MatchesFileMask(const TbsShellFolder* folder) const;
    void SortPlain();
    void ReplaceRoot(std::unique_ptr<TbsShellFolder> folder);
    bool AddDetailColumn(STRRET& caption, int fmt, int chars, std::vector<String>& added);
    void AddDefaultColumns(int n);
    String ColumnCaption(const wchar_t* key, const wchar_t* builtIn) const;
    bool ShowContextMenu(LPARAM pos);
    void SetSystemImageLists();

    int FOldSortColumn = -1, FSortColumn = -1;
    bool FSortDirection = false;
    TRoot FOldRoot, FRoot = L"rfDesktop";
    std::unique_ptr<TbsShellFolder> FRootFolder;
    bool FAutoRefresh = false, FSorted = true, FUpdating = false, FSettingRoot = false;
    TShellObjectTypes FObjectTypes = otFolders | otNonFolders;
    HIMAGELIST FLargeImages = nullptr, FSmallImages = nullptr;
    std::vector<std::unique_ptr<TbsShellFolder>> FFolders;
    TbsCustomShellTreeView* FTreeView = nullptr;
    TbsCustomShellComboBox* FComboBox = nullptr;
    std::unique_ptr<TbsShellChangeNotifier> FNotifier;
    String FSavePath;
    String FMask = L"*.*|*.*";
};

class TbsSkinFileListView : public TbsCustomShellListView {
public:
    using TbsCustomShellListView::TbsCustomShellListView;
};
