// Inputs that change under the decoder: packets holding more than one
// frame, and a picture size that changes in the middle of the stream with
// crop bands set.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PacketFiles.h"
#include "TranscodeFixture.h"

namespace {

using namespace packetfiles;

// A packet holding the data of all, with the first one's timestamps.
TPacketPtr JoinPackets(const std::vector<const AVPacket*>& AParts) {
    int size = 0;
    int64_t duration = 0;
    for (const AVPacket* p : AParts) {
        size += p->size;
        duration += p->duration;
    }
    TPacketPtr p = NewPacket();
    if (ff::av_new_packet(p.get(), size) < 0) throw std::bad_alloc();
    uint8_t* at = p->data;
    for (const AVPacket* part : AParts) at = std::copy_n(part->data, part->size, at);
    p->pts = AParts[0]->pts;
    p->dts = AParts[0]->dts;
    p->duration = duration;
    p->flags = AParts[0]->flags;
    return p;
}

class StreamChanges : public TranscodeFixture {
protected:
    // Two seconds of MP2 sound whose packets hold AFrames frames each; the
    // number of packets in ACount.
    std::wstring MakeMultiFramePackets(size_t AFrames, size_t& ACount) {
        const std::wstring single = folder + L"single.nut";
        testmedia::ClipSpec spec;
        spec.FileName = single;
        spec.Seconds = 2;
        spec.HasVideo = false;
        spec.Audio = {testmedia::AudioSpec{"mp2", 44100, 2}};
        const std::string made = testmedia::MakeClip(spec);
        EXPECT_EQ(made, "");
        TCodecContextPtr params;
        AVRational tb{};
        std::vector<TPacketPtr> frames = ReadPackets(single, &params, &tb);
        EXPECT_GT(frames.size(), 20u);
        std::vector<TPacketPtr> joined;
        for (size_t i = 0; i + AFrames <= frames.size(); i += AFrames) {
            std::vector<const AVPacket*> parts;
            for (size_t k = 0; k < AFrames; ++k) parts.push_back(frames[i + k].get());
            joined.push_back(JoinPackets(parts));
        }
        ACount = joined.size();
        const std::wstring file = folder + L"joined.nut";
        EXPECT_EQ(WriteNut(file, params.get(), tb, joined), "");
        return file;
    }
    size_t Logged(const std::string& AText) const {
        return std::count_if(errors.begin(), errors.end(), [&](const std::wstring& e) { return U8(e).find(AText) != std::string::npos; });
    }
};

struct TVerboseCase {
    const char* Name;
    const wchar_t* Verbose;
    size_t Frames;  // in each packet
    int Warnings;   // -1: one for every frame after a packet's first
};

void PrintTo(const TVerboseCase& AC, std::ostream* AOut) { *AOut << AC.Name; }

class MultipleFrames : public StreamChanges, public ::testing::WithParamInterface<TVerboseCase> {};

// Every frame is decoded, and the warning comes as often as the verbose
// level asks: never when quiet, once per stream by default, for every frame
// after a packet's first when more is asked.
TEST_P(MultipleFrames, DecodesEveryFrameAndWarnsByVerboseLevel) {
    size_t packets = 0;
    const std::wstring input = MakeMultiFramePackets(GetParam().Frames, packets);
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.wav";
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"v", GetParam().Verbose}}));
    const size_t want = GetParam().Warnings < 0 ? packets * (GetParam().Frames - 1) : static_cast<size_t>(GetParam().Warnings);
    EXPECT_EQ(Logged("Multiple frames in a packet from stream 0"), want);
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    // 2 s of sound in; the grouping may leave the last frames (26 ms each) out.
    EXPECT_NEAR(probe.FileStreamInfo().Duration / 1e6, 2.0, 0.08);
}

const TVerboseCase VerboseCases[] = {
    {"Quiet", L"0", 2, 0},
    {"Default", L"1", 2, 1},
    {"Verbose", L"2", 2, -1},
    {"ThreeQuiet", L"0", 3, 0},
    {"ThreeDefault", L"1", 3, 1},
    {"ThreeVerbose", L"2", 3, -1},
};

