// Painting of the skinned edit control: the frame in the non-client area
// (plain, skinned three-piece, or composed with the edit button's own
// record), the text area behind the transparent text, the disabled text,
// the image buttons and PaintSkinTo.
#include <algorithm>

#include "platform/ImgList.h"
#include "platform/Owners.h"
#include "skin/bsUtilsImages.h"
#include "skin/boxes/bsSkinEdits.h"

namespace {

void FillRing(TCanvas* c, const TRect& r, TColor ring, TColor fill) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fill);
    c->FillRect(r);
    c->Brush()->SetColor(ring);
    c->FrameRect(r);
}

// Text x inside r for the alignment: left + 2, right edge - rightGap - the
// text, or centred from left + centreShift.
int AlignedX(TAlignment a, const TRect& r, int textWidth, int rightGap, int centreShift) {
    if (a == taRightJustify) return r.right - rightGap - textWidth;
    if (a == taCenter) return r.left + centreShift + r.Width() / 2 - textWidth / 2;
    return r.left + 2;
}

}  // namespace

// The skin face of the current state: the hot face while the pointer is
// over the control or it has the focus.
TRect TbsSkinCustomEdit::FaceRect() const { return FMouseIn || Focused() ? ActiveSkinRect : SkinRect; }

// The frame of the current look and state, at the control's size.
void TbsSkinCustomEdit::DrawFrame(TBitmap& b) {
    const int w = Width(), h = Height();
    TCanvas* c = b.Canvas();
    if (FIndex == -1) {
        const int bw = FButtonMode ? w - FButtonRect.left : 0;
        const TRect r(0, 0, w - bw, h);
        FillRing(c, r, clBtnShadow, FDefaultColor);
        c->Brush()->SetColor(clBtnFace);
        c->FrameRect(TRect(1, 1, r.right - 1, h - 1));
        if (FButtonMode) {
            if (FButtonDown && FButtonActive) FillRing(c, FButtonRect, bsPlainHotFrame, bsPlainDownFill);
            else if (FButtonActive) FillRing(c, FButtonRect, bsPlainHotFrame, bsPlainHotFill);
            else FillRing(c, FButtonRect, clBtnShadow, clBtnFace);
        }
        return;
    }
    const TRect face = FaceRect();
    if (!UseSkinFont) {
        DrawComposedFrame(b, face);
        return;
    }
    CreateHSkinImage(LOffset, ROffset, &b, Picture, face, w, face.Height(), StretchEffect);
    if (!FButtonMode || !Picture) return;
    TRect state;
    if (!Enabled() && !IsNullRect(UnEnabledButtonRect)) state = UnEnabledButtonRect;
    else if (FButtonDown && FButtonActive) state = DownButtonRect;
    else if (FButtonActive) state = ActiveButtonRect;
    if (IsNullRect(state)) return;
    BitBlt(c->Handle(), FButtonRect.left, FButtonRect.top, state.Width(), state.Height(),
           Picture->Canvas()->Handle(), state.left, state.top, SRCCOPY);
}

// The skinned frame of an edit whose height is not the skin's: the face
// composed around its client rectangle, and the edit button from its own
// record.
void TbsSkinCustomEdit::DrawComposedFrame(TBitmap& b, const TRect& face) {
    if (!Picture) return;
    CreateSkinImageFromClRect(&b, Picture, face, ClRect, false);
    if (FButtonMode) DrawEditButton(b);
}

