#include "app/OutputRecord.h"

#include <algorithm>

namespace formats {

namespace {

// The leading whole number of a text (0 when there is none).
int IntegerOf(const std::wstring& text) {
    try {
        return std::stoi(text);
    } catch (const std::exception&) {
        return 0;
    }
}

TOptionTargetType TargetOf(const std::wstring& text) {
    if (text == L"vcd") return ttVCD;
    if (text == L"svcd") return ttSVCD;
    if (text == L"dvd") return ttDVD;
    return ttIgnore;
}

}  // namespace

// DVD and SVCD players take any rate up to the standard's maximum (the
// encoder's target presets use the same limits); VCD has one fixed rate,
// which the encoder puts in place of any other and tells its log.
int DiscVideoBitrate(TOptionTargetType target, int chosen) {
    switch (target) {
    case ttDVD: return std::min(chosen, DvdMaxVideoBitrate);
    case ttSVCD: return std::min(chosen, SvcdMaxVideoBitrate);
    default: return chosen;
    }
}

void FillOutputOptions(const TFormatSettings& s, TOutputOptions& r, bool changedVolumeOnly) {
    if (!s.Video_VideoCodec.empty()) {
        r.VideoCodec = s.Video_VideoCodec;
        r.VideoPreset = s.Video_VideoCodec == L"libx264" ? L"libx264-default" : L"";
    }
    if (!s.Video_AudioCodec.empty() && s.Video_AudioCodec != L"AUTO") r.AudioCodec = s.Video_AudioCodec;
    if (!s.Video_FrameRate.empty()) r.FrameRate = s.Video_FrameRate;
    r.DisableVideo = s.Video_DisableVideo;
    if (!s.Video_AudioChannels.empty()) r.AudioChannels = IntegerOf(s.Video_AudioChannels);
    if (!s.Video_AudioSampleRate.empty() && s.Video_AudioSampleRate != L"AUTO")
        r.AudioSampleRate = IntegerOf(s.Video_AudioSampleRate);
    if (!s.Video_FrameSize.empty()) r.FrameSize = s.Video_FrameSize;
    if (!s.Video_TargetType.empty()) r.TargetType = TargetOf(s.Video_TargetType);
    r.NormType = s.Video_NormType == L"PAL" ? ntPAL : s.Video_NormType == L"NTSC" ? ntNTSC : ntAuto;
    if (!changedVolumeOnly || s.Video_AudioVolume != L"256")
        r.AudioVolume = s.Video_AudioVolume == L"256" ? 256 : IntegerOf(s.Video_AudioVolume);
    if (!s.Video_FrameAspectRatio.empty()) r.FrameAspectRatio = s.Video_FrameAspectRatio;
    if (s.Video_AudioBitrate != -1000 && s.Video_AudioBitrate != -2000) r.AudioBitrate = s.Video_AudioBitrate;
    if (!s.Video_FileFormat.empty()) r.FileFormat = s.Video_FileFormat;
    if (!s.Video_VideoFilters.empty()) r.VideoFilters = s.Video_VideoFilters;
    if (!s.Video_VideoTag.empty()) r.VideoTag = s.Video_VideoTag;
    if (s.Video_VideoBitrate != -1000) r.VideoBitrate = DiscVideoBitrate(r.TargetType, s.Video_VideoBitrate);
}

}  // namespace formats
