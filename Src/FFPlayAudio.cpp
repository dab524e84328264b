// The player's sound output: SDL pulls samples through AudioCallback on its
// own audio thread; the callback decodes the audio queue on demand,
// converts to the device's format (signed 16-bit, the device's rate and
// channels), keeps the audio clock and the display's sample ring, and
// stretches or shortens buffers when audio follows another clock.
#include <cmath>
#include <cstring>

#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFPlay.h"
#include "Src/FFPlayThreads.h"
#include "Src/FFmpegLogger.h"
#include "Src/SwResampleStubs.h"

namespace {

constexpr int SILENCE_BYTES = 1024;
constexpr int AUDIO_DIFF_AVG_NB = 20;
constexpr int SAMPLE_CORRECTION_PERCENT_MAX = 10;

int BytesPerFrame(TVideoState* vs) { return 2 * vs->audio_device_channels; }

// Converts a decoded frame to the device's format into audio_buf2; the byte
// count, or -1.
int ConvertFrame(TVideoState* vs, const AVFrame* AFrame) {
    TCustomPlayer* p = vs->Owner;
    const bool same_input = vs->reformat_ctx && AFrame->format == vs->audio_src_fmt &&
                            AFrame->sample_rate == vs->audio_src_rate &&
                            AFrame->ch_layout.nb_channels == vs->audio_src_channels;
    if (!same_input) {
        if (vs->reformat_ctx) ff::swr_free(&vs->reformat_ctx);
        AVChannelLayout out_layout{};
        ff::av_channel_layout_default(&out_layout, vs->audio_device_channels);
        ff::swr_alloc_set_opts2(&vs->reformat_ctx, &out_layout, AV_SAMPLE_FMT_S16, vs->audio_device_rate,
                                const_cast<AVChannelLayout*>(&AFrame->ch_layout), AVSampleFormat(AFrame->format), AFrame->sample_rate, 0, nullptr);
        if (!vs->reformat_ctx || ff::swr_init(vs->reformat_ctx) < 0) {
            if (vs->reformat_ctx) ff::swr_free(&vs->reformat_ctx);
            const char* from = ff::av_get_sample_fmt_name(AVSampleFormat(AFrame->format));
            GlobalLogger()->Log(p, llError, "Cannot convert %s sample format to %s sample format", from ? from : "?",
                                ff::av_get_sample_fmt_name(AV_SAMPLE_FMT_S16));
            return -1;
        }
        vs->audio_src_fmt = AFrame->format;
        vs->audio_src_rate = AFrame->sample_rate;
        vs->audio_src_channels = AFrame->ch_layout.nb_channels;
    }
    uint8_t* out = vs->audio_buf2.data();
    const int capacity = AUDIO_BUF_SIZE / BytesPerFrame(vs);
    const int n = ff::swr_convert(vs->reformat_ctx, &out, capacity, const_cast<const uint8_t**>(AFrame->extended_data),
                                  AFrame->nb_samples);
    if (n < 0) {
        p->LogError(L"av_audio_convert() failed", false);
        return -1;
    }
    vs->audio_buf = vs->audio_buf2.data();
    return n * BytesPerFrame(vs);
}

// Decoded byte count with APts := the time of its first sample, or -1 when
// nothing can be decoded now.
int AudioDecodeFrame(TVideoState* vs, double& APts) {
    AVCodecContext* ctx = vs->audio_ctx;
    if (!vs->audio_frame) vs->audio_frame = ff::av_frame_alloc();
    AVFrame* frame = vs->audio_frame;
    for (;;) {
        if (vs->audio_pkt_pending) {
            const int got = ff::avcodec_receive_frame(ctx, frame);
            if (got == 0) {
                if (frame->pts != AV_NOPTS_VALUE) vs->audio_clock = frame->pts * av_q2d(vs->audio_st->time_base);
                const int size = ConvertFrame(vs, frame);
                ff::av_frame_unref(frame);
                if (size <= 0) continue;
                APts = vs->audio_clock;
                vs->audio_clock = vs->audio_clock + double(size) / (BytesPerFrame(vs) * vs->audio_device_rate);
                return size;
            }
            vs->audio_pkt_pending = false;
            if (got == AVERROR_EOF) ff::avcodec_flush_buffers(ctx);
        }
        vs->audio_pkt.Release();
        if (vs->paused || vs->audioq.Aborted()) return -1;
        if (vs->audioq.Get(vs->audio_pkt, false) <= 0) return -1;
        if (vs->audio_pkt.flush) {
            ff::avcodec_flush_buffers(ctx);
            continue;
        }
        if (vs->audio_pkt.IsEmpty()) continue;
        if (ff::avcodec_send_packet(ctx, vs->audio_pkt.pkt) < 0) {
            GlobalLogger()->Log(vs->Owner, llInfo, L"avcodec_decode_audio2() failed");
            continue;
        }
        vs->audio_pkt_pending = true;
    }
}

}  // namespace

