#pragma once
// Small records shared by the skinned controls that draw buttons of their
// own inside their window (up/down, lists, combo boxes, edits).
//
// Threads: UI thread only.

#include "platform/Graphics.h"

// A small button drawn inside a control.
struct TbsCBButtonX {
    TRect R;
    bool MouseIn = false;  // the pointer is over it
    bool Down = false;     // it is pressed
};
