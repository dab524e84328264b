#pragma once
// Shared set-up of the encoder component tests: the generated media, a
// scratch folder, the UI thread and a component whose tasks can be inspected.
#include <gtest/gtest.h>

#include <string>

#include "Src/DIzizuZUR.h"
#include "Src/MyUtils.h"
#include "platform/MainThread.h"
#include "platform/SysUtils.h"
#include "tools/testmedia/TestMedia.h"

// The component with its tasks visible to the tests.
class TTestEncoder : public TDIzizuZUR {
public:
    using TDIzizuZUR::TDIzizuZUR;
    using TCustomDIzizuZUR::Task;
};

class EncoderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testmedia::StandardMedia().Error.empty()) GTEST_SKIP() << testmedia::StandardMedia().Error;
        platform::InitMainThread();
        folder = testmedia::ScratchFolder(L"vantrel-encoder-" + std::to_wstring(++counter));
    }
    void TearDown() override {
        platform::CheckSynchronize();
        testmedia::RemoveFolder(folder);
    }
    const testmedia::MediaSet& media() const { return testmedia::StandardMedia(); }
    std::wstring Out(const std::wstring& AName) const { return folder + AName; }

    std::wstring folder;
    static inline int counter = 0;
};

inline std::string U8(const std::wstring& AText) { return WideToUtf8(AText); }
