// File names handed to the media libraries: conversions both ways, and files
// with Chinese and non-ANSI names written and read through the libraries.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Src/AVFormatStubs.h"
#include "Src/FFUtils.h"
#include "Src/FFmpegLoader.h"
#include "Src/MyUtils.h"
#include "Src/UnicodeProtocol.h"

namespace {

struct NeedsCase {
    const wchar_t* name;
    bool needs;
};
class NeedsUnicodeNameTest : public ::testing::TestWithParam<NeedsCase> {};
TEST_P(NeedsUnicodeNameTest, DecidesByTheAnsiRoundTrip) { EXPECT_EQ(NeedsUnicodeName(GetParam().name), GetParam().needs); }
INSTANTIATE_TEST_SUITE_P(
    Names, NeedsUnicodeNameTest,
    ::testing::Values(NeedsCase{L"C:\\video\\clip.avi", false}, NeedsCase{L"C:\\\u89c6\u9891\\clip.avi", true},
                      NeedsCase{L"C:\\video\\\u03a9mega.avi", true}, NeedsCase{L"http://host/\u89c6\u9891.flv", false},
                      NeedsCase{L"stream:\u89c6\u9891", false}, NeedsCase{L"HTTP://host/\u89c6\u9891.flv", true}));

class RoundTrip : public ::testing::TestWithParam<const wchar_t*> {};
TEST_P(RoundTrip, LibraryNamesComeBackUnchanged) {
    const std::string lib = ToLibFileName(GetParam());
    EXPECT_EQ(lib, WideToUtf8(GetParam()));
    EXPECT_EQ(FromLibFileName(lib.c_str()), GetParam());
}
INSTANTIATE_TEST_SUITE_P(Names, RoundTrip,
                         ::testing::Values(L"C:\\video\\clip.avi", L"C:\\\u6d4b\u8bd5\u89c6\u9891.mp4",
                                           L"C:\\caf\u00e9\\\u03a9mega.mkv", L"http://host/a.flv"));

TEST(UnicodeNames, TheMarkerFormIsRecognisedAndDecoded) {
    EXPECT_FALSE(IsUnicodeName("unicode:utf8:"));
    EXPECT_TRUE(IsUnicodeName("unicode:utf8:a"));
    EXPECT_FALSE(IsUnicodeName("Unicode:utf8:a"));
    const std::string marked = "unicode:utf8:" + WideToUtf8(L"C:\\\u6d4b\u8bd5.mp4");
    EXPECT_EQ(DecodeUnicodeName(marked.c_str()), L"C:\\\u6d4b\u8bd5.mp4");
    EXPECT_EQ(FromLibFileName(marked.c_str()), L"C:\\\u6d4b\u8bd5.mp4");
    EXPECT_EQ(ToLibFileName(Utf8ToWide(marked)), WideToUtf8(L"C:\\\u6d4b\u8bd5.mp4"));
}

TEST(UnicodeNames, AnsiBytesAreReadInTheAnsiCodePage) {
    const std::string ansi = WideToAnsi(L"caf\u00e9.avi");
    EXPECT_EQ(FromLibFileName(ansi.c_str()), L"caf\u00e9.avi");
}

class LibraryFiles : public ::testing::TestWithParam<const wchar_t*> {
protected:
    static void SetUpTestSuite() {
        FFLoader.SetLibraryPath(std::wstring(VANTREL_DIST_WIN) + L"\\LibAV");
        ASSERT_TRUE(FFLoader.Load(ProbeLibraries)) << WideToUtf8(FFLoader.LastErrMsg());
    }
    static std::wstring TempName(const wchar_t* AName) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        return std::wstring(temp) + AName;
    }
};

TEST_P(LibraryFiles, AreWrittenAndReadUnderTheirOwnNames) {
    const std::wstring name = TempName(GetParam());
    DeleteFileW(name.c_str());
    AVIOContext* io = nullptr;
    ASSERT_GE(ff::avio_open(&io, ToLibFileName(name).c_str(), AVIO_FLAG_WRITE), 0);
    const char data[] = "0123456789";
    ff::avio_write(io, reinterpret_cast<const unsigned char*>(data), 10);
    ff::avio_closep(&io);
    EXPECT_EQ(FileSizeByName(name), 10);  // the wide name exists

    ASSERT_GE(ff::avio_open(&io, ToLibFileName(name).c_str(), AVIO_FLAG_READ), 0);
    EXPECT_EQ(ff::avio_size(io), 10);
    ff::avio_closep(&io);
    DeleteFileW(name.c_str());
}
INSTANTIATE_TEST_SUITE_P(Names, LibraryFiles,
                         ::testing::Values(L"vantrel-\u6d4b\u8bd5\u89c6\u9891.bin", L"vantrel-\u03a9mega-\u0142.bin",
                                           L"vantrel-caf\u00e9.bin"));

TEST_F(LibraryFiles, OpenFailuresCarryTheirOwnReason) {
    const std::wstring missing = TempName(L"vantrel-\u6d4b\u8bd5-missing.bin");
    DeleteFileW(missing.c_str());
    AVIOContext* io = nullptr;
    const int notFound = ff::avio_open(&io, ToLibFileName(missing).c_str(), AVIO_FLAG_READ);
    EXPECT_EQ(notFound, AVERROR(ENOENT));
    EXPECT_EQ(ErrorText(missing, notFound), missing + L": No such file or directory");

    // A folder cannot be opened as a file: that is not a missing file.
    const std::wstring folder = TempName(L"vantrel-\u6d4b\u8bd5-folder");
    CreateDirectoryW(folder.c_str(), nullptr);
    const int denied = ff::avio_open(&io, ToLibFileName(folder).c_str(), AVIO_FLAG_WRITE);
    EXPECT_LT(denied, 0);
    EXPECT_NE(denied, AVERROR(ENOENT));
    EXPECT_EQ(ErrorText(folder, denied).find(L"No such file"), std::wstring::npos) << WideToUtf8(ErrorText(folder, denied));
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
