// Every legacy preset converts a short clip the way the window's OK leaves
// the main window's fields (the row's preset, then the read-back of the six
// lists at their defaults), handed to the encoder component as the main
// window's output record; the result probes back with the container's
// streams and the encoders the preset names. Rows the libraries refuse are
// listed with the reason and must keep failing.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVProbe.h"
#include "Src/DIzizuZUR.h"
#include "Src/FFUtils.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "app/LegacyCatalogue.h"
#include "app/LegacyPresets.h"
#include "app/OutputRecord.h"
#include "platform/MainThread.h"
#include "tests/legacy/LegacyFakes.h"
#include "tools/testmedia/TestMedia.h"

namespace {

// How much of the clip each conversion takes, in microseconds.
constexpr int64_t kLength = 400000;

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

// The window's way to OK for a row: choosing the format fills the six
// lists, then OK applies the row's preset and reads the lists back into the
// fields. A key no category offers keeps its preset's fields alone.
bool ApplyRow(int key, formats::TFormatSettings& s) {
    int trantNumber = 0;
    const legacy::TMainWindowFields fields{trantNumber, s};
    legacy::testing::FakeOptionLists lists;
    const bool offered = legacy::FindFormat(key) != nullptr;
    if (offered) legacy::FillOptionLists(lists, key / 100 - 1, key % 100, fields);
    if (!legacy::ApplyPreset(key, {Clip().File, Clip().Outputs, true}, fields)) return false;
    if (!offered) return true;
    std::array<std::wstring, 6> shown;
    for (int i = 0; i < 6; ++i) shown[static_cast<size_t>(i)] = lists.ShownText(static_cast<legacy::TOptionList>(i));
    legacy::ReadBack(shown, s);
    return true;
}

// What a PAL disc of each target holds, written out.
struct TDiscValues {
    int Width, Height;
    int SampleRate;
};

const TDiscValues* DiscValues(const std::wstring& target, const std::wstring& norm) {
    static const TDiscValues dvd{720, 576, 48000}, vcd{352, 288, 44100}, svcd{480, 576, 44100};
    if (norm != L"PAL") return nullptr;
    return target == L"dvd" ? &dvd : target == L"vcd" ? &vcd : target == L"svcd" ? &svcd : nullptr;
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
        platform::InitMainThread();
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

    // Converts the clip through the encoder component; the reason when it fails.
    ::testing::AssertionResult Convert(TOutputOptions& record) {
        TDIzizuZUR encoder;
        std::vector<TCustomDIzizuZUR::TTerminateInfo> ends;
        encoder.OnTerminate = [&](TObject*, const TCustomDIzizuZUR::TTerminateInfo& info) { ends.push_back(info); };
        const int task = encoder.AddTask(Clip().File, PInputOptions(nullptr));
        if (task < 0) return ::testing::AssertionFailure() << "input: " << WideToUtf8(encoder.LastErrMsg());
        record.TimeLength = kLength;
        if (!encoder.SetOutputFile(task, output, &record))
            return ::testing::AssertionFailure() << "output: " << WideToUtf8(encoder.LastErrMsg());
        encoder.Start(0);
        if (ends.size() != 2) return ::testing::AssertionFailure() << ends.size() << " end notifications";
        if (ends[0].Exception || !ends[0].Finished)
            return ::testing::AssertionFailure() << "convert: " << WideToUtf8(ends[0].ExceptionMsg);
        return ::testing::AssertionSuccess();
    }

    TFFLogger logger;
    std::vector<std::wstring> logged;
    std::wstring output;
};

TEST_P(LegacyConversion, ConvertsAndProbesBack) {
    const legacy::TLegacyPreset& preset = GetParam();
    formats::TFormatSettings s;
    ASSERT_TRUE(ApplyRow(preset.Key, s));
    output = s.Video_OutPutFileName;
    TOutputOptions record;
    InitOutputOptions(record);
    formats::FillOutputOptions(s, record);
    const ::testing::AssertionResult converted = Convert(record);
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
    // A disc target's own values win over the lists' choices.
    const TDiscValues* disc = nullptr;
    if (!s.Video_TargetType.empty()) {
        disc = DiscValues(s.Video_TargetType, s.Video_NormType);
        ASSERT_NE(disc, nullptr) << WideToUtf8(s.Video_TargetType + L" " + s.Video_NormType);
        EXPECT_EQ(audio->sample_rate, disc->SampleRate);
    } else if (!s.Video_AudioSampleRate.empty() && s.Video_AudioSampleRate != L"AUTO") {
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
    if (disc) {
        EXPECT_EQ(video->width, disc->Width);
        EXPECT_EQ(video->height, disc->Height);
        const AVRational rate = file->streams[probe.FirstVideoStreamIndex()]->r_frame_rate;
        EXPECT_EQ(av_cmp_q(rate, AVRational{25, 1}), 0) << rate.num << "/" << rate.den;
    } else if (!s.Video_FrameSize.empty()) {
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
