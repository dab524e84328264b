// Draws every skinned control in every program skin and in the plain look,
// in its normal, hot, pressed, focused and disabled states, so the looks
// can be judged from pictures:
//   gallery <output folder>
// writes one PNG per skin (skin_main_0.png .. skin_main_7.png,
// skin_lists_0.png, plain.png), a page of the lists and edits of each
// (..._boxes.png), a page of views, pages and labels (..._views.png),
// contact_sheet.png with the first pages, and the framed forms of every
// look, active and inactive (frame_<look>.png, frames_sheet.png), and the
// skinned dialogs as they show (dialog_<look>_<name>.png), the menu bar and
// popup menus of each look (..._menus.png), the tree views and the images
// menu button of each look (..._trees.png), the button edit, the list
// caption and the office drop-down open (..._edits.png), the framed
// options, message, open and skin dialogs of each look (..._dialogs.png),
// the main window's "添加" tool bar button in its states (..._toolbar.png),
// and the program's windows in each skin (see WindowsPage.h).
#include <cstdio>
#include <functional>
#include <utility>
#include <memory>
#include <vector>

#include "BoxesPage.h"
#include "DialogsPage.h"
#include "EditsPage.h"
#include "GalleryText.h"
#include "PngWriter.h"
#include "ViewsPage.h"
#include "FrameExtrasPage.h"
#include "MDIPage.h"
#include "MenusPage.h"
#include "ToolBarPage.h"
#include "TreesPage.h"
#include "WindowsPage.h"
#include "platform/Forms.h"
#include "skin/bsCompressedSkins.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/controls/bsSkinCtrlsSlider.h"
#include "skin/frame/bsSkinFrame.h"

