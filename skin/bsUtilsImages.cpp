#include "skin/bsUtilsImages.h"

#include <algorithm>

#include "platform/GdiObjects.h"
#include "skin/bsUtils.h"

namespace {

// Copies src of SB to dst of B (stretching when the sizes differ); pieces
// with no area are skipped.
void Piece(TBitmap* B, const TRect& dst, TBitmap* SB, const TRect& src) {
    if (IsNullRect(dst) || IsNullRect(src)) return;
    B->Canvas()->CopyRect(dst, SB->Canvas(), src);
}

TRect Shifted(const TRect& r, const TRect& origin) {
    return TRect(r.left + origin.left, r.top + origin.top, r.right + origin.left, r.bottom + origin.top);
}

// Tiles src across [d0, d1) horizontally within the rows of dst; the last
// tile is cut at d1 (its source shortened at the far end). Only the first
// tile comes from the picture: the run is then doubled by copying what is
// already drawn, which gives the same pixels with few blits.
void TileH(TBitmap* B, TBitmap* SB, const TRect& src, int d0, int d1, int top, int bottom) {
    const int s = src.Width(), len = d1 - d0;
    if (s <= 0 || len <= 0) return;
    const int first = std::min(s, len);
    Piece(B, TRect(d0, top, d0 + first, bottom), SB, TRect(src.left, src.top, src.left + first, src.bottom));
    for (int filled = first; filled < len;) {
        const int n = std::min(filled, len - filled);
        Piece(B, TRect(d0 + filled, top, d0 + filled + n, bottom), B, TRect(d0, top, d0 + n, bottom));
        filled += n;
    }
}

void TileV(TBitmap* B, TBitmap* SB, const TRect& src, int d0, int d1, int left, int right) {
    const int s = src.Height(), len = d1 - d0;
    if (s <= 0 || len <= 0) return;
    const int first = std::min(s, len);
    Piece(B, TRect(left, d0, right, d0 + first), SB, TRect(src.left, src.top, src.right, src.top + first));
    for (int filled = first; filled < len;) {
        const int n = std::min(filled, len - filled);
        Piece(B, TRect(left, d0 + filled, right, d0 + filled + n), B, TRect(left, d0, right, d0 + n));
        filled += n;
    }
}

void SideH(TBitmap* B, TBitmap* SB, const TRect& src, const TRect& dst, bool stretch) {
    if (stretch) Piece(B, dst, SB, src);
    else TileH(B, SB, src, dst.left, dst.right, dst.top, dst.bottom);
}

void SideV(TBitmap* B, TBitmap* SB, const TRect& src, const TRect& dst, bool stretch) {
    if (stretch) Piece(B, dst, SB, src);
    else TileV(B, SB, src, dst.top, dst.bottom, dst.left, dst.right);
}

// Tiles src over dst in both directions, cutting at dst's right and bottom:
// one row of tiles, then that row repeated downwards.
void Tile2D(TBitmap* B, TBitmap* SB, const TRect& src, const TRect& dst) {
    const int cw = src.Width(), ch = src.Height();
    if (cw <= 0 || ch <= 0 || dst.IsEmpty()) return;
    const int rowBottom = std::min<int>(dst.top + ch, dst.bottom);
    TileH(B, SB, TRect(src.left, src.top, src.right, src.top + (rowBottom - dst.top)), dst.left, dst.right, dst.top,
          rowBottom);
    TileV(B, B, TRect(dst.left, dst.top, dst.right, rowBottom), rowBottom, dst.bottom, dst.left, dst.right);
}

// Saves B's DC state, clips drawing to r, restores on exit.
class ClipScope {
public:
    ClipScope(TBitmap* B, const TRect& r) : saved_(B->Canvas()->Handle()) {
        IntersectClipRect(B->Canvas()->Handle(), r.left, r.top, r.right, r.bottom);
    }

private:
    platform::SavedDC saved_;
};

// The client piece (absolute source rectangle) into dst, stretched as type
// says or tiled in both directions.
void DrawClientPiece(TBitmap* B, TBitmap* SB, const TRect& src, const TRect& dst, bool stretchEffect,
                     TbsStretchType type, bool confine) {
    if (!stretchEffect) {
        if (confine) {
            ClipScope clip(B, dst);
            Tile2D(B, SB, src, dst);
        } else {
            Tile2D(B, SB, src, dst);
        }
        return;
    }
    if (IsNullRect(dst) || IsNullRect(src)) return;
    std::unique_ptr<ClipScope> clip;
    if (confine || type != bsstFull) clip = std::make_unique<ClipScope>(B, dst);
    if (type == bsstFull) {
        Piece(B, dst, SB, src);
    } else if (type == bsstHorz) {
        const int sw = src.Width();
        TBitmap strip(sw, dst.Height());
        Piece(&strip, TRect(0, 0, sw, dst.Height()), SB, src);
        for (int k = 0; k <= dst.Width() / sw; ++k)
            Piece(B, Bounds(dst.left + k * sw, dst.top, sw, dst.Height()), &strip, TRect(0, 0, sw, dst.Height()));
    } else {
        const int sh = src.Height();
        TBitmap strip(dst.Width(), sh);
        Piece(&strip, TRect(0, 0, dst.Width(), sh), SB, src);
        for (int k = 0; k <= dst.Height() / sh; ++k)
            Piece(B, Bounds(dst.left, dst.top + k * sh, dst.Width(), sh), &strip, TRect(0, 0, dst.Width(), sh));
    }
}

bool NothingToDraw(const TPoint& LTPt, const TPoint& RBPt, TBitmap* SB) {
    return RBPt.x == LTPt.x || RBPt.y == LTPt.y || !SB || SB->Empty();
}

}  // namespace

void CreateSkinImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                     TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* B, TBitmap* SB,
                     TRect R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                     bool BottomStretch, bool StretchEffect, TbsStretchType StretchType) {
    B->SetSize(AW, AH);
    if (NothingToDraw(LTPt, RBPt, SB)) return;
    const int W = R.Width(), H = R.Height();
    auto S = [&R](LONG l, LONG t, LONG r, LONG b) { return Shifted(TRect(l, t, r, b), R); };
    // Sides: top, bottom, left, right.
    SideH(B, SB, S(LTPt.x, 0, RTPt.x, ClRect.top), TRect(NewLTPt.x, 0, NewRTPt.x, NewClRect.top), TopStretch);
    SideH(B, SB, S(LBPt.x, ClRect.bottom, RBPt.x, H), TRect(NewLBPt.x, NewClRect.bottom, NewRBPt.x, AH),
          BottomStretch);
    SideV(B, SB, S(0, LTPt.y, ClRect.left, LBPt.y), TRect(0, NewLTPt.y, NewClRect.left, NewLBPt.y), LeftStretch);
    SideV(B, SB, S(ClRect.right, RTPt.y, W, RBPt.y), TRect(NewClRect.right, NewRTPt.y, AW, NewRBPt.y), RightStretch);
    // Corners, each as two rectangles.
    Piece(B, TRect(0, 0, NewLTPt.x, NewClRect.top), SB, S(0, 0, LTPt.x, ClRect.top));
    Piece(B, TRect(0, NewClRect.top, NewClRect.left, NewLTPt.y), SB, S(0, ClRect.top, ClRect.left, LTPt.y));
    Piece(B, TRect(NewRTPt.x, 0, AW, NewClRect.top), SB, S(RTPt.x, 0, W, ClRect.top));
    Piece(B, TRect(NewClRect.right, NewClRect.top, AW, NewRTPt.y), SB, S(ClRect.right, ClRect.top, W, RTPt.y));
    Piece(B, TRect(0, NewLBPt.y, NewClRect.left, AH), SB, S(0, LBPt.y, ClRect.left, H));
    Piece(B, TRect(NewClRect.left, NewClRect.bottom, NewLBPt.x, AH), SB, S(ClRect.left, ClRect.bottom, LBPt.x, H));
    Piece(B, TRect(NewRBPt.x, NewClRect.bottom, AW, AH), SB, S(RBPt.x, ClRect.bottom, W, H));
    Piece(B, TRect(NewClRect.right, NewRBPt.y, AW, NewClRect.bottom), SB,
          S(ClRect.right, RBPt.y, W, ClRect.bottom));
    if (DrawClient) DrawClientPiece(B, SB, Shifted(ClRect, R), NewClRect, StretchEffect, StretchType, false);
}

