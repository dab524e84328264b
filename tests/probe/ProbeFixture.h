#pragma once
// Shared set-up of the probe tests: the generated media, the loaded
// libraries and a logger that records what reaches it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "tools/testmedia/TestMedia.h"

class ProbeFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto& media = testmedia::StandardMedia();
        ASSERT_TRUE(media.Error.empty()) << media.Error;
    }
    void SetUp() override {
        if (!testmedia::StandardMedia().Error.empty()) GTEST_SKIP() << "no test media";
        logger.TriggerEventInMainThread = false;
        logger.SetOnLog(
            [this](TObject* s, uint32_t, TLogLevel l, const std::wstring& m) { logged.push_back({s, l, m}); });
    }
    const testmedia::MediaSet& media() const { return testmedia::StandardMedia(); }

    struct Entry {
        TObject* sender;
        TLogLevel level;
        std::wstring text;
    };
    // What the given sender logged.
    std::vector<Entry> LoggedBy(TObject* ASender) const {
        std::vector<Entry> out;
        for (const auto& e : logged)
            if (e.sender == ASender) out.push_back(e);
        return out;
    }
    TFFLogger logger;
    std::vector<Entry> logged;
};
