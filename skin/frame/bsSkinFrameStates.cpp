// TbsSkinFrame, continued: the frame's own window states (minimized bar,
// maximized to the work area, restored), rolling up, the skinned system
// menu and the tray menu, the form's shortcuts, the size limits, moving
// with magnetic edges, the first-show placement and the fade-in.
#include <algorithm>

#include "platform/Clock.h"
#include "platform/Menus.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsLayer.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/frame/bsFormLayerBorder.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/frame/bsTrayIcon.h"

namespace {

constexpr UINT_PTR kFadeTimer = 1;

bool IsMainForm(const TCustomForm* f) { return Application && Application->MainForm() == f; }

TRect MonitorArea(HWND wnd, bool workArea) {
    TRect r;
    if (wnd) GetMonitorWorkArea(wnd, workArea, r);
    else GetScreenWorkArea(workArea, r);
    return r;
}

HWND FormWnd(TCustomForm* f) { return f->HandleAllocated() ? f->Handle() : nullptr; }

}  // namespace

// ---- size limits ------------------------------------------------------------------------------

int TbsSkinFrame::GetMinWidth() const {
    if (!FSkinSupport || !FSD->FPicture) return MinWidth > 0 ? MinWidth : 120;
    const bool minimized = FWindowState == wsMinimized;
    const int picW = FSD->FPicture->Width();
    if (picW < MinWidth && !minimized) return MinWidth;
    if (FSD->FormMinWidth > 0) return (MinWidth > FSD->FormMinWidth && !minimized) ? MinWidth : FSD->FormMinWidth;
    return picW;
}

int TbsSkinFrame::GetMinHeight() const {
    int h;
    if (FSkinSupport && FSD->FPicture) h = FSD->FPicture->Height() - FSD->ClRect.Height();
    else h = GetDefCaptionHeight() + 6;
    if (h >= MinHeight || FRollUpState || FWindowState == wsMinimized) return h;
    return MinHeight;
}

int TbsSkinFrame::GetMaxWidth() const {
    return MaxWidth != 0 ? MaxWidth : MonitorArea(FormWnd(FForm), !MaximizeOnFullScreen).Width();
}

int TbsSkinFrame::GetMaxHeight() const {
    return MaxHeight != 0 ? MaxHeight : MonitorArea(FormWnd(FForm), !MaximizeOnFullScreen).Height();
}

void TbsSkinFrame::BringRestoredFormsForward() {
    if (Application->MainForm() && Application->MainForm()->HandleAllocated())
        SetForegroundWindow(Application->MainForm()->Handle());
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->FormStyle() == fsStayOnTop && f->Visible() && f->HandleAllocated()) {
            SetForegroundWindow(f->Handle());
            break;
        }
    }
}

void TbsSkinFrame::RefreshFormSize() {
    const int w = FForm->Width();
    FForm->SetWidth(w - 1 < GetMinWidth() ? w + 1 : w - 1);
    FForm->SetWidth(w);
}

// ---- window states ----------------------------------------------------------------------------

// Every skinnable form, MDI children too, has the frame's own states.
bool TbsSkinFrame::OwnsWindowStates() const { return FSkinnableForm; }

void TbsSkinFrame::SetSystemWindowState(TWindowState Value) {
    if (Value == FWindowState && FForm->WindowState() == Value) return;
    FWindowState = Value;
    FForm->SetWindowState(Value);
    if (Value == wsMaximized && OnMaximize) OnMaximize(this);
    if (Value == wsMinimized && OnMinimize) OnMinimize(this);
    if (Value == wsNormal && OnRestore) OnRestore(this);
    RepaintFrame();
    TellMainOfChildState(Value == wsMaximized ? WM_MDICHILDMAX : WM_MDICHILDRESTORE);
}

