// Titles and description lines of the output formats, by category.

#include "app/FormatTables.h"

namespace formats {

namespace {

// H264视频
const TFormatEntry kCode26[] = {
    {2700, L"H.264高清AVI视频格式(*.avi)",
     L"H.264高清AVI视频格式，采用H.264编码，画质清晰，适合保存和播放高清视频"},
    {2701, L"H.264高清MPEG-4视频格式(*.mp4)",
     L"H.264高清MPEG-4视频格式，采用H.264编码，画质清晰，适合保存和播放高清视频"},
    {2702, L"H.264高清MKV视频格式(*.mkv)",
     L"H.264高清MKV视频格式，采用H.264编码，画质清晰，适合保存和播放高清视频"},
    {2703, L"H.264高清MP4视频格式(*.mp4)",
     L"H.264高清MP4视频格式，采用H.264编码，画质清晰，适合保存和播放高清视频"},
};

// MOV视频
const TFormatEntry kCode25[] = {
    {2600, L"标准MOV视频格式(*.mov)",
     L"标准MOV视频格式，苹果QuickTime格式，适合在苹果电脑和苹果设备上播放"},
    {2601, L"高清MOV视频格式(*.mov)",
     L"高清MOV视频格式，苹果QuickTime格式，适合在苹果电脑和苹果设备上播放"},
    {2602, L"优化MOV视频格式(*.mov)",
     L"优化MOV视频格式，苹果QuickTime格式，适合在苹果电脑和苹果设备上播放"},
    {2603, L"高压缩MOV视频格式(*.mov)",
     L"高压缩MOV视频格式，苹果QuickTime格式，适合在苹果电脑和苹果设备上播放"},
};

// iPad视频
const TFormatEntry kCode12[] = {
    {1300, L"iPad标准视频格式(*.mp4)",
     L"iPad标准视频格式，适合在iPad平板电脑上播放"},
    {1301, L"iPad高清视频格式H.264编码(*.mp4)",
     L"iPad高清视频格式H.264编码，适合在iPad平板电脑上播放"},
    {1302, L"iPad MPEG-4视频格式 XviD编码 (*.mp4)",
     L"iPad MPEG-4视频格式 XviD编码，适合在iPad平板电脑上播放"},
    {1303, L"iPad 720P HD高清晰视频MPEG-4(*.mp4)",
     L"iPad 720P HD高清晰视频MPEG-4，适合在iPad平板电脑上播放"},
    {1304, L"iPad 优化视频方案1(*.mp4)",
     L"iPad 优化视频方案1，适合在iPad平板电脑上播放"},
    {1305, L"iPad 优化视频方案2(*.mp4)",
     L"iPad 优化视频方案2，适合在iPad平板电脑上播放"},
    {1306, L"iPad 1080P FHD全高清晰视频MPEG-4(*.mp4)",
     L"iPad 1080P FHD全高清晰视频MPEG-4，适合在iPad平板电脑上播放"},
    {1307, L"iPad 标准MOV视频(*.mov)",
     L"iPad 标准MOV视频，适合在iPad平板电脑上播放"},
    {1308, L"iPad 高清MOV视频(*.mov)",
     L"iPad 高清MOV视频，适合在iPad平板电脑上播放"},
    {1309, L"iPad 标准AVI视频(*.avi)",
     L"iPad 标准AVI视频，适合在iPad平板电脑上播放"},
    {1310, L"iPad 高清AVI视频(*.avi)",
     L"iPad 高清AVI视频，适合在iPad平板电脑上播放"},
};

// AVI视频
const TFormatEntry kCode15[] = {
    {1600, L"AVI标准视频(*.avi)",
     L"AVI标准视频，兼容性好，适合在电脑和大多数播放器上播放"},
    {1601, L"HD高清晰AVI标准视频(*.avi)",
     L"HD高清晰AVI标准视频，兼容性好，适合在电脑和大多数播放器上播放"},
    {1602, L"网络上常用的AVI视频(*.avi)",
     L"网络上常用的AVI视频，兼容性好，适合在电脑和大多数播放器上播放"},
    {1603, L"电脑上常用的AVI视频(*.avi)",
     L"电脑上常用的AVI视频，兼容性好，适合在电脑和大多数播放器上播放"},
    {1604, L"优化的AVI视频(*.avi)",
     L"优化的AVI视频，兼容性好，适合在电脑和大多数播放器上播放"},
    {1605, L"高压缩的AVI视频(*.avi)",
     L"高压缩的AVI视频，兼容性好，适合在电脑和大多数播放器上播放"},
    {1606, L"高清的HD AVI视频(*.avi)",
     L"高清的HD AVI视频，兼容性好，适合在电脑和大多数播放器上播放"},
};

// MP4视频
const TFormatEntry kCode10[] = {
    {1100, L"MP4机播放的MP4视频格式(*.mp4)",
     L"MP4机播放的MP4视频格式，适合在MP4播放器和电脑上播放"},
    {1101, L"电脑上使用的MP4视频格式(*.mp4)",
     L"电脑上使用的MP4视频格式，适合在MP4播放器和电脑上播放"},
    {1102, L"MPEG-4视频高清晰视频(*.mp4)",
     L"MPEG-4视频高清晰视频，适合在MP4播放器和电脑上播放"},
    {1103, L"MP4 AVC视频(*.mp4)",
     L"MP4 AVC视频，适合在MP4播放器和电脑上播放"},
    {1104, L"MP4 H264编码视频(*.mp4)",
     L"MP4 H264编码视频，适合在MP4播放器和电脑上播放"},
};

// AVCHD视频
const TFormatEntry kCode27[] = {
    {2800, L"高清AVCHD视频格式(*.avi)",
     L"高清AVCHD视频格式，适合转换高清摄像机拍摄的AVCHD视频"},
    {2801, L"高清AVI视频格式(*.avi)",
     L"AVI视频格式，可以转换为高清AVI视频，采用DivX编码的AVI视频格式"},
    {2802, L"高清AVI视频格式(*.avi)",
     L"AVI视频格式，可以转换为高清AVI视频，采用XviD编码的AVI视频格式"},
    {2803, L"高清MP4视频格式(*.mp4)",
     L"高清MP4视频格式，适合转换高清摄像机拍摄的AVCHD视频"},
    {2804, L"高清MPEG-4视频格式(*.mp4)",
     L"高清MPEG-4视频格式，适合转换高清摄像机拍摄的AVCHD视频"},
};

// 常用视频
const TFormatEntry kCode0[] = {
    {100, L"AVI - 音频视频交错格式(*.avi)",
     L"AVI最常用的视频格式,语音和影像同步组合在一起的文件格式"},
    {101, L"MP4 - MPEG-4视频格式(*.mp4)",
     L"MP4 - MPEG-4视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {102, L"DivX - 视频格式(*.avi)",
     L"DivX - 视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {103, L"MOV - 苹果QuickTime视频格式(*.mov)",
     L"MOV - 苹果QuickTime视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {104, L"XviD - 视频格式(*.avi)",
     L"XviD - 视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {105, L"MKV - Matroska视频格式(*.mkv)",
     L"MKV - Matroska视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {106, L"MPEG-1视频格式(*.mpg)",
     L"MPEG-1视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {107, L"MPEG-2视频格式(*.mpg)",
     L"MPEG-2视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {108, L"ASF - 高级流视频格式(*.asf)",
     L"ASF - 高级流视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {109, L"3GP - 视频格式(*.3gp)",
     L"3GP - 视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {110, L"WMV - 视频格式(*.wmv)",
     L"WMV - 视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {111, L"DVD - 视频格式(*.mpg)",
     L"DVD - 视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {112, L"SVCD - 视频格式(*.mpg)",
     L"SVCD - 视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {113, L"VCD - 视频格式(*.mpg)",
     L"VCD - 视频格式，常用的视频格式，适合在电脑和播放器上播放"},
    {114, L"RM - REAL视频格式(*.rm)",
     L"RM - REAL视频格式，常用的视频格式，适合在电脑和播放器上播放"},
};

// HD视频
const TFormatEntry kCode2[] = {
    {300, L"高清AVI视频格式(*.avi)",
     L"高清晰AVI视频格式(DivX视频编码)"},
    {301, L"高清AVI视频格式(*.avi)",
     L"高清晰AVI视频格式(XviD视频编码)"},
    {302, L"高清H264视频格式(*.mp4)",
     L"高清H264视频格式，高清晰视频格式，适合在高清电视和电脑上播放"},
    {303, L"高清MPEG-4视频格式(*.mp4)",
     L"高清MPEG-4视频格式，高清晰视频格式，适合在高清电视和电脑上播放"},
    {304, L"高清MOV视频格式(*.mov)",
     L"高清MOV视频格式，高清晰视频格式，适合在高清电视和电脑上播放"},
    {305, L"高清ASF视频格式(*.asf)",
     L"高清ASF视频格式，高清晰视频格式，适合在高清电视和电脑上播放"},
    {306, L"高清WMV视频格式(*.wmv)",
     L"高清WMV视频格式，高清晰视频格式，适合在高清电视和电脑上播放"},
    {307, L"高清DVD视频格式(*.vob)",
     L"高清DVD视频格式，高清晰视频格式，适合在高清电视和电脑上播放"},
    {308, L"高清MPEG-2视频格式(*.mpg)",
     L"高清MPEG-2视频格式，高清晰视频格式，适合在高清电视和电脑上播放"},
    {309, L"高清MKV视频格式(*.mkv)",
     L"高清MKV视频格式，高清晰视频格式，适合在高清电视和电脑上播放"},
};

// MPG视频
const TFormatEntry kCode13[] = {
    {1400, L"MPG标准视频(*.mpg)",
     L"MPG标准视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1401, L"MPEG-1标准视频(*.mpg)",
     L"MPEG-1标准视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1402, L"MPEG-2标准视频(*.mpg)",
     L"MPEG-2标准视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1403, L"MPEG-4标准视频(*.mp4)",
     L"MPEG-4标准视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1404, L"MPEG-2高清HD视频(*.mpg)",
     L"MPEG-2高清HD视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1405, L"MPEG-4高清HD视频(*.mp4)",
     L"MPEG-4高清HD视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1406, L"MPEG-2优化视频(*.mpg)",
     L"MPEG-2优化视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1407, L"MPEG-2高压缩视频(*.mpg)",
     L"MPEG-2高压缩视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1408, L"DVD格式高清晰视频(*.mpg)",
     L"DVD格式高清晰视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1409, L"SVCD格式标清视频(*.mpg)",
     L"SVCD格式标清视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
    {1410, L"VCD格式清晰视频(*.mpg)",
     L"VCD格式清晰视频，MPEG视频格式，适合刻录光盘和在影碟机上播放"},
};

// MKV视频
const TFormatEntry kCode16[] = {
    {1700, L"MKV标准视频(*.mkv)",
     L"MKV标准视频，Matroska封装格式，适合保存高清视频"},
    {1701, L"HD高清MKV视频(*.mkv)",
     L"HD高清MKV视频，Matroska封装格式，适合保存高清视频"},
    {1702, L"网络上常用的MKV视频(*.mkv)",
     L"网络上常用的MKV视频，Matroska封装格式，适合保存高清视频"},
    {1703, L"电脑上常用的MKV标准视频(*.mkv)",
     L"电脑上常用的MKV标准视频，Matroska封装格式，适合保存高清视频"},
    {1704, L"优化的MKV视频(*.mkv)",
     L"优化的MKV视频，Matroska封装格式，适合保存高清视频"},
    {1705, L"高压缩的MKV视频(*.mkv)",
     L"高压缩的MKV视频，Matroska封装格式，适合保存高清视频"},
    {1706, L"高清的HD MKV视频(*.mkv)",
     L"高清的HD MKV视频，Matroska封装格式，适合保存高清视频"},
};

// VOB视频
const TFormatEntry kCode20[] = {
    {2100, L"VOB标准视频(*.vob)",
     L"VOB标准视频，DVD光盘使用的视频格式，适合刻录DVD光盘"},
    {2101, L"HD高清VOB视频(*.vob)",
     L"HD高清VOB视频，DVD光盘使用的视频格式，适合刻录DVD光盘"},
    {2102, L"高清DVD视频格式(*.vob)",
     L"高清DVD视频格式，DVD光盘使用的视频格式，适合刻录DVD光盘"},
    {2103, L"电脑上常用的VOB标准视频(*.vob)",
     L"电脑上常用的VOB标准视频，DVD光盘使用的视频格式，适合刻录DVD光盘"},
    {2104, L"优化的VOB视频(*.vob)",
     L"优化的VOB视频，DVD光盘使用的视频格式，适合刻录DVD光盘"},
    {2105, L"高压缩的VOB视频(*.vob)",
     L"高压缩的VOB视频，DVD光盘使用的视频格式，适合刻录DVD光盘"},
};

// 平板电脑
const TFormatEntry kCode32[] = {
    {3300, L"高清AVI格式视频(*.avi)",
     L"高清AVI格式视频，适合在平板电脑上播放"},
    {3301, L"平板电脑支持的AVI视频(*.avi)",
     L"平板电脑支持的AVI视频，适合在平板电脑上播放"},
    {3302, L"平板电脑标准的MP4视频(*.mp4)",
     L"平板电脑标准的MP4视频，适合在平板电脑上播放"},
    {3303, L"适用平板电脑的DivX视频(*.mp4)",
     L"适用平板电脑的DivX视频，适合在平板电脑上播放"},
    {3304, L"Xvid视频高清(*.mp4)",
     L"Xvid视频高清，适合在平板电脑上播放"},
    {3305, L"H.264格式高清视频(*.mp4)",
     L"H.264格式高清视频，适合在平板电脑上播放"},
    {3306, L"安卓平板电脑MPEG-2视频(*.mpg)",
     L"安卓平板电脑MPEG-2视频，适合在平板电脑上播放"},
    {3307, L"Android平板支持的MPEG-4视频(*.mp4)",
     L"Android平板支持的MPEG-4视频，适合在平板电脑上播放"},
    {3308, L"MKV格式视频(*.mkv)",
     L"MKV格式视频，适合在平板电脑上播放"},
    {3309, L"MOV格式视频(*.mov)",
     L"MOV格式视频，适合在平板电脑上播放"},
    {3310, L"FLV格式视频(*.flv)",
     L"FLV格式视频，适合在平板电脑上播放"},
    {3311, L"平板电脑WMV视频(*.wmv)",
     L"平板电脑WMV视频，适合在平板电脑上播放"},
    {3312, L"平板电脑MP3音频(*.mp3)",
     L"平板电脑MP3音频，只保留声音，适合在网页和播放器上收听"},
};

// iPhone视频
const TFormatEntry kCode4[] = {
    {500, L"标准iPhone MPEG-4视频(*.mp4)",
     L"标准iPhone MPEG-4视频，适合在iPhone手机上播放"},
    {501, L"iPhone MPEG-4视频480P(*.mp4)",
     L"iPhone MPEG-4视频480P，适合在iPhone手机上播放"},
    {502, L"高清iPhone MPEG-4视频720P(*.mp4)",
     L"高清iPhone MPEG-4视频720P，适合在iPhone手机上播放"},
    {503, L"高清iPhone H264视频720P(*.mp4)",
     L"高清iPhone H264视频720P，适合在iPhone手机上播放"},
    {504, L"高清iPhone H264视频1080P(*.mp4)",
     L"高清iPhone H264视频1080P，适合在iPhone手机上播放"},
    {505, L"iPhone MPEG-4视频宽屏(*.mp4)",
     L"iPhone MPEG-4视频宽屏，适合在iPhone手机上播放"},
    {506, L"iPhone MPEG-4高清晰视频(*.mp4)",
     L"iPhone MPEG-4高清晰视频，适合在iPhone手机上播放"},
    {507, L"iPhone MPEG-4视频(320X240)(*.mp4)",
     L"iPhone MPEG-4视频(320X240)，适合在iPhone手机上播放"},
    {508, L"iPhone MPEG-4视频(480X320)(*.mp4)",
     L"iPhone MPEG-4视频(480X320)，适合在iPhone手机上播放"},
    {509, L"iPhone 标准MOV视频(*.mov)",
     L"iPhone 标准MOV视频，适合在iPhone手机上播放"},
    {510, L"iPhone 高清MOV视频(*.mov)",
     L"iPhone 高清MOV视频，适合在iPhone手机上播放"},
    {511, L"iPhone 标准AVI视频-Xvid(*.avi)",
     L"iPhone 标准AVI视频-Xvid，适合在iPhone手机上播放"},
    {512, L"iPhone 高清DivX视频(*.avi)",
     L"iPhone 高清DivX视频，适合在iPhone手机上播放"},
    {513, L"iPhone 高清AVI视频(*.avi)",
     L"iPhone 高清AVI视频，适合在iPhone手机上播放"},
    {514, L"iPhone 高清WMV视频(*.wmv)",
     L"iPhone 高清WMV视频，适合在iPhone手机上播放"},
};

// PSP视频
const TFormatEntry kCode5[] = {
    {600, L"PSP MPEG-4视频(*.mp4)",
     L"PSP MPEG-4视频，适合在PSP游戏机上播放"},
    {601, L"PSP AVC MPEG-4视频(*.mp4)",
     L"PSP AVC MPEG-4视频，适合在PSP游戏机上播放"},
    {602, L"PSP高清晰MPEG-4视频(*.mp4)",
     L"PSP高清晰MPEG-4视频，适合在PSP游戏机上播放"},
    {603, L"PSP高压缩MPEG-4视频(*.mp4)",
     L"PSP高压缩MPEG-4视频，适合在PSP游戏机上播放"},
    {604, L"PSP Video MPEG-4视频480P(*.mp4)",
     L"PSP Video MPEG-4视频480P，适合在PSP游戏机上播放"},
};

// APPLE视频
const TFormatEntry kCode7[] = {
    {800, L"Apple TV H264视频(320X240)(*.mp4)",
     L"Apple TV H264视频(320X240)，适合在Apple TV上播放"},
    {801, L"Apple TV H264视频480P(640X480)(*.mp4)",
     L"Apple TV H264视频480P(640X480)，适合在Apple TV上播放"},
    {802, L"Apple TV H264视频720P(1280X720)(*.mp4)",
     L"Apple TV H264视频720P(1280X720)，适合在Apple TV上播放"},
    {803, L"Apple TV H264高清晰视频480P(640X480)(*.mp4)",
     L"Apple TV H264高清晰视频480P(640X480)，适合在Apple TV上播放"},
    {804, L"Apple TV MPEG-4高压缩视频480P(640X480)(*.mp4)",
     L"Apple TV MPEG-4高压缩视频480P(640X480)，适合在Apple TV上播放"},
};

// XboX视频
const TFormatEntry kCode8[] = {
    {900, L"Xbox360 HD H.264视频(*.mp4)",
     L"Xbox360 HD H.264视频，为Xbox360优化的视频预置方案"},
    {901, L"Xbox360 MCE HD MPEG-2视频(*.mpg)",
     L"为Xbox360优化的高清晰MPEG-2视频预置方案"},
    {902, L"Xbox360 MCE HD MPEG-2视频(*.mpg)",
     L"为Xbox360优化的高清晰MPEG-2视频预置方案"},
    {903, L"Xbox360 MPEG-4视频(*.mp4)",
     L"Xbox360 MPEG-4视频，为Xbox360优化的视频预置方案"},
    {904, L"Xbox360 MP4高清晰视频(*.mp4)",
     L"Xbox360 MP4高清晰视频，为Xbox360优化的视频预置方案"},
    {905, L"Xbox360 WMV视频(*.wmv)",
     L"Xbox360 WMV视频，为Xbox360优化的视频预置方案"},
    {906, L"Xbox360 WMV HDTV视频(*.wmv)",
     L"Xbox360 WMV HDTV视频，为Xbox360优化的视频预置方案"},
    {907, L"Xbox360 MCE 高清晰AVI视频(*.avi)",
     L"为Xbox360优化的AVI视频预置方案.(高清晰)"},
    {908, L"Xbox360 MCE 高清晰AVI视频(*.avi)",
     L"为Xbox360优化的AVI视频预置方案.(微软编码1)"},
    {909, L"Xbox360 MCE 高清晰AVI视频(*.avi)",
     L"为Xbox360优化的AVI视频预置方案.(微软编码2)"},
};

// Flash视频
const TFormatEntry kCode11[] = {
    {1200, L"FLV在线网络视频(*.flv)",
     L"FLV在线网络视频，适合在网页上在线播放"},
    {1201, L"SWF动画视频FLASH动画视频(*.swf)",
     L"SWF动画视频FLASH动画视频，适合在网页上在线播放"},
    {1202, L"FLV在线网络音频格式(*.flv)",
     L"FLV在线网络音频格式，只保留声音，适合在网页和播放器上收听"},
    {1203, L"SWF动画视频FLASH动画音频格式(*.swf)",
     L"SWF动画视频FLASH动画音频格式，只保留声音，适合在网页和播放器上收听"},
};

// SWF视频
const TFormatEntry kCode14[] = {
    {1500, L"标准的SWF视频格式(*.swf)",
     L"标准的SWF视频格式，Flash动画格式，适合在网页上播放"},
    {1501, L"高清的SWF动画视频FLASH动画视频(*.swf)",
     L"高清的SWF动画视频FLASH动画视频，Flash动画格式，适合在网页上播放"},
    {1502, L"优化的SWF视频格式(*.swf)",
     L"优化的SWF视频格式，Flash动画格式，适合在网页上播放"},
    {1503, L"高压缩的SWF视频格式(*.swf)",
     L"高压缩的SWF视频格式，Flash动画格式，适合在网页上播放"},
    {1504, L"FLV在线网络视频(*.flv)",
     L"FLV在线网络视频，Flash动画格式，适合在网页上播放"},
    {1505, L"SWF动画视频FLASH动画音频格式(*.swf)",
     L"SWF动画视频FLASH动画音频格式，只保留声音，适合在网页和播放器上收听"},
    {1506, L"FLV在线网络音频格式(*.flv)",
     L"FLV在线网络音频格式，只保留声音，适合在网页和播放器上收听"},
};

// WMV视频
const TFormatEntry kCode17[] = {
    {1800, L"WMV标准视频(*.wmv)",
     L"WMV标准视频，微软Windows媒体视频格式，适合在Windows电脑上播放"},
    {1801, L"HD高清WMV视频(*.wmv)",
     L"HD高清WMV视频，微软Windows媒体视频格式，适合在Windows电脑上播放"},
    {1802, L"网络上常用的WMV视频(*.wmv)",
     L"网络上常用的WMV视频，微软Windows媒体视频格式，适合在Windows电脑上播放"},
    {1803, L"电脑上常用的WMV标准视频(*.wmv)",
     L"电脑上常用的WMV标准视频，微软Windows媒体视频格式，适合在Windows电脑上播放"},
    {1804, L"优化的WMV视频(*.wmv)",
     L"优化的WMV视频，微软Windows媒体视频格式，适合在Windows电脑上播放"},
    {1805, L"高压缩的WMV视频(*.wmv)",
     L"高压缩的WMV视频，微软Windows媒体视频格式，适合在Windows电脑上播放"},
    {1806, L"高清的HD WMV视频(*.wmv)",
     L"高清的HD WMV视频，微软Windows媒体视频格式，适合在Windows电脑上播放"},
};

// Android视频
const TFormatEntry kCode19[] = {
    {2000, L"Android手机AVI视频(*.avi)",
     L"Android手机AVI视频，适合在安卓(Android)手机上播放"},
    {2001, L"Android手机MPEG-4视频(*.mp4)",
     L"Android手机MPEG-4视频，适合在安卓(Android)手机上播放"},
    {2002, L"Android平台高清MP4视频(*.mp4)",
     L"Android平台高清MP4视频，适合在安卓(Android)手机上播放"},
    {2003, L"安卓智能手机专用MP4视频(*.mp4)",
     L"安卓智能手机专用MP4视频，适合在安卓(Android)手机上播放"},
    {2004, L"H.264高清的MP4视频(*.mp4)",
     L"H.264高清的MP4视频，适合在安卓(Android)手机上播放"},
    {2005, L"各种手机常用的AVI视频DivX(*.avi)",
     L"各种手机常用的AVI视频DivX，适合在安卓(Android)手机上播放"},
    {2006, L"安卓适用的AVI视频Xvid(*.avi)",
     L"安卓适用的AVI视频Xvid，适合在安卓(Android)手机上播放"},
    {2007, L"安卓常用的MOV视频(*.mov)",
     L"安卓常用的MOV视频，适合在安卓(Android)手机上播放"},
    {2008, L"Android常用的WMV视频(*.wmv)",
     L"Android常用的WMV视频，适合在安卓(Android)手机上播放"},
    {2009, L"Android常用的MPEG视频(*.mpg)",
     L"Android常用的MPEG视频，适合在安卓(Android)手机上播放"},
    {2010, L"Android平台的MKV视频(*.mkv)",
     L"Android平台的MKV视频，适合在安卓(Android)手机上播放"},
    {2011, L"Android平台的FLV视频(*.flv)",
     L"Android平台的FLV视频，适合在安卓(Android)手机上播放"},
};

// MTS视频
const TFormatEntry kCode21[] = {
    {2200, L"MTS转换为标准AVI视频(*.avi)",
     L"MTS转换为标准AVI视频，适合转换摄像机拍摄的MTS高清视频"},
    {2201, L"Sony HD高清MTS视频转换为HD高清AVI视频(*.avi)",
     L"Sony HD高清MTS视频转换为HD高清AVI视频，适合转换摄像机拍摄的MTS高清视频"},
    {2202, L"Sony AVCHD高清视频格式(*.avi)",
     L"Sony AVCHD高清视频格式，适合转换摄像机拍摄的MTS高清视频"},
    {2203, L"MTS转换为MPEG-2视频格式标准视频(*.mpg)",
     L"MTS转换为MPEG-2视频格式标准视频，适合转换摄像机拍摄的MTS高清视频"},
    {2204, L"MTS转换为MPG视频格式(*.mpg)",
     L"MTS转换为MPG视频格式，适合转换摄像机拍摄的MTS高清视频"},
    {2205, L"MTS转换为MP4视频(*.mp4)",
     L"MTS转换为MP4视频，适合转换摄像机拍摄的MTS高清视频"},
    {2206, L"MTS转换为AVI视频(*.avi)",
     L"MTS转换为AVI视频，适合转换摄像机拍摄的MTS高清视频"},
    {2207, L"MTS转换为3GP视频(*.3gp)",
     L"MTS转换为3GP视频，适合转换摄像机拍摄的MTS高清视频"},
    {2208, L"MTS转换为电脑常用WMV视频(*.wmv)",
     L"MTS转换为电脑常用WMV视频，适合转换摄像机拍摄的MTS高清视频"},
    {2209, L"MTS转换为网络在线常用FLV视频(*.flv)",
     L"MTS转换为网络在线常用FLV视频，适合转换摄像机拍摄的MTS高清视频"},
    {2210, L"MTS视频转换为DVD视频(*.mpg)",
     L"MTS视频转换为DVD视频，适合转换摄像机拍摄的MTS高清视频"},
    {2211, L"MTS视频转换为SVCD视频(*.mpg)",
     L"MTS视频转换为SVCD视频，适合转换摄像机拍摄的MTS高清视频"},
    {2212, L"MTS视频转换为VCD视频(*.mpg)",
     L"MTS视频转换为VCD视频，适合转换摄像机拍摄的MTS高清视频"},
};

// 智能电视
const TFormatEntry kCode33[] = {
    {3400, L"智能电视高清MP4视频(*.mp4)",
     L"智能电视高清MP4视频，适合在智能电视上播放"},
    {3401, L"4K高清电视DivX视频(*.mp4)",
     L"4K高清电视DivX视频，适合在智能电视上播放"},
    {3402, L"电视高清Xvid视频(*.mp4)",
     L"电视高清Xvid视频，适合在智能电视上播放"},
    {3403, L"H.264编码高清视频(*.mp4)",
     L"H.264编码高清视频，适合在智能电视上播放"},
    {3404, L"高清智能电视AVI视频(*.avi)",
     L"高清智能电视AVI视频，适合在智能电视上播放"},
    {3405, L"4K高清电视AVI视频(*.avi)",
     L"4K高清电视AVI视频，适合在智能电视上播放"},
    {3406, L"智能电视适用的MKV视频(*.mkv)",
     L"智能电视适用的MKV视频，适合在智能电视上播放"},
    {3407, L"高清MOV格式视频(*.mov)",
     L"高清MOV格式视频，适合在智能电视上播放"},
    {3408, L"FLV网络视频(*.flv)",
     L"FLV网络视频，适合在智能电视上播放"},
    {3409, L"WMV高清视频(*.wmv)",
     L"WMV高清视频，适合在智能电视上播放"},
    {3410, L"高清MPEG视频(*.mpg)",
     L"高清MPEG视频，适合在智能电视上播放"},
    {3411, L"MPEG-4超高清视频(*.mp4)",
     L"MPEG-4超高清视频，适合在智能电视上播放"},
};

// MP3音频
const TFormatEntry kCode29[] = {
    {3000, L"高清晰MP3音频格式(*.mp3)",
     L"高清晰MP3音频格式，适合在MP3播放器、手机和电脑上收听"},
    {3001, L"高压缩MP3音频格式(*.mp3)",
     L"高压缩MP3音频格式，适合在MP3播放器、手机和电脑上收听"},
    {3002, L"优化MP3音频格式(*.mp3)",
     L"优化MP3音频格式，适合在MP3播放器、手机和电脑上收听"},
    {3003, L"标准MP3音频格式(*.mp3)",
     L"标准MP3音频格式，适合在MP3播放器、手机和电脑上收听"},
};

// WAV音频
const TFormatEntry kCode30[] = {
    {3100, L"高清晰WAV音频格式(*.wav)",
     L"高清晰WAV音频格式，无损的波形音频格式，适合编辑音频和刻录CD"},
    {3101, L"高压缩WAV音频格式(*.wav)",
     L"高压缩WAV音频格式，无损的波形音频格式，适合编辑音频和刻录CD"},
    {3102, L"优化WAV音频格式(*.wav)",
     L"优化WAV音频格式，无损的波形音频格式，适合编辑音频和刻录CD"},
    {3103, L"标准WAV音频格式(*.wav)",
     L"标准WAV音频格式，无损的波形音频格式，适合编辑音频和刻录CD"},
};

// 常用音频
const TFormatEntry kCode1[] = {
    {200, L"MP3 - MPEG Layer-3音频格式(*.mp3)",
     L"最流行的音频格式,具有体积小,音质高的特点,几乎成为网上音乐的代名词"},
    {201, L"WMA - Windows媒体音频格式(*.wma)",
     L"WMA - Windows媒体音频格式，常用的音频格式，适合在各种播放器上收听"},
    {202, L"WAV - 波形音频格式(*.wav)",
     L"WAV - 波形音频格式，常用的音频格式，适合在各种播放器上收听"},
    {203, L"AAC - 高级音频格式(*.aac)",
     L"AAC - 高级音频格式，常用的音频格式，适合在各种播放器上收听"},
    {204, L"M4A - MPEG-4音频格式(*.m4a)",
     L"M4A - MPEG-4音频格式，常用的音频格式，适合在各种播放器上收听"},
    {205, L"OGG - Ogg Vorbis音频格式(*.ogg)",
     L"OGG - Ogg Vorbis音频格式，常用的音频格式，适合在各种播放器上收听"},
    {206, L"RA - RealAudio音频格式(*.ra)",
     L"RA - RealAudio音频格式，常用的音频格式，适合在各种播放器上收听"},
    {207, L"AC3 - 杜比数字AC-3音频格式(*.ac3)",
     L"AC3 - 杜比数字AC-3音频格式，常用的音频格式，适合在各种播放器上收听"},
    {208, L"AIFF - 音频交换文件格式(*.aiff)",
     L"AIFF - 音频交换文件格式，常用的音频格式，适合在各种播放器上收听"},
    {209, L"MP2 - MPEG Layer-2音频格式(*.mp2)",
     L"MP2 - MPEG Layer-2音频格式，常用的音频格式，适合在各种播放器上收听"},
    {210, L"FLAC-音频格式(*.flac)",
     L"FLAC-音频格式，常用的音频格式，适合在各种播放器上收听"},
    {211, L"MP4-MP4音频格式(*.m4a)",
     L"MP4-MP4音频格式，常用的音频格式，适合在各种播放器上收听"},
    {212, L"AMR-手机音频格式(*.amr)",
     L"AMR-手机音频格式，常用的音频格式，适合在各种播放器上收听"},
};

}  // namespace

// The category list, by position.
const TCategory kCategories[CategoryCount] = {
    {L"H264视频", 26, kCode26},
    {L"MOV视频", 25, kCode25},
    {L"iPad视频", 12, kCode12},
    {L"AVI视频", 15, kCode15},
    {L"MP4视频", 10, kCode10},
    {L"AVCHD视频", 27, kCode27},
    {L"常用视频", 0, kCode0},
    {L"HD视频", 2, kCode2},
    {L"MPG视频", 13, kCode13},
    {L"MKV视频", 16, kCode16},
    {L"VOB视频", 20, kCode20},
    {L"平板电脑", 32, kCode32},
    {L"iPhone视频", 4, kCode4},
    {L"PSP视频", 5, kCode5},
    {L"APPLE视频", 7, kCode7},
    {L"XboX视频", 8, kCode8},
    {L"Flash视频", 11, kCode11},
    {L"SWF视频", 14, kCode14},
    {L"WMV视频", 17, kCode17},
    {L"Android视频", 19, kCode19},
    {L"MTS视频", 21, kCode21},
    {L"智能电视", 33, kCode33},
    {L"MP3音频", 29, kCode29},
    {L"WAV音频", 30, kCode30},
    {L"常用音频", 1, kCode1},
};

}  // namespace formats
