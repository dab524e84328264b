#include "skin/shell/bsSkinShellTree.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "skin/shell/bsSkinShellCombo.h"
#include "skin/shell/bsSkinShellLinks.h"
#include "skin/shell/bsSkinShellScopes.h"

using platform::ComPtr;
using platform::ItemIdList;

namespace {




// The node after node in display order (children first), or nullptr.
TTreeNode* NextNode(TTreeNode* node) {
    if (node->Count() > 0) return node->Item(0);
    for (TTreeNode* n = node; n; n = n->Parent()) {
        if (TTreeNode* s = n->GetNextSibling()) return s;
    }
    return nullptr;
}

}  // namespace

TbsCustomShellTreeView::TbsCustomShellTreeView(TComponent* owner) : TbsSkinCustomTreeView(owner) {
    ShowRoot = false;
    RightClickSelect = true;
    SHFILEINFOW info{};
    FImages = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (FImages) ImageList_SetBkColor(FImages, CLR_NONE);
}

TbsCustomShellTreeView::~TbsCustomShellTreeView() {
    FNotifier.reset();
    if (FListView && FListView->FTreeView == this) FListView->FTreeView = nullptr;
    if (FComboBox && FComboBox->FTreeView == this) FComboBox->FTreeView = nullptr;
    ClearItems();
    FRootFolder.reset();
}

void TbsCustomShellTreeView::FreeNodeFolder(TTreeNode* node) {
    delete NodeFolder(node);
    node->Data = nullptr;
}

void TbsCustomShellTreeView::Delete(TTreeNode* node) {
    FreeNodeFolder(node);
    TbsSkinCustomTreeView::Delete(node);
}

void TbsCustomShellTreeView::ClearItems() {
    platform::BoolFlagScope updating(FUpdating);
    Items()->Clear();
}

void TbsCustomShellTreeView::CreateWnd() {
    TbsSkinCustomTreeView::CreateWnd();
    ClearItems();
    if (!Images()) SetUseShellImages(FUseShellImages);
    if (FLoadingRoot) return;
    try {
        CreateRoot();
    } catch (const Exception& e) {
        OutputDebugStringW((L"shell tree: " + e.Message()).c_str());
        return;
    }
    if (FExpandMyComputer) ExpandMyComputer();
    else ReselectPath();
}

// Selects the folder last set through Path again after the root was built
// anew (a window made before its form finished loading would otherwise fall
// back to the root). A path that no longer parses is logged, not raised.
void TbsCustomShellTreeView::ReselectPath() {
    if (FPath.empty() || !HandleAllocated()) return;
    try {
        SetPath(FPath);
    } catch (const Exception& e) {
        OutputDebugStringW((L"shell tree: " + e.Message()).c_str());
    }
}

void TbsCustomShellTreeView::DestroyWnd() {
    ClearItems();
    TbsSkinCustomTreeView::DestroyWnd();
}

void TbsCustomShellTreeView::Loaded() {
    TbsSkinCustomTreeView::Loaded();
    CreateRoot();
    if (FExpandMyComputer) ExpandMyComputer();
    else ReselectPath();
}

void TbsCustomShellTreeView::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomTreeView::Notification(component, op);
    if (op != opRemove) return;
    if (component == reinterpret_cast<TComponent*>(FListView)) FListView = nullptr;
    if (component == reinterpret_cast<TComponent*>(FComboBox)) FComboBox = nullptr;
}

// ---- root ------------------------------------------------------------------------------

void TbsCustomShellTreeView::SetNodeImages(TTreeNode* node, bool always) {
    TbsShellFolder* f = NodeFolder(node);
    if (!f || (!always && (!FUseShellImages || Images()))) return;
    node->SetImageIndex(GetShellImageIndex(f->AbsoluteID(), false, false));
    node->SetSelectedIndex(GetShellImageIndex(f->AbsoluteID(), false, true));
    if (node->SelectedIndex() == 0) node->SetSelectedIndex(node->ImageIndex());
}

void TbsCustomShellTreeView::CreateRoot() {
    if (Has(csLoading)) return;
    String held;
    try {
        CreateRootShellFolder(FRootFolder, FOldRoot, FRoot);
    } catch (const Exception& e) {
        held = e.Message();
    }
    if (FRootFolder) {
        platform::BoolFlagScope loading(FLoadingRoot);
        platform::BoolFlagScope updating(FUpdating);
        if (Items()->Count() > 0) ClearItems();
        auto* folder = new TbsShellFolder(nullptr, ComPtr<IShellFolder>::Share(FRootFolder->ShellFolder()),
                                          FRootFolder->AbsoluteID());
        TTreeNode* node = Items()->AddChildObject(
            nullptr, GetItemDisplayName(ShellDesktopObject()->ShellFolder(), folder->AbsoluteID(), SHGDN_NORMAL),
            folder);
        SetNodeImages(node, false);
        node->SetHasChildren(folder->SubFolders());
        if (HandleAllocated()) {
            node->Expand(false);
            node->SetSelected(true);
        }
    }
    if (!held.empty()) throw Exception(held);
}

