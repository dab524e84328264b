#pragma once
// What the drop-down lists of the combo boxes share as popup windows: a tool
// window that never takes activation, shown on top at a screen point and
// faded in when its combo asks for a translucent list.
//
// Threads: UI thread only.

#include <windows.h>

#include <functional>

#include "platform/Controls.h"

// The combo's translucency settings, and what the popup last applied.
struct TbsPopupAlpha {
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 0;
};
struct TbsPopupAlphaState {
    bool OldAlphaBlend = false;
    BYTE OldAlphaBlendValue = 0;
};

// Window style of a popup list owned by the given window.
void PopupListCreateParams(TCreateParams& p, HWND parentWindow);
// True when the message was answered (a click never activates the popup).
bool PopupListMessage(TMessage& m);
void HidePopupList(TWinControl* popup);
// Shows the popup at origin; alpha is null for a popup without a combo.
// beforeFade runs once the popup shows and before a fade-in starts. The
// fade-in runs the waiting messages first: false when they freed the popup
// or its owner, which then must not be touched.
bool ShowPopupList(TWinControl* popup, const TPoint& origin, const TbsPopupAlpha* alpha, TbsPopupAlphaState& state,
                   const std::function<void()>& beforeFade);
