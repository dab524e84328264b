// Guards the dependency build: the staged LibAV set loads under Windows and
// offers every encoder the format presets rely on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Library {
    HMODULE h = nullptr;
    ~Library() { if (h) FreeLibrary(h); }
};

using FindEncoderByName = const void* (*)(const char*);

class LibAVEncoders : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        const std::wstring dir = std::wstring(VANTREL_DIST_WIN) + L"\\LibAV";
        SetDllDirectoryW(dir.c_str());
        avcodec_.h = LoadLibraryW((dir + L"\\avcodec-59.dll").c_str());
        if (avcodec_.h)
            find_ = reinterpret_cast<FindEncoderByName>(
                reinterpret_cast<void*>(GetProcAddress(avcodec_.h, "avcodec_find_encoder_by_name")));
    }
    static Library avcodec_;
    static FindEncoderByName find_;
};

Library LibAVEncoders::avcodec_;
FindEncoderByName LibAVEncoders::find_ = nullptr;

TEST_P(LibAVEncoders, EncoderIsPresent) {
    ASSERT_NE(avcodec_.h, nullptr) << "LibAV\\avcodec-59.dll did not load";
    ASSERT_NE(find_, nullptr);
    EXPECT_NE(find_(GetParam()), nullptr) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(PresetEncoders, LibAVEncoders,
                         ::testing::Values("libx264", "libmp3lame", "libopencore_amrnb", "libvorbis", "aac",
                                           "mpeg4", "msmpeg4v2", "wmv2", "wmav2", "mpeg2video", "ac3", "mp2",
                                           "flac", "alac", "rv20", "h263"));

TEST(LibAVSet, EveryLibraryOfTheSetLoads) {
    const std::wstring dir = std::wstring(VANTREL_DIST_WIN) + L"\\LibAV";
    SetDllDirectoryW(dir.c_str());
    for (const wchar_t* name : {L"avutil-57.dll", L"swresample-4.dll", L"swscale-6.dll", L"avcodec-59.dll",
                                L"avformat-59.dll", L"avfilter-8.dll", L"avdevice-59.dll", L"SDL.dll"}) {
        HMODULE h = LoadLibraryW((dir + L"\\" + name).c_str());
        EXPECT_NE(h, nullptr) << "cannot load " << name
                              << " error " << GetLastError();
        if (h) FreeLibrary(h);
    }
}

}  // namespace
