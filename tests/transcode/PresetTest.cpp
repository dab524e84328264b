// Presets (built in, by codec-prefixed name, from files) and bitstream
// filter options: their lookup, their errors, and conversions that use them.
#include <gmock/gmock.h>

#include <cstdio>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpegPresets.h"
#include "Src/UnicodeProtocol.h"
#include "TranscodeFixture.h"

using ::testing::HasSubstr;

namespace {

// The codec of the first video stream of a file, AV_CODEC_ID_NONE when none.
AVCodecID VideoCodecOf(const std::wstring& AFile) {
    AVFormatContext* ic = nullptr;
    const std::string name = ToLibFileName(AFile);
    if (ff::avformat_open_input(&ic, name.c_str(), nullptr, nullptr) < 0) return AV_CODEC_ID_NONE;
    AVCodecID id = AV_CODEC_ID_NONE;
    if (ff::avformat_find_stream_info(ic, nullptr) >= 0)
        for (unsigned i = 0; i < ic->nb_streams && id == AV_CODEC_ID_NONE; ++i)
            if (ic->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) id = ic->streams[i]->codecpar->codec_id;
    ff::avformat_close_input(&ic);
    return id;
}

// The message a list of options raises on a fresh task with an input open.
class PresetOptions : public TranscodeFixture {
protected:
    std::wstring Raise(TCustomFFmpeg& AT, const TOptionList& AOptions) {
        AT.InitOptions();
        if (!AT.OpenInput(media().Mp4)) return L"open: " + AT.LastErrMsg();
        try {
            for (const auto& [n, v] : AOptions) AT.ParseOption(n, v);
        } catch (const EEngineError& e) {
            return e.Message();
        }
        return L"";
    }
    std::wstring WriteFile(const std::wstring& AName, const std::string& AText) {
        const std::wstring path = folder + AName;
        if (FILE* f = _wfopen(path.c_str(), L"wb")) {
            std::fwrite(AText.data(), 1, AText.size(), f);
            std::fclose(f);
        }
        return path;
    }
};

class BuiltinPreset : public PresetOptions, public ::testing::WithParamInterface<std::string> {};

TEST_P(BuiltinPreset, AppliesCleanlyToLibx264) {
    TCustomFFmpeg t(4);
    EXPECT_EQ(Raise(t, {{L"vcodec", L"libx264"}, {L"vpre", Utf8ToWide(GetParam())}}), L"");
}

INSTANTIATE_TEST_SUITE_P(All, BuiltinPreset, ::testing::ValuesIn(BuiltinPresetNames()), [](const auto& info) {
    std::string n = info.param;
    for (char& c : n)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
});

TEST(BuiltinPresets, TableHasAllEntriesAndDefaultTranslatesKeyByKey) {
    EXPECT_EQ(BuiltinPresetNames().size(), 36u);
    EXPECT_EQ(FindBuiltinPreset("LIBX264-DEFAULT"), FindBuiltinPreset("libx264-default"));
    EXPECT_EQ(FindBuiltinPreset("libx264-default"),
              "coder=cabac\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4,p8x8,b8x8\nmotion-est=hex\nsubq=7\nme_range=16\n"
              "g=250\nkeyint_min=25\nsc_threshold=40\ni_qfactor=0.71\nb_strategy=1\nqcomp=0.6\nqmin=10\nqmax=51\nqdiff=4\n"
              "bf=3\nrefs=3\ndirect-pred=spatial\ntrellis=1\nmixed-refs=1\nweightb=1\n8x8dct=1\nfast-pskip=1\nweightp=smart\n");
    EXPECT_EQ(FindBuiltinPreset("libx264-main"), "8x8dct=0\n");
    EXPECT_EQ(FindBuiltinPreset("no-such-preset"), "");
}

TEST(BuiltinPresets, LosslessDropsKeysAndAddsTheQuantiserAfterFlags2) {
    const std::string text = FindBuiltinPreset("libx264-lossless_ultrafast");
    EXPECT_THAT(text, HasSubstr("partitions=none\nmotion-est=dia\nsubq=0\n"));
    EXPECT_THAT(text, HasSubstr("fast-pskip=1\nqp=0\n"));
    EXPECT_THAT(text, ::testing::Not(HasSubstr("bf=")));
    EXPECT_THAT(text, ::testing::Not(HasSubstr("refs=")));
    EXPECT_THAT(text, ::testing::Not(HasSubstr("weightp=")));
    EXPECT_THAT(FindBuiltinPreset("libx264-ultrafast"), HasSubstr("b-pyramid=none\nmixed-refs=0\nweightb=0\n8x8dct=0\nfast-pskip=1\nmbtree=0\n"));
}

TEST_F(PresetOptions, DefaultPresetSetsTheEncoderOptions) {
    TCustomFFmpeg t(4);
    ASSERT_EQ(Raise(t, {{L"vcodec", L"libx264"}, {L"vpre", L"libx264-default"}}), L"");
    EXPECT_EQ(t.FOptions.avcodec_opts[0]->qmin, 10);
    EXPECT_EQ(t.FOptions.avcodec_opts[0]->gop_size, 250);
    const AVDictionaryEntry* e = ff::av_dict_get(t.FOptions.private_opts[AVMEDIA_TYPE_VIDEO], "motion-est", nullptr, 0);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->value, "hex");
}

TEST_F(PresetOptions, ShortNameIsPrefixedWithTheVideoCodec) {
    TCustomFFmpeg t(4);
    ASSERT_EQ(Raise(t, {{L"vcodec", L"libx264"}, {L"vpre", L"ultrafast"}}), L"");
    EXPECT_EQ(t.FOptions.avcodec_opts[0]->max_b_frames, 0);
}

