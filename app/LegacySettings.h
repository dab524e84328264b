#pragma once
// The procedures of the legacy settings window, apart from its controls:
// what the window's procedure buttons run, written against the small list
// interfaces its category list, format list and six option lists offer, and
// the main window's fields it writes.
//
//   Button2Click   FillFormats   the format list for the chosen category
//   Button18Click  FillOptions   the six option lists for the chosen format
//   Button5Click   ApplyPresets  the preset row and output name
//   Button13Click  ReadBack      the option lists' texts into the fields
//   Button6Click   Reset         the fields to their empty values
//
// The chain of the window's creation: FillFormats selects entry 0 of the
// format list, whose click event runs FillOptions (the window wires that).
//
// Threads: the UI thread only, like the lists it drives.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/LegacyCatalogue.h"
#include "app/LegacyOptionLists.h"
#include "app/LegacyPresets.h"

namespace legacy {

// The category list as the procedures read it.
class ICategoryList {
public:
    virtual int ItemIndex() const = 0;  // -1 for none

protected:
    ~ICategoryList() = default;
};

// The six option lists as the procedures drive and read them.
class IOptionLists : public formats::IOptionListView {
public:
    // The text the list shows: its selected entry's, empty without a selection.
    virtual std::wstring ShownText(TOptionList list) const = 0;

protected:
    ~IOptionLists() = default;
};

struct TLegacyViews {
    const ICategoryList& Categories;
    IFormatListView& Formats;
    IOptionLists& Options;
};

class TLegacyProcedures {
public:
    // sources is asked at each ApplyPresets for the main window's input file
    // and folder text and the options dialog's overwrite choice.
    TLegacyProcedures(TLegacyViews views, TMainWindowFields fields,
                      std::function<TPresetSources()> sources);

    // The catalogue key of the two lists' selections.
    int SelectedKey() const;

    void FillFormats();
    // Returns the key the lists were filled for.
    int FillOptions();
    // False when the chosen key has no preset row.
    bool ApplyPresets();
    // Raises EConvertError at the first list whose shown text does not
    // convert; that list's field and the later ones keep their values.
    void ReadBack();
    void Reset();

private:
    TLegacyViews FViews;
    TMainWindowFields FFields;
    std::function<TPresetSources()> FSources;
};

}  // namespace legacy