void CreateSkinImage2(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                      TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* B, TBitmap* SB,
                      TRect R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                      bool BottomStretch, bool StretchEffect, TbsStretchType StretchType) {
    CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPt, NewRTPt, NewLBPt, NewRBPt, NewClRect, B, SB, R, AW, AH,
                    DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch, StretchEffect, StretchType);
}

void CreateSkinImageLeft(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                         TPoint /*NewRTPt*/, TPoint NewLBPt, TPoint /*NewRBPt*/, TRect NewClRect, TBitmap* B,
                         TBitmap* SB, TRect R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch,
                         bool /*RightStretch*/, bool BottomStretch, bool StretchEffect, TbsStretchType StretchType) {
    B->SetSize(AW, AH);
    if (NothingToDraw(LTPt, RBPt, SB)) return;
    const int H = R.Height();
    auto S = [&R](LONG l, LONG t, LONG r, LONG b) { return Shifted(TRect(l, t, r, b), R); };
    SideH(B, SB, S(LTPt.x, 0, RTPt.x, ClRect.top), TRect(NewLTPt.x, 0, AW, NewClRect.top), TopStretch);
    SideH(B, SB, S(LBPt.x, ClRect.bottom, RBPt.x, H), TRect(NewLBPt.x, NewClRect.bottom, AW, AH), BottomStretch);
    SideV(B, SB, S(0, LTPt.y, ClRect.left, LBPt.y), TRect(0, NewLTPt.y, NewClRect.left, NewLBPt.y), LeftStretch);
    Piece(B, TRect(0, 0, NewLTPt.x, NewClRect.top), SB, S(0, 0, LTPt.x, ClRect.top));
    Piece(B, TRect(0, NewClRect.top, NewClRect.left, NewLTPt.y), SB, S(0, ClRect.top, ClRect.left, LTPt.y));
    Piece(B, TRect(0, NewLBPt.y, NewClRect.left, AH), SB, S(0, LBPt.y, ClRect.left, H));
    Piece(B, TRect(NewClRect.left, NewClRect.bottom, NewLBPt.x, AH), SB, S(ClRect.left, ClRect.bottom, LBPt.x, H));
    if (DrawClient) {
        TRect client = NewClRect;
        client.right = AW;
        DrawClientPiece(B, SB, Shifted(ClRect, R), client, StretchEffect, StretchType, true);
    }
}

void CreateSkinImageFromClRect(TBitmap* B, TBitmap* SB, TRect R, TRect ClRect, bool DrawClient) {
    const int W = R.Width(), H = R.Height(), AW = B->Width(), AH = B->Height();
    const TRect n(ClRect.left, ClRect.top, ClRect.right + AW - W, ClRect.bottom + AH - H);
    CreateSkinImage(TPoint(ClRect.left, ClRect.top), TPoint(ClRect.right, ClRect.top),
                    TPoint(ClRect.left, ClRect.bottom), TPoint(ClRect.right, ClRect.bottom), ClRect,
                    TPoint(n.left, n.top), TPoint(n.right, n.top), TPoint(n.left, n.bottom), TPoint(n.right, n.bottom),
                    n, B, SB, R, AW, AH, DrawClient, true, true, true, true, true, bsstFull);
}

// ---- three-piece composers -------------------------------------------------------------------------

void CreateHSkinImage(int LO, int RO, TBitmap* B, TBitmap* SB, TRect R, int AW, int /*AH*/, bool Stretch) {
    const int H = R.Height();
    B->SetSize(AW, H);
    if (!SB || SB->Empty()) return;
    if (LO != 0) Piece(B, TRect(0, 0, LO, H), SB, TRect(R.left, R.top, R.left + LO, R.bottom));
    if (RO != 0) Piece(B, TRect(AW - RO, 0, AW, H), SB, TRect(R.right - RO, R.top, R.right, R.bottom));
    const TRect middle(R.left + LO, R.top, R.right - RO, R.bottom);
    if (Stretch) Piece(B, TRect(LO, 0, AW - RO, H), SB, middle);
    else if (AW - LO - RO >= 0) TileH(B, SB, middle, LO, AW - RO, 0, H);
}