struct TPresetError {
    const char* Name;
    TOptionList Options;
    std::wstring Error;
};
void PrintTo(const TPresetError& c, std::ostream* os) { *os << c.Name; }

class PresetErrors : public PresetOptions, public ::testing::WithParamInterface<TPresetError> {};

TEST_P(PresetErrors, RaiseTheirMessage) {
    TCustomFFmpeg t(4);
    EXPECT_EQ(Raise(t, GetParam().Options), GetParam().Error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PresetErrors,
    ::testing::Values(
        TPresetError{"ShortNameWithoutVideoCodec", {{L"acodec", L"libmp3lame"}, {L"vpre", L"fast-no-file"}}, L"Preset \"fast-no-file\" not found"},
        TPresetError{"AudioPresetUnknown", {{L"apre", L"nothing-here"}}, L"Preset \"nothing-here\" not found"},
        TPresetError{"PrefixedNameNotFoundNamesTheGivenName", {{L"vcodec", L"libx264"}, {L"vpre", L"nofile"}}, L"Preset \"nofile\" not found"},
        TPresetError{"FpreDoesNotUseTheBuiltins", {{L"fpre", L"libx264-default"}}, L"Preset \"libx264-default\" not found"},
        TPresetError{"EmptyNameDoesNothing", {{L"vpre", L""}}, L""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PresetOptions, FileAppliesItsLinesAndCodec) {
    TCustomFFmpeg t(4);
    const std::wstring file = WriteFile(L"mine.ffpreset", "  vcodec=libx264\r\n\r\n qmin = 20\nmotion-est=umh\n");
    // Keys and values are trimmed as whole lines only: "qmin " is not an option.
    EXPECT_EQ(Raise(t, {{L"fpre", file}}),
              file + L": Invalid option or argument: \"qmin = 20\", parsed as \"qmin \" = \" 20\"");
    EXPECT_STREQ(t.Fvideo_codec_name, "libx264");  // lines before the failing one stay applied

    TCustomFFmpeg u(4);
    const std::wstring good = WriteFile(L"good.ffpreset", "vcodec=libx264\nqmin=20\nmotion-est=umh\n");
    ASSERT_EQ(Raise(u, {{L"fpre", good}}), L"");
    EXPECT_EQ(u.FOptions.avcodec_opts[0]->qmin, 20);
    EXPECT_STREQ(ff::av_dict_get(u.FOptions.private_opts[AVMEDIA_TYPE_VIDEO], "motion-est", nullptr, 0)->value, "umh");
}

TEST_F(PresetOptions, OldSyntaxFileFailsWithTheInvalidOptionMessage) {
    TCustomFFmpeg t(4);
    const std::wstring file = WriteFile(L"old.ffpreset", "coder=1\nflags2=+mixed_refs+wpred\n");
    EXPECT_EQ(Raise(t, {{L"vcodec", L"libx264"}, {L"fpre", file}}),
              file + L": Invalid option or argument: \"flags2=+mixed_refs+wpred\", parsed as \"flags2\" = \"+mixed_refs+wpred\"");
}

TEST_F(PresetOptions, LineWithoutEqualsIsInvalidSyntax) {
    TCustomFFmpeg t(4);
    const std::wstring file = WriteFile(L"bad.ffpreset", "qmin=20\njust words\n");
    EXPECT_EQ(Raise(t, {{L"fpre", file}}), file + L": Invalid syntax: \"just words\"");
}

TEST_F(PresetOptions, PrefixedNameFoundAsFileIsNamedWithThePrefix) {
    TCustomFFmpeg t(4);
    const std::wstring file = WriteFile(L"p.ffpreset", "=5\n");
    EXPECT_EQ(Raise(t, {{L"vcodec", L"libx264"}, {L"vpre", file}}), L"libx264-" + file + L": Invalid syntax: \"=5\"");
}

TEST_F(PresetOptions, BitstreamFiltersChainInOrderByKind) {
    TCustomFFmpeg t(4);
    ASSERT_EQ(Raise(t, {{L"vbsf", L"h264_mp4toannexb"}, {L"vbsf", L"dump_extra=k"}, {L"absf", L"=aac_adtstoasc"}, {L"sbsf", L"null"}}), L"");
    EXPECT_EQ(t.Fvideo_bitstream_filters, (TBitstreamFilterChain{"h264_mp4toannexb", "dump_extra"}));
    EXPECT_TRUE(t.Faudio_bitstream_filters.empty());
    EXPECT_EQ(t.Fsubtitle_bitstream_filters, (TBitstreamFilterChain{"null"}));
    EXPECT_EQ(Raise(t, {{L"absf", L" nosuch "}}), L"Unknown bitstream filter nosuch");
}

TEST_F(PresetOptions, DefaultPresetConverts) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"x264.mp4";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out,
                        {{L"vcodec", L"libx264"}, {L"vpre", L"libx264-default"}, {L"s", L"320x240"}, {L"t", L"1"}, {L"an", L"1"}}));
    EXPECT_EQ(VideoCodecOf(out), AV_CODEC_ID_H264);
}

TEST_F(PresetOptions, BitstreamFilterReachesTheOutputStream) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"annexb.ts";
    ASSERT_TRUE(Convert(t, media().Mkv, {}, out, {{L"vcodec", L"copy"}, {L"an", L"1"}, {L"vbsf", L"h264_mp4toannexb"}}));
    EXPECT_EQ(VideoCodecOf(out), AV_CODEC_ID_H264);
    // The same filter on MPEG-4 video is refused when the stream is set up.
    TCustomFFmpeg u(4);
    EXPECT_FALSE(Convert(u, media().Mp4, {}, folder + L"wrong.ts", {{L"vcodec", L"copy"}, {L"an", L"1"}, {L"vbsf", L"h264_mp4toannexb"}}));
}

}  // namespace
