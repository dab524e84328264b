#pragma once
// TbsSkinFilterComboBox: a skinned combo box offering the entries of a
// file-type filter ("description|mask|description|mask...") and giving the
// mask of the chosen entry. The file dialogs set Filter, react to OnChange
// and read Mask.
//
// Name map: MaskList = one mask per entry, parallel to Items.
//
// Threads: UI thread only.

#include <vector>

#include "skin/boxes/bsSkinComboBox.h"

class TbsSkinFilterComboBox : public TbsSkinComboBox {
public:
    explicit TbsSkinFilterComboBox(TComponent* owner);
    ~TbsSkinFilterComboBox() override;

    const String& Filter() const { return FFilter; }
    // Ignored when equal but for letter case; rebuilds the entries when the
    // window exists, then runs the change hook.
    void SetFilter(const String& v);
    // The mask of the selected entry (several patterns may be joined by
    // ";"); with nothing selected the last entry is selected first; "*.*"
    // without entries.
    String Mask();
    int MaskCount() const { return static_cast<int>(MaskList.size()); }

protected:
    void CreateWnd() override;

private:
    void RebuildFilterItems();

    String FFilter;
    std::vector<String> MaskList;
};
