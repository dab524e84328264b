#include "skin/boxes/bsSkinComboBox.h"

#include <algorithm>
#include <utility>

#include "platform/Clock.h"
#include "platform/FreeWatch.h"
#include "platform/Owners.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtilsImages.h"
#include "skin/frame/bsSkinFrameWalk.h"

TbsSkinCustomComboBox::TbsSkinCustomComboBox(TComponent* owner) : TbsSkinCustomControl(owner) {
    bsRegisterDropDownClass(&bsIsOfClass<TbsSkinCustomComboBox>);
    SetTabStop(true);
    ControlStyle = csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks | csReplicatable;
    Font()->SetName(L"Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    Font()->SetStyle(0);
    SetBounds(Left(), Top(), 120, 20);
    FSkinDataName = L"combobox";
    MakeListBox();
    CalcRects();
}

void TbsSkinCustomComboBox::MakeListBox() {
    FListBox = new TbsPopupListBox(this);
    FListBox->SetVisible(false);
    FListBox->ListBox->SetTabStop(false);
    FListBox->OnListBoxMouseMove = [this](TObject*, TShiftState, int x, int y) {
        const int i = FListBox->ItemAtPos(TPoint(x, y), true);
        if (i >= 0) FListBox->SetItemIndex(i);
    };
    FListBoxWindowProc = FListBox->ListBox->WindowProc;
    FListBox->ListBox->WindowProc = [this](TMessage& m) { ListBoxWindowProc(m); };
    FListBox->OnCheckButtonClick = [this](TObject*) { CloseUp(true); };
    // The list keeps its selection in its window: make it now.
    FListBox->ListBox->HandleNeeded();
}

TbsSkinCustomComboBox::~TbsSkinCustomComboBox() {
    StopTimer();
    delete FEdit;
    FEdit = nullptr;
    delete std::exchange(FListBox, nullptr);
}

void TbsSkinCustomComboBox::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomControl::Notification(component, op);
    // Freed by another (say while it faded in): the combo goes on with an
    // empty list.
    if (op == opRemove && component == FListBox && FListBox) {
        FDropDown = false;
        if (Has(csDestroying)) FListBox = nullptr;
        else MakeListBox();
    }
}

void TbsSkinCustomComboBox::Invalidate() {
    TbsSkinCustomControl::Invalidate();
    if (FEdit && FIndex != -1) FEdit->Invalidate();
}

void TbsSkinCustomComboBox::SetText(const String& v) { TbsSkinCustomControl::SetText(v); }

// ---- the event rule ------------------------------------------------------------------------------

void TbsSkinCustomComboBox::SetItemIndex(int value) {
    FListBox->SetItemIndex(value);
    const int i = FListBox->ItemIndex();
    if (FListBox->Items()->Count() > 0 && i != -1) SetText(FListBox->Items()->Get(i));
    FOldItemIndex = i;
    if (!FEdit) Invalidate();
    if (Has(csLoading) || Has(csDesigning)) return;
    if (OnClick) OnClick(this);
    Change();
}

void TbsSkinCustomComboBox::TextChanged() {
    if (FEdit && !FromEdit) FEdit->SetText(GetText());
    if (OnChange) OnChange(this);
    if (FromEdit) Change();
}

// ---- drop-down -------------------------------------------------------------------------------------

bool TbsSkinCustomComboBox::CanCancelDropDown() {
    if (!IsPopupVisible()) return false;
    POINT p;
    GetCursorPos(&p);
    return WindowFromPoint(p) != Handle();
}