void CreateHSkinImageLeft(int LO, int RO, TBitmap* B, TBitmap* SB, TRect R, int AW, int /*AH*/, bool Stretch) {
    const int H = R.Height();
    B->SetSize(AW, H);
    if (!SB || SB->Empty()) return;
    if (LO != 0) Piece(B, TRect(0, 0, LO, H), SB, TRect(R.left, R.top, R.left + LO, R.bottom));
    const TRect middle(R.left + LO, R.top, R.right - RO, R.bottom);
    if (Stretch) Piece(B, TRect(LO, 0, AW, H), SB, middle);
    else if (AW - LO >= 0) TileH(B, SB, middle, LO, AW, 0, H);
}

void CreateHSkinImageMiddle(int LO, int RO, TBitmap* B, TBitmap* SB, TRect R, int AW, int /*AH*/, bool Stretch) {
    const int H = R.Height();
    B->SetSize(AW, H);
    if (!SB || SB->Empty()) return;
    const TRect middle(R.left + LO, R.top, R.right - RO, R.bottom);
    if (Stretch) Piece(B, TRect(0, 0, AW, H), SB, middle);
    else TileH(B, SB, middle, 0, AW, 0, H);
}

void CreateVSkinImage(int TO, int BO, TBitmap* B, TBitmap* SB, TRect R, int /*AW*/, int AH, bool Stretch) {
    const int W = R.Width();
    B->SetSize(W, AH);
    if (!SB || SB->Empty()) return;
    if (TO != 0) Piece(B, TRect(0, 0, W, TO), SB, TRect(R.left, R.top, R.right, R.top + TO));
    if (BO != 0) Piece(B, TRect(0, AH - BO, W, AH), SB, TRect(R.left, R.bottom - BO, R.right, R.bottom));
    const TRect middle(R.left, R.top + TO, R.right, R.bottom - BO);
    if (Stretch) Piece(B, TRect(0, TO, W, AH - BO), SB, middle);
    else if (AH - TO - BO >= 0) TileV(B, SB, middle, TO, AH - BO, 0, W);
}

// ---- border images ------------------------------------------------------------------------------------

namespace {
// One horizontal border strip: rows [srcTop, srcTop + h) of R, the middle
// columns [m0, m1) stretched over [n0, n1) or tiled across the whole width,
// then the two ends.
void HorzBorder(TBitmap* out, TBitmap* SB, const TRect& R, int srcTop, int h, int AW, int m0, int m1, int n0, int n1,
                bool stretch) {
    out->SetSize(AW, h);
    const int W = R.Width();
    const TRect middle(R.left + m0, R.top + srcTop, R.left + m1, R.top + srcTop + h);
    if (stretch) Piece(out, TRect(n0, 0, n1, h), SB, middle);
    else TileH(out, SB, middle, 0, AW, 0, h);
    Piece(out, TRect(0, 0, n0, h), SB, TRect(R.left, middle.top, R.left + m0, middle.bottom));
    Piece(out, TRect(n1, 0, AW, h), SB, TRect(R.left + m1, middle.top, R.left + W, middle.bottom));
}

// One vertical border strip of width w and height h: columns [c0, c0 + w)
// of R; the middle rows [m0, m1) stretched or tiled; the end rows between
// the client's edges and the corner points.
void VertBorder(TBitmap* out, TBitmap* SB, const TRect& R, const TRect& ClRect, int c0, int w, int h, int m0, int m1,
                bool stretch) {
    out->SetSize(w, h);
    const int x0 = R.left + c0, x1 = x0 + w;
    const TRect middle(x0, R.top + m0, x1, R.top + m1);
    if (stretch) Piece(out, TRect(0, m0 - ClRect.top, w, h + m1 - ClRect.bottom), SB, middle);
    else TileV(out, SB, middle, 0, h, 0, w);
    if (m0 > ClRect.top) Piece(out, TRect(0, 0, w, m0 - ClRect.top), SB, TRect(x0, R.top + ClRect.top, x1, R.top + m0));
    if (ClRect.bottom > m1)
        Piece(out, TRect(0, h - (ClRect.bottom - m1), w, h), SB, TRect(x0, R.top + m1, x1, R.top + ClRect.bottom));
}
}  // namespace

