#include "Src/RGBConvert.h"

#include <algorithm>
#include <cstring>

#include "Src/AVUtilStubs.h"
#include "Src/SwScaleStubs.h"

TBitmap24::TBitmap24(const TBitmap24& AOther) { *this = AOther; }

TBitmap24& TBitmap24::operator=(const TBitmap24& AOther) {
    if (this == &AOther) return *this;
    SetSize(AOther.FWidth, AOther.FHeight);
    if (FBits && AOther.FBits) std::memcpy(FBits, AOther.FBits, static_cast<size_t>(BytesPerLine()) * FHeight);
    return *this;
}

void TBitmap24::Release() {
    FDib.Reset();
    FBits = nullptr;
    FWidth = FHeight = 0;
}

void TBitmap24::SetSize(int AWidth, int AHeight) {
    if (AWidth == FWidth && AHeight == FHeight && (FDib || AWidth <= 0 || AHeight <= 0)) return;
    Release();
    if (AWidth <= 0 || AHeight <= 0) return;
    FDib = platform::DibSection::Create(AWidth, AHeight, 24);
    if (!FDib) return;
    FBits = static_cast<uint8_t*>(FDib.Bits());
    FWidth = AWidth;
    FHeight = AHeight;
}

uint32_t TBitmap24::Pixel(int AX, int AY) const {
    const uint8_t* p = ScanLine(AY) + AX * 3;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

void TBitmap24::FillBlack() {
    if (FBits) std::memset(FBits, 0, static_cast<size_t>(BytesPerLine()) * FHeight);
}

void ResetRGBContext(TRGBConvertContext& ACtx) {
    delete ACtx.Bitmap;
    ACtx.Bitmap = nullptr;
    if (ACtx.RGBBuf) ff::av_free(ACtx.RGBBuf);
    ACtx.RGBBuf = nullptr;
    if (ACtx.toRGB_convert_ctx) ff::sws_freeContext(ACtx.toRGB_convert_ctx);
    if (ACtx.fromRGB_convert_ctx) ff::sws_freeContext(ACtx.fromRGB_convert_ctx);
    ACtx.toRGB_convert_ctx = ACtx.fromRGB_convert_ctx = nullptr;
    ACtx.RGBPixFmt = AV_PIX_FMT_BGR24;
    ACtx.BMPBitsPerPixel = 24;
    ACtx.RGBBufSize = 0;
    ACtx.RGBPicture = TAVPicture{};
    ACtx.RGBPictureRef = nullptr;
}

bool ConvertToBitmap(TRGBConvertContext& ACtx, const TAVPicture& APicture, int APixFmt, int AWidth, int AHeight) {
    if (!ACtx.Bitmap) ACtx.Bitmap = new TBitmap24;
    ACtx.Bitmap->SetSize(AWidth, AHeight);
    if (ACtx.Bitmap->Width() != AWidth || ACtx.Bitmap->Height() != AHeight) return false;
    const bool convert = APixFmt != ACtx.RGBPixFmt || AWidth % 2 || AHeight % 2 ||
                         APicture.linesize[0] != ACtx.Bitmap->BytesPerLine();
    if (convert) {
        // The scaler's vector code may write a little past the end of a
        // line: lines are aligned and the buffer has room behind the last.
        constexpr int kAlign = 32, kPadding = 64;
        const int bytes = ff::av_image_get_buffer_size(ACtx.RGBPixFmt, AWidth, AHeight, kAlign);
        if (bytes < 0) return false;
        const int size = bytes + kPadding;
        if (!ACtx.RGBBuf || ACtx.RGBBufSize < size) {
            if (ACtx.RGBBuf) ff::av_free(ACtx.RGBBuf);
            ACtx.RGBBuf = static_cast<uint8_t*>(ff::av_malloc(size));
            ACtx.RGBBufSize = ACtx.RGBBuf ? size : 0;
            if (!ACtx.RGBBuf) return false;
        }
        ff::av_image_fill_arrays(ACtx.RGBPicture.data, ACtx.RGBPicture.linesize, ACtx.RGBBuf, ACtx.RGBPixFmt, AWidth,
                                 AHeight, kAlign);
        ACtx.toRGB_convert_ctx =
            ff::sws_getCachedContext(ACtx.toRGB_convert_ctx, AWidth, AHeight, static_cast<AVPixelFormat>(APixFmt),
                                     AWidth, AHeight, ACtx.RGBPixFmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
        if (!ACtx.toRGB_convert_ctx) return false;
        ff::sws_scale(ACtx.toRGB_convert_ctx, APicture.data, APicture.linesize, 0, AHeight, ACtx.RGBPicture.data,
                      ACtx.RGBPicture.linesize);
        ACtx.RGBPictureRef = &ACtx.RGBPicture;
    } else {
        ACtx.RGBPictureRef = &APicture;
    }
    const uint8_t* src = ACtx.RGBPictureRef->data[0];
    const int line = std::min(ACtx.RGBPictureRef->linesize[0], ACtx.Bitmap->BytesPerLine());
    for (int y = 0; y < AHeight; ++y, src += ACtx.RGBPictureRef->linesize[0])
        std::memcpy(ACtx.Bitmap->ScanLine(y), src, line);
    return true;
}
