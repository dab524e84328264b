#include "MDIPage.h"

#include "GalleryText.h"

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Owners.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMDITabsBar.h"
#include "skin/frame/bsSkinMainMenuBar.h"

namespace {

constexpr int kFormW = 390, kFormH = 300;

TMenuItem* AddItem(TMenu* menu, TMenuItem* parent, const String& caption) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

// The form as it shows on the screen, copied onto the page at (x, y).
void ShootWindow(TForm* f, TBitmap& page, int x, int y) {
    SetWindowPos(f->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(f->Handle(), nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application->ProcessMessages();
    RECT wr;
    GetWindowRect(f->Handle(), &wr);
    platform::WindowDC screen;
    BitBlt(page.Canvas()->Handle(), x, y, wr.right - wr.left, wr.bottom - wr.top, screen.Get(), wr.left, wr.top,
           SRCCOPY);
}

}  // namespace

void DrawMDIPage(TbsSkinData* store, const String& title, TBitmap& page) {
    const TColor ink = BeginGalleryPage(page, store, title, 820, 400);
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->SetFormStyle(fsMDIForm);
    main->SetCaption(L"主窗口 Main");
    main->SetBounds(0, 0, kFormW, kFormH);
    auto* frame = new TbsSkinFrame(main);
    frame->SetSkinData(store);
    auto* menu = new TbsSkinMainMenu(main);
    AddItem(menu, menu->Items(), L"文件 File");
    AddItem(menu, menu->Items(), L"窗口 Window");
    auto* bar = new TbsSkinMainMenuBar(main);
    bar->SetParent(main);
    bar->SetSkinData(store);
    bar->SetMainMenu(menu);
    bar->SetSkinFrame(frame);
    auto* tabs = new TbsSkinMDITabsBar(main);
    tabs->SetParent(main);
    tabs->SetAlign(alTop);
    tabs->SetTop(bar->Height());
    tabs->ShowCloseButtons = true;
    tabs->SetSkinData(store);
    tabs->SetSkinFrame(frame);
    frame->MDITabsBar = tabs;
    main->Show();
    Application->ProcessMessages();

    const wchar_t* names[] = {L"视频一 Video 1", L"音频 Audio"};
    std::vector<TForm*> kids;
    for (int i = 0; i < 2; ++i) {
        auto* child = new TForm(Application);
        child->SetName(L"child" + std::to_wstring(i));
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(names[i]);
        child->SetBounds(10 + 60 * i, 10 + 40 * i, 200, 140);
        (new TbsSkinFrame(child))->SetSkinData(store);
        child->Show();
        Application->ProcessMessages();
        kids.push_back(child);
    }
    GalleryText(page.Canvas(), 10, 36, L"子窗口 children", ink, 12);
    ShootWindow(main, page, 10, 56);
    FindSkinFormComponent(kids[1])->SetWindowState(wsMaximized);
    Application->ProcessMessages();
    GalleryText(page.Canvas(), 420, 36, L"最大化 maximized child", ink, 12);
    ShootWindow(main, page, 420, 56);

    for (TForm* k : kids) k->Free();
    Application->ProcessMessages();
    main->Free();
    Application->ProcessMessages();
}
