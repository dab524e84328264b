#pragma once
// Skinned popup menus. A TbsSkinMenu (one per skinned frame, its SkinMenu)
// shows the children of a TMenuItem as a chain of levels: each level is a
// TbsSkinPopupWindow, a top-most popup that never activates, holding one
// TbsSkinMenuItem per visible child. TbsSkinPopupMenu is a TPopupMenu whose
// virtual Popup opens its items through the SkinMenu of its form's frame.
//
// Who calls what:
//   - the opener (frame, popup menu, menu bar, a control) calls the frame's
//     SkinMenuOpen first and then TbsSkinMenu::Popup / Popup2;
//   - the form's frame forwards WM_KEYDOWN to the last level's PopupKeyDown
//     and calls Hide when one of the IsPopupCloseMessage messages reaches
//     the form;
//   - a level polls the cursor (MouseTimer, 50 ms) and runs a command on a
//     left-button release.
// A level that closes is taken out of the chain and hidden at once, and
// freed once the message being handled is done (it may be closing from
// inside its own mouse or timer handling).
//
// Closing sends WM_CLOSESKINMENU (wParam 0, lParam 0) to the opening control
// and then, from Hide, to the form; a carried-out command sends
// WM_SKINMENUCOMMAND to the opening control. Order after a click on a
// command: levels gone, WM_CLOSESKINMENU to the opener, OnMenuClose,
// WM_CLOSESKINMENU to the form, the item's OnClick, WM_SKINMENUCOMMAND.
//
// Name map: SD / PW / DSMI = the level's skin store, popup-window record and
// menu-item object; MI = an entry's menu-item object; WItem = the entry whose
// submenu waits for WaitTimer; DCtrl = the control told about a command.
//
// Threads: UI thread only.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Timer.h"
#include "skin/bsSkinData.h"

constexpr UINT WM_SKINMENUCOMMAND = WM_USER + 205;

class TbsSkinMenu;
class TbsSkinPopupWindow;
class TbsSkinFrame;

// True for the messages that close an open skin menu when they reach its form.
bool IsPopupCloseMessage(UINT msg);

// The default marks of menu entries, in colour C at (X, Y).
void DrawMenuCheckMark(TCanvas* C, int X, int Y, TColor Color);
void DrawMenuArrowMark(TCanvas* C, int X, int Y, TColor Color);
void DrawMenuRadioMark(TCanvas* C, int X, int Y, TColor Color);

// A header band of a label record ("menuheader", "label"), Width wide: the
// record's picture part with its ends kept, and Caption drawn in the
// record's font (character set Charset) within its client part with the
// DrawText Flags.
void MakeLabelBand(TBitmap& Band, const TbsDataSkinLabelControl& Rec, TBitmap* Picture, int Width,
                   const String& Caption, UINT Flags, TFontCharset Charset);

// A separator: the caption "-". A header: a disabled item whose caption
// begins and ends with "-" (longer than nothing). Selectable: enabled and
// not a separator.
bool IsMenuSeparator(const TMenuItem* item);
bool IsMenuHeader(const TMenuItem* item);
bool IsMenuSelectable(const TMenuItem* item);

// Raises an alpha from 0 to target in steps of max(1, target div 15), one
// step whenever the tick source has moved on by more than 5 ms; setAlpha
// receives each value. The loop does not serve messages.
void RunFadeIn(int target, const std::function<DWORD()>& tick, const std::function<void(int)>& setAlpha);

// ---- one entry of a level ------------------------------------------------------------------

class TbsSkinMenuItem {
public:
    TbsSkinMenuItem(TbsSkinPopupWindow* AParent, TMenuItem* AMenuItem, TbsDataSkinMenuItem* AData);
    virtual ~TbsSkinMenuItem() = default;

    // Reactions (Kb: the keyboard moved the highlight).
    void MouseEnter(bool Kb);
    void MouseLeave();
    void MouseDown(int X, int Y);