void TbsSkinCustomComboBox::DropDown() {
    const int count = FListBox->Items()->Count();
    if (count == 0) return;
    WasInLB = false;
    StopTimer();
    if (OnDropDown) OnDropDown(this);
    const int w = ListBoxWidth > 0 ? ListBoxWidth : Width();
    FListBox->SetBounds(FListBox->Left(), FListBox->Top(), w, FListBox->Height());
    FListBox->SetRowCount(std::min(count, FDropDownCount));
    TPoint p = ClientToScreen(TPoint(0, Height()));
    TRect work;
    GetMonitorWorkArea(Handle(), true, work);
    if (p.y + FListBox->Height() > work.bottom) p.y = p.y - Height() - FListBox->Height();
    if (FEdit) FEdit->SetFocus();
    FOldItemIndex = FListBox->ItemIndex();
    if (FOldItemIndex == 0 && count > 1) {
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle) Invalidate();
    FListBox->SetTopIndex(FListBox->ItemIndex());
    // The drop-down belongs to the combo's window (it stays above it).
    SetWindowLongPtrW(FListBox->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Handle()));
    FListBox->SetSkinData(FSD);
    FListBox->Show(p);
}

void TbsSkinCustomComboBox::CloseUp(bool value) {
    StopTimer();
    if (FListBox->Visible()) FListBox->Hide();
    const int i = FListBox->ItemIndex();
    if (i < 0) {
        FListBox->SetItemIndex(FOldItemIndex);
    } else if (value && i < FListBox->Items()->Count()) {
        const String s = FListBox->Items()->Get(i);
        if (FEdit) {
            FEdit->SetText(s);
            FEdit->SelectAll();
        } else {
            SetText(s);
            Invalidate();
        }
        FOldItemIndex = i;
        if (OnClick) OnClick(this);
        Change();
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    Invalidate();
    if (value && OnCloseUp) OnCloseUp(this);
}

void TbsSkinCustomComboBox::StartTimer(int mode) {
    if (TimerMode == mode) return;
    TimerMode = mode;
    platform::KillWindowTimer(Handle(), bsBoxTimerId);
    platform::SetWindowTimer(Handle(), bsBoxTimerId, bsDropDownScrollMs);
}

void TbsSkinCustomComboBox::StopTimer() {
    if (TimerMode != 0 && HandleAllocated()) platform::KillWindowTimer(Handle(), bsBoxTimerId);
    TimerMode = 0;
}

void TbsSkinCustomComboBox::TrackListBox() {
    POINT sp;
    GetCursorPos(&sp);
    const TPoint p = FListBox->ListBox->ScreenToClient(TPoint(sp.x, sp.y));
    const int h = FListBox->ListBox->Height();
    const bool bar = FListBox->ScrollBar != nullptr;
    if (p.y < 0) {
        if (bar && WasInLB) StartTimer(1);
    } else if (p.y > h) {
        if (bar && WasInLB) StartTimer(2);
    } else {
        StopTimer();
        const int i = FListBox->ItemAtPos(TPoint(1, p.y), true);
        if (i >= 0) FListBox->SetItemIndex(i);
        WasInLB = true;
    }
}

void TbsSkinCustomComboBox::ListBoxWindowProc(TMessage& m) {
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
        m.Result = MA_NOACTIVATE;
        FListBoxWindowProc(m);
        m.Result = MA_NOACTIVATE;
        return;
    default: FListBoxWindowProc(m);
    }
}

bool TbsSkinCustomComboBox::ClosesOnCancel(TControl* sender) const {
    return sender != this && sender != FListBox && sender != FListBox->ListBox &&
           (sender == nullptr || sender != FListBox->ScrollBar);
}

// ---- mouse ---------------------------------------------------------------------------------------

void TbsSkinCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (!FEdit && CanFocus() && !Focused()) SetFocus();
    if (button != mbLeft) return;
    const TPoint pt(x, y);
    if (Button.MouseIn || IsPointInRect(Button.R, pt) || (!FEdit && IsPointInRect(CBItem.R, pt)) ||
        FToolButtonStyle) {
        Button.Down = true;
        Invalidate();
        if (!FListBox->Visible()) {
            WasInLB = false;
            FLBDown = true;
            const TFreeWatch watch{this};
            DropDown();
            // Opening may run messages that free the combo.
            if (watch.Freed()) return;
            SetCapture(Handle());
        } else {
            CloseUp(false);
        }
    } else if (FListBox->Visible()) {
        CloseUp(false);
    }
}

