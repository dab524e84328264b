// Options whose only trace in the task is a field: what each does to the
// output, read back from the file.
#include <gmock/gmock.h>

#include <functional>

#include "PacketFiles.h"
#include "TranscodeFixture.h"

namespace {

using namespace packetfiles;

using TOutputCheck = std::function<void(const std::wstring& AOut)>;

struct TEffectCase {
    const char* Name;
    std::vector<std::wstring> Inputs;  // names in the standard set, by member
    TOptionList Options;               // after the inputs are open
    const wchar_t* Output;
    TOutputCheck Check;
};

void PrintTo(const TEffectCase& AC, std::ostream* AOut) { *AOut << AC.Name; }

// The packets of one stream of a file.
std::vector<const AVPacket*> StreamPackets(const std::vector<TPacketPtr>& APackets, int AStream) {
    std::vector<const AVPacket*> list;
    for (const TPacketPtr& p : APackets)
        if (p->stream_index == AStream) list.push_back(p.get());
    return list;
}

// Every packet of every stream, with the file's streams' time bases.
std::vector<TPacketPtr> AllPackets(const std::wstring& AFile) {
    std::vector<TPacketPtr> packets;
    AVFormatContext* raw = nullptr;
    if (ff::avformat_open_input(&raw, ToLibFileName(AFile).c_str(), nullptr, nullptr) < 0) return packets;
    const TInputPtr in(raw);
    for (TPacketPtr p = NewPacket(); ff::av_read_frame(raw, p.get()) >= 0; p = NewPacket()) packets.push_back(std::move(p));
    return packets;
}

// The probe of a file whose check needs the container's records.
struct TReadBack {
    explicit TReadBack(const std::wstring& AFile) { Loaded = Probe.LoadFile(AFile); }
    AVFormatContext* File() const { return Probe.FileHandle(); }
    TCustomAVProbe Probe;
    bool Loaded = false;
};

class OutputEffects : public TranscodeFixture, public ::testing::WithParamInterface<TEffectCase> {};

TEST_P(OutputEffects, ShowInTheFileReadBack) {
    const TEffectCase& c = GetParam();
    TCustomFFmpeg t(4);
    t.InitOptions();
    const std::wstring mp4 = media().Mp4, wav = media().Wav;
    for (const std::wstring& name : c.Inputs)
        ASSERT_TRUE(t.OpenInput(name == L"Wav" ? wav : mp4)) << U8(t.LastErrMsg());
    for (const auto& [n, v] : c.Options) t.ParseOption(n, v);
    const std::wstring out = folder + c.Output;
    ASSERT_GE(t.OpenOutput(out), 0) << U8(t.LastErrMsg());
    t.StartConvert(false);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    c.Check(out);
}

const TEffectCase EffectCases[] = {
    {"DefaultGopHasPredictedPictures", {L"Mp4"}, {{L"vcodec", L"mpeg4"}, {L"an", L""}, {L"t", L"1"}}, L"gop.avi",
     [](const std::wstring& AOut) {
         const auto packets = AllPackets(AOut);
         const auto key = std::count_if(packets.begin(), packets.end(), [](const TPacketPtr& p) { return p->flags & AV_PKT_FLAG_KEY; });
         EXPECT_LT(key, static_cast<long>(packets.size()));
     }},
    {"IntraMakesEveryPictureKey", {L"Mp4"}, {{L"vcodec", L"mpeg4"}, {L"an", L""}, {L"t", L"1"}, {L"intra", L"1"}}, L"intra.avi",
     [](const std::wstring& AOut) {
         const auto packets = AllPackets(AOut);
         ASSERT_EQ(packets.size(), 25u);
         for (const TPacketPtr& p : packets) EXPECT_TRUE(p->flags & AV_PKT_FLAG_KEY);
     }},
    {"VframesEndsAfterTenPictures", {L"Mp4"}, {{L"vcodec", L"mpeg4"}, {L"vframes", L"10"}, {L"an", L""}}, L"ten.avi",
     [](const std::wstring& AOut) { EXPECT_EQ(AllPackets(AOut).size(), 10u); }},
    {"AframesEndsTheSound", {L"Mp4"}, {{L"vn", L""}, {L"acodec", L"mp2"}, {L"aframes", L"20"}}, L"twenty.mkv",
     [](const std::wstring& AOut) { EXPECT_EQ(AllPackets(AOut).size(), 20u); }},
    {"StartPositionCutsTheBeginning", {L"Mp4"}, {{L"ss", L"2"}, {L"vcodec", L"mpeg4"}, {L"an", L""}}, L"late.mkv",
     [](const std::wstring& AOut) { EXPECT_EQ(AllPackets(AOut).size(), 75u); }},  // 3 s of 25 fps
    {"FileSizeLimitStopsTheOutput", {L"Mp4"}, {{L"vcodec", L"mpeg4"}, {L"an", L""}, {L"fs", L"100000"}}, L"small.avi",
     [](const std::wstring& AOut) {
         WIN32_FILE_ATTRIBUTE_DATA data{};
         ASSERT_TRUE(GetFileAttributesExW(AOut.c_str(), GetFileExInfoStandard, &data));
         // The limit is checked between packets: one picture more at most.
         EXPECT_LT(data.nFileSizeLow, 100000u + 60000u);
         EXPECT_LT(AllPackets(AOut).size(), 125u);
     }},
    {"AspectIsTheDisplayShape", {L"Mp4"}, {{L"vcodec", L"mpeg4"}, {L"an", L""}, {L"t", L"1"}, {L"aspect", L"16:9"}}, L"wide.mkv",
     [](const std::wstring& AOut) {
         TReadBack r(AOut);
         ASSERT_TRUE(r.Loaded);
         EXPECT_NEAR(r.Probe.FirstVideoStreamInfo().AspectRatio, 16.0 / 9.0, 0.01);
     }},
    {"PixelFormat", {L"Mp4"}, {{L"vcodec", L"ffv1"}, {L"an", L""}, {L"t", L"0.2"}, {L"pix_fmt", L"yuv444p"}}, L"444.nut",
     [](const std::wstring& AOut) {
         TReadBack r(AOut);
         ASSERT_TRUE(r.Loaded);
         EXPECT_EQ(r.Probe.FirstVideoStreamInfo().PixFmt, AV_PIX_FMT_YUV444P);
     }},
    {"MetadataTitle", {L"Mp4"}, {{L"vcodec", L"copy"}, {L"acodec", L"copy"}, {L"metadata", L"title=标题"}}, L"titled.mkv",
     [](const std::wstring& AOut) {
         TReadBack r(AOut);
         ASSERT_TRUE(r.Loaded);
         EXPECT_EQ(r.Probe.FileStreamInfo().Title, L"标题");
     }},
    {"AudioLanguage", {L"Mp4"}, {{L"vcodec", L"copy"}, {L"acodec", L"copy"}, {L"alang", L"fre"}}, L"french.mkv",
     [](const std::wstring& AOut) {
         TReadBack r(AOut);
         ASSERT_TRUE(r.Loaded);
         EXPECT_EQ(r.Probe.FirstAudioStreamInfo().Language, L"fre");
     }},
    {"StreamIdIsThePid", {L"Mp4"}, {{L"vcodec", L"copy"}, {L"an", L""}, {L"t", L"1"}, {L"streamid", L"0:300"}}, L"pid.ts",
     [](const std::wstring& AOut) {
         TReadBack r(AOut);
         ASSERT_TRUE(r.Loaded);
         ASSERT_GE(r.File()->nb_streams, 1u);
         EXPECT_EQ(r.File()->streams[0]->id, 300);
     }},
    // The MP4's 5 s pictures with the WAV's one second of sound.
    {"LongestStreamByDefault", {L"Mp4", L"Wav"}, {{L"map", L"0:0"}, {L"map", L"1:0"}, {L"vcodec", L"mpeg4"}}, L"long.mkv",
     [](const std::wstring& AOut) {
         const auto packets = AllPackets(AOut);
         EXPECT_EQ(StreamPackets(packets, 0).size(), 125u);
     }},
    {"ShortestEndsWithTheShortStream", {L"Mp4", L"Wav"}, {{L"map", L"0:0"}, {L"map", L"1:0"}, {L"vcodec", L"mpeg4"}, {L"shortest", L"1"}},
     L"short.mkv",
     [](const std::wstring& AOut) {
         const auto packets = AllPackets(AOut);
         const size_t pictures = StreamPackets(packets, 0).size();
         // One second of sound; the pictures read ahead of the sound's
         // last frames come along.
         EXPECT_GE(pictures, 24u);
         EXPECT_LE(pictures, 36u);
     }},
};

INSTANTIATE_TEST_SUITE_P(Options, OutputEffects, ::testing::ValuesIn(EffectCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
