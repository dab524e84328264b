#include "skin/boxes/bsSkinOfficeCombo.h"

#include <algorithm>
#include <utility>

#include "platform/Clock.h"
#include "platform/ImgList.h"
#include "skin/bsResStrData.h"

TbsSkinCustomOfficeComboBox::TbsSkinCustomOfficeComboBox(TComponent* owner) : TbsSkinCustomControl(owner) {
    ControlStyle = csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks | csReplicatable;
    MakeListBox();
    SetTabStop(true);
    Font()->SetName(L"Arial");
    Font()->SetColor(clWindowText);
    Font()->SetStyle(0);
    Font()->SetHeight(14);
    SetBounds(Left(), Top(), 120, 41);
    CalcRects();
    FSkinDataName = L"combobox";
}

void TbsSkinCustomOfficeComboBox::MakeListBox() {
    FListBox = new TbsPopupOfficeListBox(this);
    FListBoxWindowProc = FListBox->WindowProc;
    FListBox->WindowProc = [this](TMessage& m) { ListBoxWindowProc(m); };
    FListBox->SetVisible(false);
    FListBox->MouseMoveChangeIndex = true;
}

TbsSkinCustomOfficeComboBox::~TbsSkinCustomOfficeComboBox() {
    StopTimer();
    delete std::exchange(FListBox, nullptr);
}

void TbsSkinCustomOfficeComboBox::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomControl::Notification(component, op);
    if (op != opRemove || !FListBox) return;
    if (component == FListBox) {
        // Freed by another (say while it faded in): the combo goes on with
        // an empty list.
        FDropDown = false;
        if (Has(csDestroying)) FListBox = nullptr;
        else MakeListBox();
    } else if (component == FListBox->Images()) {
        FListBox->SetImages(nullptr);
    }
}

void TbsSkinCustomOfficeComboBox::SetImages(TCustomImageList* v) {
    FListBox->SetImages(v);
    if (v) FreeNotification(v);
    Invalidate();
}

void TbsSkinCustomOfficeComboBox::SetToolButtonStyle(bool v) {
    if (v == FToolButtonStyle) return;
    FToolButtonStyle = v;
    if (v) UseSkinSize = false;
    Invalidate();
}
void TbsSkinCustomOfficeComboBox::SetShowItemTitle(bool v) {
    if (v != FShowItemTitle) FShowItemTitle = v, Invalidate();
}
void TbsSkinCustomOfficeComboBox::SetShowItemImage(bool v) {
    if (v != FShowItemImage) FShowItemImage = v, Invalidate();
}
void TbsSkinCustomOfficeComboBox::SetShowItemText(bool v) {
    if (v != FShowItemText) FShowItemText = v, Invalidate();
}
void TbsSkinCustomOfficeComboBox::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex == -1) Invalidate();
}

// ---- the event rule ------------------------------------------------------------------------------

void TbsSkinCustomOfficeComboBox::SetItemIndex(int value) {
    // An index beyond the items chooses nothing: no change and no event.
    if (value >= FListBox->Items()->Count()) return;
    FListBox->SetItemIndex(value);
    FOldItemIndex = FListBox->ItemIndex();
    Invalidate();
    if (Has(csDesigning) || Has(csLoading)) return;
    if (OnClick) OnClick(this);
    Change();
}

void TbsSkinCustomOfficeComboBox::Change() {
    if (OnChange) OnChange(this);
}

// ---- drop-down -------------------------------------------------------------------------------------

bool TbsSkinCustomOfficeComboBox::CanCancelDropDown() {
    if (!IsPopupVisible()) return false;
    POINT p;
    GetCursorPos(&p);
    return WindowFromPoint(p) != Handle();
}

