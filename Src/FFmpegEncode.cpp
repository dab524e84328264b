// The per-packet work of a task: decoding, audio and video encoding, stream
// copy, packet writing and the progress report.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFOwners.h"
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLogger.h"
#include "Src/SwResampleStubs.h"
#include "Src/SwScaleStubs.h"

namespace {

// The longest hole in an input's sound, in seconds, that is filled with silence.
constexpr int kLongestAudioHole = 60;

// Peak signal-to-noise ratio in dB of a mean squared error given as a share
// of the peak's square.
double Psnr(double AError) { return -10.0 * std::log10(AError); }

// Scales integer samples by AVolume/256, (sample x volume + 128) shifted right
// arithmetically by 8, kept in range; ABias is the value of silence (128 for
// unsigned 8-bit).
template <class T>
void ScaleIntegers(void* AData, int ACount, int AVolume, int64_t ABias, int64_t AMin, int64_t AMax) {
    auto* s = static_cast<T*>(AData);
    for (int i = 0; i < ACount; ++i) {
        const int64_t v = (static_cast<int64_t>(s[i]) - ABias) * AVolume;
        const int64_t scaled = (v + 128) >> 8;
        s[i] = static_cast<T>(std::clamp(scaled, AMin - ABias, AMax - ABias) + ABias);
    }
}

template <class T>
void ScaleFloats(void* AData, int ACount, int AVolume) {
    auto* s = static_cast<T*>(AData);
    for (int i = 0; i < ACount; ++i) s[i] = static_cast<T>(s[i] * AVolume / 256.0);
}

// The volume (256 = unchanged) applied to every sample format the decoders give.
void ApplyVolume(AVFrame* AFrame, int AVolume) {
    if (ff::av_frame_make_writable(AFrame) < 0) throw FFmpegException("Not enough memory for the volume change");
    const auto format = static_cast<AVSampleFormat>(AFrame->format);
    const int channels = AFrame->ch_layout.nb_channels;
    const bool planar = ff::av_sample_fmt_is_planar(format);
    const int planes = planar ? channels : 1;
    const int count = AFrame->nb_samples * (planar ? 1 : channels);
    for (int p = 0; p < planes; ++p) {
        void* data = AFrame->extended_data[p];
        switch (ff::av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8: ScaleIntegers<uint8_t>(data, count, AVolume, 128, 0, 255); break;
        case AV_SAMPLE_FMT_S16: ScaleIntegers<int16_t>(data, count, AVolume, 0, INT16_MIN, INT16_MAX); break;
        case AV_SAMPLE_FMT_S32: ScaleIntegers<int32_t>(data, count, AVolume, 0, INT32_MIN, INT32_MAX); break;
        case AV_SAMPLE_FMT_S64: {
            // No wider type to multiply in: scale through double.
            auto* s = static_cast<int64_t*>(data);
            for (int i = 0; i < count; ++i) {
                const double v = std::round(static_cast<double>(s[i]) * AVolume / 256.0);
                s[i] = v >= 9.2e18 ? INT64_MAX : v <= -9.2e18 ? INT64_MIN : static_cast<int64_t>(v);
            }
            break;
        }
        case AV_SAMPLE_FMT_FLT: ScaleFloats<float>(data, count, AVolume); break;
        case AV_SAMPLE_FMT_DBL: ScaleFloats<double>(data, count, AVolume); break;
        default: throw FFmpegException(FormatText("The volume cannot be changed for sample format %d", AFrame->format));
        }
    }
}

// A view of the picture without the bands (shares the picture's buffers);
// none for a format whose planes cannot be cut at these positions.
AVFrame* CropPicture(const AVFrame* AFrame, int ATop, int ABottom, int ALeft, int ARight) {
    const AVPixFmtDescriptor* d = ff::av_pix_fmt_desc_get(static_cast<AVPixelFormat>(AFrame->format));
    if (!d || (d->flags & (AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL))) return nullptr;
    AVFrame* view = ff::av_frame_clone(AFrame);
    if (!view) return nullptr;
    for (int plane = 0; plane < 4 && view->data[plane]; ++plane) {
        int step = 0;
        for (int c = 0; c < d->nb_components; ++c)
            if (d->comp[c].plane == plane) step = std::max(step, d->comp[c].step);
        const bool chroma = plane == 1 || plane == 2;
        const int y = chroma ? ATop >> d->log2_chroma_h : ATop;
        const int x = chroma ? ALeft >> d->log2_chroma_w : ALeft;
        view->data[plane] += static_cast<ptrdiff_t>(y) * view->linesize[plane] + static_cast<ptrdiff_t>(x) * step;
    }
    view->width -= ALeft + ARight;
    view->height -= ATop + ABottom;
    return view;
}

}  // namespace

