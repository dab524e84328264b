// The option dispatcher: values reaching the task's fields, the refusals
// with their messages, and the fitting of a stream to its encoder.
#include <gmock/gmock.h>

#include <functional>

#include "Src/FFmpegLoader.h"
#include "TranscodeFixture.h"

namespace {

struct TOptionCase {
    const char* Name;
    TOptionList Options;
    std::function<bool(const TCustomFFmpeg&)> Check;  // for accepted options
    std::wstring Error = {};                           // for refused ones
};

// "1,2,...,ACount" as a quantiser matrix text.
std::wstring Matrix(int ACount) {
    std::wstring text;
    for (int i = 1; i <= ACount; ++i) text += (i > 1 ? L"," : L"") + std::to_wstring(i);
    return text;
}

void PrintTo(const TOptionCase& c, std::ostream* os) { *os << c.Name; }

class Options : public TranscodeFixture, public ::testing::WithParamInterface<TOptionCase> {};

TEST_P(Options, StoreOrRefuse) {
    const TOptionCase& c = GetParam();
    TCustomFFmpeg t(4);
    t.InitOptions();
    ASSERT_TRUE(t.OpenInput(media().Mp4)) << U8(t.LastErrMsg());  // 640x480 frame fields
    std::wstring error;
    try {
        for (const auto& [n, v] : c.Options) t.ParseOption(n, v);
    } catch (const EEngineError& e) {
        error = e.Message();
    }
    if (!c.Error.empty()) {
        EXPECT_EQ(error, c.Error);
    } else {
        EXPECT_EQ(error, L"");
        EXPECT_TRUE(c.Check(t));
    }
}

const TOptionCase OptionCases[] = {
    {"AnZeroEnables", {{L"an", L"1"}, {L"an", L"0"}}, [](const TCustomFFmpeg& t) { return !t.Faudio_disable; }},
    {"AnEmptyDisables", {{L"an", L""}}, [](const TCustomFFmpeg& t) { return t.Faudio_disable; }},
    {"CopytsZeroStillSets", {{L"copyts", L"0"}}, [](const TCustomFFmpeg& t) { return t.Fcopy_ts; }},
    {"UpperCaseNameIsIgnored", {{L"VCODEC", L"libx264"}}, [](const TCustomFFmpeg& t) { return t.Fvideo_codec_name == nullptr; }},
    {"CodecCopy", {{L"vcodec", L"copy"}}, [](const TCustomFFmpeg& t) { return t.Fvideo_stream_copy == 1 && !t.Fvideo_codec_name; }},
    {"CodecName", {{L"acodec", L"libmp3lame"}}, [](const TCustomFFmpeg& t) { return std::string(t.Faudio_codec_name) == "libmp3lame"; }},
    {"ArZeroKeepsTheRate", {{L"ar", L"0"}}, [](const TCustomFFmpeg& t) { return t.Faudio_sample_rate == 44100; }},
    {"AcSetsChannels", {{L"ac", L"1"}}, [](const TCustomFFmpeg& t) { return t.Faudio_channels == 1; }},
    {"Size", {{L"s", L"320x240"}}, [](const TCustomFFmpeg& t) { return t.Fframe_width == 320 && t.Fframe_height == 240; }},
    {"Rate", {{L"r", L"30000/1001"}}, [](const TCustomFFmpeg& t) { return t.Fframe_rate.num == 30000 && t.Fframe_rate.den == 1001; }},
    {"Aspect169", {{L"aspect", L"16:9"}}, [](const TCustomFFmpeg& t) { return std::abs(t.Fframe_aspect_ratio - 16.0f / 9) < 1e-4; }},
    {"DurationT", {{L"t", L"00:00:02.5"}},
     [](const TCustomFFmpeg& t) { return t.Frecording_time == 2500000 && t.TotalOutputDuration() == 2500000; }},
    {"StartSs", {{L"ss", L"1.5"}}, [](const TCustomFFmpeg& t) { return t.Fstart_time == 1500000; }},
    {"SizeLimit", {{L"fs", L"1000"}}, [](const TCustomFFmpeg& t) { return t.Flimit_filesize == 1000; }},
    {"Map", {{L"map", L"0:1"}, {L"map", L"0.0:0.1"}},
     [](const TCustomFFmpeg& t) {
         return t.Fnb_stream_maps == 2 && t.Fstream_maps[0].stream_index == 1 && t.Fstream_maps[0].sync_stream_index == 1 &&
                t.Fstream_maps[1].stream_index == 0 && t.Fstream_maps[1].sync_stream_index == 1;
     }},
    {"Metadata", {{L"metadata", L"title=A=B"}},
     [](const TCustomFFmpeg& t) { return t.Fmetadata.size() == 1 && t.Fmetadata[0].first == "title" && t.Fmetadata[0].second == "A=B"; }},
    {"StreamId", {{L"streamid", L"1:300"}}, [](const TCustomFFmpeg& t) { return t.Fstreamid_map[1] == 300; }},
    {"Vtag", {{L"vtag", L"XVID"}}, [](const TCustomFFmpeg& t) { return t.Fvideo_codec_tag == MKTAG('X', 'V', 'I', 'D'); }},
    {"ItsScale", {{L"itsscale", L"0:2.5"}}, [](const TCustomFFmpeg& t) { return t.Finput_files_ts_scale[1][0] == 2.5; }},
    {"Qscale255", {{L"qscale", L"255"}}, [](const TCustomFFmpeg& t) { return t.Fvideo_qscale == 255; }},
    {"CropTop", {{L"croptop", L"10"}}, [](const TCustomFFmpeg& t) { return t.Fframe_topBand == 10 && t.Fframe_height == 470; }},
    {"CropZeroChangesNothing", {{L"croptop", L"-5"}}, [](const TCustomFFmpeg& t) { return t.Fframe_topBand == 0; }},
    {"PgmYuv", {{L"f", L"pgmyuv"}}, [](const TCustomFFmpeg& t) { return t.Flast_asked_format == "image2" && t.Fpgmyuv_compatibility_hack; }},
    {"VideoBitRate", {{L"b", L"500000"}}, [](const TCustomFFmpeg& t) { return t.FOptions.avcodec_opts[0]->bit_rate == 500000; }},
    {"AudioBitRate", {{L"ab", L"128000"}}, [](const TCustomFFmpeg& t) { return t.FOptions.avcodec_opts[1]->bit_rate == 128000; }},
    {"BitRateIsTheVideoOnes", {{L"b", L"500000"}, {L"bt", L"100000"}},
     [](const TCustomFFmpeg& t) {
         const AVCodecContext* audio = t.FOptions.avcodec_opts[1];
         return audio->bit_rate != 500000 && audio->bit_rate_tolerance != 100000 &&
                t.FOptions.avcodec_opts[0]->bit_rate == 500000 && t.FOptions.avcodec_opts[0]->bit_rate_tolerance == 100000;
     }},
    {"Threads", {{L"threads", L"2"}}, nullptr, L"TODO: option - threads"},
    {"Pad", {{L"padtop", L"2"}}, nullptr, L"Please use vfilters=pad"},
    {"AspectZero", {{L"aspect", L"4:0"}}, nullptr, L"Incorrect aspect ratio specification."},
    {"AspectText", {{L"aspect", L"x"}}, nullptr, L"Incorrect aspect ratio specification."},
    {"Qscale0", {{L"qscale", L"0"}}, nullptr, L"qscale must be > 0.0 and <= 255"},
    {"Qscale256", {{L"qscale", L"256"}}, nullptr, L"qscale must be > 0.0 and <= 255"},
    {"VtagShort", {{L"vtag", L"XVI"}}, nullptr, L"video tag parameter must be 4 chars"},
    {"ItsScaleIndex", {{L"itsscale", L"20:1"}}, nullptr, L"stream index over MAX_STREAMS(20)"},
    {"MetadataNoEquals", {{L"metadata", L"title"}}, nullptr, L"Missing ="},
    {"Pass3", {{L"pass", L"3"}}, nullptr, L"pass number can be only 1 or 2"},
    {"BadSize", {{L"s", L"axb"}}, nullptr, L"Incorrect frame size"},
    {"BadRate", {{L"r", L"fast"}}, nullptr, L"Incorrect frame rate"},
    {"BadDuration", {{L"t", L"later"}}, nullptr, L"Invalid duration specification for t: later"},
    {"StreamIdNoColon", {{L"streamid", L"1"}}, nullptr,
     L"Invalid value \"1\" for option \"streamid\", required syntax is \"index:value\""},
    {"StreamIdEmptySide", {{L"streamid", L":3"}}, nullptr,
     L"Invalid value \":3\" for option \"streamid\", required syntax is \"index:value\""},
    {"CropWholeHeight", {{L"croptop", L"480"}}, nullptr,
     L"Vertical crop dimensions are outside the range of the original image.\nRemember to crop first and scale second."},
    {"NewAudioWithoutOutput", {{L"newaudio", L""}}, nullptr, L"At least one output file must be specified"},
    {"NotANumber", {{L"vol", L"loud"}}, nullptr, L"'loud' is not a valid value for option vol"},
    {"UnknownPixFmt", {{L"pix_fmt", L"nonsense"}}, nullptr, L"Unknown pixel format requested: nonsense"},
    {"PixFmtListChangesNothing", {{L"pix_fmt", L"gray"}, {L"pix_fmt", L"list"}}, [](const TCustomFFmpeg& t) { return t.Fframe_pix_fmt == AV_PIX_FMT_GRAY8; }},
    {"SampleFmtList", {{L"sample_fmt", L"s16"}, {L"sample_fmt", L"list"}}, [](const TCustomFFmpeg& t) { return t.Faudio_sample_fmt == AV_SAMPLE_FMT_S16; }},
    {"TargetPalDvd", {{L"target", L" pal-dvd "}},
     [](const TCustomFFmpeg& t) {
         return t.Fframe_width == 720 && t.Fframe_height == 576 && t.Fframe_rate.num == 25 && t.Fframe_rate.den == 1 &&
                t.FOptions.avcodec_opts[0]->gop_size == 15 && t.FOptions.avcodec_opts[1]->bit_rate == 448000 &&
                t.Faudio_sample_rate == 48000 && std::string(t.Faudio_codec_name) == "ac3" && t.Flast_asked_format == "dvd";
     }},
    {"TargetFilmDvd", {{L"target", L"film-dvd"}},
     [](const TCustomFFmpeg& t) {
         return t.Fframe_height == 480 && t.Fframe_rate.num == 24000 && t.Fframe_rate.den == 1001 && t.FOptions.avcodec_opts[0]->gop_size == 18;
     }},
    // The 25 fps input decides the norm.
    {"TargetDetectedFromInput", {{L"r", L"24"}, {L"target", L"vcd"}},
     [](const TCustomFFmpeg& t) { return t.Fframe_height == 288 && t.Fmux_preload == 0.44f && t.Fframe_rate.num == 25; }},
    {"TargetSvcdKeepsSixChannels", {{L"ac", L"6"}, {L"target", L"ntsc-svcd"}},
     [](const TCustomFFmpeg& t) { return t.Faudio_channels == 6 && t.Fframe_width == 480 && t.Fframe_height == 480; }},
    {"TargetSvcdMonoBecomesStereo", {{L"ac", L"1"}, {L"target", L"ntsc-svcd"}}, [](const TCustomFFmpeg& t) { return t.Faudio_channels == 2; }},
    {"TargetDvNtsc", {{L"target", L"ntsc-dv"}}, [](const TCustomFFmpeg& t) { return t.Fframe_pix_fmt == AV_PIX_FMT_YUV411P; }},
    {"TargetDv50", {{L"target", L"pal-dv50"}}, [](const TCustomFFmpeg& t) { return t.Fframe_pix_fmt == AV_PIX_FMT_YUV422P; }},
    {"TargetPrefixIsCaseSensitive", {{L"target", L"PAL-dvd"}}, nullptr, L"Unknown target type"},
    {"TargetUnknown", {{L"target", L"pal-bluray"}}, nullptr, L"Unknown target type"},
    {"IntraMatrix64", {{L"intra_matrix", Matrix(65)}},
     [](const TCustomFFmpeg& t) { return t.Fintra_matrix && t.Fintra_matrix[0] == 1 && t.Fintra_matrix[63] == 64; }},
    {"InterMatrix63", {{L"inter_matrix", Matrix(63)}}, nullptr, L"Syntax error in matrix \"" + Matrix(63) + L"\" at coeff 62"},
    {"Vstats", {{L"vstats", L"ignored"}},
     [](const TCustomFFmpeg& t) { return t.Fvstats_filename && std::string(t.Fvstats_filename).find("vstats_") != std::string::npos; }},
    {"VbsfKnown", {{L"vbsf", L"h264_mp4toannexb"}}, [](const TCustomFFmpeg& t) { return t.Fvideo_bitstream_filters.size() == 1; }},
    {"VbsfUnknown", {{L"vbsf", L"nosuch"}}, nullptr, L"Unknown bitstream filter nosuch"},
    {"VpreBuiltin", {{L"vcodec", L"libx264"}, {L"vpre", L"libx264-default"}},
     [](const TCustomFFmpeg& t) { return t.FOptions.avcodec_opts[0]->max_b_frames == 3; }},
    {"VpreMissing", {{L"vpre", L"missing"}}, nullptr, L"Preset \"missing\" not found"},
};

INSTANTIATE_TEST_SUITE_P(Table, Options, ::testing::ValuesIn(OptionCases), [](const auto& info) { return std::string(info.param.Name); });

// Exposes the encoder matching routines.
class TMatching : public TCustomFFmpeg {
public:
    TMatching() : TCustomFFmpeg(1) {}
    using TCustomFFmpeg::ChoosePixelFmt;
    using TCustomFFmpeg::ChooseSampleFmt;
    using TCustomFFmpeg::ChooseSampleRate;
};

class Matching : public TranscodeFixture {};

TEST_F(Matching, NearestRateWinsAndTheFirstOfEqualsWithAWarning) {
    std::vector<std::wstring> warnings;
    logger.SetOnLog([&](TObject*, uint32_t, TLogLevel l, const std::wstring& m) {
        if (l == llWarning) warnings.push_back(m);
    });
    static const int rates[] = {44100, 48000, 32000, 0};
    AVCodec codec{};
    codec.supported_samplerates = rates;
    AVCodecContext ctx{};
    TMatching m;
    ctx.sample_rate = 46050;
    m.ChooseSampleRate(&ctx, &codec);
    EXPECT_EQ(ctx.sample_rate, 44100);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], L"Requested sampling rate unsupported using closest supported (44100)");
    ctx.sample_rate = 48000;
    m.ChooseSampleRate(&ctx, &codec);
    EXPECT_EQ(ctx.sample_rate, 48000);
    EXPECT_EQ(warnings.size(), 1u);
    m.ChooseSampleRate(&ctx, nullptr);
    EXPECT_EQ(ctx.sample_rate, 48000);
}

