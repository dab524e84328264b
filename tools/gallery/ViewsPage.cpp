#include "ViewsPage.h"

#include "GalleryText.h"

#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsPages.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/controls/bsSkinCtrlsViews.h"

namespace {

class ViewsPage {
public:
    ViewsPage(TForm* form, TbsSkinData* store) : form_(form), store_(store) {}
    ~ViewsPage() {
        ReleaseCapture();
        for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) (*it)->Free();
        Application->ProcessMessages();
    }

    void Build() {
        Pictures();  // first made, last freed: the views hold on to it
        AddReportView(10, 40, 400, 200);
        AddPages(430, 40, tpTop, true);
        AddPages(430, 200, tpBottom, false);
        AddPages(10, 280, tpLeft, false);
        AddPages(220, 280, tpRight, false);
        AddLabels(430, 360);
        AddSplitter(430, 420);
        AddSpeedButtons(10, 440);
    }

private:
    // Small pictures for the views and tabs: a film strip, a note and a gear
    // (any colour of the corners is see-through).
    TCustomImageList* Pictures() {
        if (pictures_) return pictures_;
        pictures_ = new TCustomImageList(form_);
        owned_.push_back(pictures_);
        pictures_->SetSize(16, 16);
        const TColor inks[] = {static_cast<TColor>(0x3070D0), static_cast<TColor>(0x30A040),
                               static_cast<TColor>(0xB06030)};
        for (int i = 0; i < 3; ++i) {
            TBitmap b(16, 16, pf24bit);
            TCanvas* c = b.Canvas();
            c->Brush()->SetColor(clFuchsia);
            c->FillRect(TRect(0, 0, 16, 16));
            c->Brush()->SetColor(inks[i]);
            c->Pen()->SetColor(clBlack);
            if (i == 0) {
                c->Rectangle(1, 3, 15, 13);
                c->Brush()->SetColor(clWhite);
                for (int x = 3; x < 14; x += 4) c->FillRect(TRect(x, 4, x + 2, 6)), c->FillRect(TRect(x, 10, x + 2, 12));
            } else if (i == 1) {
                c->Ellipse(2, 9, 9, 15);
                c->FillRect(TRect(7, 2, 9, 12));
                c->FillRect(TRect(7, 2, 13, 4));
            } else {
                c->Ellipse(2, 2, 14, 14);
                c->Brush()->SetColor(clFuchsia);
                c->Ellipse(6, 6, 10, 10);
            }
            pictures_->AddMasked(&b, clFuchsia);
        }
        return pictures_;
    }

    // A glyph strip of four cells (normal, disabled, pressed, hot): a
    // square in a colour of its own per cell, the corners see-through.
    static void GlyphStrip(TBitmap& strip) {
        strip.SetPixelFormat(pf24bit);
        strip.SetSize(64, 16);
        TCanvas* c = strip.Canvas();
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(TRect(0, 0, 64, 16));
        const TColor cells[] = {static_cast<TColor>(0x2060C0), static_cast<TColor>(0x909090),
                                static_cast<TColor>(0x104080), static_cast<TColor>(0x20A0F0)};
        c->Pen()->SetColor(clBlack);
        for (int i = 0; i < 4; ++i) {
            c->Brush()->SetColor(cells[i]);
            c->Rectangle(16 * i + 2, 2, 16 * i + 14, 14);
        }
    }

    template <class T>
    T* New(TWinControl* parent, int x, int y, int w, int h) {
        auto* c = new T(form_);
        c->SetParent(parent);
        c->SetBounds(x, y, w, h);
        if (parent == form_) owned_.push_back(c);
        return c;
    }

