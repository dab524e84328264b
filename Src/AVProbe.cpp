#include "Src/AVProbe.h"

#include <cctype>
#include <cstdlib>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "Src/UnicodeProtocol.h"

TCustomAVProbe::TCustomAVProbe(TComponent* AOwner) : TFFBaseComponent(AOwner) { RefreshFileInfo(); }

TCustomAVProbe::~TCustomAVProbe() {
    // Only the base part is left here; a derived probe closed its own first.
    TCustomAVProbe::CloseFile();
}

bool TCustomAVProbe::AVLibLoaded() const { return FFLoader.Loaded(ProbeLibraries); }

bool TCustomAVProbe::LoadAVLib(const std::wstring& APath) {
    FFLoader.SetLibraryPath(APath);
    if (FFLoader.Load(ProbeLibraries)) return true;
    FLastErrMsg = FFLoader.LastErrMsg();
    return false;
}

void TCustomAVProbe::UnloadAVLib() { FFLoader.Unload(ProbeLibraries); }

void TCustomAVProbe::LogMessage(int ALibLevel, const std::wstring& AText) {
    GlobalLogger()->Log(this, LibToLogLevel(ALibLevel), AText);
    FLastErrMsg = AText;
}

void TCustomAVProbe::CheckLibraries() const {
    static const struct {
        TLibrary lib;
        const wchar_t* text;
    } needed[] = {{avCodec, L"LibAVCodec not loaded."},
                  {avFormat, L"LibAVFormat not loaded."},
                  {avUtil, L"LibAVUtil not loaded."},
                  {swScale, L"LibSwScale not loaded."}};
    for (const auto& n : needed)
        if (!FFLoader.Loaded(n.lib)) throw EEngineError(n.text);
}

bool TCustomAVProbe::LoadFile(const std::wstring& AFileName, const std::wstring& AFormatName) {
    CheckLibraries();
    CloseFile();
    const AVInputFormat* format = nullptr;
    if (!AFormatName.empty()) {
        format = ff::av_find_input_format(WideToUtf8(AFormatName).c_str());
        if (!format) {
            FLastErrMsg = L"Unknown input format: " + AFormatName;
            return false;
        }
    }
    AVFormatContext* ctx = ff::avformat_alloc_context();
    if (!ctx) {
        LogMessage(AV_LOG_ERROR, ErrorText(AFileName, AVERROR(ENOMEM)));
        return false;
    }
    ctx->flags |= AVFMT_FLAG_NONBLOCK;
    const std::string libName = ToLibFileName(AFileName);
    const int r = ff::avformat_open_input(&ctx, libName.c_str(), format, nullptr);  // frees ctx on failure
    if (r < 0) {
        LogMessage(AV_LOG_ERROR, ErrorText(AFileName, r));
        CloseFile();
        return false;
    }
    FFileHandle = ctx;
    FOwnHandle = true;
    if (ff::avformat_find_stream_info(ctx, nullptr) < 0) {
        CloseFile();
        FLastErrMsg = AFileName + L": could not find codec parameters";
        return false;
    }
    RefreshFileInfo();
    FForceFormat = AFormatName;
    return true;
}

void TCustomAVProbe::CloseFile() {
    FForceFormat.clear();
    if (FFileHandle) {
        if (FOwnHandle) ff::avformat_close_input(&FFileHandle);
        FFileHandle = nullptr;
    }
    FOwnHandle = false;
    RefreshFileInfo();
}

void TCustomAVProbe::SetFileHandle(AVFormatContext* AHandle) {
    CheckLibraries();
    CloseFile();
    FOwnHandle = false;
    FFileHandle = AHandle;
    RefreshFileInfo();
}