int TCustomFFmpeg::OutputPacket(TAVInputStream& AIst, int AIstIndex, const AVPacket* APkt) {
    if (AIst.next_pts == AV_NOPTS_VALUE) AIst.next_pts = AIst.pts;
    if (APkt && APkt->dts != AV_NOPTS_VALUE) AIst.pts = AIst.next_pts = ff::av_rescale_q(APkt->dts, AIst.st->time_base, AV_TIME_BASE_Q);
    const AVMediaType type = AIst.st->codecpar->codec_type;
    if (!AIst.decoding_needed) {
        if (!APkt) return 0;
        AIst.pts = AIst.next_pts;
        if (APkt->duration > 0) AIst.next_pts += ff::av_rescale_q(APkt->duration, AIst.st->time_base, AV_TIME_BASE_Q);
        if (Fstart_time == 0 || AIst.pts >= Fstart_time) CopyPacket(AIst, AIstIndex, APkt);
        return 0;
    }
    if (type == AVMEDIA_TYPE_SUBTITLE) {
        if (!APkt) return 0;
        AVSubtitle sub{};
        int got = 0;
        AVPacket* copy = ff::av_packet_clone(APkt);
        const int r = ff::avcodec_decode_subtitle2(AIst.dec, &sub, &got, copy);
        ff::av_packet_free(&copy);
        if (r < 0) return -1;
        if (got) {
            for (const auto& ost : Fost_table)
                if (ost->source_index == AIstIndex && ost->encoding_needed) DoSubtitleOut(*ost, AIst, &sub, APkt->pts);
            ff::avsubtitle_free(&sub);
        }
        return 0;
    }
    if (type != AVMEDIA_TYPE_AUDIO && type != AVMEDIA_TYPE_VIDEO) return -1;
    if (!APkt && AIst.decoder_flushed) return 0;
    int r = ff::avcodec_send_packet(AIst.dec, APkt);
    if (r < 0 && r != AVERROR_EOF) return -1;
    for (int frames = 0;; ++frames) {
        r = ff::avcodec_receive_frame(AIst.dec, Fdecoded.get());
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) break;
        if (r < 0) return -1;
        if (APkt && frames >= 1) WarnMultipleFrames(AIst, APkt->stream_index);
        AIst.pts = AIst.next_pts;
        if (Fdecoded.get()->best_effort_timestamp != AV_NOPTS_VALUE)
            AIst.pts = ff::av_rescale_q(Fdecoded.get()->best_effort_timestamp, AIst.st->time_base, AV_TIME_BASE_Q) +
                       (APkt ? 0 : 0);
        if (type == AVMEDIA_TYPE_AUDIO && Fdecoded.get()->sample_rate > 0)
            AIst.next_pts = AIst.pts + static_cast<int64_t>(Fdecoded.get()->nb_samples) * 1000000 / Fdecoded.get()->sample_rate;
        else if (AIst.dec->framerate.num)
            AIst.next_pts = AIst.pts + ff::av_rescale_q(1, {AIst.dec->framerate.den, AIst.dec->framerate.num}, AV_TIME_BASE_Q);
        else if (AIst.st->avg_frame_rate.num)
            AIst.next_pts = AIst.pts + ff::av_rescale_q(1, {AIst.st->avg_frame_rate.den, AIst.st->avg_frame_rate.num}, AV_TIME_BASE_Q);
        AIst.quality = static_cast<float>(Fdecoded.get()->quality);
        if (type == AVMEDIA_TYPE_AUDIO && Faudio_volume != 256) ApplyVolume(Fdecoded.get(), Faudio_volume);
        if (Fstart_time == 0 || AIst.pts >= Fstart_time) DispatchFrame(AIst, AIstIndex, Fdecoded.get());
        ff::av_frame_unref(Fdecoded.get());
    }
    if (!APkt) {
        AIst.decoder_flushed = 1;
        FlushEncoders(AIstIndex);
    }
    return 0;
}

void TCustomFFmpeg::WarnMultipleFrames(TAVInputStream& AIst, int AStreamIndex) {
    if ((AIst.showed_multi_packet_warning || Fverbose <= 0) && Fverbose <= 1) return;
    GlobalLogger()->Log(this, llError, FormatText("Multiple frames in a packet from stream %d", AStreamIndex));
    AIst.showed_multi_packet_warning = 1;
}

void TCustomFFmpeg::DispatchFrame(TAVInputStream& AIst, int AIstIndex, AVFrame* AFrame) {
    if (Frate_emu) {
        const int64_t elapsed = Now() - AIst.start;
        if (AIst.pts - elapsed > 1000) Sleep(static_cast<DWORD>((AIst.pts - elapsed) / 1000));
    }
    // The hooked picture belongs to the task and serves the next one too.
    AVFrame* hooked = AIst.st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO ? PreProcessVideoFrame(AIst, AFrame) : nullptr;
    if (hooked) AFrame = hooked;
    for (const auto& ost : Fost_table) {
        if (ost->source_index != AIstIndex || !ost->encoding_needed) continue;
        if (ost->enc->codec_type == AVMEDIA_TYPE_AUDIO) DoAudioOut(*ost, AIst, AFrame);
        else if (ost->enc->codec_type == AVMEDIA_TYPE_VIDEO) {
            const int size = FilterVideoOut(*ost, AIst, AFrame);
            if (Fvstats_filename && size) DoVideoStats(*ost, size);
        } else
            throw FFmpegException("invalid codec_type");
    }
}

void TCustomFFmpeg::CopyPacket(TAVInputStream& AIst, int AIstIndex, const AVPacket* APkt) {
    for (const auto& ost : Fost_table) {
        if (ost->source_index != AIstIndex || ost->encoding_needed) continue;
        if (!ost->frame_number && !(APkt->flags & AV_PKT_FLAG_KEY) && !Fcopy_initial_nonkeyframes) continue;
        const AVRational otb = ost->st->time_base;
        const int64_t start = ff::av_rescale_q(Fstart_time, AV_TIME_BASE_Q, otb);
        AVPacket* out = ff::av_packet_clone(APkt);
        if (!out) throw FFmpegException("av_mallocz fail");
        if (AIst.st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) Faudio_size += APkt->size;
        else if (AIst.st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            Fvideo_size += APkt->size;
            ++ost->sync_opts;
        }
        out->stream_index = ost->index;
        out->pts = APkt->pts != AV_NOPTS_VALUE ? ff::av_rescale_q(APkt->pts, AIst.st->time_base, otb) - start : AV_NOPTS_VALUE;
        out->dts = (APkt->dts != AV_NOPTS_VALUE ? ff::av_rescale_q(APkt->dts, AIst.st->time_base, otb)
                                                : ff::av_rescale_q(AIst.pts, AV_TIME_BASE_Q, otb)) - start;
        out->duration = ff::av_rescale_q(APkt->duration, AIst.st->time_base, otb);
        WriteFrame(Foutput_files[ost->file_index], out, *ost);
        ff::av_packet_free(&out);
        ++ost->frame_number;
    }
}

