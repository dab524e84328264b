// Painting of one entry of a skinned menu level (TbsSkinMenuItem): the
// skinned look from the menu-item object, the plain look, the header band,
// the marks and glyphs, and the hover transitions.
#include <algorithm>
#include <memory>

#include "platform/ImgList.h"
#include "skin/bsEffectsTransitions.h"
#include "skin/bsResStrData.h"
#include "skin/bsSkinRecords.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/frame/bsSkinMenus.h"

// ---- default marks ----------------------------------------------------------------------------------

void DrawMenuCheckMark(TCanvas* C, int X, int Y, TColor Color) {
    C->Pen()->SetColor(Color);
    for (int i = 0; i <= 2; ++i) {
        C->MoveTo(X, Y + 5 - i);
        C->LineTo(X + 2, Y + 7 - i);
        C->LineTo(X + 7, Y + 2 - i);
    }
}

void DrawMenuArrowMark(TCanvas* C, int X, int Y, TColor Color) {
    C->Pen()->SetColor(Color);
    for (int i = 0; i <= 3; ++i) {
        C->MoveTo(X + i, Y + i);
        C->LineTo(X + i, Y + 7 - i);
    }
}

void DrawMenuRadioMark(TCanvas* C, int X, int Y, TColor Color) {
    C->Pen()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Ellipse(X, Y, X + 6, Y + 6);
}

namespace {

// The glyphs of the frame's own window-command items, by item name; false
// for any other item.
bool DrawNamedGlyph(TCanvas* C, const String& name, int X, int Y, TColor Color) {
    if (name == L"BSF_CLOSE" || name == L"TRAY_BSF_CLOSE") DrawCloseImage(C, X, Y, Color);
    else if (name == L"BSF_MINITEM") DrawMinimizeImage(C, X, Y, Color);
    else if (name == L"BSF_MAXITEM") DrawMaximizeImage(C, X, Y, Color);
    else if (name == L"BSF_RESTORE" || name == L"TRAY_BSF_RESTORE") DrawRestoreImage(C, X, Y, Color);
    else if (name == L"BSF_ROLLUP") DrawRollUpImage(C, X, Y, Color);
    else if (name == L"BSF_MINTOTRAY") DrawMinimizeToTrayImage(C, X, Y, Color);
    else return false;
    return true;
}

// The picture an entry shows: the image of the level's list when its
// index is in range, else the item's own bitmap when that is not empty.
struct EntryImage {
    TCustomImageList* list = nullptr;
    TBitmap* bitmap = nullptr;
    int width = 0, height = 0;
};

bool FindImage(TMenuItem* item, TCustomImageList* list, EntryImage& out) {
    if (list && item->ImageIndex() >= 0 && item->ImageIndex() < list->Count()) {
        out = EntryImage{list, nullptr, list->Width(), list->Height()};
        return true;
    }
    if (!item->HasBitmap()) return false;
    TBitmap* b = item->Bitmap();
    out = EntryImage{nullptr, b, b->Width(), b->Height()};
    return true;
}

// A checked item's picture gets a frame in the ink; the picture comes last.
void DrawEntryImage(TCanvas* C, const EntryImage& img, const TMenuItem* item, int X, int Y, TColor ink) {
    if (item->Checked()) {
        C->Pen()->SetColor(ink);
        C->Brush()->SetStyle(bsClear);
        C->Rectangle(X - 1, Y - 1, X + img.width + 1, Y + img.height + 1);
    }
    if (img.list) img.list->Draw(C, X, Y, item->ImageIndex(), item->Enabled());
    else C->Draw(X, Y, img.bitmap);
}

UINT TextFlags(TbsSkinPopupWindow* level) {
    TCustomForm* f = level->ParentMenu ? level->ParentMenu->FForm : nullptr;
    return f ? f->DrawTextBiDiModeFlags(DT_CENTER | DT_VCENTER) : (DT_CENTER | DT_VCENTER);
}

// Caption and shortcut in the text area T (right margin `margin`); returns
// nothing, draws with the canvas's current font.
void DrawCaptionAndShortCut(TCanvas* C, TbsSkinPopupWindow* level, const TMenuItem* item, const TRect& T, int glyph,
                            int margin) {
    const UINT flags = TextFlags(level);
    RECT r{T.left + glyph, 0, T.right - margin, 0};
    const String caption = item->Caption();
    DrawWideText(C, caption, r, DT_CALCRECT);
    const int h = r.bottom - r.top;
    OffsetRect(&r, 0, RectHeight(T) / 2 + T.top - h / 2);
    r.right += 2;
    C->Brush()->SetStyle(bsClear);
    DrawWideText(C, caption, r, flags);
    if (item->ShortCut() == scNone) return;
    const String sc = ShortCutToText(item->ShortCut());
    RECT s{0, 0, 0, 0};
    DrawWideText(C, sc, s, DT_CALCRECT);
    const int sw = s.right - s.left;
    RECT sr{T.right - sw - margin, r.top, T.right - margin, r.bottom};
    DrawWideText(C, sc, sr, flags);
}

}  // namespace

