#pragma once
// The gallery pictures of the skinned dialogs: the skin selection, open,
// open-picture and select-folder dialogs and the message dialog as they
// show, in the first main skin and in the plain look
// (dialog_<look>_<name>.png).
#include "platform/SysUtils.h"
#include "skin/bsCompressedSkins.h"

void DrawDialogPages(const String& dir, TbsCompressedSkinList* skins);