void TCustomFFmpeg::FlushEncoders(int AIstIndex) {
    for (const auto& ost : Fost_table) {
        if (ost->source_index != AIstIndex || !ost->encoding_needed) continue;
        // Joined inputs share the encoders, which are drained at the end of the task.
        if (ost->enc->codec_type == AVMEDIA_TYPE_AUDIO) {
            FlushResampler(*ost);
            if (FJoinMode) continue;
            EncodeAudioFifo(*ost, true);
            EncodeAndWrite(*ost, nullptr);
        } else if (ost->enc->codec_type == AVMEDIA_TYPE_VIDEO) {
            FilterVideoOut(*ost, *Fist_table[AIstIndex], nullptr);
            if (FJoinMode) continue;
            EncodeAndWrite(*ost, nullptr);
        }
    }
}

// ---------------------------------------------------------------- audio

void TCustomFFmpeg::FitResampler(TAVOutputStream& AOst, AVFrame* AFrame) {
    const auto format = static_cast<AVSampleFormat>(AFrame->format);
    if (AOst.resample) {
        if (format == AOst.resample_in_format && AFrame->sample_rate == AOst.resample_in_rate &&
            !ff::av_channel_layout_compare(&AFrame->ch_layout, &AOst.resample_in_layout.Layout))
            return;
        // What the old one holds belongs before the new sound.
        FlushResampler(AOst);
        AOst.resample.reset();
        char layout[64] = {};
        ff::av_channel_layout_describe(&AFrame->ch_layout, layout, sizeof layout);
        GlobalLogger()->Log(this, llInfo, "Input Stream #%d.%d audio changed to %s, %d Hz, %s", AOst.sync_ist->file_index,
                            AOst.sync_ist->index, layout, AFrame->sample_rate, ff::av_get_sample_fmt_name(format));
    }
    AVCodecContext* enc = AOst.enc;
    SwrContext* made = nullptr;
    const int r = ff::swr_alloc_set_opts2(&made, &enc->ch_layout, enc->sample_fmt, enc->sample_rate, &AFrame->ch_layout, format,
                                          AFrame->sample_rate, 0, nullptr);
    AOst.resample.reset(made);
    if (r < 0 || ff::swr_init(AOst.resample.get()) < 0)
        throw FFmpegException(FormatText("Can not resample %d channels @ %d Hz to %d channels @ %d Hz", AFrame->ch_layout.nb_channels,
                                         AFrame->sample_rate, enc->ch_layout.nb_channels, enc->sample_rate));
    AOst.resample_in_format = format;
    AOst.resample_in_rate = AFrame->sample_rate;
    if (AOst.resample_in_layout.Layout.order == AV_CHANNEL_ORDER_CUSTOM) ff::av_channel_layout_uninit(&AOst.resample_in_layout.Layout);
    if (ff::av_channel_layout_copy(&AOst.resample_in_layout.Layout, &AFrame->ch_layout) < 0)
        throw FFmpegException("Out of memory in do_audio_out");
}

void TCustomFFmpeg::QueueSilence(TAVOutputStream& AOst, int64_t ASamples) {
    const AVCodecContext* enc = AOst.enc;
    const TFramePtr owner = NewFrame();
    AVFrame* pad = owner.get();
    pad->format = enc->sample_fmt;
    // At most a second at a time, encoded as it comes, so that a long hole
    // needs no more memory than a short one.
    pad->nb_samples = static_cast<int>(std::min<int64_t>(ASamples, std::max(enc->sample_rate, 1)));
    ff::av_channel_layout_copy(&pad->ch_layout, &enc->ch_layout);
    if (ff::av_frame_get_buffer(pad, 0) < 0) throw FFmpegException("Out of memory in do_audio_out");
    ff::av_samples_set_silence(pad->extended_data, 0, pad->nb_samples, enc->ch_layout.nb_channels, enc->sample_fmt);
    for (int64_t left = ASamples; left > 0;) {
        const int n = static_cast<int>(std::min<int64_t>(left, pad->nb_samples));
        if (ff::av_audio_fifo_write(AOst.fifo, reinterpret_cast<void**>(pad->extended_data), n) < n)
            throw FFmpegException("av_fifo_realloc2() failed");
        left -= n;
        if (left > 0) EncodeAudioFifo(AOst, false);
    }
}