INSTANTIATE_TEST_SUITE_P(Levels, MultipleFrames, ::testing::ValuesIn(VerboseCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// Reaches the band arithmetic of a task.
class TBandsProbe : public TCustomFFmpeg {
public:
    TBandsProbe() : TCustomFFmpeg(4) {}
    using TCustomFFmpeg::RescaleCropBands;
};

struct TBandCase {
    const char* Name;
    int Width, Height;                // the size the bands were set for
    int Top, Bottom, Left, Right;     // as set
    int NewWidth, NewHeight;          // the decoder's new size
    int WantTop, WantBottom, WantLeft, WantRight;
};

void PrintTo(const TBandCase& AC, std::ostream* AOut) { *AOut << AC.Name; }

class CropRescale : public ::testing::TestWithParam<TBandCase> {};

// Each band keeps its share of the picture, rounded down to an even count.
TEST_P(CropRescale, BandsFollowTheNewSize) {
    const TBandCase& c = GetParam();
    TBandsProbe t;
    TAVOutputStream ost;
    ost.video_crop = 1;
    ost.original_width = c.Width;
    ost.original_height = c.Height;
    ost.topBand = ost.original_topBand = c.Top;
    ost.bottomBand = ost.original_bottomBand = c.Bottom;
    ost.leftBand = ost.original_leftBand = c.Left;
    ost.rightBand = ost.original_rightBand = c.Right;
    ost.resample_width = c.Width - c.Left - c.Right;
    ost.resample_height = c.Height - c.Top - c.Bottom;
    AVFrame frame{};
    frame.width = c.NewWidth;
    frame.height = c.NewHeight;
    t.RescaleCropBands(ost, &frame);
    EXPECT_EQ(ost.topBand, c.WantTop);
    EXPECT_EQ(ost.bottomBand, c.WantBottom);
    EXPECT_EQ(ost.leftBand, c.WantLeft);
    EXPECT_EQ(ost.rightBand, c.WantRight);
}

const TBandCase BandCases[] = {
    // 576*10/480 = 12; 576*7/480 = 8.4; 720*16/640 = 18; 720*5/640 = 5.6 -> 4
    {"Grows", 640, 480, 10, 7, 16, 5, 720, 576, 12, 8, 18, 4},
    // 288*12/576 = 6; 288*8/576 = 4; 360*18/720 = 9 -> 8; 360*4/720 = 2
    {"Shrinks", 720, 576, 12, 8, 18, 4, 360, 288, 6, 4, 8, 2},
    {"SameSizeKeepsBands", 640, 480, 10, 7, 16, 5, 640, 480, 10, 7, 16, 5},
};

INSTANTIATE_TEST_SUITE_P(Sizes, CropRescale, ::testing::ValuesIn(BandCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// One MPEG-2 stream that is 640x480 for its first second and 720x576 for
// its second (the second part's sequence header carries the new size).
TEST_F(StreamChanges, CroppedAndScaledOutputSurvivesASizeChange) {
    std::vector<TPacketPtr> joined;
    TCodecContextPtr params;
    AVRational tb{};
    int64_t shift = 0;
    for (const auto& [w, h] : {std::pair{640, 480}, std::pair{720, 576}}) {
        const std::wstring part = folder + L"part" + std::to_wstring(w) + L".nut";
        testmedia::ClipSpec spec;
        spec.FileName = part;
        spec.Video.Width = w;
        spec.Video.Height = h;
        spec.Video.Encoder = "mpeg2video";
        spec.Video.Gop = 5;
        ASSERT_EQ(testmedia::MakeClip(spec), "");
        AVRational partTb{};
        std::vector<TPacketPtr> packets = ReadPackets(part, params ? nullptr : &params, &partTb);
        ASSERT_FALSE(packets.empty());
        if (!tb.den) tb = partTb;
        int64_t end = 0;
        for (TPacketPtr& p : packets) {
            ff::av_packet_rescale_ts(p.get(), partTb, tb);
            // One picture lasts 1/25 s, whatever the packet says.
            end = std::max(end, p->pts + ff::av_rescale_q(1, {1, 25}, tb));
            // Without B pictures decoding order is showing order.
            p->pts += shift;
            p->dts = p->pts;
            joined.push_back(std::move(p));
        }
        shift += end;
    }
    const std::wstring input = folder + L"changing.nut";
    ASSERT_EQ(WriteNut(input, params.get(), tb, joined), "");

    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"cropped.avi";
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"croptop", L"10"}, {L"s", L"320x240"}, {L"vcodec", L"mpeg4"}, {L"an", L""}}));
    EXPECT_EQ(Logged("frame size changed to 720x576"), 1u);
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    ASSERT_EQ(probe.VideoStreamCount(), 1);
    const TVideoStreamInfo info = probe.FirstVideoStreamInfo();
    EXPECT_EQ(info.Width, 320);
    EXPECT_EQ(info.Height, 240);
    // Both seconds arrive: 50 pictures at 25 fps.
    EXPECT_NEAR(probe.FileStreamInfo().Duration / 1e6, 2.0, 0.1);
}

}  // namespace
