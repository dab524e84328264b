#include "skin/bsSkinValues.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

// Splits a comma list into at least `need` signed integers. A field keeps
// its digits and a sign that comes before them; other characters are
// ignored, so "1, 2" reads as "1,2".
void ParseFields(const String& s, int need, int* out) {
    int field = 0;
    String buf;
    auto store = [&] {
        if (field < need) out[field] = StrToInt(buf);
        ++field;
        buf.clear();
    };
    for (wchar_t c : s) {
        if (c == L',') {
            store();
            if (field >= need) return;
        } else if (c >= L'0' && c <= L'9') {
            buf += c;
        } else if ((c == L'-' || c == L'+') && buf.empty()) {
            buf += c;
        }
    }
    store();
    if (field < need) throw EConvertError(L"'" + s + L"' has too few numbers");
}

template <class E, size_t N>
E WordToEnum(const String& word, const wchar_t* const (&words)[N], E def) {
    for (size_t i = 0; i < N; ++i)
        if (word == words[i]) return static_cast<E>(i);
    return def;
}

const wchar_t* const kStretchWords[] = {L"stfull", L"sthorz", L"stvert"};
const wchar_t* const kMorphWords[] = {L"mkdefault",      L"mkgradient",  L"mkleftgradient", L"mkrightgradient",
                                      L"mkleftslide",    L"mkrightslide", L"mkpush"};
const wchar_t* const kInActiveWords[] = {L"iebrightness", L"iedarkness",  L"iegrayscale",
                                         L"ienoise",      L"iesplitblur", L"ieinvert"};
const wchar_t* const kAlignWords[] = {L"taleftjustify", L"tarightjustify", L"tacenter"};
const wchar_t* const kCommandWords[] = {L"cmclose",   L"cmmaximize", L"cmminimize",      L"cmsysmenu",
                                        L"cmdefault", L"cmrollup",   L"cmminimizetotray"};

template <size_t N>
const wchar_t* WordOf(int v, const wchar_t* const (&words)[N]) {
    return v >= 0 && static_cast<size_t>(v) < N ? words[v] : words[0];
}

}  // namespace

TPoint ParsePointValue(const String& s) {
    int f[2];
    ParseFields(s, 2, f);
    return TPoint(f[0], f[1]);
}

TRect ParseRectValue(const String& s) {
    int f[4];
    ParseFields(s, 4, f);
    return TRect(f[0], f[1], f[2], f[3]);
}

String PointToText(const TPoint& p) { return IntToStr(p.x) + L"," + IntToStr(p.y); }

String RectToText(const TRect& r) {
    return IntToStr(r.left) + L"," + IntToStr(r.top) + L"," + IntToStr(r.right) + L"," + IntToStr(r.bottom);
}

