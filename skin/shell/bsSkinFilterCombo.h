#pragma once
// TbsSkinFilterComboBox: a skinned combo box offering the entries of a
// file-type filter ("description|mask|description|mask...") and giving the
// mask of the chosen entry. The file dialogs set Filter, react to OnChange
// and read Mask; a linked file list (FileList) gets the chosen mask itself.
//
// Name map: MaskList = one mask per entry, parallel to Items.
//
// Threads: UI thread only.

#include <vector>

#include "skin/boxes/bsSkinComboBox.h"

class TbsSkinFileListBox;

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

    // The file list whose Mask follows this box, or null. Linking forgets
    // the previous list's link; a freed list unlinks itself.
    TbsSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TbsSkinFileListBox* v);

protected:
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation op) override;
    // Hands the chosen mask to the linked file list.
    void Change() override;

private:
    void RebuildFilterItems();

    String FFilter;
    TbsSkinFileListBox* FFileList = nullptr;
    std::vector<String> MaskList;
};
