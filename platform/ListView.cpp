#include "platform/ListView.h"

#include <algorithm>

#include "platform/ImgList.h"

// ---- columns -----------------------------------------------------------------------------------

void TListColumn::SetCaption(const String& v) {
    caption_ = v;
    if (owner_) owner_->ShowColumn(index_, false);
}

void TListColumn::SetWidth(int v) {
    width_ = v;
    if (owner_) owner_->ShowColumn(index_, false);
}

void TListColumn::SetAlignment(TAlignment v) {
    alignment_ = v;
    if (owner_) owner_->ShowColumn(index_, false);
}

void TListColumn::SetImageIndex(int v) {
    imageIndex_ = v;
    if (owner_) owner_->ShowColumn(index_, false);
}

TListColumn* TListColumns::Add() {
    auto c = std::make_unique<TListColumn>();
    c->owner_ = owner_;
    c->index_ = Count();
    columns_.push_back(std::move(c));
    owner_->ShowColumn(Count() - 1, true);
    return columns_.back().get();
}

void TListColumns::Delete(int i) {
    columns_.at(static_cast<size_t>(i));
    columns_.erase(columns_.begin() + i);
    for (int k = i; k < Count(); ++k) columns_[static_cast<size_t>(k)]->index_ = k;
    if (owner_->HandleAllocated()) owner_->Send(LVM_DELETECOLUMN, static_cast<WPARAM>(i));
}

void TListColumns::Clear() {
    while (Count() > 0) Delete(Count() - 1);
}

void TListColumns::BeginUpdate() {
    if (updates_++ == 0) owner_->HoldRedraw(true);
}

void TListColumns::EndUpdate() {
    if (updates_ == 0 || --updates_ > 0) return;
    owner_->HoldRedraw(false);
}

// ---- sub-items and items ------------------------------------------------------------------------

int TSubItems::Add(const String& s) {
    Insert(Count(), s);
    return Count() - 1;
}

void TSubItems::Insert(int i, const String& s) {
    if (i < 0 || i > Count()) throw EListError(L"List index out of bounds (" + IntToStr(i) + L")");
    texts_.insert(texts_.begin() + i, s);
    Show(i, i == Count() - 1 ? i + 1 : -1);
}

void TSubItems::Delete(int i) {
    texts_.at(static_cast<size_t>(i));
    texts_.erase(texts_.begin() + i);
    Show(i);
}

void TSubItems::Put(int i, const String& s) {
    texts_.at(static_cast<size_t>(i)) = s;
    Show(i, i + 1);
}

void TSubItems::Clear() {
    const int n = Count();
    texts_.clear();
    if (n > 0) Show(0);
}

// Copies the texts from, from + 1, ... (up to `to`, or to the last column)
// into the window; a column without a text becomes empty.
void TSubItems::Show(int from, int to) {
    if (!item_ || !item_->live_ || !item_->owner_->HandleAllocated() || item_->owner_->items_.updates_ > 0) return;
    TCustomListView* lv = item_->owner_;
    const int last = to >= 0 ? to : std::max(Count(), lv->columns_.Count() - 1);
    for (int i = from; i < last; ++i) {
        LVITEMW it{};
        it.iSubItem = i + 1;
        String text = i < Count() ? texts_[static_cast<size_t>(i)] : String();
        it.pszText = text.data();
        lv->Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(item_->index_), reinterpret_cast<LPARAM>(&it));
    }
    lv->Change(item_, ctText);
}

void TListItem::SetCaption(const String& v) {
    caption_ = v;
    if (live_ && owner_->HandleAllocated() && owner_->items_.updates_ == 0) {
        LVITEMW it{};
        it.pszText = caption_.data();
        owner_->Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&it));
        owner_->Change(this, ctText);
    }
}

void TListItem::SetImageIndex(int v) {
    imageIndex_ = v;
    if (live_ && owner_->HandleAllocated()) {
        LVITEMW it{};
        it.mask = LVIF_IMAGE;
        it.iItem = index_;
        it.iImage = v;
        owner_->Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
        owner_->Change(this, ctImage);
    }
}

