#include "TestMedia.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <utility>

#include "Src/AVCodecStubs.h"
#include "Src/AVFilterStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFUtils.h"
#include "Src/FFmpegLoader.h"
#include "Src/MyUtils.h"
#include "Src/UnicodeProtocol.h"

namespace testmedia {
namespace {

// One encoded stream fed from a filter graph of test sources.
struct Source {
    AVCodecContext* Enc = nullptr;
    AVStream* Stream = nullptr;
    AVFilterGraph* Graph = nullptr;
    AVFilterContext* Sink = nullptr;
    int64_t NextPts = 0;
    bool Done = false;
    // Frames with a timestamp in [DropFrom, DropTo) are left out.
    int64_t DropFrom = 0, DropTo = 0;
    // The encoder and graph that carry on in the same stream after this one's end.
    std::unique_ptr<Source> Next;
    ~Source() {
        if (Enc) ff::avcodec_free_context(&Enc);
        if (Graph) ff::avfilter_graph_free(&Graph);
    }
    // Carries on with the next encoder and graph.
    void TakeNext() {
        const std::unique_ptr<Source> next = std::move(Next);
        ff::avcodec_free_context(&Enc);
        ff::avfilter_graph_free(&Graph);
        Enc = std::exchange(next->Enc, nullptr);
        Graph = std::exchange(next->Graph, nullptr);
        Sink = next->Sink;
        Next = std::move(next->Next);
    }
};

struct Output {
    AVFormatContext* Ctx = nullptr;
    std::vector<std::unique_ptr<Source>> Sources;
    AVFrame* Frame = nullptr;
    AVPacket* Packet = nullptr;
    ~Output() {
        Sources.clear();
        if (Ctx && Ctx->pb) ff::avio_closep(&Ctx->pb);
        if (Ctx) ff::avformat_free_context(Ctx);
        if (Frame) ff::av_frame_free(&Frame);
        if (Packet) ff::av_packet_free(&Packet);
    }
};

std::string LibError(const char* AWhat, int ACode) {
    char text[128] = {};
    ff::av_strerror(ACode, text, sizeof text);
    return std::string(AWhat) + ": " + text;
}

std::string BuildGraph(Source& ASource, const std::string& ADescription, bool AVideo) {
    ASource.Graph = ff::avfilter_graph_alloc();
    const AVFilter* sink = ff::avfilter_get_by_name(AVideo ? "buffersink" : "abuffersink");
    int r = ff::avfilter_graph_create_filter(&ASource.Sink, sink, "out", nullptr, nullptr, ASource.Graph);
    if (r < 0) return LibError("sink", r);
    AVFilterInOut* inputs = ff::avfilter_inout_alloc();
    inputs->name = ff::av_strdup("out");
    inputs->filter_ctx = ASource.Sink;
    inputs->pad_idx = 0;
    inputs->next = nullptr;
    AVFilterInOut* outputs = nullptr;
    r = ff::avfilter_graph_parse_ptr(ASource.Graph, ADescription.c_str(), &inputs, &outputs, nullptr);
    ff::avfilter_inout_free(&inputs);
    ff::avfilter_inout_free(&outputs);
    if (r < 0) return LibError(ADescription.c_str(), r);
    r = ff::avfilter_graph_config(ASource.Graph, nullptr);
    return r < 0 ? LibError("graph config", r) : std::string();
}

std::string FrameNumberStrip() {
    std::string s = ",drawbox=x=0:y=ih-40:w=280:h=40:color=black:t=fill";
    for (int k = 0; k < 7; ++k) {
        char part[160];
        snprintf(part, sizeof part, ",drawbox=x=%d:y=ih-40:w=40:h=40:color=white:t=fill:enable='mod(floor(n/%d),2)'",
                 k * 40, 1 << k);
        s += part;
    }
    return s;
}

// Opens the source's encoder and, when ANewStream, adds its stream.
std::string OpenEncoder(Output& AOut, Source& ASource, const AVCodec* ACodec, AVDictionary** AOptions, bool ANewStream = true) {
    if (AOut.Ctx->oformat->flags & AVFMT_GLOBALHEADER) ASource.Enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int r = ff::avcodec_open2(ASource.Enc, ACodec, AOptions);
    ff::av_dict_free(AOptions);
    if (r < 0) return LibError(ACodec->name, r);
    if (!ANewStream) return {};
    ASource.Stream = ff::avformat_new_stream(AOut.Ctx, nullptr);
    if (!ASource.Stream) return "no stream";
    ASource.Stream->time_base = ASource.Enc->time_base;
    r = ff::avcodec_parameters_from_context(ASource.Stream->codecpar, ASource.Enc);
    return r < 0 ? LibError("parameters", r) : std::string();
}

std::string AddVideo(Output& AOut, const ClipSpec& ASpec) {
    const VideoSpec& v = ASpec.Video;
    const AVCodec* codec = FindEncoderByName(v.Encoder);
    if (!codec) return std::string("no encoder ") + v.Encoder;
    auto source = std::make_unique<Source>();
    AVCodecContext* enc = source->Enc = ff::avcodec_alloc_context3(codec);
    enc->width = v.Width;
    enc->height = v.Height;
    enc->time_base = {v.Rate.den, v.Rate.num};
    enc->framerate = v.Rate;
    enc->pix_fmt = v.PixelFormat ? ff::av_get_pix_fmt(v.PixelFormat)
                   : codec->pix_fmts ? codec->pix_fmts[0]
                                     : AV_PIX_FMT_YUV420P;
    enc->gop_size = v.Gop;
    enc->max_b_frames = 0;
    enc->sample_aspect_ratio = v.SampleAspect;
    enc->flags |= AV_CODEC_FLAG_QSCALE;
    enc->global_quality = FF_QP2LAMBDA * 3;
    AVDictionary* options = nullptr;
    if (std::string(codec->name) == "libx264") {
        ff::av_dict_set(&options, "preset", "ultrafast", 0);
        ff::av_dict_set(&options, "crf", "18", 0);
    }
    std::string error = OpenEncoder(AOut, *source, codec, &options);
    if (!error.empty()) return error;
    source->Stream->sample_aspect_ratio = v.SampleAspect;
    char graph[256];
    snprintf(graph, sizeof graph, "%s=size=%dx%d:rate=%d/%d:duration=%g", v.Source, v.Width, v.Height, v.Rate.num,
             v.Rate.den, ASpec.Seconds);
    std::string description = graph;
    if (v.Filter) description += std::string(",") + v.Filter;
    description += FrameNumberStrip();
    if (v.SampleAspect.num) description += ",setsar=" + std::to_string(v.SampleAspect.num) + "/" + std::to_string(v.SampleAspect.den);
    description += std::string(",format=") + ff::av_get_pix_fmt_name(enc->pix_fmt);
    error = BuildGraph(*source, description, true);
    AOut.Sources.push_back(std::move(source));
    return error;
}

// Opens the encoder AudioSpec A names, for AChannels channels.
std::string OpenAudioEncoder(Output& AOut, const AudioSpec& A, int AChannels, Source& ASource, bool ANewStream) {
    const AVCodec* codec = FindEncoderByName(A.Encoder);
    if (!codec) return std::string("no encoder ") + A.Encoder;
    AVCodecContext* enc = ASource.Enc = ff::avcodec_alloc_context3(codec);
    enc->sample_fmt = A.SampleFormat ? ff::av_get_sample_fmt(A.SampleFormat)
                      : codec->sample_fmts ? codec->sample_fmts[0]
                                           : AV_SAMPLE_FMT_S16;
    // 32-bit samples asked of FLAC or ALAC carry 24 significant bits.
    if (A.SampleFormat && (enc->sample_fmt == AV_SAMPLE_FMT_S32 || enc->sample_fmt == AV_SAMPLE_FMT_S32P))
        enc->bits_per_raw_sample = 24;
    enc->sample_rate = A.SampleRate;
    ff::av_channel_layout_default(&enc->ch_layout, AChannels);
    enc->time_base = {1, A.SampleRate};
    enc->bit_rate = 128000;
    AVDictionary* options = nullptr;
    return OpenEncoder(AOut, ASource, codec, &options, ANewStream);
}

// The source's sound from its filter graph, ATrim (a filter or empty) applied.
std::string BuildAudioGraph(Source& ASource, const ClipSpec& ASpec, const AudioSpec& A, const std::string& ATrim) {
    const AVCodecContext* enc = ASource.Enc;
    char layout[64] = {};
    ff::av_channel_layout_describe(&enc->ch_layout, layout, sizeof layout);
    char sine[160];
    snprintf(sine, sizeof sine, "sine=frequency=%d:sample_rate=%d:duration=%g", A.Frequency, A.SampleRate, ASpec.Seconds);
    std::string graph = A.Source ? A.Source : sine;
    if (!ATrim.empty()) graph += "," + ATrim;
    graph += std::string(",aformat=sample_fmts=") + ff::av_get_sample_fmt_name(enc->sample_fmt) + ":channel_layouts=" + layout;
    std::string error = BuildGraph(ASource, graph, false);
    if (error.empty() && enc->frame_size > 0 && !(enc->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE))
        ff::av_buffersink_set_frame_size(ASource.Sink, enc->frame_size);
    return error;
}

std::string AddAudio(Output& AOut, const ClipSpec& ASpec, const AudioSpec& A) {
    auto source = std::make_unique<Source>();
    std::string error = OpenAudioEncoder(AOut, A, A.Channels, *source, true);
    if (!error.empty()) return error;
    if (A.Language) ff::av_dict_set(&source->Stream->metadata, "language", A.Language, 0);
    // The second encoder takes over at a whole frame of the first, so that
    // the packets of both follow each other without overlap.
    int64_t change = -1;
    if (A.ChannelsAfter > 0) {
        const int64_t frame = std::max(source->Enc->frame_size, 1);
        change = std::llround(A.ChangeAt * A.SampleRate / frame) * frame;
    }
    error = BuildAudioGraph(*source, ASpec, A, change >= 0 ? "atrim=end_sample=" + std::to_string(change) : "");
    source->DropFrom = std::llround(A.HoleAt * A.SampleRate);
    source->DropTo = std::llround((A.HoleAt + A.HoleSeconds) * A.SampleRate);
    if (error.empty() && change >= 0) {
        source->Next = std::make_unique<Source>();
        error = OpenAudioEncoder(AOut, A, A.ChannelsAfter, *source->Next, false);
        if (error.empty()) error = BuildAudioGraph(*source->Next, ASpec, A, "atrim=start_sample=" + std::to_string(change));
    }
    AOut.Sources.push_back(std::move(source));
    return error;
}

std::string WritePackets(Output& AOut, Source& ASource) {
    for (;;) {
        const int r = ff::avcodec_receive_packet(ASource.Enc, AOut.Packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return {};
        if (r < 0) return LibError("encode", r);
        if (ASource.Enc->codec_type == AVMEDIA_TYPE_VIDEO && AOut.Packet->duration == 0) AOut.Packet->duration = 1;
        ff::av_packet_rescale_ts(AOut.Packet, ASource.Enc->time_base, ASource.Stream->time_base);
        AOut.Packet->stream_index = ASource.Stream->index;
        const int w = ff::av_interleaved_write_frame(AOut.Ctx, AOut.Packet);
        if (w < 0) return LibError("write", w);
    }
}

std::string Step(Output& AOut, Source& ASource) {
    const int r = ff::av_buffersink_get_frame(ASource.Sink, AOut.Frame);
    if (r == AVERROR_EOF) {
        ff::avcodec_send_frame(ASource.Enc, nullptr);
        const std::string error = WritePackets(AOut, ASource);
        if (error.empty() && ASource.Next) {
            ASource.TakeNext();
            return {};
        }
        ASource.Done = true;
        return error;
    }
    if (r < 0) return LibError("source", r);
    AOut.Frame->pict_type = AV_PICTURE_TYPE_NONE;
    ASource.NextPts = AOut.Frame->pts + (ASource.Enc->codec_type == AVMEDIA_TYPE_AUDIO ? AOut.Frame->nb_samples : 1);
    if (AOut.Frame->pts >= ASource.DropFrom && AOut.Frame->pts < ASource.DropTo) {
        ff::av_frame_unref(AOut.Frame);
        return {};
    }
    const int s = ff::avcodec_send_frame(ASource.Enc, AOut.Frame);
    ff::av_frame_unref(AOut.Frame);
    if (s < 0) return LibError("send", s);
    return WritePackets(AOut, ASource);
}

std::string WriteSubtitles(Output& AOut, const char* ALanguage) {
    AVStream* st = ff::avformat_new_stream(AOut.Ctx, nullptr);
    if (!st) return "no subtitle stream";
    st->codecpar->codec_type = AVMEDIA_TYPE_SUBTITLE;
    st->codecpar->codec_id = AV_CODEC_ID_SUBRIP;
    st->time_base = {1, 1000};
    ff::av_dict_set(&st->metadata, "language", ALanguage, 0);
    return {};
}

std::string WriteSubtitlePackets(Output& AOut, AVStream* AStream) {
    const char* texts[] = {"Hello", "\xe4\xbd\xa0\xe5\xa5\xbd"};
    for (int i = 0; i < 2; ++i) {
        ff::av_new_packet(AOut.Packet, static_cast<int>(strlen(texts[i])));
        memcpy(AOut.Packet->data, texts[i], strlen(texts[i]));
        AOut.Packet->pts = AOut.Packet->dts = ff::av_rescale_q(i * 500, {1, 1000}, AStream->time_base);
        AOut.Packet->duration = ff::av_rescale_q(400, {1, 1000}, AStream->time_base);
        AOut.Packet->stream_index = AStream->index;
        const int w = ff::av_interleaved_write_frame(AOut.Ctx, AOut.Packet);
        if (w < 0) return LibError("subtitle", w);
    }
    return {};
}

}  // namespace

int64_t FirstPackMuxRate(const std::wstring& AFile) {
    std::string h(14, '\0');
    FILE* f = _wfopen(AFile.c_str(), L"rb");
    if (!f) return -1;
    h.resize(fread(h.data(), 1, h.size(), f));
    fclose(f);
    if (h.size() < 13 || h.compare(0, 4, std::string("\0\0\1\xBA", 4)) != 0) return -1;
    auto byte = [&h](size_t i) { return static_cast<int64_t>(static_cast<unsigned char>(h[i])); };
    const bool mpeg2 = (byte(4) & 0xC0) == 0x40;
    const int64_t units = mpeg2 ? (byte(10) << 14) | (byte(11) << 6) | (byte(12) >> 2)
                                : ((byte(9) & 0x7F) << 15) | (byte(10) << 7) | (byte(11) >> 1);
    return units * 50 * 8;
}

std::string MakeClip(const ClipSpec& ASpec) {
    Output out;
    const std::string name = ToLibFileName(ASpec.FileName);
    int r = ff::avformat_alloc_output_context2(&out.Ctx, nullptr, ASpec.Format, name.c_str());
    if (r < 0) return LibError("output", r);
    out.Frame = ff::av_frame_alloc();
    out.Packet = ff::av_packet_alloc();
    std::string error;
    if (ASpec.HasVideo) error = AddVideo(out, ASpec);
    for (const AudioSpec& a : ASpec.Audio)
        if (error.empty()) error = AddAudio(out, ASpec, a);
    if (error.empty() && ASpec.SubtitleLanguage) error = WriteSubtitles(out, ASpec.SubtitleLanguage);
    if (!error.empty()) return error;
    for (const auto& [key, value] : ASpec.Metadata) ff::av_dict_set(&out.Ctx->metadata, key, value, 0);
    if (!(out.Ctx->oformat->flags & AVFMT_NOFILE) && (r = ff::avio_open(&out.Ctx->pb, name.c_str(), AVIO_FLAG_WRITE)) < 0)
        return LibError("open", r);
    AVDictionary* muxerOptions = nullptr;
    for (const auto& [key, value] : ASpec.MuxerOptions) ff::av_dict_set(&muxerOptions, key, value, 0);
    r = ff::avformat_write_header(out.Ctx, &muxerOptions);
    ff::av_dict_free(&muxerOptions);
    if (r < 0) return LibError("header", r);
    if (ASpec.SubtitleLanguage) {
        error = WriteSubtitlePackets(out, out.Ctx->streams[out.Ctx->nb_streams - 1]);
        if (!error.empty()) return error;
    }
    for (;;) {
        Source* next = nullptr;
        for (auto& s : out.Sources)
            if (!s->Done && (!next || ff::av_compare_ts(s->NextPts, s->Enc->time_base, next->NextPts,
                                                        next->Enc->time_base) < 0))
                next = s.get();
        if (!next) break;
        error = Step(out, *next);
        if (!error.empty()) return error;
    }
    if ((r = ff::av_write_trailer(out.Ctx)) < 0) return LibError("trailer", r);
    return {};
}

void WriteBytes(const std::wstring& AName, const std::string& ABytes) {
    HANDLE h = CreateFileW(AName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, ABytes.data(), static_cast<DWORD>(ABytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::wstring ScratchFolder(const std::wstring& AName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + AName + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    // Process ids come round again (every run of the suite starts its Wine
    // servers afresh): what an earlier process of this id left goes first.
    RemoveFolder(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string LoadTranscoderLibraries() {
    FFLoader.SetLibraryPath(GetApplicationPath() + L"..\\..\\dist\\LibAV");
    return FFLoader.Load(TranscoderLibraries) ? std::string() : WideToUtf8(FFLoader.LastErrMsg());
}

ConversionSource::ConversionSource(const std::wstring& AScratchName)
    : Folder(ScratchFolder(AScratchName)), File(Folder + L"source.mp4"), Outputs(Folder + L"out") {
    CreateDirectoryW(Outputs.c_str(), nullptr);
    Error = LoadTranscoderLibraries();
    if (!Error.empty()) return;
    ClipSpec spec;
    spec.FileName = File;
    spec.Video.Width = 320;
    spec.Video.Height = 240;
    spec.Audio = {AudioSpec{}};
    Error = MakeClip(spec);
}

ConversionSource::~ConversionSource() {
    RemoveDirectoryW(Outputs.c_str());
    RemoveFolder(Folder);
}

void RemoveFolder(const std::wstring& AFolder) {
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((AFolder + L"*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((AFolder + name).c_str());
            else if (name != L"." && name != L"..") RemoveFolder(AFolder + name + L"\\");
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryW(AFolder.c_str());
}

namespace {

std::string ReadBytes(const std::wstring& AName) {
    HANDLE h = CreateFileW(AName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    return bytes;
}

MediaSet MakeStandardSet() {
    MediaSet m;
    m.Folder = ScratchFolder(L"vantrel-media");
    m.Error = LoadTranscoderLibraries();
    if (!m.Error.empty()) return m;
    auto make = [&](std::wstring& AField, const wchar_t* AName, ClipSpec ASpec) {
        AField = m.Folder + AName;
        ASpec.FileName = AField;
        if (m.Error.empty()) {
            const std::string e = MakeClip(ASpec);
            if (!e.empty()) m.Error = WideToUtf8(AName) + ": " + e;
        }
    };
    ClipSpec clip;
    clip.Seconds = 5;
    clip.Audio = {AudioSpec{}};
    clip.Metadata = {{"title", "\xe6\xb5\x8b\xe8\xaf\x95\xe6\xa0\x87\xe9\xa2\x98"},
                     {"artist", "Vantrel"},
                     {"creation_time", "2024-01-02T03:04:05.000000Z"}};
    make(m.Mp4, L"clip.mp4", clip);
    clip.Metadata.clear();
    clip.Video.Encoder = "libx264";
    clip.Audio = {AudioSpec{"libmp3lame"}};
    make(m.Mkv, L"clip.mkv", clip);

    ClipSpec ntsc;
    ntsc.Seconds = 2;
    ntsc.Format = "mpeg";
    ntsc.Video = VideoSpec{720, 480, {30000, 1001}, "mpeg2video", "smptebars", {0, 1}, 15};
    ntsc.Audio = {AudioSpec{"mp2", 48000}};
    make(m.Ntsc, L"ntsc.mpg", ntsc);

    ClipSpec pal;
    pal.Video = VideoSpec{720, 576, {25, 1}, "mpeg4", "testsrc2", {16, 15}, 25};
    make(m.Pal169, L"pal-16-15.mp4", pal);

    ClipSpec mp3;
    mp3.Seconds = 2;
    mp3.HasVideo = false;
    mp3.Audio = {AudioSpec{"libmp3lame"}};
    make(m.Mp3, L"sound.mp3", mp3);
    ClipSpec wav;
    wav.HasVideo = false;
    wav.Audio = {AudioSpec{"pcm_s16le", 22050, 1}};
    make(m.Wav, L"mono.wav", wav);

    ClipSpec two;
    two.Video = VideoSpec{320, 240};
    two.Audio = {AudioSpec{"aac", 44100, 2, "eng"}, AudioSpec{"libmp3lame", 44100, 2, "chi", 880}};
    make(m.TwoAudio, L"two-audio.mkv", two);
    ClipSpec sub;
    sub.Video = VideoSpec{320, 240};
    sub.SubtitleLanguage = "chi";
    make(m.Subtitled, L"subtitled.mkv", sub);
    ClipSpec ts;
    ts.Video = VideoSpec{320, 240, {25, 1}, "mpeg2video"};
    ts.Audio = {AudioSpec{"mp2", 48000}};
    make(m.Ts, L"program.ts", ts);
    ClipSpec still;
    still.Seconds = 0.04;
    still.Format = "image2";
    still.Video = VideoSpec{320, 240, {25, 1}, "mjpeg"};
    make(m.Still, L"still.jpg", still);
    if (!m.Error.empty()) return m;

    const std::string whole = ReadBytes(m.Mp4);
    m.Truncated = m.Folder + L"truncated.mp4";
    WriteBytes(m.Truncated, whole.substr(0, whole.size() / 2));
    m.Garbage = m.Folder + L"garbage.avi";
    std::mt19937 random(20261210);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    WriteBytes(m.Garbage, noise);
    m.Chinese = m.Folder + L"\u6d4b\u8bd5\u89c6\u9891.mp4";
    m.NonAnsi = m.Folder + L"\u03a9mega-\u0142\u00e9.mkv";
    if (!CopyFileW(m.Mp4.c_str(), m.Chinese.c_str(), FALSE) || !CopyFileW(m.Mkv.c_str(), m.NonAnsi.c_str(), FALSE))
        m.Error = "copies failed";
    return m;
}

}  // namespace

namespace {
// Removes the generated files when the program ends.
struct FolderRemover {
    std::wstring Folder;
    ~FolderRemover() {
        if (!Folder.empty()) RemoveFolder(Folder);
    }
};
}  // namespace

const MediaSet& StandardMedia() {
    static const MediaSet set = MakeStandardSet();
    static const FolderRemover remover{set.Folder};
    return set;
}

}  // namespace testmedia