// ---- state and transitions ---------------------------------------------------------------------------------

void TbsSkinMenuItem::SetMorphKf(double v) {
    FMorphKf = v;
    if (FMorphKf < 0) FMorphKf = 0;
    if (FMorphKf > 1) FMorphKf = 1;
}

bool TbsSkinMenuItem::EnableMorphing() const {
    TbsSkinData* sd = Parent->SD;
    return MI && MI->Morphing && sd && !sd->Empty && sd->EnableSkinEffects;
}

bool TbsSkinMenuItem::EnableAnimation() const {
    TbsSkinData* sd = Parent->SD;
    return MI && !IsNullRect(MI->AnimateSkinRect) && MI->FrameCount > 0 && sd && !sd->Empty &&
           sd->EnableSkinEffects;
}

bool TbsSkinMenuItem::CanMorphing() {
    if (!FVisible && FMorphKf != 0) {
        Active = false;
        Down = false;
        FMorphKf = 0;
    }
    if (!FVisible) return false;
    return IsActiveLook() ? FMorphKf < 1 : FMorphKf > 0;
}

void TbsSkinMenuItem::DoMorphing() {
    SetMorphKf(FMorphKf + (IsActiveLook() ? 0.2 : -0.2));
    if (Parent->HandleAllocated() && Parent->Visible()) Draw(Parent->Canvas());
}

void TbsSkinMenuItem::ReDraw() {
    const bool shown = Parent->HandleAllocated() && Parent->Visible();
    if (MI && EnableAnimation()) {
        Parent->MorphTimer->SetInterval(static_cast<unsigned>(std::max(1, MI->AnimateInterval)));
        if (MI->InActiveAnimation || Active) Parent->MorphTimer->SetEnabled(true);
        else {
            CurrentFrame = 0;
            if (shown) Draw(Parent->Canvas());
        }
    } else if (MI && EnableMorphing()) {
        Parent->MorphTimer->SetInterval(20);
        Parent->MorphTimer->SetEnabled(true);
    } else if (shown) Draw(Parent->Canvas());
}

void TbsSkinPopupWindow::MorphTimerProc() {
    bool changed = false;
    for (auto& e : ItemList) {
        if (e->EnableMorphing() && e->CanMorphing()) {
            e->DoMorphing();
            changed = true;
        } else if (e->EnableAnimation()) {
            if (e->Active && e->CurrentFrame <= e->MI->FrameCount) {
                ++e->CurrentFrame;
                if (HandleAllocated()) e->Draw(Canvas());
                changed = true;
            } else if (!e->Active && e->CurrentFrame > 0) {
                --e->CurrentFrame;
                if (HandleAllocated()) e->Draw(Canvas());
                changed = true;
            }
        }
    }
    if (!changed) MorphTimer->SetEnabled(false);
}

// ---- the skinned entry --------------------------------------------------------------------------------------

void TbsSkinMenuItem::SetupFont(TCanvas* C, bool A) {
    TbsSkinMenu* menu = Parent->ParentMenu;
    TFont* f = C->Font();
    if (menu && menu->UseSkinFont() && MI) {
        f->SetName(MI->FontName);
        f->SetStyle(MI->FontStyle);
        f->SetHeight(MI->FontHeight);
    } else if (menu) f->Assign(menu->DefaultMenuItemFont());
    if (Parent->SD && Parent->SD->ResourceStrData()) f->SetCharset(Parent->SD->ResourceStrData()->CharSet);
    else if (menu) f->SetCharset(menu->DefaultMenuItemFont()->Charset());
    if (MI) f->SetColor(A ? MI->ActiveFontColor : (MenuItem->Enabled() ? MI->FontColor : MI->UnEnabledFontColor));
    C->Brush()->SetStyle(bsClear);
}

