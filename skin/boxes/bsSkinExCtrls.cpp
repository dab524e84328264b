#include "skin/boxes/bsSkinExCtrls.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Owners.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/bsResStrData.h"

// ---- TbsSkinOfficeItem ---------------------------------------------------------------------------

void TbsSkinOfficeItem::Changed() {
    if (owner_) owner_->Update();
}
void TbsSkinOfficeItem::SetImageIndex(int v) {
    FImageIndex = v;
    Changed();
}
void TbsSkinOfficeItem::SetTitle(const String& v) {
    FTitle = v;
    Changed();
}
void TbsSkinOfficeItem::SetCaption(const String& v) {
    FCaption = v;
    Changed();
}
void TbsSkinOfficeItem::SetEnabled(bool v) {
    FEnabled = v;
    Changed();
}
void TbsSkinOfficeItem::SetHeader(bool v) {
    FHeader = v;
    Changed();
}
void TbsSkinOfficeItem::Assign(const TbsSkinOfficeItem& s) {
    FImageIndex = s.FImageIndex;
    FCaption = s.FCaption;
    FTitle = s.FTitle;
    FEnabled = s.FEnabled;
    FHeader = s.FHeader;
    Changed();
}
int TbsSkinOfficeItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }

// ---- TbsSkinOfficeItems --------------------------------------------------------------------------

TbsSkinOfficeItem* TbsSkinOfficeItems::Items(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("office item index out of bounds");
    return items_[static_cast<size_t>(index)].get();
}

TbsSkinOfficeItem* TbsSkinOfficeItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TbsSkinOfficeItem>(this);
    // An item made at the position of the list's index comes out highlighted.
    item->Active = OfficeListBox && OfficeListBox->FItemIndex == index;
    TbsSkinOfficeItem* p = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    Update();
    return p;
}

TbsSkinOfficeItem* TbsSkinOfficeItems::Add() { return Insert(Count()); }

void TbsSkinOfficeItems::Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
    Update();
}

void TbsSkinOfficeItems::Clear() {
    items_.clear();
    // A stale index would highlight whatever is added next at its place and
    // could be read by the owner as a choice that no longer exists.
    if (OfficeListBox) OfficeListBox->FItemIndex = -1;
    Update();
}

void TbsSkinOfficeItems::Assign(const TbsSkinOfficeItems& source) {
    if (&source == this) return;
    items_.clear();
    for (const auto& s : source.items_) {
        auto item = std::make_unique<TbsSkinOfficeItem>(this);
        item->Assign(*s);
        items_.push_back(std::move(item));
    }
    Update();
}

int TbsSkinOfficeItems::IndexOf(const TbsSkinOfficeItem* item) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].get() == item) return i;
    return -1;
}

void TbsSkinOfficeItems::Update() {
    if (!OfficeListBox) return;
    OfficeListBox->Invalidate();
    OfficeListBox->UpdateScrollInfo();
}

// ---- TbsSkinOfficeListBox ------------------------------------------------------------------------

TbsSkinOfficeListBox::TbsSkinOfficeListBox(TComponent* owner)
    : TbsSkinCustomControl(owner), FItems(std::make_unique<TbsSkinOfficeItems>(this)) {
    ControlStyle |= csAcceptsControls | csReplicatable;
    SetTabStop(true);
    SetBounds(Left(), Top(), 150, 150);
    FSkinDataName = L"listbox";
}

TbsSkinOfficeListBox::~TbsSkinOfficeListBox() {
    FItems->OfficeListBox = nullptr;
}

void TbsSkinOfficeListBox::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomControl::Notification(component, op);
    if (op == opRemove && component == FImages) FImages = nullptr;
    if (op == opRemove && component == FScrollBar) FScrollBar = nullptr;
}

void TbsSkinOfficeListBox::SetItems(const TbsSkinOfficeItems& v) {
    FItems->Assign(v);
    Invalidate();
    UpdateScrollInfo();
}

void TbsSkinOfficeListBox::SetItemHeight(int v) {
    if (v == FItemHeight) return;
    FItemHeight = v;
    Invalidate();
}
void TbsSkinOfficeListBox::SetHeaderHeight(int v) {
    if (v == FHeaderHeight) return;
    FHeaderHeight = v;
    Invalidate();
}
void TbsSkinOfficeListBox::SetShowItemTitles(bool v) {
    if (v == FShowItemTitles) return;
    FShowItemTitles = v;
    Invalidate();
}
void TbsSkinOfficeListBox::SetShowLines(bool v) {
    if (v == FShowLines) return;
    FShowLines = v;
    Invalidate();
}

