// Real conversions of the generated clips, probed back: containers, codecs,
// sizes, rates, durations and packet counts; the open errors of a task.
#include <gmock/gmock.h>

#include <map>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/UnicodeProtocol.h"
#include "TranscodeFixture.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

// Packets per stream index of a file.
std::map<int, int> CountPackets(const std::wstring& AFile) {
    std::map<int, int> counts;
    AVFormatContext* ic = nullptr;
    const std::string name = ToLibFileName(AFile);
    if (ff::avformat_open_input(&ic, name.c_str(), nullptr, nullptr) < 0) return counts;
    AVPacket* pkt = ff::av_packet_alloc();
    while (ff::av_read_frame(ic, pkt) >= 0) {
        ++counts[pkt->stream_index];
        ff::av_packet_unref(pkt);
    }
    ff::av_packet_free(&pkt);
    ff::avformat_close_input(&ic);
    return counts;
}

enum TSource { srcMp4, srcWav, srcMkv };

struct TConversion {
    const char* Name;
    TSource Source;
    const wchar_t* Output;
    TOptionList Options;
    const char* Video;  // codec name the probe reports first, or nullptr: no video stream
    int Width, Height;
    const char* Audio;  // nullptr: no audio stream
    int SampleRate, Channels;
    double Seconds;
    const char* Tag = nullptr;  // expected video codec tag
};

void PrintTo(const TConversion& c, std::ostream* os) { *os << c.Name; }

class Conversion : public TranscodeFixture, public ::testing::WithParamInterface<TConversion> {
protected:
    std::wstring SourceFile(TSource s) const { return s == srcMp4 ? media().Mp4 : s == srcWav ? media().Wav : media().Mkv; }
};

TEST_P(Conversion, ProbesBackAsAsked) {
    const TConversion& c = GetParam();
    TCustomFFmpeg t(4);
    std::wstring error;
    const std::wstring out = folder + c.Output;
    ASSERT_TRUE(Configure(t, SourceFile(c.Source), {}, out, c.Options, error)) << U8(error);
    EXPECT_EQ(t.StartConvert(false), nullptr);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_TRUE(t.Finished());
    EXPECT_EQ(t.OpenCodecCount(), 0);

    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out)) << U8(probe.LastErrMsg());
    if (c.Video) {
        ASSERT_EQ(probe.VideoStreamCount(), 1);
        const TVideoStreamInfo v = probe.FirstVideoStreamInfo();
        EXPECT_THAT(U8(v.CodecName), StartsWith(c.Video));
        EXPECT_EQ(v.Width, c.Width);
        EXPECT_EQ(v.Height, c.Height);
        if (c.Tag) {
            const unsigned tag = probe.FileHandle()->streams[probe.FirstVideoStreamIndex()]->codecpar->codec_tag;
            EXPECT_EQ(tag, MKTAG(c.Tag[0], c.Tag[1], c.Tag[2], c.Tag[3]));
        }
    } else {
        EXPECT_EQ(probe.VideoStreamCount(), 0);
    }
    if (c.Audio) {
        ASSERT_EQ(probe.AudioStreamCount(), 1);
        const TAudioStreamInfo a = probe.FirstAudioStreamInfo();
        EXPECT_THAT(U8(a.CodecName), StartsWith(c.Audio));
        EXPECT_EQ(a.SampleRate, c.SampleRate);
        EXPECT_EQ(a.Channels, c.Channels);
    } else {
        EXPECT_EQ(probe.AudioStreamCount(), 0);
    }
    EXPECT_NEAR(probe.FileStreamInfo().Duration / 1e6, c.Seconds, 0.15);
}

