#include "skin/controls/bsSkinCtrlsLabels.h"

#include "platform/Owners.h"
#include "skin/bsResStrData.h"
#include "skin/bsSkinRecords.h"

// ---- shared font rules -------------------------------------------------------------------------

void TbsLabelSkin::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) return;
    if (auto* rec = dynamic_cast<TbsDataSkinStdLabelControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get())) {
        FontName = rec->FontName;
        FontStyle = rec->FontStyle;
        FontHeight = rec->FontHeight;
        FontColor = rec->FontColor;
    }
}

void TbsLabelSkin::SetupFont(TCanvas* canvas, TFont* ownFont) {
    TFont* f = canvas->Font();
    if (FIndex == -1) {
        f->Assign(UseSkinFont ? &FDefaultFont : ownFont);
    } else {
        if (UseSkinFont) {
            f->SetName(FontName);
            f->SetStyle(FontStyle);
            f->SetHeight(FontHeight);
        } else {
            f->Assign(ownFont);
        }
        f->SetColor(UseSkinColor ? FontColor : ownFont->Color());
    }
    if (FSD && FSD->ResourceStrData()) f->SetCharset(FSD->ResourceStrData()->CharSet);
    else f->SetCharset(FDefaultFont.Charset());
}

void TbsLabelSkin::DrawLabelText(TCanvas* canvas, const String& text, TRect& r, UINT flags, bool enabled, bool useEx) {
    // The text alone: whatever lies under the label shows between letters.
    canvas->Brush()->SetStyle(bsClear);
    const auto draw = [&](TRect& at) {
        const HDC dc = canvas->Handle();
        if (useEx) DrawTextExW(dc, const_cast<wchar_t*>(text.c_str()), -1, &at, flags, nullptr);
        else ::DrawTextW(dc, text.c_str(), -1, &at, flags);
    };
    if (enabled || (flags & DT_CALCRECT)) {
        draw(r);
        return;
    }
    TbsSkinColors* colors = FIndex != -1 && FSD ? FSD->SkinColors() : nullptr;
    OffsetRect(&r, 1, 1);
    canvas->Font()->SetColor(colors ? colors->cBtnHighLight : clBtnHighlight);
    draw(r);
    OffsetRect(&r, -1, -1);
    canvas->Font()->SetColor(colors ? colors->cBtnShadow : clBtnShadow);
    draw(r);
}

// ---- standard label ----------------------------------------------------------------------------

TbsSkinStdLabel::TbsSkinStdLabel(TComponent* owner) : TCustomLabel(owner) { SetTransparent(true); }

TbsSkinStdLabel::~TbsSkinStdLabel() {
    if (FSkin.FSD) RemoveFreeNotification(FSkin.FSD);
}

void TbsSkinStdLabel::SetSkinData(TbsSkinData* v) {
    if (FSkin.FSD && FSkin.FSD != v) RemoveFreeNotification(FSkin.FSD);
    FSkin.FSD = v;
    if (v) {
        FreeNotification(v);
        ChangeSkinData();
    }
}

void TbsSkinStdLabel::Notification(TComponent* component, TOperation op) {
    TCustomLabel::Notification(component, op);
    if (op == opRemove && component == FSkin.FSD) {
        FSkin.FSD = nullptr;
        FSkin.FIndex = -1;
    }
}

void TbsSkinStdLabel::ChangeSkinData() {
    FSkin.GetSkinData();
    if (AutoSize()) AdjustBounds();
    Repaint();
}

void TbsSkinStdLabel::SetEllipsType(TbsEllipsType v) {
    if (v == FEllipsType) return;
    FEllipsType = v;
    Invalidate();
}

UINT TbsSkinStdLabel::EllipsFlag() const {
    return FEllipsType == bsetEndEllips ? DT_END_ELLIPSIS : FEllipsType == bsetPathEllips ? DT_PATH_ELLIPSIS : 0;
}

void TbsSkinStdLabel::DoDrawText(TRect& r, UINT flags) {
    FSkin.GetSkinData();
    String text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == L"&"))) text += L" ";
    if (!ShowAccelChar()) flags |= DT_NOPREFIX;
    flags = DrawTextBiDiModeFlags(flags | EllipsFlag());
    FSkin.SetupFont(Canvas(), Font());
    FSkin.DrawLabelText(Canvas(), text, r, flags, Enabled(), FEllipsType != bsetNone);
}