void TbsSkinCustomEdit::DrawEditButton(TBitmap& b) {
    if (IsNullRect(FButtonRect) || !FSD) return;
    int i = FSD->GetControlIndex(L"editbutton");
    if (i < 0) i = FSD->GetControlIndex(L"resizebutton");
    if (i < 0) return;
    auto* r = dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[static_cast<size_t>(i)].get());
    if (!r || r->PictureIndex < 0 || r->PictureIndex >= static_cast<int>(FSD->FActivePictures.size())) return;
    TBitmap* pic = FSD->FActivePictures[static_cast<size_t>(r->PictureIndex)].get();
    const TRect active = IsNullRect(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
    const TRect down = IsNullRect(r->DownSkinRect) ? active : r->DownSkinRect;
    const TRect src = FButtonDown && FButtonActive ? down : FButtonActive ? active : r->SkinRect;
    const int w = FButtonRect.Width(), h = FButtonRect.Height();
    const int dw = w - r->SkinRect.Width(), dh = h - r->SkinRect.Height();
    TBitmap bb(w, h);
    TRect ncl = r->ClRect;
    ncl.right += dw;
    ncl.bottom += dh;
    CreateSkinImage(r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect, r->LTPoint,
                    TPoint(r->RTPoint.x + dw, r->RTPoint.y), TPoint(r->LBPoint.x, r->LBPoint.y + dh),
                    TPoint(r->RBPoint.x + dw, r->RBPoint.y + dh), ncl, &bb, pic, src, w, h, true, r->LeftStretch,
                    r->TopStretch, r->RightStretch, r->BottomStretch, r->StretchEffect, r->StretchType);
    b.Canvas()->Draw(FButtonRect.left, FButtonRect.top, &bb);
}

