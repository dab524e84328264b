// Every legacy preset converts a short clip, set on the transcoder the way a
// queued task gets the main window's fields, and the result probes back with
// the container's streams and the encoders the preset names. Rows the
// libraries refuse are listed with the reason and must keep failing.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVProbe.h"
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "app/LegacyPresets.h"
#include "tools/testmedia/TestMedia.h"

namespace {

using TOptions = std::vector<std::pair<std::wstring, std::wstring>>;

// Rows whose settings the libraries do not take, and why.
const std::map<int, const char*> kRefused = {
    {307, "AAC sound in an MPEG program stream (.vob): the muxer takes MPEG audio, AC-3, DTS or PCM only"},
    {308, "AAC sound in an MPEG program stream (.mpg): the muxer takes MPEG audio, AC-3, DTS or PCM only"},
    {909, "MS-MPEG-4 video in an MP4 file: the MP4 muxer has no tag for it"},
};

// The source clip, made once per process.
const testmedia::ConversionSource& Clip() {
    static const testmedia::ConversionSource clip(L"vantrel-legacy");
    return clip;
}

void Add(TOptions& o, const wchar_t* name, const std::wstring& value) {
    if (!value.empty()) o.emplace_back(name, value);
}

void AddRate(TOptions& o, const wchar_t* name, int bits) {
    if (bits > 0) o.emplace_back(name, std::to_wstring(bits));
}

// The fields as a queued task hands them to the transcoder.
TOptions TaskOptions(const formats::TFormatSettings& s) {
    TOptions o;
    if (!s.Video_TargetType.empty()) {
        const std::wstring norm = s.Video_NormType == L"PAL" ? L"pal-" : s.Video_NormType == L"NTSC" ? L"ntsc-" : L"";
        o.emplace_back(L"target", norm + s.Video_TargetType);
    }
    Add(o, L"acodec", s.Video_AudioCodec);
    Add(o, L"vcodec", s.Video_VideoCodec);
    if (s.Video_VideoCodec == L"libx264") o.emplace_back(L"vpre", L"libx264-default");
    Add(o, L"ac", s.Video_AudioChannels);
    Add(o, L"ar", s.Video_AudioSampleRate);
    AddRate(o, L"ab", s.Video_AudioBitrate);
    if (s.Video_DisableVideo) o.emplace_back(L"vn", L"1");
    Add(o, L"r", s.Video_FrameRate);
    Add(o, L"aspect", s.Video_FrameAspectRatio);
    AddRate(o, L"vb", s.Video_VideoBitrate);
    Add(o, L"vtag", s.Video_VideoTag);
    Add(o, L"s", s.Video_FrameSize);
    o.emplace_back(L"t", L"0.4");
    return o;
}

// The codec the engine's encoder of that name writes.
AVCodecID EncodedCodec(const std::wstring& name) {
    const AVCodec* codec = FindEncoderByName(WideToUtf8(name).c_str());
    return codec ? codec->id : AV_CODEC_ID_NONE;
}

int CountPackets(AVFormatContext* file, AVMediaType type) {
    int count = 0;
    AVPacket* pkt = ff::av_packet_alloc();
    while (ff::av_read_frame(file, pkt) >= 0) {
        if (file->streams[pkt->stream_index]->codecpar->codec_type == type) ++count;
        ff::av_packet_unref(pkt);
    }
    ff::av_packet_free(&pkt);
    return count;
}

}  // namespace

namespace legacy {
void PrintTo(const TLegacyPreset& preset, std::ostream* out) { *out << "row " << preset.Key; }
}  // namespace legacy

class LegacyConversion : public ::testing::TestWithParam<legacy::TLegacyPreset> {
protected:
    void SetUp() override {
        ASSERT_TRUE(Clip().Error.empty()) << Clip().Error;
        logger.TriggerEventInMainThread = false;
        logger.SetOnLog([this](TObject*, uint32_t, TLogLevel level, const std::wstring& text) {
            if (level <= llWarning) logged.push_back(text);
        });
    }
    void TearDown() override {
        if (HasFailure())
            for (const auto& e : logged) std::printf("logged: %s\n", WideToUtf8(e).c_str());
        if (!output.empty()) DeleteFileW(output.c_str());
    }