    // Painting (bsSkinMenuPaint.cpp): at ObjectRect.TopLeft of Cnvs.
    void Draw(TCanvas* Cnvs);
    void DefaultDraw(TCanvas* Cnvs);
    // Redraws after a change of Active or Down (starting a transition when
    // the skin asks for one).
    void ReDraw();
    bool EnableMorphing() const;
    bool EnableAnimation() const;
    virtual bool CanMorphing();
    void DoMorphing();
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double v);

    TbsSkinPopupWindow* Parent;
    TbsDataSkinMenuItem* MI;
    TBitmap* ActivePicture = nullptr;
    TMenuItem* MenuItem;
    TRect ObjectRect;
    bool Active = false;
    bool Down = false;
    bool FVisible = true;
    bool WaitCommand = false;
    double FMorphKf = 0;
    int CurrentFrame = 0;

private:
    bool IsActiveLook() const { return Active || Down; }
    void DrawSkinImage(TBitmap* B, bool A, const TRect* framePart);
    void DrawHeaderBand(TBitmap* B);
    void DrawMarkPicture(TCanvas* C, const TRect& part, const TRect& r);
    void SetupFont(TCanvas* C, bool A);
};

// ---- one level -----------------------------------------------------------------------------

class TbsSkinPopupWindow : public TCustomControl {
public:
    TbsSkinPopupWindow(TComponent* AOwner, TbsSkinMenu* AParentMenu, TbsDataSkinPopupWindow* AData);
    ~TbsSkinPopupWindow() override;

    // Builds, sizes, places and shows the level against the screen rectangle R.
    void Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    void Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem, bool PopupUp);
    void Hide();
    void PaintMenu(HDC DC);
    // A virtual-key code forwarded by the form.
    void PopupKeyDown(int CharCode);
    // Mouse tracking at a point of the level (what MouseTimer does).
    void TrackMouse(int X, int Y);
    // A left-button release at a point of the level.
    void MouseUpAt(int X, int Y);

    bool CanScroll(int code) const;
    void ScrollUp(bool Cycle);
    void ScrollDown(bool Cycle);
    int GetLastStartIndex() const;
    int LevelIndex() const;

    TbsSkinMenu* ParentMenu;
    TbsSkinData* SD = nullptr;
    TbsDataSkinPopupWindow* PW = nullptr;
    // The level's own copy of the skin's first menu-item object (entries
    // may adjust it; the store's record stays as loaded).
    TbsDataSkinMenuItem* DSMI = nullptr;
    std::unique_ptr<TbsDataSkinMenuItem> FMenuItemData;
    TBitmap* WindowPicture = nullptr;
    TBitmap* MaskPicture = nullptr;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewItemsRect;
    std::vector<std::unique_ptr<TbsSkinMenuItem>> ItemList;
    int ActiveItem = -1, OldActiveItem = -1;
    int VisibleStartIndex = 0, VisibleCount = 0;
    bool Scroll = false, Scroll2 = false;
    int ScrollCode = 0;
    int ShowX = 0, ShowY = 0;
    int OMX = -1, OMY = -1;
    TCustomImageList* ImgL = nullptr;
    int GlyphWidth = 19;
    TTimer* MouseTimer;
    TTimer* MorphTimer;
    std::unique_ptr<TBitmap> FPaintBuffer;
    // The hint of the highlighted item.
    String LevelHint;

    void MorphTimerProc();
    void CalcItemRects();
    void StopScroll();
    void DrawScrollMarkers(TCanvas* C);
    // Inactive entries copy their background from here when the skin asks.
    void CreateMenuImage(TBitmap* B, bool DrawClient);

protected:
    void CreateParams(TCreateParams& p) override;
    void WndProc(TMessage& m) override;
    void Paint() override;

private:
    void CreateMenu(TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool Two);
    void AddEntries(TMenuItem* item, int from);
    void SetupCanvasFont();
    int EntryHeight(const TbsSkinMenuItem* e) const;
    void SizeLevel(bool Two);
    void PlaceLevel(const TRect& R, bool PopupByItem, bool PopupUp);
    void ShowLevel(const TRect& R, bool PopupByItem, bool PopupUp);
    void PreselectFirst();
    void MouseTimerProc();
    void StartScroll();
    void NextItem();
    void PriorItem();
    void DrawScrollAreaBG(TCanvas* C, const TRect& R);
    TRect TopScrollArea() const;
    TRect BottomScrollArea() const;
    void CloseFromHere();

    HRGN FRgn = nullptr;  // held by the window once set
};

