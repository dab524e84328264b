// The player's pictures as 24-bit bitmaps: the picture hook on the video
// thread, and the frame grab of the picture waiting in the picture queue.
#include <cmath>

#include "Src/FFPlay.h"
#include "Src/FFmpegLogger.h"
#include "Src/SwScaleStubs.h"

namespace {

constexpr int SCALER_FLAGS = SWS_BICUBIC;  // 4

// The overlay's planes as a YUV 4:2:0 picture (YV12: plane 1 is V).
TAVPicture OverlayPicture(SDL_Overlay* AOverlay) {
    TAVPicture pic;
    pic.data[0] = AOverlay->pixels[0];
    pic.data[1] = AOverlay->pixels[2];
    pic.data[2] = AOverlay->pixels[1];
    pic.linesize[0] = AOverlay->pitches[0];
    pic.linesize[1] = AOverlay->pitches[2];
    pic.linesize[2] = AOverlay->pitches[1];
    return pic;
}

}  // namespace

bool TCustomPlayer::DoHook(AVFrame* /*ASrc*/, SDL_Overlay* ADst, double ATime, int AWidth, int AHeight, int /*ASrcFmt*/) {
    if (!Hook) return false;
    std::lock_guard<std::mutex> lock(FHookLock);
    if (!FOnHook) return false;
    // The overlay already holds the picture as shown (flipped when so set);
    // the bitmap follows the size of every picture.
    const TAVPicture pic = OverlayPicture(ADst);
    if (!ConvertToBitmap(FHookContext, pic, AV_PIX_FMT_YUV420P, AWidth, AHeight)) {
        LogError(L"Cannot initialize the toRGB conversion context", false);
        return false;
    }
    TBitmap24* bmp = FHookContext.Bitmap;
    const TVideoState* vs = FRawState;
    try {
        FOnHook(this, bmp, std::llround(ATime * 1000000) - (vs ? vs->StartTime : 0));
    } catch (const std::exception& e) {
        LogError(L"Error occurs OnHook: " + Utf8ToWide(e.what()), false);
        return false;
    }
    FHookContext.fromRGB_convert_ctx =
        ff::sws_getCachedContext(FHookContext.fromRGB_convert_ctx, AWidth, AHeight, AV_PIX_FMT_BGR24, AWidth, AHeight,
                                 AV_PIX_FMT_YUV420P, SCALER_FLAGS, nullptr, nullptr, nullptr);
    if (!FHookContext.fromRGB_convert_ctx) {
        LogError(L"Cannot initialize the fromRGB conversion context", false);
        return false;
    }
    const uint8_t* src[4] = {bmp->ScanLine(0), nullptr, nullptr, nullptr};
    const int src_stride[4] = {bmp->BytesPerLine(), 0, 0, 0};
    ff::sws_scale(FHookContext.fromRGB_convert_ctx, src, src_stride, 0, AHeight, pic.data, pic.linesize);
    return true;
}

TBitmap24* TCustomPlayer::CurrentFrame() {
    int64_t pts;
    return CurrentFrame(pts);
}

TBitmap24* TCustomPlayer::CurrentFrame(int64_t& APTS) {
    std::lock_guard<std::mutex> lock(FGrabLock);
    if (!FRGBContext.Bitmap) FRGBContext.Bitmap = new TBitmap24;
    TBitmap24* bmp = FRGBContext.Bitmap;
    auto vs = State();
    if (!vs || !vs->video_ctx) {
        bmp->SetSize(0, 0);
        APTS = -1;
        return bmp;
    }
    bmp->SetSize(vs->video_ctx->width, vs->video_ctx->height);
    bmp->FillBlack();
    // The overlay is never read while the video thread fills it or the play
    // thread frees it.
    std::lock_guard<std::mutex> olock(vs->overlay_lock);
    const TVideoPicture& vp = vs->pictq[vs->pictq_rindex];
    APTS = std::llround(vp.pts * 1000000) - vs->StartTime;
    if (vp.bmp) {
        ff::SDL_LockYUVOverlay(vp.bmp);
        if (!ConvertToBitmap(FRGBContext, OverlayPicture(vp.bmp), AV_PIX_FMT_YUV420P, vp.width, vp.height))
            bmp->SetSize(0, 0);
        ff::SDL_UnlockYUVOverlay(vp.bmp);
    }
    return bmp;
}
