#pragma once
// Composes a part of a control record's picture to another size: the
// record's corner points and client rectangle, the right-hand ones moved by
// the width difference and the bottom ones by the height difference, with
// the record's stretch settings and the client drawn. The small buttons
// drawn from a borrowed "resizebutton" record (tool bar arrows, up/down
// buttons, tab close buttons) share it.
//
// Threads: UI thread only.

#include "platform/Graphics.h"
#include "skin/bsSkinRecords.h"

// B receives part of picture, composed to w x h. part is one of the
// record's faces (SkinRect or a state face of the same size).
void ComposeRecordFace(const TbsDataSkinCustomControl& rec, TBitmap* picture, const TRect& part, TBitmap* B, int w,
                       int h);
