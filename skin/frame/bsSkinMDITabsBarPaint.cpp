// The MDI tab bar, continued: the bar's image (plain and skinned) and the
// tabs' looks: plain, skinned at the skin's size, skinned at any size, and
// as buttons; the close button in each.
#include <algorithm>

#include "platform/Forms.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/frame/bsSkinMDITabsBar.h"

namespace {

const TColor kHotTab = static_cast<TColor>(0xD2BDB6);
const TColor kActiveTab = static_cast<TColor>(0xB59385);

// A record's pressed, hot and normal pictures, each empty one replaced as
// a button does.
TRect ButtonPart(const TbsDataSkinButtonControl* r, bool down, bool hot) {
    TRect active = IsNullRect(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
    if (down) return IsNullRect(r->DownSkinRect) ? active : r->DownSkinRect;
    if (hot) return active;
    return r->SkinRect;
}

// The record's picture R composed at W x H with its corner points and
// client rectangle moved by the size difference.
void ComposeButton(TBitmap& B, const TbsDataSkinButtonControl* r, TBitmap* pic, const TRect& R, int W, int H) {
    const int dw = W - RectWidth(r->SkinRect), dh = H - RectHeight(r->SkinRect);
    const TRect cl(r->ClRect.left, r->ClRect.top, r->ClRect.right + dw, r->ClRect.bottom + dh);
    CreateSkinImage(r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect, r->LTPoint,
                    TPoint(r->RTPoint.x + dw, r->RTPoint.y), TPoint(r->LBPoint.x, r->LBPoint.y + dh),
                    TPoint(r->RBPoint.x + dw, r->RBPoint.y + dh), cl, &B, pic, R, W, H, true, r->LeftStretch,
                    r->TopStretch, r->RightStretch, r->BottomStretch, r->StretchEffect, r->StretchType);
}

TBitmap* RecordPicture(TbsSkinData* sd, const TbsDataSkinControl* r) {
    if (!sd || r->PictureIndex < 0 || r->PictureIndex >= static_cast<int>(sd->FActivePictures.size())) return nullptr;
    TBitmap* b = sd->FActivePictures[static_cast<size_t>(r->PictureIndex)].get();
    return b && !b->Empty() ? b : nullptr;
}

}  // namespace

// ---- a tab ------------------------------------------------------------------------------------

void TbsMDITab::Draw(TCanvas* Cnvs) {
    const int W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    TBitmap B(W, H, pf24bit);
    if (!TabsBar->Skinned()) DefaultDraw(B);
    else if (TabsBar->TabKind() == bstkButton) ButtonDraw(B);
    else if (TabsBar->UseSkinSize) SkinSizeDraw(B);
    else ResizeDraw(B);
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &B);
}

void TbsMDITab::DrawCaption(TCanvas* C, TRect R, TColor Color, bool AskParams) {
    TbsSkinMDITabsBar* bar = TabsBar;
    TFont* f = C->Font();
    if (bar->Skinned() && bar->UseSkinFont) {
        f->SetName(bar->FontName);
        f->SetStyle(bar->FontStyle);
        f->SetHeight(bar->FontHeight);
    } else f->Assign(bar->DefaultFont());
    if (bar->SkinData() && bar->SkinData()->ResourceStrData())
        f->SetCharset(bar->SkinData()->ResourceStrData()->CharSet);
    else f->SetCharset(bar->DefaultFont()->Charset());
    f->SetColor(Color);
    if (AskParams && bar->OnTabGetDrawParamsEvent) bar->OnTabGetDrawParamsEvent(this, C);
    String caption = Child->Caption();
    FitWideTextToWidth(C, caption, R.Width());
    C->Brush()->SetStyle(bsClear);
    RECT r = R;
    DrawWideText(C, caption, r, bar->DrawTextBiDiModeFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
}

void TbsMDITab::DefaultDraw(TBitmap& B) {
    const int W = B.Width(), H = B.Height();
    TCanvas* c = B.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Active ? kActiveTab : MouseIn ? kHotTab : clBtnFace);
    c->FillRect(TRect(0, 0, W, H));
    const int closeSize = TabsBar->FCloseSize;
    TRect text = TabsBar->ShowCloseButtons ? TRect(2, 0, W - closeSize - 5, H) : TRect(2, 0, W - 2, H);
    if (TabsBar->ShowCloseButtons) DrawCloseButton(c, TRect(text.right, 0, W, H));
    DrawCaption(c, text, TabsBar->DefaultFont()->Color(), true);
}

