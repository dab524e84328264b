// The skinned list box's rows: the plain and skinned row looks, the row
// content (picture, plain or tabbed text) and the inner list's background.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtilsImages.h"
#include "skin/boxes/bsSkinBoxCtrls.h"

// ---- rows ------------------------------------------------------------------------------------

void TbsSkinCustomListBox::DrawRow(TCanvas* target, int index, const TRect& rect, TOwnerDrawState state) {
    if (index < 0 || index >= ListBox->Count() || rect.Width() <= 0 || rect.Height() <= 0) return;
    const bool selected = (state & odSelected) != 0, focused = (state & odFocused) != 0;
    if (FIndex != -1) {
        if (Picture && !IsNullRect(SItemRect)) DrawSkinRow(target, index, rect, state);
        return;
    }
    TBitmap b(rect.Width(), rect.Height());
    TCanvas* c = b.Canvas();
    c->Font()->SetName(Font()->Name());
    c->Font()->SetStyle(Font()->Style());
    c->Font()->SetHeight(Font()->Height());
    c->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet
                                                        : DefaultFont()->Charset());
    c->Brush()->SetColor(selected ? clHighlight : clWindow);
    c->Font()->SetColor(selected ? TColor(clHighlightText) : Font()->Color());
    c->FillRect(TRect(0, 0, rect.Width(), rect.Height()));
    c->Brush()->SetStyle(bsClear);
    const TRect tr(2, 0, rect.Width() - 2, rect.Height());
    if (OnDrawItem) OnDrawItem(c, index, rect.Width(), rect.Height(), tr, state);
    else DrawRowContent(c, index, tr);
    if (focused) {
        RECT fr = {0, 0, rect.Width(), rect.Height()};
        DrawFocusRect(c->Handle(), &fr);
    }
    target->Draw(rect.left, rect.top, &b);
}

// A row from the skin's item pictures: a strip of the item's height
// (UseSkinItemHeight) or the picture stretched round its text rectangle.
void TbsSkinCustomListBox::DrawSkinRow(TCanvas* target, int index, const TRect& rect, TOwnerDrawState state) {
    const bool selected = (state & odSelected) != 0, focused = (state & odFocused) != 0;
    const int w = rect.Width();
    TRect tr = ItemTextRect;
    tr.right += w - SItemRect.Width();
    TColor color = focused && selected ? FocusFontColor : selected ? ActiveFontColor : FontColor;
    if (!UseSkinItemHeight) color = focused ? FocusFontColor : selected ? ActiveFontColor : FontColor;
    const int h = UseSkinItemHeight ? SItemRect.Height() : rect.Height();
    TBitmap b(w, h);
    bool focusFrame = false;
    if (UseSkinItemHeight) {
        TRect part = SItemRect;
        bool stretch = StretchEffect;
        if (focused && selected) part = FocusItemRect;
        else if (focused) focusFrame = true;
        else if (selected) part = ActiveItemRect;
        else stretch = false;
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &b, Picture, part, w, h, stretch);
    } else {
        const TRect part = focused ? FocusItemRect : selected ? ActiveItemRect : SItemRect;
        const TRect cl(ItemTextRect.left + 1, ItemTextRect.top + 1, ItemTextRect.right - 1, ItemTextRect.bottom - 1);
        CreateSkinImageFromClRect(&b, Picture, part, cl, true);
        tr.bottom += h - SItemRect.Height();
    }
    TCanvas* c = b.Canvas();
    SetupFont(c, UseSkinFont, FontName, FontHeight, FontStyle, DefaultFont());
    c->Font()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
    if (focusFrame) DrawDottedFocusRect(c, TRect(0, 0, w, h));
    if (OnDrawItem) {
        OnDrawItem(c, index, w, h, tr, state);
    } else {
        if (focused && ShowFocus) DrawDottedFocusRect(c, TRect(0, 0, w, h));
        DrawRowContent(c, index, tr);
    }
    target->Draw(rect.left, rect.top, &b);
}

// The inner list's background: the window colour, or the skin's client
// part tiled from the list's origin.
void TbsSkinCustomListBox::PaintListBackground(TCanvas* c, const TRect& r) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    if (FIndex == -1 || !Picture || IsNullRect(ClRect)) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clWindow);
        c->FillRect(r);
        return;
    }
    TRect part = ClRect;
    part.Offset(SkinRect.left, SkinRect.top);
    const int tw = part.Width(), th = part.Height();
    for (int y = 0; y < r.bottom; y += th)
        for (int x = 0; x < r.right; x += tw) {
            // The part of this tile inside r.
            const TRect dst(std::max<int>(x, r.left), std::max<int>(y, r.top), std::min<int>(x + tw, r.right),
                            std::min<int>(y + th, r.bottom));
            if (dst.Width() <= 0 || dst.Height() <= 0) continue;
            const int sx = part.left + dst.left - x, sy = part.top + dst.top - y;
            c->CopyRect(dst, Picture->Canvas(), TRect(sx, sy, sx + dst.Width(), sy + dst.Height()));
        }
}

void TbsSkinCustomListBox::DrawRowContent(TCanvas* c, int index, const TRect& tr) {
    const int offset = ListBox->HorizontalExtentValue;
    int textOffset = 0;
    if (FImages) {
        const int ii = FImageIndex < 0 ? index : FImageIndex;
        if (ii < FImages->Count())
            FImages->Draw(c, tr.left - offset, tr.top + tr.Height() / 2 - FImages->Height() / 2, ii, true);
        textOffset = FImages->Width() + 2;
    }
    const String s = ListBox->Items()->Get(index);
    if (FTabWidths.Count() > 0 && ListBox->Columns() == 0) {
        bsDrawTabbedText(c, s, tr, textOffset, &FTabWidths);
        return;
    }
    const int th = c->TextExtent(s).cy;
    c->TextRect(tr, tr.left + textOffset - offset + 2, tr.top + tr.Height() / 2 - th / 2, s);
}

// Tab stops from the first ten TabWidths lines; the horizontal offset does
// not apply to tabbed text.
void bsDrawTabbedText(TCanvas* c, const String& s, const TRect& r, int offset, TStrings* tabs) {
    int stops[10] = {};
    const int n = std::min(tabs->Count(), 10);
    for (int i = 0; i < n; ++i) {
        const String line = tabs->Get(i);
        int v = 0;
        for (wchar_t ch : line) {
            if (ch < L'0' || ch > L'9') {
                v = 0;
                break;
            }
            v = std::min(v * 10 + (ch - L'0'), 1 << 20);  // a stop past any screen
        }
        stops[i] = v;
    }
    const int th = c->TextExtent(s).cy;
    TabbedTextOutW(c->Handle(), r.left + offset + 2, r.top + r.Height() / 2 - th / 2, s.c_str(),
                   static_cast<int>(s.size()), n, stops, 0);
}