    ::testing::AssertionResult Convert(const TOptions& options) {
        TCustomFFmpeg t(4);
        t.InitOptions();
        if (!t.OpenInput(Clip().File)) return ::testing::AssertionFailure() << "input: " << WideToUtf8(t.LastErrMsg());
        try {
            for (const auto& [name, value] : options) t.ParseOption(name, value);
        } catch (const EEngineError& e) {
            return ::testing::AssertionFailure() << "options: " << WideToUtf8(e.Message());
        }
        if (t.OpenOutput(output) < 0) return ::testing::AssertionFailure() << "output: " << WideToUtf8(t.LastErrMsg());
        t.StartConvert(false);
        if (t.FatalException()) return ::testing::AssertionFailure() << "convert: " << WideToUtf8(t.FatalMessage());
        return ::testing::AssertionSuccess();
    }

    TFFLogger logger;
    std::vector<std::wstring> logged;
    std::wstring output;
};

TEST_P(LegacyConversion, ConvertsAndProbesBack) {
    const legacy::TLegacyPreset& preset = GetParam();
    int key = 0;
    formats::TFormatSettings s;
    ASSERT_TRUE(legacy::ApplyPreset(preset.Key, {Clip().File, Clip().Outputs, true}, {key, s}));
    output = s.Video_OutPutFileName;
    const ::testing::AssertionResult converted = Convert(TaskOptions(s));
    const auto refused = kRefused.find(preset.Key);
    if (refused != kRefused.end()) {
        EXPECT_FALSE(converted) << "row " << preset.Key << " now converts: " << refused->second;
        return;
    }
    ASSERT_TRUE(converted) << WideToUtf8(output);

    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(output)) << WideToUtf8(probe.LastErrMsg());
    AVFormatContext* file = probe.FileHandle();
    ASSERT_EQ(probe.AudioStreamCount(), 1);
    const AVCodecParameters* audio = file->streams[probe.FirstAudioStreamIndex()]->codecpar;
    if (!s.Video_AudioCodec.empty()) {
        EXPECT_EQ(audio->codec_id, EncodedCodec(s.Video_AudioCodec));
    }
    if (!s.Video_AudioSampleRate.empty()) {
        EXPECT_EQ(std::to_wstring(audio->sample_rate), s.Video_AudioSampleRate);
    }
    if (!s.Video_AudioChannels.empty()) {
        EXPECT_EQ(std::to_wstring(audio->ch_layout.nb_channels), s.Video_AudioChannels);
    }
    EXPECT_GT(CountPackets(file, AVMEDIA_TYPE_AUDIO), 0);

    if (s.Video_DisableVideo) {
        EXPECT_EQ(probe.VideoStreamCount(), 0);
        return;
    }
    ASSERT_EQ(probe.VideoStreamCount(), 1);
    const AVCodecParameters* video = file->streams[probe.FirstVideoStreamIndex()]->codecpar;
    if (!s.Video_VideoCodec.empty()) {
        EXPECT_EQ(video->codec_id, EncodedCodec(s.Video_VideoCodec));
    }
    if (!s.Video_FrameSize.empty()) {
        EXPECT_EQ(std::to_wstring(video->width) + L"*" + std::to_wstring(video->height), s.Video_FrameSize);
    }
    // Containers that keep a codec tag keep the row's.
    const std::wstring& tag = s.Video_VideoTag;
    if (tag.size() == 4 && video->codec_tag != 0) {
        EXPECT_EQ(video->codec_tag, MKTAG(tag[0], tag[1], tag[2], tag[3]));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRow, LegacyConversion,
                         ::testing::ValuesIn(legacy::Presets().begin(), legacy::Presets().end()),
                         [](const auto& info) { return "Row" + std::to_string(info.param.Key); });
