#include "app/LegacyPresets.h"

#include <climits>
#include <cstdio>
#include <cwchar>
#include <optional>

#include "app/FormatTables.h"
#include "app/LegacyTables.h"
#include "app/OutputFileName.h"
#include "platform/SysUtils.h"

namespace legacy {

namespace {

using formats::TFormatSettings;

// A text column: KeepField leaves the field as it was.
void Write(std::wstring& field, const wchar_t* value) {
    if (value != KeepField) field = value;
}

// The fixed values every kind but Disc writes.
void WriteFixedEmpties(TFormatSettings& s) {
    s.Video_NormType.clear();
    s.Video_CopyTimestamp.clear();
    s.Video_FileFormat.clear();
}

void WriteAudio(const TLegacyPreset& p, TFormatSettings& s) {
    s.Video_AudioCodec = p.AudioCodec;
    s.Video_AudioChannels = p.AudioChannels;
    s.Video_AudioSampleRate = p.SampleRate;
    s.Video_AudioBitrate = p.AudioBitrate;
    s.Video_AudioVolume = L"256";
}

void WriteVideoRow(const TLegacyPreset& p, TFormatSettings& s) {
    Write(s.Video_FileExt, p.FileExt == SameAsOutput ? p.OutputExt : p.FileExt);
    s.Video_VideoCodec = p.VideoCodec;
    Write(s.Video_VideoTag, p.VideoTag);
    s.Video_FrameRate = p.FrameRate;
    s.Video_FrameAspectRatio = p.Aspect;
    s.Video_FrameSize = p.FrameSize;
    s.Video_VideoBitrate = p.VideoBitrate;
    WriteAudio(p, s);
    s.Video_VideoFilters.clear();
    WriteFixedEmpties(s);
    Write(s.Video_TargetType, p.TargetType);
}

void WriteAudioRow(const TLegacyPreset& p, TFormatSettings& s) {
    Write(s.Video_FileExt, p.FileExt == SameAsOutput ? p.OutputExt : p.FileExt);
    s.Video_DisableVideo = true;
    WriteAudio(p, s);
    WriteFixedEmpties(s);
    Write(s.Video_TargetType, p.TargetType);
}

void WriteDiscRow(const TLegacyPreset& p, TFormatSettings& s) {
    s.Video_TargetType = p.TargetType;
    s.Video_NormType = p.NormType;
    s.Video_VideoBitrate = p.VideoBitrate;
    s.Video_AudioBitrate = p.AudioBitrate;
    s.Video_AudioVolume = L"256";
    s.Video_VideoCodec = p.VideoCodec;
    s.Video_VideoTag = p.VideoTag;
    s.Video_FrameSize = p.FrameSize;
    s.Video_FrameRate = p.FrameRate;
    s.Video_FrameAspectRatio = p.Aspect;
    s.Video_AudioCodec = p.AudioCodec;
    s.Video_AudioChannels = p.AudioChannels;
    s.Video_AudioSampleRate = p.SampleRate;
    s.Video_FileFormat.clear();
}

void WriteRealMediaRow(const TLegacyPreset& p, TFormatSettings& s) {
    s.Video_VideoCodec = p.VideoCodec;
    s.Video_FrameSize = p.FrameSize;
    WriteFixedEmpties(s);
    s.Video_TargetType = p.TargetType;
}

void WriteRow(const TLegacyPreset& p, TFormatSettings& s) {
    switch (p.Kind) {
    case TLegacyRowKind::Video: WriteVideoRow(p, s); break;
    case TLegacyRowKind::Audio: WriteAudioRow(p, s); break;
    case TLegacyRowKind::Disc: WriteDiscRow(p, s); break;
    case TLegacyRowKind::RealMedia: WriteRealMediaRow(p, s); break;
    }
}

// Blanks and control characters at both ends removed.
std::wstring Trim(const std::wstring& text) {
    std::size_t from = 0;
    std::size_t to = text.size();
    while (from < to && text[from] <= L' ') ++from;
    while (to > from && text[to - 1] <= L' ') --to;
    return text.substr(from, to - from);
}

bool AllDigits(const std::wstring& text, std::size_t from, std::size_t to) {
    if (from >= to) return false;
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
    }
    return true;
}

// A whole decimal number with an optional sign; nullopt for anything else
// or a number outside the range of int.
std::optional<long long> WholeNumber(const std::wstring& text) {
    const std::size_t from = !text.empty() && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    if (!AllDigits(text, from, text.size()) || text.size() - from > 10) return std::nullopt;
    const long long value = std::stoll(text);
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return value;
}

std::optional<int> Thousandfold(long long value) {
    const long long bits = value * 1000;
    if (bits < INT_MIN || bits > INT_MAX) return std::nullopt;
    return static_cast<int>(bits);
}

// The trimmed text in front of the first "kbps"; nullopt without one.
std::optional<std::wstring> KbpsNumber(const std::wstring& text) {
    const auto unit = text.find(L"kbps");
    if (unit == std::wstring::npos) return std::nullopt;
    return Trim(text.substr(0, unit));
}

// The conversion error of the platform for a text read as a number.
[[noreturn]] void NotANumber(const std::wstring& text, bool decimal) {
    throw EConvertError(L"'" + text +
                        (decimal ? L"' is not a valid floating point value" : L"' is not a valid integer value"));
}

int VideoBits(const std::wstring& text) {
    const std::wstring number = KbpsNumber(text).value_or(std::wstring());
    const std::optional<long long> kbps = WholeNumber(number);
    const std::optional<int> bits = kbps ? Thousandfold(*kbps) : std::nullopt;
    if (!bits) NotANumber(number, false);
    return *bits;
}

// "12.2": the product with 1000.0 written with at most 15 significant
// digits, which must then be a whole number ("12200").
int DecimalKbpsToBits(const std::wstring& number) {
    const auto dot = number.find(L'.');
    const std::size_t from = !number.empty() && (number[0] == L'-' || number[0] == L'+') ? 1 : 0;
    if (!AllDigits(number, from, dot) || !AllDigits(number, dot + 1, number.size())) NotANumber(number, true);
    const double product = std::wcstod(number.c_str(), nullptr) * 1000.0;
    wchar_t text[64];
    std::swprintf(text, 64, L"%.15g", product);
    const std::optional<long long> bits = WholeNumber(text);
    if (!bits) NotANumber(text, false);
    return static_cast<int>(*bits);
}

int AudioBits(const std::wstring& text) {
    const std::wstring number = KbpsNumber(text).value_or(std::wstring());
    if (number.find(L'.') != std::wstring::npos) return DecimalKbpsToBits(number);
    const std::optional<long long> kbps = WholeNumber(number);
    const std::optional<int> bits = kbps ? Thousandfold(*kbps) : std::nullopt;
    if (!bits) NotANumber(number, false);
    return *bits;
}

struct TAspectText {
    const wchar_t* Text;
    const wchar_t* Ratio;
};

const TAspectText kAspectTexts[] = {
    {L"保持原视频模式", L""},        {L"普通视频4:3模式", L"4:3"},
    {L"宽屏视频16:9模式", L"16:9"},  {L"宽屏视频37:20模式", L"37:20"},
    {L"宽屏视频47:20模式", L"47:20"}, {L"无视频", L""},
};

const std::wstring& Shown(const std::array<std::wstring, 6>& texts, TOptionList list) {
    return texts[static_cast<int>(list)];
}

}  // namespace

