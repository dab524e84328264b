// The caption object: caption picture, frame image, text with its effects,
// activation morph and animation, and the quick buttons.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsEffectsGlow.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinHint.h"

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData)
    : TbsActiveSkinObject(AParent, AData) {
    auto* d = dynamic_cast<TbsDataSkinCaption*>(AData);
    if (!d) return;
    FontName = d->FontName;
    FontStyle = d->FontStyle;
    FontHeight = d->FontHeight;
    FontColor = d->FontColor;
    ActiveFontColor = d->ActiveFontColor;
    Shadow = d->Shadow;
    ShadowColor = d->ShadowColor;
    ActiveShadowColor = d->ActiveShadowColor;
    Light = d->Light;
    LightColor = d->LightColor;
    ActiveLightColor = d->ActiveLightColor;
    Alignment = d->Alignment;
    TextRct = d->TextRct;
    FrameRect = d->FrameRect;
    ActiveFrameRect = d->ActiveFrameRect;
    FrameLeftOffset = d->FrameLeftOffset;
    FrameRightOffset = d->FrameRightOffset;
    FrameTextRect = d->FrameTextRect;
    StretchEffect = d->StretchEffect;
    FullFrame = d->FullFrame;
    AnimateSkinRect = d->AnimateSkinRect;
    FrameCount = d->FrameCount;
    AnimateInterval = d->AnimateInterval;
    InActiveAnimation = d->InActiveAnimation;
    VistaGlowEffect = d->VistaGlowEffect;
    VistaGlowInActiveEffect = d->VistaGlowInActiveEffect;
    GlowEffect = d->GlowEffect;
    GlowInActiveEffect = d->GlowInActiveEffect;
    GlowSize = d->GlowSize;
    GlowOffset = d->GlowOffset;
    GlowColor = d->GlowColor;
    GlowActiveColor = d->GlowActiveColor;
    ReflectionEffect = d->ReflectionEffect;
    ReflectionOffset = d->ReflectionOffset;
    ReflectionColor = d->ReflectionColor;
    ReflectionActiveColor = d->ReflectionActiveColor;
}

bool TbsSkinCaptionObject::EnableAnimation() const {
    return HasSkin() && SD->EnableSkinEffects && !IsNullRect(AnimateSkinRect);
}

bool TbsSkinCaptionObject::HasQuickButtons() const {
    return Parent->QuickButtons()->Count() > 0 && Parent->QuickImageList();
}

TRect TbsSkinCaptionObject::GetAnimationFrameRect() const {
    const TRect& A = AnimateSkinRect;
    const int n = CurrentFrame, count = std::max(FrameCount, 1);
    if (SkinRect.Height() < A.Height()) {
        const int h = A.Height() / count;
        return TRect(A.left, A.top + h * (n - 1), A.right, A.top + h * n);
    }
    const int w = A.Width() / count;
    return TRect(A.left + w * (n - 1), A.top, A.left + w * n, A.bottom);
}

void TbsSkinCaptionObject::CreateCaptionImage(TBitmap* B, const TRect& R, TBitmap* Pict) const {
    const int w = std::max(static_cast<int>(ObjectRect.Width()), 1), h = std::max(static_cast<int>(ObjectRect.Height()), 1);
    B->SetSize(w, h);
    if (!Pict) return;
    const int L = std::max(0, static_cast<int>(SD->LTPoint.x - SkinRect.left));
    const int Rw = std::max(0, static_cast<int>(SkinRect.right - SD->RTPoint.x));
    if (L || Rw) CreateHSkinImage(L, Rw, B, Pict, R, w, h, StretchEffect);
    else {
        SetStretchBltMode(B->Canvas()->Handle(), COLORONCOLOR);
        StretchBlt(B->Canvas()->Handle(), 0, 0, w, h, Pict->Canvas()->Handle(), R.left, R.top, R.Width(), R.Height(),
                   SRCCOPY);
    }
}

