#include "platform/SysUtils.h"

#include <cmath>
#include <cwchar>
#include <limits>

namespace {

std::string WideToMulti(UINT cp, const String& s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

String MultiToWide(UINT cp, const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    String out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

bool IsBlank(wchar_t c) { return c <= L' '; }

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Parses a whole integer in [-hi - 1, hi]; false on any other text.
bool ParseInteger(const String& text, int64_t hi, int64_t& out) {
    const String s = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) negative = s[i++] == L'-';
    int base = 10;
    if (i < s.size() && s[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    // Accumulate as unsigned so that the most negative value fits.
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        const int d = base == 16 ? HexDigit(s[i]) : (s[i] >= L'0' && s[i] <= L'9' ? s[i] - L'0' : -1);
        if (d < 0) return false;
        if (v > (UINT64_MAX - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base)) return false;
        v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    const uint64_t maxPositive = static_cast<uint64_t>(hi);
    const uint64_t maxNegative = maxPositive + 1;
    if (negative) {
        if (v > maxNegative) return false;
        out = v == 0 ? 0 : -static_cast<int64_t>(v - 1) - 1;
    } else if (v <= maxPositive) {
        out = static_cast<int64_t>(v);
    } else {
        // Hex forms may spell the type's full unsigned range ($FFFFFFFF = -1).
        if (base != 16 || v > maxPositive * 2 + 1) return false;
        out = maxPositive == INT32_MAX ? static_cast<int32_t>(static_cast<uint32_t>(v)) : static_cast<int64_t>(v);
    }
    return true;
}

[[noreturn]] void InvalidInteger(const String& s) {
    throw EConvertError(L"'" + s + L"' is not a valid integer value");
}

}  // namespace

Exception::Exception(String message) : message_(std::move(message)), utf8_(Utf8Encode(message_)) {}

void RaiseLastOSError() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String msg = text ? Trim(text) : String();
    if (text) LocalFree(text);
    throw EOSError(L"System Error.  Code: " + IntToStr(code) + L".\n" + msg);
}

// ---- numbers ---------------------------------------------------------------------

String IntToStr(int64_t value) { return std::to_wstring(value); }

String IntToHex(int64_t value, int digits) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%0*llX", digits, static_cast<unsigned long long>(value));
    return buf;
}

bool TryStrToInt64(const String& s, int64_t& value) {
    return ParseInteger(s, std::numeric_limits<int64_t>::max(), value);
}

bool TryStrToInt(const String& s, int& value) {
    int64_t v;
    if (!ParseInteger(s, std::numeric_limits<int32_t>::max(), v)) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(const String& s) {
    int v;
    if (!TryStrToInt(s, v)) InvalidInteger(s);
    return v;
}

int64_t StrToInt64(const String& s) {
    int64_t v;
    if (!TryStrToInt64(s, v)) InvalidInteger(s);
    return v;
}

int StrToIntDef(const String& s, int def) {
    int v;
    return TryStrToInt(s, v) ? v : def;
}

const TFormatSettings& FormatSettings() {
    static const TFormatSettings settings = [] {
        TFormatSettings fs;
        wchar_t buf[8];
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) > 1) fs.DecimalSeparator = buf[0];
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, 8) > 1) fs.ThousandSeparator = buf[0];
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, buf, 8) > 1) fs.TimeSeparator = buf[0];
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDATE, buf, 8) > 1) fs.DateSeparator = buf[0];
        return fs;
    }();
    return settings;
}

String FloatToStr(double value) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.15g", value);
    String s = buf;
    for (auto& c : s)
        if (c == L'.') c = FormatSettings().DecimalSeparator;
    return s;
}

