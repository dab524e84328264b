// The looks of the skinned combo box: the default look, the skinned look
// (body, drop-down button, face item) from the "combobox" record and its
// button records, the two tool-button looks, and PaintSkinTo.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtilsImages.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/controls/bsSkinFaceParts.h"

namespace {

// The small drop-down triangle of the tool-button looks (rows of 5, 3, 1).
void DrawSmallArrow(TCanvas* c, const TRect& r, TColor color) { DrawDropDownArrow(c, r, color); }

}  // namespace

// ---- shared pieces ------------------------------------------------------------------------------

void TbsSkinCustomComboBox::SetImages(TCustomImageList* v) {
    FListBox->SetImages(v);
    Invalidate();
}

void TbsSkinCustomComboBox::SetImageIndex(int v) {
    FListBox->SetImageIndex(v);
    Invalidate();
}

int TbsSkinCustomComboBox::ShownIndex() { return FDropDown ? FOldItemIndex : FListBox->ItemIndex(); }

TColor TbsSkinCustomComboBox::GetDisabledFontColor() { return bsDisabledFontColor(FSD, FIndex != -1); }

// The content of the face: the owner drawing, or the picture and the text
// of the shown item (or the given text).
void TbsSkinCustomComboBox::DrawFaceContent(TCanvas* c, int w, int h, const TRect& tr, const String* text) {
    const int index = ShownIndex();
    c->Brush()->SetStyle(bsClear);
    if (text) {
        if (TabWidths()->Count() > 0) bsDrawTabbedText(c, *text, tr, 0, TabWidths());
        else TextRectVCenteredOffset(c, *text, tr, 2);
        return;
    }
    if (index < 0 || index >= FListBox->Items()->Count()) return;
    if (OnComboBoxDrawItem) {
        OnComboBoxDrawItem(c, index, w, h, tr, CBItem.State);
        return;
    }
    int offset = 0;
    if (TCustomImageList* images = Images()) {
        const int ii = ImageIndex() < 0 ? index : ImageIndex();
        if (ii < images->Count()) images->Draw(c, tr.left, tr.top + tr.Height() / 2 - images->Height() / 2, ii, true);
        offset = images->Width() + 2;
    }
    const String s = FListBox->Items()->Get(index);
    c->Brush()->SetStyle(bsClear);
    if (TabWidths()->Count() > 0) {
        bsDrawTabbedText(c, s, tr, offset, TabWidths());
    } else {
        const int th = c->TextExtent(s).cy;
        c->TextRect(tr, tr.left + offset + 2, tr.top + tr.Height() / 2 - th / 2, s);
    }
}

// ---- default look ----------------------------------------------------------------------------

void TbsSkinCustomComboBox::DrawDefaultButton(TCanvas* c) {
    const bool down = Button.Down && Button.MouseIn;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(down ? bsPlainDownFill : Button.MouseIn ? bsPlainHotFill : clBtnFace);
    c->FillRect(Button.R);
    c->Brush()->SetColor(Button.MouseIn ? bsPlainHotFrame : clBtnShadow);
    c->FrameRect(Button.R);
    DrawArrowImage(c, Button.R, Enabled() ? clBlack : clBtnShadow, 4);
}

void TbsSkinCustomComboBox::DrawDefaultFace(TCanvas* c) {
    const TRect& face = CBItem.R;
    if (face.Width() <= 0 || face.Height() <= 0) return;
    const bool focused = Focused();
    CBItem.State = focused ? TOwnerDrawState(odFocused) : TOwnerDrawState(0);
    TBitmap b(face.Width(), face.Height());
    TCanvas* bc = b.Canvas();
    bc->Font()->SetName(Font()->Name());
    bc->Font()->SetStyle(Font()->Style());
    bc->Font()->SetHeight(Font()->Height());
    bc->Font()->SetCharset(TextCharset());
    bc->Brush()->SetStyle(bsSolid);
    bc->Brush()->SetColor(focused ? TColor(clHighlight) : FDefaultColor);
    bc->Font()->SetColor(focused ? TColor(clHighlightText) : Enabled() ? DefaultFont()->Color() : TColor(clGrayText));
    bc->FillRect(TRect(0, 0, face.Width(), face.Height()));
    DrawFaceContent(bc, face.Width(), face.Height(), TRect(2, 0, face.Width() - 2, face.Height()), nullptr);
    if (focused) {
        RECT fr{0, 0, face.Width(), face.Height()};
        DrawFocusRect(bc->Handle(), &fr);
    }
    c->Draw(face.left, face.top, &b);
}

