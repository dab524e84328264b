#pragma once
// Reading a converted file back with the libraries themselves: what each
// stream holds (packets, timing, picture shape), its sound as samples and
// its pictures as RGB, independently of the transcoder under test.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "PacketFiles.h"
#include "Src/AVUtilStubs.h"
#include "Src/SwResampleStubs.h"
#include "Src/SwScaleStubs.h"

namespace readback {

struct TStream {
    AVMediaType Type = AVMEDIA_TYPE_UNKNOWN;
    std::string Codec;
    int Packets = 0;
    int Width = 0, Height = 0;
    AVRational SampleAspect = {0, 1};
    AVRational AverageRate = {0, 1};
    double Start = -1;  // seconds: the first packet's time
    double End = -1;    // seconds: the end of the last packet
};

// The streams of a file; empty when it cannot be read.
inline std::vector<TStream> Streams(const std::wstring& AFile) {
    std::vector<TStream> streams;
    AVFormatContext* raw = nullptr;
    if (ff::avformat_open_input(&raw, ToLibFileName(AFile).c_str(), nullptr, nullptr) < 0) return streams;
    const packetfiles::TInputPtr in(raw);
    if (ff::avformat_find_stream_info(raw, nullptr) < 0) return streams;
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        const AVStream* st = raw->streams[i];
        TStream s;
        s.Type = st->codecpar->codec_type;
        s.Codec = ff::avcodec_get_name(st->codecpar->codec_id);
        s.Width = st->codecpar->width;
        s.Height = st->codecpar->height;
        s.SampleAspect = st->sample_aspect_ratio.num ? st->sample_aspect_ratio : st->codecpar->sample_aspect_ratio;
        s.AverageRate = st->avg_frame_rate;
        streams.push_back(s);
    }
    const TPacketPtr pkt = NewPacket();
    while (ff::av_read_frame(raw, pkt.get()) >= 0) {
        TStream& s = streams.at(pkt->stream_index);
        const AVRational tb = raw->streams[pkt->stream_index]->time_base;
        const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        ++s.Packets;
        if (ts != AV_NOPTS_VALUE) {
            const double t = ts * av_q2d(tb);
            if (s.Start < 0 || t < s.Start) s.Start = t;
            s.End = std::max(s.End, t + std::max<int64_t>(pkt->duration, 0) * av_q2d(tb));
        }
        ff::av_packet_unref(pkt.get());
    }
    return streams;
}

// The first stream of a type; null when there is none.
inline const TStream* First(const std::vector<TStream>& AStreams, AVMediaType AType) {
    for (const TStream& s : AStreams)
        if (s.Type == AType) return &s;
    return nullptr;
}

// The file opened with a decoder of its best stream of AType; false when
// either cannot be had.
struct TDecoding {
    packetfiles::TInputPtr In;
    TCodecContextPtr Dec;
    int Index = -1;
    bool Open(const std::wstring& AFile, AVMediaType AType) {
        AVFormatContext* raw = nullptr;
        if (ff::avformat_open_input(&raw, ToLibFileName(AFile).c_str(), nullptr, nullptr) < 0) return false;
        In.reset(raw);
        const AVCodec* codec = nullptr;
        Index = ff::avformat_find_stream_info(raw, nullptr) >= 0 ? ff::av_find_best_stream(raw, AType, -1, -1, &codec, 0) : -1;
        if (Index < 0) return false;
        Dec.reset(ff::avcodec_alloc_context3(codec));
        return Dec && ff::avcodec_parameters_to_context(Dec.get(), raw->streams[Index]->codecpar) >= 0 &&
               ff::avcodec_open2(Dec.get(), codec, nullptr) >= 0;
    }
    // Feeds every packet of the stream and then the end to the decoder,
    // calling ADrain after each.
    template <class Drain>
    void Run(Drain ADrain) {
        const TPacketPtr pkt = NewPacket();
        while (ff::av_read_frame(In.get(), pkt.get()) >= 0) {
            if (pkt->stream_index == Index && ff::avcodec_send_packet(Dec.get(), pkt.get()) >= 0) ADrain();
            ff::av_packet_unref(pkt.get());
        }
        ff::avcodec_send_packet(Dec.get(), nullptr);
        ADrain();
    }
};