bool TryStrToFloat(const String& text, double& value) {
    String s = Trim(text);
    if (s.empty()) return false;
    for (auto& c : s) {
        if (c == FormatSettings().DecimalSeparator) c = L'.';
        if (c > 127) return false;
    }
    std::string a(s.begin(), s.end());
    char* end = nullptr;
    const double v = std::strtod(a.c_str(), &end);
    if (end != a.c_str() + a.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

double StrToFloat(const String& s) {
    double v;
    if (!TryStrToFloat(s, v)) throw EConvertError(L"'" + s + L"' is not a valid floating point value");
    return v;
}

double StrToFloatDef(const String& s, double def) {
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

int64_t Round(double value) {
    const double f = std::floor(value);
    const double diff = value - f;
    double r = f;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(f, 2.0) != 0.0)) r = f + 1.0;
    return static_cast<int64_t>(r);
}

int64_t Trunc(double value) { return static_cast<int64_t>(value); }

// ---- formatting --------------------------------------------------------------------

namespace {

struct Directive {
    int index = -1;
    bool left = false;
    int width = -1;
    int precision = -1;
    wchar_t type = 0;
};

class Formatter {
public:
    Formatter(const String& fmt, const std::vector<TVarRec>& args) : fmt_(fmt), args_(args) {}

    String Run() {
        String out;
        size_t i = 0;
        while (i < fmt_.size()) {
            if (fmt_[i] != L'%') {
                out += fmt_[i++];
                continue;
            }
            ++i;
            if (i < fmt_.size() && fmt_[i] == L'%') {
                out += L'%';
                ++i;
                continue;
            }
            Directive d = Parse(i);
            out += Pad(Render(d), d);
        }
        return out;
    }

private:
    [[noreturn]] void Fail() const { throw EConvertError(L"Format '" + fmt_ + L"' invalid or incompatible with argument"); }

    int Number(size_t& i) {
        if (i < fmt_.size() && fmt_[i] == L'*') {
            ++i;
            return static_cast<int>(Int(Next()));
        }
        int v = -1;
        while (i < fmt_.size() && fmt_[i] >= L'0' && fmt_[i] <= L'9') v = (v < 0 ? 0 : v * 10) + (fmt_[i++] - L'0');
        return v;
    }

    Directive Parse(size_t& i) {
        Directive d;
        int n = Number(i);
        if (i < fmt_.size() && fmt_[i] == L':') {
            d.index = n < 0 ? 0 : n;
            next_ = static_cast<size_t>(d.index);
            ++i;
            n = -1;
        }
        if (n < 0) {
            if (i < fmt_.size() && fmt_[i] == L'-') {
                d.left = true;
                ++i;
            }
            n = Number(i);
        }
        d.width = n;
        if (i < fmt_.size() && fmt_[i] == L'.') {
            ++i;
            d.precision = Number(i);
            if (d.precision < 0) d.precision = 0;
        }
        if (i >= fmt_.size()) Fail();
        d.type = fmt_[i++];
        return d;
    }

    const TVarRec& Next() {
        if (next_ >= args_.size()) Fail();
        return args_[next_++];
    }

    int64_t Int(const TVarRec& v) const {
        if (!std::holds_alternative<int64_t>(v)) Fail();
        return std::get<int64_t>(v);
    }

    double Float(const TVarRec& v) const {
        if (std::holds_alternative<double>(v)) return std::get<double>(v);
        if (std::holds_alternative<int64_t>(v)) return static_cast<double>(std::get<int64_t>(v));
        Fail();
    }

    String Render(const Directive& d) {
        const TVarRec& v = Next();
        wchar_t buf[400];
        const int prec = d.precision;
        switch (towlower(d.type)) {
        case L'd': {
            String s = IntToStr(std::llabs(Int(v)));
            if (prec > static_cast<int>(s.size())) s.insert(0, static_cast<size_t>(prec) - s.size(), L'0');
            return Int(v) < 0 ? L"-" + s : s;
        }
        case L'u':
            return std::to_wstring(static_cast<uint32_t>(Int(v)));
        case L'x': {
            String s = IntToHex(Int(v), prec < 0 ? 0 : prec);
            if (Int(v) >= 0 && Int(v) <= 0xFFFFFFFFll) {
                // Values of 32 bits print without the sign extension.
                std::swprintf(buf, 400, L"%0*X", prec < 0 ? 0 : prec, static_cast<unsigned>(Int(v)));
                s = buf;
            }
            return d.type == L'x' ? LowerCase(s) : s;
        }
        case L'p':
            std::swprintf(buf, 400, L"%08X", static_cast<unsigned>(Int(v)));
            return buf;
        case L's': {
            if (!std::holds_alternative<String>(v)) Fail();
            const String& s = std::get<String>(v);
            return prec >= 0 && static_cast<size_t>(prec) < s.size() ? s.substr(0, static_cast<size_t>(prec)) : s;
        }
        case L'f':
        case L'e':
        case L'g':
        case L'n':
            return Fixed(Float(v), d);
        default:
            Fail();
        }
    }

    String Fixed(double x, const Directive& d) {
        wchar_t buf[400];
        const wchar_t t = static_cast<wchar_t>(towlower(d.type));
        int prec = d.precision;
        if (t == L'g') std::swprintf(buf, 400, L"%.*g", prec < 0 ? 15 : (prec == 0 ? 1 : prec), x);
        else if (t == L'e') std::swprintf(buf, 400, L"%.*E", prec < 0 ? 15 : prec, x);
        else std::swprintf(buf, 400, L"%.*f", prec < 0 ? 2 : prec, x);
        String s = buf;
        const size_t dot = s.find(L'.');
        if (dot != String::npos) s[dot] = FormatSettings().DecimalSeparator;
        if (t == L'n') {
            const size_t end = dot == String::npos ? s.size() : dot;
            const size_t start = (s[0] == L'-') ? 1 : 0;
            for (size_t p = end; p > start + 3; p -= 3) s.insert(p - 3, 1, FormatSettings().ThousandSeparator);
        }
        return s;
    }

    static String Pad(const String& s, const Directive& d) {
        if (d.width <= static_cast<int>(s.size())) return s;
        const String fill(static_cast<size_t>(d.width) - s.size(), L' ');
        return d.left ? s + fill : fill + s;
    }

    const String& fmt_;
    const std::vector<TVarRec>& args_;
    size_t next_ = 0;
};

}  // namespace

String FormatV(const String& fmt, const std::vector<TVarRec>& args) { return Formatter(fmt, args).Run(); }

// ---- text ------------------------------------------------------------------------

String TrimLeft(const String& s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

String TrimRight(const String& s) {
    size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return s.substr(0, n);
}

String Trim(const String& s) { return TrimLeft(TrimRight(s)); }

String UpperCase(const String& s) {
    String r = s;
    for (auto& c : r)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    return r;
}

String LowerCase(const String& s) {
    String r = s;
    for (auto& c : r)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    return r;
}

String AnsiUpperCase(const String& s) {
    String r = s;
    if (!r.empty()) CharUpperBuffW(r.data(), static_cast<DWORD>(r.size()));
    return r;
}

String AnsiLowerCase(const String& s) {
    String r = s;
    if (!r.empty()) CharLowerBuffW(r.data(), static_cast<DWORD>(r.size()));
    return r;
}

int CompareText(const String& a, const String& b) {
    const String x = UpperCase(a), y = UpperCase(b);
    return x < y ? -1 : (x == y ? 0 : 1);
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int AnsiCompareText(const String& a, const String& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
}

int AnsiCompareStr(const String& a, const String& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
}

String StringReplace(const String& s, const String& from, const String& to, int flags) {
    if (from.empty()) return s;
    const String hay = (flags & rfIgnoreCase) ? AnsiUpperCase(s) : s;
    const String needle = (flags & rfIgnoreCase) ? AnsiUpperCase(from) : from;
    String out;
    size_t pos = 0;
    for (;;) {
        const size_t hit = hay.find(needle, pos);
        if (hit == String::npos) break;
        out += s.substr(pos, hit - pos) + to;
        pos = hit + from.size();
        if (!(flags & rfReplaceAll)) break;
    }
    return out + s.substr(pos);
}

std::string Utf8Encode(const String& s) { return WideToMulti(CP_UTF8, s); }
String Utf8Decode(const std::string& s) { return MultiToWide(CP_UTF8, s); }
std::string AnsiEncode(const String& s) { return WideToMulti(CP_ACP, s); }
String AnsiDecode(const std::string& s) { return MultiToWide(CP_ACP, s); }

// ---- files -----------------------------------------------------------------------

bool FileExists(const String& name) {
    const DWORD a = GetFileAttributesW(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& name) {
    const DWORD a = GetFileAttributesW(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const String& dir) {
    const String d = ExcludeTrailingPathDelimiter(dir);
    if (d.empty()) return false;
    if (DirectoryExists(d)) return true;
    const String parent = ExtractFileDir(d);
    // A drive ("C:") or a share root ends the walk.
    if (parent.empty() || parent == d) return false;
    if (parent.size() > 2 || parent[1] != L':') {
        if (!ForceDirectories(parent)) return false;
    }
    return CreateDirectoryW(d.c_str(), nullptr) || DirectoryExists(d);
}

namespace {
size_t LastDelimiter(const String& name) { return name.find_last_of(L"\\/:"); }
}  // namespace

String ExtractFilePath(const String& name) {
    const size_t p = LastDelimiter(name);
    return p == String::npos ? String() : name.substr(0, p + 1);
}

String ExtractFileDir(const String& name) {
    const size_t p = LastDelimiter(name);
    if (p == String::npos) return {};
    // Keep the delimiter of a root ("C:\") and of a drive ("C:").
    if (p > 0 && (name[p] == L'\\' || name[p] == L'/') && name[p - 1] != L':' && name[p - 1] != L'\\')
        return name.substr(0, p);
    return name.substr(0, p + 1);
}

String ExtractFileName(const String& name) {
    const size_t p = LastDelimiter(name);
    return p == String::npos ? name : name.substr(p + 1);
}

String ExtractFileExt(const String& name) {
    const size_t p = name.find_last_of(L".\\/:");
    return p != String::npos && name[p] == L'.' ? name.substr(p) : String();
}

String ExtractFileDrive(const String& name) {
    if (name.size() >= 2 && name[1] == L':') return name.substr(0, 2);
    if (name.size() >= 2 && name[0] == L'\\' && name[1] == L'\\') {
        // "\\server\share": up to the separator after the share name.
        const size_t server = name.find(L'\\', 2);
        if (server == String::npos) return name;
        const size_t share = name.find(L'\\', server + 1);
        return share == String::npos ? name : name.substr(0, share);
    }
    return {};
}

String ChangeFileExt(const String& name, const String& ext) {
    const size_t p = name.find_last_of(L".\\/:");
    if (p != String::npos && name[p] == L'.') return name.substr(0, p) + ext;
    return name + ext;
}

String IncludeTrailingPathDelimiter(const String& s) {
    return !s.empty() && s.back() == L'\\' ? s : s + L"\\";
}

String ExcludeTrailingPathDelimiter(const String& s) {
    String r = s;
    while (r.size() > 1 && (r.back() == L'\\' || r.back() == L'/') && !(r.size() == 3 && r[1] == L':')) r.pop_back();
    return r;
}

String ParamStr0() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) return String(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

// ---- masks -----------------------------------------------------------------------

namespace {

wchar_t Fold(wchar_t c) {
    wchar_t s[2] = {c, 0};
    CharUpperBuffW(s, 1);
    return s[0];
}

// Matches a "[...]" set at mask[m] against c; advances m past the set.
bool MatchSet(const String& mask, size_t& m, wchar_t c) {
    size_t i = m + 1;
    bool negate = false;
    if (i < mask.size() && mask[i] == L'!') {
        negate = true;
        ++i;
    }
    bool hit = false;
    bool first = true;
    for (; i < mask.size() && (first || mask[i] != L']'); ++i) {
        first = false;
        wchar_t lo = Fold(mask[i]), hi = lo;
        if (i + 2 < mask.size() && mask[i + 1] == L'-' && mask[i + 2] != L']') {
            hi = Fold(mask[i + 2]);
            i += 2;
        }
        if (c >= lo && c <= hi) hit = true;
    }
    if (i >= mask.size()) throw EConvertError(L"'" + mask + L"' is an invalid mask");
    m = i + 1;
    return hit != negate;
}

bool MatchFrom(const String& name, size_t n, const String& mask, size_t m) {
    while (m < mask.size()) {
        const wchar_t mc = mask[m];
        if (mc == L'*') {
            while (m < mask.size() && mask[m] == L'*') ++m;
            if (m == mask.size()) return true;
            for (size_t k = n; k <= name.size(); ++k)
                if (MatchFrom(name, k, mask, m)) return true;
            return false;
        }
        if (n >= name.size()) return false;
        if (mc == L'?') {
            ++m;
        } else if (mc == L'[') {
            if (!MatchSet(mask, m, Fold(name[n]))) return false;
        } else {
            if (Fold(mc) != Fold(name[n])) return false;
            ++m;
        }
        ++n;
    }
    return n == name.size();
}

}  // namespace

bool MatchesMask(const String& name, const String& mask) { return MatchFrom(name, 0, mask, 0); }