namespace {

constexpr int kPageW = 820, kPageH = 520;
constexpr int kLabelW = 110, kColW = 138;
const wchar_t* const kStates[] = {L"normal", L"hot", L"pressed", L"focused", L"disabled"};

// One control of the page, with what puts it into its state and takes it out.
struct Item {
    TWinControl* control;
    std::function<void()> enter, leave;
};

void Text(TCanvas* c, int x, int y, const String& s, TColor color, int height = 14, bool bold = false) {
    GalleryText(c, x, y, s, color, height, bold);
}

void Press(TWinControl* c, int x, int y) { SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void Release(TWinControl* c, int x, int y) { SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
void Hover(TWinControl* c, int x, int y) { SendMessageW(c->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

class Gallery {
public:
    explicit Gallery(TForm* form) : form_(form) {}

    // Lays out the controls of one page (all of them take store).
    void Build(TbsSkinData* store) {
        store_ = store;
        for (int s = 0; s < 5; ++s) {
            const int x = kLabelW + s * kColW;
            AddButton(x, 40, s);
            AddCheck(x, 84, s, false, true, L"循环 Loop");
            AddCheck(x, 112, s, true, true, L"单选 Radio");
            AddCheck(x, 142, s, false, false, L"框 Framed");
            AddScroll(x, 180, s);
            AddSlider(x, 212, s);
        }
        AddContainers();
    }

    // Copies every item, in its state, from the screen onto the page, so the
    // page shows what a user sees (frames, clipping, glow popups included).
    void Paint(TBitmap& page) {
        HDC dc = page.Canvas()->Handle();
        HDC screen = GetDC(nullptr);
        for (Item& it : items_) {
            it.enter();
            Application->ProcessMessages();
            HWND wnd = it.control->Handle();
            RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
            Application->ProcessMessages();
            RECT r;
            GetWindowRect(wnd, &r);
            BitBlt(dc, it.control->Left(), it.control->Top(), r.right - r.left, r.bottom - r.top, screen, r.left, r.top,
                   SRCCOPY);
            it.leave();
        }
        ReleaseDC(nullptr, screen);
    }

    void Clear() {
        for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) (*it)->Free();
        owned_.clear();
        items_.clear();
        Application->ProcessMessages();
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
    void Skin(TbsSkinControl* c) {
        if (store_) c->SetSkinData(store_);
        c->HandleNeeded();
    }
    void Add(TWinControl* c, int state, std::function<void()> hot, std::function<void()> pressed,
             std::function<void()> unpress) {
        std::function<void()> enter = [] {}, leave = [] {};
        switch (state) {
        case 1: enter = hot; break;
        case 2: enter = pressed, leave = [this, unpress] { unpress(), form_->SetFocus(); }; break;
        case 3: enter = [c] { c->SetFocus(); }, leave = [this] { form_->SetFocus(); }; break;
        case 4: enter = [c] { c->SetEnabled(false); }; break;
        default: break;
        }
        items_.push_back({c, enter, leave});
    }

    void AddButton(int x, int y, int state) {
        auto* b = New<TbsSkinButton>(form_, x, y, 110, 28);
        b->SetCaption(L"确定 OK");
        Skin(b);
        Add(b, state, [b] { b->SetMouseIn(true); }, [b] { b->SetMouseIn(true), b->SetDown(true); },
            [b] { b->SetDown(false), b->SetMouseIn(false); });
    }

    void AddCheck(int x, int y, int state, bool radio, bool flat, const wchar_t* caption) {
        auto* b = New<TbsSkinCheckRadioBox>(form_, x, y, 128, 25);
        b->SetRadio(radio);
        b->SetFlat(flat);
        b->SetSkinDataName(radio ? L"radiobox" : L"checkbox");
        b->SetCaption(caption);
        b->SetChecked(state != 0 && state != 4);
        Skin(b);
        auto enterMouse = [b] { b->Perform(CM_MOUSEENTER); };
        Add(b, state, enterMouse, [b, enterMouse] { enterMouse(), b->SetChecked(true); },
            [b] { b->Perform(CM_MOUSELEAVE); });
    }

    void AddScroll(int x, int y, int state) {
        auto* s = New<TbsSkinScrollBar>(form_, x, y, 128, 19);
        s->SetRange(0, 100, 40, 20);
        s->SetCanFocused(true);
        Skin(s);
        auto thumb = [s] {
            s->CalcRects();
            const TRect t = s->ButtonRect(0);
            return TPoint((t.left + t.right) / 2, (t.top + t.bottom) / 2);
        };
        Add(s, state, [s, thumb] { Hover(s, thumb().x, thumb().y); },
            [s, thumb] { Hover(s, thumb().x, thumb().y), Press(s, thumb().x, thumb().y); },
            [s, thumb] { Release(s, thumb().x, thumb().y); });
    }

    void AddSlider(int x, int y, int state) {
        auto* s = New<TbsSkinSlider>(form_, x, y, 128, 40);
        s->SetValue(40);
        Skin(s);
        s->ChangeSkinData();
        auto thumb = [s] {
            const TRect t = s->ThumbRect();
            return TPoint((t.left + t.right) / 2, (t.top + t.bottom) / 2);
        };
        Add(s, state, [] {}, [s, thumb] { Press(s, thumb().x, thumb().y); },
            [s, thumb] { Release(s, thumb().x, thumb().y); });
    }

    void AddContainers() {
        const int y = 270;
        auto* panel = New<TbsSkinPanel>(form_, kLabelW, y, 170, 110);
        panel->SetCaption(L"面板 Panel");
        panel->SetCaptionMode(true);
        panel->SetRollUpMode(true);
        Skin(panel);
        auto* inner = New<TbsSkinButton>(panel, 20, 50, 100, 26);
        inner->SetCaption(L"按钮");
        Skin(inner);
        items_.push_back({panel, [] {}, [] {}});

        auto* group = New<TbsSkinGroupBox>(form_, kLabelW + 185, y, 170, 110);
        group->SetCaption(L"分组 Group");
        Skin(group);
        for (int i = 0; i < 2; ++i) {
            auto* r = New<TbsSkinCheckRadioBox>(group, 14, 36 + 28 * i, 140, 24);
            r->SetRadio(true);
            r->SetSkinDataName(L"radiobox");
            r->GroupIndex = 1;
            r->SetCaption(i == 0 ? L"选项一" : L"选项二");
            r->SetChecked(i == 0);
            Skin(r);
        }
        items_.push_back({group, [] {}, [] {}});

        auto* vbar = New<TbsSkinScrollBar>(form_, kLabelW + 370, y, 19, 110);
        vbar->SetKind(sbVertical);
        vbar->SetSkinDataName(L"vscrollbar");
        vbar->SetRange(0, 100, 30, 25);
        Skin(vbar);
        items_.push_back({vbar, [] {}, [] {}});

        auto* tools = New<TbsSkinToolBar>(form_, kLabelW + 405, y, 250, 34);
        tools->SetSkinDataName(L"resizetoolpanel");
        Skin(tools);
        for (int i = 0; i < 4; ++i) {
            auto* b = New<TbsSkinButton>(tools, 4 + 78 * i, 4, 74, 26);
            b->SetCaption(L"工具 " + IntToStr(static_cast<int64_t>(i + 1)));
            b->SetCanFocused(false);
            Skin(b);
        }
        tools->SetCanScroll(true);
        items_.push_back({tools, [] {}, [] {}});

        auto* panel2 = New<TbsSkinPanel>(form_, kLabelW + 405, y + 44, 250, 66);
        panel2->SetCaption(L"已禁用 Disabled");
        panel2->SetCaptionMode(true);
        panel2->SetEnabled(false);
        Skin(panel2);
        items_.push_back({panel2, [] {}, [] {}});

        auto* status = New<TbsSkinStatusBar>(form_, 0, 0, kPageW, 22);
        status->SetAlign(alNone);
        status->SetBounds(kLabelW, y + 140, kPageW - kLabelW - 20, 22);
        status->SetSizeGrip(true);
        status->SetCaption(L"状态栏 Status");
        Skin(status);
        items_.push_back({status, [] {}, [] {}});
    }

    TForm* form_;
    TbsSkinData* store_ = nullptr;
    std::vector<TControl*> owned_;
    std::vector<Item> items_;
};

void DrawPage(TForm* form, TbsSkinData* store, const String& title, TBitmap& page) {
    page.SetPixelFormat(pf24bit);
    page.SetSize(kPageW, kPageH);
    TCanvas* c = page.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(store && !store->Empty ? store->SkinColors()->cBtnFace : clBtnFace);
    c->FillRect(TRect(0, 0, kPageW, kPageH));
    const TColor ink = store && !store->Empty ? store->SkinColors()->cBtnText : clBtnText;
    Text(c, 10, 8, title, ink, 16, true);
    for (int s = 0; s < 5; ++s) Text(c, kLabelW + s * kColW, 24, kStates[s], ink, 12);
    const wchar_t* rows[] = {L"button", L"check box", L"radio box", L"framed box", L"scroll bar", L"slider"};
    const int ys[] = {46, 88, 116, 146, 180, 222};
    for (int i = 0; i < 6; ++i) Text(c, 10, ys[i], rows[i], ink, 12);
    Text(c, 10, 276, L"containers", ink, 12);
    form->SetColor(store && !store->Empty ? store->SkinColors()->cBtnFace : clBtnFace);
    Gallery g(form);
    g.Build(store);
    g.Paint(page);
    g.Clear();
}

// A framed form of the look as it shows: the frame through the frame's
// paint-to-DC message, the client through a real paint.
void DrawFramedForm(TForm* owner, TbsSkinData* store, bool active, TBitmap& page, int x, int y) {
    TForm* f = nullptr;
    Application->CreateForm(f);
    f->SetCaption(active ? L"视频转换 Active form" : L"视频转换 Inactive form");
    f->SetBounds(40, 40, 380, 240);
    auto* frame = new TbsSkinFrame(f);
    frame->SetSkinData(store);
    auto* button = new TbsSkinButton(f);
    button->SetParent(f);
    button->SetBounds(20, 20, 110, 30);
    button->SetCaption(L"开始 Start");
    button->SetSkinData(store);
    f->Show();
    Application->ProcessMessages();
    SetActiveWindow(active ? f->Handle() : owner->Handle());
    Application->ProcessMessages();
    HDC dc = page.Canvas()->Handle();
    {
        platform::SavedDC saved(dc);
        OffsetViewportOrgEx(dc, x, y, nullptr);
        SendMessageW(f->Handle(), CM_PAINTFRAMETODC, reinterpret_cast<WPARAM>(dc), 0);
    }
    POINT origin{0, 0};
    ClientToScreen(f->Handle(), &origin);
    RECT wr;
    GetWindowRect(f->Handle(), &wr);
    f->PaintTo(dc, x + origin.x - wr.left, y + origin.y - wr.top);
    f->Free();
    Application->ProcessMessages();
}

void DrawFramePage(TForm* owner, TbsSkinData* store, const String& title, TBitmap& page) {
    page.SetPixelFormat(pf24bit);
    page.SetSize(820, 300);
    TCanvas* c = page.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(TColor(0x808080));
    c->FillRect(TRect(0, 0, 820, 300));
    Text(c, 10, 8, title + L" - active / inactive", clWhite, 16, true);
    DrawFramedForm(owner, store, true, page, 20, 40);
    DrawFramedForm(owner, store, false, page, 420, 40);
}

int Run(const String& dir) {
    TApplication app;
    Application->Initialize();
    TForm* form = nullptr;
    Application->CreateForm(form);
    form->SetBounds(0, 0, kPageW + 20, kPageH + 40);
    form->Show();
    Application->ProcessMessages();

    HINSTANCE module = GetModuleHandleW(nullptr);
    TbsCompressedSkinList mainList(nullptr), listsList(nullptr);
    mainList.LoadFromResources(module, L"SKIN_MAIN");
    listsList.LoadFromResources(module, L"SKIN_LISTS");
    struct Look {
        String file, title;
        TbsCompressedStoredSkin* skin;
    };
    std::vector<Look> looks;
    for (int i = 0; i < mainList.Skins()->Count(); ++i) {
        TbsSkinListItem* it = mainList.Skins()->Items(i);
        looks.push_back({L"skin_main_" + IntToStr(static_cast<int64_t>(i)), it->Description, it->Skin()});
    }
    for (int i = 0; i < listsList.Skins()->Count(); ++i) {
        TbsSkinListItem* it = listsList.Skins()->Items(i);
        looks.push_back({L"skin_lists_" + IntToStr(static_cast<int64_t>(i)), it->Description, it->Skin()});
    }
    looks.push_back({L"plain", L"Plain look (no skin)", nullptr});

    // The further pages of each look, saved as <look><suffix>.png.
    using TDrawPage = std::function<void(TbsSkinData*, const String&, TBitmap&)>;
    const std::pair<const wchar_t*, TDrawPage> pages[] = {
        {L"_boxes", [form](TbsSkinData* s, const String& t, TBitmap& b) { DrawBoxesPage(form, s, t, b); }},
        {L"_edits", [form](TbsSkinData* s, const String& t, TBitmap& b) { DrawEditsPage(form, s, t, b); }},
        {L"_toolbar", [form](TbsSkinData* s, const String& t, TBitmap& b) { DrawToolBarPage(form, s, t, b); }},
        {L"_views", [form](TbsSkinData* s, const String& t, TBitmap& b) { DrawViewsPage(form, s, t, b, kPageW, kPageH); }},
        {L"_frame_extras",
         [form](TbsSkinData* s, const String& t, TBitmap& b) { DrawFrameExtrasPage(form, s, t, b, kPageW, kPageH); }},
        {L"_menus", [form](TbsSkinData* s, const String& t, TBitmap& b) { DrawMenusPage(form, s, t, b, kPageW, kPageH); }},
        {L"_trees", [form](TbsSkinData* s, const String& t, TBitmap& b) { DrawTreesPage(form, s, t, b, kPageW, kPageH); }},
    };
    const int cols = 2, scale = 2;
    const int rowsOnSheet = static_cast<int>((looks.size() + cols - 1) / cols);
    TBitmap sheet(cols * kPageW / scale, rowsOnSheet * kPageH / scale);
    for (size_t i = 0; i < looks.size(); ++i) {
        TbsSkinData store(nullptr);
        if (looks[i].skin) store.LoadCompressedStoredSkin(looks[i].skin);
        TBitmap page;
        DrawPage(form, looks[i].skin ? &store : nullptr, looks[i].title, page);
        SavePng(&page, dir + looks[i].file + L".png");
        for (const auto& [suffix, draw] : pages) {
            TBitmap more;
            draw(looks[i].skin ? &store : nullptr, looks[i].title, more);
            SavePng(&more, dir + looks[i].file + suffix + L".png");
        }
        const int col = static_cast<int>(i) % cols, row = static_cast<int>(i) / cols;
        HDC sdc = sheet.Canvas()->Handle();
        SetStretchBltMode(sdc, HALFTONE);
        StretchBlt(sdc, col * kPageW / scale, row * kPageH / scale, kPageW / scale, kPageH / scale,
                   page.Canvas()->Handle(), 0, 0, kPageW, kPageH, SRCCOPY);
    }
    SavePng(&sheet, dir + L"contact_sheet.png");

    TBitmap frames(820, static_cast<int>((looks.size() + 1) / 2) * 150);
    for (size_t i = 0; i < looks.size(); ++i) {
        TbsSkinData store(nullptr);
        if (looks[i].skin) store.LoadCompressedStoredSkin(looks[i].skin);
        TBitmap page;
        DrawFramePage(form, looks[i].skin ? &store : nullptr, looks[i].title, page);
        SavePng(&page, dir + L"frame_" + looks[i].file + L".png");
        HDC sdc = frames.Canvas()->Handle();
        SetStretchBltMode(sdc, HALFTONE);
        StretchBlt(sdc, static_cast<int>(i % 2) * 410, static_cast<int>(i / 2) * 150, 410, 150,
                   page.Canvas()->Handle(), 0, 0, 820, 300, SRCCOPY);
    }
    SavePng(&frames, dir + L"frames_sheet.png");
    DrawDialogPages(dir, &mainList);
    DrawProgramWindows(dir);
    form->Free();
    Application->ProcessMessages();
    // Each MDI page makes its MDI form the application's main form.
    for (const Look& l : looks) {
        TbsSkinData store(nullptr);
        if (l.skin) store.LoadCompressedStoredSkin(l.skin);
        TBitmap page;
        DrawMDIPage(l.skin ? &store : nullptr, l.title, page);
        SavePng(&page, dir + l.file + L"_mdi.png");
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: gallery <output folder>\n", stderr);
        return 2;
    }
    try {
        return Run(IncludeTrailingPathDelimiter(argv[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
