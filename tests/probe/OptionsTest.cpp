// The generic option store: options set by name on the contexts that know
// them and copied into real contexts later.
#include <gmock/gmock.h>

#include <cerrno>

#include "ProbeFixture.h"
#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFOptions.h"

namespace {

class Options : public ProbeFixture {
protected:
    void SetUp() override {
        ProbeFixture::SetUp();
        InitOptionContexts(opts);
        ASSERT_TRUE(AllocOptionContexts(opts, SWS_BICUBIC));
    }
    void TearDown() override { FreeOptionContexts(opts); }
    TFFOptions opts;
};

TEST_F(Options, BlankValuesAreRefused) {
    EXPECT_FALSE(SetOption(opts, "g", "   "));
    EXPECT_FALSE(SetOption(opts, " ", "12"));
    EXPECT_EQ(opts.opt_name_count(), 0);
}

TEST_F(Options, AVideoOptionGoesToTheContextsItFits) {
    const int audioDefault = opts.avcodec_opts[AVMEDIA_TYPE_AUDIO]->gop_size;
    ASSERT_TRUE(SetOption(opts, "g", "37"));
    EXPECT_EQ(opts.avcodec_opts[AVMEDIA_TYPE_VIDEO]->gop_size, 37);
    EXPECT_EQ(opts.avcodec_opts[AVMEDIA_TYPE_DATA]->gop_size, 37);
    EXPECT_EQ(opts.avcodec_opts[AVMEDIA_TYPE_ATTACHMENT]->gop_size, 37);
    EXPECT_EQ(opts.avcodec_opts[AVMEDIA_TYPE_AUDIO]->gop_size, audioDefault);
    ASSERT_EQ(opts.opt_name_count(), 1);
    EXPECT_STREQ(opts.opt_names[0], "g");
}

TEST_F(Options, ANameKnownWithoutItsFirstLetterGoesToThatKindOfContext) {
    ASSERT_TRUE(SetOption(opts, "abt", "12345"));
    EXPECT_EQ(opts.avcodec_opts[AVMEDIA_TYPE_AUDIO]->bit_rate_tolerance, 12345);
    EXPECT_NE(opts.avcodec_opts[AVMEDIA_TYPE_VIDEO]->bit_rate_tolerance, 12345);
}

TEST_F(Options, FormatAndScalerOptions) {
    EXPECT_TRUE(SetOption(opts, "probesize", "65536"));
    EXPECT_EQ(opts.avformat_opts->probesize, 65536);
    EXPECT_TRUE(SetOption(opts, "sws_flags", "bilinear"));
    EXPECT_FALSE(SetOption(opts, "nosuchoption", "1"));
}

TEST_F(Options, AnInvalidValueIsLoggedAndRefused) {
    EXPECT_FALSE(SetOption(opts, "g", "many"));
    bool seen = false;
    for (const auto& e : logged) seen |= e.text == L"Invalid value \"many\" for option \"g\"";
    EXPECT_TRUE(seen);
    EXPECT_EQ(opts.opt_name_count(), 0);
}

TEST_F(Options, StoredValuesAreCopiedIntoARealContext) {
    ASSERT_TRUE(SetOption(opts, "g", "41"));
    ASSERT_TRUE(SetOption(opts, "b", "800k"));
    AVCodecContext* real = ff::avcodec_alloc_context3(nullptr);
    ApplyOptions(opts, real, opts.avcodec_opts[AVMEDIA_TYPE_VIDEO], AV_OPT_FLAG_ENCODING_PARAM);
    EXPECT_EQ(real->gop_size, 41);
    EXPECT_EQ(real->bit_rate, 800000);
    AVCodecContext* decoding = ff::avcodec_alloc_context3(nullptr);
    ApplyOptions(opts, decoding, opts.avcodec_opts[AVMEDIA_TYPE_VIDEO], AV_OPT_FLAG_DECODING_PARAM);
    EXPECT_NE(decoding->gop_size, 41);  // an encoding option only
    ff::avcodec_free_context(&real);
    ff::avcodec_free_context(&decoding);
}

}  // namespace

namespace {

TEST_F(Options, EncoderPrivateOptionsAreCheckedOnceTheEncoderIsKnown) {
    // Before its encoder is named, an encoder's option waits for the encoder.
    EXPECT_TRUE(SetOption(opts, "crf", "21"));
    ASSERT_NE(ff::av_dict_get(opts.pending_codec_opts, "crf", nullptr, 0), nullptr);
    EXPECT_STREQ(ff::av_dict_get(opts.pending_codec_opts, "crf", nullptr, 0)->value, "21");
    AVDictionary* taken = nullptr;
    TakePendingCodecOptions(opts, ff::avcodec_find_encoder_by_name("mpeg4"), &taken);
    EXPECT_EQ(taken, nullptr) << "MPEG-4 has no crf";
    TakePendingCodecOptions(opts, ff::avcodec_find_encoder_by_name("libx264"), &taken);
    EXPECT_EQ(ff::av_dict_count(taken), 1);
    EXPECT_EQ(opts.pending_codec_opts, nullptr);
    ff::av_dict_free(&taken);
    SetOptionEncoder(opts, AVMEDIA_TYPE_VIDEO, ff::avcodec_find_encoder_by_name("libx264"));
    EXPECT_TRUE(SetOption(opts, "crf", "23"));
    EXPECT_TRUE(SetOption(opts, "preset", "ultrafast"));
    EXPECT_FALSE(SetOption(opts, "crf", "plenty"));
    bool seen = false;
    for (const auto& e : logged) seen |= e.text == L"Invalid value \"plenty\" for option \"crf\"";
    EXPECT_TRUE(seen);
    AVDictionary* open = nullptr;
    CopyPrivateOptions(opts, AVMEDIA_TYPE_VIDEO, &open);
    EXPECT_EQ(ff::av_dict_count(open), 2);
    EXPECT_STREQ(ff::av_dict_get(open, "crf", nullptr, 0)->value, "23");
    ff::av_dict_free(&open);
    CopyPrivateOptions(opts, AVMEDIA_TYPE_AUDIO, &open);
    EXPECT_EQ(open, nullptr);
}

}  // namespace

namespace {

TEST_F(Options, MuxerOptionsWaitForTheMuxerAndRefusalsSayWhy) {
    EXPECT_EQ(TrySetOption(opts, "muxrate", "1411200"), 1);
    ASSERT_NE(ff::av_dict_get(opts.muxer_opts, "muxrate", nullptr, 0), nullptr);
    EXPECT_STREQ(ff::av_dict_get(opts.muxer_opts, "muxrate", nullptr, 0)->value, "1411200");
    EXPECT_EQ(TrySetOption(opts, "nosuchoption", "1"), 0);
    EXPECT_EQ(TrySetOption(opts, "g", "many"), AVERROR(EINVAL));
}

}  // namespace
