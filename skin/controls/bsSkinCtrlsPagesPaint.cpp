// Painting of the skinned page control: border, tab strip, tabs, close
// buttons and backgrounds. Tabs are composed lying horizontally and turned
// for the left and right sides; the skin draws tabs for the top, so bottom
// tabs are mirrored.
#include <algorithm>
#include <cstdint>

#include "skin/bsResStrData.h"
#include "skin/controls/bsSkinCtrlsPages.h"
#include "skin/controls/bsSkinCtrlsButtonFace.h"

namespace {

// Turns src a quarter (counter-clockwise when ccw) into dst.
void Turn(TBitmap& src, TBitmap& dst, bool ccw) {
    src.SetPixelFormat(pf32bit);
    const int w = src.Width(), h = src.Height();
    dst.SetPixelFormat(pf32bit);
    dst.SetSize(h, w);
    for (int y = 0; y < h; ++y) {
        const auto* s = static_cast<const uint32_t*>(src.ScanLine(y));
        for (int x = 0; x < w; ++x) {
            // ccw: (x, y) -> (y, w - 1 - x); cw: (x, y) -> (h - 1 - y, x).
            const int nx = ccw ? y : h - 1 - y, ny = ccw ? w - 1 - x : x;
            static_cast<uint32_t*>(dst.ScanLine(ny))[nx] = s[x];
        }
    }
}

void FlipVert(TBitmap& b) {
    b.SetPixelFormat(pf32bit);
    const int h = b.Height(), w = b.Width();
    for (int y = 0; y < h / 2; ++y) {
        auto* a = static_cast<uint32_t*>(b.ScanLine(y));
        auto* z = static_cast<uint32_t*>(b.ScanLine(h - 1 - y));
        std::swap_ranges(a, a + w, z);
    }
}

// Tiles part `tile` of pic over a w x h area of c from (0, 0); an empty tile
// draws nothing.
void Tile(TCanvas* c, TBitmap* pic, const TRect& tile, int w, int h) {
    if (!pic || tile.Width() <= 0 || tile.Height() <= 0) return;
    TBitmap t(tile.Width(), tile.Height());
    t.Canvas()->CopyRect(TRect(0, 0, tile.Width(), tile.Height()), pic->Canvas(), tile);
    for (int y = 0; y <= h / tile.Height(); ++y)
        for (int x = 0; x <= w / tile.Width(); ++x) c->Draw(x * tile.Width(), y * tile.Height(), &t);
}

}  // namespace

void TbsSkinPageControl::PaintSkinBackground(HDC dc, int w, int h, int sheetW, int sheetH) {
    if (w < 1 || h < 1 || !dc) return;
    GetSkinData();
    TCanvas c;
    c.SetHandle(dc);
    TBitmap* source = nullptr;
    TBitmap client;
    if (BGPictureIndex != -1 && FSD && BGPictureIndex < static_cast<int>(FSD->FActivePictures.size())) {
        source = FSD->FActivePictures[static_cast<size_t>(BGPictureIndex)].get();
        sheetW = w, sheetH = h;
    } else if (Picture && !IsNullRect(ClRect)) {
        TRect part = ClRect;
        OffsetRect(&part, SkinRect.left, SkinRect.top);
        client.SetSize(part.Width(), part.Height());
        client.Canvas()->CopyRect(TRect(0, 0, part.Width(), part.Height()), Picture->Canvas(), part);
        source = &client;
    }
    if (!source || source->Width() < 1 || source->Height() < 1) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(TRect(0, 0, w, h));
    } else if (!StretchEffect) {
        Tile(&c, source, TRect(0, 0, source->Width(), source->Height()), w, h);
    } else if (StretchType == bsstFull) {
        c.StretchDraw(TRect(0, 0, sheetW, sheetH), source);
    } else if (StretchType == bsstHorz) {
        for (int x = 0; x <= w / source->Width(); ++x)
            c.StretchDraw(TRect(x * source->Width(), 0, (x + 1) * source->Width(), sheetH), source);
    } else {
        for (int y = 0; y <= h / source->Height(); ++y)
            c.StretchDraw(TRect(0, y * source->Height(), sheetW, (y + 1) * source->Height()), source);
    }
    c.SetHandle(nullptr);
}

void TbsSkinPageControl::PaintWindow(HDC dc) {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    const int saved = SaveDC(dc);
    TCanvas c;
    c.SetHandle(dc);
    if (Skinned()) DrawSkinBorder(&c);
    else DrawDefaultBorder(&c);
    DrawTabs(&c);
    c.SetHandle(nullptr);
    RestoreDC(dc, saved);
}

void TbsSkinPageControl::DrawDefaultBorder(TCanvas* c) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(ClientRect());
    if (FHideBorder) return;
    TRect d = DisplayRect();
    InflateRect(&d, 1, 1);
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(d);
}

