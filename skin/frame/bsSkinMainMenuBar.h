#pragma once
// TbsSkinMainMenuBar: the skinned menu bar of a form. It shows the
// top-level items of a TMainMenu, opens their sub-menus as skin menu chains
// through the form's frame, follows the mouse (polled, 50 ms) and the keys
// the frame routes to it while the menu is in use, and lists the items that
// do not fit behind an arrow marker at its right end.
//
// The frame calls EnterMenuMode (Alt or F10), LeaveMenuMode, ReleaseDownItem,
// CheckAccelerator, SelectNextItem, SelectPrevItem and OpenSelectedItem
// (see TbsSkinFrame::SkinMenuKeyDown). Items are told apart by identity
// (their index in ObjectList and the menu item they show), never by name:
// menus built in code have empty names.
//
// Threads: UI thread only.

#include <memory>
#include <vector>

#include "platform/Menus.h"
#include "platform/Timer.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/frame/bsSkinFrame.h"

class TbsSkinMainMenuBar;

// A main menu that carries a skin store.
class TbsSkinMainMenu : public TMainMenu {
public:
    using TMainMenu::TMainMenu;
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* v);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TbsSkinData* FSD = nullptr;
};

// One top-level item on the bar.
class TbsSkinMainMenuBarItem {
public:
    TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* AParent, TbsDataSkinMainMenuBarItem* AData, TMenuItem* AItem);
    void Draw(TCanvas* Cnvs);
    void MouseEnter();
    void MouseLeave();
    void MouseDown();
    void SetItemDown(bool Value);
    void PopupItemMenu();
    // Hover blend (0 normal .. 1 hot) and frame animation.
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double v);
    bool EnableMorphing() const;
    bool EnableAnimation() const;
    bool CanMorphing() const;
    void DoMorphing();
    void RedrawOrMorph();
    TRect GetAnimationFrameRect() const;

    TbsSkinMainMenuBar* Parent;
    TMenuItem* MenuItem;
    bool FSkinSupport = false;
    bool FMouseIn = false, FDown = false, Active = false;
    bool Enabled = true, OldEnabled = true;
    // Fits on the bar (items past the right end are hidden behind the marker).
    bool Visible = true;
    TRect ObjectRect;
    // Copied from the skin's record (never written back).
    TRect SkinRect, ActiveSkinRect, DownRect, TextRct;
    // The store's picture the record names (ActivePictureIndex); the item's
    // looks are cut from it. Not owned; nullptr: none.
    TBitmap* Picture = nullptr;
    int LO = 0, RO = 0;
    bool StretchEffect = false;
    String FontName = L"Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0, AnimateInterval = 25, CurrentFrame = 0;
    bool InActiveAnimation = false;

private:
    void Layout(TCanvas* Cnvs);
    void SetupFont(TCanvas* C);
    void DrawDefault(TCanvas* Cnvs);
    void DrawSkinned(TCanvas* Cnvs);
    void ComposeSkinned(TBitmap& b, TCanvas* Cnvs, const TRect& R, bool hot);
    double FMorphKf = 0;
};

// One of the four buttons of a maximized MDI child on the bar (system
// menu, close, restore, minimize). A button whose record the skin lacks
// keeps the command of its place and the default look.
class TbsSkinMainMenuBarButton {
public:
    String IDName;
    TbsStdCommand Command = cmDefault;
    bool Enabled = true, FDown = false;
    TRect ObjectRect;
    // The record's pictures (FromRecord), drawn from the bar's Picture.
    bool FromRecord = false;
    TRect SkinRect, ActiveSkinRect, DownRect;
    // The store's picture the record names (ActivePictureIndex).
    TBitmap* Picture = nullptr;
};

// The bar is also the main form's link for maximized MDI children: it
// shows their buttons while one is maximized (the frame calls the
// TbsMDIMenuBarLink operations).
class TbsSkinMainMenuBar : public TbsSkinControl, public TbsMDIMenuBarLink {
public:
    explicit TbsSkinMainMenuBar(TComponent* AOwner);
    ~TbsSkinMainMenuBar() override;

    TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* v);
    TbsSkinFrame* bsSkinFrame() const { return BSF; }
    void SetSkinFrame(TbsSkinFrame* v);
    void CreateMenu();
    void UpDateItems() override;
    void UpDateEnabledItems();

    // Keyboard, as the frame drives it.
    void EnterMenuMode();
    void LeaveMenuMode();
    void ReleaseDownItem();
    bool CheckAccelerator(WORD Key);
    void SelectNextItem();
    void SelectPrevItem();
    bool OpenSelectedItem();
    void PopupOverflowMenu();

    // The hot tracking of a point of the bar ((-1, -1): none).
    void TestActive(int X, int Y);
    void PaintBar(TCanvas* C);
    void DrawBarObject(TbsSkinMainMenuBarItem* item);
    TRect MarkerRect() const;
    // The number of items that fit on the bar.
    int FittingCount() const;

    bool ScrollMenu = true;
    bool UseSkinFont = true;
    TFont* DefItemFont() { return &FDefItemFont; }
    bool PopupToUp = false;
    std::function<void(TMenuItem*)> OnItemMouseEnter, OnItemMouseLeave;
    TNotifyEvent OnMouseEnter, OnMouseLeave;
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);

    bool FSkinSupport = false;
    bool MenuActive = false;
    bool Scroll = false;
    bool MarkerActive = false;
    int ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    TRect NewItemsRect;
    TRect BarSkinRect, ItemsRect;
    String MenuBarItem;
    int TrackMarkColor = 0, TrackMarkActiveColor = 0;
    TBitmap* Picture = nullptr;
    bool StretchEffect = false, ItemTransparent = false;
    std::vector<std::unique_ptr<TbsSkinMainMenuBarItem>> ObjectList;
    TTimer* MouseTimer;
    TTimer* MorphTimer;
    TTimer* AnimateTimer;

    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& m) override;

    // ---- MDI buttons (bsSkinMainMenuBarMDI.cpp) ---------------------------------------------
    void MDIChildMaximized() override;
    void MDIChildRestored() override;
    // A menu merged in (Merge), else the main menu of the application main
    // form's active MDI child; nullptr when none.
    TMainMenu* GetChildMainMenu() const;
    void Merge(TMainMenu* Menu);
    void UnMerge();
    // The items come from a child menu, or did at the last build.
    bool ShowsChildMenu() const override { return ChildMenuIn || GetChildMainMenu(); }
    bool ChildMenuIn = false;
    void CreateMDIButtons();
    void DeleteMDIButtons();
    void CheckMDIButtons(TbsBorderIcons Icons);
    // The button at a bar point, or nullptr.
    TbsSkinMainMenuBarButton* MDIButtonAt(int X, int Y) const;
    void MDIButtonDown(TbsSkinMainMenuBarButton* B);
    void MDIButtonUp(int X, int Y);
    void RunMDICommand(TbsSkinMainMenuBarButton* B);
    // In the list's order: system menu, close, maximize (restore), minimize.
    std::vector<std::unique_ptr<TbsSkinMainMenuBarButton>> MDIButtons;
    bool FMDIChildMax = false;
    String CloseButton = L"CloseButton", MinButton = L"MinButton", MaxButton = L"MaxButton",
           SysMenuButton = L"SysMenuButton";

protected:
    void GetSkinData() override;
    void Paint() override {}
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    void CalcItemsRect();
    void PlaceMDIButtons();
    void DrawMDIButton(TCanvas* C, const TbsSkinMainMenuBarButton& B);
    void MouseTimerProc();
    void MorphTimerProc();
    void AnimateTimerProc();
    // The top-level items the bar shows: the main menu's, merged with the
    // child menu's by group (bsSkinMainMenuBarMDI.cpp).
    std::vector<TMenuItem*> BarMenuItems(TMainMenu* child) const;
    bool AnyItemDown() const;

    TMainMenu* FMainMenu = nullptr;
    TbsSkinFrame* BSF = nullptr;
    TbsSkinMainMenuBarButton* FPressed = nullptr;
    TFont FDefItemFont;
    TMainMenu* FMergeMenu = nullptr;
    int FDefaultWidth = 0, FDefaultHeight = 22;
};
