#pragma once
// TbsSkinFrame: the skinned frame of a form. The component joins the
// form's WindowProc chain (a TWindowProcHook, so it survives RecreateWnd
// and can leave in any order) and from then on answers the form's
// non-client messages: the client rectangle, painting of the frame,
// caption and caption buttons from the skin (or the default look without
// one), the window region from the skin's mask, hit testing, and the
// routing of non-client mouse input to its frame objects. A skin change of
// its store rebuilds the frame and walks the form's controls so every
// skinned control reloads its record.
//
// Dispatch of every message of the form: CheckPopupCloseMessage, the first
// dispatch (FirstPass), the form's previous procedure unless the first
// pass handled the message, then the second dispatch (SecondPass).
//
// Name map: FSD / FMSD = the skin store / the menus' store, FSkinSupport =
// a store with a skin is in use, FRgn = the window region now held by the
// window, RMTop.. = the mask strips of the current size, New* = the
// frame geometry at the current size (window coordinates), FFormWidth /
// FFormHeight = the frame size the geometry was computed for.
//
// Threads: UI thread only; the timers are TTimer components, except the
// fade-in's window timer 1 on the form (started on the class library's clock).

#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/Owners.h"
#include "platform/Timer.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/frame/bsSkinFrameObjects.h"

class TbsLayerManager;
class TCustomImageList;
class TbsSkinStatusBar;
class TbsClientInActivePanel;
class TbsSkinFrame;
class TbsSkinMDITabsBar;
class TbsFormLayerBorder;
class TbsSkinMenu;
class TbsSkinPopupMenu;
class TbsSkinPopupWindow;
class TbsSkinMainMenuBar;
class TbsTrayIcon;
class TbsSkinHint;

// What the MDI main form's frame needs of its menu bar: it shows the
// buttons of a maximized child and rebuilds its items when the active
// child's menu changes. The skinned main menu bar implements it.
class TbsMDIMenuBarLink {
public:
    virtual ~TbsMDIMenuBarLink() = default;
    // A child was maximized: show its caption buttons.
    virtual void MDIChildMaximized() = 0;
    // A child was restored, minimized or destroyed: remove or update them.
    virtual void MDIChildRestored() = 0;
    // The bar shows a child's menu or has one merged in.
    virtual bool ShowsChildMenu() const = 0;
    virtual void UpDateItems() = 0;
};

// Messages answered by the frame.
constexpr UINT CM_QUERYSKINNEDFRAME = 0xB1B2;
constexpr UINT CM_BEGINSMARTEFFECTS = 0xB1B3;
constexpr UINT CM_ENDSMARTEFFECTS = 0xB1B4;
// CM_PAINTFRAMETODC, CM_PAINTTODC and WM_CLOSESKINMENU:
// skin/controls/bsSkinCtrlsMessages.h.
constexpr UINT WM_MDICHILDRESIZE = WM_USER + 206;
constexpr UINT WM_MDICHILDMAX = WM_USER + 207;
constexpr UINT WM_MDICHILDRESTORE = WM_USER + 208;
constexpr UINT WM_TRAYRESTORED = WM_USER + 402;

enum TbsBorderIcon : unsigned {
    biSkinSystemMenu = 1,
    biSkinMinimize = 2,
    biSkinMaximize = 4,
    biRollUp = 8,
    biMinimizeToTray = 16
};
using TbsBorderIcons = unsigned;
enum TbsPositionInMonitor { bspDefault, bspScreenCenter, bspDesktopCenter };
enum TbsClientInActiveEffect { bsieSemiTransparent, bsieBlur };

// ---- quick buttons ----------------------------------------------------------------------------

class TbsQuickButtonItems;

class TbsQuickButtonItem {
public:
    explicit TbsQuickButtonItem(TbsQuickButtonItems* owner) : owner_(owner) {}
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    String Hint;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    TNotifyEvent OnClick;
    // Copies ImageIndex, Hint, Enabled and Visible (not OnClick).
    void Assign(const TbsQuickButtonItem& source);

