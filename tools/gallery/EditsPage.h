#pragma once
// The gallery page of the button edit (normal, hot, button hot, button
// pressed, disabled), the list box with its caption buttons and the office
// drop-down open with a highlighted row (..._edits.png).
#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "skin/bsSkinData.h"

void DrawEditsPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page);
