// The inactive-client panel, the quick buttons of the caption and the
// lookups of a form's frame.
#include "skin/frame/bsSkinFramePanel.h"

#include <algorithm>

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "skin/bsEffectsGlow.h"
#include "skin/frame/bsSkinFrame.h"

TbsClientInActivePanel::TbsClientInActivePanel(TComponent* AOwner) : TbsSkinPaintPanel(AOwner) { SetVisible(false); }

TbsClientInActivePanel::~TbsClientInActivePanel() = default;

void TbsClientInActivePanel::Paint() {
    if (FBuffer) FBuffer->Draw(Canvas(), 0, 0);
}

void TbsClientInActivePanel::ShowPanel(TCustomForm* AForm, int AEffect) {
    if (!AForm || !AForm->Visible() || AForm->ClientWidth() == 0 || AForm->ClientHeight() == 0) return;
    SetVisible(false);
    SetParent(AForm);
    const int w = AForm->ClientWidth(), h = AForm->ClientHeight();
    SetBounds(0, 0, w, h);
    FBuffer = std::make_unique<TbsBitmap>();
    FBuffer->SetSize(w, h);
    AForm->PaintTo(FBuffer->Canvas()->Handle(), 0, 0);
    if (AEffect == 1) {
        StackBlurBitmap(FBuffer.get(), 3);
    } else {
        TbsBitmap veil;
        veil.SetSize(w, h);
        SendMessageW(AForm->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(veil.Canvas()->Handle()), 0);
        veil.AlphaBlend = true;
        veil.SetAlpha(170);
        veil.Draw(FBuffer->Canvas(), 0, 0);
    }
    BringToFront();
    SetVisible(true);
}

void TbsClientInActivePanel::HidePanel() {
    SetVisible(false);
    FBuffer.reset();
}

// ---- quick buttons -------------------------------------------------------------------------------

void TbsQuickButtonItem::SetImageIndex(int v) {
    FImageIndex = v;
    Changed();
}
void TbsQuickButtonItem::SetEnabled(bool v) {
    FEnabled = v;
    Changed();
}
void TbsQuickButtonItem::SetVisible(bool v) {
    FVisible = v;
    Changed();
}
void TbsQuickButtonItem::Changed() {
    if (owner_) owner_->Changed();
}
void TbsQuickButtonItem::Assign(const TbsQuickButtonItem& s) {
    FImageIndex = s.FImageIndex;
    Hint = s.Hint;
    FEnabled = s.FEnabled;
    FVisible = s.FVisible;
    Changed();
}

TbsQuickButtonItem* TbsQuickButtonItems::Add() { return Insert(Count()); }
TbsQuickButtonItem* TbsQuickButtonItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto it = items_.insert(items_.begin() + index, std::make_unique<TbsQuickButtonItem>(this));
    Changed();
    return it->get();
}
void TbsQuickButtonItems::Delete(int index) {
    if (index < 0 || index >= Count()) throw Exception(L"List index out of bounds");
    items_.erase(items_.begin() + index);
    Changed();
}
void TbsQuickButtonItems::Clear() {
    items_.clear();
    Changed();
}
void TbsQuickButtonItems::Assign(const TbsQuickButtonItems& s) {
    if (&s == this) return;
    items_.clear();
    for (int i = 0; i < s.Count(); ++i) {
        items_.push_back(std::make_unique<TbsQuickButtonItem>(this));
        items_.back()->Assign(*s.Items(i));
    }
    Changed();
}
void TbsQuickButtonItems::Changed() {
    if (!BSF || BSF->Has(csDesigning) || BSF->Has(csLoading)) return;
    if (BSF->FForm && BSF->FForm->HandleAllocated()) SendMessageW(BSF->FForm->Handle(), WM_NCPAINT, 1, 0);
}

// ---- lookups ----------------------------------------------------------------------------------------

TbsSkinFrame* FindSkinFormComponent(TCustomForm* AForm) {
    if (!AForm) return nullptr;
    for (int i = 0; i < AForm->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TbsSkinFrame*>(AForm->Components(i))) return f;
    return nullptr;
}

TbsSkinFrame* GetMaximizedChildSkinForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return nullptr;
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (TbsSkinFrame* f = FindSkinFormComponent(main->MDIChildren(i)); f && f->WindowState() == wsMaximized)
            return f;
    return nullptr;
}

TbsSkinFrame* GetActiveChildSkinForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || !main->ActiveMDIChild()) return nullptr;
    return FindSkinFormComponent(main->ActiveMDIChild());
}