const TConversion Conversions[] = {
    {"H264AacMp4", srcMp4, L"out.mp4",
     {{L"vcodec", L"libx264"}, {L"s", L"320x240"}, {L"b", L"500000"}, {L"acodec", L"libfaac"}, {L"ab", L"128000"}, {L"ar", L"44100"}},
     "h264", 320, 240, "aac", 44100, 2, 5.0},
    {"XvidMp3Avi", srcMp4, L"out.avi", {{L"vcodec", L"libxvid"}, {L"acodec", L"libmp3lame"}, {L"b", L"800000"}},
     "mpeg4", 640, 480, "mp3", 44100, 2, 5.0, "XVID"},
    {"Mp3AudioOnly", srcMp4, L"out.mp3", {{L"acodec", L"libmp3lame"}, {L"ab", L"128000"}}, nullptr, 0, 0, "mp3", 44100, 2, 5.0},
    {"WavResampledToMono", srcMp4, L"out.wav", {{L"ar", L"22050"}, {L"ac", L"1"}}, nullptr, 0, 0, "pcm_s16le", 22050, 1, 5.0},
    {"MonoWavToStereoMp3", srcWav, L"stereo.mp3", {{L"acodec", L"libmp3lame"}, {L"ar", L"44100"}, {L"ac", L"2"}},
     nullptr, 0, 0, "mp3", 44100, 2, 1.0},
    {"Mpeg1", srcMp4, L"out.mpg", {{L"f", L"mpeg"}, {L"vcodec", L"mpeg1video"}, {L"acodec", L"mp2"}, {L"s", L"352x288"}},
     "mpeg1video", 352, 288, "mp2", 44100, 2, 5.0},
    {"Mpeg2", srcMp4, L"out.vob", {{L"f", L"vob"}, {L"vcodec", L"mpeg2video"}, {L"acodec", L"ac3"}, {L"ar", L"48000"}},
     "mpeg2video", 640, 480, "ac3", 48000, 2, 5.0},
    {"Wmv2Wma2", srcMp4, L"out.wmv", {{L"vcodec", L"wmv2"}, {L"acodec", L"wmav2"}, {L"s", L"320x240"}},
     "wmv2", 320, 240, "wmav2", 44100, 2, 5.0},
    {"Flv", srcMp4, L"out.flv", {{L"vcodec", L"flv"}, {L"acodec", L"libmp3lame"}, {L"ar", L"22050"}, {L"s", L"320x240"}},
     "flv", 320, 240, "mp3", 22050, 2, 5.0},
    {"ThreeGpAmr", srcMp4, L"out.3gp",
     {{L"vcodec", L"h263"}, {L"s", L"176x144"}, {L"acodec", L"libamr_nb"}, {L"ar", L"8000"}, {L"ac", L"1"}, {L"ab", L"12200"}},
     "h263", 176, 144, "amrnb", 8000, 1, 5.0},
    {"OggVorbis", srcMp4, L"out.ogg", {{L"vn", L"1"}, {L"acodec", L"libvorbis"}}, nullptr, 0, 0, "vorbis", 44100, 2, 5.0},
    {"TimeLimit", srcMp4, L"two.avi", {{L"t", L"2"}, {L"acodec", L"mp2"}}, "mpeg4", 640, 480, "mp2", 44100, 2, 2.0},
    {"Cropped", srcMp4, L"crop.avi", {{L"cropleft", L"40"}, {L"cropright", L"40"}, {L"croptop", L"20"}, {L"acodec", L"mp2"}},
     "mpeg4", 560, 460, "mp2", 44100, 2, 5.0},
    {"AudioSync", srcMp4, L"sync.mp3", {{L"async", L"1"}, {L"acodec", L"libmp3lame"}}, nullptr, 0, 0, "mp3", 44100, 2, 5.0},
    {"StreamCopyMkv", srcMp4, L"copy.mkv", {{L"vcodec", L"copy"}, {L"acodec", L"copy"}}, "mpeg4", 640, 480, "aac", 44100, 2, 5.0},
    {"CropThenScale", srcMp4, L"cs.avi", {{L"croptop", L"8"}, {L"s", L"352x288"}, {L"acodec", L"mp2"}, {L"t", L"1"}},
     "mpeg4", 352, 288, "mp2", 44100, 2, 1.0},
    {"FilterChainSizesTheEncoder", srcMp4, L"vf.avi", {{L"vf", L"scale=160:120,hflip"}, {L"acodec", L"mp2"}, {L"t", L"1"}},
     "mpeg4", 160, 120, "mp2", 44100, 2, 1.0},
    {"FilterCropThenScale", srcMp4, L"vfcs.avi", {{L"croptop", L"8"}, {L"s", L"352x288"}, {L"vf", L"vflip"}, {L"acodec", L"mp2"}, {L"t", L"1"}},
     "mpeg4", 352, 288, "mp2", 44100, 2, 1.0},
    {"Deinterlaced", srcMp4, L"deint.avi", {{L"deinterlace", L"1"}, {L"acodec", L"mp2"}, {L"t", L"1"}}, "mpeg4", 640, 480, "mp2", 44100, 2, 1.0},
    {"TargetPalDvd", srcMp4, L"dvd.mpg", {{L"target", L"pal-dvd"}, {L"t", L"2"}}, "mpeg2video", 720, 576, "ac3", 48000, 2, 2.0},
    {"TargetPalVcd", srcMp4, L"vcd.mpg", {{L"target", L"pal-vcd"}, {L"t", L"2"}}, "mpeg1video", 352, 288, "mp2", 44100, 2, 2.0},
    {"TargetNtscSvcd", srcMp4, L"svcd.mpg", {{L"target", L"ntsc-svcd"}, {L"t", L"2"}}, "mpeg2video", 480, 480, "mp2", 44100, 2, 2.0},
};

