// The video filter graph of a re-encoded video stream: "buffer" with the
// decoder's size, format and time base, a deinterlacer at the head when asked,
// cropping and scaling with named options, the user's chain, and a
// "buffersink" that delivers the encoder's pixel format.
#include "Src/AVFilterStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpeg.h"

namespace {

std::string Join(const std::string& AChain, const std::string& AFilter) {
    return AChain.empty() ? AFilter : AChain + "," + AFilter;
}

}  // namespace

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
    const AVRational tb = AIst.st->time_base;
    const AVRational sar = dec->sample_aspect_ratio.num ? dec->sample_aspect_ratio : AVRational{1, 1};
    const std::string args = WideToUtf8(FormatText("video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", dec->width,
                                                   dec->height, static_cast<int>(dec->pix_fmt), tb.num, tb.den, sar.num, sar.den));
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
    // The encoder takes the size the chain produces.
    if (!AOst.owner) {
        AOst.enc->width = AOst.filter_sink->inputs[0]->w;
        AOst.enc->height = AOst.filter_sink->inputs[0]->h;
    }
    AOst.video_crop = 0;
    AOst.video_resample = 0;
}

int TCustomFFmpeg::FilterVideoOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AFrame) {
    if (!AOst.filter_graph) return AFrame ? DoVideoOut(AOst, AIst, AFrame) : 0;
    // A null frame ends the stream: the filters give out what they hold.
    if (ff::av_buffersrc_add_frame_flags(AOst.filter_src, AFrame, AFrame ? AV_BUFFERSRC_FLAG_KEEP_REF : 0) < 0)
        throw FFmpegException("Error while feeding the filter graph");
    AVFrame* filtered = ff::av_frame_alloc();
    if (!filtered) throw FFmpegException("Video encoding failed");
    int size = 0;
    try {
        while (ff::av_buffersink_get_frame(AOst.filter_sink, filtered) >= 0) {
            if (AFrame) {
                filtered->interlaced_frame = AFrame->interlaced_frame && !Fdo_deinterlace;
                filtered->top_field_first = AFrame->top_field_first;
            }
            const int r = DoVideoOut(AOst, AIst, filtered);
            if (r) size = r;
            ff::av_frame_unref(filtered);
        }
    } catch (...) {
        ff::av_frame_free(&filtered);
        throw;
    }
    ff::av_frame_free(&filtered);
    return size;
}
