#pragma once
// The option lists of the legacy settings window: its 50 named choice lists
// (a list-name map of its own over the pool of entry texts the main window's
// lists keep: a list equal to one of the main window's is that list), its
// 109 option rows (one per catalogue key: a list and a default for each of
// the six option lists, and whether the format has video), and the
// procedure that fills the six lists for the chosen format.
//
// The same list name means different entries in the two windows: the
// legacy R5 is the main window's R11.
//
// Threads: the tables are constant. FillOptionLists drives the view it is
// given and writes the main window's fields; it runs on the UI thread.

#include <array>
#include <span>
#include <string>

#include "app/EncoderPresets.h"
#include "app/OptionLists.h"

namespace legacy {

using formats::TOptionList;

// Names of the window's lists: R resolution, V video bit rate, F frame
// rate, A audio bit rate, S sample rate, M aspect mode.
enum TLegacyListName : unsigned char {
    R1, R2, R3, R4, R5, R6, R7, R8, R9, R10, R11, R12, R13, R14, R15, R16, R17, R18, R19,
    V1, V2, V3, V4, V5, V6, V7, V8, V9, V10,
    F1, F2, F3, F4, F5, F6, F7,
    A1, A2, A3, A4, A5, A6,
    S1, S2, S3, S4, S5,
    M1, M2, M3,
    LegacyListCount
};

// Value of TLegacyListSource::Shared for a list the main window lacks.
inline constexpr formats::TListLabel NotShared = formats::ListLabelCount;

// How a name is stored: the main window's list with the same entries, or
// entries of its own.
struct TLegacyListSource {
    const wchar_t* Name;  // "R5", ...
    TOptionList List;
    formats::TListLabel Shared;  // NotShared: Own holds the entries
    std::span<const wchar_t* const> Own;
};

// A list as the window uses it.
struct TLegacyList {
    const wchar_t* Name;
    TOptionList List;
    std::span<const wchar_t* const> Entries;
};

std::span<const TLegacyListSource> ListSources();  // indexed by TLegacyListName
TLegacyList LegacyList(TLegacyListName name);

struct TLegacyChoice {
    TLegacyListName List;
    int Default;  // zero-based position of the entry selected
};

struct TLegacyOptionRow {
    int Key;
    std::array<TLegacyChoice, 6> Lists;  // in formats::FillOrder
    bool VideoOff;                       // no video: the four video lists are disabled
};

// The 109 rows, in key order; nullptr for a key without a row.
std::span<const TLegacyOptionRow> OptionRows();
const TLegacyOptionRow* FindOptionRow(int key);

// The main window's fields the legacy window writes, reached through Form1.
struct TMainWindowFields {
    int& All_Trant_Number;
    formats::TFormatSettings& Settings;  // the Video_ fields
};

// Fills the six lists for the category and format positions: empties and
// enables them (in formats::CodeOrder), stores the catalogue key into
// All_Trant_Number and clears Video_DisableVideo, then, when the key has a
// row, adds each list's entries and selects its default, list by list in
// formats::FillOrder, and at last disables the video lists of a no-video
// row (in formats::VideoOrder). A key without a row leaves the lists empty
// and enabled. Returns the key.
int FillOptionLists(formats::IOptionListView& view, int categoryPosition, int formatPosition,
                    const TMainWindowFields& fields);

}  // namespace legacy
