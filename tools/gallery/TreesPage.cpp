#include "TreesPage.h"

#include "GalleryImagesMenu.h"
#include "GalleryPage.h"
#include "GalleryText.h"

#include <vector>

#include "platform/ImgList.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/controls/bsSkinCtrlsTree.h"
#include "skin/frame/bsSkinImagesMenu.h"

namespace {

class TreesPage {
public:
    TreesPage(TForm* form, TbsSkinData* store) : form_(form), store_(store), parts_(form) {}
    ~TreesPage() {
        if (menu_) menu_->Hide();
        ReleaseCapture();
    }

    void Build() {
        pictures_ = TreePictures();  // first made, last freed: the trees hold on to it
        Caption(10, 36, L"树形视图 tree view");
        AddFolderTree(10, 56, 300, 300);
        Caption(340, 36, L"两个滚动条 both bars");
        AddWideTree(340, 56, 230, 170);
        Caption(600, 36, L"图片菜单按钮 images menu");
        AddImagesMenuButtons(600, 56);
        Caption(340, 380, L"菜单按钮 menu buttons");
        AddMenuButtons(340, 400);
    }

    // Opens the last button's grid; the page is shot with it showing. Done
    // last: any later move or resize of a window closes the grid.
    void DropDown() {
        if (!dropped_) return;
        dropped_->Perform(CM_MOUSEENTER);
        dropped_->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(dropped_->Width() - 5, 5));
        Application->ProcessMessages();
        if (menu_->PopupWindow()) menu_->PopupWindow()->Repaint();
    }

private:
    template <class T>
    T* New(int x, int y, int w, int h) {
        return parts_.template New<T>(x, y, w, h);
    }

    void Caption(int x, int y, const wchar_t* text) {
        auto* l = New<TbsSkinStdLabel>(x, y, 240, 18);
        l->SetCaption(text);
        if (store_) l->SetSkinData(store_);
    }

    // Tree pictures: a folder, a film strip and a note (fuchsia is
    // see-through).
    TCustomImageList* TreePictures() {
        auto* list = new TCustomImageList(form_);
        parts_.Adopt(list);
        list->SetSize(16, 16);
        for (int i = 0; i < 3; ++i) {
            TBitmap b(16, 16, pf24bit);
            TCanvas* c = b.Canvas();
            c->Brush()->SetColor(clFuchsia);
            c->FillRect(TRect(0, 0, 16, 16));
            c->Pen()->SetColor(clBlack);
            if (i == 0) {
                c->Brush()->SetColor(static_cast<TColor>(0x40C0F0));
                c->Rectangle(1, 4, 15, 14);
                c->FillRect(TRect(2, 2, 7, 5));
            } else if (i == 1) {
                c->Brush()->SetColor(static_cast<TColor>(0x3070D0));
                c->Rectangle(1, 3, 15, 13);
                c->Brush()->SetColor(clWhite);
                for (int x = 3; x < 14; x += 4) {
                    c->FillRect(TRect(x, 4, x + 2, 6));
                    c->FillRect(TRect(x, 10, x + 2, 12));
                }
            } else {
                c->Brush()->SetColor(static_cast<TColor>(0x30A040));
                c->Ellipse(2, 9, 9, 15);
                c->FillRect(TRect(7, 2, 9, 12));
                c->FillRect(TRect(7, 2, 13, 4));
            }
            list->AddMasked(&b, clFuchsia);
        }
        return list;
    }

    TbsSkinCustomTreeView* NewTree(int x, int y, int w, int h, bool hbar) {
        auto* tree = New<TbsSkinCustomTreeView>(x, y, w - 19, hbar ? h - 19 : h);
        tree->HideSelection = false;
        auto* v = New<TbsSkinScrollBar>(x + w - 19, y, 19, hbar ? h - 19 : h);
        v->SetKind(sbVertical);
        v->SetSkinDataName(L"vscrollbar");
        TbsSkinScrollBar* hb = hbar ? New<TbsSkinScrollBar>(x, y + h - 19, w - 19, 19) : nullptr;
        if (store_) {
            tree->SetSkinData(store_);
            v->SetSkinData(store_);
            if (hb) hb->SetSkinData(store_);
        }
        tree->SetImages(pictures_);
        tree->HandleNeeded();
        tree->SetVScrollBar(v);
        if (hb) tree->SetHScrollBar(hb);
        return tree;
    }

