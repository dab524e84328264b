// Drawing for the player, on the play thread: the SDL surface inside the
// host window (or SDL's own window), the current picture placed with its
// aspect ratio and subtitles blended in, and the waveform or spectrum when
// sound is shown instead of pictures.
#include <cmath>
#include <cstring>

#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFPlay.h"
#include "Src/FFPlayThreads.h"

namespace {

constexpr Uint32 WINDOW_FLAGS = SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_RESIZABLE | SDL_HWACCEL;  // 0x115
constexpr Uint32 FULLSCREEN_FLAGS = SDL_FULLSCREEN | SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_HWACCEL;

void FillRect(SDL_Surface* AScreen, int AX, int AY, int AW, int AH, Uint32 AColor) {
    if (AW <= 0 || AH <= 0) return;
    SDL_Rect r{static_cast<Sint16>(AX), static_cast<Sint16>(AY), static_cast<Uint16>(AW), static_cast<Uint16>(AH)};
    ff::SDL_FillRect(AScreen, &r, AColor);
}

int Wrap(int AIndex) {
    AIndex %= SAMPLE_ARRAY_SIZE;
    return AIndex < 0 ? AIndex + SAMPLE_ARRAY_SIZE : AIndex;
}

void BlendSubtitles(TVideoState* vs, TVideoPicture& vp) {
    if (!vs->subtitle_st) return;
    std::lock_guard<std::mutex> lock(vs->subpq_mutex);
    if (vs->subpq_size <= 0) return;
    TSubPicture& sp = vs->subpq[vs->subpq_rindex];
    if (vp.pts < sp.pts + sp.sub.start_display_time / 1000.0) return;
    std::lock_guard<std::timed_mutex> olock(vs->overlay_lock);
    ff::SDL_LockYUVOverlay(vp.bmp);
    uint8_t* data[3] = {vp.bmp->pixels[0], vp.bmp->pixels[2], vp.bmp->pixels[1]};
    const int linesize[3] = {vp.bmp->pitches[0], vp.bmp->pitches[2], vp.bmp->pitches[1]};
    for (unsigned i = 0; i < sp.sub.num_rects; ++i) BlendSubrect(data, linesize, sp.sub.rects[i], vp.width, vp.height);
    ff::SDL_UnlockYUVOverlay(vp.bmp);
}

void ImageDisplay(TVideoState* vs) {
    TCustomPlayer* p = vs->Owner;
    TVideoPicture& vp = vs->pictq[vs->pictq_rindex];
    if (!vp.bmp) return;
    float aspect;
    if (p->AspectRatio() < 0 && vs->width != 0 && vs->height != 0) {
        aspect = float(vs->width) / float(vs->height);
    } else if (p->AspectRatio() > 0) {
        aspect = p->AspectRatio();
    } else {
        aspect = vp.sample_aspect_ratio.num == 0 ? 0.0f : float(av_q2d(vp.sample_aspect_ratio));
        if (aspect <= 0) aspect = 1;
        aspect *= float(vp.width) / float(vp.height);
    }
    BlendSubtitles(vs, vp);
    SDL_Rect rect = PictureRect(vs->width, vs->height, aspect);
    rect.x = static_cast<Sint16>(rect.x + vs->xleft);
    rect.y = static_cast<Sint16>(rect.y + vs->ytop);
    vs->no_background = 0;
    std::lock_guard<std::timed_mutex> lock(vs->overlay_lock);
    ff::SDL_DisplayYUVOverlay(vp.bmp, &rect);
}

// The start index of the audio display in the sample ring.
int AudioStart(TVideoState* vs, int AChannels, int AFreqs) {
    if (vs->paused) return vs->last_i_start;
    const int used = vs->show_audio == 1 ? vs->width.load() : 2 * AFreqs;
    int delay = (static_cast<int>(vs->audio_buf_size) - vs->audio_buf_index) / (2 * AChannels);
    const int64_t cb_time = vs->Owner->Faudio_callback_time;
    if (cb_time) {
        const int32_t elapsed = static_cast<int32_t>(ff::av_gettime() - cb_time);
        delay -= static_cast<int>(int64_t(elapsed) * vs->audio_device_rate / 1000000);
    }
    delay += 2 * used;
    if (delay < used) delay = used;
    int start = Wrap(vs->sample_array_index - delay * AChannels);
    if (vs->show_audio == 1) {
        const int16_t* s = vs->sample_array.data();
        int h = INT32_MIN;
        for (int i = 0; i < 1000; i += AChannels) {
            const int idx = Wrap(start - i);
            const int a = s[idx], b = s[Wrap(idx + 4 * AChannels)], c = s[Wrap(idx + 5 * AChannels)],
                      d = s[Wrap(idx + 9 * AChannels)];
            const int score = a - d;
            if (h < score && (b ^ c) < 0) {
                h = score;
                start = idx;
            }
        }
    }
    vs->last_i_start = start;
    return start;
}

void DrawWave(TVideoState* vs, SDL_Surface* AScreen, int AChannels, int AStart) {
    const Uint32 black = ff::SDL_MapRGB(AScreen->format, 0, 0, 0);
    const Uint32 white = ff::SDL_MapRGB(AScreen->format, 255, 255, 255);
    const int width = vs->width, height = vs->height;
    FillRect(AScreen, vs->xleft, vs->ytop, width, height, black);
    const int h = height / AChannels;
    const int h2 = (h * 9) / 20;
    for (int ch = 0; ch < AChannels; ++ch) {
        int i = Wrap(AStart + ch);
        const int y1 = vs->ytop + ch * h + h / 2;
        for (int x = 0; x < width; ++x) {
            const int v = (vs->sample_array[i] * h2) >> 15;
            if (v < 0)
                FillRect(AScreen, vs->xleft + x, y1 + v, 1, -v, white);
            else
                FillRect(AScreen, vs->xleft + x, y1, 1, v, white);
            i = Wrap(i + AChannels);
        }
    }
    for (int ch = 1; ch < AChannels; ++ch) FillRect(AScreen, vs->xleft, vs->ytop + ch * h, width, 1, white);
    ff::SDL_UpdateRect(AScreen, vs->xleft, vs->ytop, width, height);
}

void DrawSpectrum(TVideoState* vs, SDL_Surface* AScreen, int AChannels, int AStart, int ABits, int AFreqs) {
    const int nb = std::min(AChannels, 2);
    if (ABits != vs->rdft_bits) {
        if (vs->rdft) ff::av_rdft_end(vs->rdft);
        vs->rdft = ff::av_rdft_init(ABits, DFT_R2C);
        vs->rdft_bits = ABits;
        vs->rdft_data.assign(4 * AFreqs, 0.0f);
    }
    if (!vs->rdft) return;
    for (int ch = 0; ch < nb; ++ch) {
        float* data = vs->rdft_data.data() + 2 * AFreqs * ch;
        int i = Wrap(AStart + ch);
        for (int x = 0; x < 2 * AFreqs; ++x) {
            const double w = double(x - AFreqs) / AFreqs;
            data[x] = float(vs->sample_array[i] * (1.0 - w * w));
            i = Wrap(i + AChannels);
        }
        ff::av_rdft_calc(vs->rdft, data);
    }
    const int height = vs->height;
    for (int y = 0; y < height; ++y) {
        auto level = [&](int ch) {
            const float* d = vs->rdft_data.data() + 2 * AFreqs * ch;
            const double re = d[2 * y], im = d[2 * y + 1];
            return std::min(255, static_cast<int>(std::lround(std::sqrt(std::sqrt(re * re + im * im) / std::sqrt(double(AFreqs))))));
        };
        const int a = y < AFreqs ? level(0) : 0;
        // A one-channel stream shows its channel in both intensities.
        const int b = y < AFreqs ? (nb > 1 ? level(1) : a) : 0;
        FillRect(AScreen, vs->xpos, vs->ytop + height - y, 1, 1, ff::SDL_MapRGB(AScreen->format, a, b, (a + b) / 2));
    }
    ff::SDL_UpdateRect(AScreen, vs->xpos, vs->ytop, 1, height);
    if (++vs->xpos >= vs->xleft + vs->width) vs->xpos = vs->xleft;
}

void AudioDisplay(TVideoState* vs) {
    SDL_Surface* screen = vs->Owner->Fscreen;
    if (!screen || !vs->audio_ctx || vs->width <= 0 || vs->height <= 0) return;
    int bits = 1;
    while ((1 << bits) < 2 * vs->height) ++bits;
    const int freqs = 1 << (bits - 1);
    const int channels = std::max(1, vs->audio_device_channels);
    const int start = AudioStart(vs, channels, freqs);
    if (vs->show_audio == 1)
        DrawWave(vs, screen, channels, start);
    else
        DrawSpectrum(vs, screen, channels, start, bits, freqs);
}

}  // namespace

