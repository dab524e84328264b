#include "app/LegacyCatalogue.h"

#include "app/FormatCatalogue.h"
#include "app/LegacyTables.h"

namespace legacy {

namespace {

// The main catalogue's entry of a key whose texts are shared; the tables
// only mark texts as shared where that entry exists.
const formats::TFormatEntry& MainEntry(int key) { return *formats::FindFormat(key); }

}  // namespace

std::span<const TLegacyCategory> Categories() { return kLegacyCategories; }

int CatalogueKey(int categoryPosition, int formatPosition) {
    return (categoryPosition + 1) * 100 + formatPosition;
}

const TLegacyFormat* FindFormat(int key) {
    const int category = key / 100 - 1;
    const int position = key % 100;
    if (key < 100 || category >= CategoryCount) return nullptr;
    const std::span<const TLegacyFormat> formats = kLegacyCategories[category].Formats;
    return position < static_cast<int>(formats.size()) ? &formats[position] : nullptr;
}

std::wstring FormatTitle(const TLegacyFormat& format) {
    return format.Title != SharedText ? format.Title : MainEntry(format.Key).Title;
}

std::wstring FormatCaption(const TLegacyFormat& format) {
    return format.Caption != SharedText ? format.Caption : MainEntry(format.Key).Caption;
}

void FillFormatList(IFormatListView& view, int categoryPosition) {
    view.ClearItems();
    view.Redraw();
    if (categoryPosition >= 0 && categoryPosition < CategoryCount) {
        for (const TLegacyFormat& format : kLegacyCategories[categoryPosition].Formats)
            view.AddItem(FormatTitle(format), FormatCaption(format), format.ImageIndex);
        view.Redraw();
    }
    view.SetItemIndex(0);
}

}  // namespace legacy
