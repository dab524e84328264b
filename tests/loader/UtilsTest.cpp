// The engine's small routines: size, time and error texts, splitting, file
// helpers, the message pump, codec names and the encoder-name mapping.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFUtils.h"
#include "Src/FFmpegLoader.h"
#include "Src/MyUtils.h"
#include "tools/testmedia/TestMedia.h"

namespace {

class WithLibraries : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FFLoader.SetLibraryPath(std::wstring(VANTREL_DIST_WIN) + L"\\LibAV");
        ASSERT_TRUE(FFLoader.Load(ProbeLibraries)) << WideToUtf8(FFLoader.LastErrMsg());
    }
};

using testmedia::WriteBytes;

std::wstring TempFile(const wchar_t* AName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + AName;
}

struct SizeCase {
    int64_t size;
    const wchar_t* text;
};
class FormatFileSizeTest : public ::testing::TestWithParam<SizeCase> {};
TEST_P(FormatFileSizeTest, ChoosesTheUnit) { EXPECT_EQ(FormatFileSize(GetParam().size), GetParam().text); }
INSTANTIATE_TEST_SUITE_P(Sizes, FormatFileSizeTest,
                         ::testing::Values(SizeCase{1024, L"1024 Byte"}, SizeCase{1025, L"1.00 KB"},
                                           SizeCase{1048576, L"1024.00 KB"}, SizeCase{1048577, L"1.00 MB"},
                                           SizeCase{1073741825, L"1.00 GB"}, SizeCase{-1, L"-1 Byte"}));

struct TimeCase {
    int64_t time;
    const wchar_t* text;
};
class TimeToTextTest : public ::testing::TestWithParam<TimeCase> {};
TEST_P(TimeToTextTest, FormatsHoursToMilliseconds) { EXPECT_EQ(TimeToText(GetParam().time), GetParam().text); }
INSTANTIATE_TEST_SUITE_P(Times, TimeToTextTest,
                         ::testing::Values(TimeCase{0, L"00:00:00.000"}, TimeCase{360000000000LL, L"100:00:00.000"},
                                           TimeCase{5025678901LL, L"01:23:45.678"}, TimeCase{NoValue, L"N/A"},
                                           TimeCase{-1500000, L"-00:00:01.500"}));

TEST(SecondsTextTest, KeepsTheSignOfTimesBeforeZero) {
    EXPECT_EQ(SecondsText(0), L"0.000000");
    EXPECT_EQ(SecondsText(29978), L"0.029978");
    EXPECT_EQ(SecondsText(61000001), L"61.000001");
    EXPECT_EQ(SecondsText(-1500000), L"-1.500000");
    EXPECT_EQ(SecondsText(-20), L"-0.000020");
}

TEST(FrameDurationTest, MicrosecondsPerFrameWith40000ForUnknownRates) {
    EXPECT_EQ(FrameDuration({25, 1}), 40000);
    EXPECT_EQ(FrameDuration({30000, 1001}), 33366);
    EXPECT_EQ(FrameDuration({0, 0}), 40000);
    EXPECT_EQ(FrameDuration({25, 0}), 40000);
}

struct SplitCase {
    const wchar_t* text;
    bool remove;
    const wchar_t* head;
    const wchar_t* rest;
};
class SplitAtFirstTest : public ::testing::TestWithParam<SplitCase> {};
TEST_P(SplitAtFirstTest, CutsAtTheFirstDelimiter) {
    std::wstring text = GetParam().text, head;
    SplitAtFirst(text, L"\n", GetParam().remove, head);
    EXPECT_EQ(head, GetParam().head);
    EXPECT_EQ(text, GetParam().rest);
}
INSTANTIATE_TEST_SUITE_P(Texts, SplitAtFirstTest,
                         ::testing::Values(SplitCase{L"abc\ndef\n", true, L"abc", L"def\n"},
                                           SplitCase{L"abc", true, L"abc", L""},
                                           SplitCase{L"abc\ndef", false, L"abc", L"abc\ndef"}));

TEST(MediaTypeNameTest, NamesTheTypes) {
    EXPECT_EQ(MediaTypeName(0), L"Video");
    EXPECT_EQ(MediaTypeName(1), L"Audio");
    EXPECT_EQ(MediaTypeName(3), L"Subtitle");
    EXPECT_EQ(MediaTypeName(4), L"Attachment");
    EXPECT_EQ(MediaTypeName(-1), L"Unknown");
}

TEST(FileSizeByNameTest, SizeOfAFileAndMinusOneWhenMissing) {
    const std::wstring name = TempFile(L"vantrel-size-\u6d4b\u8bd5.bin");
    WriteBytes(name, "0123456789");
    EXPECT_EQ(FileSizeByName(name), 10);
    DeleteFileW(name.c_str());
    EXPECT_EQ(FileSizeByName(name), -1);
}

TEST(ApplicationPathTest, IsTheFolderOfTheExecutable) {
    const std::wstring path = GetApplicationPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), L'\\');
    EXPECT_EQ(GetApplicationFileName().rfind(path, 0), 0u);
}

struct TUnixTimeCase {
    int64_t Seconds;
    double Days;  // since 1899-12-30, in UTC
};

class UnixToLocalDateTimeTest : public ::testing::TestWithParam<TUnixTimeCase> {};

