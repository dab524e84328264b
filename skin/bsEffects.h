#pragma once
// TbsBitmap: the skinning set's 32-bit top-down off-screen picture with a
// straight per-pixel alpha byte, a memory DC and a lazily made canvas.
// Drawing between two TbsBitmaps works on the pixel memory through the
// routine table chosen once at start-up (vector blends when the processor
// has MMX; the 64-bit build does them with SSE2); drawing onto other device
// contexts goes through GDI.
//
// Threads: UI thread only. The routine table is written during start-up only;
// the list of bitmaps that own a DC is a process global without locks.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/Bitmap.h"
#include "platform/Graphics.h"
#include "platform/Owners.h"
#include "platform/Streams.h"

using TbsColor = uint32_t;  // blue, green, red, alpha in memory
using PbsColorArray = TbsColor*;

constexpr TbsColor KeyColor = 0x007F007F;
constexpr TbsColor MaskIgnoreColor = 0x33333333;

class TbsBitmapLink;

// The pixel routines; entries are chosen once by InitUnit.
struct TbsPixelRoutines {
    TbsColor (*BlendPixel)(TbsColor front, TbsColor back);
    void (*BlendLine)(const TbsColor* src, TbsColor* dst, int count);
    void (*KeyCopyLine)(const TbsColor* src, TbsColor* dst, int count);
    void (*MoveLine)(const TbsColor* src, TbsColor* dst, int count);
    void (*FillLine)(TbsColor* dst, int count, TbsColor value);
    void (*FillPixelRect)(TbsColor* bits, int stride, TbsColor value, const RECT& r);
    void (*SetAlphaLine)(TbsColor* dst, int count, uint8_t alpha);
    void (*SetAlphaRect)(TbsColor* bits, int stride, uint8_t alpha, const RECT& r);
    void (*ClearAlphaOfColor)(TbsColor* dst, int count, TbsColor value);
    bool mmx;
    bool transparentBltKeyDraw;
};

// Plain and vector blends, both always available (the table holds one of
// each). The "MMX" ones use MMX in the 32-bit build and SSE2 in the 64-bit one.
TbsColor BlendPixelPlain(TbsColor front, TbsColor back);
void BlendLinePlain(const TbsColor* src, TbsColor* dst, int count);
TbsColor BlendPixelMMX(TbsColor front, TbsColor back);
void BlendLineMMX(const TbsColor* src, TbsColor* dst, int count);

const TbsPixelRoutines& PixelRoutines();

namespace bseffects {
// Fills the routine table (once; later calls only count).
void InitUnit();
}  // namespace bseffects

class TbsBitmap : public TPersistent {
public:
    TbsBitmap();
    ~TbsBitmap() override;
    TbsBitmap(const TbsBitmap&) = delete;
    TbsBitmap& operator=(const TbsBitmap&) = delete;

    HBITMAP Handle() const { return dib_.Handle(); }
    HDC DC() const { return surface_ ? surface_->dc.Get() : nullptr; }
    TCanvas* Canvas();
    TbsColor* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool AlphaBlend = false;
    bool Transparent = false;
    bool NewFormat = false;
    String Name;

    // Absolute values are used; 0 or the current size change nothing. Throws
    // Exception when the DIB or its DC cannot be made (the bitmap is empty).
    void SetSize(int width, int height);
    bool Empty() const { return !dib_; }
    void Clear(TbsColor color);
    void SetAlpha(uint8_t alpha);
    void SetAlpha(uint8_t alpha, const TRect& rect);

    void Assign(TPersistent* source) override;
    void AssignTo(TPersistent* dest) override;
    void DrawGraphic(TGraphic* graphic, const TRect& dstRect);

    void CheckingAlphaBlend();
    void CheckingAlphaBlend(const TRect&) { CheckingAlphaBlend(); }
    void CheckingTransparent(TbsColor color);
    void CheckingTransparent(const TRect&, TbsColor color) { CheckingTransparent(color); }

