#include "skin/controls/bsSkinCtrlsCheckRadio.h"

#include "platform/ImgList.h"
#include "platform/Timer.h"
#include "skin/bsEffectsTransitions.h"
#include "skin/bsResStrData.h"
#include "skin/controls/bsSkinCtrlsButton.h"

TbsSkinCheckRadioBox::TbsSkinCheckRadioBox(TComponent* owner) : TbsSkinCustomControl(owner) {
    FSkinDataName = L"checkbox";
    SetTabStop(false);
    SetBounds(Left(), Top(), 150, 25);
}

TbsSkinCheckRadioBox::~TbsSkinCheckRadioBox() { StopMorph(); }

// ---- properties ------------------------------------------------------------------------------------------

void TbsSkinCheckRadioBox::SetChecked(bool v) {
    const bool wasChecked = FState == cbChecked;
    FChecked = v;
    if (v || wasChecked) FState = v ? cbChecked : cbUnchecked;
    Repaint();
    if (v && GroupIndex != 0 && Parent()) {
        TWinControl* p = Parent();
        for (int i = 0; i < p->ControlCount(); ++i) {
            auto* b = dynamic_cast<TbsSkinCheckRadioBox*>(p->Controls(i));
            if (b && b != this && b->GroupIndex == GroupIndex && b->FChecked) b->SetChecked(false);
        }
    }
    if (!FRadio || FChecked) FireClick();
}

void TbsSkinCheckRadioBox::SetState(TCheckBoxState v) {
    FState = v;
    FChecked = v == cbChecked;
    Repaint();
    FireClick();
}

void TbsSkinCheckRadioBox::Toggle() {
    if (!FRadio) SetChecked(!FChecked);
    else if (!FChecked) SetChecked(true);
}

void TbsSkinCheckRadioBox::SetRadio(bool v) {
    FRadio = v;
    if (Has(csDesigning) && !Has(csLoading)) {
        FSkinDataName = v ? L"radiobox" : L"checkbox";
        GroupIndex = v ? 1 : 0;
    }
    Repaint();
}

void TbsSkinCheckRadioBox::SetCanFocused(bool v) {
    FCanFocused = v;
    SetTabStop(v);
}

void TbsSkinCheckRadioBox::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    if (FFlat) Repaint();
}

void TbsSkinCheckRadioBox::SetAllowGrayed(bool v) {
    FAllowGrayed = v;
    Repaint();
}

void TbsSkinCheckRadioBox::SetFlat(bool v) {
    FFlat = v;
    Repaint();
}

void TbsSkinCheckRadioBox::SetImages(TCustomImageList* v) {
    if (FImages) RemoveFreeNotification(FImages);
    FImages = v;
    if (v) FreeNotification(v);
    Repaint();
}

void TbsSkinCheckRadioBox::SetImageIndex(int v) {
    FImageIndex = v;
    Repaint();
}

void TbsSkinCheckRadioBox::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomControl::Notification(component, op);
    if (op == opRemove && component == FImages) FImages = nullptr;
}

bool TbsSkinCheckRadioBox::ImageShown() const {
    return FImages && FImageIndex >= 0 && FImageIndex < FImages->Count();
}

// ---- skin ---------------------------------------------------------------------------------------------------

bool TbsSkinCheckRadioBox::RecordFits(TbsDataSkinControl* record) const {
    return dynamic_cast<TbsDataSkinCheckRadioControl*>(record) != nullptr;
}