void TbsSkinFrame::SetWindowState(TWindowState Value) {
    if (!OwnsWindowStates()) return SetSystemWindowState(Value);
    if (Value == FWindowState) return;
    const TWindowState old = FWindowState;
    if (!(Value == wsMinimized && (IsMainForm(FForm) || MinimizeDefault))) FWindowState = Value;
    switch (Value) {
    case wsNormal:
        if (old == wsMaximized && FRollUpState && !FRollUpBeforeMaximize) SetRollUpState(false);
        FRollUpBeforeMaximize = false;
        DoRestore();
        break;
    case wsMinimized: DoMinimize(); break;
    case wsMaximized:
        FRollUpBeforeMaximize = FRollUpState;
        DoMaximize();
        break;
    }
    RepaintFrame();
}

void TbsSkinFrame::DoMinimize() {
    if (IsMainForm(FForm)) Application->Minimize();
    else if (MinimizeDefault) FForm->SetWindowState(wsMinimized);
    else {
        if (OldBoundsRect.IsEmpty()) OldBoundsRect = FForm->BoundsRect();
        const TPoint p = GetMinimizedPosition();
        FForm->SetBounds(p.x, p.y, GetMinWidth(), GetMinHeight());
        TellMainOfChildState(WM_MDICHILDRESTORE);
    }
    if (OnMinimize) OnMinimize(this);
}

TPoint TbsSkinFrame::GetMinimizedPosition() const {
    if (FForm->FormStyle() == fsMDIChild) return GetMDIMinimizedPosition();
    const int w = GetMinWidth(), h = GetMinHeight();
    const TRect R = MonitorArea(FormWnd(FForm), true);
    auto taken = [this](int x, int y) {
        for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
            TCustomForm* f = Screen->Forms(i);
            if (f == FForm || IsMainForm(f) || !f->Visible()) continue;
            TbsSkinFrame* fr = FindSkinFormComponent(f);
            if (fr && fr->WindowState() == wsMinimized && f->Left() == x && f->Top() == y) return true;
        }
        return false;
    };
    int x = R.left, y = R.bottom - h;
    while (taken(x, y)) {
        x += w;
        if (x + w > R.right) {
            x = R.left;
            y -= h;
            if (y < R.top) return TPoint(x, R.bottom - h);
        }
    }
    return TPoint(x, y);
}

void TbsSkinFrame::DoMaximize() {
    if (OldBoundsRect.IsEmpty()) OldBoundsRect = FForm->BoundsRect();
    if (FForm->FormStyle() == fsMDIChild) MaximizeMDIChild();
    else {
        HWND wnd = FormWnd(FForm);
        TRect R = MonitorArea(wnd, !MaximizeOnFullScreen);
        if (!MaximizeOnFullScreen) {
            const TRect mon = MonitorArea(wnd, false);
            const TRect screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
            // A work area that is the whole screen leaves a pixel free on every
            // side, so a bar that shows on touching the edge can still appear.
            if (R.Width() == mon.Width() && R.Height() == mon.Height() && mon == screen) InflateRect(&R, -1, -1);
        }
        FForm->SetBounds(R.left, R.top, R.Width(), R.Height());
    }
    if (FStatusBar && FStatusBar->SizeGrip()) FStatusBar->SetShowGrip(false);
    if (OnMaximize) OnMaximize(this);
}

void TbsSkinFrame::DoRestore() {
    MaxRollUpState = false;
    const int oldW = FForm->Width(), oldH = FForm->Height();
    if (!OldBoundsRect.IsEmpty()) {
        if (FStartShow) {
            FStartShow = false;
            const TPoint p = GetPositionInMonitor(OldBoundsRect.left, OldBoundsRect.top, OldBoundsRect.Width(),
                                                  OldBoundsRect.Height());
            FForm->SetBounds(p.x, p.y, OldBoundsRect.Width(), OldBoundsRect.Height());
        } else {
            if (FLayerBorder->Visible())
                FLayerBorder->SetBoundsWithForm3(OldBoundsRect.left, OldBoundsRect.top, OldBoundsRect.Width(),
                                                 OldBoundsRect.Height());
            FForm->SetBoundsRect(OldBoundsRect);
        }
    }
    MouseTimer->SetEnabled(true);
    if (oldW == OldBoundsRect.Width() && oldH == OldBoundsRect.Height()) RefreshFormSize();
    if (FForm->HandleAllocated()) RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    TellMainOfChildState(WM_MDICHILDRESTORE);
    OldBoundsRect = TRect();
    if (FStatusBar && FStatusBar->SizeGrip()) FStatusBar->SetShowGrip(true);
    if (OnRestore) OnRestore(this);
}

