#include "Src/UnicodeProtocol.h"

#include <cstring>

#include "Src/MyUtils.h"

namespace {
const wchar_t KnownProtocols[] = L":unicode:stream:gopher:http:pipe:rtp:tcp:udp:";
const char UnicodeMarker[] = "unicode:utf8:";
constexpr size_t UnicodeMarkerLength = sizeof UnicodeMarker - 1;
}  // namespace

bool NeedsUnicodeName(const std::wstring& AName) {
    const auto colon = AName.find(L':');
    if (colon != std::wstring::npos) {
        const std::wstring protocol = L":" + AName.substr(0, colon) + L":";
        if (std::wstring(KnownProtocols).find(protocol) != std::wstring::npos) return false;
    }
    return AnsiToWide(WideToAnsi(AName)) != AName;
}

std::string ToLibFileName(const std::wstring& AName) {
    if (IsUnicodeName(WideToUtf8(AName).c_str())) return WideToUtf8(DecodeUnicodeName(WideToUtf8(AName).c_str()));
    return WideToUtf8(AName);
}

bool IsUnicodeName(const char* AName) {
    return AName && std::strlen(AName) > UnicodeMarkerLength &&
           std::strncmp(AName, UnicodeMarker, UnicodeMarkerLength) == 0;
}

std::wstring DecodeUnicodeName(const char* AName) {
    std::wstring name = Utf8ToWide(AName ? AName : "");
    std::wstring head;
    SplitAtFirst(name, L":", true, head);
    SplitAtFirst(name, L":", true, head);
    return name;
}

std::wstring FromLibFileName(const char* AName) {
    if (!AName) return {};
    if (IsUnicodeName(AName)) return DecodeUnicodeName(AName);
    const std::string bytes(AName);
    return IsValidUtf8(bytes) ? Utf8ToWide(bytes) : AnsiToWide(bytes);
}
