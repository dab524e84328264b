#include "skin/controls/bsSkinCtrlsViews.h"

#include <algorithm>

#include "platform/SysUtils.h"
#include "skin/bsResStrData.h"

TbsSkinCustomListView::TbsSkinCustomListView(TComponent* owner) : TCustomListView(owner) {
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
    Font()->Assign(&FDefaultFont);
}

TbsSkinCustomListView::~TbsSkinCustomListView() {
    ReleaseHeader();
    if (FSD) RemoveFreeNotification(FSD);
    if (FVScrollBar) RemoveFreeNotification(FVScrollBar);
    if (FHScrollBar) RemoveFreeNotification(FHScrollBar);
}

// ---- properties ------------------------------------------------------------------

void TbsSkinCustomListView::SetSkinData(TbsSkinData* v) {
    // The store may go first: hear of it and fall back to the plain look.
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    if (FSD && !FSD->Empty && !Has(csDesigning)) ChangeSkinData();
}

void TbsSkinCustomListView::SetDefaultFont(TFont* v) {
    FDefaultFont.Assign(v);
    if (FIndex == -1) Font()->Assign(v);
}

void TbsSkinCustomListView::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex == -1) SetColor(v);
}

void TbsSkinCustomListView::SetVScrollBar(TbsSkinScrollBar* v) {
    if (FVScrollBar && FVScrollBar != v) RemoveFreeNotification(FVScrollBar);
    FVScrollBar = v;
    if (v) {
        FreeNotification(v);
        v->SetEnabled(true);
        v->SetVisible(false);
        v->OnChange = [this](TObject*) { VScrollBarChanged(); };
    }
    UpDateScrollBars();
}

void TbsSkinCustomListView::SetHScrollBar(TbsSkinScrollBar* v) {
    if (FHScrollBar && FHScrollBar != v) RemoveFreeNotification(FHScrollBar);
    FHScrollBar = v;
    if (v) {
        FreeNotification(v);
        v->SetEnabled(true);
        v->SetVisible(false);
        v->OnChange = [this](TObject*) { HScrollBarChanged(); };
    }
    UpDateScrollBars();
}

void TbsSkinCustomListView::Notification(TComponent* component, TOperation op) {
    TCustomListView::Notification(component, op);
    if (op != opRemove) return;
    if (component == FSD) {
        FSD = nullptr;
        FIndex = -1;
        FHIndex = -1;
        HPicture = nullptr;
    }
    if (component == FVScrollBar) FVScrollBar = nullptr;
    if (component == FHScrollBar) FHScrollBar = nullptr;
}

// ---- window ------------------------------------------------------------------------

void TbsSkinCustomListView::CreateParams(TCreateParams& p) {
    TCustomListView::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL);
}

void TbsSkinCustomListView::CreateWnd() {
    TCustomListView::CreateWnd();
    // The header may have been made before this view could hear of it.
    if (ViewStyle() == vsReport && ShowColumnHeaders()) {
        if (HWND header = HeaderHandle()) HookHeader(header);
    }
    ChangeSkinData();
}

void TbsSkinCustomListView::Loaded() {
    FInCheckScrollBars = true;
    try {
        TCustomListView::Loaded();
    } catch (...) {
        FInCheckScrollBars = false;
        throw;
    }
    FInCheckScrollBars = false;
    ChangeSkinData();
}

void TbsSkinCustomListView::Change(TListItem* item, TItemChange change) {
    TCustomListView::Change(item, change);
    if (!FInCheckScrollBars) UpDateScrollBars();
}