void TbsMDITab::SkinSizeDraw(TBitmap& B) {
    TbsSkinMDITabsBar* bar = TabsBar;
    const int W = B.Width(), H = B.Height();
    const TRect part = Active ? bar->ActiveTabRect : MouseIn ? bar->MouseInTabRect : bar->TabRect;
    CreateHSkinImage(bar->TabLeftOffset, bar->TabRightOffset, &B, bar->Picture, part, W, H, bar->TabStretchEffect);
    TCanvas* c = B.Canvas();
    TRect text = bar->ShowCloseButtons ? TRect(2, 0, W - bar->FCloseSize - 5, H)
                                       : TRect(bar->TabLeftOffset, 0, W - bar->TabRightOffset, H);
    if (bar->ShowCloseButtons) DrawCloseButton(c, TRect(text.right, 0, W, H));
    DrawCaption(c, text, Active ? bar->ActiveFontColor : MouseIn ? bar->MouseInFontColor : bar->FontColor, false);
}

void TbsMDITab::ResizeDraw(TBitmap& B) {
    TbsSkinMDITabsBar* bar = TabsBar;
    const int W = B.Width();
    const int H = B.Height() + (Active ? bar->FActiveTabOffset : 0);
    if (H != B.Height()) B.SetSize(W, H);
    TRect part = bar->TabRect;
    if (Active) part = bar->ActiveTabRect;
    else if (MouseIn && !IsNullRect(bar->MouseInTabRect)) part = bar->MouseInTabRect;
    const int Q = RectHeight(bar->TabRect) / 4;
    const TRect cl(bar->TabLeftOffset, Q, RectWidth(part) - bar->TabRightOffset, RectHeight(part) - Q);
    if (bar->Picture) CreateSkinImageFromClRect(&B, bar->Picture, part, cl, true);
    TCanvas* c = B.Canvas();
    TRect text = bar->ShowCloseButtons ? TRect(2, 2, W - bar->FCloseSize - 5, H) : TRect(2, 0, W - 2, H);
    if (bar->ShowCloseButtons) DrawCloseButton(c, TRect(text.right, 2, W, H));
    DrawCaption(c, text, Active ? bar->ActiveFontColor : MouseIn ? bar->MouseInFontColor : bar->FontColor, true);
}

void TbsMDITab::ButtonDraw(TBitmap& B) {
    TbsSkinMDITabsBar* bar = TabsBar;
    const TbsDataSkinButtonControl* r = bar->ButtonRecord(L"resizebutton");
    TBitmap* pic = r ? RecordPicture(bar->SkinData(), r) : nullptr;
    if (!r || !pic) return;
    const int W = B.Width(), H = B.Height();
    ComposeButton(B, r, pic, ButtonPart(r, Active, MouseIn), W, H);
    TCanvas* c = B.Canvas();
    const int dw = W - RectWidth(r->SkinRect), dh = H - RectHeight(r->SkinRect);
    TRect text(r->ClRect.left, r->ClRect.top, r->ClRect.right + dw, r->ClRect.bottom + dh);
    if (bar->ShowCloseButtons) {
        text.right -= bar->FCloseSize + 3;
        DrawCloseButton(c, TRect(text.right, 0, text.right + bar->FCloseSize + 3, H));
    }
    const TColor color = Active ? r->DownFontColor : MouseIn ? r->ActiveFontColor : r->FontColor;
    // A text taller than the client area gets its height, centred in the tab.
    c->Font()->SetHeight(bar->UseSkinFont ? bar->FontHeight : bar->DefaultFont()->Height());
    const int th = WideTextHeight(c, Child->Caption());
    if (th > text.Height()) {
        text.top = H / 2 - th / 2;
        text.bottom = text.top + th;
    }
    DrawCaption(c, text, color, true);
}