void TbsCustomShellTreeView::RootChanged() {
    if (FUpdating) return;
    platform::BoolFlagScope updating(FUpdating);
    CreateRoot();
    if (FListView) FListView->SetRoot(FRoot);
}

void TbsCustomShellTreeView::SetRoot(const TRoot& v) {
    if (SameText(v, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = v;
    RootChanged();
}

void TbsCustomShellTreeView::SetObjectTypes(TShellObjectTypes v) {
    FObjectTypes = v;
    RootChanged();
}

// ---- nodes -----------------------------------------------------------------------------

void TbsCustomShellTreeView::InitNode(TTreeNode* node, LPCITEMIDLIST relativeId, TTreeNode* parentNode) {
    TbsShellFolder* parent = NodeFolder(parentNode);
    auto* folder = new TbsShellFolder(parent, BindItemShellFolder(parent->ShellFolder(), relativeId, nullptr),
                                      relativeId);
    node->Data = folder;
    node->SetText(folder->DisplayName());
    SetNodeImages(node, false);
    bool children = folder->SubFolders();
    if ((FObjectTypes & otNonFolders) && folder->ShellFolder())
        children = FolderHasSubItems(folder->ShellFolder(), ObjectTypesToEnumFlags(FObjectTypes));
    node->SetHasChildren(children);
    bool canAdd = true;
    if (OnAddFolder) OnAddFolder(this, folder, canAdd);
    if (!canAdd) node->Delete();
}

void TbsCustomShellTreeView::PopulateNode(TTreeNode* node) {
    TbsShellFolder* folder = NodeFolder(node);
    if (!folder || !folder->ShellFolder()) return;
    TbsShellBusyCursor busy;
    TbsShellNodeUpdates updates(Items());
    IShellFolder* sf = folder->ShellFolder();
    std::vector<ItemIdList> ids;
    try {
        ComPtr<IEnumIDList> items;
        HWND owner = Application ? Application->Handle() : nullptr;
        if (sf->EnumObjects(owner, ObjectTypesToEnumFlags(FObjectTypes), items.Put()) != S_OK || !items) return;
        for (;;) {
            ItemIdList id;
            ULONG got = 0;
            if (items->Next(1, id.Put(), &got) != S_OK || !id) break;
            ids.push_back(std::move(id));
        }
    } catch (const Exception& e) {
        OutputDebugStringW((L"shell tree: " + e.Message()).c_str());
        return;
    }
    // The children come in the shell's order.
    std::stable_sort(ids.begin(), ids.end(), [sf](const ItemIdList& a, const ItemIdList& b) {
        return static_cast<short>(HRESULT_CODE(sf->CompareIDs(0, a.Get(), b.Get()))) < 0;
    });
    for (const ItemIdList& id : ids) InitNode(Items()->AddChild(node, L""), id.Get(), node);
}

bool TbsCustomShellTreeView::CanExpand(TTreeNode* node) {
    const bool allow = TbsSkinCustomTreeView::CanExpand(node);
    if (!allow) return false;
    try {
        TbsShellFolder* f = NodeFolder(node);
        // A file is never run from here: expanding it does nothing.
        if (f && f->IsFolder() && node->HasChildren() && node->Count() == 0) PopulateNode(node);
    } catch (const std::exception& e) {
        ShowShellError(e, SkinData());
    }
    node->SetHasChildren(node->Count() > 0);
    return allow;
}

bool TbsCustomShellTreeView::CanChange(TTreeNode* node) {
    const bool allow = TbsSkinCustomTreeView::CanChange(node);
    if (allow && !FUpdating && node) {
        try {
            SelectionChanged(node);
        } catch (const std::exception& e) {
            ShowShellError(e, SkinData());
        }
    }
    return allow;
}

void TbsCustomShellTreeView::SelectionChanged(TTreeNode* node) {
    TbsShellFolder* folder = NodeFolder(node);
    if (folder && !folder->IsFolder() && node->Parent()) folder = NodeFolder(node->Parent());
    if (!folder) return;
    const bool autoRefresh = FAutoRefresh;
    SetAutoRefresh(false);
    {
        platform::BoolFlagScope updating(FUpdating);
        if (FComboBox) FComboBox->SelectItemIdList(folder->AbsoluteID());
        if (FListView) FListView->NavigateToItemIdList(folder->AbsoluteID());
    }
    FNodeToMonitor = node;
    SetAutoRefresh(autoRefresh);
    FNodeToMonitor = nullptr;
}

TTreeNode* TbsCustomShellTreeView::FindNodeByItemIdList(LPCITEMIDLIST id, TTreeNode* startNode) const {
    if (!startNode) return nullptr;
    IShellFolder* desktop = ShellDesktopObject()->ShellFolder();
    const int level = startNode->Level();
    for (TTreeNode* n = startNode; n; n = NextNode(n)) {
        if (n != startNode && n->Level() <= level) break;
        TbsShellFolder* f = NodeFolder(n);
        if (f && HRESULT_CODE(desktop->CompareIDs(0, id, f->AbsoluteID())) == 0) return n;
    }
    return nullptr;
}

void TbsCustomShellTreeView::SelectItemIdList(LPCITEMIDLIST id) {
    if (Has(csLoading) || !id) return;
    if (TbsShellFolder* f = NodeFolder(Selected()); f && SameItemIdList(f->AbsoluteID(), id)) return;
    TTreeNode* node = nullptr;
    {
        platform::BoolFlagScope updating(FUpdating);
        TbsShellNodeUpdates updates(Items());
        TTreeNode* start = Items()->GetFirstNode();
        for (const ItemIdList& prefix : CreateItemIdPrefixList(id)) {
            if (TTreeNode* found = FindNodeByItemIdList(prefix.Get(), start)) {
                found->Expand(false);
                start = found;
            }
        }
        node = FindNodeByItemIdList(id, start);
        if (node) node->SetSelected(true);
    }
    if (TbsShellFolder* f = NodeFolder(node)) {
        if (FListView) FListView->NavigateToItemIdList(f->AbsoluteID());
        if (FComboBox) FComboBox->SelectItemIdList(f->AbsoluteID());
    }
}

LPITEMIDLIST TbsCustomShellTreeView::NodeAbsoluteId(const TTreeNode* node) {
    TbsShellFolder* f = NodeFolder(node);
    return f ? CopyItemIdList(f->AbsoluteID()) : nullptr;
}

void TbsCustomShellTreeView::Refresh(TTreeNode* node) {
    TbsShellFolder* old = NodeFolder(node);
    if (!old || !old->ShellFolder()) return;
    ItemIdList topId(NodeAbsoluteId(TopItem())), selectedId(NodeAbsoluteId(Selected()));
    // The expanded folders of the subtree, to open again.
    std::vector<ItemIdList> expanded;
    for (TTreeNode* n = NextNode(node); n && n->Level() > node->Level(); n = NextNode(n))
        if (n->Expanded()) expanded.emplace_back(NodeAbsoluteId(n));
    TbsShellBusyCursor busy;
    platform::BoolFlagScope updating(FUpdating);
    TbsShellNodeUpdates updates(Items());
    // The node's new folder is made before the old one goes.
    auto* fresh = new TbsShellFolder(node->Parent() ? NodeFolder(node->Parent()) : nullptr,
                                     ComPtr<IShellFolder>::Share(old->ShellFolder()), old->RelativeID());
    node->DeleteChildren();
    node->Data = fresh;
    delete old;
    PopulateNode(node);
    SetNodeImages(node, true);
    node->SetHasChildren(node->Count() > 0 || fresh->SubFolders());
    node->SetText(fresh->DisplayName());
    if (node->Count() > 0) node->Expand(false);
    for (const ItemIdList& id : expanded)
        if (TTreeNode* n = FindNodeByItemIdList(id.Get(), node)) n->Expand(false);
    if (selectedId)
        if (TTreeNode* n = FindNodeByItemIdList(selectedId.Get(), Items()->GetFirstNode())) n->SetSelected(true);
    if (topId && HandleAllocated())
        if (TTreeNode* n = FindNodeByItemIdList(topId.Get(), Items()->GetFirstNode()))
            TreeView_Select(Handle(), n->ItemId(), TVGN_FIRSTVISIBLE);
}

void TbsCustomShellTreeView::RefreshSelected() {
    if (Selected()) Refresh(Selected());
}

// ---- path ------------------------------------------------------------------------------

String TbsCustomShellTreeView::Path() const {
    TbsShellFolder* f = SelectedFolder();
    return f ? f->PathName() : String();
}

TbsShellFolder* TbsCustomShellTreeView::SelectedFolder() const { return NodeFolder(Selected()); }

void TbsCustomShellTreeView::SetPath(const String& v) {
    FPath = v;
    FExpandMyComputer = false;
    ItemIdList id;
    try {
        id = ParsePath(v);
    } catch (const EOleSysError&) {
        throw EInvalidPath(Format(L"Error setting path: \"%s\"", v));
    }
    SelectItemIdList(id.Get());
    if (TTreeNode* node = Selected()) {
        node->Expand(false);
        SelectionChanged(node);
    }
}

void TbsCustomShellTreeView::ExpandMyComputer() {
    // Remembered like a path: a window made later (or made again) opens here.
    FExpandMyComputer = true;
    FPath.clear();
    if (!HandleAllocated()) return;
    ItemIdList drives;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()))) return;
    SelectItemIdList(drives.Get());
    if (Selected()) Selected()->Expand(false);
}

