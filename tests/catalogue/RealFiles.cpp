#include "RealFiles.h"

#include <windows.h>

#include <cmath>
#include <functional>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/MyUtils.h"
#include "Src/UnicodeProtocol.h"
#include "tools/testmedia/TestMedia.h"

namespace realfiles {
namespace {

using testmedia::AudioSpec;
using testmedia::ClipSpec;
using testmedia::VideoSpec;

constexpr double Length = 3;  // seconds of every unmarked shape
constexpr double MarkedLength = 5;
// fps=10 keeps the last picture as one more frame of a tenth of a second
// (as the filter does everywhere): a clip long enough that this stays
// within the length's 3 %.
constexpr double FilteredLength = 5;

// A white picture from MarkAt for 0.2 s; the frame number strip stays.
const char* const Flash = "drawbox=x=0:y=0:w=iw:h=ih:color=white:t=fill:enable='between(t,4,4.19)'";
// Silence with a 1 kHz beep from MarkAt for 0.2 s.
const char* const Beep = "aevalsrc='0.8*sin(2*PI*1000*t)*between(t,4,4.2)':s=44100:d=5";

const TShape ShapeTable[] = {
    {"AviMpeg4Mp3", L"mpeg4-mp3.avi", Length, true, 320, 240, nullptr, 0, false},
    {"AviPcm", L"mpeg4-pcm.avi", Length, true, 320, 240, nullptr, 0, false},
    {"MovPcm", L"camera-pcm.mov", Length, true, 320, 240, nullptr, 0, false},
    {"MkvH264Vorbis", L"h264-vorbis.mkv", Length, true, 320, 240, nullptr, 0, false},
    {"TsAc3FiveOneThenStereo", L"mpeg2-ac3.ts", Length, true, 320, 240, nullptr, 0, false},
    {"Flv", L"flv1-mp3.flv", Length, true, 320, 240, nullptr, 0, false},
    {"WmvWma", L"wmv2-wma2.wmv", Length, true, 320, 240, nullptr, 0, false},
    {"ThreeGpH263Amr", L"h263-amr.3gp", Length, true, 176, 144, nullptr, 0, false},
    {"Wav", L"pcm.wav", Length, false, 0, 0, nullptr, 0, false},
    {"Flac24", L"flac-24bit.flac", Length, false, 0, 0, nullptr, 0, false},
    {"Mp4WithAHoleInItsSound", L"sound-hole.mp4", MarkedLength, true, 320, 240, nullptr, 0, true},
    {"Mp4ThroughFps10", L"fps.mp4", FilteredLength, true, 320, 240, L"fps=10", 10, false},
};

ClipSpec SpecOf(const TShape& AShape) {
    ClipSpec c;
    c.Seconds = AShape.Seconds;
    c.HasVideo = AShape.HasVideo;
    c.Video = VideoSpec{AShape.Width, AShape.Height};
    const std::string name = AShape.Name;
    auto audio = [](const char* AEncoder, int ARate, int AChannels = 2) {
        AudioSpec a;
        a.Encoder = AEncoder;
        a.SampleRate = ARate;
        a.Channels = AChannels;
        return a;
    };
    if (name == "AviMpeg4Mp3") {
        c.Audio = {audio("libmp3lame", 44100)};
    } else if (name == "AviPcm") {
        c.Audio = {audio("pcm_s16le", 48000)};
    } else if (name == "MovPcm") {
        c.Video.Encoder = "libx264";
        c.Audio = {audio("pcm_s16be", 48000)};
    } else if (name == "MkvH264Vorbis") {
        c.Video.Encoder = "libx264";
        c.Audio = {audio("libvorbis", 44100)};
    } else if (name == "TsAc3FiveOneThenStereo") {
        c.Video.Encoder = "mpeg2video";
        AudioSpec a = audio("ac3", 48000, 6);
        a.ChannelsAfter = 2;
        a.ChangeAt = 1.5;
        c.Audio = {a};
    } else if (name == "Flv") {
        c.Video.Encoder = "flv";
        c.Audio = {audio("libmp3lame", 44100)};
    } else if (name == "WmvWma") {
        c.Video.Encoder = "wmv2";
        c.Audio = {audio("wmav2", 44100)};
    } else if (name == "ThreeGpH263Amr") {
        c.Video.Encoder = "h263";
        c.Audio = {audio("libopencore_amrnb", 8000, 1)};
    } else if (name == "Wav") {
        c.Audio = {audio("pcm_s16le", 44100)};
    } else if (name == "Flac24") {
        AudioSpec a = audio("flac", 48000);
        a.SampleFormat = "s32";
        c.Audio = {a};
    } else if (name == "Mp4WithAHoleInItsSound") {
        c.Video.Filter = Flash;
        AudioSpec a = audio("aac", 44100);
        a.Source = Beep;
        a.HoleAt = 1;
        a.HoleSeconds = 2;
        c.Audio = {a};
    } else {
        c.Audio = {audio("aac", 44100)};
    }
    return c;
}

struct TFiles {
    std::wstring Folder;
    std::string Error;
    ~TFiles() {
        if (!Folder.empty()) testmedia::RemoveFolder(Folder);
    }
};

TFiles& Files() {
    static TFiles files;
    return files;
}

// An open file with the decoder of its first stream of a type.
class TDecoded {
public:
    TDecoded(const std::wstring& AFile, AVMediaType AType) {
        const std::string name = ToLibFileName(AFile);
        if (ff::avformat_open_input(&FFile, name.c_str(), nullptr, nullptr) < 0) return;
        if (ff::avformat_find_stream_info(FFile, nullptr) < 0) return;
        const AVCodec* codec = nullptr;
        FStream = ff::av_find_best_stream(FFile, AType, -1, -1, &codec, 0);
        if (FStream < 0 || !codec) return;
        FCodec = ff::avcodec_alloc_context3(codec);
        ff::avcodec_parameters_to_context(FCodec, FFile->streams[FStream]->codecpar);
        FCodec->pkt_timebase = FFile->streams[FStream]->time_base;
        if (ff::avcodec_open2(FCodec, codec, nullptr) < 0) ff::avcodec_free_context(&FCodec);
    }
    ~TDecoded() {
        if (FCodec) ff::avcodec_free_context(&FCodec);
        if (FFile) ff::avformat_close_input(&FFile);
    }
    TDecoded(const TDecoded&) = delete;
    TDecoded& operator=(const TDecoded&) = delete;

