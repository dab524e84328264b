// The video filter graph of a re-encoded video stream: "buffer" with the
// decoder's size, format and frame rate in microseconds, a deinterlacer at the
// head when asked, cropping and scaling with named options, the user's chain,
// and a "buffersink" that delivers the encoder's pixel format. What leaves the
// graph keeps the graph's timestamps and pixel shape: a chain that changes the
// frame rate, drops pictures or sets the aspect decides what is encoded.
#include "Src/AVFilterStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpeg.h"

namespace {

std::string Join(const std::string& AChain, const std::string& AFilter) {
    return AChain.empty() ? AFilter : AChain + "," + AFilter;
}

}  // namespace

AVRational TCustomFFmpeg::SourceAspect(const TAVOutputStream& AOst, const AVCodecContext* ADec) const {
    // The cropped picture shown at the encoder's display aspect: the scaler
    // keeps the display aspect, so the encoder's own pixel shape comes out.
    const AVCodecContext* enc = AOst.enc;
    const int w = ADec->width - AOst.leftBand - AOst.rightBand, h = ADec->height - AOst.topBand - AOst.bottomBand;
    AVRational sar = enc->sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0 || w <= 0 || h <= 0 || enc->width <= 0 || enc->height <= 0)
        return ADec->sample_aspect_ratio.num > 0 ? ADec->sample_aspect_ratio : AVRational{1, 1};
    int num = 1, den = 1;
    ff::av_reduce(&num, &den, int64_t{sar.num} * enc->width * h, int64_t{sar.den} * enc->height * w, INT32_MAX);
    return {num, den};
}

std::string TCustomFFmpeg::VideoFilterChain(const TAVOutputStream& AOst, const AVCodecContext* ADec) const {
    std::string chain;
    if (Fdo_deinterlace) chain = "yadif";
    const int w = ADec->width - AOst.leftBand - AOst.rightBand, h = ADec->height - AOst.topBand - AOst.bottomBand;
    if (AOst.video_crop)
        chain = Join(chain, WideToUtf8(FormatText("crop=w=%d:h=%d:x=%d:y=%d", w, h, AOst.leftBand, AOst.topBand)));
    if (AOst.enc->width != w || AOst.enc->height != h)
        chain = Join(chain, WideToUtf8(FormatText("scale=w=%d:h=%d:flags=0x%X", AOst.enc->width, AOst.enc->height, Fsws_flags)));
    if (!Fvfilters.empty()) chain = Join(chain, Fvfilters);
    // A later joined input must come out at the size the shared encoder has.
    if (AOst.owner && !Fvfilters.empty())
        chain = Join(chain, WideToUtf8(FormatText("scale=w=%d:h=%d:flags=0x%X", AOst.enc->width, AOst.enc->height, Fsws_flags)));
    return chain.empty() ? "null" : chain;
}