void TCustomFFmpeg::FollowAudioClock(TAVOutputStream& AOst) {
    const AVCodecContext* enc = AOst.enc;
    const double ipts = static_cast<double>(AOst.sync_ist->pts - Fstart_time) / 1000000.0;
    // Where this block's first sample belongs, and where it would land after
    // what is queued and what the resampler still holds.
    const int64_t due = std::llrint(ipts * enc->sample_rate);
    const int64_t waiting = ff::av_audio_fifo_size(AOst.fifo) + ff::swr_get_delay(AOst.resample.get(), enc->sample_rate);
    if (!AOst.audio_clock_set && !AOst.owner) {
        AOst.audio_clock_set = true;
        AOst.sync_opts = std::max<int64_t>(0, due - waiting);
        return;
    }
    AOst.audio_clock_set = true;
    // Timestamp jitter below the correction threshold stays as it is; a jump
    // too long to be a pause in the sound (damaged timestamps) moves the
    // sound without filling.
    const int64_t hole = due - (AOst.sync_opts + waiting);
    if (hole > 50 && hole <= static_cast<int64_t>(kLongestAudioHole) * enc->sample_rate) QueueSilence(AOst, hole);
    else if (hole > 50) AOst.sync_opts = due - waiting;
}

void TCustomFFmpeg::DoAudioOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AFrame) {
    AVCodecContext* enc = AOst.enc;
    FitResampler(AOst, AFrame);
    if (!Faudio_sync_method) FollowAudioClock(AOst);
    const int64_t capacity = ff::swr_get_delay(AOst.resample.get(), AFrame->sample_rate) + AFrame->nb_samples;
    const int outSamples = static_cast<int>(ff::av_rescale_rnd(capacity, enc->sample_rate, AFrame->sample_rate, AV_ROUND_UP)) + 32;
    if (Faudio_frame.get()->nb_samples < outSamples || Faudio_frame.get()->format != enc->sample_fmt) {
        ff::av_frame_unref(Faudio_frame.get());
        Faudio_frame.get()->format = enc->sample_fmt;
        Faudio_frame.get()->nb_samples = outSamples;
        ff::av_channel_layout_copy(&Faudio_frame.get()->ch_layout, &enc->ch_layout);
        if (ff::av_frame_get_buffer(Faudio_frame.get(), 0) < 0) throw FFmpegException("Out of memory in do_audio_out");
    }
    const int got = ff::swr_convert(AOst.resample.get(), Faudio_frame.get()->extended_data, outSamples,
                                    const_cast<const uint8_t**>(AFrame->extended_data), AFrame->nb_samples);
    if (got < 0) {
        if (Fexit_on_error) throw FFmpegException("av_audio_convert() failed");
        GlobalLogger()->Log(this, llError, L"av_audio_convert() failed");
        return;
    }
    const int skip = Faudio_sync_method > 0 ? SyncAudio(AOst, AIst, got) : 0;
    if (skip >= got) return;
    uint8_t* planes[AV_NUM_DATA_POINTERS] = {};
    const bool planar = ff::av_sample_fmt_is_planar(enc->sample_fmt);
    const int bytes = ff::av_get_bytes_per_sample(enc->sample_fmt) * (planar ? 1 : enc->ch_layout.nb_channels);
    for (int p = 0; p < (planar ? enc->ch_layout.nb_channels : 1) && p < AV_NUM_DATA_POINTERS; ++p)
        planes[p] = Faudio_frame.get()->extended_data[p] + static_cast<ptrdiff_t>(skip) * bytes;
    if (ff::av_audio_fifo_write(AOst.fifo, reinterpret_cast<void**>(planes), got - skip) < got - skip)
        throw FFmpegException("av_fifo_realloc2() failed");
    EncodeAudioFifo(AOst, false);
}

void TCustomFFmpeg::FlushResampler(TAVOutputStream& AOst) {
    if (!AOst.resample) return;
    const AVCodecContext* enc = AOst.enc;
    const int pending = static_cast<int>(ff::swr_get_delay(AOst.resample.get(), enc->sample_rate)) + 32;
    const TFramePtr owner = NewFrame();
    AVFrame* rest = owner.get();
    rest->format = enc->sample_fmt;
    rest->nb_samples = pending;
    ff::av_channel_layout_copy(&rest->ch_layout, &enc->ch_layout);
    int got = -1;
    if (ff::av_frame_get_buffer(rest, 0) >= 0) got = ff::swr_convert(AOst.resample.get(), rest->extended_data, pending, nullptr, 0);
    if (got > 0) ff::av_audio_fifo_write(AOst.fifo, reinterpret_cast<void**>(rest->extended_data), got);
    if (got < 0) throw FFmpegException("Out of memory in do_audio_out");
}

int TCustomFFmpeg::SyncAudio(TAVOutputStream& AOst, TAVInputStream& AIst, int ASamples) {
    AVCodecContext* enc = AOst.enc;
    const int queued = ff::av_audio_fifo_size(AOst.fifo);
    const double ipts = static_cast<double>(AOst.sync_ist->pts - Fstart_time) / 1000000.0;
    const double delta = ipts * enc->sample_rate - AOst.sync_opts - queued;
    if (std::fabs(delta) <= 50) return 0;
    if (AIst.is_start || std::fabs(delta) > Faudio_drift_threshold * enc->sample_rate) {
        if (delta < 0) {
            // Too much input: drop it from the front of this block.
            const int drop = static_cast<int>(std::min<double>(-delta, ASamples));
            if (Fverbose > 2) GlobalLogger()->Log(this, llVerbose, "discarding %d audio samples", static_cast<int>(-delta));
            if (drop < ASamples) AIst.is_start = 0;
            return drop;
        }
        const int silence = static_cast<int>(delta);
        QueueSilence(AOst, silence);
        if (Fverbose > 2) GlobalLogger()->Log(this, llVerbose, "adding %d audio samples of silence", silence);
        AIst.is_start = 0;
        return 0;
    }
    if (Faudio_sync_method > 1) {
        const double limit = Faudio_sync_method;
        const int comp = static_cast<int>(std::clamp(delta, -limit, limit));
        if (Fverbose > 2)
            GlobalLogger()->Log(this, llVerbose, "compensating audio timestamp drift:%.2f compensation:%d in:%d", delta, comp, enc->sample_rate);
        ff::swr_set_compensation(AOst.resample.get(), comp, enc->sample_rate);
    }
    return 0;
}