TEST_F(Matching, PixelAndSampleFormatsFallBackToTheFirstListed) {
    static const AVPixelFormat pix[] = {AV_PIX_FMT_YUVJ420P, AV_PIX_FMT_YUVJ422P, AV_PIX_FMT_NONE};
    static const AVSampleFormat fmts[] = {AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_NONE};
    AVCodec codec{};
    codec.pix_fmts = pix;
    codec.sample_fmts = fmts;
    codec.id = AV_CODEC_ID_MJPEG;
    AVCodecContext ctx{};
    TMatching m;
    ctx.pix_fmt = AV_PIX_FMT_YUV420P;
    ctx.strict_std_compliance = -1;
    m.ChoosePixelFmt(&ctx, &codec);
    EXPECT_EQ(ctx.pix_fmt, AV_PIX_FMT_YUV420P) << "MJPEG with unofficial extensions keeps 4:2:0";
    ctx.strict_std_compliance = 0;
    m.ChoosePixelFmt(&ctx, &codec);
    EXPECT_EQ(ctx.pix_fmt, AV_PIX_FMT_YUVJ420P);
    ctx.sample_fmt = AV_SAMPLE_FMT_S16;
    m.ChooseSampleFmt(&ctx, &codec);
    EXPECT_EQ(ctx.sample_fmt, AV_SAMPLE_FMT_S16);
    ctx.sample_fmt = AV_SAMPLE_FMT_U8;
    m.ChooseSampleFmt(&ctx, &codec);
    EXPECT_EQ(ctx.sample_fmt, AV_SAMPLE_FMT_FLTP);
}

}  // namespace
