// The skinned menu bar: its items, painting, mouse tracking and the keys
// of menu mode.
#include "skin/frame/bsSkinMainMenuBar.h"

#include <algorithm>

#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMenus.h"

void TbsSkinMainMenu::SetSkinData(TbsSkinData* v) {
    FSD = v;
    if (v) FreeNotification(v);
}

void TbsSkinMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMainMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
}

// ---- the bar ------------------------------------------------------------------------------------

TbsSkinMainMenuBar::TbsSkinMainMenuBar(TComponent* AOwner) : TbsSkinControl(AOwner) {
    SetAlign(alTop);
    SetBounds(Left(), Top(), Width(), 22);
    FSkinDataName = L"mainmenubar";
    FDefItemFont.SetName(L"Arial");
    FDefItemFont.SetHeight(14);
    FDefItemFont.SetStyle(TFontStyles{});
    FDefItemFont.SetColor(clBtnText);
    MouseTimer = NewStoppedTimer(this, 50, [this](TObject*) { MouseTimerProc(); });
    MorphTimer = NewStoppedTimer(this, 25, [this](TObject*) { MorphTimerProc(); });
    AnimateTimer = NewStoppedTimer(this, 25, [this](TObject*) { AnimateTimerProc(); });
}

TbsSkinMainMenuBar::~TbsSkinMainMenuBar() {
    if (BSF && BSF->MainMenuBar == this) BSF->MainMenuBar = nullptr;
    if (BSF && BSF->MDIMenuBar == this) BSF->MDIMenuBar = nullptr;
    ObjectList.clear();
}

void TbsSkinMainMenuBar::Notification(TComponent* component, TOperation op) {
    TbsSkinControl::Notification(component, op);
    if (op != opRemove) return;
    if (component == FMainMenu) {
        FMainMenu = nullptr;
        ObjectList.clear();
    }
    if (component == FMergeMenu) {
        FMergeMenu = nullptr;
        UpDateItems();
    }
    if (component == BSF) BSF = nullptr;
}

void TbsSkinMainMenuBar::SetMainMenu(TMainMenu* v) {
    FMainMenu = v;
    if (v) FreeNotification(v);
    CreateMenu();
    Repaint();
}

void TbsSkinMainMenuBar::SetSkinFrame(TbsSkinFrame* v) {
    if (BSF && BSF->MainMenuBar == this) BSF->MainMenuBar = nullptr;
    if (BSF && BSF->MDIMenuBar == this) BSF->MDIMenuBar = nullptr;
    BSF = v;
    if (v) {
        FreeNotification(v);
        v->MainMenuBar = this;
        v->MDIMenuBar = this;
    }
}

void TbsSkinMainMenuBar::CreateMenu() {
    ObjectList.clear();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    if (!FMainMenu) return;
    TbsDataSkinMainMenuBarItem* rec = nullptr;
    if (FSD && !FSD->Empty && FSkinSupport) {
        const int i = FSD->GetIndex(MenuBarItem);
        if (i >= 0) rec = dynamic_cast<TbsDataSkinMainMenuBarItem*>(FSD->ObjectList[static_cast<size_t>(i)].get());
    }
    const bool mdiForm = BSF && BSF->FForm->FormStyle() == fsMDIForm;
    TMainMenu* child = (mdiForm || FMergeMenu) ? GetChildMainMenu() : nullptr;
    ChildMenuIn = child != nullptr;
    if (child) ScrollMenu = false;
    for (TMenuItem* item : BarMenuItems(child))
        if (item->Visible()) ObjectList.push_back(std::make_unique<TbsSkinMainMenuBarItem>(this, rec, item));
    if (FMDIChildMax) {
        CreateMDIButtons();
        if (TbsSkinFrame* max = GetMaximizedChildSkinForm()) CheckMDIButtons(max->BorderIcons());
    }
}

