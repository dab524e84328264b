// The list box frame's caption: text, glyph and the three caption buttons
// in the plain and the skinned look, and the buttons' hit test.
#include <algorithm>

#include "platform/Clock.h"
#include "platform/Owners.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/boxes/bsSkinBoxCtrls.h"

void TbsSkinCustomListBox::SetGlyph(TBitmap* v) {
    FGlyph.Assign(v);
    Invalidate();
}
void TbsSkinCustomListBox::SetNumGlyphs(int v) {
    FNumGlyphs = v;
    Invalidate();
}
void TbsSkinCustomListBox::SetSpacing(int v) {
    FSpacing = v;
    Invalidate();
}

int TbsSkinCustomListBox::GlyphCellWidth() const {
    if (FGlyph.Empty()) return 0;
    return FGlyph.Width() / std::max(1, FNumGlyphs);
}

// The caption's glyph (cell 2 while disabled with two cells) and text,
// x given for the whole caption; topOffset -1 in the plain look.
void TbsSkinCustomListBox::DrawCaptionText(TCanvas* c, const TRect& r, int x, int topOffset) {
    const String text = Caption();
    const SIZE ext = c->TextExtent(text);
    if (const int gw = GlyphCellWidth()) {
        const int cell = !Enabled() && FNumGlyphs == 2 ? 1 : 0;
        const int gy = r.top + r.Height() / 2 - FGlyph.Height() / 2 + topOffset;
        TBitmap g(gw, FGlyph.Height());
        BitBlt(g.Canvas()->Handle(), 0, 0, gw, FGlyph.Height(), const_cast<TBitmap&>(FGlyph).Canvas()->Handle(),
               cell * gw, 0, SRCCOPY);
        g.SetTransparent(true);
        c->Draw(x, gy, &g);
        x += gw + FSpacing;
    }
    c->TextRect(r, x, r.top + r.Height() / 2 - ext.cy / 2, text);
}

int TbsSkinCustomListBox::CaptionWidth(TCanvas* c) {
    const int gw = GlyphCellWidth();
    return c->TextExtent(Caption()).cx + (gw ? gw + FSpacing : 0);
}

// ---- geometry ------------------------------------------------------------------------------------

void TbsSkinCustomListBox::CalcCaptionButtons() {
    const int w = Width();
    for (auto& b : Buttons) b.R = TRect();
    if (!FCaptionMode) return;
    if (FIndex == -1) {
        if (!FShowCaptionButtons) return;
        const int a = std::min(17, FDefaultCaptionHeight - 3);
        Buttons[0].R = TRect(w - a - 2, 2, w - 2, a + 1);
        Buttons[1].R = TRect(Buttons[0].R.left - a, 2, Buttons[0].R.left, a + 1);
        Buttons[2].R = TRect(Buttons[1].R.left - a, 2, Buttons[1].R.left, a + 1);
        return;
    }
    const int dw = w - SkinRect.Width(), dh = Height() - SkinRect.Height();
    NewCaptionRect = CaptionRect;
    if (!FShowCaptionButtons) {
        NewCaptionRect.right = w - CaptionRect.left;
        return;
    }
    if (CaptionRect.right >= RTPt.x) NewCaptionRect.right += dw;
    // Nothing to press in a skin without up and down buttons.
    if (IsNullRect(UpButtonRect) && IsNullRect(DownButtonRect)) return;
    const TRect skin[3] = {UpButtonRect, DownButtonRect, CheckButtonRect};
    for (int i = 0; i < 3; ++i) {
        TRect r = skin[i];
        if (IsNullRect(r)) continue;
        const bool down = r.top > LTPt.y;
        if (down) OffsetRect(&r, 0, dh);
        if (r.left > (down ? RBPt.x : RTPt.x)) OffsetRect(&r, dw, 0);
        Buttons[i].R = r;
    }
}

// ---- plain look ----------------------------------------------------------------------------------

void TbsSkinCustomListBox::DrawCaptionButton(TCanvas* c, int i) {
    const TbsCBButtonX& b = Buttons[i];
    if (IsNullRect(b.R)) return;
    const bool down = b.Down && b.MouseIn;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(down ? bsPlainDownFill : b.MouseIn ? bsPlainHotFill : clBtnFace);
    c->FillRect(b.R);
    c->Brush()->SetColor(b.MouseIn ? bsPlainHotFrame : clBtnShadow);
    c->FrameRect(b.R);
    if (i == 2) DrawCheckImage(c, b.R.left + 4, b.R.top + 4, clBlack);
    else DrawArrowImage(c, b.R, clBlack, i == 0 ? 3 : 4);
}

void TbsSkinCustomListBox::DrawCaption(TCanvas* c) {
    CalcCaptionButtons();
    const int w = Width();
    const int a = std::min(17, FDefaultCaptionHeight - 3);
    const TRect r(3, 2, FShowCaptionButtons ? w - 3 * a - 3 : w - 2, FDefaultCaptionHeight - 2);
    c->Font()->Assign(&FDefaultCaptionFont);
    if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    c->Brush()->SetStyle(bsClear);
    const int cw = CaptionWidth(c);
    int x = r.left;
    if (FAlignment == taRightJustify) x = r.right - cw;
    else if (FAlignment == taCenter) x = r.left + r.Width() / 2 - cw / 2;
    DrawCaptionText(c, r, x, -1);
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(1, FDefaultCaptionHeight - 1);
    c->LineTo(w - 1, FDefaultCaptionHeight - 1);
    for (int i = 0; i < 3; ++i) DrawCaptionButton(c, i);
}

