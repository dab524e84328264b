#pragma once
// TbsSkinMDITabsBar: one tab per MDI child of the main form. A click brings
// the child to the front, a close button on the tab closes it, tabs are
// reordered by dragging, and tabs without room are hidden. The children's
// frames add and remove their tabs through the main form's frame (its
// MDITabsBar), which also tells the bar of the active child and captions.
//
// Name map: ObjectList = the tabs in order, DX = where a press began,
// TabDX = the drag offset, FInVisibleCount = tabs without room.
//
// Threads: UI thread only.

#include <memory>
#include <vector>

#include "skin/controls/bsSkinCtrls.h"

class TbsSkinMDITabsBar;
class TbsSkinFrame;

class TbsMDITab {
public:
    TbsMDITab(TbsSkinMDITabsBar* AParentBar, TCustomForm* AChild) : TabsBar(AParentBar), Child(AChild) {}
    // Draws the tab at its place on canvas Cnvs (plain look).
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
    void DrawCloseButton(TCanvas* Cnvs, const TRect& R);
};

enum TbsSkinMDITabKind { bstkTab, bstkButton };
using TbsMDITabMouseEvent = std::function<void(TMouseButton Button, TShiftState Shift, TbsMDITab* MDITab)>;
using TbsMDITabEvent = std::function<void(TbsMDITab* MDITab)>;

class TbsSkinMDITabsBar : public TbsSkinControl {
public:
    explicit TbsSkinMDITabsBar(TComponent* AOwner);
    ~TbsSkinMDITabsBar() override;

    bool ShowCloseButtons = false;
    TbsSkinMDITabKind TabKind = bstkTab;
    TbsSkinFrame* bsSkinFrame = nullptr;
    bool SupportChildMenus = true, UseSkinSize = true, UseSkinFont = true, MoveTabs = true;
    int DefaultTabWidth = 100;
    int MinTabWidth = 0;
    TFont* DefaultFont() { return &FDefaultFont; }
    TbsMDITabEvent OnTabMouseEnter, OnTabMouseLeave;
    TbsMDITabMouseEvent OnTabMouseDown, OnTabMouseUp;

    void AddTab(TCustomForm* Child);
    void DeleteTab(TCustomForm* Child);
    int GetTabIndex(int X, int Y) const;
    TbsMDITab* GetTab(int X, int Y) const;
    int GetCloseSize() const { return 14; }
    void UpdateActiveTab();
    // Draws the tabs of Child again.
    void RefreshTabOf(TCustomForm* Child);
    // Lays the tabs out for the bar's width (also done before each paint).
    void CalcTabRects();
    int GetDropIndex() const;

    int TabCount() const { return static_cast<int>(ObjectList.size()); }
    TbsMDITab* Tabs(int i) const { return ObjectList.at(static_cast<size_t>(i)).get(); }
    int InVisibleCount() const { return FInVisibleCount; }
    bool Dragging() const { return IsDrag; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    // The skin's tab pictures are not drawn yet: a skinned bar shows the
    // plain tabs too.
    void CreateControlSkinImage(TBitmap* B) override { CreateControlDefaultImage(B); }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& m) override;

private:
    void TrackTab(int X, int Y);
    void DrawTabs(TCanvas* C);
    void BringChildForward(TCustomForm* Child);

    std::vector<std::unique_ptr<TbsMDITab>> ObjectList;
    int ActiveTabIndex = -1, OldTabIndex = -1;
    bool FDown = false, IsDrag = false;
    int DragIndex = -1, DX = 0, TabDX = 0;
    int FInVisibleCount = 0;
    int FDragLimit = 0;
    TFont FDefaultFont;
};