// Paints the frame into a window DC; clipText leaves the text area out.
void TbsSkinCustomEdit::PaintFrameTo(HDC dc, bool clipText) {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    CalcRects();
    TBitmap b(w, h);
    DrawFrame(b);
    platform::SavedDC saved(dc);
    if (clipText) ExcludeClipRect(dc, FEditRect.left, FEditRect.top, FEditRect.right, FEditRect.bottom);
    BitBlt(dc, 0, 0, w, h, b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinCustomEdit::NCPaint() {
    HDC dc = GetWindowDC(Handle());
    PaintFrameTo(dc, true);
    ReleaseDC(Handle(), dc);
    Invalidate();
}

// ---- the text area -------------------------------------------------------------------------------

// The text area's background: DefaultColor, or the client strip of the
// skin face.
void TbsSkinCustomEdit::PaintBackground(TCanvas* c) {
    CalcRects();
    const int w = FEditRect.Width(), h = FEditRect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    if (FIndex == -1 || !Picture) {
        b.Canvas()->Brush()->SetColor(FIndex == -1 ? FDefaultColor : Color());
        b.Canvas()->FillRect(TRect(0, 0, w, h));
        c->Draw(0, 0, &b);
        return;
    }
    TRect strip = FaceRect();
    strip = TRect(strip.left + ClRect.left, strip.top + ClRect.top, strip.left + ClRect.right,
                  strip.top + ClRect.bottom);
    CreateHSkinImage(std::max<int>(LOffset - ClRect.left, 0), std::max<int>(ClRect.right + ROffset - SkinRect.Width(), 0), &b,
                     Picture, strip, w, ClRect.Height(), StretchEffect);
    if (UseSkinFont) c->Draw(0, 0, &b);
    else c->StretchDraw(TRect(0, 0, w, h), &b);
}

void TbsSkinCustomEdit::EraseBackground(HDC dc) {
    GetSkinData();
    TCanvas c;
    c.SetHandle(dc);
    PaintBackground(&c);
    PaintImageButtons(&c);
    c.SetHandle(nullptr);
    // The edit window draws its text over it, unless its own painting is
    // on the stack and draws the text after this erase. An earlier erase
    // whose paint never came must not keep the text from this one.
    if (!FInOwnPaint) {
        FStopDraw = false;
        SendMessageW(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    FStopDraw = true;
    if (Focused()) ShowCaret(Handle());
}

// WM_PAINT: just after an erase that drew the text only validates; a
// disabled edit draws its text itself.
void TbsSkinCustomEdit::Paint(TMessage& m) {
    if (FStopDraw) {
        if (!m.WParam) {
            PAINTSTRUCT ps;
            BeginPaint(Handle(), &ps);
            EndPaint(Handle(), &ps);
        }
        FStopDraw = false;
        return;
    }
    if (Enabled()) {
        FStopDraw = true;
        FInOwnPaint = !m.WParam;
        TbsCustomEdit::WndProc(m);
        FInOwnPaint = false;
        FStopDraw = false;
        return;
    }
    if (m.WParam) {
        PaintDisabledText(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    // The erase step inside BeginPaint may have drawn the text already.
    if (!FStopDraw) {
        EraseBackground(dc);
    }
    FStopDraw = false;
    EndPaint(Handle(), &ps);
}

void TbsSkinCustomEdit::PaintDisabledText(HDC dc) {
    GetSkinData();
    CalcRects();
    TCanvas c;
    c.SetHandle(dc);
    if (FIndex != -1 && UseSkinFont) {
        c.Font()->SetName(FontName);
        c.Font()->SetHeight(FontHeight);
        c.Font()->SetStyle(FontStyle);
        c.Font()->SetColor(DisabledFontColor);
    } else {
        c.Font()->Assign(&FDefaultFont);
        c.Font()->SetColor(FIndex == -1 ? clGrayText : DisabledFontColor);
    }
    c.Font()->SetCharset(CharsetNow());
    const String text = GetText();
    const TRect r(0, 0, FEditRect.Width(), FEditRect.Height());
    const int x = AlignedX(FAlignment, r, c.TextWidth(text), 1, 0);
    c.Brush()->SetStyle(bsClear);
    c.TextRect(r, x, r.top, text);
    c.SetHandle(nullptr);
}

// ---- image buttons -------------------------------------------------------------------------------

void TbsSkinCustomEdit::DrawImageButton(TCanvas* c, const TbsCBButtonX& b, int index, int hot, int down) {
    const int count = FImages->Count();
    if (index < 0 || index >= count || IsNullRect(b.R)) return;
    int i = index;
    if (b.Down && b.MouseIn && down >= 0 && down < count) i = down;
    else if (b.MouseIn && hot >= 0 && hot < count) i = hot;
    const int top = std::max<int>(b.R.top, b.R.Height() / 2 + b.R.top - FImages->Height() / 2);
    FImages->Draw(c, b.R.left, top, i, Enabled());
}

void TbsSkinCustomEdit::PaintImageButtons(TCanvas* c) {
    if (!FImages) return;
    CalcImageButtons(false);
    DrawImageButton(c, LeftButton, FLeftImageIndex, LeftImageHotIndex, LeftImageDownIndex);
    DrawImageButton(c, RightButton, FRightImageIndex, RightImageHotIndex, RightImageDownIndex);
}

// ---- PaintSkinTo ---------------------------------------------------------------------------------

void TbsSkinCustomEdit::PaintSkinTo(TCanvas* target, int x, int y, const String& aText) {
    GetSkinData();
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    CalcRects();
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    if (FIndex == -1) {
        DrawFrame(b);
    } else if (Picture && UseSkinFont) {
        CreateHSkinImage(LOffset, ROffset, &b, Picture, SkinRect, w, SkinRect.Height(), StretchEffect);
    } else if (Picture) {
        CreateSkinImageFromClRect(&b, Picture, SkinRect, ClRect, true);
        if (FButtonMode) DrawEditButton(b);
    }
    c->Brush()->SetStyle(bsClear);
    if (FIndex != -1 && UseSkinFont) {
        c->Font()->SetName(FontName);
        c->Font()->SetStyle(FontStyle);
        c->Font()->SetHeight(FontHeight);
        c->Font()->SetColor(FontColor);
    } else {
        c->Font()->Assign(&FDefaultFont);
    }
    c->Font()->SetCharset(CharsetNow());
    TRect tr = FEditRect;
    if (FImages && FLeftImageIndex >= 0) tr.left += FImages->Width() + 2;
    if (FImages && FRightImageIndex >= 0) tr.right -= FImages->Width() + 2;
    const int tx = AlignedX(FAlignment, tr, c->TextWidth(aText), 0, 2);
    c->TextRect(tr, tx, tr.top, aText);
    target->Draw(x, y, &b);
}
