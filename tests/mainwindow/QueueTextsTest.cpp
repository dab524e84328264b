// The queue's cell texts, the check of a typed output name, and what a
// batch hands the encoder for a row: the record from the row's columns and
// the output name resolved against the disk and the batch's other rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "app/BatchOutputs.h"
#include "app/QueueTexts.h"
#include "platform/SysUtils.h"

namespace {

TEST(QueueTextsTest, TimesAreShownWithHoursInFull) {
    const struct {
        int64_t seconds;
        const wchar_t* text;
    } cases[] = {
        {0, L"00:00:00"},       {59, L"00:00:59"},        {3725, L"01:02:05"},
        {86399, L"23:59:59"},   {90061, L"25:01:01"},     {360000, L"100:00:00"},
        {-5, L"00:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(queuetexts::SecToDate(c.seconds), c.text) << c.seconds;
}

TEST(QueueTextsTest, SizesAreMegabytesWithTwoDecimalsAtMost) {
    const std::wstring point(1, FormatSettings().DecimalSeparator);
    const struct {
        int64_t bytes;
        std::wstring text;
    } cases[] = {
        {524288, L"0" + point + L"5MB"},
        {1048576, L"1MB"},
        {12949914, L"12" + point + L"35MB"},
        {0, L"0MB"},
        {5368709120LL, L"5120MB"},  // beyond 32 bits
    };
    for (const auto& c : cases) EXPECT_EQ(queuetexts::SizeText(c.bytes), c.text) << c.bytes;
}

TEST(QueueTextsTest, ATypedOutputNameMustNameAFileInTheFolder) {
    for (const wchar_t* good : {L"clip", L"视频 01", L"a.b", L"x_(new)"})
        EXPECT_TRUE(queuetexts::ValidOutputStem(good));
    for (const wchar_t* bad : {L"", L".", L"..", L"..\\up", L"sub\\clip", L"sub/clip", L"C:clip", L"a*b", L"a?b",
                               L"a\"b", L"a<b", L"a>b", L"a|b", L"tab\there", L"trailing.", L"trailing "})
        EXPECT_FALSE(queuetexts::ValidOutputStem(bad)) << std::string(bad, bad + wcslen(bad));
}

batchoutputs::TRowColumns Columns(std::initializer_list<std::pair<int, const wchar_t*>> cells) {
    batchoutputs::TRowColumns c;
    for (const auto& [subItem, text] : cells) c[static_cast<size_t>(subItem - 10)] = text;
    return c;
}

TEST(BatchOutputsTest, TheRecordComesFromTheRowAloneByTheBatchRules) {
    const TOutputOptions x264 = batchoutputs::OutputFromRow(
        Columns({{10, L"libx264"}, {11, L"aac"}, {12, L"2"}, {13, L"XVID"}, {14, L".mp4"}, {15, L"320*240"},
                 {16, L"800000"}, {17, L"25"}, {18, L"128000"}, {19, L"44100"}, {20, L"4:3"}, {21, L"False"}}));
    EXPECT_EQ(x264.VideoCodec, L"libx264");
    EXPECT_EQ(x264.VideoPreset, L"libx264-default");
    EXPECT_EQ(x264.VideoTag, L"") << "x264 writes its own tag";
    EXPECT_EQ(x264.AudioCodec, L"aac");
    EXPECT_EQ(x264.AudioChannels, 2);
    EXPECT_EQ(x264.FileExt, L".mp4");
    EXPECT_EQ(x264.FrameSize, L"320*240");
    EXPECT_EQ(x264.VideoBitrate, 800000);
    EXPECT_EQ(x264.FrameRate, L"25");
    EXPECT_EQ(x264.AudioBitrate, 128000);
    EXPECT_EQ(x264.AudioSampleRate, 44100);
    EXPECT_EQ(x264.FrameAspectRatio, L"4:3");
    EXPECT_FALSE(x264.DisableVideo);
    EXPECT_EQ(x264.AudioVolume, 256);

    // An audio-only row after a video one: nothing of the other survives.
    const TOutputOptions audio =
        batchoutputs::OutputFromRow(Columns({{11, L"AUTO"}, {16, L"-1000"}, {18, L"-2000"}, {19, L"AUTO"}, {21, L"True"}}));
    TOutputOptions fresh;
    InitOutputOptions(fresh);
    EXPECT_EQ(audio.VideoCodec, fresh.VideoCodec);
    EXPECT_EQ(audio.AudioCodec, fresh.AudioCodec);
    EXPECT_EQ(audio.VideoBitrate, fresh.VideoBitrate);
    EXPECT_EQ(audio.AudioBitrate, fresh.AudioBitrate);
    EXPECT_EQ(audio.AudioSampleRate, fresh.AudioSampleRate);
    EXPECT_EQ(audio.FrameSize, fresh.FrameSize);
    EXPECT_TRUE(audio.DisableVideo);

    // A disc row passes its rate, a DVD's up to the standard's maximum; the
    // norm follows its text.
    const TOutputOptions vcd = batchoutputs::OutputFromRow(
        Columns({{10, L"mpeg1video"}, {13, L"DX50"}, {16, L"528000"}, {22, L"vcd"}, {23, L"PAL"}}));
    EXPECT_EQ(vcd.TargetType, ttVCD);
    EXPECT_EQ(vcd.NormType, ntPAL);
    EXPECT_EQ(vcd.VideoBitrate, 528000);
    EXPECT_EQ(batchoutputs::OutputFromRow(Columns({{16, L"12000000"}, {22, L"dvd"}})).VideoBitrate, 9000000);
    EXPECT_EQ(vcd.VideoTag, L"DX50");
    EXPECT_EQ(batchoutputs::OutputFromRow(Columns({{22, L"svcd"}, {23, L"NTSC"}})).NormType, ntNTSC);
    EXPECT_EQ(batchoutputs::OutputFromRow(Columns({{22, L"dvd"}})).TargetType, ttDVD);
    EXPECT_EQ(batchoutputs::OutputFromRow(Columns({{22, L"other"}})).TargetType, ttIgnore);
}

class ResolveOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"vantrel_resolve_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::wstring& f : made_) DeleteFileW(f.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring Make(const std::wstring& name) {
        const std::wstring path = folder_ + L"\\" + name;
        std::ofstream(path.c_str()) << "x";
        made_.push_back(path);
        return path;
    }
    std::wstring Resolve(const std::wstring& name, bool overwrite, const std::wstring& input,
                         batchoutputs::TResolve expected = batchoutputs::TResolve::Ok) {
        std::wstring result;
        EXPECT_EQ(batchoutputs::ResolveOutput(folder_, name, overwrite, input, claims_, result), expected);
        return result;
    }
    std::wstring folder_;
    std::vector<std::wstring> made_;
    batchoutputs::TOutputClaims claims_;
};

TEST_F(ResolveOutputTest, TwoRowsOfTheSameNameNeverShareAnOutput) {
    const std::wstring first = Resolve(L"clip.mp4", false, L"C:\\a\\clip.avi");
    EXPECT_EQ(first, folder_ + L"\\clip.mp4");
    claims_.Claim(first);
    EXPECT_EQ(Resolve(L"clip.mp4", false, L"C:\\b\\clip.mkv"), folder_ + L"\\clip_1.mp4");
    // Overwriting existing files is the user's choice; another row's output is not.
    EXPECT_EQ(Resolve(L"CLIP.mp4", true, L"C:\\b\\clip.mkv"), folder_ + L"\\CLIP_1.mp4");
}

TEST_F(ResolveOutputTest, AFileOfAnEarlierBatchIsKeptUnlessOverwriteIsChosen) {
    Make(L"clip.mp4");
    Make(L"clip_1.mp4");
    EXPECT_EQ(Resolve(L"clip.mp4", false, L"C:\\a\\clip.avi"), folder_ + L"\\clip_2.mp4");
    EXPECT_EQ(Resolve(L"clip.mp4", true, L"C:\\a\\clip.avi"), folder_ + L"\\clip.mp4");
}

TEST_F(ResolveOutputTest, AnOutputIsNeverAnInputOfTheBatch) {
    const std::wstring own = Make(L"clip.mp4");
    // Overwrite chosen: its own input is refused, not renamed behind the user's back.
    Resolve(L"clip.mp4", true, own, batchoutputs::TResolve::SameAsInput);
    Resolve(L"CLIP.MP4", true, folder_ + L"\\.\\clip.mp4", batchoutputs::TResolve::SameAsInput);
    // Rename chosen: the input exists, so the output gets the next name.
    EXPECT_EQ(Resolve(L"clip.mp4", false, own), folder_ + L"\\clip_1.mp4");
    // Another row's input is claimed, whatever overwrite says.
    const std::wstring other = Make(L"other.mp4");
    claims_.Claim(other);
    EXPECT_EQ(Resolve(L"other.mp4", true, L"C:\\x\\other.avi"), folder_ + L"\\other_1.mp4");
}

}  // namespace