// ---- settings and links ----------------------------------------------------------------

void TbsCustomShellTreeView::ApplyImageList() {
    if (!HandleAllocated()) return;
    HIMAGELIST list = Images() ? Images()->Handle() : FUseShellImages ? FImages : nullptr;
    platform::BoolFlagScope changing(FImageListChanging);
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
}

void TbsCustomShellTreeView::SetUseShellImages(bool v) {
    FUseShellImages = v;
    ApplyImageList();
}

void TbsCustomShellTreeView::SetAutoRefresh(bool v) {
    FAutoRefresh = v;
    if (Has(csLoading)) return;
    FNotifier.reset();
    if (!v) return;
    TbsShellFolder* f = FNodeToMonitor ? NodeFolder(FNodeToMonitor) : FRootFolder.get();
    if (!f) return;
    FNotifier = WatchShellFolder(f->PathName(), [this] { RefreshSelected(); }, [this] { return SkinData(); });
}

void TbsCustomShellTreeView::SetShellListView(TbsCustomShellListView* v) {
    bsLinkShellControl(this, FListView, v, &TbsCustomShellListView::FTreeView, FRoot);
}

void TbsCustomShellTreeView::SetShellComboBox(TbsCustomShellComboBox* v) {
    bsLinkShellControl(this, FComboBox, v, &TbsCustomShellComboBox::FTreeView, FRoot);
}