void TListItem::SetStateIndex(int v) {
    v = std::max(v, -1);
    stateIndex_ = v;
    if (live_ && owner_->HandleAllocated()) {
        LVITEMW it{};
        it.stateMask = LVIS_STATEIMAGEMASK;
        it.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(v + 1));
        owner_->Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&it));
        owner_->Change(this, ctState);
    }
}

bool TListItem::Selected() const {
    return owner_->HandleAllocated() &&
           owner_->Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index_), LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool v) {
    LVITEMW it{};
    it.stateMask = LVIS_SELECTED;
    it.state = v ? LVIS_SELECTED : 0;
    owner_->Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&it));
}

bool TListItem::Focused() const {
    return owner_->HandleAllocated() && owner_->Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index_), LVIS_FOCUSED) != 0;
}

void TListItem::SetFocused(bool v) {
    LVITEMW it{};
    it.stateMask = LVIS_FOCUSED;
    it.state = v ? LVIS_FOCUSED : 0;
    owner_->Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&it));
}

void TListItem::MakeVisible(bool partialOK) {
    owner_->Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index_), partialOK);
}

TRect TListItem::DisplayRect() const {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    if (!owner_->HandleAllocated() || !owner_->Send(LVM_GETITEMRECT, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&r)))
        return TRect();
    return r;
}

bool TListItem::EditCaption() {
    return owner_->Send(LVM_EDITLABELW, static_cast<WPARAM>(index_)) != 0;
}

int TListItems::Count() const { return owner_->ownerData_ ? virtualCount_ : static_cast<int>(items_.size()); }

void TListItems::SetCount(int n) {
    if (!owner_->ownerData_) throw EInvalidOperation(L"The row count is set only in owner-data mode");
    virtualCount_ = std::max(0, n);
    if (owner_->HandleAllocated()) owner_->Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(virtualCount_), 0);
}

TListItem* TListItems::Item(int i) {
    if (i < 0 || i >= Count()) throw EListError(L"List index out of bounds (" + IntToStr(i) + L")");
    if (!owner_->ownerData_) return items_[static_cast<size_t>(i)].get();
    // An owner-data row is fetched into one shared item.
    TListItem* item = &owner_->fetched_;
    item->caption_.clear();
    item->subItems_.texts_.clear();
    item->imageIndex_ = -1;
    item->Data = nullptr;
    item->index_ = i;
    owner_->OwnerDataFetch(item, irText | irImage | irParam);
    return item;
}

TListItem* TListItems::Insert(int i) {
    if (owner_->ownerData_) throw EInvalidOperation(L"Owner-data rows are not added one by one");
    if (i < 0 || i > Count()) throw EListError(L"List index out of bounds (" + IntToStr(i) + L")");
    auto item = std::make_unique<TListItem>();
    item->owner_ = owner_;
    item->subItems_.item_ = item.get();
    item->index_ = i;
    item->live_ = true;
    TListItem* p = item.get();
    items_.insert(items_.begin() + i, std::move(item));
    Renumber(i + 1);
    if (owner_->HandleAllocated() && updates_ == 0) owner_->ShowItem(p, true);
    return p;
}

void TListItems::Delete(int i) {
    if (owner_->ownerData_) throw EInvalidOperation(L"Owner-data rows are not deleted one by one");
    items_.at(static_cast<size_t>(i));
    if (owner_->HandleAllocated() && updates_ == 0) owner_->Send(LVM_DELETEITEM, static_cast<WPARAM>(i));
    items_.erase(items_.begin() + i);
    Renumber(i);
}

void TListItems::Clear() {
    if (owner_->ownerData_) {
        SetCount(0);
        return;
    }
    if (owner_->HandleAllocated()) owner_->Send(LVM_DELETEALLITEMS);
    items_.clear();
}

void TListItems::BeginUpdate() {
    if (updates_++ == 0 && owner_->HandleAllocated()) owner_->Send(WM_SETREDRAW, FALSE);
}

