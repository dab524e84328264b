// The built-in libx264 presets: each is kept in the layout it was tuned in
// (the default entry and the changes of the others) and translated key by key
// into generic and libx264-private option names when it is looked up.
#include "Src/FFmpegPresets.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "Src/AVCodecStubs.h"
#include "Src/FFmpeg.h"
#include "Src/FFUtils.h"

namespace {

using TLine = std::pair<std::string, std::string>;
using TLines = std::vector<TLine>;

struct TPresetEntry {
    const char* Name;
    bool Only;                                  // the lines are the whole preset
    std::vector<const char*> Lines;             // "key=value": replacing the default's line of that key
    std::vector<const char*> Without;           // default keys left out
    const char* AddedAfterFlags2 = nullptr;     // a line inserted after "flags2"
};

const char* const DefaultLines[] = {
    "coder=1", "flags=+loop", "cmp=+chroma", "partitions=+parti8x8+parti4x4+partp8x8+partb8x8", "me_method=hex", "subq=7",
    "me_range=16", "g=250", "keyint_min=25", "sc_threshold=40", "i_qfactor=0.71", "b_strategy=1", "qcomp=0.6", "qmin=10",
    "qmax=51", "qdiff=4", "bf=3", "refs=3", "directpred=1", "trellis=1", "flags2=+mixed_refs+wpred+dct8x8+fastpskip", "wpredp=2"};

#define FIRSTPASS_PARTS "partitions=-parti8x8-parti4x4-partp8x8-partb8x8", "me_method=dia"
#define ALL_PARTS "partitions=+parti8x8+parti4x4+partp8x8+partp4x4+partb8x8"
#define LOSSLESS_PARTS "partitions=+parti8x8+parti4x4+partp8x8+partp4x4-partb8x8"

const TPresetEntry Presets[] = {
    {"libx264-baseline", true, {"coder=0", "bf=0", "flags2=-wpred-dct8x8", "wpredp=0"}, {}},
    {"libx264-default", false, {}, {}},
    {"libx264-fast", false, {"subq=6", "refs=2", "flags2=+bpyramid+mixed_refs+wpred+dct8x8+fastpskip"}, {}},
    {"libx264-fast_firstpass", false,
     {FIRSTPASS_PARTS, "subq=2", "refs=1", "trellis=0", "flags2=+bpyramid-mixed_refs+wpred-dct8x8+fastpskip"}, {}},
    {"libx264-faster", false, {"subq=4", "refs=2", "flags2=+bpyramid-mixed_refs+wpred+dct8x8+fastpskip", "wpredp=1"}, {}},
    {"libx264-faster_firstpass", false,
     {FIRSTPASS_PARTS, "subq=2", "refs=1", "trellis=0", "flags2=+bpyramid-mixed_refs+wpred-dct8x8+fastpskip", "wpredp=1"}, {}},
    {"libx264-fastfirstpass", false,
     {"partitions=-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8", "me_method=dia", "subq=2", "refs=1", "directpred=3",
      "trellis=0", "flags2=-bpyramid-wpred-mixed_refs-dct8x8+fastpskip", "wpredp=2"},
     {}},
    {"libx264-hq", false,
     {"me_method=umh", "subq=8", "b_strategy=2", "refs=4", "directpred=3", "flags2=+wpred+mixed_refs+dct8x8+fastpskip"}, {}},
    {"libx264-ipod320", true,
     {"coder=0", "bf=0", "flags2=-wpred-dct8x8", "level=13", "maxrate=768000", "bufsize=3000000", "wpredp=0"}, {}},
    {"libx264-ipod640", true,
     {"coder=0", "bf=0", "refs=1", "flags2=-wpred-dct8x8", "level=30", "maxrate=10000000", "bufsize=10000000", "wpredp=0"}, {}},
    {"libx264-lossless_fast", false,
     {"coder=0", "partitions=-parti8x8+parti4x4+partp8x8-partp4x4-partb8x8", "subq=3", "flags2=+fastpskip", "wpredp=0"},
     {"bf", "refs", "trellis"}, "cqp=0"},
    {"libx264-lossless_max", false,
     {LOSSLESS_PARTS, "me_method=esa", "subq=8", "refs=16", "flags2=+mixed_refs+dct8x8+fastpskip"}, {"bf", "trellis"}, "cqp=0"},
    {"libx264-lossless_medium", false,
     {"partitions=-parti8x8+parti4x4+partp8x8+partp4x4-partb8x8", "subq=5", "flags2=+fastpskip"}, {"bf", "refs", "trellis"}, "cqp=0"},
    {"libx264-lossless_slow", false,
     {LOSSLESS_PARTS, "me_method=umh", "subq=6", "refs=2", "flags2=+dct8x8+fastpskip"}, {"bf", "trellis"}, "cqp=0"},
    {"libx264-lossless_slower", false,
     {LOSSLESS_PARTS, "me_method=umh", "subq=8", "refs=4", "flags2=+mixed_refs+dct8x8+fastpskip"}, {"bf", "trellis"}, "cqp=0"},
    {"libx264-lossless_ultrafast", false,
     {"coder=0", "partitions=-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8", "me_method=dia", "subq=0", "flags2=+fastpskip"},
     {"bf", "refs", "trellis", "wpredp"}, "cqp=0"},
    {"libx264-main", true, {"flags2=-dct8x8"}, {}},
    {"libx264-max", false,
     {ALL_PARTS, "me_method=tesa", "subq=10", "me_range=24", "b_strategy=2", "refs=16", "directpred=3", "trellis=2",
      "flags2=+wpred+mixed_refs+dct8x8-fastpskip"},
     {}},
    {"libx264-medium", false, {"flags2=+bpyramid+mixed_refs+wpred+dct8x8+fastpskip"}, {}},
    {"libx264-medium_firstpass", false,
     {FIRSTPASS_PARTS, "subq=2", "refs=1", "trellis=0", "flags2=+bpyramid-mixed_refs+wpred-dct8x8+fastpskip"}, {}},
    {"libx264-normal", false, {"subq=6", "refs=2", "directpred=3", "trellis=0", "flags2=+wpred+dct8x8+fastpskip"}, {}},
    {"libx264-placebo", false,
     {ALL_PARTS, "me_method=tesa", "subq=10", "me_range=24", "b_strategy=2", "bf=16", "refs=16", "directpred=3", "trellis=2",
      "flags2=+bpyramid+mixed_refs+wpred+dct8x8-fastpskip"},
     {}},
    {"libx264-placebo_firstpass", false,
     {ALL_PARTS, "me_method=tesa", "subq=10", "me_range=24", "b_strategy=2", "bf=16", "refs=16", "directpred=3", "trellis=2",
      "flags2=+bpyramid+mixed_refs+wpred+dct8x8-fastpskip"},
     {}},
    {"libx264-slow", false,
     {"me_method=umh", "subq=8", "b_strategy=2", "refs=5", "directpred=3", "flags2=+bpyramid+mixed_refs+wpred+dct8x8+fastpskip"}, {}},
    {"libx264-slow_firstpass", false,
     {FIRSTPASS_PARTS, "subq=2", "b_strategy=2", "refs=1", "directpred=3", "trellis=0",
      "flags2=+bpyramid-mixed_refs+wpred-dct8x8+fastpskip"},
     {}},
    {"libx264-slower", false,
     {ALL_PARTS, "me_method=umh", "subq=9", "b_strategy=2", "refs=8", "directpred=3", "trellis=2",
      "flags2=+bpyramid+mixed_refs+wpred+dct8x8+fastpskip"},
     {}},
    {"libx264-slower_firstpass", false,
     {FIRSTPASS_PARTS, "subq=2", "b_strategy=2", "refs=1", "directpred=3", "trellis=0",
      "flags2=+bpyramid-mixed_refs+wpred-dct8x8+fastpskip"},
     {}},
    {"libx264-slowfirstpass", false,
     {"subq=6", "b_strategy=2", "refs=1", "directpred=3", "trellis=0", "flags2=+wpred+dct8x8+fastpskip"}, {}},
    {"libx264-superfast", false,
     {"partitions=+parti8x8+parti4x4-partp8x8-partb8x8", "me_method=dia", "subq=1", "refs=1", "trellis=0",
      "flags2=+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree", "wpredp=0"},
     {}},
    {"libx264-superfast_firstpass", false,
     {FIRSTPASS_PARTS, "subq=1", "refs=1", "trellis=0", "flags2=+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree", "wpredp=0"}, {}},
    {"libx264-ultrafast", false,
     {"coder=0", "flags=-loop", FIRSTPASS_PARTS, "subq=0", "sc_threshold=0", "b_strategy=0", "bf=0", "refs=1", "trellis=0",
      "flags2=-bpyramid-mixed_refs-wpred-dct8x8+fastpskip-mbtree", "wpredp=0"},
     {}},
    {"libx264-ultrafast_firstpass", false,
     {"coder=0", "flags=-loop", FIRSTPASS_PARTS, "subq=0", "sc_threshold=0", "b_strategy=0", "bf=0", "refs=1", "trellis=0",
      "flags2=-bpyramid-mixed_refs-wpred-dct8x8+fastpskip-mbtree", "wpredp=0"},
     {}},
    {"libx264-veryfast", false,
     {"subq=2", "refs=1", "trellis=0", "flags2=+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree", "wpredp=0"}, {}},
    {"libx264-veryfast_firstpass", false,
     {FIRSTPASS_PARTS, "subq=2", "refs=1", "trellis=0", "flags2=+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree", "wpredp=0"}, {}},
    {"libx264-veryslow", false,
     {ALL_PARTS, "me_method=umh", "subq=10", "me_range=24", "b_strategy=2", "bf=8", "refs=16", "directpred=3", "trellis=2",
      "flags2=+bpyramid+mixed_refs+wpred+dct8x8+fastpskip"},
     {}},
    {"libx264-veryslow_firstpass", false,
     {FIRSTPASS_PARTS, "subq=2", "me_range=24", "b_strategy=2", "bf=8", "refs=1", "directpred=3", "trellis=0",
      "flags2=+bpyramid-mixed_refs+wpred-dct8x8+fastpskip"},
     {}},
};

#undef FIRSTPASS_PARTS
#undef ALL_PARTS
#undef LOSSLESS_PARTS

TLine Split(const char* ALine) {
    const char* eq = std::strchr(ALine, '=');
    return {std::string(ALine, eq), std::string(eq + 1)};
}

bool SameText(const std::string& A, const std::string& B) {
    return A.size() == B.size() &&
           std::equal(A.begin(), A.end(), B.begin(), [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

// The entry's lines in the old naming.
TLines EntryLines(const TPresetEntry& AEntry) {
    TLines lines;
    if (AEntry.Only) {
        for (const char* l : AEntry.Lines) lines.push_back(Split(l));
        return lines;
    }
    for (const char* d : DefaultLines) {
        TLine line = Split(d);
        if (std::any_of(AEntry.Without.begin(), AEntry.Without.end(), [&](const char* k) { return line.first == k; })) continue;
        for (const char* l : AEntry.Lines)
            if (Split(l).first == line.first) line = Split(l);
        lines.push_back(line);
        if (line.first == "flags2" && AEntry.AddedAfterFlags2) lines.push_back(Split(AEntry.AddedAfterFlags2));
    }
    return lines;
}

// "+a-b+c" as (name, on) pairs.
std::vector<std::pair<std::string, bool>> FlagTokens(const std::string& AValue) {
    std::vector<std::pair<std::string, bool>> tokens;
    size_t i = 0;
    while (i < AValue.size()) {
        const bool on = AValue[i] != '-';
        if (AValue[i] == '+' || AValue[i] == '-') ++i;
        const size_t next = AValue.find_first_of("+-", i);
        tokens.emplace_back(AValue.substr(i, next == std::string::npos ? std::string::npos : next - i), on);
        i = next == std::string::npos ? AValue.size() : next;
    }
    return tokens;
}

const char* Pick(const std::string& AValue, std::initializer_list<const char*> ANames) {
    const int index = std::atoi(AValue.c_str());
    return index >= 0 && index < static_cast<int>(ANames.size()) ? ANames.begin()[index] : nullptr;
}

TLines Partitions(const std::string& AValue) {
    static const std::pair<const char*, const char*> names[] = {
        {"parti8x8", "i8x8"}, {"parti4x4", "i4x4"}, {"partp8x8", "p8x8"}, {"partp4x4", "p4x4"}, {"partb8x8", "b8x8"}};
    std::string list;
    for (const auto& [flag, on] : FlagTokens(AValue))
        for (const auto& [old, now] : names)
            if (on && flag == old) {
                if (!list.empty()) list += ',';
                list += now;
            }
    return {{"partitions", list.empty() ? "none" : list}};
}

TLines Flags2(const std::string& AValue) {
    static const std::pair<const char*, const char*> names[] = {
        {"mixed_refs", "mixed-refs"}, {"wpred", "weightb"}, {"dct8x8", "8x8dct"}, {"fastpskip", "fast-pskip"}, {"mbtree", "mbtree"}};
    TLines lines;
    for (const auto& [flag, on] : FlagTokens(AValue)) {
        if (flag == "bpyramid") {
            lines.emplace_back("b-pyramid", on ? "normal" : "none");
            continue;
        }
        bool known = false;
        for (const auto& [old, now] : names)
            if (flag == old) {
                lines.emplace_back(now, on ? "1" : "0");
                known = true;
            }
        if (!known) lines.emplace_back("flags2", (on ? "+" : "-") + flag);
    }
    return lines;
}

TLines Named(const char* AKey, const char* AName, const std::string& AKeyOld, const std::string& AValue) {
    return AName ? TLines{{AKey, AName}} : TLines{{AKeyOld, AValue}};
}

}  // namespace

std::vector<std::pair<std::string, std::string>> TranslateX264Option(const std::string& AKey, const std::string& AValue) {
    if (AKey == "coder") return Named("coder", Pick(AValue, {"cavlc", "cabac"}), AKey, AValue);
    if (AKey == "me_method") return {{"motion-est", AValue}};
    if (AKey == "directpred") return Named("direct-pred", Pick(AValue, {"none", "spatial", "temporal", "auto"}), AKey, AValue);
    if (AKey == "wpredp") return Named("weightp", Pick(AValue, {"none", "simple", "smart"}), AKey, AValue);
    if (AKey == "cqp") return {{"qp", AValue}};
    if (AKey == "partitions") return Partitions(AValue);
    if (AKey == "flags2") return Flags2(AValue);
    return {{AKey, AValue}};
}

std::string FindBuiltinPreset(const std::string& AName) {
    for (const TPresetEntry& entry : Presets) {
        if (!SameText(entry.Name, AName)) continue;
        std::string text;
        for (const auto& [key, value] : EntryLines(entry))
            for (const auto& [k, v] : TranslateX264Option(key, value)) text += k + "=" + v + "\n";
        return text;
    }
    return {};
}

std::vector<std::string> BuiltinPresetNames() {
    std::vector<std::string> names;
    for (const TPresetEntry& entry : Presets) names.emplace_back(entry.Name);
    return names;
}

namespace {

std::wstring TrimWide(const std::wstring& AText) {
    const size_t first = AText.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) return {};
    return AText.substr(first, AText.find_last_not_of(L" \t\r\n") - first + 1);
}

// The whole file as text in the system's ANSI code page; false when it does
// not exist or cannot be read.
bool ReadPresetFile(const std::wstring& AFileName, std::wstring& AText) {
    HANDLE file = CreateFileW(AFileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    AText = AnsiToWide(bytes);
    return ok;
}

}  // namespace

void TCustomFFmpeg::LoadPreset(const std::string& AOpt, const std::wstring& AName) {
    if (AOpt.empty() || AName.empty()) return;
    std::wstring name = AName;
    std::wstring text;
    if (AOpt[0] != 'f') {
        text = Utf8ToWide(FindBuiltinPreset(WideToUtf8(AName)));
        const char* codec = AOpt[0] == 'v' ? Fvideo_codec_name : AOpt[0] == 'a' ? Faudio_codec_name : Fsubtitle_codec_name;
        if (text.empty() && codec) {
            name = AnsiToWide(codec) + L"-" + AName;
            text = Utf8ToWide(FindBuiltinPreset(WideToUtf8(name)));
        }
    }
    if (text.empty() && !ReadPresetFile(AName, text))
        throw FFmpegException(L"Preset \"" + AName + L"\" not found");
    ApplyPresetText(name, TrimWide(text));
}

void TCustomFFmpeg::ApplyPresetText(const std::wstring& AName, const std::wstring& AText) {
    size_t start = 0;
    while (start < AText.size()) {
        size_t end = AText.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = AText.size();
        const std::wstring line = TrimWide(AText.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        const size_t eq = line.find(L'=');
        const std::wstring key = eq == std::wstring::npos ? L"" : line.substr(0, eq);
        const std::wstring value = eq == std::wstring::npos ? L"" : line.substr(eq + 1);
        if (key.empty() || value.empty()) throw FFmpegException(AName + L": Invalid syntax: \"" + line + L"\"");
        std::wstring lower = key;
        for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
        if (lower == L"acodec" || lower == L"vcodec" || lower == L"scodec") {
            DispatchOption(lower, value);
        } else if (!SetOption(FOptions, WideToUtf8(key).c_str(), WideToUtf8(value).c_str())) {
            throw FFmpegException(AName + L": Invalid option or argument: \"" + line + L"\", parsed as \"" + key + L"\" = \"" + value + L"\"");
        }
    }
}

void TCustomFFmpeg::AddBitstreamFilter(const std::string& AOpt, const std::string& AValue) {
    if (AOpt.empty() || AValue.empty() || AValue[0] == '=') return;
    const std::string name = AValue.substr(0, AValue.find('='));
    if (!ff::av_bsf_get_by_name(name.c_str())) {
        const std::wstring v = TrimWide(Utf8ToWide(AValue));
        throw FFmpegException(L"Unknown bitstream filter " + v);
    }
    TBitstreamFilterChain& chain = AOpt[0] == 'v' ? Fvideo_bitstream_filters : AOpt[0] == 'a' ? Faudio_bitstream_filters : Fsubtitle_bitstream_filters;
    chain.push_back(name);
}
