#pragma once
// The encoder presets of the legacy settings window and its two other
// procedures on the main window's current-format fields: the read-back of
// the six option lists' shown texts and the reset.
//
// A preset row writes only the fields of its kind and leaves the others as
// they were; the presets do not reset first. Encoder names are kept as the
// presets name them ("libfaac", "libxvid", "libamr_nb", "msmpeg4v1"); the
// media engine maps them when it looks the encoders up.
//
// Threads: the table is constant. The procedures touch their arguments and
// (ApplyPreset) the file system; the window calls them on the UI thread.

#include <array>
#include <span>
#include <string>
#include <vector>

#include "app/EncoderPresets.h"
#include "app/LegacyOptionLists.h"

namespace legacy {

// Which fields a row writes:
//   Video  the video and audio fields, the fixed empties and volume "256";
//   Audio  Video_DisableVideo True and the audio fields, no video field;
//   Disc   target, norm "PAL", both bit rates -1000, every encoder field
//          empty; not Video_FileExt;
//   RealMedia  video codec and frame size, the fixed empties; nothing else.
enum class TLegacyRowKind : unsigned char { Video, Audio, Disc, RealMedia };

// Value of a text field a row leaves as it was.
inline constexpr wchar_t KeepField[] = L"(keep)";
// Value of FileExt meaning "the output extension".
inline constexpr const wchar_t* SameAsOutput = formats::SameAsOutput;

struct TLegacyPreset {
    int Key;  // catalogue key
    TLegacyRowKind Kind;
    const wchar_t* OutputExt;   // extension the output name gets
    const wchar_t* FileExt;     // Video_FileExt: SameAsOutput, KeepField or an extension
    const wchar_t* VideoCodec;  // L"" = not set
    const wchar_t* VideoTag;    // KeepField on row 305
    int VideoBitrate;           // bit/s; -1000 no rate set
    const wchar_t* FrameSize;   // L"" = keep the source size
    const wchar_t* FrameRate;
    const wchar_t* Aspect;
    const wchar_t* AudioCodec;
    const wchar_t* AudioChannels;
    const wchar_t* SampleRate;
    int AudioBitrate;
    const wchar_t* TargetType;  // KeepField on rows 403 to 406
    const wchar_t* NormType;
};

// The 110 rows, in key order (409 has none; 414 and 506 have no catalogue
// entry); nullptr for a key without a row.
std::span<const TLegacyPreset> Presets();
const TLegacyPreset* FindPreset(int key);

// What the presets read besides the key: the main window's
// Video_AddFileName and output-folder text, and the options dialog's
// overwrite choice.
struct TPresetSources {
    std::wstring AddFileName;
    std::wstring OutputFolder;
    bool Overwrite = false;
};

// The output folder text as the first part of a path: without trailing
// separators, so that joining it with "\" and a name never doubles one.
std::wstring FolderPrefix(const std::wstring& folderText);

// The presets: stores the key into All_Trant_Number and clears
// Video_DisableVideo; for a key with a row names the output file
// (folder, "\", the input's name with the row's extension) and writes the
// row's fields; then, for every key, checks the output name against the
// disk: a name that is taken (an existing file unless Overwrite, the input
// file always) becomes stem_1.ext, stem_2.ext, ... whichever is free first.
// Returns false when the key has no row (only the two fields and the name
// check were done).
bool ApplyPreset(int key, const TPresetSources& sources, const TMainWindowFields& fields);

// The read-back: turns the six lists' shown texts (indexed by TOptionList)
// into Video_FrameSize, Video_FrameRate, Video_VideoBitrate,
// Video_AudioSampleRate, Video_AudioBitrate and Video_FrameAspectRatio, in
// that order:
//   "保持原分辨率"/"该格式无视频" -> empty, else the text;
//   "保持原帧速率"/"无视频" -> empty, else the text;
//   "无视频" -> -1000, "N kbps" -> N * 1000 (N whole);
//   "自动音频采样率" -> "AUTO", else the text;
//   "自动音频比特率" -> -1000, "N kbps" -> N * 1000 (N may have decimals:
//       "12.2 kbps" -> 12200, "4.75 kbps" -> 4750);
//   the five aspect modes and "无视频" -> "", "4:3", "16:9", "37:20", "47:20";
//       another text leaves the field.
// A bit rate text that does not convert (an empty list shows no text)
// raises EConvertError with the platform's conversion message; its field
// and the fields of the lists after it keep their values.
void ReadBack(const std::array<std::wstring, 6>& shownTexts, formats::TFormatSettings& settings);

// The reset: every Video_ field to its empty value (strings empty, volume
// "256", bit rates and times -1, Video_DisableVideo False).
// All_Trant_Number is not touched.
void ResetFields(formats::TFormatSettings& settings);

}  // namespace legacy
