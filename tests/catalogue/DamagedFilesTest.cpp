// Damaged files through the encoder component as the main window converts
// them: a seeded run of byte damage over the files of the shapes users
// bring. Every task ends, converted or with a failure that says why; none
// crashes or hangs (a watchdog bounds each case) and a failed task leaves
// no output behind. The run takes about two minutes; VANTREL_DAMAGE_CASES
// asks for that many cases instead.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ConversionRoad.h"
#include "RealFiles.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "app/OutputRecord.h"
#include "platform/MainThread.h"
#include "tests/support/Watchdog.h"
#include "tools/testmedia/TestMedia.h"

namespace {

constexpr uint32_t BaseSeed = 20261211;
// Cases in which the run once found a fault, run every time.
const uint32_t KeptSeeds[] = {
    BaseSeed + 558,  // an FLV video timestamp hours past the end: the picture was copied up to it
};
constexpr auto Budget = std::chrono::seconds(120);
constexpr DWORD CaseLimitMs = 60000;
// An MP4 H.264 format, an AVI format and MP3.
const int TargetKeys[] = {800, 100, 200};

std::string ReadAll(const std::wstring& AName) {
    HANDLE h = CreateFileW(AName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

// One case of damage, drawn from its own seed so that any case can be
// repeated alone.
struct TDamage {
    uint32_t Seed;
    size_t Shape;
    int TargetKey;
    std::string Bytes;    // the damaged file
    std::string Summary;  // what was done, for the messages
};

TDamage MakeDamage(uint32_t ASeed) {
    std::mt19937 random(ASeed);
    const auto shapes = realfiles::Shapes();
    TDamage d;
    d.Seed = ASeed;
    d.Shape = random() % shapes.size();
    d.TargetKey = TargetKeys[random() % std::size(TargetKeys)];
    d.Bytes = ReadAll(realfiles::PathOf(shapes[d.Shape]));
    const size_t size = d.Bytes.size();
    // Headers and indexes live at the ends of a file: a third of the
    // damage lands in its first 8 KB, a third in its last 8 KB.
    auto place = [&](size_t ALength) -> size_t {
        const size_t room = size > ALength ? size - ALength : 0;
        const size_t zone = std::min<size_t>(8192, room + 1);
        switch (random() % 3) {
            case 0: return random() % zone;
            case 1: return room - random() % zone;
            default: return random() % (room + 1);
        }
    };
    char text[160];
    switch (random() % 5) {
        case 0: {
            const int flips = 1 + static_cast<int>(random() % 32);
            for (int i = 0; i < flips; ++i) d.Bytes[place(1)] ^= static_cast<char>(1 + random() % 255);
            snprintf(text, sizeof text, "%d bytes flipped", flips);
            break;
        }
        case 1: case 2: {
            const size_t length = std::min<size_t>(16 + random() % 4096, size);
            const size_t at = place(length);
            const bool zeros = random() % 2;
            for (size_t i = 0; i < length; ++i) d.Bytes[at + i] = zeros ? '\0' : static_cast<char>(random());
            snprintf(text, sizeof text, "%zu bytes at %zu %s", length, at, zeros ? "zeroed" : "overwritten");
            break;
        }
        case 3: {
            const size_t at = random() % (size + 1);
            d.Bytes.resize(at);
            snprintf(text, sizeof text, "cut at %zu of %zu bytes", at, size);
            break;
        }
        default: {
            const size_t length = std::min<size_t>(1 + random() % 2048, size);
            const size_t at = place(length);
            d.Bytes.erase(at, length);
            snprintf(text, sizeof text, "%zu bytes at %zu taken out", length, at);
            break;
        }
    }
    d.Summary = std::string("seed ") + std::to_string(ASeed) + ": " + shapes[d.Shape].Name + " to key " +
                std::to_string(d.TargetKey) + ", " + text;
    return d;
}

// The case under way, named when the program crashes.
const char* CurrentCase = nullptr;

LONG WINAPI NameTheCase(EXCEPTION_POINTERS*) {
    if (CurrentCase) std::fprintf(stderr, "crashed converting the damaged file of %s\n", CurrentCase);
    std::fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
}

class DamagedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(realfiles::MakeFiles(), "");
        platform::InitMainThread();
        logger.TriggerEventInMainThread = false;
        logger.SetOnLog([](TObject*, uint32_t, TLogLevel, const std::wstring&) {});
        folder = testmedia::ScratchFolder(L"vantrel-damaged");
        SetUnhandledExceptionFilter(NameTheCase);
    }
    void TearDown() override { testmedia::RemoveFolder(folder); }

    // Converts one damaged file; the stage it ended at ("" when converted).
    std::string Run(const TDamage& AD) {
        SCOPED_TRACE(AD.Summary);
        const realfiles::TShape& shape = realfiles::Shapes()[AD.Shape];
        const std::wstring name = shape.File;
        const std::wstring input = folder + L"damaged" + name.substr(name.rfind(L'.'));
        testmedia::WriteBytes(input, AD.Bytes);
        formats::TFormatSettings s;
        EXPECT_TRUE(road::FormatSettings(AD.TargetKey, input, folder.substr(0, folder.size() - 1), s));
        if (shape.Filters) {
            s.Video_VideoFilters = shape.Filters;
            s.Video_FrameRate.clear();
        }
        TOutputOptions record;
        InitOutputOptions(record);
        formats::FillOutputOptions(s, record);
        const std::wstring output = s.Video_OutPutFileName;
        const Watchdog watchdog(CaseLimitMs, AD.Summary.c_str());
        CurrentCase = AD.Summary.c_str();
        const road::TConversion c = road::Convert(input, output, record);
        CurrentCase = nullptr;
        if (c.Stage.empty()) {
            EXPECT_EQ(c.Notifications, 2);
            EXPECT_GT(FileSizeByName(output), 0) << "converted without an output";
        } else {
            EXPECT_NE(c.Message, L"") << "a failure that does not say why, at " << c.Stage;
            EXPECT_EQ(FileSizeByName(output), -1) << "a failed task left its output, at " << c.Stage << ": "
                                                 << WideToUtf8(c.Message);
            if (c.Stage == "convert") {
                EXPECT_EQ(c.Notifications, 2);
            }
        }
        DeleteFileW(output.c_str());
        DeleteFileW(input.c_str());
        return c.Stage;
    }

    TFFLogger logger;
    std::wstring folder;
};

TEST_F(DamagedFiles, CasesThatOnceFailedEndClearly) {
    for (uint32_t seed : KeptSeeds) Run(MakeDamage(seed));
}

TEST_F(DamagedFiles, EveryTaskEndsClearlyWithoutCrashOrHang) {
    const char* asked = std::getenv("VANTREL_DAMAGE_CASES");
    const int count = asked ? std::atoi(asked) : 0;
    const auto start = std::chrono::steady_clock::now();
    std::map<std::string, int> ends;
    int n = 0;
    for (; count > 0 ? n < count : std::chrono::steady_clock::now() - start < Budget; ++n) {
        ++ends[Run(MakeDamage(BaseSeed + static_cast<uint32_t>(n)))];
        if (HasFailure()) break;
    }
    std::printf("%d damaged files: %d converted, %d refused as input, %d refused for output, %d failed converting\n", n,
                ends[""], ends["input"], ends["output"], ends["convert"]);
    EXPECT_GT(n, 0);
}

}  // namespace
