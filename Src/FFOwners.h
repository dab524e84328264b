#pragma once
// Owners of the media libraries' objects: std::unique_ptr with the library's
// own free routine as deleter, one alias per kind. A null owner frees
// nothing. The deleters call the bound entry points, so an owner must be
// released while the libraries are loaded.
//
// Threads: an owner is used by one thread at a time, like the object.
#include <cstdio>
#include <memory>

#include "Src/AVCodecStubs.h"
#include "Src/AVFilterStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/LibAVHeaders.h"
#include "Src/SwResampleStubs.h"
#include "Src/SwScaleStubs.h"

namespace ffown {

struct FrameFree {
    void operator()(AVFrame* AFrame) const { ff::av_frame_free(&AFrame); }
};
struct PacketFree {
    void operator()(AVPacket* APacket) const { ff::av_packet_free(&APacket); }
};
struct CodecContextFree {
    void operator()(AVCodecContext* AContext) const { ff::avcodec_free_context(&AContext); }
};
struct ScalerFree {
    void operator()(SwsContext* AContext) const { ff::sws_freeContext(AContext); }
};
struct ResamplerFree {
    void operator()(SwrContext* AContext) const { ff::swr_free(&AContext); }
};
struct FilterGraphFree {
    void operator()(AVFilterGraph* AGraph) const { ff::avfilter_graph_free(&AGraph); }
};
struct BitstreamFilterFree {
    void operator()(AVBSFContext* AContext) const { ff::av_bsf_free(&AContext); }
};
struct DictionaryFree {
    void operator()(AVDictionary* ADict) const { ff::av_dict_free(&ADict); }
};
struct AudioFifoFree {
    void operator()(AVAudioFifo* AFifo) const { ff::av_audio_fifo_free(AFifo); }
};
struct FileClose {
    void operator()(FILE* AFile) const { fclose(AFile); }
};

}  // namespace ffown

using TFramePtr = std::unique_ptr<AVFrame, ffown::FrameFree>;
using TPacketPtr = std::unique_ptr<AVPacket, ffown::PacketFree>;
using TCodecContextPtr = std::unique_ptr<AVCodecContext, ffown::CodecContextFree>;
using TScalerPtr = std::unique_ptr<SwsContext, ffown::ScalerFree>;
using TResamplerPtr = std::unique_ptr<SwrContext, ffown::ResamplerFree>;
using TFilterGraphPtr = std::unique_ptr<AVFilterGraph, ffown::FilterGraphFree>;
using TBitstreamFilterPtr = std::unique_ptr<AVBSFContext, ffown::BitstreamFilterFree>;
using TDictionaryPtr = std::unique_ptr<AVDictionary, ffown::DictionaryFree>;
using TAudioFifoPtr = std::unique_ptr<AVAudioFifo, ffown::AudioFifoFree>;
using TStdFilePtr = std::unique_ptr<FILE, ffown::FileClose>;

// A channel layout held by value; the map of a custom layout is freed with it.
struct TChannelLayout {
    AVChannelLayout Layout{};
    TChannelLayout() = default;
    ~TChannelLayout() {
        if (Layout.order == AV_CHANNEL_ORDER_CUSTOM) ff::av_channel_layout_uninit(&Layout);
    }
    TChannelLayout(const TChannelLayout&) = delete;
    TChannelLayout& operator=(const TChannelLayout&) = delete;
};

// A new frame or packet; throws std::bad_alloc when the library has no memory.
inline TFramePtr NewFrame() {
    TFramePtr f(ff::av_frame_alloc());
    if (!f) throw std::bad_alloc();
    return f;
}

inline TPacketPtr NewPacket() {
    TPacketPtr p(ff::av_packet_alloc());
    if (!p) throw std::bad_alloc();
    return p;
}
