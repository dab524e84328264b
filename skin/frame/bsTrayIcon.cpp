#include "skin/frame/bsTrayIcon.h"

#include <algorithm>
#include <iterator>
#include <commctrl.h>

#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMenus.h"

namespace {

UINT g_taskbarCreated = 0;

template <size_t N>
void CopyLimited(wchar_t (&dest)[N], const String& s, size_t limit) {
    const size_t n = std::min({s.size(), limit, N - 1});
    std::fill(std::begin(dest), std::end(dest), L'\0');
    std::copy_n(s.c_str(), n, dest);
}

TShiftState KeyShift() {
    TShiftState s = 0;
    if (GetAsyncKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetAsyncKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetAsyncKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

}  // namespace

UINT TbsTrayIcon::TaskbarCreatedMessage() { return g_taskbarCreated; }

TbsTrayIcon::TbsTrayIcon(TComponent* AOwner) : TComponent(AOwner) {
    g_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    FWindow = std::make_unique<platform::UtilWindow>([this](TMessage& m) { return TrayWindowProc(m); });
    IconData.cbSize = sizeof(IconData);
    IconData.hWnd = FWindow->Handle();
    IconData.uID = 1;
    IconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    IconData.uCallbackMessage = WM_TRAYNOTIFY;
    FWindowHandle = reinterpret_cast<HWND>(GetWindowLongPtrW(FWindow->Handle(), GWLP_HWNDPARENT));
    AnimateTimer = NewStoppedTimer(this, FAnimateTimerInterval, [this](TObject*) { AnimateTimerTick(); });
    ClickTimer = NewStoppedTimer(this, GetDoubleClickTime(), [this](TObject*) { ClickTimerTick(); });
    if (Has(csDesigning)) return;
    if (FIcon.Empty() && LoadDefaultIcon()) {
        HICON app = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        FIcon.SetHandle(CopyIcon(app ? app : LoadIconW(nullptr, IDI_APPLICATION)));
    }
    if (Application)
        FAppSubclass = std::make_unique<platform::WindowSubclass>(
            Application->Handle(), [this](TMessage& m) { return AppWindowProc(m); });
    if (TWinControl* owner = OwnerControl())
        FOwnerSubclass = std::make_unique<platform::WindowSubclass>(
            owner->Handle(), [this](TMessage& m) { return OwnerWindowProc(m); });
}

TbsTrayIcon::~TbsTrayIcon() {
    SetIconVisible(false);
    FOwnerSubclass.reset();
    FAppSubclass.reset();
}

TWinControl* TbsTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TbsTrayIcon::Loaded() {
    TComponent::Loaded();
    if (OwnerControl() && MinimizedOnStart && !Has(csDesigning)) {
        FIconVisible = true;
        MinimizeToTray = true;
        Application->ShowMainForm = false;
        ShowWindow(Application->Handle(), SW_HIDE);
    }
    ModifyIcon();
    SetIconVisible(FIconVisible);
}

void TbsTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FIconList) FIconList = nullptr;
    if (AComponent == FPopupMenu) FPopupMenu = nullptr;
}

// ---- the shell --------------------------------------------------------------------------------

bool TbsTrayIcon::PrepareIconData() {
    if (Has(csDesigning)) return false;
    IconData.hIcon = FIcon.Handle();
    if (!FHint.empty() && FShowHint)
        CopyLimited(IconData.szTip, FHint, 127);
    else
        CopyLimited(IconData.szTip, String(), 0);
    return true;
}

bool TbsTrayIcon::ShowIcon() {
    FIconVisible = true;
    return PrepareIconData() && Shell_NotifyIconW(NIM_ADD, &IconData);
}

bool TbsTrayIcon::HideIcon() {
    FIconVisible = false;
    return PrepareIconData() && Shell_NotifyIconW(NIM_DELETE, &IconData);
}

bool TbsTrayIcon::ModifyIcon() { return PrepareIconData() && Shell_NotifyIconW(NIM_MODIFY, &IconData); }

void TbsTrayIcon::SetIconVisible(bool Value) {
    if (Value)
        ShowIcon();
    else
        HideIcon();
}

void TbsTrayIcon::SetIcon(TIcon* Value) {
    FIcon.Assign(Value);
    ModifyIcon();
}

void TbsTrayIcon::SetHint(const String& Value) {
    FHint = Value;
    ModifyIcon();
}

void TbsTrayIcon::SetShowHint(bool Value) {
    FShowHint = Value;
    ModifyIcon();
}