void TbsSkinCustomOfficeComboBox::DropDown() {
    if (FListBox->Items()->Count() == 0) return;
    WasInLB = false;
    StopTimer();
    if (OnDropDown) OnDropDown(this);
    const int w = ListBoxWidth > 0 ? ListBoxWidth : Width();
    FListBox->OnDrawItem = OnDrawItem;
    FOldItemIndex = FListBox->ItemIndex();
    if (FOldItemIndex == 0 && FListBox->Items()->Count() > 1) {
        FListBox->SetItemActive(1);
        FListBox->SetItemActive(0);
    }
    FDropDown = true;
    if (FToolButtonStyle) Invalidate();
    FListBox->ParentWindow = Handle();
    FListBox->SetSkinData(FSD);
    int h = FListBox->Height();
    if (ListBoxHeight > 0) h = ListBoxHeight;
    else if (FDropDownCount > 0) h = FListBox->CalcHeight(FDropDownCount);
    FListBox->SetBounds(FListBox->Left(), FListBox->Top(), w, h);
    TPoint p = ClientToScreen(TPoint(Width() - w, Height()));
    TRect work;
    GetMonitorWorkArea(Handle(), true, work);
    if (p.y + h > work.bottom) p.y = p.y - Height() - h;
    FListBox->Show(p);
}

void TbsSkinCustomOfficeComboBox::CloseUp(bool acceptValue) {
    StopTimer();
    if (!FListBox->Visible()) return;
    FListBox->Hide();
    const int i = FListBox->ItemIndex();
    if (acceptValue && i >= 0 && i < FListBox->Items()->Count()) {
        Invalidate();
        if (OnClick) OnClick(this);
        Change();
    } else {
        FListBox->SetItemActive(FOldItemIndex);
    }
    FDropDown = false;
    Invalidate();
    if (acceptValue && OnCloseUp) OnCloseUp(this);
}

void TbsSkinCustomOfficeComboBox::SelectUp(bool commit) {
    FListBox->FindUp();
    if (commit) SetItemIndex(FListBox->ItemIndex());
}
void TbsSkinCustomOfficeComboBox::SelectDown(bool commit) {
    FListBox->FindDown();
    if (commit) SetItemIndex(FListBox->ItemIndex());
}
void TbsSkinCustomOfficeComboBox::SelectPageUp(bool commit) {
    FListBox->FindPageUp();
    if (commit) SetItemIndex(FListBox->ItemIndex());
}
void TbsSkinCustomOfficeComboBox::SelectPageDown(bool commit) {
    FListBox->FindPageDown();
    if (commit) SetItemIndex(FListBox->ItemIndex());
}

// ---- input -------------------------------------------------------------------------------------------

void TbsSkinCustomOfficeComboBox::ListBoxWindowProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        FLBDown = true;
        WasInLB = true;
        SetCapture(Handle());
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return;
    case WM_MOUSEACTIVATE:
        FListBoxWindowProc(m);
        m.Result = MA_NOACTIVATE;
        return;
    default: FListBoxWindowProc(m);
    }
}

void TbsSkinCustomOfficeComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (!Focused() && CanFocus()) SetFocus();
    if (button != mbLeft) return;
    const TPoint pt(x, y);
    if (Button.MouseIn || IsPointInRect(CBItem.R, pt) || IsPointInRect(Button.R, pt) || FToolButtonStyle) {
        Button.Down = true;
        Invalidate();
        if (!FListBox->Visible()) {
            WasInLB = false;
            FLBDown = true;
            DropDown();
        } else {
            CloseUp(false);
        }
    } else if (FListBox->Visible()) {
        CloseUp(false);
    }
}

void TbsSkinCustomOfficeComboBox::MouseMove(TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseMove(shift, x, y);
    if (FListBox->Visible()) TrackListBox();
    const bool in = IsPointInRect(Button.R, TPoint(x, y));
    if (in != Button.MouseIn) {
        Button.MouseIn = in;
        Invalidate();
    }
}

void TbsSkinCustomOfficeComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (FLBDown && WasInLB) {
        ReleaseCapture();
        FLBDown = false;
        POINT p;
        GetCursorPos(&p);
        CloseUp(FListBox->HandleAllocated() && WindowFromPoint(p) == FListBox->Handle());
    } else {
        FLBDown = false;
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
    if (Button.Down) {
        Button.Down = false;
        Invalidate();
    }
}

