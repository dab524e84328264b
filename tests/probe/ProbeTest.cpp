// The media probe on generated files: container and stream facts, the
// information text, Unicode names, and clear errors for bad input.
#include <gmock/gmock.h>

#include <cmath>
#include <cwchar>

#include "ProbeFixture.h"
#include "Src/AVProbe.h"
#include "Src/FFUtils.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

std::vector<std::wstring> Lines(const std::wstring& AText) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t at; (at = AText.find(L"\r\n", start)) != std::wstring::npos; start = at + 2)
        lines.push_back(AText.substr(start, at - start));
    EXPECT_EQ(start, AText.size()) << "every line ends with CR LF";
    return lines;
}

std::string U8(const std::wstring& AText) { return WideToUtf8(AText); }

class Probe : public ProbeFixture {
protected:
    TCustomAVProbe probe;
};

TEST_F(Probe, ReportsTheFactsOfTheMp4Clip) {
    ASSERT_TRUE(probe.LoadFile(media().Mp4)) << U8(probe.LastErrMsg());
    EXPECT_EQ(probe.FormatName(), L"mov,mp4,m4a,3gp,3g2,mj2");
    EXPECT_EQ(probe.StreamCount(), 2);
    EXPECT_EQ(probe.VideoStreamCount(), 1);
    EXPECT_EQ(probe.AudioStreamCount(), 1);
    EXPECT_EQ(probe.SubtitleStreamCount(), 0);
    EXPECT_EQ(probe.FirstVideoStreamIndex(), 0);
    EXPECT_EQ(probe.FirstAudioStreamIndex(), 1);
    EXPECT_EQ(probe.FirstSubtitleStreamIndex(), -1);
    EXPECT_EQ(probe.FileSize(), FileSizeByName(media().Mp4));
    const TVideoStreamInfo v = probe.FirstVideoStreamInfo();
    EXPECT_EQ(v.Width, 640);
    EXPECT_EQ(v.Height, 480);
    EXPECT_EQ(v.FrameRate.num, 25);
    EXPECT_EQ(v.FrameRate.den, 1);
    EXPECT_THAT(U8(v.CodecName), StartsWith("mpeg4"));
    EXPECT_NEAR(v.DurationScaled, 5000000, 1000);
    const TAudioStreamInfo a = probe.FirstAudioStreamInfo();
    EXPECT_EQ(a.SampleRate, 44100);
    EXPECT_EQ(a.Channels, 2);
    const TFileStreamInfo f = probe.FileStreamInfo();
    EXPECT_NEAR(f.Duration, 5000000, 50000);
    EXPECT_EQ(f.StartTime, 0);
    EXPECT_GT(f.BitRate, 0);
}

TEST_F(Probe, InformationTextOfTheMp4Clip) {
    ASSERT_TRUE(probe.LoadFile(media().Mp4));
    const auto lines = Lines(probe.FileInfoText());
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[0], L"File Name: " + media().Mp4);
    EXPECT_EQ(lines[1], L"Format Name: mov,mp4,m4a,3gp,3g2,mj2");
    EXPECT_EQ(lines[2], L"Format Long Name: QuickTime / MOV");
    // The clip's size lies between 1 KB and 1 MB, which the text gives in
    // KB with two decimals.
    const int64_t bytes = FileSizeByName(media().Mp4);
    ASSERT_GT(bytes, 1024);
    ASSERT_LE(bytes, 1048576);
    wchar_t size[32] = {};
    swprintf(size, 32, L"File Size: %.2f KB", bytes / 1024.0);
    EXPECT_EQ(lines[3], size);
    EXPECT_THAT(U8(lines[4]), StartsWith("Duration: 00:00:05.0"));
    EXPECT_EQ(lines[5], L"StartTime: 0.000000");
    EXPECT_THAT(U8(lines[6]), ::testing::MatchesRegex("Bit Rate: \\d+ kb/s"));
    const std::wstring text = probe.FileInfoText();
    const auto video = text.find(L"Stream #0[0x1](und), 1/12800: Video: mpeg4");
    ASSERT_NE(video, std::wstring::npos) << U8(text);
    const std::wstring videoLine = text.substr(video, text.find(L"\r\n", video) - video);
    EXPECT_THAT(U8(videoLine), HasSubstr("640x480"));
    EXPECT_THAT(U8(videoLine), HasSubstr(", 25 fps, 25 tbr, 12800 tbn, 25 tbc"));
    EXPECT_THAT(U8(videoLine), HasSubstr(", StartTime: 0.000000, Duration: 00:00:05.000"));
    EXPECT_THAT(U8(text), HasSubstr("Stream #1[0x2](und), 1/44100: Audio: aac"));
    EXPECT_THAT(U8(text), HasSubstr("\r\n  Metadata:\r\n"));
    EXPECT_THAT(U8(text), HasSubstr("\r\n    handler_name    : VideoHandler\r\n"));
    EXPECT_THAT(U8(text), ::testing::Not(HasSubstr("language        :")));
}

