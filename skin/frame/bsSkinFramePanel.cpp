// The inactive-client panel.
#include "skin/frame/bsSkinFramePanel.h"

#include "platform/Forms.h"
#include "skin/bsEffectsGlow.h"

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
