// Join mode: several inputs written one after another into one output. The
// clips show their frame number in the picture, so the decoded output tells
// the order of its pictures as well as their times.
#include <gmock/gmock.h>

#include <map>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/UnicodeProtocol.h"
#include "TranscodeFixture.h"

using ::testing::ElementsAreArray;

namespace {

// Three 2 s clips at 25 fps; the second has other sound (48 kHz mono), so
// each input needs its own resampling into the shared encoder.
class Join : public TranscodeFixture {
protected:
    void SetUp() override {
        TranscodeFixture::SetUp();
        for (int i = 0; i < 3; ++i) {
            testmedia::ClipSpec spec;
            spec.FileName = folder + L"part" + std::to_wstring(i) + L".mp4";
            spec.Seconds = 2.0;
            spec.Video.Width = 320;
            spec.Video.Height = 240;
            testmedia::AudioSpec audio;
            if (i == 1) {
                audio.SampleRate = 48000;
                audio.Channels = 1;
                audio.Frequency = 880;
            }
            spec.Audio.push_back(audio);
            ASSERT_EQ(testmedia::MakeClip(spec), "");
            parts.push_back(spec.FileName);
        }
    }
    // Opens the parts, then the joined output with the options before it.
    int OpenJoined(TCustomFFmpeg& AT, const std::vector<std::wstring>& AInputs, const std::wstring& AOutput,
                   const TOptionList& AOptions) {
        AT.InitOptions();
        for (const std::wstring& in : AInputs)
            if (!AT.OpenInput(in)) return -2;
        for (const auto& [n, v] : AOptions) AT.ParseOption(n, v);
        return AT.OpenOutput(AOutput, true);
    }
    std::vector<std::wstring> parts;
};

struct TStreamTimes {
    std::vector<int64_t> VideoPts;  // microseconds, in decoding order
    int64_t AudioEnd = 0;           // microseconds
    bool AudioDtsRises = true;
};

TStreamTimes ReadTimes(const std::wstring& AFile) {
    TStreamTimes times;
    AVFormatContext* ic = nullptr;
    if (ff::avformat_open_input(&ic, ToLibFileName(AFile).c_str(), nullptr, nullptr) < 0) return times;
    ff::avformat_find_stream_info(ic, nullptr);
    AVPacket* pkt = ff::av_packet_alloc();
    int64_t lastAudioDts = INT64_MIN;
    while (ff::av_read_frame(ic, pkt) >= 0) {
        const AVStream* st = ic->streams[pkt->stream_index];
        const int64_t pts = ff::av_rescale_q(pkt->pts, st->time_base, AV_TIME_BASE_Q);
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            times.VideoPts.push_back(pts);
        } else if (st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            if (pkt->dts != AV_NOPTS_VALUE && pkt->dts <= lastAudioDts) times.AudioDtsRises = false;
            lastAudioDts = pkt->dts;
            times.AudioEnd = std::max(times.AudioEnd, pts + ff::av_rescale_q(pkt->duration, st->time_base, AV_TIME_BASE_Q));
        }
        ff::av_packet_unref(pkt);
    }
    ff::av_packet_free(&pkt);
    ff::avformat_close_input(&ic);
    return times;
}

// The frame numbers shown by the decoded pictures, in order.
std::vector<int> ShownFrameNumbers(const std::wstring& AFile) {
    std::vector<int> numbers;
    TAVProbe probe;
    if (!probe.LoadFile(AFile)) return numbers;
    const int video = probe.FirstVideoStreamIndex();
    while (probe.Decode(video)) {
        TBitmap bmp(0, 0, pf24bit);
        if (!probe.CopyToBitmap(bmp)) break;
        numbers.push_back(testmedia::FrameNumberFromPicture([&](int x, int y) { return BitmapPixel(bmp, x, y); }, bmp.Height()));
    }
    return numbers;
}

std::vector<int> ThreeTimesZeroTo49() {
    std::vector<int> numbers;
    for (int part = 0; part < 3; ++part)
        for (int n = 0; n < 50; ++n) numbers.push_back(n);
    return numbers;
}

struct TJoinCase {
    const char* Name;
    const wchar_t* Output;
    TOptionList Options;
    // The clips' sound runs 20 ms longer than their pictures, and the next
    // input starts after the longer of the two. Copied pictures keep their
    // times and a variable-rate output keeps them with their sound, so a
    // seam may hold a gap of up to a picture; a constant-rate output has none.
    int64_t SeamGap = 0;
};

void PrintTo(const TJoinCase& c, std::ostream* os) { *os << c.Name; }

class JoinOutput : public Join, public ::testing::WithParamInterface<TJoinCase> {};

TEST_P(JoinOutput, ThreeClipsFollowEachOtherOnOneTimeLine) {
    const TJoinCase& c = GetParam();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + c.Output;
    ASSERT_EQ(OpenJoined(t, parts, out, c.Options), 3) << U8(t.LastErrMsg());
    int64_t sum = 0;
    for (int i = 0; i < 3; ++i) sum += t.Finput_files[i]->duration;
    EXPECT_EQ(t.TotalOutputDuration(), sum);
    std::vector<int> reportedInputs;
    t.ReportInterval = 0;
    t.OnProgress = [&](TObject*, int AFileIndex, int, int, float, float, int64_t, int64_t, int64_t) {
        if (reportedInputs.empty() || reportedInputs.back() != AFileIndex) reportedInputs.push_back(AFileIndex);
    };
    t.StartConvert(false);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_THAT(reportedInputs, ElementsAreArray({0, 1, 2, -1}));

    const TStreamTimes times = ReadTimes(out);
    ASSERT_EQ(times.VideoPts.size(), 150u);
    std::vector<int64_t> pts = times.VideoPts;
    std::sort(pts.begin(), pts.end());
    for (size_t i = 1; i < pts.size(); ++i) {
        const int64_t allowed = i % 50 == 0 ? c.SeamGap : 0;
        ASSERT_GE(pts[i] - pts[i - 1], 39000) << "between pictures " << i - 1 << " and " << i;
        ASSERT_LE(pts[i] - pts[i - 1], 41000 + allowed) << "between pictures " << i - 1 << " and " << i;
    }
    EXPECT_NEAR(pts.back() - pts.front(), 149 * 40000, 2000 + 2 * c.SeamGap);
    EXPECT_TRUE(times.AudioDtsRises);
    EXPECT_NEAR(times.AudioEnd / 1e6, 6.0, 0.15);
    EXPECT_THAT(ShownFrameNumbers(out), ElementsAreArray(ThreeTimesZeroTo49()));
}

