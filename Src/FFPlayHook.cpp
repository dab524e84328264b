// The player's pictures as 24-bit bitmaps: the picture hook on the video
// thread, and the frame grab of the picture waiting in the picture queue.
#include <cmath>
#include <cstring>

#include "Src/FFPlay.h"
#include "Src/FFmpegLogger.h"
#include "Src/AVUtilStubs.h"
#include "Src/SwScaleStubs.h"

namespace {

constexpr int SCALER_FLAGS = SWS_BICUBIC;  // 4

// A library frame with padded, aligned planes: the scalers read and write
// past the visible width, which the overlays' and bitmaps' own memory does
// not allow for.
class TPaddedFrame {
public:
    TPaddedFrame(AVPixelFormat AFormat, int AWidth, int AHeight) : F(ff::av_frame_alloc()) {
        if (!F) return;
        F->format = AFormat;
        F->width = AWidth;
        F->height = AHeight;
        if (ff::av_frame_get_buffer(F, 32) < 0) ff::av_frame_free(&F);
    }
    ~TPaddedFrame() { ff::av_frame_free(&F); }
    TPaddedFrame(const TPaddedFrame&) = delete;
    TPaddedFrame& operator=(const TPaddedFrame&) = delete;
    AVFrame* F;
};

// The overlay's planes (YV12: plane 1 is V) as YUV 4:2:0 plane order.
void OverlayPlanes(SDL_Overlay* AOverlay, uint8_t* AData[3], int ALinesize[3]) {
    const int order[3] = {0, 2, 1};
    for (int i = 0; i < 3; ++i) {
        AData[i] = AOverlay->pixels[order[i]];
        ALinesize[i] = AOverlay->pitches[order[i]];
    }
}

// Copies between the overlay and a padded YUV 4:2:0 frame of the same size.
void CopyPlanes(uint8_t* const ADst[3], const int ADstLine[3], uint8_t* const ASrc[3], const int ASrcLine[3],
                int AWidth, int AHeight) {
    for (int i = 0; i < 3; ++i) {
        const int w = i ? AWidth / 2 : AWidth, h = i ? AHeight / 2 : AHeight;
        for (int y = 0; y < h; ++y) memcpy(ADst[i] + y * ADstLine[i], ASrc[i] + y * ASrcLine[i], w);
    }
}

// The overlay's picture in a padded frame; nullptr when memory runs out.
bool CopyFromOverlay(SDL_Overlay* AOverlay, TPaddedFrame& AFrame, int AWidth, int AHeight, TAVPicture& APicture) {
    if (!AFrame.F) return false;
    uint8_t* data[3];
    int linesize[3];
    OverlayPlanes(AOverlay, data, linesize);
    CopyPlanes(AFrame.F->data, AFrame.F->linesize, data, linesize, AWidth, AHeight);
    for (int i = 0; i < 3; ++i) {
        APicture.data[i] = AFrame.F->data[i];
        APicture.linesize[i] = AFrame.F->linesize[i];
    }
    return true;
}

// Converts a padded YUV 4:2:0 picture into the context's bitmap through a
// padded BGR frame (the context's own buffer has no room for the scaler's
// overshoot).
bool ToBitmap(TRGBConvertContext& ACtx, const TAVPicture& APicture, int AWidth, int AHeight) {
    ACtx.toRGB_convert_ctx = ff::sws_getCachedContext(ACtx.toRGB_convert_ctx, AWidth, AHeight, AV_PIX_FMT_YUV420P,
                                                      AWidth, AHeight, AV_PIX_FMT_BGR24, SCALER_FLAGS, nullptr, nullptr,
                                                      nullptr);
    TPaddedFrame rgb(AV_PIX_FMT_BGR24, AWidth, AHeight);
    if (!ACtx.toRGB_convert_ctx || !rgb.F) return false;
    ff::sws_scale(ACtx.toRGB_convert_ctx, APicture.data, APicture.linesize, 0, AHeight, rgb.F->data, rgb.F->linesize);
    if (!ACtx.Bitmap) ACtx.Bitmap = NewPictureBitmap();
    ACtx.Bitmap->SetSize(AWidth, AHeight);
    if (ACtx.Bitmap->Width() != AWidth || ACtx.Bitmap->Height() != AHeight) return false;
    for (int y = 0; y < AHeight; ++y) memcpy(ACtx.Bitmap->ScanLine(y), rgb.F->data[0] + y * rgb.F->linesize[0], AWidth * 3);
    return true;
}

}  // namespace

