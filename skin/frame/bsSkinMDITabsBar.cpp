// The MDI tab bar: its tabs, layout, skin fields, list buttons and menus,
// mouse (press, drag, close buttons, the child's menu) and hover tracking.
#include "skin/frame/bsSkinMDITabsBar.h"

#include <algorithm>

#include "skin/bsUtils.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMenus.h"

namespace {

bool InRectInclusive(const TRect& r, int x, int y) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; }

const String kListSuffix = L"_BSFCHILDITEMBAR";
const String kHideListSuffix = L"_BSFCHILDITEMBARHIDE";

}  // namespace

TbsSkinMDITabsBar::TbsSkinMDITabsBar(TComponent* AOwner) : TbsSkinControl(AOwner) {
    SetSkinDataName(L"tab");
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    FListMenu = new TbsSkinPopupMenu(this);
    FHideListMenu = new TbsSkinPopupMenu(this);
    SetBounds(0, 0, 150, 21);
}

TbsSkinMDITabsBar::~TbsSkinMDITabsBar() {
    ObjectList.clear();
    FreeListButton(FListButton);
    FreeListButton(FHideListButton);
}

void TbsSkinMDITabsBar::SetSkinFrame(TbsSkinFrame* v) {
    if (BSF && BSF != v) RemoveFreeNotification(BSF);
    BSF = v;
    if (v) FreeNotification(v);
}

void TbsSkinMDITabsBar::SetTabKind(TbsSkinMDITabKind v) {
    FTabKind = v;
    if (Skinned()) Repaint();
}

void TbsSkinMDITabsBar::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    if (!Skinned() && v > 0) SetHeight(v);
}

// ---- skin ---------------------------------------------------------------------------------------

void TbsSkinMDITabsBar::GetSkinData() {
    TbsSkinControl::GetSkinData();
    auto* rec = dynamic_cast<TbsDataSkinTabControl*>(SkinRecord());
    if (!rec) {
        Picture = nullptr;
        FBottomOffset = FActiveTabOffset = 0;
        return;
    }
    Picture = ActivePicture(rec->PictureIndex);
    TabRect = rec->TabRect;
    ActiveTabRect = IsNullRect(rec->ActiveTabRect) ? rec->TabRect : rec->ActiveTabRect;
    MouseInTabRect = IsNullRect(rec->MouseInTabRect) ? rec->TabRect : rec->MouseInTabRect;
    TabsBGRect = rec->TabsBGRect;
    TabLeftOffset = rec->TabLeftOffset;
    TabRightOffset = rec->TabRightOffset;
    FontName = rec->FontName;
    FontStyle = rec->FontStyle;
    FontHeight = rec->FontHeight;
    FontColor = rec->FontColor;
    ActiveFontColor = rec->FocusFontColor;
    MouseInFontColor = rec->MouseInFontColor;
    TabStretchEffect = rec->TabStretchEffect;
    if (IsNullRect(rec->CloseButtonActiveRect)) rec->CloseButtonActiveRect = rec->CloseButtonRect;
    if (IsNullRect(rec->CloseButtonDownRect)) rec->CloseButtonDownRect = rec->CloseButtonActiveRect;
    CloseButtonRect = rec->CloseButtonRect;
    ClosebuttonActiveRect = rec->CloseButtonActiveRect;
    CloseButtonDownRect = rec->CloseButtonDownRect;
    ButtonTransparent = rec->ButtonTransparent;
    ButtonTransparentColor = rec->ButtonTransparentColor;
    LTPoint = rec->LTPoint;
    RTPoint = rec->RTPoint;
    LBPoint = rec->LBPoint;
    RBPoint = rec->RBPoint;
    ClRect = rec->ClRect;
    SkinRect = rec->SkinRect;
    LeftStretch = rec->LeftStretch;
    TopStretch = rec->TopStretch;
    RightStretch = rec->RightStretch;
    BottomStretch = rec->BottomStretch;
    StretchEffect = rec->StretchEffect;
    StretchType = rec->StretchType;
    FBottomOffset = ClRect.top;
    FActiveTabOffset = RectHeight(ActiveTabRect) - RectHeight(TabRect);
}

int TbsSkinMDITabsBar::GetCloseSize() const {
    if (!Skinned() || IsNullRect(CloseButtonRect)) return 14;
    return RectWidth(CloseButtonRect);
}

TbsDataSkinButtonControl* TbsSkinMDITabsBar::ButtonRecord(const String& name) const {
    if (!FSD || FSD->Empty) return nullptr;
    const int i = FSD->GetControlIndex(name);
    if (i < 0) return nullptr;
    return dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[static_cast<size_t>(i)].get());
}