void TbsSkinCheckRadioBox::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    auto* r = dynamic_cast<TbsDataSkinCheckRadioControl*>(SkinRecord());
    if (FIndex == -1 || !r) return;
    FontName = r->FontName;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    FontColor = r->FontColor;
    ActiveFontColor = r->ActiveFontColor;
    FrameFontColor = r->FrameFontColor;
    UnEnabledFontColor = r->UnEnabledFontColor;
    ActiveSkinRect = IsNullRect(r->ActiveSkinRect) ? SkinRect : r->ActiveSkinRect;
    CheckImageArea = r->CheckImageArea;
    TextArea = r->TextArea;
    CheckImageRect = r->CheckImageRect;
    UnCheckImageRect = r->UnCheckImageRect;
    ActiveCheckImageRect = IsNullRect(r->ActiveCheckImageRect) ? CheckImageRect : r->ActiveCheckImageRect;
    ActiveUnCheckImageRect = IsNullRect(r->ActiveUnCheckImageRect) ? UnCheckImageRect : r->ActiveUnCheckImageRect;
    UnEnabledCheckImageRect = IsNullRect(r->UnEnabledCheckImageRect) ? CheckImageRect : r->UnEnabledCheckImageRect;
    UnEnabledUnCheckImageRect =
        IsNullRect(r->UnEnabledUnCheckImageRect) ? UnCheckImageRect : r->UnEnabledUnCheckImageRect;
    GrayedCheckImageRect = r->GrayedCheckImageRect;
    ActiveGrayedCheckImageRect = r->ActiveGrayedCheckImageRect;
    Morphing = r->Morphing;
    MorphKind = r->MorphKind;
    if (FFlat) {
        Morphing = false;
        MaskPicture = nullptr;
    }
}

void TbsSkinCheckRadioBox::ChangeSkinData() {
    if (!FFlat) {
        TbsSkinCustomControl::ChangeSkinData();
        return;
    }
    GetSkinData();
    Repaint();
}

void TbsSkinCheckRadioBox::CalcSize(int& w, int& h) {
    if (FFlat) {
        if (FIndex != -1) {
            // The flat look keeps its size; only the New fields are filled.
            int fw = w, fh = h;
            TbsSkinCustomControl::CalcSize(fw, fh);
        }
        return;
    }
    TbsSkinCustomControl::CalcSize(w, h);
    if (FIndex == -1) return;
    const int d = w - SkinRect.Width();
    NewTextArea = TextArea;
    NewTextArea.right += d;
    TRect area = CheckImageArea;
    if (TextArea.right <= CheckImageArea.right) area.Offset(d, 0);
    const int cw = CheckImageRect.Width(), ch = CheckImageRect.Height();
    CIRect = Bounds(area.left + area.Width() / 2 - cw / 2, area.top + area.Height() / 2 - ch / 2, cw, ch);
}

void TbsSkinCheckRadioBox::CheckParentBackground() {
    if (FFlat) Repaint();
}

// ---- morph --------------------------------------------------------------------------------------------------

bool TbsSkinCheckRadioBox::Hot() { return FMouseIn || (FCanFocused && HandleAllocated() && Focused()); }

bool TbsSkinCheckRadioBox::MorphActive() const { return Morphing && SkinEffectsOn(); }

void TbsSkinCheckRadioBox::StateChanged() {
    if (MorphActive() && FIndex != -1) StartMorph();
    else Repaint();
}

// The timer is made on first use and then only switched on and off: it must
// never be freed from inside its own tick.
void TbsSkinCheckRadioBox::StartMorph() {
    if (MorphTimer && MorphTimer->Enabled()) return;
    if (!MorphTimer) {
        MorphTimer = NewStoppedTimer(this, 20, [this](TObject*) { MorphStep(); });
    }
    MorphTimer->SetEnabled(true);
}

void TbsSkinCheckRadioBox::StopMorph() {
    if (MorphTimer) MorphTimer->SetEnabled(false);
}

void TbsSkinCheckRadioBox::MorphStep() {
    const bool hot = Hot();
    GetSkinData();
    if (FIndex == -1 || !MorphActive()) {
        FMorphKf = hot ? 1 : 0;
        StopMorph();
    } else if (hot && FMorphKf < 1 - 1e-9) {
        FMorphKf += 0.2;
        if (FMorphKf >= 1 - 1e-9) FMorphKf = 1, StopMorph();
    } else if (!hot && FMorphKf > 1e-9) {
        FMorphKf -= 0.2;
        if (FMorphKf <= 1e-9) FMorphKf = 0, StopMorph();
    } else {
        FMorphKf = hot ? 1 : 0;
        StopMorph();
    }
    Repaint();
}

