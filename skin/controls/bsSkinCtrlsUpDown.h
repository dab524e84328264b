#pragma once
// TbsTabScroller: a pair of arrow buttons side by side (the tab scroller of
// the skinned page control): plain look only, one step per click, no
// repeat. The full skinned up-down (TbsSkinUpDown) lives with the edits in
// skin/boxes, which this library cannot use; the two must keep distinct
// names, one program links both.
//
// The first button (right) adds Increment to Position, the second (left)
// subtracts it; a step past Min or Max is ignored. SetPosition fires
// OnChange, also when the value stays.
//
// Threads: UI thread only.

#include "skin/controls/bsSkinCtrls.h"

class TbsTabScroller : public TbsSkinCustomControl {
public:
    explicit TbsTabScroller(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    // Ignored outside Min..Max; otherwise stores and fires OnChange.
    void SetPosition(int v);
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    bool UseSkinSize = true;
    TNotifyEvent OnChange;

    // The rectangle of button i (0: up, at the right; 1: down, at the left).
    TRect ButtonRect(int i) const;

protected:
    // The stand-in knows no up-down record: it keeps the plain look.
    bool RecordFits(TbsDataSkinControl*) const override { return false; }
    void CreateControlDefaultImage(TBitmap* B) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    int ButtonAt(int x, int y) const;
    int FMin = 0, FMax = 100, FIncrement = 1, FPosition = 0;
    int FDownButton = -1;
};
