// Every option name the dispatcher knows, in its dispatch order, with a value
// the option is meant to take and a wrong or odd one (one row for the names
// whose value means nothing): the effect on the task's fields, the exact
// refusal, or the exact line logged. Halves already
// covered by the table in OptionsTest.cpp are not repeated here; a coverage
// test makes sure no name is forgotten.
#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <set>

#include "Src/FFmpegLogger.h"
#include "TranscodeFixture.h"

namespace {

// The names in the order the dispatcher tests them.
const char* const DispatchOrder[] = {
    "L", "h", "version", "formats", "codecs", "bsfs", "protocols", "filters", "loglevel", "f", "i", "y", "map",
    "map_meta_data", "t", "fs", "ss", "itsoffset", "itsscale", "timestamp", "metadata", "dframes", "benchmark",
    "timelimit", "dump", "hex", "re", "loop_input", "loop_output", "v", "target", "threads", "vsync", "async",
    "adrift_threshold", "vglobal", "copyts", "shortest", "dts_delta_threshold", "programid", "xerror", "copyinkf", "b",
    "vb", "vframes", "r", "s", "aspect", "pix_fmt", "croptop", "cropbottom", "cropleft", "cropright", "padtop",
    "padbottom", "padleft", "padright", "padcolor", "intra", "vn", "vdt", "qscale", "rc_override", "vcodec",
    "me_threshold", "sameq", "pass", "passlogfile", "deinterlace", "psnr", "vstats", "vstats_file", "vhook", "vfilters",
    "vf", "intra_matrix", "inter_matrix", "top", "dc", "vtag", "newvideo", "vlang", "qphist", "force_fps", "streamid",
    "ab", "aframes", "aq", "ar", "ac", "an", "acodec", "atag", "vol", "newaudio", "alang", "sample_fmt", "sn", "scodec",
    "newsubtitle", "slang", "stag", "vc", "tvstd", "isync", "muxdelay", "muxpreload", "absf", "vbsf", "sbsf", "apre",
    "vpre", "spre", "fpre"};

// Good: a value the option is meant to take (for the refused names, one that
// is still refused). Bad: a wrong value, or an odd one whose effect the
// option defines all the same.
enum THalf { Good, Bad };

using TCheck = std::function<bool(const TCustomFFmpeg&)>;

struct TNameCase {
    THalf Half;
    TOptionList Options;         // the last one is the option under test
    TCheck Check = {};           // accepted: the effect on the task
    std::wstring Error = {};     // refused: the exact message
    TLogLevel Level = llQuiet;   // with Logged: a line that must be logged
    std::wstring Logged = {};
};

const wchar_t* const MeThresholdGone = L"Option me_threshold: this library generation has no motion estimation threshold";

// Steps of an option list that are not options: open the test clip as one
// more input, or an output of that name in the test's folder.
const wchar_t* const OpenIn = L"(input)";
const wchar_t* const OpenOut = L"(output)";
// A value or message starting with '@' names a file in the test's folder.
const wchar_t FolderMark = L'@';

// The halves that the table in OptionsTest.cpp covers.
const std::set<std::string> GoodInOptionsTest = {
    "an", "vcodec", "acodec", "ac", "s", "r", "aspect", "t", "ss", "fs", "map", "metadata", "streamid", "vtag", "itsscale",
    "qscale", "croptop", "f", "b", "ab", "threads", "padtop", "pix_fmt", "sample_fmt", "target", "intra_matrix",
    "vstats", "vbsf", "vpre"};
const std::set<std::string> BadInOptionsTest = {
    "an", "copyts", "ar", "s", "r", "aspect", "t", "metadata", "streamid", "vtag", "itsscale", "qscale", "croptop",
    "threads", "padtop", "pass", "newaudio", "vol", "pix_fmt", "target", "inter_matrix", "vbsf", "vpre"};

// Names whose value means nothing: one row says what the name does.
const std::set<std::string> TakesNoValue = {"L",         "h",       "version", "formats", "codecs",
                                            "bsfs",      "protocols", "filters", "i",       "y",
                                            "benchmark", "timelimit"};

// The folder of the test executable, with its trailing backslash.
std::wstring ExeFolder() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring path = exe;
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring HookDll() { return ExeFolder() + L"invert_hook.dll"; }

TOptionList Repeat(const wchar_t* AName, const wchar_t* AValue, int ACount) {
    return TOptionList(ACount, {AName, AValue});
}

// "1,2,...,ACount" as a quantiser matrix text.
std::wstring Matrix(int ACount) {
    std::wstring text;
    for (int i = 1; i <= ACount; ++i) text += (i > 1 ? L"," : L"") + std::to_wstring(i);
    return text;
}

TNameCase Refused(THalf AHalf, TOptionList AOptions, std::wstring AError) {
    return {AHalf, std::move(AOptions), nullptr, std::move(AError)};
}

// The refusal of a text that is not a number.
TNameCase NotANumber(const wchar_t* AName, const wchar_t* AValue) {
    return Refused(Bad, {{AName, AValue}}, L"'" + std::wstring(AValue) + L"' is not a valid value for option " + AName);
}

TNameCase Logs(THalf AHalf, TOptionList AOptions, TLogLevel ALevel, std::wstring ALine, TCheck ACheck = nullptr) {
    return {AHalf, std::move(AOptions), std::move(ACheck), L"", ALevel, std::move(ALine)};
}

// An informational name: any value only logs that nothing is done.
TNameCase DoesNothing(THalf AHalf, const wchar_t* AName, const wchar_t* AValue) {
    return Logs(AHalf, {{AName, AValue}}, llInfo, L"Do nothing: option - " + std::wstring(AName));
}

// Booleans: "0" turns the flag off again, any other value turns it on.
TNameCase ZeroClears(const wchar_t* AName, bool TCustomFFmpeg::*AField) {
    return {Good, {{AName, L"1"}, {AName, L"0"}}, [AField](const TCustomFFmpeg& t) { return !(t.*AField); }};
}

TNameCase AnyValueSets(const wchar_t* AName, bool TCustomFFmpeg::*AField) {
    return {Bad, {{AName, L"yes"}}, [AField](const TCustomFFmpeg& t) { return t.*AField; }};
}

template <class T>
TCheck Is(T TCustomFFmpeg::*AField, T AValue) {
    return [AField, AValue](const TCustomFFmpeg& t) { return t.*AField == AValue; };
}

TCheck Text(char* TCustomFFmpeg::*AField, std::string AValue) {
    return [AField, AValue](const TCustomFFmpeg& t) { return t.*AField && AValue == t.*AField; };
}

TCheck MaxFrames(int AKind, int AValue) {
    return [AKind, AValue](const TCustomFFmpeg& t) { return t.Fmax_frames[AKind] == AValue; };
}

TCheck BitRate(int AContext, int64_t AValue) {
    return [AContext, AValue](const TCustomFFmpeg& t) { return t.FOptions.avcodec_opts[AContext]->bit_rate == AValue; };
}

// The first output has AStreams streams, the last of type AType.
TCheck OutputStreams(unsigned AStreams, AVMediaType AType) {
    return [AStreams, AType](const TCustomFFmpeg& t) {
        const AVFormatContext* oc = t.nb_output_files() == 1 ? t.Foutput_files[0] : nullptr;
        return oc && oc->nb_streams == AStreams && oc->streams[AStreams - 1]->codecpar->codec_type == AType;
    };
}

// An output with one MPEG-4 video and one MP2 audio stream, opened from the
// test clip; the options after it add to it.
TOptionList WithOutput(TOptionList AOptions) {
    TOptionList list = {{L"vcodec", L"mpeg4"}, {L"acodec", L"mp2"}, {OpenOut, L"out.mkv"}};
    list.insert(list.end(), AOptions.begin(), AOptions.end());
    return list;
}

const wchar_t* const LowBitRate = L"WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s";
const wchar_t* const PadRefused = L"Please use vfilters=pad";

using T = TCustomFFmpeg;

const std::vector<TNameCase> NameCases = {
    // The listing names of the command line: whatever the value, a task only
    // logs that it does nothing.
    DoesNothing(Good, L"L", L"junk"), DoesNothing(Good, L"h", L""), DoesNothing(Good, L"version", L"junk"),
    DoesNothing(Good, L"formats", L""), DoesNothing(Good, L"codecs", L"junk"), DoesNothing(Good, L"bsfs", L""),
    DoesNothing(Good, L"protocols", L"junk"), DoesNothing(Good, L"filters", L""),
    {Good, {{L"loglevel", L"verbose"}}, [](const T&) { return GlobalLogger()->LogLevel() == llVerbose; }},
    NotANumber(L"loglevel", L"loud"),
    {Good, {{L"f", L"avi"}}, Is(&T::Flast_asked_format, std::string("avi"))},
    Logs(Good, {{L"f", L"pgmyuv"}}, llInfo, L"pgmyuv format is deprecated, use image2"),
    {Bad, {{L"f", L"avi"}, {L"f", L""}}, Is(&T::Flast_asked_format, std::string("avi"))},
    // Inputs are opened by the component and outputs always overwritten.
    DoesNothing(Good, L"i", L"in.avi"), DoesNothing(Good, L"y", L"no"),
    // Automatic base: 0x for hexadecimal, a leading 0 for octal.
    {Good, {{L"map", L"0x1:010"}},
     [](const T& t) { return t.Fnb_stream_maps == 1 && t.Fstream_maps[0].file_index == 1 && t.Fstream_maps[0].stream_index == 8; }},
    Refused(Bad, Repeat(L"map", L"0:0", 4 * 20 + 1), L"Too many stream maps"),
    {Good, {{L"map_meta_data", L"1:0"}},
     [](const T& t) { return t.Fnb_meta_data_maps == 1 && t.Fmeta_data_maps[0].out_file == 1 && t.Fmeta_data_maps[0].in_file == 0; }},
    Refused(Bad, Repeat(L"map_meta_data", L"0:0", 4 + 1), L"Too many metadata maps"),
    NotANumber(L"fs", L"10kb"),
    Refused(Bad, {{L"ss", L"soon"}}, L"Invalid duration specification for ss: soon"),
    {Good, {{L"itsoffset", L"-1.5"}}, Is(&T::Finput_ts_offset, int64_t(-1500000))},
    Refused(Bad, {{L"itsoffset", L"x"}}, L"Invalid duration specification for itsoffset: x"),
    Refused(Bad, {{L"itsscale", L"-1:2"}}, L"Invalid stream index -1 for option \"itsscale\""),
    Refused(Bad, {{L"itsscale", L"1"}}, L"Invalid itsscale 1"),
    Refused(Bad, {{OpenIn, L""}, {OpenIn, L""}, {OpenIn, L""}, {L"itsscale", L"0:2"}}, L"Too many input files"),
    // Rounded to whole seconds.
    {Good, {{L"timestamp", L"1970-01-02T00:00:00.6Z"}}, Is(&T::Frecording_timestamp, int64_t(86401))},
    Refused(Bad, {{L"timestamp", L"someday"}}, L"Invalid date specification for timestamp: someday"),
    {Good, {{L"dframes", L"7"}}, MaxFrames(2, 7)},
    NotANumber(L"dframes", L"many"),
    DoesNothing(Good, L"benchmark", L"junk"),
    Logs(Good, {{L"timelimit", L"x"}}, llWarning, L"Warning: -timelimit not implemented on Windows"),
    ZeroClears(L"dump", &T::Fdo_pkt_dump), AnyValueSets(L"dump", &T::Fdo_pkt_dump),
    ZeroClears(L"hex", &T::Fdo_hex_dump), AnyValueSets(L"hex", &T::Fdo_hex_dump),
    ZeroClears(L"re", &T::Frate_emu), AnyValueSets(L"re", &T::Frate_emu),
    ZeroClears(L"loop_input", &T::Floop_input), AnyValueSets(L"loop_input", &T::Floop_input),
    {Good, {{L"loop_output", L"3"}}, Is(&T::Floop_output, 3)},
    NotANumber(L"loop_output", L"forever"),
    {Good, {{L"v", L"0"}}, Is(&T::Fverbose, 0)},
    NotANumber(L"v", L"2x"),
    Refused(Bad, {{L"threads", L""}}, L"TODO: option - threads"),
    {Good, {{L"vsync", L"2"}}, Is(&T::Fvideo_sync_method, 2)},
    NotANumber(L"vsync", L"drop"),
    {Good, {{L"async", L"1"}}, Is(&T::Faudio_sync_method, 1)},
    NotANumber(L"async", L"1.5"),
    {Good, {{L"adrift_threshold", L"0.25"}}, Is(&T::Faudio_drift_threshold, 0.25f)},
    NotANumber(L"adrift_threshold", L"0.25s"),
    {Good, {{L"vglobal", L"2"}}, Is(&T::Fvideo_global_header, 2)},
    NotANumber(L"vglobal", L"on"),
    {Good, {{L"copyts", L"1"}}, Is(&T::Fcopy_ts, true)},
    ZeroClears(L"shortest", &T::Fopt_shortest), AnyValueSets(L"shortest", &T::Fopt_shortest),
    {Good, {{L"dts_delta_threshold", L"5.5"}}, Is(&T::Fdts_delta_threshold, 5.5f)},
    NotANumber(L"dts_delta_threshold", L"big"),
    {Good, {{L"programid", L"3"}}, Is(&T::Fopt_programid, 3)},
    NotANumber(L"programid", L"x"),
    {Good, {{L"xerror", L"1"}}, Is(&T::Fexit_on_error, true)},
    {Bad, {{L"xerror", L"0"}}, Is(&T::Fexit_on_error, true)},
    {Good, {{L"copyinkf", L"1"}}, Is(&T::Fcopy_initial_nonkeyframes, 1)},
    NotANumber(L"copyinkf", L"yes"),
    Logs(Bad, {{L"b", L"64"}}, llWarning, LowBitRate, BitRate(0, 64)),
    // Video only; the audio bit rate stays.
    {Good, {{L"ab", L"128000"}, {L"vb", L"300000"}}, [](const T& t) { return BitRate(0, 300000)(t) && BitRate(1, 128000)(t); }},
    Logs(Bad, {{L"vb", L"64"}}, llWarning, LowBitRate, BitRate(0, 64)),
    {Good, {{L"vframes", L"10"}}, MaxFrames(0, 10)},
    NotANumber(L"vframes", L"ten"),
    Refused(Bad, {{L"aspect", L"nan"}}, L"Incorrect aspect ratio specification."),
    Logs(Good, {{L"cropbottom", L"10"}}, llWarning, L"CropBottom is deprecated in favor of the crop avfilter",
         [](const T& t) { return t.Fframe_bottomBand == 10 && t.Fframe_height == 470 && t.Fframe_width == 640; }),
    Refused(Bad, {{L"cropbottom", L"480"}},
            L"Vertical crop dimensions are outside the range of the original image.\nRemember to crop first and scale second."),
    Logs(Good, {{L"cropleft", L"8"}}, llWarning, L"CropLeft is deprecated in favor of the crop avfilter",
         [](const T& t) { return t.Fframe_leftBand == 8 && t.Fframe_width == 632 && t.Fframe_height == 480; }),
    Refused(Bad, {{L"cropleft", L"640"}},
            L"Horizontal crop dimensions are outside the range of the original image.\nRemember to crop first and scale second."),
    Logs(Good, {{L"cropright", L"16"}}, llWarning, L"CropRight is deprecated in favor of the crop avfilter",
         [](const T& t) { return t.Fframe_rightBand == 16 && t.Fframe_width == 624; }),
    {Bad, {{L"cropright", L"0"}}, [](const T& t) { return t.Fframe_rightBand == 0 && t.Fframe_width == 640; }},
    Refused(Bad, {{L"padtop", L""}}, PadRefused),
    Refused(Good, {{L"padbottom", L"2"}}, PadRefused), Refused(Bad, {{L"padbottom", L"x"}}, PadRefused),
    Refused(Good, {{L"padleft", L"2"}}, PadRefused), Refused(Bad, {{L"padleft", L""}}, PadRefused),
    Refused(Good, {{L"padright", L"2"}}, PadRefused), Refused(Bad, {{L"padright", L"-2"}}, PadRefused),
    Refused(Good, {{L"padcolor", L"000000"}}, PadRefused), Refused(Bad, {{L"padcolor", L"black"}}, PadRefused),
    ZeroClears(L"intra", &T::Fintra_only), AnyValueSets(L"intra", &T::Fintra_only),
    ZeroClears(L"vn", &T::Fvideo_disable), AnyValueSets(L"vn", &T::Fvideo_disable),
    {Good, {{L"vdt", L"1"}}, Is(&T::Fvideo_discard, 1)},
    NotANumber(L"vdt", L"all"),
    NotANumber(L"qscale", L"2.5x"),
    NotANumber(L"qscale", L"nan"),
    {Good, {{L"rc_override", L"0,100,-50/101,200,3"}}, Text(&T::Fvideo_rc_override_string, "0,100,-50/101,200,3")},
    // Kept as given; the text is read when a video stream is created.
    {Bad, {{L"rc_override", L"nonsense"}}, Text(&T::Fvideo_rc_override_string, "nonsense")},
    {Bad, {{L"vcodec", L"mpeg4"}, {L"vcodec", L""}}, Text(&T::Fvideo_codec_name, "mpeg4")},
    // Names are checked when used; a name after "copy" keeps the copy flag.
    {Bad, {{L"vcodec", L"copy"}, {L"vcodec", L"nosuch"}},
     [](const T& t) { return t.Fvideo_stream_copy == 1 && Text(&T::Fvideo_codec_name, "nosuch")(t); }},
    // Gone from this library generation: refused whatever the value.
    Refused(Good, {{L"me_threshold", L"4"}}, MeThresholdGone),
    Refused(Bad, {{L"me_threshold", L"low"}}, MeThresholdGone),
    ZeroClears(L"sameq", &T::Fsame_quality), AnyValueSets(L"sameq", &T::Fsame_quality),
    {Good, {{L"pass", L"2"}}, Is(&T::Fdo_pass, 2)},
    {Good, {{L"passlogfile", L"C:\\logs\\run"}}, Is(&T::Fpass_logfilename_prefix, std::string("C:\\logs\\run"))},
    {Bad, {{L"passlogfile", L"run"}, {L"passlogfile", L""}}, Is(&T::Fpass_logfilename_prefix, std::string())},
    ZeroClears(L"deinterlace", &T::Fdo_deinterlace), AnyValueSets(L"deinterlace", &T::Fdo_deinterlace),
    ZeroClears(L"psnr", &T::Fdo_psnr), AnyValueSets(L"psnr", &T::Fdo_psnr),
    // The value is not used: "vstats_hhnnss.log" beside the executable.
    {Bad, {{L"vstats", L""}},
     [](const T& t) {
         if (!t.Fvstats_filename) return false;
         const std::wstring name = AnsiToWide(t.Fvstats_filename), exe = ExeFolder();
         const std::wstring rest = name.substr(std::min(name.size(), exe.size()));
         return name.compare(0, exe.size(), exe) == 0 && rest.size() == 17 && rest.compare(0, 7, L"vstats_") == 0 &&
                std::all_of(rest.begin() + 7, rest.begin() + 13, [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; }) &&
                rest.compare(13, 4, L".log") == 0;
     }},
    // Opened with the ANSI file calls, so kept in the ANSI code page.
    {Good, {{L"vstats_file", L"C:\\stats\\caf\u00e9.log"}}, Text(&T::Fvstats_filename, WideToAnsi(L"C:\\stats\\caf\u00e9.log"))},
    {Bad, {{L"vstats", L""}, {L"vstats_file", L"own.log"}}, Text(&T::Fvstats_filename, "own.log")},
    {Good, {{L"vhook", HookDll()}}, [](const T& t) { return t.Fusing_vhook && t.FFrameHooks.size() == 1; }},
    Refused(Bad, {{L"vhook", L"nosuch.dll"}}, L"Failed to add video hook function: nosuch.dll"),
    {Good, {{L"vfilters", L"hflip"}}, Is(&T::Fvfilters, std::string("hflip"))},
    {Bad, {{L"vfilters", L"hflip"}, {L"vfilters", L""}}, Is(&T::Fvfilters, std::string("hflip"))},
    {Good, {{L"vf", L"scale=320:240"}}, Is(&T::Fvfilters, std::string("scale=320:240"))},
    {Bad, {{L"vf", L"hflip"}, {L"vf", L""}}, Is(&T::Fvfilters, std::string("hflip"))},
    Refused(Bad, {{L"intra_matrix", L"1,2"}}, L"Syntax error in matrix \"1,2\" at coeff 1"),
    {Good, {{L"inter_matrix", Matrix(64)}}, [](const T& t) { return t.Finter_matrix && t.Finter_matrix[0] == 1 && t.Finter_matrix[63] == 64; }},
    {Good, {{L"top", L"1"}}, Is(&T::Ftop_field_first, 1)},
    NotANumber(L"top", L"first"),
    {Good, {{L"dc", L"10"}}, Is(&T::Fintra_dc_precision, 10)},
    NotANumber(L"dc", L"high"),
    {Good, WithOutput({{L"vcodec", L"mpeg4"}, {L"newvideo", L""}}), OutputStreams(3, AVMEDIA_TYPE_VIDEO)},
    Refused(Bad, {{L"newvideo", L""}}, L"At least one output file must be specified"),
    {Good, {{L"vlang", L"eng"}}, Is(&T::Fvideo_language, std::string("eng"))},
    {Bad, {{L"vlang", L"eng"}, {L"vlang", L""}}, Is(&T::Fvideo_language, std::string())},
    ZeroClears(L"qphist", &T::Fqp_hist), AnyValueSets(L"qphist", &T::Fqp_hist),
    ZeroClears(L"force_fps", &T::Fforce_fps), AnyValueSets(L"force_fps", &T::Fforce_fps),
    Refused(Bad, {{L"streamid", L"20:1"}}, L"stream index over MAX_STREAMS(20)"),
    Refused(Bad, {{L"streamid", L"-1:5"}}, L"Invalid stream index -1 for option \"streamid\""),
    NotANumber(L"streamid", L"a:1"),
    // Nothing without a value.
    {Bad, {{L"streamid", L""}},
     [](const T& t) { return std::count(std::begin(t.Fstreamid_map), std::end(t.Fstreamid_map), 0) == MAX_STREAMS; }},
    Logs(Bad, {{L"ab", L"96"}}, llWarning, LowBitRate, BitRate(1, 96)),
    {Good, {{L"aframes", L"100"}}, MaxFrames(1, 100)},
    NotANumber(L"aframes", L"all"),
    {Good, {{L"aq", L"4"}}, Is(&T::Faudio_qscale, 4.0f)},
    NotANumber(L"aq", L"4q"),
    {Good, {{L"ar", L"22050"}}, Is(&T::Faudio_sample_rate, 22050)},
    NotANumber(L"ar", L"cd"),
    {Bad, {{L"ac", L"-1"}}, Is(&T::Faudio_channels, 2)},
    NotANumber(L"ac", L"stereo"),
    {Bad, {{L"acodec", L"mp2"}, {L"acodec", L""}}, Text(&T::Faudio_codec_name, "mp2")},
    {Good, {{L"atag", L"mp4a"}}, Is(&T::Faudio_codec_tag, unsigned(MKTAG('m', 'p', '4', 'a')))},
    Refused(Bad, {{L"atag", L"mp4"}}, L"audio tag parameter must be 4 chars"),
    {Good, {{L"vol", L"512"}}, Is(&T::Faudio_volume, 512)},
    {Good, WithOutput({{L"acodec", L"mp2"}, {L"newaudio", L""}}), OutputStreams(3, AVMEDIA_TYPE_AUDIO)},
    {Good, {{L"alang", L"chi"}}, Is(&T::Faudio_language, std::string("chi"))},
    {Bad, {{L"alang", L"chi"}, {L"alang", L""}}, Is(&T::Faudio_language, std::string())},
    // Looked up without an error check.
    {Bad, {{L"sample_fmt", L"s16"}, {L"sample_fmt", L"nonsense"}}, Is(&T::Faudio_sample_fmt, AV_SAMPLE_FMT_NONE)},
    ZeroClears(L"sn", &T::Fsubtitle_disable), AnyValueSets(L"sn", &T::Fsubtitle_disable),
    {Good, {{L"scodec", L"ass"}}, Text(&T::Fsubtitle_codec_name, "ass")},
    {Bad, {{L"scodec", L"ass"}, {L"scodec", L""}}, Text(&T::Fsubtitle_codec_name, "ass")},
    {Good, WithOutput({{L"scodec", L"ass"}, {L"newsubtitle", L""}}), OutputStreams(3, AVMEDIA_TYPE_SUBTITLE)},
    Refused(Bad, {{L"newsubtitle", L""}}, L"At least one output file must be specified"),
    Refused(Bad, WithOutput({{L"scodec", L"nosuch"}, {L"newsubtitle", L""}}), L"Unknown encoder 'nosuch'"),
    {Good, {{L"slang", L"fre"}}, Is(&T::Fsubtitle_language, std::string("fre"))},
    {Bad, {{L"slang", L"fre"}, {L"slang", L""}}, Is(&T::Fsubtitle_language, std::string())},
    {Good, {{L"stag", L"tx3g"}}, Is(&T::Fsubtitle_codec_tag, unsigned(MKTAG('t', 'x', '3', 'g')))},
    Refused(Bad, {{L"stag", L"tx3g "}}, L"subtitle tag parameter must be 4 chars"),
    {Good, {{L"vc", L"1"}}, Is(&T::Fvideo_channel, 1)},
    NotANumber(L"vc", L"one"),
    {Good, {{L"tvstd", L"ntsc"}}, Text(&T::Fvideo_standard, "ntsc")},
    {Bad, {{L"tvstd", L"ntsc"}, {L"tvstd", L""}}, Text(&T::Fvideo_standard, "")},
    ZeroClears(L"isync", &T::Finput_sync), AnyValueSets(L"isync", &T::Finput_sync),
    {Good, {{L"muxdelay", L"0.2"}}, Is(&T::Fmux_max_delay, 0.2f)},
    NotANumber(L"muxdelay", L"0,2"),
    {Good, {{L"muxpreload", L"1.5"}}, Is(&T::Fmux_preload, 1.5f)},
    NotANumber(L"muxpreload", L"-"),
    NotANumber(L"muxpreload", L"inf"),
    {Good, {{L"absf", L"aac_adtstoasc"}}, Is(&T::Faudio_bitstream_filters, TBitstreamFilterChain{"aac_adtstoasc"})},
    {Bad, {{L"absf", L"=aac_adtstoasc"}}, [](const T& t) { return t.Faudio_bitstream_filters.empty(); }},
    Refused(Bad, {{L"absf", L"nosuch=1"}}, L"Unknown bitstream filter nosuch=1"),
    // The kind comes from the option name, not from the filter.
    {Good, {{L"sbsf", L"null"}}, Is(&T::Fsubtitle_bitstream_filters, TBitstreamFilterChain{"null"})},
    Refused(Bad, {{L"sbsf", L" nosuch "}}, L"Unknown bitstream filter nosuch"),
    {Good, {{L"apre", L"@audio.ffpreset"}}, [](const T& t) { return t.FOptions.avcodec_opts[1]->sample_rate == 22050; }},
    Refused(Bad, {{L"apre", L"missing"}}, L"Preset \"missing\" not found"),
    {Good, {{L"spre", L"@subtitle.ffpreset"}}, Text(&T::Fsubtitle_codec_name, "mov_text")},
    // "ass-fast" is neither built in nor a file.
    Refused(Bad, {{L"scodec", L"ass"}, {L"spre", L"fast"}}, L"Preset \"fast\" not found"),
    {Good, {{L"fpre", L"@video.ffpreset"}},
     [](const T& t) { return Text(&T::Fvideo_codec_name, "mpeg4")(t) && t.FOptions.avcodec_opts[0]->gop_size == 12; }},
    // A file only, never the built-in table.
    Refused(Bad, {{L"fpre", L"libx264-default"}}, L"Preset \"libx264-default\" not found"),
    Refused(Bad, {{L"fpre", L"@junk.ffpreset"}}, L"@junk.ffpreset: Invalid syntax: \"junk\""),
};

std::string NameOf(const TNameCase& ACase) { return WideToUtf8(ACase.Options.back().first); }

void PrintTo(const TNameCase& c, std::ostream* os) { *os << NameOf(c); }

class OptionNames : public TranscodeFixture, public ::testing::WithParamInterface<TNameCase> {
protected:
    void SetUp() override {
        TranscodeFixture::SetUp();
        if (IsSkipped()) return;
        FSavedLevel = logger.LogLevel();
        logger.SetLogLevel(llInfo);
        logger.SetOnLog([this](TObject*, uint32_t, TLogLevel l, const std::wstring& m) {
            lines.emplace_back(l, m);
            if (l <= llError) errors.push_back(m);
        });
        WriteFile(L"audio.ffpreset", "ar=22050\n");
        WriteFile(L"subtitle.ffpreset", "scodec=mov_text\n");
        WriteFile(L"video.ffpreset", "vcodec=mpeg4\r\ng=12\r\n");
        WriteFile(L"junk.ffpreset", "g=12\njunk\n");
    }
    void TearDown() override {
        logger.SetOnLog(nullptr);
        logger.SetLogLevel(FSavedLevel);
        TranscodeFixture::TearDown();
    }
    void WriteFile(const std::wstring& AName, const std::string& AText) {
        if (FILE* f = _wfopen((folder + AName).c_str(), L"wb")) {
            std::fwrite(AText.data(), 1, AText.size(), f);
            std::fclose(f);
        }
    }
    std::wstring InFolder(const std::wstring& AText) const {
        return !AText.empty() && AText[0] == FolderMark ? folder + AText.substr(1) : AText;
    }
    // Runs the option list on a task with the test clip open (640x480).
    std::wstring Run(TCustomFFmpeg& AT, const TOptionList& AOptions) {
        try {
            for (const auto& [n, v] : AOptions) {
                if (n == OpenIn) {
                    if (!AT.OpenInput(media().Mp4)) return L"input: " + AT.LastErrMsg();
                } else if (n == OpenOut) {
                    if (AT.OpenOutput(folder + v) < 0) return L"output: " + AT.LastErrMsg();
                } else {
                    AT.ParseOption(n, InFolder(v));
                }
            }
        } catch (const EEngineError& e) {
            return e.Message();
        }
        return L"";
    }

