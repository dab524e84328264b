#include "skin/shell/bsSkinShellList.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "skin/boxes/bsMessages.h"
#include "skin/bsResStrData.h"
#include "skin/shell/bsSkinShellCombo.h"
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

namespace {

// Sets a flag for the scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

// The hourglass for the scope.
class BusyCursor {
public:
    BusyCursor() : old_(Screen ? Screen->Cursor : crDefault) {
        if (Screen) Screen->SetCursor(crHourGlass);
    }
    ~BusyCursor() {
        if (Screen) Screen->SetCursor(old_);
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    TCursor old_;
};

HIMAGELIST SystemImageList(bool small) {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info),
                                                       SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0)));
}

short CompareIdsResult(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    return static_cast<short>(HRESULT_CODE(folder->CompareIDs(0, a, b)));
}

// The sort keys of one row, computed before sorting.
struct RowKey {
    size_t row = 0;
    bool folder = false;
    int64_t number = 0;  // size or time
    String text;         // name or type
};

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
    FlagScope updating(FUpdating);
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
    BusyCursor busy;
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

void TbsCustomShellListView::SortPlain() {
    IShellFolder* sf = FRootFolder ? FRootFolder->ShellFolder() : nullptr;
    std::vector<RowKey> keys(FFolders.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        keys[i].row = i;
        keys[i].folder = FFolders[i]->IsFolder();
    }
    std::stable_sort(keys.begin(), keys.end(), [&](const RowKey& a, const RowKey& b) {
        if (a.folder != b.folder) return a.folder;
        return sf && CompareIdsResult(sf, FFolders[a.row]->RelativeID(), FFolders[b.row]->RelativeID()) < 0;
    });
    std::vector<std::unique_ptr<TbsShellFolder>> sorted;
    sorted.reserve(keys.size());
    for (const RowKey& k : keys) sorted.push_back(std::move(FFolders[k.row]));
    FFolders = std::move(sorted);
}

