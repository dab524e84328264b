#pragma once
// Messages shared by the skinned controls, frames, menus and boxes.
#include <windows.h>

// Paints the frame of a control into the DC in wParam; controls without a
// frame of their own answer 12851 and paint nothing.
constexpr UINT CM_PAINTFRAMETODC = 0xB1C9;
// Paints a list view's header into the DC in wParam.
constexpr UINT CM_PAINTHEADERTODC = 0xB1C8;
// Paints a whole control into the DC in wParam (boxes, frames and forms answer it).
constexpr UINT CM_PAINTTODC = 0xBC4B;
// Sent to the control that opened a skinned popup menu when it closes.
constexpr UINT WM_CLOSESKINMENU = WM_USER + 204;
