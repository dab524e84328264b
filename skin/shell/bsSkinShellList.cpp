#include "skin/shell/bsSkinShellList.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/Forms.h"
#include "skin/boxes/bsMessages.h"
#include "skin/shell/bsSkinShellCombo.h"
#include "skin/shell/bsSkinShellLinks.h"
#include "skin/shell/bsSkinShellScopes.h"
#include "skin/shell/bsSkinShellTree.h"

using platform::ComPtr;
using platform::ItemIdList;

void ShowShellError(const std::exception& e, TbsSkinData* store) {
    const auto* ex = dynamic_cast<const Exception*>(&e);
    const String text = ex ? ex->Message() : Utf8Decode(e.what());
    OutputDebugStringW((L"shell view: " + text).c_str());
    TbsSkinMessage box(nullptr);
    box.SetCtrlSkinData(store);
    box.MessageDlg(text, mtError, MsgButtons({mbOK}), 0);
}

std::unique_ptr<TbsShellChangeNotifier> WatchShellFolder(const String& folder, std::function<void()> refresh,
                                                         std::function<TbsSkinData*()> store) {
    auto notifier = std::make_unique<TbsShellChangeNotifier>(nullptr);
    notifier->SetWatchSubTree(false);
    notifier->SetRoot(folder);
    notifier->SetOnChange([refresh = std::move(refresh), store = std::move(store)] {
        try {
            refresh();
        } catch (const std::exception& e) {
            ShowShellError(e, store());
        }
    });
    return notifier;
}

namespace {

HIMAGELIST SystemImageList(bool small) {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info),
                                                       SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0)));
}

}  // namespace

// ---- construction ----------------------------------------------------------------------

TbsCustomShellListView::TbsCustomShellListView(TComponent* owner) : TbsSkinCustomListView(owner) {
    SetOwnerData(true);
    SetHideSelection(false);
    FSmallImages = SystemImageList(true);
    FLargeImages = SystemImageList(false);
}

TbsCustomShellListView::~TbsCustomShellListView() {
    FNotifier.reset();
    if (FTreeView && FTreeView->FListView == this) FTreeView->FListView = nullptr;
    if (FComboBox && FComboBox->FListView == this) FComboBox->FListView = nullptr;
    ClearItems();
    FRootFolder.reset();
}

void TbsCustomShellListView::CreateParams(TCreateParams& p) {
    TbsSkinCustomListView::CreateParams(p);
    // The system image lists are shared: the view must never destroy them.
    p.Style |= LVS_SHAREIMAGELISTS;
}

void TbsCustomShellListView::SetSystemImageLists() {
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages));
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages));
}

void TbsCustomShellListView::CreateWnd() {
    TbsSkinCustomListView::CreateWnd();
    SetSystemImageLists();
    // A window made again keeps the folder that navigation reached.
    if (!FRootFolder) {
        try {
            CreateRoot();
        } catch (const Exception& e) {
            OutputDebugStringW((L"shell list: " + e.Message()).c_str());
        }
    }
    RootChanged();
}

void TbsCustomShellListView::DestroyWnd() {
    Items()->SetCount(0);
    TbsSkinCustomListView::DestroyWnd();
}

void TbsCustomShellListView::Loaded() {
    TbsSkinCustomListView::Loaded();
    Populate();
    SetAutoRefresh(FAutoRefresh);
}

void TbsCustomShellListView::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomListView::Notification(component, op);
    if (op != opRemove) return;
    if (component == reinterpret_cast<TComponent*>(FTreeView)) FTreeView = nullptr;
    if (component == reinterpret_cast<TComponent*>(FComboBox)) FComboBox = nullptr;
}

// ---- root and path ---------------------------------------------------------------------

String TbsCustomShellListView::Path() const { return FRootFolder ? FRootFolder->PathName() : String(); }

void TbsCustomShellListView::SetPath(const String& v) {
    ItemIdList id;
    try {
        id = ParsePath(v);
    } catch (const EOleSysError&) {
        throw EInvalidPath(Format(L"Error setting path: \"%s\"", v));
    }
    SetRootFromItemIdList(id.Get());
}

void TbsCustomShellListView::CreateRoot() { CreateRootShellFolder(FRootFolder, FOldRoot, FRoot); }

