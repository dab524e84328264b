#include "skin/shell/bsSkinShellCombo.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/Bitmap.h"
#include "platform/Owners.h"
#include "skin/shell/bsSkinShellLinks.h"
#include "skin/shell/bsSkinShellScopes.h"
#include "skin/shell/bsSkinShellList.h"
#include "skin/shell/bsSkinShellTree.h"

using platform::ComPtr;
using platform::ItemIdList;


TbsCustomShellComboBox::TbsCustomShellComboBox(TComponent* owner) : TbsSkinCustomComboBox(owner) {
    SHFILEINFOW info{};
    FImages = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (FImages) ImageList_GetIconSize(FImages, &FImageWidth, &FImageHeight);
    SetOnListBoxDrawItem([this](TCanvas* c, int index, int, int, TRect r, TOwnerDrawState) {
        DrawItem(c, index, r, true);
    });
    OnComboBoxDrawItem = [this](TCanvas* c, int index, int, int, TRect r, TOwnerDrawState) {
        DrawItem(c, index, r, false);
    };
}

TbsCustomShellComboBox::~TbsCustomShellComboBox() {
    if (FTreeView && FTreeView->FComboBox == this) FTreeView->FComboBox = nullptr;
    if (FListView && FListView->FComboBox == this) FListView->FComboBox = nullptr;
    // Children refer to their parents: the entries go last first.
    while (!FItemsEx.empty()) FItemsEx.pop_back();
    FRootFolder.reset();
}

void TbsCustomShellComboBox::CreateWnd() {
    TbsSkinCustomComboBox::CreateWnd();
    SetShellImages(FUseShellImages);
    if (FItemsEx.empty()) {
        try {
            CreateRoot();
        } catch (const Exception& e) {
            OutputDebugStringW((L"shell path box: " + e.Message()).c_str());
        }
    }
    SyncItems();
}

// The entries are no window state: a window made again shows them as they are.
void TbsCustomShellComboBox::DestroyWnd() { TbsSkinCustomComboBox::DestroyWnd(); }

void TbsCustomShellComboBox::Loaded() {
    TbsSkinCustomComboBox::Loaded();
    CreateRoot();
}

void TbsCustomShellComboBox::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomComboBox::Notification(component, op);
    if (op != opRemove) return;
    if (component == reinterpret_cast<TComponent*>(FTreeView)) FTreeView = nullptr;
    if (component == reinterpret_cast<TComponent*>(FListView)) FListView = nullptr;
}

// ---- entries ---------------------------------------------------------------------------

int TbsCustomShellComboBox::FolderImageIndex(const TbsShellFolder* folder) const {
    return FUseShellImages ? GetShellImageIndex(folder->AbsoluteID(), false, false) : -1;
}

void TbsCustomShellComboBox::InsertEntry(int index, std::unique_ptr<TbsShellFolder> folder) {
    auto e = std::make_unique<TbsItemEx>();
    e->Caption = folder->DisplayName();
    e->Indent = folder->Level();
    e->ImageIndex = e->SelectedImageIndex = FolderImageIndex(folder.get());
    e->Data = std::move(folder);
    index = std::clamp(index, 0, EntryCount());
    FItemsEx.insert(FItemsEx.begin() + index, std::move(e));
}

void TbsCustomShellComboBox::ClearItemsEx() {
    TbsShellCountScope updates(FEntryUpdates);
    while (!FItemsEx.empty()) FItemsEx.pop_back();
    SyncItems();
}

void TbsCustomShellComboBox::SyncItems() {
    TbsShellCountScope updates(FEntryUpdates);
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    for (const auto& e : FItemsEx) items->Add(e->Caption);
    items->EndUpdate();
}

void TbsCustomShellComboBox::CreateRoot() {
    if (Has(csLoading)) return;
    TbsShellCountScope updates(FEntryUpdates);
    ClearItemsEx();
    CreateRootShellFolder(FRootFolder, FOldRoot, FRoot);
    auto first = std::make_unique<TbsShellFolder>(nullptr, ComPtr<IShellFolder>::Share(FRootFolder->ShellFolder()),
                                                  FRootFolder->AbsoluteID());
    auto e = std::make_unique<TbsItemEx>();
    e->Caption = first->DisplayName();
    e->ImageIndex = e->SelectedImageIndex = FolderImageIndex(first.get());
    e->Indent = 0;
    e->Data = std::move(first);
    FItemsEx.push_back(std::move(e));
    InitItems();
    SyncItems();
    SetItemIndex(0);
    if (FUseShellImages) {
        SetShellImages(false);
        SetShellImages(true);
    }
}

