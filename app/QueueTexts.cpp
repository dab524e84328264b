#include "app/QueueTexts.h"

#include <cstdio>

#include "platform/SysUtils.h"

namespace queuetexts {

std::wstring SecToDate(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    const int64_t s = seconds % 60, m = (seconds / 60) % 60, h = seconds / 3600;
    wchar_t text[32];
    swprintf(text, 32, L"%02lld:%02lld:%02lld", static_cast<long long>(h), static_cast<long long>(m),
             static_cast<long long>(s));
    return text;
}

std::wstring SizeText(int64_t bytes) {
    const double megabytes = static_cast<double>(bytes) / 1024.0 / 1024.0;
    const double rounded = static_cast<double>(Round(megabytes * 100.0)) / 100.0;
    return FloatToStr(rounded) + L"MB";
}

bool ValidOutputStem(const std::wstring& stem) {
    if (stem.empty() || stem == L"." || stem == L"..") return false;
    for (wchar_t c : stem)
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    const wchar_t last = stem.back();
    return last != L'.' && last != L' ';
}

}  // namespace queuetexts