TRect TbsSkinOfficeListBox::AreaRect() const {
    TRect r = FIndex == -1 ? TRect(2, 2, Width() - 2, Height() - 2) : NewClRect;
    if (FScrollBar) r.right -= FScrollBar->Width();
    return r;
}

int TbsSkinOfficeListBox::Page() const {
    return std::max<int>(1, FItemsRect.Height() / std::max(1, FItemHeight));
}

bool TbsSkinOfficeListBox::Selectable(int i) const {
    TbsSkinOfficeItem* it = FItems->Items(i);
    return !it->Header() && it->Enabled();
}

void TbsSkinOfficeListBox::CalcItemRects() {
    FRealMax = 0;
    FItemsRect = AreaRect();
    const TRect& a = FItemsRect;
    int y = a.top;
    for (int i = 0; i < FItems->Count(); ++i) {
        TbsSkinOfficeItem* it = FItems->Items(i);
        const int h = it->Header() ? FHeaderHeight : FItemHeight;
        it->ItemRect = TRect(a.left, y - FScrollOffset, a.left + a.Width(), y + h - FScrollOffset);
        y += h;
        const TRect& r = it->ItemRect;
        it->IsVisible = RectVertOverlap(r, a) || (r.top <= a.top && r.bottom >= a.bottom);
        if (it->IsVisible) FRealMax = r.bottom;
    }
    FMax = y;
}

void TbsSkinOfficeListBox::GetScrollInfo(int& aMin, int& aMax, int& aPosition, int& aPage) {
    CalcItemRects();
    aMin = 0;
    aMax = FMax - FItemsRect.top;
    aPage = FItemsRect.Height();
    if (aMax <= aPage) aMax = aPage = 0;
    aPosition = FScrollOffset;
}

void TbsSkinOfficeListBox::UpdateScrollInfo() {
    int mn, mx, pos, page;
    GetScrollInfo(mn, mx, pos, page);
    if (mx != 0) {
        if (!FScrollBar) ShowScrollbar();
        // The bar took width: the page shrinks with nothing else changing.
        GetScrollInfo(mn, mx, pos, page);
        FScrollBar->SetRange(mn, mx, pos, page);
        FScrollBar->SetLargeChange(page);
    } else if (FScrollBar) {
        HideScrollBar();
    }
}

void TbsSkinOfficeListBox::ShowScrollbar() {
    if (FScrollBar) return;
    FScrollBar = new TbsSkinScrollBar(this);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->SetDefaultHeight(0);
    FScrollBar->SetDefaultWidth(19);
    FScrollBar->SetSmallChange(std::max(1, FItemHeight));
    FScrollBar->SetLargeChange(std::max(1, FItemHeight));
    FScrollBar->SetSkinDataName(L"vscrollbar");
    FScrollBar->SetKind(sbVertical);
    FScrollBar->SetSkinData(FSD);
    FScrollBar->OnChange = [this](TObject*) { Scroll(FScrollBar->Position()); };
    AdjustScrollBar();
    FScrollBar->SetVisible(true);
    Invalidate();
}

void TbsSkinOfficeListBox::HideScrollBar() {
    if (!FScrollBar) return;
    TbsSkinScrollBar* bar = FScrollBar;
    FScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    FScrollOffset = 0;
    Invalidate();
}

void TbsSkinOfficeListBox::AdjustScrollBar() {
    if (!FScrollBar) return;
    TRect r = FIndex == -1 ? TRect(2, 2, Width() - 2, Height() - 2) : NewClRect;
    const int w = FScrollBar->Width() > 0 ? FScrollBar->Width() : 19;
    r.right -= w;
    FScrollBar->SetBounds(r.right, r.top, w, r.Height());
}

void TbsSkinOfficeListBox::Scroll(int offset) {
    FScrollOffset = offset;
    Invalidate();
    UpdateScrollInfo();
}

