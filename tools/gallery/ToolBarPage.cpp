// The gallery page of the main window's tool bar button "添加": a menu speed
// button with its picture over the caption on a tool bar, normal, under the
// pointer, pressed with its menu open and disabled; the pointer and the
// press are mouse messages to the tool bar that holds the button.
#include "ToolBarPage.h"

#include "GalleryText.h"

#include <vector>

#include "platform/ImgList.h"
#include "platform/Owners.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMenus.h"

namespace {

constexpr int kW = 820, kH = 230, kLabelW = 110, kColW = 170;

// The visible windows of this thread other than the form: an open menu.
struct Popups {
    HWND form;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectPopup(HWND wnd, LPARAM data) {
    auto* p = reinterpret_cast<Popups*>(data);
    if (wnd != p->form && IsWindowVisible(wnd) && (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_POPUP))
        p->found.push_back(wnd);
    return TRUE;
}

// The screen rectangle of the bar and of every menu window open with it.
RECT ShownRect(TWinControl* bar, HWND form) {
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    Popups p{form, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectPopup, reinterpret_cast<LPARAM>(&p));
    for (HWND w : p.found) {
        RECT pr;
        GetWindowRect(w, &pr);
        UnionRect(&r, &r, &pr);
    }
    return r;
}

TCustomImageList* Pictures(TComponent* owner) {
    auto* list = new TCustomImageList(owner);
    list->SetSize(32, 32);
    TBitmap b(32, 32, pf24bit);
    b.Canvas()->Brush()->SetColor(clFuchsia);
    b.Canvas()->FillRect(TRect(0, 0, 32, 32));
    b.Canvas()->Brush()->SetColor(TColor(0x2E8B3C));
    b.Canvas()->Pen()->SetColor(TColor(0x1E5B28));
    b.Canvas()->Ellipse(3, 3, 29, 29);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(14, 8, 18, 24));
    b.Canvas()->FillRect(TRect(8, 14, 24, 18));
    list->AddMasked(&b, clFuchsia);
    return list;
}

}  // namespace

void DrawToolBarPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page) {
    const TColor ink = BeginGalleryPage(page, store, title + L" - tool bar menu button", kW, kH);
    const wchar_t* states[] = {L"normal", L"hot", L"menu open", L"disabled"};
    for (int s = 0; s < 4; ++s) GalleryText(page.Canvas(), kLabelW + s * kColW, 26, states[s], ink, 12);
    GalleryText(page.Canvas(), 10, 60, L"添加 button", ink, 12);

    // The menus of the page's form draw through a frame of the form.
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store);
    frame->SetMenusSkinData(store);
    TCustomImageList* pictures = Pictures(nullptr);
    auto* menu = new TbsSkinPopupMenu(form);
    for (const wchar_t* caption : {L"添加一个文件", L"添加整个目录"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    menu->SetSkinData(store);
    Application->ProcessMessages();

    HDC dc = page.Canvas()->Handle();
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    for (int s = 0; s < 4; ++s) {
        auto* bar = new TbsSkinToolBar(form);
        bar->SetParent(form);
        bar->SetBounds(kLabelW + s * kColW, 44, 150, 58);
        bar->SetSkinDataName(L"resizetoolpanel");
        bar->SetShowCaptions(true);
        bar->SetSkinData(store);
        // As on the main window: a speed button on the bar draws the bar's pictures.
        bar->SetImages(pictures);
        auto* add = new TbsSkinMenuSpeedButton(form);
        add->SetParent(bar);
        add->SetBounds(6, 3, 84, 52);
        add->SetCaption(L"添加");
        add->SetSkinPopupMenu(menu);
        add->SetSkinData(store);
        add->SetImageList(pictures);
        add->SetImageIndex(0);
        add->SetLayout(blGlyphTop);
        bar->HandleNeeded();
        const LPARAM middle = MAKELPARAM(add->Left() + 40, add->Top() + 26);
        if (s == 1 || s == 2) SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, middle);
        if (s == 2) SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
        if (s == 3) add->SetEnabled(false);
        Application->ProcessMessages();
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
        const RECT r = ShownRect(bar, form->Handle());
        {
            platform::WindowDC screen;
            BitBlt(dc, r.left - origin.x, r.top - origin.y, r.right - r.left, r.bottom - r.top, screen.Get(), r.left,
                   r.top, SRCCOPY);
        }
        if (menu->IsOpen()) {
            if (frame->SkinMenu) frame->SkinMenu->Hide();
            SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, middle);
        }
        SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, kH - 4));
        Application->ProcessMessages();
        add->Free();
        bar->Free();
        Application->ProcessMessages();
    }
    menu->Free();
    frame->Free();
    pictures->Free();
    Application->ProcessMessages();
}