void TCustomFFmpeg::EncodeAudioFifo(TAVOutputStream& AOst, bool AFlush) {
    AVCodecContext* enc = AOst.enc;
    const bool anySize = enc->frame_size <= 1 || (enc->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    const int frameSize = anySize ? 4096 : enc->frame_size;
    for (;;) {
        const int queued = ff::av_audio_fifo_size(AOst.fifo);
        if (queued <= 0 || (!AFlush && !anySize && queued < frameSize)) return;
        // "aframes": the sound ends after that many encoded frames; what
        // is still queued stays unused.
        if (AOst.frame_number >= Fmax_frames[AVMEDIA_TYPE_AUDIO]) return;
        const int take = std::min(queued, frameSize);
        const bool shortOk = anySize || (enc->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME);
        const TFramePtr owner = NewFrame();
        AVFrame* frame = owner.get();
        frame->format = enc->sample_fmt;
        frame->sample_rate = enc->sample_rate;
        frame->nb_samples = shortOk ? take : frameSize;
        ff::av_channel_layout_copy(&frame->ch_layout, &enc->ch_layout);
        if (ff::av_frame_get_buffer(frame, 0) < 0) throw FFmpegException("frame_bytes invalid.");
        if (frame->nb_samples > take)
            ff::av_samples_set_silence(frame->extended_data, take, frame->nb_samples - take, enc->ch_layout.nb_channels, enc->sample_fmt);
        ff::av_audio_fifo_read(AOst.fifo, reinterpret_cast<void**>(frame->extended_data), take);
        // A block placed a little before the end of the last frame (timestamp
        // jitter) goes on from that end: the encoder's time line only grows.
        int64_t& next = SharedState(AOst).next_audio_pts;
        frame->pts = std::max(AOst.sync_opts, next);
        AOst.sync_opts = frame->pts + frame->nb_samples;
        next = AOst.sync_opts;
        EncodeAndWrite(AOst, frame);
        ++AOst.frame_number;
    }
}

// ---------------------------------------------------------------- video

void TCustomFFmpeg::RescaleCropBands(TAVOutputStream& AOst, const AVFrame* AFrame) {
    const int w = AFrame->width - AOst.leftBand - AOst.rightBand, h = AFrame->height - AOst.topBand - AOst.bottomBand;
    if ((w == AOst.resample_width && h == AOst.resample_height) || AOst.original_width <= 0 || AOst.original_height <= 0)
        return;
    // The bands keep their share of the picture, on even lines and columns.
    const auto scaled = [](int AEdge, int AOriginalBand, int AOriginalEdge) {
        const int64_t v = static_cast<int64_t>(AEdge) * AOriginalBand / AOriginalEdge;
        EngineAssert(v >= 0 && v <= INT32_MAX, L"FFmpeg", L"crop band out of range");
        return static_cast<int>(v) & ~1;
    };
    AOst.topBand = scaled(AFrame->height, AOst.original_topBand, AOst.original_height);
    AOst.bottomBand = scaled(AFrame->height, AOst.original_bottomBand, AOst.original_height);
    AOst.leftBand = scaled(AFrame->width, AOst.original_leftBand, AOst.original_width);
    AOst.rightBand = scaled(AFrame->width, AOst.original_rightBand, AOst.original_width);
}

int TCustomFFmpeg::DoVideoOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AFrame) {
    AVCodecContext* enc = AOst.enc;
    const double sync_ipts = (static_cast<double>(AOst.sync_ist->pts - Fstart_time) / 1000000.0) / av_q2d(enc->time_base);
    int nb_frames = 1;
    if (Fvideo_sync_method) {
        const double vdelta = sync_ipts - AOst.sync_opts;
        // Pictures of the user's filter chain keep the chain's timing unless
        // a constant rate is asked for: a chain that drops or adds pictures
        // is not undone by duplicates and drops here.
        const bool vfr = Fvideo_sync_method == 2 ||
                         (Fvideo_sync_method < 0 && ((Foutput_files[AOst.file_index]->oformat->flags & AVFMT_VARIABLE_FPS) ||
                                                     (FEnableFilter && AOst.filter_graph)));
        if (vdelta < -1.1) nb_frames = 0;
        else if (vfr) {
            if (vdelta <= -0.6) nb_frames = 0;
            else if (vdelta > 0.6) AOst.sync_opts = std::llrint(sync_ipts);
        } else if (vdelta > 1.1) {
            nb_frames = static_cast<int>(std::llrint(vdelta));
        }
        if (nb_frames == 0) {
            ++Fnb_frames_drop;
            FShowDupOrDrop = true;
            if (Fverbose > 2) GlobalLogger()->Log(this, llVerbose, L"*** drop!");
        } else if (nb_frames > 1) {
            Fnb_frames_dup += nb_frames - 1;
            FShowDupOrDrop = true;
            if (Fverbose > 2) GlobalLogger()->Log(this, llVerbose, "*** %d dup!", nb_frames - 1);
        }
    } else {
        AOst.sync_opts = std::llrint(sync_ipts);
    }
    nb_frames = std::min(nb_frames, Fmax_frames[0] - AOst.frame_number);
    if (nb_frames <= 0) return 0;
    if (AOst.video_crop && AOst.video_resample) RescaleCropBands(AOst, AFrame);
    const TFramePtr cropOwner(
        AOst.video_crop ? CropPicture(AFrame, AOst.topBand, AOst.bottomBand, AOst.leftBand, AOst.rightBand) : nullptr);
    AVFrame* cropped = cropOwner.get();
    if (AOst.video_crop && !cropped) {
        if (Fexit_on_error) throw FFmpegException("error cropping picture");
        GlobalLogger()->Log(this, llError, L"error cropping picture");
        return 0;
    }
    AVFrame* source = cropped ? cropped : AFrame;
    AVFrame* final = source;
    if (!AOst.video_resample &&
        (source->width != enc->width || source->height != enc->height || source->format != enc->pix_fmt)) {
        // The input changed its picture under an encoder that took it as it
        // was: from now on it goes through the scaler, which logs the change.
        AllocateScaledPicture(AOst);
        AOst.video_resample = 1;
    }
    if (AOst.video_resample) {
        if (source->width != AOst.resample_width || source->height != AOst.resample_height || source->format != AOst.resample_pix_fmt) {
            GlobalLogger()->Log(this, llQuiet, "Input Stream #%d.%d frame size changed to %dx%d, %s", AIst.file_index, AIst.index,
                                AFrame->width, AFrame->height, ff::av_get_pix_fmt_name(static_cast<AVPixelFormat>(AFrame->format)));
            AOst.resample_width = source->width;
            AOst.resample_height = source->height;
            AOst.resample_pix_fmt = static_cast<AVPixelFormat>(source->format);
            AOst.img_resample_ctx.reset(ff::sws_getContext(source->width, source->height, AOst.resample_pix_fmt, enc->width,
                                                           enc->height, enc->pix_fmt, static_cast<int>(Fsws_flags), nullptr,
                                                           nullptr, nullptr));
            if (!AOst.img_resample_ctx) throw FFmpegException("Cannot get resampling context");
        }
        if (ff::av_frame_make_writable(AOst.pict_tmp.get()) < 0)
            throw FFmpegException("Cannot allocate temp picture, check pix fmt");
        ff::sws_scale(AOst.img_resample_ctx.get(), source->data, source->linesize, 0, AOst.resample_height, AOst.pict_tmp->data,
                      AOst.pict_tmp->linesize);
        final = AOst.pict_tmp.get();
    }
    int result = 0;
    for (int i = 0; i < nb_frames && !FBroken; ++i) {
        AVFrame* picture = ff::av_frame_clone(final);
        if (!picture) throw FFmpegException("Video encoding failed");
        picture->interlaced_frame = AFrame->interlaced_frame;
        picture->top_field_first = Ftop_field_first == -1 ? AFrame->top_field_first : Ftop_field_first;
        picture->quality = static_cast<int>(std::lrint(Fsame_quality ? AIst.quality : AOst.quality));
        picture->pict_type = AV_PICTURE_TYPE_NONE;
        picture->pts = AOst.sync_opts;
        try {
            const int size = EncodeAndWrite(AOst, picture);
            if (size) result = size;
            RunPostHooks(picture, enc);
        } catch (...) {
            ff::av_frame_free(&picture);
            throw;
        }
        ff::av_frame_free(&picture);
        ++AOst.sync_opts;
        ++AOst.frame_number;
    }
    return result;
}

