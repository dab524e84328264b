#pragma once
// The gallery page of the skinned menu bar and popup menus: the bar with a
// pressed item, a two-level chain with marks, shortcuts, a line, a header
// band and a disabled entry, and a level that scrolls (store nullptr: the
// plain look).
#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "skin/bsSkinData.h"

void DrawMenusPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page, int w, int h);