// ---- painting -----------------------------------------------------------------------------------------------

TRect TbsSkinCheckRadioBox::MarkPart(bool aChecked, bool normalMarks, bool& grayedHalf) {
    grayedHalf = false;
    const bool grayed = FState == cbGrayed && !FRadio;
    const bool hot = !normalMarks && FMouseIn;
    TRect part;
    if (Enabled() || normalMarks) {
        const TRect& c = hot ? ActiveCheckImageRect : CheckImageRect;
        const TRect& u = hot ? ActiveUnCheckImageRect : UnCheckImageRect;
        part = grayed ? c : (aChecked ? c : u);
    } else {
        part = grayed ? UnEnabledCheckImageRect : (aChecked ? UnEnabledCheckImageRect : UnEnabledUnCheckImageRect);
    }
    if (grayed) {
        if (IsNullRect(GrayedCheckImageRect)) grayedHalf = true;
        else part = (hot && !IsNullRect(ActiveGrayedCheckImageRect)) ? ActiveGrayedCheckImageRect : GrayedCheckImageRect;
    }
    return part;
}

void TbsSkinCheckRadioBox::DrawSkinMark(TCanvas* c, int x, int y, bool aChecked, bool normalMarks) {
    bool half = false;
    const TRect part = MarkPart(aChecked, normalMarks, half);
    if (IsNullRect(part) || !Picture) return;
    TBitmap b(part.Width(), part.Height());
    BitBlt(b.Canvas()->Handle(), 0, 0, part.Width(), part.Height(), Picture->Canvas()->Handle(), part.left, part.top,
           SRCCOPY);
    if (half) {
        std::unique_ptr<TbsEffectBmp> e(TbsEffectBmp::CreateFromhWnd(b.Handle()));
        e->ChangeBrightness(0.5);
        e->Draw(b.Canvas()->Handle(), 0, 0);
    }
    // The transparent colour of the part as drawn.
    const COLORREF key = bsPictureColor(&b, 0, part.Height() - 1);
    TransparentBlt(c->Handle(), x, y, part.Width(), part.Height(), b.Canvas()->Handle(), 0, 0, part.Width(),
                   part.Height(), key);
}

void TbsSkinCheckRadioBox::DrawPlainMark(TCanvas* c, bool aChecked) {
    const int H = Height();
    TRect box(3, H / 2 - 7, 17, H / 2 + 7);
    const TColor frame = FMouseIn ? bsPlainHotFrame : clBtnShadow;
    c->Frame3D(box, frame, frame, 1);
    if (FState == cbGrayed && !FRadio) {
        DrawCheckImage(c, 7, H / 2 - 4, clGrayText);
    } else if (aChecked) {
        const TColor col = Enabled() ? clBlack : clBtnShadow;
        if (FRadio) DrawRadioImage(c, 7, H / 2 - 3, col);
        else DrawCheckImage(c, 7, H / 2 - 4, col);
    }
}