void TbsSkinPageControl::DrawSkinBorder(TCanvas* c) {
    if (FHideBorder) return;
    const TRect d = DisplayRect();
    const int fl = ClRect.left, ft = ClRect.top;
    const int fr = SkinRect.Width() - ClRect.right, fb = SkinRect.Height() - ClRect.bottom;
    const TRect f(d.left - fl, d.top - ft, d.right + fr, d.bottom + fb);
    if (f.Width() <= 0 || f.Height() <= 0) return;
    const int dw = f.Width() - SkinRect.Width(), dh = f.Height() - SkinRect.Height();
    TBitmap B;
    CreateSkinImage(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, LTPoint, TPoint(RTPoint.x + dw, RTPoint.y),
                    TPoint(LBPoint.x, LBPoint.y + dh), TPoint(RBPoint.x + dw, RBPoint.y + dh),
                    TRect(ClRect.left, ClRect.top, ClRect.right + dw, ClRect.bottom + dh), &B, Picture, SkinRect,
                    f.Width(), f.Height(), true, LeftStretch, TopStretch, RightStretch, BottomStretch, StretchEffect,
                    StretchType);
    const HDC dc = c->Handle();
    const int saved = SaveDC(dc);
    const TRect s = GetSelectedTabRect();
    if (!IsNullRect(s) && !FHideTabs) ExcludeClipRect(dc, s.left, s.top, s.right, s.bottom);
    c->Draw(f.left, f.top, &B);
    RestoreDC(dc, saved);
}

TRect TbsSkinPageControl::GetSelectedTabRect() {
    const int ti = TabIndex();
    if (ti < 0 || ti >= PageCount() || !HasVisibleTabs() || !ActivePage()) return TRect();
    TRect r = GetItemRect(ti);
    const int d = Skinned() ? ActiveTabRect.Height() - TabRect.Height() : 0;
    switch (TabPosition()) {
    case tpTop:
        r.bottom += d;
        break;
    case tpBottom:
        r.top -= d;
        break;
    case tpLeft:
        r.right += d;
        break;
    case tpRight:
        r.left -= d;
        break;
    }
    return r;
}

void TbsSkinPageControl::DrawTabs(TCanvas* c) {
    if (FHideTabs || PageCount() == 0) return;
    const int tabs = VisibleTabCount();
    const int selected = TabIndex();
    if (!Skinned()) {
        for (int i = 0; i < tabs; ++i) DrawSkinTab(i, GetItemRect(i), c, i == FActiveTabIndex, i == selected);
        return;
    }
    const TRect d = DisplayRect();
    const int fl = ClRect.left, ft = ClRect.top;
    const int fr = SkinRect.Width() - ClRect.right, fb = SkinRect.Height() - ClRect.bottom;
    const TRect f(d.left - fl, d.top - ft, d.right + fr, d.bottom + fb);
    int bw = Width(), bh = Height(), ox = 0, oy = 0;
    switch (TabPosition()) {
    case tpTop:
        bh = f.top;
        break;
    case tpBottom:
        bh = Height() - f.bottom, oy = f.bottom;
        break;
    case tpLeft:
        bw = f.left;
        break;
    case tpRight:
        bw = Width() - f.right, ox = f.right;
        break;
    }
    if (bw > 0 && bh > 0) {
        TBitmap B(bw, bh);
        if (FTabsBGTransparent) {
            DrawParentImageOffset(this, TRect(ox, oy, ox + bw, oy + bh), B.Canvas());
        } else {
            TRect tile = TabsBGRect;
            if (IsNullRect(tile)) {
                tile = ClRect;
                OffsetRect(&tile, SkinRect.left, SkinRect.top);
            }
            Tile(B.Canvas(), Picture, tile, bw, bh);
        }
        for (int i = 0; i < tabs; ++i) {
            if (i == selected) continue;
            TRect r = GetItemRect(i);
            OffsetRect(&r, -ox, -oy);
            DrawSkinTab(i, r, B.Canvas(), i == FActiveTabIndex, false);
        }
        const HDC dc = c->Handle();
        const int saved = SaveDC(dc);
        const TRect s = GetSelectedTabRect();
        if (!IsNullRect(s)) ExcludeClipRect(dc, s.left, s.top, s.right, s.bottom);
        c->Draw(ox, oy, &B);
        RestoreDC(dc, saved);
    }
    if (selected >= 0 && selected < PageCount()) {
        TRect r = GetItemRect(selected);
        const int diff = TabRect.Height() - ActiveTabRect.Height();
        if (diff != 0 && TabPosition() == tpBottom) OffsetRect(&r, 0, diff);
        if (diff != 0 && TabPosition() == tpRight) OffsetRect(&r, diff, 0);
        DrawSkinTab(selected, r, c, selected == FActiveTabIndex, true);
    }
}

