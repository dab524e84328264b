#include "FrameExtrasPage.h"

#include "GalleryImagesMenu.h"
#include "GalleryText.h"

#include <vector>

#include "platform/ImgList.h"
#include "skin/frame/bsFormLayerBorder.h"
#include "skin/frame/bsSkinHint.h"
#include "skin/frame/bsSkinImagesMenu.h"
#include "skin/frame/bsSkinMDITabsBar.h"

namespace {

// Copies a window's client picture onto the page at (x, y).
void Shoot(TWinControl* w, TBitmap& page, int x, int y) {
    TBitmap shot(w->Width(), w->Height(), pf24bit);
    SendMessageW(w->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    page.Canvas()->Draw(x, y, &shot);
}

TCustomImageList* Swatches(TComponent* owner) {
    auto* list = new TCustomImageList(owner);
    list->Masked = false;
    list->SetSize(16, 16);
    const TColor colours[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clGray};
    for (TColor c : colours) {
        TBitmap b(16, 16, pf24bit);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(TRect(0, 0, 16, 16));
        list->Add(&b, nullptr);
    }
    return list;
}

}  // namespace

void DrawFrameExtrasPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page, int w, int h) {
    const TColor ink = BeginGalleryPage(page, store, title, w, h);
    TCanvas* c = page.Canvas();

    // Hint.
    GalleryText(c, 10, 40, L"提示 hint", ink, 12);
    auto* hint = new TbsSkinHint(form);
    hint->SetSkinData(store);
    hint->ActivateHint(TPoint(0, 0), L"转换队列@Conversion queue");
    Shoot(hint->HintWindow(), page, 170, 40);
    hint->HideHint();

    // Layered outer border around a 200 x 80 form outline.
    GalleryText(c, 10, 140, L"外框 layered border", ink, 12);
    TbsFormLayerBorder border(nullptr);
    border.InitFrame(store, form);
    if (border.InUse()) {
        const TRect outer = border.OuterRect(TRect(150, 160, 350, 240));
        border.Draw(c, outer.left, outer.top, outer.Width(), outer.Height());
        c->Brush()->SetColor(clWhite);
        c->FrameRect(TRect(150, 160, 350, 240));
    } else {
        GalleryText(c, 150, 160, L"(no layered border in this look)", ink, 12);
    }

    // MDI tab bar with three children, the second active.
    GalleryText(c, 10, 280, L"标签栏 MDI tabs", ink, 12);
    std::vector<TForm*> kids;
    auto* bar = new TbsSkinMDITabsBar(form);
    bar->SetParent(form);
    bar->SetBounds(0, 0, 415, 21);
    bar->ShowCloseButtons = true;
    bar->SetSkinData(store);
    const wchar_t* names[] = {L"视频一.mp4", L"video two.avi", L"音频.mp3"};
    for (const wchar_t* n : names) {
        auto* k = new TForm(form);
        k->SetCaption(n);
        kids.push_back(k);
        bar->AddTab(k);
    }
    bar->Repaint();
    bar->Tabs(1)->Active = true;
    Shoot(bar, page, 170, 280);

    // Images menu grid: a header, cells and a button row.
    GalleryText(c, 10, 330, L"图片菜单 images menu", ink, 12);
    auto* menu = new TbsSkinImagesMenu(form);
    menu->SetImages(Swatches(form));
    menu->SetSkinData(store);
    FillGalleryImagesGrid(menu, L"颜色 Colours", 6);
    TbsImagesMenuItem button;
    button.Button = true;
    button.ImageIndex = 6;
    button.Caption = L"更多 More...";
    menu->ImagesItems.push_back(button);
    menu->ItemIndex = 2;
    menu->Popup(0, 0);
    if (menu->PopupWindow()) Shoot(menu->PopupWindow(), page, 170, 330);
    menu->Hide();

    bar->Free();
    for (TForm* k : kids) k->Free();
    menu->Free();
    hint->Free();
    Application->ProcessMessages();
}
