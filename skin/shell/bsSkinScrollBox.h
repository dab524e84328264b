#pragma once
// TbsSkinScrollBox: a container whose children may be larger than its
// client area. It has no bars of its own: two TbsSkinScrollBar controls
// placed by its user (usually beside it in the same parent) are linked
// through SetVScrollBar / SetHScrollBar; the box computes their ranges from
// the extent of its visible children, shows or hides them and moves the
// children when a bar moves. It draws a skinned or 1-pixel frame in its
// non-client area and a tiled or stretched skin background ("scrollbox"
// record; a TbsDataSkinScrollBoxControl may add a background picture).
//
// Name map: FOldVScrollBarPos / FOldHScrollBarPos = the bar positions the
// children's placement corresponds to; FVSizeOffset / FHSizeOffset = the
// growth of the last resize (consumed by the next range update);
// FInCheckScrollBars = a bar's visibility or the alignment is being changed
// (range updates are skipped meanwhile).
//
// Users call UpDateScrollRange after they changed the children.
//
// Threads: UI thread only.

#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

class TbsSkinScrollBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinScrollBox(TComponent* owner);
    ~TbsSkinScrollBox() override;

    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* bar);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* bar);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    // Stores the style and recreates the window.
    void SetBorderStyle(TbsSkinBorderStyle v);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool v) { FCanFocused = v; }
    // The record's background picture, -1 none.
    int BGPictureIndex = -1;

    // GetHRange, then GetVRange.
    void UpDateScrollRange();
    void GetVRange();
    void GetHRange();
    // Scrolls to a bar position (vertical: at most Max - PageSize).
    void VScroll(int pos);
    void HScroll(int pos);

    void SetBounds(int left, int top, int width, int height) override;
    void ChangeSkinData() override;
    void WndProc(TMessage& m) override;

protected:
    void GetSkinData() override;
    void CalcSize(int& w, int& h) override;
    void CreateParams(TCreateParams& p) override;
    void AdjustClientRect(TRect& rect) override;
    void Notification(TComponent* component, TOperation op) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void Paint() override;

private:
    // The children move by -d (a positive d scrolls the content up / left).
    void VScrollControls(int d);
    void HScrollControls(int d);
    void VScrollBarChange();
    void HScrollBarChange();
    // The range computation of one direction (shared by GetVRange/GetHRange).
    void GetRange(bool vertical);
    // Shows or hides a bar and lays the box and its children out again.
    void SetBarVisible(TbsSkinScrollBar* bar, bool visible);
    void UpdateCornerMarker();
    // The frame drawn into dc (window coordinates); false when there is none.
    bool PaintFrame(HDC dc);
    bool HasFrame();
    void CalcFrame(RECT* r);
    void PaintSkinBackground();
    bool HandleFrameRequest(TMessage& m);

    bool FClicksDisabled = false;
    bool FCanFocused = false;
    bool FInCheckScrollBars = false;
    TbsSkinScrollBar* FVScrollBar = nullptr;
    TbsSkinScrollBar* FHScrollBar = nullptr;
    int FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;
    int FVSizeOffset = 0, FHSizeOffset = 0;
    TbsSkinBorderStyle FBorderStyle = bvFrame;
};