    void AddReportView(int x, int y, int w, int h) {
        auto* lv = New<TbsSkinListView>(form_, x, y, w - 19, h - 19);
        lv->SetViewStyle(vsReport);
        lv->SetRowSelect(true);
        lv->SetGridLines(true);
        const wchar_t* captions[] = {L"文件名 File", L"格式 Format", L"时长 Time", L"大小 Size", L"状态 State", L""};
        const int widths[] = {150, 90, 80, 80, 90, 0};
        const TAlignment aligns[] = {taLeftJustify, taLeftJustify, taCenter, taRightJustify, taCenter, taLeftJustify};
        lv->SetSmallImages(Pictures());
        for (int c = 0; c < 6; ++c) {
            TListColumn* col = lv->Columns()->Add();
            col->SetCaption(captions[c]);
            col->SetWidth(widths[c]);
            col->SetAlignment(aligns[c]);
        }
        lv->Columns()->Items(0)->SetImageIndex(0);
        lv->Columns()->Items(4)->SetImageIndex(2);
        auto* vbar = New<TbsSkinScrollBar>(form_, x + w - 19, y, 19, h - 19);
        vbar->SetKind(sbVertical);
        vbar->SetSkinDataName(L"vscrollbar");
        auto* hbar = New<TbsSkinScrollBar>(form_, x, y + h - 19, w - 19, 19);
        if (store_) {
            vbar->SetSkinData(store_);
            hbar->SetSkinData(store_);
            lv->SetSkinData(store_);
        }
        lv->HandleNeeded();
        for (int r = 0; r < 40; ++r) {
            TListItem* it = lv->Items()->Add();
            it->SetCaption(L"视频 clip " + IntToStr(static_cast<int64_t>(r + 1)) + L".avi");
            it->SetImageIndex(r % 4 == 3 ? 1 : 0);
            it->SubItems()->Add(L"MP4");
            it->SubItems()->Add(L"00:03:1" + IntToStr(static_cast<int64_t>(r % 10)));
            it->SubItems()->Add(IntToStr(static_cast<int64_t>(12 + r)) + L" MB");
            it->SubItems()->Add(r % 3 == 0 ? L"完成 Done" : L"等待 Waiting");
        }
        lv->SetVScrollBar(vbar);
        lv->SetHScrollBar(hbar);
        lv->SetItemIndex(2);
    }

    // The top one shows centred tabs of a fixed width with images, laid
    // out like buttons, and close buttons.
    void AddPages(int x, int y, TTabPosition side, bool centred) {
        const bool vertical = side == tpLeft || side == tpRight;
        auto* pc = New<TbsSkinPageControl>(form_, x, y, vertical ? 200 : 380, vertical ? 140 : 150);
        pc->SetTabPosition(side);
        pc->SetShowCloseButtons(centred);
        const wchar_t* captions[] = {L"常规 General", L"视频 Video", L"音频 Audio", L"高级 Advanced", L"其他 More",
                                     L"输出 Output"};
        std::vector<TbsSkinTabSheet*> sheets;
        // The bottom strip holds more tabs than fit: it shows the scroller.
        const int count = vertical ? 3 : centred ? 3 : 6;
        for (int i = 0; i < count; ++i) {
            auto* s = new TbsSkinTabSheet(form_);
            s->SetPageControl(pc);
            s->SetCaption(centred ? String(captions[i]).substr(0, 2) : String(captions[i]));
            if (centred) s->ImageIndex = i;
            sheets.push_back(s);
        }
        if (centred) {
            pc->SetImages(Pictures());
            pc->SetTabWidth(96);
            pc->SetTabsInCenter(true);
            pc->SetTabExtededDraw(true);
            pc->SetTabMargin(6);
            pc->SetTabSpacing(4);
        }
        if (store_) pc->SetSkinData(store_);
        pc->HandleNeeded();
        pc->SetActivePage(sheets[1]);
        auto* l = new TbsSkinStdLabel(form_);
        l->SetParent(sheets[1]);
        l->SetBounds(10, 10, 150, 20);
        l->SetCaption(L"标签 Label on a sheet");
        if (store_) l->SetSkinData(store_);
    }