void TbsSkinCustomComboBox::MouseMove(TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseMove(shift, x, y);
    if (FLBDown && FListBox->Visible()) {
        TrackListBox();
        return;
    }
    const bool in = IsPointInRect(Button.R, TPoint(x, y));
    if (in != Button.MouseIn) {
        Button.MouseIn = in;
        Invalidate();
    }
}

void TbsSkinCustomComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (FLBDown && WasInLB) {
        ReleaseCapture();
        FLBDown = false;
        POINT p;
        GetCursorPos(&p);
        CloseUp(FListBox->ListBox->HandleAllocated() && WindowFromPoint(p) == FListBox->ListBox->Handle());
    } else {
        FLBDown = false;
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
    if (Button.Down) {
        Button.Down = false;
        Invalidate();
    }
}

// ---- keys ----------------------------------------------------------------------------------------

bool TbsSkinCustomComboBox::DoKeyDown(WORD& key, TShiftState shift) {
    if (TbsSkinCustomControl::DoKeyDown(key, shift)) return true;
    if (FEdit) return false;
    const bool alt = (shift & ssAlt) != 0;
    const int count = FListBox->Items()->Count();
    const int i = ItemIndex();
    switch (key) {
    case VK_RETURN:
        if (IsPopupVisible()) CloseUp(true);
        break;
    case VK_ESCAPE:
        if (IsPopupVisible()) CloseUp(false);
        break;
    case VK_PRIOR:
        // One page less one row, the same way as PgDn.
        SetItemIndex(std::max(0, i - (FDropDownCount - 1)));
        break;
    case VK_NEXT: SetItemIndex(std::min(count - 1, i + FDropDownCount - 1)); break;
    case VK_LEFT:
    case VK_UP:
        if (alt) {
            if (IsPopupVisible()) CloseUp(false);
        } else if (i > 0) {
            SetItemIndex(i - 1);
        }
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (alt) {
            if (!IsPopupVisible()) DropDown();
        } else if (i < count - 1) {
            SetItemIndex(i + 1);
        }
        break;
    default: break;
    }
    return false;
}

bool TbsSkinCustomComboBox::DoKeyPress(wchar_t& key) {
    if (TbsSkinCustomControl::DoKeyPress(key)) return true;
    if (!FEdit && key >= 32) FindListItem(key);
    return false;
}

int TbsSkinCustomComboBox::FindString(const String& s, int after) {
    return static_cast<int>(
        SendMessageW(FListBox->ListBox->Handle(), LB_FINDSTRING, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(s.c_str())));
}

void TbsSkinCustomComboBox::FindListItem(wchar_t key) {
    String search;
    if (AutoComplete) {
        const DWORD now = platform::TickCount();
        if (now - FLastTime >= 500) FFilter.clear();
        FLastTime = now;
        FFilter += key;
        search = FFilter;
    } else {
        search = String(1, key);
    }
    if (search.empty()) return;
    const int hit = FindString(search, search.size() == 1 ? ItemIndex() : -1);
    if (hit != LB_ERR) SetItemIndex(hit);
}

// ---- edit style -------------------------------------------------------------------------------

void TbsSkinCustomComboBox::SetStyle(TbsSkinCustomComboBoxStyle v) {
    FStyle = v;
    if (v == bscbEditStyle) {
        if (!FEdit) CreateEditControl();
        FEdit->SetTabStop(TabStop());
        SetTabStop(false);
        FEdit->SetText(GetText());
        if (Focused()) FEdit->SetFocus();
    } else if (FEdit) {
        TbsCustomEdit* e = FEdit;
        FEdit = nullptr;
        e->SetVisible(false);
        delete e;
    }
    CalcRects();
    Invalidate();
}

