#pragma once
// The gallery page of the skinned lists, combo boxes, edits, up/down
// buttons and link label (store nullptr: the plain look).
#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "skin/bsSkinData.h"

void DrawBoxesPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page);
