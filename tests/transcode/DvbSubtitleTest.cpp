// DVB subtitles: each subtitle goes out as two packets, the second one its
// display time later and clearing the picture.
#include <gmock/gmock.h>

#include <vector>

#include "PacketFiles.h"
#include "Src/FFUtils.h"
#include "TranscodeFixture.h"

namespace {

using namespace packetfiles;

class DvbSubtitles : public TranscodeFixture {
protected:
    // An MKV holding one DVD (bitmap) subtitle: a 64x16 box shown at 1 s
    // for 3 s.
    std::wstring MakeBitmapSubtitle() {
        const std::wstring file = folder + L"bitmap.mkv";
        const AVCodec* codec = FindEncoderByName("dvdsub");
        EXPECT_NE(codec, nullptr);
        if (!codec) return file;
        TCodecContextPtr enc(ff::avcodec_alloc_context3(codec));
        enc->width = 720;
        enc->height = 576;
        enc->time_base = {1, 1000};
        EXPECT_GE(ff::avcodec_open2(enc.get(), codec, nullptr), 0);

        std::vector<uint8_t> bitmap(64 * 16, 1);
        uint32_t palette[4] = {0x00000000, 0xFFFFFFFF, 0xFF000000, 0xFF808080};
        AVSubtitleRect rect{};
        rect.type = SUBTITLE_BITMAP;
        rect.x = 100;
        rect.y = 500;
        rect.w = 64;
        rect.h = 16;
        rect.nb_colors = 4;
        rect.data[0] = bitmap.data();
        rect.linesize[0] = 64;
        rect.data[1] = reinterpret_cast<uint8_t*>(palette);
        AVSubtitleRect* rects[] = {&rect};
        AVSubtitle sub{};
        sub.num_rects = 1;
        sub.rects = rects;
        sub.start_display_time = 0;
        sub.end_display_time = 3000;
        sub.pts = 1000000;
        std::vector<uint8_t> buffer(65536);
        const int size = ff::avcodec_encode_subtitle(enc.get(), buffer.data(), static_cast<int>(buffer.size()), &sub);
        EXPECT_GT(size, 0);

        AVFormatContext* raw = nullptr;
        const std::string name = ToLibFileName(file);
        ff::avformat_alloc_output_context2(&raw, nullptr, "matroska", name.c_str());
        const TOutputPtr out(raw);
        AVStream* st = ff::avformat_new_stream(raw, nullptr);
        ff::avcodec_parameters_from_context(st->codecpar, enc.get());
        st->time_base = {1, 1000};
        EXPECT_GE(ff::avio_open(&raw->pb, name.c_str(), AVIO_FLAG_WRITE), 0);
        EXPECT_GE(ff::avformat_write_header(raw, nullptr), 0);
        TPacketPtr pkt = NewPacket();
        ff::av_new_packet(pkt.get(), size);
        std::copy_n(buffer.data(), size, pkt->data);
        pkt->pts = pkt->dts = ff::av_rescale_q(1000, {1, 1000}, st->time_base);
        pkt->duration = ff::av_rescale_q(3000, {1, 1000}, st->time_base);
        pkt->flags = AV_PKT_FLAG_KEY;
        EXPECT_GE(ff::av_write_frame(raw, pkt.get()), 0);
        EXPECT_GE(ff::av_write_trailer(raw), 0);
        return file;
    }
};

TEST_F(DvbSubtitles, ASubtitleIsShownAndClearedByTwoPackets) {
    const std::wstring input = MakeBitmapSubtitle();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"dvb.ts";
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"scodec", L"dvbsub"}}));

    TCodecContextPtr params;
    AVRational tb{};
    const std::vector<TPacketPtr> packets = ReadPackets(out, &params, &tb);
    ASSERT_EQ(packets.size(), 2u);
    ASSERT_EQ(tb.num, 1);
    ASSERT_EQ(tb.den, 90000);
    // 3 s at 90 kHz; the DVD subtitle keeps its times in steps of 1024/90 ms.
    EXPECT_NEAR(static_cast<double>(packets[1]->pts - packets[0]->pts), 270000.0, 1024.0);

    // The first packet shows the box, the second shows nothing.
    const AVCodec* codec = ff::avcodec_find_decoder(AV_CODEC_ID_DVB_SUBTITLE);
    ASSERT_NE(codec, nullptr);
    TCodecContextPtr dec(ff::avcodec_alloc_context3(codec));
    dec->width = params->width;
    dec->height = params->height;
    ASSERT_GE(ff::avcodec_open2(dec.get(), codec, nullptr), 0);
    unsigned shown[2] = {99, 99};
    for (int i = 0; i < 2; ++i) {
        AVSubtitle sub{};
        int got = 0;
        ASSERT_GE(ff::avcodec_decode_subtitle2(dec.get(), &sub, &got, packets[i].get()), 0) << i;
        if (got) shown[i] = sub.num_rects;
        if (got && sub.num_rects) {
            EXPECT_EQ(sub.rects[0]->w, 64);
            EXPECT_EQ(sub.rects[0]->h, 16);
        }
        ff::avsubtitle_free(&sub);
    }
    EXPECT_EQ(shown[0], 1u);
    EXPECT_EQ(shown[1], 0u);
}

}  // namespace