void TbsSkinMDITabsBar::ChangeSkinData() {
    TbsSkinControl::ChangeSkinData();
    FCloseSize = GetCloseSize();
    if (Skinned() && UseSkinSize) {
        const int h = RectHeight(TabRect) + (FTabKind == bstkTab ? FBottomOffset : 0);
        if (h > 0) SetHeight(h);
    } else if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    for (TbsSkinMenuSpeedButton* b : {FListButton, FHideListButton})
        if (b) b->SetSkinData(FSD);
    if (ShowCloseButtons) Repaint();
    Realign();
}

void TbsSkinMDITabsBar::AdjustClientRect(TRect& rect) {
    TbsSkinControl::AdjustClientRect(rect);
    if (Skinned() && FTabKind == bstkTab) rect.bottom -= FBottomOffset;
}

void TbsSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation) {
    TbsSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == BSF) BSF = nullptr;
    if (AComponent == FListButton) FListButton = nullptr;
    if (AComponent == FHideListButton) FHideListButton = nullptr;
    if (AComponent == FListMenu) FListMenu = nullptr;
    if (AComponent == FHideListMenu) FHideListMenu = nullptr;
    // Compared as components: the child is in its base destructor by now,
    // so its tab goes without events about it.
    for (int i = 0; i < TabCount(); ++i)
        if (static_cast<TComponent*>(Tabs(i)->Child) == AComponent) {
            RemoveTabAt(i);
            if (!Has(csDestroying)) Repaint();
            break;
        }
}

// ---- tabs ---------------------------------------------------------------------------------------

void TbsSkinMDITabsBar::AddTab(TCustomForm* Child) {
    ObjectList.push_back(std::make_unique<TbsMDITab>(this, Child));
    // A child freed while it still shows takes its tab with it.
    FreeNotification(Child);
    if (!FListButton) FListButton = NewListButton(alLeft, 4, FListMenu);
    Repaint();
}

void TbsSkinMDITabsBar::RemoveTabAt(int i) {
    if (ActiveTabIndex == i || OldTabIndex == i) ActiveTabIndex = OldTabIndex = -1;
    else {
        if (ActiveTabIndex > i) --ActiveTabIndex;
        if (OldTabIndex > i) --OldTabIndex;
    }
    if (DragIndex == i) {
        DragIndex = -1;
        IsDrag = FDown = false;
        DX = TabDX = 0;
    } else if (DragIndex > i) --DragIndex;
    ObjectList.erase(ObjectList.begin() + i);
    if (ObjectList.empty()) FreeListButton(FListButton);
}