void TCustomFFmpeg::BuildVideoFilterGraph(TAVOutputStream& AOst, TAVInputStream& AIst) {
    const AVCodecContext* dec = AIst.dec;
    AOst.filter_graph.reset(ff::avfilter_graph_alloc());
    if (!AOst.filter_graph) throw FFmpegException("Error opening filters!");
    AOst.filter_sar = SourceAspect(AOst, dec);
    const AVRational sar = AOst.filter_sar;
    const AVRational rate = AIst.st->r_frame_rate.num ? AIst.st->r_frame_rate : AIst.st->avg_frame_rate;
    std::string args = WideToUtf8(FormatText("video_size=%dx%d:pix_fmt=%d:time_base=1/%d:pixel_aspect=%d/%d", dec->width,
                                             dec->height, static_cast<int>(dec->pix_fmt), AV_TIME_BASE, sar.num, sar.den));
    if (rate.num > 0 && rate.den > 0) args += WideToUtf8(FormatText(":frame_rate=%d/%d", rate.num, rate.den));
    if (ff::avfilter_graph_create_filter(&AOst.filter_src, ff::avfilter_get_by_name("buffer"), "src", args.c_str(), nullptr,
                                         AOst.filter_graph.get()) < 0)
        throw FFmpegException("Error opening filters!");
    AOst.filter_sink = ff::avfilter_graph_alloc_filter(AOst.filter_graph.get(), ff::avfilter_get_by_name("buffersink"), "out");
    const AVPixelFormat formats[] = {AOst.enc->pix_fmt};
    if (!AOst.filter_sink || ff::av_opt_set_bin(AOst.filter_sink, "pix_fmts", reinterpret_cast<const uint8_t*>(formats),
                                                sizeof formats, AV_OPT_SEARCH_CHILDREN) < 0 ||
        ff::avfilter_init_str(AOst.filter_sink, nullptr) < 0)
        throw FFmpegException("Error opening filters!");
    AVFilterInOut* outputs = ff::avfilter_inout_alloc();
    AVFilterInOut* inputs = ff::avfilter_inout_alloc();
    int r = outputs && inputs ? 0 : AVERROR(ENOMEM);
    if (r == 0) {
        outputs->name = ff::av_strdup("in");
        outputs->filter_ctx = AOst.filter_src;
        inputs->name = ff::av_strdup("out");
        inputs->filter_ctx = AOst.filter_sink;
        const std::string chain = VideoFilterChain(AOst, dec);
        r = ff::avfilter_graph_parse_ptr(AOst.filter_graph.get(), chain.c_str(), &inputs, &outputs, nullptr);
    }
    ff::avfilter_inout_free(&inputs);
    ff::avfilter_inout_free(&outputs);
    if (r >= 0) r = ff::avfilter_graph_config(AOst.filter_graph.get(), nullptr);
    if (r < 0) {
        char reason[128] = {};
        ff::av_strerror(r, reason, sizeof reason);
        throw FFmpegException(std::string("Error opening filters: ") + reason);
    }
    // The encoder takes the size the chain produces, and from the user's
    // chain its pixel shape and a frame rate it changed.
    const AVFilterLink* out = AOst.filter_sink->inputs[0];
    if (!AOst.owner) {
        AOst.enc->width = out->w;
        AOst.enc->height = out->h;
        if (FEnableFilter && out->sample_aspect_ratio.num > 0)
            AOst.st->sample_aspect_ratio = AOst.enc->sample_aspect_ratio = out->sample_aspect_ratio;
        if (FEnableFilter && out->frame_rate.num > 0 && out->frame_rate.den > 0 &&
            (int64_t{out->frame_rate.num} * rate.den != int64_t{rate.num} * out->frame_rate.den)) {
            AVRational r = out->frame_rate;
            const AVRational* supported = AOst.enc->codec ? AOst.enc->codec->supported_framerates : nullptr;
            if (supported && !Fforce_fps) r = supported[ff::av_find_nearest_q_idx(r, supported)];
            AOst.enc->time_base = {r.den, r.num};
            AOst.enc->framerate = r;
        }
    }
    AOst.video_crop = 0;
    AOst.video_resample = 0;
}

int TCustomFFmpeg::FilterVideoOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AFrame) {
    if (!AOst.filter_graph) return AFrame ? DoVideoOut(AOst, AIst, AFrame) : 0;
    // The picture enters at the stream's time and with the pixel shape the
    // source was built for; a null frame ends the stream, and the filters
    // give out what they hold.
    int r;
    if (AFrame) {
        const int64_t pts = AFrame->pts;
        const AVRational sar = AFrame->sample_aspect_ratio;
        AFrame->pts = AIst.pts;
        AFrame->sample_aspect_ratio = AOst.filter_sar;
        r = ff::av_buffersrc_add_frame_flags(AOst.filter_src, AFrame, AV_BUFFERSRC_FLAG_KEEP_REF);
        AFrame->pts = pts;
        AFrame->sample_aspect_ratio = sar;
    } else {
        r = ff::av_buffersrc_add_frame_flags(AOst.filter_src, nullptr, 0);
    }
    if (r < 0) throw FFmpegException("Error while feeding the filter graph");
    const TFramePtr owner = NewFrame();
    AVFrame* filtered = owner.get();
    const AVRational tb = ff::av_buffersink_get_time_base(AOst.filter_sink);
    int size = 0;
    while (ff::av_buffersink_get_frame(AOst.filter_sink, filtered) >= 0) {
        if (AFrame) {
            filtered->interlaced_frame = AFrame->interlaced_frame && !Fdo_deinterlace;
            filtered->top_field_first = AFrame->top_field_first;
        }
        // The stream is where the graph says this picture is.
        if (filtered->pts != AV_NOPTS_VALUE) AIst.pts = ff::av_rescale_q(filtered->pts, tb, AV_TIME_BASE_Q);
        if (FEnableFilter && filtered->sample_aspect_ratio.num > 0 && !AOst.owner)
            AOst.enc->sample_aspect_ratio = filtered->sample_aspect_ratio;
        const int encoded = DoVideoOut(AOst, AIst, filtered);
        if (encoded) size = encoded;
        ff::av_frame_unref(filtered);
    }
    return size;
}