void TbsSkinMainMenuBar::UpDateItems() {
    CreateMenu();
    Repaint();
    ActiveObject = OldActiveObject = -1;
    MouseTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::UpDateEnabledItems() {
    for (auto& o : ObjectList) o->Enabled = o->MenuItem->Enabled();
    Repaint();
}

void TbsSkinMainMenuBar::GetSkinData() {
    TbsSkinControl::GetSkinData();
    Picture = nullptr;
    if (auto* rec = dynamic_cast<TbsDataSkinMainMenuBar*>(SkinRecord())) {
        BarSkinRect = rec->SkinRect;
        ItemsRect = rec->ItemsRect;
        MenuBarItem = rec->MenuBarItem;
        CloseButton = rec->CloseButton;
        MinButton = rec->MinButton;
        MaxButton = rec->MaxButton;
        SysMenuButton = rec->SysMenuButton;
        TrackMarkColor = rec->TrackMarkColor;
        TrackMarkActiveColor = rec->TrackMarkActiveColor;
        StretchEffect = rec->StretchEffect;
        ItemTransparent = rec->ItemTransparent;
        Picture = ActivePicture(rec->PictureIndex);
    }
}

void TbsSkinMainMenuBar::BeforeChangeSkinData() {
    FSkinSupport = false;
    TbsSkinControl::BeforeChangeSkinData();
    ObjectList.clear();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

void TbsSkinMainMenuBar::ChangeSkinData() {
    GetSkinData();
    FSkinSupport = dynamic_cast<TbsDataSkinMainMenuBar*>(SkinRecord()) != nullptr && Picture;
    CreateMenu();
    if (FSkinSupport) SetBounds(Left(), Top(), Width(), RectHeight(BarSkinRect));
    else if (FDefaultHeight > 0) SetBounds(Left(), Top(), Width(), FDefaultHeight);
    Repaint();
}

void TbsSkinMainMenuBar::SetBounds(int left, int top, int width, int height) {
    if (FSkinSupport) height = RectHeight(BarSkinRect);
    TbsSkinControl::SetBounds(left, top, width, height);
    CalcItemsRect();
}

void TbsSkinMainMenuBar::CalcItemsRect() {
    if (FSkinSupport)
        NewItemsRect = TRect(ItemsRect.left, ItemsRect.top, Width() - (RectWidth(BarSkinRect) - ItemsRect.right),
                             ItemsRect.bottom);
    else NewItemsRect = TRect(2, 2, Width() - 2, Height() - 2);
    if (FMDIChildMax) PlaceMDIButtons();
}

TRect TbsSkinMainMenuBar::MarkerRect() const {
    return TRect(NewItemsRect.right - 5, NewItemsRect.top, NewItemsRect.right, NewItemsRect.bottom);
}

int TbsSkinMainMenuBar::FittingCount() const {
    int n = 0;
    for (auto& o : ObjectList)
        if (o->Visible) ++n;
    return n;
}

void TbsSkinMainMenuBar::PaintBar(TCanvas* C) {
    if (Width() <= 0 || Height() <= 0) return;
    TBitmap b(Width(), Height());
    TCanvas* c = b.Canvas();
    if (FSkinSupport && Picture && FSD && FSD->MainMenuBarTransparent) DrawParentImage(this, c);
    else if (FSkinSupport && Picture)
        CreateHSkinImage(ItemsRect.left, RectWidth(BarSkinRect) - ItemsRect.right, &b, Picture, BarSkinRect, Width(),
                         Height(), StretchEffect);
    else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, Width(), Height()));
    }
    CalcItemsRect();
    Scroll = false;
    for (auto& o : ObjectList) o->ObjectRect = TRect(0, 0, 0, 0);
    for (auto& b : MDIButtons) DrawMDIButton(c, *b);
    for (auto& o : ObjectList) o->Draw(c);
    if (Scroll && ScrollMenu) {
        const TColor on = FSkinSupport ? static_cast<TColor>(TrackMarkActiveColor) : clBtnText;
        const TColor off = FSkinSupport ? static_cast<TColor>(TrackMarkColor) : clBtnShadow;
        DrawArrowImage(c, MarkerRect(), MarkerActive ? on : off, 2);
    }
    BitBlt(C->Handle(), 0, 0, Width(), Height(), c->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinMainMenuBar::DrawBarObject(TbsSkinMainMenuBarItem*) {
    // Items are laid out from left to right while they are drawn: the whole
    // bar is drawn again in one copy.
    if (HandleAllocated() && Visible()) PaintBar(Canvas());
}

void TbsSkinMainMenuBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        TCanvas c;
        c.SetHandle(reinterpret_cast<HDC>(m.WParam));
        PaintBar(&c);
        c.SetHandle(nullptr);
        m.Result = 1;
        return;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        TCanvas c;
        c.SetHandle(dc);
        PaintBar(&c);
        c.SetHandle(nullptr);
        EndPaint(Handle(), &ps);
        m.Result = 0;
        return;
    }
    case WM_SIZE:
        TbsSkinControl::WndProc(m);
        CalcItemsRect();
        return;
    case WM_MOUSEMOVE:
        MouseTimer->SetEnabled(true);
        TbsSkinControl::WndProc(m);
        return;
    case WM_MOVE:
        TbsSkinControl::WndProc(m);
        if (FSkinSupport && FSD && FSD->MainMenuBarTransparent && Align() == alNone) DrawBarObject(nullptr);
        return;
    case WM_CHECKPARENTBG:
        if (FSkinSupport && FSD && FSD->MainMenuBarTransparent) DrawBarObject(nullptr);
        m.Result = 0;
        return;
    case CM_MOUSEENTER:
        TbsSkinControl::WndProc(m);
        if (!Has(csDesigning)) {
            if (OnMouseEnter) OnMouseEnter(this);
            MouseTimer->SetEnabled(true);
        }
        return;
    case CM_MOUSELEAVE:
        TbsSkinControl::WndProc(m);
        if (OnMouseLeave) OnMouseLeave(this);
        MouseTimer->SetEnabled(false);
        TestActive(-1, -1);
        return;
    case WM_LBUTTONUP:
        TbsSkinControl::WndProc(m);
        MDIButtonUp(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
        return;
    case WM_CLOSESKINMENU:
        // The system menu of the maximized child closed: its button rises.
        for (auto& b : MDIButtons)
            if (b->Command == cmSysMenu && b->FDown) {
                b->FDown = false;
                DrawBarObject(nullptr);
            }
        m.Result = 0;
        return;
    default:
        TbsSkinControl::WndProc(m);
    }
}

