#pragma once
// The panel family: TbsSkinPaintPanel (a panel with an owner-paint event),
// TbsSkinGroupBox (a caption-mode panel, record "groupbox"), TbsSkinToolBar
// (keeps its children centred and scrolls them with two arrows in its
// non-client area when they do not fit) and TbsSkinStatusBar (bottom
// aligned, with an optional size grip).
//
// The tool bar's scroll repeat is window timer 1 of the bar on the class
// library's clock. Its arrows are drawn from the skin's "resizebutton"
// record when that is a button record with a usable picture, else in the
// plain look.
//
// Name map (tool bar): SMax = scroll extent, SPosition = scroll position,
// SPage = client width, SOldPosition = the last applied position,
// FHSizeOffset = how much the bar has just grown, TimerMode = 0 none,
// 1 scrolling left, 2 scrolling right.
//
// Threads: UI thread only.

#include "skin/controls/bsSkinCtrlsPanel.h"

// (canvas, the panel's skin client rectangle)
using TbsPaintPanelEvent = std::function<void(TCanvas* cnvs, TRect r)>;

class TbsSkinPaintPanel : public TbsSkinPanel {
public:
    explicit TbsSkinPaintPanel(TComponent* owner);
    TbsPaintPanelEvent OnPanelPaint;
    void WndProc(TMessage& m) override;

protected:
    void PanelPaint(TCanvas* c) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
};

class TbsSkinGroupBox : public TbsSkinPanel {
public:
    explicit TbsSkinGroupBox(TComponent* owner);

protected:
    void GetSkinData() override;
};

// Hit-test answers of the tool bar's arrows.
constexpr LRESULT HTLEFTSCROLLARROW = 119;
constexpr LRESULT HTRIGHTSCROLLARROW = 120;

class TbsSkinToolBar : public TbsSkinPanel {
public:
    explicit TbsSkinToolBar(TComponent* owner);
    ~TbsSkinToolBar() override;

    bool AdjustControls() const { return FAdjustControls; }
    void SetAdjustControls(bool v) { FAdjustControls = v; }
    bool CanScroll() const { return FCanScroll; }
    void SetCanScroll(bool v);
    bool HotScroll = false;
    int ScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(int v) {
        if (v >= 0) FScrollOffset = v;
    }
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    void SetScrollTimerInterval(int v) {
        if (v >= 1) FScrollTimerInterval = v;
    }
    int WidthWithCaptions = 0, WidthWithoutCaptions = 0;
    bool AutoShowHideCaptions = false;
    bool ShowCaptions() const { return FShowCaptions; }
    // With AutoShowHideCaptions also each speed button's ShowCaption.
    void SetShowCaptions(bool v);
    bool Flat() const { return FFlat; }
    // Also each speed button's Flat.
    void SetFlat(bool v);
    // The image lists the child speed buttons paint from; a list freed
    // elsewhere is dropped. Images repaints the speed buttons.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* v);
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* v);
    // Also each speed button's and bevel's store.
    void SetSkinData(TbsSkinData* value) override;

    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& m) override;
    void CenterControls();
    void UpdateScrollState();

    // State (read by tests and the gallery).
    bool ArrowsVisible() const { return Buttons[0].Visible; }
    int ScrollPosition() const { return SPosition; }
    int ScrollMax() const { return SMax; }
    TRect ArrowRect(int i) const { return Buttons[i].R; }

protected:
    void GetSkinData() override;
    void AdjustClientRect(TRect& rect) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    void SetImageList(TCustomImageList*& field, TCustomImageList* v);
    void RepaintSpeedButtons();
    struct Arrow {
        TRect R;
        bool MouseIn = false, Down = false, Visible = false;
    };
    void SetArrowsVisible(bool v);
    void DrawScrollArrow(HDC dc, int i);
    void PaintArrows();
    void BeginArrowScroll(int mode);
    void EndArrowScroll();
    void StopScrollTimer();
    void ScrollStep(int mode);
    void ClearHotArrow();
    int ArrowAt(LRESULT hit) const { return hit == HTLEFTSCROLLARROW ? 0 : (hit == HTRIGHTSCROLLARROW ? 1 : -1); }
    bool NcMessage(TMessage& m);

    bool FAdjustControls = true;
    bool FCanScroll = false;
    int TimerMode = 0;
    int SMax = 0, SPosition = 0, SPage = 0, SOldPosition = 0;
    int FHSizeOffset = 0;
    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    Arrow Buttons[2];
    TbsDataSkinButtonControl* ButtonData = nullptr;
    bool FShowCaptions = false;
    bool FFlat = false;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
    bool FTimerRunning = false;
};

class TbsSkinStatusBar : public TbsSkinPanel {
public:
    explicit TbsSkinStatusBar(TComponent* owner);

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v);
    bool ShowGrip() const { return FShowGrip; }
    void SetShowGrip(bool v);
    void SetSkinData(TbsSkinData* value) override;
    TRect GetGripRect();
    void WndProc(TMessage& m) override;

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;

protected:
    void GetSkinData() override;
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;

private:
    bool GripShown() const { return FSizeGrip && FShowGrip; }
    void DrawGripTo(TCanvas* c);
    bool FSizeGrip = false;
    bool FShowGrip = true;
};

// The top a child of the given height takes in parent: centred in the skin
// client rectangle when parent is a tool bar that adjusts its controls,
// else top as asked.
int ToolBarCentredTop(TWinControl* parent, int top, int height);

// Draws the diagonal lines of a size grip in r.
void DrawGrip(TCanvas* c, const TRect& r, TColor light, TColor shadow);
