#include "skin/controls/bsSkinCtrlsTree.h"

#include "platform/ImgList.h"
#include "skin/bsResStrData.h"
#include "skin/bsSkinRecords.h"

TbsSkinCustomTreeView::TbsSkinCustomTreeView(TComponent* owner) : TCustomTreeView(owner) {
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
    Font()->Assign(&FDefaultFont);
}

TbsSkinCustomTreeView::~TbsSkinCustomTreeView() {
    if (FSD) RemoveFreeNotification(FSD);
    if (FVScrollBar) RemoveFreeNotification(FVScrollBar);
    if (FHScrollBar) RemoveFreeNotification(FHScrollBar);
}

void TbsSkinCustomTreeView::SetSkinData(TbsSkinData* v) {
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    if (FSD && !FSD->Empty && !Has(csDesigning)) ChangeSkinData();
}

void TbsSkinCustomTreeView::SetDefaultFont(TFont* v) {
    FDefaultFont.Assign(v);
    if (FIndex == -1) Font()->Assign(v);
}

void TbsSkinCustomTreeView::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex == -1) SetColor(v);
}

void TbsSkinCustomTreeView::AttachBar(TbsSkinScrollBar*& field, TbsSkinScrollBar* v, bool vertical) {
    if (field && field != v) RemoveFreeNotification(field);
    field = v;
    if (v) {
        FreeNotification(v);
        v->SetEnabled(true);
        v->SetVisible(false);
        v->OnChange = [this, vertical](TObject*) { BarChanged(vertical); };
    }
    UpDateScrollBars();
}

void TbsSkinCustomTreeView::SetVScrollBar(TbsSkinScrollBar* v) { AttachBar(FVScrollBar, v, true); }
void TbsSkinCustomTreeView::SetHScrollBar(TbsSkinScrollBar* v) { AttachBar(FHScrollBar, v, false); }

void TbsSkinCustomTreeView::Notification(TComponent* component, TOperation op) {
    TCustomTreeView::Notification(component, op);
    if (op != opRemove) return;
    if (component == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
    if (component == FVScrollBar) FVScrollBar = nullptr;
    if (component == FHScrollBar) FHScrollBar = nullptr;
}

void TbsSkinCustomTreeView::CreateParams(TCreateParams& p) {
    TCustomTreeView::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL);
}

void TbsSkinCustomTreeView::CreateWnd() {
    TCustomTreeView::CreateWnd();
    ChangeSkinData();
}

void TbsSkinCustomTreeView::Loaded() {
    TCustomTreeView::Loaded();
    ChangeSkinData();
}

void TbsSkinCustomTreeView::Change(TTreeNode* node) {
    TCustomTreeView::Change(node);
    if (!FInCheckScrollBars) UpDateScrollBars();
}

void TbsSkinCustomTreeView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        m.Result = 0;
        return;
    case CM_PAINTFRAMETODC:
        m.Result = 12851;
        return;
    default:
        break;
    }
    TCustomTreeView::WndProc(m);
    switch (m.Msg) {
    case WM_SIZE:
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

void TbsSkinCustomTreeView::ChangeSkinData() {
    if (Has(csLoading)) return;
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) {
        SetColor(FDefaultColor);
        Font()->Assign(&FDefaultFont);
    } else if (auto* rec = dynamic_cast<TbsDataSkinTreeView*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get())) {
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
        SendMessageW(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
        SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
    }
    if (Images()) Images()->BkColor = Color();
    if (StateImages()) StateImages()->BkColor = Color();
    UpDateScrollBars();
    // The bars may have changed size with the skin: the parent places them again.
    if (FVScrollBar) FVScrollBar->SetAlign(FVScrollBar->Align());
    if (FHScrollBar) FHScrollBar->SetAlign(FHScrollBar->Align());
}

void TbsSkinCustomTreeView::UpDateScrollBars() {
    if (Has(csLoading) || FInCheckScrollBars || !HandleAllocated()) return;
    bool changed = false;
    const auto setVisible = [&](TbsSkinScrollBar* bar, bool v) {
        if (bar->Visible() == v) return;
        FInCheckScrollBars = true;
        bar->SetVisible(v);
        FInCheckScrollBars = false;
        changed = true;
    };
    int mn = 0, mx = 0;
    if (FVScrollBar) {
        GetScrollRange(Handle(), SB_VERT, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_VERT);
        const int page = static_cast<int>(SendMessageW(Handle(), TVM_GETVISIBLECOUNT, 0, 0));
        const auto count = static_cast<unsigned>(SendMessageW(Handle(), TVM_GETCOUNT, 0, 0));
        setVisible(FVScrollBar, mx > 0 && page <= mx && static_cast<unsigned>(mx) < count && Visible());
        if (FVScrollBar->Visible()) FVScrollBar->SetRange(mn, mx, pos, page);
    }
    if (FHScrollBar) {
        GetScrollRange(Handle(), SB_HORZ, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_HORZ);
        setVisible(FHScrollBar, mx > Width() && Visible());
        if (FHScrollBar->Visible()) FHScrollBar->SetRange(mn, mx, pos, Width());
    }
    if (FVScrollBar && FHScrollBar) {
        if (!FVScrollBar->Visible() && FHScrollBar->Both()) FHScrollBar->SetBoth(false);
        else if (FVScrollBar->Visible() && !FHScrollBar->Both()) FHScrollBar->SetBoth(true);
    }
    if (Align() != alNone && changed) RequestAlign();
}

void TbsSkinCustomTreeView::BarChanged(bool vertical) {
    if (!HandleAllocated()) return;
    TbsSkinScrollBar* bar = vertical ? FVScrollBar : FHScrollBar;
    if (!bar) return;
    if (vertical && LOBYTE(LOWORD(GetVersion())) >= 6) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        GetScrollInfo(Handle(), SB_VERT, &si);
        si.fMask = SIF_POS;
        si.nPage = 0;
        si.nPos = bar->Position();
        SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    }
    // The position travels in 16 bits.
    SendMessageW(Handle(), vertical ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(bar->Position())), 0);
}