// The sound of the first audio stream as mono float samples at its own rate,
// placed on the file's time line (a leading gap is silence). Empty when it
// cannot be decoded.
inline std::vector<float> Sound(const std::wstring& AFile, int& ARate) {
    std::vector<float> samples;
    TDecoding d;
    if (!d.Open(AFile, AVMEDIA_TYPE_AUDIO)) return samples;
    AVCodecContext* dec = d.Dec.get();
    ARate = dec->sample_rate;
    const AVRational tb = d.In->streams[d.Index]->time_base;
    const TFramePtr frame = NewFrame();
    auto drain = [&] {
        while (ff::avcodec_receive_frame(dec, frame.get()) >= 0) {
            const AVFrame* f = frame.get();
            if (f->best_effort_timestamp != AV_NOPTS_VALUE) {
                const int64_t at = ff::av_rescale_q(f->best_effort_timestamp, tb, {1, ARate});
                if (at > static_cast<int64_t>(samples.size())) samples.resize(static_cast<size_t>(at), 0.0f);
            }
            const auto format = ff::av_get_packed_sample_fmt(static_cast<AVSampleFormat>(f->format));
            const bool planar = ff::av_sample_fmt_is_planar(static_cast<AVSampleFormat>(f->format));
            const int step = planar ? 1 : f->ch_layout.nb_channels;
            for (int i = 0; i < f->nb_samples; ++i) {
                const uint8_t* d = f->extended_data[0];
                float v = 0;
                switch (format) {
                case AV_SAMPLE_FMT_S16: v = reinterpret_cast<const int16_t*>(d)[i * step] / 32768.0f; break;
                case AV_SAMPLE_FMT_S32: v = reinterpret_cast<const int32_t*>(d)[i * step] / 2147483648.0f; break;
                case AV_SAMPLE_FMT_FLT: v = reinterpret_cast<const float*>(d)[i * step]; break;
                case AV_SAMPLE_FMT_DBL: v = static_cast<float>(reinterpret_cast<const double*>(d)[i * step]); break;
                case AV_SAMPLE_FMT_U8: v = (d[i * step] - 128) / 128.0f; break;
                default: break;
                }
                samples.push_back(v);
            }
            ff::av_frame_unref(frame.get());
        }
    };
    d.Run(drain);
    return samples;
}

// The first sample at or after AFrom whose magnitude exceeds ALevel, in
// seconds; -1 when there is none.
inline double SoundStartsAt(const std::vector<float>& ASamples, int ARate, double AFrom, float ALevel = 0.05f) {
    for (size_t i = static_cast<size_t>(std::max(0.0, AFrom * ARate)); i < ASamples.size(); ++i)
        if (ASamples[i] > ALevel || ASamples[i] < -ALevel) return static_cast<double>(i) / ARate;
    return -1;
}

// The decoded pictures of the first video stream as RGB24 rows (width x
// height x 3 bytes each), in presentation order; empty when unreadable.
struct TPicture {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Rgb;
    unsigned Pixel(int AX, int AY) const {
        const uint8_t* p = &Rgb[(static_cast<size_t>(AY) * Width + AX) * 3];
        return unsigned{p[0]} << 16 | unsigned{p[1]} << 8 | p[2];
    }
};

inline std::vector<TPicture> Pictures(const std::wstring& AFile) {
    std::vector<TPicture> pictures;
    TDecoding d;
    if (!d.Open(AFile, AVMEDIA_TYPE_VIDEO)) return pictures;
    AVCodecContext* dec = d.Dec.get();
    const TFramePtr frame = NewFrame();
    auto drain = [&] {
        while (ff::avcodec_receive_frame(dec, frame.get()) >= 0) {
            const AVFrame* f = frame.get();
            TPicture p;
            p.Width = f->width;
            p.Height = f->height;
            p.Rgb.resize(static_cast<size_t>(f->width) * f->height * 3);
            SwsContext* sws = ff::sws_getContext(f->width, f->height, static_cast<AVPixelFormat>(f->format), f->width, f->height,
                                                 AV_PIX_FMT_RGB24, SWS_POINT, nullptr, nullptr, nullptr);
            uint8_t* planes[4] = {p.Rgb.data()};
            int strides[4] = {f->width * 3};
            if (sws) {
                ff::sws_scale(sws, f->data, f->linesize, 0, f->height, planes, strides);
                ff::sws_freeContext(sws);
                pictures.push_back(std::move(p));
            }
            ff::av_frame_unref(frame.get());
        }
    };
    d.Run(drain);
    return pictures;
}

}  // namespace readback