void UpdateSampleDisplay(TVideoState* vs, const int16_t* ASamples, int ASize) {
    int count = ASize / 2;
    int index = vs->sample_array_index;
    while (count > 0) {
        const int len = std::min(count, SAMPLE_ARRAY_SIZE - index);
        memcpy(vs->sample_array.data() + index, ASamples, len * 2);
        ASamples += len;
        index += len;
        if (index >= SAMPLE_ARRAY_SIZE) index = 0;
        count -= len;
    }
    vs->sample_array_index = index;
}

int SynchronizeAudio(TVideoState* vs, int16_t* ASamples, int ASize, int ACapacity) {
    const bool slave = (vs->av_sync_type == AV_SYNC_VIDEO_MASTER && vs->video_st) ||
                       vs->av_sync_type == AV_SYNC_EXTERNAL_CLOCK;
    if (!slave) return ASize;
    const double diff = GetAudioClock(vs) - GetMasterClock(vs);
    if (diff >= AV_NOSYNC_THRESHOLD) {
        vs->audio_diff_avg_count = 0;
        vs->audio_diff_cum = 0;
        return ASize;
    }
    vs->audio_diff_cum = diff + vs->audio_diff_avg_coef * vs->audio_diff_cum;
    if (vs->audio_diff_avg_count < AUDIO_DIFF_AVG_NB) {
        ++vs->audio_diff_avg_count;
        return ASize;
    }
    const double avg = vs->audio_diff_cum * (1.0 - vs->audio_diff_avg_coef);
    if (std::fabs(avg) < vs->audio_diff_threshold) return ASize;
    const int n = BytesPerFrame(vs);
    int wanted = ASize + static_cast<int>(std::lround(diff * vs->audio_device_rate)) * n;
    const int frames = ASize / n;
    const int lo = (frames * (100 - SAMPLE_CORRECTION_PERCENT_MAX) / 100) * n;
    const int hi = (frames * (100 + SAMPLE_CORRECTION_PERCENT_MAX) / 100) * n;
    wanted = std::max(lo, std::min(hi, wanted));
    wanted = std::min(wanted, ACapacity / n * n);  // never past the buffer
    if (wanted > ASize) {
        auto* bytes = reinterpret_cast<uint8_t*>(ASamples);
        for (int pos = ASize; pos < wanted; pos += n) memcpy(bytes + pos, bytes + ASize - n, n);
    }
    return wanted;
}

void SDLCALL AudioCallback(void* AOpaque, Uint8* AStream, int ALength) {
    auto* vs = static_cast<TVideoState*>(AOpaque);
    TCustomPlayer* p = vs->Owner;
    p->Faudio_callback_time = ff::av_gettime();
    memset(AStream, 0, ALength);
    while (ALength > 0) {
        if (vs->audio_buf_index >= static_cast<int>(vs->audio_buf_size)) {
            double pts = 0;
            const int size = AudioDecodeFrame(vs, pts);
            if (vs->audioq.Aborted()) return;
            if (size < 0) {
                vs->audio_buf = vs->audio_buf1.data();
                memset(vs->audio_buf, 0, SILENCE_BYTES);
                vs->audio_buf_size = SILENCE_BYTES;
            } else {
                if (vs->show_audio) UpdateSampleDisplay(vs, reinterpret_cast<int16_t*>(vs->audio_buf), size);
                vs->audio_buf_size =
                    SynchronizeAudio(vs, reinterpret_cast<int16_t*>(vs->audio_buf), size, AUDIO_BUF_SIZE);
            }
            vs->audio_buf_index = 0;
        }
        const int n = std::min(static_cast<int>(vs->audio_buf_size) - vs->audio_buf_index, ALength);
        if (!p->Mute) ff::SDL_MixAudio(AStream, vs->audio_buf + vs->audio_buf_index, n, p->AudioVolume);
        vs->audio_buf_index += n;
        AStream += n;
        ALength -= n;
    }
}
