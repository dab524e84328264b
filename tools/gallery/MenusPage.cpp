#include "MenusPage.h"

#include "GalleryText.h"

#include "platform/Bitmap.h"
#include "platform/Menus.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "skin/frame/bsSkinMenus.h"

namespace {

TMenuItem* Add(TComponent* owner, TMenuItem* parent, const String& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

// Paints a level as it shows onto the page at (x, y).
void ShootLevel(TbsSkinPopupWindow* level, TBitmap& page, int x, int y) {
    TBitmap shot(level->Width(), level->Height(), pf24bit);
    level->PaintMenu(shot.Canvas()->Handle());
    page.Canvas()->Draw(x, y, &shot);
}

}  // namespace

void DrawMenusPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page, int w, int h) {
    const TColor ink = BeginGalleryPage(page, store, title, w, h);
    TCanvas* c = page.Canvas();

    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store);
    auto* main = new TMainMenu(form);
    TMenuItem* file = Add(main, main->Items(), L"文件(&F)");
    Add(main, main->Items(), L"编辑(&E)");
    Add(main, main->Items(), L"动作(&A)");
    Add(main, main->Items(), L"帮助(&H)");
    Add(main, file, L"添加一个文件")->SetShortCut(TextToShortCut(L"Ctrl+O"));
    {
        // An entry with a picture of its own: a small page with a fold.
        TBitmap pic(14, 14, pf24bit);
        pic.Canvas()->Brush()->SetColor(static_cast<TColor>(0x3070D0));
        pic.Canvas()->FillRect(TRect(0, 0, 14, 14));
        pic.Canvas()->Brush()->SetColor(clWhite);
        pic.Canvas()->FillRect(TRect(2, 3, 12, 12));
        pic.Canvas()->Brush()->SetColor(static_cast<TColor>(0x40A0F0));
        pic.Canvas()->FillRect(TRect(2, 3, 6, 6));
        Add(main, file, L"添加多个文件")->SetBitmap(&pic);
    }
    Add(main, file, L"-");
    TMenuItem* checked = Add(main, file, L"转换后关机");
    checked->SetChecked(true);
    Add(main, file, L"-格式-")->SetEnabled(false);
    TMenuItem* types = Add(main, file, L"图片格式");
    for (const wchar_t* t : {L"BMP", L"JPG", L"GIF", L"PNG"}) {
        TMenuItem* e = Add(main, types, t);
        e->SetRadioItem(true);
        e->SetGroupIndex(1);
    }
    types->Items(1)->SetChecked(true);
    Add(main, file, L"停止转换")->SetEnabled(false);
    Add(main, file, L"退出")->SetShortCut(TextToShortCut(L"Alt+F4"));

    // The bar, its first item pressed and its menu open with the submenu.
    GalleryText(c, 10, 40, L"菜单栏 menu bar", ink, 12);
    auto* bar = new TbsSkinMainMenuBar(form);
    bar->SetParent(form);
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 400, 22);
    bar->SetSkinData(store);
    bar->SetMainMenu(main);
    bar->SetSkinFrame(frame);
    Application->ProcessMessages();
    bar->ObjectList[0]->FDown = true;
    TBitmap strip(bar->Width(), bar->Height(), pf24bit);
    bar->PaintBar(strip.Canvas());
    c->Draw(170, 40, &strip);
    GalleryText(c, 10, 72, L"弹出菜单 popup levels", ink, 12);
    frame->SkinMenuOpen();
    frame->SkinMenu->Popup(nullptr, store, 0, TRect(170, 72, 170, 72), file, false);
    TbsSkinPopupWindow* first = frame->SkinMenu->LastLevel();
    if (first) {
        // The submenu beside its entry, with the entry pressed.
        const int sub = file->IndexOf(types);
        first->ItemList[static_cast<size_t>(sub)]->Down = true;
        first->ItemList[static_cast<size_t>(sub)]->Active = true;
        ShootLevel(first, page, 170, 72);
        TRect r = first->ItemList[static_cast<size_t>(sub)]->ObjectRect;
        frame->SkinMenu->PopupSub(TRect(first->Left() + r.left, first->Top() + r.top, first->Left() + r.right,
                                        first->Top() + r.bottom),
                                  types, 0, true, false);
        if (TbsSkinPopupWindow* second = frame->SkinMenu->LastLevel(); second && second != first)
            ShootLevel(second, page, 170 + first->Width() + 1, 72 + r.top - second->NewItemsRect.top);
    }
    frame->SkinMenu->Hide();

    // A level limited to five entries, scrolled down by two.
    GalleryText(c, 520, 72, L"滚动 scrolling", ink, 12);
    auto* many = new TPopupMenu(form);
    for (int i = 1; i <= 12; ++i) Add(many, many->Items(), L"项目 " + IntToStr(static_cast<int64_t>(i)));
    frame->MaxMenuItemsInWindow = 5;
    frame->SkinMenuOpen();
    frame->SkinMenu->Popup(nullptr, store, 0, TRect(620, 72, 620, 72), many->Items(), false);
    if (TbsSkinPopupWindow* level = frame->SkinMenu->LastLevel()) {
        level->ScrollDown(false);
        level->ScrollDown(false);
        ShootLevel(level, page, 620, 72);
    }
    frame->SkinMenu->Hide();
    Application->ProcessMessages();

    bar->Free();
    many->Free();
    main->Free();
    frame->Free();
    Application->ProcessMessages();
}
