#include "skin/shell/bsSkinDialogBase.h"

#include <algorithm>

#include "skin/bsResStrData.h"

String bsDialogText(TbsSkinData* store, const wchar_t* key, const wchar_t* builtIn) {
    if (store && store->ResourceStrData()) {
        String s = store->ResourceStrData()->GetResStr(key);
        if (!s.empty()) return s;
    }
    return builtIn;
}

bool bsLoadDialogGlyph(TBitmap* bmp, const wchar_t* name) {
    HINSTANCE exe = GetModuleHandleW(nullptr);
    if (!FindResourceW(exe, name, reinterpret_cast<LPCWSTR>(RT_BITMAP))) {
        bmp->SetSize(0, 0);
        return false;
    }
    bmp->LoadFromResourceName(exe, name);
    return !bmp->Empty();
}

std::function<void(TForm*)>& DialogFormShownHook() {
    static std::function<void(TForm*)> hook;
    return hook;
}

// ---- TbsSkinDialogForm ----------------------------------------------------------------------

TbsSkinDialogForm::TbsSkinDialogForm(TComponent* owner, TbsSkinData* ctrlSkinData, bool toolButtonsTransparent)
    : TForm(owner), CtrlSD(ctrlSkinData), ToolButtonsFlat(toolButtonsTransparent) {
    KeyPreview = true;
    Position = poScreenCenter;
    BSF = bsNewDialogFrame(this);
    glyphs_ = new TImageList(this);
    glyphs_->SetSize(16, 16);
}

TbsSkinDialogForm::~TbsSkinDialogForm() = default;

TbsSkinPanel* TbsSkinDialogForm::MakePanel(TWinControl* parent, TAlign align, TbsSkinBorderStyle border) {
    auto* p = new TbsSkinPanel(this);
    p->SetParent(parent);
    p->SetBorderStyle(border);
    p->SetAlign(align);
    return p;
}

TbsSkinPanel* TbsSkinDialogForm::MakeToolPanel(TWinControl* parent) {
    TbsSkinPanel* p = MakePanel(parent, alTop, bvNone);
    p->SetDefaultHeight(25);
    p->SetHeight(25);
    p->SetSkinDataName(L"toolpanel");
    return p;
}

void TbsSkinDialogForm::SetToolGlyph(TbsSkinSpeedButton* b, const wchar_t* glyph) {
    TBitmap bmp;
    if (!bsLoadDialogGlyph(&bmp, glyph)) return;
    // The bottom-left pixel is the transparent colour of every glyph.
    b->SetImageList(glyphs_);
    b->SetImageIndex(glyphs_->AddMasked(&bmp, bmp.Canvas()->Pixel(0, bmp.Height() - 1)));
}

TbsSkinSpeedButton* TbsSkinDialogForm::MakeToolButton(TWinControl* parent, const wchar_t* glyph,
                                                      const wchar_t* hintKey, const wchar_t* hintText) {
    auto* b = new TbsSkinSpeedButton(this);
    b->SetParent(parent);
    b->SetDefaultWidth(27);
    b->SetDefaultHeight(25);
    b->SetBounds(0, 0, 27, 25);
    b->SkinDataName = L"toolbutton";
    b->SetAlign(alRight);
    b->SetFlat(ToolButtonsFlat);
    b->SetShowCaption(false);
    SetToolGlyph(b, glyph);
    b->Hint = Text(hintKey, hintText);
    b->SetShowHint(true);
    return b;
}

TControl* TbsSkinDialogForm::MakeSpacer(TWinControl* parent, TAlign align, int width) {
    return bsNewSpacer(this, parent, align, width);
}

void TbsSkinDialogForm::MakeScrollBars(TWinControl* parent, TbsSkinScrollBar*& h, TbsSkinScrollBar*& v) {
    h = new TbsSkinScrollBar(this);
    h->SetParent(parent);
    h->SetDefaultHeight(19);
    h->SetHeight(19);
    h->SetBothMarkerWidth(19);
    h->SetSkinDataName(L"hscrollbar");
    h->SetAlign(alBottom);
    h->SetEnabled(false);
    v = new TbsSkinScrollBar(this);
    v->SetParent(parent);
    v->SetKind(sbVertical);
    v->SetDefaultWidth(19);
    v->SetWidth(19);
    v->SetSkinDataName(L"vscrollbar");
    v->SetAlign(alRight);
    v->SetEnabled(false);
}

