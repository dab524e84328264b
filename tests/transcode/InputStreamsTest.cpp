// How the input's streams reach the output: the user's decoding options go
// to the decoders, a frame-rate disagreement is told, "aspect" holds for a
// copied picture, a picture format that changes midway is converted, and a
// bitstream filter that refuses a packet costs a log line, not the task.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "PacketFiles.h"
#include "ReadBack.h"
#include "TranscodeFixture.h"

namespace {

using namespace packetfiles;

using InputStreams = LoggedTranscodeFixture;

TEST_F(InputStreams, DecodingOptionsReachTheDecoder) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.avi";
    // The MPEG-4 clip is 640x480; decoded at half resolution it stays so.
    ASSERT_TRUE(Convert(t, media().Mp4, {{L"lowres", L"1"}}, out, {{L"vcodec", L"mpeg4"}, {L"an", L"1"}}));
    const auto streams = readback::Streams(out);
    const readback::TStream* video = readback::First(streams, AVMEDIA_TYPE_VIDEO);
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->Width, 320);
    EXPECT_EQ(video->Height, 240);
}

TEST_F(InputStreams, FrameRateDisagreementIsTold) {
    // Ten pictures of two seconds left out: the average is below the base rate.
    testmedia::ClipSpec spec;
    spec.FileName = folder + L"gaps.mp4";
    spec.Seconds = 2;
    spec.Video = testmedia::VideoSpec{320, 240};
    spec.Video.Filter = "select='not(between(n,10,19))'";
    ASSERT_EQ(testmedia::MakeClip(spec), "");
    const char* told = "Seems stream 0 codec frame rate differs from container frame rate: ";
    {
        TCustomFFmpeg t(4);
        t.InitOptions();
        ASSERT_TRUE(t.OpenInput(spec.FileName)) << U8(t.LastErrMsg());
        EXPECT_EQ(Logged(told), 1u);
    }
    logged.clear();
    TCustomFFmpeg steady(4);
    steady.InitOptions();
    ASSERT_TRUE(steady.OpenInput(media().Mkv));
    EXPECT_EQ(Logged(told), 0u);
}

TEST_F(InputStreams, AspectHoldsForACopiedPicture) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.mkv";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"vcodec", L"copy"}, {L"an", L"1"}, {L"aspect", L"16:9"}}));
    const auto streams = readback::Streams(out);
    const readback::TStream* video = readback::First(streams, AVMEDIA_TYPE_VIDEO);
    ASSERT_NE(video, nullptr);
    // 16:9 on 640x480 pixels: each pixel 4/3 as wide as high.
    EXPECT_EQ(video->SampleAspect.num, 4);
    EXPECT_EQ(video->SampleAspect.den, 3);
}

// One second of 4:2:0 JPEG pictures, then one of 4:4:4, in one stream, into
// an encoder that takes the first kind as it comes: the second second goes
// through the scaler, and its colours are those of the first.
TEST_F(InputStreams, PictureFormatChangingMidwayIsConverted) {
    std::vector<TPacketPtr> packets;
    TCodecContextPtr params;
    AVRational tb{};
    for (const char* format : {"yuvj420p", "yuvj444p"}) {
        testmedia::ClipSpec spec;
        spec.FileName = folder + (std::string(format) == "yuvj420p" ? L"a.nut" : L"b.nut");
        spec.Seconds = 1;
        spec.Video = testmedia::VideoSpec{320, 240};
        spec.Video.Encoder = "mjpeg";
        spec.Video.PixelFormat = format;
        ASSERT_EQ(testmedia::MakeClip(spec), "");
        AVRational part{};
        std::vector<TPacketPtr> more = ReadPackets(spec.FileName, packets.empty() ? &params : nullptr, &part);
        ASSERT_EQ(more.size(), 25u);
        if (packets.empty()) tb = part;
        const int64_t shift = static_cast<int64_t>(packets.size());
        for (TPacketPtr& p : more) {
            ff::av_packet_rescale_ts(p.get(), part, {1, 25});
            p->pts += shift;
            p->dts += shift;
            ff::av_packet_rescale_ts(p.get(), {1, 25}, tb);
            packets.push_back(std::move(p));
        }
    }
    const std::wstring input = folder + L"changing.nut";
    ASSERT_EQ(WriteNut(input, params.get(), tb, packets), "");

    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.avi";
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"vcodec", L"mjpeg"}}));
    EXPECT_EQ(Logged("frame size changed to 320x240, yuvj444p"), 1u);
    const std::vector<readback::TPicture> pictures = readback::Pictures(out);
    ASSERT_EQ(pictures.size(), 50u);
    // The colour bars across the upper part of the picture.
    const readback::TPicture& before = pictures[10];
    const readback::TPicture& after = pictures[40];
    for (int x = 20; x < 320; x += 45) {
        const unsigned a = before.Pixel(x, 60), b = after.Pixel(x, 60);
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(static_cast<int>((a >> shift) & 255), static_cast<int>((b >> shift) & 255), 24) << "x " << x;
    }
}

// An H.264 stream whose tenth packet has a broken length field: the filter
// that rewrites it for a byte stream refuses that packet, which is written
// as it came, and the task ends normally.
TEST_F(InputStreams, RefusedPacketOfABitstreamFilterIsWrittenAsItCame) {
    TCodecContextPtr params;
    AVRational tb{};
    std::vector<TPacketPtr> packets = ReadPackets(media().Mkv, &params, &tb);
    ASSERT_GT(packets.size(), 20u);
    ASSERT_EQ(params->codec_id, AV_CODEC_ID_H264);
    ASSERT_GT(packets[10]->size, 4);
    ASSERT_EQ(ff::av_packet_make_writable(packets[10].get()), 0);
    std::fill_n(packets[10]->data, 4, uint8_t{0x7F});
    const std::wstring input = folder + L"broken.nut";
    ASSERT_EQ(WriteNut(input, params.get(), tb, packets), "");

    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.mkv";
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"vcodec", L"copy"}, {L"vbsf", L"h264_mp4toannexb"}}));
    EXPECT_TRUE(t.Finished());
    EXPECT_EQ(Logged("h264_mp4toannexb failed for stream 0, codec copy: "), 1u);
    const auto streams = readback::Streams(out);
    const readback::TStream* video = readback::First(streams, AVMEDIA_TYPE_VIDEO);
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->Packets, static_cast<int>(packets.size()));
}

}  // namespace
