// The player's video thread (decoder -> filter graph -> picture queue) and
// subtitle thread (decoder -> subpicture queue).
#include <cstring>

#include "Src/AVCodecStubs.h"
#include "Src/AVFilterStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFOwners.h"
#include "Src/FFPlay.h"
#include "Src/FFPlayThreads.h"

namespace {

// The filter graph between decoder and display: "buffer" -> the player's
// VideoFilters -> YUV 4:2:0 -> "buffersink". Rebuilt when the decoded
// pictures change size or format.
class TVideoGraph {
public:
    bool Matches(const AVFrame* AFrame) const {
        return FGraph && AFrame->width == FWidth && AFrame->height == FHeight && AFrame->format == FFormat;
    }
    bool Build(TVideoState* vs, const AVFrame* AFrame) {
        Free();
        FWidth = AFrame->width;
        FHeight = AFrame->height;
        FFormat = AFrame->format;
        FGraph.reset(ff::avfilter_graph_alloc());
        if (!FGraph) return false;
        FGraph->scale_sws_opts = ff::av_strdup(WideToUtf8(FormatText("flags=%d", vs->Owner->Fsws_flags)).c_str());
        const AVRational tb = vs->video_st->time_base;
        AVRational sar = AFrame->sample_aspect_ratio;
        if (sar.num <= 0 || sar.den <= 0) sar = AVRational{0, 1};
        const std::string args = WideToUtf8(FormatText("video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d",
                                                       FWidth, FHeight, FFormat, tb.num, tb.den, sar.num, sar.den));
        if (ff::avfilter_graph_create_filter(&FSrc, ff::avfilter_get_by_name("buffer"), "src", args.c_str(), nullptr,
                                             FGraph.get()) < 0)
            return false;
        if (ff::avfilter_graph_create_filter(&FSink, ff::avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                             FGraph.get()) < 0)
            return false;
        std::string chain = WideToUtf8(vs->Owner->VideoFilters);
        chain += chain.empty() ? "format=yuv420p" : ",format=yuv420p";
        AVFilterInOut* outputs = ff::avfilter_inout_alloc();
        AVFilterInOut* inputs = ff::avfilter_inout_alloc();
        if (!outputs || !inputs) {
            ff::avfilter_inout_free(&outputs);
            ff::avfilter_inout_free(&inputs);
            return false;
        }
        outputs->name = ff::av_strdup("in");
        outputs->filter_ctx = FSrc;
        inputs->name = ff::av_strdup("out");
        inputs->filter_ctx = FSink;
        int ret = ff::avfilter_graph_parse_ptr(FGraph.get(), chain.c_str(), &inputs, &outputs, nullptr);
        ff::avfilter_inout_free(&outputs);
        ff::avfilter_inout_free(&inputs);
        if (ret >= 0) ret = ff::avfilter_graph_config(FGraph.get(), nullptr);
        return ret >= 0;
    }
    void Free() {
        FGraph.reset();
        FSrc = FSink = nullptr;
    }
    AVFilterContext* Src() const { return FSrc; }
    AVFilterContext* Sink() const { return FSink; }

private:
    TFilterGraphPtr FGraph;
    AVFilterContext* FSrc = nullptr;
    AVFilterContext* FSink = nullptr;
    int FWidth = 0, FHeight = 0, FFormat = -1;
};

void PushAllocEvent(TVideoState* vs) {
    SDL_Event ev{};
    ev.type = FF_ALLOC_EVENT;
    ev.user.data1 = vs;
    ff::SDL_PushEvent(&ev);
}

// The flush marker: reset the decoder and the picture timing, and wait until
// the refresh has emptied the picture queue.
void FlushVideo(TVideoState* vs) {
    ff::avcodec_flush_buffers(vs->video_ctx);
    {
        std::unique_lock<std::mutex> lock(vs->pictq_mutex);
        for (auto& pic : vs->pictq) pic.target_clock = 0;
        vs->pictq_cond.wait(lock, [vs] { return vs->pictq_size == 0 || vs->videoq.Aborted(); });
        vs->video_current_pos = -1;
    }
    vs->last_dts_for_fault_detection = INT64_MIN;
    vs->last_pts_for_fault_detection = INT64_MIN;
    vs->frame_last_pts = static_cast<double>(AV_NOPTS_VALUE);
    vs->frame_last_delay = 0;
    vs->frame_timer = NowSeconds();
    vs->skip_frames = 1;
    vs->skip_frames_index = 0;
    vs->seek_flushed = 1;
}

// The time stamp of a decoded picture (in stream time base units).
int64_t ChooseTimestamp(TVideoState* vs, const AVFrame* AFrame) {
    const int64_t dts = AFrame->pkt_dts;
    const int64_t reordered = AFrame->pts;
    if (dts != AV_NOPTS_VALUE) {
        if (dts <= vs->last_dts_for_fault_detection) ++vs->faulty_dts;
        vs->last_dts_for_fault_detection = dts;
    }
    if (reordered != AV_NOPTS_VALUE) {
        if (reordered <= vs->last_pts_for_fault_detection) ++vs->faulty_pts;
        vs->last_pts_for_fault_detection = reordered;
    }
    const int order = vs->Owner->decoder_reorder_pts;
    if (reordered != AV_NOPTS_VALUE &&
        (order == 1 || (order != 0 && vs->faulty_pts < vs->faulty_dts) || dts == AV_NOPTS_VALUE))
        return reordered;
    if (dts != AV_NOPTS_VALUE) return dts;
    return 0;
}

// A decoded picture passes the frame-skip ratio.
bool PassesSkip(TVideoState* vs) {
    vs->skip_frames_index += 1;
    if (vs->skip_frames_index >= vs->skip_frames) {
        vs->skip_frames_index -= std::max(vs->skip_frames, 1.0f);
        return true;
    }
    return false;
}

// -1 aborted, 0 nothing to show, 1 AFrame holds a picture to show.
int GetVideoFrame(TVideoState* vs, AVFrame* AFrame, int64_t& APts) {
    AVCodecContext* ctx = vs->video_ctx;
    for (;;) {
        const int got = ff::avcodec_receive_frame(ctx, AFrame);
        if (got == 0) {
            APts = ChooseTimestamp(vs, AFrame);
            if (PassesSkip(vs)) return 1;
            ff::av_frame_unref(AFrame);
            continue;
        }
        if (got == AVERROR_EOF) ff::avcodec_flush_buffers(ctx);  // drained: accept packets again
        TQueuedPacket pkt;
        if (vs->videoq.Get(pkt, true) < 0) return -1;
        if (pkt.flush) {
            FlushVideo(vs);
            return 0;
        }
        if (pkt.IsEmpty()) {
            // End of input: drain what the decoder still holds.
            ff::avcodec_send_packet(ctx, nullptr);
            if (ff::avcodec_receive_frame(ctx, AFrame) == 0) {
                APts = ChooseTimestamp(vs, AFrame);
                return 1;
            }
            if (vs->EventEOF == 0) vs->Owner->UpdatePosition();
            return 0;
        }
        ff::avcodec_send_packet(ctx, pkt.pkt);
    }
}

// The planes of a YUV 4:2:0 picture of AWidth x AHeight, upside down when
// AFlip (each plane starts at its last row and runs backwards).
TAVPicture PictureOf(const AVFrame* AFrame, int AHeight, bool AFlip) {
    TAVPicture pic;
    for (int i = 0; i < 3; ++i) {
        const int rows = i == 0 ? AHeight : AHeight / 2;
        pic.data[i] = AFrame->data[i];
        pic.linesize[i] = AFrame->linesize[i];
        if (AFlip) {
            pic.data[i] += static_cast<ptrdiff_t>(AFrame->linesize[i]) * (rows - 1);
            pic.linesize[i] = -AFrame->linesize[i];
        }
    }
    return pic;
}

// Copies a YUV 4:2:0 picture into the overlay (YV12: plane 1 is V, plane 2 U).
void CopyToOverlay(const TAVPicture& ASrc, SDL_Overlay* ADst, int AWidth, int AHeight) {
    const int planes[3] = {0, 2, 1};
    for (int i = 0; i < 3; ++i) {
        const int w = i == 0 ? AWidth : AWidth / 2;
        const int h = i == 0 ? AHeight : AHeight / 2;
        uint8_t* dst = ADst->pixels[planes[i]];
        const int pitch = ADst->pitches[planes[i]];
        for (int y = 0; y < h; ++y) memcpy(dst + y * pitch, ASrc.data[i] + static_cast<ptrdiff_t>(y) * ASrc.linesize[i], w);
    }
}

// 0, or -1 when the queue was aborted.
int QueuePicture(TVideoState* vs, AVFrame* AFrame, double ATime, int64_t APos) {
    TCustomPlayer* p = vs->Owner;
    {
        std::unique_lock<std::mutex> lock(vs->pictq_mutex);
        if (vs->pictq_size >= VIDEO_PICTURE_QUEUE_SIZE && vs->refresh != 1)
            vs->skip_frames = std::max(1.0f - float(FRAME_SKIP_FACTOR), vs->skip_frames * (1.0f - float(FRAME_SKIP_FACTOR)));
        vs->pictq_cond.wait(lock, [vs] { return vs->pictq_size < VIDEO_PICTURE_QUEUE_SIZE || vs->videoq.Aborted(); });
    }
    if (vs->videoq.Aborted()) return -1;
    TVideoPicture& vp = vs->pictq[vs->pictq_windex];
    const int w = AFrame->width & ~1, h = AFrame->height & ~1;
    if (!vp.bmp || vp.width != w || vp.height != h) {
        vp.allocated = 0;
        vs->sink_width = w;
        vs->sink_height = h;
        vs->sink_format = AFrame->format;
        PushAllocEvent(vs);
        std::unique_lock<std::mutex> lock(vs->pictq_mutex);
        vs->pictq_cond.wait(lock, [&] { return vp.allocated || vs->videoq.Aborted(); });
        if (vs->videoq.Aborted()) return -1;
    }
    if (vp.bmp) {
        {
            const TAVPicture src = PictureOf(AFrame, vp.height, p->VerticalFlip);
            std::lock_guard<std::timed_mutex> lock(vs->overlay_lock);
            ff::SDL_LockYUVOverlay(vp.bmp);
            vp.sample_aspect_ratio = AFrame->sample_aspect_ratio;
            vp.pts = ATime;
            vp.pos = APos;
            // The hook writes the picture as its handler left it, or nothing.
            if (!p->DoHook(src, vp.bmp, ATime, vp.width, vp.height, vp.pix_fmt))
                CopyToOverlay(src, vp.bmp, vp.width, vp.height);
            ff::SDL_UnlockYUVOverlay(vp.bmp);
        }
        vs->pictq_windex = (vs->pictq_windex + 1) % VIDEO_PICTURE_QUEUE_SIZE;
        std::lock_guard<std::mutex> lock(vs->pictq_mutex);
        vp.target_clock = ComputeTargetTime(vs, ATime);
        ++vs->pictq_size;
    }
    return 0;
}

int OutputPicture(TVideoState* vs, AVFrame* AFrame, double ATime, int64_t APos) {
    if (ATime != 0)
        vs->video_clock = ATime;
    else
        ATime = vs->video_clock;
    const AVRational tb = vs->video_ctx->framerate.num > 0 ? av_inv_q(vs->video_ctx->framerate) : vs->video_st->time_base;
    double delay = av_q2d(tb);
    delay += AFrame->repeat_pict * (delay * 0.5);
    vs->video_clock = vs->video_clock + delay;
    return QueuePicture(vs, AFrame, ATime, APos);
}

// After a picture was queued: events, the end of a seek, a paused open and a step.
void PictureQueued(TVideoState* vs) {
    TCustomPlayer* p = vs->Owner;
    p->FPictEvent.Set();
    vs->EventEOF = 0;
    if (p->FSeeking && vs->seek_req == 0) p->FSeeking = false;
    if (vs->open_paused != 0) {
        if (vs->open_paused >= 2) {
            vs->open_paused = 0;
            p->SetPlayState(psPause);
        } else {
            ++vs->open_paused;
        }
    }
}

}  // namespace