void CreateSkinBorderImages(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                            TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* LeftB,
                            TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB, TBitmap* SB, TRect R, int AW, int AH,
                            bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch) {
    if (!SB || SB->Empty()) return;
    const int H = R.Height();
    if (AW > 0 && NewClRect.top > 0 && RTPt.x > LTPt.x)
        HorzBorder(TopB, SB, R, 0, NewClRect.top, AW, LTPt.x, RTPt.x, NewLTPt.x, NewRTPt.x, TopStretch);
    const int hb = AH - NewClRect.bottom;
    if (AW > 0 && hb > 0 && RBPt.x > LBPt.x)
        HorzBorder(BottomB, SB, R, H - hb, hb, AW, LBPt.x, RBPt.x, NewLBPt.x, NewRBPt.x, BottomStretch);
    const int h = AH - BottomB->Height() - TopB->Height();
    const int wl = NewClRect.left;
    if (wl > 0 && h > 0 && LBPt.y > LTPt.y) VertBorder(LeftB, SB, R, ClRect, 0, wl, h, LTPt.y, LBPt.y, LeftStretch);
    const int wr = AW - NewClRect.right;
    if (wr >= 1 && h >= 1 && RBPt.y > RTPt.y)
        VertBorder(RightB, SB, R, ClRect, ClRect.right, wr, h, RTPt.y, RBPt.y, RightStretch);
}

// ---- masks and regions -----------------------------------------------------------------------------------

void CreateSkinBorderMasks(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                           TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* Mask,
                           TBitmap* TopMask, TBitmap* LeftMask, TBitmap* RightMask, TBitmap* BottomMask, int AW,
                           int /*AH*/) {
    if (!Mask || Mask->Empty()) return;
    const int MW = Mask->Width(), MH = Mask->Height(), ch = NewClRect.Height();
    auto vertical = [&](TBitmap* out, int c0, int c1, int m0, int m1) {
        out->SetSize(c1 - c0, ch);
        if (m1 != m0) TileV(out, Mask, TRect(c0, m0, c1, m1), 0, ch, 0, c1 - c0);
        if (m0 > ClRect.top) Piece(out, TRect(0, 0, c1 - c0, m0 - ClRect.top), Mask, TRect(c0, ClRect.top, c1, m0));
        if (ClRect.bottom > m1)
            Piece(out, TRect(0, ch - (ClRect.bottom - m1), c1 - c0, ch), Mask, TRect(c0, m1, c1, ClRect.bottom));
    };
    auto horizontal = [&](TBitmap* out, int r0, int r1, int m0, int m1, int n0, int n1) {
        const int h = r1 - r0;
        out->SetSize(AW, h);
        if (m1 != m0) TileH(out, Mask, TRect(m0, r0, m1, r1), n0, n1, 0, h);
        Piece(out, TRect(0, 0, m0, h), Mask, TRect(0, r0, m0, r1));
        Piece(out, TRect(n1, 0, AW, h), Mask, TRect(m1, r0, MW, r1));
    };
    if (ClRect.left > 0 && ch > 0) vertical(LeftMask, 0, ClRect.left, LTPt.y, LBPt.y);
    if (MW - ClRect.right > 0 && ch > 0) vertical(RightMask, ClRect.right, MW, RTPt.y, RBPt.y);
    if (AW > 0 && ClRect.top > 0) horizontal(TopMask, 0, ClRect.top, LTPt.x, RTPt.x, NewLTPt.x, NewRTPt.x);
    if (AW >= 1 && MH - ClRect.bottom >= 1)
        horizontal(BottomMask, ClRect.bottom, MH, LBPt.x, RBPt.x, NewLBPt.x, NewRBPt.x);
    (void)NewLBPt;
    (void)NewRBPt;
}

