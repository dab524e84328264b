#pragma once
// Pieces shared by the faces of buttons and combo boxes: nine-piece composition of
// a record's picture part at a new size, the button records with their
// fall-backs, marker pictures and the disabled text colour.
//
// Threads: UI thread only.

#include <initializer_list>

#include "platform/Bitmap.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinRecords.h"

// Corner points and client rectangle of a picture part; the right and
// bottom ones move with the size.
struct TbsNinePieces {
    TPoint lt, rt, lb, rb;
    TRect cl;
    bool left = false, top = false, right = false, bottom = false, stretch = false;
    TbsStretchType type = bsstFull;
};

// Composes part of pic into B at w x h (B is sized by the caller).
void bsComposeNine(const TbsNinePieces& n, TBitmap* pic, const TRect& part, TBitmap* B, int w, int h,
                   bool drawClient);
// The same with the record's corner points, client rectangle and stretch settings.
void bsComposeRecord(TbsDataSkinCustomControl* r, TBitmap* pic, const TRect& part, TBitmap* B, int w, int h,
                     bool drawClient);
// The first of the named records that the store has as a button record
// (nullptr: none, no store or an empty one).
TbsDataSkinButtonControl* bsFindButtonRecord(TbsSkinData* store, std::initializer_list<const wchar_t*> names);
// The store's picture of a record (nullptr when its index is not valid).
TBitmap* bsRecordPicture(TbsSkinData* store, TbsDataSkinControl* r);
// Cuts part from picture and draws it transparent in key, centred in area
// and dy lower. Nothing for an empty part or without a picture.
void bsDrawMarker(TCanvas* c, TBitmap* picture, const TRect& part, TColor key, const TRect& area, int dy);
// The disabled text colour: the "edit" record's, clGrayText unskinned or
// without that record.
TColor bsDisabledFontColor(TbsSkinData* store, bool skinned);
