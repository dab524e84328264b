// The gallery page of the lists, combo boxes, edits, up/down buttons and the
// link label, in their normal, hot, focused and disabled states.
#include "BoxesPage.h"

#include "GalleryText.h"

#include <functional>
#include <vector>

#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/StringList.h"
#include "skin/boxes/bsSkinBoxCtrls.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinLinkLabel.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsUpDown.h"
#include "skin/controls/bsSkinCtrlsPanel.h"

namespace {

constexpr int kW = 820, kH = 560, kLabelW = 110, kColW = 172;
const wchar_t* const kStates[] = {L"normal", L"hot", L"focused", L"disabled"};

void Text(TCanvas* c, int x, int y, const String& s, TColor color, int height = 12, bool bold = false) {
    GalleryText(c, x, y, s, color, height, bold);
}

struct Item {
    TWinControl* control;
    std::function<void()> enter, leave;
    // Copied from the screen with its frame (edits draw their frame in the
    // non-client area, which painting into a bitmap leaves out).
    bool fromScreen = false;
};

class BoxesPage {
public:
    BoxesPage(TForm* form, TbsSkinData* store) : form_(form), store_(store) {}
    ~BoxesPage() {
        for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) (*it)->Free();
        if (images_) images_->Free();
        Application->ProcessMessages();
    }

    void Build() {
        for (int s = 0; s < 4; ++s) {
            const int x = kLabelW + s * kColW;
            AddCombo(x, 40, s, false);
            AddCombo(x, 72, s, true);
            AddOffice(x, 104, s);
            AddEdit(x, 156, s, false);
            AddEdit(x, 186, s, true);
            AddNum(x, 216, s);
            AddUpDown(x, 248, s);
        }
        AddLists(290);
        AddMoreLists(450);
    }

    void Paint(TBitmap& page) {
        HDC dc = page.Canvas()->Handle();
        for (Item& it : items_) {
            it.enter();
            Application->ProcessMessages();
            if (it.fromScreen) {
                HWND wnd = it.control->Handle();
                RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                HDC wdc = GetWindowDC(wnd);
                BitBlt(dc, it.control->Left(), it.control->Top(), it.control->Width(), it.control->Height(), wdc, 0, 0,
                       SRCCOPY);
                ReleaseDC(wnd, wdc);
            } else {
                it.control->PaintTo(dc, it.control->Left(), it.control->Top());
            }
            it.leave();
        }
    }

private:
    template <class T>
    T* New(TWinControl* parent, int x, int y, int w, int h) {
        auto* c = new T(form_);
        c->SetParent(parent);
        c->SetBounds(x, y, w, h);
        if (parent == form_) owned_.push_back(c);
        return c;
    }
    void Add(TWinControl* c, int state, std::function<void()> hot) {
        std::function<void()> enter = [] {}, leave = [] {};
        switch (state) {
        case 1: enter = hot, leave = [c] { c->Perform(CM_MOUSELEAVE); }; break;
        case 2: enter = [c] { c->SetFocus(); }, leave = [this] { form_->SetFocus(); }; break;
        case 3: enter = [c] { c->SetEnabled(false); }; break;
        default: break;
        }
        items_.push_back({c, enter, leave});
    }

    void AddCombo(int x, int y, int state, bool editStyle) {
        auto* c = New<TbsSkinComboBox>(form_, x, y, 160, 22);
        for (const wchar_t* s : {L"H.264 视频", L"MPEG-4", L"AAC 音频", L"MP3"}) c->Items()->Add(s);
        if (editStyle) c->SetStyle(bscbEditStyle);
        if (store_) c->SetSkinData(store_);
        c->HandleNeeded();
        c->SetItemIndex(0);
        Add(c, state, [c] {
            c->Perform(CM_MOUSEENTER);
            SendMessageW(c->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(c->ButtonRect().left + 4, 8));
        });
    }

    void AddOffice(int x, int y, int state) {
        auto* c = New<TbsSkinOfficeComboBox>(form_, x, y, 160, 44);
        const wchar_t* titles[] = {L"AVI 格式 (*.avi)", L"MP4 格式 (*.mp4)"};
        const wchar_t* captions[] = {L"常用视频格式", L"手机与网页视频"};
        for (int i = 0; i < 2; ++i) {
            TbsSkinOfficeItem* it = c->Items()->Add();
            it->SetTitle(titles[i]);
            it->SetCaption(captions[i]);
        }
        c->SetShowItemImage(false);
        c->SetToolButtonStyle(state % 2 == 1);
        if (store_) c->SetSkinData(store_);
        c->HandleNeeded();
        c->SetItemIndex(0);
        Add(c, state, [c] { c->Perform(CM_MOUSEENTER); });
    }