void TbsSkinCustomOfficeComboBox::TrackListBox() {
    POINT sp;
    GetCursorPos(&sp);
    const TPoint p = FListBox->ScreenToClient(TPoint(sp.x, sp.y));
    const bool bar = FListBox->ScrollBar() != nullptr;
    if (p.y < 0) {
        if (bar && WasInLB) StartTimer(1);
    } else if (p.y > FListBox->Height()) {
        if (bar && WasInLB) StartTimer(2);
    } else {
        StopTimer();
        FListBox->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        WasInLB = true;
        if (!FLBDown) {
            FLBDown = true;
            WasInLB = false;
        }
    }
}

void TbsSkinCustomOfficeComboBox::StartTimer(int mode) {
    if (TimerMode == mode) return;
    TimerMode = mode;
    platform::KillWindowTimer(Handle(), bsBoxTimerId);
    platform::SetWindowTimer(Handle(), bsBoxTimerId, bsDropDownScrollMs);
}

void TbsSkinCustomOfficeComboBox::StopTimer() {
    if (TimerMode != 0 && HandleAllocated()) platform::KillWindowTimer(Handle(), bsBoxTimerId);
    TimerMode = 0;
}

bool TbsSkinCustomOfficeComboBox::DoKeyDown(WORD& key, TShiftState shift) {
    if (TbsSkinCustomControl::DoKeyDown(key, shift)) return true;
    const bool alt = (shift & ssAlt) != 0;
    switch (key) {
    case VK_RETURN:
        if (IsPopupVisible()) CloseUp(true);
        break;
    case VK_ESCAPE:
        if (IsPopupVisible()) CloseUp(false);
        break;
    case VK_PRIOR: SelectPageUp(true); break;
    case VK_NEXT: SelectPageDown(true); break;
    case VK_UP:
    case VK_LEFT:
        if (!alt) SelectUp(true);
        else if (IsPopupVisible()) CloseUp(false);
        break;
    case VK_DOWN:
    case VK_RIGHT:
        if (!alt) SelectDown(true);
        else if (!IsPopupVisible()) DropDown();
        break;
    default: break;
    }
    return false;
}

void TbsSkinCustomOfficeComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        // From outside the own painting: the face straight into that context.
        if (!FromWMPaint && m.WParam) PaintWindow(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS;
        return;
    case CM_WANTSPECIALKEY:
        TbsSkinCustomControl::WndProc(m);
        if (m.WParam >= VK_LEFT && m.WParam <= VK_DOWN) m.Result = 1;
        return;
    case WM_SYSKEYDOWN:
        // Alt with an arrow reaches the key handling like any other key.
        if (m.WParam >= VK_LEFT && m.WParam <= VK_DOWN) {
            WORD key = static_cast<WORD>(m.WParam);
            DoKeyDown(key, KeyboardShiftState() | ssAlt);
            return;
        }
        break;
    case WM_MOUSEWHEEL: {
        TbsSkinCustomControl::WndProc(m);
        const int delta = static_cast<short>(HIWORD(m.WParam));
        if (delta > 0) SelectUp(!IsPopupVisible());
        else SelectDown(!IsPopupVisible());
        m.Result = 0;
        return;
    }
    case WM_SETFOCUS:
        TbsSkinCustomControl::WndProc(m);
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TbsSkinCustomControl::WndProc(m);
        if (IsPopupVisible()) CloseUp(false);
        Invalidate();
        return;
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(m);
        if (m.WParam == bsBoxTimerId) {
            if (TimerMode == 1) FListBox->FindUp();
            else if (TimerMode == 2) FListBox->FindDown();
        }
        return;
    case CM_CANCELMODE: {
        TbsSkinCustomControl::WndProc(m);
        auto* sender = reinterpret_cast<TControl*>(m.LParam);
        if (sender != this && sender != FListBox && (!sender || sender != FListBox->ScrollBar())) CloseUp(false);
        return;
    }
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(m);
        Invalidate();
        return;
    case CM_MOUSEENTER:
        TbsSkinCustomControl::WndProc(m);
        FMouseIn = true;
        if ((FIndex != -1 && !IsNullRect(ActiveSkinRect)) || FToolButtonStyle) Invalidate();
        return;
    case CM_MOUSELEAVE:
        TbsSkinCustomControl::WndProc(m);
        FMouseIn = false;
        if (Button.MouseIn) {
            Button.MouseIn = false;
            Invalidate();
        }
        if ((FIndex != -1 && !IsNullRect(ActiveSkinRect)) || FToolButtonStyle) Invalidate();
        return;
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(m);
        CalcRects();
        return;
    default: break;
    }
    TbsSkinCustomControl::WndProc(m);
}