void TbsCustomShellComboBox::InitItems() {
    TbsShellCountScope updates(FEntryUpdates);
    AddSubFolders(0, FItemsEx.front()->Data.get());
    // The drives follow My Computer only under the desktop named exactly so.
    if (FRoot == L"rfDesktop") {
        ItemIdList drives;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()))) {
            const int i = IndexOfItemIdList(drives.Get());
            if (i >= 0) AddSubFolders(i, FItemsEx[static_cast<size_t>(i)]->Data.get());
        }
    }
}

void TbsCustomShellComboBox::AddSubFolders(int afterIndex, TbsShellFolder* folder) {
    IShellFolder* sf = folder ? folder->ShellFolder() : nullptr;
    if (!sf) return;
    ComPtr<IEnumIDList> items;
    const HRESULT hr = sf->EnumObjects(nullptr, ObjectTypesToEnumFlags(FObjectTypes), items.Put());
    OleCheck(hr);
    if (hr != S_OK || !items) return;
    std::vector<ItemIdList> ids;
    for (;;) {
        ItemIdList id;
        ULONG got = 0;
        if (items->Next(1, id.Put(), &got) != S_OK || !id) break;
        ids.push_back(std::move(id));
    }
    std::stable_sort(ids.begin(), ids.end(), [sf](const ItemIdList& a, const ItemIdList& b) {
        return static_cast<short>(HRESULT_CODE(sf->CompareIDs(0, a.Get(), b.Get()))) < 0;
    });
    int k = 0;
    for (const ItemIdList& id : ids)
        InsertEntry(afterIndex + ++k,
                    std::make_unique<TbsShellFolder>(folder, BindItemShellFolder(sf, id.Get(), nullptr), id.Get()));
}

int TbsCustomShellComboBox::IndexOfItemIdList(LPCITEMIDLIST id) const {
    IShellFolder* desktop = ShellDesktopObject()->ShellFolder();
    for (int i = EntryCount() - 1; i >= 0; --i)
        if (HRESULT_CODE(desktop->CompareIDs(0, id, FItemsEx[static_cast<size_t>(i)]->Data->AbsoluteID())) == 0)
            return i;
    return -1;
}

TbsShellFolder* TbsCustomShellComboBox::FolderAtIndex(int index) const {
    if (FItemsEx.empty() || index < 0) return nullptr;
    return FItemsEx[static_cast<size_t>(std::min(index, EntryCount() - 1))]->Data.get();
}

void TbsCustomShellComboBox::SetPathFromItemIdList(LPCITEMIDLIST source) {
    TbsShellCountScope updates(FEntryUpdates);
    // The id may belong to an entry that the rebuild frees.
    ItemIdList id(CopyItemIdList(source));
    CreateRoot();
    std::vector<ItemIdList> parts = CreateItemIdPrefixList(id.Get());
    int i = -1;
    size_t found = 0;
    for (size_t k = parts.size(); k-- > 0;) {
        i = IndexOfItemIdList(parts[k].Get());
        if (i >= 0) {
            found = k;
            break;
        }
    }
    int selection = 0;
    if (i >= 0) {
        auto addChild = [&](LPCITEMIDLIST chain) {
            TbsShellFolder* parent = FItemsEx[static_cast<size_t>(i)]->Data.get();
            ItemIdList last(CopyLastItemId(chain));
            IShellFolder* psf = parent->ShellFolder();
            InsertEntry(i + 1, std::make_unique<TbsShellFolder>(
                                   parent, psf ? BindItemShellFolder(psf, last.Get(), nullptr) : ComPtr<IShellFolder>(),
                                   last.Get()));
            ++i;
        };
        for (size_t k = found + 1; k < parts.size(); ++k) addChild(parts[k].Get());
        selection = IndexOfItemIdList(id.Get());
        if (selection < 0) {
            addChild(id.Get());
            selection = i;
        }
    }
    SyncItems();
    SetItemIndex(selection);
}

