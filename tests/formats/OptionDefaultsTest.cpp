// The entries the rows select, checked against what the category
// descriptions say each format selects.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/OptionLists.h"

namespace formats {
namespace {

using L = TOptionList;

struct SelectedCase {
    TOptionList List;
    const wchar_t* Text;
    std::vector<int> Keys;
};

std::wstring SelectedText(int key, TOptionList list) {
    const TOptionRow* row = FindOptionRow(key);
    if (!row) return L"<no row>";
    for (std::size_t i = 0; i < FillOrder.size(); ++i) {
        if (FillOrder[i] == list)
            return LabelledList(row->Lists[i].Label).Entries[row->Lists[i].Default];
    }
    return L"<no list>";
}

class SelectedDefaultTest : public ::testing::TestWithParam<SelectedCase> {};

TEST_P(SelectedDefaultTest, KeysSelectTheText) {
    const SelectedCase& c = GetParam();
    for (int key : c.Keys) EXPECT_EQ(SelectedText(key, c.List), c.Text) << key;
}

// Common video and HD formats.
INSTANTIATE_TEST_SUITE_P(
    CommonAndHd, SelectedDefaultTest,
    ::testing::Values(
        SelectedCase{L::Resolution, L"保持原分辨率", {100, 101, 102, 103, 104, 105, 107, 108, 110}},
        SelectedCase{L::Resolution, L"320*240", {106, 113, 114}},
        SelectedCase{L::Resolution, L"480*480", {112}},
        SelectedCase{L::Resolution, L"704*480", {111}},
        SelectedCase{L::VideoBitrate, L"816 kbps", {100, 106, 107, 108}},
        SelectedCase{L::VideoBitrate, L"1200 kbps", {105, 111, 301, 302, 305, 307}},
        SelectedCase{L::VideoBitrate, L"528 kbps", {112, 113, 114}},
        SelectedCase{L::VideoBitrate, L"768 kbps", {101, 103}},
        SelectedCase{L::VideoBitrate, L"1000 kbps", {102, 104}},
        SelectedCase{L::VideoBitrate, L"600 kbps", {110}},
        SelectedCase{L::VideoBitrate, L"1600 kbps", {300, 303, 304, 306, 308, 309}},
        SelectedCase{L::FrameRate, L"25.00", {100, 101, 102, 103, 106, 107, 110, 112, 113, 114}},
        SelectedCase{L::FrameRate, L"保持原帧速率", {104, 108}},
        SelectedCase{L::FrameRate, L"29.97", {105, 111, 300, 302, 304, 305, 306, 307, 308}},
        SelectedCase{L::FrameRate, L"30.00", {301, 303, 309}},
        SelectedCase{L::SampleRate, L"44100", {100, 101, 102, 104, 105, 106, 107, 110, 111, 112, 113, 114}},
        SelectedCase{L::SampleRate, L"48000", {103, 108, 300, 301, 302, 303, 304, 305, 306, 307, 308, 309}},
        SelectedCase{L::Resolution, L"1280*720", {300, 301, 302, 307}},
        SelectedCase{L::Resolution, L"1280*1024", {303, 304, 305, 306, 308, 309, 1404, 1405}},
        SelectedCase{L::AudioBitrate, L"192 kbps", {302, 303, 1405}},
        SelectedCase{L::AudioBitrate, L"160 kbps", {304}},
        SelectedCase{L::AudioBitrate, L"128 kbps", {100, 108, 110, 111, 300, 301, 305, 306, 307, 308, 309}}));

// iPad, iPhone and Apple TV formats.
INSTANTIATE_TEST_SUITE_P(
    Apple, SelectedDefaultTest,
    ::testing::Values(
        SelectedCase{L::Resolution, L"保持原分辨率", {509, 511, 1307, 1309, 1300, 1302, 1304, 1305}},
        SelectedCase{L::Resolution, L"320*240", {507, 800}},
        SelectedCase{L::Resolution, L"480*320", {500, 508}},
        SelectedCase{L::Resolution, L"640*480", {501, 801, 803, 804}},
        SelectedCase{L::Resolution, L"1280*720", {502, 503, 802, 1303, 510, 512, 513, 514, 1308, 1310}},
        SelectedCase{L::Resolution, L"1920*1080", {504, 1306}},
        SelectedCase{L::Resolution, L"720*480", {1301}},
        SelectedCase{L::Resolution, L"720*406", {505, 506}},
        SelectedCase{L::FrameRate, L"29.97", {502, 503, 504, 506, 510, 512, 513, 514, 802, 803, 1308, 1310, 1305}},
        SelectedCase{L::FrameRate, L"25.00", {500, 501, 505, 507, 508, 509, 511, 800, 801, 804, 1307, 1309}},
        SelectedCase{L::FrameRate, L"30.00", {1300, 1301, 1302, 1303, 1304, 1306}},
        SelectedCase{L::AudioBitrate, L"160 kbps", {1303, 1306}},
        SelectedCase{L::AudioBitrate, L"128 kbps", {500, 501, 502, 503, 504, 505, 506, 507, 508, 509, 510, 511, 512, 513, 514, 800, 801, 802, 803, 804, 1300, 1301, 1302, 1304, 1305, 1307, 1308, 1309, 1310}},
        SelectedCase{L::SampleRate, L"44100", {507, 512, 1301, 1305, 1310}},
        SelectedCase{L::SampleRate, L"32000", {1300, 1302}},
        SelectedCase{L::SampleRate, L"24000", {1304}},
        SelectedCase{L::SampleRate, L"48000", {500, 501, 502, 503, 504, 505, 506, 508, 509, 510, 511, 513, 514, 800, 801, 802, 803, 804, 1303, 1306, 1307, 1308, 1309}},
        SelectedCase{L::Aspect, L"宽屏视频16:9模式", {502, 505}},
        SelectedCase{L::VideoBitrate, L"768 kbps", {500, 501, 505, 507, 508, 509, 800, 801}},
        SelectedCase{L::VideoBitrate, L"600 kbps", {804}},
        SelectedCase{L::VideoBitrate, L"2000 kbps", {504}}));

// PSP, Xbox, Flash and SWF formats.
INSTANTIATE_TEST_SUITE_P(
    DevicesAndFlash, SelectedDefaultTest,
    ::testing::Values(
        SelectedCase{L::FrameRate, L"29.97", {600, 601, 602, 603, 604, 900, 908, 1501}},
        SelectedCase{L::VideoBitrate, L"1200 kbps", {602, 900, 901, 902, 904, 905, 908}},
        SelectedCase{L::VideoBitrate, L"512 kbps", {603}},
        SelectedCase{L::Resolution, L"720*480", {604}},
        SelectedCase{L::VideoBitrate, L"1000 kbps", {903}},
        SelectedCase{L::VideoBitrate, L"1800 kbps", {906, 907, 909}},
        SelectedCase{L::FrameRate, L"25.00", {903, 905, 1200, 1201, 1500, 1502, 1504}},
        SelectedCase{L::FrameRate, L"30.00", {901, 902, 904, 906, 907, 909}},
        SelectedCase{L::Resolution, L"640*480", {900, 903, 905}},
        SelectedCase{L::Resolution, L"1280*720", {901, 902, 904, 907, 908, 909, 1501}},
        SelectedCase{L::Resolution, L"1440*1080", {906}},
        SelectedCase{L::AudioBitrate, L"128 kbps", {600, 601, 602, 603, 604, 900, 901, 902, 903, 904, 905, 906, 907, 908, 909}},
        SelectedCase{L::SampleRate, L"48000", {600, 601, 602, 603, 604, 900, 901, 902, 903, 904, 905, 906, 907, 908, 909}},
        SelectedCase{L::SampleRate, L"22050", {1200, 1201, 1202, 1203, 1500, 1501, 1502, 1503, 1504, 1505, 1506}},
        SelectedCase{L::Resolution, L"保持原分辨率", {1200, 1201, 1500, 1504}},
        SelectedCase{L::VideoBitrate, L"816 kbps", {1200, 1201, 1500, 1504}},
        SelectedCase{L::VideoBitrate, L"600 kbps", {1502}},
        SelectedCase{L::Resolution, L"320*240", {1502, 1503}},
        SelectedCase{L::VideoBitrate, L"528 kbps", {1503}},
        SelectedCase{L::FrameRate, L"20.00", {1503}},
        SelectedCase{L::AudioBitrate, L"96 kbps", {1503}}));

// Tablet, Android, smart TV and audio formats.
INSTANTIATE_TEST_SUITE_P(
    TabletsTvAndAudio, SelectedDefaultTest,
    ::testing::Values(
        SelectedCase{L::AudioBitrate, L"128 kbps", {2000, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010, 2011, 3300, 3301, 3302, 3303, 3304, 3305, 3306, 3307, 3308, 3309, 3310, 3311, 3312, 3400, 3401, 3402, 3403, 3404, 3405, 3406, 3407, 3408, 3409, 3410, 3411}},
        SelectedCase{L::Aspect, L"宽屏视频16:9模式", {2001, 2002, 3302, 3307}},
        SelectedCase{L::SampleRate, L"48000", {2001, 2002, 2003, 2004, 3302, 3303, 3304, 3305, 3307, 3400, 3401, 3402, 3403, 3411, 2000, 3300, 3301, 3404, 2007, 3309, 3407}},
        SelectedCase{L::SampleRate, L"22050", {2011, 3310, 3408}},
        SelectedCase{L::SampleRate, L"44100", {2005, 2006, 2008, 2009, 2010, 3306, 3308, 3311, 3312, 3405, 3406, 3409, 3410}},
        SelectedCase{L::Resolution, L"3840*2160", {3401, 3405}},
        SelectedCase{L::AudioBitrate, L"192 kbps", {3000, 3100, 202, 210}},
        SelectedCase{L::SampleRate, L"48000", {3000, 3100, 202, 210, 203, 211}},
        SelectedCase{L::AudioBitrate, L"96 kbps", {3001, 3101}},
        SelectedCase{L::SampleRate, L"22050", {3001, 3101}},
        SelectedCase{L::AudioBitrate, L"128 kbps", {3002, 3003, 3103, 200, 201, 205, 207, 208, 209, 203}},
        SelectedCase{L::SampleRate, L"44100", {3002, 3003, 3102, 3103, 200, 201, 205, 207, 208, 209, 204, 206}},
        SelectedCase{L::AudioBitrate, L"144 kbps", {3102, 2103}},
        SelectedCase{L::AudioBitrate, L"112 kbps", {204, 206}},
        SelectedCase{L::AudioBitrate, L"160 kbps", {211}},
        SelectedCase{L::AudioBitrate, L"7.4 kbps", {212}}));

// MOV, MP4, AVCHD, VOB, MPG and MTS formats.
INSTANTIATE_TEST_SUITE_P(
    Containers, SelectedDefaultTest,
    ::testing::Values(
        SelectedCase{L::Resolution, L"保持原分辨率", {2600, 2603, 1101, 1102, 1103, 1104, 2804, 2103, 1400, 1402, 1403, 2203, 2206, 2208, 2209}},
        SelectedCase{L::VideoBitrate, L"1000 kbps", {2600, 2100, 2103, 1400}},
        SelectedCase{L::VideoBitrate, L"1600 kbps", {2601, 2800, 2801, 2802, 2803, 2201, 2202}},
        SelectedCase{L::VideoBitrate, L"900 kbps", {2602}},
        SelectedCase{L::Resolution, L"640*480", {2602, 2104, 1406}},
        SelectedCase{L::SampleRate, L"48000", {2600, 2601, 2602, 2102, 2103}},
        SelectedCase{L::Resolution, L"320*240", {1100, 2105, 1401, 1407, 2205}},
        SelectedCase{L::VideoBitrate, L"816 kbps", {1100, 2804, 1401, 1402}},
        SelectedCase{L::VideoBitrate, L"1200 kbps", {1101, 1102, 1103, 1104, 2102}},
        SelectedCase{L::FrameRate, L"25.00", {2601, 2804, 1102}},
        SelectedCase{L::FrameRate, L"29.97", {1103, 2100, 2101, 2102, 2103, 2201}},
        SelectedCase{L::FrameRate, L"30.00", {2202}},
        SelectedCase{L::Resolution, L"720*480", {2100, 2102}},
        SelectedCase{L::Resolution, L"704*480", {2200, 2204}},
        SelectedCase{L::VideoBitrate, L"768 kbps", {1403}},
        SelectedCase{L::VideoBitrate, L"600 kbps", {1406}},
        SelectedCase{L::VideoBitrate, L"528 kbps", {1407, 2104, 2105}},
        SelectedCase{L::AudioBitrate, L"96 kbps", {1407, 1605, 1705, 1805, 2603}},
        SelectedCase{L::SampleRate, L"32000", {1407, 1605, 1705, 1805, 2603, 2105}},
        SelectedCase{L::FrameRate, L"保持原帧速率", {2104, 2105}}));

}  // namespace
}  // namespace formats