// ---- skin and face -------------------------------------------------------------------------------

void TbsSkinCustomOfficeComboBox::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    if (auto* r = dynamic_cast<TbsDataSkinComboBox*>(SkinRecord())) {
        ActiveSkinRect = r->ActiveSkinRect;
        SItemRect = r->SItemRect;
        FocusItemRect = IsNullRect(r->FocusItemRect) ? r->SItemRect : r->FocusItemRect;
        ActiveItemRect = r->ActiveItemRect;
        ItemTextRect = r->ItemTextRect;
        ItemLeftOffset = r->ItemLeftOffset;
        ItemRightOffset = r->ItemRightOffset;
        FontName = r->FontName;
        FontStyle = r->FontStyle;
        FontHeight = r->FontHeight;
        FontColor = r->FontColor;
        FocusFontColor = r->FocusFontColor;
        ActiveFontColor = r->ActiveFontColor;
        ButtonRectSkin = r->ButtonRect;
        ActiveButtonRect = r->ActiveButtonRect;
        DownButtonRect = r->DownButtonRect;
        UnEnabledButtonRect = r->UnEnabledButtonRect;
        ListBoxName = r->ListBoxName;
        ItemStretchEffect = r->ItemStretchEffect;
        FocusItemStretchEffect = r->FocusItemStretchEffect;
        ShowFocus = r->ShowFocus;
    }
}

void TbsSkinCustomOfficeComboBox::ChangeSkinData() {
    TbsSkinCustomControl::ChangeSkinData();
    CalcRects();
    Invalidate();
    FListBox->SetSkinDataName(FIndex == -1 ? String() : FListBox->SkinDataName());
    FListBox->SetSkinData(FSD);
    CalcRects();
}

void TbsSkinCustomOfficeComboBox::CalcSize(int& w, int& h) {
    if (UseSkinSize) {
        TbsSkinCustomControl::CalcSize(w, h);
        return;
    }
    NewLTPoint = LTPt;
    NewRTPoint = TPoint(RTPt.x + w - SkinRect.Width(), RTPt.y);
    NewClRect = ClRect;
    NewClRect.right += w - SkinRect.Width();
}

void TbsSkinCustomOfficeComboBox::SetControlRegion() {
    if (UseSkinSize) TbsSkinCustomControl::SetControlRegion();
}

void TbsSkinCustomOfficeComboBox::CalcRects() {
    const int w = Width(), h = Height();
    if (FIndex == -1 || FToolButtonStyle) {
        Button.R = TRect(w - 19, 2, w - 2, h - 2);
        CBItem.R = TRect(2, 2, Button.R.left - 1, h - 2);
        return;
    }
    Button.R = ButtonRectSkin;
    const int dw = w - SkinRect.Width();
    if (ButtonRectSkin.left >= SkinRect.Width() - RTPt.x) {
        Button.R.left += dw;
        Button.R.right += dw;
    }
    CBItem.R = ClRect;
    CBItem.R.right += dw;
    if (!UseSkinSize) {
        Button.R.bottom += h - SkinRect.Height();
        CBItem.R.bottom += h - SkinRect.Height();
    }
}
