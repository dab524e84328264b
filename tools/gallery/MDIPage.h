#pragma once
// The gallery page of an MDI main form with two children in one look
// (store nullptr: the plain look): the skinned client window, the menu bar
// and the tab bar; then the same form with a child maximized (its buttons
// on the menu bar, its name in the main caption). The form is made the
// application's main form for the page, so the application must have none.
#include "platform/Bitmap.h"
#include "skin/bsSkinData.h"

void DrawMDIPage(TbsSkinData* store, const String& title, TBitmap& page);