void TbsSkinOfficeListBox::ScrollToItem(int index) {
    CalcItemRects();
    if (index < 0 || index >= FItems->Count()) return;
    const TRect s = FItems->Items(index)->ItemRect;
    TRect u = s;
    u.top += FScrollOffset;
    u.bottom += FScrollOffset;
    if (s.top <= FItemsRect.top) {
        FScrollOffset = (index == 1 && FItems->Items(0)->Header()) ? 0 : u.top - FItemsRect.top;
        CalcItemRects();
        Invalidate();
    } else if (s.bottom >= FItemsRect.bottom) {
        FScrollOffset = u.bottom + FItemsRect.top - Height() + 1;
        CalcItemRects();
        Invalidate();
    }
    UpdateScrollInfo();
}

int TbsSkinOfficeListBox::CalcHeight(int n) {
    GetSkinData();
    const int count = std::min(n, FItems->Count());
    if (FIndex == -1) return count * FItemHeight + 5;
    return count * FItemHeight + (Height() - NewClRect.Height()) + 1;
}

void TbsSkinOfficeListBox::SetItemIndex(int value) {
    if (value >= FItems->Count()) return;  // nothing there to choose
    FItemIndex = value;
    if (value < 0) {
        Invalidate();
        return;
    }
    for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->Active = i == value;
    Invalidate();
    ScrollToItem(value);
    if (Has(csDesigning)) return;
    TbsSkinOfficeItem* item = FItems->Items(value);
    if (item->OnClick) item->OnClick(this);
    if (OnItemClick) OnItemClick(this);
}

void TbsSkinOfficeListBox::SetItemActive(int index) {
    if (index >= FItems->Count()) return;
    FItemIndex = index;
    for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->Active = i == index;
    Invalidate();
    ScrollToItem(index);
}

void TbsSkinOfficeListBox::FindUp() {
    if (FItemIndex <= 0) return;
    for (int i = std::min(FItemIndex, FItems->Count()) - 1; i >= 0; --i)
        if (Selectable(i)) {
            SetItemIndex(i);
            return;
        }
}

void TbsSkinOfficeListBox::FindDown() {
    const int start = FItemIndex < 0 ? 0 : FItemIndex + 1;
    for (int i = start; i < FItems->Count(); ++i)
        if (Selectable(i)) {
            SetItemIndex(i);
            return;
        }
}

void TbsSkinOfficeListBox::FindPageUp() {
    if (FItemIndex <= 0) return;
    CalcItemRects();
    const int page = Page();
    const int from = std::min(FItemIndex, FItems->Count()) - 1;
    int candidate = -1;
    bool headerPassed = false;
    for (int i = from; i >= std::max(0, FItemIndex - 1 - page); --i) {
        if (FItems->Items(i)->Header()) {
            headerPassed = true;
            continue;
        }
        if (!Selectable(i)) continue;
        if (headerPassed) {
            SetItemIndex(i);
            return;
        }
        candidate = i;
    }
    if (candidate >= 0) SetItemIndex(candidate);
}

void TbsSkinOfficeListBox::FindPageDown() {
    const int start = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (start > FItems->Count() - 1) return;
    CalcItemRects();
    const int page = Page();
    int candidate = -1;
    bool headerPassed = false;
    for (int i = start; i <= std::min(FItems->Count() - 1, start + page); ++i) {
        if (FItems->Items(i)->Header()) {
            headerPassed = true;
            continue;
        }
        if (!Selectable(i)) continue;
        if (headerPassed) {
            SetItemIndex(i);
            return;
        }
        candidate = i;
    }
    if (candidate >= 0) SetItemIndex(candidate);
}

int TbsSkinOfficeListBox::ItemAtPos(int x, int y) {
    CalcItemRects();
    for (int i = 0; i < FItems->Count(); ++i) {
        TbsSkinOfficeItem* it = FItems->Items(i);
        const TRect& r = it->ItemRect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom && it->Enabled()) return i;
    }
    return -1;
}

bool TbsSkinOfficeListBox::DoKeyDown(WORD& key, TShiftState shift) {
    if (TbsSkinCustomControl::DoKeyDown(key, shift)) return true;
    switch (key) {
    case VK_NEXT: FindPageDown(); break;
    case VK_PRIOR: FindPageUp(); break;
    case VK_UP:
    case VK_LEFT: FindUp(); break;
    case VK_DOWN:
    case VK_RIGHT: FindDown(); break;
    default: break;
    }
    return false;
}

void TbsSkinOfficeListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    const int i = ItemAtPos(x, y);
    if (button == mbLeft && i >= 0 && !FItems->Items(i)->Header()) {
        SetItemActive(i);
        FMouseDown = true;
        FMouseActive = i;
    }
}

void TbsSkinOfficeListBox::MouseMove(TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseMove(shift, x, y);
    const int i = ItemAtPos(x, y);
    if (i >= 0 && !FItems->Items(i)->Header() && (FMouseDown || MouseMoveChangeIndex) && i != FMouseActive) {
        SetItemActive(i);
        FMouseActive = i;
    }
}

void TbsSkinOfficeListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
    FMouseDown = false;
    const int i = ItemAtPos(x, y);
    if (button == mbLeft && i >= 0 && !FItems->Items(i)->Header()) SetItemIndex(i);
}

void TbsSkinOfficeListBox::HandleSize() {
    if (FOldHeight != -1 && FOldHeight != Height()) {
        CalcItemRects();
        if (FItemsRect.bottom >= FRealMax && FScrollOffset > 0) {
            FScrollOffset = std::max<int>(0, FScrollOffset - (FItemsRect.bottom - FRealMax));
            CalcItemRects();
            Invalidate();
        }
    }
    AdjustScrollBar();
    UpdateScrollInfo();
    FOldHeight = Height();
}

void TbsSkinOfficeListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Has(csDesigning) && !Focused() && CanFocus()) {
            ::SetFocus(Handle());
            if (!Focused() && GetFocus() != Handle()) return;
        }
        break;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS;
        return;
    case CM_WANTSPECIALKEY:
        if (m.WParam >= VK_LEFT && m.WParam <= VK_DOWN) {
            m.Result = 1;
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        TbsSkinCustomControl::WndProc(m);
        if (FScrollBar) {
            const int delta = static_cast<short>(HIWORD(m.WParam));
            const int step = FScrollBar->SmallChange();
            FScrollBar->SetPosition(FScrollBar->Position() + (delta < 0 ? step : -step));
        }
        m.Result = 0;
        return;
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(m);
        HandleSize();
        return;
    case CM_FOCUSCHANGED:
        TbsSkinCustomControl::WndProc(m);
        Invalidate();
        return;
    default: break;
    }
    TbsSkinCustomControl::WndProc(m);
}

void TbsSkinOfficeListBox::ChangeSkinData() {
    TbsSkinCustomControl::ChangeSkinData();
    FDisabledFontColor = 0x808080;
    if (FSD && !FSD->Empty) {
        const int i = FSD->GetControlIndex(L"edit");
        if (auto* e = i >= 0 ? dynamic_cast<TbsDataSkinEditControl*>(FSD->CtrlList[static_cast<size_t>(i)].get())
                             : nullptr)
            FDisabledFontColor = e->DisabledFontColor;
        else
            FDisabledFontColor = FSD->SkinColors()->cBtnShadow;
    }
    if (FScrollBar) {
        FScrollBar->SetSkinData(FSD);
        AdjustScrollBar();
    }
    CalcItemRects();
    Invalidate();
}

// ---- painting ----------------------------------------------------------------------------------

void TbsSkinOfficeListBox::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* c = B->Canvas();
    TRect r(0, 0, Width(), Height());
    c->Frame3D(r, clBtnShadow, clBtnShadow, 1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindow);
    c->FillRect(TRect(2, 2, Width() - 2, Height() - 2));
    DrawItems(c);
}

void TbsSkinOfficeListBox::CreateControlSkinImage(TBitmap* B) {
    TbsSkinCustomControl::CreateControlSkinImage(B);
    DrawItems(B->Canvas());
}

void TbsSkinOfficeListBox::DrawItems(TCanvas* c) {
    CalcItemRects();
    platform::SavedDC saved(c->Handle());
    IntersectClipRect(c->Handle(), FItemsRect.left, FItemsRect.top, FItemsRect.right, FItemsRect.bottom);
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i)->IsVisible) DrawItem(i, c);
}

void TbsSkinOfficeListBox::DrawItem(int index, TCanvas* c) {
    if (FIndex == -1) DefaultDrawItem(index, c);
    else SkinDrawItem(index, c);
}