void TbsSkinCustomComboBox::CreateControlDefaultImage(TBitmap* B) {
    CalcRects();
    TCanvas* c = B->Canvas();
    if (FToolButtonStyle) {
        DrawDefaultToolButton(c, nullptr);
        return;
    }
    TRect r(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(r);
    c->Brush()->SetColor(FDefaultColor);
    c->FillRect(TRect(2, 2, Width() - 2, Height() - 2));
    DrawDefaultButton(c);
    if (!FEdit) DrawDefaultFace(c);
}

// ---- skinned look ------------------------------------------------------------------------------

void TbsSkinCustomComboBox::DrawSkinBody(TBitmap* B) {
    const bool active = !IsNullRect(ActiveSkinRect) &&
                        (FMouseIn || Focused() || (FEdit && FEdit->HandleAllocated() && FEdit->Focused()));
    const int w = Width(), h = Height();
    if (!UseSkinSize) {
        TRect cl = ClRect;
        cl.right += w - SkinRect.Width();
        cl.bottom += h - SkinRect.Height();
        const int dw = w - SkinRect.Width(), dh = h - SkinRect.Height();
        CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, LTPt, TPoint(RTPt.x + dw, RTPt.y), TPoint(LBPt.x, LBPt.y + dh),
                        TPoint(RBPt.x + dw, RBPt.y + dh), cl, B, Picture, active ? ActiveSkinRect : SkinRect, w, h,
                        true, LeftStretch, TopStretch, RightStretch, BottomStretch, StretchEffect, StretchType);
    } else if (active) {
        CreateHSkinImage(LTPt.x, ActiveSkinRect.Width() - RTPt.x, B, Picture, ActiveSkinRect, w,
                         ActiveSkinRect.Height(), StretchEffect);
    } else {
        TbsSkinCustomControl::CreateControlSkinImage(B);
    }
}