// ---- mouse --------------------------------------------------------------------------------------

void TbsSkinMainMenuBar::MouseTimerProc() {
    if (!HandleAllocated()) return;
    POINT c;
    GetCursorPos(&c);
    const TPoint p = ScreenToClient(TPoint(c.x, c.y));
    if (p.x >= 0 && p.x <= Width() && p.y >= 0 && p.y <= Height()) TestActive(p.x, p.y);
    else if (MouseTimer->Enabled()) {
        MouseTimer->SetEnabled(false);
        TestActive(-1, -1);
    }
}

void TbsSkinMainMenuBar::MorphTimerProc() {
    bool stepped = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TbsSkinMainMenuBarItem* o = ObjectList[i].get();
        if (o->EnableMorphing() && o->CanMorphing()) {
            o->DoMorphing();
            stepped = true;
        }
    }
    if (!stepped) MorphTimer->SetEnabled(false);
}

void TbsSkinMainMenuBar::AnimateTimerProc() {
    bool moved = false;
    for (auto& o : ObjectList) {
        if (!o->EnableAnimation()) continue;
        if (o->Active && o->CurrentFrame <= o->FrameCount) {
            ++o->CurrentFrame;
            DrawBarObject(o.get());
            moved = true;
        } else if (!o->Active && o->CurrentFrame > 0) {
            --o->CurrentFrame;
            DrawBarObject(o.get());
            moved = true;
        }
    }
    if (!moved) AnimateTimer->SetEnabled(false);
}

void TbsSkinMainMenuBar::SetDefaultWidth(int v) {
    FDefaultWidth = v;
    if (!FSkinSupport && v > 0) SetWidth(v);
}

void TbsSkinMainMenuBar::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    if (!FSkinSupport && v > 0) SetHeight(v);
}

void TbsSkinMainMenuBar::TestActive(int X, int Y) {
    if (ObjectList.empty()) return;
    const int n = static_cast<int>(ObjectList.size());
    OldActiveObject = ActiveObject;
    const POINT pt{X, Y};
    int hit = -1;
    for (int i = 0; i < n; ++i)
        if (ObjectList[static_cast<size_t>(i)]->Enabled && PtInRect(&ObjectList[static_cast<size_t>(i)]->ObjectRect, pt)) {
            hit = i;
            break;
        }
    if (hit == -1 && OldActiveObject >= 0 && MenuActive) ActiveObject = OldActiveObject;
    else ActiveObject = hit;
    if (MouseCaptureObject >= 0 && ActiveObject != MouseCaptureObject) ActiveObject = -1;
    if (ActiveObject >= n) ActiveObject = -1;
    if (OldActiveObject >= n) OldActiveObject = -1;
    if (ActiveObject != OldActiveObject) {
        if (OldActiveObject >= 0 && ObjectList[static_cast<size_t>(OldActiveObject)]->Enabled)
            ObjectList[static_cast<size_t>(OldActiveObject)]->MouseLeave();
        if (ActiveObject >= 0 && ObjectList[static_cast<size_t>(ActiveObject)]->Enabled)
            ObjectList[static_cast<size_t>(ActiveObject)]->MouseEnter();
    }
    if (Scroll && ScrollMenu) {
        const TRect mr = MarkerRect();
        const bool in = PtInRect(&mr, pt) != 0;
        if (in != MarkerActive) {
            MarkerActive = in;
            DrawBarObject(nullptr);
        }
    }
}

void TbsSkinMainMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinControl::MouseDown(button, shift, x, y);
    if (TbsSkinMainMenuBarButton* b = MDIButtonAt(x, y)) {
        if (button == mbLeft) MDIButtonDown(b);
        return;
    }
    TestActive(x, y);
    if (ActiveObject >= 0) {
        if (button == mbLeft) ObjectList[static_cast<size_t>(ActiveObject)]->MouseDown();
        return;
    }
    const TRect mr = MarkerRect();
    const POINT pt{x, y};
    if (Scroll && ScrollMenu && PtInRect(&mr, pt)) PopupOverflowMenu();
}

