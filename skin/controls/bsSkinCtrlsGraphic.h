#pragma once
// The windowless skinned bases. TbsGraphicSkinControl carries the skin
// protocol of the windowed TbsSkinControl for a control that has no window
// of its own: it is painted and mouse-tracked by its parent, composes its
// face in an off-screen bitmap of its size at every paint and draws it in
// one call. TbsGraphicSkinCustomControl adds the resizable skin part
// (corner points, client rectangle, stretch flags), sizing to the skin and
// a default size and font for the plain look. No window region.
//
// Name map: FSD = the store, FIndex = the record's index (-1: plain),
// ResizeMode -1 none, 0 fixed, 1 nine-piece, 2 horizontal three-piece,
// 3 vertical three-piece.
//
// Threads: UI thread only.

#include "platform/Controls.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinRecords.h"

class TCustomImageList;

class TbsGraphicSkinControl : public TGraphicControl {
public:
    explicit TbsGraphicSkinControl(TComponent* owner);
    ~TbsGraphicSkinControl() override;

    TbsSkinData* SkinData() const { return FSD; }
    // Stores; a non-empty store re-reads the skin at once.
    virtual void SetSkinData(TbsSkinData* v);
    // The record's name: stored only, read at the next lookup.
    String SkinDataName;
    virtual void GetSkinData();
    virtual void ChangeSkinData();
    virtual void BeforeChangeSkinData() { FIndex = -1; }
    int FIndex = -1;
    String HintTitle;
    int HintImageIndex = 0;
    // The list of the skinned hint's image; not owned, dropped when freed.
    TCustomImageList* HintImageList() const { return FHintImageList; }
    void SetHintImageList(TCustomImageList* v);
    void WndProc(TMessage& m) override;

protected:
    virtual void CreateControlDefaultImage(TBitmap*) {}
    virtual void CreateControlSkinImage(TBitmap*) {}
    void Paint() override;
    void Notification(TComponent* component, TOperation op) override;
    TbsSkinData* FSD = nullptr;
    TCustomImageList* FHintImageList = nullptr;
};

class TbsGraphicSkinCustomControl : public TbsGraphicSkinControl {
public:
    explicit TbsGraphicSkinCustomControl(TComponent* owner);
    ~TbsGraphicSkinCustomControl() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int left, int top, int width, int height) override;
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    bool UseSkinFont = true;
    TRect RealClientRect() const { return NewClRect; }

    TPoint LTPt, RTPt, LBPt, RBPt;
    TRect SkinRect, ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    TBitmap* Picture = nullptr;
    int ResizeMode = -1;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;

protected:
    virtual void DefaultFontChanged() {}
    // The default font's change event: DefaultFontChanged, and a repaint
    // when the plain look shows it.
    void DefaultFontChange();
    virtual void CalcSize(int& w, int& h);
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    // Draws part r of picture into B by ResizeMode at the control's size.
    void DrawSkinPicture(TBitmap* B, TBitmap* picture, const TRect& r);
    int FDefaultWidth = 0, FDefaultHeight = 0;
    TFont FDefaultFont;
};
