// The face of the office combo box: the chosen item (title, image,
// caption) in the classic looks (a framed field with a button, default or
// skinned) and in the two tool-button looks, and PaintSkinTo.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinFaceParts.h"
#include "skin/boxes/bsSkinOfficeCombo.h"

int TbsSkinCustomOfficeComboBox::ShownIndex() const {
    return FListBox->Visible() ? FOldItemIndex : FListBox->ItemIndex();
}

// Title (bold, at the top), then the caption alone or with the item's
// image; text replaces the caption when given.
void TbsSkinCustomOfficeComboBox::DrawItemContent(TCanvas* c, TRect t, int index, const String* text) {
    if (index < 0 || index >= FListBox->Items()->Count()) return;
    if (OnDrawItem) {
        c->Brush()->SetStyle(bsClear);
        OnDrawItem(c, index, t);
        return;
    }
    TbsSkinOfficeItem* item = FListBox->Items()->Items(index);
    const String caption = text ? *text : item->Caption();
    c->Brush()->SetStyle(bsClear);
    if (FShowItemText && FShowItemTitle && !item->Title().empty()) {
        c->Font()->SetStyle(c->Font()->Style() | fsBold);
        RECT tr = t;
        tr.bottom = t.top + c->TextExtent(item->Title()).cy;
        DrawWideText(c, item->Title(), tr, 0);
        c->Font()->SetStyle(c->Font()->Style() & ~fsBold);
        t.top = tr.bottom - 2;
    }
    if (FShowItemImage) {
        DrawImageAndLeftText(c, t, 0, 2, blGlyphLeft, FShowItemText ? caption : String(), item->ImageIndex(),
                             Images(), false, Enabled(), false, 0);
    } else if (FShowItemText) {
        TextRectVCentered(c, caption, t);
    }
}

// ---- classic default look ----------------------------------------------------------------------

void TbsSkinCustomOfficeComboBox::DrawDefaultButton(TCanvas* c) {
    const TRect& r = Button.R;
    const bool down = Button.Down && Button.MouseIn;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(down ? bsPlainDownFill : Button.MouseIn ? bsPlainHotFill : clBtnFace);
    c->FillRect(r);
    c->Brush()->SetColor(Button.MouseIn ? bsPlainHotFrame : clBtnShadow);
    c->FrameRect(r);
    DrawArrowImage(c, r, Enabled() ? clBlack : clBtnShadow, 4);
}

void TbsSkinCustomOfficeComboBox::DrawDefaultItem(TCanvas* c) {
    if (CBItem.R.Width() <= 0 || CBItem.R.Height() <= 0) return;
    const bool focused = Focused();
    TBitmap b(CBItem.R.Width(), CBItem.R.Height());
    TCanvas* bc = b.Canvas();
    bc->Font()->SetName(Font()->Name());
    bc->Font()->SetStyle(Font()->Style());
    bc->Font()->SetHeight(Font()->Height());
    bc->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet
                                                         : DefaultFont()->Charset());
    bc->Font()->SetColor(focused ? TColor(clHighlightText) : DefaultFont()->Color());
    bc->Brush()->SetStyle(bsSolid);
    bc->Brush()->SetColor(focused ? TColor(clHighlight) : FDefaultColor);
    bc->FillRect(TRect(0, 0, b.Width(), b.Height()));
    CBItem.State = focused ? TOwnerDrawState(odFocused) : TOwnerDrawState(0);
    DrawItemContent(bc, TRect(2, 0, b.Width() - 2, b.Height()), ShownIndex());
    if (focused) {
        RECT fr{0, 0, b.Width(), b.Height()};
        DrawFocusRect(bc->Handle(), &fr);
    }
    c->Draw(CBItem.R.left, CBItem.R.top, &b);
}

void TbsSkinCustomOfficeComboBox::CreateControlDefaultImage(TBitmap* B) {
    CalcRects();
    TCanvas* c = B->Canvas();
    if (FToolButtonStyle) {
        DrawToolButtonDefault(c, nullptr);
        return;
    }
    TRect r(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    c->Frame3D(r, clBtnShadow, clBtnShadow, 1);
    c->Brush()->SetColor(FDefaultColor);
    c->FillRect(TRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1));
    DrawDefaultButton(c);
    DrawDefaultItem(c);
}

