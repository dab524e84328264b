// The option records of a task's inputs and outputs, option text, and the
// task object that applies them to its transcoder.
#include <cmath>
#include <mutex>

#include "Src/DIzizuZUR.h"
#include "platform/MainThread.h"

namespace {

std::wstring Lower(std::wstring AText) {
    for (wchar_t& c : AText) c = static_cast<wchar_t>(towlower(c));
    return AText;
}

bool SameText(const std::wstring& A, const wchar_t* B) { return Lower(A) == Lower(B); }

void ReplaceAll(std::wstring& AText, const std::wstring& AFrom, const std::wstring& ATo) {
    for (size_t p = AText.find(AFrom); p != std::wstring::npos; p = AText.find(AFrom, p + ATo.size()))
        AText.replace(p, AFrom.size(), ATo);
}

// A decimal 64-bit integer, else the no-value marker.
int64_t TimeFromText(const std::wstring& AText) {
    if (AText.empty()) return NoTimeValue;
    size_t used = 0;
    try {
        const long long v = std::stoll(AText, &used, 10);
        return used == AText.size() ? v : NoTimeValue;
    } catch (const std::exception&) {
        return NoTimeValue;
    }
}

void AppendLine(std::wstring& AText, const std::wstring& AName, const std::wstring& AValue) {
    AText += AName + L"=" + AValue + L"\n";
}

bool IsOneOf(const std::wstring& AName, std::initializer_list<const wchar_t*> ANames) {
    for (const wchar_t* n : ANames)
        if (AName == n) return true;
    return false;
}

}  // namespace

// ---------------------------------------------------------------- records

void InitInputOptions(TInputOptions& AOptions) { AOptions = TInputOptions{}; }

void InitOutputOptions(TOutputOptions& AOptions) { AOptions = TOutputOptions{}; }

std::vector<std::pair<std::wstring, std::wstring>> OptionLines(const std::wstring& AText) {
    size_t first = 0, last = AText.size();
    while (first < last && AText[first] <= L' ') ++first;
    while (last > first && AText[last - 1] <= L' ') --last;
    std::wstring text = AText.substr(first, last - first);
    ReplaceAll(text, L"\r\n", L"\n");
    ReplaceAll(text, L"\r", L"\n");
    ReplaceAll(text, L"<CRLF>", L"\n");
    std::vector<std::pair<std::wstring, std::wstring>> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(start, end - start);
        if (!line.empty()) {
            const size_t eq = line.find(L'=');
            if (eq == std::wstring::npos) lines.emplace_back(line, L"");
            else lines.emplace_back(line.substr(0, eq), line.substr(eq + 1));
        }
        start = end + 1;
    }
    return lines;
}

TInputOptions InputOptionsFromText(const std::wstring& AText) {
    TInputOptions o;
    for (const auto& [name, value] : OptionLines(AText)) {
        if (SameText(name, L"TimeStart")) o.TimeStart = TimeFromText(value);
        else AppendLine(o.ExtOptions, name, value);
    }
    return o;
}

TOutputOptions OutputOptionsFromText(const std::wstring& AText) {
    TOutputOptions o;
    for (const auto& [name, value] : OptionLines(AText)) {
        if (SameText(name, L"Hook") || SameText(name, L"CustomHook")) o.CustomHook = true;
        else if (SameText(name, L"Join")) o.Join = true;
        else if (SameText(name, L"TimeStart")) o.TimeStart = TimeFromText(value);
        else if (SameText(name, L"TimeLength")) o.TimeLength = TimeFromText(value);
        else AppendLine(o.ExtOptions, name, value);
    }
    return o;
}

std::wstring TDefaultOptions::Value(const std::wstring& AName) const {
    for (const auto& [n, v] : Items)
        if (n == AName) return v;
    return L"";
}

