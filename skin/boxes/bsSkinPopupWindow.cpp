#include "skin/boxes/bsSkinPopupWindow.h"

#include <algorithm>

#include "platform/Forms.h"
#include "platform/FreeWatch.h"
#include "skin/bsUtils.h"

void PopupListCreateParams(TCreateParams& p, HWND parentWindow) {
    p.Style = WS_POPUP | WS_CLIPCHILDREN;
    p.ExStyle = WS_EX_TOOLWINDOW;
    p.ClassStyle |= CS_SAVEBITS;
    if (IsWinXPOrLater()) p.ClassStyle |= CS_DROPSHADOW;
    p.WndParent = parentWindow;
}

bool PopupListMessage(TMessage& m) {
    if (m.Msg != WM_MOUSEACTIVATE) return false;
    m.Result = MA_NOACTIVATE;
    return true;
}

void HidePopupList(TWinControl* popup) {
    if (popup->HandleAllocated())
        SetWindowPos(popup->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    popup->SetVisible(false);
}

namespace {
// Raises the popup's opacity to the target in about 15 steps of 5 ms.
void FadeIn(HWND wnd, int target) {
    const int step = std::max(1, target / 15);
    int alpha = 0;
    DWORD last = ::GetTickCount() - 6;
    while (alpha < target) {
        if (::GetTickCount() - last > 5) {
            alpha = std::min(alpha + step, target);
            SetLayeredWindowAttributes(wnd, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
            last = ::GetTickCount();
        } else {
            Sleep(1);
        }
    }
}
}  // namespace

bool ShowPopupList(TWinControl* popup, const TPoint& origin, const TbsPopupAlpha* alpha, TbsPopupAlphaState& state,
                   const std::function<void()>& beforeFade) {
    HWND wnd = popup->Handle();
    const bool layered = IsLayeredSupported() && alpha;
    if (layered) {
        const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
        if (alpha->AlphaBlend && !state.OldAlphaBlend) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        else if (!alpha->AlphaBlend && state.OldAlphaBlend) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        state.OldAlphaBlend = alpha->AlphaBlend;
        if (alpha->AlphaBlend && state.OldAlphaBlendValue != alpha->AlphaBlendValue) {
            const BYTE a = alpha->AlphaBlendAnimation ? 0 : alpha->AlphaBlendValue;
            SetLayeredWindowAttributes(wnd, 0, a, LWA_ALPHA);
            state.OldAlphaBlendValue = a;
        }
    }
    popup->SetBounds(origin.x, origin.y, popup->Width(), popup->Height());
    SetWindowPos(wnd, HWND_TOP, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    popup->SetVisible(true);
    if (layered && alpha->AlphaBlend && alpha->AlphaBlendAnimation) {
        const TFreeWatch watch{popup, popup->Owner()};
        Application->ProcessMessages();
        if (watch.Freed()) return false;
        if (beforeFade) beforeFade();
        FadeIn(wnd, alpha->AlphaBlendValue);
    }
    return true;
}
