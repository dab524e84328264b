#include "skin/frame/bsSkinHint.h"

#include <algorithm>
#include <vector>

#include "platform/Clock.h"
#include "platform/ImgList.h"
#include "platform/Owners.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/bsUtilsLayer.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsGraphic.h"

namespace {

SIZE MeasureText(TCanvas* C, const String& s) {
    RECT r{0, 0, 0, 0};
    DrawTextW(C->Handle(), s.c_str(), static_cast<int>(s.size()), &r, DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void DrawTextAt(TCanvas* C, const String& s, int x, int y, SIZE sz) {
    RECT r{x, y, x + sz.cx, y + sz.cy};
    DrawTextW(C->Handle(), s.c_str(), static_cast<int>(s.size()), &r, 0);
}

bool ValidImage(TCustomImageList* list, int index) { return list && index >= 0 && index < list->Count(); }

TBitmap* HintPicture(TbsSkinData* sd, int index) {
    if (!sd || index < 0 || index >= static_cast<int>(sd->FActivePictures.size())) return nullptr;
    return sd->FActivePictures[static_cast<size_t>(index)].get();
}

}  // namespace

String ReplaceHintSeparators(const String& AHint, const String& ASeparator) {
    if (ASeparator.empty()) return AHint;
    String out;
    size_t pos = 0;
    for (;;) {
        const size_t hit = AHint.find(ASeparator, pos);
        if (hit == String::npos) break;
        out.append(AHint, pos, hit - pos);
        out += L"\r\n";
        pos = hit + ASeparator.size();
    }
    out.append(AHint, pos, String::npos);
    return out;
}

int HintFadeStep(int AlphaBlendValue) { return std::max(1, AlphaBlendValue / 15); }

TbsSkinHint* FindActiveSkinHint() {
    if (!Application || !Application->MainForm()) return nullptr;
    TCustomForm* f = Application->MainForm();
    for (int i = 0; i < f->ComponentCount(); ++i)
        if (auto* h = dynamic_cast<TbsSkinHint*>(f->Components(i)); h && h->Active()) return h;
    return nullptr;
}

// ---- the window -------------------------------------------------------------------------------

TbsSkinHintWindow::TbsSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TbsSkinHintWindow::~TbsSkinHintWindow() = default;

void TbsSkinHintWindow::CreateParams(TCreateParams& p) {
    THintWindow::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(WS_BORDER);
    if (IsWinXPOrLater()) p.ClassStyle |= CS_DROPSHADOW;
}

void TbsSkinHintWindow::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT:
        m.Result = 0;
        return;
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_DESTROY:
        // The region goes with the window.
        FHasRgn = false;
        break;
    default:
        break;
    }
    THintWindow::WndProc(m);
}

TRect TbsSkinHintWindow::CalcHintRect(int, const String& hint) {
    // The machinery asks for a size first; the activation measures again
    // with the component's settings, so only the origin matters here.
    (void)hint;
    return TRect(0, 0, 0, 0);
}

void TbsSkinHintWindow::ActivateHint(TRect Rect, const String& AHint) {
    AExtendedStyle = false;
    FspHint = FindActiveSkinHint();
    if (FspHint && (!FspHint->HintTitle().empty() || FspHint->HintImageList())) {
        ActivateHintEx(Rect, FspHint->HintTitle(), AHint, FspHint->HintImageIndex(), FspHint->HintImageList());
        return;
    }
    FTitle.clear();
    FImageList = nullptr;
    FImageIndex = 0;
    Activate(TLayout::Plain, Rect, false, AHint);
}

void TbsSkinHintWindow::ActivateHintEx(TRect Rect, const String& AHintTitle, const String& AHint, int AImageIndex,
                                       TCustomImageList* AImageList) {
    AExtendedStyle = true;
    FspHint = FindActiveSkinHint();
    FTitle = AHintTitle;
    FImageIndex = AImageIndex;
    FImageList = AImageList;
    Activate(TLayout::Extended, Rect, false, AHint);
}