void TDefaultOptions::SetValue(const std::wstring& AName, const std::wstring& AValue) {
    for (auto it = Items.begin(); it != Items.end(); ++it)
        if (it->first == AName) {
            if (AValue.empty()) Items.erase(it);
            else it->second = AValue;
            return;
        }
    if (!AValue.empty()) Items.emplace_back(AName, AValue);
}

bool TDefaultOptions::TakeStreamLine(const std::wstring& AName, std::wstring& AValue) {
    for (auto it = Items.begin(); it != Items.end(); ++it)
        if (it->first == AName) {
            AValue = it->second;
            Items.erase(it);
            return true;
        }
    return false;
}

// ---------------------------------------------------------------- task

TFFmpeg::TFFmpeg(int AMaxFiles)
    : TCustomFFmpeg(AMaxFiles), FAVProbes(AMaxFiles), FInputOptions(AMaxFiles), FOutputOptions(AMaxFiles) {}

TFFmpeg::~TFFmpeg() {
    // The probes go before the transcoder closes the inputs they look at.
    FAVProbes.clear();
    FInputOptions.clear();
    FOutputOptions.clear();
}

TAVProbe* TFFmpeg::AVProbe(int AIndex) {
    auto& p = FAVProbes.at(AIndex);
    if (!p) p = std::make_unique<TAVProbe>();
    return p.get();
}

TAVProbe* TFFmpeg::AVProbeIfAny(int AIndex) const { return FAVProbes.at(AIndex).get(); }

void TFFmpeg::DetachProbes() {
    for (auto& p : FAVProbes)
        if (p && p->FileHandle()) p->SetFileHandle(nullptr);
}

void TFFmpeg::StoreInputOptions(int AIndex, const TInputOptions& AOptions) {
    auto& slot = FInputOptions.at(AIndex);
    if (!slot) slot = std::make_unique<TInputOptions>();
    *slot = AOptions;
}

void TFFmpeg::StoreOutputOptions(int AIndex, const TOutputOptions& AOptions) {
    auto& slot = FOutputOptions.at(AIndex);
    if (!slot) slot = std::make_unique<TOutputOptions>();
    *slot = AOptions;
}

void TFFmpeg::ResetInputSlot(int AIndex) {
    if (auto& slot = FInputOptions.at(AIndex)) InitInputOptions(*slot);
}

void TFFmpeg::ResetOutputSlot(int AIndex) {
    if (auto& slot = FOutputOptions.at(AIndex)) InitOutputOptions(*slot);
}

void TFFmpeg::StopTask() {
    if (Converting()) Stop(false);
    else if (!Terminated()) Cancel(false);
}

void TFFmpeg::WaitStopped() {
    // Both events are set whenever no thread works for the task.
    platform::PumpingWait(FStopEvent, INFINITE);
    platform::PumpingWait(FTermEvent, INFINITE);
}

void TFFmpeg::Option(const wchar_t* AName, const std::wstring& AValue) {
    if (!AValue.empty()) ParseOption(AName, AValue);
}

void TFFmpeg::GenericOption(const char* AName, int AValue) {
    if (AValue > 0) TCustomFFmpeg::GenericOption(AName, std::to_string(AValue));
}

void TFFmpeg::ParseExtOptions(const std::wstring& AText, bool AAll) {
    for (const auto& [rawName, value] : OptionLines(AText)) {
        const std::wstring name = Lower(rawName);
        if (IsOneOf(name, {L"newvideo", L"newaudio", L"newsubtitle", L"apre", L"vpre", L"spre", L"vfilters", L"vf"}))
            continue;
        if (!AAll && IsOneOf(name, {L"acodec", L"vcodec", L"scodec", L"s"})) continue;
        ParseOption(name, value);
    }
}

void TFFmpeg::ApplyInputOptions(const TInputOptions& AOptions) {
    ParseExtOptions(AOptions.ExtOptions, true);
    Option(L"f", AOptions.FileFormat);
    if (AOptions.TimeStart != NoTimeValue) SetStartTime(AOptions.TimeStart);
    if (AOptions.ProgramID >= 0) ParseOption(L"programid", std::to_wstring(AOptions.ProgramID));
}

