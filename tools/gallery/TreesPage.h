#pragma once
// The gallery page of the skinned tree views (expanded nodes with pictures,
// the skinned bars beside them) and of the menu speed button with an images
// menu: idle, hot and dropped down with its grid open below it (store
// nullptr: the plain look).
#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "skin/bsSkinData.h"

void DrawTreesPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page, int w, int h);