void TbsCustomShellListView::SortByColumn(int column) {
    if (!FRootFolder) return;
    // Every key is read before anything moves: a key that cannot be had
    // leaves the order as it was.
    std::vector<RowKey> keys(FFolders.size());
    HWND wnd = HandleAllocated() ? Handle() : nullptr;
    for (size_t i = 0; i < keys.size(); ++i) {
        TbsShellFolder* f = FFolders[i].get();
        RowKey& k = keys[i];
        k.row = i;
        k.folder = f->IsFolder();
        switch (column) {
        case 0:
            k.text = f->DisplayName();
            break;
        case 1:
            if (!k.folder && !f->FullObjectName().empty()) k.number = FindDataSize(GetFindData(f));
            break;
        case 2:
            f->LoadColumnDetails(FRootFolder.get(), wnd, 4);
            k.text = f->HasDetails() ? f->GetDetails(2) : String();
            break;
        case 3:
            if (!f->FullObjectName().empty()) k.number = FindDataModifiedTicks(GetFindData(f), true);
            break;
        default:
            break;
        }
    }
    auto less = [&](const RowKey& a, const RowKey& b) {
        if (a.folder != b.folder) return a.folder;
        switch (column) {
        case 0:
        case 2: {
            const int c = AnsiCompareText(a.text, b.text);
            if (c != 0) return c < 0;
            break;
        }
        case 1:
        case 3:
            if (a.number != b.number) return a.number < b.number;
            break;
        default:
            break;
        }
        return a.row < b.row;  // the order before: the shell's
    };
    if (FSortDirection) std::stable_sort(keys.begin(), keys.end(), [&](auto& a, auto& b) { return less(b, a); });
    else std::stable_sort(keys.begin(), keys.end(), less);
    std::vector<std::unique_ptr<TbsShellFolder>> sorted;
    sorted.reserve(keys.size());
    for (const RowKey& k : keys) sorted.push_back(std::move(FFolders[k.row]));
    FFolders = std::move(sorted);
    if (HandleAllocated()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TbsCustomShellListView::ColClick(TListColumn* column) {
    TbsSkinCustomListView::ColClick(column);
    try {
        const int count = Columns()->Count();
        const int c = column ? column->Index() : 0;
        if (count < 4 && c != 0) return;
        FOldSortColumn = FSortColumn;
        FSortColumn = c;
        FSortDirection = (FSortColumn == FOldSortColumn && FSortColumn != -1) ? !FSortDirection : false;
        // A sort starts from the shell's order, so that ties keep it.
        SortPlain();
        SortByColumn(c);
    } catch (const std::exception& e) {
        ShowShellError(e, SkinData());
    }
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

// ---- columns ---------------------------------------------------------------------------

String TbsCustomShellListView::ColumnCaption(const wchar_t* key, const wchar_t* builtIn) const {
    if (SkinData() && SkinData()->ResourceStrData()) {
        const String s = SkinData()->ResourceStrData()->GetResStr(key);
        if (!s.empty()) return s;
    }
    return builtIn;
}

bool TbsCustomShellListView::AddDetailColumn(STRRET& caption, int fmt, int chars, std::vector<String>& added) {
    const String text = StrRetToText(nullptr, caption);
    if (text.empty()) return true;
    for (const String& s : added)
        if (SameText(s, text)) return false;
    added.push_back(text);
    TListColumn* c = Columns()->Add();
    c->SetCaption(text);
    TBitmap measure(1, 1, pf24bit);
    measure.Canvas()->SetFont(Font());
    const int x = measure.Canvas()->TextWidth(L"X");
    c->SetWidth(x * std::max(chars, 1));
    if (HandleAllocated()) {
        LVCOLUMNW col{};
        col.mask = LVCF_FMT;
        col.fmt = fmt == 1 ? LVCFMT_RIGHT : fmt == 2 ? LVCFMT_CENTER : LVCFMT_LEFT;
        if (c->Index() > 0) SendMessageW(Handle(), LVM_SETCOLUMNW, static_cast<WPARAM>(c->Index()),
                                         reinterpret_cast<LPARAM>(&col));
    }
    return true;
}

void TbsCustomShellListView::AddDefaultColumns(int n) {
    static const struct {
        const wchar_t *key, *text;
        int fmt, chars;
    } columns[] = {{L"FLV_NAME", L"Name", 0, 25},
                   {L"FLV_SIZE", L"Size", 1, 10},
                   {L"FLV_TYPE", L"Type", 0, 10},
                   {L"FLV_MODIFIED", L"Modified", 0, 14}};
    std::vector<String> added;
    for (int i = 0; i < n && i < 4; ++i) {
        STRRET s{};
        s.uType = STRRET_CSTR;
        const std::string a = AnsiEncode(ColumnCaption(columns[i].key, columns[i].text));
        lstrcpynA(s.cStr, a.c_str(), MAX_PATH);
        AddDetailColumn(s, columns[i].fmt, columns[i].chars, added);
    }
}

void TbsCustomShellListView::EnumColumns() {
    if (!FRootFolder || !FRootFolder->ShellFolder()) return;
    Columns()->Clear();
    FRootFolder->ViewHandle = HandleAllocated() ? Handle() : nullptr;
    std::vector<String> added;
    if (IShellFolder2* sf2 = FRootFolder->ShellFolder2()) {
        bool onByDefault = false;
        for (UINT i = 0;; ++i) {
            SHELLDETAILS d{};
            if (FAILED(sf2->GetDetailsOf(nullptr, i, &d))) break;
            SHCOLSTATEF state = 0;
            if (FAILED(sf2->GetDefaultColumnState(i, &state))) state = 0;
            if (state & SHCOLSTATE_ONBYDEFAULT) onByDefault = true;
            else if (onByDefault) break;
            AddDetailColumn(d.str, d.fmt, d.cxChar, added);
        }
    } else if (IShellDetails* sd = FRootFolder->ShellDetails()) {
        for (UINT i = 0;; ++i) {
            SHELLDETAILS d{};
            if (FAILED(sd->GetDetailsOf(nullptr, i, &d)) || !AddDetailColumn(d.str, d.fmt, d.cxChar, added)) break;
        }
    } else {
        AddDefaultColumns(FRootFolder->Properties() & fpFileSystem ? 4 : 1);
    }
    if (Columns()->Count() == 0) AddDefaultColumns(1);
}

void TbsCustomShellListView::SetViewStyle(TViewStyle v) {
    TbsSkinCustomListView::SetViewStyle(v);
    if (v == vsReport) EnumColumns();
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
    FNotifier = std::make_unique<TbsShellChangeNotifier>(nullptr);
    FNotifier->SetWatchSubTree(false);
    FNotifier->SetRoot(FRootFolder->PathName());
    FNotifier->SetOnChange([this] {
        try {
            Refresh();
        } catch (const std::exception& e) {
            ShowShellError(e, SkinData());
        }
    });
}

void TbsCustomShellListView::SetShellTreeView(TbsCustomShellTreeView* v) {
    if (v == FTreeView) return;
    if (FTreeView) {
        FTreeView->FListView = nullptr;
        RemoveFreeNotification(FTreeView);
    }
    FTreeView = v;
    if (!v) return;
    v->SetRoot(FRoot);
    v->FListView = this;
    FreeNotification(v);
}

void TbsCustomShellListView::SetShellComboBox(TbsCustomShellComboBox* v) {
    if (v == FComboBox) return;
    if (FComboBox) {
        FComboBox->FListView = nullptr;
        RemoveFreeNotification(FComboBox);
    }
    FComboBox = v;
    if (!v) return;
    v->SetRoot(FRoot);
    v->FListView = this;
    FreeNotification(v);
}

// ---- input -----------------------------------------------------------------------------

bool TbsCustomShellListView::DoKeyDown(WORD& key, TShiftState shift) {
    if (TbsSkinCustomListView::DoKeyDown(key, shift)) return true;
    if (!AutoNavigate) return false;
    try {
        switch (key) {
        case VK_BACK:
            if (!IsEditing()) Back();
            return false;
        case VK_RETURN:
            if (shift & ssAlt) {
                InvokeShellVerb(SelectedFolder(), "properties");
                key = 0;
                return true;
            }
            if (TbsShellFolder* f = SelectedFolder(); f && f->IsFolder()) {
                SetRootFromItemIdList(f->AbsoluteID());
                return true;
            }
            return false;
        case VK_F5:
            Refresh();
            return false;
        default:
            return false;
        }
    } catch (const std::exception& e) {
        ShowShellError(e, SkinData());
        return true;
    }
}

void TbsCustomShellListView::DblClick() {
    try {
        if (AutoNavigate)
            if (TbsShellFolder* f = SelectedFolder(); f && f->IsFolder()) SetRootFromItemIdList(f->AbsoluteID());
    } catch (const std::exception& e) {
        ShowShellError(e, SkinData());
    }
    TbsSkinCustomListView::DblClick();
}

void TbsCustomShellListView::Edit(const LVITEMW& item) {
    if (!item.pszText || item.iItem < 0 || item.iItem >= FolderCount()) return;
    try {
        FFolders[static_cast<size_t>(item.iItem)]->Rename(item.pszText);
        ListView_RedrawItems(Handle(), item.iItem, item.iItem);
        if (FTreeView && FTreeView->Selected()) FTreeView->Refresh(FTreeView->Selected());
    } catch (const std::exception& e) {
        ShowShellError(e, SkinData());
    }
}

bool TbsCustomShellListView::ShowContextMenu(LPARAM pos) {
    if (!AutoContextMenus || !SelectedFolder()) return false;
    POINT p{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    if (pos == -1) {
        RECT r{};
        ListView_GetItemRect(Handle(), ItemIndex(), &r, LVIR_LABEL);
        p = {r.left, r.bottom};
    } else {
        ::ScreenToClient(Handle(), &p);
    }
    InvokeShellContextMenu(this, SelectedFolder(), p.x, p.y);
    Refresh();
    return true;
}

void TbsCustomShellListView::WndProc(TMessage& m) {
    ForwardShellMenuMessage(m);
    if (m.Msg == WM_CONTEXTMENU) {
        try {
            if (ShowContextMenu(m.LParam)) return;
        } catch (const std::exception& e) {
            ShowShellError(e, SkinData());
            return;
        }
    }
    TbsSkinCustomListView::WndProc(m);
}

void TbsCustomShellListView::ExecuteCommand(const String& verb, bool& handled) {
    if (SameText(verb, L"rename")) {
        if (HandleAllocated() && ItemIndex() >= 0) SendMessageW(Handle(), LVM_EDITLABELW, ItemIndex(), 0);
        handled = true;
    } else if (SameText(verb, L"open")) {
        // The folder is handed to the command; the process's current
        // directory is never moved (workers convert meanwhile).
        handled = false;
    }
}

void TbsCustomShellListView::CommandCompleted(const String& verb, bool succeeded) {
    if (!succeeded) return;
    if (SameText(verb, L"delete") || SameText(verb, L"paste")) Refresh();
}
