#include "app/LegacySettings.h"

namespace legacy {

TLegacyProcedures::TLegacyProcedures(TLegacyViews views, TMainWindowFields fields,
                                     std::function<TPresetSources()> sources)
    : FViews(views), FFields(fields), FSources(std::move(sources)) {}

int TLegacyProcedures::SelectedKey() const {
    return CatalogueKey(FViews.Categories.ItemIndex(), FViews.Formats.ItemIndex());
}

void TLegacyProcedures::FillFormats() {
    FillFormatList(FViews.Formats, FViews.Categories.ItemIndex());
}

int TLegacyProcedures::FillOptions() {
    return FillOptionLists(FViews.Options, FViews.Categories.ItemIndex(),
                           FViews.Formats.ItemIndex(), FFields);
}

bool TLegacyProcedures::ApplyPresets() {
    const TPresetSources sources = FSources ? FSources() : TPresetSources();
    return ApplyPreset(SelectedKey(), sources, FFields);
}

void TLegacyProcedures::ReadBack() {
    std::array<std::wstring, 6> shown;
    for (TOptionList list : formats::FillOrder)
        shown[static_cast<int>(list)] = FViews.Options.ShownText(list);
    legacy::ReadBack(shown, FFields.Settings);
}

void TLegacyProcedures::Reset() { ResetFields(FFields.Settings); }

}  // namespace legacy
