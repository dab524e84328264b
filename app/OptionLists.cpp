#include "app/OptionLists.h"

#include "app/FormatCatalogue.h"
#include "app/FormatTables.h"

namespace formats {

std::span<const TLabelledList> LabelledLists() { return kLabelledLists; }

const TLabelledList& LabelledList(TListLabel label) { return kLabelledLists[label]; }

std::span<const TOptionRow> OptionRows() {
    return {kOptionRows, static_cast<std::size_t>(kOptionRowCount)};
}

const TOptionRow* FindOptionRow(int key) { return FindByKey(OptionRows(), key); }

int FillOptionLists(IOptionListView& view, int categoryPosition, int formatPosition) {
    for (TOptionList list : CodeOrder) view.ClearItems(list);
    for (TOptionList list : CodeOrder) view.SetEnabled(list, true);

    const int key = CatalogueKey(categoryPosition, formatPosition);
    const TOptionRow* row = key < 0 ? nullptr : FindOptionRow(key);
    if (!row) return key;

    for (std::size_t i = 0; i < FillOrder.size(); ++i) {
        const TListChoice& choice = row->Lists[i];
        for (const wchar_t* entry : LabelledList(choice.Label).Entries)
            view.AddItem(FillOrder[i], entry);
        view.SetItemIndex(FillOrder[i], choice.Default);
    }
    if (row->VideoOff) {
        for (TOptionList list : VideoOrder) view.SetEnabled(list, false);
    }
    return key;
}

}  // namespace formats
