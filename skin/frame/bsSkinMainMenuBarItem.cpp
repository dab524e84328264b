// The skinned menu bar, continued: one top-level item (layout, the plain
// and skinned looks with their hover blend and frame animation, hover and
// press, opening its popup).
#include <algorithm>

#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "skin/frame/bsSkinMenus.h"

TbsSkinMainMenuBarItem::TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* AParent, TbsDataSkinMainMenuBarItem* AData,
                                               TMenuItem* AItem)
    : Parent(AParent), MenuItem(AItem) {
    Enabled = OldEnabled = AItem->Enabled();
    if (!AData) return;
    FSkinSupport = true;
    Picture = AParent->ActivePicture(AData->ActivePictureIndex);
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    DownRect = AData->DownRect;
    if (IsNullRect(DownRect)) DownRect = IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
    TextRct = AData->TextRct;
    LO = AData->ItemLO;
    RO = AData->ItemRO;
    StretchEffect = AData->StretchEffect;
    FontName = AData->FontName;
    FontHeight = AData->FontHeight;
    FontStyle = AData->FontStyle;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    DownFontColor = AData->DownFontColor;
    UnEnabledFontColor = AData->UnEnabledFontColor;
    Morphing = AData->Morphing && !IsNullRect(ActiveSkinRect);
    MorphKind = AData->MorphKind;
    AnimateSkinRect = AData->AnimateSkinRect;
    FrameCount = AData->FrameCount;
    AnimateInterval = AData->AnimateInterval;
    InActiveAnimation = AData->InActiveAnimation;
    ObjectRect = SkinRect;
}

void TbsSkinMainMenuBarItem::SetMorphKf(double v) { FMorphKf = std::clamp(v, 0.0, 1.0); }

bool TbsSkinMainMenuBarItem::EnableMorphing() const { return Morphing && Parent->SkinEffectsOn(); }

bool TbsSkinMainMenuBarItem::EnableAnimation() const {
    return !IsNullRect(AnimateSkinRect) && Parent->SkinEffectsOn();
}

bool TbsSkinMainMenuBarItem::CanMorphing() const {
    return (!FDown || IsNullRect(DownRect)) && ((Active && FMorphKf < 1) || (!Active && FMorphKf > 0));
}

void TbsSkinMainMenuBarItem::DoMorphing() {
    SetMorphKf(FMorphKf + (Active ? 0.2 : -0.2));
    Parent->DrawBarObject(this);
}

void TbsSkinMainMenuBarItem::RedrawOrMorph() {
    if (EnableAnimation()) {
        const unsigned interval = static_cast<unsigned>(std::max(AnimateInterval, 1));
        if (Parent->AnimateTimer->Interval() != interval) Parent->AnimateTimer->SetInterval(interval);
        Parent->AnimateTimer->SetEnabled(true);
    } else if (EnableMorphing()) {
        Parent->MorphTimer->SetEnabled(true);
    } else {
        Parent->DrawBarObject(this);
    }
}

TRect TbsSkinMainMenuBarItem::GetAnimationFrameRect() const {
    const TRect& A = AnimateSkinRect;
    const int n = CurrentFrame, count = std::max(FrameCount, 1);
    if (RectHeight(SkinRect) < RectHeight(A)) {
        const int h = RectHeight(A) / count;
        return TRect(A.left, A.top + h * (n - 1), A.right, A.top + h * n);
    }
    const int w = RectWidth(A) / count;
    return TRect(A.left + w * (n - 1), A.top, A.left + w * n, A.bottom);
}

void TbsSkinMainMenuBarItem::SetupFont(TCanvas* C) {
    TFont* f = C->Font();
    if (FSkinSupport && Parent->UseSkinFont) {
        f->SetName(FontName);
        f->SetHeight(FontHeight);
        f->SetStyle(FontStyle);
    } else f->Assign(Parent->DefItemFont());
    if (Parent->SkinData() && Parent->SkinData()->ResourceStrData())
        f->SetCharset(Parent->SkinData()->ResourceStrData()->CharSet);
    else f->SetCharset(Parent->DefItemFont()->Charset());
}

