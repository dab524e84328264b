#pragma once
// Text, numbers, files and exceptions of the class library.
//
// Text is UTF-16 (String = std::wstring). Conversions to and from UTF-8 exist
// for the media-library boundary only. Every function here is thread-safe.

#include <windows.h>

#include <cstdint>
#include <exception>
#include <string>
#include <variant>
#include <vector>

using String = std::wstring;

// ---- exceptions --------------------------------------------------------------

class Exception : public std::exception {
public:
    explicit Exception(String message);
    const String& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    String message_;
    std::string utf8_;
};

#define VANTREL_EXCEPTION(Name, Base) \
    class Name : public Base {        \
    public:                           \
        using Base::Base;             \
    }

VANTREL_EXCEPTION(EConvertError, Exception);
VANTREL_EXCEPTION(EStreamError, Exception);
VANTREL_EXCEPTION(EReadError, EStreamError);
VANTREL_EXCEPTION(EWriteError, EStreamError);
VANTREL_EXCEPTION(EFOpenError, EStreamError);
VANTREL_EXCEPTION(EFCreateError, EStreamError);
VANTREL_EXCEPTION(EResNotFound, Exception);
VANTREL_EXCEPTION(EListError, Exception);
VANTREL_EXCEPTION(EStringListError, EListError);
VANTREL_EXCEPTION(EInvalidOperation, Exception);
VANTREL_EXCEPTION(EInvalidGraphic, Exception);
VANTREL_EXCEPTION(EOutOfResources, Exception);
VANTREL_EXCEPTION(EThread, Exception);
VANTREL_EXCEPTION(EOSError, Exception);

// Throws EOSError with the system's text for GetLastError().
[[noreturn]] void RaiseLastOSError();

// ---- formatting ----------------------------------------------------------------

// One argument of Format: an integer, a floating-point number or text.
using TVarRec = std::variant<int64_t, double, String>;

// Formats like printf with the directives %d %u %x %X %s %f %e %g %n %p and
// %%, each with optional "index:", "-", width and ".precision" (a "*" takes
// the width or precision from the arguments). Throws EConvertError for a
// malformed directive or a missing or mismatched argument.
String FormatV(const String& fmt, const std::vector<TVarRec>& args);

template <class T>
TVarRec ToVarRec(const T& v) {
    if constexpr (std::is_floating_point_v<T>) return static_cast<double>(v);
    else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) return static_cast<int64_t>(v);
    else return String(v);
}

template <class... Args>
String Format(const String& fmt, const Args&... args) {
    return FormatV(fmt, std::vector<TVarRec>{ToVarRec(args)...});
}

// ---- numbers ---------------------------------------------------------------------

String IntToStr(int64_t value);
String IntToHex(int64_t value, int digits);
// Accepts an optional sign and decimal digits, or "$"/"0x"/"0X" followed by
// hex digits, with surrounding blanks. Throws EConvertError otherwise or on
// overflow.
int StrToInt(const String& s);
int64_t StrToInt64(const String& s);
int StrToIntDef(const String& s, int def);
bool TryStrToInt(const String& s, int& value);
bool TryStrToInt64(const String& s, int64_t& value);

struct TFormatSettings {
    wchar_t DecimalSeparator = L'.';
    wchar_t ThousandSeparator = L',';
    wchar_t TimeSeparator = L':';
    wchar_t DateSeparator = L'/';
};
// The user's locale settings, read once.
const TFormatSettings& FormatSettings();

String FloatToStr(double value);
// Accepts "." or the locale's decimal separator. Throws EConvertError.
double StrToFloat(const String& s);
double StrToFloatDef(const String& s, double def);
bool TryStrToFloat(const String& s, double& value);

// Rounds to the nearest integer, ties to the even neighbour.
int64_t Round(double value);
// Truncates toward zero.
int64_t Trunc(double value);

// ---- text ------------------------------------------------------------------------

String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);
String UpperCase(const String& s);  // ASCII letters only
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);  // every letter, by the system
String AnsiLowerCase(const String& s);
int CompareText(const String& a, const String& b);  // case-insensitive, ordinal
bool SameText(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);  // case-insensitive, locale
int AnsiCompareStr(const String& a, const String& b);
enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
String StringReplace(const String& s, const String& from, const String& to, int flags);

std::string Utf8Encode(const String& s);
String Utf8Decode(const std::string& s);
// Text of the ANSI code page; unmappable characters become '?'.
std::string AnsiEncode(const String& s);
String AnsiDecode(const std::string& s);

// ---- files -----------------------------------------------------------------------

bool FileExists(const String& name);
bool DirectoryExists(const String& name);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const String& dir);
String ExtractFilePath(const String& name);  // with the trailing delimiter
String ExtractFileDir(const String& name);   // without it
String ExtractFileName(const String& name);
String ExtractFileExt(const String& name);  // with the dot
String ExtractFileDrive(const String& name);  // "C:" or the UNC server and share; empty when none
String ChangeFileExt(const String& name, const String& ext);
String IncludeTrailingPathDelimiter(const String& s);
String ExcludeTrailingPathDelimiter(const String& s);
// Full path of the running executable.
String ParamStr0();

// Case-insensitive file-mask match with "*", "?" and "[a-z]" / "[!a-z]" sets.
// Throws EConvertError for an unterminated set.
bool MatchesMask(const String& name, const String& mask);