void TCustomAVProbe::RefreshFileInfo() {
    FFileSize = -1;
    FStreamCount = FProgramCount = FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = -1;
    FFirstAudioStreamIndex = FFirstVideoStreamIndex = FFirstSubtitleStreamIndex = -1;
    if (!FFileHandle) return;
    const int64_t size = FFileHandle->pb ? ff::avio_size(FFileHandle->pb) : -1;
    const std::wstring name = FromLibFileName(FFileHandle->url);
    if (size > 0)
        FFileSize = size;
    else if (!name.empty() && FileSizeByName(name) >= 0)
        FFileSize = FileSizeByName(name);
    else
        FFileSize = size;
    FStreamCount = static_cast<int>(FFileHandle->nb_streams);
    FProgramCount = static_cast<int>(FFileHandle->nb_programs);
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = 0;
    for (int i = 0; i < FStreamCount; ++i) {
        switch (FFileHandle->streams[i]->codecpar->codec_type) {
            case AVMEDIA_TYPE_VIDEO:
                ++FVideoStreamCount;
                if (FFirstVideoStreamIndex < 0) FFirstVideoStreamIndex = i;
                break;
            case AVMEDIA_TYPE_AUDIO:
                ++FAudioStreamCount;
                if (FFirstAudioStreamIndex < 0) FFirstAudioStreamIndex = i;
                break;
            case AVMEDIA_TYPE_SUBTITLE:
                ++FSubtitleStreamCount;
                if (FFirstSubtitleStreamIndex < 0) FFirstSubtitleStreamIndex = i;
                break;
            default: break;
        }
    }
}

bool TCustomAVProbe::FileNotLoaded() {
    if (FFileHandle) return false;
    LogMessage(AV_LOG_WARNING, L"file not loaded.");
    return true;
}

std::wstring TCustomAVProbe::FileName() { return FileNotLoaded() ? std::wstring() : FromLibFileName(FFileHandle->url); }

std::wstring TCustomAVProbe::FormatName() {
    return FileNotLoaded() ? std::wstring() : Utf8ToWide(FFileHandle->iformat ? FFileHandle->iformat->name : "");
}

std::wstring TCustomAVProbe::FormatLongName() {
    if (FileNotLoaded() || !FFileHandle->iformat || !FFileHandle->iformat->long_name) return {};
    return Utf8ToWide(FFileHandle->iformat->long_name);
}

namespace {
// The first whole number at the start of a metadata value, or ADefault.
int LeadingNumber(const AVDictionary* AMetadata, const char* AKey, int ADefault) {
    const AVDictionaryEntry* e = ff::av_dict_get(AMetadata, AKey, nullptr, 0);
    return e && e->value && std::isdigit(static_cast<unsigned char>(e->value[0])) ? std::atoi(e->value) : ADefault;
}
}  // namespace

TFileStreamInfo TCustomAVProbe::FileStreamInfo() {
    TFileStreamInfo info;
    if (FileNotLoaded()) return info;
    const AVDictionary* m = FFileHandle->metadata;
    info.StartTime = FFileHandle->start_time == NoValue ? -1 : FFileHandle->start_time;
    info.Duration = FFileHandle->duration == NoValue ? -1 : FFileHandle->duration;
    info.BitRate = static_cast<int>(FFileHandle->bit_rate);
    // This library generation keeps creation time, year and track as metadata.
    info.TimeStamp = 0;
    if (const AVDictionaryEntry* e = ff::av_dict_get(m, "creation_time", nullptr, 0)) {
        int64_t us = 0;
        if (ff::av_parse_time(&us, e->value, 0) >= 0) info.TimeStamp = us / 1000000;
    }
    info.Year = LeadingNumber(m, "date", LeadingNumber(m, "year", 0));
    info.Track = LeadingNumber(m, "track", 0);
    info.Title = GetMetadataValue(m, "title", L"");
    info.Author = GetMetadataValue(m, "author", GetMetadataValue(m, "artist", L""));
    info.Copyright = GetMetadataValue(m, "copyright", L"");
    info.Comment = GetMetadataValue(m, "comment", L"");
    info.Album = GetMetadataValue(m, "album", L"");
    info.Genre = GetMetadataValue(m, "genre", L"");
    return info;
}

bool TCustomAVProbe::IsStreamOfType(int AStreamIndex, AVMediaType AType) {
    if (FileNotLoaded()) return false;
    if (AStreamIndex < 0 || AStreamIndex >= FStreamCount) {
        LogMessage(AV_LOG_ERROR, FormatText("stream index #%d is invalid.", AStreamIndex));
        return false;
    }
    return FFileHandle->streams[AStreamIndex]->codecpar->codec_type == AType;
}

bool TCustomAVProbe::IsAudioStream(int AStreamIndex) { return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_AUDIO); }
bool TCustomAVProbe::IsVideoStream(int AStreamIndex) { return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_VIDEO); }
bool TCustomAVProbe::IsSubtitleStream(int AStreamIndex) { return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_SUBTITLE); }

