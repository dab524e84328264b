// The multi-line description of a probed file (TCustomAVProbe::FileInfoText).
#include <cmath>
#include <cstring>
#include <set>
#include <vector>

#include "Src/AVCodecStubs.h"
#include "Src/AVProbe.h"
#include "Src/AVUtilStubs.h"
#include "Src/MyUtils.h"

namespace {

const char* ShownKey(const char* AKey) {
    static const struct {
        const char* key;
        const char* shown;
    } table[] = {{"TALB", "album"},     {"TAL", "album"},     {"TCOM", "composer"},   {"TCON", "genre"},
                 {"TCO", "genre"},      {"TCOP", "copyright"}, {"TDRL", "date"},      {"TENC", "encoder"},
                 {"TEN", "encoder"},    {"TSOA", "albumsort"}, {"TSOP", "authorsort"}, {"TIT2", "title"},
                 {"TT2", "title"},      {"TLAN", "language"}, {"TPE1", "artist"},      {"TP1", "artist"},
                 {"TPOS", "disc"},      {"TPUB", "publisher"}, {"TRCK", "track"},      {"TRK", "track"},
                 {"TSOT", "titlesort"}, {"TYER", "year"}};
    for (const auto& t : table)
        if (std::strcmp(AKey, t.key) == 0) return t.shown;
    return AKey;
}

void MetadataBlock(std::vector<std::wstring>& ALines, const AVDictionary* AMetadata, const char* AIndent) {
    if (!AMetadata) return;
    const bool hasLanguage = ff::av_dict_get(AMetadata, "language", nullptr, 0) != nullptr;
    if (ff::av_dict_count(AMetadata) == 1 && hasLanguage) return;
    ALines.push_back(FormatText("%sMetadata:", AIndent));
    const AVDictionaryEntry* e = nullptr;
    while ((e = ff::av_dict_get(AMetadata, "", e, AV_DICT_IGNORE_SUFFIX)))
        if (std::strcmp(e->key, "language") != 0)
            ALines.push_back(FormatText("%s  %-16s: %s", AIndent, ShownKey(e->key), e->value));
}

// ", 25 fps", ", 29.97 fps", ", 90k tbn".
std::wstring RatePart(AVRational ARate, const char* AWord) {
    if (!ARate.num || !ARate.den) return {};
    const double d = static_cast<double>(ARate.num) / ARate.den;
    const long long v = std::llround(d * 100);
    if (v % 100) return FormatText(", %3.2f %s", d, AWord);
    if (v % 100000) return FormatText(", %1.0f %s", d, AWord);
    return FormatText(", %1.0fk %s", d / 1000, AWord);
}

}  // namespace

std::wstring TCustomAVProbe::StreamLine(int AIndex) {
    const AVStream* st = FFileHandle->streams[AIndex];
    std::wstring line = FormatText("Stream #%d", AIndex);
    if (FFileHandle->iformat && (FFileHandle->iformat->flags & AVFMT_SHOW_IDS))
        line += FormatText("[0x%x]", static_cast<unsigned>(st->id));
    if (const AVDictionaryEntry* lang = ff::av_dict_get(st->metadata, "language", nullptr, 0))
        line += FormatText("(%s)", lang->value);
    int g = static_cast<int>(ff::av_gcd(st->time_base.num, st->time_base.den));
    if (g == 0) g = 1;
    line += FormatText(", %d/%d", st->time_base.num / g, st->time_base.den / g);

    AVCodecContext* codec = ff::avcodec_alloc_context3(nullptr);
    char description[256] = {};
    if (codec && ff::avcodec_parameters_to_context(codec, st->codecpar) >= 0)
        ff::avcodec_string(description, sizeof description, codec, 0);
    line += L": " + Utf8ToWide(description);
    if (codec) ff::avcodec_free_context(&codec);
    // The codec time base: this library generation no longer keeps it on
    // the stream; it is a frame's duration divided by the decoder's ticks
    // per frame (two for H.264 and MPEG-1/2, whose fields count).
    const AVCodecID id = st->codecpar->codec_id;
    const int ticks = id == AV_CODEC_ID_H264 || id == AV_CODEC_ID_MPEG1VIDEO || id == AV_CODEC_ID_MPEG2VIDEO ? 2 : 1;
    const AVRational rate = st->r_frame_rate.num ? st->r_frame_rate : st->avg_frame_rate;
    const AVRational codecTb = rate.num > 0 ? AVRational{rate.den, rate.num * ticks} : AVRational{0, 1};

    const AVCodecParameters* par = st->codecpar;
    const AVRational sar = st->sample_aspect_ratio;
    if (sar.num && int64_t(sar.num) * par->sample_aspect_ratio.den != int64_t(sar.den) * par->sample_aspect_ratio.num) {
        int dn = 0, dd = 0;
        ff::av_reduce(&dn, &dd, int64_t(par->width) * sar.num, int64_t(par->height) * sar.den, 1024 * 1024);
        line += FormatText(", PAR %d:%d DAR %d:%d", sar.num, sar.den, dn, dd);
    }
    if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
        line += RatePart(st->avg_frame_rate, "fps");
        line += RatePart(st->r_frame_rate, "tbr");
        line += RatePart({st->time_base.den, st->time_base.num}, "tbn");
        line += RatePart({codecTb.den, codecTb.num}, "tbc");
    }
    const AVRational us = {1, AV_TIME_BASE};
    if (st->start_time != NoValue)
        line += L", StartTime: " + SecondsText(ff::av_rescale_q(st->start_time, st->time_base, us));
    line += L", Duration: " +
            (st->duration == NoValue ? std::wstring(L"N/A") : TimeToText(ff::av_rescale_q(st->duration, st->time_base, us)));
    return line;
}