void TbsSkinMainMenuBar::PopupOverflowMenu() {
    if (!BSF || !FMainMenu) return;
    const int n = FittingCount();
    const TRect mr = MarkerRect();
    const TPoint tl = ClientToScreen(TPoint(mr.left, mr.top));
    const TRect r(tl.x, tl.y, tl.x + RectWidth(mr), tl.y + RectHeight(mr));
    BSF->SkinMenuOpen();
    TMainMenu* child = (BSF->FForm->FormStyle() == fsMDIForm || FMergeMenu) ? GetChildMainMenu() : nullptr;
    if (child) BSF->SkinMenu->Popup2(nullptr, FSD, n, r, FMainMenu->Items(), child->Items(), false);
    else BSF->SkinMenu->Popup(nullptr, FSD, n, r, FMainMenu->Items(), false);
}

// ---- keys ---------------------------------------------------------------------------------------

bool TbsSkinMainMenuBar::AnyItemDown() const {
    for (auto& o : ObjectList)
        if (o->FDown) return true;
    return false;
}

void TbsSkinMainMenuBar::EnterMenuMode() {
    if (ObjectList.empty()) return;
    MenuActive = true;
    TbsSkinMainMenuBarItem* item = nullptr;
    for (auto& o : ObjectList)
        if (o->Active) {
            item = o.get();
            break;
        }
    if (!item) item = ObjectList.front().get();
    item->MouseEnter();
    ActiveObject = static_cast<int>(
        std::find_if(ObjectList.begin(), ObjectList.end(), [item](auto& o) { return o.get() == item; }) -
        ObjectList.begin());
    if (BSF) {
        BSF->HookApp();
        BSF->InMainMenu = true;
        if (BSF->OnMainMenuEnter) BSF->OnMainMenuEnter(this);
    }
}

void TbsSkinMainMenuBar::LeaveMenuMode() {
    MenuActive = false;
    for (auto& o : ObjectList)
        if (o->FDown || o->Active) {
            o->Active = o->FMouseIn = o->FDown = false;
            DrawBarObject(o.get());
            break;
        }
    ActiveObject = OldActiveObject = -1;
}

void TbsSkinMainMenuBar::ReleaseDownItem() {
    for (auto& o : ObjectList)
        if (o->FDown) {
            o->FDown = false;
            o->Active = true;
            DrawBarObject(o.get());
            break;
        }
}

bool TbsSkinMainMenuBar::CheckAccelerator(WORD Key) {
    if (!BSF || !BSF->FForm->Visible()) return false;
    for (auto& o : ObjectList) {
        if (!o->Enabled || !o->Visible || !IsAccel(Key, o->MenuItem->Caption())) continue;
        o->MouseEnter();
        if (!BSF->SkinMenu->Visible() || o->MenuItem->Count() == 0) o->MouseDown();
        return true;
    }
    return false;
}

void TbsSkinMainMenuBar::SelectNextItem() {
    std::vector<TbsSkinMainMenuBarItem*> c;
    for (auto& o : ObjectList)
        if (o->Enabled && o->Visible) c.push_back(o.get());
    if (c.empty()) return;
    for (size_t i = 0; i < c.size(); ++i)
        if (c[i]->Active || c[i]->FDown) {
            TbsSkinMainMenuBarItem* next = c[(i + 1) % c.size()];
            if (!c[i]->FDown) c[i]->MouseLeave();
            next->MouseEnter();
            return;
        }
    c.front()->MouseEnter();
}

void TbsSkinMainMenuBar::SelectPrevItem() {
    std::vector<TbsSkinMainMenuBarItem*> c;
    for (auto& o : ObjectList)
        if (o->Enabled && o->Visible) c.push_back(o.get());
    if (c.empty()) return;
    for (size_t i = c.size(); i-- > 0;)
        if (c[i]->Active || c[i]->FDown) {
            TbsSkinMainMenuBarItem* prev = c[i == 0 ? c.size() - 1 : i - 1];
            if (!c[i]->FDown) c[i]->MouseLeave();
            prev->MouseEnter();
            return;
        }
    c.back()->MouseEnter();
}

bool TbsSkinMainMenuBar::OpenSelectedItem() {
    if (!BSF) return false;
    for (auto& o : ObjectList)
        if ((o->FDown && o->MenuItem->Count() == 0) || (o->Active && !BSF->SkinMenu->Visible())) {
            o->Active = false;
            o->MouseDown();
            return true;
        }
    return false;
}
