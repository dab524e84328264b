#pragma once
// Shared set-up of the transcoder tests: the generated media, a scratch
// folder for the outputs, and helpers that configure and run one task.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "Src/AVProbe.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "tools/testmedia/TestMedia.h"

using TOptionList = std::vector<std::pair<std::wstring, std::wstring>>;

struct TProgressRecord {
    int FileIndex;
    int FrameNumber;
    int64_t CurrentSize;
    int64_t CurrentDuration;
    int64_t TotalDuration;
};

class TranscodeFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto& media = testmedia::StandardMedia();
        ASSERT_TRUE(media.Error.empty()) << media.Error;
    }
    void SetUp() override {
        if (!testmedia::StandardMedia().Error.empty()) GTEST_SKIP() << "no test media";
        logger.TriggerEventInMainThread = false;
        logger.SetOnLog([this](TObject*, uint32_t, TLogLevel l, const std::wstring& m) {
            if (l <= llError) errors.push_back(m);
        });
        folder = testmedia::ScratchFolder(L"vantrel-transcode-" + std::to_wstring(++counter));
    }
    void TearDown() override {
        if (HasFailure())
            for (const auto& e : errors) std::printf("logged: %s\n", WideToUtf8(e).c_str());
        testmedia::RemoveFolder(folder);
    }
    const testmedia::MediaSet& media() const { return testmedia::StandardMedia(); }

    // Opens the input with the options before it, the output with the
    // options after it; false with the reason in AError.
    bool Configure(TCustomFFmpeg& AT, const std::wstring& AInput, const TOptionList& AInputOptions,
                   const std::wstring& AOutput, const TOptionList& AOutputOptions, std::wstring& AError) {
        AT.InitOptions();
        for (const auto& [n, v] : AInputOptions) AT.ParseOption(n, v);
        if (!AT.OpenInput(AInput)) {
            AError = AT.LastErrMsg();
            return false;
        }
        for (const auto& [n, v] : AOutputOptions) AT.ParseOption(n, v);
        if (AT.OpenOutput(AOutput) < 0) {
            AError = AT.LastErrMsg();
            return false;
        }
        return true;
    }

    // Configures the task and converts without a thread; the reason on failure.
    ::testing::AssertionResult Convert(TCustomFFmpeg& AT, const std::wstring& AInput, const TOptionList& AInputOptions,
                                       const std::wstring& AOutput, const TOptionList& AOutputOptions) {
        std::wstring error;
        if (!Configure(AT, AInput, AInputOptions, AOutput, AOutputOptions, error))
            return ::testing::AssertionFailure() << WideToUtf8(error);
        AT.StartConvert(false);
        if (AT.FatalException()) return ::testing::AssertionFailure() << WideToUtf8(AT.FatalMessage());
        return ::testing::AssertionSuccess();
    }

    TFFLogger logger;
    std::vector<std::wstring> errors;
    std::wstring folder;
    static inline int counter = 0;
};

inline std::string U8(const std::wstring& AText) { return WideToUtf8(AText); }

// The same with every logged line kept, whatever its level.
class LoggedTranscodeFixture : public TranscodeFixture {
protected:
    void SetUp() override {
        TranscodeFixture::SetUp();
        logger.SetOnLog([this](TObject*, uint32_t, TLogLevel, const std::wstring& m) { logged.push_back(m); });
    }
    // How many logged lines hold AText.
    size_t Logged(const std::string& AText) const {
        size_t n = 0;
        for (const std::wstring& e : logged) n += U8(e).find(AText) != std::string::npos;
        return n;
    }
    std::vector<std::wstring> logged;
};