void TbsCustomShellListView::SetRoot(const TRoot& v) {
    if (SameText(v, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = v;
    // The rows belong to the old folder: they go before it does.
    std::unique_ptr<TbsShellFolder> folder;
    CreateRootShellFolder(folder, FOldRoot, FRoot);
    ClearItems();
    FRootFolder = std::move(folder);
    FSettingRoot = true;
    RootChanged();
}

void TbsCustomShellListView::ReplaceRoot(std::unique_ptr<TbsShellFolder> folder) {
    ClearItems();
    FRootFolder = std::move(folder);
    FSettingRoot = false;
    RootChanged();
    if (OnPathChanged) OnPathChanged(this);
}

void TbsCustomShellListView::SetRootFromItemIdList(LPCITEMIDLIST id) {
    if (FUpdating || !id) return;
    if (FRootFolder && SameItemIdList(FRootFolder->AbsoluteID(), id)) return;
    // The new folder is made before the old one (which may own id) goes.
    ReplaceRoot(CreateShellFolderFromItemIdList(id));
}

void TbsCustomShellListView::NavigateToItemIdList(LPCITEMIDLIST id) {
    if (FUpdating) return;
    if (!FRootFolder || !SameItemIdList(FRootFolder->AbsoluteID(), id)) SetRootFromItemIdList(id);
}

void TbsCustomShellListView::Back() {
    if (!FRootFolder) return;
    ItemIdList id(CopyItemIdList(FRootFolder->AbsoluteID()));
    StripLastItemId(id.Get());
    SetRootFromItemIdList(id.Get());
}

void TbsCustomShellListView::Refresh() {
    if (!FRootFolder || FUpdating) return;
    const int index = HandleAllocated() ? ItemIndex() : -1;
    if (HandleAllocated()) ClearSelection();
    ReplaceRoot(CreateShellFolderFromItemIdList(FRootFolder->AbsoluteID()));
    if (index >= 0 && index < FolderCount() && HandleAllocated()) SetItemIndex(index);
}

void TbsCustomShellListView::RootChanged() {
    if (FUpdating) return;
    platform::BoolFlagScope updating(FUpdating);
    const bool autoRefresh = FAutoRefresh;
    SetAutoRefresh(false);
    SynchronizeLinks();
    Populate();
    if (ViewStyle() == vsReport) EnumColumns();
    SetAutoRefresh(autoRefresh);
}

void TbsCustomShellListView::SynchronizeLinks() {
    if (FSettingRoot) {
        if (FTreeView) FTreeView->SetRoot(FRoot);
    } else if (FRootFolder) {
        if (FTreeView) FTreeView->SelectItemIdList(FRootFolder->AbsoluteID());
        if (FComboBox) FComboBox->SelectItemIdList(FRootFolder->AbsoluteID());
    }
    FSettingRoot = false;
}

// ---- rows ------------------------------------------------------------------------------

void TbsCustomShellListView::ClearItems() {
    if (OwnerData()) Items()->SetCount(0);
    FFolders.clear();
}

bool TbsCustomShellListView::MatchesFileMask(const TbsShellFolder* folder) const {
    const String name = ExtractFileName(folder->FullObjectName());
    size_t start = 0;
    while (start < FMask.size()) {
        size_t end = FMask.find_first_of(L";|", start);
        if (end == String::npos) end = FMask.size();
        const String piece = FMask.substr(start, end - start);
        if (piece == L"*") return true;
        if (piece.find(L'.') != String::npos) {
            try {
                if (MatchesMask(name, piece)) return true;
            } catch (const EConvertError&) {
                // A malformed piece matches nothing.
            }
        }
        start = end + 1;
    }
    return false;
}

void TbsCustomShellListView::Populate() {
    if (Has(csLoading) && !HandleAllocated()) return;
    ClearItems();
    if (!FRootFolder || !FRootFolder->ShellFolder()) return;
    TbsShellBusyCursor busy;
    IShellFolder* sf = FRootFolder->ShellFolder();
    ComPtr<IEnumIDList> items;
    HWND owner = Application ? Application->Handle() : nullptr;
    if (sf->EnumObjects(owner, ObjectTypesToEnumFlags(FObjectTypes), items.Put()) != S_OK || !items) return;
    for (;;) {
        ItemIdList id;
        ULONG got = 0;
        if (items->Next(1, id.Put(), &got) != S_OK || !id) break;
        auto folder = std::make_unique<TbsShellFolder>(FRootFolder.get(), BindItemShellFolder(sf, id.Get(), nullptr),
                                                       id.Get());
        bool canAdd = folder->IsFolder() || MatchesFileMask(folder.get());
        if (OnAddFolder) OnAddFolder(this, folder.get(), canAdd);
        if (canAdd) FFolders.push_back(std::move(folder));
    }
    if (FSorted) SortPlain();
    Items()->SetCount(FolderCount());
    if (HandleAllocated()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

TbsShellFolder* TbsCustomShellListView::FolderAtIndex(int index) const {
    if (index < 0 || index >= FolderCount()) return nullptr;
    return FFolders[static_cast<size_t>(index)].get();
}

TbsShellFolder* TbsCustomShellListView::SelectedFolder() {
    return HandleAllocated() ? FolderAtIndex(ItemIndex()) : nullptr;
}

String TbsCustomShellListView::GetSelectedFile() {
    TbsShellFolder* f = SelectedFolder();
    return f && !f->IsFolder() ? f->FullObjectName() : String();
}

void TbsCustomShellListView::GetSelectedFiles(TStrings* files) {
    files->Clear();
    if (!HandleAllocated()) return;
    int i = -1;
    while ((i = static_cast<int>(SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >=
           0) {
        TbsShellFolder* f = FolderAtIndex(i);
        if (f && !f->IsFolder()) files->Add(f->FullObjectName());
    }
}

bool TbsCustomShellListView::OwnerDataFetch(TListItem* item, TItemRequest request) {
    TbsShellFolder* f = FolderAtIndex(item->Index());
    if (!f) return false;
    try {
        if (request & irText) item->SetCaption(f->DisplayName());
        if (request & irImage) item->SetImageIndex(f->ImageIndex(ViewStyle() == vsIcon));
        if (ViewStyle() == vsReport && (request & irText)) {
            const int count = Columns()->Count();
            f->LoadColumnDetails(FRootFolder.get(), HandleAllocated() ? Handle() : nullptr, count);
            if (f->HasDetails())
                for (int c = 1; c < count; ++c) item->SubItems()->Add(f->GetDetails(c));
        }
    } catch (const std::exception& e) {
        OutputDebugStringW((L"shell list row: " + Utf8Decode(e.what())).c_str());
    }
    return true;
}

int TbsCustomShellListView::OwnerDataFind(TItemFind find, const String& findString, const TPoint&, void*,
                                          int startIndex, TSearchDirection, bool wrap) {
    if ((find != ifPartialString && find != ifExactString) || startIndex == -1 || FFolders.empty()) return -1;
    const String want = AnsiUpperCase(findString);
    const int n = FolderCount();
    int i = std::clamp(startIndex, 0, n - 1);
    for (int steps = 0; steps < n; ++steps) {
        if (AnsiUpperCase(FFolders[static_cast<size_t>(i)]->DisplayName()).compare(0, want.size(), want) == 0)
            return i;
        if (++i >= n) {
            if (!wrap) return -1;
            i = 0;
        }
    }
    return -1;
}

// ---- settings --------------------------------------------------------------------------

void TbsCustomShellListView::SetMask(const String& v) {
    if (v == FMask) return;
    FMask = v;
    RootChanged();
}

void TbsCustomShellListView::SetObjectTypes(TShellObjectTypes v) {
    FObjectTypes = v;
    if (!Has(csLoading)) RootChanged();
}

void TbsCustomShellListView::SetSorted(bool v) {
    if (v == FSorted) return;
    FSorted = v;
    Populate();
}

void TbsCustomShellListView::SetAutoRefresh(bool v) {
    FAutoRefresh = v;
    if (Has(csLoading)) return;
    FNotifier.reset();
    if (!v || !FRootFolder) return;
    FNotifier = WatchShellFolder(FRootFolder->PathName(), [this] { Refresh(); }, [this] { return SkinData(); });
}

void TbsCustomShellListView::SetShellTreeView(TbsCustomShellTreeView* v) {
    bsLinkShellControl(this, FTreeView, v, &TbsCustomShellTreeView::FListView, FRoot);
}

void TbsCustomShellListView::SetShellComboBox(TbsCustomShellComboBox* v) {
    bsLinkShellControl(this, FComboBox, v, &TbsCustomShellComboBox::FListView, FRoot);
}

