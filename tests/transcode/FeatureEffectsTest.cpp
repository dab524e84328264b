// Options named after a feature, judged by what they do to the output read
// back: frame-rate keeping (vsync), the input time line (itsoffset,
// itsscale), audio sync and deinterlacing.
#include <gmock/gmock.h>

#include <cstdlib>

#include "PacketFiles.h"
#include "TranscodeFixture.h"

namespace {

using namespace packetfiles;

// Seconds of a timestamp in a time base.
double Seconds(int64_t ATs, AVRational ATimeBase) { return static_cast<double>(ATs) * ATimeBase.num / ATimeBase.den; }

struct TVsyncCase {
    const char* Name;
    TOptionList Options;
    int MinFrames, MaxFrames;
};

void PrintTo(const TVsyncCase& AC, std::ostream* AOut) { *AOut << AC.Name; }

class Vsync : public TranscodeFixture, public ::testing::WithParamInterface<TVsyncCase> {};

// The 5 s source has 125 pictures at 25 fps; Matroska takes any timing, so
// only the method decides about duplicates and drops.
TEST_P(Vsync, DuplicatesOrDropsPicturesAsTheMethodSays) {
    const TVsyncCase& c = GetParam();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"vsync.mkv";
    TOptionList options = {{L"vcodec", L"mpeg4"}, {L"an", L""}};
    options.insert(options.end(), c.Options.begin(), c.Options.end());
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, options));
    AVRational tb{};
    const size_t frames = ReadPackets(out, nullptr, &tb).size();
    EXPECT_GE(frames, static_cast<size_t>(c.MinFrames));
    EXPECT_LE(frames, static_cast<size_t>(c.MaxFrames));
}

const TVsyncCase VsyncCases[] = {
    // Constant rate: every picture twice at 50 fps (the last ones' copies
    // come with the next picture, so a few short at the end).
    {"ConstantDoublesAt50", {{L"r", L"50"}, {L"vsync", L"1"}}, 245, 250},
    // Constant rate at 10 fps: three of every five pictures dropped.
    {"ConstantDropsAt10", {{L"r", L"10"}, {L"vsync", L"1"}}, 49, 53},
    // Pass-through and variable rate: no copies, one picture per input one.
    {"PassThroughAt50", {{L"r", L"50"}, {L"vsync", L"0"}}, 125, 125},
    {"VariableAt50", {{L"r", L"50"}, {L"vsync", L"2"}}, 125, 125},
};