void TbsSkinCustomListView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        // No border and no room for the native bars: all is client area.
        m.Result = 0;
        return;
    case CM_PAINTFRAMETODC:
        m.Result = 12851;
        return;
    case CM_PAINTHEADERTODC:
        if (HookedHeader()) PaintHeader(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_PARENTNOTIFY:
        if (LOWORD(m.WParam) == WM_CREATE && ShowColumnHeaders()) {
            const HWND child = reinterpret_cast<HWND>(m.LParam);
            wchar_t name[80] = {};
            GetClassNameW(child, name, 80);
            if (lstrcmpW(name, L"SysHeader32") == 0) HookHeader(child);
        }
        break;
    default:
        break;
    }
    TCustomListView::WndProc(m);
    switch (m.Msg) {
    case WM_SIZE:
        if (!FInCheckScrollBars && Items()->Count() > 0) UpDateScrollBars();
        if (ViewStyle() == vsReport && HookedHeader()) ::InvalidateRect(HookedHeader(), nullptr, FALSE);
        break;
    case WM_PAINT:
        if (!FInCheckScrollBars) UpDateScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
        UpDateScrollBars();
        break;
    case CM_VISIBLECHANGED:
        if (FVScrollBar) FVScrollBar->SetVisible(Visible());
        if (FHScrollBar) FHScrollBar->SetVisible(Visible());
        break;
    default:
        break;
    }
}

// ---- skin --------------------------------------------------------------------------

void TbsSkinCustomListView::ChangeSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) {
        SetColor(FDefaultColor);
        Font()->Assign(&FDefaultFont);
    } else if (auto* rec = dynamic_cast<TbsDataSkinListView*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get())) {
        if (UseSkinFont) {
            Font()->SetName(rec->FontName);
            Font()->SetStyle(rec->FontStyle);
            Font()->SetHeight(rec->FontHeight);
        } else {
            Font()->Assign(&FDefaultFont);
        }
        Font()->SetColor(rec->FontColor);
        SetColor(rec->BGColor);
    }
    if (FSD && FSD->ResourceStrData()) Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    else Font()->SetCharset(FDefaultFont.Charset());
    if (HandleAllocated()) {
        const COLORREF bg = ColorToRGB(Color());
        SendMessageW(Handle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(bg));
        SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(bg));
        SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
    UpDateScrollBars();
    // The bars may have changed size with the skin: the parent places them again.
    if (FVScrollBar) FVScrollBar->SetAlign(FVScrollBar->Align());
    if (FHScrollBar) FHScrollBar->SetAlign(FHScrollBar->Align());
    if (ViewStyle() == vsReport && HookedHeader()) ::InvalidateRect(HookedHeader(), nullptr, TRUE);
}

// ---- scroll bars -------------------------------------------------------------------

