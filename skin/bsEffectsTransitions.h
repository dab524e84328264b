#pragma once
// TbsEffectBmp: a 24-bit top-down DIB with direct row access for hover
// cross-fades and wipes, inactive-frame effects, rotations and mirrors.
// Kf = 0 stands for this bitmap's own picture, Kf = 1 for the other one.
//
// Threads: UI thread only.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Owners.h"

class TbsEffectBmp {
public:
    TbsEffectBmp(int cx, int cy);
    // A copy of the pixels of a bitmap handle.
    static TbsEffectBmp* CreateFromhWnd(HBITMAP hBmp);
    static TbsEffectBmp* CreateCopy(const TbsEffectBmp* other);
    ~TbsEffectBmp();
    TbsEffectBmp(const TbsEffectBmp&) = delete;
    TbsEffectBmp& operator=(const TbsEffectBmp&) = delete;

    HBITMAP Handle = nullptr;
    int Width = 0, Height = 0, Size = 0;
    void* Bits = nullptr;
    BITMAPINFOHEADER BmpHeader{};
    BITMAPINFO BmpInfo{};

    void GetScanLine(int y, void* line) const;
    void Draw(HDC dc, int x, int y);
    void Stretch(HDC dc, int x, int y, int cx, int cy);
    void DrawRect(HDC dc, int hx, int hy, int x, int y, int cx, int cy);

    void Morph(TbsEffectBmp* bmp, double kf);
    void MorphRect(TbsEffectBmp* bmp, double kf, const TRect& rct, int startX, int startY);
    void CopyRect(TbsEffectBmp* bmp, const TRect& rct, int startX, int startY);
    void MorphHGrad(TbsEffectBmp* bmp, double kf);
    void MorphVGrad(TbsEffectBmp* bmp, double kf);
    void MorphGrad(TbsEffectBmp* bmp, double kf);
    void MorphLeftGrad(TbsEffectBmp* bmp, double kf);
    void MorphRightGrad(TbsEffectBmp* bmp, double kf);
    void MorphPush(TbsEffectBmp* bmp, double kf);
    void MorphLeftSlide(TbsEffectBmp* bmp, double kf);
    void MorphRightSlide(TbsEffectBmp* bmp, double kf);

    void ChangeBrightness(double kf);
    void ChangeDarkness(double kf);
    void Invert();
    void GrayScale();
    void SplitBlur(int amount);
    void Mosaic(int size);
    void AddMonoNoise(int amount);
    void AddColorNoise(int amount);
    void Wave(int xdiv, int ydiv, int ratio);

    void Resize(TbsEffectBmp* dst);
    void Rotate90_1(TbsEffectBmp* dst);
    void Rotate90_2(TbsEffectBmp* dst);
    void FlipVert(TbsEffectBmp* dst);

    void MaskAntialiasing(TbsEffectBmp* msk, int amount);
    void MaskBlur(TbsEffectBmp* msk, int amount);
    void MaskFillColor(TbsEffectBmp* msk, TColor c, double kf);

    // Pixel (x, y) as blue | green << 8 | red << 16; no bounds checks.
    uint32_t GetPixel(int x, int y) const;
    void PutPixel(int x, int y, uint32_t color);
    uint8_t* ScanLinePtr(int y) const { return static_cast<uint8_t*>(Bits) + static_cast<ptrdiff_t>(y) * stride_; }
    int Stride() const { return stride_; }

private:
    void Allocate(int cx, int cy);
    void SetScanLine(int y, const void* line);
    bool SameSize(const TbsEffectBmp* bmp) const { return bmp && bmp->Width == Width && bmp->Height == Height; }
    bool MaskFits(const TbsEffectBmp* msk) const;
    template <class F>
    void ForEachRow(F f);
    void BlurWithMask(TbsEffectBmp* msk, int amount, bool edgesOnly);
    int stride_ = 0;

private:
    // Owns Handle and Bits.
    platform::DibSection dib_;
};