TRect TbsSkinCaptionObject::TextArea() const {
    TRect T = TextRct;
    if (!IsNullRect(TextRct)) {
        if (HasQuickButtons())
            T.left += Parent->QuickButtons()->Count() * (Parent->QuickImageList()->Width() + 8);
        T.right = ObjectRect.Width() - (SkinRect.Width() - TextRct.right);
    }
    if (!IsNullRect(FrameRect)) {
        T.top += FrameTextRect.top;
        T.left += FrameTextRect.left;
        T.right -= FrameRect.Width() - FrameTextRect.right;
    }
    return T;
}

void TbsSkinCaptionObject::DrawCaptionText(TCanvas* Cnvs, int OffsetX, int OffsetY, bool AActive,
                                           TCanvas* EventCanvas) {
    if (Parent->OnCaptionPaint) {
        // An off-screen picture is put on the shown canvas first; the event
        // runs on that canvas afterwards (PutCaption).
        if (EventCanvas) Parent->OnCaptionPaint(EventCanvas, ObjectRect, AActive);
        return;
    }
    String text = Parent->MDICaption();
    if (text.empty() || IsNullRect(TextRct)) return;
    const TRect T = TextArea();
    Cnvs->Font()->SetName(FontName);
    Cnvs->Font()->SetStyle(FontStyle);
    Cnvs->Font()->SetHeight(FontHeight);
    if (SD->ResourceStrData()) Cnvs->Font()->SetCharset(SD->ResourceStrData()->CharSet);
    else Cnvs->Font()->SetCharset(Parent->DefCaptionFont()->Charset());
    FitWideTextToWidth(Cnvs, text, T.Width());
    const int W = WideTextWidth(Cnvs, text), H = WideTextHeight(Cnvs, text);
    int Y = T.top + T.Height() / 2 - H / 2;
    int X = T.left;
    const TAlignment align = Parent->QuickButtons()->Count() > 0 ? taCenter : Alignment;
    if (align == taRightJustify) X = T.right - W;
    else if (align == taCenter) X = T.left + T.Width() / 2 - W / 2;
    X += OffsetX;
    Y += OffsetY;
    Cnvs->Brush()->SetStyle(bsClear);
    if (!IsNullRect(FrameRect) && ActivePicture) {
        const TRect F = (AActive && !IsNullRect(ActiveFrameRect)) ? ActiveFrameRect : FrameRect;
        const int fw = FullFrame ? ObjectRect.Width() - 2 * SD->ButtonsOffset : FrameRect.Width() + W - FrameTextRect.Width();
        if (fw > 0) {
            TBitmap fb;
            CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &fb, ActivePicture, F, fw, FrameRect.Height(), false);
            const int fx = FullFrame ? ObjectRect.left + SD->ButtonsOffset : X - FrameTextRect.left;
            BitBlt(Cnvs->Handle(), fx, Y - FrameTextRect.top, fb.Width(), fb.Height(), fb.Canvas()->Handle(), 0, 0,
                   SRCCOPY);
        }
    }
    const TColor keep = Cnvs->Font()->Color();
    const UINT flags = Parent->FForm->DrawTextBiDiModeFlags(DT_VCENTER);
    const auto pass = [&](int x, int y, TColor color) {
        Cnvs->Font()->SetColor(color);
        RECT r{x, y, x, y};
        DrawWideText(Cnvs, text, r, DT_CALCRECT);
        DrawWideText(Cnvs, text, r, flags);
        Cnvs->Font()->SetColor(keep);
    };
    if (Light) pass(X - 1, Y - 1, AActive ? ActiveLightColor : LightColor);
    if (Shadow) pass(X + 1, Y + 1, AActive ? ActiveShadowColor : ShadowColor);
    RECT r{X, Y, X, Y};
    DrawWideText(Cnvs, text, r, DT_CALCRECT);
    const TColor glow = AActive ? GlowActiveColor : GlowColor;
    if (ReflectionEffect)
        DrawReflectionText(Cnvs, TRect(r), text, AActive ? ReflectionActiveColor : ReflectionColor, ReflectionOffset, flags);
    else if (VistaGlowEffect && (AActive || VistaGlowInActiveEffect))
        DrawVistaGlowText(Cnvs, TRect(r), text, glow, flags);
    else if (GlowEffect && (AActive || GlowInActiveEffect))
        DrawGlowWideText(Cnvs, TRect(r), text, GlowSize, glow, GlowOffset, flags);
    else DrawWideText(Cnvs, text, r, flags);
}

