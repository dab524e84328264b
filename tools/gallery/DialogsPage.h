#pragma once
// The gallery pictures of the skinned dialogs: the skin selection, open,
// open-picture and select-folder dialogs and the message dialog as they
// show, in the first main skin and in the plain look
// (dialog_<look>_<name>.png).
#include "platform/SysUtils.h"
#include "skin/bsCompressedSkins.h"

void DrawDialogPages(const String& dir, TbsCompressedSkinList* skins);

class TForm;
class TbsSkinData;

// One page of a look with the framed options, message, open and skin
// dialogs as they show (<look>_dialogs.png), so their caption buttons can be
// judged side by side. `options` (the program's options dialog, shown and
// hidden again) may be null; `store` null or empty gives the plain look.
void DrawDialogsSheet(TForm* options, TbsSkinData* store, TbsCompressedSkinList* skins, int skinIndex,
                      const String& title, const String& file);
