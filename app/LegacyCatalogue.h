#pragma once
// The format catalogue of the legacy settings window: its twelve categories
// (positions 0..11, the same as the main window's category codes), the 109
// formats with title, description line and picture index, the catalogue key,
// and the procedure that fills the window's format list for a category.
//
// Texts equal to the main window's entry of the same key are not stored
// twice: such a field holds SharedText and the accessors hand out the main
// catalogue's text.
//
// Threads: the tables are constant and may be read from any thread.
// FillFormatList drives the list it is given and runs on that list's thread
// (the UI thread for the window).

#include <span>
#include <string>

namespace legacy {

// Value of a text field meaning "the main window's text of the same key".
inline constexpr const wchar_t* SharedText = nullptr;

// One entry of the format list as stored.
struct TLegacyFormat {
    int Key;               // catalogue key: (category position + 1) * 100 + position
    const wchar_t* Title;  // SharedText or the title, ending in the manner of "(*.avi)"
    const wchar_t* Caption;  // SharedText or the description line
    int ImageIndex;        // kept in the item; the format list draws no picture
};

struct TLegacyCategory {
    const wchar_t* Caption;  // "常用视频", ...; the entry's picture index is its position
    std::span<const TLegacyFormat> Formats;  // in format-list order
};

constexpr int CategoryCount = 12;
constexpr int FormatCount = 109;

// The category list, by position 0..11.
std::span<const TLegacyCategory> Categories();

// (category position + 1) * 100 + format position, computed as it stands:
// an empty selection (-1) gives a key that no table holds (99 for category 0
// without a format).
int CatalogueKey(int categoryPosition, int formatPosition);

// The stored entry of a key; nullptr for a key the catalogue lacks.
const TLegacyFormat* FindFormat(int key);

// The texts shown for an entry, shared ones resolved.
std::wstring FormatTitle(const TLegacyFormat& format);
std::wstring FormatCaption(const TLegacyFormat& format);

// The format list as the fill drives it (an office combo box or a stand-in).
class IFormatListView {
public:
    virtual void ClearItems() = 0;
    // Adds an item and sets its title, description and picture index.
    virtual void AddItem(const std::wstring& title, const std::wstring& caption,
                         int imageIndex) = 0;
    // Redraws the list (Refresh, then Repaint).
    virtual void Redraw() = 0;
    // Selects an entry; the list raises its click event on every call, also
    // when the selection stays the same or the list is empty.
    virtual void SetItemIndex(int index) = 0;
    // The selected position; -1 for none.
    virtual int ItemIndex() const = 0;

protected:
    ~IFormatListView() = default;
};

// Fills the format list for a category position: clears and redraws it,
// adds the category's formats in order and redraws it again (no entries for
// a position outside 0..11), then selects entry 0 in every case.
void FillFormatList(IFormatListView& view, int categoryPosition);

}  // namespace legacy
