// The legacy format catalogue: twelve categories and their 109 formats.
// SharedText: the main catalogue's text for the same key.

#include "app/LegacyTables.h"

namespace legacy {

namespace {

// 常用视频
const TLegacyFormat kCategory0[] = {
    {100, SharedText, SharedText, 0},
    {101, SharedText, L"为网络广播和视频通信制定的压缩标准,有很小的体积和清晰的画质", 1},
    {102, SharedText, SharedText, 2},
    {103, SharedText, SharedText, 3},
    {104, SharedText, SharedText, 4},
    {105, SharedText, SharedText, 5},
    {106, SharedText, SharedText, 6},
    {107, SharedText, SharedText, 7},
    {108, SharedText, SharedText, 8},
    {109, SharedText, SharedText, 9},
    {110, SharedText, SharedText, 10},
    {111, SharedText, SharedText, 11},
    {112, SharedText, SharedText, 12},
    {113, SharedText, SharedText, 13},
    {114, SharedText, SharedText, 14},
};

// 常用音频
const TLegacyFormat kCategory1[] = {
    {200, SharedText, SharedText, 0},
    {201, SharedText, SharedText, 1},
    {202, L"WAV - 波形音频格式(*.wav) ", L"未经压缩的波形音频格式,音质无损,适合编辑和刻录", 2},
    {203, SharedText, SharedText, 3},
    {204, SharedText, SharedText, 4},
    {205, SharedText, SharedText, 5},
    {206, SharedText, SharedText, 6},
    {207, SharedText, SharedText, 7},
    {208, SharedText, SharedText, 8},
    {209, SharedText, SharedText, 9},
    {210, SharedText, SharedText, 10},
    {211, L"ALAC-Apple Lossless无损音频格式(*.alac) ", L"苹果无损音频格式,保留原始音质,体积约为原始音频的一半", 11},
    {212, SharedText, L"AMR是流行的手机数字音乐文件格式之一", 12},
};

// HD视频
const TLegacyFormat kCategory2[] = {
    {300, SharedText, SharedText, 20},
    {301, SharedText, SharedText, 21},
    {302, SharedText, SharedText, 21},
    {303, SharedText, SharedText, 21},
    {304, SharedText, SharedText, 21},
    {305, SharedText, SharedText, 21},
    {306, SharedText, SharedText, 21},
    {307, SharedText, SharedText, 21},
    {308, SharedText, SharedText, 21},
    {309, SharedText, SharedText, 21},
};

// iPod视频
const TLegacyFormat kCategory3[] = {
    {400, L"iPod (320X240) 高清晰视频(*.mp4)", L"为iPod优化的MPEG-4视频预置方案.(320*240高质量)", 20},
    {401, L"iPod (320X240) 高压缩视频(*.mp4)", L"为iPod优化的MPEG-4视频预置方案.(320*240高压缩)", 21},
    {402, L"iPod (320X240) 标准视频(*.mp4)", L"为iPod优化的MPEG-4视频预置方案.(320*240标准)", 21},
    {403, L"iPod Video2 TV OutPut视频(*.mp4)", L"为iPod Video2电视输出优化的MPEG-4视频预置方案.", 21},
    {404, L"iPod Video2 (640X480)视频(*.mp4)", L"为iPod Video2优化的MPEG-4视频预置方案.(640*480)", 21},
    {405, L"iPod Video2 (640X480)高清晰视频(*.mp4)", L"为iPod Video2优化的MPEG-4视频预置方案.(640*480高清晰)", 21},
    {406, L"iPod Video2 (640X480)高压缩视频(*.mp4)", L"为iPod Video2优化的MPEG-4视频预置方案.(640*480高压缩)", 21},
    {407, L"iPod touch MPEG-4视频(*.mp4)", L"为iPod touch优化的MPEG-4视频预置方案.", 21},
    {408, L"iPod touch MPEG-4 480P视频(*.mp4)", L"为iPod touch优化的MPEG-4视频预置方案.(480P)", 21},
    {409, L"iPod touch MPEG-4 480P高清晰视频(*.mp4)", L"为iPod touch优化的MPEG-4视频预置方案.(480P高清晰)", 21},
    {410, L"iPod touch MPEG-4 480P高压缩视频(*.mp4)", L"为iPod touch优化的MPEG-4视频预置方案.(480P高压缩)", 21},
    {411, L"iPod touch MPEG-4 480P宽屏视频(*.mp4)", L"为iPod touch优化的MPEG-4视频预置方案.(480P宽屏)", 21},
    {412, L"iPod touch MPEG-4 (320X240)视频(*.mp4)", L"为iPod touch优化的MPEG-4视频预置方案.(320*240)", 21},
    {413, L"iPod touch MPEG-4 (480X320)视频(*.mp4)", L"为iPod touch优化的MPEG-4视频预置方案.(480*320)", 21},
};

// iPhone视频
const TLegacyFormat kCategory4[] = {
    {500, L"iPhone MPEG-4视频(*.mp4)", L"为iPhone优化的MPEG-4视频预置方案.", 20},
    {501, SharedText, L"为iPhone优化的MPEG-4视频预置方案.(480P)", 21},
    {502, L"iPhone MPEG-4视频宽屏(*.mp4)", L"为iPhone优化的MPEG-4视频预置方案.(宽屏)", 20},
    {503, L"iPhone MPEG-4高清晰视频(*.mp4)", L"为iPhone优化的MPEG-4视频预置方案.(高清晰)", 21},
    {504, L"iPhone MPEG-4视频(320X240)(*.mp4)", L"为iPhone优化的MPEG-4视频预置方案.(320*240)", 20},
    {505, L"iPhone MPEG-4视频(480X320)(*.mp4)", L"为iPhone优化的MPEG-4视频预置方案.(480*320)", 21},
};

// PSP视频
const TLegacyFormat kCategory5[] = {
    {600, SharedText, L"为PSP优化的MPEG-4视频预置方案.", 20},
    {601, SharedText, L"为PSP优化的AVC MPEG-4视频预置方案.", 21},
    {602, SharedText, L"为PSP优化的MPEG-4视频预置方案.(高清晰)", 20},
    {603, SharedText, L"为PSP优化的MPEG-4视频预置方案.(高压缩)", 21},
    {604, SharedText, L"为PSP优化的MPEG-4视频预置方案.(480P)", 20},
};

// 3GP视频
const TLegacyFormat kCategory6[] = {
    {700, L"3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)", L"第三代合作伙伴项目3GPP制定的多媒体格式，手机视频格式.(AMR音频)", 20},
    {701, L"3GPP -  第三代合作项目-3GP视频+AAC音频(*.3gp)", L"第三代合作伙伴项目3GPP制定的多媒体格式，手机视频格式.(AAC音频)", 20},
    {702, L"3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2))", L"第三代合作伙伴项目2 3GPP2制定的多媒体格式，手机视频格式.(AMR音频)", 21},
    {703, L"3GPP2 -  第三代合作项目2-3G2视频+AAC音频(*.3g2)", L"第三代合作伙伴项目2 3GPP2制定的多媒体格式，手机视频格式.(AAC音频)", 21},
    {704, L"黑莓手机3GP视频+AMR音频(*.3gp)", L"为黑莓手机优化的3GP视频预置方案.(AMR音频)", 20},
    {705, L"黑莓手机3GP视频+AAC音频(*.3gp)", L"为黑莓手机优化的3GP视频预置方案.(AAC音频)", 21},
    {706, L"黑莓手机AVI视频(*.avi)", L"为黑莓手机优化的AVI视频预置方案.", 20},
    {707, L"黑莓手机MPEG-4视频(*.mp4)", L"为黑莓手机优化的MPEG-4视频预置方案.", 21},
    {708, L"黑莓手机AMR音频格式(*.amr)", L"为黑莓手机优化的AMR音频预置方案.", 21},
    {709, L"Symbian智能平台手机专用MP4视频(*.mp4)", L"为Symbian智能平台手机优化的MP4视频预置方案.", 21},
    {710, L"各种手机常用的MP4视频(*.mp4)", L"为各种手机优化的MP4视频预置方案.", 21},
    {711, L"各种手机常用的AVI视频(*.avi)", L"为各种手机优化的AVI视频预置方案.", 21},
    {712, L"各种手机常用的MOV视频(*.mov)", L"为各种手机优化的MOV视频预置方案.", 21},
    {713, L"各种手机常用的MP4视频(*.mp4)", L"为各种手机优化的MP4视频预置方案.(小屏幕)", 21},
};

// APPLE视频
const TLegacyFormat kCategory7[] = {
    {800, SharedText, L"为Apple TV优化的MPEG-4 H264视频预置方案.(320X240)", 22},
    {801, SharedText, SharedText, 23},
    {802, SharedText, SharedText, 24},
    {803, SharedText, SharedText, 25},
    {804, SharedText, SharedText, 26},
};

// XboX视频
const TLegacyFormat kCategory8[] = {
    {900, SharedText, L"Xbox360支持AVC/H.264视频文件.", 22},
    {901, SharedText, L"为Xbox360优化的高清晰MPEG-2视频预置方案(.mpeg文件)", 23},
    {902, SharedText, SharedText, 24},
    {903, SharedText, SharedText, 25},
    {904, SharedText, SharedText, 26},
    {905, SharedText, SharedText, 21},
    {906, SharedText, SharedText, 21},
    {907, SharedText, L"为Xbox360优化的AVI视频预置方案.(高清晰).", 21},
    {908, SharedText, L"为Xbox360优化的AVI视频预置方案.(微软编码1).", 21},
    {909, SharedText, L"为Xbox360优化的AVI视频预置方案.(微软编码2).", 21},
};

// PMP视频
const TLegacyFormat kCategory9[] = {
    {1000, L"爱可视AV500/GMini402视频(*.avi)", L"为爱可视AV500/GMini402优化的MPEG-4视频预置方案", 22},
    {1001, L"爱可视AV700视频(*.avi)", L"为爱可视AV700优化的MPEG-4视频预置方案", 23},
    {1002, L"Creative Zen Vision视频(*.avi)", L"为Creative Zen Vision优化的MPEG-4视频预置方案", 24},
    {1003, L"Zune MPEG-4 AVC视频(*.mp4)", L"为Zune优化的MPEG-4 AVC视频预置方案", 25},
    {1004, L"Zune MPEG-4 AVC视频(*.mp4)", L"为Zune优化的MPEG-4 AVC视频预置方案(H264编码)", 26},
    {1005, L"Zune MPEG-4视频(*.mp4)", L"为Zune优化的MPEG-4视频预置方案", 21},
    {1006, L"Zune WMV多媒体视频(*.wmv)", L"为Zune优化的WMV多媒体视频预置方案", 21},
    {1007, L"iRiver PMP-100视频(*.avi)", L"为iRiver PMP-100优化的MPEG-4视频预置方案", 21},
};

// MP4视频
const TLegacyFormat kCategory10[] = {
    {1100, SharedText, L"为各种MP4机优化的MPEG-4视频预置方案", 22},
    {1101, SharedText, SharedText, 23},
    {1102, SharedText, SharedText, 24},
    {1103, SharedText, SharedText, 25},
    {1104, SharedText, SharedText, 26},
};

// Flash视频
const TLegacyFormat kCategory11[] = {
    {1200, SharedText, SharedText, 22},
    {1201, SharedText, L"最常用的FLASH动画视频预置方案，动画格式为SWF文件", 23},
    {1202, SharedText, SharedText, 24},
    {1203, SharedText, L"最常用的FLASH动画视频预置方案，动画格式为SWF文件(音频格式)", 25},
};

}  // namespace

const TLegacyCategory kLegacyCategories[CategoryCount] = {
    {L"常用视频", kCategory0},
    {L"常用音频", kCategory1},
    {L"HD视频", kCategory2},
    {L"iPod视频", kCategory3},
    {L"iPhone视频", kCategory4},
    {L"PSP视频", kCategory5},
    {L"3GP视频", kCategory6},
    {L"APPLE视频", kCategory7},
    {L"XboX视频", kCategory8},
    {L"PMP视频", kCategory9},
    {L"MP4视频", kCategory10},
    {L"Flash视频", kCategory11},
};

}  // namespace legacy