void TbsTrayIcon::SetPopupMenu(TbsSkinPopupMenu* Value) {
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

bool TbsTrayIcon::ShowBalloonHint(const String& Title, const String& Text, TbsBalloonHintIcon IconType) {
    HideBalloonHint();
    IconData.uFlags |= NIF_INFO;
    CopyLimited(IconData.szInfo, Text, 255);
    CopyLimited(IconData.szInfoTitle, Title, 63);
    // A value outside the four kinds shows no icon.
    static const DWORD kFlags[] = {NIIF_NONE, NIIF_INFO, NIIF_WARNING, NIIF_ERROR};
    const auto kind = static_cast<unsigned>(IconType);
    IconData.dwInfoFlags = kind < std::size(kFlags) ? kFlags[kind] : NIIF_NONE;
    const bool ok = ModifyIcon();
    IconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    return ok;
}

bool TbsTrayIcon::HideBalloonHint() {
    IconData.uFlags |= NIF_INFO;
    CopyLimited(IconData.szInfo, String(), 0);
    return ModifyIcon();
}

bool TbsTrayIcon::BitmapToIcon(TBitmap* Bitmap, TIcon* Icon, TColor MaskColor) {
    TCustomImageList list(nullptr);
    list.SetSize(16, 16);
    list.AddMasked(Bitmap, MaskColor);
    Icon->SetHandle(ImageList_GetIcon(list.Handle(), 0, ILD_NORMAL));
    return true;
}

// ---- icon cycling -----------------------------------------------------------------------------

void TbsTrayIcon::SetCycleIcons(bool Value) {
    FCycleIcons = Value;
    if (Value) SetIconIndex(0);
    AnimateTimer->SetEnabled(Value);
}

void TbsTrayIcon::SetAnimateTimerInterval(unsigned Value) {
    FAnimateTimerInterval = Value;
    AnimateTimer->SetInterval(Value);
}

void TbsTrayIcon::SetIconList(TCustomImageList* Value) {
    FIconList = Value;
    if (Value) Value->FreeNotification(this);
    SetIconIndex(0);
}

void TbsTrayIcon::SetIconIndex(int Value) {
    if (FIconList) {
        FIconIndex = std::min(Value, FIconList->Count() - 1);
        // An empty list leaves the index at -1 and the icon as it is.
        if (FIconIndex >= 0) FIcon.SetHandle(ImageList_GetIcon(FIconList->Handle(), FIconIndex, ILD_NORMAL));
    } else {
        FIconIndex = 0;
    }
    ModifyIcon();
}

void TbsTrayIcon::AnimateTimerTick() {
    if (!FIconList || FIconList->Count() == 0) return;
    if (FIconIndex >= 0) FIcon.SetHandle(ImageList_GetIcon(FIconList->Handle(), FIconIndex, ILD_NORMAL));
    const int last = FIconList->Count() - 1;
    const int next = FIconIndex >= last ? 0 : FIconIndex + 1;
    Cycle(next);
    ModifyIcon();
    SetIconIndex(next);
}

// ---- the hidden window ------------------------------------------------------------------------

bool TbsTrayIcon::TrayWindowProc(TMessage& m) {
    try {
        switch (m.Msg) {
        case WM_TRAYNOTIFY:
            if (Enabled) TrayMouse(m.LParam);
            m.Result = 0;
            return true;
        case WM_DESTROY:
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
        case WM_QUIT:
        case WM_USERCHANGED:
        case WM_NCDESTROY:
            m.Result = 1;
            return true;
        default:
            return false;
        }
    } catch (...) {
        if (Application) Application->HandleException();
        return true;
    }
}

void TbsTrayIcon::TrayMouse(LPARAM what) {
    POINT p{0, 0};
    const bool known = GetCursorPos(&p) != FALSE;
    const int X = p.x, Y = p.y;
    const TShiftState s = KeyShift();
    switch (static_cast<UINT>(what)) {
    case WM_MOUSEMOVE:
        MouseMove(s, X, Y);
        break;
    case WM_LBUTTONDOWN:
        ClickTimer->SetEnabled(true);
        MouseDown(mbLeft, s | ssLeft, X, Y);
        FClickStart = true;
        if (PopupByLeftButton && known) PopupStep(X, Y);
        break;
    case WM_LBUTTONUP:
        if (FClickStart) {
            FClickReady = true;
            if (!ClickTimer->Enabled()) {
                FClickStart = false;
                FClickReady = false;
                Click();
            }
        }
        FClickStart = false;
        MouseUp(mbLeft, s | ssLeft, X, Y);
        break;
    case WM_LBUTTONDBLCLK:
        FClickReady = false;
        IsDblClick = true;
        DblClick();
        if (FPopupMenu && FPopupMenu->AutoPopup && !PopupByLeftButton) {
            TMenuItem* items = FPopupMenu->Items();
            TMenuItem* chosen = nullptr;
            for (int i = items->Count() - 1; i >= 0; --i)
                if (items->Items(i)->Default()) chosen = items->Items(i);
            if (chosen) chosen->Click();
        }
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, s | ssRight, X, Y);
        if (known) PopupStep(X, Y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, s | ssRight, X, Y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, s | ssMiddle, X, Y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, s | ssMiddle, X, Y);
        break;
    case NIN_BALLOONUSERCLICK:
        if (OnBalloonHintClick) OnBalloonHintClick(this);
        break;
    default:
        break;
    }
}

