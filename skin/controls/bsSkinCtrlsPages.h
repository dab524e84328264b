#pragma once
// TbsSkinPageControl / TbsSkinTabSheet: the native page control with its
// frame, tab strip, tabs and empty background painted from a "tab" skin
// record (TbsDataSkinTabControl). The native control keeps the tab layout,
// hit testing and keys; this class reshapes its geometry through its
// messages (TCM_GETITEMRECT, TCM_ADJUSTRECT), paints everything itself,
// replaces the native tab arrows by a skinned up-down (TabScroller), shows a
// hot tab under the mouse and, with ShowCloseButtons, a close button on every
// tab: a click on it asks OnClose and hides (or frees) the page.
//
// Visible tabs are the pages whose TabVisible is set, numbered from 0.
//
// Name map: FIndex = the record's index (-1: plain), FActiveTabIndex = the
// visible index of the hot tab (-1: none), FCloseSize = room of a close
// button in each tab, FTempImages = the image list handed to the native
// control only to make room for images and close buttons.
//
// Threads: UI thread only.

#include <functional>
#include <memory>

#include "platform/ImgList.h"
#include "platform/PageControl.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/controls/bsSkinCtrlsUpDown.h"

class TbsSkinPageControl;

class TbsSkinCustomTabSheet : public TTabSheet {
public:
    explicit TbsSkinCustomTabSheet(TComponent* owner);
    ~TbsSkinCustomTabSheet() override;
    TBitmap* WallPaper() { return &FWallPaper; }
    void SetWallPaper(TBitmap* v);
    // Paints the sheet's background (wallpaper, skin or plain) onto dc.
    void PaintBG(HDC dc);
    // Close button of this page's tab, relative to the tab's top-left.
    TRect ButtonRect;
    bool ButtonMouseIn = false, ButtonMouseDown = false;
    void WndProc(TMessage& m) override;

protected:
    void PaintWindow(HDC dc) override;

private:
    TbsSkinPageControl* SkinPageControl() const;
    TBitmap FWallPaper;
};

class TbsSkinTabSheet : public TbsSkinCustomTabSheet {
public:
    using TbsSkinCustomTabSheet::TbsSkinCustomTabSheet;
};

using TbsCloseEvent = std::function<void(TObject* sender, bool& canClose)>;
using TbsDrawSkinTabEvent = std::function<void(int tabIndex, const TRect& rct, bool active, bool mouseIn, TCanvas* cnvs)>;

