// Every offered output format converts a short clip the way the main window
// queues a file: the format's preset, then its default option choices, then
// the main window's output record of them given to the encoder component's
// SetOutputFile. The
// result probes back with the streams, encoders and sizes asked for; disc
// formats probe back with their target's fixed values.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVProbe.h"
#include "Src/DIzizuZUR.h"
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "Src/UnicodeProtocol.h"
#include "app/EncoderPresets.h"
#include "app/OutputRecord.h"
#include "platform/MainThread.h"
#include "tools/testmedia/TestMedia.h"
#include "ConversionRoad.h"

namespace {

// How much of the clip each conversion takes, in seconds.
constexpr int64_t kLength = 400000;  // microseconds

// The source clip, made once per process.
const testmedia::ConversionSource& SourceClip() {
    static const testmedia::ConversionSource clip(L"vantrel-catalogue");
    return clip;
}

// What a disc of each target must hold, written out.
struct TDiscValues {
    int Width, Height;
    AVRational Rate;
    int SampleRate;
    int64_t MuxRate;  // bit/s; 0: the muxer computes it
};

const TDiscValues* DiscValues(const std::wstring& ATarget, const std::wstring& ANorm) {
    static const TDiscValues palDvd{720, 576, {25, 1}, 48000, 10080000}, palVcd{352, 288, {25, 1}, 44100, 1411200},
        palSvcd{480, 576, {25, 1}, 44100, 0};
    if (ANorm != L"PAL") return nullptr;
    return ATarget == L"dvd" ? &palDvd : ATarget == L"vcd" ? &palVcd : ATarget == L"svcd" ? &palSvcd : nullptr;
}

// Packets per media type of a file.
std::map<AVMediaType, int> CountPackets(AVFormatContext* AFile) {
    std::map<AVMediaType, int> counts;
    AVPacket* pkt = ff::av_packet_alloc();
    while (ff::av_read_frame(AFile, pkt) >= 0) {
        ++counts[AFile->streams[pkt->stream_index]->codecpar->codec_type];
        ff::av_packet_unref(pkt);
    }
    ff::av_packet_free(&pkt);
    return counts;
}

// The codec an encoder name of the presets writes.
AVCodecID EncodedCodec(const std::wstring& AEncoder) {
    const AVCodec* codec = FindEncoderByName(WideToUtf8(AEncoder).c_str());
    return codec ? codec->id : AV_CODEC_ID_NONE;
}

std::string PresetName(const ::testing::TestParamInfo<formats::TEncoderPreset>& AInfo) {
    return "Key" + std::to_string(AInfo.param.Key);
}

}  // namespace

namespace formats {
void PrintTo(const TEncoderPreset& APreset, std::ostream* AOut) { *AOut << "preset " << APreset.Key; }
}  // namespace formats

class PresetConversion : public ::testing::TestWithParam<formats::TEncoderPreset> {
protected:
    void SetUp() override {
        ASSERT_TRUE(SourceClip().Error.empty()) << SourceClip().Error;
        platform::InitMainThread();
        logger.TriggerEventInMainThread = false;
        logger.SetOnLog([this](TObject*, uint32_t, TLogLevel ALevel, const std::wstring& AText) {
            if (ALevel <= llWarning) errors.push_back(AText);
        });
    }
    void TearDown() override {
        if (HasFailure())
            for (const auto& e : errors) std::printf("logged: %s\n", WideToUtf8(e).c_str());
        if (!output.empty()) DeleteFileW(output.c_str());
    }

    // Converts the clip through the encoder component; the reason when it fails.
    ::testing::AssertionResult Convert(TOutputOptions& AOptions) {
        AOptions.TimeLength = kLength;
        const road::TConversion c = road::Convert(SourceClip().File, output, AOptions);
        if (!c.Stage.empty()) return ::testing::AssertionFailure() << c.Stage << ": " << WideToUtf8(c.Message);
        if (c.Notifications != 2) return ::testing::AssertionFailure() << c.Notifications << " end notifications";
        return ::testing::AssertionSuccess();
    }