void TbsSkinStdLabel::PaintSkinTo(TCanvas* c, int x, int y, const String& text) {
    const TRect client = ClientRect();
    if (!Transparent()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        TRect f = client;
        OffsetRect(&f, x, y);
        c->FillRect(f);
    }
    c->Brush()->SetStyle(bsClear);
    static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = DT_EXPANDTABS | align[Alignment()] | EllipsFlag();
    if (WordWrap()) flags |= DT_WORDBREAK;
    FSkin.GetSkinData();
    FSkin.SetupFont(c, Font());
    const UINT drawFlags = DrawTextBiDiModeFlags(flags | (ShowAccelChar() ? 0 : DT_NOPREFIX));
    TRect r = client;
    if (Layout() != tlTop) {
        TRect calc = r;
        FSkin.DrawLabelText(c, text.empty() ? String(L" ") : text, calc, drawFlags | DT_CALCRECT, true, false);
        const int offset = Height() - calc.bottom;
        OffsetRect(&r, 0, Layout() == tlBottom ? offset : offset / 2);
    }
    OffsetRect(&r, x, y);
    FSkin.DrawLabelText(c, text, r, drawFlags, Enabled(), FEllipsType != bsetNone);
}

// ---- text label --------------------------------------------------------------------------------

TbsSkinTextLabel::TbsSkinTextLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 65);
    ControlStyle &= ~static_cast<unsigned>(csOpaque);
    FLines.OnChange = [this](TObject*) {
        AdjustBounds();
        Invalidate();
    };
}

TbsSkinTextLabel::~TbsSkinTextLabel() {
    FLines.OnChange = nullptr;
    if (FSkin.FSD) RemoveFreeNotification(FSkin.FSD);
}

void TbsSkinTextLabel::SetSkinData(TbsSkinData* v) {
    if (FSkin.FSD && FSkin.FSD != v) RemoveFreeNotification(FSkin.FSD);
    FSkin.FSD = v;
    if (v) {
        FreeNotification(v);
        ChangeSkinData();
    }
}

void TbsSkinTextLabel::Notification(TComponent* component, TOperation op) {
    TGraphicControl::Notification(component, op);
    if (op == opRemove && component == FSkin.FSD) {
        FSkin.FSD = nullptr;
        FSkin.FIndex = -1;
    }
}

void TbsSkinTextLabel::ChangeSkinData() {
    FSkin.GetSkinData();
    if (FAutoSize) AdjustBounds();
    Repaint();
}

void TbsSkinTextLabel::SetLines(TStrings* v) {
    FLines.Assign(v);
    Repaint();
}

void TbsSkinTextLabel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TbsSkinTextLabel::SetLayout(TTextLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    Invalidate();
}

void TbsSkinTextLabel::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::SetAutoSize(bool v) {
    if (v == FAutoSize) return;
    FAutoSize = v;
    AdjustBounds();
}

String TbsSkinTextLabel::GetLabelText() {
    String text;
    for (int i = 0; i < FLines.Count(); ++i) text += FLines[i] + L"\r\n";
    return text;
}

void TbsSkinTextLabel::DoDrawText(TRect& r, UINT flags) {
    FSkin.GetSkinData();
    String text = GetLabelText();
    // Measured without the last line break: text renderers differ in
    // whether it counts as one more (empty) line.
    if ((flags & DT_CALCRECT) && text.size() >= 2 && text.compare(text.size() - 2, 2, L"\r\n") == 0)
        text.resize(text.size() - 2);
    flags = DrawTextBiDiModeFlags(flags);
    FSkin.SetupFont(Canvas(), Font());
    FSkin.DrawLabelText(Canvas(), text, r, flags, Enabled(), false);
}

void TbsSkinTextLabel::Paint() {
    Canvas()->Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = DT_EXPANDTABS | align[FAlignment];
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (FLayout != tlTop) {
        TRect c = r;
        DoDrawText(c, flags | DT_CALCRECT);
        const int offset = Height() - c.bottom;
        OffsetRect(&r, 0, FLayout == tlBottom ? offset : offset / 2);
    }
    DoDrawText(r, flags);
}

void TbsSkinTextLabel::AdjustBounds() {
    if (Has(csLoading) || !FAutoSize) return;
    TRect r = ClientRect();
    int x = Left();
    {
        const platform::WindowDC screen;
        Canvas()->SetHandle(screen.Get());
        struct Unset {
            TCanvas* canvas;
            ~Unset() { canvas->SetHandle(nullptr); }
        } unset{Canvas()};
        DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
        TAlignment a = FAlignment;
        if (UseRightToLeftAlignment() && a != taCenter) a = a == taLeftJustify ? taRightJustify : taLeftJustify;
        if (a == taRightJustify) x += Width() - r.right;
    }
    SetBounds(x, Top(), r.right, r.bottom);
}

void TbsSkinTextLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TbsSkinTextLabel::WndProc(TMessage& m) {
    TGraphicControl::WndProc(m);
    if (m.Msg == CM_FONTCHANGED) {
        AdjustBounds();
        Invalidate();
    }
}
