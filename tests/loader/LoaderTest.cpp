// The library loader: loading the staged LibAV sets, binding, PATH and the
// working folder, failed loads and their unwinding, the control word.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ChildProcess.h"
#include "Src/AVCodecStubs.h"
#include "Src/AVFilterStubs.h"
#include "Src/AVProbe.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "Src/SwResampleStubs.h"
#include "Src/libsdl.h"

using ::testing::HasSubstr;

namespace {

const std::wstring LibAVFolder = std::wstring(VANTREL_DIST_WIN) + L"\\LibAV";

int CountOccurrences(std::wstring AText, std::wstring APart) {
    CharLowerBuffW(AText.data(), static_cast<DWORD>(AText.size()));
    CharLowerBuffW(APart.data(), static_cast<DWORD>(APart.size()));
    int n = 0;
    for (size_t at = AText.find(APart); at != std::wstring::npos; at = AText.find(APart, at + 1)) ++n;
    return n;
}

std::wstring CurrentFolder() {
    wchar_t buffer[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return buffer;
}

TEST(LibraryTable, FileNamesCarryTheVersionsOfTheStagedSet) {
    EXPECT_EQ(LibraryFileName(avCodec), L"avcodec-59.dll");
    EXPECT_EQ(LibraryFileName(avFormat), L"avformat-59.dll");
    EXPECT_EQ(LibraryFileName(avUtil), L"avutil-57.dll");
    EXPECT_EQ(LibraryFileName(swScale), L"swscale-6.dll");
    EXPECT_EQ(LibraryFileName(avFilter), L"avfilter-8.dll");
    EXPECT_EQ(LibraryFileName(swResample), L"swresample-4.dll");
    EXPECT_EQ(LibraryFileName(myUtil), L"msvcrt.dll");
    EXPECT_EQ(LibraryFileName(lbSDL), L"SDL.dll");
}

TEST(LibrarySets, MembersMatchTheComponents) {
    EXPECT_EQ(ProbeLibraries.Bits(), 0x79);
    EXPECT_TRUE(TranscoderLibraries.Contains(avFilter));
    EXPECT_TRUE(TranscoderLibraries.Contains(swResample));
    EXPECT_FALSE(TranscoderLibraries.Contains(lbSDL));
    EXPECT_TRUE(PlayerLibraries.Contains(lbSDL));
    for (TLibraries set : {ProbeLibraries, TranscoderLibraries, PlayerLibraries}) EXPECT_FALSE(set.Contains(avDevice));
}

TEST(Loader, LoadsThePlayerSetFromTheFolderWithoutMovingTheWorkingFolder) {
    const std::wstring before = CurrentFolder();
    FFLoader.SetLibraryPath(LibAVFolder);
    ASSERT_TRUE(FFLoader.Load(PlayerLibraries)) << WideToUtf8(FFLoader.LastErrMsg());
    EXPECT_TRUE(FFLoader.Loaded(PlayerLibraries));
    EXPECT_EQ(CurrentFolder(), before);
    EXPECT_NE(ff::avcodec_find_encoder_by_name, nullptr);
    EXPECT_NE(ff::avcodec_find_encoder_by_name("mpeg4"), nullptr);
    EXPECT_NE(ff::swr_alloc_set_opts2, nullptr);
    EXPECT_NE(ff::SDL_LockMutex, nullptr);
    EXPECT_EQ(ff::SDL_LockMutex, ff::SDL_mutexP);
    // The modules came from the staged folder.
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(GetModuleHandleW(L"avcodec-59.dll"), path, MAX_PATH);
    EXPECT_EQ(CountOccurrences(path, LibAVFolder), 1);
}

TEST(Loader, PathGetsTheFolderOnce) {
    FFLoader.SetLibraryPath(LibAVFolder);
    ASSERT_TRUE(FFLoader.Load(TranscoderLibraries));
    DWORD code = 0;
    HMODULE again = LoadLibraryFromFolder(LibAVFolder, L"avutil-57.dll", code);
    ASSERT_NE(again, nullptr);
    FreeLibrary(again);
    EXPECT_EQ(CountOccurrences(EnvValue(L"PATH"), LibAVFolder + L"\\"), 1) << WideToUtf8(EnvValue(L"PATH"));
}

TEST(Loader, UnloadEmptiesTheEntryPointsAndLoadBindsThemAgain) {
    FFLoader.SetLibraryPath(LibAVFolder);
    ASSERT_TRUE(FFLoader.Load(ProbeLibraries));
    FFLoader.Unload(avFilter);  // nothing of the probe set depends on it
    EXPECT_FALSE(FFLoader.Loaded(avFilter));
    EXPECT_EQ(ff::avfilter_graph_alloc, nullptr);
    EXPECT_TRUE(FFLoader.Loaded(ProbeLibraries));
    ASSERT_TRUE(FFLoader.Load(avFilter));
    EXPECT_NE(ff::avfilter_graph_alloc, nullptr);
}

TEST(Loader, EmptySetsAreAProgrammingError) {
    EXPECT_THROW(FFLoader.Load(TLibraries{}), EAssertionFailed);
    EXPECT_THROW(FFLoader.Loaded(TLibraries{}), EAssertionFailed);
    EXPECT_THROW(FFLoader.Unload(TLibraries{}), EAssertionFailed);
}

TEST(Binder, MissingNamesRaiseTheLoaderMessages) {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    void (*fn)() = nullptr;
    try {
        BindFunction(L"kernel32.dll", kernel, "NoSuchEntryPoint", false, fn);
        FAIL() << "no exception";
    } catch (const EEngineError& e) {
        EXPECT_THAT(WideToUtf8(e.Message()), HasSubstr("Load function NoSuchEntryPoint@kernel32.dll error: "));
    }
    int* var = nullptr;
    try {
        BindVariable(L"kernel32.dll", kernel, "NoSuchVariable", false, var);
        FAIL() << "no exception";
    } catch (const EEngineError& e) {
        EXPECT_THAT(WideToUtf8(e.Message()), HasSubstr("Load variable NoSuchVariable@kernel32.dll error: "));
    }
    BindFunction(L"kernel32.dll", kernel, "NoSuchEntryPoint", true, fn);  // optional: no exception
    EXPECT_EQ(fn, nullptr);
}

TEST(StartUp, FloatingPointExceptionsAreMasked) {
    EXPECT_EQ(CurrentFPUControlWord() & 0x1F3F, EngineFPUControlWord & 0x1F3F);
    volatile double zero = 0.0;
    EXPECT_TRUE(std::isinf(1.0 / zero));
}

// ---- cases that need a fresh process ------------------------------------

struct FailedLoadCase {
    const char* name;
    TLibraries set;
    const wchar_t* removed;
};

class FailedSetLoad : public ::testing::TestWithParam<FailedLoadCase> {};

TEST_P(FailedSetLoad, NamesTheMissingFileAndLeavesNothingLoaded) {
    const FailedLoadCase& c = GetParam();
    const TempLibraryFolder copy(LibAVFolder, {c.removed});
    const std::wstring& folder = copy.Path();
    const ChildResult r = RunSelf(L"LoaderChild.*", {L"VANTREL_CHILD=failed-set", L"VANTREL_CHILD_FOLDER=" + folder,
                                                     L"VANTREL_CHILD_SET=" + std::to_wstring(c.set.Bits()),
                                                     L"VANTREL_CHILD_MISSING=" + std::wstring(c.removed)});
    EXPECT_EQ(r.ExitCode, 0u) << r.Output;
}

INSTANTIATE_TEST_SUITE_P(Sets, FailedSetLoad,
                         ::testing::Values(FailedLoadCase{"ProbeWithoutSwScale", ProbeLibraries, L"swscale-6.dll"},
                                           FailedLoadCase{"TranscoderWithoutAVCodec", TranscoderLibraries,
                                                          L"avcodec-59.dll"},
                                           FailedLoadCase{"PlayerWithoutSDL", PlayerLibraries, L"SDL.dll"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FailedLoad, KeepsTheLibrariesOfAnEarlierSet) {
    const TempLibraryFolder copy(LibAVFolder, {L"SDL.dll"});
    const std::wstring& folder = copy.Path();
    const ChildResult r =
        RunSelf(L"LoaderChild.*", {L"VANTREL_CHILD=keep-earlier", L"VANTREL_CHILD_FOLDER=" + folder});
    EXPECT_EQ(r.ExitCode, 0u) << r.Output;
}

TEST(FailedLoad, AModuleWithoutARequiredNameIsUnboundAndFreed) {
    // A library that is not swresample, under swresample's file name.
    const TempLibraryFolder copy(LibAVFolder, {});
    const std::wstring& folder = copy.Path();
    ASSERT_TRUE(CopyFileW((folder + L"zlib1.dll").c_str(), (folder + L"swresample-4.dll").c_str(), FALSE));
    const ChildResult r = RunSelf(L"LoaderChild.*", {L"VANTREL_CHILD=bad-module", L"VANTREL_CHILD_FOLDER=" + folder});
    EXPECT_EQ(r.ExitCode, 0u) << r.Output;
}

TEST(WithoutLibraries, TheLoggerAndTheProbeRefuseToWork) {
    const ChildResult r = RunSelf(L"LoaderChild.*", {L"VANTREL_CHILD=unloaded"});
    EXPECT_EQ(r.ExitCode, 0u) << r.Output;
}

// Runs only inside the child processes started above.
TEST(LoaderChild, Run) {
    const std::wstring mode = EnvValue(L"VANTREL_CHILD");
    if (mode.empty()) GTEST_SKIP() << "runs only as a child process";
    const std::wstring folder = EnvValue(L"VANTREL_CHILD_FOLDER");
    FFLoader.SetLibraryPath(folder);
    if (mode == L"failed-set") {
        TLibraries set;
        const int bits = std::stoi(EnvValue(L"VANTREL_CHILD_SET"));
        for (int i = 0; i < LibraryCount; ++i)
            if (bits & (1 << i)) set = set + TLibraries{static_cast<TLibrary>(i)};
        const std::wstring missing = EnvValue(L"VANTREL_CHILD_MISSING");
        EXPECT_FALSE(FFLoader.Load(set));
        EXPECT_THAT(WideToUtf8(FFLoader.LastErrMsg()),
                    HasSubstr("Load library " + WideToUtf8(folder + missing) + " error: "));
        for (int i = 0; i < LibraryCount; ++i) {
            const TLibrary lib = static_cast<TLibrary>(i);
            EXPECT_FALSE(FFLoader.Loaded(lib)) << i;
            if (lib != myUtil) {  // the program itself uses the C run-time
                EXPECT_EQ(GetModuleHandleW(LibraryFileName(lib).c_str()), nullptr) << WideToUtf8(LibraryFileName(lib));
            }
        }
        EXPECT_EQ(ff::avcodec_open2, nullptr);
        EXPECT_EQ(ff::av_malloc, nullptr);
    } else if (mode == L"keep-earlier") {
        ASSERT_TRUE(FFLoader.Load(ProbeLibraries)) << WideToUtf8(FFLoader.LastErrMsg());
        EXPECT_FALSE(FFLoader.Load(PlayerLibraries));
        EXPECT_THAT(WideToUtf8(FFLoader.LastErrMsg()), HasSubstr("SDL.dll"));
        EXPECT_TRUE(FFLoader.Loaded(ProbeLibraries));
        EXPECT_FALSE(FFLoader.Loaded(avFilter));
        EXPECT_EQ(GetModuleHandleW(L"avfilter-8.dll"), nullptr);
        ASSERT_NE(ff::avcodec_find_decoder, nullptr);
        EXPECT_NE(ff::avcodec_find_decoder(AV_CODEC_ID_MPEG4), nullptr);
    } else if (mode == L"bad-module") {
        EXPECT_FALSE(FFLoader.Load(swResample));
        EXPECT_THAT(WideToUtf8(FFLoader.LastErrMsg()), HasSubstr("Load function swr_alloc@swresample-4.dll error: "));
        EXPECT_FALSE(FFLoader.Loaded(swResample));
        EXPECT_EQ(ff::swr_alloc, nullptr);
        EXPECT_EQ(GetModuleHandleW(L"swresample-4.dll"), nullptr);
    } else if (mode == L"unloaded") {
        TFFLogger logger;
        EXPECT_THROW(logger.InstallAVLogCallback(), EAssertionFailed);
        TAVProbe probe;
        try {
            probe.LoadFile(L"clip.mp4");
            FAIL() << "no exception";
        } catch (const EEngineError& e) {
            EXPECT_EQ(e.Message(), L"LibAVCodec not loaded.");
        }
        EXPECT_EQ(probe.FileHandle(), nullptr);
    } else {
        FAIL() << "unknown child mode";
    }
}

}  // namespace
