#pragma once
// The links among the shell folder tree, folder list and path box: each
// side holds a pointer to the other, and each hears when the other is freed.
//
// Threads: UI thread only.

// Links self to v: the previous partner (held in mine) forgets self through
// its field back, v takes self's root and points back at self, and self
// hears when v is freed. Linking the partner it has already does nothing.
template <class Self, class Other, class Root>
void bsLinkShellControl(Self* self, Other*& mine, Other* v, Self* Other::*back, const Root& root) {
    if (v == mine) return;
    if (mine) {
        mine->*back = nullptr;
        self->RemoveFreeNotification(mine);
    }
    mine = v;
    if (!v) return;
    v->SetRoot(root);
    v->*back = self;
    self->FreeNotification(v);
}