void TbsSkinCustomListBox::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, Width(), Height()));
    TRect r(0, 0, Width(), Height());
    c->Frame3D(r, clBtnShadow, clBtnShadow, 1);
    if (FCaptionMode) DrawCaption(c);
}

// ---- skinned look --------------------------------------------------------------------------------

// The buttons' area of a skin whose buttons are hidden: the skin's
// disabled-buttons picture, else the caption strip stretched over it.
void TbsSkinCustomListBox::CoverHiddenButtons(TBitmap* B) {
    if (IsNullRect(UpButtonRect) || !Picture) return;
    const int dw = Width() - SkinRect.Width();
    HDC dc = B->Canvas()->Handle();
    if (!IsNullRect(DisabledButtonsRect)) {
        BitBlt(dc, ButtonsArea.left + dw, ButtonsArea.top, DisabledButtonsRect.Width(), DisabledButtonsRect.Height(),
               Picture->Canvas()->Handle(), DisabledButtonsRect.left, DisabledButtonsRect.top, SRCCOPY);
        return;
    }
    const int left = LTPt.x, right = RTPt.x + dw, h = std::max<int>(0, ClRect.top - 1);
    const int upRight = UpButtonRect.right + (UpButtonRect.left > RTPt.x ? dw : 0);
    if (right <= left || h <= 0) return;
    TBitmap strip(right - left, h);
    BitBlt(strip.Canvas()->Handle(), 0, 0, right - left, h, dc, left, 0, SRCCOPY);
    StretchBlt(dc, left, 0, upRight - left, h, strip.Canvas()->Handle(), 0, 0, right - left, h, SRCCOPY);
}

void TbsSkinCustomListBox::CreateControlSkinImage(TBitmap* B) {
    TbsSkinCustomControl::CreateControlSkinImage(B);
    CalcCaptionButtons();
    if (!FCaptionMode || !FShowCaptionButtons) CoverHiddenButtons(B);
    TCanvas* c = B->Canvas();
    if (!IsNullRect(CaptionRect)) {
        if (IsNullRect(NewCaptionRect)) NewCaptionRect = CaptionRect;
        SetupFont(c, true, CaptionFontName, CaptionFontHeight, CaptionFontStyle, &FDefaultCaptionFont);
        c->Font()->SetColor(CaptionFontColor);
        c->Brush()->SetStyle(bsClear);
        const TRect& r = NewCaptionRect;
        const int cw = CaptionWidth(c);
        int x = r.left + 2;
        if (FAlignment == taRightJustify) x = r.right - cw - 2;
        else if (FAlignment == taCenter) x = r.left + 2 + r.Width() / 2 - cw / 2;
        DrawCaptionText(c, r, x, 0);
    }
    if (!FCaptionMode || !FShowCaptionButtons || !Picture) return;
    const TRect normal[3] = {UpButtonRect, DownButtonRect, CheckButtonRect};
    const TRect active[3] = {ActiveUpButtonRect, ActiveDownButtonRect, ActiveCheckButtonRect};
    const TRect down[3] = {DownUpButtonRect, DownDownButtonRect, DownCheckButtonRect};
    for (int i = 0; i < 3; ++i) {
        const TbsCBButtonX& b = Buttons[i];
        if (IsNullRect(b.R)) continue;
        TRect src = b.Down && b.MouseIn ? down[i] : b.MouseIn ? active[i] : TRect();
        if (IsNullRect(src)) {
            src = normal[i];
            OffsetRect(&src, SkinRect.left, SkinRect.top);
        }
        BitBlt(c->Handle(), b.R.left, b.R.top, b.R.Width(), b.R.Height(), Picture->Canvas()->Handle(), src.left,
               src.top, SRCCOPY);
    }
}

// ---- hit test ------------------------------------------------------------------------------------

void TbsSkinCustomListBox::TestActive(int x, int y) {
    CalcCaptionButtons();
    OldActiveButton = ActiveButton;
    ActiveButton = -1;
    for (int i = 0; i < 3; ++i)
        if (!IsNullRect(Buttons[i].R) && IsPointInRect(Buttons[i].R, TPoint(x, y))) {
            ActiveButton = i;
            break;
        }
    if (CaptureButton != -1 && ActiveButton != CaptureButton) ActiveButton = -1;
    if (ActiveButton == OldActiveButton) return;
    if (OldActiveButton != -1) {
        Buttons[OldActiveButton].MouseIn = false;
        if (Buttons[OldActiveButton].Down && TimerMode != 0) platform::KillWindowTimer(Handle(), bsBoxTimerId);
    }
    if (ActiveButton != -1) {
        Buttons[ActiveButton].MouseIn = true;
        if (Buttons[ActiveButton].Down && TimerMode != 0) platform::SetWindowTimer(Handle(), bsBoxTimerId, 50);
    }
    Invalidate();
}
