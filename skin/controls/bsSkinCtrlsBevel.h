#pragma once
// TbsSkinBevel: the class library's bevel drawn in the light and dark
// colours of a "bevel" skin record (system highlight and shadow without a
// skin), with a divider mode (two lines across the middle).
// TbsSkinSplitter: the class library's splitter drawn from a splitter skin
// record ("vsplitter"/"hsplitter"): the part is stretched or tiled along
// the splitter with the record's gripper in the middle, and the splitter
// takes the part's thickness (DefaultSize without a skin or when
// Transparent). Dragging, snapping and MinSize stay the class library's.
//
// Both watch their store: when it is freed they fall back to the plain look.
//
// Threads: UI thread only.

#include "platform/ExtCtrls.h"
#include "skin/bsSkinData.h"

class TbsSkinBevel : public TBevel {
public:
    explicit TbsSkinBevel(TComponent* owner);
    ~TbsSkinBevel() override;
    TbsSkinData* SkinData() const { return FSD; }
    // Stores and re-reads the colours (also for nullptr).
    void SetSkinData(TbsSkinData* v);
    const String& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const String& v) { FSkinDataName = v; }
    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool v);
    void ChangeSkinData();
    TColor LightColor = clBtnHighlight;
    TColor DarkColor = clBtnShadow;
    int FIndex = -1;
    // On a tool bar that adjusts its controls the bevel is centred
    // vertically whatever top is asked for.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Paint() override;
    void Notification(TComponent* component, TOperation op) override;

private:
    void Line(TColor c, int x1, int y1, int x2, int y2);
    void Frame(TColor c1, TColor c2, int l, int t, int r, int b);
    TbsSkinData* FSD = nullptr;
    String FSkinDataName = L"bevel";
    bool FDividerMode = false;
};

class TbsSkinSplitter : public TSplitter {
public:
    explicit TbsSkinSplitter(TComponent* owner);
    ~TbsSkinSplitter() override;
    TbsSkinData* SkinData() const { return FSD; }
    // Stores and re-reads the skin (also for nullptr: DefaultSize).
    void SetSkinData(TbsSkinData* v);
    const String& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const String& v) { FSkinDataName = v; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    int DefaultSize = 10;
    void GetSkinData();
    void ChangeSkinData();
    int FIndex = -1;
    TPoint LTPt, RTPt, LBPt;
    TRect SkinRect, GripperRect;
    TBitmap* FSkinPicture = nullptr;
    bool StretchEffect = false, GripperTransparent = false;
    TColor GripperTransparentColor = 0;

protected:
    void Paint() override;
    void Notification(TComponent* component, TOperation op) override;

private:
    TbsSkinData* FSD = nullptr;
    String FSkinDataName = L"vsplitter";
    bool FTransparent = false;
};
