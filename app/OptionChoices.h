#pragma once
// The six option choices turned into current-format settings, and the
// option code a queue row keeps of its choices: twelve digits, the
// zero-based positions chosen in the resolution, video bit rate, audio bit
// rate, aspect, frame rate and sample rate lists, two digits each.
//
// Threads: any; the functions touch only their arguments.

#include <array>
#include <string>

#include "app/EncoderPresets.h"
#include "app/OptionLists.h"

namespace formats {

// Sets the field of one option list from the list's shown text:
//   resolution  "保持原分辨率"/"该格式无视频" -> empty, "W*H" unchanged;
//   frame rate  "保持原帧速率"/"无视频" -> empty, "29.97"/"12" unchanged;
//   video bit rate  "无视频" -> -1000, "N kbps" -> N * 1000;
//   audio bit rate  "N kbps" -> N * 1000, a decimal N rounded ("4.75 kbps" -> 4750);
//   sample rate  the decimal text unchanged;
//   aspect  "保持原视频模式"/"无视频" -> empty, the four modes -> "4:3", "16:9",
//           "37:20", "47:20".
// Returns false, leaving the settings unchanged, for a text no list offers.
bool ApplyOptionText(TOptionList list, const std::wstring& text, TFormatSettings& settings);

// Reads all six shown texts (indexed by TOptionList) into the settings, in
// the order resolution, frame rate, video bit rate, sample rate, audio bit
// rate, aspect. Returns false when a text did not convert (that field kept).
bool ReadOptionChoices(const std::array<std::wstring, 6>& shownTexts, TFormatSettings& settings);

// Index (0..5) of a list's pair in the option code.
int OptionCodePair(TOptionList list);

// The option code of six positions (indexed by TOptionList), each 0..99.
std::wstring MakeOptionCode(const std::array<int, 6>& positions);

// The six positions of an option code (indexed by TOptionList); false for a
// text that is not twelve decimal digits.
bool ReadOptionCode(const std::wstring& code, std::array<int, 6>& positions);

// The code with one list's pair replaced by position (0..99), the other ten
// characters kept. A code that is not twelve characters long is first
// padded with "0" or cut to twelve.
std::wstring SetOptionCodePair(const std::wstring& code, TOptionList list, int position);

// Queue row sub-item that keeps a list's field (15 to 20), and the text
// written there.
int OptionRowSubItem(TOptionList list);
std::wstring OptionFieldText(TOptionList list, const TFormatSettings& settings);

// What a change of one list's choice does to the selected queue row: the
// row's new option code, and the sub-item with the text it gets.
struct TOptionRowUpdate {
    std::wstring OptionCode;
    int SubItem = -1;
    std::wstring Value;
};

// Runs a list's change for the selected row: replaces the list's pair of
// optionCode by position, converts the shown text into its field and says
// what the row gets. Returns false, changing nothing, for a text no list
// offers or a position outside 0..99.
bool OptionListChanged(TOptionList list, int position, const std::wstring& shownText,
                       const std::wstring& optionCode, TFormatSettings& settings,
                       TOptionRowUpdate& update);

}  // namespace formats