int VideoThread(TVideoState* vs) {
    const TFramePtr frame = NewFrame(), filtered = NewFrame();
    TVideoGraph graph;
    for (;;) {
        while (vs->paused && !vs->videoq.Aborted() && !vs->seek_paused && !vs->open_paused) Sleep(10);
        int64_t pts = 0;
        const int got = GetVideoFrame(vs, frame.get(), pts);
        if (got < 0) break;
        if (got == 0) continue;
        frame->pts = pts;
        const int64_t pos = frame->pkt_pos;
        if (!graph.Matches(frame.get()) && !graph.Build(vs, frame.get())) break;  // plays without pictures
        if (ff::av_buffersrc_add_frame_flags(graph.Src(), frame.get(), 0) < 0) break;
        const AVRational tb = ff::av_buffersink_get_time_base(graph.Sink());
        bool aborted = false;
        while (ff::av_buffersink_get_frame(graph.Sink(), filtered.get()) >= 0) {
            if (vs->seek_done && vs->seek_flushed) {
                if (vs->paused) vs->show_paused = 1;
                vs->seek_done = 0;
                vs->seek_paused = 0;
            }
            if (vs->open_paused == 1) vs->show_paused = 1;
            const double time = filtered->pts == AV_NOPTS_VALUE ? 0 : filtered->pts * av_q2d(tb);
            const int r = OutputPicture(vs, filtered.get(), time, pos);
            ff::av_frame_unref(filtered.get());
            if (r < 0) {
                aborted = true;
                break;
            }
            PictureQueued(vs);
        }
        if (aborted) break;
    }
    return 0;
}