// ---- classic skinned look ----------------------------------------------------------------------

void TbsSkinCustomOfficeComboBox::DrawSkinBody(TBitmap* B) {
    const bool active = !IsNullRect(ActiveSkinRect) && (FMouseIn || Focused());
    if (!UseSkinSize) {
        if (Picture) CreateSkinImageFromClRect(B, Picture, active ? ActiveSkinRect : SkinRect, ClRect, true);
    } else if (!active) {
        TbsSkinCustomControl::CreateControlSkinImage(B);
    } else {
        CreateHSkinImage(LTPt.x, ActiveSkinRect.Width() - RTPt.x, B, Picture, ActiveSkinRect, Width(),
                         ActiveSkinRect.Height(), StretchEffect);
    }
}

void TbsSkinCustomOfficeComboBox::DrawSkinButton(TCanvas* c) {
    const bool pressed = Button.Down && Button.MouseIn, hot = Button.MouseIn;
    if (UseSkinSize) {
        const TRect part = !Enabled() && !IsNullRect(UnEnabledButtonRect) ? UnEnabledButtonRect
                           : Button.Down                                   ? DownButtonRect
                           : hot                                           ? ActiveButtonRect
                                                                           : TRect();
        if (Picture && !IsNullRect(part)) c->CopyRect(Button.R, Picture->Canvas(), part);
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
    const TColor glyph = pressed ? r->DownFontColor : hot ? r->ActiveFontColor : r->FontColor;
    if (IsNullRect(r->MenuMarkerRect)) {
        if (Enabled()) DrawArrowImage(b.Canvas(), TRect(0, pressed ? 2 : 0, bw, bh), glyph, 4);
    } else {
        const TRect part = pressed && !IsNullRect(r->MenuMarkerDownRect)    ? r->MenuMarkerDownRect
                           : !hot || IsNullRect(r->MenuMarkerActiveRect) ? r->MenuMarkerRect
                                                                         : r->MenuMarkerActiveRect;
        bsDrawMarker(b.Canvas(), Picture, part, r->MenuMarkerTransparentColor, TRect(0, 0, bw, bh), pressed ? 1 : 0);
    }
    c->Draw(Button.R.left, Button.R.top, &b);
}

void TbsSkinCustomOfficeComboBox::SetupItemFont(TCanvas* c, bool disabledColour) {
    SetupFont(c, UseSkinFont, FontName, FontHeight, FontStyle, DefaultFont());
    TColor color = Focused() ? FocusFontColor : FMouseIn && !IsNullRect(ActiveSkinRect) ? ActiveFontColor : FontColor;
    if (disabledColour && !Enabled()) color = bsDisabledFontColor(FSD, FIndex != -1);
    c->Font()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
}

// The item area's background: part composed round the client rectangle
// cl, or the body's pixels when part is empty.
void TbsSkinCustomOfficeComboBox::DrawItemBackground(TCanvas* bc, TCanvas* body, const TRect& part, const TRect& cl) {
    const int w = CBItem.R.Width(), h = CBItem.R.Height();
    if (IsNullRect(part) || !Picture) {
        bc->CopyRect(TRect(0, 0, w, h), body, TRect(CBItem.R.left, CBItem.R.top, CBItem.R.left + w, CBItem.R.top + h));
        return;
    }
    TBitmap piece(w, h);
    CreateSkinImageFromClRect(&piece, Picture, part, cl, true);
    bc->Draw(0, 0, &piece);
}

void TbsSkinCustomOfficeComboBox::DrawSkinItem(TCanvas* c) {
    const int w = CBItem.R.Width(), h = CBItem.R.Height();
    if (w < 1 || h < 1) return;
    const bool focused = Focused();
    const bool hot = FMouseIn && !IsNullRect(ActiveItemRect) && !IsNullRect(ActiveSkinRect);
    TBitmap b(w, h);
    TCanvas* bc = b.Canvas();
    if (focused) {
        TRect cl(ItemTextRect.left + 1, ItemTextRect.top + 1, ItemTextRect.right - 1, ItemTextRect.bottom - 1);
        cl.right -= std::max<int>(0, SItemRect.Width() - FocusItemRect.Width());
        cl.bottom -= std::max<int>(0, SItemRect.Height() - FocusItemRect.Height());
        DrawItemBackground(bc, c, FocusItemRect, cl);
    } else if (hot) {
        DrawItemBackground(bc, c, ActiveItemRect, ItemTextRect);
    } else {
        DrawItemBackground(bc, c, SItemRect, ItemTextRect);
    }
    TRect t = ItemTextRect;
    t.right += w - (IsNullRect(SItemRect) ? ClRect.Width() : SItemRect.Width());
    t.bottom += Height() - SkinRect.Height();
    SetupItemFont(bc, false);
    const int index = ShownIndex();
    CBItem.State = focused ? TOwnerDrawState(odFocused) : TOwnerDrawState(0);
    if (index >= 0 && index < FListBox->Items()->Count()) {
        if (focused && ShowFocus) {
            bc->Brush()->SetStyle(bsSolid);
            bc->Brush()->SetColor(FSD ? FSD->SkinColors()->cBtnFace : TColor(clBtnFace));
            DrawDottedFocusRect(bc, TRect(0, 0, w, h));
            bc->Brush()->SetStyle(bsClear);
        }
        t.left += 1;
        DrawItemContent(bc, t, index);
    }
    c->Draw(CBItem.R.left, CBItem.R.top, &b);
}

void TbsSkinCustomOfficeComboBox::DrawSkinSizeItem(TCanvas* c) {
    const int W = CBItem.R.Width();
    if (W < 1) return;
    const int Hs = !IsNullRect(SItemRect)       ? SItemRect.Height()
                   : !IsNullRect(FocusItemRect) ? FocusItemRect.Height()
                                                : CBItem.R.Height();
    if (Hs < 1) return;
    const bool focused = Focused();
    const bool hot = FMouseIn && !IsNullRect(ActiveItemRect) && !IsNullRect(ActiveSkinRect);
    const TRect part = focused ? FocusItemRect : hot ? ActiveItemRect : SItemRect;
    TBitmap b(W, Hs);
    if (IsNullRect(part) || !Picture)
        b.Canvas()->CopyRect(TRect(0, 0, W, Hs), c,
                             TRect(CBItem.R.left, CBItem.R.top, CBItem.R.left + W, CBItem.R.top + Hs));
    else
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &b, Picture, part, W, Hs,
                         focused ? FocusItemStretchEffect : ItemStretchEffect);
    TRect t = ItemTextRect;
    t.right += W - (IsNullRect(SItemRect) ? ClRect.Width() : SItemRect.Width());
    SetupItemFont(b.Canvas(), true);
    const int index = ShownIndex();
    CBItem.State = focused ? TOwnerDrawState(odFocused) : TOwnerDrawState(0);
    if (index >= 0 && index < FListBox->Items()->Count()) {
        if (OnDrawItem) {
            OnDrawItem(b.Canvas(), index, t);
        } else {
            TbsSkinOfficeItem* item = FListBox->Items()->Items(index);
            if (FShowItemImage)
                DrawImageAndLeftText(b.Canvas(), t, 0, 2, blGlyphLeft, FShowItemText ? item->Caption() : String(),
                                     item->ImageIndex(), Images(), false, Enabled(), false, 0);
            else if (FShowItemText)
                TextRectVCentered(b.Canvas(), item->Caption(), t);
        }
    }
    c->Draw(CBItem.R.left, CBItem.R.top, &b);
}

