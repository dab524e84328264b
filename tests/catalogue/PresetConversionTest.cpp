// Every offered output format converts a short clip with its encoder preset,
// set on the transcoder the way a queued task gets it, and the result probes
// back with the streams, encoders and sizes the preset asks for.
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
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "Src/UnicodeProtocol.h"
#include "app/EncoderPresets.h"
#include "tools/testmedia/TestMedia.h"

namespace {

using TOptionList = std::vector<std::pair<std::wstring, std::wstring>>;

// How much of the clip each conversion takes, in seconds.
const wchar_t* const kLength = L"0.4";

// A one-second 320x240 clip with stereo 44.1 kHz sound, made once per
// process with the libraries it needs.
struct TSourceClip {
    std::wstring Folder;  // with a trailing backslash
    std::wstring File;
    std::wstring Outputs;  // the output folder, below Folder
    std::string Error;
    ~TSourceClip() {
        if (Folder.empty()) return;
        RemoveDirectoryW(Outputs.c_str());
        testmedia::RemoveFolder(Folder);
    }
};

const TSourceClip& SourceClip() {
    static const TSourceClip clip = [] {
        TSourceClip c;
        c.Folder = testmedia::ScratchFolder(L"vantrel-catalogue");
        c.Outputs = c.Folder + L"out";
        CreateDirectoryW(c.Outputs.c_str(), nullptr);
        c.Error = testmedia::LoadTranscoderLibraries();
        if (!c.Error.empty()) return c;
        testmedia::ClipSpec spec;
        spec.FileName = c.File = c.Folder + L"source.mp4";
        spec.Video.Width = 320;
        spec.Video.Height = 240;
        spec.Audio = {testmedia::AudioSpec{}};
        c.Error = testmedia::MakeClip(spec);
        return c;
    }();
    return clip;
}

void AddOption(TOptionList& AList, const wchar_t* AName, const std::wstring& AValue) {
    if (!AValue.empty()) AList.emplace_back(AName, AValue);
}

void AddBitRate(TOptionList& AList, const wchar_t* AName, int AValue) {
    if (AValue > 0) AList.emplace_back(AName, std::to_wstring(AValue));
}

// The transcoder options of the current-format settings, in the order a
// queued task applies them: disc target, encoders, the typed options, size.
TOptionList TaskOptions(const formats::TFormatSettings& S) {
    TOptionList o;
    if (!S.Video_TargetType.empty()) {
        const std::wstring norm = S.Video_NormType == L"PAL" ? L"pal-" : S.Video_NormType == L"NTSC" ? L"ntsc-" : L"";
        o.emplace_back(L"target", norm + S.Video_TargetType);
    }
    AddOption(o, L"acodec", S.Video_AudioCodec);
    AddOption(o, L"vcodec", S.Video_VideoCodec);
    if (S.Video_VideoCodec == L"libx264") o.emplace_back(L"vpre", L"libx264-default");
    AddOption(o, L"ac", S.Video_AudioChannels);
    AddOption(o, L"ar", S.Video_AudioSampleRate);
    AddBitRate(o, L"ab", S.Video_AudioBitrate);
    if (S.Video_DisableVideo) o.emplace_back(L"vn", L"1");
    AddOption(o, L"r", S.Video_FrameRate);
    AddOption(o, L"aspect", S.Video_FrameAspectRatio);
    AddBitRate(o, L"vb", S.Video_VideoBitrate);
    AddOption(o, L"vtag", S.Video_VideoTag);
    AddOption(o, L"s", S.Video_FrameSize);
    o.emplace_back(L"t", kLength);
    return o;
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

    // Converts the clip with the options; the reason when it fails.
    ::testing::AssertionResult Convert(const TOptionList& AOptions) {
        TCustomFFmpeg t(4);
        t.InitOptions();
        if (!t.OpenInput(SourceClip().File)) return ::testing::AssertionFailure() << "input: " << WideToUtf8(t.LastErrMsg());
        try {
            for (const auto& [name, value] : AOptions) t.ParseOption(name, value);
        } catch (const EEngineError& e) {
            return ::testing::AssertionFailure() << "options: " << WideToUtf8(e.Message());
        }
        if (t.OpenOutput(output) < 0) return ::testing::AssertionFailure() << "output: " << WideToUtf8(t.LastErrMsg());
        t.StartConvert(false);
        if (t.FatalException()) return ::testing::AssertionFailure() << "convert: " << WideToUtf8(t.FatalMessage());
        return ::testing::AssertionSuccess();
    }

    TFFLogger logger;
    std::vector<std::wstring> errors;
    std::wstring output;
};

TEST_P(PresetConversion, ConvertsAndProbesBack) {
    const formats::TEncoderPreset& preset = GetParam();
    formats::TFormatSettings s;
    ASSERT_TRUE(formats::ApplyEncoderPreset(preset.Key, SourceClip().File, SourceClip().Outputs, true, s));
    output = s.Video_OutPutFileName;
    ASSERT_TRUE(Convert(TaskOptions(s))) << WideToUtf8(output);

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

    if (s.Video_DisableVideo) {
        EXPECT_EQ(probe.VideoStreamCount(), 0);
    } else {
        ASSERT_EQ(probe.VideoStreamCount(), 1);
        const AVCodecParameters* video = file->streams[probe.FirstVideoStreamIndex()]->codecpar;
        if (!s.Video_VideoCodec.empty()) {
            EXPECT_EQ(video->codec_id, EncodedCodec(s.Video_VideoCodec));
        }
        if (!s.Video_FrameSize.empty()) {
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