    void AddEdit(int x, int y, int state, bool button) {
        auto* e = New<TbsSkinEdit>(form_, x, y, 160, 22);
        e->SetText(button ? L"D:\\输出 Output" : L"文件名 name.mp4");
        e->SetButtonMode(button);
        if (store_) e->SetSkinData(store_);
        e->HandleNeeded();
        Add(e, state, [e] { e->Perform(CM_MOUSEENTER); });
        items_.back().fromScreen = true;
    }

    void AddNum(int x, int y, int state) {
        auto* panel = New<TbsSkinPanel>(form_, x, y, 160, 24);
        panel->SetBorderStyle(bvFrame);
        if (store_) panel->SetSkinData(store_);
        auto* e = new TbsSkinNumEdit(form_);
        e->SetParent(panel);
        // The text runs up to the arrows.
        e->SetBounds(4, 4, 134, 16);
        e->SetText(L"-12.5");
        auto* ud = new TbsSkinUpDown(form_);
        ud->SetParent(panel);
        ud->UseSkinSize = false;
        ud->SetOrientation(udVertical);
        ud->SetBounds(140, 2, 18, 20);
        if (store_) ud->SetSkinData(store_);
        panel->HandleNeeded();
        Add(panel, state, [ud] {
            ud->Perform(CM_MOUSEENTER);
            SendMessageW(ud->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));
        });
    }

    void AddUpDown(int x, int y, int state) {
        auto* u = New<TbsSkinUpDown>(form_, x, y, 36, 18);
        u->UseSkinSize = false;
        if (store_) u->SetSkinData(store_);
        u->HandleNeeded();
        Add(u, state, [u] {
            u->Perform(CM_MOUSEENTER);
            SendMessageW(u->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(27, 9));
        });
        auto* v = New<TbsSkinUpDown>(form_, x + 50, y - 4, 18, 26);
        v->SetOrientation(udVertical);
        v->SetSkinDataName(L"vupdown");
        if (store_) v->SetSkinData(store_);
        v->HandleNeeded();
        items_.push_back({v, [] {}, [] {}});
    }

    void AddLists(int y) {
        auto* l = New<TbsSkinListBox>(form_, kLabelW, y, 170, 150);
        l->SetCaption(L"列表 List");
        l->SetCaptionMode(true);
        l->SetSkinDataName(L"captionlistbox");  // the skins' list box with a caption strip
        for (int i = 0; i < 12; ++i) l->Items()->Add(L"项目 Item " + IntToStr(static_cast<int64_t>(i + 1)));
        if (store_) l->SetSkinData(store_);
        l->HandleNeeded();
        l->SetItemIndex(2);
        items_.push_back({l, [] {}, [] {}});

        auto* o = New<TbsSkinOfficeListBox>(form_, kLabelW + 185, y, 220, 150);
        const struct {
            const wchar_t *title, *caption;
            bool header;
        } rows[] = {{L"", L"视频 Video", true},
                    {L"AVI (*.avi)", L"常用视频格式 common video", false},
                    {L"MP4 (*.mp4)", L"手机与网页 phones and web", false},
                    {L"", L"音频 Audio", true},
                    {L"MP3 (*.mp3)", L"通用音频 audio", false}};
        for (const auto& r : rows) {
            TbsSkinOfficeItem* it = o->Items()->Add();
            it->SetTitle(r.title);
            it->SetCaption(r.caption);
            it->SetHeader(r.header);
        }
        o->SetItemHeight(40);
        o->SetShowLines(true);
        if (store_) o->SetSkinData(store_);
        o->HandleNeeded();
        o->SetItemIndex(2);
        items_.push_back({o, [] {}, [] {}});

        auto* panel = New<TbsSkinPanel>(form_, kLabelW + 420, y, 230, 70);
        panel->SetBorderStyle(bvNone);
        if (store_) panel->SetSkinData(store_);
        auto* link = new TbsSkinLinkLabel(form_);
        link->SetParent(panel);
        link->SetBounds(8, 6, 200, 24);
        link->SetCaption(L"www.vantrel.example");
        if (store_) link->SetSkinData(store_);
        auto* hot = new TbsSkinLinkLabel(form_);
        hot->SetParent(panel);
        hot->SetBounds(8, 36, 200, 24);
        hot->SetCaption(L"联系我们 mail (hot)");
        if (store_) hot->SetSkinData(store_);
        panel->HandleNeeded();
        items_.push_back({panel, [hot] { hot->Perform(CM_MOUSEENTER); }, [hot] { hot->Perform(CM_MOUSELEAVE); }});
    }

    // Two small pictures for the rows, faces and edits that show them.
    TCustomImageList* Images() {
        if (images_) return images_;
        images_ = new TCustomImageList(nullptr);
        images_->SetSize(12, 12);
        for (TColor c : {TColor(0x3050C0), TColor(0x40A040)}) {
            TBitmap b(12, 12, pf24bit);
            b.Canvas()->Brush()->SetColor(clWhite);
            b.Canvas()->FillRect(TRect(0, 0, 12, 12));
            b.Canvas()->Brush()->SetColor(c);
            b.Canvas()->Pen()->SetColor(c);
            b.Canvas()->Ellipse(1, 1, 11, 11);
            images_->AddMasked(&b, clWhite);
        }
        return images_;
    }

    // A list with pictures, tab stops and a sideways bar; a list of
    // columns; an edit with image buttons; a combo showing pictures.
    void AddMoreLists(int y) {
        // Within the form's client area (the page is taller than it).
        auto* l = New<TbsSkinListBox>(form_, kLabelW, y, 170, 76);
        const wchar_t* rows[] = {L"H.264\t1920x1080\t视频 video stream, main profile", L"AAC\t48 kHz\t音频 audio",
                                 L"MP3\t44.1 kHz\t音频 audio", L"字幕 Subtitles\t-\tSRT"};
        for (const wchar_t* r : rows) l->Items()->Add(r);
        TStringList tabs;
        tabs.Add(L"70");
        tabs.Add(L"130");
        l->SetTabWidths(&tabs);
        l->SetImages(Images());
        l->SetImageIndex(0);
        l->SetHorizontalExtent(true);
        l->Items()->Add(L"一行很长的文字 a row far wider than the list shows");
        if (store_) l->SetSkinData(store_);
        l->HandleNeeded();
        l->SetItemIndex(1);
        items_.push_back({l, [] {}, [] {}});

        auto* m = New<TbsSkinListBox>(form_, kLabelW + 185, y, 220, 76);
        for (int i = 0; i < 24; ++i) m->Items()->Add(L"列 Col " + IntToStr(static_cast<int64_t>(i + 1)));
        m->SetColumns(3);
        if (store_) m->SetSkinData(store_);
        m->HandleNeeded();
        m->SetItemIndex(4);
        items_.push_back({m, [] {}, [] {}});

        auto* e = New<TbsSkinEdit>(form_, kLabelW + 420, y, 180, 22);
        e->SetText(L"搜索 search");
        e->SetImages(Images());
        e->SetLeftImageIndex(0);
        e->SetRightImageIndex(1);
        if (store_) e->SetSkinData(store_);
        e->HandleNeeded();
        items_.push_back({e, [] {}, [] {}, true});

        auto* r = New<TbsSkinEdit>(form_, kLabelW + 420, y + 27, 180, 22);
        r->SetText(L"右对齐 right");
        r->SetAlignment(taRightJustify);
        r->SetDefaultColor(0xE0F0FF);
        if (store_) r->SetSkinData(store_);
        r->HandleNeeded();
        items_.push_back({r, [] {}, [] {}, true});

        auto* c = New<TbsSkinComboBox>(form_, kLabelW + 420, y + 54, 180, 22);
        for (const wchar_t* t : {L"蓝 blue", L"绿 green"}) c->Items()->Add(t);
        c->SetImages(Images());
        if (store_) c->SetSkinData(store_);
        c->HandleNeeded();
        c->SetItemIndex(1);
        items_.push_back({c, [] {}, [] {}});
    }

    TForm* form_;
    TbsSkinData* store_;
    TCustomImageList* images_ = nullptr;
    std::vector<TControl*> owned_;
    std::vector<Item> items_;
};

}  // namespace

void DrawBoxesPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page) {
    page.SetPixelFormat(pf24bit);
    page.SetSize(kW, kH);
    TCanvas* c = page.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(store && !store->Empty ? store->SkinColors()->cBtnFace : clBtnFace);
    c->FillRect(TRect(0, 0, kW, kH));
    const TColor ink = store && !store->Empty ? store->SkinColors()->cBtnText : clBtnText;
    Text(c, 10, 8, title + L" - lists and edits", ink, 16, true);
    for (int s = 0; s < 4; ++s) Text(c, kLabelW + s * kColW, 24, kStates[s], ink);
    const wchar_t* rows[] = {L"combo box", L"edit combo", L"office combo", L"edit", L"edit button", L"numeric",
                             L"up/down", L"lists, link", L"more lists"};
    const int ys[] = {44, 76, 118, 160, 190, 220, 250, 294, 454};
    for (int i = 0; i < 9; ++i) Text(c, 10, ys[i], rows[i], ink);
    BoxesPage p(form, store);
    p.Build();
    p.Paint(page);
}