int TCustomFFmpeg::EncodeAndWrite(TAVOutputStream& AOst, AVFrame* AFrame) {
    AVCodecContext* enc = AOst.enc;
    const bool video = enc->codec_type == AVMEDIA_TYPE_VIDEO;
    int r = ff::avcodec_send_frame(enc, AFrame);
    if (r < 0 && r != AVERROR_EOF) throw FFmpegException(video ? "Video encoding failed" : "Audio encoding failed");
    int last = 0;
    for (;;) {
        r = ff::avcodec_receive_packet(enc, Fenc_pkt.get());
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) break;
        if (r < 0) throw FFmpegException(video ? "Video encoding failed" : "Audio encoding failed");
        last = Fenc_pkt.get()->size;
        if (video) {
            Fvideo_size += Fenc_pkt.get()->size;
            size_t sideSize = 0;
            const uint8_t* stats = ff::av_packet_get_side_data(Fenc_pkt.get(), AV_PKT_DATA_QUALITY_STATS, &sideSize);
            if (stats && sideSize >= 4) AOst.quality = static_cast<float>(stats[0] | stats[1] << 8 | stats[2] << 16 | static_cast<uint32_t>(stats[3]) << 24);
            if (stats && sideSize >= 5) AOst.pict_type = static_cast<AVPictureType>(stats[4]);
            // Then the error count, two reserved bytes and the 64-bit errors.
            const int errors = stats && sideSize >= 8 ? stats[5] : 0;
            for (int j = 0; j < 3 && j < errors && sideSize >= 8 + 8 * (j + 1u); ++j)
                std::memcpy(&AOst.error[j], stats + 8 + 8 * j, 8);
            if (FILE* log = SharedState(AOst).logfile.get(); log && enc->stats_out) fprintf(log, "%s", enc->stats_out);
            if (Fenc_pkt.get()->duration <= 0) Fenc_pkt.get()->duration = 1;
        } else {
            Faudio_size += Fenc_pkt.get()->size;
        }
        Fenc_pkt.get()->stream_index = AOst.index;
        ff::av_packet_rescale_ts(Fenc_pkt.get(), enc->time_base, AOst.st->time_base);
        WriteFrame(Foutput_files[AOst.file_index], Fenc_pkt.get(), AOst);
        ff::av_packet_unref(Fenc_pkt.get());
    }
    return last;
}