const TJoinCase JoinCases[] = {
    {"H264AacInMp4", L"joined.mp4", {{L"vcodec", L"libx264"}, {L"acodec", L"libfaac"}}},
    {"Mpeg4Mp3InMkv", L"joined.mkv", {{L"vcodec", L"mpeg4"}, {L"acodec", L"libmp3lame"}, {L"ar", L"44100"}}, 40000},
    {"VideoCopiedInMkv", L"copied.mkv", {{L"vcodec", L"copy"}, {L"acodec", L"libvorbis"}}, 40000},
    // The pictures of a filter chain keep the chain's times: a variable rate.
    {"FilteredVideo", L"filtered.mp4", {{L"vcodec", L"mpeg4"}, {L"vf", L"hflip,hflip"}, {L"acodec", L"libfaac"}}, 40000},
};

INSTANTIATE_TEST_SUITE_P(Outputs, JoinOutput, ::testing::ValuesIn(JoinCases), [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Join, RecordingTimeEndsTheOutputWithinTheSecondInput) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"short.mp4";
    ASSERT_EQ(OpenJoined(t, parts, out, {{L"vcodec", L"mpeg4"}, {L"t", L"3"}}), 3) << U8(t.LastErrMsg());
    t.StartConvert(false);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_TRUE(t.Finished());
    const std::vector<int> shown = ShownFrameNumbers(out);
    ASSERT_EQ(shown.size(), 75u);
    EXPECT_EQ(shown[49], 49);
    EXPECT_EQ(shown[50], 0);
    EXPECT_EQ(shown[74], 24);
}

TEST_F(Join, ALaterInputWithoutTheFirstInputsSoundFailsItsGroup) {
    testmedia::ClipSpec silent;
    silent.FileName = folder + L"silent.mp4";
    silent.Seconds = 1.0;
    silent.Video.Width = 320;
    silent.Video.Height = 240;
    ASSERT_EQ(testmedia::MakeClip(silent), "");
    TCustomFFmpeg t(4);
    ASSERT_EQ(OpenJoined(t, {parts[0], silent.FileName}, folder + L"mixed.mp4", {{L"vcodec", L"mpeg4"}}), 2) << U8(t.LastErrMsg());
    t.StartConvert(false);
    EXPECT_TRUE(t.FatalException());
    EXPECT_EQ(t.FatalMessage(), L"Could not find input stream matching output stream #1.1 (Audio)");
}

TEST_F(Join, AJoinedOutputMustBeTheTasksOnlyOutput) {
    TCustomFFmpeg joined(4);
    ASSERT_EQ(OpenJoined(joined, parts, folder + L"one.mp4", {}), 3) << U8(joined.LastErrMsg());
    EXPECT_EQ(joined.OpenOutput(folder + L"two.mp4", false), -1);
    EXPECT_EQ(joined.LastErrMsg(), L"Cannot join more than one output file.");

    TCustomFFmpeg plainFirst(4);
    plainFirst.InitOptions();
    for (const std::wstring& in : parts) ASSERT_TRUE(plainFirst.OpenInput(in));
    ASSERT_EQ(plainFirst.OpenOutput(folder + L"plain.mp4", false), 1);
    EXPECT_EQ(plainFirst.OpenOutput(folder + L"late.mp4", true), -1);
    EXPECT_EQ(plainFirst.LastErrMsg(), L"Cannot join more than one output file.");
}

TEST_F(Join, OneInputWithTheJoinFlagIsAPlainOutput) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"single.mp4";
    ASSERT_EQ(OpenJoined(t, {parts[0]}, out, {{L"vcodec", L"mpeg4"}}), 1) << U8(t.LastErrMsg());
    t.StartConvert(false);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_EQ(ReadTimes(out).VideoPts.size(), 50u);
}

}  // namespace

namespace {

// A stop during the second input ends the output there, complete and
// playable, with the pictures written so far.
TEST_F(Join, StopDuringTheSecondInputLeavesAPlayableOutput) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"stopped.mp4";
    ASSERT_EQ(OpenJoined(t, parts, out, {{L"vcodec", L"libx264"}, {L"acodec", L"libfaac"}}), 3) << U8(t.LastErrMsg());
    t.ReportInterval = 0;
    t.OnProgress = [&](TObject*, int AFileIndex, int AFrameNumber, int, float, float, int64_t, int64_t, int64_t) {
        if (AFileIndex == 1 && AFrameNumber >= 60) t.Stop(false);
    };
    t.StartConvert(false);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_FALSE(t.Finished());
    const std::vector<int> shown = ShownFrameNumbers(out);
    ASSERT_GE(shown.size(), 60u);  // every picture handed to the encoder is written
    ASSERT_LT(shown.size(), 100u);
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i], static_cast<int>(i % 50)) << "picture " << i;
}

}  // namespace
