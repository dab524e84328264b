#pragma once
// Packet-level helpers of the transcoder tests: reading the packets of a
// file and writing packets into a NUT file, to build inputs the encoders
// cannot make (several frames in a packet, a size change midway).
#include <memory>
#include <string>
#include <vector>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/FFOwners.h"
#include "Src/UnicodeProtocol.h"

namespace packetfiles {

struct TInputCloser {
    void operator()(AVFormatContext* AContext) const { ff::avformat_close_input(&AContext); }
};
using TInputPtr = std::unique_ptr<AVFormatContext, TInputCloser>;

struct TOutputCloser {
    void operator()(AVFormatContext* AContext) const {
        if (AContext->pb) ff::avio_closep(&AContext->pb);
        ff::avformat_free_context(AContext);
    }
};
using TOutputPtr = std::unique_ptr<AVFormatContext, TOutputCloser>;

// The packets of the first stream of a file, in file order.
inline std::vector<TPacketPtr> ReadPackets(const std::wstring& AFile, TCodecContextPtr* AParams, AVRational* ATimeBase) {
    std::vector<TPacketPtr> packets;
    AVFormatContext* raw = nullptr;
    if (ff::avformat_open_input(&raw, ToLibFileName(AFile).c_str(), nullptr, nullptr) < 0) return packets;
    const TInputPtr in(raw);
    ff::avformat_find_stream_info(raw, nullptr);
    if (AParams) {
        AParams->reset(ff::avcodec_alloc_context3(nullptr));
        ff::avcodec_parameters_to_context(AParams->get(), raw->streams[0]->codecpar);
    }
    *ATimeBase = raw->streams[0]->time_base;
    for (TPacketPtr p = NewPacket(); ff::av_read_frame(raw, p.get()) >= 0; p = NewPacket())
        if (p->stream_index == 0) packets.push_back(std::move(p));
    return packets;
}

// Writes the packets as the one stream of a NUT file whose parameters are
// those of AParams; empty on success.
inline std::string WriteNut(const std::wstring& AFile, const AVCodecContext* AParams, AVRational ATimeBase,
                     const std::vector<TPacketPtr>& APackets) {
    AVFormatContext* raw = nullptr;
    const std::string name = ToLibFileName(AFile);
    if (ff::avformat_alloc_output_context2(&raw, nullptr, "nut", name.c_str()) < 0) return "no nut muxer";
    const TOutputPtr out(raw);
    AVStream* st = ff::avformat_new_stream(raw, nullptr);
    ff::avcodec_parameters_from_context(st->codecpar, AParams);
    st->time_base = ATimeBase;
    if (ff::avio_open(&raw->pb, name.c_str(), AVIO_FLAG_WRITE) < 0) return "cannot write " + name;
    if (ff::avformat_write_header(raw, nullptr) < 0) return "header";
    for (const TPacketPtr& p : APackets) {
        p->stream_index = 0;
        ff::av_packet_rescale_ts(p.get(), ATimeBase, st->time_base);
        if (ff::av_write_frame(raw, p.get()) < 0) return "packet";
    }
    return ff::av_write_trailer(raw) < 0 ? "trailer" : "";
}

}  // namespace packetfiles
