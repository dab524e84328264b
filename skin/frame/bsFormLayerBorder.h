#pragma once
// The layered outer border of a skinned form: a soft border with per-pixel
// alpha that reaches beyond the form's window, made of up to four borderless
// layered top-level windows (left, top, right, bottom). TbsFormLayerBorder
// cuts the skin's layer-frame picture for the form's size, places the
// windows around the form, follows it when it moves, is resized or changes
// activation, and fades them in. When the skin allows it, dragging a side
// or a corner of the border resizes the form.
//
// Geometry: for a form at (L, T) of size W x H, with the layer picture of
// size SW x SH whose ClRect is where the form lies, the border's outer
// rectangle is (L - ClRect.Left, T - ClRect.Top) of size
// (W + SW - width(ClRect)) x (H + SH - height(ClRect)).
//
// Name map: BSF = the frame that owns the border, FData = the skin's layer
// frame record (nullptr: no border), Left/Top/Right/BottomSize = widths of
// the border's sensitive edges.
//
// Threads: UI thread only.

#include <array>
#include <memory>

#include "platform/Forms.h"
#include "skin/bsEffects.h"
#include "skin/bsSkinData.h"

class TbsSkinFrame;
class TbsFormLayerBorder;

enum TbsFormLayerBorderType { bsflLeft, bsflTop, bsflRight, bsflBottom };
enum TbsFormLayerBorderHit {
    bsflhNone,
    bsflhLeft,
    bsflhTop,
    bsflhRight,
    bsflhBottom,
    bsflhTopLeft,
    bsflhTopRight,
    bsflhBottomLeft,
    bsflhBottomRight
};

// Which edge of the border a screen point P is on, for the window of side
// `side`, around a form with bounds `form`; edge sizes as in the border.
TbsFormLayerBorderHit LayerBorderHitTest(TbsFormLayerBorderType side, TPoint P, const TRect& form, int LeftSize,
                                         int TopSize, int RightSize, int BottomSize);

class TbsFormLayerWindow : public TCustomForm {
public:
    TbsFormLayerWindow(TbsFormLayerBorder* ABorder, TCustomForm* AForm, TbsFormLayerBorderType AType);
    TbsFormLayerBorderType BorderType;
    // The constant alpha last handed to the window with its picture.
    int AppliedAlpha = -1;
    TbsFormLayerBorderHit HitMode() const { return FHitMode; }
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    TbsFormLayerBorderHit BorderHitTest() const;
    bool CanResizeByBorder() const;
    void DragStep();

    bool FDown = false;
    TCustomForm* FForm;
    TbsFormLayerBorder* FLayerBorder;
    TPoint MousePos1, MousePos2;
    TbsFormLayerBorderHit FHitMode = bsflhNone;
    bool FInProcessMessages = false;
};

class TbsFormLayerBorder : public TComponent {
public:
    // AFrame owns the border (nullptr in a bare use: no resize limits).
    explicit TbsFormLayerBorder(TComponent* AOwner, TbsSkinFrame* AFrame = nullptr);
    ~TbsFormLayerBorder() override;

    void InitFrame(TbsSkinData* ASkinData, TCustomForm* AForm);
    void Show(int X, int Y, int AWidth, int AHeight);
    void SetBounds(int X, int Y, int AWidth, int AHeight);
    void Hide();
    void ShowWithForm();
    void ShowWithFormAnimation();
    void SetBoundsWithForm();
    void SetBoundsWithForm2(int AW, int AH);
    void SetBoundsWithForm3(int ALeft, int ATop, int AW, int AH);
    void MoveWithForm();
    void MoveWithForm2(int ALeft, int ATop);
    void SetAlphaBlend();
    void SetAlphaBlend2();
    void CheckFormAlpha(int AFormAlpha, bool AUpdate);
    void SetActive(bool AValue, bool AUpdate);
    void Draw(TCanvas* C, int X, int Y, int AWidth, int AHeight);

    // The outer rectangle around form bounds (Geometry above).
    TRect OuterRect(const TRect& formBounds) const;
    bool InUse() const { return FData != nullptr; }
    bool Visible() const { return FVisible; }
    TbsFormLayerWindow* Window(TbsFormLayerBorderType side) const { return Windows[side]; }
    TbsBitmap* Image(TbsFormLayerBorderType side) const { return Images[side].get(); }
    TbsDataSkinLayerFrame* Data() const { return FData; }
    TbsSkinFrame* Frame() const { return BSF; }
    TCustomForm* Form() const { return FForm; }

    bool FActive = true;
    int FCurrentAlphaBlendValue = -1;
    int FCurrentInActiveAlphaBlendValue = 0;
    int LeftSize = 0, TopSize = 0, RightSize = 0, BottomSize = 0;
    // A drag on the border is resizing the form.
    bool FBorderLayerChangeSize = false;
    // Sets it here and on the frame, whose hover tracking rests meanwhile.
    void SetChangeSize(bool AValue);

private:
    void CutImages(int OW, int OH);
    void FreeWindows();
    void PlaceWindows(int X, int Y, int OW, int OH, UINT flags);
    void GiveImage(TbsFormLayerBorderType side);
    int CurrentAlpha() const { return FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue; }

    TbsSkinFrame* BSF;
    TCustomForm* FForm = nullptr;
    bool FVisible = false;
    TbsSkinData* FSD = nullptr;
    TbsDataSkinLayerFrame* FData = nullptr;
    std::unique_ptr<TbsBitmap> FSourceBitmap, FSourceInActiveBitMap;
    std::array<std::unique_ptr<TbsBitmap>, 4> Images;
    std::array<TbsFormLayerWindow*, 4> Windows{};
    int FWidth = 0, FHeight = 0;
};