TRect TbsSkinCheckRadioBox::DrawFlatCaption(TCanvas* c, int x, int imageStep) {
    const int H = Height();
    const String caption = Caption();
    c->Brush()->SetStyle(bsClear);
    int left = x;
    int iw = 0, ih = 0;
    if (ImageShown()) iw = FImages->Width(), ih = FImages->Height();
    TRect tr;
    if (!FWordWrap) {
        RECT m{0, 0, 0, 0};
        DrawTextW(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &m, DT_CALCRECT | DT_SINGLELINE);
        tr = Bounds(left, H / 2 - (m.bottom - m.top) / 2, m.right - m.left, m.bottom - m.top);
    } else {
        RECT m{left + (iw > 0 ? iw + imageStep : 0), 0, Width(), H};
        DrawTextW(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &m,
                  DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        tr = TRect(left, std::max<LONG>(0, H / 2 - (m.bottom - m.top) / 2), m.right - (iw > 0 ? iw + imageStep : 0),
                   std::max<LONG>(0, H / 2 - (m.bottom - m.top) / 2) + m.bottom - m.top);
    }
    TRect imageRect;
    if (iw > 0) {
        imageRect = Bounds(tr.left, H / 2 - ih / 2, iw, ih);
        FImages->Draw(c, imageRect.left, imageRect.top, FImageIndex, Enabled());
        tr.Offset(iw + imageStep, 0);
    }
    tr.right = std::min<LONG>(tr.right, Width() - 2);
    c->Brush()->SetStyle(bsClear);
    if (FWordWrap) {
        RECT rr = tr;
        DrawTextW(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &rr, DT_EXPANDTABS | DT_WORDBREAK);
    } else {
        DrawVCenteredText(c, caption, TRect(tr.left, 0, tr.right, H));
    }
    if (FCanFocused && HandleAllocated() && Focused()) {
        if (!caption.empty()) DrawDottedFocusRect(c, TRect(tr.left - 2, tr.top - 1, tr.right + 3, tr.bottom + 1));
        else if (iw > 0)
            DrawDottedFocusRect(c, TRect(imageRect.left - 1, imageRect.top - 1, imageRect.right + 1, imageRect.bottom + 1));
    }
    return tr;
}

void TbsSkinCheckRadioBox::PaintFlat(TBitmap* B, bool aChecked, bool plainOnly) {
    TCanvas* c = B->Canvas();
    DrawParentImage(this, c);
    if (FIndex == -1) {
        if (!plainOnly) {
            c->Font()->Assign(&FDefaultFont);
            if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet);
            if (!Enabled()) c->Font()->SetColor(clBtnShadow);
            c->Brush()->SetColor(clBtnFace);
            DrawFlatCaption(c, 22, 5);
        }
        DrawPlainMark(c, aChecked);
        return;
    }
    DrawSkinMark(c, 3, Height() / 2 - CheckImageRect.Height() / 2, aChecked, plainOnly);
    SetupFont(c, UseSkinFont, FontName, FontHeight, FontStyle, &FDefaultFont);
    TColor col = Enabled() ? FrameFontColor : UnEnabledFontColor;
    if (!UseSkinFontColor) col = FDefaultFont.Color();
    c->Font()->SetColor(col);
    c->Brush()->SetColor(FSD->SkinColors()->cBtnFace);
    DrawFlatCaption(c, CheckImageRect.Width() + 7, 8);
}

void TbsSkinCheckRadioBox::PaintFramedSkin(TBitmap* B, const TRect& face, bool hot, TColor color, bool aChecked,
                                           bool normalMarks) {
    int w = Width(), h = Height();
    CalcSize(w, h);
    DrawSkinPicture(B, Picture, face);
    TCanvas* c = B->Canvas();
    DrawSkinMark(c, CIRect.left, CIRect.top + CIRect.Height() / 2 - CheckImageRect.Height() / 2, aChecked,
                 normalMarks);
    SetupFont(c, UseSkinFont, FontName, FontHeight, FontStyle, &FDefaultFont);
    (void)hot;
    c->Font()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
    DrawVCenteredText(c, Caption(), NewTextArea);
}

void TbsSkinCheckRadioBox::CreateControlDefaultImage(TBitmap* B) {
    TbsSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->Canvas();
    TRect r(0, 0, Width(), Height());
    if (Hot()) c->Frame3D(r, clBtnShadow, clBtnShadow, 1);
    c->Font()->Assign(&FDefaultFont);
    if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    if (!Enabled()) c->Font()->SetColor(clBtnShadow);
    c->Brush()->SetStyle(bsClear);
    DrawVCenteredText(c, Caption(), TRect(19, 0, Width(), Height()));
    DrawPlainMark(c, FChecked);
}

