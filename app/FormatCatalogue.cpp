#include "app/FormatCatalogue.h"

#include <iterator>

#include "app/FormatTables.h"

namespace formats {

namespace {

// Filter of the open-file dialogs. The second and third pieces form one
// entry; the gap in the FLAC entry is an ideographic space.
const wchar_t* const kFilterPieces[] = {
    L"所有文件格式 (*.*)|*.*|",
    L"支持的视频/音频文件格式|*.AVI;*.ASF;*.asx;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.MP4;*.MPG;"
    L"*.MPEG;*.DAT;*.OGM;*.VOB;*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.MP3;*.AAC;*.WAV;*.WMA;*.CDA;"
    L"*.SWF;",
    L"*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;*.MPA;*.MPC;*.APE;*.OFR;*.OGG;*.RA;*.WV;*.TTA;*.AC3;*.DTS;"
    L"*.DV;*.m4v;*.3g2;*.mkv;*.dv;*.yuv;*.h261;*.h264;*.mjpeg;*.dif;*.m4v;*.3gpp;*.3gp2;*.qt|",
    L"支持的视频文件格式|*.AVI;*.ASF;*.asx;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.MP4;*.MPG;"
    L"*.MPEG;*.DAT;*.OGM;*.VOB;*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.SWF;*.WV;*.TTA;*.AC3;*.DTS;"
    L"*.DV;*.m4v;*.3g2;*.mkv;*.dv;*.yuv;*.h261;*.h264;*.mjpeg;*.dif;*.m4v;*.3gpp;*.3gp2;*.qt|",
    L"支持的音频文件格式|*.MP3;*.AAC;*.WAV;*.WMA;*.CDA;*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;*.MPA;"
    L"*.MPC;*.APE;*.OFR;*.OGG;*.RA;*.WV;*.TTA;*.AC3|",
    L"AVI文件 (*.avi)|*.avi|",
    L"Real视频文件格式 (*.rm;*.rmvb)|*.rm;*.rmvb|",
    L"MP4视频格式 (*.mp4;*.m4v)|*.mp4;*.m4v|",
    L"MPEG视频格式 (*.mpg;*.mpeg)|*.mpg;*.mpeg|",
    L"DVD视频格式 (*.vob)|*.vob|",
    L"VCD/SVCD视频格式 (*.dat;*.mpg)|*.dat;*.mpg|",
    L"ASF微软视频格式 (*.asf)|*.asf|",
    L"WMV微软视频格式 (*.wmv)|*.wmv|",
    L"手机3GPP文件格式 (*.3gp;*.3gpp)|*.3gp;*.3gpp|",
    L"手机3GPP2文件格式 (*.3g2;*.3gp2)|*.3g2;*.3gp2|",
    L"Flash动画格式 (*.swf)|*.swf|",
    L"Flash视频格式 (*.flv)|*.flv|",
    L"MKV视频媒体格式 (*.mkv)|*.mkv|",
    L"Quick Time视频文件格式 (*.mov;*.qt)|*.mov;*.qt|",
    L"DV数字视频文件格式 (*.dv;*.dif)|*.dv;*.dif|",
    L"Raw h261类型文件 (*.h261)|*.h261|",
    L"Raw h264类型文件 (*.h264)|*.h264|",
    L"YUV类型文件 (*.yuv)|*.yuv|",
    L"GIF图片动画格式 (*.gif)|*.gif|",
    L"MJPEG视频格式(*.mjpg;*.mjpeg)|*.mjpg;*.mjpeg|",
    L"TS视频格式 (*.ts)|*.ts|",
    L"WMV高清HD视频格式 (*.xwmv)|*.xwmv|",
    L"微软数字视频格式( *.dvr-ms)|*.dvr-ms|",
    L"iTunes视频格式 (*.m4v)|*.m4v|",
    L"MP3音频格式 (*.mp3)|*.mp3|",
    L"CD音频格式 (*.cda)|*.cda|",
    L"WMA微软音频格式 (*.wma)|*.wma|",
    L"WAVE音频格式 (*.wav)|*.wav|",
    L"REAL音频格式 (*.ra;*.ram)|*.ra;*.ram|",
    L"MP4音频格式 (*.m4a;*.mp4)|*.m4a;*.mp4|",
    L"AAC高级音频格式 (*.aac)|*.aac|",
    L"AC3音频格式 (*.ac3)|*.ac3|",
    L"Monkey音频格式 (*.ape;*.cue)|*.ape;*.cue|",
    L"Flac无损压缩音频格式\u3000(*.flac)|*.flac|",
    L"MPEG音频编码格式(*.mpa)|*.mpa|",
    L"MPEG 2音频编码格式(*.mp2)|*.mp2|",
    L"OGG音频编码格式(*.ogg)|*.ogg|",
    L"AIFF音频编码格式(*.aif; *.aiff)|*.aif; *.aiff|",
};

struct TExtensionFix {
    const wchar_t* Tail;
    const wchar_t* Ext;
};

// Titles whose extension is not three letters long.
const TExtensionFix kExtensionFixes[] = {
    {L"lac)", L".alac"}, {L"flac", L".flac"}, {L"aiff", L".aiff"},
    {L"mpeg", L".mpeg"}, {L"*.rm", L".rm"},   {L"*.ra", L".ra"},
};

bool ValidPosition(int position) { return position >= 0 && position < CategoryCount; }

}  // namespace

std::span<const TCategory> Categories() { return kCategories; }

int CategoryCode(int position) {
    return ValidPosition(position) ? kCategories[position].Code : -1;
}

int CatalogueKey(int categoryPosition, int formatPosition) {
    const int code = CategoryCode(categoryPosition);
    return code < 0 ? -1 : (code + 1) * 100 + formatPosition;
}

int SelectionKey(int categoryPosition, int formatPosition) {
    return ValidPosition(categoryPosition) ? (categoryPosition + 1) * 100 + formatPosition : -1;
}

bool SplitSelectionKey(int selectionKey, int& categoryPosition, int& formatPosition) {
    if (selectionKey < 100) return false;
    const int position = selectionKey / 100 - 1;
    const int format = selectionKey % 100;
    if (!ValidPosition(position) ||
        format >= static_cast<int>(kCategories[position].Formats.size()))
        return false;
    categoryPosition = position;
    formatPosition = format;
    return true;
}

const TFormatEntry* FindFormat(int key) {
    if (key < 100) return nullptr;
    const int code = key / 100 - 1;
    const int format = key % 100;
    for (const TCategory& category : kCategories) {
        if (category.Code == code)
            return format < static_cast<int>(category.Formats.size()) ? &category.Formats[format]
                                                                       : nullptr;
    }
    return nullptr;
}

std::wstring TitleExtension(const std::wstring& title) {
    if (title.size() < 5) return std::wstring();
    const std::wstring tail = title.substr(title.size() - 5, 4);
    for (const TExtensionFix& fix : kExtensionFixes) {
        if (tail == fix.Tail) return fix.Ext;
    }
    return tail;
}

std::wstring OpenDialogFilter() {
    std::wstring filter;
    for (const wchar_t* piece : kFilterPieces) filter += piece;
    return filter;
}

}  // namespace formats