void TbsSkinHintWindow::ActivateHintFromRect(TRect ARect, const String& AHint, bool ATop) {
    AExtendedStyle = false;
    FspHint = FindActiveSkinHint();
    FTitle.clear();
    FImageList = nullptr;
    FImageIndex = 0;
    Activate(TLayout::FromRect, ARect, ATop, AHint);
}

void TbsSkinHintWindow::SetupFont(TCanvas* C) {
    TbsSkinHint* h = FspHint;
    if (FSD && h->UseSkinFont) {
        const TbsDataSkinHintWindow& rec = *FSD->HintWindow;
        C->Font()->SetHeight(rec.FontHeight);
        C->Font()->SetName(rec.FontName);
        C->Font()->SetStyle(rec.FontStyle);
    } else {
        C->Font()->Assign(h->DefaultFont());
    }
    if (h->SkinData() && h->SkinData()->ResourceStrData())
        C->Font()->SetCharset(h->SkinData()->ResourceStrData()->CharSet);
    else
        C->Font()->SetCharset(h->DefaultFont()->Charset());
}

void TbsSkinHintWindow::FitCorners(int& w, int& h) {
    const TbsDataSkinHintWindow& rec = *FSD->HintWindow;
    TBitmap* pic = HintPicture(FSD, rec.WindowPictureIndex);
    const int W = pic->Width(), H = pic->Height();
    int dx = w - W, dy = h - H;
    if (rec.RTPoint.x + dx < rec.LTPoint.x) {
        w += rec.LTPoint.x - (rec.RTPoint.x + dx);
        dx = w - W;
    }
    if (rec.RBPoint.x + dx < rec.LBPoint.x) {
        w += rec.LBPoint.x - (rec.RBPoint.x + dx);
        dx = w - W;
    }
    if (rec.LBPoint.y + dy < rec.LTPoint.y) {
        h += rec.LTPoint.y - (rec.LBPoint.y + dy);
        dy = h - H;
    }
    if (rec.RBPoint.y + dy < rec.RTPoint.y) {
        h += rec.RTPoint.y - (rec.RBPoint.y + dy);
        dy = h - H;
    }
    NewClRect = TRect(rec.ClRect.left, rec.ClRect.top, rec.ClRect.right + dx, rec.ClRect.bottom + dy);
    NewLTPoint = rec.LTPoint;
    NewRTPoint = TPoint(rec.RTPoint.x + dx, rec.RTPoint.y);
    NewLBPoint = TPoint(rec.LBPoint.x, rec.LBPoint.y + dy);
    NewRBPoint = TPoint(rec.RBPoint.x + dx, rec.RBPoint.y + dy);
}

void TbsSkinHintWindow::Measure(int& w, int& h) {
    TCanvas* C = Canvas();
    const String text = Caption();
    const SIZE t = MeasureText(C, text);
    w = t.cx;
    h = t.cy;
    if (AExtendedStyle) {
        int th = 0;
        if (!FTitle.empty()) {
            const TFontStyles old = C->Font()->Style();
            C->Font()->SetStyle(old | fsBold);
            const SIZE ts = MeasureText(C, FTitle);
            C->Font()->SetStyle(old);
            th = ts.cy;
            h += th + 10;
            w = std::max(w, static_cast<int>(ts.cx));
        }
        if (ValidImage(FImageList, FImageIndex)) {
            w += FImageList->Width() + 10;
            h = std::max(h, FImageList->Height() + th + 5);
        }
    }
    if (!FSD) {
        w += 4;
        h += 4;
        return;
    }
    const TbsDataSkinHintWindow& rec = *FSD->HintWindow;
    TBitmap* pic = HintPicture(FSD, rec.WindowPictureIndex);
    const int W = pic->Width(), H = pic->Height();
    if (AExtendedStyle) w += 10;
    w += rec.ClRect.left + W - rec.ClRect.right;
    h += rec.ClRect.top + H - rec.ClRect.bottom;
    if (!AExtendedStyle) w += 5;
    FitCorners(w, h);
}

