#include "skin/controls/bsSkinCtrlsButtonFace.h"

#include "skin/bsUtilsImages.h"

void ComposeRecordFace(const TbsDataSkinCustomControl& rec, TBitmap* picture, const TRect& part, TBitmap* B, int w,
                       int h) {
    const int dw = w - rec.SkinRect.Width(), dh = h - rec.SkinRect.Height();
    CreateSkinImage(rec.LTPoint, rec.RTPoint, rec.LBPoint, rec.RBPoint, rec.ClRect, rec.LTPoint,
                    TPoint(rec.RTPoint.x + dw, rec.RTPoint.y), TPoint(rec.LBPoint.x, rec.LBPoint.y + dh),
                    TPoint(rec.RBPoint.x + dw, rec.RBPoint.y + dh),
                    TRect(rec.ClRect.left, rec.ClRect.top, rec.ClRect.right + dw, rec.ClRect.bottom + dh), B, picture,
                    part, w, h, true, rec.LeftStretch, rec.TopStretch, rec.RightStretch, rec.BottomStretch,
                    rec.StretchEffect, rec.StretchType);
}