void TbsSkinOfficeListBox::DrawItemContent(TCanvas* c, TRect r, TbsSkinOfficeItem* item, bool skinned) {
    if (!item->Title().empty() && FShowItemTitles) {
        c->Font()->SetStyle(c->Font()->Style() | fsBold);
        TRect tr = r;
        tr.bottom = r.top + c->TextExtent(item->Title()).cy;
        DrawWideText(c, item->Title(), tr, 0);
        c->Font()->SetStyle(c->Font()->Style() & ~fsBold);
        r.top = tr.bottom;
    }
    if (FImages && item->ImageIndex() >= 0 && item->ImageIndex() < FImages->Count()) {
        DrawImageAndLeftText(c, r, 0, 2, blGlyphLeft, item->Caption(), item->ImageIndex(), FImages, false,
                             item->Enabled(), false, 0);
        return;
    }
    c->Brush()->SetStyle(bsClear);
    if (FShowItemTitles) r.left += 10;
    TRect t(0, 0, r.Width(), r.Height());
    DrawWideText(c, item->Caption(), t, DT_CALCRECT | DT_WORDBREAK);
    const int y = std::max<int>(r.top, r.top + r.Height() / 2 - t.Height() / 2);
    TRect dst(r.left, y, r.left + t.Width(), y + t.Height());
    DrawWideText(c, item->Caption(), dst, skinned ? (DT_WORDBREAK | DT_EXPANDTABS) : DT_WORDBREAK);
}