void TbsSkinMenuItem::DrawMarkPicture(TCanvas* C, const TRect& part, const TRect& r) {
    if (!ActivePicture || IsNullRect(part)) return;
    TBitmap b(RectWidth(part), RectHeight(part));
    b.Canvas()->CopyRect(TRect(0, 0, b.Width(), b.Height()), ActivePicture->Canvas(), part);
    b.SetTransparent(true);
    const int x = std::max<int>(r.left, r.left + RectWidth(r) / 2 - b.Width() / 2);
    const int y = std::max<int>(r.top, r.top + RectHeight(r) / 2 - b.Height() / 2);
    C->Draw(x, y, &b);
}

void MakeLabelBand(TBitmap& Band, const TbsDataSkinLabelControl& Rec, TBitmap* Picture, int Width,
                   const String& Caption, UINT Flags, TFontCharset Charset) {
    const TRect& sr = Rec.SkinRect;
    CreateHSkinImage(Rec.LTPoint.x, RectWidth(sr) - Rec.RTPoint.x, &Band, Picture, sr, Width, RectHeight(sr),
                     Rec.StretchEffect);
    TCanvas* c = Band.Canvas();
    c->Font()->SetColor(Rec.FontColor);
    c->Font()->SetName(Rec.FontName);
    c->Font()->SetHeight(Rec.FontHeight);
    c->Font()->SetStyle(Rec.FontStyle);
    c->Font()->SetCharset(Charset);
    c->Brush()->SetStyle(bsClear);
    RECT r{Rec.ClRect.left, Rec.ClRect.top, Band.Width() + Rec.ClRect.right - RectWidth(sr), Band.Height()};
    DrawWideText(c, Caption, r, Flags);
}

void TbsSkinMenuItem::DrawHeaderBand(TBitmap* B) {
    TbsSkinData* sd = Parent->SD;
    int i = sd ? sd->GetControlIndex(L"menuheader") : -1;
    if (i < 0 && sd) i = sd->GetControlIndex(L"label");
    if (i < 0) return;
    auto* rec = dynamic_cast<TbsDataSkinLabelControl*>(sd->CtrlList[static_cast<size_t>(i)].get());
    if (!rec) return;
    TBitmap* pic = (rec->PictureIndex >= 0 && rec->PictureIndex < static_cast<int>(sd->FActivePictures.size()))
                       ? sd->FActivePictures[static_cast<size_t>(rec->PictureIndex)].get()
                       : nullptr;
    if (!pic || IsNullRect(rec->SkinRect)) return;
    TBitmap band;
    const String& cap = MenuItem->Caption();
    MakeLabelBand(band, *rec, pic, B->Width(), cap.substr(1, cap.size() - 2), TextFlags(Parent),
                  B->Canvas()->Font()->Charset());
    B->Canvas()->Draw(0, (B->Height() - band.Height()) / 2, &band);
}