void TbsSkinPageControl::DrawTabFace(TBitmap* B, bool mouseIn, bool active, bool focused) {
    TRect part = TabRect;
    if (mouseIn && !active && !IsNullRect(MouseInTabRect)) part = MouseInTabRect;
    else if (active && focused) part = FocusTabRect;
    else if (active) part = ActiveTabRect;
    if (TabHeight() > 0) {
        const int q = TabRect.Height() / 4;
        if (active && TabRect.Height() < ActiveTabRect.Height())
            B->SetSize(B->Width(), B->Height() + ActiveTabRect.Height() - TabRect.Height());
        CreateSkinImageFromClRect(B, Picture, part,
                                  TRect(TabLeftOffset, q, part.Width() - TabRightOffset, part.Height() - q), true);
    } else {
        CreateHSkinImage(TabLeftOffset, TabRightOffset, B, Picture, part, B->Width(), B->Height(), TabStretchEffect);
    }
    if (TabPosition() == tpBottom) FlipVert(*B);
}

void TbsSkinPageControl::DrawSkinTab(int tab, const TRect& r, TCanvas* c, bool mouseIn, bool active) {
    auto* page = VisiblePage(tab);
    if (FHideTabs || !page) return;
    const bool vertical = TabPosition() == tpLeft || TabPosition() == tpRight;
    int w = vertical ? r.Height() : r.Width(), h = vertical ? r.Width() : r.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap B(w, h);
    TCanvas* bc = B.Canvas();
    const bool focused = Focused();
    const bool skinned = Skinned();
    TColor textColor = clBtnText;
    if (!skinned) {
        TRect t(0, 0, w, h);
        bc->Brush()->SetStyle(bsSolid);
        if (mouseIn && !active) {
            bc->Brush()->SetColor(bsPlainHotFill);
        } else if (active) {
            bc->Frame3D(t, bsPlainHotFrame, bsPlainHotFrame, 1);
            bc->Brush()->SetColor(focused ? bsPlainDownFill : bsPlainHotFill);
        } else {
            bc->Brush()->SetColor(clBtnFace);
        }
        bc->FillRect(t);
        bc->Font()->Assign(Font());
        textColor = Font()->Color();
    } else {
        DrawTabFace(&B, mouseIn, active, focused);
        if (UseSkinFont) {
            bc->Font()->SetName(FontName);
            bc->Font()->SetStyle(FontStyle);
            bc->Font()->SetHeight(FontHeight);
        } else {
            bc->Font()->Assign(Font());
        }
        textColor = mouseIn && !active ? MouseInFontColor : active && focused ? FocusFontColor
                    : active                                                  ? ActiveFontColor
                                                                              : FontColor;
    }
    if (FSD && FSD->ResourceStrData()) bc->Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    bc->Font()->SetColor(textColor);
    bc->Brush()->SetStyle(bsClear);
    if (vertical && FTextInHorizontal) {
        TBitmap turned;
        Turn(B, turned, TabPosition() == tpLeft);
        B.Assign(&turned);
        bc = B.Canvas();
        bc->Font()->SetColor(textColor);
        bc->Brush()->SetStyle(bsClear);
    }
    TRect t(0, 0, B.Width(), B.Height());
    if (skinned && ShowFocus && focused && active) {
        TRect f = t;
        InflateRect(&f, -FocusOffsetX, -FocusOffsetY);
        DrawDottedFocusRect(bc, f);
    }
    int dy = 0;
    if (skinned && TabRect.Height() != ActiveTabRect.Height() && !active) {
        dy = TabPosition() == tpTop || TabPosition() == tpLeft ? 2 : -2;
        t.top += dy;
    }
    const int cr = FShowCloseButtons ? FCloseSize + 2 : 0;
    if (OnDrawSkinTab) {
        OnDrawSkinTab(tab, TRect(0, 0, B.Width(), B.Height()), active, mouseIn, bc);
    } else {
        const bool hasImage = FImages && page->ImageIndex >= 0 && page->ImageIndex < FImages->Count();
        const String text = page->Caption();
        const TRect content(t.left, t.top, t.right - cr, t.bottom);
        if (cr > 0) t.right -= skinned ? cr + 3 : cr;
        if (FTabExtendedDraw) {
            DrawImageAndText(bc, content, FTabMargin, FTabSpacing, FTabLayout, text, FImages ? page->ImageIndex : -1,
                             FImages, false, page->Enabled(), false, 0);
        } else if (hasImage) {
            DrawTabImageAndText(bc, B.Width() - cr, B.Height(), dy, page, text);
        } else {
            RECT tr = t;
            DrawTextW(bc->Handle(), text.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        }
    }
    if (FShowCloseButtons) {
        auto* sp = dynamic_cast<TbsSkinCustomTabSheet*>(page);
        if (sp) {
            if (!mouseIn) sp->ButtonMouseIn = false;
            DrawCloseButton(bc, TRect(t.right, t.top + dy, B.Width(), t.bottom), B.Height(), B.Width(), sp);
        }
    }
    if (vertical && !FTextInHorizontal) {
        TBitmap turned;
        Turn(B, turned, TabPosition() == tpLeft);
        c->Draw(r.left, r.top, &turned);
    } else {
        c->Draw(r.left, r.top, &B);
    }
}

void TbsSkinPageControl::DrawTabImageAndText(TCanvas* c, int w, int h, int dy, TTabSheet* page, const String& text) {
    // Image and text centred as one group.
    RECT m{0, 0, 0, 0};
    DrawTextW(c->Handle(), text.c_str(), -1, &m, DT_CALCRECT | DT_SINGLELINE);
    const int tw = text.empty() ? 0 : m.right + 2, th = m.bottom;
    const int iw = FImages->Width(), ih = FImages->Height();
    const int x = w / 2 - (tw + iw + 2) / 2;
    RECT tr{x + iw + 2, h / 2 - th / 2 + dy, x + iw + 2 + tw, h / 2 - th / 2 + dy + th};
    DrawTextW(c->Handle(), text.c_str(), -1, &tr, DT_CENTER | DT_SINGLELINE);
    FImages->Draw(c, x, h / 2 - ih / 2 + dy, page->ImageIndex, page->Enabled());
}

void TbsSkinPageControl::DrawCloseButton(TCanvas* c, const TRect& a, int bh, int bw, TbsSkinCustomTabSheet* page) {
    const int mid = a.top + a.Height() / 2;
    TRect box;
    if (Skinned() && IsNullRect(CloseButtonRect)) {
        // The skin has no close button of its own: a small tool button.
        const int ri = FSD->GetControlIndex(L"resizetoolbutton");
        auto* r = ri >= 0 ? dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[static_cast<size_t>(ri)].get())
                          : nullptr;
        TBitmap* pic = r && r->PictureIndex >= 0 && r->PictureIndex < static_cast<int>(FSD->FActivePictures.size())
                           ? FSD->FActivePictures[static_cast<size_t>(r->PictureIndex)].get()
                           : nullptr;
        if (!pic || pic->Empty()) return;
        const bool in = page->ButtonMouseIn, down = in && page->ButtonMouseDown;
        const TRect active = IsNullRect(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
        const TRect part = down ? (IsNullRect(r->DownSkinRect) ? active : r->DownSkinRect) : in ? active : r->SkinRect;
        const TColor color = down ? r->DownFontColor : in ? r->ActiveFontColor : r->FontColor;
        TBitmap face(FCloseSize, FCloseSize);
        ComposeRecordFace(*r, pic, part, &face, FCloseSize, FCloseSize);
        DrawCloseImage(face.Canvas(), face.Width() / 2 - 5, face.Height() / 2 - 5, color);
        box = TRect(a.left, mid - face.Height() / 2, a.left + face.Width(), mid - face.Height() / 2 + face.Height());
        c->Draw(box.left, box.top, &face);
    } else if (!Skinned()) {
        box = TRect(a.left, mid - 7, a.left + 14, mid + 7);
        DrawCloseImage(c, box.left + 2, box.top + 2, page->ButtonMouseIn ? static_cast<TColor>(0xFFFFFF) : clBlack);
    } else {
        const TRect part = page->ButtonMouseDown && page->ButtonMouseIn ? CloseButtonDownRect
                           : page->ButtonMouseIn                         ? ClosebuttonActiveRect
                                                                         : CloseButtonRect;
        const int y = mid - part.Height() / 2;
        box = TRect(a.left, y, a.left + part.Width(), y + part.Height());
        TBitmap p(part.Width(), part.Height());
        p.Canvas()->CopyRect(TRect(0, 0, part.Width(), part.Height()), Picture->Canvas(), part);
        if (ButtonTransparent) {
            p.SetTransparent(true);
            p.SetTransparentMode(tmFixed);
            p.SetTransparentColor(ButtonTransparentColor);
        }
        c->Draw(box.left, box.top, &p);
    }
    const bool turned = !FTextInHorizontal;
    if (TabPosition() == tpLeft && turned) page->ButtonRect = TRect(box.top, bw - box.right, box.bottom, bw - box.left);
    else if (TabPosition() == tpRight && turned)
        page->ButtonRect = TRect(bh - box.bottom, box.left, bh - box.top, box.right);
    else page->ButtonRect = box;
}
