#pragma once
// The per-format option lists: the 70 labelled lists of entry texts, the
// table of rows (one per offered catalogue key: a labelled list and a
// default position for each of the six option lists, and whether the four
// video lists are switched off), and the procedure that fills the main
// window's six option lists for the chosen format.
//
// Threads: the tables are constant. FillOptionLists drives the view it is
// given and runs on that view's thread (the UI thread for the main window).

#include <array>
#include <span>
#include <string>

namespace formats {

// The six option lists, in fill order.
enum class TOptionList { Resolution, VideoBitrate, FrameRate, AudioBitrate, SampleRate, Aspect };
constexpr int OptionListCount = 6;

// Order in which the lists are filled and their defaults selected.
inline constexpr std::array<TOptionList, 6> FillOrder = {
    TOptionList::Resolution, TOptionList::VideoBitrate, TOptionList::FrameRate,
    TOptionList::AudioBitrate, TOptionList::SampleRate, TOptionList::Aspect};
// Order of the pairs in the option code; the lists are emptied and enabled
// in this order too.
inline constexpr std::array<TOptionList, 6> CodeOrder = {
    TOptionList::Resolution, TOptionList::VideoBitrate, TOptionList::AudioBitrate,
    TOptionList::Aspect, TOptionList::FrameRate, TOptionList::SampleRate};
// The lists an audio-only format switches off, in the order they are disabled.
inline constexpr std::array<TOptionList, 4> VideoOrder = {
    TOptionList::Resolution, TOptionList::VideoBitrate, TOptionList::Aspect,
    TOptionList::FrameRate};

// Labels of the lists: R resolution, V video bit rate, F frame rate,
// A audio bit rate, S sample rate, P aspect.
enum TListLabel : unsigned char {
    R1, R2, R3, R4, R5, R6, R7, R8, R9, R10, R11, R12, R13, R14, R15, R16, R17, R18, R19, R20,
    R21, R22, R23, R24,
    V1, V2, V3, V4, V5, V6, V7, V8, V9, V10, V11, V12, V13, V14, V15, V16, V17, V18, V19, V20,
    V21, V22, V23, V24, V25, V26, V27,
    F1, F2, F3, F4, F5, F6, F7,
    A1, A2, A3, A4,
    S1, S2, S3, S4, S5,
    P1, P2, P3,
    ListLabelCount
};

struct TLabelledList {
    const wchar_t* Label;  // "R1", "V22", ...
    TOptionList List;
    std::span<const wchar_t* const> Entries;
};

struct TListChoice {
    TListLabel Label;
    int Default;  // zero-based position of the entry selected
};

struct TOptionRow {
    int Key;
    const wchar_t* Title;              // title of the format the row serves
    std::array<TListChoice, 6> Lists;  // in fill order
    bool VideoOff;                     // the four video lists are switched off
};

std::span<const TLabelledList> LabelledLists();  // indexed by TListLabel
const TLabelledList& LabelledList(TListLabel label);

// The 209 rows, in key order.
std::span<const TOptionRow> OptionRows();
// nullptr for a key without a row.
const TOptionRow* FindOptionRow(int key);

// The six option lists as the fill procedure drives them. Selecting an
// entry is expected to behave as the main window's lists do (a change of
// the shown text raises the list's change handler at once).
class IOptionListView {
public:
    virtual void ClearItems(TOptionList list) = 0;
    virtual void SetEnabled(TOptionList list, bool enabled) = 0;
    virtual void AddItem(TOptionList list, const std::wstring& text) = 0;
    virtual void SetItemIndex(TOptionList list, int index) = 0;

protected:
    ~IOptionListView() = default;
};

// Fills the six lists for the category and format positions: empties and
// enables them, then, when the key has a row, adds each list's entries and
// selects its default (list by list, in fill order), and at last disables
// the video lists of an audio-only row. Returns the catalogue key (to be
// stored in All_Trant_Number), or -1 for a category position without a
// code; for either a key without a row or no code the lists stay empty and
// enabled.
int FillOptionLists(IOptionListView& view, int categoryPosition, int formatPosition);

}  // namespace formats
