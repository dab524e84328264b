// The preset table against the grouped form of the presets: rows with equal
// encoder settings and rows with equal starting values of the six option
// fields.

#include "app/EncoderPresets.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace formats {
namespace {

const wchar_t* const kSame = nullptr;  // Video_FileExt equals the output extension

struct EncoderGroup {
    const wchar_t* OutputExt;
    const wchar_t* VideoCodec;
    const wchar_t* Tag;
    const wchar_t* AudioCodec;
    const wchar_t* Channels;
    const wchar_t* FileExt;
    const wchar_t* Target;
    const wchar_t* Norm;
    bool AudioOnly;
    std::vector<int> Keys;
};

const EncoderGroup kEncoderGroups[] = {
    {L".3gp", L"mpeg4", L"", L"libfaac", L"1", kSame, L"", L"", false, {109, 2207}},
    {L".aac", L"", L"", L"libfaac", L"2", kSame, L"", L"", true, {203}},
    {L".ac3", L"", L"", L"ac3", L"2", kSame, L"", L"", true, {207}},
    {L".aiff", L"", L"", L"", L"2", kSame, L"", L"", true, {208}},
    {L".amr", L"", L"", L"libopencore_amrnb", L"1", kSame, L"", L"", true, {212}},
    {L".asf", L"msmpeg4", L"", L"wmav2", L"2", kSame, L"", L"", false, {108, 305}},
    {L".avi", L"libx264", L"", L"libmp3lame", L"2", kSame, L"", L"", false,
     {1601, 2201, 2700, 2800, 3300, 3400}},
    {L".avi", L"libxvid", L"", L"libmp3lame", L"2", kSame, L"", L"", false,
     {104, 301, 511, 1309, 1603, 1606, 2006, 2206, 2801, 3405}},
    {L".avi", L"mpeg4", L"", L"libmp3lame", L"2", kSame, L"", L"", false, {300, 2000, 3301, 3404}},
    {L".avi", L"mpeg4", L"DX50", L"libfaac", L"2", kSame, L"", L"", false, {1310}},
    {L".avi", L"mpeg4", L"DX50", L"libmp3lame", L"2", kSame, L"", L"", false,
     {102, 512, 1600, 1604, 2005, 2202, 2802}},
    {L".avi", L"mpeg4", L"XVID", L"libmp3lame", L"2", kSame, L"", L"", false,
     {100, 1602, 1605, 2200}},
    {L".avi", L"msmpeg4", L"", L"libmp3lame", L"2", kSame, L"", L"", false, {513, 908}},
    {L".avi", L"msmpeg4v2", L"", L"libmp3lame", L"2", kSame, L"", L"", false, {907}},
    {L".avi", L"wmv2", L"", L"libmp3lame", L"2", kSame, L"", L"", false, {906}},
    {L".flac", L"", L"", L"flac", L"2", kSame, L"", L"", true, {210}},
    {L".flv", L"", L"", L"libmp3lame", L"2", kSame, L"", L"", false,
     {1200, 1504, 2011, 2209, 3310, 3408}},
    {L".flv", L"", L"", L"libmp3lame", L"2", L"", L"", L"", true, {1202, 1506}},
    {L".m4a", L"", L"", L"", L"2", kSame, L"", L"", true, {204, 211}},
    {L".mkv", L"libx264", L"", L"libmp3lame", L"2", kSame, L"", L"", false, {1701, 2702}},
    {L".mkv", L"libxvid", L"", L"libmp3lame", L"2", kSame, L"", L"", false,
     {1703, 1706, 2010, 3308}},
    {L".mkv", L"mpeg4", L"", L"libfaac", L"2", kSame, L"", L"", false, {309}},
    {L".mkv", L"mpeg4", L"", L"libmp3lame", L"2", kSame, L"", L"", false, {105, 1700}},
    {L".mkv", L"mpeg4", L"DX50", L"libmp3lame", L"2", kSame, L"", L"", false, {1704}},
    {L".mkv", L"mpeg4", L"XVID", L"libmp3lame", L"2", kSame, L"", L"", false, {1702, 1705, 3406}},
    {L".mov", L"", L"", L"libfaac", L"2", kSame, L"", L"", false,
     {103, 304, 509, 510, 1307, 1308, 2007, 2600, 2601, 2602, 2603, 3309, 3407}},
    {L".mp2", L"", L"", L"", L"2", kSame, L"", L"", true, {209}},
    {L".mp3", L"", L"", L"libmp3lame", L"2", kSame, L"", L"", true,
     {200, 3000, 3001, 3002, 3003, 3312}},
    {L".mp4", L"libx264", L"", L"libfaac", L"2", kSame, L"", L"", false,
     {503, 504, 506, 601, 602, 604, 800, 801, 802, 900, 1103, 1301, 1303, 1306, 2004, 3305, 3403,
     3411}},
    {L".mp4", L"libx264", L"", L"libmp3lame", L"2", kSame, L"", L"", false,
     {302, 1102, 1104, 2701, 2703, 2803}},
    {L".mp4", L"libxvid", L"", L"libfaac", L"2", kSame, L"", L"", false,
     {501, 603, 804, 1302, 2003, 3304, 3402}},
    {L".mp4", L"mpeg4", L"", L"libfaac", L"2", kSame, L"", L"", false,
     {500, 502, 505, 507, 508, 600, 803, 904, 1300, 1304, 1305, 2001, 2002, 3302, 3303, 3307,
     3401}},
    {L".mp4", L"mpeg4", L"", L"libmp3lame", L"2", kSame, L"", L"", false,
     {101, 303, 903, 1100, 1101, 1403, 1405, 2205, 2804}},
    {L".mp4", L"msmpeg4v1", L"", L"libmp3lame", L"2", kSame, L"", L"", false, {909}},
    {L".mpeg", L"mpeg2video", L"", L"ac3", L"2", kSame, L"", L"", false, {901}},
    {L".mpg", L"mpeg1video", L"", L"", L"2", kSame, L"", L"", false, {106, 1400, 1401}},
    {L".mpg", L"mpeg2video", L"", L"ac3", L"2", kSame, L"", L"", false, {902}},
    {L".mpg", L"mpeg2video", L"", L"mp2", L"2", kSame, L"", L"", false, {308, 1404}},
    {L".mpg", L"mpeg2video", L"", L"", L"2", kSame, L"", L"", false,
     {107, 1402, 1406, 1407, 2009, 2203, 2204, 3306, 3410}},
    {L".mpg", L"", L"", L"", L"", L"", L"dvd", L"PAL", false, {111, 1408, 2210}},
    {L".mpg", L"", L"", L"", L"", L"", L"svcd", L"PAL", false, {112, 1409, 2211}},
    {L".mpg", L"", L"", L"", L"", L"", L"vcd", L"PAL", false, {113, 1410, 2212}},
    {L".ogg", L"", L"", L"libvorbis", L"2", kSame, L"", L"", true, {205}},
    {L".ra", L"", L"", L"", L"2", L".rm", L"", L"", true, {206}},
    {L".rm", L"rv20", L"", L"", L"", L"", L"", L"", false, {114}},
    {L".swf", L"", L"", L"libmp3lame", L"2", kSame, L"", L"", false,
     {1201, 1500, 1501, 1502, 1503}},
    {L".swf", L"", L"", L"libmp3lame", L"2", L"", L"", L"", true, {1203, 1505}},
    {L".vob", L"", L"", L"ac3", L"2", kSame, L"", L"", false,
     {307, 2100, 2101, 2102, 2103, 2104, 2105}},
    {L".wav", L"", L"", L"", L"2", kSame, L"", L"", true, {202, 3100, 3101, 3102, 3103}},
    {L".wma", L"", L"", L"wmav2", L"2", kSame, L"", L"", true, {201}},
    {L".wmv", L"wmv2", L"", L"wmav2", L"2", kSame, L"", L"", false,
     {110, 514, 905, 1800, 1801, 1802, 1803, 1804, 1805, 1806, 2008, 2208, 3311, 3409}},
    {L".wmv", L"wmv2", L"", L"wmav2", L"2", L".asf", L"", L"", false, {306}},
};

struct StartGroup {
    int VideoBitrate;
    const wchar_t* FrameSize;
    const wchar_t* FrameRate;
    const wchar_t* Aspect;
    const wchar_t* SampleRate;
    int AudioBitrate;
    std::vector<int> Keys;
};

const StartGroup kStartGroups[] = {
    {816000, L"", L"25", L"", L"44100", 128000,
     {100, 101, 102, 103, 104, 107, 108, 110, 1402, 1403, 1406, 1407, 1600, 1602, 1603, 1604,
     1605, 1700, 1702, 1703, 1704, 1705, 1800, 2200, 2205, 2208, 2600, 2602, 2801, 2802, 2804}},
    {-1, L"", L"", L"", L"48000", 128000,
     {200, 201, 202, 203, 204, 205, 206, 207, 208, 210, 211, 3000, 3001, 3002, 3003, 3100, 3101,
     3102, 3103}},
    {1600000, L"1280*720", L"25", L"", L"48000", 128000,
     {300, 301, 303, 304, 305, 306, 307, 308, 1404, 1405, 1606, 1706, 2105, 2601, 2700, 2800}},
    {-1000, L"", L"", L"", L"", -1000, {111, 112, 113, 1408, 1409, 1410, 2210, 2211, 2212}},
    {1600000, L"1280*720", L"25", L"", L"48000", 256000, {302, 1601, 1701, 2701, 2702, 2703, 2803}},
    {1200000, L"", L"25", L"", L"44100", 128000, {105, 1102, 1104, 2204, 3409, 3410}},
    {1200000, L"1280*720", L"25", L"", L"48000", 128000, {904, 906, 907, 908, 909}},
    {528000, L"", L"25", L"", L"22050", 128000, {1201, 1500, 1501, 1502, 1503}},
    {-1, L"", L"", L"", L"22050", 128000, {1202, 1203, 1505, 1506}},
    {1600000, L"1280*720", L"30", L"", L"48000", 128000, {1801, 1806, 2101, 2102}},
    {528000, L"", L"25", L"", L"44100", 128000, {106, 1400, 1401}},
    {768000, L"", L"25", L"", L"48000", 128000, {509, 1307, 2007}},
    {816000, L"", L"25", L"", L"48000", 128000, {511, 1309, 3301}},
    {1200000, L"1280*720", L"29.97", L"", L"44100", 128000, {512, 1310, 3406}},
    {1200000, L"1280*720", L"29.97", L"", L"48000", 128000, {513, 1308, 2100}},
    {1600000, L"1280*720", L"29.97", L"", L"48000", 128000, {514, 3300, 3404}},
    {1200000, L"", L"25", L"", L"22050", 128000, {1200, 1504, 2209}},
    {1200000, L"", L"29.97", L"", L"44100", 128000, {1305, 2202, 3311}},
    {816000, L"", L"25", L"", L"22050", 128000, {2011, 3310, 3408}},
    {128000, L"176*144", L"12", L"4:3", L"8000", 12000, {109, 2207}},
    {-1, L"", L"", L"", L"44100", 128000, {209, 3312}},
    {768000, L"480*320", L"25", L"", L"48000", 128000, {500, 508}},
    {768000, L"640*480", L"25", L"", L"48000", 128000, {501, 2003}},
    {1200000, L"1280*720", L"29.97", L"16:9", L"48000", 128000, {502, 2002}},
    {1800000, L"1280*720", L"29.97", L"", L"48000", 128000, {503, 3403}},
    {2000000, L"1920*1080", L"29.97", L"", L"48000", 128000, {504, 3411}},
    {1200000, L"640*480", L"25", L"", L"48000", 192000, {803, 903}},
    {1200000, L"1280*720", L"25", L"", L"48000", 192000, {901, 902}},
    {528000, L"320*240", L"25", L"", L"44100", 128000, {1100, 1805}},
    {1500000, L"1280*720", L"29.97", L"", L"48000", 128000, {2004, 3305}},
    {600000, L"", L"25", L"", L"44100", 128000, {2008, 2603}},
    {600000, L"640*480", L"25", L"", L"44100", 128000, {2009, 3306}},
    {1000000, L"", L"29.97", L"", L"44100", 128000, {2010, 3308}},
    {1000000, L"", L"25", L"", L"44100", 128000, {2203, 2206}},
    {1200000, L"", L"29.97", L"", L"48000", 128000, {3309, 3407}},
    {-1, L"320*240", L"", L"", L"", -1, {114}},
    {-1, L"", L"", L"", L"8000", 7400, {212}},
    {1600000, L"1280*720", L"25", L"", L"48000", 192000, {309}},
    {768000, L"720*406", L"25", L"16:9", L"48000", 128000, {505}},
    {1200000, L"720*406", L"29.97", L"", L"48000", 128000, {506}},
    {768000, L"320*240", L"25", L"", L"44100", 128000, {507}},
    {1000000, L"1280*720", L"29.97", L"", L"48000", 128000, {510}},
    {600000, L"320*240", L"29.97", L"", L"48000", 128000, {600}},
    {768000, L"320*240", L"29.97", L"", L"48000", 128000, {601}},
    {1200000, L"320*240", L"29.97", L"", L"48000", 128000, {602}},
    {384000, L"320*240", L"29.97", L"", L"48000", 128000, {603}},
    {1000000, L"640*480", L"29.97", L"", L"48000", 128000, {604}},
    {768000, L"320*240", L"25", L"", L"48000", 192000, {800}},
    {1000000, L"640*480", L"25", L"", L"48000", 192000, {801}},
    {1000000, L"1280*720", L"25", L"", L"48000", 192000, {802}},
    {600000, L"640*480", L"25", L"", L"48000", 192000, {804}},
    {1200000, L"640*480", L"29.97", L"", L"48000", 192000, {900}},
    {1200000, L"640*480", L"25", L"", L"48000", 128000, {905}},
    {768000, L"", L"25", L"", L"44100", 128000, {1101}},
    {1200000, L"320*240", L"25", L"", L"44100", 128000, {1103}},
    {1200000, L"", L"30", L"", L"32000", 128000, {1300}},
    {1200000, L"720*480", L"30", L"", L"44100", 128000, {1301}},
    {1000000, L"", L"30", L"", L"32000", 128000, {1302}},
    {1500000, L"1280*720", L"30", L"", L"48000", 160000, {1303}},
    {1000000, L"", L"30", L"", L"24000", 128000, {1304}},
    {1500000, L"1920*1080", L"30", L"", L"48000", 160000, {1306}},
    {816000, L"320*240", L"25", L"", L"44100", 128000, {1802}},
    {1000000, L"1024*768", L"25", L"", L"44100", 128000, {1803}},
    {728000, L"", L"25", L"", L"44100", 128000, {1804}},
    {816000, L"", L"", L"", L"48000", 128000, {2000}},
    {768000, L"640*480", L"25", L"16:9", L"48000", 128000, {2001}},
    {816000, L"640*480", L"25", L"", L"44100", 128000, {2005}},
    {1000000, L"", L"", L"", L"44100", 128000, {2006}},
    {1000000, L"1280*720", L"25", L"", L"48000", 128000, {2103}},
    {1200000, L"1024*768", L"25", L"", L"48000", 128000, {2104}},
    {1600000, L"1280*720", L"30", L"", L"48000", 256000, {2201}},
    {1200000, L"", L"", L"16:9", L"48000", 128000, {3302}},
    {1000000, L"800*600", L"30", L"", L"48000", 128000, {3303}},
    {1200000, L"1024*768", L"29.97", L"", L"48000", 128000, {3304}},
    {1200000, L"", L"29.97", L"16:9", L"48000", 128000, {3307}},
    {1500000, L"", L"29.97", L"", L"48000", 128000, {3400}},
    {1200000, L"3840*2160", L"30", L"", L"48000", 128000, {3401}},
    {1500000, L"1920*1080", L"25", L"", L"48000", 128000, {3402}},
    {2500000, L"3840*2160", L"", L"", L"44100", 128000, {3405}},
};

std::wstring Or(const wchar_t* text) { return text ? text : L"<same>"; }

TEST(PresetGroups, EncoderSettingsOfEveryKey) {
    std::set<int> seen;
    for (const EncoderGroup& g : kEncoderGroups) {
        for (int key : g.Keys) {
            EXPECT_TRUE(seen.insert(key).second) << key;
            const TEncoderPreset* p = FindEncoderPreset(key);
            ASSERT_NE(p, nullptr) << key;
            EXPECT_STREQ(p->OutputExt, g.OutputExt) << key;
            EXPECT_STREQ(p->VideoCodec, g.VideoCodec) << key;
            EXPECT_STREQ(p->VideoTag, g.Tag) << key;
            EXPECT_STREQ(p->AudioCodec, g.AudioCodec) << key;
            EXPECT_STREQ(p->AudioChannels, g.Channels) << key;
            EXPECT_EQ(Or(p->FileExt), Or(g.FileExt)) << key;
            EXPECT_STREQ(p->TargetType, g.Target) << key;
            EXPECT_STREQ(p->NormType, g.Norm) << key;
            EXPECT_EQ(p->AudioOnly, g.AudioOnly) << key;
        }
    }
    EXPECT_EQ(seen.size(), EncoderPresets().size());
}

TEST(PresetGroups, StartingValuesOfEveryKey) {
    std::set<int> seen;
    for (const StartGroup& g : kStartGroups) {
        for (int key : g.Keys) {
            EXPECT_TRUE(seen.insert(key).second) << key;
            const TEncoderPreset* p = FindEncoderPreset(key);
            ASSERT_NE(p, nullptr) << key;
            EXPECT_EQ(p->VideoBitrate, g.VideoBitrate) << key;
            EXPECT_STREQ(p->FrameSize, g.FrameSize) << key;
            EXPECT_STREQ(p->FrameRate, g.FrameRate) << key;
            EXPECT_STREQ(p->Aspect, g.Aspect) << key;
            EXPECT_STREQ(p->SampleRate, g.SampleRate) << key;
            EXPECT_EQ(p->AudioBitrate, g.AudioBitrate) << key;
        }
    }
    EXPECT_EQ(seen.size(), EncoderPresets().size());
    EXPECT_EQ(std::size(kStartGroups), 79u);
}

}  // namespace
}  // namespace formats
