// Hook modules named by "vhook": loaded by absolute path only, called for
// every decoded picture, refused with the option's message otherwise.
#include <gmock/gmock.h>

#include <cstdio>

#include "TranscodeFixture.h"

namespace {

class VideoHook : public TranscodeFixture {
protected:
    static std::wstring HookDll() {
        wchar_t exe[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring path = exe;
        return path.substr(0, path.find_last_of(L"\\/") + 1) + L"invert_hook.dll";
    }
    // The first picture's luma of a raw 640x480 yuv420p file; empty when unreadable.
    static std::vector<unsigned char> FirstLuma(const std::wstring& AFile) {
        std::vector<unsigned char> luma(640 * 480);
        FILE* f = _wfopen(AFile.c_str(), L"rb");
        if (!f) return {};
        const size_t got = std::fread(luma.data(), 1, luma.size(), f);
        std::fclose(f);
        if (got != luma.size()) luma.clear();
        return luma;
    }
    static double FirstLumaMean(const std::wstring& AFile) {
        const std::vector<unsigned char> luma = FirstLuma(AFile);
        double sum = 0;
        for (unsigned char v : luma) sum += v;
        return luma.empty() ? -1 : sum / luma.size();
    }
    static TOptionList RawOutput() {
        return {{L"f", L"rawvideo"}, {L"vcodec", L"rawvideo"}, {L"pix_fmt", L"yuv420p"}, {L"an", L"1"}, {L"t", L"0.2"}};
    }
    double ConvertRaw(const std::wstring& AName, TOptionList AOptions) {
        TCustomFFmpeg t(4);
        const std::wstring out = folder + AName;
        const TOptionList raw = RawOutput();
        AOptions.insert(AOptions.end(), raw.begin(), raw.end());
        if (!Convert(t, media().Mp4, {}, out, AOptions)) return -1;
        return FirstLumaMean(out);
    }
};

TEST_F(VideoHook, ModuleInvertsTheLumaOfTheOutput) {
    const double plain = ConvertRaw(L"plain.yuv", {});
    const double hooked = ConvertRaw(L"hooked.yuv", {{L"vhook", HookDll() + L"|some argument"}});
    ASSERT_GT(plain, 0);
    ASSERT_GT(hooked, 0);
    EXPECT_NEAR(plain + hooked, 255.0, 1.0);
    EXPECT_GT(std::abs(plain - hooked), 5.0);  // the clip is not mid-grey
}

TEST_F(VideoHook, ApplicationHookDrawsARectangleIntoTheOutput) {
    TCustomFFmpeg t(4);
    int calls = 0;
    t.OnCustomHook = [&](TObject*, HBITMAP ABitmap, int AFrameNumber, int64_t, bool& AUpdate, bool&) {
        ++calls;
        EXPECT_EQ(AFrameNumber, calls);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, ABitmap);
        const RECT r = {0, 0, 64, 64};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SelectObject(dc, old);
        DeleteDC(dc);
        AUpdate = true;
    };
    const std::wstring out = folder + L"rect.yuv";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, RawOutput()));
    EXPECT_EQ(calls, 5);
    const std::vector<unsigned char> luma = FirstLuma(out);
    ASSERT_EQ(luma.size(), 640u * 480);
    double inside = 0;
    for (int y = 4; y < 60; ++y)
        for (int x = 4; x < 60; ++x) inside += luma[y * 640 + x];
    EXPECT_GT(inside / (56 * 56), 230.0);  // white in the rectangle
}

struct THookRefusal {
    const char* Name;
    std::wstring Value;
};
void PrintTo(const THookRefusal& c, std::ostream* os) { *os << c.Name; }

class HookRefusals : public VideoHook, public ::testing::WithParamInterface<THookRefusal> {};

TEST_P(HookRefusals, RaiseTheOptionMessage) {
    TCustomFFmpeg t(4);
    t.InitOptions();
    std::wstring error;
    try {
        t.ParseOption(L"vhook", GetParam().Value);
    } catch (const EEngineError& e) {
        error = e.Message();
    }
    EXPECT_EQ(error, L"Failed to add video hook function: " + GetParam().Value);
    EXPECT_FALSE(t.Fusing_vhook);
}

INSTANTIATE_TEST_SUITE_P(Table, HookRefusals,
                         ::testing::Values(THookRefusal{"RelativeName", L"invert_hook.dll"},
                                           THookRefusal{"Missing", L"C:\\no\\such\\hook.dll"},
                                           THookRefusal{"NoProcessEntry", L"C:\\windows\\system32\\kernel32.dll"},
                                           THookRefusal{"Empty", L""}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