void TListItems::EndUpdate() {
    if (updates_ == 0 || --updates_ > 0) return;
    if (!owner_->HandleAllocated()) return;
    // Changes made meanwhile are shown in one go.
    owner_->Send(LVM_DELETEALLITEMS);
    owner_->filling_ = true;
    for (auto& item : items_) owner_->ShowItem(item.get(), true);
    owner_->filling_ = false;
    owner_->Send(WM_SETREDRAW, TRUE);
    InvalidateRect(owner_->Handle(), nullptr, TRUE);
}

void TListItems::Renumber(int from) {
    for (size_t k = static_cast<size_t>(std::max(0, from)); k < items_.size(); ++k) items_[k]->index_ = static_cast<int>(k);
}

// ---- the view -------------------------------------------------------------------------------------

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner), columns_(this), items_(this) {
    ControlStyle &= ~static_cast<unsigned>(csAcceptsControls | csClickEvents | csSetCaption);
    fetched_.owner_ = this;
    fetched_.subItems_.item_ = &fetched_;
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() {
    Destroying();
    DestroyHandle();
}

LRESULT TCustomListView::Send(UINT msg, WPARAM wp, LPARAM lp) { return SendMessageW(Handle(), msg, wp, lp); }

void TCustomListView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SystemClassName = WC_LISTVIEWW;
    static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    p.Style |= styles[viewStyle_] | LVS_SHAREIMAGELISTS;
    if (ownerData_) p.Style |= LVS_OWNERDATA;
    if (!multiSelect_) p.Style |= LVS_SINGLESEL;
    if (!hideSelection_) p.Style |= LVS_SHOWSELALWAYS;
    if (!readOnly_) p.Style |= LVS_EDITLABELS;
    if (!showColumnHeaders_) p.Style |= LVS_NOCOLUMNHEADER;
    if (!ColumnClick) p.Style |= LVS_NOSORTHEADER;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateStyles();
    ApplyImageLists();
    columns_.BeginUpdate();
    for (int i = 0; i < columns_.Count(); ++i) ShowColumn(i, true);
    columns_.EndUpdate();
    if (ownerData_) {
        Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(items_.virtualCount_), 0);
        return;
    }
    filling_ = true;
    for (auto& item : items_.items_) ShowItem(item.get(), true);
    filling_ = false;
}

void TCustomListView::DestroyWnd() {
    filling_ = true;  // the window's own deletions are no changes of the items
    TWinControl::DestroyWnd();
    filling_ = false;
}

void TCustomListView::UpdateStyles() {
    if (!HandleAllocated()) return;
    const DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    const DWORD ex = (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) | (gridLines_ ? LVS_EX_GRIDLINES : 0);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, ex);
}

void TCustomListView::ApplyImageLists() {
    if (!HandleAllocated()) return;
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_ ? smallImages_->Handle() : nullptr));
    Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages_ ? largeImages_->Handle() : nullptr));
    Send(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_ ? stateImages_->Handle() : nullptr));
}

void TCustomListView::SetStateImages(TCustomImageList* v) {
    stateImages_ = v;
    ApplyImageLists();
}

TListItem* TCustomListView::GetNextItem(TListItem* start, TSearchDirection direction, TItemStates states) {
    if (!HandleAllocated()) return nullptr;
    static const UINT kDirections[] = {LVNI_TOLEFT, LVNI_TORIGHT, LVNI_ABOVE, LVNI_BELOW, LVNI_ALL};
    UINT flags = kDirections[direction];
    if (states & isCut) flags |= LVNI_CUT;
    if (states & isDropHilited) flags |= LVNI_DROPHILITED;
    if (states & isFocused) flags |= LVNI_FOCUSED;
    if (states & isSelected) flags |= LVNI_SELECTED;
    const int from = start ? start->Index() : -1;
    const int i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(from), MAKELPARAM(flags, 0)));
    return i < 0 || i >= items_.Count() ? nullptr : items_.Item(i);
}