void TbsSkinCustomComboBox::DrawSkinButton(TCanvas* c) {
    const bool pressed = Button.Down && Button.MouseIn, hot = Button.MouseIn;
    if (UseSkinSize) {
        const TRect part = !Enabled() && !IsNullRect(UnEnabledButtonRect) ? UnEnabledButtonRect
                           : pressed                                       ? DownButtonRect
                           : hot                                           ? ActiveButtonRect
                                                                           : TRect();
        if (!IsNullRect(part) && Picture) c->CopyRect(Button.R, Picture->Canvas(), part);
        return;
    }
    TbsDataSkinButtonControl* r = bsFindButtonRecord(FSD, {L"combobutton", L"editbutton", L"resizebutton"});
    TBitmap* pic = bsRecordPicture(FSD, r);
    const int bw = Button.R.Width(), bh = Button.R.Height();
    if (!r || !pic || bw <= 0 || bh <= 0) return;
    const TRect active = IsNullRect(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
    const TRect down = IsNullRect(r->DownSkinRect) ? active : r->DownSkinRect;
    TBitmap b(bw, bh);
    bsComposeRecord(r, pic, pressed ? down : hot ? active : r->SkinRect, &b, bw, bh, true);
    TCanvas* bc = b.Canvas();
    const TRect area(0, 0, bw, bh);
    if (IsNullRect(r->MenuMarkerRect)) {
        if (Enabled()) {
            TRect ar = area;
            if (pressed) ar.top += 2;
            DrawArrowImage(bc, ar, pressed ? r->DownFontColor : hot ? r->ActiveFontColor : r->FontColor, 4);
        }
    } else {
        const TRect part = pressed && !IsNullRect(r->MenuMarkerDownRect) ? r->MenuMarkerDownRect
                           : !hot                                        ? r->MenuMarkerRect
                           : !IsNullRect(r->MenuMarkerActiveRect)        ? r->MenuMarkerActiveRect
                                                                         : r->MenuMarkerRect;
        bsDrawMarker(bc, Picture, part, r->MenuMarkerTransparentColor, area, pressed ? 1 : 0);
    }
    c->Draw(Button.R.left, Button.R.top, &b);
}

void TbsSkinCustomComboBox::DrawSkinFace(TCanvas* c) {
    const TRect& face = CBItem.R;
    const int W = face.Width();
    if (W <= 0 || face.Height() <= 0) return;
    const bool focused = Focused();
    const bool hot = FMouseIn && !IsNullRect(ActiveItemRect) && !IsNullRect(ActiveSkinRect);
    CBItem.State = focused ? TOwnerDrawState(odFocused) : TOwnerDrawState(0);
    const TRect part = focused ? FocusItemRect : hot ? ActiveItemRect : SItemRect;
    const bool stretch = focused ? FocusItemStretchEffect : ItemStretchEffect;
    const int H = UseSkinSize ? (!IsNullRect(SItemRect)     ? SItemRect.Height()
                                 : !IsNullRect(FocusItemRect) ? FocusItemRect.Height()
                                                              : face.Height())
                              : face.Height();
    if (H <= 0) return;
    TBitmap b(W, H);
    TCanvas* bc = b.Canvas();
    // An empty chosen picture keeps the body under the face.
    bc->CopyRect(TRect(0, 0, W, H), c, TRect(face.left, face.top, face.left + W, face.top + H));
    if (!IsNullRect(part) && Picture) {
        if (UseSkinSize) {
            CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &b, Picture, part, W, H, stretch);
        } else {
            TRect cl = ItemTextRect;
            if (focused) cl = TRect(cl.left + 1, cl.top + 1, cl.right - 1, cl.bottom - 1);
            if (focused || hot) {
                if (part.Width() < SItemRect.Width()) cl.right -= SItemRect.Width() - part.Width();
                if (part.Height() < SItemRect.Height()) cl.top -= SItemRect.Height() - part.Height();
            }
            TbsNinePieces n;
            n.lt = TPoint(cl.left, cl.top), n.rt = TPoint(cl.right, cl.top);
            n.lb = TPoint(cl.left, cl.bottom), n.rb = TPoint(cl.right, cl.bottom);
            n.cl = cl;
            n.stretch = stretch;
            bsComposeNine(n, Picture, part, &b, W, H, true);
        }
    }
    TRect tr = ItemTextRect;
    tr.right += IsNullRect(SItemRect) ? W - ClRect.Width() : W - SItemRect.Width();
    if (!UseSkinSize) tr.bottom += Height() - SkinRect.Height();
    SetupFont(bc, UseSkinFont, FontName, FontHeight, FontStyle, DefaultFont());
    TColor color = focused ? FocusFontColor : (FMouseIn && !IsNullRect(ActiveSkinRect)) ? ActiveFontColor : FontColor;
    if (UseSkinSize && !Enabled()) color = GetDisabledFontColor();
    bc->Font()->SetColor(color);
    if (!OnComboBoxDrawItem && focused && ShowFocus) DrawDottedFocusRect(bc, TRect(0, 0, W, H));
    DrawFaceContent(bc, W, H, tr, nullptr);
    c->Draw(face.left, face.top, &b);
}

void TbsSkinCustomComboBox::CreateControlSkinImage(TBitmap* B) {
    CalcRects();
    TCanvas* c = B->Canvas();
    if (FToolButtonStyle) {
        DrawSkinToolButton(c, nullptr);
        return;
    }
    DrawSkinBody(B);
    DrawSkinButton(c);
    if (!FEdit) DrawSkinFace(c);
}

// ---- tool-button looks -------------------------------------------------------------------------

void TbsSkinCustomComboBox::DrawDefaultToolButton(TCanvas* c, const String* text) {
    const int W = Width(), H = Height();
    const TRect all(0, 0, W, H);
    c->Brush()->SetStyle(bsSolid);
    const bool hot = FMouseIn || Focused();
    c->Brush()->SetColor(FDropDown ? bsPlainDownFill : hot ? bsPlainHotFill : TColor(clBtnFace));
    c->FillRect(all);
    c->Brush()->SetColor(FDropDown || hot ? bsPlainHotFrame : TColor(clBtnShadow));
    c->FrameRect(all);
    const int d = FDropDown ? 2 : 0;
    const TRect tr(2 + d, 2 + d, W - 17 + d, H - 2 + d), ar(W - 15 + d, d, W + d, H + d);
    c->Font()->Assign(DefaultFont());
    c->Font()->SetCharset(TextCharset());
    CBItem.State = Focused() ? TOwnerDrawState(odFocused) : TOwnerDrawState(0);
    DrawFaceContent(c, tr.Width(), tr.Height(), tr, text);
    DrawSmallArrow(c, ar, c->Font()->Color());
}

