#pragma once
// TbsSkinPanel: the skinned container, drawn from a "panel" record (the
// forms also use "groupbox", "radiobox" and "button"), optionally with a
// caption bar carrying a glyph or image, a check mark (checked mode, which
// can enable the children) and a roll-up marker (roll-up mode, which
// collapses the panel to its caption). Children are aligned inside the
// skin's client rectangle at the current size. A transparent panel draws its
// parent's background with a thin frame, or a group-box frame round its
// caption.
//
// Roll-up keeps the panel's real size constraints: rolling up saves them and
// clears them (the rolled-up height must be allowed), rolling down restores
// them.
//
// Threads: UI thread only.

#include "skin/controls/bsSkinCtrls.h"

enum TbsSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
enum TbsImagePosition { bsipDefault, bsipLeft };

class TbsSkinPanel : public TbsSkinCustomControl {
public:
    explicit TbsSkinPanel(TComponent* owner);
    ~TbsSkinPanel() override;

    bool RibbonStyle() const { return FRibbonStyle; }
    void SetRibbonStyle(bool v);
    TbsImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TbsImagePosition v);
    bool TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(bool v);
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    TBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    int RealHeight() const { return FRealHeight; }
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool v);
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool v);
    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool v);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TbsSkinBorderStyle v);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int v);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment v);
    bool AutoEnabledControls = true;
    TCustomImageList* CaptionImageList() const { return FCaptionImageList; }
    void SetCaptionImageList(TCustomImageList* v);
    int CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(int v);
    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

    void PaintskinTo(TCanvas* c, int x, int y);
    // (0, 0, Width, Height) after AdjustClientRect.
    TRect GetSkinClientRect();
    void DoRollUp(bool aRollUp);
    void SetBounds(int left, int top, int width, int height) override;
    void ChangeSkinData() override;
    void WndProc(TMessage& m) override;

    // Skin copies.
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TAlignment Alignment = taLeftJustify;
    TRect CaptionRect;
    int BGPictureIndex = -1;
    TRect CheckImageRect, UnCheckImageRect, MarkFrameRect, FrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect NewCaptionRect;

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void Paint() override;
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation op) override;
    // Called with the canvas of the finished picture in the transparent looks.
    virtual void PanelPaint(TCanvas*) {}

    // Pieces of the looks.
    void PaintTransparentFrame(TBitmap* B);
    void PaintGroupBoxLook(TBitmap* B);
    void FillWhole(TCanvas* c, TBitmap* t, const TRect& dst);
    void DrawSkinCaption(TBitmap* B);
    // Draws the caption image or glyph cell at (x, y); its width, 0 for none.
    int CaptionImageWidth();
    void DrawCaptionImage(TCanvas* c, int x, int y);
    int CaptionImageHeight();
    void DrawPicturePart(TCanvas* c, const TRect& part, int x, int y, bool transparent);
    void RealignChildren();

    bool FRibbonStyle = false;
    bool FInChangingRollUp = false;
    TbsImagePosition FImagePosition = bsipDefault;
    bool FTransparentMode = false;
    int FCMaxWidth = 0, FCMinWidth = 0, FCMaxHeight = 0, FCMinHeight = 0;
    bool FCheckedMode = false;
    bool FChecked = false;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    int FRealHeight = -1;
    bool FRollUpState = false;
    bool FRollUpMode = false;
    bool FCaptionMode = false;
    TbsSkinBorderStyle FBorderStyle = bvFrame;
    int FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    TCustomImageList* FCaptionImageList = nullptr;
    int FCaptionImageIndex = -1;
};