std::wstring TCustomAVProbe::FileInfoText() {
    if (FileNotLoaded()) return {};
    const TFileStreamInfo info = FileStreamInfo();
    std::vector<std::wstring> lines;
    lines.push_back(L"File Name: " + FileName());
    lines.push_back(L"Format Name: " + FormatName());
    lines.push_back(L"Format Long Name: " + FormatLongName());
    lines.push_back(L"File Size: " + FormatFileSize(FFileSize));
    lines.push_back(info.Duration >= 0 ? L"Duration: " + TimeToText(info.Duration) : std::wstring(L"Duration: N/A"));
    if (info.StartTime >= 0) lines.push_back(L"StartTime: " + SecondsText(info.StartTime));
    lines.push_back(info.BitRate >= 1 ? FormatText("Bit Rate: %d kb/s", info.BitRate / 1000)
                                      : std::wstring(L"Bit Rate: N/A"));
    if (info.TimeStamp > 0)
        lines.push_back(L"Time Stamp: " +
                        DateTimeText(L"yyyy-mm-dd hh:nn:ss", UnixToLocalDateTime(info.TimeStamp)));
    MetadataBlock(lines, FFileHandle->metadata, "");
    std::set<int> shown;
    for (unsigned p = 0; p < FFileHandle->nb_programs; ++p) {
        const AVProgram* program = FFileHandle->programs[p];
        // This library generation names them service_provider and service_name.
        const AVDictionaryEntry* provider = ff::av_dict_get(program->metadata, "provider_name", nullptr, 0);
        if (!provider) provider = ff::av_dict_get(program->metadata, "service_provider", nullptr, 0);
        const AVDictionaryEntry* name = ff::av_dict_get(program->metadata, "name", nullptr, 0);
        if (!name) name = ff::av_dict_get(program->metadata, "service_name", nullptr, 0);
        lines.push_back(FormatText("Program %d %s@%s", program->id, provider ? provider->value : "N/A",
                                   name ? name->value : "N/A"));
        MetadataBlock(lines, program->metadata, "  ");
        for (unsigned k = 0; k < program->nb_stream_indexes; ++k) {
            const int index = static_cast<int>(program->stream_index[k]);
            if (index < 0 || index >= FStreamCount) continue;
            lines.push_back(StreamLine(index));
            MetadataBlock(lines, FFileHandle->streams[index]->metadata, "  ");
            shown.insert(index);
        }
    }
    for (int i = 0; i < FStreamCount; ++i) {
        if (shown.count(i)) continue;
        lines.push_back(StreamLine(i));
        MetadataBlock(lines, FFileHandle->streams[i]->metadata, "  ");
    }
    std::wstring text;
    for (const auto& l : lines) text += l + L"\r\n";
    return text;
}