void TbsSkinMDITabsBar::DeleteTab(TCustomForm* Child) {
    if (ActiveTabIndex >= 0 && ActiveTabIndex < TabCount() && Tabs(ActiveTabIndex)->Child == Child) {
        if (OnTabMouseLeave) OnTabMouseLeave(Tabs(ActiveTabIndex));
        ActiveTabIndex = OldTabIndex = -1;
    }
    for (int i = 0; i < TabCount(); ++i)
        if (Tabs(i)->Child == Child) {
            RemoveFreeNotification(Child);
            RemoveTabAt(i);
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
    const int TH = Height() - (Skinned() && FTabKind == bstkTab ? FBottomOffset : 0);
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

// ---- list buttons and menus ------------------------------------------------------------------

TbsSkinMenuSpeedButton* TbsSkinMDITabsBar::NewListButton(TAlign Align, int ArrowKind, TbsSkinPopupMenu* Menu) {
    auto* b = new TbsSkinMenuSpeedButton(this);
    b->SkinDataName = L"resizetoolbutton";
    b->SetSkinData(FSD);
    b->SetAlign(Align);
    b->SetWidth(15);
    b->FDrawStandardArrow = true;
    b->FArrowType = ArrowKind;
    b->SetSkinPopupMenu(Menu);
    const bool all = Menu == FListMenu;
    b->OnShowTrackMenu = [this, all](TObject*) { all ? FillListMenu() : FillHideListMenu(); };
    b->SetParent(this);
    FreeNotification(b);
    return b;
}

void TbsSkinMDITabsBar::FreeListButton(TbsSkinMenuSpeedButton*& B) {
    if (!B) return;
    TbsSkinMenuSpeedButton* b = B;
    B = nullptr;
    RemoveFreeNotification(b);
    b->Free();
}

void TbsSkinMDITabsBar::FillMenu(TbsSkinPopupMenu* Menu, const String& Suffix, bool HiddenOnly) {
    if (!Menu) return;
    Menu->Items()->Clear();
    for (auto& t : ObjectList) {
        if (HiddenOnly && t->Visible) continue;
        auto* item = new TMenuItem(this);
        item->SetName(t->Child->Name() + Suffix);
        item->SetCaption(t->Child->Caption());
        item->SetRadioItem(true);
        item->SetGroupIndex(0);
        item->SetChecked(t->Active);
        item->OnClick = [this, Suffix](TObject* sender) {
            if (auto* it = dynamic_cast<TMenuItem*>(sender)) ShowChildNamed(it->Name(), Suffix);
        };
        Menu->Items()->Add(item);
    }
}

void TbsSkinMDITabsBar::FillListMenu() { FillMenu(FListMenu, kListSuffix, false); }

void TbsSkinMDITabsBar::FillHideListMenu() { FillMenu(FHideListMenu, kHideListSuffix, true); }

void TbsSkinMDITabsBar::ShowChildNamed(const String& ItemName, const String& Suffix) {
    if (!BSF) return;
    String name = ItemName;
    if (const size_t at = name.find(Suffix); at != String::npos) name.erase(at, Suffix.size());
    TCustomForm* main = BSF->FForm;
    std::vector<TCustomForm*> matches;
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (main->MDIChildren(i)->Name() == name) matches.push_back(main->MDIChildren(i));
    for (TCustomForm* c : matches) BringChildForward(c);
}

void TbsSkinMDITabsBar::Paint() {
    TbsSkinControl::Paint();
    if (FInVisibleCount > 0 && !FHideListButton) {
        FHideListButton = NewListButton(alRight, 2, FHideListMenu);
        FHideListButton->Repaint();
    } else if (FInVisibleCount == 0 && FHideListButton) {
        FHideListButton->SetVisible(false);
        FreeListButton(FHideListButton);
    }
}

// ---- mouse ------------------------------------------------------------------------------------

void TbsSkinMDITabsBar::BringChildForward(TCustomForm* Child) {
    if (TbsSkinFrame* f = FindSkinFormComponent(Child); f && f->WindowState() == wsMinimized)
        f->SetWindowState(wsNormal);
    Child->Show();
}

void TbsSkinMDITabsBar::PopupChildMenu(TbsMDITab* Tab, int X, int Y) {
    if (!SupportChildMenus || !BSF) return;
    TbsSkinFrame* childFrame = FindSkinFormComponent(Tab->Child);
    if (!childFrame) return;
    const TPoint p = ClientToScreen(TPoint(X, Y));
    TMenuItem* items = childFrame->GetSysMenuItems();
    BSF->SkinMenuOpen();
    BSF->SkinMenu->Popup(Parent(), BSF->MenusSkinData() ? BSF->MenusSkinData() : BSF->SkinData(), 0,
                         TRect(p.x, p.y, p.x, p.y), items, false);
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
        return;
    }
    if (Button == mbRight) PopupChildMenu(tab, X, Y);
    if (OnTabMouseDown) OnTabMouseDown(Button, Shift, tab);
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
    const bool changed = ActiveTabIndex != OldTabIndex;
    if (changed) {
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
    if (!ShowCloseButtons) return;
    if (ActiveTabIndex >= 0) {
        TbsMDITab* t = Tabs(ActiveTabIndex);
        TRect b = t->ButtonRect;
        OffsetRect(&b, t->ObjectRect.left, t->ObjectRect.top);
        const bool in = PtInRect(&b, POINT{X, Y}) != FALSE;
        if (in && !t->ButtonMouseIn) {
            t->ButtonMouseIn = true;
            t->Draw(Canvas());
        } else if (!in && (t->ButtonMouseIn || t->ButtonMouseDown)) {
            t->ButtonMouseIn = t->ButtonMouseDown = false;
            t->Draw(Canvas());
        }
    }
    if (!changed) return;
    bool cleared = false;
    for (int i = 0; i < TabCount(); ++i)
        if (i != ActiveTabIndex && Tabs(i)->ButtonMouseIn) {
            Tabs(i)->ButtonMouseIn = Tabs(i)->ButtonMouseDown = false;
            cleared = true;
        }
    if (cleared) Repaint();
}

void TbsSkinMDITabsBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSELEAVE:
        TrackTab(-1, -1);
        break;
    case WM_CHECKPARENTBG:
        if (Skinned() && FSD->MDITabsTransparent) Repaint();
        m.Result = 0;
        return;
    case WM_MOVE:
        TbsSkinControl::WndProc(m);
        if (Skinned() && FSD->MDITabsTransparent && Align() == alNone) Repaint();
        return;
    default:
        break;
    }
    TbsSkinControl::WndProc(m);
}