// ---------------------------------------------------------------- subtitles and statistics

void TCustomFFmpeg::DoSubtitleOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVSubtitle* ASub, int64_t APts) {
    if (APts == AV_NOPTS_VALUE) {
        if (Fexit_on_error) throw FFmpegException("Subtitle packets must have a pts");
        GlobalLogger()->Log(this, llError, L"Subtitle packets must have a pts");
        return;
    }
    std::vector<uint8_t> buffer(1048576);
    // DVB subtitles are shown by one packet and cleared by a second, empty
    // one at the end of the display time.
    const bool dvb = AOst.enc->codec_id == AV_CODEC_ID_DVB_SUBTITLE;
    const unsigned rects = ASub->num_rects;
    for (int i = 0; i < (dvb ? 2 : 1); ++i) {
        ASub->pts = ff::av_rescale_q(APts, AIst.st->time_base, AV_TIME_BASE_Q) + ASub->start_display_time * 1000LL;
        ASub->end_display_time -= ASub->start_display_time;
        ASub->start_display_time = 0;
        if (i == 1) ASub->num_rects = 0;
        const int size = ff::avcodec_encode_subtitle(AOst.enc, buffer.data(), static_cast<int>(buffer.size()), ASub);
        ASub->num_rects = rects;  // the caller frees them
        if (size < 0) throw FFmpegException("Subtitle encoding failed");
        const TPacketPtr owner = NewPacket();
        AVPacket* pkt = owner.get();
        if (ff::av_new_packet(pkt, size) < 0) throw std::bad_alloc();
        memcpy(pkt->data, buffer.data(), size);
        pkt->stream_index = AOst.index;
        pkt->pts = ff::av_rescale_q(ASub->pts, AV_TIME_BASE_Q, AOst.st->time_base);
        if (dvb) {
            const uint32_t shownAt = i == 0 ? ASub->start_display_time : ASub->end_display_time;
            pkt->pts += ff::av_rescale_q(shownAt, {1, 1000}, AOst.st->time_base);
        }
        pkt->dts = pkt->pts;
        pkt->duration = i == 0 ? ff::av_rescale_q(ASub->end_display_time, {1, 1000}, AOst.st->time_base) : 0;
        WriteFrame(Foutput_files[AOst.file_index], pkt, AOst);
    }
}

void TCustomFFmpeg::DoVideoStats(TAVOutputStream& AOst, int AFrameSize) {
    if (!Fvstats_file) {
        Fvstats_file = fopen(Fvstats_filename, "w");
        if (!Fvstats_file) throw FFmpegException(std::string("fopen fail: ") + Fvstats_filename);
    }
    AVCodecContext* enc = AOst.enc;
    if (enc->codec_type != AVMEDIA_TYPE_VIDEO) return;
    fprintf(Fvstats_file, "frame= %5d q= %2.1f ", AOst.frame_number, AOst.quality / FF_QP2LAMBDA);
    if (enc->flags & AV_CODEC_FLAG_PSNR)
        fprintf(Fvstats_file, "PSNR= %6.2f ", Psnr(AOst.error[0] / (enc->width * enc->height * 255.0 * 255.0)));
    fprintf(Fvstats_file, "f_size= %6d ", AFrameSize);
    const double ti1 = std::max(0.01, AOst.sync_opts * av_q2d(enc->time_base));
    const double bitrate = AFrameSize * 8 / av_q2d(enc->time_base) / 1000.0;
    const double avg = Fvideo_size * 8 / ti1 / 1000.0;
    fprintf(Fvstats_file, "s_size= %8.0fkB time= %0.3f br= %7.1fkbits/s avg_br= %7.1fkbits/s ", Fvideo_size / 1024.0, ti1,
            bitrate, avg);
    fprintf(Fvstats_file, "type= %c\n", ff::av_get_picture_type_char(AOst.pict_type));
}

// ---------------------------------------------------------------- writing and reports

void TCustomFFmpeg::WriteFrame(AVFormatContext* AS, AVPacket* APkt, TAVOutputStream& AOst) {
    for (const TBitstreamFilterPtr& owned : AOst.bsfs) {
        AVBSFContext* bsf = owned.get();
        // A filter that refuses the packet leaves it as it was.
        AVPacket* before = Fbsf_pkt.get();
        if (ff::av_packet_ref(before, APkt) < 0) throw std::bad_alloc();
        int r = ff::av_bsf_send_packet(bsf, APkt);
        if (r >= 0) r = ff::av_bsf_receive_packet(bsf, APkt);
        if (r == AVERROR(EAGAIN)) {
            // The filter holds the packet back for a later one.
            ff::av_packet_unref(before);
            return;
        }
        if (r < 0) {
            const std::wstring m = ErrorText(FormatText("%s failed for stream %d, codec %s", bsf->filter->name, before->stream_index,
                                                        AOst.stream_copy ? "copy" : AOst.enc->codec->name),
                                             r);
            if (Fexit_on_error) {
                ff::av_packet_unref(before);
                throw FFmpegException(m);
            }
            GlobalLogger()->Log(this, llError, m);
            ff::av_packet_unref(APkt);
            ff::av_packet_move_ref(APkt, before);
            // What the filter has taken in is gone with its failure.
            ff::av_bsf_flush(bsf);
        } else {
            ff::av_packet_unref(before);
        }
    }
    const int64_t end = (APkt->dts != AV_NOPTS_VALUE ? APkt->dts : APkt->pts) + std::max<int64_t>(APkt->duration, 0);
    int64_t& written = SharedState(AOst).last_dts;
    if (end > written) written = end;
    const int r = ff::av_interleaved_write_frame(AS, APkt);
    if (r < 0) throw FFmpegException(ErrorText(L"av_interleaved_write_frame()", r));
}