void TCustomListView::HoldRedraw(bool hold) {
    if (hold) {
        // Turning drawing back on shows a window: only a shown one is held.
        if (!HandleAllocated() || redrawHeld_ || !(GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE)) return;
        Send(WM_SETREDRAW, FALSE);
        redrawHeld_ = true;
    } else if (redrawHeld_) {
        redrawHeld_ = false;
        Send(WM_SETREDRAW, TRUE);
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TCustomListView::ShowColumn(int i, bool insert) {
    if (!HandleAllocated()) return;
    TListColumn* c = columns_.Items(i);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    col.pszText = c->caption_.data();
    col.cx = c->width_;
    col.iSubItem = i;
    static const int kFormats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    col.fmt = kFormats[c->alignment_];
    if (c->imageIndex_ >= 0) {
        col.mask |= LVCF_IMAGE;
        col.fmt |= LVCFMT_IMAGE;
        col.iImage = c->imageIndex_;
    }
    const bool was = settingColumn_;
    settingColumn_ = true;
    Send(insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    settingColumn_ = was;
}

void TCustomListView::ShowItem(TListItem* item, bool insert) {
    LVITEMW it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    it.iItem = item->index_;
    it.pszText = item->caption_.data();
    it.iImage = item->imageIndex_;
    it.stateMask = LVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(item->stateIndex_ + 1));
    if (insert && Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)) < 0) throw EOutOfResources(L"Cannot add a list item");
    const bool was = filling_;
    filling_ = true;
    item->subItems_.Show(0);
    filling_ = was;
}

void TCustomListView::SetViewStyle(TViewStyle v) {
    if (v == viewStyle_) return;
    viewStyle_ = v;
    if (HandleAllocated()) {
        static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
        const DWORD style = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE));
        SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>((style & ~LVS_TYPEMASK) | styles[v]));
    }
}

void TCustomListView::SetOwnerData(bool v) {
    if (v == ownerData_) return;
    items_.items_.clear();
    items_.virtualCount_ = 0;
    ownerData_ = v;
    RecreateWnd();
}

void TCustomListView::SetReadOnly(bool v) {
    if (v != readOnly_) readOnly_ = v, RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool v) {
    if (v != multiSelect_) multiSelect_ = v, RecreateWnd();
}

void TCustomListView::SetHideSelection(bool v) {
    if (v != hideSelection_) hideSelection_ = v, RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool v) {
    if (v != showColumnHeaders_) showColumnHeaders_ = v, RecreateWnd();
}

void TCustomListView::SetRowSelect(bool v) {
    rowSelect_ = v;
    UpdateStyles();
}

void TCustomListView::SetGridLines(bool v) {
    gridLines_ = v;
    UpdateStyles();
}

void TCustomListView::SetSmallImages(TCustomImageList* v) {
    smallImages_ = v;
    ApplyImageLists();
}

void TCustomListView::SetLargeImages(TCustomImageList* v) {
    largeImages_ = v;
    ApplyImageLists();
}

int TCustomListView::ItemIndex() {
    if (!HandleAllocated()) return -1;
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int i) {
    ClearSelection();
    if (i < 0 || i >= items_.Count()) return;
    LVITEMW it{};
    it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    it.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
}

TListItem* TCustomListView::Selected() {
    const int i = ItemIndex();
    return i < 0 ? nullptr : items_.Item(i);
}

void TCustomListView::SetSelected(TListItem* item) { SetItemIndex(item ? item->Index() : -1); }

int TCustomListView::SelCount() { return HandleAllocated() ? static_cast<int>(Send(LVM_GETSELECTEDCOUNT)) : 0; }

void TCustomListView::ClearSelection() {
    LVITEMW it{};
    it.stateMask = LVIS_SELECTED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&it));
}

TListItem* TCustomListView::ItemFocused() {
    const int i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    return i < 0 ? nullptr : items_.Item(i);
}

TListItem* TCustomListView::TopItem() {
    if (items_.Count() == 0) return nullptr;
    const int i = static_cast<int>(Send(LVM_GETTOPINDEX));
    return i < 0 || i >= items_.Count() ? nullptr : items_.Item(i);
}

int TCustomListView::VisibleRowCount() { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }

void TCustomListView::Scroll(int dx, int dy) { Send(LVM_SCROLL, static_cast<WPARAM>(dx), dy); }

TListItem* TCustomListView::GetItemAt(int x, int y) {
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    const int i = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return i < 0 || (hit.flags & LVHT_ONITEM) == 0 ? nullptr : items_.Item(i);
}

