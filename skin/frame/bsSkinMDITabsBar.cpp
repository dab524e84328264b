#include "skin/frame/bsSkinMDITabsBar.h"

#include <algorithm>

#include "skin/bsUtils.h"
#include "skin/frame/bsSkinFrame.h"

namespace {

bool InRectInclusive(const TRect& r, int x, int y) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; }

}  // namespace

// ---- a tab ------------------------------------------------------------------------------------

void TbsMDITab::Draw(TCanvas* Cnvs) {
    const int W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    TBitmap b(W, H, pf24bit);
    TCanvas* c = b.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Active ? static_cast<TColor>(0xB59385) : MouseIn ? static_cast<TColor>(0xD2BDB6) : clBtnFace);
    c->FillRect(TRect(0, 0, W, H));
    c->Font()->Assign(TabsBar->DefaultFont());
    const int closeSize = TabsBar->GetCloseSize();
    TRect text = TabsBar->ShowCloseButtons ? TRect(2, 0, W - closeSize - 5, H) : TRect(2, 0, W - 2, H);
    if (TabsBar->ShowCloseButtons) DrawCloseButton(c, TRect(text.right, 0, W, H));
    String caption = Child->Caption();
    FitWideTextToWidth(c, caption, text.Width());
    c->Brush()->SetStyle(bsClear);
    RECT r = text;
    DrawWideText(c, caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &b);
}

void TbsMDITab::DrawCloseButton(TCanvas* Cnvs, const TRect& R) {
    const int C = R.top + R.Height() / 2;
    ButtonRect = TRect(R.left, C - 7, R.left + 14, C + 7);
    DrawCloseImage(Cnvs, ButtonRect.left + 2, ButtonRect.top + 2, ButtonMouseIn ? clWhite : clBlack);
}

// ---- the bar ----------------------------------------------------------------------------------

TbsSkinMDITabsBar::TbsSkinMDITabsBar(TComponent* AOwner) : TbsSkinControl(AOwner) {
    SetSkinDataName(L"tab");
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    SetBounds(0, 0, 150, 21);
}

TbsSkinMDITabsBar::~TbsSkinMDITabsBar() = default;

void TbsSkinMDITabsBar::AddTab(TCustomForm* Child) {
    ObjectList.push_back(std::make_unique<TbsMDITab>(this, Child));
    // A child freed while it still shows takes its tab with it.
    FreeNotification(Child);
    Repaint();
}

void TbsSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation) {
    TbsSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // Compared as components: the child is in its base destructor by now.
    for (auto& t : ObjectList)
        if (static_cast<TComponent*>(t->Child) == AComponent) {
            DeleteTab(t->Child);
            break;
        }
}

void TbsSkinMDITabsBar::DeleteTab(TCustomForm* Child) {
    if (ActiveTabIndex >= 0 && ActiveTabIndex < TabCount() && Tabs(ActiveTabIndex)->Child == Child) {
        if (OnTabMouseLeave) OnTabMouseLeave(Tabs(ActiveTabIndex));
        ActiveTabIndex = OldTabIndex = -1;
    }
    for (auto it = ObjectList.begin(); it != ObjectList.end(); ++it)
        if ((*it)->Child == Child) {
            ObjectList.erase(it);
            break;
        }
    Repaint();
}

int TbsSkinMDITabsBar::GetTabIndex(int X, int Y) const {
    for (int i = 0; i < TabCount(); ++i)
        if (Tabs(i)->Visible && InRectInclusive(Tabs(i)->ObjectRect, X, Y)) return i;
    return -1;
}

TbsMDITab* TbsSkinMDITabsBar::GetTab(int X, int Y) const {
    const int i = GetTabIndex(X, Y);
    return i < 0 ? nullptr : Tabs(i);
}