void TbsSkinCustomOfficeComboBox::CreateControlSkinImage(TBitmap* B) {
    CalcRects();
    if (FToolButtonStyle) {
        DrawToolButtonSkin(B, nullptr);
        return;
    }
    DrawSkinBody(B);
    DrawSkinButton(B->Canvas());
    if (UseSkinSize) DrawSkinSizeItem(B->Canvas());
    else DrawSkinItem(B->Canvas());
}

// ---- tool-button looks -------------------------------------------------------------------------

void TbsSkinCustomOfficeComboBox::DrawToolButtonDefault(TCanvas* c, const String* text) {
    const int W = Width(), H = Height();
    const TRect all(0, 0, W, H);
    const bool hot = FMouseIn || Focused();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FDropDown ? bsPlainDownFill : hot ? bsPlainHotFill : TColor(clBtnFace));
    c->FillRect(all);
    c->Brush()->SetColor(FDropDown || hot ? bsPlainHotFrame : TColor(clBtnShadow));
    c->FrameRect(all);
    const int d = FDropDown ? 2 : 0;
    c->Font()->Assign(DefaultFont());
    c->Brush()->SetStyle(bsClear);
    DrawItemContent(c, TRect(2 + d, 2 + d, W - 17, H - 2), ShownIndex(), text);
    DrawDropDownArrow(c, TRect(W - 15 + d, d, W, H), c->Font()->Color());
}

