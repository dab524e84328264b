#include "app/OptionChoices.h"

#include <climits>
#include <cwctype>
#include <optional>

namespace formats {

namespace {

const wchar_t kKeepSize[] = L"保持原分辨率";
const wchar_t kNoVideoSize[] = L"该格式无视频";
const wchar_t kKeepRate[] = L"保持原帧速率";
const wchar_t kKeepAspect[] = L"保持原视频模式";
const wchar_t kNoVideo[] = L"无视频";

struct TAspectMode {
    const wchar_t* Text;
    const wchar_t* Ratio;
};

const TAspectMode kAspectModes[] = {
    {kKeepAspect, L""},
    {kNoVideo, L""},
    {L"普通视频4:3模式", L"4:3"},
    {L"宽屏视频16:9模式", L"16:9"},
    {L"宽屏视频37:20模式", L"37:20"},
    {L"宽屏视频47:20模式", L"47:20"},
};

bool AllDigits(const std::wstring& text, std::size_t from, std::size_t to) {
    if (from >= to) return false;
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
    }
    return true;
}

bool IsWholeNumber(const std::wstring& text) { return AllDigits(text, 0, text.size()); }

// "640*480"
bool IsFrameSize(const std::wstring& text) {
    const auto star = text.find(L'*');
    return star != std::wstring::npos && AllDigits(text, 0, star) &&
           AllDigits(text, star + 1, text.size());
}

// "25", "29.97"
bool IsDecimal(const std::wstring& text) {
    const auto dot = text.find(L'.');
    if (dot == std::wstring::npos) return IsWholeNumber(text);
    return AllDigits(text, 0, dot) && AllDigits(text, dot + 1, text.size());
}

std::wstring Trim(const std::wstring& text) {
    std::size_t from = 0;
    std::size_t to = text.size();
    while (from < to && std::iswspace(text[from])) ++from;
    while (to > from && std::iswspace(text[to - 1])) --to;
    return text.substr(from, to - from);
}

// The number in front of the first "kbps" times 1000, rounded to whole bits
// per second; nullopt for any other text.
std::optional<int> KbpsToBits(const std::wstring& text, bool allowDecimal) {
    const auto unit = text.find(L"kbps");
    if (unit == std::wstring::npos || unit + 4 != text.size()) return std::nullopt;
    const std::wstring number = Trim(text.substr(0, unit));
    const auto dot = number.find(L'.');
    if (dot != std::wstring::npos && !allowDecimal) return std::nullopt;
    if (!IsDecimal(number)) return std::nullopt;
    const std::wstring whole = number.substr(0, dot);
    std::wstring fraction = dot == std::wstring::npos ? L"" : number.substr(dot + 1);
    if (whole.size() > 6) return std::nullopt;
    fraction.resize(4, L'0');
    // Thousandths of a kilobit are bits; the fourth decimal rounds.
    long long bits = std::stoll(whole) * 1000 + std::stoll(fraction.substr(0, 3));
    if (fraction[3] >= L'5') ++bits;
    return static_cast<int>(bits);
}

bool SetText(std::wstring& field, const std::wstring& value) {
    field = value;
    return true;
}

bool ApplyFrameSize(const std::wstring& text, TFormatSettings& s) {
    if (text == kKeepSize || text == kNoVideoSize) return SetText(s.Video_FrameSize, L"");
    return IsFrameSize(text) && SetText(s.Video_FrameSize, text);
}

bool ApplyFrameRate(const std::wstring& text, TFormatSettings& s) {
    if (text == kKeepRate || text == kNoVideo) return SetText(s.Video_FrameRate, L"");
    return IsDecimal(text) && SetText(s.Video_FrameRate, text);
}

bool ApplyBitrate(const std::wstring& text, bool audio, int& field) {
    if (!audio && text == kNoVideo) {
        field = -1000;
        return true;
    }
    const std::optional<int> bits = KbpsToBits(text, audio);
    if (bits) field = *bits;
    return bits.has_value();
}

bool ApplyAspect(const std::wstring& text, TFormatSettings& s) {
    for (const TAspectMode& mode : kAspectModes) {
        if (text == mode.Text) return SetText(s.Video_FrameAspectRatio, mode.Ratio);
    }
    return false;
}

std::wstring TwoDigits(int position) {
    return (position < 10 ? L"0" : L"") + std::to_wstring(position);
}

}  // namespace

