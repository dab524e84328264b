#pragma once
// TbsSkinMDITabsBar: one tab per MDI child of the main form. A click brings
// the child to the front, a close button on the tab closes it, a right
// click opens the child's skinned system menu, tabs are reordered by
// dragging, a button at the left end lists all children and one at the
// right end the tabs without room. The children's frames add and remove
// their tabs through the main form's frame (its MDITabsBar), which also
// tells the bar of the active child and captions. The look comes from the
// control record named by SkinDataName ("tab"); without one, from system
// colours.
//
// Name map: ObjectList = the tabs in order, DX = where a press began,
// TabDX = the drag offset, FInVisibleCount = tabs without room,
// FBottomOffset = the strip under the tabs (the record's ClRect.Top).
//
// Threads: UI thread only.

#include <memory>
#include <vector>

#include "skin/controls/bsSkinCtrls.h"

class TbsSkinMDITabsBar;
class TbsSkinFrame;
class TbsSkinMenuSpeedButton;
class TbsSkinPopupMenu;
class TbsDataSkinButtonControl;

class TbsMDITab {
public:
    TbsMDITab(TbsSkinMDITabsBar* AParentBar, TCustomForm* AChild) : TabsBar(AParentBar), Child(AChild) {}
    // Draws the tab at its place on canvas Cnvs, in the bar's look.
    void Draw(TCanvas* Cnvs);
    TbsSkinMDITabsBar* TabsBar;
    TCustomForm* Child;
    bool Active = false, MouseIn = false, Visible = false;
    TRect ObjectRect;
    // The close button, relative to ObjectRect's top-left corner.
    TRect ButtonRect;
    bool ButtonMouseIn = false, ButtonMouseDown = false;
    TColor TextFontColor = clBtnText;

private:
    void DefaultDraw(TBitmap& B);
    void SkinSizeDraw(TBitmap& B);
    void ButtonDraw(TBitmap& B);
    void ResizeDraw(TBitmap& B);
    // The caption into R of the tab's bitmap; the draw-params event first
    // when asked.
    void DrawCaption(TCanvas* C, TRect R, TColor Color, bool AskParams);
    void DrawCloseButton(TCanvas* Cnvs, const TRect& R);
};

enum TbsSkinMDITabKind { bstkTab, bstkButton };
using TbsMDITabMouseEvent = std::function<void(TMouseButton Button, TShiftState Shift, TbsMDITab* MDITab)>;
using TbsMDITabEvent = std::function<void(TbsMDITab* MDITab)>;
using TbsMDITabGetDrawParamsEvent = std::function<void(TbsMDITab* MDITab, TCanvas* Cnvs)>;

class TbsSkinMDITabsBar : public TbsSkinControl {
public:
    explicit TbsSkinMDITabsBar(TComponent* AOwner);
    ~TbsSkinMDITabsBar() override;

    bool ShowCloseButtons = false;
    TbsSkinMDITabKind TabKind() const { return FTabKind; }
    void SetTabKind(TbsSkinMDITabKind v);
    TbsSkinFrame* bsSkinFrame() const { return BSF; }
    void SetSkinFrame(TbsSkinFrame* v);
    bool SupportChildMenus = true, UseSkinSize = true, UseSkinFont = true, MoveTabs = true;
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    int DefaultTabWidth = 100;
    int MinTabWidth = 0;
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v) { FDefaultFont.Assign(v); }
    TbsMDITabEvent OnTabMouseEnter, OnTabMouseLeave;
    TbsMDITabMouseEvent OnTabMouseDown, OnTabMouseUp;
    // Just before a tab's caption is drawn: the handler may change the font.
    TbsMDITabGetDrawParamsEvent OnTabGetDrawParamsEvent;

    void AddTab(TCustomForm* Child);
    void DeleteTab(TCustomForm* Child);
    int GetTabIndex(int X, int Y) const;
    TbsMDITab* GetTab(int X, int Y) const;
    int GetCloseSize() const;
    void UpdateActiveTab();
    // Draws the tabs of Child again.
    void RefreshTabOf(TCustomForm* Child);
    // Lays the tabs out for the bar's width (also done before each paint).
    void CalcTabRects();
    int GetDropIndex() const;
    void ChangeSkinData() override;
    void AdjustClientRect(TRect& rect) override;

    int TabCount() const { return static_cast<int>(ObjectList.size()); }
    TbsMDITab* Tabs(int i) const { return ObjectList.at(static_cast<size_t>(i)).get(); }
    int InVisibleCount() const { return FInVisibleCount; }
    bool Dragging() const { return IsDrag; }
    // The two list buttons (nullptr while absent) and their menus.
    TbsSkinMenuSpeedButton* ListButton() const { return FListButton; }
    TbsSkinMenuSpeedButton* HideListButton() const { return FHideListButton; }
    TbsSkinPopupMenu* ListMenu() const { return FListMenu; }
    TbsSkinPopupMenu* HideListMenu() const { return FHideListMenu; }
    void FillListMenu();
    void FillHideListMenu();

    // Skin fields (from the record, GetSkinData).
    TBitmap* Picture = nullptr;
    TRect TabRect, ActiveTabRect, MouseInTabRect, TabsBGRect, SkinRect, ClRect;
    TRect CloseButtonRect, ClosebuttonActiveRect, CloseButtonDownRect;
    int TabLeftOffset = 0, TabRightOffset = 0;
    String FontName = L"Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = clBtnText, ActiveFontColor = clBtnText, MouseInFontColor = clBtnText;
    bool TabStretchEffect = false, ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    int FBottomOffset = 0, FActiveTabOffset = 0;
    int FCloseSize = 14;
    // A tab record with its picture (else the plain look).
    bool Skinned() const { return FIndex != -1 && Picture; }
    // The store's control record `name` when it is a button record.
    TbsDataSkinButtonControl* ButtonRecord(const String& name) const;

protected:
    void GetSkinData() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& m) override;

private:
    void TrackTab(int X, int Y);
    void DrawTabs(TCanvas* C);
    void BringChildForward(TCustomForm* Child);
    void PopupChildMenu(TbsMDITab* Tab, int X, int Y);
    TbsSkinMenuSpeedButton* NewListButton(TAlign Align, int ArrowKind, TbsSkinPopupMenu* Menu);
    void FreeListButton(TbsSkinMenuSpeedButton*& B);
    void FillMenu(TbsSkinPopupMenu* Menu, const String& Suffix, bool HiddenOnly);
    void ShowChildNamed(const String& ItemName, const String& Suffix);
    // Drops the tab at index i (no events: its child may be going).
    void RemoveTabAt(int i);

    std::vector<std::unique_ptr<TbsMDITab>> ObjectList;
    int ActiveTabIndex = -1, OldTabIndex = -1;
    bool FDown = false, IsDrag = false;
    int DragIndex = -1, DX = 0, TabDX = 0;
    int FInVisibleCount = 0;
    int FDragLimit = 0;
    int FDefaultHeight = 21;
    TbsSkinMDITabKind FTabKind = bstkTab;
    TbsSkinFrame* BSF = nullptr;
    TFont FDefaultFont;
    TbsSkinMenuSpeedButton* FListButton = nullptr;
    TbsSkinMenuSpeedButton* FHideListButton = nullptr;
    TbsSkinPopupMenu* FListMenu = nullptr;
    TbsSkinPopupMenu* FHideListMenu = nullptr;
};
