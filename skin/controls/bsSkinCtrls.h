#pragma once
// The windowed bases of every skinned control.
//
// TbsSkinControl names a control record of a skin store by SkinDataName,
// looks it up at every paint and skin change, and paints off-screen: the
// face is composed in a bitmap of the control's size (CreateControlSkinImage
// when skinned, CreateControlDefaultImage for the plain look) and copied to
// the window in one draw. TbsSkinCustomControl adds the geometry of a
// resizable skin part (corner points, client rectangle, stretch flags),
// sizing to the skin, a window region from the skin's mask picture, a
// default size and a default font for the plain look.
//
// A record that is missing, of another kind than the control needs, or
// whose picture index names no picture leaves the control in its plain look
// (FIndex -1).
//
// Name map: FSD = the store (SkinData), FIndex = the record's position in
// the store's control list, FRgn = the window region last handed to the
// window (it belongs to the window from then on).
//
// Threads: UI thread only.

#include <memory>

#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "skin/bsSkinData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"

class TCustomImageList;

// The parent's background changed (wParam and lParam 0).
constexpr UINT WM_CHECKPARENTBG = WM_USER + 260;

// Fixed faces of the plain look of pressable parts.
constexpr TColor bsPlainHotFill = 0xD2BDB6;
constexpr TColor bsPlainDownFill = 0xB59385;
constexpr TColor bsPlainHotFrame = 0x800000;

// Draws `from` blended towards `to` by kf (0..1) with the transition of
// kind at (0, 0) of dc (both bitmaps of one size).
void bsDrawMorphed(HDC dc, TBitmap* from, TBitmap* to, double kf, TbsMorphKind kind);

// The colour of pixel (x, y) of a picture, read from its rows (the
// transparent colour of a part is its bottom-left pixel); clBlack outside.
COLORREF bsPictureColor(TBitmap* picture, int x, int y);

class TbsSkinControl : public TCustomControl {
public:
    explicit TbsSkinControl(TComponent* owner);
    ~TbsSkinControl() override;

    TbsSkinData* SkinData() const { return FSD; }
    // Stores the store; a non-empty one re-reads the skin at once.
    virtual void SetSkinData(TbsSkinData* value);
    const String& SkinDataName() const { return FSkinDataName; }
    // Stores the name only (no lookup, no repaint).
    virtual void SetSkinDataName(const String& value) { FSkinDataName = value; }

    // Re-reads the skin and repaints.
    virtual void ChangeSkinData();
    // The store is about to change: plain look until ChangeSkinData.
    virtual void BeforeChangeSkinData();
    virtual void AfterChangeSkinData() {}

    // The record found at the last lookup, nullptr when plain.
    TbsDataSkinControl* SkinRecord() const;
    // The store's further picture `index`, nullptr when out of range.
    TBitmap* ActivePicture(int index) const;
    // The store is there, not empty, and its skin effects are on.
    bool SkinEffectsOn() const;

    String HintTitle;
    int HintImageIndex = 0;
    // The list of the skinned hint's image; not owned, dropped when freed.
    TCustomImageList* HintImageList() const { return FHintImageList; }
    void SetHintImageList(TCustomImageList* v);
    bool FromWMPaint = false;
    int FIndex = -1;

    void WndProc(TMessage& m) override;

protected:
    virtual void GetSkinData();
    virtual void CreateControlDefaultImage(TBitmap* /*B*/) {}
    virtual void CreateControlSkinImage(TBitmap* /*B*/) {}
    virtual void CheckParentBackground() {}
    // The off-screen path: the face of the control into a bitmap, copied.
    void PaintOffscreen();
    void Paint() override;
    void Notification(TComponent* component, TOperation op) override;
    // Copies a finished face to the control's canvas.
    void DrawToCanvas(TBitmap* B, int x = 0, int y = 0);
    // The font of a text drawn on canvas: the skin's name, height and style
    // when useSkin, else the default font; the character set of the store's
    // resource strings when it has them.
    void SetupFont(TCanvas* canvas, bool useSkin, const String& name, int height, TFontStyles style,
                   TFont* defaultFont) const;

    TbsSkinData* FSD = nullptr;
    String FSkinDataName;
    HRGN FRgn = nullptr;
    TCustomImageList* FHintImageList = nullptr;
};

class TbsSkinCustomControl : public TbsSkinControl {
public:
    explicit TbsSkinCustomControl(TComponent* owner);
    ~TbsSkinCustomControl() override;

    void SetBounds(int left, int top, int width, int height) override;
    void ChangeSkinData() override;

    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v) { FDefaultFont.Assign(v); }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    bool UseSkinFont = true;
    bool ForcebackGround() const { return FForceBackground; }
    bool DrawbackGround() const { return FDrawbackground; }
    TRect RealClientRect() const { return NewClRect; }
    int RealClientWidth() const { return NewClRect.Width(); }
    int RealClientHeight() const { return NewClRect.Height(); }
    int RealClientLeft() const { return NewClRect.left; }
    int RealClientTop() const { return NewClRect.top; }
    // Maps a rectangle of skin coordinates to the current size.
    TRect CorrectSkinRect(const TRect& r) const;
    // Sends WM_CHECKPARENTBG to every child.
    void UpdateChildrenBackground();
    int GetResizeMode() const;

    // Skin geometry (copies of the record).
    TPoint LTPt, RTPt, LBPt, RBPt;
    TRect SkinRect, ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    TBitmap* Picture = nullptr;
    TBitmap* MaskPicture = nullptr;
    int ResizeMode = -1;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;

protected:
    void GetSkinData() override;
    // Whether the record found is one this control can draw from.
    virtual bool RecordFits(TbsDataSkinControl* record) const;
    virtual void DefaultFontChanged() {}
    // Fits a requested size to the skin and fills the New fields.
    virtual void CalcSize(int& w, int& h);
    virtual void SetControlRegion();
    void CreateControlRegion();
    // A control skinned before it had a window gets its region now.
    void CreateWnd() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    // Draws rectangle r (of SkinRect's size) of picture into B by ResizeMode.
    void DrawSkinPicture(TBitmap* B, TBitmap* picture, const TRect& r);
    void Paint() override;
    // The force-background path: borders composed, client tiled on the canvas.
    void PaintForceBackground();
    // Fills dst of canvas with the client piece t (stretched or tiled).
    void FillClientPiece(TCanvas* canvas, TBitmap* t, const TRect& dst, bool fromOrigin);

    bool FForceBackground = false;
    bool FDrawbackground = true;
    int FDefaultWidth = 0, FDefaultHeight = 0;
    TFont FDefaultFont;
};