    TRect ItemRect;
    bool Active = false;
    bool Down = false;

private:
    void Changed();
    TbsQuickButtonItems* owner_;
    int FImageIndex = -1;
    bool FEnabled = true;
    bool FVisible = true;
};

class TbsQuickButtonItems {
public:
    explicit TbsQuickButtonItems(TbsSkinFrame* ABSF) : BSF(ABSF) {}
    TbsQuickButtonItem* Add();
    TbsQuickButtonItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TbsQuickButtonItem* Items(int i) const { return items_.at(static_cast<size_t>(i)).get(); }
    TbsSkinFrame* Owner() const { return BSF; }
    void Assign(const TbsQuickButtonItems& source);
    // Repaints the frame of the owning form.
    void Changed();

    TbsSkinFrame* BSF;

private:
    std::vector<std::unique_ptr<TbsQuickButtonItem>> items_;
};

// ---- the frame --------------------------------------------------------------------------------

using TbsObjectMouseEvent = std::function<void(const String& IDName, int X, int Y, TRect ObjectRect, TMouseButton Button)>;
using TbsObjectMouseMoveEvent = std::function<void(const String& IDName, int X, int Y, TRect ObjectRect)>;
using TbsObjectNameEvent = std::function<void(const String& IDName)>;
using TbsObjectPaintEvent = std::function<void(const String& IDName, TCanvas* Canvas, TRect ObjectRect)>;
using TbsActivateCustomObjectEvent = std::function<void(const String& IDName, bool& ObjectVisible)>;
using TbsCaptionPaintEvent = std::function<void(TCanvas* Cnvs, TRect R, bool AActive)>;

class TbsSkinFrame : public TComponent {
public:
    // AOwner must be a form; anything else throws EInvalidCast.
    explicit TbsSkinFrame(TComponent* AOwner);
    ~TbsSkinFrame() override;

    static String GetProductVersion() { return L"7.81"; }