INSTANTIATE_TEST_SUITE_P(Methods, Vsync, ::testing::ValuesIn(VsyncCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

struct TTimeLineCase {
    const char* Name;
    TOptionList InputOptions;
    double First, Last;  // seconds of the first and the last picture
};

void PrintTo(const TTimeLineCase& AC, std::ostream* AOut) { *AOut << AC.Name; }

class InputTimeLine : public TranscodeFixture, public ::testing::WithParamInterface<TTimeLineCase> {};

// The copied pictures of the 5 s source (the last one at 4.96 s) keep the
// input's time line as the options change it.
TEST_P(InputTimeLine, MovesAndStretchesTheTimestamps) {
    const TTimeLineCase& c = GetParam();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"times.mkv";
    ASSERT_TRUE(Convert(t, media().Mp4, c.InputOptions, out, {{L"vcodec", L"copy"}, {L"an", L""}}));
    AVRational tb{};
    const std::vector<TPacketPtr> packets = ReadPackets(out, nullptr, &tb);
    ASSERT_EQ(packets.size(), 125u);
    int64_t first = packets.front()->pts, last = first;
    for (const TPacketPtr& p : packets) {
        first = std::min(first, p->pts);
        last = std::max(last, p->pts);
    }
    EXPECT_NEAR(Seconds(first, tb), c.First, 0.011);
    EXPECT_NEAR(Seconds(last, tb), c.Last, 0.011);
}

const TTimeLineCase TimeLineCases[] = {
    {"AsItIs", {}, 0.0, 4.96},
    {"OffsetByOneAndAHalf", {{L"itsoffset", L"1.5"}}, 1.5, 6.46},
    {"ScaledByTwo", {{L"itsscale", L"0:2"}}, 0.0, 9.92},
};

INSTANTIATE_TEST_SUITE_P(Options, InputTimeLine, ::testing::ValuesIn(TimeLineCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

struct TAudioSyncCase {
    const char* Name;
    TOptionList OutputOptions;
    double Seconds;
};

void PrintTo(const TAudioSyncCase& AC, std::ostream* AOut) { *AOut << AC.Name; }

class AudioSync : public TranscodeFixture, public ::testing::WithParamInterface<TAudioSyncCase> {};

// The one-second WAV moved one second later: with sync the output starts
// at zero with a second of silence; without, the WAV (which keeps no
// timestamps) holds the sound alone.
TEST_P(AudioSync, FillsTheGapBeforeALateStart) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"sync.wav";
    ASSERT_TRUE(Convert(t, media().Wav, {{L"itsoffset", L"1"}}, out, GetParam().OutputOptions));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_NEAR(probe.FileStreamInfo().Duration / 1e6, GetParam().Seconds, 0.03);
}

const TAudioSyncCase AudioSyncCases[] = {
    {"WithoutSync", {}, 1.0},
    {"WithSync", {{L"async", L"1"}}, 2.0},
};

INSTANTIATE_TEST_SUITE_P(Methods, AudioSync, ::testing::ValuesIn(AudioSyncCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

class Deinterlacing : public TranscodeFixture {
protected:
    // 320x240 lossless pictures whose lines alternate black and white, the
    // pattern shifting by a line every picture (what a moving interlaced
    // picture shows).
    std::wstring MakeCombedClip() {
        const std::wstring file = folder + L"combed.nut";
        testmedia::ClipSpec spec;
        spec.FileName = file;
        spec.Video.Width = 320;
        spec.Video.Height = 240;
        spec.Video.Encoder = "ffv1";
        spec.Video.Filter = "geq=lum='255*mod(Y+N,2)':cb=128:cr=128";
        EXPECT_EQ(testmedia::MakeClip(spec), "");
        return file;
    }
    // The mean difference between neighbouring lines of picture 10 of a
    // lossless file, above its frame-number strip.
    double LineContrast(const std::wstring& AFile) {
        TCodecContextPtr dec;
        AVRational tb{};
        const std::vector<TPacketPtr> packets = ReadPackets(AFile, &dec, &tb);
        const AVCodec* codec = ff::avcodec_find_decoder(dec->codec_id);
        if (!codec || ff::avcodec_open2(dec.get(), codec, nullptr) < 0) return -1;
        TFramePtr frame = NewFrame();
        int decoded = 0;
        for (const TPacketPtr& p : packets) {
            if (ff::avcodec_send_packet(dec.get(), p.get()) < 0) return -1;
            while (ff::avcodec_receive_frame(dec.get(), frame.get()) == 0) {
                if (decoded++ < 10) continue;
                double sum = 0;
                int n = 0;
                for (int y = 0; y + 1 < frame->height - 50; ++y)
                    for (int x = 0; x < frame->width; ++x, ++n)
                        sum += std::abs(frame->data[0][y * frame->linesize[0] + x] -
                                        frame->data[0][(y + 1) * frame->linesize[0] + x]);
                return sum / n;
            }
        }
        return -1;
    }
};

TEST_F(Deinterlacing, RemovesTheCombing) {
    const std::wstring input = MakeCombedClip();
    TCustomFFmpeg plain(4), deinterlaced(4);
    const std::wstring a = folder + L"plain.nut", b = folder + L"deint.nut";
    ASSERT_TRUE(Convert(plain, input, {}, a, {{L"vcodec", L"ffv1"}}));
    ASSERT_TRUE(Convert(deinterlaced, input, {}, b, {{L"vcodec", L"ffv1"}, {L"deinterlace", L"1"}}));
    // Black and white lines: a difference near 219 (the video range of
    // luma) between every pair; one field rebuilt from the other: near 0.
    EXPECT_GT(LineContrast(a), 150);
    const double after = LineContrast(b);
    EXPECT_GE(after, 0);
    EXPECT_LT(after, 30);
}

}  // namespace
