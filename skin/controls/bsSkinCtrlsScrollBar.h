#pragma once
// TbsSkinScrollBar: a scroll bar drawn entirely by the program: two arrow
// buttons, a track and a thumb, plain or from a "hscrollbar"/"vscrollbar"
// record. The "up" button adds SmallChange and sits at the right (bottom)
// end; the "down" button subtracts it and sits at the left (top) end.
//
// Repeat: window timer 1 of the bar on the class library's clock; a held
// button or track steps at the press, waits 500 ms, then steps every 50 ms.
//
// Name map: Offset1/Offset2 = track coordinates of the thumb centre at the
// minimum and maximum, BOffset = the thumb centre's distance from Offset1,
// TimerMode = 0 none, 1 down button, 2 up button, 3 page towards the
// start, 4 page towards the end; parts: 0 thumb, 1 up, 2 down.
//
// Threads: UI thread only.

#include "skin/controls/bsSkinCtrls.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

class TbsSkinScrollBar : public TbsSkinCustomControl {
public:
    explicit TbsSkinScrollBar(TComponent* owner);
    ~TbsSkinScrollBar() override;

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    // The same clamping and store without OnChange.
    void SimplySetPosition(int v);
    void SetRange(int aMin, int aMax, int aPosition, int aPageSize);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v);
    bool Both() const { return FBoth; }
    void SetBoth(bool v);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int v);
    String BothSkinDataName = L"bothhscrollbar";
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool v);

    TNotifyEvent OnChange, OnUpButtonClick, OnDownButtonClick, OnLastChange, OnPageUp, OnPageDown;

    // Geometry (after CalcRects): part rectangles, thumb offsets.
    void CalcRects();
    TRect ButtonRect(int i) const { return Buttons[i].R; }
    int ThumbOffset1() const { return Offset1; }
    int ThumbOffset2() const { return Offset2; }
    // The position a thumb offset asks for (drag arithmetic).
    int CalcValue(double offset);

    bool FBoth = false;

    // Skin copies.
    TRect TrackArea, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
        DownDownButtonRect, ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1Skin = 0, ThumbOffset2Skin = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0, ThumbMinPageSize = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 0;

    void WndProc(TMessage& m) override;

protected:
    void GetSkinData() override;
    bool RecordFits(TbsDataSkinControl* record) const override;
    void CalcSize(int& w, int& h) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    struct Part {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };
    int Clamp(int v) const;
    bool Horizontal() const { return FKind == sbHorizontal; }
    int Along(int x, int y) const { return Horizontal() ? x : y; }
    void TestActive(int x, int y);
    void ButtonEnter(int i);
    void ButtonLeave(int i);
    void ButtonDown(int i, int x, int y);
    void ButtonUp(int i, int x, int y);
    void StartTimer(UINT ms);
    void StopTimer();
    void TimerStep();
    void StepDown();
    void StepUp();
    void DrawPlainPart(TCanvas* c, int i);
    void DrawSkinThumb(TBitmap* B);
    void Fire(const TNotifyEvent& e) {
        if (e) e(this);
    }

    String FNormalSkinDataName;
    int Offset1 = 0, Offset2 = 0, BOffset = 0;
    TRect NewTrackArea;
    bool FDown = false;
    int OMPos = 0, OldBOffset = 0;
    int MX = 0, MY = 0;
    bool MouseD = false;
    bool WaitMode = false;
    int FBothMarkerWidth = 19;
    bool FClicksDisabled = false;
    bool FCanFocused = false;
    int TimerMode = 0;
    int ActiveButton = -1, OldActiveButton = -1, CaptureButton = -1;
    Part Buttons[3];
    int FMin = 0, FMax = 100, FSmallChange = 1, FLargeChange = 1, FPosition = 0;
    TScrollBarKind FKind = sbHorizontal;
    int FPageSize = 0;
    bool FTimerRunning = false;
};