    static TTreeNode* Node(TbsSkinCustomTreeView* tree, TTreeNode* parent, const String& text, int image) {
        TTreeNode* n = tree->Items()->AddChild(parent, text);
        n->SetImageIndex(image);
        n->SetSelectedIndex(image);
        return n;
    }

    void AddFolderTree(int x, int y, int w, int h) {
        TbsSkinCustomTreeView* tree = NewTree(x, y, w, h, false);
        TTreeNode* videos = Node(tree, nullptr, L"视频 Videos", 0);
        TTreeNode* selected = nullptr;
        for (int i = 1; i <= 6; ++i) {
            TTreeNode* n = Node(tree, videos, L"片段 clip " + IntToStr(static_cast<int64_t>(i)) + L".mp4", 1);
            if (i == 3) selected = n;
        }
        TTreeNode* holiday = Node(tree, videos, L"假日 Holiday", 0);
        for (int i = 1; i <= 3; ++i) Node(tree, holiday, L"海边 beach " + IntToStr(static_cast<int64_t>(i)) + L".avi", 1);
        TTreeNode* music = Node(tree, nullptr, L"音乐 Music", 0);
        for (const wchar_t* s : {L"歌曲 song.mp3", L"录音 voice.wav", L"专辑 album.flac"}) Node(tree, music, s, 2);
        TTreeNode* output = Node(tree, nullptr, L"输出 Output", 0);
        for (int i = 1; i <= 4; ++i) Node(tree, output, L"结果 result " + IntToStr(static_cast<int64_t>(i)), 1);
        Node(tree, nullptr, L"回收站 Trash", 0);
        videos->Expand(false);
        holiday->Expand(false);
        music->Expand(false);
        output->Expand(false);
        tree->SetSelected(selected);
        // Focused: the selection shows in the highlight colours. The first
        // rows show from the top.
        tree->SetFocus();
        tree->Perform(WM_VSCROLL, SB_TOP, 0);
        tree->UpDateScrollBars();
    }

    void AddWideTree(int x, int y, int w, int h) {
        TbsSkinCustomTreeView* tree = NewTree(x, y, w, h, true);
        TTreeNode* root = Node(tree, nullptr, L"转换队列 Conversion queue", 0);
        for (int i = 1; i <= 12; ++i)
            Node(tree, root,
                 L"很长的文件名 a rather long file name number " + IntToStr(static_cast<int64_t>(i)) + L".mkv", 1);
        root->Expand(false);
        tree->SetSelected(root->Item(1));
        tree->UpDateScrollBars();
    }

    // Colour swatches with captions, four to a row, and a header.
    TbsSkinImagesMenu* NewImagesMenu() {
        auto* menu = new TbsSkinImagesMenu(form_);
        parts_.Adopt(menu);
        auto* list = new TCustomImageList(form_);
        parts_.AdoptFirst(list);  // freed after the menu and buttons
        list->Masked = false;
        list->SetSize(16, 16);
        const TColor colours[] = {static_cast<TColor>(0x2020D0), static_cast<TColor>(0x20A020),
                                  static_cast<TColor>(0xD04020), static_cast<TColor>(0x20C0E0),
                                  static_cast<TColor>(0xA030A0), static_cast<TColor>(0x808080)};
        const wchar_t* names[] = {L"红 Red", L"绿 Green", L"蓝 Blue", L"黄 Yellow", L"紫 Purple", L"灰 Grey"};
        for (TColor c : colours) {
            TBitmap b(16, 16, pf24bit);
            b.Canvas()->Brush()->SetColor(c);
            b.Canvas()->Pen()->SetColor(clBlack);
            b.Canvas()->Rectangle(0, 0, 16, 16);
            list->Add(&b, nullptr);
        }
        menu->SetImages(list);
        menu->SetSkinData(store_);
        FillGalleryImagesGrid(menu, L"颜色 Colour", 6, names);
        menu->ItemIndex = 3;  // blue
        return menu;
    }

