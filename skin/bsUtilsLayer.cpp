#include "skin/bsUtilsLayer.h"

#include <algorithm>

#include "skin/bsEffectsGlow.h"
#include "skin/bsUtils.h"

// ---- the window ---------------------------------------------------------------------------------

TbsLayerWindow::TbsLayerWindow(TComponent* owner) : TCustomControl(owner) { SetVisible(false); }

TbsLayerWindow::~TbsLayerWindow() { Destroying(); }

void TbsLayerWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
    p.ClassStyle |= CS_SAVEBITS;
}

void TbsLayerWindow::WndProc(TMessage& m) {
    if (m.Msg == WM_MOUSEACTIVATE) {
        m.Result = MA_NOACTIVATE;
        return;
    }
    TCustomControl::WndProc(m);
}

// ---- layered calls --------------------------------------------------------------------------------

bool UpdateLayeredBitmap(TbsBitmap* b, BYTE alpha, TWinControl* control) {
    auto update = bsutils::Entries().updateLayeredWindow;
    if (!update || !b || b->Empty() || !control) return false;
    POINT dst{control->Left(), control->Top()}, src{0, 0};
    SIZE size{b->Width(), b->Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    return update(control->Handle(), nullptr, &dst, &size, b->DC(), &src, 0, &blend, ULW_ALPHA) != FALSE;
}

bool SetLayeredAlpha(HWND wnd, int alpha) {
    auto set = bsutils::Entries().setLayeredWindowAttributes;
    if (!set) return false;
    return set(wnd, 0, static_cast<BYTE>(alpha), LWA_ALPHA) != FALSE;
}

// ---- the manager ------------------------------------------------------------------------------------

TbsLayerManager::TbsLayerManager(TComponent* owner) : TComponent(owner) {
    Timer = NewStoppedTimer(this, 25, [this](TObject*) { FadeStep(); });
}

TbsLayerManager::~TbsLayerManager() {
    Destroying();
    Timer->SetEnabled(false);
    delete LayerWindow;
    LayerWindow = nullptr;
}

void TbsLayerManager::MakeLayerBitmap(TBitmap* image, TBitmap* mask, TbsBitmap* b) {
    b->Assign(image);
    TbsBitmap m;
    m.Assign(mask);
    AlphaFromMask(b, &m);
}

void TbsLayerManager::StartTimer() {
    BeginAlphaBlendValue = 0;
    Timer->SetEnabled(true);
}

void TbsLayerManager::StopTimer() { Timer->SetEnabled(false); }

void TbsLayerManager::Show(int x, int y, TBitmap* image, TBitmap* imageMask, int alphaBlendValue) {
    if (!IsLayeredSupported() || !image || image->Empty()) return;
    if (LayerWindow) Hide();
    IsVisible = true;
    LayerWindow = new TbsLayerWindow(this);
    LayerWindow->SetBounds(x, y, image->Width(), image->Height());
    HWND wnd = LayerWindow->Handle();
    SetWindowLongW(wnd, GWL_EXSTYLE, GetWindowLongW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    Bmp = std::make_unique<TbsBitmap>();
    MakeLayerBitmap(image, imageMask, Bmp.get());
    UpdateLayeredBitmap(Bmp.get(), 0, LayerWindow);
    SetWindowPos(wnd, TopMostMode ? HWND_TOPMOST : HWND_NOTOPMOST, x, y, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    // The opacity stays a byte, and a fade always moves: a target below 10
    // still rises by 1 a tick instead of never arriving.
    EndAlphaBlendValue = std::clamp(alphaBlendValue, 0, 255);
    StepAlphaBlendValue = std::max(EndAlphaBlendValue / 10, 1);
    StartTimer();
}

void TbsLayerManager::FadeStep() {
    if (!Bmp || !LayerWindow) return;
    BeginAlphaBlendValue = std::min(BeginAlphaBlendValue + StepAlphaBlendValue, EndAlphaBlendValue);
    UpdateLayeredBitmap(Bmp.get(), static_cast<BYTE>(BeginAlphaBlendValue), LayerWindow);
    if (BeginAlphaBlendValue >= EndAlphaBlendValue) StopTimer();
}

void TbsLayerManager::Hide() {
    if (!IsLayeredSupported()) return;
    StopTimer();
    Bmp.reset();
    IsVisible = false;
    if (LayerWindow) {
        SetWindowPos(LayerWindow->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        delete LayerWindow;
        LayerWindow = nullptr;
    }
}