// ---- navigation ------------------------------------------------------------------------

void TbsCustomShellComboBox::SelectItemIdList(LPCITEMIDLIST id) {
    if (FUpdating || !id) return;
    if (TbsShellFolder* f = FolderAtIndex(ItemIndex()); f && ItemIndex() >= 0 && SameItemIdList(f->AbsoluteID(), id))
        return;
    platform::BoolFlagScope updating(FUpdating);
    SetPathFromItemIdList(id);
}

void TbsCustomShellComboBox::Change() {
    if (FEntryUpdates > 0) return;
    TbsSkinCustomComboBox::Change();
    const int i = ItemIndex();
    if (i < 0 || FUpdating || IsPopupVisible()) return;
    try {
        platform::BoolFlagScope updating(FUpdating);
        ItemIdList id(CopyItemIdList(FolderAtIndex(i)->AbsoluteID()));
        if (FTreeView) FTreeView->SelectItemIdList(id.Get());
        if (FListView) FListView->NavigateToItemIdList(id.Get());
        // The chain follows the chosen folder.
        SetPathFromItemIdList(id.Get());
    } catch (const std::exception& e) {
        ShowShellError(e, SkinData());
    }
}

String TbsCustomShellComboBox::Path() {
    const int i = ItemIndex();
    TbsShellFolder* f = i >= 0 ? FolderAtIndex(i) : nullptr;
    return f ? f->PathName() : String();
}

void TbsCustomShellComboBox::SetPath(const String& v) {
    ItemIdList id;
    try {
        id = ParsePath(v);
    } catch (const EOleSysError&) {
        throw EInvalidPath(Format(L"Error setting path: \"%s\"", v));
    }
    SetPathFromItemIdList(id.Get());
}

void TbsCustomShellComboBox::SetRoot(const TRoot& v) {
    if (SameText(v, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = v;
    RootChanged();
}

void TbsCustomShellComboBox::SetObjectTypes(TShellObjectTypes v) {
    FObjectTypes = v;
    RootChanged();
}

void TbsCustomShellComboBox::RootChanged() {
    platform::BoolFlagScope updating(FUpdating);
    ClearItemsEx();
    CreateRoot();
    if (FTreeView) FTreeView->SetRoot(FRoot);
    if (FListView) FListView->SetRoot(FRoot);
}

void TbsCustomShellComboBox::SetShellTreeView(TbsCustomShellTreeView* v) {
    bsLinkShellControl(this, FTreeView, v, &TbsCustomShellTreeView::FComboBox, FRoot);
}

void TbsCustomShellComboBox::SetShellListView(TbsCustomShellListView* v) {
    bsLinkShellControl(this, FListView, v, &TbsCustomShellListView::FComboBox, FRoot);
}

// ---- drawing ---------------------------------------------------------------------------

void TbsCustomShellComboBox::SetShellImages(bool on) {
    FUseShellImages = on;
    if (on && FImages) ImageList_GetIconSize(FImages, &FImageWidth, &FImageHeight);
    else FImageWidth = FImageHeight = 16;
}

void TbsCustomShellComboBox::DrawItem(TCanvas* c, int index, const TRect& r, bool inList) {
    if (index < 0 || index >= EntryCount()) return;
    const TbsItemEx& e = *FItemsEx[static_cast<size_t>(index)];
    const int offset = inList ? e.Indent * FImageWidth / 2 : 0;
    const int x = r.left + offset;
    if (FUseShellImages && FImages && e.ImageIndex >= 0)
        ImageList_DrawEx(FImages, e.ImageIndex, c->Handle(), x, r.top + (r.Height() - FImageHeight) / 2,
                         FImageWidth, FImageHeight, CLR_NONE, CLR_NONE, ILD_NORMAL);
    const String text = index < Items()->Count() ? Items()->Get(index) : e.Caption;
    const int th = c->TextHeight(L"Wg");
    c->TextOut(x + FImageWidth + 4, r.top + (r.Height() - th) / 2, text);
}

void TbsCustomShellComboBox::WndProc(TMessage& m) { TbsSkinCustomComboBox::WndProc(m); }