bool TryParseSkinInt(const String& text, int& value) {
    const String s = Trim(text);
    int64_t v;
    if (!TryStrToInt64(s, v)) return false;
    const bool hex = !s.empty() && (s[0] == L'$' || (s.size() >= 3 && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X')));
    if (hex && v >= 0 && v <= 0xFFFFFFFFLL) {
        value = static_cast<int>(static_cast<uint32_t>(v));
        return true;
    }
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

int ReadIntValue(TCustomIniFile* ini, const String& section, const String& key, int def) {
    int v;
    return TryParseSkinInt(ini->ReadString(section, key, String()), v) ? v : def;
}

TRect ReadRectValue(TCustomIniFile* ini, const String& section, const String& key) {
    return ParseRectValue(ini->ReadString(section, key, L"0,0,0,0"));
}

TPoint ReadPointValue(TCustomIniFile* ini, const String& section, const String& key) {
    return ParsePointValue(ini->ReadString(section, key, L"0,0"));
}

bool ReadBoolValue(TCustomIniFile* ini, const String& section, const String& key) {
    return ReadIntValue(ini, section, key, 0) == 1;
}

TFontStyles ReadFontStylesValue(TCustomIniFile* ini, const String& section, const String& key) {
    const String s = ini->ReadString(section, key, String());
    TFontStyles styles = 0;
    if (s.find(L"fsbold") != String::npos) styles |= fsBold;
    if (s.find(L"fsitalic") != String::npos) styles |= fsItalic;
    if (s.find(L"fsunderline") != String::npos) styles |= fsUnderline;
    if (s.find(L"fsstrikeout") != String::npos) styles |= fsStrikeOut;
    return styles;
}

std::vector<int> NumberedKeys(TCustomIniFile* ini, const String& section, int count) {
    std::vector<int> found;
    if (count <= 0) return found;
    TStringList keys;
    ini->ReadSection(section, &keys);
    for (int k = 0; k < keys.Count(); ++k) {
        const String& key = keys[k];
        // Only the plain decimal form names an entry: "07" or "+7" is not key 7.
        if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == L'0')) continue;
        int64_t n = 0;
        bool digits = true;
        for (wchar_t ch : key) {
            if (ch < L'0' || ch > L'9') {
                digits = false;
                break;
            }
            n = n * 10 + (ch - L'0');
        }
        if (digits && n < count) found.push_back(static_cast<int>(n));
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

void ReadStringsValue(TCustomIniFile* ini, const String& section, const String& key, TStrings* list) {
    const std::vector<int> present = NumberedKeys(ini, section, ReadIntValue(ini, section, key + L"count", 0));
    if (present.empty()) return;
    for (int i = 0; i <= present.back(); ++i) list->Add(ini->ReadString(section, IntToStr(i), String()));
}

TAlignment ReadAlignmentValue(TCustomIniFile* ini, const String& section, const String& key) {
    return WordToEnum(ini->ReadString(section, key, L"tacenter"), kAlignWords, taCenter);
}

TbsStretchType ReadStretchTypeValue(TCustomIniFile* ini, const String& section, const String& key) {
    return WordToEnum(ini->ReadString(section, key, L"stfull"), kStretchWords, bsstFull);
}

TbsMorphKind ReadMorphKindValue(TCustomIniFile* ini, const String& section, const String& key) {
    return WordToEnum(ini->ReadString(section, key, L"mkdefault"), kMorphWords, mkDefault);
}

TbsInActiveEffect ReadInActiveEffectValue(TCustomIniFile* ini, const String& section, const String& key) {
    return WordToEnum(ini->ReadString(section, key, L"iebrightness"), kInActiveWords, ieBrightness);
}

TbsStdCommand ReadStdCommandValue(TCustomIniFile* ini, const String& section, const String& key) {
    return WordToEnum(ini->ReadString(section, key, L"cmdefault"), kCommandWords, cmDefault);
}

void WriteIntValue(TCustomIniFile* ini, const String& section, const String& key, int value) {
    ini->WriteString(section, key, IntToStr(value));
}

void WriteRectValue(TCustomIniFile* ini, const String& section, const String& key, const TRect& value) {
    ini->WriteString(section, key, RectToText(value));
}

void WritePointValue(TCustomIniFile* ini, const String& section, const String& key, const TPoint& value) {
    ini->WriteString(section, key, PointToText(value));
}

void WriteBoolValue(TCustomIniFile* ini, const String& section, const String& key, bool value) {
    ini->WriteString(section, key, value ? L"1" : L"0");
}

void WriteFontStylesValue(TCustomIniFile* ini, const String& section, const String& key, TFontStyles value) {
    String s;
    const std::pair<TFontStyle, const wchar_t*> words[] = {
        {fsBold, L"fsbold"}, {fsItalic, L"fsitalic"}, {fsUnderline, L"fsunderline"}, {fsStrikeOut, L"fsstrikeout"}};
    for (const auto& [style, word] : words) {
        if (!(value & style)) continue;
        if (!s.empty()) s += L",";
        s += word;
    }
    ini->WriteString(section, key, s);
}

void WriteStringsValue(TCustomIniFile* ini, const String& section, const String& key, const TStrings* list) {
    WriteIntValue(ini, section, key + L"count", list->Count());
    for (int i = 0; i < list->Count(); ++i) ini->WriteString(section, IntToStr(i), list->Get(i));
}

void WriteAlignmentValue(TCustomIniFile* ini, const String& section, const String& key, TAlignment value) {
    ini->WriteString(section, key, AlignmentWord(value));
}

void WriteStretchTypeValue(TCustomIniFile* ini, const String& section, const String& key, TbsStretchType value) {
    ini->WriteString(section, key, StretchTypeWord(value));
}

void WriteMorphKindValue(TCustomIniFile* ini, const String& section, const String& key, TbsMorphKind value) {
    ini->WriteString(section, key, MorphKindWord(value));
}

void WriteInActiveEffectValue(TCustomIniFile* ini, const String& section, const String& key,
                              TbsInActiveEffect value) {
    ini->WriteString(section, key, InActiveEffectWord(value));
}

void WriteStdCommandValue(TCustomIniFile* ini, const String& section, const String& key, TbsStdCommand value) {
    ini->WriteString(section, key, StdCommandWord(value));
}

const wchar_t* StretchTypeWord(TbsStretchType v) { return WordOf(v, kStretchWords); }
const wchar_t* MorphKindWord(TbsMorphKind v) { return WordOf(v, kMorphWords); }
const wchar_t* InActiveEffectWord(TbsInActiveEffect v) { return WordOf(v, kInActiveWords); }
const wchar_t* AlignmentWord(TAlignment v) { return WordOf(v, kAlignWords); }
const wchar_t* StdCommandWord(TbsStdCommand v) { return WordOf(v, kCommandWords); }

bool IsSkinFile(TCustomIniFile* ini) {
    for (const wchar_t* s : {bsSections::Version, bsSections::Pictures, bsSections::FormInfo,
                             bsSections::SkinObjects, bsSections::SkinControls})
        if (!ini->SectionExists(s)) return false;
    return true;
}