void TbsSkinMDITabsBar::CalcTabRects() {
    const int n = TabCount();
    FInVisibleCount = 0;
    if (n == 0) return;
    const int TH = Height();
    const int TW = std::min((Width() - 15) / n, DefaultTabWidth);
    if (MinTabWidth != 0 && TW < MinTabWidth) {
        const int N = (Width() - 30) / MinTabWidth;
        int X = 15;
        for (int i = 0; i < n; ++i) {
            TbsMDITab* t = Tabs(i);
            if (i < N) {
                t->ObjectRect = TRect(X, 0, X + MinTabWidth, TH);
                t->Visible = true;
            } else {
                t->ObjectRect = TRect();
                t->Visible = false;
                ++FInVisibleCount;
            }
            X += MinTabWidth;
        }
        FDragLimit = Width() - 15;
    } else {
        for (int i = 0; i < n; ++i) {
            Tabs(i)->Visible = true;
            Tabs(i)->ObjectRect = TRect(15 + i * TW, 0, 15 + (i + 1) * TW, TH);
        }
        if (TW < DefaultTabWidth) Tabs(n - 1)->ObjectRect.right = Width();
        FDragLimit = Width();
    }
    if (IsDrag && DragIndex != -1) {
        TRect& r = Tabs(DragIndex)->ObjectRect;
        OffsetRect(&r, TabDX, 0);
        if (r.right > FDragLimit) OffsetRect(&r, FDragLimit - r.right, 0);
        if (r.left < 0) OffsetRect(&r, -r.left, 0);
    }
}

int TbsSkinMDITabsBar::GetDropIndex() const {
    if (TabCount() == 0 || TabDX == 0 || DragIndex < 0) return -1;
    const TRect dr = Tabs(DragIndex)->ObjectRect;
    int found = -1;
    if (TabDX > 0) {
        for (int i = DragIndex + 1; i < TabCount(); ++i) {
            const TRect r = Tabs(i)->ObjectRect;
            if (Tabs(i)->Visible && r.left + r.Width() / 2 < dr.right) found = i;
        }
    } else {
        for (int i = DragIndex - 1; i >= 0; --i) {
            const TRect r = Tabs(i)->ObjectRect;
            if (Tabs(i)->Visible && r.left + r.Width() / 2 > dr.left) found = i;
        }
    }
    return found;
}

void TbsSkinMDITabsBar::DrawTabs(TCanvas* C) {
    CalcTabRects();
    for (int i = 0; i < TabCount(); ++i)
        if (Tabs(i)->Visible && !(FDown && IsDrag && i == DragIndex)) Tabs(i)->Draw(C);
    if (IsDrag && DragIndex != -1) Tabs(DragIndex)->Draw(C);
    const int drop = IsDrag ? GetDropIndex() : -1;
    if (drop != -1) {
        const TRect t = Tabs(drop)->ObjectRect;
        const int X = TabDX < 1 ? t.left : t.right, H2 = Height() / 2;
        C->Pen()->SetMode(pmNot);
        C->Brush()->SetStyle(bsClear);
        for (int x = X - 1; x <= X + 1; ++x) {
            C->MoveTo(x, 0);
            C->LineTo(x, Height());
        }
        const POINT right[] = {{X + 2, H2}, {X + 5, H2 - 3}, {X + 5, H2 + 3}, {X + 2, H2}};
        const POINT left[] = {{X - 2, H2}, {X - 5, H2 - 3}, {X - 5, H2 + 3}, {X - 2, H2}};
        Polyline(C->Handle(), right, 4);
        Polyline(C->Handle(), left, 4);
        C->Pen()->SetMode(pmCopy);
    }
}

void TbsSkinMDITabsBar::CreateControlDefaultImage(TBitmap* B) {
    B->Canvas()->Brush()->SetStyle(bsSolid);
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(TRect(0, 0, B->Width(), B->Height()));
    DrawTabs(B->Canvas());
}

void TbsSkinMDITabsBar::UpdateActiveTab() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    TCustomForm* active = main ? main->ActiveMDIChild() : nullptr;
    if (!active) return;
    for (auto& t : ObjectList) t->Active = t->Child == active;
    Repaint();
}

void TbsSkinMDITabsBar::RefreshTabOf(TCustomForm* Child) {
    for (auto& t : ObjectList)
        if (t->Child == Child && t->Visible) t->Draw(Canvas());
}

void TbsSkinMDITabsBar::BringChildForward(TCustomForm* Child) {
    Child->Show();
    if (TbsSkinFrame* f = FindSkinFormComponent(Child); f && f->WindowState() == wsMinimized)
        f->SetWindowState(wsNormal);
}

void TbsSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TbsSkinControl::MouseDown(Button, Shift, X, Y);
    const int index = GetTabIndex(X, Y);
    if (index < 0) return;
    TbsMDITab* tab = Tabs(index);
    if (Button == mbLeft) {
        BringChildForward(tab->Child);
        FDown = true;
        if (MoveTabs) DragIndex = index;
        DX = X;
        TabDX = 0;
        if (OnTabMouseDown) OnTabMouseDown(Button, Shift, tab);
        if (ShowCloseButtons) {
            TRect b = tab->ButtonRect;
            OffsetRect(&b, tab->ObjectRect.left, tab->ObjectRect.top);
            const bool onButton = PtInRect(&b, POINT{X, Y}) != FALSE;
            // A press on the close button never starts a drag.
            if (onButton) FDown = false, DragIndex = -1;
            tab->ButtonMouseIn = tab->ButtonMouseDown = onButton;
            tab->Draw(Canvas());
        }
    } else if (OnTabMouseDown) {
        OnTabMouseDown(Button, Shift, tab);
    }
}

void TbsSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y) {
    TbsSkinControl::MouseMove(Shift, X, Y);
    if (FDown && DragIndex != -1 && !IsDrag && X != DX) IsDrag = true;
    if (IsDrag) {
        TabDX = X - DX;
        Repaint();
    } else {
        TrackTab(X, Y);
    }
}

void TbsSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TbsSkinControl::MouseUp(Button, Shift, X, Y);
    FDown = false;
    if (IsDrag) {
        CalcTabRects();
        const int drop = GetDropIndex();
        IsDrag = false;
        if (drop != -1 && drop != DragIndex) {
            auto moved = std::move(ObjectList[static_cast<size_t>(DragIndex)]);
            ObjectList.erase(ObjectList.begin() + DragIndex);
            ObjectList.insert(ObjectList.begin() + drop, std::move(moved));
        }
        DragIndex = -1;
        DX = TabDX = 0;
        Repaint();
        return;
    }
    DragIndex = -1;
    TbsMDITab* tab = GetTab(X, Y);
    if (tab && OnTabMouseUp) OnTabMouseUp(Button, Shift, tab);
    if (!ShowCloseButtons || Button != mbLeft) return;
    TbsMDITab* closing = nullptr;
    if (tab) {
        TRect b = tab->ButtonRect;
        OffsetRect(&b, tab->ObjectRect.left, tab->ObjectRect.top);
        if (PtInRect(&b, POINT{X, Y}) && tab->ButtonMouseDown) closing = tab;
    }
    // A press on a button released anywhere else only clears its state.
    for (auto& t : ObjectList)
        if (t.get() != closing && (t->ButtonMouseIn || t->ButtonMouseDown)) {
            t->ButtonMouseIn = t->ButtonMouseDown = false;
            if (t->Visible) t->Draw(Canvas());
        }
    if (closing) {
        closing->ButtonMouseIn = true;
        closing->ButtonMouseDown = false;
        closing->Draw(Canvas());
        closing->Child->Close();
    }
}

void TbsSkinMDITabsBar::TrackTab(int X, int Y) {
    ActiveTabIndex = GetTabIndex(X, Y);
    if (ActiveTabIndex == OldTabIndex) return;
    if (OldTabIndex >= 0 && OldTabIndex < TabCount() && Tabs(OldTabIndex)->Visible) {
        Tabs(OldTabIndex)->MouseIn = false;
        Tabs(OldTabIndex)->Draw(Canvas());
        if (OnTabMouseLeave) OnTabMouseLeave(Tabs(OldTabIndex));
    }
    if (ActiveTabIndex >= 0) {
        Tabs(ActiveTabIndex)->MouseIn = true;
        Tabs(ActiveTabIndex)->Draw(Canvas());
        if (OnTabMouseEnter) OnTabMouseEnter(Tabs(ActiveTabIndex));
    }
    OldTabIndex = ActiveTabIndex;
}

void TbsSkinMDITabsBar::WndProc(TMessage& m) {
    if (m.Msg == CM_MOUSELEAVE) TrackTab(-1, -1);
    TbsSkinControl::WndProc(m);
}