void TbsSkinCustomComboBox::CreateEditControl() {
    FEdit = FNumEdit ? new TbsSkinNumEdit(this) : new TbsCustomEdit(this);
    FEdit->SetParent(this);
    FEdit->SetColor(FDefaultColor);
    FEdit->HideSelection = HideSelection;
    FEdit->SetVisible(true);
    FEdit->OnChange = [this](TObject*) { EditChange(); };
    FEditWindowProc = FEdit->WindowProc;
    FEdit->WindowProc = [this](TMessage& m) { EditWndProc(m); };
    FEdit->OnEditCancelMode = [this](TControl* c) {
        if (c != this && c != FListBox && c != FListBox->ListBox && c != FListBox->ScrollBar) CloseUp(false);
    };
    FEdit->OnKeyDown = [this](TObject*, WORD& k, TShiftState s) {
        if (OnKeyDown) OnKeyDown(this, k, s);
    };
    FEdit->OnKeyPress = [this](TObject*, wchar_t& k) {
        if (OnKeyPress) OnKeyPress(this, k);
    };
    FEdit->OnKeyUp = [this](TObject*, WORD& k, TShiftState s) {
        if (OnKeyUp) OnKeyUp(this, k, s);
    };
    FEdit->SetCharCase(FCharCase);
    FEdit->Font()->Assign(Font());
    FEdit->SetEditTransparent(FIndex != -1);
    FEdit->HandleNeeded();
    CalcRects();
}

void TbsSkinCustomComboBox::EditChange() {
    FromEdit = true;
    const String t = FEdit->GetText();
    if (!t.empty()) {
        const int hit = FindString(t, -1);
        if (hit != LB_ERR) {
            if (AutoComplete) SendMessageW(FListBox->ListBox->Handle(), LB_SETCURSEL, static_cast<WPARAM>(hit), 0);
            else SendMessageW(FListBox->ListBox->Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(hit), 0);
        }
    }
    SetText(t);
    FromEdit = false;
}

void TbsSkinCustomComboBox::EditAutoComplete() {
    const DWORD now = platform::TickCount();
    if (now - FLastTime <= 200) return;
    FLastTime = now;
    const String old = GetText();
    if (old.empty()) return;
    const int hit = FindString(old, old.size() == 1 ? ItemIndex() : -1);
    if (hit == LB_ERR) return;
    SetItemIndex(hit);
    SetSelStart(static_cast<int>(old.size()));
    SetSelLength(static_cast<int>(GetText().size() - old.size()));
}

void TbsSkinCustomComboBox::EditUp(bool flag) {
    const int i = ItemIndex();
    if (i > 0) SetItemIndex(i - 1);
    if (flag && ItemIndex() >= 0) {
        SetText(FListBox->Items()->Get(ItemIndex()));
        FEdit->SelectAll();
        if (OnClick) OnClick(this);
    }
}

void TbsSkinCustomComboBox::EditDown(bool flag) {
    const int i = ItemIndex();
    if (i < FListBox->Items()->Count() - 1) FListBox->SetItemIndex(i + 1);
    if (flag && ItemIndex() >= 0) {
        SetText(FListBox->Items()->Get(ItemIndex()));
        FEdit->SelectAll();
        if (OnClick) OnClick(this);
    }
}

int TbsSkinCustomComboBox::TextCharset() {
    if (FSD && FSD->ResourceStrData()) return FSD->ResourceStrData()->CharSet;
    return DefaultFont()->Charset();
}

// Key release in the edit. With a Japanese or Chinese character set the
// release of a character key first drops the selected (completed) part, as
// the input method brings the typed text after it; keys that produce no
// character (below the 0 key: arrows, paging, modifiers, Delete, Backspace)
// pass on plainly there, so a choice made with the arrows keeps its text.
void TbsSkinCustomComboBox::EditKeyUp(TMessage& m) {
    const int cs = TextCharset();
    const bool cjk = cs == SHIFTJIS_CHARSET || cs == GB2312_CHARSET || cs == CHINESEBIG5_CHARSET;
    const bool characterKey = m.WParam >= 0x30;
    if (cjk && characterKey) {
        FEdit->ClearSelection();
        FEditWindowProc(m);
        if (AutoComplete) EditAutoComplete();
        return;
    }
    FEditWindowProc(m);
    if (!cjk && m.Msg == WM_KEYUP && characterKey && AutoComplete) EditAutoComplete();
}