void TbsSkinHintWindow::Activate(TLayout layout, TRect Rect, bool ATop, const String& AHint) {
    TbsSkinHint* h = FspHint;
    if (!h || !h->Active()) return;
    TbsSkinData* sd = h->SkinData();
    FSD = (sd && !sd->Empty && sd->HintWindow && HintPicture(sd, sd->HintWindow->WindowPictureIndex)) ? sd : nullptr;
    SetupFont(Canvas());
    SetText(ReplaceHintSeparators(AHint, h->LineSeparator));

    int w = 0, hh = 0;
    Measure(w, hh);
    TRect r;
    if (layout == TLayout::FromRect) {
        const int left = Rect.left + Rect.Width() / 2 - w / 2;
        const int top = ATop ? Rect.top - hh : Rect.bottom;
        r = TRect(left, top, left + w, top + hh);
    } else {
        r = TRect(Rect.left, Rect.top, Rect.left + w, Rect.top + hh);
    }

    TRect limit(0, 0, Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN),
                Screen ? Screen->Height() : GetSystemMetrics(SM_CYSCREEN));
    if (Screen && Screen->ActiveCustomForm() && Screen->ActiveCustomForm()->HandleAllocated())
        GetMonitorWorkArea(Screen->ActiveCustomForm()->Handle(), true, limit);
    else if (Application->MainForm() && Application->MainForm()->Visible())
        GetMonitorWorkArea(Application->MainForm()->Handle(), true, limit);
    if (r.right > limit.right) OffsetRect(&r, -(w + 2), 0);
    if (r.bottom > limit.bottom) OffsetRect(&r, 0, -(hh + 2));
    SetBounds(r.left, r.top, w, hh);

    ApplyAlpha();
    ApplyRegion();
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    TControl::SetVisible(true);
    Repaint();
    FadeIn();
}

void TbsSkinHintWindow::ApplyAlpha() {
    if (!IsLayeredSupported()) return;
    TbsSkinHint* h = FspHint;
    const HWND wnd = Handle();
    if (h->AlphaBlend != FOldAlphaBlend) {
        LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
        ex = h->AlphaBlend ? (ex | WS_EX_LAYERED) : (ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex);
        FOldAlphaBlend = h->AlphaBlend;
        // A window that lost the layered style forgets its alpha.
        if (!h->AlphaBlend) FOldAlphaBlendValue = 0;
    }
    if (h->AlphaBlend && h->AlphaBlendAnimation) SetLayeredAlpha(wnd, 0);
    if (h->AlphaBlend && h->AlphaBlendValue != FOldAlphaBlendValue) {
        if (!h->AlphaBlendAnimation) SetLayeredAlpha(wnd, h->AlphaBlendValue);
        FOldAlphaBlendValue = h->AlphaBlendValue;
    } else if (h->AlphaBlend && !h->AlphaBlendAnimation) {
        SetLayeredAlpha(wnd, h->AlphaBlendValue);
    }
}

void TbsSkinHintWindow::ApplyRegion() {
    const HWND wnd = Handle();
    TBitmap* mask = FSD ? HintPicture(FSD, FSD->HintWindow->MaskPictureIndex) : nullptr;
    if (mask) {
        const TbsDataSkinHintWindow& rec = *FSD->HintWindow;
        HRGN rgn = nullptr;
        CreateSkinRegion(rgn, rec.LTPoint, rec.RTPoint, rec.LBPoint, rec.RBPoint, rec.ClRect, NewLTPoint, NewRTPoint,
                         NewLBPoint, NewRBPoint, NewClRect, mask, Width(), Height());
        // An uncounted region: the window takes it (and frees the one it
        // held); only a refused region is ours to delete.
        if (!SetWindowRgn(wnd, rgn, FALSE) && rgn) {
            DeleteObject(rgn);
            rgn = nullptr;
        }
        FHasRgn = rgn != nullptr;
    } else if (FHasRgn) {
        SetWindowRgn(wnd, nullptr, FALSE);
        FHasRgn = false;
    }
}