void TbsSkinCustomOfficeComboBox::DrawToolButtonSkin(TBitmap* B, const String* text) {
    GetSkinData();
    if (FIndex == -1) return;
    TbsDataSkinButtonControl* r = bsFindButtonRecord(FSD, {L"resizetoolbutton", L"resizebutton"});
    TBitmap* pic = bsRecordPicture(FSD, r);
    if (!r || !pic) return;
    const int W = Width(), H = Height();
    const bool hot = FMouseIn || Focused();
    TRect src = FDropDown ? r->DownSkinRect : hot ? r->ActiveSkinRect : r->SkinRect;
    if (IsNullRect(src)) src = r->SkinRect;
    bsComposeRecord(r, pic, src, B, W, H, true);
    TCanvas* c = B->Canvas();
    SetupFont(c, UseSkinFont, r->FontName, r->FontHeight, r->FontStyle, DefaultFont());
    const TColor color = FDropDown ? r->DownFontColor
                         : hot     ? r->ActiveFontColor
                         : Enabled() ? r->FontColor
                                     : r->DisabledFontColor;
    c->Font()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
    const int d = FDropDown ? 2 : 0;
    DrawItemContent(c, TRect(2 + d, 2 + d, W - 17, H - 2), ShownIndex(), text);
    const TRect a(W - 15 + d, d, W, H);
    if (!IsNullRect(r->MenuMarkerRect)) {
        TRect part;
        if (FDropDown)
            part = !IsNullRect(r->MenuMarkerDownRect)     ? r->MenuMarkerDownRect
                   : !IsNullRect(r->MenuMarkerActiveRect) ? r->MenuMarkerActiveRect
                                                          : r->MenuMarkerRect;
        else
            part = FMouseIn && !IsNullRect(r->MenuMarkerActiveRect) ? r->MenuMarkerActiveRect : r->MenuMarkerRect;
        bsDrawMarker(c, Picture, part, r->MenuMarkerTransparentColor, a, 0);
    } else {
        DrawDropDownArrow(c, a, FDropDown ? r->DownFontColor : c->Font()->Color());
    }
}

// ---- PaintSkinTo -------------------------------------------------------------------------------

void TbsSkinCustomOfficeComboBox::PaintSkinTo(TCanvas* c, int x, int y, const String& aText) {
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0) return;
    GetSkinData();
    CalcRects();
    TBitmap b(W, H);
    TCanvas* bc = b.Canvas();
    if (FToolButtonStyle) {
        if (FIndex == -1) DrawToolButtonDefault(bc, &aText);
        else DrawToolButtonSkin(&b, &aText);
    } else {
        if (FIndex == -1) {
            TRect r(0, 0, W, H);
            bc->Brush()->SetColor(clBtnFace);
            bc->FillRect(r);
            bc->Frame3D(r, clBtnShadow, clBtnShadow, 1);
            bc->Brush()->SetColor(FDefaultColor);
            bc->FillRect(TRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1));
            DrawDefaultButton(bc);
            bc->Font()->Assign(DefaultFont());
        } else {
            DrawSkinBody(&b);
            DrawSkinButton(bc);
            bc->Font()->SetName(FontName);
            bc->Font()->SetStyle(FontStyle);
            bc->Font()->SetHeight(FontHeight);
            bc->Font()->SetColor(FontColor);
        }
        bc->Brush()->SetStyle(bsClear);
        TextRectVCentered(bc, aText, CBItem.R);
    }
    c->Draw(x, y, &b);
}