void TbsSkinFrame::SetRollUpState(bool Value) {
    if (!(FBorderIcons & biRollUp) || FWindowState == wsMinimized) return;
    if (FRollUpState && FWindowState == wsMaximized && !MaxRollUpState) return;
    if (Value == FRollUpState) return;
    if (FWindowState == wsMaximized) MaxRollUpState = Value;
    FRollUpState = Value;
    if (Value) {
        OldHeight = FForm->Height();
        FForm->SetHeight(GetMinHeight());
    } else if (ClientHeight != 0) FForm->SetClientSize(FForm->ClientWidth(), ClientHeight);
    else FForm->SetHeight(OldHeight);
    if (OnChangeRollUpState) OnChangeRollUpState(this);
    RepaintFrame();
}

int TbsSkinFrame::RealHeight() const { return FRollUpState ? OldHeight : FForm->Height(); }

// Double click on the caption: the first rule that applies.
void TbsSkinFrame::CaptionDoubleClick() {
    if (CanResize() && FWindowState == wsMinimized) SetWindowState(wsNormal);
    else if (CanResize() && FWindowState != wsMaximized && !FRollUpState && (FBorderIcons & biSkinMaximize))
        SetWindowState(wsMaximized);
    else if (CanResize() && FWindowState == wsMaximized && !MaxRollUpState) SetWindowState(wsNormal);
    else SetRollUpState(!FRollUpState);
    MouseCaptureObject = -1;
}

// ---- the system menu ----------------------------------------------------------------------------

String TbsSkinFrame::SysCaption(const String& key, const String& builtIn) const {
    if (FSD && FSD->ResourceStrData()) {
        const String s = FSD->ResourceStrData()->GetResStr(key);
        if (!s.empty()) return s;
    }
    return builtIn;
}

TMenuItem* TbsSkinFrame::AddSysItem(TMenuItem* root, int index, const String& name, const String& key,
                                    const String& caption, TNotifyEvent click) {
    auto* item = new TMenuItem(root);
    item->SetName(name);
    item->SetCaption(key.empty() ? caption : SysCaption(key, caption));
    item->OnClick = std::move(click);
    if (index < 0) root->Add(item);
    else root->Insert(index, item);
    return item;
}