void AllocPicture(TVideoState* vs) {
    TVideoPicture& vp = vs->pictq[vs->pictq_windex];
    {
        std::lock_guard<std::timed_mutex> lock(vs->overlay_lock);
        if (vp.bmp) ff::SDL_FreeYUVOverlay(vp.bmp);
        vp.bmp = nullptr;
        vp.width = vs->sink_width;
        vp.height = vs->sink_height;
        vp.pix_fmt = vs->sink_format;
        if (vs->Owner->Fscreen)
            vp.bmp = ff::SDL_CreateYUVOverlay(vp.width, vp.height, SDL_YV12_OVERLAY, vs->Owner->Fscreen);
    }
    std::lock_guard<std::mutex> lock(vs->pictq_mutex);
    vp.allocated = 1;
    vs->pictq_cond.notify_all();
}

uint32_t PaletteToYUVA(uint32_t AArgb) {
    const int a = (AArgb >> 24) & 255, r = (AArgb >> 16) & 255, g = (AArgb >> 8) & 255, b = AArgb & 255;
    const int y = (263 * r + 517 * g + 101 * b + 16896) >> 10;
    const int u = ((-152 * r - 298 * g + 450 * b + 511) >> 10) + 128;
    const int v = ((450 * r - 377 * g - 74 * b + 511) >> 10) + 128;
    return (uint32_t(a) << 24) | (uint32_t(y) << 16) | (uint32_t(u) << 8) | uint32_t(v);
}