    std::vector<std::pair<TLogLevel, std::wstring>> lines;

private:
    TLogLevel FSavedLevel = llInfo;
};

TEST_P(OptionNames, StoreRefuseOrLog) {
    const TNameCase& c = GetParam();
    TCustomFFmpeg t(4);
    t.InitOptions();
    ASSERT_TRUE(t.OpenInput(media().Mp4)) << U8(t.LastErrMsg());
    const std::wstring error = Run(t, c.Options);
    if (!c.Error.empty()) {
        EXPECT_EQ(error, InFolder(c.Error));
        return;
    }
    EXPECT_EQ(error, L"");
    if (c.Check) {
        EXPECT_TRUE(c.Check(t));
    }
    if (!c.Logged.empty()) {
        const auto line = std::make_pair(c.Level, c.Logged);
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << "not logged: " << U8(c.Logged);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, OptionNames, ::testing::ValuesIn(NameCases), [](const auto& info) {
    // "<name>_Good" or "<name>_Bad", numbered from the second of a kind.
    const TNameCase& c = info.param;
    int same = 0;
    for (size_t i = 0; i < info.index; ++i) same += NameOf(NameCases[i]) == NameOf(c) && NameCases[i].Half == c.Half;
    return NameOf(c) + (c.Half == Good ? "_Good" : "_Bad") + (same ? std::to_string(same + 1) : "");
});

TEST(OptionNameTable, EveryDispatchNameHasAGoodAndABadRowUnlessItTakesNoValue) {
    const std::set<std::string> names(std::begin(DispatchOrder), std::end(DispatchOrder));
    EXPECT_EQ(std::size(DispatchOrder), 114u);
    EXPECT_EQ(names.size(), 114u) << "a name is listed twice";
    std::set<std::string> good = GoodInOptionsTest, bad = BadInOptionsTest;
    for (const TNameCase& c : NameCases) {
        EXPECT_TRUE(names.count(NameOf(c))) << NameOf(c) << " is not a dispatched name";
        const bool accepted = c.Check || !c.Logged.empty();
        EXPECT_NE(accepted, !c.Error.empty()) << NameOf(c) << ": a row checks an effect or a refusal, not both";
        (c.Half == Good ? good : bad).insert(NameOf(c));
    }
    for (const char* name : DispatchOrder) {
        EXPECT_TRUE(good.count(name)) << name << " has no row with a good value";
        if (TakesNoValue.count(name)) {
            EXPECT_FALSE(bad.count(name)) << name << " has no wrong value to test";
        } else {
            EXPECT_TRUE(bad.count(name)) << name << " has no row with a bad or odd value";
        }
    }
}

}  // namespace