// Places the item right of the one before it; items past the limit are
// hidden (and disabled) until they fit again.
void TbsSkinMainMenuBarItem::Layout(TCanvas* Cnvs) {
    int left = Parent->NewItemsRect.left;
    for (auto& o : Parent->ObjectList) {
        if (o.get() == this) break;
        if (o->ObjectRect.right != 0) left = o->ObjectRect.right;
    }
    SetupFont(Cnvs);
    RECT r{0, 0, 0, 0};
    DrawWideText(Cnvs, MenuItem->Caption(), r, DT_CALCRECT | DT_CENTER);
    const int wt = r.right - r.left;
    if (FSkinSupport && Parent->FSkinSupport)
        ObjectRect = TRect(left, Parent->NewItemsRect.top, left + RectWidth(SkinRect) - RectWidth(TextRct) + wt + 2,
                           Parent->NewItemsRect.top + RectHeight(SkinRect));
    else ObjectRect = TRect(left, Parent->NewItemsRect.top, left + wt + 12, Parent->NewItemsRect.bottom);
    const int limit = Parent->NewItemsRect.right - (Parent->ScrollMenu ? 5 : 0);
    if (ObjectRect.right > limit) {
        Parent->Scroll = true;
        if (Visible) {
            OldEnabled = Enabled;
            Enabled = false;
            Visible = false;
        }
    } else if (!Visible) {
        Visible = true;
        Enabled = OldEnabled;
    }
}

void TbsSkinMainMenuBarItem::Draw(TCanvas* Cnvs) {
    Layout(Cnvs);
    if (!Visible) return;
    if (!FSkinSupport || !Parent->FSkinSupport) DrawDefault(Cnvs);
    else if (Picture && !IsNullRect(SkinRect)) DrawSkinned(Cnvs);
}

void TbsSkinMainMenuBarItem::DrawDefault(TCanvas* Cnvs) {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    c->Brush()->SetStyle(bsSolid);
    if (FDown || FMouseIn || Active) {
        c->Brush()->SetColor(clNavy);
        c->FillRect(TRect(0, 0, w, h));
        c->Brush()->SetColor(static_cast<TColor>(FDown ? 0xB59285 : 0xD2BDB6));
        c->FillRect(TRect(1, 1, w - 1, h - 1));
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, w, h));
    }
    SetupFont(c);
    c->Font()->SetColor(Enabled ? Parent->DefItemFont()->Color() : clBtnShadow);
    c->Brush()->SetStyle(bsClear);
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(reinterpret_cast<TObject*>(this), c, TRect(0, 0, w, h), Active);
    } else {
        RECT r{0, 0, w, h};
        if (FDown) OffsetRect(&r, 1, 1);
        DrawWideText(c, MenuItem->Caption(), r, Parent->DrawTextBiDiModeFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    }
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &b);
}

// The item's picture R (hot: the hot text colour, stretched middle) with its
// caption, as a bitmap of the item's size.
void TbsSkinMainMenuBarItem::ComposeSkinned(TBitmap& b, TCanvas* Cnvs, const TRect& R, bool hot) {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (Parent->ItemTransparent && IsEqualRect(R, SkinRect)) {
        b.SetSize(w, h);
        b.Canvas()->CopyRect(TRect(0, 0, w, h), Cnvs, ObjectRect);
    } else CreateHSkinImage(LO, RO, &b, Picture, R, w, h, hot && StretchEffect);
    TCanvas* c = b.Canvas();
    SetupFont(c);
    c->Font()->SetColor(FDown ? DownFontColor : hot ? ActiveFontColor : MenuItem->Enabled() ? FontColor
                                                                                          : UnEnabledFontColor);
    c->Brush()->SetStyle(bsClear);
    RECT r = TextRct;
    RECT calc{0, 0, 0, 0};
    DrawWideText(c, MenuItem->Caption(), calc, DT_CALCRECT);
    r.right = r.left + (calc.right - calc.left) + 2;
    if (MenuItem->OnDrawItem) MenuItem->OnDrawItem(reinterpret_cast<TObject*>(this), c, TRect(r), hot);
    else DrawWideText(c, MenuItem->Caption(), r, Parent->DrawTextBiDiModeFlags(DT_CENTER | DT_VCENTER));
}

