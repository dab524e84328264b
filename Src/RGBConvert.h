#pragma once
// A decoded library picture turned into a 24-bit bitmap of the class library, with the scaler
// context and buffers kept between calls (one converter per owner; used by
// one thread at a time).
#include <windows.h>

#include <cstdint>
#include <memory>

#include "Src/LibAVHeaders.h"
#include "platform/Bitmap.h"

// The library's picture record: four plane pointers and their line sizes.
struct TAVPicture {
    uint8_t* data[4] = {};
    int linesize[4] = {};
};

// A 24-bit bitmap of the class library for converted pictures (blue,
// green, red bytes, row 0 at the top).
std::unique_ptr<TBitmap> NewPictureBitmap();
// The pixel at (x, y) as 0xRRGGBB.
uint32_t BitmapPixel(TBitmap& ABitmap, int AX, int AY);
void FillBlack(TBitmap& ABitmap);

struct TRGBConvertContext {
    AVPixelFormat RGBPixFmt = AV_PIX_FMT_BGR24;
    int BMPBitsPerPixel = 24;
    std::unique_ptr<TBitmap> Bitmap;
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
