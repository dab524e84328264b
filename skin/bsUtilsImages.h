#pragma once
// Skin image composers and window regions: a part of a skin picture, drawn
// for one size, is cut by its client rectangle and four corner points into
// corners, sides and client, and composed at any size (corners copied,
// sides and client stretched or tiled). The same geometry applied to a
// black-and-white mask gives the window region of a skinned window.
//
// The composers never take ownership of the bitmaps passed in; bitmaps they
// make for themselves are freed before they return. A region handed back
// belongs to the caller.
//
// Threads: UI thread only.

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Graphics.h"
#include "skin/bsSkinValues.h"  // TbsStretchType
#include "platform/Owners.h"

void CreateSkinImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                     TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* B, TBitmap* SB,
                     TRect R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                     bool BottomStretch, bool StretchEffect, TbsStretchType StretchType);
void CreateSkinImage2(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                      TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* B, TBitmap* SB,
                      TRect R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                      bool BottomStretch, bool StretchEffect, TbsStretchType StretchType);
void CreateSkinImageLeft(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                         TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* B, TBitmap* SB,
                         TRect R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch,
                         bool RightStretch, bool BottomStretch, bool StretchEffect, TbsStretchType StretchType);
void CreateSkinImageFromClRect(TBitmap* B, TBitmap* SB, TRect R, TRect ClRect, bool DrawClient);
void CreateHSkinImage(int LO, int RO, TBitmap* B, TBitmap* SB, TRect R, int AW, int AH, bool Stretch);
void CreateHSkinImageLeft(int LO, int RO, TBitmap* B, TBitmap* SB, TRect R, int AW, int AH, bool Stretch);
void CreateHSkinImageMiddle(int LO, int RO, TBitmap* B, TBitmap* SB, TRect R, int AW, int AH, bool Stretch);
void CreateVSkinImage(int TO, int BO, TBitmap* B, TBitmap* SB, TRect R, int AW, int AH, bool Stretch);
void CreateSkinBorderImages(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                            TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* LeftB,
                            TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB, TBitmap* SB, TRect R, int AW, int AH,
                            bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch);
void CreateSkinBorderMasks(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                           TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* Mask,
                           TBitmap* TopMask, TBitmap* LeftMask, TBitmap* RightMask, TBitmap* BottomMask, int AW,
                           int AH);

// Region data of the black pixels of Mask, offset by (X, Y), allocated with
// HeapAlloc on the process heap into data (free with HeapFree); returns its
// size in bytes, 0 (data untouched) for an empty mask.
DWORD GetRgnDataFromMask(TBitmap* Mask, int X, int Y, RGNDATA*& data);
void CreateRgnFromMask(HRGN& Rgn, TBitmap* Mask);
void CreateSkinRegion(HRGN& Rgn, TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                      TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* Mask, int AW, int AH);

// A 24-bit top-down DIB copy of a bitmap with a row table, for mask scans.
class TbsFBitmap {
public:
    explicit TbsFBitmap(HBITMAP hbmp);
    ~TbsFBitmap();
    TbsFBitmap(const TbsFBitmap&) = delete;
    TbsFBitmap& operator=(const TbsFBitmap&) = delete;

    void* Bits = nullptr;
    std::vector<uint8_t*> Pixels;
    int Gap = 0, RowInc = 0, Size = 0, Width = 0, Height = 0;
    HBITMAP Handle = nullptr;
    HDC hDC = nullptr;
    BITMAPINFO bmInfo{};
    BITMAPINFOHEADER bmHeader{};

private:
    // Own Handle and hDC (the section selected into the DC).
    platform::DibSection dib_;
    platform::MemoryDC dc_;
    std::unique_ptr<platform::SelectedObject> select_;
};