void TbsSkinFrame::CreateSysMenu() {
    if (!FSysMenu) FSysMenu = new TPopupMenu(this);
    TMenuItem* root = FSysMenu->Items();
    root->Clear();
    const bool minimized = FWindowState == wsMinimized, maximized = FWindowState == wsMaximized;
    const bool mdiChild = FForm->FormStyle() == fsMDIChild;
    if (!minimized && (FBorderIcons & biSkinMinimize))
        AddSysItem(root, -1, L"BSF_MINITEM", L"MI_MINCAPTION", L"Mi&nimize", [this](TObject*) {
            if (AlwaysMinimizeToTray) MinimizeToTray();
            else SetWindowState(wsMinimized);
        });
    if (!maximized && (FBorderIcons & biSkinMaximize))
        AddSysItem(root, -1, L"BSF_MAXITEM", L"MI_MAXCAPTION", L"Ma&ximize",
                   [this](TObject*) { SetWindowState(wsMaximized); });
    if (FWindowState != wsNormal || FRollUpState)
        AddSysItem(root, -1, L"BSF_RESTORE", L"MI_RESTORECAPTION", L"&Restore", [this](TObject*) {
            if (MaxRollUpState || (FRollUpState && FWindowState == wsNormal)) SetRollUpState(false);
            else SetWindowState(wsNormal);
        });
    if ((!mdiChild || !maximized) && !FRollUpState && !minimized && (FBorderIcons & biRollUp))
        AddSysItem(root, -1, L"BSF_ROLLUP", L"MI_ROLLUPCAPTION", L"Ro&llUp",
                   [this](TObject*) { SetRollUpState(true); });
    if (FBorderIcons & biMinimizeToTray)
        AddSysItem(root, -1, L"BSF_MINTOTRAY", L"MI_MINTOTRAYCAPTION", L"Minimize to &Tray",
                   [this](TObject*) { MinimizeToTray(); });
    if (root->Count() > 0) AddSysItem(root, -1, L"", L"", L"-", nullptr);
    TMenuItem* close = AddSysItem(root, -1, L"BSF_CLOSE", L"MI_CLOSECAPTION", L"&Close",
                                  [this](TObject*) { FForm->Close(); });
    close->SetShortCut(TextToShortCut(mdiChild ? L"Ctrl+F4" : L"Alt+F4"));
}

void TbsSkinFrame::UpdateUserSysMenu() {
    if (!UseDefaultSysMenu || !SystemMenu) return;
    TMenuItem* root = SystemMenu->Items();
    static const wchar_t* const kStandard[] = {L"BSF_MINITEM", L"BSF_MAXITEM",   L"BSF_CLOSE",
                                                L"BSF_MINTOTRAY", L"BSF_ROLLUP", L"BSF_RESTORE"};
    for (int i = root->Count() - 1; i >= 0; --i)
        for (const wchar_t* n : kStandard)
            if (root->Items(i)->Name() == n) {
                root->Delete(i);
                break;
            }
    const bool minimized = FWindowState == wsMinimized, maximized = FWindowState == wsMaximized;
    const bool mdiChild = FForm->FormStyle() == fsMDIChild;
    // Each goes to the top, so they end up as minimize, restore, maximize,
    // roll-up, minimize-to-tray above the user's own items.
    if (FBorderIcons & biMinimizeToTray)
        AddSysItem(root, 0, L"BSF_MINTOTRAY", L"MI_MINTOTRAYCAPTION", L"Minimize to &Tray",
                   [this](TObject*) { MinimizeToTray(); });
    if ((!mdiChild || !maximized) && !FRollUpState && !minimized && (FBorderIcons & biRollUp))
        AddSysItem(root, 0, L"BSF_ROLLUP", L"MI_ROLLUPCAPTION", L"Ro&llUp", [this](TObject*) { SetRollUpState(true); });
    if (!maximized && (FBorderIcons & biSkinMaximize))
        AddSysItem(root, 0, L"BSF_MAXITEM", L"MI_MAXCAPTION", L"Ma&ximize",
                   [this](TObject*) { SetWindowState(wsMaximized); });
    if (FWindowState != wsNormal || FRollUpState)
        AddSysItem(root, 0, L"BSF_RESTORE", L"MI_RESTORECAPTION", L"&Restore", [this](TObject*) {
            if (MaxRollUpState || (FRollUpState && FWindowState == wsNormal)) SetRollUpState(false);
            else SetWindowState(wsNormal);
        });
    if (!minimized && (FBorderIcons & biSkinMinimize))
        AddSysItem(root, 0, L"BSF_MINITEM", L"MI_MINCAPTION", L"Mi&nimize", [this](TObject*) {
            if (AlwaysMinimizeToTray) MinimizeToTray();
            else SetWindowState(wsMinimized);
        });
    TMenuItem* close = AddSysItem(root, -1, L"BSF_CLOSE", L"MI_CLOSECAPTION", L"&Close",
                                  [this](TObject*) { FForm->Close(); });
    close->SetShortCut(TextToShortCut(mdiChild ? L"Ctrl+F4" : L"Alt+F4"));
}