void TbsSkinHintWindow::FadeIn() {
    TbsSkinHint* h = FspHint;
    if (!IsLayeredSupported() || !h->AlphaBlend || !h->AlphaBlendAnimation) return;
    const int target = h->AlphaBlendValue;
    const int step = HintFadeStep(target);
    int a = 0;
    DWORD last = GetTickCount();
    while (a < target) {
        const DWORD now = GetTickCount();
        if (now - last <= 3) {
            Sleep(0);
            continue;
        }
        last = now;
        a = std::min(a + step, target);
        Repaint();
        SetLayeredAlpha(Handle(), a);
    }
}

void TbsSkinHintWindow::PaintPlainText(TCanvas* C) {
    const String text = Caption();
    C->Brush()->SetStyle(bsClear);
    if (FSD) {
        C->Font()->SetColor(FSD->HintWindow->FontColor);
        const SIZE t = MeasureText(C, text);
        const int x = NewClRect.left + NewClRect.Width() / 2 - t.cx / 2;
        const int y = NewClRect.top + NewClRect.Height() / 2 - t.cy / 2;
        DrawTextAt(C, text, x, y, t);
    } else {
        C->Font()->SetColor(clInfoText);
        RECT r{2, 2, Width() - 2, Height() - 2};
        DrawTextW(C->Handle(), text.c_str(), static_cast<int>(text.size()), &r, 0);
    }
}

void TbsSkinHintWindow::PaintExtended(TCanvas* C) {
    const String text = Caption();
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(FSD ? FSD->HintWindow->FontColor : clInfoText);
    const TRect R = FSD ? NewClRect : TRect(2, 2, Width() - 2, Height() - 2);
    const int left = FSD ? R.left + 5 : R.left;
    int a = 0, x0 = 0;
    if (!FTitle.empty()) {
        const TFontStyles old = C->Font()->Style();
        C->Font()->SetStyle(old | fsBold);
        const SIZE ts = MeasureText(C, FTitle);
        DrawTextAt(C, FTitle, left, R.top, ts);
        C->Font()->SetStyle(old);
        a = ts.cy + 5;
    }
    if (ValidImage(FImageList, FImageIndex)) {
        const int y = a != 0 ? R.top + a : R.top + R.Height() / 2 - FImageList->Height() / 2;
        FImageList->Draw(C, left, FSD ? y : (a != 0 ? a : y), FImageIndex, true);
        x0 = left + FImageList->Width() + 5;
    }
    if (FSD) {
        const SIZE t = MeasureText(C, text);
        const int x = x0 != 0 ? x0 : R.left + 5;
        const int y = a != 0 ? R.top + a : R.top + R.Height() / 2 - t.cy / 2;
        DrawTextAt(C, text, x, y, t);
    } else {
        RECT r{R.left + x0, R.top + a, R.right, R.bottom};
        DrawTextW(C->Handle(), text.c_str(), static_cast<int>(text.size()), &r, 0);
    }
}

void TbsSkinHintWindow::Paint() {
    if (!FspHint) return;
    TBitmap buffer(Width(), Height(), pf24bit);
    TCanvas* C = buffer.Canvas();
    if (FSD) {
        const TbsDataSkinHintWindow& rec = *FSD->HintWindow;
        TBitmap* pic = HintPicture(FSD, rec.WindowPictureIndex);
        CreateSkinImage2(rec.LTPoint, rec.RTPoint, rec.LBPoint, rec.RBPoint, rec.ClRect, NewLTPoint, NewRTPoint,
                         NewLBPoint, NewRBPoint, NewClRect, &buffer, pic, TRect(0, 0, pic->Width(), pic->Height()),
                         Width(), Height(), true, rec.LeftStretch, rec.TopStretch, rec.RightStretch,
                         rec.BottomStretch, rec.StretchEffect, rec.StretchType);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clInfoBk);
        C->FillRect(TRect(0, 0, Width(), Height()));
        C->Brush()->SetColor(clBtnShadow);
        C->FrameRect(TRect(0, 0, Width(), Height()));
    }
    SetupFont(C);
    if (AExtendedStyle)
        PaintExtended(C);
    else
        PaintPlainText(C);
    Canvas()->Draw(0, 0, &buffer);
}

