// "vol" scales the decoded samples of every sample format the decoders give:
// each source is converted with half the volume into 64-bit float WAV and
// its peak compared with the source's own.
#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/UnicodeProtocol.h"
#include "TranscodeFixture.h"

namespace {

// One sample of a decoded frame as a fraction of full scale.
double SampleValue(const AVFrame* AFrame, int APlane, int AIndex) {
    const uint8_t* d = AFrame->extended_data[APlane];
    switch (ff::av_get_packed_sample_fmt(static_cast<AVSampleFormat>(AFrame->format))) {
    case AV_SAMPLE_FMT_U8: return (d[AIndex] - 128) / 128.0;
    case AV_SAMPLE_FMT_S16: return reinterpret_cast<const int16_t*>(d)[AIndex] / 32768.0;
    case AV_SAMPLE_FMT_S32: return reinterpret_cast<const int32_t*>(d)[AIndex] / 2147483648.0;
    case AV_SAMPLE_FMT_FLT: return reinterpret_cast<const float*>(d)[AIndex];
    case AV_SAMPLE_FMT_DBL: return reinterpret_cast<const double*>(d)[AIndex];
    default: return NAN;
    }
}

// The largest absolute sample of the file's first audio stream and the
// decoder's sample format; a negative peak when the file cannot be read.
double PeakAmplitude(const std::wstring& AFile, AVSampleFormat& AFormat) {
    AVFormatContext* ic = nullptr;
    if (ff::avformat_open_input(&ic, ToLibFileName(AFile).c_str(), nullptr, nullptr) < 0) return -1;
    double peak = -1;
    const AVCodec* codec = nullptr;
    const int index = ff::avformat_find_stream_info(ic, nullptr) >= 0
                          ? ff::av_find_best_stream(ic, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0)
                          : -1;
    AVCodecContext* dec = index >= 0 ? ff::avcodec_alloc_context3(codec) : nullptr;
    if (dec && ff::avcodec_parameters_to_context(dec, ic->streams[index]->codecpar) >= 0 &&
        ff::avcodec_open2(dec, codec, nullptr) >= 0) {
        peak = 0;
        AVPacket* pkt = ff::av_packet_alloc();
        AVFrame* frame = ff::av_frame_alloc();
        auto drain = [&] {
            while (ff::avcodec_receive_frame(dec, frame) >= 0) {
                AFormat = static_cast<AVSampleFormat>(frame->format);
                const bool planar = ff::av_sample_fmt_is_planar(AFormat);
                const int channels = frame->ch_layout.nb_channels;
                for (int p = 0; p < (planar ? channels : 1); ++p)
                    for (int i = 0; i < frame->nb_samples * (planar ? 1 : channels); ++i)
                        peak = std::max(peak, std::fabs(SampleValue(frame, p, i)));
                ff::av_frame_unref(frame);
            }
        };
        while (ff::av_read_frame(ic, pkt) >= 0) {
            if (pkt->stream_index == index && ff::avcodec_send_packet(dec, pkt) >= 0) drain();
            ff::av_packet_unref(pkt);
        }
        ff::avcodec_send_packet(dec, nullptr);
        drain();
        ff::av_frame_free(&frame);
        ff::av_packet_free(&pkt);
    }
    ff::avcodec_free_context(&dec);
    ff::avformat_close_input(&ic);
    return peak;
}

struct TVolumeSource {
    const char* Name;
    const wchar_t* File;
    const char* Encoder;
    const char* SampleFormat;     // asked of the encoder
    AVSampleFormat Decoded;       // what the source's decoder gives, to be sure the case is covered
    double Tolerance;             // of the ratio: one step of the source's resolution at its peak
};

void PrintTo(const TVolumeSource& AS, std::ostream* AOut) { *AOut << AS.Name; }

class Volume : public TranscodeFixture, public ::testing::WithParamInterface<TVolumeSource> {};

TEST_P(Volume, HalfVolumeHalvesThePeak) {
    const TVolumeSource& c = GetParam();
    testmedia::ClipSpec spec;
    spec.FileName = folder + c.File;
    spec.HasVideo = false;
    testmedia::AudioSpec audio;
    audio.Encoder = c.Encoder;
    audio.SampleFormat = c.SampleFormat;
    spec.Audio = {audio};
    ASSERT_EQ(testmedia::MakeClip(spec), "");
    AVSampleFormat sourceFormat = AV_SAMPLE_FMT_NONE, outputFormat = AV_SAMPLE_FMT_NONE;
    const double before = PeakAmplitude(spec.FileName, sourceFormat);
    ASSERT_GT(before, 0.05);
    ASSERT_EQ(sourceFormat, c.Decoded) << ff::av_get_sample_fmt_name(sourceFormat);

    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"half.wav";
    ASSERT_TRUE(Convert(t, spec.FileName, {}, out, {{L"acodec", L"pcm_f64le"}, {L"vol", L"128"}}));
    const double after = PeakAmplitude(out, outputFormat);
    EXPECT_NEAR(after / before, 0.5, c.Tolerance) << before << " -> " << after;
}

const TVolumeSource VolumeSources[] = {
    {"Flac24Bit", L"s24.flac", "flac", "s32", AV_SAMPLE_FMT_S32, 1e-6},
    {"Alac24Bit", L"s24.m4a", "alac", "s32p", AV_SAMPLE_FMT_S32P, 1e-6},
    {"Pcm16Bit", L"s16.wav", "pcm_s16le", nullptr, AV_SAMPLE_FMT_S16, 1e-3},
    {"Pcm8Bit", L"u8.wav", "pcm_u8", nullptr, AV_SAMPLE_FMT_U8, 0.07},
    {"Float", L"f32.wav", "pcm_f32le", nullptr, AV_SAMPLE_FMT_FLT, 1e-6},
    {"Double", L"f64.wav", "pcm_f64le", nullptr, AV_SAMPLE_FMT_DBL, 1e-9},
};

INSTANTIATE_TEST_SUITE_P(SampleFormats, Volume, ::testing::ValuesIn(VolumeSources),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// A mono 8 kHz 16-bit WAV file of the samples, each held for a tenth of a second.
std::string WavOf(const std::vector<int16_t>& ASamples) {
    std::string data;
    for (int16_t s : ASamples)
        for (int i = 0; i < 800; ++i) data.append(reinterpret_cast<const char*>(&s), 2);
    auto le32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    const std::string fmt = std::string("fmt ") + le32(16) + std::string("\x01\x00\x01\x00", 4) + le32(8000) + le32(16000) +
                            std::string("\x02\x00\x10\x00", 4);
    return "RIFF" + le32(static_cast<uint32_t>(4 + fmt.size() + 8 + data.size())) + "WAVE" + fmt + "data" +
           le32(static_cast<uint32_t>(data.size())) + data;
}

// The samples of a 16-bit WAV file's data chunk, one per tenth of a second
// (the middle one of each).
std::vector<int16_t> HeldSamples(const std::wstring& AFile) {
    std::ifstream in(AFile.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> held;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        if (bytes.compare(at, 4, "data") == 0) {
            for (size_t i = at + 8 + 800; i + 2 <= at + 8 + size && i + 2 <= bytes.size(); i += 1600) {
                int16_t s = 0;
                std::memcpy(&s, bytes.data() + i, 2);
                held.push_back(s);
            }
            break;
        }
        at += 8 + size + (size & 1);
    }
    return held;
}

struct TVolumeStep {
    const char* Name;
    const wchar_t* Volume;
    std::vector<int16_t> In, Out;
};

void PrintTo(const TVolumeStep& AS, std::ostream* AOut) { *AOut << AS.Name; }

class VolumeSteps : public TranscodeFixture, public ::testing::WithParamInterface<TVolumeStep> {};

// A sample x becomes (x * volume + 128) shifted right arithmetically by 8,
// kept within 16 bits.
TEST_P(VolumeSteps, SamplesRoundAsShiftedAndClamp) {
    const TVolumeStep& c = GetParam();
    const std::wstring input = folder + L"steps.wav";
    testmedia::WriteBytes(input, WavOf(c.In));
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.wav";
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"acodec", L"pcm_s16le"}, {L"vol", c.Volume}}));
    EXPECT_EQ(HeldSamples(out), c.Out);
}

const TVolumeStep VolumeStepCases[] = {
    {"Half", L"128", {-3, 3, -1, 1, 100, 20000, -20000}, {-1, 2, 0, 1, 50, 10000, -10000}},
    {"Double", L"512", {-3, 3, 100, 20000, -20000}, {-6, 6, 200, 32767, -32768}},
};

INSTANTIATE_TEST_SUITE_P(Volumes, VolumeSteps, ::testing::ValuesIn(VolumeStepCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
