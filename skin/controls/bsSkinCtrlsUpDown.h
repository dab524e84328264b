#pragma once
// A skinned pair of up and down buttons that steps Position between Min and
// Max, with auto-repeat while a button is held: the first step comes after
// 500 ms plus one 100 ms period, then one every 100 ms (50 ms once the
// pointer returns to the held button); the release adds one more step.
// Button 0 is the up button (Position grows): the right half when
// horizontal, the top half when vertical.
//
// Name map: Buttons[0] up / [1] down, ActiveButton = the button under the
// pointer, CaptureButton = the button held since a press, TimerMode =
// 0 none / 1 repeat down / 2 repeat up, WaitMode = the first, longer delay
// runs (window timer 1 on the class library's clock).
//
// Threads: UI thread only.

#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsTypes.h"

enum TUDOrientation { udHorizontal, udVertical };

class TbsSkinUpDown : public TbsSkinCustomControl {
public:
    explicit TbsSkinUpDown(TComponent* owner);
    ~TbsSkinUpDown() override;

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    // Ignored outside Min..Max; else stored and OnChange (also unchanged).
    void SetPosition(int v);
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation v);
    bool UseSkinSize = true;
    TNotifyEvent OnChange, OnUpButtonClick, OnDownButtonClick;
    TRect ButtonRect(int i) const { return Buttons[i].R; }
    void WndProc(TMessage& m) override;

    // Copies of the skin record.
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
        DownDownButtonRect;

protected:
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CalcSize(int& w, int& h) override;
    void SetControlRegion() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CalcButtonRects();
    void TestActive(int x, int y);
    void ButtonEnter(int i);
    void ButtonLeave(int i);
    void ButtonDown(int i);
    void ButtonUp(int i);
    void StopTimer();
    void DrawButton(TCanvas* c, int i);
    void DrawResizeButton(TCanvas* c, int i);
    int ArrowKind(int i) const;

    TUDOrientation FOrientation = udHorizontal;
    TbsCBButtonX Buttons[2];
    int OldActiveButton = -1, ActiveButton = -1, CaptureButton = -1;
    int TimerMode = 0;
    bool WaitMode = false;
    int FIncrement = 1, FPosition = 0, FMin = 0, FMax = 100;
};
