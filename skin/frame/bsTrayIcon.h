#pragma once
// TbsTrayIcon: an icon in the taskbar's notification area. It reports the
// mouse on the icon as events (a click is told from a double click by a
// timer of the double-click time), pops up its menu, cycles the icon
// through an image list, shows balloon tips, and can hide the application
// to the notification area when it is minimized. The shell's notifications
// arrive at a hidden window of the component; the application window and
// the owner form's window are subclassed (by identity, so they can leave in
// any order) for minimizing, the taskbar's restart and activation.
//
// Shell call results are returned by ShowIcon, HideIcon, ModifyIcon,
// Refresh, ShowBalloonHint and HideBalloonHint (true: the shell took it).
//
// Name map: IconData = the notify-icon record kept between calls,
// FClickStart / FClickReady = a left press is under way / its release came
// and waits for the click timer, IsDblClick = a double click came since.
//
// Threads: UI thread only; the timers run on the class library's clock.

#include <memory>

#include <windows.h>
#include <shellapi.h>

#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "platform/Subclass.h"
#include "platform/Timer.h"
#include "platform/UtilWindow.h"

class TCustomImageList;
class TbsSkinPopupMenu;

// The callback message of the notification icon.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 1024;
// The Tag the tray icon gives the main form it hides into the tray or
// restores from it; the form's frame clears it when it handles the restore.
constexpr int kTrayFormTag = -10000;

enum TbsBalloonHintIcon { bsbitNone, bsbitInfo, bsbitWarning, bsbitError };
using TbsCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;

class TbsTrayIcon : public TComponent {
public:
    explicit TbsTrayIcon(TComponent* AOwner);
    ~TbsTrayIcon() override;

    // ---- properties ----
    bool Enabled = true;
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TIcon* Icon() { return &FIcon; }
    // Takes a copy of Value and shows it.
    void SetIcon(TIcon* Value);
    TCustomImageList* IconList() const { return FIconList; }
    void SetIconList(TCustomImageList* Value);
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int Value);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    unsigned AnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(unsigned Value);
    // The skinned menu that the icon pops up.
    TbsSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TbsSkinPopupMenu* Value);
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;
    bool MinimizeToTray = true;

    TNotifyEvent OnClick, OnDblClick, OnBalloonHintClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TbsCycleEvent OnCycle;

    // ---- operations ----
    HWND Handle() const { return FWindow->Handle(); }
    HWND WindowHandle() const { return FWindowHandle; }
    virtual bool LoadDefaultIcon() { return true; }
    virtual bool ShowIcon();
    virtual bool HideIcon();
    virtual bool ModifyIcon();
    bool Refresh() { return ModifyIcon(); }
    bool ShowBalloonHint(const String& Title, const String& Text, TbsBalloonHintIcon IconType);
    bool HideBalloonHint();
    void ShowMainForm();
    void HideMainForm();
    static bool BitmapToIcon(TBitmap* Bitmap, TIcon* Icon, TColor MaskColor);

    // The record as it stands (for tests and the frame).
    const NOTIFYICONDATAW& Data() const { return IconData; }
    // The registered "TaskbarCreated" message.
    static UINT TaskbarCreatedMessage();

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Click();
    virtual void DblClick();
    virtual void Cycle(int NextIndex);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void DoMinimizeToTray();

    NOTIFYICONDATAW IconData{};

private:
    bool PrepareIconData();
    bool TrayWindowProc(TMessage& m);
    void TrayMouse(LPARAM what);
    void PopupStep(int X, int Y);
    void ClickTimerTick();
    void AnimateTimerTick();
    bool AppWindowProc(TMessage& m);
    bool OwnerWindowProc(TMessage& m);
    TWinControl* OwnerControl() const;

    bool FIconVisible = true;
    String FHint;
    bool FShowHint = true;
    TIcon FIcon;
    TCustomImageList* FIconList = nullptr;
    int FIconIndex = 0;
    bool FCycleIcons = false;
    unsigned FAnimateTimerInterval = 0;
    TbsSkinPopupMenu* FPopupMenu = nullptr;
    bool FClickStart = false, FClickReady = false, IsDblClick = false;
    bool SettingMDIForm = true;
    HWND FWindowHandle = nullptr;
    std::unique_ptr<platform::UtilWindow> FWindow;
    TTimer* AnimateTimer = nullptr;
    TTimer* ClickTimer = nullptr;
    std::unique_ptr<platform::WindowSubclass> FAppSubclass, FOwnerSubclass;
};
