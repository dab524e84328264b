#pragma once
// TbsSkinCustomSlider / TbsSkinSlider: a value slider between MinValue and
// MaxValue: a ruler with scale marks and a thumb that the user drags, clicks
// towards (repeating every 400 ms while held) or moves with the keyboard.
// It draws from four pictures (thumb and ruler, horizontal and vertical:
// built-in ones or pictures set by the user) or from a "slider" record.
//
// Order of notifications: OnMouseDown, OnChange for every value change while
// dragging or jumping, OnChanged at release, OnMouseUp.
//
// A range or ruler span of 0 maps every offset to MinValue and every value
// to the ruler's start. The repeat is window timer 1 of the slider on the
// class library's clock.
//
// Threads: UI thread only.

#include <array>

#include "skin/controls/bsSkinCtrls.h"

enum TbsSliderOrientation { soHorizontal, soVertical };
enum TbsSliderOption : unsigned {
    soShowFocus = 1,
    soShowPoints = 2,
    soSmooth = 4,
    soRulerOpaque = 8,
    soThumbOpaque = 16
};
using TbsSliderOptions = unsigned;
enum TbsSliderImage { siHThumb, siHRuler, siVThumb, siVRuler };
enum TbsJumpMode { jmNone, jmHome, jmEnd, jmNext, jmPrior };

class TbsSkinCustomSlider : public TbsSkinControl {
public:
    explicit TbsSkinCustomSlider(TComponent* owner);
    ~TbsSkinCustomSlider() override;

    int Value() const { return FValue; }
    void SetValue(int v);
    int MinValue() const { return FMinValue; }
    void SetMinValue(int v) { SetRangeValues(v, FMaxValue); }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v) { SetRangeValues(FMinValue, v); }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v);
    TbsSliderOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TbsSliderOrientation v);
    int EdgeSize() const { return FEdgeSize; }
    void SetEdgeSize(int v);
    int NumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(int v);
    TbsSliderOptions Options() const { return FOptions; }
    void SetOptions(TbsSliderOptions v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool UseSkinThumb = true;
    bool ReadOnly = false;
    // Picture i (nullptr: the built-in one again).
    TBitmap* Image(TbsSliderImage i) { return FImages[i].get(); }
    void SetImage(TbsSliderImage i, TBitmap* v);

    TNotifyEvent OnChange, OnChanged, OnDrawPoints;

    // Geometry (for tests and owner-drawn scales).
    TRect ThumbRect() const { return FThumbRect; }
    TPoint RulerOrg() const { return FRulerOrg; }
    TRect PointsRect() const { return FPointsRect; }
    int RulerLength() const;
    int ValueToOffset(int v);
    int OffsetToValue(int p);
    int GetRulerSpan();
    void DrawScalePoints(TCanvas* c, int step, int pointsHeight, int extremeHeight);
    void UpdateLayout();
    void ChangeSkinData() override;
    void WndProc(TMessage& m) override;

    // Skin copies.
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int SkinEdgeSize = 0;
    TColor BGColor = 0, PointsColor = 0;
    TBitmap* Picture = nullptr;

protected:
    void GetSkinData() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void SetRangeValues(int aMin, int aMax);

private:
    bool Horizontal() const { return FOrientation == soHorizontal; }
    bool SkinThumb() const { return FIndex != -1 && UseSkinThumb; }
    TRect WorkRect() const { return TRect(0, 0, Width(), Height()); }
    int VThumbHeight() const;
    void BuildSkinRuler();
    void BuildImageRuler();
    int SnapThumbOffset(int p);
    void PlaceThumb(int p);
    void MoveThumbTo(int p);
    void RepaintThumbArea();
    TbsJumpMode JumpModeAtPoint(int x, int y) const;
    void JumpValue(TbsJumpMode mode);
    void TrackJumpStep();
    void StopTrackJump();
    void ThumbPress(TMouseButton button, int x, int y);
    void ThumbRelease(TMouseButton button);
    void DoChange() {
        if (OnChange) OnChange(this);
    }
    void DoChanged() {
        if (OnChanged) OnChanged(this);
    }
    bool KeyDownMsg(WORD key);
    void DrawThumb(TCanvas* c);
    void LoadDefaultImage(TbsSliderImage i);

    bool FTransparent = false;
    unsigned FUserImages = 0;
    std::array<std::unique_ptr<TBitmap>, 4> FImages;
    int FEdgeSize = 2;
    TBitmap FRuler;
    TPoint FRulerOrg;
    TRect FThumbRect;
    bool FThumbDown = false;
    int FNumThumbStates = 2;
    TRect FPointsRect;
    TbsSliderOrientation FOrientation = soHorizontal;
    TbsSliderOptions FOptions = soShowFocus | soShowPoints | soSmooth;
    int FMinValue = 0, FMaxValue = 100, FIncrement = 10, FValue = 0;
    int FHit = 0;
    bool FFocused = false;
    bool FSliding = false;
    bool FTracking = false;
    bool FTimerActive = false;
    TPoint FMousePos;
    TbsJumpMode FStartJump = jmNone;
    bool FCreating = true;
};

class TbsSkinSlider : public TbsSkinCustomSlider {
public:
    using TbsSkinCustomSlider::TbsSkinCustomSlider;
};

// The built-in picture of slot i (thumb pictures hold two states side by
// side); the corners are clFuchsia, the pictures' transparent colour.
void MakeDefaultSliderImage(TbsSliderImage i, TBitmap* b);