TListItem* TCustomListView::FindCaption(int startIndex, const String& s, bool partial, bool inclusive, bool wrap) {
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | (partial ? LVFI_PARTIAL : 0) | (wrap ? LVFI_WRAP : 0);
    find.psz = s.c_str();
    const int from = inclusive ? startIndex - 1 : startIndex;
    const int i = static_cast<int>(Send(LVM_FINDITEMW, static_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&find)));
    return i < 0 ? nullptr : items_.Item(i);
}

bool TCustomListView::CustomSort(TLVCompare compare, LPARAM data) {
    if (ownerData_) return false;
    auto& list = items_.items_;
    std::stable_sort(list.begin(), list.end(), [&](const auto& a, const auto& b) {
        if (compare) return compare(a.get(), b.get(), data) < 0;
        int result = 0;
        if (OnCompare) OnCompare(this, a.get(), b.get(), static_cast<int>(data), result);
        else result = CompareText(a->caption_, b->caption_);
        return result < 0;
    });
    items_.Renumber(0);
    if (HandleAllocated() && items_.updates_ == 0) {
        // The window shows the new order at once.
        items_.BeginUpdate();
        items_.EndUpdate();
    }
    return true;
}

HWND TCustomListView::HeaderHandle() { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }

bool TCustomListView::IsEditing() { return Send(LVM_GETEDITCONTROL) != 0; }

bool TCustomListView::OwnerDataFetch(TListItem* item, TItemRequest) {
    if (!OnData) return false;
    OnData(this, item);
    return true;
}

bool TCustomListView::OwnerDataHint(int startIndex, int endIndex) {
    if (!OnDataHint) return false;
    OnDataHint(this, startIndex, endIndex);
    return true;
}

int TCustomListView::OwnerDataFind(TItemFind find, const String& findString, const TPoint& findPosition,
                                   void* findData, int startIndex, TSearchDirection direction, bool wrap) {
    int index = -1;
    if (OnDataFind) OnDataFind(this, find, findString, findPosition, findData, startIndex, direction, wrap, index);
    return index;
}

bool TCustomListView::CanEdit(TListItem* item) {
    bool allow = !readOnly_;
    if (allow && OnEditing) OnEditing(this, item, allow);
    return allow;
}

void TCustomListView::Edit(const LVITEMW& it) {
    if (!it.pszText || it.iItem < 0 || it.iItem >= items_.Count()) return;
    TListItem* item = items_.Item(it.iItem);
    String s = it.pszText;
    if (OnEdited) OnEdited(this, item, s);
    if (!ownerData_) item->SetCaption(s);
}

void TCustomListView::Change(TListItem* item, TItemChange change) {
    if (!filling_ && OnChange) OnChange(this, item, change);
}

void TCustomListView::DoSelectItem(TListItem* item, bool selected) {
    if (OnSelectItem) OnSelectItem(this, item, selected);
}

void TCustomListView::ColClick(TListColumn* column) {
    if (OnColumnClick) OnColumnClick(this, column);
}

void TCustomListView::ItemChanged(const NMLISTVIEW& nm) {
    if (filling_ || !(nm.uChanged & LVIF_STATE)) return;
    const bool was = nm.uOldState & LVIS_SELECTED, now = nm.uNewState & LVIS_SELECTED;
    if (nm.iItem < 0) {
        // Every row changed at once (owner data or a cleared selection).
        if (was != now) DoSelectItem(nullptr, now);
        return;
    }
    if (nm.iItem >= items_.Count()) return;
    TListItem* item = items_.Item(nm.iItem);
    Change(item, ctState);
    if (was != now) DoSelectItem(item, now);
}

void TCustomListView::FetchDispInfo(NMLVDISPINFOW& info) {
    LVITEMW& it = info.item;
    if (!ownerData_ || it.iItem < 0 || it.iItem >= items_.Count()) return;
    TListItem* item = items_.Item(it.iItem);
    if (it.mask & LVIF_TEXT) {
        fetchedText_ = it.iSubItem == 0 ? item->caption_
                       : it.iSubItem - 1 < item->subItems_.Count() ? item->subItems_[it.iSubItem - 1]
                                                                   : String();
        lstrcpynW(it.pszText, fetchedText_.c_str(), it.cchTextMax);
    }
    if (it.mask & LVIF_IMAGE) it.iImage = item->imageIndex_;
}

