#pragma once
// The output format catalogue behind the category list and the format list
// of the main window: the 25 categories the category list offers, the
// formats of each category with their titles and description lines, the
// catalogue key and the selection key, the output extension a format's title
// names, and the filter list of the open-file dialogs.
//
// All of it is constant data; every function may be called from any thread.

#include <span>
#include <string>

namespace formats {

// One entry of the format list.
struct TFormatEntry {
    int Key;               // catalogue key: (category code + 1) * 100 + position
    const wchar_t* Title;  // first line, always ends in the manner of "(*.mp4)"
    const wchar_t* Caption;  // the description line under the title
};

// One entry of the category list.
struct TCategory {
    const wchar_t* Caption;
    int Code;  // category code, also the picture index of the entry and its formats
    std::span<const TFormatEntry> Formats;  // in format-list order
};

constexpr int CategoryCount = 25;      // entries of the category list
constexpr int CategoryCodeCount = 35;  // pictures per image list (codes 0..34)

// The category list, by position 0..24.
std::span<const TCategory> Categories();

// Category code of a category-list position; -1 outside 0..24.
int CategoryCode(int position);

// (category code + 1) * 100 + format position. A format position of -1 (no
// format selected) gives a key that no table holds. -1 when the category
// position has no code.
int CatalogueKey(int categoryPosition, int formatPosition);

// (category position + 1) * 100 + format position: what a queue row keeps to
// restore both lists. -1 when the category position is outside 0..24.
int SelectionKey(int categoryPosition, int formatPosition);

// Splits a selection key back into the two list positions; false when the
// key names no format of the catalogue.
bool SplitSelectionKey(int selectionKey, int& categoryPosition, int& formatPosition);

// The format of a catalogue key; nullptr for a key the catalogue lacks.
const TFormatEntry* FindFormat(int key);

// The extension a title names, with its dot: the four characters before the
// title's last character, with "lac)" -> ".alac", "flac" -> ".flac",
// "aiff" -> ".aiff", "mpeg" -> ".mpeg", "*.rm" -> ".rm", "*.ra" -> ".ra".
// Empty for a title shorter than five characters.
std::wstring TitleExtension(const std::wstring& title);

// The Filter text of the open-file dialogs (description|pattern pairs).
std::wstring OpenDialogFilter();

}  // namespace formats