SDL_Rect PictureRect(int AWidth, int AHeight, float AAspect) {
    int h = AHeight;
    int w = static_cast<int>(std::lround(h * AAspect)) & ~1;
    if (w > AWidth) {
        w = AWidth;
        h = static_cast<int>(std::lround(w / AAspect)) & ~1;
    }
    SDL_Rect r;
    r.x = static_cast<Sint16>((AWidth - w) / 2);
    r.y = static_cast<Sint16>((AHeight - h) / 2);
    r.w = static_cast<Uint16>(w);
    r.h = static_cast<Uint16>(h);
    return r;
}

int VideoOpen(TVideoState* vs, bool AForce) {
    TCustomPlayer* p = vs->Owner;
    int w, h;
    if (p->is_full_screen && p->Ffs_screen_width > 0) {
        w = p->Ffs_screen_width;
        h = p->Ffs_screen_height;
    } else if (!p->is_full_screen && p->ScreenWidth > 0) {
        w = p->ScreenWidth;
        h = p->ScreenHeight;
    } else if (vs->sink_width > 0) {
        w = vs->sink_width & ~1;
        h = vs->sink_height & ~1;
    } else {
        w = 640;
        h = 480;
    }
    if (!AForce && p->Fscreen && p->Fscreen->w == vs->width && p->Fscreen->w == w && p->Fscreen->h == vs->height &&
        p->Fscreen->h == h)
        return 0;
    p->Fscreen = ff::SDL_SetVideoMode(w, h, 0, p->is_full_screen ? FULLSCREEN_FLAGS : WINDOW_FLAGS);
    if (!p->Fscreen) {
        p->LogError(L"SDL: could not set video mode.", false);
        return -1;
    }
    if (!p->FScreenHandle) ff::SDL_WM_SetCaption("ZADovovi", "ZADovovi");
    vs->width = p->Fscreen->w;
    vs->height = p->Fscreen->h;
    return 0;
}