TbsFBitmap::TbsFBitmap(HBITMAP hbmp) {
    BITMAP bm{};
    GetObjectW(hbmp, sizeof(bm), &bm);
    Width = bm.bmWidth;
    Height = bm.bmHeight;
    bmHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmHeader.biWidth = Width;
    bmHeader.biHeight = -Height;
    bmHeader.biPlanes = 1;
    bmHeader.biBitCount = 24;
    bmHeader.biCompression = BI_RGB;
    bmInfo.bmiHeader = bmHeader;
    dib_ = platform::DibSection::Create(bmInfo);
    if (!dib_) {
        Width = Height = 0;
        return;
    }
    Handle = dib_.Handle();
    Bits = dib_.Bits();
    {
        platform::WindowDC screen;
        GetDIBits(screen.Get(), hbmp, 0, Height, Bits, &bmInfo, DIB_RGB_COLORS);
    }
    Gap = Width % 4;
    RowInc = Width * 3 + Gap;
    Size = RowInc * Height;
    Pixels.resize(static_cast<size_t>(Height));
    for (int i = 0; i < Height; ++i) Pixels[i] = static_cast<uint8_t*>(Bits) + i * RowInc;
    hDC = dc_.Get();
    select_ = std::make_unique<platform::SelectedObject>(hDC, Handle);
}

TbsFBitmap::~TbsFBitmap() = default;

DWORD GetRgnDataFromMask(TBitmap* Mask, int X, int Y, RGNDATA*& data) {
    if (!Mask || Mask->Empty()) return 0;
    TbsFBitmap fb(Mask->Handle());
    std::vector<RECT> runs;
    for (int y = 0; y < fb.Height; ++y) {
        const uint8_t* row = fb.Pixels[y];
        int x = 0;
        while (x < fb.Width) {
            while (x < fb.Width && (row[x * 3] | row[x * 3 + 1] | row[x * 3 + 2]) != 0) ++x;
            if (x >= fb.Width) break;
            const int x0 = x;
            while (x < fb.Width && (row[x * 3] | row[x * 3 + 1] | row[x * 3 + 2]) == 0) ++x;
            runs.push_back(RECT{x0 + X, y + Y, x + X, y + Y + 1});
        }
    }
    const DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* block = static_cast<RGNDATA*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
    if (!block) throw std::bad_alloc();
    block->rdh.dwSize = sizeof(RGNDATAHEADER);
    block->rdh.iType = RDH_RECTANGLES;
    block->rdh.nCount = static_cast<DWORD>(runs.size());
    block->rdh.nRgnSize = 0;
    block->rdh.rcBound = RECT{X, Y, X + fb.Width, Y + fb.Height};
    if (!runs.empty()) std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT*>(block->Buffer));
    data = block;
    return size;
}

namespace {
HRGN RegionFromMask(TBitmap* mask, int x, int y) {
    RGNDATA* data = nullptr;
    const DWORD size = GetRgnDataFromMask(mask, x, y, data);
    if (!size) return nullptr;
    HRGN rgn = ExtCreateRegion(nullptr, size, data);
    HeapFree(GetProcessHeap(), 0, data);
    return rgn;
}

void Combine(HRGN dst, HRGN src) {
    if (dst && src) CombineRgn(dst, dst, src, RGN_OR);
}
}  // namespace

void CreateRgnFromMask(HRGN& Rgn, TBitmap* Mask) { Rgn = RegionFromMask(Mask, 0, 0); }

void CreateSkinRegion(HRGN& Rgn, TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPt,
                      TPoint NewRTPt, TPoint NewLBPt, TPoint NewRBPt, TRect NewClRect, TBitmap* Mask, int AW,
                      int AH) {
    Rgn = nullptr;
    if (NewRTPt.x < NewLTPt.x || NewLBPt.y < NewLTPt.y) return;
    TBitmap top, left, right, bottom;
    CreateSkinBorderMasks(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPt, NewRTPt, NewLBPt, NewRBPt, NewClRect, Mask, &top,
                          &left, &right, &bottom, AW, AH);
    auto strip = [](TBitmap* m, int x, int y) {
        return m->Width() > 0 && m->Height() > 0 ? RegionFromMask(m, x, y) : nullptr;
    };
    HRGN rt = strip(&top, 0, 0), rb = strip(&bottom, 0, NewClRect.bottom);
    HRGN rl = strip(&left, 0, NewClRect.top), rr = strip(&right, NewClRect.right, NewClRect.top);
    Rgn = IsNullRect(NewClRect) ? nullptr
                                : CreateRectRgn(NewClRect.left, NewClRect.top, NewClRect.right, NewClRect.bottom);
    Combine(rt, rb);
    Combine(rl, rr);
    Combine(rl, rt);
    Combine(Rgn, rl);
    for (HRGN r : {rt, rb, rl, rr})
        if (r) DeleteObject(r);
}