AVStream* TCustomAVProbe::InfoStream(int AStreamIndex, int AFirstIndex, AVMediaType AType, const char* AWord) {
    if (FileNotLoaded()) return nullptr;
    if (AStreamIndex < 0) {
        AStreamIndex = AFirstIndex;
        if (AStreamIndex < 0) {
            LogMessage(AV_LOG_ERROR, FormatText("no %s stream.", AWord));
            return nullptr;
        }
    }
    if (AStreamIndex >= FStreamCount) {
        LogMessage(AV_LOG_ERROR, FormatText("stream index #%d is invalid.", AStreamIndex));
        return nullptr;
    }
    AVStream* st = FFileHandle->streams[AStreamIndex];
    if (st->codecpar->codec_type != AType) {
        LogMessage(AV_LOG_ERROR, FormatText("stream #%d is not %s stream.", AStreamIndex, AWord));
        return nullptr;
    }
    if (st->time_base.den == 0) st->time_base.den = st->time_base.num ? st->time_base.num : 1;
    return st;
}

namespace {
template <class T>
void FillCommon(T& AInfo, const AVStream* AStream) {
    AInfo.Language = GetMetadataValue(AStream->metadata, "language", L"");
    AInfo.CodecName = CodecNameText(AStream->codecpar, false);
    AInfo.StartTime = AStream->start_time;
    AInfo.Duration = AStream->duration;
    const AVRational us = {1, AV_TIME_BASE};
    AInfo.StartTimeScaled =
        AStream->start_time == NoValue ? -1 : ff::av_rescale_q(AStream->start_time, AStream->time_base, us);
    AInfo.DurationScaled =
        AStream->duration == NoValue ? -1 : ff::av_rescale_q(AStream->duration, AStream->time_base, us);
    AInfo.BitRate = static_cast<int>(AStream->codecpar->bit_rate);
}
}  // namespace

void TCustomAVProbe::GetAudioStreamInfo(int AStreamIndex, TAudioStreamInfo& AInfo) {
    AInfo = TAudioStreamInfo{};
    const AVStream* st = InfoStream(AStreamIndex, FFirstAudioStreamIndex, AVMEDIA_TYPE_AUDIO, "audio");
    if (!st) return;
    FillCommon(AInfo, st);
    AInfo.Channels = st->codecpar->ch_layout.nb_channels;
    AInfo.SampleRate = st->codecpar->sample_rate;
    AInfo.SampleFormat = st->codecpar->format;
}

void TCustomAVProbe::GetVideoStreamInfo(int AStreamIndex, TVideoStreamInfo& AInfo) {
    AInfo = TVideoStreamInfo{};
    const AVStream* st = InfoStream(AStreamIndex, FFirstVideoStreamIndex, AVMEDIA_TYPE_VIDEO, "video");
    if (!st) return;
    FillCommon(AInfo, st);
    const AVCodecParameters* par = st->codecpar;
    AInfo.Height = par->height;
    AInfo.Width = par->width;
    AInfo.AspectRatio = static_cast<float>(static_cast<double>(par->width) * par->sample_aspect_ratio.num /
                                           par->sample_aspect_ratio.den / par->height);
    AInfo.PixFmt = par->format;
    AInfo.FrameRate = st->r_frame_rate;
}

void TCustomAVProbe::GetSubtitleStreamInfo(int AStreamIndex, TSubtitleStreamInfo& AInfo) {
    AInfo = TSubtitleStreamInfo{};
    const AVStream* st = InfoStream(AStreamIndex, FFirstSubtitleStreamIndex, AVMEDIA_TYPE_SUBTITLE, "subtitle");
    if (!st) return;
    AInfo.Language = GetMetadataValue(st->metadata, "language", L"");
    AInfo.CodecName = CodecNameText(st->codecpar, false);
}

TAudioStreamInfo TCustomAVProbe::FirstAudioStreamInfo() {
    TAudioStreamInfo info;
    GetAudioStreamInfo(-1, info);
    return info;
}

TVideoStreamInfo TCustomAVProbe::FirstVideoStreamInfo() {
    TVideoStreamInfo info;
    GetVideoStreamInfo(-1, info);
    return info;
}

TSubtitleStreamInfo TCustomAVProbe::FirstSubtitleStreamInfo() {
    TSubtitleStreamInfo info;
    GetSubtitleStreamInfo(-1, info);
    return info;
}