void TbsTrayIcon::PopupStep(int X, int Y) {
    if (!FPopupMenu || !FPopupMenu->AutoPopup) return;
    Application->ProcessMessages();
    SetForegroundWindow(FWindow->Handle());
    TWinControl* owner = OwnerControl();
    if (owner) SetForegroundWindow(owner->Handle());
    if (!FPopupMenu) return;  // gone while messages were handled
    FPopupMenu->PopupComponent = this;
    FPopupMenu->Popup(X, Y);
    if (owner) PostMessageW(owner->Handle(), WM_NULL, 0, 0);
}

void TbsTrayIcon::ClickTimerTick() {
    ClickTimer->SetEnabled(false);
    if (!IsDblClick && FClickReady) {
        FClickReady = false;
        Click();
    }
    IsDblClick = false;
}

// ---- events -----------------------------------------------------------------------------------

void TbsTrayIcon::Click() {
    if (OnClick) OnClick(this);
}
void TbsTrayIcon::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TbsTrayIcon::Cycle(int NextIndex) {
    if (OnCycle) OnCycle(this, NextIndex);
}
void TbsTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TbsTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TbsTrayIcon::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

// ---- main form and subclasses -----------------------------------------------------------------

void TbsTrayIcon::DoMinimizeToTray() {
    HideMainForm();
    SetIconVisible(true);
}

void TbsTrayIcon::ShowMainForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!OwnerControl() || !main) return;
    ShowWindow(Application->Handle(), SW_RESTORE);
    main->SetVisible(true);
    if (main->WindowState() == wsMinimized) main->SetWindowState(wsNormal);
    main->Tag = kTrayFormTag;
    PostMessageW(main->Handle(), WM_TRAYRESTORED, 0, 0);
}

void TbsTrayIcon::HideMainForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!OwnerControl() || !main) return;
    main->SetVisible(false);
    ShowWindow(Application->Handle(), SW_HIDE);
    main->Tag = kTrayFormTag;
}

bool TbsTrayIcon::AppWindowProc(TMessage& m) {
    try {
        if (m.Msg == WM_SIZE && m.WParam == SIZE_MINIMIZED && MinimizeToTray) {
            DoMinimizeToTray();
        } else if (m.Msg == WM_WINDOWPOSCHANGED && SettingMDIForm && Application->MainForm()) {
            if (Application->MainForm()->FormStyle() == fsMDIForm && MinimizedOnStart)
                ShowWindow(Application->Handle(), SW_HIDE);
            SettingMDIForm = false;
        } else if (m.Msg == g_taskbarCreated && FIconVisible) {
            ShowIcon();
        }
    } catch (...) {
        Application->HandleException();
    }
    return false;  // always on to the previous procedure
}

bool TbsTrayIcon::OwnerWindowProc(TMessage& m) {
    try {
        if (m.Msg == WM_ACTIVATE && (LOWORD(m.WParam) == WA_ACTIVE || LOWORD(m.WParam) == WA_CLICKACTIVE)) {
            TCustomForm* f = Screen ? Screen->ActiveCustomForm() : nullptr;
            TWinControl* c = f ? f->ActiveControl() : nullptr;
            if (c && c->HandleAllocated()) {
                TWinControl* host = c->Parent() ? c->Parent() : c;
                if (host->HandleAllocated() && host->Handle() != reinterpret_cast<HWND>(m.LParam))
                    SetFocus(c->Handle());
            }
        } else if (m.Msg == WM_SHOWWINDOW && m.WParam == 1 && m.LParam == 0) {
            ShowWindow(Application->Handle(), SW_RESTORE);
            SetForegroundWindow(Application->Handle());
            if (TWinControl* owner = OwnerControl()) SetForegroundWindow(owner->Handle());
        }
    } catch (...) {
        Application->HandleException();
    }
    return false;
}