// Every buffer stays between pictures: the context's RGB buffer and bitmap
// and FHookYUV are made anew only for a picture of another size, and both
// scalers are cached. Per picture: the scaler to RGB, the rows into the
// bitmap, the handler, the rows back, the scaler to YUV and the planes into
// the overlay (the scalers write past the visible width, which the
// overlay's own memory has no room for).
bool TCustomPlayer::DoHook(const TAVPicture& ASrc, SDL_Overlay* ADst, double ATime, int AWidth, int AHeight,
                           int ASrcFmt) {
    if (!Hook) return false;
    std::lock_guard<std::timed_mutex> lock(FHookLock);
    if (!FOnHook) return false;
    if (!ConvertToBitmap(FHookContext, ASrc, ASrcFmt, AWidth, AHeight) ||
        FHookContext.RGBPictureRef != &FHookContext.RGBPicture) {
        LogError(L"Cannot initialize the toRGB conversion context", false);
        return false;
    }
    TBitmap* bmp = FHookContext.Bitmap.get();
    const TVideoState* vs = FRawState;
    const int64_t pts = std::llround(ATime * 1000000) - (vs ? vs->StartTime : 0);
    std::wstring failure;
    {
        TCanvasLock canvas(bmp->Canvas());
        try {
            FOnHook(this, bmp, pts);
        } catch (const std::exception& e) {
            failure = Utf8ToWide(e.what());
        } catch (...) {
            failure = L"unknown exception";
        }
    }
    if (!failure.empty()) {
        LogError(L"Error occurs OnHook: " + failure, false);
        return false;
    }
    const TAVPicture& rgb = FHookContext.RGBPicture;
    for (int y = 0; y < AHeight; ++y) memcpy(rgb.data[0] + y * rgb.linesize[0], bmp->ScanLine(y), AWidth * 3);
    FHookContext.fromRGB_convert_ctx =
        ff::sws_getCachedContext(FHookContext.fromRGB_convert_ctx, AWidth, AHeight, FHookContext.RGBPixFmt, AWidth,
                                 AHeight, AV_PIX_FMT_YUV420P, SCALER_FLAGS, nullptr, nullptr, nullptr);
    if (FHookYUV && (FHookYUV->width != AWidth || FHookYUV->height != AHeight)) FHookYUV.reset();
    if (!FHookYUV) {
        TPaddedFrame yuv(AV_PIX_FMT_YUV420P, AWidth, AHeight);
        FHookYUV.reset(yuv.F);
        yuv.F = nullptr;
    }
    if (!FHookContext.fromRGB_convert_ctx || !FHookYUV) {
        LogError(L"Cannot initialize the fromRGB conversion context", false);
        return false;
    }
    ff::sws_scale(FHookContext.fromRGB_convert_ctx, rgb.data, rgb.linesize, 0, AHeight, FHookYUV->data,
                  FHookYUV->linesize);
    uint8_t* data[3];
    int linesize[3];
    OverlayPlanes(ADst, data, linesize);
    CopyPlanes(data, linesize, FHookYUV->data, FHookYUV->linesize, AWidth, AHeight);
    return true;
}

TBitmap* TCustomPlayer::CurrentFrame() {
    int64_t pts;
    return CurrentFrame(pts);
}

TBitmap* TCustomPlayer::CurrentFrame(int64_t& APTS) {
    std::lock_guard<std::mutex> lock(FGrabLock);
    if (!FRGBContext.Bitmap) FRGBContext.Bitmap = NewPictureBitmap();
    TBitmap* bmp = FRGBContext.Bitmap.get();
    auto vs = State();
    if (!vs || !vs->video_ctx) {
        bmp->SetSize(0, 0);
        APTS = -1;
        return bmp;
    }
    bmp->SetSize(vs->video_ctx->width, vs->video_ctx->height);
    FillBlack(*bmp);
    // The overlay is never read while the video thread fills (and hooks) it
    // or the play thread frees it. The hook may wait for this thread.
    LockServingHandOvers(vs->overlay_lock);
    std::lock_guard<std::timed_mutex> olock(vs->overlay_lock, std::adopt_lock);
    const TVideoPicture& vp = vs->pictq[vs->pictq_rindex];
    APTS = std::llround(vp.pts * 1000000) - vs->StartTime;
    if (vp.bmp) {
        TPaddedFrame yuv(AV_PIX_FMT_YUV420P, vp.width, vp.height);
        TAVPicture pic;
        ff::SDL_LockYUVOverlay(vp.bmp);
        const bool copied = CopyFromOverlay(vp.bmp, yuv, vp.width, vp.height, pic);
        ff::SDL_UnlockYUVOverlay(vp.bmp);
        if (!copied || !ToBitmap(FRGBContext, pic, vp.width, vp.height)) bmp->SetSize(0, 0);
    }
    return bmp;
}