bool ApplyOptionText(TOptionList list, const std::wstring& text, TFormatSettings& settings) {
    switch (list) {
    case TOptionList::Resolution: return ApplyFrameSize(text, settings);
    case TOptionList::FrameRate: return ApplyFrameRate(text, settings);
    case TOptionList::VideoBitrate: return ApplyBitrate(text, false, settings.Video_VideoBitrate);
    case TOptionList::AudioBitrate: return ApplyBitrate(text, true, settings.Video_AudioBitrate);
    case TOptionList::SampleRate:
        return IsWholeNumber(text) && SetText(settings.Video_AudioSampleRate, text);
    case TOptionList::Aspect: return ApplyAspect(text, settings);
    }
    return false;
}

bool ReadOptionChoices(const std::array<std::wstring, 6>& shownTexts, TFormatSettings& settings) {
    static constexpr TOptionList kReadOrder[] = {
        TOptionList::Resolution, TOptionList::FrameRate, TOptionList::VideoBitrate,
        TOptionList::SampleRate, TOptionList::AudioBitrate, TOptionList::Aspect};
    bool all = true;
    for (TOptionList list : kReadOrder) {
        if (!ApplyOptionText(list, shownTexts[static_cast<int>(list)], settings)) all = false;
    }
    return all;
}

int OptionCodePair(TOptionList list) {
    for (std::size_t i = 0; i < CodeOrder.size(); ++i) {
        if (CodeOrder[i] == list) return static_cast<int>(i);
    }
    return -1;
}

std::wstring MakeOptionCode(const std::array<int, 6>& positions) {
    std::wstring code;
    for (TOptionList list : CodeOrder) code += TwoDigits(positions[static_cast<int>(list)]);
    return code;
}

bool ReadOptionCode(const std::wstring& code, std::array<int, 6>& positions) {
    if (code.size() != 12 || !IsWholeNumber(code)) return false;
    for (TOptionList list : CodeOrder) {
        const int pair = OptionCodePair(list);
        positions[static_cast<int>(list)] = std::stoi(code.substr(pair * 2, 2));
    }
    return true;
}

std::wstring SetOptionCodePair(const std::wstring& code, TOptionList list, int position) {
    std::wstring result = code;
    result.resize(12, L'0');
    result.replace(OptionCodePair(list) * 2, 2, TwoDigits(position));
    return result;
}

int OptionRowSubItem(TOptionList list) {
    switch (list) {
    case TOptionList::Resolution: return 15;
    case TOptionList::VideoBitrate: return 16;
    case TOptionList::FrameRate: return 17;
    case TOptionList::AudioBitrate: return 18;
    case TOptionList::SampleRate: return 19;
    case TOptionList::Aspect: return 20;
    }
    return -1;
}

std::wstring OptionFieldText(TOptionList list, const TFormatSettings& s) {
    switch (list) {
    case TOptionList::Resolution: return s.Video_FrameSize;
    case TOptionList::VideoBitrate: return std::to_wstring(s.Video_VideoBitrate);
    case TOptionList::FrameRate: return s.Video_FrameRate;
    case TOptionList::AudioBitrate: return std::to_wstring(s.Video_AudioBitrate);
    case TOptionList::SampleRate: return s.Video_AudioSampleRate;
    case TOptionList::Aspect: return s.Video_FrameAspectRatio;
    }
    return std::wstring();
}

bool OptionListChanged(TOptionList list, int position, const std::wstring& shownText,
                       const std::wstring& optionCode, TFormatSettings& settings,
                       TOptionRowUpdate& update) {
    if (position < 0 || position > 99) return false;
    if (!ApplyOptionText(list, shownText, settings)) return false;
    update.OptionCode = SetOptionCodePair(optionCode, list, position);
    update.SubItem = OptionRowSubItem(list);
    update.Value = OptionFieldText(list, settings);
    return true;
}

}  // namespace formats