    // ---- stores and skinnable state (bsSkinFrame.cpp) --------------------------------------
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    TbsSkinData* MenusSkinData() const { return FMSD; }
    void SetMenusSkinData(TbsSkinData* Value) { FMSD = Value; }
    bool SkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool Value);
    bool UseRibbon() const { return FUseRibbon; }
    void SetUseRibbon(bool Value);
    bool GetFormActive() const;
    void SetEnabled(const String& AIDName, bool Value);
    void ApplySkinData();
    void ClearObjects();
    void SetFormBorderStyle(TFormBorderStyle BS);
    void SetFormStyle(TFormStyle FS);
    bool LayerFrameActive() const;
    // ---- moving and sizing (bsSkinFrameSizing.cpp) -----------------------------------------
    // The system shows window contents while they are dragged.
    static bool GetFullDrag();
    // The form is shown through a one-tick layered fade so that its layered
    // border appears with it (later systems, layered frame, no alpha asked).
    bool VistaLayerFrameShow() const;
    void BeforeChangeChildrenSkinData(TbsSkinData* AStore, TControl* AControl);
    void ChangeChildrenSkinData(TbsSkinData* AStore, TControl* AControl);

    // ---- geometry (bsSkinFrameGeometry.cpp) -------------------------------------------------
    void CalcRects();
    TRect CalcObjectRect(const TRect& R) const;
    void ArrangeObjects();
    void CalcDefRects();
    TRect GetDefCaptionRect();
    int GetDefCaptionHeight() const;
    int GetDefButtonSize() const;
    static TPoint GetIconSize();
    void PointToWindow(TPoint& P) const;
    void CreateObjects();
    void CreateDefaultObjects();
    // Answers WM_NCCALCSIZE: r is the proposed window rectangle, made the client one.
    void CalcClientRect(RECT& r);

    // ---- hit testing (bsSkinFrameGeometry.cpp) ----------------------------------------------
    int DefaultHitTest(TPoint P);
    int SkinHitTest(TPoint P);
    bool InCaptionDragArea(TPoint P) const;
    bool CanResize() const;

    // ---- painting (bsSkinFramePaint.cpp) ------------------------------------------------------
    void PaintNCSkin(HDC DC, bool AUseExternalDC);
    void PaintNCDefault(HDC DC, bool AUseExternalDC);
    void DrawSkinObject(TbsActiveSkinObject* AObject);
    void UpdateFrameForSize(bool AUpdate);
    void CreateFormRegion(bool ARecalc);
    bool PtInMask(TPoint P) const;
    void EnableShadow(bool AShowShadow, bool AHideFormBefore);
    bool GetAutoRenderingInActiveImage() const;
    void PaintBG(HDC DC);
    void PaintBG2(HDC DC);
    void PaintBG3(HDC DC);
    void PaintBGDefault(HDC DC);
    void PaintMDIBGDefault(HDC DC);
    void DrawLogo(TCanvas* Canvas);
    void DrawFormIcon(TCanvas* Canvas, int X, int Y);
    void UpdateChildrenBackground();
    // Paints the client background for WM_ERASEBKGND.
    void PaintClientBackground(HDC DC);
    // The region now held by the window (nullptr: none). Owned by the window.
    HRGN WindowRegion() const { return FRgn; }

    // ---- input and caption state (bsSkinFrameInput.cpp) ------------------------------------
    void TestActive(int X, int Y, bool AFlag);
    void ObjectsMouseMove(int X, int Y);
    void ObjectsDblClick();
    void ObjectsMouseDown(TMouseButton Button, int X, int Y);
    void ObjectsMouseUp(TMouseButton Button, int X, int Y);
    void CheckObjects();
    void UpdateObjectHints();
    // The object hint through SkinHint, when ShowObjectHint is on.
    void ShowObjectHintOf(TbsActiveSkinObject* AObject);
    void HideObjectHint();
    void ResetObjectsState();
    void SetCaptionActive(bool AAnimate);
    void ShowClientInActiveEffect();
    void HideClientInActiveEffect();
    int GetIndex(const String& AIDName) const;
    void UserObjectDraw(const String& AIDName);
    void LinkMenu(const String& AIDName, TPopupMenu* AMenu, bool APopupUp);
    TbsBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TbsBorderIcons Value);
    void ObjectPaintEvent(const String& IDName, TCanvas* Canvas, const TRect& R);
    void ObjectMouseUpEvent(const String& IDName, int X, int Y, const TRect& R, TMouseButton B);
    void ObjectMouseDownEvent(const String& IDName, int X, int Y, const TRect& R, TMouseButton B);
    void ObjectMouseMoveEvent(const String& IDName, int X, int Y, const TRect& R);
    void ObjectMouseEnterEvent(const String& IDName);
    void ObjectMouseLeaveEvent(const String& IDName);

    // ---- window states, roll-up, system menu, tray (bsSkinFrameStates.cpp) ---------------------
    // A skinnable form keeps its own state: maximizing and minimizing move
    // and size the form (the main form and MinimizeDefault forms are
    // minimized by the system and keep their stored state); MDI children
    // take the system's MDI states. Rolled up is a flag beside the state.
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    int RealHeight() const;
    void MinimizeToTray();
    void RestoreFromTray();
    TbsTrayIcon* TrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(TbsTrayIcon* Value);
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    // Nudges the width by one and back, so the system lays the form out anew.
    void RefreshFormSize();
    // The first free slot along the bottom of the work area for a minimized bar.
    TPoint GetMinimizedPosition() const;
    // The items of the system menu, built anew for the current state.
    TMenuItem* GetSysMenuItems();
    void CreateSysMenu();
    void UpdateUserSysMenu();
    // Opens the system menu as skinned levels at a screen point / below a rectangle.
    void PopupSystemMenu(int X, int Y);
    void PopupSystemMenuRect(const TRect& R);
    // Alt+Space: below the enabled system-menu button.
    void ShowSysMenuAtButton();
    // The form's OnShortCut while the frame is on it.
    void FormShortCut(WORD Key, TShiftState Shift, bool& Handled);
    TShortCutEvent OnShortCut;
    // Rolled up while maximized.
    bool MaxRollUpState = false;
    // Bounds before maximizing or minimizing; empty when none is stored.
    TRect OldBoundsRect;

    // ---- moving, snapping, first show and fade-in (bsSkinFrameStates.cpp) ---------------------
    // Snaps a proposed top-left position to the work area's edges (Magnetic).
    void MagneticMove(int& L, int& T, int W, int H);
    void ApplyPositionInMonitor();
    TPoint GetPositionInMonitor(int AX, int AY, int AW, int AH) const;
    bool HMagnetized = false, VMagnetized = false, HMagnetized2 = false, VMagnetized2 = false;
    TPoint FOnMouseDownCoord;
    bool FStartShow = true;
    bool FClientSizeShown = false;  // ApplyClientSize ran at the first show

    // ---- skin menus and key routing (bsSkinFrameMenus.cpp) ------------------------------------
    // Every opener of a skin menu calls SkinMenuOpen first: it hooks the
    // application's messages (keys go to the menu, the wheel is swallowed)
    // and raises OnSkinMenuOpen; SkinMenuClose undoes it.
    void SkinMenuOpen();
    void SkinMenuClose();
    void MainMenuExit();
    void MainMenuSkinMenuClose();
    void PopupSkinMenu(TPopupMenu* Menu, const TPoint& P);
    void PopupSkinMenu1(TPopupMenu* Menu, const TRect& R, bool PopupUp);
    void DoPopupMenu(TPopupMenu* Menu, int X, int Y);
    // Key routing while a menu is open (K in the low word of wParam).
    void SkinMenuKeyDown(WPARAM wParam, LPARAM lParam);
    void CancelDropDowns();
    bool InAppHook() const { return FInAppHook; }
    void HookApp();
    void UnHookApp();
    // The chain of popup levels of this form (owned).
    TbsSkinMenu* SkinMenu = nullptr;
    // The skinned menu bar of the form, when it has one (not owned).
    TbsSkinMainMenuBar* MainMenuBar = nullptr;
    bool InMenu = false;
    bool InMainMenu = false;
    bool UseSkinFontInMenu = true;
    int DefMenuItemHeight = 20;
    TFont* DefMenuItemFont() { return &FDefMenuItemFont; }
    TNotifyEvent OnSkinMenuOpen, OnSkinMenuClose, OnMainMenuEnter, OnMainMenuExit;

    // ---- properties ---------------------------------------------------------------------------
    TbsQuickButtonItems* QuickButtons() { return &FQuickButtons; }
    void SetQuickButtons(const TbsQuickButtonItems& Value) { FQuickButtons.Assign(Value); }
    TCustomImageList* QuickImageList() const { return FQuickImageList; }
    void SetQuickImageList(TCustomImageList* Value);
    bool QuickButtonsShowHint = false;
    bool ClientInActiveEffect = false;
    TbsClientInActiveEffect ClientInActiveEffectType = bsieSemiTransparent;
    bool DisableSystemMenu = false;
    bool AlwaysResize = false;
    TbsPositionInMonitor PositionInMonitor = bspDefault;
    TbsSkinStatusBar* StatusBar() const { return FStatusBar; }
    void SetStatusBar(TbsSkinStatusBar* Value);
    bool UseFormCursorInNCArea = false;
    int MaxMenuItemsInWindow = 0;
    // The client size the form keeps under every skin (0: not kept). It is
    // set again after each skin change and at the first show, when the form's
    // window exists and its frame's borders are known.
    int ClientWidth = 0, ClientHeight = 0;
    void ApplyClientSize();
    // Caption buttons disabled and hidden; takes effect at once on a shown form.
    bool HideCaptionButtons() const { return FHideCaptionButtons; }
    void SetHideCaptionButtons(bool Value);
    bool AlwaysShowInTray = false;
    TBitmap* LogoBitMap() { return &FLogoBitMap; }
    bool LogoBitMapTransparent = false;
    bool AlwaysMinimizeToTray = false;
    bool ShowIcon() const { return FShowIcon; }
    void SetShowIcon(bool v);
    bool MaximizeOnFullScreen = false;
    // Constant translucency: writing either applies it at once to the
    // form's window (WS_EX_LAYERED on or off, the alpha) outside loading.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value);
    bool AlphaBlendAnimation = false;
    // The hint that shows the hints of the frame objects (ShowObjectHint).
    TbsSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TbsSkinHint* Value);
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    bool MenusAlphaBlend = false, MenusAlphaBlendAnimation = false;
    BYTE MenusAlphaBlendValue = 200;
    TFont* DefCaptionFont() { return &FDefCaptionFont; }
    // Assigns the default-look caption font; the frame is repainted when no skin is in use.
    void SetDefCaptionFont(TFont* Value);
    TFont* DefInActiveCaptionFont() { return &FDefInActiveCaptionFont; }
    bool UseDefaultSysMenu = true;
    TPopupMenu* SystemMenu = nullptr;
    int MinHeight = 0, MinWidth = 0, MaxHeight = 0, MaxWidth = 0;
    bool Magnetic = false;
    BYTE MagneticSize = 5;

    TbsCaptionPaintEvent OnCaptionPaint;
    TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData, OnActivate, OnDeActivate;
    TNotifyEvent OnMinimize, OnRestore, OnMaximize, OnMinimizeToTray, OnRestoreFromTray, OnChangeRollUpState;
    TbsObjectMouseEvent OnMouseUpEvent, OnMouseDownEvent;
    TbsObjectMouseMoveEvent OnMouseMoveEvent;
    TbsObjectNameEvent OnMouseEnterEvent, OnMouseLeaveEvent;
    TbsObjectPaintEvent OnPaintEvent;
    TbsActivateCustomObjectEvent OnActivateCustomObject;

    // ---- public state used by the objects and the other frame parts -----------------------
    TCustomForm* FForm = nullptr;
    std::vector<std::unique_ptr<TbsActiveSkinObject>> ObjectList;
    bool PreviewMode = false;
    bool AlwaysDisableLayeredFrames = false;
    bool FBorderLayerChangeSize = false;
    bool MinimizeDefault = false;
    TbsLayerManager* FLayerManager = nullptr;
    TbsLayerManager* FMenuLayerManager = nullptr;
    // The layered outer border (owned; shown while LayerFrameActive).
    TbsFormLayerBorder* FLayerBorder = nullptr;
    TTimer* MouseTimer = nullptr;
    TTimer* MorphTimer = nullptr;
    TTimer* AnimateTimer = nullptr;

    bool FSkinSupport = false;
    bool FFormActive = false;
    bool FStopPainting = false;
    bool FInChangeSkinData = false;
    bool FSizeMove = false;
    bool FClientInActiveDraw = false;
    bool FSmartEffectsShow = false;
    bool FHaveShadow = false;
    int ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    int FFormWidth = 0, FFormHeight = 0;
    // The form's position as last reported, and as at the last layered-border update.
    int FFormLeft = 0, FFormTop = 0, FOldFormLeft = 0, FOldFormTop = 0;
    // A full-window size step is under way; the system drags full windows.
    bool FSizing = false, FFullDrag = false;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect, NewCaptionRect, NewButtonsRect, NewMaskRectArea, NewDefCaptionRect;
    int NewButtonsOffset = 0;
    bool NewButtonsInLeft = false;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    TBitmap RMTop, RMLeft, RMBottom, RMRight;
    COLORREF BlackColor = RGB(0, 0, 0);

    // ---- MDI (bsSkinFrameMDI.cpp) -------------------------------------------------------------
    // What the main form's menu bar does for maximized children, and its
    // tab bar (nullptr: none).
    TbsMDIMenuBarLink* MDIMenuBar = nullptr;
    TbsSkinMDITabsBar* MDITabsBar = nullptr;
    // (Accept): a child's frame may keep its form off the tab bar.
    std::function<void(bool& Accept)> OnAcceptToMDITabsBar;
    TRect GetMDIWorkArea() const;
    TCustomForm* GetMaximizedChild() const;
    bool GetMDIChildMaximized() const { return FMDIChildMaximized; }
    void ResizeMDIChildren();
    void ArrangeMinimizedChildren();
    void AddChildToMenu(TCustomForm* Child);
    void DeleteChildFromMenu(TCustomForm* Child);
    void MDIItemClick(TObject* Sender);
    void UpDateChildCaptionInMenu(TCustomForm* Child);
    void UpDateChildActiveInMenu();
    void AddChildToBar(TCustomForm* Child);
    void DeleteChildFromBar(TCustomForm* Child);
    void RefreshMDIBarTab(TCustomForm* Child);
    void UpdateMainMenuBar();
    void UpdateMDITabsBar();
    void Tile();
    void Cascade();
    void MinimizeAll();
    void MaximizeAll();
    void CloseAll();
    void RestoreAll();
    // The main form's default caption: its text, and " - [child]" while a
    // child is maximized.
    String MDICaption() const;
    // Answers the messages between the frames of an MDI form and its children.
    bool HandleMDIMessage(TMessage& m);
    // An MDI child's window is being destroyed.
    void ChildGoing();
    // The MDI client window's procedure while the main form's frame has it
    // (bsSkinFrameMDIClient.cpp): skinned background, no border.
    void ClientWindowProc(TMessage& m);
    void HookMDIClient();
    void UnhookMDIClient();
    // A child's state change told to the main form's frame (WM_MDICHILDMAX,
    // WM_MDICHILDRESTORE); nothing for other forms.
    void TellMainOfChildState(UINT Msg);
    void MaximizeMDIChild();
    TPoint GetMDIMinimizedPosition() const;
    void MDIChildMouseActivate();
    void RepaintMainFrameForMaximizedChild();

    // The whole window procedure of the form (public for tests of the dispatch).
    void FormWindowProc(TMessage& m, const TWndMethod& next);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // bsSkinFrame.cpp
    void CheckPopupCloseMessage(const TMessage& m);
    // The form is shown, or hidden into the tray or being restored from it
    // (its Tag is kTrayFormTag): its layered border goes with it.
    bool ShownOrInTray() const;
    bool FirstPass(TMessage& m, const TWndMethod& next);
    void SecondPass(TMessage& m);
    // bsSkinFrameSizing.cpp
    void HandleSize(TMessage& m, const TWndMethod& next);
    void HandleSizing(TMessage& m, const TWndMethod& next);
    void EnterSizeMove();
    void ExitSizeMove();
    void WindowPosChanged(const WINDOWPOS& wp);
    void ShowLayerBorderWithForm();
    void HandleActivate(TMessage& m, const TWndMethod& next);
    void HandleNCActivate(TMessage& m, const TWndMethod& next);
    void HandleSkinMessage(TMessage& m);
    // The layered border follows the form's state (bsSkinFrame.cpp).
    void UpdateLayerBorder(bool AShow);
    bool HandlePaintToDC(TMessage& m, LRESULT answer, bool always);
    void BeforeChangeControlSkinData(TbsSkinData* AStore, TControl* C);
    void ChangeControlSkinData(TbsSkinData* AStore, TControl* C);
    void UpdateFormBorderIcons();
    bool FrameDrawn() const;
    bool IsMaximized() const;
    bool IsMinimized() const;
    void RepaintFrame();
    // After a restore from the tray: the main form, then the first shown
    // stay-on-top form, come to the foreground.
    void BringRestoredFormsForward();
    TPoint MessagePoint(const TMessage& m) const;
    // bsSkinFrameMenus.cpp
    void AppMessageHook(MSG& Msg, bool& Handled);
    void CopyMenuSettings();
    void SysKeyMenu();
    void ClosePopupsFor(const TMessage& m);
    // bsSkinFrameInput.cpp
    void MouseTimerProc();
    void AnimateTimerProc();
    void MorphTimerProc();
    void NCMouseDown(TMessage& m, TMouseButton button, bool dblClick);
    // bsSkinFrameStates.cpp
    void DoMinimize();
    void DoMaximize();
    void DoRestore();
    void SetSystemWindowState(TWindowState Value);
    bool OwnsWindowStates() const;
    void CaptionDoubleClick();
    void HandleMoving(RECT& r);
    void StartShow(bool shown);
    void FadeInTimer();
    bool FadeWanted() const;
    void CreateSysTrayMenu();
    TMenuItem* AddSysItem(TMenuItem* root, int index, const String& name, const String& key,
                          const String& caption, TNotifyEvent click);
    String SysCaption(const String& key, const String& builtIn) const;

    TbsSkinData* FSD = nullptr;
    TbsSkinData* FMSD = nullptr;
    bool FSkinnableForm = true;
    bool FUseRibbon = false;
    bool FIsVistaOs = false;
    bool FIsLayerEnabled = false;
    bool FShowIcon = false;
    bool FHideCaptionButtons = false;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    TbsSkinHint* FSkinHint = nullptr;
    TbsSkinStatusBar* FStatusBar = nullptr;
    TCustomImageList* FQuickImageList = nullptr;
    TWindowState FWindowState = wsNormal;
    bool FRollUpState = false;
    int OldHeight = 0;
    TbsBorderIcons FBorderIcons = biSkinSystemMenu | biSkinMinimize | biSkinMaximize | biRollUp;
    TbsQuickButtonItems FQuickButtons;
    TBitmap FLogoBitMap;
    TFont FDefCaptionFont, FDefInActiveCaptionFont;
    HRGN FRgn = nullptr;
    std::unique_ptr<TIcon> FIcon;
    TbsClientInActivePanel* FClientPanel = nullptr;
    std::unique_ptr<TWindowProcHook> hook_;
    bool FMDIChildMaximized = false;
    HWND FClientWnd = nullptr;
    WNDPROC FPrevClientProc = nullptr;
    bool ClientBackgroundStretches() const;
    bool FInAppHook = false;
    TApplication::TMessageHooks::Token FAppHookToken;
    TFont FDefMenuItemFont;
    bool FRollUpBeforeMaximize = false;
    TPopupMenu* FSysMenu = nullptr;
    TbsSkinPopupMenu* FSysTrayMenu = nullptr;
    TbsTrayIcon* FTrayIcon = nullptr;
    bool FInShortCut = false;
    struct TShortCutLink {
        TbsSkinFrame* frame = nullptr;
        TShortCutEvent previous;
    };
    std::shared_ptr<TShortCutLink> FShortCutLink;
    // Expires with the frame: code that pumps messages checks it afterwards.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// ---- MDI arrangements ---------------------------------------------------------------------------

// Bounds of N children tiled in a W x H work area, by child index (in the
// main form's child order): columns filled from the bottom-right corner.
std::vector<TRect> ComputeMDITile(int N, int W, int H);
// Bounds of children cascaded in a W x H work area with step S; ownSize[i]
// holds a child's own size when it keeps it (fixed border), else (0, 0).
std::vector<TRect> ComputeMDICascade(const std::vector<SIZE>& ownSize, int W, int H, int S, int MinW, int MinH);

// ---- lookups --------------------------------------------------------------------------------

// The first TbsSkinFrame among AForm's components; nullptr for none.
TbsSkinFrame* FindSkinFormComponent(TCustomForm* AForm);
// The frame of the first MDI child of the main form whose frame is maximized.
TbsSkinFrame* GetMaximizedChildSkinForm();
// The frame of the main form's active MDI child.
TbsSkinFrame* GetActiveChildSkinForm();
