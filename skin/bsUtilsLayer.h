#pragma once
// Layered popups: TbsLayerManager shows a click-through, never-activated
// top-level window with per-pixel alpha (glow frames) and fades it in on a
// 25 ms timer; SetLayeredAlpha and UpdateLayeredBitmap drive the system's
// layered-window calls for every layered window of the skinning set (they do
// nothing where the system lacks them).
//
// Threads: UI thread only (calls and timer ticks).

#include <memory>

#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "skin/bsEffects.h"

class TbsLayerWindow : public TCustomControl {
public:
    explicit TbsLayerWindow(TComponent* owner);
    ~TbsLayerWindow() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& m) override;
};

class TbsLayerManager : public TComponent {
public:
    explicit TbsLayerManager(TComponent* owner);
    ~TbsLayerManager() override;

    void Show(int x, int y, TBitmap* image, TBitmap* imageMask, int alphaBlendValue);
    void Hide();
    bool IsVisible = false;
    bool TopMostMode = true;

    // The window while shown (for the frame that places it), else nullptr.
    TbsLayerWindow* Window() const { return LayerWindow; }

protected:
    void StartTimer();
    void StopTimer();
    void FadeStep();
    static void MakeLayerBitmap(TBitmap* image, TBitmap* mask, TbsBitmap* b);

    TbsLayerWindow* LayerWindow = nullptr;
    std::unique_ptr<TbsBitmap> Bmp;
    TTimer* Timer = nullptr;
    int EndAlphaBlendValue = 0;
    int BeginAlphaBlendValue = 0;
    int StepAlphaBlendValue = 0;
};

// Per-pixel alpha from b (its DC), at the control's position, with the
// overall opacity alpha; returns the system call's result (false when the
// system has no UpdateLayeredWindow).
bool UpdateLayeredBitmap(TbsBitmap* b, BYTE alpha, TWinControl* control);
// Constant opacity of a window that already carries WS_EX_LAYERED.
bool SetLayeredAlpha(HWND wnd, int alpha);