void TbsSkinCustomComboBox::EditWndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_KILLFOCUS:
        if (IsPopupVisible()) CloseUp(false);
        break;
    case WM_KEYDOWN: {
        const int count = FListBox->Items()->Count();
        const int i = FListBox->ItemIndex();
        switch (m.WParam) {
        case VK_RETURN:
            if (IsPopupVisible()) CloseUp(true);
            break;
        case VK_ESCAPE:
            if (IsPopupVisible()) CloseUp(false);
            break;
        case VK_PRIOR:
            if (IsPopupVisible()) FListBox->SetItemIndex(std::max(0, i - (FDropDownCount - 1)));
            break;
        case VK_NEXT:
            if (IsPopupVisible()) FListBox->SetItemIndex(std::min(count - 1, i + FDropDownCount - 1));
            break;
        case VK_UP: EditUp(true); return;
        case VK_DOWN: EditDown(true); return;
        default: break;
        }
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: EditKeyUp(m); return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (IsPopupVisible()) CloseUp(false);
        break;
    case WM_MOUSEWHEEL:
        if (static_cast<short>(HIWORD(m.WParam)) > 0) EditUp(!IsPopupVisible());
        else EditDown(!IsPopupVisible());
        return;
    default: break;
    }
    FEditWindowProc(m);
}

int TbsSkinCustomComboBox::SelStart() { return FEdit ? FEdit->SelStart() : 0; }
void TbsSkinCustomComboBox::SetSelStart(int v) {
    if (FEdit) FEdit->SetSelStart(v);
}
int TbsSkinCustomComboBox::SelLength() { return FEdit ? FEdit->SelLength() : 0; }
void TbsSkinCustomComboBox::SetSelLength(int v) {
    if (FEdit) FEdit->SetSelLength(v);
}

void TbsSkinCustomComboBox::SetToolButtonStyle(bool v) {
    if (v == FToolButtonStyle) return;
    FToolButtonStyle = v;
    if (v) {
        SetStyle(bscbFixedStyle);
        UseSkinSize = false;
    }
    Invalidate();
}

void TbsSkinCustomComboBox::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex == -1) {
        Invalidate();
        if (FEdit) FEdit->SetColor(v);
    }
}

void TbsSkinCustomComboBox::SetCharCase(TEditCharCase v) {
    FCharCase = v;
    if (FEdit) FEdit->SetCharCase(v);
}

// ---- messages ------------------------------------------------------------------------------------