INSTANTIATE_TEST_SUITE_P(Conversions, Conversion, ::testing::ValuesIn(Conversions),
                         [](const auto& info) { return std::string(info.param.Name); });

class Transcode : public TranscodeFixture {};

TEST_F(Transcode, H264OutputHasEveryFrameAt25Fps) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"frames.mp4";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out,
                        {{L"vcodec", L"libx264"}, {L"s", L"320x240"}, {L"b", L"500000"}, {L"acodec", L"libfaac"}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    const TVideoStreamInfo v = probe.FirstVideoStreamInfo();
    EXPECT_EQ(v.FrameRate.num, 25);
    EXPECT_EQ(v.FrameRate.den, 1);
    EXPECT_EQ(CountPackets(out)[0], 125);
}

TEST_F(Transcode, PalDvdTargetIsAnMpegProgramStreamAt25Fps) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"target.vob";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"target", L"pal-dvd"}, {L"t", L"1"}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_STREQ(probe.FileHandle()->iformat->name, "mpeg");
    const TVideoStreamInfo v = probe.FirstVideoStreamInfo();
    EXPECT_EQ(v.FrameRate.num, 25);
    EXPECT_EQ(v.FrameRate.den, 1);
}

// Both kinds of statistics: libx264 keeps its own file, other encoders hand
// their lines to the task. The prefix is outside the ANSI code page.
class TwoPass : public TranscodeFixture, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(TwoPass, WritesAndReadsItsStatistics) {
    const std::wstring codec = GetParam();
    const std::wstring prefix = folder + L"两遍-Ωmega";
    const TOptionList common = {{L"vcodec", codec}, {L"s", L"320x240"}, {L"b", L"300000"}, {L"an", L"1"}, {L"t", L"1"},
                                {L"passlogfile", prefix}};
    TOptionList first = common, second = common;
    first.emplace_back(L"pass", L"1");
    second.emplace_back(L"pass", L"2");
    TCustomFFmpeg missing(4);
    EXPECT_FALSE(Convert(missing, media().Mp4, {}, folder + L"early.mp4", second));  // no statistics yet

    TCustomFFmpeg one(4);
    ASSERT_TRUE(Convert(one, media().Mp4, {}, folder + L"pass1.mp4", first));
    EXPECT_NE(GetFileAttributesW((prefix + L"-0.log").c_str()), INVALID_FILE_ATTRIBUTES);
    TCustomFFmpeg two(4);
    const std::wstring out = folder + L"pass2.mp4";
    ASSERT_TRUE(Convert(two, media().Mp4, {}, out, second));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_THAT(U8(probe.FirstVideoStreamInfo().CodecName), StartsWith(U8(codec == L"libx264" ? L"h264" : codec)));
    EXPECT_EQ(CountPackets(out)[0], 25);
}

INSTANTIATE_TEST_SUITE_P(Encoders, TwoPass, ::testing::Values(L"libx264", L"mpeg4"),
                         [](const auto& info) { return U8(info.param); });

TEST_F(Transcode, UnknownFilterFailsTheTask) {
    TCustomFFmpeg t(4);
    const auto r = Convert(t, media().Mp4, {}, folder + L"bad.avi", {{L"vf", L"nosuchfilter"}, {L"an", L"1"}});
    ASSERT_FALSE(r);
    EXPECT_THAT(r.message(), HasSubstr("Error opening filters: "));
}

TEST_F(Transcode, FilteredOutputKeepsEveryFrame) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"flipped.avi";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"vf", L"hflip"}, {L"deinterlace", L"1"}, {L"an", L"1"}}));
    EXPECT_EQ(CountPackets(out)[0], 125);
}

TEST_F(Transcode, StreamCopyKeepsEveryPacket) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"copy.mp4";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"vcodec", L"copy"}, {L"acodec", L"copy"}}));
    EXPECT_EQ(CountPackets(out), CountPackets(media().Mp4));
}

