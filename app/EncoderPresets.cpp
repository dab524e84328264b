#include "app/EncoderPresets.h"

#include <cstddef>

#include "app/FormatTables.h"
#include "app/OutputFileName.h"

namespace formats {

namespace {

// The encoders a container can store, by the names the presets use. The
// name lists end at the first null entry.
struct TContainerCodecs {
    const wchar_t* Extensions[4];
    const wchar_t* Video[10];
    const wchar_t* Audio[5];
};

const TContainerCodecs kContainers[] = {
    {{L".avi"},
     {L"mpeg4", L"libxvid", L"libx264", L"msmpeg4", L"msmpeg4v1", L"msmpeg4v2", L"wmv2",
      L"mpeg1video", L"mpeg2video"},
     {L"libmp3lame", L"libfaac", L"ac3", L"wmav2"}},
    {{L".mp4", L".m4v"},
     {L"mpeg4", L"libxvid", L"libx264", L"mpeg1video", L"mpeg2video"},
     {L"libfaac", L"libmp3lame", L"ac3"}},
    {{L".mov"},
     {L"mpeg4", L"libxvid", L"libx264", L"mpeg2video"},
     {L"libfaac", L"libmp3lame", L"ac3"}},
    {{L".mpg", L".mpeg", L".vob"},
     {L"mpeg1video", L"mpeg2video"},
     {L"libmp3lame", L"ac3", L"mp2"}},
    {{L".wmv", L".asf"},
     {L"wmv2", L"msmpeg4", L"msmpeg4v1", L"msmpeg4v2", L"mpeg4", L"libxvid", L"libx264"},
     {L"wmav2", L"libmp3lame", L"ac3"}},
    {{L".flv"}, {L"libx264"}, {L"libmp3lame", L"libfaac"}},
    {{L".3gp", L".3g2"}, {L"mpeg4", L"libx264"}, {L"libfaac", L"libopencore_amrnb"}},
};

template <std::size_t N>
bool Listed(const wchar_t* const (&names)[N], const std::wstring& name) {
    for (const wchar_t* n : names) {
        if (!n) break;
        if (name == n) return true;
    }
    return false;
}

// An empty encoder name leaves the choice to the container.
template <std::size_t N>
bool Holds(const wchar_t* const (&names)[N], const std::wstring& codec) {
    return codec.empty() || Listed(names, codec);
}

std::wstring Text(int value) { return std::to_wstring(value); }

void StorePreset(const TEncoderPreset& p, const std::wstring& ext, TFormatSettings& s) {
    s.Video_FileExt = p.FileExt == SameAsOutput ? ext : p.FileExt;
    s.Video_VideoCodec = p.VideoCodec;
    s.Video_VideoTag = p.VideoTag;
    s.Video_VideoBitrate = p.VideoBitrate;
    s.Video_FrameSize = p.FrameSize;
    s.Video_FrameRate = p.FrameRate;
    s.Video_FrameAspectRatio = p.Aspect;
    s.Video_AudioCodec = p.AudioCodec;
    s.Video_AudioChannels = p.AudioChannels;
    s.Video_AudioSampleRate = p.SampleRate;
    s.Video_AudioBitrate = p.AudioBitrate;
    s.Video_TargetType = p.TargetType;
    s.Video_NormType = p.NormType;
    s.Video_DisableVideo = p.AudioOnly;
}

}  // namespace

std::span<const TEncoderPreset> EncoderPresets() {
    return {kEncoderPresets, static_cast<std::size_t>(kEncoderPresetCount)};
}

const TEncoderPreset* FindEncoderPreset(int key) { return FindByKey(EncoderPresets(), key); }

void ResetFormatSettings(TFormatSettings& settings) { settings = TFormatSettings(); }

bool ContainerHolds(const std::wstring& ext, const std::wstring& videoCodec,
                    const std::wstring& audioCodec) {
    for (const TContainerCodecs& container : kContainers) {
        if (Listed(container.Extensions, ext))
            return Holds(container.Video, videoCodec) && Holds(container.Audio, audioCodec);
    }
    return true;
}

std::wstring OutputExtension(int key) {
    const TEncoderPreset* preset = FindEncoderPreset(key);
    const TFormatEntry* format = FindFormat(key);
    if (!preset || !format) return std::wstring();
    return ChooseOutputExtension(TitleExtension(format->Title), *preset);
}

std::wstring ChooseOutputExtension(const std::wstring& titleExt, const TEncoderPreset& preset) {
    if (!titleExt.empty() && ContainerHolds(titleExt, preset.VideoCodec, preset.AudioCodec))
        return titleExt;
    return preset.OutputExt;
}

bool ApplyEncoderPreset(int key, const std::wstring& addFileName,
                        const std::wstring& outputFolder, bool overwrite,
                        TFormatSettings& settings) {
    ResetFormatSettings(settings);
    const TEncoderPreset* preset = FindEncoderPreset(key);
    if (!preset) return false;
    const std::wstring ext = OutputExtension(key);
    StorePreset(*preset, ext, settings);
    const std::wstring first = FirstOutputFileName(outputFolder, addFileName, ext);
    settings.Video_OutPutFileName = FinalOutputFileName(outputFolder, first, overwrite, addFileName);
    return true;
}

std::array<std::wstring, 14> PresetRowColumns(const TFormatSettings& s) {
    return {s.Video_VideoCodec,       s.Video_AudioCodec,
            s.Video_AudioChannels,    s.Video_VideoTag,
            s.Video_FileExt,          s.Video_FrameSize,
            Text(s.Video_VideoBitrate), s.Video_FrameRate,
            Text(s.Video_AudioBitrate), s.Video_AudioSampleRate,
            s.Video_FrameAspectRatio, s.Video_DisableVideo ? L"True" : L"False",
            s.Video_TargetType,       s.Video_NormType};
}

}  // namespace formats
