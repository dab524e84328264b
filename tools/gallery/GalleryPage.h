// What the gallery's pages share: the controls a page makes on its form
// (freed last made first) and the copy of a shown window from the screen.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/Forms.h"

namespace gallery {

class TPageParts {
public:
    explicit TPageParts(TForm* form) : form_(form) {}
    ~TPageParts() {
        for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) (*it)->Free();
        Application->ProcessMessages();
    }
    TPageParts(const TPageParts&) = delete;
    TPageParts& operator=(const TPageParts&) = delete;

    // A control of type T on the form at the given place.
    template <class T>
    T* New(int x, int y, int w, int h) {
        auto* c = new T(form_);
        c->SetParent(form_);
        c->SetBounds(x, y, w, h);
        owned_.push_back(c);
        return c;
    }
    // A component freed with the page, after those made after it.
    void Adopt(TComponent* c) { owned_.push_back(c); }
    // A component freed after everything the page makes.
    void AdoptFirst(TComponent* c) { owned_.insert(owned_.begin(), c); }

private:
    TForm* form_;
    std::vector<TComponent*> owned_;
};

// Repaints a shown window with its frame and children, then copies it (and
// a window shown with it, such as its drop-down) from the screen onto the
// page at its place in the form's client area.
void CopyFromScreen(HDC page, TForm* form, HWND wnd, HWND with = nullptr);

}  // namespace gallery