    // Menu speed buttons by face: the shared nine-piece face idle and hot,
    // a flat one idle (only its marker) and hot, the new style hot with
    // its track part, and the new style with the track at the bottom.
    void AddMenuButtons(int x, int y) {
        struct Look {
            const wchar_t* caption;
            const wchar_t* record;
            bool flat, hot, newStyle, bottom;
        };
        const Look looks[] = {
            {L"添加 Add", L"resizetoolbutton", false, false, false, false},
            {L"悬停 Hot", L"resizetoolbutton", false, true, false, false},
            {L"平 Flat", L"toolmenubutton", true, false, false, false},
            {L"平 Hot", L"toolmenubutton", true, true, false, false},
            {L"新 New", L"resizetoolbutton", false, true, true, false},
            {L"新 Bottom", L"resizetoolbutton", false, false, true, true},
        };
        for (int i = 0; i < 6; ++i) {
            const Look& l = looks[i];
            auto* b = New<TbsSkinMenuSpeedButton>(x + 78 * (i % 3), y + 52 * (i / 3), 74, 46);
            b->UseSkinSize = false;
            b->SkinDataName = l.record;
            b->SetCaption(l.caption);
            b->SetFlat(l.flat);
            if (l.newStyle) {
                b->SetNewStyle(true);
                b->SetTrackButtonMode(true);
                if (l.bottom) b->SetTrackPosition(bstpBottom);
            }
            if (store_) b->SetSkinData(store_);
            if (l.hot) b->Perform(CM_MOUSEENTER);
        }
    }

    void AddImagesMenuButtons(int x, int y) {
        menu_ = NewImagesMenu();
        const wchar_t* states[] = {L"常态 normal", L"悬停 hot", L"按下 open"};
        for (int i = 0; i < 3; ++i) {
            auto* b = New<TbsSkinMenuSpeedButton>(x, y + 40 * i, 120, 30);
            b->UseSkinSize = false;
            b->SetTrackButtonMode(true);
            b->SetCaption(L"颜色");
            if (store_) b->SetSkinData(store_);
            b->SetSkinImagesMenu(menu_);
            b->SetUseImagesMenuImage(true);
            b->SetUseImagesMenuCaption(true);
            auto* l = New<TbsSkinStdLabel>(x + 126, y + 40 * i + 6, 90, 18);
            l->SetCaption(states[i]);
            if (store_) l->SetSkinData(store_);
            if (i == 1) b->Perform(CM_MOUSEENTER);
            if (i == 2) dropped_ = b;
        }
    }

    TForm* form_;
    TbsSkinData* store_;
    gallery::TPageParts parts_;
    TCustomImageList* pictures_ = nullptr;
    TbsSkinImagesMenu* menu_ = nullptr;
    TbsSkinMenuSpeedButton* dropped_ = nullptr;
};

}  // namespace

void DrawTreesPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page, int w, int h) {
    page.SetPixelFormat(pf24bit);
    page.SetSize(w, h);
    TbsSkinData* skin = store && !store->Empty ? store : nullptr;
    form->SetColor(skin ? skin->SkinColors()->cBtnFace : clBtnFace);
    TreesPage trees(form, skin);
    trees.Build();
    Application->ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
    trees.DropDown();
    // What a user sees: the form's client area, with the open grid over it,
    // copied from the screen.
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    HDC screen = GetDC(nullptr);
    BitBlt(page.Canvas()->Handle(), 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GalleryText(page.Canvas(), 10, 10, title + L" - tree views, images menu button",
                skin ? skin->SkinColors()->cBtnText : clBtnText, 16, true);
}