    void AddLabels(int x, int y) {
        auto* l = New<TbsSkinStdLabel>(form_, x, y, 180, 20);
        l->SetCaption(L"标准标签 Standard label");
        if (store_) l->SetSkinData(store_);
        auto* d = New<TbsSkinStdLabel>(form_, x, y + 24, 180, 20);
        d->SetCaption(L"禁用 Disabled label");
        d->SetEnabled(false);
        if (store_) d->SetSkinData(store_);
        auto* t = New<TbsSkinTextLabel>(form_, x + 200, y, 180, 40);
        t->Lines()->Add(L"文本标签 Text label");
        t->Lines()->Add(L"第二行 second line");
        if (store_) t->SetSkinData(store_);
        const TBevelShape shapes[] = {bsBox, bsFrame, bsTopLine};
        for (int i = 0; i < 3; ++i) {
            auto* b = New<TbsSkinBevel>(form_, x + 200 + 60 * i, y + 46, 50, 12);
            b->SetShape(shapes[i]);
            b->SetSkinData(store_);
        }
    }

    void AddSplitter(int x, int y) {
        auto* host = New<TPanel>(form_, x, y, 380, 80);
        host->SetCaption(L"");
        auto* left = new TPanel(form_);
        left->SetParent(host);
        left->SetAlign(alLeft);
        left->SetWidth(120);
        left->SetCaption(L"左 Left");
        auto* sp = new TbsSkinSplitter(form_);
        sp->SetParent(host);
        sp->SetAlign(alLeft);
        sp->SetLeft(200);
        sp->SetSkinData(store_);
        auto* right = new TPanel(form_);
        right->SetParent(host);
        right->SetAlign(alClient);
        right->SetCaption(L"右 Right");
    }

    void AddSpeedButtons(int x, int y) {
        const wchar_t* captions[] = {L"Normal", L"Hot", L"Down", L"Group"};
        for (int i = 0; i < 4; ++i) {
            auto* b = New<TbsSkinSpeedButton>(form_, x + 70 * i, y, 66, 28);
            b->UseSkinSize = false;
            b->SetCaption(captions[i]);
            if (i == 3) b->GroupIndex = 1;
            if (store_) b->SetSkinData(store_);
            if (i == 1) b->Perform(CM_MOUSEENTER);
            if (i == 2) b->Perform(CM_MOUSEENTER), b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            if (i == 3) b->SetDown(true);
        }
        auto* menu = New<TbsSkinMenuSpeedButton>(form_, x + 70 * 4, y, 88, 28);
        menu->UseSkinSize = false;
        menu->SetTrackButtonMode(true);
        menu->SetCaption(L"添加 Add");
        if (store_) menu->SetSkinData(store_);
        auto* flat = New<TbsSkinSpeedButton>(form_, x + 70 * 4 + 92, y, 48, 28);
        flat->UseSkinSize = false;
        flat->SetFlat(true);
        flat->SetCaption(L"Flat");
        if (store_) flat->SetSkinData(store_);
        // Glyph strips: normal, hot, pressed and disabled cells.
        TBitmap strip;
        GlyphStrip(strip);
        const wchar_t* glyphCaptions[] = {L"图 Glyph", L"Hot", L"Down", L"Off"};
        for (int i = 0; i < 4; ++i) {
            auto* g = New<TbsSkinSpeedButton>(form_, x + 92 * i, y + 32, 88, 28);
            g->UseSkinSize = false;
            g->SetGlyph(&strip);
            g->SetNumGlyphs(4);
            g->SetCaption(glyphCaptions[i]);
            if (store_) g->SetSkinData(store_);
            if (i == 1) g->Perform(CM_MOUSEENTER);
            if (i == 2) g->Perform(CM_MOUSEENTER), g->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            if (i == 3) g->SetEnabled(false);
        }
    }

    TForm* form_;
    TbsSkinData* store_;
    std::vector<TComponent*> owned_;
    TCustomImageList* pictures_ = nullptr;
};

}  // namespace

void DrawViewsPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page, int w, int h) {
    page.SetPixelFormat(pf24bit);
    page.SetSize(w, h);
    form->SetColor(store && !store->Empty ? store->SkinColors()->cBtnFace : clBtnFace);
    ViewsPage views(form, store && !store->Empty ? store : nullptr);
    views.Build();
    Application->ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
    // What a user sees: the form's client area copied from the screen.
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    HDC screen = GetDC(nullptr);
    BitBlt(page.Canvas()->Handle(), 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GalleryText(page.Canvas(), 10, 10, title + L" - views, pages, labels",
                store && !store->Empty ? store->SkinColors()->cBtnText : clBtnText, 16, true);
}