TDefaultOptions TFFmpeg::ApplyOutputOptions(const TOutputOptions& AOptions) {
    TDefaultOptions defs;
    defs.SetValue(L"def_acodec", AOptions.AudioCodec);
    defs.SetValue(L"def_vcodec", AOptions.VideoCodec);
    defs.SetValue(L"def_scodec", AOptions.SubtitleCodec);
    defs.SetValue(L"def_apre", AOptions.AudioPreset);
    defs.SetValue(L"def_vpre", AOptions.VideoPreset);
    defs.SetValue(L"def_spre", AOptions.SubtitlePreset);
    defs.SetValue(L"def_s", AOptions.FrameSize);
    defs.SetValue(L"def_vf", AOptions.VideoFilters);
    for (const auto& [rawName, value] : OptionLines(AOptions.ExtOptions)) {
        std::wstring name = Lower(rawName);
        if (name == L"vfilters") name = L"vf";
        if (value.empty() || !IsOneOf(name, {L"acodec", L"vcodec", L"scodec", L"apre", L"vpre", L"spre", L"s", L"vf"}))
            continue;
        if (defs.Value(L"def_" + name).empty()) defs.SetValue(L"def_" + name, value);
        defs.Items.emplace_back(name, value);  // pending stream line
    }
    ApplyTarget(AOptions);
    for (const wchar_t* n : {L"acodec", L"vcodec", L"scodec", L"apre", L"vpre", L"spre"})
        Option(n, defs.Value(std::wstring(L"def_") + n));
    ParseExtOptions(AOptions.ExtOptions, false);
    ApplyTypedOutputOptions(AOptions);
    Option(L"s", defs.Value(L"def_s"));
    Option(L"vf", defs.Value(L"def_vf"));
    // A disc is valid only with its target's fixed values.
    EnforceTargetValues();
    return defs;
}

void TFFmpeg::ApplyTarget(const TOutputOptions& AOptions) {
    static const char* const targets[] = {"", "vcd", "svcd", "dvd"};
    if (AOptions.TargetType <= ttIgnore || AOptions.TargetType > ttDVD) return;
    const char* norm = AOptions.NormType == ntPAL ? "pal" : AOptions.NormType == ntNTSC ? "ntsc" : "auto";
    SetTargetPreset(targets[AOptions.TargetType], norm, AOptions.NormDefault == ntPAL ? "pal" : "ntsc");
}