class TbsSkinPageControl : public TPageControl {
public:
    explicit TbsSkinPageControl(TComponent* owner);
    ~TbsSkinPageControl() override;

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* v);
    const String& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const String& v) { FSkinDataName = v; }
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v) { FDefaultFont.Assign(v); }
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int v);
    bool UseSkinFont = true;
    bool MouseWheelSupport = false;
    bool FreeOnClose = false;
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool v);
    bool TextInHorizontal() const { return FTextInHorizontal; }
    void SetTextInHorizontal(bool v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    // Tabs centred along the top edge; needs a fixed TabWidth (ignored
    // while TabWidth is 0). Puts the tabs on top in one row over the
    // parent's background.
    bool TabsInCenter() const { return FTabsInCenter; }
    void SetTabsInCenter(bool v);
    // Tabs start this many pixels from the left (0: not offset); above 0 it
    // puts the tabs on top in one row over the parent's background.
    int TabsOffset() const { return FTabsOffset; }
    void SetTabsOffset(int v);
    // The tab strip shows the parent's background instead of the skin's.
    bool TabsBGTransparent() const { return FTabsBGTransparent; }
    void SetTabsBGTransparent(bool v);
    // Tab content laid out like a button's: image by TabLayout, TabMargin
    // (-1 centred; values below -1 are refused) and TabSpacing.
    bool TabExtededDraw() const { return FTabExtendedDraw; }
    void SetTabExtededDraw(bool v);
    int TabMargin() const { return FTabMargin; }
    void SetTabMargin(int v);
    int TabSpacing() const { return FTabSpacing; }
    void SetTabSpacing(int v);
    TbsButtonLayout TabLayout() const { return FTabLayout; }
    void SetTabLayout(TbsButtonLayout v);
    // How far the tabs are moved right: TabsOffset, else with TabsInCenter
    // half of what the tabs leave free of the width (never below 0).
    int GetTabsOffset() const;

    TbsCloseEvent OnClose;
    TNotifyEvent OnAfterClose;
    TbsDrawSkinTabEvent OnDrawSkinTab;

    // Re-reads the skin and re-lays the tabs.
    void ChangeSkinData();
    void UpDateTabs();
    void HideTabs();
    void ShowTabs();
    void HideBorderAndTabs();
    void ShowBorderAndTabs();
    bool TabsHidden() const { return FHideTabs; }

    // The item rectangle of visible tab i as drawn.
    TRect GetItemRect(int i);
    // Visible tabs cut off at the right, and scrolled off at the left.
    int GetHiddenTabs();
    int GetLeftHiddenTabs();
    // The skinned tab scroller (nullptr while every tab fits).
    TbsSkinUpDown* TabScroller() const { return FSkinUpDown; }
    int HotTab() const { return FActiveTabIndex; }
    TTabSheet* VisiblePage(int tab) const;

    int FIndex = -1;
    // Copies of the skin record.
    TBitmap* Picture = nullptr;
    TRect SkinRect, ClRect, TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, TabsBGRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    String UpDown;
    int BGPictureIndex = -1;
    bool TabStretchEffect = false, ShowFocus = false;
    int FocusOffsetX = 0, FocusOffsetY = 0;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    TRect CloseButtonRect, ClosebuttonActiveRect, CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;

    void GetSkinData();
    bool Skinned() const { return FIndex != -1 && Picture != nullptr; }
    // Paints the control's own background while no tab is shown.
    void PaintSkinBackground(HDC dc, int w, int h, int sheetW, int sheetH);
    void WndProc(TMessage& m) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation op) override;
    void PaintWindow(HDC dc) override;
    void Change() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    void SetItemSize(int w, int h);
    int ItemHeight() const;
    void AdjustItemRect(RECT& r) const;
    void AdjustDisplayRect(RECT& r);
    bool HasVisibleTabs() const;
    int VisibleTabCount() const;
    TRect GetSelectedTabRect();
    void DrawDefaultBorder(TCanvas* c);
    void DrawSkinBorder(TCanvas* c);
    void DrawTabs(TCanvas* c);
    void DrawSkinTab(int tab, const TRect& r, TCanvas* c, bool mouseIn, bool active);
    void DrawTabFace(TBitmap* B, bool mouseIn, bool active, bool focused);
    void DrawTabImageAndText(TCanvas* c, int w, int h, int dy, TTabSheet* page, const String& text);
    void DrawCloseButton(TCanvas* c, const TRect& a, int bh, int bw, TbsSkinCustomTabSheet* page);
    void RepaintTabs();
    void UpdateHotTab(int x, int y);
    TRect CloseBox(int tab);
    void ClosePage();
    void CheckScroll();
    void ShowSkinUpDown();
    void HideSkinUpDown();
    void UpDownChange();
    void UpdateUpDownPosition();
    void UpdateTempImages();
    void ActivateNextPage();
    void ActivatePrevPage();

    TbsSkinData* FSD = nullptr;
    String FSkinDataName = L"tab";
    TFont FDefaultFont;
    int FDefaultItemHeight = 20;
    bool FShowCloseButtons = false, FTextInHorizontal = false;
    bool FTabsInCenter = false, FTabsBGTransparent = false, FTabExtendedDraw = false;
    int FTabsOffset = 0, FTabMargin = -1, FTabSpacing = 1;
    TbsButtonLayout FTabLayout = blGlyphLeft;
    // Centred or offset tabs move the mouse's X for the native hit test.
    bool TabsShifted() const { return FTabsInCenter || FTabsOffset > 0; }
    void PutTabsOnTop();
    bool FHideTabs = false, FHideBorder = false;
    TTabPosition FOldTabPosition = tpTop;
    bool FOldMultiLine = false;
    int FOldTabHeight = -1;
    int FCloseSize = 14;
    int FActiveTabIndex = -1, FOldActiveTabIndex = -1;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TCustomImageList> FTempImages;
    TbsSkinUpDown* FSkinUpDown = nullptr;
};
