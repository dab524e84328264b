// The logger: levels, the engine's own messages, and library log calls
// assembled into whole lines per thread and handed to the main thread.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "Src/AVUtilStubs.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "platform/MainThread.h"

namespace {

struct Line {
    TObject* sender;
    uint32_t thread;
    TLogLevel level;
    std::wstring text;
    bool onMainThread;
};

// A context the library can name: its first field points to a class record.
AVClass MakeFakeClass() {
    AVClass c{};
    c.class_name = "Fake";
    c.version = LIBAVUTIL_VERSION_INT;
    return c;
}
const AVClass FakeClass = MakeFakeClass();
struct FakeContext {
    const AVClass* cls = &FakeClass;
};

class LoggerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        platform::InitMainThread();
        FFLoader.SetLibraryPath(std::wstring(VANTREL_DIST_WIN) + L"\\LibAV");
        ASSERT_TRUE(FFLoader.Load(avUtil)) << WideToUtf8(FFLoader.LastErrMsg());
    }
    void SetUp() override {
        logger = std::make_unique<TFFLogger>();
        logger->TriggerEventInMainThread = false;
        logger->SetLogLevel(llInfo);
        logger->SetOnLog([this](TObject* s, uint32_t t, TLogLevel l, const std::wstring& m) {
            std::lock_guard<std::mutex> g(lock);
            lines.push_back({s, t, l, m, platform::IsMainThread()});
        });
    }
    void TearDown() override { logger.reset(); }

    std::unique_ptr<TFFLogger> logger;
    std::mutex lock;
    std::vector<Line> lines;
};

TEST(LogLevelConversion, LibraryLevelsMapByTruncatingDivision) {
    EXPECT_EQ(LibToLogLevel(-8), llQuiet);
    EXPECT_EQ(LibToLogLevel(-100), llQuiet);
    EXPECT_EQ(LibToLogLevel(-7), llPanic);
    EXPECT_EQ(LibToLogLevel(7), llPanic);
    EXPECT_EQ(LibToLogLevel(15), llFatal);
    EXPECT_EQ(LibToLogLevel(16), llError);
    EXPECT_EQ(LibToLogLevel(31), llWarning);
    EXPECT_EQ(LibToLogLevel(32), llInfo);
    EXPECT_EQ(LibToLogLevel(40), llVerbose);
    EXPECT_EQ(LibToLogLevel(AV_LOG_TRACE), llDebug);
    EXPECT_EQ(LogLevelToLib(llQuiet), -8);
    EXPECT_EQ(LogLevelToLib(llDebug), 48);
}

TEST_F(LoggerTest, BecomesTheProcessWideLoggerAndRefusesASecond) {
    EXPECT_EQ(GlobalLogger(), logger.get());
    EXPECT_THROW(TFFLogger second, EAssertionFailed);
    EXPECT_EQ(GlobalLogger(), logger.get());
    logger.reset();
    EXPECT_NE(GlobalLogger(), nullptr);  // the start-up logger takes over
}

TEST_F(LoggerTest, OptLogLevelTakesNamesAndNumbers) {
    logger->OptLogLevel(L"WARNING");
    EXPECT_EQ(logger->LogLevel(), llWarning);
    EXPECT_EQ(ff::av_log_get_level(), 24);
    EXPECT_EQ(LibraryLogLevelMirror(), 24);
    logger->OptLogLevel(L"20");
    EXPECT_EQ(logger->LogLevel(), llError);
    logger->OptLogLevel(L"-8");
    EXPECT_EQ(logger->LogLevel(), llQuiet);
    logger->OptLogLevel(L"100");
    EXPECT_EQ(logger->LogLevel(), llDebug);
    EXPECT_THROW(logger->OptLogLevel(L"loud"), std::invalid_argument);
}

struct FilterCase {
    TLogLevel loggerLevel;
    TLogLevel messageLevel;
    bool passes;
};
class LogFilter : public LoggerTest, public ::testing::WithParamInterface<FilterCase> {};
TEST_P(LogFilter, PassesByLevelAndVerboseAtAnyLevelButQuiet) {
    logger->SetLogLevel(GetParam().loggerLevel);
    TObject sender;
    logger->Log(&sender, GetParam().messageLevel, L"message");
    ASSERT_EQ(lines.size(), GetParam().passes ? 1u : 0u);
    if (!lines.empty()) {
        EXPECT_EQ(lines[0].sender, &sender);
        EXPECT_EQ(lines[0].level, GetParam().messageLevel);
        EXPECT_EQ(lines[0].thread, GetCurrentThreadId());
    }
}
INSTANTIATE_TEST_SUITE_P(Levels, LogFilter,
                         ::testing::Values(FilterCase{llInfo, llInfo, true}, FilterCase{llInfo, llError, true},
                                           FilterCase{llInfo, llDebug, false}, FilterCase{llWarning, llVerbose, true},
                                           FilterCase{llWarning, llDebug, false}, FilterCase{llQuiet, llVerbose, false},
                                           FilterCase{llQuiet, llError, false}));