void FreeSubPicture(TSubPicture& ASp) { ff::avsubtitle_free(&ASp.sub); }

int SubtitleThread(TVideoState* vs) {
    for (;;) {
        while (vs->paused && !vs->subtitleq.Aborted() && !vs->seek_paused) Sleep(10);
        TQueuedPacket pkt;
        if (vs->subtitleq.Get(pkt, true) < 0) break;
        if (pkt.flush) {
            ff::avcodec_flush_buffers(vs->subtitle_ctx);
            continue;
        }
        if (pkt.IsEmpty()) continue;
        {
            std::unique_lock<std::mutex> lock(vs->subpq_mutex);
            vs->subpq_cond.wait(
                lock, [vs] { return vs->subpq_size < SUBPICTURE_QUEUE_SIZE || vs->subtitleq.Aborted(); });
        }
        if (vs->subtitleq.Aborted()) break;
        TSubPicture& sp = vs->subpq[vs->subpq_windex];
        const double time = pkt.pkt->pts != AV_NOPTS_VALUE ? pkt.pkt->pts * av_q2d(vs->subtitle_st->time_base) : 0;
        int got = 0;
        FreeSubPicture(sp);
        ff::avcodec_decode_subtitle2(vs->subtitle_ctx, &sp.sub, &got, pkt.pkt);
        if (!got) continue;
        if (sp.sub.format != 0) {
            FreeSubPicture(sp);
            continue;
        }
        sp.pts = time;
        for (unsigned i = 0; i < sp.sub.num_rects; ++i) {
            auto* pal = reinterpret_cast<uint32_t*>(sp.sub.rects[i]->data[1]);
            for (int j = 0; pal && j < sp.sub.rects[i]->nb_colors; ++j) pal[j] = PaletteToYUVA(pal[j]);
        }
        vs->subpq_windex = (vs->subpq_windex + 1) % SUBPICTURE_QUEUE_SIZE;
        std::lock_guard<std::mutex> lock(vs->subpq_mutex);
        ++vs->subpq_size;
    }
    return 0;
}