void TbsSkinCaptionObject::ComposeCaption(TBitmap& B, const TRect& R, TBitmap* Pict, TColor fontColor,
                                          bool textActive) {
    CreateCaptionImage(&B, R, Pict);
    B.Canvas()->Font()->SetColor(fontColor);
    const TRect keep = ObjectRect;
    DrawCaptionText(B.Canvas(), -keep.left + keep.left, 0, textActive, nullptr);
}

void TbsSkinCaptionObject::Draw(TCanvas* Cnvs, bool) {
    if (!HasSkin()) return;
    if (HasQuickButtons()) PaintQuickButtons(Cnvs);
    Cnvs->Font()->SetColor(Active ? ActiveFontColor : FontColor);
    const auto put = [&](TBitmap& B, bool textActive) {
        BitBlt(Cnvs->Handle(), ObjectRect.left, ObjectRect.top, B.Width(), B.Height(), B.Canvas()->Handle(), 0, 0,
               SRCCOPY);
        if (Parent->OnCaptionPaint) Parent->OnCaptionPaint(Cnvs, ObjectRect, textActive);
    };
    if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        TBitmap B;
        ComposeCaption(B, GetAnimationFrameRect(), ActivePicture, Active ? FontColor : ActiveFontColor, !Active);
        return put(B, !Active);
    }
    if (EnableMorphing() && ((FMorphKf > 0 && !Active) || (FMorphKf < 1 && Active))) {
        TBitmap B1, B2;
        ComposeCaption(B1, SkinRect, Picture, FontColor, false);
        ComposeCaption(B2, ActiveSkinRect, ActivePicture, ActiveFontColor, true);
        TBitmap out(B1.Width(), B1.Height());
        bsDrawMorphed(out.Canvas()->Handle(), &B1, &B2, FMorphKf, MorphKind);
        if (Parent->GetAutoRenderingInActiveImage() && !Active) ApplyInActiveEffect(SD, &out);
        return put(out, Active);
    }
    if (IsNullRect(ActiveSkinRect) || (!Active && !StretchEffect)) {
        // Directly over what the frame painted, text in the state's colour.
        Cnvs->Font()->SetColor(Active ? ActiveFontColor : FontColor);
        DrawCaptionText(Cnvs, ObjectRect.left, ObjectRect.top, Active, Cnvs);
        return;
    }
    TBitmap B;
    if (!Active) {
        ComposeCaption(B, SkinRect, Picture, FontColor, false);
        if (Parent->GetAutoRenderingInActiveImage()) ApplyInActiveEffect(SD, &B);
    } else ComposeCaption(B, ActiveSkinRect, ActivePicture, ActiveFontColor, true);
    put(B, Active);
}

void TbsSkinCaptionObject::PaintQuickButtons(TCanvas* Cnvs) {
    TCustomImageList* il = Parent->QuickImageList();
    const int iw = il->Width(), ih = il->Height();
    int X = ObjectRect.left;
    const int Y = ObjectRect.top + ObjectRect.Height() / 2 - ih / 2 - 2;
    TbsQuickButtonItems* items = Parent->QuickButtons();
    for (int i = 0; i < items->Count(); ++i) {
        TbsQuickButtonItem* it = items->Items(i);
        if (!it->Visible()) continue;
        it->ItemRect = TRect(X, Y, X + iw + 4, Y + ih + 4);
        if (it->Active) {
            int ci = SD->GetControlIndex(L"officequickbutton");
            if (ci < 0) ci = SD->GetControlIndex(L"resizetoolbutton");
            if (ci >= 0) {
                auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(SD->CtrlList[static_cast<size_t>(ci)].get());
                TBitmap* pic = rec && rec->PictureIndex >= 0 && rec->PictureIndex < static_cast<int>(SD->FActivePictures.size())
                                   ? SD->FActivePictures[static_cast<size_t>(rec->PictureIndex)].get()
                                   : nullptr;
                if (pic) {
                    TBitmap face(it->ItemRect.Width(), it->ItemRect.Height());
                    CreateSkinImageFromClRect(&face, pic, it->Down ? rec->DownSkinRect : rec->ActiveSkinRect,
                                              rec->ClRect, true);
                    BitBlt(Cnvs->Handle(), it->ItemRect.left, it->ItemRect.top, face.Width(), face.Height(),
                           face.Canvas()->Handle(), 0, 0, SRCCOPY);
                }
            }
        }
        il->Draw(Cnvs, it->ItemRect.left + it->ItemRect.Width() / 2 - iw / 2,
                 it->ItemRect.top + it->ItemRect.Height() / 2 - ih / 2, it->ImageIndex(), it->Enabled());
        X += iw + 8;
    }
}