TbsSkinButton* TbsSkinDialogForm::MakeButton(TWinControl* parent, const String& caption, int left, int top) {
    auto* b = new TbsSkinButton(this);
    b->SetParent(parent);
    b->SetDefaultHeight(25);
    b->SetBounds(left, top, 70, 25);
    b->SetCanFocused(true);
    b->SetCaption(caption);
    return b;
}

// ---- TbsSkinDialogComponent -------------------------------------------------------------------

TbsSkinDialogComponent::TbsSkinDialogComponent(TComponent* owner, const String& title, BYTE alphaValue,
                                               int defaultWidth, int defaultHeight)
    : TComponent(owner), FTitle(title), FDefaultWidth(defaultWidth), FDefaultHeight(defaultHeight) {
    AlphaBlendValue = alphaValue;
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
}

TbsSkinDialogComponent::~TbsSkinDialogComponent() {
    if (FSD) RemoveFreeNotification(FSD);
    if (FCtrlSD && FCtrlSD != FSD) RemoveFreeNotification(FCtrlSD);
}

void TbsSkinDialogComponent::SetSkinData(TbsSkinData* v) {
    FSD = v;
    if (v) FreeNotification(v);
}

void TbsSkinDialogComponent::SetCtrlSkinData(TbsSkinData* v) {
    FCtrlSD = v;
    if (v) FreeNotification(v);
}

void TbsSkinDialogComponent::Notification(TComponent* component, TOperation op) {
    TComponent::Notification(component, op);
    if (op != opRemove) return;
    if (component == FSD) FSD = nullptr;
    if (component == FCtrlSD) FCtrlSD = nullptr;
}

bool TbsSkinDialogComponent::RunDialog() {
    if (OnShow) OnShow(this);
    bool ok = false;
    try {
        ok = ShowDialogForm();
    } catch (...) {
        FinishRun();
        throw;
    }
    FinishRun();
    return ok;
}

void TbsSkinDialogComponent::FinishRun() {
    // OnClose comes before the form is freed, on every way out.
    std::unique_ptr<TbsSkinDialogForm> form(FDlgFrm);
    struct Clear {
        TbsSkinDialogForm*& ref;
        ~Clear() { ref = nullptr; }
    } clear{FDlgFrm};
    if (OnClose) OnClose(this);
}

bool TbsSkinDialogComponent::ShowDialogForm() {
    TbsSkinDialogForm* f = CreateDialogForm();
    FDlgFrm = f;
    CopySettings(f);
    f->SetCaption(FTitle);
    TbsDialogFrameSetup frame;
    frame.SkinData = FSD;
    frame.MenusSkinData = FCtrlSD;
    frame.MinWidth = DialogMinWidth;
    frame.MinHeight = DialogMinHeight;
    frame.AlphaBlend = AlphaBlend;
    frame.AlphaBlendAnimation = AlphaBlendAnimation;
    frame.AlphaBlendValue = AlphaBlendValue;
    bsSetupDialogFrame(f->BSF, frame);
    SetupControls(f);
    int w = DialogWidth < 1 ? FDefaultWidth : DialogWidth;
    int h = DialogHeight < 1 ? FDefaultHeight : DialogHeight;
    if (FSD && !FSD->Empty) {
        w = std::max(w, bsFrameMinWidth(f->BSF));
        h = std::max(h, bsFrameMinHeight(f->BSF));
    }
    f->SetClientSize(w, f->ClientHeight());
    f->SetClientSize(f->ClientWidth(), h);
    StartState(f);
    // The frame takes over the window's border when it is shown: the client
    // size is set again then, against the border it really has.
    auto previous = f->OnShow;
    f->OnShow = [f, w, h, previous](TObject* s) {
        f->SetClientSize(w, h);
        if (previous) previous(s);
        if (auto& hook = DialogFormShownHook()) hook(f);
    };
    const bool ok = f->ShowModal() == mrOk;
    DialogWidth = f->ClientWidth();
    DialogHeight = f->ClientHeight();
    ReadBack(f, ok);
    return ok;
}