// ---- the component ----------------------------------------------------------------------------

TbsSkinHint::TbsSkinHint(TComponent* AOwner) : TComponent(AOwner) {
    HW = new TbsSkinHintWindow(this);
    if (!Has(csDesigning) && Application) {
        FClassToken = Application->AddHintWindowClass([](TComponent* owner) -> THintWindow* {
            return new TbsSkinHintWindow(owner);
        });
        Application->SetShowHint(!Application->ShowHint);
        Application->SetShowHint(!Application->ShowHint);
        FShowHintToken = Application->AddShowHintHook(
            [this](String& s, bool& canShow, THintInfo& info) { ShowHintHandler(s, canShow, info); });
        Application->HintShortPause = 100;
    }
}

TbsSkinHint::~TbsSkinHint() {
    FShowHintToken.Remove();
    FClassToken.Remove();
}

void TbsSkinHint::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
}

void TbsSkinHint::SetSkinData(TbsSkinData* Value) {
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD) FSD->FreeNotification(this);
}

void TbsSkinHint::SetActive(bool Value) {
    FActive = Value;
    if (!Value || !Application || !Application->MainForm()) return;
    TCustomForm* f = Application->MainForm();
    for (int i = 0; i < f->ComponentCount(); ++i)
        if (auto* other = dynamic_cast<TbsSkinHint*>(f->Components(i)); other && other != this && other->Active())
            other->SetActive(false);
}

void TbsSkinHint::ShowHintHandler(String& HintStr, bool& CanShow, THintInfo& HintInfo) {
    if (!FActive) return;
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
    if (auto* sc = dynamic_cast<TbsSkinControl*>(HintInfo.HintControl)) {
        FHintTitle = sc->HintTitle;
        FHintImageIndex = sc->HintImageIndex;
        FHintImageList = sc->HintImageList();
    } else if (auto* gc = dynamic_cast<TbsGraphicSkinControl*>(HintInfo.HintControl)) {
        FHintTitle = gc->HintTitle;
        FHintImageIndex = gc->HintImageIndex;
        FHintImageList = gc->HintImageList();
    }
    if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
}

void TbsSkinHint::ActivateHint(TPoint P, const String& AHint) {
    FHintTitle.clear();
    FHintImageList = nullptr;
    FHintImageIndex = 0;
    HW->ActivateHint(TRect(P.x, P.y, P.x, P.y), AHint);
}

void TbsSkinHint::ActivateHintEx(TPoint P, const String& AHintTitle, const String& AHint, int AImageIndex,
                                 TCustomImageList* AImageList) {
    HW->ActivateHintEx(TRect(P.x, P.y, P.x, P.y), AHintTitle, AHint, AImageIndex, AImageList);
}

void TbsSkinHint::ActivateHint2(const String& AHint) {
    HintText = AHint;
    FHintTitle.clear();
    FHintImageList = nullptr;
    FHintImageIndex = 0;
    StartTimed(TTimedKind::Plain);
}

void TbsSkinHint::ActivateHintEx2(const String& AHintTitle, const String& AHint, int AImageIndex,
                                  TCustomImageList* AImageList) {
    HintText = AHint;
    FHintTitle = AHintTitle;
    FHintImageIndex = AImageIndex;
    FHintImageList = AImageList;
    StartTimed(TTimedKind::Extended);
}

void TbsSkinHint::ActivateHint3(TRect AFromRect, const String& AHint, bool ATop) {
    HintText = AHint;
    FromRect = AFromRect;
    Top = ATop;
    FHintTitle.clear();
    FHintImageList = nullptr;
    FHintImageIndex = 0;
    StartTimed(TTimedKind::FromRect);
}

