#pragma once
// How the program's windows build their controls in code: one call makes a
// control owned by owner, names it, puts it on parent and places it.
//
// Threads: UI thread only.

#include "platform/Controls.h"

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const wchar_t* name, int left, int top, int width, int height) {
    T* control = new T(owner);
    control->SetName(name);
    // Placed before it goes on its parent: its window is made in place.
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
}