void TbsSkinCaptionObject::TestQuickButtons(int X, int Y) {
    TbsQuickButtonItems* items = Parent->QuickButtons();
    if (items->Count() == 0) return;
    OldActiveQuickButton = ActiveQuickButton;
    ActiveQuickButton = -1;
    for (int i = 0; i < items->Count(); ++i) {
        TbsQuickButtonItem* it = items->Items(i);
        if (it->Enabled() && it->Visible() && IsPointInRect(it->ItemRect, TPoint(X, Y))) {
            ActiveQuickButton = i;
            break;
        }
    }
    bool changed = false;
    for (int i = 0; i < items->Count(); ++i) {
        const bool a = i == ActiveQuickButton;
        changed = changed || items->Items(i)->Active != a;
        items->Items(i)->Active = a;
    }
    if (ActiveQuickButton != OldActiveQuickButton || changed) items->Changed();
    TbsSkinHint* hint = Parent->SkinHint();
    if (!hint || !Parent->QuickButtonsShowHint) return;
    if (ActiveQuickButton != -1 && ActiveQuickButton != OldActiveQuickButton &&
        !items->Items(ActiveQuickButton)->Hint.empty())
        hint->ActivateHint2(items->Items(ActiveQuickButton)->Hint);
    if (changed && ActiveQuickButton == -1) hint->HideHint();
}

void TbsSkinCaptionObject::MouseMove(int X, int Y) {
    TbsActiveSkinObject::MouseMove(X, Y);
    if (Parent->QuickButtons()->Count() > 0) TestQuickButtons(X, Y);
}

void TbsSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button) {
    Parent->ObjectMouseDownEvent(IDName, X, Y, ObjectRect, Button);
    TbsQuickButtonItems* items = Parent->QuickButtons();
    if (items->Count() == 0) return;
    TestQuickButtons(X, Y);
    if (ActiveQuickButton == -1) return;
    for (int i = 0; i < items->Count(); ++i) {
        items->Items(i)->Down = i == ActiveQuickButton;
        if (i != ActiveQuickButton) items->Items(i)->Active = false;
    }
    items->Changed();
    if (Parent->QuickButtonsShowHint && Parent->SkinHint()) Parent->SkinHint()->HideHint();
}

void TbsSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button) {
    Parent->ObjectMouseUpEvent(IDName, X, Y, ObjectRect, Button);
    TbsQuickButtonItems* items = Parent->QuickButtons();
    if (items->Count() == 0) return;
    TestQuickButtons(X, Y);
    for (int i = 0; i < items->Count(); ++i) items->Items(i)->Down = false;
    items->Changed();
    if (ActiveQuickButton == -1) return;
    TbsQuickButtonItem* it = items->Items(ActiveQuickButton);
    if (it->OnClick) it->OnClick(this);
}

void TbsSkinCaptionObject::MouseEnter() {
    FMouseIn = true;
    Parent->ObjectMouseEnterEvent(IDName);
}

void TbsSkinCaptionObject::MouseLeave() {
    FMouseIn = false;
    Parent->ObjectMouseLeaveEvent(IDName);
    if (Parent->QuickButtons()->Count() == 0) return;
    ActiveQuickButton = OldActiveQuickButton = -1;
    TestQuickButtons(-1, -1);
}
