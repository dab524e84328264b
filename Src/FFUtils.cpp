#include "Src/FFUtils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <cstring>

#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/MyUtilStubs.h"
#include "Src/MyUtils.h"

std::wstring TimeToText(int64_t ATime) {
    if (ATime == NoValue) return L"N/A";
    // A time before zero shows as its amount with a leading minus sign.
    if (ATime < 0) return L"-" + TimeToText(-ATime);
    const int64_t s = ATime / 1000000;
    return FormatText("%.2lld:%.2lld:%.2lld.%.3lld", static_cast<long long>(s / 3600),
                      static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60),
                      static_cast<long long>(ATime % 1000000 * 1000 / 1000000));
}

std::wstring SecondsText(int64_t AMicroseconds) {
    const char* sign = AMicroseconds < 0 ? "-" : "";
    const long long a = std::llabs(AMicroseconds);
    return FormatText("%s%lld.%.6lld", sign, a / 1000000, a % 1000000);
}

int64_t FrameDuration(AVRational ARate) {
    if (ARate.num == 0 || ARate.den == 0) return 40000;
    return int64_t(1000000) * ARate.den / ARate.num;
}

std::wstring ErrorText(const std::wstring& AFileName, int ACode) {
    static const struct {
        int code;
        const char* text;
    } known[] = {
        {AVERROR(ENOENT), "No such file or directory"},
        {AVERROR(EIO), "I/O error"},
        {AVERROR(ENOMEM), "Not enough memory"},
        {AVERROR_INVALIDDATA, "Invalid data found when processing input"},
        {AVERROR_EOF, "End of file"},
        {AVERROR(EPIPE), "End of file"},
        {AVERROR(EDOM), "Number syntax expected in filename"},
        {AVERROR_DEMUXER_NOT_FOUND, "Unknown format"},
        {AVERROR_PROTOCOL_NOT_FOUND, "Unsupported network protocol"},
        {AVERROR_PATCHWELCOME, "Not yet implemented in FFmpeg"},
    };
    for (const auto& k : known)
        if (k.code == ACode) return AFileName + L": " + Utf8ToWide(k.text);
    char text[256] = {};
    if (ff::av_strerror && ff::av_strerror(ACode, text, sizeof text) == 0)
        return AFileName + L": " + Utf8ToWide(text);
    return AFileName + L": " + FormatText("Error number %d occurred", ACode);
}

double AnalysedFrameRate(const AVStream* AStream) {
    const AVCodecParameters* par = AStream->codecpar;
    if (par->codec_id == AV_CODEC_ID_NONE) return 0;
    if (AStream->disposition & AV_DISPOSITION_ATTACHED_PIC) return 1e-6;
    switch (par->codec_type) {
    case AVMEDIA_TYPE_VIDEO: {
        if (par->width <= 0) return 0;
        const AVRational rate = AStream->avg_frame_rate.num ? AStream->avg_frame_rate : AStream->r_frame_rate;
        return rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 1;
    }
    case AVMEDIA_TYPE_AUDIO:
        if (par->sample_rate <= 0 || par->ch_layout.nb_channels <= 0) return 0;
        // Packets carry one frame each; 1024 samples when the codec does not say.
        return static_cast<double>(par->sample_rate) / (par->frame_size > 0 ? par->frame_size : 1024);
    default:
        return 1;
    }
}

std::wstring LibErrorText(int ACode) {
    char text[256] = {};
    if (ff::av_strerror && ff::av_strerror(ACode, text, sizeof text) == 0) return Utf8ToWide(text);
    return FormatText("Error number %d occurred", ACode);
}

int ReadWholeFile(const char* AFileName, uint8_t*& ABuffer, int& ASize) {
    return ReadWholeFile(AnsiToWide(AFileName), ABuffer, ASize);
}