struct FileCase {
    const char* name;
    std::wstring testmedia::MediaSet::*file;
    const wchar_t* format;
    int streams, video, audio, subtitle;
};

class ProbeFiles : public Probe, public ::testing::WithParamInterface<FileCase> {};

TEST_P(ProbeFiles, CountsStreamsByKind) {
    const FileCase& c = GetParam();
    const std::wstring& name = media().*c.file;
    ASSERT_TRUE(probe.LoadFile(name)) << U8(probe.LastErrMsg());
    EXPECT_EQ(probe.FormatName(), c.format);
    EXPECT_EQ(probe.StreamCount(), c.streams);
    EXPECT_EQ(probe.VideoStreamCount(), c.video);
    EXPECT_EQ(probe.AudioStreamCount(), c.audio);
    EXPECT_EQ(probe.SubtitleStreamCount(), c.subtitle);
    EXPECT_EQ(probe.FileName(), name);
    EXPECT_EQ(probe.FileSize(), FileSizeByName(name));
    EXPECT_THAT(U8(probe.FileInfoText()), StartsWith("File Name: " + U8(name) + "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Media, ProbeFiles,
    ::testing::Values(FileCase{"Mkv", &testmedia::MediaSet::Mkv, L"matroska,webm", 2, 1, 1, 0},
                      FileCase{"Ntsc", &testmedia::MediaSet::Ntsc, L"mpeg", 2, 1, 1, 0},
                      FileCase{"Mp3", &testmedia::MediaSet::Mp3, L"mp3", 1, 0, 1, 0},
                      FileCase{"Wav", &testmedia::MediaSet::Wav, L"wav", 1, 0, 1, 0},
                      FileCase{"TwoAudio", &testmedia::MediaSet::TwoAudio, L"matroska,webm", 3, 1, 2, 0},
                      FileCase{"Subtitled", &testmedia::MediaSet::Subtitled, L"matroska,webm", 2, 1, 0, 1},
                      FileCase{"Chinese", &testmedia::MediaSet::Chinese, L"mov,mp4,m4a,3gp,3g2,mj2", 2, 1, 1, 0},
                      FileCase{"NonAnsi", &testmedia::MediaSet::NonAnsi, L"matroska,webm", 2, 1, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Probe, NtscFrameRateAndPalPixelAspect) {
    ASSERT_TRUE(probe.LoadFile(media().Ntsc));
    const TVideoStreamInfo ntsc = probe.FirstVideoStreamInfo();
    EXPECT_EQ(ntsc.FrameRate.num, 30000);
    EXPECT_EQ(ntsc.FrameRate.den, 1001);
    EXPECT_EQ(ntsc.Width, 720);
    EXPECT_THAT(U8(probe.FileInfoText()), HasSubstr(", 29.97 fps"));
    EXPECT_THAT(U8(probe.FileInfoText()), HasSubstr(", 90k tbn, 59.94 tbc"));  // MPEG-2 counts fields

    ASSERT_TRUE(probe.LoadFile(media().Pal169));
    const TVideoStreamInfo pal = probe.FirstVideoStreamInfo();
    EXPECT_EQ(pal.Width, 720);
    EXPECT_EQ(pal.Height, 576);
    EXPECT_NEAR(pal.AspectRatio, 4.0 / 3.0, 1e-4);
}

TEST_F(Probe, AudioAndSubtitleStreamFacts) {
    ASSERT_TRUE(probe.LoadFile(media().Wav));
    const TAudioStreamInfo mono = probe.FirstAudioStreamInfo();
    EXPECT_EQ(mono.SampleRate, 22050);
    EXPECT_EQ(mono.Channels, 1);

    ASSERT_TRUE(probe.LoadFile(media().TwoAudio));
    TAudioStreamInfo first, second;
    probe.GetAudioStreamInfo(1, first);
    probe.GetAudioStreamInfo(2, second);
    EXPECT_EQ(first.Language, L"eng");
    EXPECT_EQ(second.Language, L"chi");
    EXPECT_THAT(U8(second.CodecName), StartsWith("mp3"));
    EXPECT_THAT(U8(probe.FileInfoText()), HasSubstr("Stream #2(chi)"));

    ASSERT_TRUE(probe.LoadFile(media().Subtitled));
    const TSubtitleStreamInfo s = probe.FirstSubtitleStreamInfo();
    EXPECT_EQ(s.Language, L"chi");
    EXPECT_THAT(U8(s.CodecName), HasSubstr("(SubRip subtitle)"));
}

TEST_F(Probe, ContainerMetadata) {
    ASSERT_TRUE(probe.LoadFile(media().Mp4));
    const TFileStreamInfo f = probe.FileStreamInfo();
    EXPECT_EQ(f.Title, L"\u6d4b\u8bd5\u6807\u9898");
    EXPECT_EQ(f.Author, L"Vantrel");
    EXPECT_EQ(f.TimeStamp, 1704164645);
    const std::string text = U8(probe.FileInfoText());
    EXPECT_THAT(text, HasSubstr("\r\nTime Stamp: 2024-01-0"));
    EXPECT_THAT(text, HasSubstr("\r\nMetadata:\r\n"));
    EXPECT_THAT(text, HasSubstr("\r\n  title           : \xe6\xb5\x8b\xe8\xaf\x95\xe6\xa0\x87\xe9\xa2\x98\r\n"));
}

TEST_F(Probe, ProgramsListTheirStreamsFirst) {
    ASSERT_TRUE(probe.LoadFile(media().Ts));
    EXPECT_EQ(probe.ProgramCount(), 1);
    const std::string text = U8(probe.FileInfoText());
    const auto program = text.find("\r\nProgram 1 FFmpeg@Service01\r\n");
    ASSERT_NE(program, std::string::npos) << text;
    EXPECT_EQ(text.find("Stream #"), text.find("\r\nStream #0[0x100], 1/90000: Video: mpeg2video", program) + 2)
        << text;
    EXPECT_NE(text.find("Stream #1[0x101]", program), std::string::npos);
}

TEST_F(Probe, GettersLogWhatIsWrong) {
    EXPECT_EQ(probe.FileName(), L"");
    EXPECT_EQ(probe.LastErrMsg(), L"file not loaded.");
    ASSERT_TRUE(probe.LoadFile(media().Mp3));
    EXPECT_FALSE(probe.IsVideoStream(-1));
    EXPECT_EQ(probe.LastErrMsg(), L"stream index #-1 is invalid.");
    EXPECT_FALSE(probe.IsVideoStream(probe.StreamCount()));
    EXPECT_EQ(probe.LastErrMsg(), L"stream index #1 is invalid.");
    EXPECT_TRUE(probe.IsAudioStream(0));
    const TVideoStreamInfo none = probe.FirstVideoStreamInfo();
    EXPECT_EQ(probe.LastErrMsg(), L"no video stream.");
    EXPECT_EQ(none.Width, -1);
    EXPECT_TRUE(none.CodecName.empty());
    TSubtitleStreamInfo sub;
    probe.GetSubtitleStreamInfo(0, sub);
    EXPECT_EQ(probe.LastErrMsg(), L"stream #0 is not subtitle stream.");
    const auto mine = LoggedBy(&probe);
    ASSERT_GE(mine.size(), 4u);
    EXPECT_EQ(mine.front().level, llWarning);  // file not loaded.
    EXPECT_EQ(mine.back().level, llError);
}

struct BadCase {
    const char* name;
    std::wstring testmedia::MediaSet::*file;
};
class BadInput : public Probe, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadInput, FailsWithAClearMessage) {
    const std::wstring& name = media().*GetParam().file;
    EXPECT_FALSE(probe.LoadFile(name));
    EXPECT_THAT(U8(probe.LastErrMsg()), StartsWith(U8(name) + ": "));
    EXPECT_THAT(U8(probe.LastErrMsg()), ::testing::Not(HasSubstr("No such file")));
    EXPECT_EQ(probe.FileHandle(), nullptr);
    EXPECT_EQ(probe.StreamCount(), -1);
}
INSTANTIATE_TEST_SUITE_P(Files, BadInput,
                         ::testing::Values(BadCase{"Truncated", &testmedia::MediaSet::Truncated},
                                           BadCase{"RandomBytes", &testmedia::MediaSet::Garbage}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Probe, AMissingFileIsReportedAndLogged) {
    const std::wstring name = media().Folder + L"\u4e0d\u5b58\u5728.mp4";
    EXPECT_FALSE(probe.LoadFile(name));
    EXPECT_EQ(probe.LastErrMsg(), name + L": No such file or directory");
    const auto mine = LoggedBy(&probe);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(mine[0].level, llError);
}

TEST_F(Probe, AnUnknownForcedFormatIsRefusedWithoutLogging) {
    EXPECT_FALSE(probe.LoadFile(media().Mp4, L"nosuchformat"));
    EXPECT_EQ(probe.LastErrMsg(), L"Unknown input format: nosuchformat");
    EXPECT_TRUE(LoggedBy(&probe).empty());
    ASSERT_TRUE(probe.LoadFile(media().Mp4, L"mp4"));
    EXPECT_EQ(probe.ForceFormat(), L"mp4");
}

TEST_F(Probe, AnAttachedContextIsNotClosedByTheProbe) {
    TCustomAVProbe owner;
    ASSERT_TRUE(owner.LoadFile(media().Mp4));
    probe.SetFileHandle(owner.FileHandle());
    EXPECT_EQ(probe.StreamCount(), 2);
    probe.CloseFile();
    EXPECT_EQ(probe.FileHandle(), nullptr);
    EXPECT_EQ(owner.FileHandle()->nb_streams, 2u);  // still open
}

}  // namespace