void TbsSkinHint::StartTimed(TTimedKind kind) {
    // One timer serves every showing (stopping it may happen inside its own
    // tick, so it is never freed before the component).
    if (!HintTimer) HintTimer = new TTimer(this);
    HintTimer->SetEnabled(false);
    FTimedKind = kind;
    HintTimer->SetInterval(static_cast<unsigned>(Application->HintPause));
    HintTimer->OnTimer = [this](TObject*) { ShowTick(); };
    HintTimer->SetEnabled(true);
}

void TbsSkinHint::ShowTick() {
    HintTimer->SetEnabled(false);
    POINT c{0, 0};
    GetCursorPos(&c);
    const TRect at(c.x, c.y + GetCursorHeightMargin(), c.x, c.y + GetCursorHeightMargin());
    switch (FTimedKind) {
    case TTimedKind::Plain:
        HW->ActivateHint(at, HintText);
        break;
    case TTimedKind::Extended:
        HW->ActivateHintEx(at, FHintTitle, HintText, FHintImageIndex, FHintImageList);
        break;
    case TTimedKind::FromRect:
        HW->ActivateHintFromRect(FromRect, HintText, Top);
        break;
    }
    HintTimer->SetInterval(static_cast<unsigned>(Application->HintHidePause));
    HintTimer->OnTimer = [this](TObject*) { HideHint(); };
    HintTimer->SetEnabled(true);
}

void TbsSkinHint::HideHint() {
    if (HintTimer) HintTimer->SetEnabled(false);
    if (HW->Visible()) {
        HW->SetVisible(false);
        if (HW->HandleAllocated())
            SetWindowPos(HW->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
        FHintTitle.clear();
        FHintImageList = nullptr;
        FHintImageIndex = 0;
    }
}

bool TbsSkinHint::IsVisible() const { return HW->Visible(); }

int TbsSkinHint::GetCursorHeightMargin() const {
    int result = GetSystemMetrics(SM_CYCURSOR);
    ICONINFO ii{};
    HCURSOR cur = GetCursor();
    if (!cur || !GetIconInfo(cur, &ii)) return result;
    // The cursor's bitmaps are the system's copies, not counted ones.
    struct Bitmaps {
        ICONINFO& ii;
        ~Bitmaps() {
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
        }
    } owner{ii};
    BITMAP bm{};
    if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof bm, &bm) && bm.bmBitsPixel == 1) {
        const int width = bm.bmWidth, rows = bm.bmHeight;
        const int bpr = ((width * 1 + 31) >> 5) * 4;
        struct {
            BITMAPINFOHEADER h;
            RGBQUAD colours[2];
        } bi{};
        bi.h.biSize = sizeof bi.h;
        bi.h.biWidth = width;
        bi.h.biHeight = -rows;
        bi.h.biPlanes = 1;
        bi.h.biBitCount = 1;
        std::vector<BYTE> bits(static_cast<size_t>(bpr) * static_cast<size_t>(rows));
        platform::WindowDC dc;
        if (GetDIBits(dc.Get(), ii.hbmMask, 0, static_cast<UINT>(rows), bits.data(),
                      reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS) > 0) {
            // The AND mask: the last row with a visible (not $FF) byte.
            const bool twoHalves = rows >= 2 * width && !ii.hbmColor;
            const int andRows = twoHalves ? rows / 2 : rows;
            int lastRow = -1;
            for (int y = andRows - 1; y >= 0 && lastRow < 0; --y)
                for (int x = 0; x < bpr; ++x)
                    if (bits[static_cast<size_t>(y * bpr + x)] != 0xFF) {
                        lastRow = y;
                        break;
                    }
            if (lastRow < 0 && twoHalves) {
                // All transparent in AND: the XOR half draws the shape.
                for (int y = rows - 1; y >= andRows && lastRow < 0; --y)
                    for (int x = 0; x < bpr; ++x)
                        if (bits[static_cast<size_t>(y * bpr + x)] != 0) {
                            lastRow = y - andRows;
                            break;
                        }
            }
            if (lastRow >= 0) result = lastRow + 1 - static_cast<int>(ii.yHotspot);
        }
    }
    return result;
}
