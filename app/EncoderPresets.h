#pragma once
// Encoder presets per output format and the current-format settings they
// fill (the Video_ fields of the main window).
//
// The preset table keeps the encoder names as the presets name them
// ("libfaac", "libxvid", ...); turning them into the encoders of the media
// libraries is the media engine's business.
//
// Threads: the table is constant; the functions touch only their arguments
// (ApplyEncoderPreset also looks at the file system) and may be called from
// any thread. The main window calls them on the UI thread.

#include <array>
#include <span>
#include <string>

namespace formats {

// Value of TEncoderPreset::FileExt meaning "the output extension".
inline constexpr const wchar_t* SameAsOutput = nullptr;

struct TEncoderPreset {
    int Key;                    // catalogue key
    const wchar_t* OutputExt;   // extension the preset gives the output name
    const wchar_t* FileExt;     // Video_FileExt: SameAsOutput, L"" or an extension
    const wchar_t* VideoCodec;  // L"" = not set
    const wchar_t* VideoTag;
    int VideoBitrate;           // bit/s; -1 not set, -1000 no value chosen
    const wchar_t* FrameSize;   // L"" = keep
    const wchar_t* FrameRate;
    const wchar_t* Aspect;
    const wchar_t* AudioCodec;
    const wchar_t* AudioChannels;
    const wchar_t* SampleRate;
    int AudioBitrate;
    const wchar_t* TargetType;  // "dvd", "svcd", "vcd" or L""
    const wchar_t* NormType;    // "PAL", "NTSC" or L""
    bool AudioOnly;
};

// The 209 presets, in key order.
std::span<const TEncoderPreset> EncoderPresets();
const TEncoderPreset* FindEncoderPreset(int key);

// Current-format settings. Strings are empty when not set; bit rates are
// whole bits per second, -1 not set, -1000 no value chosen.
struct TFormatSettings {
    std::wstring Video_OutPutFileName;
    std::wstring Video_FileExt;
    std::wstring Video_FileFormat;
    std::wstring Video_VideoCodec;
    std::wstring Video_VideoTag;
    int Video_VideoBitrate = -1;
    std::wstring Video_FrameSize;
    std::wstring Video_FrameRate;
    std::wstring Video_FrameAspectRatio;
    std::wstring Video_AudioCodec;
    std::wstring Video_AudioChannels;
    std::wstring Video_AudioSampleRate;
    int Video_AudioBitrate = -1;
    std::wstring Video_AudioVolume = L"256";
    std::wstring Video_TargetType;
    std::wstring Video_NormType;
    bool Video_DisableVideo = false;
    std::wstring Video_VideoFilters;
    std::wstring Video_CopyTimestamp;
    int Video_TimeStart = -1;
    int Video_TimeLength = -1;
};

// Sets every field to its reset value.
void ResetFormatSettings(TFormatSettings& settings);

// Whether a container, named by its file extension, can store streams of
// these encoders (names as the presets write them; empty = the container's
// own default). Unknown containers are taken to hold anything.
bool ContainerHolds(const std::wstring& ext, const std::wstring& videoCodec,
                    const std::wstring& audioCodec);

// The extension of the output file of a format, the one rule used wherever
// the output extension is computed: the extension of the format's title
// (what the user chose) unless the preset's encoders cannot be stored in
// that container, in which case the preset's own. Empty for an unknown key.
std::wstring OutputExtension(int key);
// The same rule for a title's extension and a preset.
std::wstring ChooseOutputExtension(const std::wstring& titleExt, const TEncoderPreset& preset);

// Applies the preset of a catalogue key: resets the settings, stores the
// preset's fields and names the output file for addFileName in outputFolder
// (with the rename rule unless overwrite is set). Returns false, with the
// settings reset, for a key without a preset.
bool ApplyEncoderPreset(int key, const std::wstring& addFileName,
                        const std::wstring& outputFolder, bool overwrite,
                        TFormatSettings& settings);

// The hidden encoder columns of a queue row (sub-items 10 to 23, in order)
// for these settings.
constexpr int PresetFirstSubItem = 10;
std::array<std::wstring, 14> PresetRowColumns(const TFormatSettings& settings);

}  // namespace formats
