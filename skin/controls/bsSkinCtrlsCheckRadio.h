#pragma once
// TbsSkinCheckRadioBox: one control for a check box and a radio button
// (Radio), with an optional image, word wrapping, a third "grayed" state and
// radio groups among siblings of the same GroupIndex. The flat look (the
// default) draws the mark and caption over the parent's background; the
// framed look takes the whole face from the "checkbox"/"radiobox" record and
// may cross-fade between the normal and the hot face.
//
// OnClick is the box's own event, fired by state changes (not by the class
// library's click). The morph timer (20 ms) runs on the class library's clock.
//
// Threads: UI thread only.

#include "platform/ActnList.h"
#include "skin/controls/bsSkinCtrls.h"

class TTimer;

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TbsSkinCheckRadioBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinCheckRadioBox(TComponent* owner);
    ~TbsSkinCheckRadioBox() override;

    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool Radio() const { return FRadio; }
    void SetRadio(bool v);
    int GroupIndex = 0;
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    bool UseSkinFontColor = true;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool v);
    bool MouseIn() const { return FMouseIn; }

    // The action whose caption, enabled state, hint and checked state the
    // box shows (nullptr: none).
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    void SetAction(TBasicAction* v);

    virtual void Toggle();
    void PaintSkinTo(TCanvas* c, int x, int y, bool aChecked);
    void ChangeSkinData() override;
    void Click() override {}
    void WndProc(TMessage& m) override;

protected:
    // Caption, enabled state and hint; the checked state too, unless the
    // box was checked before the action was linked.
    virtual void ActionChange(TBasicAction* action, bool checkDefaults);
    std::unique_ptr<TActionLink> FActionLink;

public:

    // Skin copies.
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, FrameFontColor = 0, UnEnabledFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect, ActiveCheckImageRect,
        ActiveUnCheckImageRect, UnEnabledCheckImageRect, UnEnabledUnCheckImageRect, GrayedCheckImageRect,
        ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;

protected:
    void Paint() override;
    void GetSkinData() override;
    bool RecordFits(TbsDataSkinControl* record) const override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CheckParentBackground() override;
    void CalcSize(int& w, int& h) override;
    void Notification(TComponent* component, TOperation op) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Hot();
    bool MorphActive() const;
    void StateChanged();
    void StartMorph();
    void StopMorph();
    void MorphStep();
    void FireClick() {
        if (OnClick) OnClick(this);
    }
    // Faces.
    void PaintFlat(TBitmap* B, bool aChecked, bool plainOnly);
    void PaintFramedSkin(TBitmap* B, const TRect& face, bool hot, TColor color, bool aChecked, bool normalMarks);
    void DrawPlainMark(TCanvas* c, bool aChecked);
    void DrawSkinMark(TCanvas* c, int x, int y, bool aChecked, bool normalMarks);
    TRect MarkPart(bool aChecked, bool normalMarks, bool& grayedHalf);
    // Lays out and draws the flat caption from x; returns its rectangle.
    TRect DrawFlatCaption(TCanvas* c, int x, int imageStep);
    bool ImageShown() const;

    bool FWordWrap = false;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = 0;
    bool FFlat = true;
    bool FClicksDisabled = false;
    bool FCanFocused = true;
    bool FMouseIn = false;
    bool FChecked = false;
    TRect CIRect, NewTextArea;
    bool FRadio = false;
    TTimer* MorphTimer = nullptr;
    double FMorphKf = 0;
};
