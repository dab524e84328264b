#include "GalleryPage.h"

#include "platform/Owners.h"

namespace gallery {

void CopyFromScreen(HDC page, TForm* form, HWND wnd, HWND with) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
    RECT r;
    GetWindowRect(wnd, &r);
    if (with) {
        RECT wr;
        GetWindowRect(with, &wr);
        UnionRect(&r, &r, &wr);
    }
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    platform::WindowDC screen;
    BitBlt(page, r.left - origin.x, r.top - origin.y, r.right - r.left, r.bottom - r.top, screen.Get(), r.left, r.top,
           SRCCOPY);
}

}  // namespace gallery