void TbsSkinOfficeListBox::DefaultDrawItem(int index, TCanvas* c) {
    TbsSkinOfficeItem* item = FItems->Items(index);
    TColor bg = clWindow, fg = item->Enabled() ? clWindowText : TColor(0x808080);
    if (item->Header()) {
        bg = clBtnShadow;
        fg = clBtnHighlight;
    } else if (item->Active) {
        bg = clHighlight;
        fg = clHighlightText;
    }
    c->Font()->Assign(DefaultFont());
    c->Font()->SetColor(fg);
    TRect r = item->ItemRect;
    platform::SavedDC saved(c->Handle());
    IntersectClipRect(c->Handle(), r.left, r.top, r.right, r.bottom);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(bg);
    c->FillRect(r);
    c->Brush()->SetStyle(bsClear);
    r = TRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
    if (item->Header()) {
        DrawWideText(c, item->Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    } else {
        if (OnDrawItem) {
            OnDrawItem(c, index, item->ItemRect);
        } else {
            DrawItemContent(c, r, item, false);
        }
        if (FShowLines) {
            const TColor old = c->Pen()->Color();
            c->Pen()->SetColor(clBtnFace);
            c->MoveTo(item->ItemRect.left, item->ItemRect.bottom - 1);
            c->LineTo(item->ItemRect.right, item->ItemRect.bottom - 1);
            c->Pen()->SetColor(old);
        }
    }
    if (item->Active && Focused()) {
        RECT fr = item->ItemRect;
        DrawFocusRect(c->Handle(), &fr);
    }
}

void TbsSkinOfficeListBox::SkinDrawHeaderItem(int index, TCanvas* c) {
    TbsSkinOfficeItem* item = FItems->Items(index);
    int ri = FSD->GetControlIndex(L"menuheader");
    if (ri < 0) ri = FSD->GetControlIndex(L"label");
    if (ri < 0) return;
    const TRect& r = item->ItemRect;
    TBitmap b(r.Width(), r.Height());
    TCanvas* bc = b.Canvas();
    if (auto* rec = dynamic_cast<TbsDataSkinLabelControl*>(FSD->CtrlList[static_cast<size_t>(ri)].get())) {
        const int pi = rec->PictureIndex;
        if (pi >= 0 && pi < static_cast<int>(FSD->FActivePictures.size()))
            CreateSkinImageFromClRect(&b, FSD->FActivePictures[static_cast<size_t>(pi)].get(), rec->SkinRect,
                                      rec->ClRect, true);
        bc->Font()->SetName(rec->FontName);
        bc->Font()->SetHeight(rec->FontHeight);
        bc->Font()->SetStyle(rec->FontStyle);
        bc->Font()->SetColor(rec->FontColor);
    }
    bc->Brush()->SetStyle(bsClear);
    TRect tr(1, 1, r.Width() - 1, r.Height() - 1);
    DrawWideText(bc, item->Caption(), tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    c->Draw(r.left, r.top, &b);
}

void TbsSkinOfficeListBox::SkinDrawItem(int index, TCanvas* c) {
    TbsSkinOfficeItem* item = FItems->Items(index);
    if (item->Header()) {
        SkinDrawHeaderItem(index, c);
        return;
    }
    const int ri = FSD->GetControlIndex(L"listbox");
    auto* rec = ri >= 0 ? dynamic_cast<TbsDataSkinListBox*>(FSD->CtrlList[static_cast<size_t>(ri)].get()) : nullptr;
    if (!rec) return;
    TFont f;
    if (UseSkinFont) {
        f.SetName(rec->FontName);
        f.SetHeight(rec->FontHeight);
        f.SetStyle(rec->FontStyle);
    } else {
        f.Assign(DefaultFont());
    }
    if (FSD->ResourceStrData()) f.SetCharset(FSD->ResourceStrData()->CharSet);
    const bool listLike = FSkinDataName == L"listbox" || FSkinDataName == L"memo";
    f.SetColor(!item->Enabled() ? FDisabledFontColor : listLike ? rec->FontColor : FSD->SkinColors()->cBtnText);
    const TRect& ir = item->ItemRect;
    if (item->Active && item->Enabled()) {
        // The highlight is the skin's focus (or active) item picture
        // composed around its text rectangle.
        TBitmap b(ir.Width(), ir.Height());
        const TRect focus = IsNullRect(rec->FocusItemRect) ? rec->SItemRect : rec->FocusItemRect;
        const TRect active = IsNullRect(rec->ActiveItemRect) ? rec->SItemRect : rec->ActiveItemRect;
        if (Picture) CreateSkinImageFromClRect(&b, Picture, Focused() ? focus : active, rec->ItemTextRect, true);
        b.Canvas()->Font()->Assign(&f);
        b.Canvas()->Font()->SetColor(Focused() ? rec->FocusFontColor : rec->ActiveFontColor);
        b.Canvas()->Brush()->SetStyle(bsClear);
        TRect r(2, 2, ir.Width() - 2, ir.Height() - 2);
        if (OnDrawItem) OnDrawItem(b.Canvas(), index, r);
        else DrawItemContent(b.Canvas(), r, item, true);
        c->Draw(ir.left, ir.top, &b);
        return;
    }
    platform::SavedDC saved(c->Handle());
    IntersectClipRect(c->Handle(), ir.left, ir.top, ir.right, ir.bottom);
    c->Font()->Assign(&f);
    c->Brush()->SetStyle(bsClear);
    TRect r = ir;
    r = TRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
    if (OnDrawItem) OnDrawItem(c, index, r);
    else DrawItemContent(c, r, item, true);
    if (FShowLines) {
        c->Pen()->SetColor(FSD->SkinColors()->cBtnShadow);
        c->MoveTo(ir.left, ir.bottom - 1);
        c->LineTo(ir.right, ir.bottom - 1);
    }
}

// ---- TbsPopupOfficeListBox -----------------------------------------------------------------------

TbsPopupOfficeListBox::TbsPopupOfficeListBox(TComponent* owner) : TbsSkinOfficeListBox(owner) {
    ControlStyle |= csNoDesignVisible;
    SetVisible(false);
}

void TbsPopupOfficeListBox::CreateParams(TCreateParams& p) {
    TbsSkinOfficeListBox::CreateParams(p);
    PopupListCreateParams(p, ParentWindow);
}

void TbsPopupOfficeListBox::WndProc(TMessage& m) {
    if (!PopupListMessage(m)) TbsSkinOfficeListBox::WndProc(m);
}

void TbsPopupOfficeListBox::Hide() { HidePopupList(this); }

bool TbsPopupOfficeListBox::Show(const TPoint& origin) {
    auto* combo = dynamic_cast<TbsSkinCustomOfficeComboBox*>(Owner());
    TbsPopupAlpha alpha;
    if (combo) alpha = {combo->AlphaBlend, combo->AlphaBlendAnimation, combo->AlphaBlendValue};
    return ShowPopupList(this, origin, combo ? &alpha : nullptr, FAlphaState, [combo] { combo->ClearListPress(); });
}
