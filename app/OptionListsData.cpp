// The labelled option lists and the option-list row of every offered format.

#include "app/FormatTables.h"

namespace formats {

namespace {

const wchar_t* const kR1[] = {
    L"保持原分辨率", L"128*96", L"176*144", L"240*176", L"320*240", L"352*240", L"352*288", L"384*288",
    L"480*480", L"480*576", L"640*368", L"640*480", L"704*480", L"704*576", L"720*480",
    L"720*576", L"800*600", L"852*480", L"1024*768", L"1280*720", L"1280*1024", L"1600*1024",
    L"1600*1200", L"1920*1080", L"1920*1200", L"1920*1440", L"2048*1536", L"2560*1600"
};
const wchar_t* const kR2[] = {
    L"112*96", L"128*96", L"160*112", L"160*120", L"176*144", L"192*144", L"208*176", L"220*176",
    L"320*208", L"320*224", L"320*240"
};
const wchar_t* const kR3[] = {L"该格式无视频"};
const wchar_t* const kR4[] = {
    L"保持原分辨率", L"1024*768", L"1280*720", L"1280*1024", L"1600*1024", L"1600*1200", L"1920*1080",
    L"1920*1200", L"1920*1440", L"2048*1536", L"2560*1600"
};
const wchar_t* const kR5[] = {
    L"保持原分辨率", L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"480*320",
    L"480*368", L"512*384", L"640*272", L"640*353", L"640*480", L"704*480", L"704*576",
    L"720*480", L"720*576", L"800*600", L"852*480", L"1024*768", L"1280*720", L"1280*1024",
    L"1600*1024", L"1600*1200", L"1920*1080"
};
const wchar_t* const kR6[] = {
    L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"480*320", L"480*368",
    L"512*384", L"640*272", L"640*353", L"640*480", L"720*406"
};
const wchar_t* const kR7[] = {
    L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"480*320", L"480*368",
    L"512*384", L"640*272", L"640*353", L"640*480", L"720*406", L"704*480", L"704*576",
    L"720*480", L"720*576", L"800*600", L"852*480", L"1024*768", L"1280*720", L"1280*1024",
    L"1600*1024", L"1600*1200", L"1920*1080"
};
const wchar_t* const kR8[] = {
    L"保持原分辨率", L"128*96", L"176*144", L"240*176", L"320*240", L"352*240", L"352*288", L"384*288",
    L"480*480", L"480*576", L"640*368", L"640*480", L"704*480", L"704*576", L"720*480",
    L"720*576", L"800*600", L"852*480", L"1024*768", L"1280*720", L"1280*1024", L"1600*1024",
    L"1600*1200", L"1920*1080", L"1920*1200", L"2048*1536", L"2560*1600"
};
const wchar_t* const kR9[] = {
    L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"480*272", L"640*480",
    L"704*576", L"1280*720", L"1440*1080", L"1920*1080"
};
const wchar_t* const kR10[] = {L"320*240", L"368*208", L"480*272", L"640*480", L"720*480"};
const wchar_t* const kR11[] = {
    L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"640*480"
};
const wchar_t* const kR12[] = {
    L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"640*480",
    L"1280*720"
};
const wchar_t* const kR13[] = {
    L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"480*272", L"640*480",
    L"704*576"
};
const wchar_t* const kR14[] = {L"1280*720", L"1440*1080", L"1920*1080"};
const wchar_t* const kR15[] = {
    L"640*480", L"704*576", L"720*480", L"720*576", L"800*600", L"852*480", L"1024*768",
    L"1280*720", L"1280*1024", L"1600*1024", L"1600*1200", L"1920*1080", L"1920*1200",
    L"1920*1440", L"2048*1536", L"2560*1600"
};
const wchar_t* const kR16[] = {L"704*576", L"1280*720", L"1440*1080", L"1920*1080"};
const wchar_t* const kR17[] = {
    L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"640*480", L"704*576",
    L"1280*720", L"1440*1080", L"1920*1080"
};
const wchar_t* const kR18[] = {
    L"保持原分辨率", L"128*96", L"176*144", L"240*176", L"320*240", L"352*240", L"352*288", L"384*288",
    L"480*480", L"480*576", L"640*368", L"640*480", L"704*480", L"704*576", L"720*480",
    L"720*576", L"800*600", L"852*480", L"1024*768"
};
const wchar_t* const kR19[] = {
    L"保持原分辨率", L"640*480", L"720*480", L"720*576", L"960*540", L"1024*768", L"1280*720",
    L"1280*1024", L"1600*1024", L"1600*1200", L"1920*1080", L"1920*1200", L"2048*1536",
    L"2560*1600"
};
const wchar_t* const kR20[] = {
    L"保持原分辨率", L"640*480", L"704*480", L"704*576", L"720*480", L"720*576", L"800*600", L"852*480",
    L"1024*768", L"1280*720", L"1280*1024", L"1600*1024", L"1600*1200", L"1920*1080",
    L"1920*1200", L"2048*1536", L"2560*1600"
};
const wchar_t* const kR21[] = {
    L"640*480", L"704*576", L"720*480", L"720*576", L"800*600", L"852*480", L"1024*768",
    L"1280*720", L"1280*1024", L"1600*1024", L"1600*1200", L"1920*1080", L"1920*1200",
    L"2048*1536", L"2560*1600"
};
const wchar_t* const kR22[] = {
    L"保持原分辨率", L"640*480", L"704*480", L"704*576", L"720*480", L"720*576", L"800*600", L"852*480",
    L"1024*768", L"1280*720", L"1280*1024", L"1600*1024", L"1600*1200", L"1920*1080",
    L"1920*1200", L"2048*1536", L"2560*1600", L"3840*2160"
};
const wchar_t* const kR23[] = {
    L"保持原分辨率", L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"480*320",
    L"480*368", L"512*384", L"640*272", L"640*353", L"640*480", L"704*480", L"704*576",
    L"720*480", L"720*576", L"800*600", L"852*480", L"1024*768", L"1280*720", L"1280*1024",
    L"1600*1024", L"1600*1200", L"1920*1080", L"2048*1536", L"2560*1600", L"3840*2160"
};
const wchar_t* const kR24[] = {
    L"保持原分辨率", L"1024*768", L"1280*720", L"1280*1024", L"1600*1024", L"1600*1200", L"1920*1080",
    L"1920*1200", L"2048*1536", L"2560*1600"
};
const wchar_t* const kV1[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps", L"1800 kbps",
    L"2000 kbps"
};
const wchar_t* const kV2[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"768 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps"
};
const wchar_t* const kV3[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"816 kbps", L"1000 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps"
};
const wchar_t* const kV4[] = {
    L"8 kbps", L"16 kbps", L"24 kbps", L"32 kbps", L"48 kbps", L"56 kbps", L"64 kbps", L"80 kbps",
    L"96 kbps", L"128 kbps", L"160 kbps", L"192 kbps", L"256 kbps", L"320 kbps", L"384 kbps"
};
const wchar_t* const kV5[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"600 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps"
};
const wchar_t* const kV6[] = {L"无视频"};
const wchar_t* const kV7[] = {
    L"816 kbps", L"1200 kbps", L"1600 kbps", L"1800 kbps", L"2000 kbps", L"2500 kbps",
    L"3000 kbps", L"4000 kbps"
};
const wchar_t* const kV8[] = {
    L"192 kbps", L"384 kbps", L"600 kbps", L"768 kbps", L"1000 kbps", L"1200 kbps", L"1500 kbps",
    L"1800 kbps", L"2000 kbps"
};
const wchar_t* const kV9[] = {
    L"192 kbps", L"384 kbps", L"600 kbps", L"768 kbps", L"1000 kbps", L"1200 kbps", L"1500 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps"
};
const wchar_t* const kV10[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"768 kbps", L"816 kbps", L"1000 kbps", L"1200 kbps",
    L"1600 kbps", L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps"
};
const wchar_t* const kV11[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"816 kbps", L"1000 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps", L"4000 kbps"
};
const wchar_t* const kV12[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"816 kbps", L"1000 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps", L"3500 kbps"
};
const wchar_t* const kV13[] = {
    L"192 kbps", L"384 kbps", L"600 kbps", L"768 kbps", L"1000 kbps", L"1200 kbps", L"1500 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps", L"4000 kbps"
};
const wchar_t* const kV14[] = {
    L"216 kbps", L"384 kbps", L"512 kbps", L"768 kbps", L"1000 kbps", L"1200 kbps", L"1500 kbps"
};
const wchar_t* const kV15[] = {
    L"192 kbps", L"384 kbps", L"600 kbps", L"768 kbps", L"1000 kbps", L"1200 kbps", L"1500 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps", L"3500 kbps"
};
const wchar_t* const kV16[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"768 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps", L"3500 kbps"
};
const wchar_t* const kV17[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"768 kbps", L"816 kbps", L"1000 kbps", L"1200 kbps",
    L"1600 kbps", L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps", L"3500 kbps"
};
const wchar_t* const kV18[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"600 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps"
};
const wchar_t* const kV19[] = {
    L"816 kbps", L"1000 kbps", L"1200 kbps", L"1600 kbps", L"1800 kbps", L"2000 kbps",
    L"2500 kbps", L"3000 kbps", L"4000 kbps"
};
const wchar_t* const kV20[] = {
    L"528 kbps", L"768 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps", L"1800 kbps", L"2000 kbps",
    L"2500 kbps", L"3000 kbps", L"4000 kbps"
};
const wchar_t* const kV21[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"600 kbps", L"768 kbps", L"816 kbps", L"900 kbps",
    L"1000 kbps", L"1200 kbps", L"1600 kbps", L"1800 kbps", L"2000 kbps", L"2500 kbps",
    L"3000 kbps", L"3500 kbps"
};
const wchar_t* const kV22[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"600 kbps", L"768 kbps", L"816 kbps", L"900 kbps",
    L"1000 kbps", L"1200 kbps", L"1600 kbps", L"1800 kbps", L"2000 kbps", L"2500 kbps",
    L"3000 kbps", L"3500 kbps", L"4000 kbps"
};
const wchar_t* const kV23[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"600 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps"
};
const wchar_t* const kV24[] = {
    L"384 kbps", L"600 kbps", L"768 kbps", L"1000 kbps", L"1200 kbps", L"1500 kbps", L"1800 kbps",
    L"2000 kbps", L"2500 kbps", L"3000 kbps", L"3500 kbps"
};
const wchar_t* const kV25[] = {
    L"192 kbps", L"384 kbps", L"600 kbps", L"768 kbps", L"1000 kbps", L"1200 kbps", L"1500 kbps",
    L"1800 kbps", L"2000 kbps", L"3000 kbps", L"4000 kbps"
};
const wchar_t* const kV26[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps", L"1800 kbps",
    L"2000 kbps", L"2500 kbps", L"3000 kbps"
};
const wchar_t* const kV27[] = {
    L"128 kbps", L"288 kbps", L"528 kbps", L"768 kbps", L"816 kbps", L"1200 kbps", L"1600 kbps",
    L"1800 kbps", L"2000 kbps", L"2500 kbps", L"3000 kbps"
};
const wchar_t* const kF1[] = {
    L"保持原帧速率", L"10.00", L"13.00", L"15.00", L"18.00", L"20.00", L"23.00", L"23.97", L"24.00",
    L"25.00", L"29.97", L"30.00"
};
const wchar_t* const kF2[] = {L"1", L"2", L"3", L"5", L"10", L"12", L"15"};
const wchar_t* const kF3[] = {L"无视频"};
const wchar_t* const kF4[] = {L"保持原帧速率", L"25.00", L"29.97", L"30.00"};
const wchar_t* const kF5[] = {
    L"保持原帧速率", L"10.00", L"12.00", L"15.00", L"20.00", L"23.98", L"24.00", L"25.00", L"29.97",
    L"30.00"
};
const wchar_t* const kF6[] = {L"15.00", L"23.98", L"29.97"};
const wchar_t* const kF7[] = {L"保持原帧速率", L"23.98", L"24.00", L"25.00", L"29.97", L"30.00"};
const wchar_t* const kA1[] = {
    L"16 kbps", L"24 kbps", L"32 kbps", L"40 kbps", L"48 kbps", L"56 kbps", L"64 kbps",
    L"80 kbps", L"96 kbps", L"112 kbps", L"128 kbps", L"144 kbps", L"160 kbps", L"192 kbps",
    L"224 kbps", L"256 kbps", L"320 kbps"
};
const wchar_t* const kA2[] = {L"5 kbps", L"6 kbps", L"7 kbps", L"8 kbps", L"10 kbps", L"12 kbps"};
const wchar_t* const kA3[] = {
    L"4.75 kbps", L"5.15 kbps", L"5.9 kbps", L"6.7 kbps", L"7.4 kbps", L"7.95 kbps", L"10.2 kbps",
    L"12.2 kbps"
};
const wchar_t* const kA4[] = {L"64 kbps", L"96 kbps", L"128 kbps", L"160 kbps", L"192 kbps"};
const wchar_t* const kS1[] = {L"11025", L"16000", L"22050", L"32000", L"44100", L"48000"};
const wchar_t* const kS2[] = {L"8000"};
const wchar_t* const kS3[] = {L"22050", L"32000", L"44100", L"48000"};
const wchar_t* const kS4[] = {L"11025", L"22050", L"44100"};
const wchar_t* const kS5[] = {L"22050", L"24000", L"32000", L"44100", L"48000"};
const wchar_t* const kP1[] = {
    L"保持原视频模式", L"普通视频4:3模式", L"宽屏视频16:9模式", L"宽屏视频37:20模式", L"宽屏视频47:20模式"
};
const wchar_t* const kP2[] = {L"保持原视频模式", L"普通视频4:3模式"};
const wchar_t* const kP3[] = {L"无视频"};

}  // namespace

const TLabelledList kLabelledLists[ListLabelCount] = {
    {L"R1", TOptionList::Resolution, kR1},
    {L"R2", TOptionList::Resolution, kR2},
    {L"R3", TOptionList::Resolution, kR3},
    {L"R4", TOptionList::Resolution, kR4},
    {L"R5", TOptionList::Resolution, kR5},
    {L"R6", TOptionList::Resolution, kR6},
    {L"R7", TOptionList::Resolution, kR7},
    {L"R8", TOptionList::Resolution, kR8},
    {L"R9", TOptionList::Resolution, kR9},
    {L"R10", TOptionList::Resolution, kR10},
    {L"R11", TOptionList::Resolution, kR11},
    {L"R12", TOptionList::Resolution, kR12},
    {L"R13", TOptionList::Resolution, kR13},
    {L"R14", TOptionList::Resolution, kR14},
    {L"R15", TOptionList::Resolution, kR15},
    {L"R16", TOptionList::Resolution, kR16},
    {L"R17", TOptionList::Resolution, kR17},
    {L"R18", TOptionList::Resolution, kR18},
    {L"R19", TOptionList::Resolution, kR19},
    {L"R20", TOptionList::Resolution, kR20},
    {L"R21", TOptionList::Resolution, kR21},
    {L"R22", TOptionList::Resolution, kR22},
    {L"R23", TOptionList::Resolution, kR23},
    {L"R24", TOptionList::Resolution, kR24},
    {L"V1", TOptionList::VideoBitrate, kV1},
    {L"V2", TOptionList::VideoBitrate, kV2},
    {L"V3", TOptionList::VideoBitrate, kV3},
    {L"V4", TOptionList::VideoBitrate, kV4},
    {L"V5", TOptionList::VideoBitrate, kV5},
    {L"V6", TOptionList::VideoBitrate, kV6},
    {L"V7", TOptionList::VideoBitrate, kV7},
    {L"V8", TOptionList::VideoBitrate, kV8},
    {L"V9", TOptionList::VideoBitrate, kV9},
    {L"V10", TOptionList::VideoBitrate, kV10},
    {L"V11", TOptionList::VideoBitrate, kV11},
    {L"V12", TOptionList::VideoBitrate, kV12},
    {L"V13", TOptionList::VideoBitrate, kV13},
    {L"V14", TOptionList::VideoBitrate, kV14},
    {L"V15", TOptionList::VideoBitrate, kV15},
    {L"V16", TOptionList::VideoBitrate, kV16},
    {L"V17", TOptionList::VideoBitrate, kV17},
    {L"V18", TOptionList::VideoBitrate, kV18},
    {L"V19", TOptionList::VideoBitrate, kV19},
    {L"V20", TOptionList::VideoBitrate, kV20},
    {L"V21", TOptionList::VideoBitrate, kV21},
    {L"V22", TOptionList::VideoBitrate, kV22},
    {L"V23", TOptionList::VideoBitrate, kV23},
    {L"V24", TOptionList::VideoBitrate, kV24},
    {L"V25", TOptionList::VideoBitrate, kV25},
    {L"V26", TOptionList::VideoBitrate, kV26},
    {L"V27", TOptionList::VideoBitrate, kV27},
    {L"F1", TOptionList::FrameRate, kF1},
    {L"F2", TOptionList::FrameRate, kF2},
    {L"F3", TOptionList::FrameRate, kF3},
    {L"F4", TOptionList::FrameRate, kF4},
    {L"F5", TOptionList::FrameRate, kF5},
    {L"F6", TOptionList::FrameRate, kF6},
    {L"F7", TOptionList::FrameRate, kF7},
    {L"A1", TOptionList::AudioBitrate, kA1},
    {L"A2", TOptionList::AudioBitrate, kA2},
    {L"A3", TOptionList::AudioBitrate, kA3},
    {L"A4", TOptionList::AudioBitrate, kA4},
    {L"S1", TOptionList::SampleRate, kS1},
    {L"S2", TOptionList::SampleRate, kS2},
    {L"S3", TOptionList::SampleRate, kS3},
    {L"S4", TOptionList::SampleRate, kS4},
    {L"S5", TOptionList::SampleRate, kS5},
    {L"P1", TOptionList::Aspect, kP1},
    {L"P2", TOptionList::Aspect, kP2},
    {L"P3", TOptionList::Aspect, kP3},
};

// Key, title of the format, then label/default in fill order (resolution,
// video bit rate, frame rate, audio bit rate, sample rate, aspect), then
// whether the video lists go off.
const TOptionRow kOptionRows[] = {
    {100, L"AVI - 音频视频交错格式(*.avi)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {101, L"MP4 - MPEG-4视频格式(*.mp4)",
     {{{R1, 0}, {V2, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {102, L"DivX - 视频格式(*.avi)",
     {{{R1, 0}, {V3, 4}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {103, L"MOV - 苹果QuickTime视频格式(*.mov)",
     {{{R1, 0}, {V2, 3}, {F1, 9}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {104, L"XviD - 视频格式(*.avi)",
     {{{R1, 0}, {V3, 4}, {F1, 0}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {105, L"MKV - Matroska视频格式(*.mkv)",
     {{{R1, 0}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {106, L"MPEG-1视频格式(*.mpg)",
     {{{R1, 4}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {107, L"MPEG-2视频格式(*.mpg)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {108, L"ASF - 高级流视频格式(*.asf)",
     {{{R1, 0}, {V1, 3}, {F1, 0}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {109, L"3GP - 视频格式(*.3gp)",
     {{{R2, 4}, {V4, 9}, {F2, 5}, {A2, 5}, {S2, 0}, {P2, 0}}}, false},
    {110, L"WMV - 视频格式(*.wmv)",
     {{{R1, 0}, {V5, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {111, L"DVD - 视频格式(*.mpg)",
     {{{R1, 12}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {112, L"SVCD - 视频格式(*.mpg)",
     {{{R1, 8}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {113, L"VCD - 视频格式(*.mpg)",
     {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {114, L"RM - REAL视频格式(*.rm)",
     {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {200, L"MP3 - MPEG Layer-3音频格式(*.mp3)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {201, L"WMA - Windows媒体音频格式(*.wma)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {202, L"WAV - 波形音频格式(*.wav)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 13}, {S1, 5}, {P3, 0}}}, true},
    {203, L"AAC - 高级音频格式(*.aac)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 5}, {P3, 0}}}, true},
    {204, L"M4A - MPEG-4音频格式(*.m4a)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 9}, {S1, 4}, {P3, 0}}}, true},
    {205, L"OGG - Ogg Vorbis音频格式(*.ogg)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {206, L"RA - RealAudio音频格式(*.ra)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 9}, {S1, 4}, {P3, 0}}}, true},
    {207, L"AC3 - 杜比数字AC-3音频格式(*.ac3)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {208, L"AIFF - 音频交换文件格式(*.aiff)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {209, L"MP2 - MPEG Layer-2音频格式(*.mp2)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {210, L"FLAC-音频格式(*.flac)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 13}, {S1, 5}, {P3, 0}}}, true},
    {211, L"MP4-MP4音频格式(*.m4a)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 12}, {S1, 5}, {P3, 0}}}, true},
    {212, L"AMR-手机音频格式(*.amr)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A3, 4}, {S2, 0}, {P3, 0}}}, true},
    {300, L"高清AVI视频格式(*.avi)",
     {{{R4, 2}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {301, L"高清AVI视频格式(*.avi)",
     {{{R4, 2}, {V7, 1}, {F4, 3}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {302, L"高清H264视频格式(*.mp4)",
     {{{R4, 2}, {V7, 1}, {F4, 2}, {A1, 13}, {S1, 5}, {P1, 0}}}, false},
    {303, L"高清MPEG-4视频格式(*.mp4)",
     {{{R4, 3}, {V7, 2}, {F4, 3}, {A1, 13}, {S1, 5}, {P1, 0}}}, false},
    {304, L"高清MOV视频格式(*.mov)",
     {{{R4, 3}, {V7, 2}, {F4, 2}, {A1, 12}, {S1, 5}, {P1, 0}}}, false},
    {305, L"高清ASF视频格式(*.asf)",
     {{{R4, 3}, {V7, 1}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {306, L"高清WMV视频格式(*.wmv)",
     {{{R4, 3}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {307, L"高清DVD视频格式(*.vob)",
     {{{R4, 2}, {V7, 1}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {308, L"高清MPEG-2视频格式(*.mpg)",
     {{{R4, 3}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {309, L"高清MKV视频格式(*.mkv)",
     {{{R4, 3}, {V7, 2}, {F4, 3}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {500, L"标准iPhone MPEG-4视频(*.mp4)",
     {{{R5, 7}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {501, L"iPhone MPEG-4视频480P(*.mp4)",
     {{{R5, 12}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {502, L"高清iPhone MPEG-4视频720P(*.mp4)",
     {{{R5, 20}, {V9, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 2}}}, false},
    {503, L"高清iPhone H264视频720P(*.mp4)",
     {{{R5, 20}, {V9, 7}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {504, L"高清iPhone H264视频1080P(*.mp4)",
     {{{R5, 24}, {V9, 8}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {505, L"iPhone MPEG-4视频宽屏(*.mp4)",
     {{{R6, 12}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 2}}}, false},
    {506, L"iPhone MPEG-4高清晰视频(*.mp4)",
     {{{R7, 12}, {V9, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {507, L"iPhone MPEG-4视频(320X240)(*.mp4)",
     {{{R6, 3}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 2}, {P1, 0}}}, false},
    {508, L"iPhone MPEG-4视频(480X320)(*.mp4)",
     {{{R6, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {509, L"iPhone 标准MOV视频(*.mov)",
     {{{R8, 0}, {V2, 3}, {F1, 9}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {510, L"iPhone 高清MOV视频(*.mov)",
     {{{R8, 19}, {V10, 5}, {F1, 10}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {511, L"iPhone 标准AVI视频-Xvid(*.avi)",
     {{{R8, 0}, {V11, 3}, {F4, 1}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {512, L"iPhone 高清DivX视频(*.avi)",
     {{{R8, 19}, {V12, 5}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {513, L"iPhone 高清AVI视频(*.avi)",
     {{{R9, 9}, {V13, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {514, L"iPhone 高清WMV视频(*.wmv)",
     {{{R8, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {600, L"PSP MPEG-4视频(*.mp4)",
     {{{R10, 0}, {V14, 3}, {F6, 2}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {601, L"PSP AVC MPEG-4视频(*.mp4)",
     {{{R10, 1}, {V14, 4}, {F6, 2}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {602, L"PSP高清晰MPEG-4视频(*.mp4)",
     {{{R10, 1}, {V14, 5}, {F6, 2}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {603, L"PSP高压缩MPEG-4视频(*.mp4)",
     {{{R10, 1}, {V14, 2}, {F6, 2}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {604, L"PSP Video MPEG-4视频480P(*.mp4)",
     {{{R10, 4}, {V14, 4}, {F6, 2}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {800, L"Apple TV H264视频(320X240)(*.mp4)",
     {{{R11, 3}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {801, L"Apple TV H264视频480P(640X480)(*.mp4)",
     {{{R11, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {802, L"Apple TV H264视频720P(1280X720)(*.mp4)",
     {{{R12, 7}, {V8, 6}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {803, L"Apple TV H264高清晰视频480P(640X480)(*.mp4)",
     {{{R11, 6}, {V8, 7}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {804, L"Apple TV MPEG-4高压缩视频480P(640X480)(*.mp4)",
     {{{R11, 6}, {V8, 2}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {900, L"Xbox360 HD H.264视频(*.mp4)",
     {{{R13, 7}, {V8, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {901, L"Xbox360 MCE HD MPEG-2视频(*.mpg)",
     {{{R14, 0}, {V8, 5}, {F5, 9}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {902, L"Xbox360 MCE HD MPEG-2视频(*.mpg)",
     {{{R14, 0}, {V8, 5}, {F5, 9}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {903, L"Xbox360 MPEG-4视频(*.mp4)",
     {{{R13, 7}, {V8, 4}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {904, L"Xbox360 MP4高清晰视频(*.mp4)",
     {{{R15, 7}, {V8, 5}, {F5, 9}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {905, L"Xbox360 WMV视频(*.wmv)",
     {{{R13, 7}, {V8, 5}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {906, L"Xbox360 WMV HDTV视频(*.wmv)",
     {{{R16, 2}, {V8, 7}, {F5, 9}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {907, L"Xbox360 MCE 高清晰AVI视频(*.avi)",
     {{{R17, 8}, {V8, 7}, {F5, 9}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {908, L"Xbox360 MCE 高清晰AVI视频(*.avi)",
     {{{R9, 9}, {V8, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {909, L"Xbox360 MCE 高清晰AVI视频(*.avi)",
     {{{R17, 8}, {V8, 7}, {F5, 9}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {1100, L"MP4机播放的MP4视频格式(*.mp4)",
     {{{R18, 4}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1101, L"电脑上使用的MP4视频格式(*.mp4)",
     {{{R1, 0}, {V1, 4}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1102, L"MPEG-4视频高清晰视频(*.mp4)",
     {{{R1, 0}, {V1, 4}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1103, L"MP4 AVC视频(*.mp4)",
     {{{R1, 0}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1104, L"MP4 H264编码视频(*.mp4)",
     {{{R1, 0}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1200, L"FLV在线网络视频(*.flv)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {1201, L"SWF动画视频FLASH动画视频(*.swf)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {1202, L"FLV在线网络音频格式(*.flv)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S4, 1}, {P3, 0}}}, true},
    {1203, L"SWF动画视频FLASH动画音频格式(*.swf)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S4, 1}, {P3, 0}}}, true},
    {1300, L"iPad标准视频格式(*.mp4)",
     {{{R19, 0}, {V15, 5}, {F7, 5}, {A4, 2}, {S5, 2}, {P1, 0}}}, false},
    {1301, L"iPad高清视频格式H.264编码(*.mp4)",
     {{{R19, 2}, {V15, 5}, {F7, 5}, {A4, 2}, {S5, 3}, {P1, 0}}}, false},
    {1302, L"iPad MPEG-4视频格式 XviD编码 (*.mp4)",
     {{{R19, 0}, {V15, 4}, {F7, 5}, {A4, 2}, {S5, 2}, {P1, 0}}}, false},
    {1303, L"iPad 720P HD高清晰视频MPEG-4(*.mp4)",
     {{{R19, 6}, {V15, 6}, {F7, 5}, {A4, 3}, {S5, 4}, {P1, 0}}}, false},
    {1304, L"iPad 优化视频方案1(*.mp4)",
     {{{R19, 0}, {V15, 4}, {F7, 5}, {A4, 2}, {S5, 1}, {P1, 0}}}, false},
    {1305, L"iPad 优化视频方案2(*.mp4)",
     {{{R19, 0}, {V15, 5}, {F7, 4}, {A4, 2}, {S5, 3}, {P1, 0}}}, false},
    {1306, L"iPad 1080P FHD全高清晰视频MPEG-4(*.mp4)",
     {{{R19, 10}, {V15, 6}, {F7, 5}, {A4, 3}, {S5, 4}, {P1, 0}}}, false},
    {1307, L"iPad 标准MOV视频(*.mov)",
     {{{R20, 0}, {V16, 3}, {F1, 9}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1308, L"iPad 高清MOV视频(*.mov)",
     {{{R20, 9}, {V17, 6}, {F1, 10}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1309, L"iPad 标准AVI视频(*.avi)",
     {{{R20, 0}, {V11, 3}, {F4, 1}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1310, L"iPad 高清AVI视频(*.avi)",
     {{{R20, 9}, {V12, 5}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1400, L"MPG标准视频(*.mpg)",
     {{{R1, 0}, {V3, 4}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1401, L"MPEG-1标准视频(*.mpg)",
     {{{R1, 4}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1402, L"MPEG-2标准视频(*.mpg)",
     {{{R1, 0}, {V3, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1403, L"MPEG-4标准视频(*.mp4)",
     {{{R1, 0}, {V2, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1404, L"MPEG-2高清HD视频(*.mpg)",
     {{{R4, 3}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1405, L"MPEG-4高清HD视频(*.mp4)",
     {{{R4, 3}, {V7, 2}, {F4, 3}, {A1, 13}, {S1, 5}, {P1, 0}}}, false},
    {1406, L"MPEG-2优化视频(*.mpg)",
     {{{R1, 11}, {V5, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1407, L"MPEG-2高压缩视频(*.mpg)",
     {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 8}, {S1, 3}, {P1, 0}}}, false},
    {1408, L"DVD格式高清晰视频(*.mpg)",
     {{{R1, 12}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1409, L"SVCD格式标清视频(*.mpg)",
     {{{R1, 8}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1410, L"VCD格式清晰视频(*.mpg)",
     {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1500, L"标准的SWF视频格式(*.swf)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {1501, L"高清的SWF动画视频FLASH动画视频(*.swf)",
     {{{R1, 19}, {V1, 5}, {F1, 10}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {1502, L"优化的SWF视频格式(*.swf)",
     {{{R1, 4}, {V5, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {1503, L"高压缩的SWF视频格式(*.swf)",
     {{{R1, 4}, {V1, 2}, {F1, 5}, {A1, 8}, {S4, 1}, {P1, 0}}}, false},
    {1504, L"FLV在线网络视频(*.flv)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {1505, L"SWF动画视频FLASH动画音频格式(*.swf)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S4, 1}, {P3, 0}}}, true},
    {1506, L"FLV在线网络音频格式(*.flv)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S4, 1}, {P3, 0}}}, true},
    {1600, L"AVI标准视频(*.avi)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1601, L"HD高清晰AVI标准视频(*.avi)",
     {{{R1, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1602, L"网络上常用的AVI视频(*.avi)",
     {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1603, L"电脑上常用的AVI视频(*.avi)",
     {{{R1, 0}, {V3, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1604, L"优化的AVI视频(*.avi)",
     {{{R1, 4}, {V5, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1605, L"高压缩的AVI视频(*.avi)",
     {{{R1, 0}, {V1, 2}, {F1, 5}, {A1, 8}, {S1, 3}, {P1, 0}}}, false},
    {1606, L"高清的HD AVI视频(*.avi)",
     {{{R1, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1700, L"MKV标准视频(*.mkv)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1701, L"HD高清MKV视频(*.mkv)",
     {{{R1, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1702, L"网络上常用的MKV视频(*.mkv)",
     {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1703, L"电脑上常用的MKV标准视频(*.mkv)",
     {{{R1, 0}, {V3, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1704, L"优化的MKV视频(*.mkv)",
     {{{R1, 4}, {V5, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1705, L"高压缩的MKV视频(*.mkv)",
     {{{R1, 0}, {V1, 2}, {F1, 5}, {A1, 8}, {S1, 3}, {P1, 0}}}, false},
    {1706, L"高清的HD MKV视频(*.mkv)",
     {{{R1, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1800, L"WMV标准视频(*.wmv)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1801, L"HD高清WMV视频(*.wmv)",
     {{{R1, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {1802, L"网络上常用的WMV视频(*.wmv)",
     {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1803, L"电脑上常用的WMV标准视频(*.wmv)",
     {{{R1, 0}, {V3, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1804, L"优化的WMV视频(*.wmv)",
     {{{R1, 4}, {V5, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {1805, L"高压缩的WMV视频(*.wmv)",
     {{{R1, 0}, {V1, 2}, {F1, 5}, {A1, 8}, {S1, 3}, {P1, 0}}}, false},
    {1806, L"高清的HD WMV视频(*.wmv)",
     {{{R1, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {2000, L"Android手机AVI视频(*.avi)",
     {{{R8, 0}, {V7, 0}, {F4, 0}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {2001, L"Android手机MPEG-4视频(*.mp4)",
     {{{R5, 12}, {V9, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 2}}}, false},
    {2002, L"Android平台高清MP4视频(*.mp4)",
     {{{R5, 20}, {V9, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 2}}}, false},
    {2003, L"安卓智能手机专用MP4视频(*.mp4)",
     {{{R5, 12}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {2004, L"H.264高清的MP4视频(*.mp4)",
     {{{R5, 20}, {V9, 6}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {2005, L"各种手机常用的AVI视频DivX(*.avi)",
     {{{R8, 11}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2006, L"安卓适用的AVI视频Xvid(*.avi)",
     {{{R8, 0}, {V3, 4}, {F1, 0}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2007, L"安卓常用的MOV视频(*.mov)",
     {{{R8, 0}, {V2, 3}, {F1, 9}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {2008, L"Android常用的WMV视频(*.wmv)",
     {{{R8, 0}, {V5, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2009, L"Android常用的MPEG视频(*.mpg)",
     {{{R8, 11}, {V18, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2010, L"Android平台的MKV视频(*.mkv)",
     {{{R8, 0}, {V3, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2011, L"Android平台的FLV视频(*.flv)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {2100, L"VOB标准视频(*.vob)",
     {{{R1, 14}, {V19, 1}, {F4, 2}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2101, L"HD高清VOB视频(*.vob)",
     {{{R1, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {2102, L"高清DVD视频格式(*.vob)",
     {{{R1, 14}, {V7, 1}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {2103, L"电脑上常用的VOB标准视频(*.vob)",
     {{{R1, 0}, {V19, 1}, {F4, 2}, {A1, 11}, {S1, 5}, {P1, 0}}}, false},
    {2104, L"优化的VOB视频(*.vob)",
     {{{R1, 11}, {V20, 0}, {F4, 0}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2105, L"高压缩的VOB视频(*.vob)",
     {{{R1, 4}, {V20, 0}, {F4, 0}, {A1, 10}, {S1, 3}, {P1, 0}}}, false},
    {2200, L"MTS转换为标准AVI视频(*.avi)",
     {{{R1, 12}, {V3, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2201, L"Sony HD高清MTS视频转换为HD高清AVI视频(*.avi)",
     {{{R1, 19}, {V3, 6}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2202, L"Sony AVCHD高清视频格式(*.avi)",
     {{{R1, 19}, {V1, 5}, {F1, 11}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2203, L"MTS转换为MPEG-2视频格式标准视频(*.mpg)",
     {{{R1, 0}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2204, L"MTS转换为MPG视频格式(*.mpg)",
     {{{R1, 12}, {V3, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2205, L"MTS转换为MP4视频(*.mp4)",
     {{{R1, 4}, {V2, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2206, L"MTS转换为AVI视频(*.avi)",
     {{{R1, 0}, {V1, 5}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2207, L"MTS转换为3GP视频(*.3gp)",
     {{{R2, 4}, {V4, 9}, {F2, 5}, {A2, 5}, {S2, 0}, {P2, 0}}}, false},
    {2208, L"MTS转换为电脑常用WMV视频(*.wmv)",
     {{{R1, 0}, {V5, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2209, L"MTS转换为网络在线常用FLV视频(*.flv)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {2210, L"MTS视频转换为DVD视频(*.mpg)",
     {{{R1, 12}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2211, L"MTS视频转换为SVCD视频(*.mpg)",
     {{{R1, 8}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2212, L"MTS视频转换为VCD视频(*.mpg)",
     {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2600, L"标准MOV视频格式(*.mov)",
     {{{R1, 0}, {V10, 5}, {F1, 9}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {2601, L"高清MOV视频格式(*.mov)",
     {{{R1, 19}, {V17, 7}, {F1, 9}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {2602, L"优化MOV视频格式(*.mov)",
     {{{R1, 11}, {V21, 6}, {F1, 9}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {2603, L"高压缩MOV视频格式(*.mov)",
     {{{R1, 0}, {V2, 2}, {F1, 5}, {A1, 8}, {S1, 3}, {P1, 0}}}, false},
    {2700, L"H.264高清AVI视频格式(*.avi)",
     {{{R1, 19}, {V22, 10}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2701, L"H.264高清MPEG-4视频格式(*.mp4)",
     {{{R1, 19}, {V22, 10}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2702, L"H.264高清MKV视频格式(*.mkv)",
     {{{R1, 19}, {V22, 10}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2703, L"H.264高清MP4视频格式(*.mp4)",
     {{{R1, 19}, {V22, 10}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2800, L"高清AVCHD视频格式(*.avi)",
     {{{R1, 19}, {V21, 9}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2801, L"高清AVI视频格式(*.avi)",
     {{{R1, 19}, {V21, 9}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2802, L"高清AVI视频格式(*.avi)",
     {{{R1, 19}, {V21, 9}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2803, L"高清MP4视频格式(*.mp4)",
     {{{R1, 19}, {V21, 9}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {2804, L"高清MPEG-4视频格式(*.mp4)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {3000, L"高清晰MP3音频格式(*.mp3)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 13}, {S1, 5}, {P3, 0}}}, true},
    {3001, L"高压缩MP3音频格式(*.mp3)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 8}, {S1, 2}, {P3, 0}}}, true},
    {3002, L"优化MP3音频格式(*.mp3)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {3003, L"标准MP3音频格式(*.mp3)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {3100, L"高清晰WAV音频格式(*.wav)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 13}, {S1, 5}, {P3, 0}}}, true},
    {3101, L"高压缩WAV音频格式(*.wav)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 8}, {S1, 2}, {P3, 0}}}, true},
    {3102, L"优化WAV音频格式(*.wav)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 11}, {S1, 4}, {P3, 0}}}, true},
    {3103, L"标准WAV音频格式(*.wav)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {3300, L"高清AVI格式视频(*.avi)",
     {{{R8, 19}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {3301, L"平板电脑支持的AVI视频(*.avi)",
     {{{R8, 0}, {V7, 0}, {F4, 1}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {3302, L"平板电脑标准的MP4视频(*.mp4)",
     {{{R5, 0}, {V9, 5}, {F5, 0}, {A4, 2}, {S3, 3}, {P1, 2}}}, false},
    {3303, L"适用平板电脑的DivX视频(*.mp4)",
     {{{R21, 4}, {V8, 4}, {F5, 9}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {3304, L"Xvid视频高清(*.mp4)",
     {{{R5, 19}, {V9, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {3305, L"H.264格式高清视频(*.mp4)",
     {{{R5, 20}, {V9, 6}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {3306, L"安卓平板电脑MPEG-2视频(*.mpg)",
     {{{R8, 11}, {V18, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {3307, L"Android平板支持的MPEG-4视频(*.mp4)",
     {{{R5, 0}, {V9, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 2}}}, false},
    {3308, L"MKV格式视频(*.mkv)",
     {{{R8, 0}, {V3, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {3309, L"MOV格式视频(*.mov)",
     {{{R8, 0}, {V2, 5}, {F1, 10}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {3310, L"FLV格式视频(*.flv)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {3311, L"平板电脑WMV视频(*.wmv)",
     {{{R8, 0}, {V23, 5}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {3312, L"平板电脑MP3音频(*.mp3)",
     {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {P3, 0}}}, true},
    {3400, L"智能电视高清MP4视频(*.mp4)",
     {{{R22, 0}, {V24, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {3401, L"4K高清电视DivX视频(*.mp4)",
     {{{R22, 17}, {V25, 5}, {F5, 9}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {3402, L"电视高清Xvid视频(*.mp4)",
     {{{R23, 24}, {V9, 6}, {F5, 7}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {3403, L"H.264编码高清视频(*.mp4)",
     {{{R23, 20}, {V9, 7}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
    {3404, L"高清智能电视AVI视频(*.avi)",
     {{{R24, 2}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {3405, L"4K高清电视AVI视频(*.avi)",
     {{{R22, 17}, {V19, 6}, {F1, 0}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {3406, L"智能电视适用的MKV视频(*.mkv)",
     {{{R22, 9}, {V26, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {3407, L"高清MOV格式视频(*.mov)",
     {{{R8, 0}, {V27, 5}, {F1, 10}, {A1, 10}, {S1, 5}, {P1, 0}}}, false},
    {3408, L"FLV网络视频(*.flv)",
     {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S4, 1}, {P1, 0}}}, false},
    {3409, L"WMV高清视频(*.wmv)",
     {{{R8, 0}, {V23, 5}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {3410, L"高清MPEG视频(*.mpg)",
     {{{R8, 0}, {V18, 5}, {F1, 9}, {A1, 10}, {S1, 4}, {P1, 0}}}, false},
    {3411, L"MPEG-4超高清视频(*.mp4)",
     {{{R5, 24}, {V9, 8}, {F5, 8}, {A4, 2}, {S3, 3}, {P1, 0}}}, false},
};

const int kOptionRowCount = sizeof(kOptionRows) / sizeof(kOptionRows[0]);

}  // namespace formats
