#pragma once
// TbsSkinButton: the skinned push button. It draws one state image of its
// skin record (normal, hover, pressed, focused, disabled), cross-fades
// between the normal and the hover image, plays a frame animation on focus
// and hover changes, shows a glow popup while hovered, and lays out a glyph
// or image-list image with its caption. It acts as a dialog button (Default,
// Cancel, ModalResult), a sticky group button (GroupIndex, Down,
// AllowAllUp) and an auto-repeat button (RepeatMode).
//
// Timers (each made on demand, freed when it ends; all on the class
// library's clock): morph 20 ms, animation AnimateInterval ms, repeat
// 500 ms then RepeatInterval ms.
//
// Name map: FMorphKf = cross-fade position (0 normal .. 1 hover), FActive =
// the button Enter would press now, FMouseIn = shows the hover look.
//
// Threads: UI thread only; the glow messages are posted to the button itself.

#include "platform/ActnList.h"
#include "skin/bsUtilsLayer.h"
#include "skin/controls/bsSkinCtrls.h"

class TTimer;

constexpr UINT WM_SHOWBUTTONLAYER = WM_USER + 400;
constexpr UINT WM_HIDEBUTTONLAYER = WM_USER + 401;

// (sender, canvas, rect, down, mouseIn, drawDefault)
using TbsButtonPaintEvent =
    std::function<void(TObject* sender, TCanvas* cnvs, TRect r, bool aDown, bool aMouseIn, bool& drawDefault)>;

class TbsSkinButton : public TbsSkinCustomControl {
public:
    explicit TbsSkinButton(TComponent* owner);
    ~TbsSkinButton() override;

    // ---- properties ----
    bool AlwaysShowLayeredFrame = false;
    bool UseSkinFontColor = true;
    bool UseSkinSize = true;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool AllowAllUp = false;
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    TBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    TbsButtonLayout Layout() const { return FLayout; }
    void SetLayout(TbsButtonLayout v);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TbsButtonPaintEvent OnPaint;
    // The action whose caption, enabled state, hint and image the button
    // shows and which it runs when clicked (nullptr: none).
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    void SetAction(TBasicAction* v);

    // ---- state (read by tests and the gallery) ----
    bool MouseIn() const { return FMouseIn; }
    // Shows the hover look as the pointer over the button would.
    void SetMouseIn(bool v);
    bool Active() const { return FActive; }
    double MorphKf() const { return FMorphKf; }
    bool MorphActive() const;
    // The glow popup.
    TbsLayerManager* LayerManager() const { return FLayerManager.get(); }

    void ShowLayer();
    void HideLayer();
    void RefreshButton();
    void Click() override;
    virtual void ButtonClick();
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void WndProc(TMessage& m) override;

    // Skin copies of the record.
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect, FocusedSkinRect, AnimateSkinRect;
    int FrameCount = 0, AnimateInterval = 25;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    bool ShowFocus = false;
    // The drop-down marker parts (an empty hot part falls back to the
    // normal one, an empty pressed part to the hot one).
    TRect MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1, GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0, GlowLayerOffsetRight = 0, GlowLayerOffsetTop = 0, GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0, GlowLayerShowOffsetY = 0, GlowLayerAlphaBlendValue = 255;

protected:
    void GetSkinData() override;
    bool RecordFits(TbsDataSkinControl* record) const override;
    void CalcSize(int& w, int& h) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    virtual void DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool aDown, bool aMouseIn);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation op) override;
    virtual void ActionChange(TBasicAction* action, bool checkDefaults);

    bool IsFocusedLook();
    bool PressedLook();

private:
    // OnPaint (with eventRect), then the content into r unless OnPaint took it over.
    void DrawContent(TBitmap* B, const TRect& r, const TRect& eventRect, bool aDown, bool aMouseIn);
    void DrawFreeSize(TBitmap* B, const TRect& r, bool aDown, bool aMouseIn);
    void SetTextColor(TCanvas* c, bool aDown, bool aMouseIn);
    void PaintMorph();
    // Starts the cross-fade when it applies, else repaints.
    void ShowStateChange();
    void StartMorph();
    void StopMorph();
    void MorphStep();
    bool AnimationAllowed() const;
    // The frame animation runs.
    bool Animating() const;
    void StartAnimation(bool forwards);
    void StopAnimation();
    void AnimationStep();
    void StartRepeat();
    void StopRepeat();
    void RepeatStep();
    void OnMouseEnterMsg();
    void OnMouseLeaveMsg();
    void FocusChangedMsg(TWinControl* focused);
    bool DialogKey(WORD key);
    bool DialogChar(wchar_t ch);
    bool KeyDownMsg(WORD key);
    bool KeyUpMsg(WORD key);
    // The glow picture and mask at the button's size; false when none.
    bool GlowImages(TBitmap& g, TBitmap& m);

    std::unique_ptr<TbsLayerManager> FLayerManager;
    TTimer* AnimateTimer = nullptr;
    TTimer* RepeatTimer = nullptr;
    TTimer* MorphTimer = nullptr;
    int CurrentFrame = 0;
    bool AnimateInc = true;
    bool FSpaceSupport = true;
    bool FActive = false;
    bool FAllowAllUpCheck = false;
    bool FDefault = false;
    bool FClicksDisabled = false;
    bool FCanFocused = true;
    bool FDown = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    bool FRepeatWaiting = false;
    int FGroupIndex = 0;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TbsButtonLayout FLayout = blGlyphLeft;
    double FMorphKf = 0;
    TCustomImageList* FImageList = nullptr;
    int FImageIndex = -1;
    std::unique_ptr<TActionLink> FActionLink;
    // The record's rectangles before an animation frame replaced one.
    TRect FBaseActiveRect, FBaseSkinRect;
};

// True when the character is the accelerator ("&x") of caption.
bool IsAccelChar(wchar_t ch, const String& caption);

// Cell `frame` (1-based) of a frame strip of `count` equal cells: side by
// side when the strip is wider than the face `face`, else stacked. False
// (no cell) when the frame is out of range or the strip is too small to
// give every frame a pixel: the static face is drawn then.
// An empty glyph takes the image of a custom action from its list, over
// clFuchsia, at the list's size; false (glyph untouched) otherwise.
bool ActionGlyph(TBasicAction* action, TBitmap& glyph);

bool AnimationFrameRect(const TRect& strip, const TRect& face, int count, int frame, TRect& cell);
