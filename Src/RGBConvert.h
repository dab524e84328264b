#pragma once
// A decoded library picture turned into a 24-bit bitmap, with the scaler
// context and buffers kept between calls (one converter per owner; used by
// one thread at a time).
#include <windows.h>

#include <cstdint>

#include "Src/LibAVHeaders.h"
#include "platform/Owners.h"

// The library's picture record: four plane pointers and their line sizes.
struct TAVPicture {
    uint8_t* data[4] = {};
    int linesize[4] = {};
};

// A 24-bit top-down device-independent bitmap (blue, green, red bytes),
// standing in for the class library's bitmap until the engine uses it.
class TBitmap24 {
public:
    TBitmap24() = default;
    TBitmap24(const TBitmap24& AOther);
    TBitmap24& operator=(const TBitmap24& AOther);
    ~TBitmap24() = default;

    void SetSize(int AWidth, int AHeight);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Bytes per line: width * 3 rounded up to a multiple of 4.
    int BytesPerLine() const { return (FWidth * 3 + 3) & ~3; }
    uint8_t* ScanLine(int ARow) { return FBits + static_cast<ptrdiff_t>(ARow) * BytesPerLine(); }
    const uint8_t* ScanLine(int ARow) const { return FBits + static_cast<ptrdiff_t>(ARow) * BytesPerLine(); }
    // The pixel at (x, y) as 0xRRGGBB.
    uint32_t Pixel(int AX, int AY) const;
    void FillBlack();
    HBITMAP Handle() const { return FDib.Handle(); }

private:
    void Release();
    platform::DibSection FDib;
    uint8_t* FBits = nullptr;  // FDib's bits
    int FWidth = 0;
    int FHeight = 0;
};

struct TRGBConvertContext {
    AVPixelFormat RGBPixFmt = AV_PIX_FMT_BGR24;
    int BMPBitsPerPixel = 24;
    TBitmap24* Bitmap = nullptr;
    uint8_t* RGBBuf = nullptr;
    int RGBBufSize = 0;
    TAVPicture RGBPicture;
    const TAVPicture* RGBPictureRef = nullptr;
    SwsContext* toRGB_convert_ctx = nullptr;
    SwsContext* fromRGB_convert_ctx = nullptr;
};

// Releases everything and restores the defaults.
void ResetRGBContext(TRGBConvertContext& ACtx);
// Converts (or copies, when already fit) the picture into ACtx.Bitmap.
// False when no scaler context can be had.
bool ConvertToBitmap(TRGBConvertContext& ACtx, const TAVPicture& APicture, int APixFmt, int AWidth, int AHeight);