void TbsSkinCheckRadioBox::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    TBitmap B(Width(), Height());
    if (FFlat) {
        PaintFlat(&B, FChecked, false);
        DrawToCanvas(&B);
        return;
    }
    if (FIndex == -1) {
        CreateControlDefaultImage(&B);
        DrawToCanvas(&B);
        return;
    }
    const TColor normalColor = Enabled() ? FontColor : UnEnabledFontColor;
    const TColor hotColor = Enabled() ? ActiveFontColor : UnEnabledFontColor;
    if (MorphActive() && FMorphKf > 0 && FMorphKf < 1) {
        TBitmap hotFace(Width(), Height());
        PaintFramedSkin(&B, SkinRect, false, normalColor, FChecked, false);
        PaintFramedSkin(&hotFace, ActiveSkinRect, true, hotColor, FChecked, false);
        bsDrawMorphed(Canvas()->Handle(), &B, &hotFace, FMorphKf, MorphKind);
        return;
    }
    const bool hot = Hot();
    PaintFramedSkin(&B, hot ? ActiveSkinRect : SkinRect, hot, hot ? hotColor : normalColor, FChecked, false);
    DrawToCanvas(&B);
}

void TbsSkinCheckRadioBox::PaintSkinTo(TCanvas* c, int x, int y, bool aChecked) {
    GetSkinData();
    TBitmap B(Width(), Height());
    if (FFlat) PaintFlat(&B, aChecked, true);
    else if (FIndex != -1) PaintFramedSkin(&B, SkinRect, false, FontColor, aChecked, true);
    else return;
    BitBlt(c->Handle(), x, y, B.Width(), B.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- input -----------------------------------------------------------------------------------------------

void TbsSkinCheckRadioBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!FMouseIn) {
        FMouseIn = true;
        StateChanged();
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinCheckRadioBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !ClientRect().Contains(TPoint(x, y))) return;
    if (FAllowGrayed && !FRadio && FState == cbUnchecked) {
        FState = cbGrayed;
        Repaint();
        FireClick();
    } else {
        Toggle();
    }
}

void TbsSkinCheckRadioBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
        TbsSkinCustomControl::WndProc(m);
        if (Has(csDesigning)) return;
        FMouseIn = true;
        StateChanged();
        return;
    case CM_MOUSELEAVE:
        TbsSkinCustomControl::WndProc(m);
        if (Has(csDesigning)) return;
        FMouseIn = false;
        StateChanged();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FCanFocused && !Has(csDesigning) && !Focused() && CanFocus()) {
            FClicksDisabled = true;
            SetFocus();
            FClicksDisabled = false;
            if (!Focused()) return;
        }
        break;
    case CN_COMMAND:
        if (FClicksDisabled) return;
        break;
    case WM_KEYUP:
        TbsSkinCustomControl::WndProc(m);
        if (m.WParam == VK_SPACE && FCanFocused && Focused()) Toggle();
        return;
    case CM_DIALOGCHAR:
        if (IsAccelChar(static_cast<wchar_t>(m.WParam), Caption()) && CanFocus() && FCanFocused) {
            SetFocus();
            Toggle();
            m.Result = 1;
            return;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TbsSkinCustomControl::WndProc(m);
        if (!FCanFocused) return;
        if (FFlat) Invalidate();
        else StateChanged();
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(m);
        StopMorph();
        FMorphKf = 0;
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(m);
        Repaint();
        return;
    case WM_MOVE:
        TbsSkinCustomControl::WndProc(m);
        if (FFlat) Invalidate();
        return;
    case WM_ERASEBKGND:
        if (!FFlat && !FromWMPaint) PaintWindow(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    default:
        break;
    }
    TbsSkinCustomControl::WndProc(m);
}

// ---- action link ---------------------------------------------------------------------------------

void TbsSkinCheckRadioBox::SetAction(TBasicAction* v) {
    TActionLink::Assign(FActionLink, v, [this](TBasicAction* a, bool checkDefaults) { ActionChange(a, checkDefaults); });
}

void TbsSkinCheckRadioBox::ActionChange(TBasicAction* action, bool checkDefaults) {
    ActionChangeControl(this, action, checkDefaults);
    if (auto* a = dynamic_cast<TCustomAction*>(action); a && (!checkDefaults || !FChecked)) SetChecked(a->Checked());
}