void TbsSkinMainMenuBarItem::DrawSkinned(TCanvas* Cnvs) {
    if (IsNullRect(TextRct)) return;
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    TBitmap b;
    const bool blending = EnableMorphing() && ((Active && FMorphKf < 1) || (!Active && FMorphKf > 0));
    if (FDown) ComposeSkinned(b, Cnvs, DownRect, true);
    else if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= FrameCount)
        ComposeSkinned(b, Cnvs, GetAnimationFrameRect(), true);
    else if (!blending) {
        if (Active && !IsNullRect(ActiveSkinRect)) ComposeSkinned(b, Cnvs, ActiveSkinRect, true);
        else ComposeSkinned(b, Cnvs, SkinRect, Active);
    } else {
        TBitmap normal, hot;
        ComposeSkinned(normal, Cnvs, SkinRect, false);
        ComposeSkinned(hot, Cnvs, ActiveSkinRect, true);
        b.SetSize(w, h);
        bsDrawMorphed(b.Canvas()->Handle(), &normal, &hot, FMorphKf, MorphKind);
    }
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &b);
}

void TbsSkinMainMenuBarItem::MouseEnter() {
    TbsSkinMainMenuBarItem* down = nullptr;
    for (auto& o : Parent->ObjectList)
        if (o.get() != this && o->FDown) down = o.get();
    if (down) {
        down->SetItemDown(false);
        Active = FMouseIn = true;
        if (EnableMorphing()) FMorphKf = 1;
        SetItemDown(true);
        return;
    }
    for (auto& o : Parent->ObjectList)
        if (o.get() != this && o->Active) {
            o->MouseLeave();
            break;
        }
    FMouseIn = Active = true;
    RedrawOrMorph();
    if (Parent->OnItemMouseEnter) Parent->OnItemMouseEnter(MenuItem);
    if (Parent->Hint != MenuItem->Hint) Parent->Hint = MenuItem->Hint;
}

void TbsSkinMainMenuBarItem::MouseLeave() {
    Active = FMouseIn = false;
    if (EnableAnimation() && !InActiveAnimation) {
        CurrentFrame = 0;
        Parent->DrawBarObject(this);
    }
    if (EnableMorphing() && FDown) FMorphKf = 0;
    RedrawOrMorph();
    if (Parent->OnItemMouseLeave) Parent->OnItemMouseLeave(MenuItem);
}

void TbsSkinMainMenuBarItem::SetItemDown(bool Value) {
    FDown = Value;
    if (Value) {
        FMorphKf = 1;
        Parent->DrawBarObject(this);
        // The bar enters menu mode with its first open item.
        if (TbsSkinFrame* f = Parent->bsSkinFrame(); f && !f->InMainMenu && f->OnMainMenuEnter)
            f->OnMainMenuEnter(Parent);
        PopupItemMenu();
        return;
    }
    Active = false;
    if (EnableAnimation()) {
        if (InActiveAnimation) {
            CurrentFrame = FrameCount + 1;
            RedrawOrMorph();
        } else {
            CurrentFrame = 0;
            Parent->DrawBarObject(this);
        }
    } else if (EnableMorphing()) {
        FMorphKf = 1;
        RedrawOrMorph();
    } else {
        Parent->DrawBarObject(this);
    }
}

void TbsSkinMainMenuBarItem::PopupItemMenu() {
    TbsSkinFrame* f = Parent->bsSkinFrame();
    if (!f) return;
    const TPoint tl = Parent->ClientToScreen(TPoint(ObjectRect.left, ObjectRect.top));
    const TRect r(tl.x, tl.y, tl.x + RectWidth(ObjectRect), tl.y + RectHeight(ObjectRect));
    f->SkinMenuOpen();
    f->InMainMenu = true;
    f->SkinMenu->Popup(nullptr, Parent->SkinData(), 0, r, MenuItem, Parent->PopupToUp);
}

void TbsSkinMainMenuBarItem::MouseDown() {
    TbsSkinFrame* f = Parent->bsSkinFrame();
    if (!Enabled || !f) return;
    if (MenuItem->Count() > 0) {
        Parent->MenuActive = true;
        SetItemDown(true);
        return;
    }
    if (f->InMainMenu) f->MainMenuExit();
    f->InMenu = false;
    if (EnableMorphing()) RedrawOrMorph();
    else Parent->DrawBarObject(this);
    if (TMenu* m = MenuItem->GetParentMenu(); m && m->DispatchCommand(MenuItem->Command())) return;
    MenuItem->Click();
}
