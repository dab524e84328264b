#include "app/LegacyOptionLists.h"

#include "app/LegacyCatalogue.h"
#include "app/LegacyTables.h"
#include "app/FormatTables.h"

namespace legacy {

std::span<const TLegacyListSource> ListSources() { return kLegacyListSources; }

TLegacyList LegacyList(TLegacyListName name) {
    const TLegacyListSource& source = kLegacyListSources[name];
    const std::span<const wchar_t* const> entries =
        source.Shared == NotShared ? source.Own : formats::LabelledList(source.Shared).Entries;
    return {source.Name, source.List, entries};
}

std::span<const TLegacyOptionRow> OptionRows() {
    return {kLegacyOptionRows, static_cast<std::size_t>(kLegacyOptionRowCount)};
}

const TLegacyOptionRow* FindOptionRow(int key) { return formats::FindByKey(OptionRows(), key); }

int FillOptionLists(formats::IOptionListView& view, int categoryPosition, int formatPosition,
                    const TMainWindowFields& fields) {
    for (TOptionList list : formats::CodeOrder) view.ClearItems(list);
    for (TOptionList list : formats::CodeOrder) view.SetEnabled(list, true);

    const int key = CatalogueKey(categoryPosition, formatPosition);
    fields.All_Trant_Number = key;
    fields.Settings.Video_DisableVideo = false;

    const TLegacyOptionRow* row = FindOptionRow(key);
    if (!row) return key;
    for (std::size_t i = 0; i < formats::FillOrder.size(); ++i) {
        const TLegacyChoice& choice = row->Lists[i];
        for (const wchar_t* entry : LegacyList(choice.List).Entries)
            view.AddItem(formats::FillOrder[i], entry);
        view.SetItemIndex(formats::FillOrder[i], choice.Default);
    }
    if (row->VideoOff) {
        for (TOptionList list : formats::VideoOrder) view.SetEnabled(list, false);
    }
    return key;
}

}  // namespace legacy
