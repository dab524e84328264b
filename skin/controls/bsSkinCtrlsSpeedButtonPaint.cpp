// The speed button's faces: plain, skinned, cross-faded and transparent,
// and the content choice shared with the menu button.
#include "platform/ImgList.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

void TbsSkinSpeedButton::SetupFont(TCanvas* c, bool skinned) {
    TFont* f = c->Font();
    if (skinned && UseSkinFont) {
        f->SetName(FontName);
        f->SetStyle(FontStyle);
        f->SetHeight(FontHeight);
    } else {
        f->Assign(&FDefaultFont);
    }
    if (FSD && FSD->ResourceStrData()) f->SetCharset(FSD->ResourceStrData()->CharSet);
    else f->SetCharset(FDefaultFont.Charset());
}

void TbsSkinSpeedButton::DrawContent(TCanvas* c, const TRect& r, bool down, bool mouseIn, bool shifted) {
    const String text = FShowCaption ? Caption() : String();
    c->Brush()->SetStyle(bsClear);
    int menuImage = -1;
    String menuCaption;
    if (FSkinImagesMenu && FUseImagesMenuImage && FSkinImagesMenu->SelectedImage(menuImage, menuCaption)) {
        // The images menu's chosen item.
        DrawImageAndText(c, r, FMargin, FSpacing, FLayout, FUseImagesMenuCaption ? menuCaption : text, menuImage,
                         FSkinImagesMenu->Images(), shifted, Enabled(), false, 0);
        return;
    }
    const bool noGlyph = FGlyph.Empty();
    if (auto* bar = dynamic_cast<TbsSkinToolBar*>(Parent()); noGlyph && bar) {
        // The tool bar's lists: disabled images drawn as they are, hot ones
        // under the mouse or pressed.
        TCustomImageList* list = bar->Images();
        bool enabled = Enabled();
        if (!Enabled() && bar->DisabledImages()) list = bar->DisabledImages(), enabled = true;
        else if ((mouseIn || down) && bar->HotImages()) list = bar->HotImages();
        DrawImageAndText(c, r, FMargin, FSpacing, FLayout, text, list ? FImageIndex : -1, list, shifted, enabled, false,
                         0);
        return;
    }
    if (noGlyph && FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count()) {
        DrawImageAndText(c, r, FMargin, FSpacing, FLayout, text, FImageIndex, FImageList, shifted, Enabled(), false, 0);
        return;
    }
    int cell = 1;
    if (down && mouseIn && FNumGlyphs > 2) cell = 3;
    else if (mouseIn && FNumGlyphs > 3) cell = 4;
    else if (Enabled() || FNumGlyphs < 2) cell = 1;
    else cell = 2;
    DrawGlyphAndText(c, r, FMargin, FSpacing, FLayout, text, noGlyph ? nullptr : &FGlyph, FNumGlyphs, cell, shifted,
                     false, 0);
}

void TbsSkinSpeedButton::PaintContent(TCanvas* c, const TRect& r, bool down, bool mouseIn, bool shifted) {
    bool drawDefault = true;
    if (OnPaint) OnPaint(this, c, r, down, mouseIn, drawDefault);
    if (drawDefault) DrawContent(c, r, down, mouseIn, shifted);
}

void TbsSkinSpeedButton::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* c = B->Canvas();
    TRect r(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    if (PressedLook() || FMouseIn) {
        c->Frame3D(r, bsPlainHotFrame, bsPlainHotFrame, 1);
        c->Brush()->SetColor(PressedLook() ? bsPlainDownFill : bsPlainHotFill);
        c->FillRect(r);
    } else if (Has(csDesigning) || !FFlat) {
        c->Frame3D(r, clBtnShadow, clBtnShadow, 1);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    } else if (!Transparent()) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    SetupFont(c, false);
    c->Font()->SetColor(Enabled() ? FDefaultFont.Color() : clBtnShadow);
    PaintContent(c, TRect(0, 0, Width(), Height()), FDown, FMouseIn, PressedLook());
}

void TbsSkinSpeedButton::DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool down, bool mouseIn) {
    B->SetSize(Width(), Height());
    TCanvas* c = B->Canvas();
    if (!UseSkinSize && ResizeMode != 1 && Picture) {
        // Free size: the face stretched (fixed parts) or composed round its
        // client rectangle (three-piece parts).
        if (ResizeMode == 0) {
            HDC dc = c->Handle();
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, 0, 0, B->Width(), B->Height(), Picture->Canvas()->Handle(), r.left, r.top, r.Width(),
                       r.Height(), SRCCOPY);
        } else if (ResizeMode == 2 || ResizeMode == 3) {
            CreateSkinImageFromClRect(B, Picture, r, ClRect, true);
        }
    } else {
        DrawSkinPicture(B, Picture, r);
    }
    SetupFont(c, true);
    TColor color = !Enabled() ? DisabledFontColor : down ? DownFontColor : mouseIn ? ActiveFontColor : FontColor;
    if (!UseSkinFontColor && Enabled()) color = FDefaultFont.Color();
    c->Font()->SetColor(color);
    PaintContent(c, NewClRect, down, mouseIn, down);
}

void TbsSkinSpeedButton::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    const bool skinned = FIndex != -1 && Picture;
    TBitmap B(Width(), Height());
    const auto straight = [&](bool skinnedFont, const TRect& r) {
        // Transparent and idle: only the content, over the parent.
        SetupFont(Canvas(), skinnedFont);
        const TbsSkinColors* colors = skinnedFont ? FSD->SkinColors() : nullptr;
        TColor color = FDefaultFont.Color();
        if (!Enabled()) color = colors ? colors->cBtnShadow : clBtnShadow;
        else if (colors && UseSkinFontColor) color = colors->cBtnText;
        Canvas()->Font()->SetColor(color);
        PaintContent(Canvas(), r, FDown, FMouseIn, false);
    };
    if (!skinned) {
        if (!PressedLook() && !FMouseIn && Transparent()) {
            straight(false, TRect(0, 0, Width(), Height()));
            return;
        }
        CreateControlDefaultImage(&B);
        Canvas()->Draw(0, 0, &B);
        return;
    }
    if (MorphActive() && FMorphKf > 0 && FMorphKf < 1 && !Transparent()) {
        TBitmap B2(Width(), Height());
        DrawGlyphAndCaption(&B, SkinRect, false, false);
        DrawGlyphAndCaption(&B2, ActiveSkinRect, false, true);
        bsDrawMorphed(Canvas()->Handle(), &B, &B2, FMorphKf, MorphKind);
        return;
    }
    if (PressedLook()) {
        DrawGlyphAndCaption(&B, DownSkinRect, true, true);
    } else if (FMouseIn || (MorphActive() && FMorphKf >= 1)) {
        DrawGlyphAndCaption(&B, ActiveSkinRect, false, true);
    } else if (Transparent()) {
        straight(true, NewClRect);
        return;
    } else {
        const TRect part = Enabled() || IsNullRect(DisabledSkinRect) ? SkinRect : DisabledSkinRect;
        DrawGlyphAndCaption(&B, part, false, false);
    }
    Canvas()->Draw(0, 0, &B);
}
