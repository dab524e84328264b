#include "skin/boxes/bsSkinBoxCtrls.h"

#include <algorithm>

#include "platform/Clock.h"
#include "platform/ImgList.h"
#include "platform/Owners.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtilsImages.h"
#include "skin/boxes/bsSkinComboBox.h"

// ---- TbsListBox --------------------------------------------------------------------------------

TbsListBox::TbsListBox(TComponent* owner) : TListBox(owner) {
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    BorderStyleSingle = false;
    SetStyle(lbOwnerDrawFixed);
}

void TbsListBox::CreateParams(TCreateParams& p) {
    TListBox::CreateParams(p);
    p.Style &= ~WS_BORDER;
    p.ExStyle &= ~WS_EX_CLIENTEDGE;
    p.ClassStyle = CS_DBLCLKS;
    p.Style |= WS_TABSTOP;
}

void TbsListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (SkinListBox) SkinListBox->DrawRow(Canvas(), index, rect, state);
    else TListBox::DrawItem(index, rect, state);
}

void TbsListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (SkinListBox) SkinListBox->ListBoxMouseDown(button, shift, x, y);
    TListBox::MouseDown(button, shift, x, y);
}
void TbsListBox::MouseMove(TShiftState shift, int x, int y) {
    if (SkinListBox) SkinListBox->ListBoxMouseMove(shift, x, y);
    TListBox::MouseMove(shift, x, y);
}
void TbsListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (SkinListBox) SkinListBox->ListBoxMouseUp(button, shift, x, y);
    TListBox::MouseUp(button, shift, x, y);
}
void TbsListBox::Click() {
    if (SkinListBox) SkinListBox->ListBoxClick();
    TListBox::Click();
}
bool TbsListBox::DoKeyDown(WORD& key, TShiftState shift) {
    if (SkinListBox) SkinListBox->ListBoxKeyDown(key, shift);
    // Left and right scroll sideways while the horizontal bar is there.
    if (SkinListBox && SkinListBox->HScrollBar && (key == VK_LEFT || key == VK_RIGHT)) {
        TbsSkinScrollBar* bar = SkinListBox->HScrollBar;
        const int step = bar->SmallChange();
        bar->SetPosition(bar->Position() + (key == VK_LEFT ? -step : step));
        key = 0;
    }
    return key == 0 || TListBox::DoKeyDown(key, shift);
}
bool TbsListBox::DoKeyPress(wchar_t& key) {
    if (SkinListBox) SkinListBox->ListBoxKeyPress(key);
    return key == 0 || TListBox::DoKeyPress(key);
}
bool TbsListBox::DoKeyUp(WORD& key, TShiftState shift) {
    if (SkinListBox) SkinListBox->ListBoxKeyUp(key, shift);
    return key == 0 || TListBox::DoKeyUp(key, shift);
}
void TbsListBox::DoEnter() {
    if (SkinListBox) SkinListBox->ListBoxEnter();
    TListBox::DoEnter();
}
void TbsListBox::DoExit() {
    if (SkinListBox) SkinListBox->ListBoxExit();
    TListBox::DoExit();
}
void TbsListBox::CreateWnd() {
    TListBox::CreateWnd();
    if (SkinListBox) SkinListBox->ListBoxCreateWnd();
}

void TbsListBox::WndProc(TMessage& m) {
    if (SkinListBox) {
        bool cont = true;
        SkinListBox->ListBoxWProc(m, cont);
        if (!cont) return;
    }
    switch (m.Msg) {
    case WM_NCCALCSIZE:
        // The native border and scroll bars take no room.
        m.Result = 0;
        return;
    case CM_PAINTFRAMETODC:
        m.Result = bsPaintFrameAnswer;
        return;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (SkinListBox) {
            platform::PaintScope paint(Handle(), m.WParam);
            PaintRows(paint.DC());
            m.Result = 0;
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (SkinListBox) {
            m.Result = 1;
            SkinListBox->UpDateScrollBar();
            return;
        }
        break;
    case CM_PAINTEMPTYLISTTODC:
        if (Count() == 0 && m.LParam == bsPaintToDCKey) {
            if (m.WParam) {
                TCanvas c;
                c.SetHandle(reinterpret_cast<HDC>(m.WParam));
                const TRect all(0, 0, Width(), Height());
                if (SkinListBox) {
                    SkinListBox->PaintListBackground(&c, all);
                } else {
                    // A list without its frame has the plain background.
                    c.Brush()->SetColor(clWindow);
                    c.FillRect(all);
                }
                c.SetHandle(nullptr);
            }
            m.Result = bsPaintToDCKey;
            return;
        }
        break;
    default: break;
    }
    TListBox::WndProc(m);
    if (!SkinListBox) return;
    switch (m.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT: SkinListBox->UpDateScrollBar(); break;
    case WM_LBUTTONDBLCLK: SkinListBox->ListBoxDblClick(); break;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(m.WParam));
        if (SkinListBox->ScrollBar) {
            SendMessageW(Handle(), WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
            SkinListBox->UpDateScrollBar();
        } else if (TbsSkinScrollBar* bar = SkinListBox->HScrollBar) {
            bar->SetPosition(bar->Position() + (delta > 0 ? -bar->SmallChange() : bar->SmallChange()));
        }
        break;
    }
    default: break;
    }
}