TEST_F(LoggerTest, FormattedMessages) {
    logger->Log(nullptr, llError, "stream #%d is not %s stream.", 3, "audio");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, L"stream #3 is not audio stream.");
}

TEST_F(LoggerTest, LibraryCallsAboveTheLevelAreDropped) {
    ff::av_log(nullptr, AV_LOG_VERBOSE, "verbose\n");
    ff::av_log(nullptr, AV_LOG_INFO, "info\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, L"info");
    EXPECT_EQ(lines[0].sender, logger.get());
    EXPECT_EQ(lines[0].level, llInfo);
}

TEST_F(LoggerTest, PiecesOfALineGetOnePrefix) {
    FakeContext ctx;
    ff::av_log(&ctx, AV_LOG_ERROR, "first ");
    EXPECT_TRUE(lines.empty());
    ff::av_log(&ctx, AV_LOG_ERROR, "second\n");
    ASSERT_EQ(lines.size(), 1u);
    char prefix[64];
    // The address in as many hex digits as a pointer has.
#ifdef _WIN64
    const char* form = "[Fake @ %016llX]";
#else
    const char* form = "[Fake @ %08llX]";
#endif
    snprintf(prefix, sizeof prefix, form, static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&ctx)));
    EXPECT_EQ(lines[0].text, Utf8ToWide(prefix) + L"first second");
    EXPECT_EQ(lines[0].level, llError);
}

TEST_F(LoggerTest, OneCallWithTwoLineFeedsGivesTwoLinesAndKeepsTheRest) {
    ff::av_log(nullptr, AV_LOG_WARNING, "one\ntwo\nthr");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, L"one");
    EXPECT_EQ(lines[1].text, L"two");
    ff::av_log(nullptr, AV_LOG_WARNING, "ee\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].text, L"three");
}

TEST_F(LoggerTest, LoadingAVUtilAgainInstallsTheCallbackAgain) {
    ff::av_log_set_callback(ff::av_log_default_callback);
    ff::av_log(nullptr, AV_LOG_ERROR, "lost\n");
    EXPECT_TRUE(lines.empty());
    ASSERT_TRUE(FFLoader.Load(avUtil));
    ff::av_log(nullptr, AV_LOG_ERROR, "kept\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, L"kept");
}

TEST_F(LoggerTest, LongMessagesAreDeliveredWhole) {
    const std::string longText(5000, 'x');
    ff::av_log(nullptr, AV_LOG_ERROR, "%s\n", longText.c_str());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, std::wstring(5000, L'x'));
}

TEST_F(LoggerTest, LinesOfTwoThreadsStayApartAndReachTheMainThread) {
    logger->TriggerEventInMainThread = true;
    HANDLE step[4];
    for (HANDLE& h : step) h = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    uint32_t idA = 0, idB = 0;
    // A and B take turns: A part 1, B part 1, A part 2, B part 2.
    std::thread a([&] {
        idA = GetCurrentThreadId();
        ff::av_log(nullptr, AV_LOG_ERROR, "A1 ");
        SetEvent(step[0]);
        WaitForSingleObject(step[1], INFINITE);
        ff::av_log(nullptr, AV_LOG_ERROR, "A2\n");
        SetEvent(step[2]);
    });
    std::thread b([&] {
        idB = GetCurrentThreadId();
        WaitForSingleObject(step[0], INFINITE);
        ff::av_log(nullptr, AV_LOG_WARNING, "B1 ");
        SetEvent(step[1]);
        WaitForSingleObject(step[2], INFINITE);
        ff::av_log(nullptr, AV_LOG_WARNING, "B2\n");
        ff::av_log(nullptr, AV_LOG_DEBUG, "dropped\n");
        SetEvent(step[3]);
    });
    EXPECT_EQ(platform::PumpingWait(step[3], 10000), WAIT_OBJECT_0);
    a.join();
    b.join();
    for (HANDLE h : step) CloseHandle(h);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, L"A1 A2");
    EXPECT_EQ(lines[0].thread, idA);
    EXPECT_EQ(lines[0].level, llError);
    EXPECT_EQ(lines[1].text, L"B1 B2");
    EXPECT_EQ(lines[1].thread, idB);
    EXPECT_EQ(lines[1].level, llWarning);
    EXPECT_TRUE(lines[0].onMainThread);
    EXPECT_TRUE(lines[1].onMainThread);
}

}  // namespace