// An erase request from outside the combo's own painting (a parent or a
// transparent neighbour taking its picture): the combo paints itself, and
// its edit at the edit's place, into the given context.
void TbsSkinCustomComboBox::PaintToEraseDC(HDC dc) {
    PaintWindow(dc);
    if (!FEdit || !FEdit->HandleAllocated() || !FEdit->Visible()) return;
    platform::SavedDC saved(dc);
    POINT old{};
    OffsetViewportOrgEx(dc, FEdit->Left(), FEdit->Top(), &old);
    IntersectClipRect(dc, 0, 0, FEdit->Width(), FEdit->Height());
    SendMessageW(FEdit->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void TbsSkinCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (!FromWMPaint && m.WParam) PaintToEraseDC(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(m);
        TextChanged();
        return;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case CM_WANTSPECIALKEY:
        if (m.WParam >= VK_LEFT && m.WParam <= VK_DOWN) {
            m.Result = 1;
            return;
        }
        break;
    case WM_SYSKEYDOWN:
        if (m.WParam >= VK_LEFT && m.WParam <= VK_DOWN) {
            WORD key = static_cast<WORD>(m.WParam);
            DoKeyDown(key, KeyboardShiftState() | ssAlt);
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        if (!FEdit) {
            const int delta = static_cast<short>(HIWORD(m.WParam));
            const int i = FListBox->ItemIndex(), count = FListBox->Items()->Count();
            const int next = delta > 0 ? (i > 0 ? i - 1 : -2) : (i < count - 1 ? i + 1 : -2);
            if (next != -2) {
                if (IsPopupVisible()) FListBox->SetItemIndex(next);
                else SetItemIndex(next);
            }
            m.Result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
        if (FEdit) {
            FEdit->SetFocus();
            return;
        }
        TbsSkinCustomControl::WndProc(m);
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TbsSkinCustomControl::WndProc(m);
        if (!FEdit && IsPopupVisible()) CloseUp(false);
        Invalidate();
        return;
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(m);
        if (m.WParam == bsBoxTimerId) {
            const int i = FListBox->ItemIndex();
            if (TimerMode == 1 && i >= 1) FListBox->SetItemIndex(i - 1);
            else if (TimerMode == 2 && i < FListBox->Items()->Count() - 1) FListBox->SetItemIndex(i + 1);
        }
        return;
    case CM_CANCELMODE:
        TbsSkinCustomControl::WndProc(m);
        if (ClosesOnCancel(reinterpret_cast<TControl*>(m.LParam))) CloseUp(false);
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(m);
        if (FEdit) FEdit->Font()->SetColor(Enabled() ? (FIndex == -1 ? DefaultFont()->Color() : FontColor)
                                                     : TColor(clGrayText));
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
    case CM_PAINTTODC:
        if (m.LParam == bsPaintToDCKey) {
            PaintTo(reinterpret_cast<HDC>(m.WParam), 0, 0);
            m.Result = bsPaintToDCKey;
            return;
        }
        break;
    default: break;
    }
    TbsSkinCustomControl::WndProc(m);
}

// ---- skin and face -------------------------------------------------------------------------------

void TbsSkinCustomComboBox::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    auto* r = dynamic_cast<TbsDataSkinComboBox*>(SkinRecord());
    if (!r) return;
    ActiveSkinRect = r->ActiveSkinRect;
    SItemRect = r->SItemRect;
    FocusItemRect = r->FocusItemRect;
    ActiveItemRect = r->ActiveItemRect;
    ItemTextRect = r->ItemTextRect;
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
    ItemLeftOffset = r->ItemLeftOffset;
    ItemRightOffset = r->ItemRightOffset;
    ItemStretchEffect = r->ItemStretchEffect;
    FocusItemStretchEffect = r->FocusItemStretchEffect;
    ShowFocus = r->ShowFocus;
}

void TbsSkinCustomComboBox::ChangeSkinData() {
    TbsSkinCustomControl::ChangeSkinData();
    CalcRects();
    if (FEdit) {
        if (FIndex != -1 && UseSkinFont) {
            FEdit->Font()->SetName(FontName);
            FEdit->Font()->SetStyle(FontStyle);
            FEdit->Font()->SetHeight(FontHeight);
            FEdit->Font()->SetColor(FontColor);
        } else {
            FEdit->Font()->Assign(DefaultFont());
        }
        FEdit->SetEditTransparent(FIndex != -1);
    }
    FListBox->SetSkinDataName(FIndex != -1 ? ListBoxName : String());
    FListBox->SetSkinData(FSD);
    FListBox->UpDateScrollBar();
    CalcRects();
    Invalidate();
}

void TbsSkinCustomComboBox::CalcSize(int& w, int& h) {
    if (UseSkinSize) {
        TbsSkinCustomControl::CalcSize(w, h);
        return;
    }
    NewLTPoint = LTPt;
    NewRTPoint = TPoint(RTPt.x + w - SkinRect.Width(), RTPt.y);
    NewClRect = ClRect;
    NewClRect.right += w - SkinRect.Width();
}

void TbsSkinCustomComboBox::SetControlRegion() {
    if (UseSkinSize) TbsSkinCustomControl::SetControlRegion();
}

void TbsSkinCustomComboBox::CalcRects() {
    const int w = Width(), h = Height();
    if (FIndex == -1 || FToolButtonStyle) {
        Button.R = TRect(w - 19, 2, w - 2, h - 2);
        CBItem.R = TRect(2, 2, Button.R.left - 1, h - 2);
    } else {
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
    if (FEdit) {
        TEXTMETRICW tm{};
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, FEdit->Font()->Handle());
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        const int eh = tm.tmHeight;
        FEdit->SetBounds(CBItem.R.left, CBItem.R.top + CBItem.R.Height() / 2 - eh / 2, CBItem.R.Width(), eh);
    }
}