TEST_F(Transcode, FrameLimitEndsEveryStream) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"fifty.avi";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"vframes", L"50"}, {L"acodec", L"mp2"}}));
    EXPECT_EQ(CountPackets(out)[0], 50);
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_NEAR(probe.FileStreamInfo().Duration / 1e6, 2.0, 0.2);
}

TEST_F(Transcode, StatisticsFileHasALinePerFrame) {
    TCustomFFmpeg t(4);
    const std::wstring stats = folder + L"vstats.log";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, folder + L"stats.avi", {{L"vstats_file", stats}, {L"an", L"1"}}));
    t.InitOptions();  // closes the statistics file
    FILE* f = _wfopen(stats.c_str(), L"r");
    ASSERT_NE(f, nullptr);
    char line[512];
    int lines = 0;
    while (fgets(line, sizeof line, f)) {
        ++lines;
        EXPECT_EQ(strncmp(line, "frame= ", 7), 0) << line;
        EXPECT_NE(strstr(line, " type= "), nullptr) << line;
    }
    fclose(f);
    EXPECT_EQ(lines, 125);
}

// With "psnr" every statistics line and the final report carry the picture
// quality in dB; a clean MPEG-4 encoding of the bars lies well above 25 dB.
TEST_F(Transcode, PsnrReachesTheStatisticsAndTheReport) {
    std::vector<std::wstring> lines;
    const TLogLevel saved = logger.LogLevel();
    logger.SetLogLevel(llVerbose);
    logger.SetOnLog([&](TObject*, uint32_t, TLogLevel, const std::wstring& AText) { lines.push_back(AText); });
    TCustomFFmpeg t(4);
    const std::wstring stats = folder + L"psnr.log";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, folder + L"psnr.avi",
                        {{L"vstats_file", stats}, {L"psnr", L"1"}, {L"an", L"1"}, {L"t", L"1"}}));
    t.InitOptions();  // closes the statistics file
    logger.SetOnLog(nullptr);
    logger.SetLogLevel(saved);
    FILE* f = _wfopen(stats.c_str(), L"r");
    ASSERT_NE(f, nullptr);
    char line[512];
    int withPsnr = 0;
    while (fgets(line, sizeof line, f)) {
        const char* p = strstr(line, " PSNR= ");
        ASSERT_NE(p, nullptr) << line;
        EXPECT_GT(atof(p + 7), 25.0) << line;
        ++withPsnr;
    }
    fclose(f);
    EXPECT_EQ(withPsnr, 25);
    std::string report;
    for (const auto& l : lines)
        if (l.find(L"frame=") == 0 && l.find(L" L") != std::wstring::npos) report = U8(l);
    EXPECT_THAT(report, ::testing::MatchesRegex(R"(.*PSNR=Y:\d+\.\d+ U:\d+\.\d+ V:\d+\.\d+ \*:\d+\.\d+ .*)")) << report;
    const size_t y = report.find("Y:");
    ASSERT_NE(y, std::string::npos);
    EXPECT_GT(atof(report.c_str() + y + 2), 25.0) << report;
}

// "ss" before the input seeks it; after it, the output drops the beginning.
class StartTime : public TranscodeFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(StartTime, SkipsTheBeginning) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"late.avi";
    const TOptionList ss = {{L"ss", L"2"}};
    TOptionList options = {{L"acodec", L"mp2"}};
    if (!GetParam()) options.insert(options.begin(), ss[0]);
    ASSERT_TRUE(Convert(t, media().Mp4, GetParam() ? ss : TOptionList{}, out, options));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_NEAR(probe.FileStreamInfo().Duration / 1e6, 3.0, 0.15);
    EXPECT_NEAR(CountPackets(out)[0], 75, 1);
}

INSTANTIATE_TEST_SUITE_P(BeforeOrAfterInput, StartTime, ::testing::Bool());

TEST_F(Transcode, SizeLimitEndsTheOutputEarly) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"small.avi";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"fs", L"100000"}, {L"acodec", L"mp2"}}));
    const int64_t size = FileSizeByName(out);
    EXPECT_GT(size, 100000);
    EXPECT_LT(size, 400000);
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_LT(probe.FileStreamInfo().Duration, 4000000);
}

struct TAudioChoice {
    const char* Name;
    TOptionList Options;
    const char* Codec;
    const wchar_t* Language;
};

void PrintTo(const TAudioChoice& c, std::ostream* os) { *os << c.Name; }

class AudioChoice : public TranscodeFixture, public ::testing::WithParamInterface<TAudioChoice> {};

