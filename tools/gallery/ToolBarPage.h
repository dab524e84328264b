#pragma once
// The gallery page of the main window's "添加" menu button on a tool bar:
// normal, hot, pressed with its menu open, disabled (..._toolbar.png).
#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "skin/bsSkinData.h"

void DrawToolBarPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page);
