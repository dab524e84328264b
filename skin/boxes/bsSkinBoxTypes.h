#pragma once
// Small records and event types shared by the skinned lists, combo boxes
// and edits.
//
// Threads: UI thread only.

#include <functional>

#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "skin/controls/bsSkinCtrlsTypes.h"

// The face of a combo box.
struct TbsCBItem {
    TRect R;
    TOwnerDrawState State = 0;
};

// Owner drawing of a list row or a combo face into an off-screen bitmap of
// itemWidth x itemHeight (no sender).
using TbsDrawSkinItemEvent = std::function<void(TCanvas* cnvs, int index, int itemWidth, int itemHeight,
                                                TRect txtRect, TOwnerDrawState state)>;
// Owner drawing of an office item (no sender).
using TbsDrawSkinOfficeItemEvent = std::function<void(TCanvas* cnvs, int index, TRect textRct)>;

// Window timer of the drop-downs' auto-scroll and of the repeat buttons.
constexpr UINT_PTR bsBoxTimerId = 1;
constexpr UINT bsDropDownScrollMs = 25;
