#include "skin/boxes/bsSkinLinkLabel.h"

#include <shellapi.h>

#include "skin/bsEffectsGlow.h"
#include "skin/bsResStrData.h"
#include "skin/frame/bsSkinFrameWalk.h"

TbsLinkOpener& LinkOpener() {
    static TbsLinkOpener opener = [](const String& url) {
        // A failing open is not the label's concern.
        ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    return opener;
}

TbsSkinLinkLabel::TbsSkinLinkLabel(TComponent* owner) : TCustomLabel(owner) {
    bsRegisterSkinWalkStep(TbsSkinWalkSlot::LinkLabel, &bsSkinWalkStepOf<TbsSkinLinkLabel>);
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(fsUnderline);
    SetTransparent(true);
    Font()->Assign(&FDefaultFont);
    Cursor = crHandPoint;
}

TbsSkinLinkLabel::~TbsSkinLinkLabel() {
    if (FSD) RemoveFreeNotification(FSD);
}

void TbsSkinLinkLabel::Notification(TComponent* component, TOperation op) {
    TCustomLabel::Notification(component, op);
    if (op == opRemove && component == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
}

void TbsSkinLinkLabel::SetSkinData(TbsSkinData* v) {
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) {
        FreeNotification(FSD);
        ChangeSkinData();
    }
}

void TbsSkinLinkLabel::SetUseUnderLine(bool v) {
    if (v == FUseUnderLine) return;
    FUseUnderLine = v;
    Repaint();
}

void TbsSkinLinkLabel::GetSkinData() {
    FIndex = (FSD && !FSD->Empty) ? FSD->GetControlIndex(SkinDataName) : -1;
    if (FIndex < 0) return;
    if (auto* r = dynamic_cast<TbsDataSkinStdLabelControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get())) {
        FontName = r->FontName;
        FontColor = r->FontColor;
        FontStyle = r->FontStyle;
        FontHeight = r->FontHeight;
        ActiveFontColor = r->ActiveFontColor;
    }
}

void TbsSkinLinkLabel::ChangeSkinData() {
    GetSkinData();
    Repaint();
}

void TbsSkinLinkLabel::Click() {
    TCustomLabel::Click();
    if (!URL.empty() && LinkOpener()) LinkOpener()(URL);
}

void TbsSkinLinkLabel::WndProc(TMessage& m) {
    if ((m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE)) {
        TCustomLabel::WndProc(m);
        if (!Has(csDesigning)) {
            FMouseIn = m.Msg == CM_MOUSEENTER;
            Repaint();
        }
        return;
    }
    TCustomLabel::WndProc(m);
}

void TbsSkinLinkLabel::DoDrawText(TRect& rect, UINT flags) {
    GetSkinData();
    String text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.empty() || (text == L"&" && ShowAccelChar()))) text += L" ";
    UINT format = DrawTextBiDiModeFlags(flags);
    if (!ShowAccelChar()) format |= DT_NOPREFIX;
    TRect r = rect;
    if (GlowEffect) {
        r.top += GlowSize;
        r.bottom += GlowSize;
    }
    TCanvas* c = Canvas();
    TFont* f = c->Font();
    if (FIndex == -1) {
        f->Assign(UseSkinFont ? &FDefaultFont : Font());
        if (FMouseIn) f->SetColor(DefaultActiveFontColor);
    } else {
        if (UseSkinFont) {
            f->SetName(FontName);
            f->SetStyle(FontStyle);
            f->SetHeight(FontHeight);
        } else {
            f->Assign(Font());
        }
        f->SetColor(FMouseIn && !GlowEffect ? ActiveFontColor : FontColor);
    }
    if (FSD && FSD->ResourceStrData()) f->SetCharset(FSD->ResourceStrData()->CharSet);
    else f->SetCharset(FDefaultFont.Charset());
    f->SetStyle(FUseUnderLine ? (f->Style() | fsUnderline) : (f->Style() & ~fsUnderline));
    const TColor glow = FIndex == -1 ? DefaultActiveFontColor : ActiveFontColor;
    c->Brush()->SetStyle(bsClear);
    RECT rr = r;
    if (flags & DT_CALCRECT) {
        DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &rr, format);
        rect = TRect(rr.left, rr.top, rr.right, rr.bottom);
        return;
    }
    if (!Enabled()) {
        const bool skinned = FIndex != -1;
        RECT lr = {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        f->SetColor(skinned ? FSD->SkinColors()->cBtnHighLight : TColor(clBtnHighlight));
        DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &lr, format);
        f->SetColor(skinned ? FSD->SkinColors()->cBtnShadow : TColor(clBtnShadow));
        DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &rr, format);
        return;
    }
    if (FMouseIn && GlowEffect) DrawEffectText(c, r, text, GlowSize, glow, 0, format);
    else DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &rr, format);
}