void TCustomListView::Notify(TMessage& m) {
    auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
    switch (hdr->code) {
    case LVN_ITEMCHANGED:
        ItemChanged(*reinterpret_cast<NMLISTVIEW*>(m.LParam));
        break;
    case LVN_ODSTATECHANGED: {
        auto* nm = reinterpret_cast<NMLVODSTATECHANGE*>(m.LParam);
        const bool was = nm->uOldState & LVIS_SELECTED, now = nm->uNewState & LVIS_SELECTED;
        if (was != now) DoSelectItem(nullptr, now);
        break;
    }
    case LVN_GETDISPINFOW:
        FetchDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(m.LParam));
        break;
    case LVN_ODCACHEHINT: {
        auto* nm = reinterpret_cast<NMLVCACHEHINT*>(m.LParam);
        OwnerDataHint(nm->iFrom, nm->iTo);
        break;
    }
    case LVN_ODFINDITEMW: {
        auto* nm = reinterpret_cast<NMLVFINDITEMW*>(m.LParam);
        const LVFINDINFOW& f = nm->lvfi;
        const TItemFind kind = (f.flags & LVFI_PARAM)     ? ifData
                               : (f.flags & LVFI_PARTIAL) ? ifPartialString
                               : (f.flags & LVFI_STRING)  ? ifExactString
                                                          : ifNearest;
        const String text = (f.flags & (LVFI_STRING | LVFI_PARTIAL)) && f.psz ? String(f.psz) : String();
        m.Result = OwnerDataFind(kind, text, TPoint(f.pt.x, f.pt.y), reinterpret_cast<void*>(f.lParam), nm->iStart,
                                 sdAll, (f.flags & LVFI_WRAP) != 0);
        break;
    }
    case LVN_BEGINLABELEDITW: {
        auto* nm = reinterpret_cast<NMLVDISPINFOW*>(m.LParam);
        const int i = nm->item.iItem;
        m.Result = i < 0 || i >= items_.Count() || !CanEdit(items_.Item(i));
        break;
    }
    case LVN_ENDLABELEDITW:
        Edit(reinterpret_cast<NMLVDISPINFOW*>(m.LParam)->item);
        m.Result = 0;  // the caption is set by Edit
        break;
    case LVN_COLUMNCLICK: {
        const int c = reinterpret_cast<NMLISTVIEW*>(m.LParam)->iSubItem;
        if (c >= 0 && c < columns_.Count()) ColClick(columns_.Items(c));
        break;
    }
    default:
        break;
    }
}

// The header tells its list of a width about to change (the user dragged
// or double-clicked a divider, or the list sized a column to its texts);
// each is measured against the column's limits. Both character sets carry
// the item's mask and width at the same places.
bool TCustomListView::HeaderWidthRefused(const NMHDR& hdr) {
    if (settingColumn_) return false;
    switch (hdr.code) {
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
    case HDN_TRACKW:
    case HDN_TRACKA:
        break;
    default:
        return false;
    }
    const auto& nm = reinterpret_cast<const NMHEADERW&>(hdr);
    if (!nm.pitem || !(nm.pitem->mask & HDI_WIDTH) || nm.iItem < 0 || nm.iItem >= columns_.Count()) return false;
    const TListColumn* c = columns_.Items(nm.iItem);
    const int w = nm.pitem->cxy;
    return (c->maxWidth_ > 0 && w > c->maxWidth_) || (c->minWidth_ > 0 && w < c->minWidth_);
}

void TCustomListView::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        Notify(m);
        return;
    }
    if (m.Msg == WM_NOTIFY && m.LParam) {
        const auto& hdr = *reinterpret_cast<const NMHDR*>(m.LParam);
        if (HandleAllocated() && hdr.hwndFrom == HeaderHandle() && HeaderWidthRefused(hdr)) {
            m.Result = TRUE;
            return;
        }
    }
    TWinControl::WndProc(m);
}
