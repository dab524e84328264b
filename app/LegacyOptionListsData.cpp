// The named option lists of the legacy window and the option row of every
// format of its catalogue.

#include "app/LegacyTables.h"

namespace legacy {

namespace {

// Lists the main window has no equal of.
const wchar_t* const kOwnR6[] = {
    L"128*96", L"176*144", L"160*120", L"320*240", L"352*288", L"368*208", L"480*320", L"480*368",
    L"512*384", L"640*272", L"640*353", L"640*480"
};
const wchar_t* const kOwnR9[] = {
    L"112*96", L"128*96", L"160*112", L"160*120", L"176*144", L"192*144", L"208*176", L"220*176",
    L"320*208", L"320*224", L"320*240", L"352*288", L"480*360"
};
const wchar_t* const kOwnR17[] = {L"160*120", L"320*240", L"480*272", L"640*480", L"720*480"};
const wchar_t* const kOwnR18[] = {L"320*240", L"640*480"};
const wchar_t* const kOwnV10[] = {
    L"8 kbps", L"16 kbps", L"24 kbps", L"32 kbps", L"48 kbps", L"56 kbps", L"64 kbps", L"80 kbps",
    L"96 kbps", L"128 kbps", L"160 kbps", L"192 kbps", L"256 kbps", L"320 kbps", L"384 kbps",
    L"512 kbps", L"600 kbps"
};
const wchar_t* const kOwnF7[] = {L"1", L"2", L"3", L"5", L"10", L"12", L"15", L"25"};
const wchar_t* const kOwnA5[] = {
    L"48 kbps", L"56 kbps", L"64 kbps", L"80 kbps", L"96 kbps", L"112 kbps", L"116 kbps",
    L"128 kbps"
};
const wchar_t* const kOwnA6[] = {
    L"32 kbps", L"48 kbps", L"56 kbps", L"64 kbps", L"80 kbps", L"96 kbps", L"112 kbps",
    L"116 kbps", L"128 kbps"
};
const wchar_t* const kOwnS4[] = {
    L"8000", L"11025", L"16000", L"22050", L"32000", L"44100", L"48000"
};

}  // namespace

// Name, option list, the main window's equal list or NotShared, own entries.
const TLegacyListSource kLegacyListSources[LegacyListCount] = {
    {L"R1", TOptionList::Resolution, formats::R1, {}},
    {L"R2", TOptionList::Resolution, formats::R2, {}},
    {L"R3", TOptionList::Resolution, formats::R3, {}},
    {L"R4", TOptionList::Resolution, formats::R4, {}},
    {L"R5", TOptionList::Resolution, formats::R11, {}},
    {L"R6", TOptionList::Resolution, NotShared, kOwnR6},
    {L"R7", TOptionList::Resolution, formats::R6, {}},
    {L"R8", TOptionList::Resolution, formats::R10, {}},
    {L"R9", TOptionList::Resolution, NotShared, kOwnR9},
    {L"R10", TOptionList::Resolution, formats::R12, {}},
    {L"R11", TOptionList::Resolution, formats::R13, {}},
    {L"R12", TOptionList::Resolution, formats::R14, {}},
    {L"R13", TOptionList::Resolution, formats::R15, {}},
    {L"R14", TOptionList::Resolution, formats::R16, {}},
    {L"R15", TOptionList::Resolution, formats::R17, {}},
    {L"R16", TOptionList::Resolution, formats::R9, {}},
    {L"R17", TOptionList::Resolution, NotShared, kOwnR17},
    {L"R18", TOptionList::Resolution, NotShared, kOwnR18},
    {L"R19", TOptionList::Resolution, formats::R18, {}},
    {L"V1", TOptionList::VideoBitrate, formats::V1, {}},
    {L"V2", TOptionList::VideoBitrate, formats::V2, {}},
    {L"V3", TOptionList::VideoBitrate, formats::V3, {}},
    {L"V4", TOptionList::VideoBitrate, formats::V4, {}},
    {L"V5", TOptionList::VideoBitrate, formats::V5, {}},
    {L"V6", TOptionList::VideoBitrate, formats::V6, {}},
    {L"V7", TOptionList::VideoBitrate, formats::V7, {}},
    {L"V8", TOptionList::VideoBitrate, formats::V8, {}},
    {L"V9", TOptionList::VideoBitrate, formats::V14, {}},
    {L"V10", TOptionList::VideoBitrate, NotShared, kOwnV10},
    {L"F1", TOptionList::FrameRate, formats::F1, {}},
    {L"F2", TOptionList::FrameRate, formats::F2, {}},
    {L"F3", TOptionList::FrameRate, formats::F3, {}},
    {L"F4", TOptionList::FrameRate, formats::F4, {}},
    {L"F5", TOptionList::FrameRate, formats::F5, {}},
    {L"F6", TOptionList::FrameRate, formats::F6, {}},
    {L"F7", TOptionList::FrameRate, NotShared, kOwnF7},
    {L"A1", TOptionList::AudioBitrate, formats::A1, {}},
    {L"A2", TOptionList::AudioBitrate, formats::A2, {}},
    {L"A3", TOptionList::AudioBitrate, formats::A3, {}},
    {L"A4", TOptionList::AudioBitrate, formats::A4, {}},
    {L"A5", TOptionList::AudioBitrate, NotShared, kOwnA5},
    {L"A6", TOptionList::AudioBitrate, NotShared, kOwnA6},
    {L"S1", TOptionList::SampleRate, formats::S1, {}},
    {L"S2", TOptionList::SampleRate, formats::S2, {}},
    {L"S3", TOptionList::SampleRate, formats::S3, {}},
    {L"S4", TOptionList::SampleRate, NotShared, kOwnS4},
    {L"S5", TOptionList::SampleRate, formats::S4, {}},
    {L"M1", TOptionList::Aspect, formats::P1, {}},
    {L"M2", TOptionList::Aspect, formats::P2, {}},
    {L"M3", TOptionList::Aspect, formats::P3, {}},
};

// Key; resolution, video bit rate, frame rate, audio bit rate, sample rate
// and aspect lists with their defaults; no video.
const TLegacyOptionRow kLegacyOptionRows[] = {
    {100, {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {101, {{{R1, 0}, {V2, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {102, {{{R1, 0}, {V3, 4}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {103, {{{R1, 0}, {V2, 3}, {F1, 9}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {104, {{{R1, 0}, {V3, 4}, {F1, 0}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {105, {{{R1, 0}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {106, {{{R1, 4}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {107, {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {108, {{{R1, 0}, {V1, 3}, {F1, 0}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {109, {{{R2, 4}, {V4, 9}, {F2, 5}, {A2, 5}, {S2, 0}, {M2, 0}}}, false},
    {110, {{{R1, 0}, {V5, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {111, {{{R1, 12}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {112, {{{R1, 8}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {113, {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {114, {{{R1, 4}, {V1, 2}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {200, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {M3, 0}}}, true},
    {201, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {M3, 0}}}, true},
    {202, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 13}, {S1, 5}, {M3, 0}}}, true},
    {203, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 5}, {M3, 0}}}, true},
    {204, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 9}, {S1, 4}, {M3, 0}}}, true},
    {205, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {M3, 0}}}, true},
    {206, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 9}, {S1, 4}, {M3, 0}}}, true},
    {207, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {M3, 0}}}, true},
    {208, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {M3, 0}}}, true},
    {209, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S1, 4}, {M3, 0}}}, true},
    {210, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 13}, {S1, 5}, {M3, 0}}}, true},
    {211, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 12}, {S1, 5}, {M3, 0}}}, true},
    {212, {{{R3, 0}, {V6, 0}, {F3, 0}, {A3, 4}, {S2, 0}, {M3, 0}}}, true},
    {300, {{{R4, 2}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {301, {{{R4, 2}, {V7, 1}, {F4, 3}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {302, {{{R4, 2}, {V7, 1}, {F4, 2}, {A1, 13}, {S1, 5}, {M1, 0}}}, false},
    {303, {{{R4, 3}, {V7, 2}, {F4, 3}, {A1, 13}, {S1, 5}, {M1, 0}}}, false},
    {304, {{{R4, 3}, {V7, 2}, {F4, 2}, {A1, 12}, {S1, 5}, {M1, 0}}}, false},
    {305, {{{R4, 3}, {V7, 1}, {F4, 2}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {306, {{{R4, 3}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {307, {{{R4, 2}, {V7, 1}, {F4, 2}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {308, {{{R4, 3}, {V7, 2}, {F4, 2}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {309, {{{R4, 3}, {V7, 2}, {F4, 3}, {A1, 10}, {S1, 5}, {M1, 0}}}, false},
    {400, {{{R5, 3}, {V8, 4}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {401, {{{R5, 3}, {V8, 2}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {402, {{{R5, 3}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {403, {{{R5, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {404, {{{R5, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {405, {{{R5, 6}, {V8, 5}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {406, {{{R5, 6}, {V8, 2}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {407, {{{R6, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {408, {{{R6, 11}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {409, {{{R6, 11}, {V8, 5}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {410, {{{R6, 11}, {V8, 2}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {411, {{{R6, 9}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 2}}}, false},
    {412, {{{R6, 3}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {413, {{{R6, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {500, {{{R6, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {501, {{{R6, 11}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {502, {{{R7, 12}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 2}}}, false},
    {503, {{{R7, 11}, {V8, 5}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {504, {{{R7, 3}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {505, {{{R7, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {600, {{{R8, 0}, {V9, 3}, {F6, 2}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {601, {{{R8, 1}, {V9, 4}, {F6, 2}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {602, {{{R8, 1}, {V9, 5}, {F6, 2}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {603, {{{R8, 1}, {V9, 2}, {F6, 2}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {604, {{{R8, 4}, {V9, 4}, {F6, 2}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {700, {{{R2, 4}, {V4, 9}, {F2, 5}, {A2, 5}, {S2, 0}, {M1, 0}}}, false},
    {701, {{{R2, 4}, {V4, 9}, {F2, 5}, {A5, 0}, {S4, 4}, {M1, 0}}}, false},
    {702, {{{R2, 4}, {V4, 9}, {F2, 5}, {A2, 5}, {S2, 0}, {M1, 0}}}, false},
    {703, {{{R2, 4}, {V4, 9}, {F2, 5}, {A5, 0}, {S4, 4}, {M1, 0}}}, false},
    {704, {{{R9, 4}, {V4, 9}, {F2, 5}, {A2, 5}, {S2, 0}, {M1, 0}}}, false},
    {705, {{{R9, 4}, {V4, 9}, {F2, 5}, {A5, 0}, {S4, 4}, {M1, 0}}}, false},
    {706, {{{R9, 4}, {V4, 9}, {F2, 5}, {A5, 0}, {S4, 4}, {M1, 0}}}, false},
    {707, {{{R9, 4}, {V10, 10}, {F7, 6}, {A5, 0}, {S4, 4}, {M1, 0}}}, false},
    {708, {{{R3, 0}, {V6, 0}, {F3, 0}, {A3, 4}, {S2, 0}, {M3, 0}}}, true},
    {709, {{{R9, 4}, {V10, 9}, {F7, 5}, {A6, 0}, {S4, 4}, {M1, 0}}}, false},
    {710, {{{R9, 4}, {V10, 9}, {F7, 5}, {A6, 0}, {S4, 4}, {M1, 0}}}, false},
    {711, {{{R9, 4}, {V10, 9}, {F7, 5}, {A6, 0}, {S4, 4}, {M1, 0}}}, false},
    {712, {{{R9, 4}, {V10, 9}, {F7, 5}, {A6, 0}, {S4, 4}, {M1, 0}}}, false},
    {713, {{{R9, 4}, {V10, 9}, {F7, 5}, {A6, 0}, {S4, 4}, {M1, 0}}}, false},
    {800, {{{R5, 3}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {801, {{{R5, 6}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {802, {{{R10, 7}, {V8, 6}, {F5, 8}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {803, {{{R5, 6}, {V8, 7}, {F5, 8}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {804, {{{R5, 6}, {V8, 2}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {900, {{{R11, 7}, {V8, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {901, {{{R12, 0}, {V8, 5}, {F5, 9}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {902, {{{R12, 0}, {V8, 5}, {F5, 9}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {903, {{{R11, 7}, {V8, 4}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {904, {{{R13, 7}, {V8, 5}, {F5, 9}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {905, {{{R11, 7}, {V8, 5}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {906, {{{R14, 2}, {V8, 7}, {F5, 9}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {907, {{{R15, 8}, {V8, 7}, {F5, 9}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {908, {{{R16, 9}, {V8, 5}, {F5, 8}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {909, {{{R15, 8}, {V8, 7}, {F5, 9}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1000, {{{R17, 2}, {V8, 4}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1001, {{{R17, 4}, {V8, 4}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1002, {{{R17, 1}, {V8, 2}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1003, {{{R18, 0}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1004, {{{R18, 0}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1005, {{{R18, 0}, {V8, 5}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1006, {{{R18, 0}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1007, {{{R17, 3}, {V8, 3}, {F5, 7}, {A4, 2}, {S3, 3}, {M1, 0}}}, false},
    {1100, {{{R19, 4}, {V1, 3}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {1101, {{{R1, 0}, {V1, 4}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {1102, {{{R1, 0}, {V1, 4}, {F1, 9}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {1103, {{{R1, 0}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {1104, {{{R1, 0}, {V1, 4}, {F1, 10}, {A1, 10}, {S1, 4}, {M1, 0}}}, false},
    {1200, {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S5, 1}, {M1, 0}}}, false},
    {1201, {{{R1, 0}, {V1, 3}, {F1, 9}, {A1, 10}, {S5, 1}, {M1, 0}}}, false},
    {1202, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S5, 1}, {M3, 0}}}, true},
    {1203, {{{R3, 0}, {V6, 0}, {F3, 0}, {A1, 10}, {S5, 1}, {M3, 0}}}, true},
};
const int kLegacyOptionRowCount = sizeof(kLegacyOptionRows) / sizeof(kLegacyOptionRows[0]);

}  // namespace legacy