void TbsSkinMenuItem::DrawSkinImage(TBitmap* B, bool A, const TRect* framePart) {
    TRect P = A ? MI->ActiveSkinRect : MI->SkinRect;
    bool S = A ? MI->StretchEffect : MI->InActiveStretchEffect;
    if (framePart) {
        P = *framePart;
        if (!A && !MI->InActiveStretchEffect) S = MI->StretchEffect;
    }
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (!A && MI->InActiveTransparent && Parent->FPaintBuffer) {
        B->SetSize(w, h);
        B->Canvas()->CopyRect(TRect(0, 0, w, h), Parent->FPaintBuffer->Canvas(), ObjectRect);
    } else if (ActivePicture && !IsNullRect(P)) {
        CreateHSkinImage(MI->ItemLO, MI->ItemRO, B, ActivePicture, P, w, RectHeight(P), S);
    } else {
        B->SetSize(w, h);
    }
    TCanvas* c = B->Canvas();
    TCustomImageList* imgs = Parent->ImgL;
    int G = imgs ? Parent->GlyphWidth : 16;
    if (!IsNullRect(MI->ImageRct)) G = 0;
    TRect T = MI->TextRct;
    T.right = B->Width() + MI->TextRct.right - RectWidth(MI->SkinRect);
    SetupFont(c, A);
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(reinterpret_cast<TObject*>(this), c, T, A);
        return;
    }
    if (IsMenuHeader(MenuItem)) {
        DrawHeaderBand(B);
        return;
    }
    DrawCaptionAndShortCut(c, Parent, MenuItem, T, G, 16);
    TColor ink = c->Font()->Color();
    if (MenuItem->Count() > 0) {
        if (IsNullRect(MI->ArrowImageRect)) DrawMenuArrowMark(c, T.right - 7, RectHeight(T) / 2 + T.top - 4, ink);
        else
            DrawMarkPicture(c, A ? MI->ActiveArrowImageRect : MI->ArrowImageRect,
                            TRect(T.right - RectWidth(MI->ArrowImageRect) - 5, T.top, T.right, T.bottom));
    }
    if (MI->UseImageColor) ink = A ? MI->ActiveImageColor : MI->ImageColor;
    const bool emptyImg = IsNullRect(MI->ImageRct);
    if (EntryImage img; FindImage(MenuItem, imgs, img)) {
        const int iw = img.width, ih = img.height;
        const int x = emptyImg ? T.left + 2 : RectWidth(MI->ImageRct) / 2 + MI->ImageRct.left - iw / 2;
        const int y = emptyImg ? RectHeight(T) / 2 + T.top - ih / 2
                               : RectHeight(MI->ImageRct) / 2 + MI->ImageRct.top - ih / 2;
        DrawEntryImage(c, img, MenuItem, x, y, ink);
        return;
    }
    const int x = emptyImg ? T.left + 2 : RectWidth(MI->ImageRct) / 2 + MI->ImageRct.left - 4;
    const int y = emptyImg ? RectHeight(T) / 2 + T.top - 4 : RectHeight(MI->ImageRct) / 2 + MI->ImageRct.top - 4;
    const TRect markRect =
        emptyImg ? TRect(MI->TextRct.left + 2, MI->TextRct.top, MI->TextRct.left + 16, MI->TextRct.bottom) : MI->ImageRct;
    if (DrawNamedGlyph(c, MenuItem->Name(), x, y, ink)) return;
    if (!MenuItem->Checked()) return;
    if (MenuItem->RadioItem()) {
        if (IsNullRect(MI->RadioImageRect)) DrawMenuRadioMark(c, x, y + 1, ink);
        else DrawMarkPicture(c, A ? MI->ActiveRadioImageRect : MI->RadioImageRect, markRect);
    } else {
        if (IsNullRect(MI->CheckImageRect)) DrawMenuCheckMark(c, x, y, ink);
        else DrawMarkPicture(c, A ? MI->ActiveCheckImageRect : MI->CheckImageRect, markRect);
    }
}

void TbsSkinMenuItem::Draw(TCanvas* Cnvs) {
    if (!FVisible) return;
    if (!MI) {
        DefaultDraw(Cnvs);
        return;
    }
    TBitmap b;
    if (IsMenuSeparator(MenuItem)) {
        if (ActivePicture && !IsNullRect(MI->DividerRect))
            CreateHSkinImage(MI->DividerLO, MI->DividerRO, &b, ActivePicture, MI->DividerRect, RectWidth(ObjectRect),
                             RectHeight(MI->DividerRect), MI->DividerStretchEffect);
        else b.SetSize(RectWidth(ObjectRect), RectHeight(ObjectRect));
    } else {
        const bool A = IsActiveLook();
        if (EnableAnimation() && CurrentFrame > 0 && CurrentFrame <= MI->FrameCount) {
            const TRect& asr = MI->AnimateSkinRect;
            TRect frame;
            if (RectHeight(MI->SkinRect) < RectHeight(asr)) {
                const int fh = RectHeight(asr) / MI->FrameCount;
                frame = TRect(asr.left, asr.top + fh * (CurrentFrame - 1), asr.right, asr.top + fh * CurrentFrame);
            } else {
                const int fw = RectWidth(asr) / MI->FrameCount;
                frame = TRect(asr.left + fw * (CurrentFrame - 1), asr.top, asr.left + fw * CurrentFrame, asr.bottom);
            }
            DrawSkinImage(&b, A, &frame);
        } else if (EnableMorphing() && !(A && FMorphKf == 1) && (A || FMorphKf != 0)) {
            TBitmap b2;
            DrawSkinImage(&b, false, nullptr);
            DrawSkinImage(&b2, true, nullptr);
            std::unique_ptr<TbsEffectBmp> e1(TbsEffectBmp::CreateFromhWnd(b.Handle()));
            std::unique_ptr<TbsEffectBmp> e2(TbsEffectBmp::CreateFromhWnd(b2.Handle()));
            switch (MI->MorphKind) {
            case mkGradient: e1->MorphGrad(e2.get(), FMorphKf); break;
            case mkLeftGradient: e1->MorphLeftGrad(e2.get(), FMorphKf); break;
            case mkRightGradient: e1->MorphRightGrad(e2.get(), FMorphKf); break;
            case mkLeftSlide: e1->MorphLeftSlide(e2.get(), FMorphKf); break;
            case mkRightSlide: e1->MorphRightSlide(e2.get(), FMorphKf); break;
            case mkPush: e1->MorphPush(e2.get(), FMorphKf); break;
            default: e1->Morph(e2.get(), FMorphKf); break;
            }
            e1->Draw(b.Canvas()->Handle(), 0, 0);
        } else if (EnableMorphing()) {
            DrawSkinImage(&b, A && FMorphKf == 1, nullptr);
        } else {
            DrawSkinImage(&b, A, nullptr);
        }
    }
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &b);
}