std::span<const TLegacyPreset> Presets() {
    return {kLegacyPresets, static_cast<std::size_t>(kLegacyPresetCount)};
}

const TLegacyPreset* FindPreset(int key) { return formats::FindByKey(Presets(), key); }

std::wstring FolderPrefix(const std::wstring& folderText) {
    std::wstring folder = folderText;
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return folder;
}

bool ApplyPreset(int key, const TPresetSources& sources, const TMainWindowFields& fields) {
    fields.All_Trant_Number = key;
    TFormatSettings& s = fields.Settings;
    s.Video_DisableVideo = false;

    const TLegacyPreset* preset = FindPreset(key);
    const std::wstring folder = FolderPrefix(sources.OutputFolder);
    if (preset) {
        s.Video_OutPutFileName =
            formats::FirstOutputFileName(folder, sources.AddFileName, preset->OutputExt);
        WriteRow(*preset, s);
    }
    s.Video_OutPutFileName = formats::FinalOutputFileName(folder, s.Video_OutPutFileName,
                                                          sources.Overwrite, sources.AddFileName);
    return preset != nullptr;
}

void ReadBack(const std::array<std::wstring, 6>& shownTexts, TFormatSettings& s) {
    const std::wstring& size = Shown(shownTexts, TOptionList::Resolution);
    s.Video_FrameSize = size == L"保持原分辨率" || size == L"该格式无视频" ? L"" : size;

    const std::wstring& rate = Shown(shownTexts, TOptionList::FrameRate);
    s.Video_FrameRate = rate == L"保持原帧速率" || rate == L"无视频" ? L"" : rate;

    const std::wstring& video = Shown(shownTexts, TOptionList::VideoBitrate);
    if (video == L"无视频")
        s.Video_VideoBitrate = -1000;
    else
        s.Video_VideoBitrate = VideoBits(video);

    const std::wstring& sampleRate = Shown(shownTexts, TOptionList::SampleRate);
    s.Video_AudioSampleRate = sampleRate == L"自动音频采样率" ? L"AUTO" : sampleRate;

    const std::wstring& audio = Shown(shownTexts, TOptionList::AudioBitrate);
    if (audio == L"自动音频比特率")
        s.Video_AudioBitrate = -1000;
    else
        s.Video_AudioBitrate = AudioBits(audio);

    const std::wstring& aspect = Shown(shownTexts, TOptionList::Aspect);
    for (const TAspectText& mode : kAspectTexts) {
        if (aspect == mode.Text) s.Video_FrameAspectRatio = mode.Ratio;
    }
}

void ResetFields(TFormatSettings& settings) { formats::ResetFormatSettings(settings); }

}  // namespace legacy