// ---- the chain -----------------------------------------------------------------------------

class TbsSkinMenu : public TComponent {
public:
    TbsSkinMenu(TComponent* AOwner, TCustomForm* AForm);
    ~TbsSkinMenu() override;

    void Popup(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
               bool PopupUp);
    void Popup2(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
                TMenuItem* AItem2, bool PopupUp);
    void Hide();
    // Frees the levels from the last down to index N; N = 0 closes the chain.
    void CloseLevels(int N);
    void PopupSub(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    void PopupSub2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                   bool PopupUp);
    // The reaction of the chain to an entry (see the table in the source).
    void CheckItem(TbsSkinPopupWindow* Level, TbsSkinMenuItem* Entry, bool Click, bool Kb);
    // The last (deepest) level, or nullptr.
    TbsSkinPopupWindow* LastLevel() const { return FPopupList.empty() ? nullptr : FPopupList.back(); }

    bool Visible() const { return FVisible; }
    bool First() const { return FFirst; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    int DefaultMenuItemHeight() const { return FDefaultMenuItemHeight; }
    void SetDefaultMenuItemHeight(int v) { FDefaultMenuItemHeight = v; }
    TFont* DefaultMenuItemFont() { return &FDefaultMenuItemFont; }
    void SetDefaultMenuItemFont(TFont* v) { FDefaultMenuItemFont.Assign(v); }
    TNotifyEvent OnMenuClose;

    std::vector<TbsSkinPopupWindow*> FPopupList;
    TCustomForm* FForm;
    TControl* PopupCtrl = nullptr;
    TControl* DCtrl = nullptr;
    TTimer* WaitTimer;
    TbsSkinMenuItem* WItem = nullptr;
    TRect WorkArea;
    TbsSkinData* SkinData = nullptr;
    bool AlphaBlend = false;
    BYTE AlphaBlendValue = 150;
    bool AlphaBlendAnimation = false;
    int MaxMenuItemsInWindow = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void BeginChain(TControl* APopupCtrl, TbsSkinData* ASkinData);
    void StopDelay();
    void WaitTimerProc();
    void FreeLevel(TbsSkinPopupWindow* level);

    bool FVisible = false;
    bool FFirst = false;
    bool FUseSkinFont = true;
    int FDefaultMenuItemHeight = 20;
    TFont FDefaultMenuItemFont;
};

// Sends msg (wParam 0, lParam 0) to a control: to its window when it has
// one, else through Perform.
void SendToControl(TControl* c, UINT msg);

// ---- the popup menu ------------------------------------------------------------------------

class TbsSkinPopupMenu : public TPopupMenu {
public:
    explicit TbsSkinPopupMenu(TComponent* AOwner);
    // Shows Items at the screen point with no opening control (a control
    // that wants to hear of the close opens through Popup2 or
    // PopupForControl).
    void Popup(int X, int Y) override;
    // While a chain of this menu's items is open.
    bool IsOpen() const override;
    void PopupFromRect(const TRect& R, bool APopupUp);
    void Popup2(TControl* ACtrl, int X, int Y);
    void PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp);
    // Opens below (above) R for the control, which hears of the close
    // through WM_CLOSESKINMENU (PopupFromRect2).
    void PopupForControl(TControl* control, const TRect& R, bool up) override;

    TPoint PopupPoint() const { return FPopupPoint; }
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* v);
    TCustomForm* ComponentForm = nullptr;
    TbsSkinFrame* SkinComponent = nullptr;
    TNotifyEvent OnMenuClose;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TbsSkinFrame* FindFrame() const;
    void DoShow(TControl* ctrl, const TRect& R, bool PopupUp, bool needsSkin);

    TPoint FPopupPoint{-1, -1};
    TbsSkinData* FSD = nullptr;
};