void VideoDisplay(TVideoState* vs) {
    if (!vs->Owner->Fscreen) VideoOpen(vs, false);
    if (!vs->Owner->Fscreen) return;
    if (vs->audio_st && vs->show_audio != 0)
        AudioDisplay(vs);
    else if (vs->video_st)
        ImageDisplay(vs);
}

void BlendSubrect(uint8_t* const AData[3], const int ALinesize[3], const AVSubtitleRect* ARect, int AImgW, int AImgH) {
    const int w = std::max(0, std::min(ARect->w, AImgW));
    const int h = std::max(0, std::min(ARect->h, AImgH));
    const int x0 = std::max(0, std::min(ARect->x, AImgW - w));
    const int y0 = std::max(0, std::min(ARect->y, AImgH - h));
    if (w == 0 || h == 0 || !ARect->data[0] || !ARect->data[1]) return;
    const auto* pal = reinterpret_cast<const uint32_t*>(ARect->data[1]);
    auto entry = [&](int x, int y) { return pal[ARect->data[0][(y - y0) * ARect->linesize[0] + (x - x0)]]; };
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const uint32_t e = entry(x, y);
            const int a = e >> 24, yy = (e >> 16) & 255;
            uint8_t& Y = AData[0][y * ALinesize[0] + x];
            Y = static_cast<uint8_t>((Y * (255 - a) + yy * a) / 255);
        }
    for (int by = y0 & ~1; by < y0 + h; by += 2)
        for (int bx = x0 & ~1; bx < x0 + w; bx += 2) {
            int k = 0, sa = 0, su = 0, sv = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int x = bx + dx, y = by + dy;
                    if (x < x0 || x >= x0 + w || y < y0 || y >= y0 + h) continue;
                    const uint32_t e = entry(x, y);
                    ++k;
                    sa += e >> 24;
                    su += (e >> 8) & 255;
                    sv += e & 255;
                }
            const int a = sa / 4;
            uint8_t& U = AData[1][(by / 2) * ALinesize[1] + bx / 2];
            uint8_t& V = AData[2][(by / 2) * ALinesize[2] + bx / 2];
            U = static_cast<uint8_t>((U * k * (255 - a) + su * a) / (255 * k));
            V = static_cast<uint8_t>((V * k * (255 - a) + sv * a) / (255 * k));
        }
}
