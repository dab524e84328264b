// The gallery page of the edit with its button, the list box with its
// caption buttons and the office drop-down open, each put into its states
// by the mouse messages a user's hand would send.
#include "EditsPage.h"

#include "GalleryPage.h"
#include "GalleryText.h"

#include <functional>
#include <vector>

#include "platform/Owners.h"
#include "skin/boxes/bsSkinBoxCtrls.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinExCtrls.h"
#include "skin/boxes/bsSkinOfficeCombo.h"

namespace {

constexpr int kW = 820, kH = 470, kLabelW = 110, kColW = 140;

void Move(TWinControl* c, int x, int y) { SendMessageW(c->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

// The non-client code the control gives a point of its own client area.
WPARAM HitCode(TWinControl* c, int x, int y) {
    POINT p{x, y};
    ClientToScreen(c->Handle(), &p);
    return static_cast<WPARAM>(SendMessageW(c->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)));
}

// The point of a control's window rectangle in its client coordinates.
POINT FromWindow(TWinControl* c, int x, int y) {
    RECT wr;
    GetWindowRect(c->Handle(), &wr);
    POINT p{wr.left + x, wr.top + y};
    ScreenToClient(c->Handle(), &p);
    return p;
}

// A non-client mouse message at a point of the window rectangle.
void NonClient(TWinControl* c, UINT msg, int x, int y) {
    const POINT cp = FromWindow(c, x, y);
    POINT sp{cp.x, cp.y};
    ClientToScreen(c->Handle(), &sp);
    SendMessageW(c->Handle(), msg, HitCode(c, cp.x, cp.y), MAKELPARAM(sp.x, sp.y));
}

struct Item {
    TWinControl* control;
    std::function<void()> enter, leave;
    // More windows shown with it (a drop-down), copied from the screen too.
    std::function<HWND()> popup = [] { return HWND(nullptr); };
};

class EditsPage {
public:
    EditsPage(TForm* form, TbsSkinData* store) : form_(form), store_(store), parts_(form) {}

    void Build() {
        for (int s = 0; s < 5; ++s) AddButtonEdit(kLabelW + s * kColW, 44, s);
        for (int s = 0; s < 4; ++s) AddCaptionList(kLabelW + s * kColW, 96, s);
        AddOfficeDropDown(kLabelW, 240);
    }

    // Every item in its state, copied from the screen with its frame and its
    // drop-down.
    void Paint(TBitmap& page) {
        HDC dc = page.Canvas()->Handle();
        for (Item& it : items_) {
            it.enter();
            Application->ProcessMessages();
            gallery::CopyFromScreen(dc, form_, it.control->Handle(), it.popup());
            it.leave();
            Application->ProcessMessages();
        }
    }

private:
    template <class T>
    T* New(int x, int y, int w, int h) {
        return parts_.template New<T>(x, y, w, h);
    }
    // The pointer leaves for the bare form.
    std::function<void()> Away() {
        return [this] { Move(form_, 2, kH - 4); };
    }

    // normal, hot, button hot, button pressed, disabled
    void AddButtonEdit(int x, int y, int state) {
        auto* e = New<TbsSkinEdit>(x, y, 128, 22);
        e->SetSkinDataName(L"buttonedit");
        e->SetButtonMode(true);
        e->SetText(L"D:\\输出 Output");
        if (store_) e->SetSkinData(store_);
        e->HandleNeeded();
        // The button's middle, in window coordinates (it sits at the right end).
        auto button = [e] {
            RECT wr;
            GetWindowRect(e->Handle(), &wr);
            return TPoint(wr.right - wr.left - 8, (wr.bottom - wr.top) / 2);
        };
        std::function<void()> enter = [] {}, leave = Away();
        switch (state) {
        case 1: enter = [e] { Move(e, 10, 5); }; break;
        case 2: enter = [e, button] { Move(e, 10, 5), NonClient(e, WM_NCMOUSEMOVE, button().x, button().y); }; break;
        case 3:
            enter = [e, button] {
                Move(e, 10, 5);
                NonClient(e, WM_NCMOUSEMOVE, button().x, button().y);
                NonClient(e, WM_NCLBUTTONDOWN, button().x, button().y);
            };
            leave = [this, e, button] {
                NonClient(e, WM_NCLBUTTONUP, button().x, button().y);
                Away()();
                form_->SetFocus();
            };
            break;
        case 4: enter = [e] { e->SetEnabled(false); }; break;
        default: break;
        }
        items_.push_back({e, enter, leave});
    }

    // normal, down button hot, down button pressed, disabled
    void AddCaptionList(int x, int y, int state) {
        auto* l = New<TbsSkinListBox>(x, y, 128, 110);
        l->SetCaption(L"列表 List");
        l->SetCaptionMode(true);
        l->SetSkinDataName(L"captionlistbox");  // the skins' list box with a caption strip
        for (int i = 0; i < 8; ++i) l->Items()->Add(L"项目 Item " + IntToStr(static_cast<int64_t>(i + 1)));
        if (store_) l->SetSkinData(store_);
        l->HandleNeeded();
        l->SetItemIndex(1);
        auto down = [l] {
            const TRect r = l->CaptionButtonRect(1);
            return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        };
        std::function<void()> enter = [] {}, leave = Away();
        switch (state) {
        case 1: enter = [l, down] { Move(l, down().x, down().y); }; break;
        case 2:
            enter = [l, down] {
                Move(l, down().x, down().y);
                SendMessageW(l->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down().x, down().y));
            };
            leave = [this, l, down] {
                SendMessageW(l->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(down().x, down().y));
                Away()();
                form_->SetFocus();
            };
            break;
        case 3: enter = [l] { l->SetEnabled(false); }; break;
        default: break;
        }
        items_.push_back({l, enter, leave});
    }

    // Dropped by a click on its button, the pointer over the third row.
    void AddOfficeDropDown(int x, int y) {
        auto* c = New<TbsSkinOfficeComboBox>(x, y, 220, 44);
        const wchar_t* titles[] = {L"AVI 格式 (*.avi)", L"MP4 格式 (*.mp4)", L"MKV 格式 (*.mkv)", L"MP3 音频 (*.mp3)"};
        const wchar_t* captions[] = {L"常用视频格式", L"手机与网页视频", L"高清视频", L"通用音频"};
        for (int i = 0; i < 4; ++i) {
            TbsSkinOfficeItem* it = c->Items()->Add();
            it->SetTitle(titles[i]);
            it->SetCaption(captions[i]);
        }
        c->SetShowItemImage(false);
        if (store_) c->SetSkinData(store_);
        c->HandleNeeded();
        c->SetItemIndex(0);
        auto enter = [c] {
            const int bx = c->Width() - 8, by = c->Height() / 2;
            Move(c, bx, by);
            SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bx, by));
            SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(bx, by));
            Application->ProcessMessages();
            TbsPopupOfficeListBox* list = c->ListBox();
            if (list->Visible()) Move(list, 30, c->ListBoxItemHeight() * 2 + c->ListBoxItemHeight() / 2);
        };
        auto leave = [this, c] {
            if (c->IsPopupVisible()) c->CloseUp(false);
            form_->SetFocus();
        };
        items_.push_back({c, enter, leave, [c] { return c->IsPopupVisible() ? c->ListBox()->Handle() : HWND(nullptr); }});
    }

    TForm* form_;
    TbsSkinData* store_;
    gallery::TPageParts parts_;
    std::vector<Item> items_;
};

}  // namespace

void DrawEditsPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page) {
    const TColor ink = BeginGalleryPage(page, store, title + L" - edit button, list caption, drop-down", kW, kH);
    TCanvas* c = page.Canvas();
    const wchar_t* editStates[] = {L"normal", L"hot", L"button hot", L"button pressed", L"disabled"};
    for (int s = 0; s < 5; ++s) GalleryText(c, kLabelW + s * kColW, 26, editStates[s], ink, 12);
    const wchar_t* listStates[] = {L"normal", L"down button hot", L"down button pressed", L"disabled"};
    for (int s = 0; s < 4; ++s) GalleryText(c, kLabelW + s * kColW, 80, listStates[s], ink, 12);
    GalleryText(c, 10, 48, L"edit button", ink, 12);
    GalleryText(c, 10, 100, L"list caption", ink, 12);
    GalleryText(c, 10, 224, L"office drop-down open, pointer on the third row", ink, 12);
    EditsPage p(form, store);
    p.Build();
    p.Paint(page);
}