TMenuItem* TbsSkinFrame::GetSysMenuItems() {
    if (SystemMenu) {
        UpdateUserSysMenu();
        return SystemMenu->Items();
    }
    CreateSysMenu();
    return FSysMenu->Items();
}

void TbsSkinFrame::PopupSystemMenu(int X, int Y) { PopupSystemMenuRect(TRect(X, Y, X, Y)); }

void TbsSkinFrame::PopupSystemMenuRect(const TRect& R) {
    TbsSkinFrame* opener = this;
    if (FForm->FormStyle() == fsMDIChild) {
        opener = Application && Application->MainForm() ? FindSkinFormComponent(Application->MainForm()) : nullptr;
        if (!opener) return;
    }
    // The open levels show the items now replaced: they close first.
    if (opener->SkinMenu->Visible()) opener->SkinMenu->Hide();
    TMenuItem* items = GetSysMenuItems();
    opener->SkinMenuOpen();
    opener->SkinMenu->Popup(nullptr, opener->MenusSkinData() ? opener->MenusSkinData() : opener->SkinData(), 0, R,
                            items, false);
}

void TbsSkinFrame::ShowSysMenuAtButton() {
    for (auto& o : ObjectList) {
        TbsStdCommand cmd;
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) cmd = b->Command;
        else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) cmd = a->Command;
        else continue;
        if (cmd != cmSysMenu || !o->Enabled) continue;
        TRect r = o->ObjectRect;
        if (FForm->FormStyle() == fsMDIChild && FForm->HandleAllocated()) {
            const TPoint c = FForm->ClientToScreen(TPoint(0, 0));
            OffsetRect(&r, c.x - NewClRect.left, c.y - NewClRect.top);
        } else OffsetRect(&r, FForm->Left(), FForm->Top());
        PopupSystemMenuRect(r);
        return;
    }
}

void TbsSkinFrame::FormShortCut(WORD Key, TShiftState Shift, bool& Handled) {
    if (OnShortCut) {
        OnShortCut(Key, Shift, Handled);
        if (Handled) return;
    }
    const TShiftState mods = Shift & (ssShift | ssAlt | ssCtrl);
    if (mods == ssAlt && Key == VK_SPACE) {
        if (!DisableSystemMenu) ShowSysMenuAtButton();
        FInShortCut = false;
        Handled = true;
        return;
    }
    if (FInShortCut) {
        FInShortCut = false;
        Handled = false;
    }
    TMainMenu* M = MainMenuBar ? MainMenuBar->MainMenu() : nullptr;
    if (M) {
        if (mods == ssAlt && Key != VK_F4 && MainMenuBar->CheckAccelerator(Key)) Handled = true;
        else {
            FInShortCut = M->IsShortCut(Key, Shift);
            Handled = FInShortCut;
        }
    }
    // The shortcuts of an MDI child's menu shown on the bar.
    TMainMenu* child = (!FInShortCut && !Handled && MainMenuBar) ? MainMenuBar->GetChildMainMenu() : nullptr;
    if (!child) return;
    if (mods == ssAlt) Handled = MainMenuBar->CheckAccelerator(Key) || child->IsShortCut(Key, Shift);
    else Handled = child->IsShortCut(Key, Shift);
    FInShortCut = Handled;
}

// ---- tray -----------------------------------------------------------------------------------------

void TbsSkinFrame::CreateSysTrayMenu() {
    FSysTrayMenu = new TbsSkinPopupMenu(this);
    FSysTrayMenu->ComponentForm = FForm;
    TMenuItem* root = FSysTrayMenu->Items();
    AddSysItem(root, -1, L"TRAY_BSF_RESTORE", L"MI_RESTORECAPTION", L"&Restore", [this](TObject*) { RestoreFromTray(); });
    AddSysItem(root, -1, L"", L"", L"-", nullptr);
    TMenuItem* close = AddSysItem(root, -1, L"TRAY_BSF_CLOSE", L"MI_CLOSECAPTION", L"&Close",
                                  [this](TObject*) { FForm->Close(); });
    close->SetShortCut(TextToShortCut(FForm->FormStyle() == fsMDIChild ? L"Ctrl+F4" : L"Alt+F4"));
}