    void Draw(HDC dc, int x, int y);
    void Draw(HDC dc, int x, int y, const TRect& srcRect);
    void Draw(HDC dc, const TRect& dstRect);
    void Draw(HDC dc, const TRect& dstRect, const TRect& srcRect);
    void Draw(TCanvas* canvas, int x, int y) { Draw(canvas->Handle(), x, y); }
    void Draw(TCanvas* canvas, int x, int y, const TRect& srcRect) { Draw(canvas->Handle(), x, y, srcRect); }
    void Draw(TCanvas* canvas, const TRect& dstRect) { Draw(canvas->Handle(), dstRect); }
    void Draw(TCanvas* canvas, const TRect& dstRect, const TRect& srcRect) { Draw(canvas->Handle(), dstRect, srcRect); }
    void Draw(TbsBitmap* bitmap, int x, int y);
    void Draw(TbsBitmap* bitmap, int x, int y, const TRect& srcRect);
    void Draw(TbsBitmap* bitmap, const TRect& dstRect);
    void Draw(TbsBitmap* bitmap, const TRect& dstRect, const TRect& srcRect);

    void Tile(HDC dc, const TRect& dstRect, const TRect& srcRect);
    void Tile(TCanvas* canvas, const TRect& dstRect, const TRect& srcRect) { Tile(canvas->Handle(), dstRect, srcRect); }
    void Tile(TbsBitmap* bitmap, const TRect& dstRect, const TRect& srcRect);
    void TileClip(HDC dc, const TRect& dstRect, const TRect& dstClip, const TRect& srcRect);
    void TileClip(TCanvas* canvas, const TRect& dstRect, const TRect& dstClip, const TRect& srcRect) {
        TileClip(canvas->Handle(), dstRect, dstClip, srcRect);
    }
    void TileClip(TbsBitmap* bitmap, const TRect& dstRect, const TRect& dstClip, const TRect& srcRect);

    void MergeDraw(TbsBitmap* bitmap, int x, int y, const TRect& srcRect);
    void FillRect(const TRect& r, TbsColor color);

    // Loading, saving, colour adjustments and reflections.
    void LoadFromResource(const String& resFileName, const String& resName);
    void LoadFromStream(TStream* stream);
    void SaveToStream(TStream* stream);
    void LoadFromPcxStream(TStream* stream);
    TbsBitmapLink* GetBitmapLink(const TRect& rect);
    TbsBitmapLink* GetBitmapLink(const String& rect);
    void ChangeBitmapBrightness(int deltaBrightness);
    void SetBitmapHue(int hue);
    void ChangeBitmapSat(int deltaSat);
    void ChangeBitmapHue(int deltaHue);
    void Reflection();
    void Reflection2();
    void Reflection3();
    void FlipVert();

    // Pixel access, clipped to the bitmap.
    TbsColor* ScanLine(int y) const { return bits_ + static_cast<ptrdiff_t>(y) * width_; }
    TbsColor* PixelPtr(int x, int y) const { return ScanLine(y) + x; }
    void SetPixel(int x, int y, TbsColor value);
    TbsColor GetPixel(int x, int y) const;

private:
    void Release();
    void DrawTile(HDC dc, const TRect& tile, const TRect& src, bool direct, const struct DibInfo* dib,
                  const POINT& org);
    void ReflectionFade(int divisor);
    template <class F>
    void ForOpaquePixels(F f);

    TbsColor* bits_ = nullptr;
    int width_ = 0, height_ = 0;
    BITMAPINFO info_{};
    // The memory DC with the section selected.
    struct Surface {
        explicit Surface(HBITMAP bitmap) : select(dc.Get(), bitmap) {}
        platform::MemoryDC dc;
        platform::SelectedObject select;
    };
    platform::DibSection dib_;
    std::unique_ptr<Surface> surface_;
    std::unique_ptr<TCanvas> canvas_;
};

// The bitmap whose memory DC is dc, or nullptr.
TbsBitmap* FindBitmapByDC(HDC dc);

// The DIB selected into a DC (bits, size and depth), or all zero.
struct DibInfo {
    void* bits = nullptr;
    int width = 0, height = 0, bitCount = 0;
};
DibInfo GetDCDibInfo(HDC dc);

// The stretch and copy routines of the engine (the blit half of the table).
enum class TbsBlendMode { Copy, Alpha, Key };
void BmpStretch(TbsBitmap* dst, const TRect& dstRect, const TRect& srcRect, TbsBitmap* src, TbsBlendMode mode);
void BmpCopy(TbsBitmap* dst, const TRect& dstRect, TbsBitmap* src, int sx, int sy, TbsBlendMode mode);
void DibStretch(void* bits, const TRect& dstRect, const TRect& srcRect, TbsBitmap* src, int dibHeight, int dibWidth,
                TbsBlendMode mode);
void DCDraw(HDC dc, const TRect& dstRect, TbsBitmap* src, const TRect& srcRect, TbsBlendMode mode);