void TFFmpeg::ApplyTypedOutputOptions(const TOutputOptions& O) {
    Option(L"f", O.FileFormat);
    GenericOption("packetsize", O.PacketSize);
    GenericOption("muxrate", O.MuxRate);
    if (O.MuxDelay > 0) Fmux_max_delay = O.MuxDelay;
    if (O.MuxPreload > 0) Fmux_preload = O.MuxPreload, Fmux_preload_set = true;
    if (O.DisableAudio) Faudio_disable = true;
    if (O.AudioVolume >= 0) Faudio_volume = O.AudioVolume;
    if (O.AudioChannels > 0) SetAudioChannels(O.AudioChannels);
    if (O.AudioSampleRate > 0) SetAudioSampleRate(O.AudioSampleRate);
    GenericOption("ab", O.AudioBitrate);
    GenericOption("abt", O.AudioBitRateTolerance);
    Faudio_language = WideToUtf8(O.AudioLanguage);
    Faudio_sync_method = O.AudioSyncMethod;
    Option(L"atag", O.AudioTag);
    if (O.DisableVideo) Fvideo_disable = true;
    Option(L"r", O.FrameRate);
    Option(L"aspect", O.FrameAspectRatio);
    const std::pair<const wchar_t*, int> crops[] = {
        {L"croptop", O.CropTop}, {L"cropbottom", O.CropBottom}, {L"cropleft", O.CropLeft}, {L"cropright", O.CropRight}};
    for (const auto& [name, value] : crops)
        if (value > 0) ParseOption(name, std::to_wstring(value));
    GenericOption("g", O.GroupPictureSize);
    GenericOption("vb", O.VideoBitrate);
    GenericOption("maxrate", O.VideoMaxRate);
    GenericOption("minrate", O.VideoMinRate);
    GenericOption("bt", O.VideoBitRateTolerance);
    GenericOption("bufsize", O.VideoBufSize);
    Fvideo_sync_method = O.VideoSyncMethod;
    Option(L"vtag", O.VideoTag);
    Fvideo_language = WideToUtf8(O.VideoLanguage);
    if (O.DisableSubtitle) Fsubtitle_disable = true;
    Fsubtitle_language = WideToUtf8(O.SubtitleLanguage);
    Finput_sync = O.InputSync;
    if (O.CopyTimestamp) Fcopy_ts = true;
    if (O.TimeStart != NoTimeValue) SetStartTime(O.TimeStart);
    if (O.TimeLength != NoTimeValue) SetRecordingTime(O.TimeLength);
    ApplyTimeStamp(O.Info.TimeStamp);
    if (O.Info.Year > 0) SetMetadata(L"year", std::to_wstring(O.Info.Year));
    if (O.Info.Track > 0) SetMetadata(L"track", std::to_wstring(O.Info.Track));
    const std::pair<const wchar_t*, const std::wstring*> texts[] = {
        {L"title", &O.Info.Title},     {L"author", &O.Info.Author}, {L"copyright", &O.Info.Copyright},
        {L"comment", &O.Info.Comment}, {L"album", &O.Info.Album},   {L"genre", &O.Info.Genre}};
    for (const auto& [key, value] : texts)
        if (!value->empty()) SetMetadata(key, *value);
}

void TFFmpeg::ApplyTimeStamp(double ATimeStamp) {
    if (ATimeStamp < 0) return;
    double local = ATimeStamp;
    if (local == 0) {
        SYSTEMTIME st;
        GetLocalTime(&st);
        FILETIME ft;
        SystemTimeToFileTime(&st, &ft);
        const int64_t ticks = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
        // 100 ns ticks since 1601-01-01 as days since 1899-12-30.
        local = ticks / 864000000000.0 - 109205.0;
    }
    TIME_ZONE_INFORMATION tz;
    const DWORD mode = GetTimeZoneInformation(&tz);
    LONG bias = tz.Bias;
    if (mode == TIME_ZONE_ID_DAYLIGHT) bias += tz.DaylightBias;
    else if (mode == TIME_ZONE_ID_STANDARD) bias += tz.StandardBias;
    Frecording_timestamp = std::llround((local - 25569.0 + bias / 1440.0) * 86400.0);
}

void TFFmpeg::ApplyNewStreamOptions(const TOutputOptions& AOptions, TDefaultOptions& ADefaults) {
    for (const auto& [rawName, value] : OptionLines(AOptions.ExtOptions)) {
        const std::wstring name = Lower(rawName);
        static const std::vector<const wchar_t*> audio{L"acodec", L"apre"}, video{L"vcodec", L"vpre", L"s", L"vf"},
            subtitle{L"scodec", L"spre"};
        const std::vector<const wchar_t*>* pendingOf = name == L"newaudio"      ? &audio
                                                       : name == L"newvideo"    ? &video
                                                       : name == L"newsubtitle" ? &subtitle
                                                                                : nullptr;
        if (!pendingOf) continue;
        for (const wchar_t* option : *pendingOf) {
            std::wstring v;
            if (!ADefaults.TakeStreamLine(option, v)) v = ADefaults.Value(std::wstring(L"def_") + option);
            Option(option, v);
        }
        ParseOption(name, value);
    }
}