void TbsListBox::PaintRows(HDC dc) {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    platform::SavedDC saved(dc);
    TCanvas c;
    c.SetHandle(dc);
    const int ih = std::max(1, ItemHeight());
    const int top = std::max(0, TopIndex());
    const bool columns = Columns() > 0;
    const int last = std::min(Count() - 1, columns ? top + (h / ih) * Columns() : top + h / ih);
    const int current = ItemIndex();
    const bool focused = GetFocus() == Handle();
    int bottom = 0;
    for (int i = top; i <= last; ++i) {
        const TRect r = ItemRect(i);
        TOwnerDrawState state = 0;
        if (i == current) state = focused ? TOwnerDrawState(odSelected | odFocused) : TOwnerDrawState(odSelected);
        else if (MultiSelect() && SelCount() >= 1 && Selected(i)) state = odSelected;
        SkinListBox->DrawRow(&c, i, r, state);
        bottom = r.bottom;
    }
    if (!columns && bottom < h) SkinListBox->PaintListBackground(&c, TRect(0, bottom, w, h));
    c.SetHandle(nullptr);
}

// ---- TbsSkinCustomListBox ----------------------------------------------------------------------

TbsSkinCustomListBox::TbsSkinCustomListBox(TComponent* owner) : TbsSkinCustomControl(owner) {
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks | csReplicatable;
    Font()->SetName(L"Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    FDefaultCaptionFont.SetName(L"Arial");
    FDefaultCaptionFont.SetHeight(14);
    SetBounds(Left(), Top(), 120, 120);
    FSkinDataName = L"listbox";
    ListBox = new TbsListBox(this);
    ListBox->SetParent(this);
    ListBox->SkinListBox = this;
    ListBox->SetItemHeight(FDefaultItemHeight);
    LayoutListBox();
}

TbsSkinCustomListBox::~TbsSkinCustomListBox() {
    StopTimer();
    if (ListBox) ListBox->SkinListBox = nullptr;
}

void TbsSkinCustomListBox::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomControl::Notification(component, op);
    if (op != opRemove) return;
    if (component == FImages) FImages = nullptr;
    if (component == ScrollBar) ScrollBar = nullptr;
    if (component == HScrollBar) HScrollBar = nullptr;
    if (component == ListBox) ListBox = nullptr;
}

