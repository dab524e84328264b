#pragma once
// The gallery's second page of every look: report view with its skinned
// bars and header, page controls with tabs on several sides, labels,
// bevels and a splitter.
#include "platform/Forms.h"
#include "skin/bsSkinData.h"

void DrawViewsPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page, int w, int h);
