// The folder list's columns, sorting and input: detail columns, the plain
// and column sorts, keys, double clicks, rename in place and the shell
// context menu.
#include <algorithm>

#include "platform/Bitmap.h"
#include "platform/Menus.h"
#include "skin/bsResStrData.h"
#include "skin/shell/bsSkinShellList.h"
#include "skin/shell/bsSkinShellTree.h"

namespace {

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

// ---- sorting ---------------------------------------------------------------------------

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
    // A popup menu of the control's own takes precedence.
    if (!AutoContextMenus || !SelectedFolder() || (PopupMenu && PopupMenu->AutoPopup)) return false;
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