int ReadWholeFile(const std::wstring& AFileName, uint8_t*& ABuffer, int& ASize) {
    ABuffer = nullptr;
    ASize = 0;
    FILE* f = _wfopen(AFileName.c_str(), L"rb");
    if (!f) return -1;
    fseek(f, 0, SEEK_END);
    const long size = ftell(f);
    fseek(f, 0, SEEK_SET);
    auto* buffer = static_cast<uint8_t*>(size >= 0 ? ff::av_malloc(size + 1) : nullptr);
    if (!buffer) {
        fclose(f);
        return AVERROR(ENOMEM);
    }
    const size_t read = fread(buffer, 1, size, f);
    buffer[read] = 0;
    fclose(f);
    ABuffer = buffer;
    ASize = static_cast<int>(read) + 1;
    return 0;
}

std::wstring GetMetadataValue(const AVDictionary* AMetadata, const char* AKey, const std::wstring& ADefault) {
    const AVDictionaryEntry* e = AMetadata ? ff::av_dict_get(AMetadata, AKey, nullptr, 0) : nullptr;
    return e && e->value ? Utf8ToWide(e->value) : ADefault;
}

namespace {
std::wstring Trimmed(const char* AText) {
    std::string s = AText ? AText : "";
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    s = s.substr(b, s.find_last_not_of(' ') - b + 1);
    return Utf8ToWide(s);
}
}  // namespace

std::wstring CodecNameText(AVCodecID AId, uint32_t ATag, bool AEncoder) {
    const AVCodec* codec = AEncoder ? ff::avcodec_find_encoder(AId) : ff::avcodec_find_decoder(AId);
    if (codec) {
        const std::wstring longName = Trimmed(codec->long_name);
        const std::wstring name = Utf8ToWide(codec->name);
        return longName.empty() ? name : name + L"(" + longName + L")";
    }
    if (AId == AV_CODEC_ID_MPEG2TS) return L"mpeg2ts";
    // Without a codec the library's descriptor still names the format.
    if (const AVCodecDescriptor* d = AId != AV_CODEC_ID_NONE ? ff::avcodec_descriptor_get(AId) : nullptr)
        return Trimmed(d->name);
    const unsigned char c[4] = {static_cast<unsigned char>(ATag), static_cast<unsigned char>(ATag >> 8),
                                static_cast<unsigned char>(ATag >> 16), static_cast<unsigned char>(ATag >> 24)};
    const bool printable = std::all_of(std::begin(c), std::end(c), [](unsigned char x) { return x >= 32 && x <= 126; });
    if (printable) return FormatText("%c%c%c%c / 0x%04X", c[0], c[1], c[2], c[3], ATag);
    return FormatText("0x%04x", ATag);
}

std::wstring CodecNameText(const AVCodecParameters* APar, bool AEncoder) {
    return CodecNameText(APar->codec_id, APar->codec_tag, AEncoder);
}

std::wstring CodecNameText(const AVCodecContext* ACtx, bool AEncoder) {
    return CodecNameText(ACtx->codec_id, ACtx->codec_tag, AEncoder);
}

std::wstring MediaTypeName(int AType) {
    switch (AType) {
        case AVMEDIA_TYPE_VIDEO: return L"Video";
        case AVMEDIA_TYPE_AUDIO: return L"Audio";
        case AVMEDIA_TYPE_DATA: return L"Data";
        case AVMEDIA_TYPE_SUBTITLE: return L"Subtitle";
        case AVMEDIA_TYPE_ATTACHMENT: return L"Attachment";
        default: return L"Unknown";
    }
}

const char* LibEncoderName(const char* AName) {
    static const struct {
        const char* from;
        const char* to;
    } map[] = {{"libfaac", "aac"}, {"libxvid", "mpeg4"}, {"libamr_nb", "libopencore_amrnb"}, {"msmpeg4v1", "msmpeg4v2"}};
    if (!AName) return AName;
    for (const auto& m : map)
        if (std::strcmp(AName, m.from) == 0) return m.to;
    return AName;
}

const AVCodec* FindEncoderByName(const char* AName) { return ff::avcodec_find_encoder_by_name(LibEncoderName(AName)); }