    bool Open() const { return FCodec != nullptr; }
    // Calls AFrame(frame, its time in seconds) for each decoded frame until
    // it answers true; false when the file ended first.
    bool Each(const std::function<bool(const AVFrame*, double)>& AFrame) {
        AVPacket* pkt = ff::av_packet_alloc();
        AVFrame* frame = ff::av_frame_alloc();
        const AVRational tb = FFile->streams[FStream]->time_base;
        bool found = false, draining = false;
        while (!found) {
            if (!draining) {
                const int r = ff::av_read_frame(FFile, pkt);
                if (r < 0) {
                    draining = true;
                    ff::avcodec_send_packet(FCodec, nullptr);
                } else {
                    if (pkt->stream_index == FStream) ff::avcodec_send_packet(FCodec, pkt);
                    ff::av_packet_unref(pkt);
                }
            }
            int got;
            while (!found && (got = ff::avcodec_receive_frame(FCodec, frame)) == 0) {
                const int64_t ts = frame->best_effort_timestamp;
                found = AFrame(frame, ts == AV_NOPTS_VALUE ? 0.0 : ts * av_q2d(tb));
                ff::av_frame_unref(frame);
            }
            if (draining && !found) break;
        }
        ff::av_frame_free(&frame);
        ff::av_packet_free(&pkt);
        return found;
    }

private:
    AVFormatContext* FFile = nullptr;
    AVCodecContext* FCodec = nullptr;
    int FStream = -1;
};

// Sample i of the first channel, as a share of full scale.
double FirstChannelSample(const AVFrame* AFrame, int AIndex) {
    const auto format = static_cast<AVSampleFormat>(AFrame->format);
    const int bytes = ff::av_get_bytes_per_sample(format);
    const bool planar = ff::av_sample_fmt_is_planar(format);
    const uint8_t* p = AFrame->extended_data[0] + static_cast<size_t>(AIndex) * bytes * (planar ? 1 : AFrame->ch_layout.nb_channels);
    switch (ff::av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8: return (p[0] - 128) / 128.0;
        case AV_SAMPLE_FMT_S16: return *reinterpret_cast<const int16_t*>(p) / 32768.0;
        case AV_SAMPLE_FMT_S32: return *reinterpret_cast<const int32_t*>(p) / 2147483648.0;
        case AV_SAMPLE_FMT_FLT: return *reinterpret_cast<const float*>(p);
        case AV_SAMPLE_FMT_DBL: return *reinterpret_cast<const double*>(p);
        default: return 0;
    }
}

}  // namespace

std::span<const TShape> Shapes() { return ShapeTable; }

const std::string& MakeFiles() {
    TFiles& files = Files();
    if (!files.Folder.empty()) return files.Error;
    files.Folder = testmedia::ScratchFolder(L"vantrel-realfiles");
    files.Error = testmedia::LoadTranscoderLibraries();
    for (const TShape& shape : ShapeTable) {
        if (!files.Error.empty()) break;
        ClipSpec spec = SpecOf(shape);
        spec.FileName = PathOf(shape);
        const std::string e = testmedia::MakeClip(spec);
        if (!e.empty()) files.Error = std::string(shape.Name) + ": " + e;
    }
    return files.Error;
}

const std::wstring& Folder() { return Files().Folder; }

std::wstring PathOf(const TShape& AShape) { return Files().Folder + AShape.File; }

double FlashTime(const std::wstring& AFile) {
    TDecoded video(AFile, AVMEDIA_TYPE_VIDEO);
    if (!video.Open()) return -1;
    double at = -1;
    video.Each([&at](const AVFrame* AFrame, double ATime) {
        // The luma plane of the planar YUV pictures the encoders write.
        int64_t sum = 0;
        const int rows = AFrame->height / 2;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < AFrame->width; ++x) sum += AFrame->data[0][static_cast<size_t>(y) * AFrame->linesize[0] + x];
        const bool white = rows > 0 && sum / (static_cast<int64_t>(rows) * AFrame->width) > 200;
        if (white) at = ATime;
        return white;
    });
    return at;
}

double BeepTime(const std::wstring& AFile) {
    TDecoded audio(AFile, AVMEDIA_TYPE_AUDIO);
    if (!audio.Open()) return -1;
    double at = -1;
    audio.Each([&at](const AVFrame* AFrame, double ATime) {
        for (int i = 0; i < AFrame->nb_samples; ++i)
            if (std::fabs(FirstChannelSample(AFrame, i)) > 0.25) {
                at = ATime + static_cast<double>(i) / AFrame->sample_rate;
                return true;
            }
        return false;
    });
    return at;
}

int DecodedPictures(const std::wstring& AFile) {
    TDecoded video(AFile, AVMEDIA_TYPE_VIDEO);
    if (!video.Open()) return -1;
    int count = 0;
    video.Each([&count](const AVFrame*, double) {
        ++count;
        return false;
    });
    return count;
}

}  // namespace realfiles
