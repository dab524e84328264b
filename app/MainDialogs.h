#pragma once
// The dialogs and shell calls of the main window and its dialogs, one
// function each (the window holds them as replaceable members, which is how
// the tests drive it): the skinned select-folder dialog, the skinned skin
// dialog and opening a file, folder or address with the shell.
//
// Threads: UI thread only.

#include "platform/Forms.h"

class TbsCompressedSkinList;
class TbsSkinData;

namespace maindialogs {

// Shows the skinned select-folder dialog (drawn from store) titled title,
// starting at dir when that folder exists. Returns true on OK and only then
// sets dir to the choice.
bool SelectFolder(TbsSkinData* store, const String& title, String& dir);

// Shows the skinned skin dialog: the skins of list with current chosen
// and a live preview, its controls drawn from store. Returns
// true on OK with selected set to the chosen index; false on cancel or
// without a list (selected -1).
bool SelectSkin(TbsCompressedSkinList* list, TbsSkinData* store, int current, int& selected);

// Opens target with the shell's default action, shown normally. A failure
// is returned as false (nothing is shown).
bool OpenWithShell(const String& target);

}  // namespace maindialogs