// Days since 1899-12-30 with the time of day as a fraction, moved by the
// zone's standard bias (daylight saving not applied).
TEST_P(UnixToLocalDateTimeTest, CountsDaysAndShiftsByTheZonesStandardBias) {
    TIME_ZONE_INFORMATION zone{};
    const double bias = GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID ? 0.0 : zone.Bias;
    EXPECT_NEAR(UnixToLocalDateTime(GetParam().Seconds), GetParam().Days - bias / 1440.0, 1e-9);
}
INSTANTIATE_TEST_SUITE_P(Times, UnixToLocalDateTimeTest,
                         ::testing::Values(TUnixTimeCase{0, 25569.0}, TUnixTimeCase{86400, 25570.0},
                                           TUnixTimeCase{-86400, 25568.0}, TUnixTimeCase{43200, 25569.5},
                                           // 2023-11-14 22:13:20
                                           TUnixTimeCase{1700000000, 45244.0 + 80000.0 / 86400.0}));

TEST(DateTimeTextTest, FormatsADateTimeValue) {
    EXPECT_EQ(DateTimeText(L"yyyy-mm-dd hh:nn:ss", 25569.5), L"1970-01-01 12:00:00");
    EXPECT_EQ(DateTimeText(L"yyyy-mm-dd hh:nn:ss", 45000.25), L"2023-03-15 06:00:00");
}

int DispatchedMessages = 0;
LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_APP + 7) ++DispatchedMessages;
    return DefWindowProcW(h, m, w, l);
}

TEST(ProcessMessagesTest, DispatchesWaitingMessagesAndKeepsTheQuitMessage) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VantrelPumpTest";
    RegisterClassW(&wc);
    HWND wnd = CreateWindowW(L"VantrelPumpTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    PostMessageW(wnd, WM_APP + 7, 0, 0);
    PostQuitMessage(7);
    ProcessMessages();
    EXPECT_EQ(DispatchedMessages, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    DestroyWindow(wnd);
}

class ErrorTextTest : public WithLibraries {};

TEST_F(ErrorTextTest, NamesTheFileAndTheMeaningOfTheCode) {
    EXPECT_EQ(ErrorText(L"a.avi", AVERROR(ENOENT)), L"a.avi: No such file or directory");
    EXPECT_EQ(ErrorText(L"a.avi", AVERROR_INVALIDDATA), L"a.avi: Invalid data found when processing input");
    EXPECT_EQ(ErrorText(L"a.avi", AVERROR_EOF), L"a.avi: End of file");
    EXPECT_EQ(ErrorText(L"a.avi", AVERROR_DEMUXER_NOT_FOUND), L"a.avi: Unknown format");
    EXPECT_EQ(ErrorText(L"a.avi", AVERROR_PATCHWELCOME), L"a.avi: Not yet implemented in FFmpeg");
    EXPECT_EQ(ErrorText(L"img.bmp", AVERROR(EDOM)), L"img.bmp: Number syntax expected in filename");
    // Any other code: the library's own text.
    EXPECT_EQ(ErrorText(L"a.avi", AVERROR(EACCES)), L"a.avi: Permission denied");
    EXPECT_EQ(ErrorText(L"a.avi", -123456), L"a.avi: Error number -123456 occurred");
}

class CodecNameTextTest : public WithLibraries {};

TEST_F(CodecNameTextTest, NamesKnownAndUnknownCodecs) {
    EXPECT_EQ(CodecNameText(AV_CODEC_ID_MPEG4, 0, false), L"mpeg4(MPEG-4 part 2)");
    EXPECT_EQ(CodecNameText(AV_CODEC_ID_MPEG2TS, 0, false), L"mpeg2ts");
    EXPECT_EQ(CodecNameText(AV_CODEC_ID_NONE, MKTAG('X', 'V', 'I', 'D'), false), L"XVID / 0x44495658");
    EXPECT_EQ(CodecNameText(AV_CODEC_ID_NONE, 1, false), L"0x0001");
}

class EncoderNameTest : public WithLibraries,
                        public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(EncoderNameTest, OlderNamesFindTheEncoderOfTheirMeaning) {
    EXPECT_STREQ(LibEncoderName(GetParam().first), GetParam().second);
    const AVCodec* codec = FindEncoderByName(GetParam().first);
    ASSERT_NE(codec, nullptr) << GetParam().first;
    EXPECT_STREQ(codec->name, GetParam().second);
}
INSTANTIATE_TEST_SUITE_P(Names, EncoderNameTest,
                         ::testing::Values(std::pair{"libfaac", "aac"}, std::pair{"libxvid", "mpeg4"},
                                           std::pair{"libamr_nb", "libopencore_amrnb"},
                                           std::pair{"msmpeg4v1", "msmpeg4v2"}, std::pair{"libx264", "libx264"}));

class LibraryHelpersTest : public WithLibraries {};

TEST_F(LibraryHelpersTest, MetadataValuesAreReadAsUnicode) {
    AVDictionary* dict = nullptr;
    ff::av_dict_set(&dict, "title", "\xe6\xa0\x87\xe9\xa2\x98", 0);
    EXPECT_EQ(GetMetadataValue(dict, "title", L"none"), L"\u6807\u9898");
    EXPECT_EQ(GetMetadataValue(dict, "album", L"none"), L"none");
    EXPECT_EQ(GetMetadataValue(nullptr, "album", L""), L"");
    ff::av_dict_free(&dict);
}

TEST_F(LibraryHelpersTest, ReadWholeFileAddsAZeroByte) {
    const std::wstring name = TempFile(L"vantrel-whole.txt");
    WriteBytes(name, "preset=1");
    uint8_t* buffer = nullptr;
    int size = 0;
    ASSERT_EQ(ReadWholeFile(WideToAnsi(name).c_str(), buffer, size), 0);
    EXPECT_EQ(size, 9);
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "preset=1");
    ff::av_free(buffer);
    DeleteFileW(name.c_str());
    EXPECT_EQ(ReadWholeFile(WideToAnsi(name).c_str(), buffer, size), -1);
}

}  // namespace