void TbsSkinCustomComboBox::DrawSkinToolButton(TCanvas* c, const String* text) {
    TbsDataSkinButtonControl* r = bsFindButtonRecord(FSD, {L"resizetoolbutton", L"resizebutton"});
    TBitmap* pic = bsRecordPicture(FSD, r);
    const int W = Width(), H = Height();
    if (!r || !pic) return;
    const bool hot = FMouseIn || Focused();
    TRect part = FDropDown ? r->DownSkinRect : hot ? r->ActiveSkinRect : r->SkinRect;
    if (IsNullRect(part)) part = r->SkinRect;
    TBitmap b(W, H);
    bsComposeRecord(r, pic, part, &b, W, H, true);
    c->Draw(0, 0, &b);
    SetupFont(c, UseSkinFont, r->FontName, r->FontHeight, r->FontStyle, DefaultFont());
    const TColor color = !Enabled() ? r->DisabledFontColor
                         : FDropDown ? r->DownFontColor
                         : hot       ? r->ActiveFontColor
                                     : r->FontColor;
    c->Font()->SetColor(color);
    const int d = FDropDown ? 2 : 0;
    const TRect tr(2 + d, 2 + d, W - 17 + d, H - 2 + d), ar(W - 15 + d, d, W + d, H + d);
    CBItem.State = Focused() ? TOwnerDrawState(odFocused) : TOwnerDrawState(0);
    DrawFaceContent(c, tr.Width(), tr.Height(), tr, text);
    if (!IsNullRect(r->MenuMarkerRect)) {
        TRect m;
        if (FDropDown)
            m = !IsNullRect(r->MenuMarkerDownRect)     ? r->MenuMarkerDownRect
                : !IsNullRect(r->MenuMarkerActiveRect) ? r->MenuMarkerActiveRect
                                                       : r->MenuMarkerRect;
        else
            m = FMouseIn && !IsNullRect(r->MenuMarkerActiveRect) ? r->MenuMarkerActiveRect : r->MenuMarkerRect;
        bsDrawMarker(c, Picture, m, r->MenuMarkerTransparentColor, ar, 0);
    } else {
        DrawSmallArrow(c, ar, FDropDown ? r->DownFontColor : color);
    }
}

// ---- PaintSkinTo -------------------------------------------------------------------------------

void TbsSkinCustomComboBox::PaintSkinTo(TCanvas* c, int x, int y, const String& aText) {
    GetSkinData();
    CalcRects();
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0) return;
    const String saved = GetText();
    SetText(aText);
    TBitmap b(W, H);
    TCanvas* bc = b.Canvas();
    const bool skinned = FIndex != -1 && Picture;
    if (FToolButtonStyle) {
        if (skinned) DrawSkinToolButton(bc, &aText);
        else DrawDefaultToolButton(bc, &aText);
    } else {
        if (skinned) {
            DrawSkinBody(&b);
            DrawSkinButton(bc);
            SetupFont(bc, UseSkinFont, FontName, FontHeight, FontStyle, DefaultFont());
            bc->Font()->SetColor(FontColor);
        } else {
            TRect r(0, 0, W, H);
            bc->Brush()->SetColor(clBtnFace);
            bc->FillRect(r);
            bc->Brush()->SetColor(clBtnShadow);
            bc->FrameRect(r);
            bc->Brush()->SetColor(FDefaultColor);
            bc->FillRect(TRect(2, 2, W - 2, H - 2));
            DrawDefaultButton(bc);
            bc->Font()->Assign(DefaultFont());
            bc->Font()->SetCharset(TextCharset());
        }
        bc->Brush()->SetStyle(bsClear);
        if (TabWidths()->Count() > 0) bsDrawTabbedText(bc, aText, CBItem.R, 0, TabWidths());
        else TextRectVCenteredOffset(bc, aText, CBItem.R, 2);
    }
    c->Draw(x, y, &b);
    SetText(saved);
}