// ---- the plain entry -------------------------------------------------------------------------------------------

void TbsSkinMenuItem::DefaultDraw(TCanvas* Cnvs) {
    TBitmap b(RectWidth(ObjectRect), RectHeight(ObjectRect));
    if (b.Width() <= 0 || b.Height() <= 0) return;
    TCanvas* c = b.Canvas();
    TCustomImageList* imgs = Parent->ImgL;
    const int G = imgs ? Parent->GlyphWidth : 19;
    TbsSkinMenu* menu = Parent->ParentMenu;
    if (menu) c->Font()->Assign(menu->DefaultMenuItemFont());
    if (menu && menu->SkinData && menu->SkinData->ResourceStrData())
        c->Font()->SetCharset(menu->SkinData->ResourceStrData()->CharSet);
    const int W = b.Width(), H = b.Height();
    const bool sep = IsMenuSeparator(MenuItem);
    c->Brush()->SetStyle(bsSolid);
    if (IsActiveLook() && !sep) {
        c->Brush()->SetColor(static_cast<TColor>(0x800000));
        c->FillRect(TRect(0, 0, W, H));
        c->Brush()->SetColor(static_cast<TColor>(0xD2BDB6));
        c->FillRect(TRect(1, 1, W - 1, H - 1));
        c->Font()->SetColor(clWindowText);
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, G, H));
        c->Brush()->SetColor(clWindow);
        c->FillRect(TRect(G, 0, W, H));
        c->Font()->SetColor(MenuItem->Enabled() ? clWindowText : clBtnShadow);
    }
    if (sep) {
        c->Pen()->SetColor(clBtnShadow);
        c->MoveTo(G, H / 2);
        c->LineTo(W, H / 2);
    } else {
        const TRect I(2, 2, W - 2, H - 2);
        if (IsMenuHeader(MenuItem)) {
            c->Brush()->SetColor(clBtnShadow);
            c->FillRect(TRect(0, 0, W, H));
            c->Font()->SetColor(clBtnHighlight);
            c->Brush()->SetStyle(bsClear);
            const String& cap = MenuItem->Caption();
            RECT r = I;
            DrawWideText(c, cap.substr(1, cap.size() - 2), r, TextFlags(Parent));
        } else {
            DrawCaptionAndShortCut(c, Parent, MenuItem, I, G, 19);
            const TColor ink = c->Font()->Color();
            const int my = RectHeight(I) / 2 + I.top - 4;
            if (MenuItem->Count() > 0) DrawMenuArrowMark(c, I.right - 7, my, ink);
            if (EntryImage img; FindImage(MenuItem, imgs, img)) {
                DrawEntryImage(c, img, MenuItem, I.left + 2, RectHeight(I) / 2 + I.top - img.height / 2, ink);
            } else if (!DrawNamedGlyph(c, MenuItem->Name(), I.left + 2, my, ink) && MenuItem->Checked()) {
                if (MenuItem->RadioItem()) DrawMenuRadioMark(c, I.left + 3, my, ink);
                else DrawMenuCheckMark(c, I.left + 3, my, ink);
            }
        }
    }
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &b);
}