int TbsSkinCustomListView::ItemRectHeight() {
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (!SendMessageW(Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
    return r.bottom - r.top;
}

int TbsSkinCustomListView::ItemRectWidth() {
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (!SendMessageW(Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
    return r.right - r.left;
}

void TbsSkinCustomListView::SetBarVisible(TbsSkinScrollBar* bar, bool v, bool& changed) {
    if (bar->Visible() == v) return;
    FInCheckScrollBars = true;
    try {
        bar->SetVisible(v);
    } catch (...) {
        FInCheckScrollBars = false;
        throw;
    }
    FInCheckScrollBars = false;
    changed = true;
}

void TbsSkinCustomListView::UpDateScrollBars() {
    if (!HandleAllocated() || FromSB || Width() <= 5 || Height() <= 5) return;
    if (FInCheckScrollBars) return;
    bool changed = false;
    switch (ViewStyle()) {
    case vsIcon:
    case vsSmallIcon:
        UpdateIconScrollBars(changed);
        break;
    case vsList:
        UpdateListScrollBars(changed);
        break;
    case vsReport:
        UpdateReportScrollBars(changed);
        break;
    }
    if (FVScrollBar && FHScrollBar) {
        if (!FVScrollBar->Visible() && FHScrollBar->Both()) FHScrollBar->SetBoth(false);
        else if (FVScrollBar->Visible() && !FHScrollBar->Both()) FHScrollBar->SetBoth(true);
    }
    if (Align() != alNone && changed) RequestAlign();
}

void TbsSkinCustomListView::UpdateIconScrollBars(bool& changed) {
    int mn = 0, mx = 0;
    if (FVScrollBar) {
        GetScrollRange(Handle(), SB_VERT, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_VERT);
        SetBarVisible(FVScrollBar, mx > Height() && ViewVisible(), changed);
        if (FVScrollBar->Visible()) {
            const int step = std::max(1, ItemRectHeight() / 2);
            FVScrollBar->SetSmallChange(step);
            FVScrollBar->SetLargeChange(step);
            FVScrollBar->SetRange(mn, mx, pos, Height());
            FOldVScrollBarPos = pos;
        }
    }
    if (FHScrollBar) {
        GetScrollRange(Handle(), SB_HORZ, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_HORZ);
        SetBarVisible(FHScrollBar, mx > Width() && ViewVisible(), changed);
        if (FHScrollBar->Visible()) {
            const int step = std::max(1, ItemRectHeight() / 2);
            FHScrollBar->SetSmallChange(step);
            FHScrollBar->SetLargeChange(step);
            FHScrollBar->SetRange(mn, mx, pos, Width());
            FOldHScrollBarPos = pos;
        }
    }
}

void TbsSkinCustomListView::UpdateListScrollBars(bool& changed) {
    if (FVScrollBar) SetBarVisible(FVScrollBar, false, changed);
    if (!FHScrollBar) return;
    int mn = 0, mx = 0;
    GetScrollRange(Handle(), SB_HORZ, &mn, &mx);
    const int pos = GetScrollPos(Handle(), SB_HORZ);
    int itemWidth = Items()->Count() > 0 ? ItemRectWidth() : 1;
    if (itemWidth == 0) itemWidth = 1;
    const int page = Width() / itemWidth;
    const auto perPage = SendMessageW(Handle(), LVM_GETCOUNTPERPAGE, 0, 0);
    const auto count = SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0);
    SetBarVisible(FHScrollBar, perPage < count && ViewVisible(), changed);
    if (FHScrollBar->Visible()) {
        FHScrollBar->SetRange(mn, mx, pos, page);
        FHScrollBar->SetSmallChange(1);
        FHScrollBar->SetLargeChange(1);
        FOldHScrollBarPos = pos;
    }
}

void TbsSkinCustomListView::UpdateReportScrollBars(bool& changed) {
    int mn = 0, mx = 0;
    if (FVScrollBar) {
        GetScrollRange(Handle(), SB_VERT, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_VERT);
        const int page = static_cast<int>(SendMessageW(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
        SetBarVisible(FVScrollBar, page < mx + 1 && ViewVisible(), changed);
        if (FVScrollBar->Visible()) {
            FVScrollBar->SetRange(mn, mx, pos, page);
            FOldVScrollBarPos = pos;
            FVScrollBar->SetSmallChange(1);
            FVScrollBar->SetLargeChange(std::max(1, page));
        }
    }
    if (FHScrollBar) {
        GetScrollRange(Handle(), SB_HORZ, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_HORZ);
        SetBarVisible(FHScrollBar, mx > Width() && ViewVisible(), changed);
        if (FHScrollBar->Visible()) {
            FHScrollBar->SetRange(mn, mx, pos, Width());
            FOldHScrollBarPos = pos;
        }
    }
}

void TbsSkinCustomListView::VScrollBarChanged() {
    if (!FVScrollBar || !HandleAllocated()) return;
    FromSB = true;
    try {
        const int delta = FVScrollBar->Position() - FOldVScrollBarPos;
        if (ViewStyle() == vsIcon || ViewStyle() == vsSmallIcon) Scroll(0, delta);
        else Scroll(0, delta * ItemRectHeight());
        FOldVScrollBarPos = FVScrollBar->Position();
    } catch (...) {
        FromSB = false;
        throw;
    }
    FromSB = false;
}

void TbsSkinCustomListView::HScrollBarChanged() {
    if (!FHScrollBar || !HandleAllocated()) return;
    FromSB = true;
    try {
        const int pos = FHScrollBar->Position();
        if (ViewStyle() == vsList) {
            const WPARAM code = pos < FOldHScrollBarPos ? SB_LINELEFT : SB_LINERIGHT;
            for (int n = std::abs(pos - FOldHScrollBarPos); n > 0; --n) SendMessageW(Handle(), WM_HSCROLL, code, 0);
        } else {
            Scroll(pos - FOldHScrollBarPos, 0);
        }
        FOldHScrollBarPos = pos;
    } catch (...) {
        FromSB = false;
        throw;
    }
    FromSB = false;
}