std::string TCustomFFmpeg::PsnrText(const TAVOutputStream& AOst, bool ALast, int AFrames) const {
    const AVCodecContext* enc = AOst.enc;
    std::string text = "PSNR=";
    double errorSum = 0, scaleSum = 0;
    char piece[32];
    for (int j = 0; j < 3; ++j) {
        // The whole run's error at the end, the last picture's before.
        const double error = static_cast<double>(ALast ? enc->error[j] : AOst.error[j]);
        double scale = enc->width * enc->height * 255.0 * 255.0;
        if (ALast) scale *= AFrames;
        if (j) scale /= 4;
        errorSum += error;
        scaleSum += scale;
        snprintf(piece, sizeof piece, "%c:%2.2f ", "YUV"[j], Psnr(error / scale));
        text += piece;
    }
    snprintf(piece, sizeof piece, "*:%2.2f ", Psnr(errorSum / scaleSum));
    return text + piece;
}

void TCustomFFmpeg::PrintReport(int AFileIndex, bool ALast) {
    AVIOContext* pb = Foutput_files[0] ? Foutput_files[0]->pb : nullptr;
    int64_t total_size = 0;
    if (pb) {
        total_size = ff::avio_size(pb);
        if (total_size < 0) total_size = ff::avio_seek(pb, 0, SEEK_CUR);
    }
    std::string buf;
    char piece[256];
    double ti1 = 1e10;
    int frame_number = -1, fps = -1;
    float q = -1.0f;
    bool videoSeen = false;
    for (const auto& ost : Fost_table) {
        const bool video = ost->enc->codec_type == AVMEDIA_TYPE_VIDEO;
        const float quality = ost->encoding_needed ? ost->quality / FF_QP2LAMBDA : -1.0f;
        if (videoSeen && video) {
            snprintf(piece, sizeof piece, "q=%2.1f ", quality);
            buf += piece;
        }
        if (!videoSeen && video && ost->show_fps) {
            const float elapsed = static_cast<float>(Now() - Ftimer_start) / 1000000.0f;
            frame_number = ost->frame_number;
            if (frame_number < 1) return;
            fps = elapsed > 1 ? static_cast<int>(frame_number / elapsed + 0.5) : 0;
            q = quality;
            snprintf(piece, sizeof piece, "frame=%5d fps=%3d q=%3.1f ", frame_number, fps, q);
            buf += piece;
            if (ALast) buf += "L";
            if (Fqp_hist) {
                const int qp = static_cast<int>(std::lrint(q));
                if (qp >= 0 && qp < 52) ++Fqp_histogram[qp];
                for (int j = 0; j < 32; ++j) {
                    snprintf(piece, sizeof piece, "%X", static_cast<int>(std::lrint(std::log(Fqp_histogram[j] + 1) / std::log(2))));
                    buf += piece;
                }
            }
            if (ost->enc->flags & AV_CODEC_FLAG_PSNR) buf += PsnrText(*ost, ALast, frame_number);
            videoSeen = true;
        }
        const double t = SharedState(*ost).last_dts * av_q2d(ost->st->time_base);
        if (t < ti1 && t > 0) ti1 = t;
    }
    // Before any stream has written a packet the position is 0, not "far away".
    if (ti1 >= 1e10) ti1 = 0;
    // Streams start writing at different moments; the slowest one must not
    // pull the reported position back.
    Flast_reported_time = std::max(Flast_reported_time, static_cast<int64_t>(ti1 * 1000000));
    const double shown = ti1 < 0.01 ? 0.01 : ti1;
    if (OnProgress || Fverbose > 0 || ALast) {
        const double bitrate = total_size * 8 / shown / 1000.0;
        snprintf(piece, sizeof piece, "size=%8.0fkB time=%0.2f bitrate=%6.1fkbits/s", total_size / 1024.0, shown, bitrate);
        buf += piece;
        if (Fnb_frames_dup || Fnb_frames_drop) {
            snprintf(piece, sizeof piece, " dup=%d drop=%d", Fnb_frames_dup, Fnb_frames_drop);
            buf += piece;
            if (FShowDupOrDrop && Fverbose >= 0 && OnProgress) {
                FShowDupOrDrop = false;
                GlobalLogger()->Log(this, llVerbose, Utf8ToWide(buf));
            }
        }
        if (buf.size() > 1023) buf.resize(1023);
        if (OnProgress)
            OnProgress(this, AFileIndex, frame_number, fps, q, static_cast<float>(bitrate), total_size,
                       Flast_reported_time, FTotalOutputDuration);
        else if (Fverbose >= 0)
            GlobalLogger()->Log(this, llVerbose, Utf8ToWide(buf));
    }
    if (ALast && Fverbose >= 0) {
        const double raw = static_cast<double>(Fvideo_size + Faudio_size + Fextra_size);
        GlobalLogger()->Log(this, llVerbose, "video:%1.0fkB audio:%1.0fkB global headers:%1.0fkB muxing overhead %.2f%%\r\n",
                            Fvideo_size / 1024.0, Faudio_size / 1024.0, Fextra_size / 1024.0,
                            raw > 0 ? 100.0 * (total_size - raw) / raw : 0.0);
    }
}