void TbsSkinCustomListBox::SetItems(TStrings* v) {
    ListBox->Items()->Assign(v);
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetRowCount(int v) {
    FRowCount = v;
    if (v != 0) SetHeight(CalcHeight(v));
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetSorted(bool v) {
    FreeVScrollBar();
    ListBox->SetSorted(v);
}

void TbsSkinCustomListBox::SetImages(TCustomImageList* v) {
    FImages = v;
    if (v) FreeNotification(v);
    ListBox->Invalidate();
}
void TbsSkinCustomListBox::SetImageIndex(int v) {
    FImageIndex = v;
    ListBox->Invalidate();
}
void TbsSkinCustomListBox::SetCaptionMode(bool v) {
    FCaptionMode = v;
    if (FIndex == -1) LayoutListBox();
    Invalidate();
}
void TbsSkinCustomListBox::SetDefaultCaptionHeight(int v) {
    FDefaultCaptionHeight = v;
    if (FIndex == -1 && FCaptionMode) {
        LayoutListBox();
        Invalidate();
    }
}
void TbsSkinCustomListBox::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    if (FCaptionMode) Invalidate();
}
void TbsSkinCustomListBox::SetShowCaptionButtons(bool v) {
    if (v == FShowCaptionButtons) return;
    FShowCaptionButtons = v;
    Invalidate();
}
void TbsSkinCustomListBox::SetDefaultItemHeight(int v) {
    FDefaultItemHeight = v;
    if (FIndex == -1 || !UseSkinItemHeight) ListBox->SetItemHeight(v);
}

int TbsSkinCustomListBox::CalcHeight(int n) {
    int h;
    if (FIndex == -1) {
        h = n * ListBox->ItemHeight() + 4;
        if (FCaptionMode) h += FDefaultCaptionHeight;
    } else {
        h = SkinRect.Height() - ClRect.Height() + n * ListBox->ItemHeight();
    }
    if (HScrollBar) h += HScrollBar->Height();
    return h;
}

void TbsSkinCustomListBox::Clear() {
    ListBox->Items()->Clear();
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetBounds(int left, int top, int width, int height) {
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    if (ListBox) LayoutListBox();
    if (FIndex == -1) Invalidate();
}

// ---- skin -------------------------------------------------------------------------------------

void TbsSkinCustomListBox::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    auto* r = dynamic_cast<TbsDataSkinListBox*>(SkinRecord());
    if (!r) {
        if (FIndex != -1) FIndex = -1;
        return;
    }
    SItemRect = r->SItemRect;
    ActiveItemRect = IsNullRect(r->ActiveItemRect) ? r->SItemRect : r->ActiveItemRect;
    FocusItemRect = IsNullRect(r->FocusItemRect) ? r->SItemRect : r->FocusItemRect;
    ItemTextRect = r->ItemTextRect;
    ItemLeftOffset = r->ItemLeftOffset;
    ItemRightOffset = r->ItemRightOffset;
    FontName = r->FontName;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    FontColor = r->FontColor;
    ActiveFontColor = r->ActiveFontColor;
    FocusFontColor = r->FocusFontColor;
    CaptionRect = r->CaptionRect;
    CaptionFontName = r->CaptionFontName;
    CaptionFontStyle = r->CaptionFontStyle;
    CaptionFontHeight = r->CaptionFontHeight;
    CaptionFontColor = r->CaptionFontColor;
    VScrollBarName = r->VScrollBarName;
    HScrollBarName = r->HScrollBarName;
    BothScrollBarName = r->BothScrollBarName;
    ShowFocus = r->ShowFocus;
    UpButtonRect = r->UpButtonRect;
    ActiveUpButtonRect = r->ActiveUpButtonRect;
    DownUpButtonRect = IsNullRect(r->DownUpButtonRect) ? r->ActiveUpButtonRect : r->DownUpButtonRect;
    DownButtonRect = r->DownButtonRect;
    ActiveDownButtonRect = r->ActiveDownButtonRect;
    DownDownButtonRect = IsNullRect(r->DownDownButtonRect) ? r->ActiveDownButtonRect : r->DownDownButtonRect;
    CheckButtonRect = r->CheckButtonRect;
    ActiveCheckButtonRect = r->ActiveCheckButtonRect;
    DownCheckButtonRect = IsNullRect(r->DownCheckButtonRect) ? r->ActiveCheckButtonRect : r->DownCheckButtonRect;
    ButtonsArea = r->ButtonsArea;
    DisabledButtonsRect = r->DisabledButtonsRect;
}

void TbsSkinCustomListBox::DefaultFontChanged() {
    if (FIndex == -1) Font()->Assign(DefaultFont());
}

void TbsSkinCustomListBox::ChangeSkinData() {
    TbsSkinCustomControl::ChangeSkinData();
    FStopUpDateHScrollBar = true;
    if (FIndex == -1) {
        ListBox->SetItemHeight(FDefaultItemHeight);
        Font()->Assign(DefaultFont());
    } else if (UseSkinItemHeight && SItemRect.Height() > 0) {
        ListBox->SetItemHeight(SItemRect.Height());
    }
    if (ScrollBar) {
        ScrollBar->SetSkinDataName(FIndex == -1 ? String() : ListBox->Columns() > 0 ? HScrollBarName : VScrollBarName);
        ScrollBar->SetSkinData(FSD);
    }
    if (HScrollBar) {
        ApplyHScrollBarSkin();
        HScrollBar->SetSkinData(FSD);
    }
    if (FRowCount != 0) SetHeight(CalcHeight(FRowCount));
    LayoutListBox();
    FStopUpDateHScrollBar = false;
    UpDateScrollBar();
    ListBox->Invalidate();
}

void TbsSkinCustomListBox::ButtonDown(int i) {
    CaptureButton = i;
    Buttons[i].MouseIn = true;
    Buttons[i].Down = true;
    Invalidate();
    const bool assigned = (i == 0 && OnUpButtonClick) || (i == 1 && OnDownButtonClick);
    if (i < 2 && !assigned) {
        TimerMode = i == 0 ? 1 : 2;
        WaitMode = true;
        platform::SetWindowTimer(Handle(), bsBoxTimerId, 500);
    }
}

void TbsSkinCustomListBox::ButtonClick(int i) {
    const int idx = ItemIndex();
    if (i == 0 && idx > 0) SetItemIndex(idx - 1);
    else if (i == 1 && idx < ListBox->Count() - 1) SetItemIndex(idx + 1);
    else if (i == 2) ListBox->Click();
}

void TbsSkinCustomListBox::ButtonUp(int i) {
    TbsCBButtonX& b = Buttons[i];
    b.Down = false;
    if (ActiveButton != i) b.MouseIn = false;
    Invalidate();
    const TNotifyEvent& ev = i == 0 ? OnUpButtonClick : i == 1 ? OnDownButtonClick : OnCheckButtonClick;
    if (b.MouseIn && ev) {
        ev(this);
    } else {
        ButtonClick(i);
        StopTimer();
    }
    CaptureButton = -1;
}

void TbsSkinCustomListBox::StopTimer() {
    if (TimerMode != 0 && HandleAllocated()) platform::KillWindowTimer(Handle(), bsBoxTimerId);
    TimerMode = 0;
}

void TbsSkinCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (FCaptionMode && FShowCaptionButtons) {
        TestActive(x, y);
        if (ActiveButton != -1) ButtonDown(ActiveButton);
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinCustomListBox::MouseMove(TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseMove(shift, x, y);
    if (FCaptionMode && FShowCaptionButtons) TestActive(x, y);
}

void TbsSkinCustomListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (CaptureButton != -1) {
        TestActive(x, y);
        ButtonUp(CaptureButton);
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinCustomListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(m);
        if (m.WParam != bsBoxTimerId || TimerMode == 0) return;
        if (WaitMode) {
            WaitMode = false;
            platform::KillWindowTimer(Handle(), bsBoxTimerId);
            platform::SetWindowTimer(Handle(), bsBoxTimerId, 100);
            return;
        }
        if (TimerMode == 1 && ItemIndex() >= 1) SetItemIndex(ItemIndex() - 1);
        else if (TimerMode == 2 && ItemIndex() < ListBox->Count() - 1) SetItemIndex(ItemIndex() + 1);
        return;
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(m);
        LayoutListBox();
        UpDateScrollBar();
        return;
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(m);
        if (FCaptionMode) Invalidate();
        return;
    case CM_MOUSELEAVE:
        TbsSkinCustomControl::WndProc(m);
        for (auto& b : Buttons)
            if (b.MouseIn) {
                b.MouseIn = false;
                Invalidate();
            }
        ActiveButton = -1;
        return;
    default: break;
    }
    TbsSkinCustomControl::WndProc(m);
}

// ---- hooks ----------------------------------------------------------------------------------

void TbsSkinCustomListBox::ListBoxMouseDown(TMouseButton b, TShiftState s, int x, int y) {
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, b, s, x, y);
}
void TbsSkinCustomListBox::ListBoxMouseMove(TShiftState s, int x, int y) {
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, s, x, y);
}
void TbsSkinCustomListBox::ListBoxMouseUp(TMouseButton b, TShiftState s, int x, int y) {
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, b, s, x, y);
}
void TbsSkinCustomListBox::ListBoxClick() {
    if (OnListBoxClick) OnListBoxClick(this);
}
void TbsSkinCustomListBox::ListBoxDblClick() {
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}
void TbsSkinCustomListBox::ListBoxKeyDown(WORD& key, TShiftState shift) {
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, key, shift);
}
void TbsSkinCustomListBox::ListBoxKeyUp(WORD& key, TShiftState shift) {
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, key, shift);
}
void TbsSkinCustomListBox::ListBoxKeyPress(wchar_t& key) {
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, key);
}
void TbsSkinCustomListBox::ListBoxWProc(TMessage&, bool& cont) { cont = true; }

// ---- TbsPopupListBox --------------------------------------------------------------------------

TbsPopupListBox::TbsPopupListBox(TComponent* owner) : TbsSkinListBox(owner) {
    ControlStyle |= csAcceptsControls | csNoDesignVisible | csReplicatable;
    SetVisible(false);
}

void TbsPopupListBox::CreateParams(TCreateParams& p) {
    TbsSkinListBox::CreateParams(p);
    PopupListCreateParams(p, ParentWindow);
}

void TbsPopupListBox::WndProc(TMessage& m) {
    if (!PopupListMessage(m)) TbsSkinListBox::WndProc(m);
}

void TbsPopupListBox::Hide() { HidePopupList(this); }

bool TbsPopupListBox::Show(const TPoint& origin) {
    auto* combo = dynamic_cast<TbsSkinCustomComboBox*>(Owner());
    TbsPopupAlpha alpha;
    if (combo) alpha = {combo->AlphaBlend, combo->AlphaBlendAnimation, combo->AlphaBlendValue};
    return ShowPopupList(this, origin, combo ? &alpha : nullptr, FAlphaState, nullptr);
}
