#pragma once
// The gallery page of the skinned hint, the layered outer border, the MDI
// tab bar and the images menu grid (store nullptr: the plain look).
#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "skin/bsSkinData.h"

void DrawFrameExtrasPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page, int w, int h);