    TFFLogger logger;
    std::vector<std::wstring> errors;
    std::wstring output;
};

TEST_P(PresetConversion, ConvertsAndProbesBack) {
    const formats::TEncoderPreset& preset = GetParam();
    formats::TFormatSettings s;
    // A key no category offers keeps its preset's settings alone.
    ASSERT_TRUE(road::FormatSettings(preset.Key, SourceClip().File, SourceClip().Outputs, s));
    output = s.Video_OutPutFileName;
    // The output record as the main window makes it of its settings.
    TOutputOptions record;
    InitOutputOptions(record);
    formats::FillOutputOptions(s, record);
    ASSERT_TRUE(Convert(record)) << WideToUtf8(output);

    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(output)) << WideToUtf8(probe.LastErrMsg());
    AVFormatContext* file = probe.FileHandle();
    ASSERT_EQ(probe.AudioStreamCount(), 1);
    const AVCodecParameters* audio = file->streams[probe.FirstAudioStreamIndex()]->codecpar;
    if (!s.Video_AudioCodec.empty()) {
        EXPECT_EQ(audio->codec_id, EncodedCodec(s.Video_AudioCodec));
    }
    // A disc target's own values win over the typed choices.
    const TDiscValues* disc = nullptr;
    if (!s.Video_TargetType.empty()) {
        disc = DiscValues(s.Video_TargetType, s.Video_NormType);
        ASSERT_NE(disc, nullptr) << WideToUtf8(s.Video_TargetType + L" " + s.Video_NormType);
        EXPECT_EQ(audio->sample_rate, disc->SampleRate);
        if (disc->MuxRate > 0) {
            EXPECT_EQ(testmedia::FirstPackMuxRate(output), disc->MuxRate);
        }
    } else if (!s.Video_AudioSampleRate.empty()) {
        EXPECT_EQ(std::to_wstring(audio->sample_rate), s.Video_AudioSampleRate);
    }
    if (!s.Video_AudioChannels.empty()) {
        EXPECT_EQ(std::to_wstring(audio->ch_layout.nb_channels), s.Video_AudioChannels);
    }

    if (s.Video_DisableVideo) {
        EXPECT_EQ(probe.VideoStreamCount(), 0);
    } else {
        ASSERT_EQ(probe.VideoStreamCount(), 1);
        const AVCodecParameters* video = file->streams[probe.FirstVideoStreamIndex()]->codecpar;
        if (!s.Video_VideoCodec.empty()) {
            EXPECT_EQ(video->codec_id, EncodedCodec(s.Video_VideoCodec));
        }
        if (disc) {
            EXPECT_EQ(video->width, disc->Width);
            EXPECT_EQ(video->height, disc->Height);
            const AVRational rate = file->streams[probe.FirstVideoStreamIndex()]->r_frame_rate;
            EXPECT_EQ(av_cmp_q(rate, disc->Rate), 0) << rate.num << "/" << rate.den;
        } else if (!s.Video_FrameSize.empty()) {
            EXPECT_EQ(std::to_wstring(video->width) + L"*" + std::to_wstring(video->height), s.Video_FrameSize);
        }
        // Containers that keep a codec tag keep the preset's.
        const std::wstring& tag = s.Video_VideoTag;
        if (tag.size() == 4 && video->codec_tag != 0) {
            EXPECT_EQ(video->codec_tag, MKTAG(tag[0], tag[1], tag[2], tag[3]));
        }
    }

    std::map<AVMediaType, int> packets = CountPackets(file);
    EXPECT_GT(packets[AVMEDIA_TYPE_AUDIO], 0);
    if (!s.Video_DisableVideo) {
        EXPECT_GT(packets[AVMEDIA_TYPE_VIDEO], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, PresetConversion,
                         ::testing::ValuesIn(formats::EncoderPresets().begin(), formats::EncoderPresets().end()),
                         PresetName);