TEST_P(AudioChoice, TakesTheStreamAsked) {
    const TAudioChoice& c = GetParam();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"chosen.mkv";
    TOptionList options = c.Options;
    options.push_back({L"vcodec", L"copy"});
    options.push_back({L"acodec", L"copy"});
    ASSERT_TRUE(Convert(t, media().TwoAudio, {}, out, options));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    ASSERT_EQ(probe.AudioStreamCount(), 1);
    const TAudioStreamInfo a = probe.FirstAudioStreamInfo();
    EXPECT_THAT(U8(a.CodecName), StartsWith(c.Codec));
    EXPECT_EQ(a.Language, c.Language);
}

const TAudioChoice AudioChoices[] = {
    {"FirstOfEqualsWithoutMap", {}, "aac", L"eng"},
    {"MapTakesTheSecond", {{L"map", L"0:0"}, {L"map", L"0:2"}}, "mp3", L"chi"},
};

INSTANTIATE_TEST_SUITE_P(Streams, AudioChoice, ::testing::ValuesIn(AudioChoices),
                         [](const auto& info) { return std::string(info.param.Name); });

// Without a map the stream the probe saw most frames of wins, wherever it
// stands: AAC gives 43 frames a second at 44.1 kHz, MP3 38.
TEST_F(Transcode, AutomaticAudioChoiceTakesTheStreamWithMostFrames) {
    testmedia::ClipSpec spec;
    spec.FileName = folder + L"mp3-first.mkv";
    spec.Video = testmedia::VideoSpec{160, 120};
    spec.Audio = {testmedia::AudioSpec{"libmp3lame", 44100, 2, "chi"}, testmedia::AudioSpec{"aac", 44100, 2, "eng", 880}};
    ASSERT_EQ(testmedia::MakeClip(spec), "");
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"chosen.mkv";
    ASSERT_TRUE(Convert(t, spec.FileName, {}, out, {{L"vcodec", L"copy"}, {L"acodec", L"copy"}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    ASSERT_EQ(probe.AudioStreamCount(), 1);
    EXPECT_THAT(U8(probe.FirstAudioStreamInfo().CodecName), StartsWith("aac"));
    EXPECT_EQ(probe.FirstAudioStreamInfo().Language, L"eng");
}

class Subtitles : public TranscodeFixture, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(Subtitles, ReachTheOutputWithTheirLanguage) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"sub.mkv";
    ASSERT_TRUE(Convert(t, media().Subtitled, {}, out, {{L"vcodec", L"copy"}, {L"scodec", GetParam()}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    ASSERT_EQ(probe.SubtitleStreamCount(), 1);
    EXPECT_EQ(probe.FirstSubtitleStreamInfo().Language, L"chi");
    EXPECT_GT(CountPackets(out)[probe.FirstSubtitleStreamIndex()], 0);
}

INSTANTIATE_TEST_SUITE_P(Codecs, Subtitles, ::testing::Values(L"copy", L"subrip"));

TEST_F(Transcode, ChineseNamesInAndOut) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"\u8f6c\u6362\u7ed3\u679c.mp3";
    ASSERT_TRUE(Convert(t, media().Chinese, {}, out, {{L"acodec", L"libmp3lame"}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out)) << U8(probe.LastErrMsg());
    EXPECT_EQ(probe.AudioStreamCount(), 1);
}

TEST_F(Transcode, UnknownProgramIsRefused) {
    TCustomFFmpeg t(4);
    t.InitOptions();
    t.ParseOption(L"programid", L"4321");
    EXPECT_FALSE(t.OpenInput(media().Ts));
    EXPECT_EQ(t.LastErrMsg(), L"Specified program id not found");
    EXPECT_EQ(t.nb_input_files(), 0);
}

TEST_F(Transcode, TimestampBecomesTheCreationTime) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"dated.mp4";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"timestamp", L"2020-01-02 03:04:05Z"}, {L"t", L"0.5"}, {L"an", L"1"}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    const AVDictionaryEntry* e = ff::av_dict_get(probe.FileHandle()->metadata, "creation_time", nullptr, 0);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->value, "2020-01-02T03:04:05.000000Z");
}

TEST_F(Transcode, MetadataReachesTheOutput) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"tagged.mp3";
    ASSERT_TRUE(Convert(t, media().Wav, {}, out, {{L"metadata", L"title=Hello"}, {L"acodec", L"libmp3lame"}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_EQ(probe.FileStreamInfo().Title, L"Hello");
}

// ---------------------------------------------------------------- errors

TEST_F(Transcode, MissingInputGivesTheLibraryText) {
    TCustomFFmpeg t(4);
    t.InitOptions();
    const std::wstring name = folder + L"missing.mp4";
    EXPECT_FALSE(t.OpenInput(name));
    EXPECT_THAT(U8(t.LastErrMsg()), StartsWith(U8(name) + ": "));
}

TEST_F(Transcode, UnknownEncoderRefusesTheOutput) {
    TCustomFFmpeg t(4);
    std::wstring error;
    EXPECT_FALSE(Configure(t, media().Mp4, {}, folder + L"x.avi", {{L"vcodec", L"nosuchcodec"}}, error));
    EXPECT_EQ(error, L"new_video_stream fail: Unknown encoder 'nosuchcodec'");
    EXPECT_EQ(t.nb_output_files(), 0);
    EXPECT_EQ(t.StartConvert(true), nullptr);
    EXPECT_EQ(t.FatalMessage(), L"At least one output file must be specified");
}

TEST_F(Transcode, WrongTypeOfEncoderIsRefused) {
    TCustomFFmpeg t(4);
    std::wstring error;
    EXPECT_FALSE(Configure(t, media().Mp4, {}, folder + L"x.avi", {{L"acodec", L"mpeg4"}}, error));
    EXPECT_EQ(error, L"new_audio_stream fail: Invalid encoder type 'mpeg4'");
}

TEST_F(Transcode, UnsuitableOutputFormatsAreRefused) {
    TCustomFFmpeg t(4);
    std::wstring error;
    EXPECT_FALSE(Configure(t, media().Mp4, {}, folder + L"x.avi", {{L"f", L"ffm"}}, error));
    EXPECT_EQ(error, L"Requested output format 'ffm' is not a suitable output format");
    const std::wstring unknown = folder + L"x.unknownext";
    EXPECT_FALSE(Configure(t, media().Mp4, {}, unknown, {}, error));
    EXPECT_EQ(error, L"Unable to find a suitable output format for '" + unknown + L"'");
}

TEST_F(Transcode, NameTheLibraryWouldCutIsRefused) {
    TCustomFFmpeg t(4);
    std::wstring error;
    const std::wstring name = folder + std::wstring(1100, L'a') + L".avi";
    EXPECT_FALSE(Configure(t, media().Mp4, {}, name, {}, error));
    EXPECT_EQ(error, L"File name too long: " + name);
    EXPECT_EQ(t.nb_output_files(), 0);
}

TEST_F(Transcode, OutputMustNotBeTheInput) {
    TCustomFFmpeg t(4);
    std::wstring upper = media().Mp4;
    for (auto& ch : upper) ch = towupper(ch);
    std::wstring error;
    const int64_t before = FileSizeByName(media().Mp4);
    EXPECT_FALSE(Configure(t, media().Mp4, {}, upper, {}, error));
    EXPECT_THAT(U8(error), HasSubstr("is the same as an input file"));
    EXPECT_EQ(FileSizeByName(media().Mp4), before);
}

TEST_F(Transcode, CopyRefusesWhatNeedsDecodedFrames) {
    TCustomFFmpeg t(4);
    std::wstring error;
    ASSERT_TRUE(Configure(t, media().Mp4, {}, folder + L"vol.mp4", {{L"acodec", L"copy"}, {L"vol", L"512"}}, error)) << U8(error);
    t.StartConvert(false);
    EXPECT_EQ(t.FatalMessage(), L"-acodec copy and -vol are incompatible (frames are not decoded)");
    EXPECT_EQ(t.OpenCodecCount(), 0);
}

TEST_F(Transcode, FailedRunLeavesNoOutputFile) {
    // MPEG-PS cannot carry AAC in this library generation: the header fails.
    TCustomFFmpeg t(4);
    std::wstring error;
    const std::wstring out = folder + L"aac.mpg";
    ASSERT_TRUE(Configure(t, media().Mp4, {}, out, {{L"f", L"mpeg"}, {L"vcodec", L"mpeg1video"}, {L"acodec", L"aac"}}, error))
        << U8(error);
    t.StartConvert(false);
    EXPECT_TRUE(t.FatalException());
    // The muxer's own reason follows.
    const std::string prefix = "Could not write header for output file #0 (incorrect codec parameters ?): ";
    EXPECT_THAT(U8(t.FatalMessage()), StartsWith(prefix));
    EXPECT_GT(t.FatalMessage().size(), prefix.size() + 5);
    EXPECT_EQ(t.OpenCodecCount(), 0);
    EXPECT_EQ(FileSizeByName(out), -1);
}

}  // namespace
