// TbsSkinFrame: the properties whose setters take effect at once on a
// shown form (caption buttons, translucency, the default caption font) and
// the components the frame refers to by free notification (hint, status
// bar, quick-button images).
#include "platform/ImgList.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsLayer.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinHint.h"

namespace {

// True when the form's window takes its look from the properties now
// (not while the component is being read or designed).
bool LiveComponent(const TComponent* c) { return !c->Has(csDesigning) && !c->Has(csLoading); }

}  // namespace

void TbsSkinFrame::SetHideCaptionButtons(bool Value) {
    if (FHideCaptionButtons == Value) return;
    FHideCaptionButtons = Value;
    if (!LiveComponent(this)) return;
    CheckObjects();
    if (!FSkinnableForm) UpdateFormBorderIcons();
    RepaintFrame();
}

void TbsSkinFrame::SetAlphaBlend(bool Value) {
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    if (!LiveComponent(this) || !IsLayeredSupported() || !FForm->HandleAllocated()) return;
    HWND wnd = FForm->Handle();
    const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (Value) {
        if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        SetLayeredAlpha(wnd, FAlphaBlendValue);
    } else if (ex & WS_EX_LAYERED) {
        SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void TbsSkinFrame::SetAlphaBlendValue(BYTE Value) {
    if (FAlphaBlendValue == Value) return;
    FAlphaBlendValue = Value;
    if (!FAlphaBlend || !LiveComponent(this) || !IsLayeredSupported() || !FForm->HandleAllocated()) return;
    HWND wnd = FForm->Handle();
    const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredAlpha(wnd, Value);
}

void TbsSkinFrame::SetDefCaptionFont(TFont* Value) {
    FDefCaptionFont.Assign(Value);
    if (LiveComponent(this) && !FSkinSupport) RepaintFrame();
}

// ---- referenced components ------------------------------------------------------------------

namespace {

// Swaps a referenced component, moving the free notification along.
template <class T>
void Relink(TComponent* self, T*& field, T* Value) {
    if (field == Value) return;
    if (field) self->RemoveFreeNotification(field);
    field = Value;
    if (Value) self->FreeNotification(Value);
}

}  // namespace

void TbsSkinFrame::SetSkinHint(TbsSkinHint* Value) { Relink(this, FSkinHint, Value); }

void TbsSkinFrame::SetStatusBar(TbsSkinStatusBar* Value) { Relink(this, FStatusBar, Value); }

void TbsSkinFrame::SetQuickImageList(TCustomImageList* Value) {
    Relink(this, FQuickImageList, Value);
    if (LiveComponent(this)) RepaintFrame();
}

void TbsSkinFrame::ShowObjectHintOf(TbsActiveSkinObject* AObject) {
    if (ShowObjectHint && FSkinHint && !AObject->Hint.empty()) FSkinHint->ActivateHint2(AObject->Hint);
}

void TbsSkinFrame::HideObjectHint() {
    if (ShowObjectHint && FSkinHint) FSkinHint->HideHint();
}