void TbsMDITab::DrawCloseButton(TCanvas* Cnvs, const TRect& R) {
    TbsSkinMDITabsBar* bar = TabsBar;
    const int C = R.top + R.Height() / 2;
    if (!bar->Skinned()) {
        ButtonRect = TRect(R.left, C - 7, R.left + 14, C + 7);
        DrawCloseImage(Cnvs, ButtonRect.left + 2, ButtonRect.top + 2, ButtonMouseIn ? clWhite : clBlack);
        return;
    }
    if (!IsNullRect(bar->CloseButtonRect) && bar->Picture) {
        const TRect part = ButtonMouseDown && ButtonMouseIn ? bar->CloseButtonDownRect
                           : ButtonMouseIn                  ? bar->ClosebuttonActiveRect
                                                            : bar->CloseButtonRect;
        const int w = RectWidth(part), h = RectHeight(part);
        ButtonRect = TRect(R.left, C - h / 2, R.left + w, C - h / 2 + h);
        TBitmap b(w, h);
        b.Canvas()->CopyRect(TRect(0, 0, w, h), bar->Picture->Canvas(), part);
        if (bar->ButtonTransparent) {
            b.SetTransparentMode(tmFixed);
            b.SetTransparentColor(bar->ButtonTransparentColor);
            b.SetTransparent(true);
        }
        Cnvs->Draw(ButtonRect.left, ButtonRect.top, &b);
        return;
    }
    const TbsDataSkinButtonControl* r = bar->ButtonRecord(L"resizetoolbutton");
    TBitmap* pic = r ? RecordPicture(bar->SkinData(), r) : nullptr;
    if (!r || !pic) return;
    const int s = bar->FCloseSize;
    TBitmap b;
    ComposeButton(b, r, pic, ButtonPart(r, ButtonMouseDown && ButtonMouseIn, ButtonMouseIn), s, s);
    const TColor ink = ButtonMouseDown && ButtonMouseIn ? r->DownFontColor
                       : ButtonMouseIn                  ? r->ActiveFontColor
                                                        : r->FontColor;
    DrawCloseImage(b.Canvas(), b.Width() / 2 - 5, b.Height() / 2 - 5, ink);
    ButtonRect = TRect(R.left, C - b.Height() / 2, R.left + b.Width(), C - b.Height() / 2 + b.Height());
    Cnvs->Draw(ButtonRect.left, ButtonRect.top, &b);
}

// ---- the bar ----------------------------------------------------------------------------------

void TbsSkinMDITabsBar::CreateControlDefaultImage(TBitmap* B) {
    B->Canvas()->Brush()->SetStyle(bsSolid);
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(TRect(0, 0, B->Width(), B->Height()));
    DrawTabs(B->Canvas());
}

void TbsSkinMDITabsBar::CreateControlSkinImage(TBitmap* B) {
    const int BH = B->Height() - (FTabKind == bstkTab ? FBottomOffset : 0);
    if (FSD->MDITabsTransparent) DrawParentImage(this, B->Canvas());
    else if (Picture && !IsNullRect(TabsBGRect)) {
        const int w = RectWidth(TabsBGRect);
        TBitmap bg(w, std::max<int>(RectHeight(TabRect), 1));
        SetStretchBltMode(bg.Canvas()->Handle(), COLORONCOLOR);
        StretchBlt(bg.Canvas()->Handle(), 0, 0, bg.Width(), bg.Height(), Picture->Canvas()->Handle(), TabsBGRect.left,
                   TabsBGRect.top, w, RectHeight(TabsBGRect), SRCCOPY);
        SetStretchBltMode(B->Canvas()->Handle(), COLORONCOLOR);
        for (int i = 0; w > 0 && i <= Width() / w; ++i)
            StretchBlt(B->Canvas()->Handle(), i * w, 0, w, BH, bg.Canvas()->Handle(), 0, 0, bg.Width(), bg.Height(),
                       SRCCOPY);
    } else {
        B->Canvas()->Brush()->SetColor(clBtnFace);
        B->Canvas()->FillRect(TRect(0, 0, B->Width(), B->Height()));
    }
    if (FTabKind == bstkTab && !IsNullRect(SkinRect) && Picture && FBottomOffset > 0) {
        TBitmap strip;
        const TRect part(SkinRect.left + LTPoint.x, SkinRect.top, SkinRect.right + RTPoint.x - RectWidth(SkinRect),
                         SkinRect.top + ClRect.top);
        CreateHSkinImage(LTPoint.x, RectWidth(SkinRect) - RTPoint.x, &strip, Picture, part, Width(), FBottomOffset,
                         TopStretch);
        B->Canvas()->Draw(0, B->Height() - FBottomOffset, &strip);
    }
    DrawTabs(B->Canvas());
}

void TbsSkinMDITabsBar::UpdateActiveTab() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    TCustomForm* active = main ? main->ActiveMDIChild() : nullptr;
    if (!active) return;
    for (auto& t : ObjectList) t->Active = t->Child == active;
    Repaint();
}

void TbsSkinMDITabsBar::RefreshTabOf(TCustomForm* Child) {
    for (auto& t : ObjectList)
        if (t->Child == Child && t->Visible) t->Draw(Canvas());
}