void TbsSkinFrame::SetTrayIcon(TbsTrayIcon* Value) {
    if (FTrayIcon) RemoveFreeNotification(FTrayIcon);
    FTrayIcon = Value;
    if (!Value) return;
    FreeNotification(Value);
    if (!AlwaysShowInTray) Value->SetIconVisible(false);
    Value->MinimizeToTray = false;
    if (Has(csDesigning)) return;
    if (!FSysTrayMenu) CreateSysTrayMenu();
    if (!Value->PopupMenu()) Value->SetPopupMenu(FSysTrayMenu);
    if (!Value->OnDblClick) Value->OnDblClick = [this](TObject*) { RestoreFromTray(); };
}

void TbsSkinFrame::MinimizeToTray() {
    if (!FTrayIcon) return;
    FTrayIcon->MinimizeToTray = true;
    Application->Minimize();
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TbsSkinFrame::RestoreFromTray() {
    if (!FTrayIcon) return;
    FTrayIcon->MinimizeToTray = false;
    FTrayIcon->ShowMainForm();
    Application->Restore();
    if (!AlwaysShowInTray) FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}

// ---- moving and snapping ----------------------------------------------------------------------

void TbsSkinFrame::HandleMoving(RECT& r) {
    if (FWindowState == wsMaximized && FForm->FormStyle() != fsMDIChild) {
        r = FForm->BoundsRect();
        return;
    }
    if (!Magnetic) return;
    int L = r.left, T = r.top;
    const int W = FForm->Width(), H = FForm->Height();
    MagneticMove(L, T, W, H);
    r = Bounds(L, T, W, H);
}

void TbsSkinFrame::MagneticMove(int& L, int& T, int W, int H) {
    const int M = MagneticSize;
    auto nearTo = [M](int value, int a) { return a - M < value && value < a + M; };
    POINT cur;
    GetCursorPos(&cur);
    TRect R;
    if (FForm->FormStyle() == fsMDIChild) {
        R = GetMDIWorkArea();
        if (TCustomForm* main = Application ? Application->MainForm() : nullptr; main && main->HandleAllocated()) {
            const TPoint o = main->ClientToScreen(TPoint(0, 0));
            OffsetRect(&R, o.x, o.y);
        }
    } else R = MonitorArea(FormWnd(FForm), true);
    const bool layered = LayerFrameActive() && FLayerBorder->Visible() && FSD && FSD->LayerFrame &&
                         !FSD->LayerFrame->BorderRect.IsEmpty();
    if (layered) {
        L -= FLayerBorder->LeftSize;
        T -= FLayerBorder->TopSize;
        W += FLayerBorder->RightSize;
        H += FLayerBorder->BottomSize;
    }
    // One edge: the position snaps there, or follows the cursor again once
    // it has moved more than M away from where the snap began.
    auto edge = [&](int& pos, int target, int cursor, LONG& downCoord, bool& magnetized, bool isNear) {
        if (isNear && !magnetized) {
            pos = target;
            downCoord = cursor;
        } else if (magnetized && std::abs(cursor - downCoord) > M) {
            pos = cursor + target - downCoord;
        } else if (magnetized) {
            pos = target;
        }
        magnetized = isNear;
    };
    edge(L, R.left, cur.x, FOnMouseDownCoord.x, HMagnetized, nearTo(L, R.left));
    edge(T, R.top, cur.y, FOnMouseDownCoord.y, VMagnetized, nearTo(T, R.top));
    const bool nearRight = nearTo(L + W, R.right), nearBottom = nearTo(T + H, R.bottom);
    edge(L, R.right - W, cur.x, FOnMouseDownCoord.x, HMagnetized2, nearRight);
    edge(T, R.bottom - H, cur.y, FOnMouseDownCoord.y, VMagnetized2, nearBottom);
    if (layered) {
        if (!nearRight) L += FLayerBorder->LeftSize;
        if (!nearBottom) T += FLayerBorder->TopSize;
    }
}

// ---- first show and fade-in -------------------------------------------------------------------

TPoint TbsSkinFrame::GetPositionInMonitor(int AX, int AY, int AW, int AH) const {
    if (PositionInMonitor == bspDefault) return TPoint(AX, AY);
    const TRect R = MonitorArea(FormWnd(FForm), PositionInMonitor == bspDesktopCenter);
    return TPoint(R.left + R.Width() / 2 - AW / 2, R.top + R.Height() / 2 - AH / 2);
}

void TbsSkinFrame::ApplyPositionInMonitor() {
    if (PositionInMonitor == bspDefault) return;
    const TPoint p = GetPositionInMonitor(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    FForm->SetBounds(p.x, p.y, FForm->Width(), FForm->Height());
}

bool TbsSkinFrame::FadeWanted() const {
    return IsLayeredSupported() && (FAlphaBlend || AlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows));
}

// WM_SHOWWINDOW: the first placement, then (when asked) the form starts
// invisible and timer 1 begins its fade-in.
void TbsSkinFrame::StartShow(bool shown) {
    if (!shown) return;
    if (FStartShow) {
        if (PositionInMonitor == bspDefault) FStartShow = false;
        else if (FWindowState == wsNormal) {
            FStartShow = false;
            ApplyPositionInMonitor();
        }
    }
    if (FSkinnableForm && FSD && FSD->AnimationForAllWindows && FAlphaBlendValue == 0) FAlphaBlendValue = 255;
    if (!(FadeWanted() || (FSkinnableForm && VistaLayerFrameShow())) || !FForm->HandleAllocated()) return;
    HWND wnd = FForm->Handle();
    const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredAlpha(wnd, 0);
    if (FSkinnableForm && LayerFrameActive() && ShownOrInTray()) {
        FLayerBorder->CheckFormAlpha(0, false);
        FLayerBorder->ShowWithForm();
    }
    platform::SetWindowTimer(wnd, kFadeTimer, 1);
}

void TbsSkinFrame::FadeInTimer() {
    HWND wnd = FForm->Handle();
    platform::KillWindowTimer(wnd, kFadeTimer);
    if (FSkinnableForm && VistaLayerFrameShow()) {
        // The form was kept invisible for one tick: it and its border appear together.
        SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        if (LayerFrameActive() && ShownOrInTray()) {
            FLayerBorder->SetActive(FFormActive, false);
            FLayerBorder->CheckFormAlpha(255, true);
        }
        return;
    }
    if (!FadeWanted()) return;
    const bool layer = FSkinnableForm && LayerFrameActive();
    if (layer) FLayerBorder->SetActive(FFormActive, false);
    const bool animate = AlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows);
    const int target = (animate && !FAlphaBlend) ? 255 : FAlphaBlendValue;
    if (animate) {
        // The pass may free the form, and the frame with it.
        const std::weak_ptr<bool> alive = FAlive;
        Application->ProcessMessages();
        if (alive.expired() || !FForm->HandleAllocated() || FForm->Handle() != wnd) return;
        RunFadeIn(target, [] { return platform::TickCount(); }, [this, wnd, layer](int a) {
            SetLayeredAlpha(wnd, a);
            if (layer) FLayerBorder->CheckFormAlpha(a, true);
        });
    } else if (target != 255) {
        SetLayeredAlpha(wnd, target);
        if (layer) FLayerBorder->CheckFormAlpha(target, true);
    }
    if (target == 255) {
        SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        if (layer) FLayerBorder->CheckFormAlpha(255, true);
    }
}