// ---- editing, menus and messages -------------------------------------------------------

void TbsCustomShellTreeView::Edit(const TVITEMW& item) {
    auto* node = reinterpret_cast<TTreeNode*>(item.lParam);
    if (!item.pszText || !node) return;
    try {
        String s = item.pszText;
        if (OnEdited) OnEdited(this, node, s);
        TbsShellFolder* f = NodeFolder(node);
        if (f && f->Rename(s)) node->SetText(s);
        if (node->Parent()) Refresh(node->Parent());
    } catch (const std::exception& e) {
        ShowShellError(e, SkinData());
    }
}

bool TbsCustomShellTreeView::ShowContextMenu(LPARAM pos) {
    // A popup menu of the control's own takes precedence.
    if (!AutoContextMenus || !SelectedFolder() || (PopupMenu && PopupMenu->AutoPopup)) return false;
    POINT p{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    if (pos == -1) {
        const TRect r = Selected()->DisplayRect(true);
        p = {r.left, r.bottom};
    } else {
        ::ScreenToClient(Handle(), &p);
    }
    InvokeShellContextMenu(this, SelectedFolder(), p.x, p.y);
    return true;
}

void TbsCustomShellTreeView::WndProc(TMessage& m) {
    // Owner-draw and menu messages belong to a shell menu only while one is
    // tracked; otherwise they take the usual way.
    if (ForwardShellMenuMessage(m)) return;
    if (m.Msg == TVM_SETIMAGELIST && !FImageListChanging) {
        ApplyImageList();
        return;
    }
    if (m.Msg == WM_CONTEXTMENU) {
        try {
            if (ShowContextMenu(m.LParam)) return;
        } catch (const std::exception& e) {
            ShowShellError(e, SkinData());
            return;
        }
    }
    TbsSkinCustomTreeView::WndProc(m);
}

void TbsCustomShellTreeView::ExecuteCommand(const String& verb, bool& handled) {
    if (SameText(verb, L"rename") && Selected()) {
        Selected()->EditText();
        handled = true;
    }
}

void TbsCustomShellTreeView::CommandCompleted(const String& verb, bool succeeded) {
    TTreeNode* node = Selected();
    if (!succeeded || !node) return;
    if (SameText(verb, L"delete")) {
        // The node goes only when its file or folder is really gone.
        if (GetFileAttributesW(NodeFolder(node)->PathName().c_str()) == INVALID_FILE_ATTRIBUTES) node->Delete();
    } else if (SameText(verb, L"paste")) {
        Refresh(node);
    }
}
