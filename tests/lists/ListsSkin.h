#pragma once
// A small skin made in code for the list, combo, edit and up/down tests:
// one picture whose every part is a solid block of its own colour, so a
// pixel tells which part of which record a control drew.
#include <memory>

#include "platform/Bitmap.h"
#include "skin/bsSkinData.h"

namespace liststest {

// Colours of the picture's parts.
constexpr COLORREF kEditFrame = RGB(200, 0, 0), kEditClient = RGB(0, 200, 0), kEditButton = RGB(0, 0, 200);
constexpr COLORREF kEditHotFrame = RGB(200, 200, 0), kEditHotClient = RGB(0, 200, 200);
constexpr COLORREF kEditButtonHot = RGB(250, 120, 0), kEditButtonDown = RGB(120, 0, 250);
constexpr COLORREF kEditFont = RGB(255, 0, 255), kEditHotFont = RGB(0, 128, 255), kEditDisabledFont = RGB(128, 64, 0);
// The "editbutton" record's three states.
constexpr COLORREF kOwnButton = RGB(60, 60, 60), kOwnButtonHot = RGB(180, 90, 30), kOwnButtonDown = RGB(30, 90, 180);
// "listbox": border, client, the three item pictures, caption buttons.
constexpr COLORREF kListFrame = RGB(90, 0, 90), kListClient = RGB(240, 240, 200);
constexpr COLORREF kItem = RGB(220, 220, 220), kActiveItem = RGB(40, 160, 40), kFocusItem = RGB(160, 40, 40);
constexpr COLORREF kItemFont = RGB(0, 0, 0), kActiveItemFont = RGB(255, 255, 0), kFocusItemFont = RGB(0, 255, 255);
constexpr COLORREF kCapButton = RGB(10, 100, 150), kCapButtonHot = RGB(150, 100, 10),
                   kCapButtonDown = RGB(100, 10, 150), kCapDisabled = RGB(70, 130, 70);
// "combobox": face, item pictures, button.
constexpr COLORREF kComboFrame = RGB(0, 90, 90), kComboItem = RGB(230, 200, 160), kComboFocusItem = RGB(60, 0, 160);
constexpr COLORREF kComboButton = RGB(140, 140, 0), kComboFont = RGB(20, 20, 120);
// "hupdown": the two buttons in three states.
constexpr COLORREF kUpDown = RGB(50, 150, 250), kUpDownHot = RGB(250, 150, 50), kUpDownDown = RGB(150, 250, 50);

inline void Block(TBitmap* b, const TRect& r, COLORREF c) {
    b->Canvas()->Brush()->SetStyle(bsSolid);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(c));
    b->Canvas()->FillRect(r);
}

// Edit: 60 x 20 faces (normal at y 0, hot at y 20): 3 px frame, client
// (3, 3, 40, 17), the button (42, 2, 58, 18) in the 20 px right end.
inline void AddEdit(TbsSkinData& s, TBitmap* p) {
    for (int hot = 0; hot < 2; ++hot) {
        const int y = hot * 20;
        Block(p, TRect(0, y, 60, y + 20), hot ? kEditHotFrame : kEditFrame);
        Block(p, TRect(3, y + 3, 40, y + 17), hot ? kEditHotClient : kEditClient);
        Block(p, TRect(42, y + 2, 58, y + 18), kEditButton);
    }
    Block(p, TRect(60, 0, 76, 16), kEditButtonHot);
    Block(p, TRect(80, 0, 96, 16), kEditButtonDown);
    auto e = std::make_unique<TbsDataSkinEditControl>(L"edit");
    e->PictureIndex = 0;
    e->SkinRect = TRect(0, 0, 60, 20);
    e->ActiveSkinRect = TRect(0, 20, 60, 40);
    e->LTPoint = TPoint(3, 3);
    e->RTPoint = TPoint(40, 3);
    e->LBPoint = TPoint(3, 17);
    e->RBPoint = TPoint(40, 17);
    e->ClRect = TRect(3, 3, 40, 17);
    e->FontColor = static_cast<TColor>(kEditFont);
    e->ActiveFontColor = static_cast<TColor>(kEditHotFont);
    e->DisabledFontColor = static_cast<TColor>(kEditDisabledFont);
    e->ButtonRect = TRect(42, 2, 58, 18);
    e->ActiveButtonRect = TRect(60, 0, 76, 16);
    e->DownButtonRect = TRect(80, 0, 96, 16);
    s.CtrlList.push_back(std::move(e));

    Block(p, TRect(100, 0, 116, 16), kOwnButton);
    Block(p, TRect(120, 0, 136, 16), kOwnButtonHot);
    Block(p, TRect(140, 0, 156, 16), kOwnButtonDown);
    auto b = std::make_unique<TbsDataSkinButtonControl>(L"editbutton");
    b->PictureIndex = 0;
    b->SkinRect = TRect(100, 0, 116, 16);
    b->ActiveSkinRect = TRect(120, 0, 136, 16);
    b->DownSkinRect = TRect(140, 0, 156, 16);
    b->LTPoint = TPoint(2, 2);
    b->RTPoint = TPoint(14, 2);
    b->LBPoint = TPoint(2, 14);
    b->RBPoint = TPoint(14, 14);
    b->ClRect = TRect(2, 2, 14, 14);
    s.CtrlList.push_back(std::move(b));
}

// List box: 60 x 60 at (0, 40): 3 px frame, a 20 px caption strip,
// client (3, 23, 57, 57); the caption buttons' pictures at y 100; item
// pictures 40 x 16 at y 120.
inline void AddListBox(TbsSkinData& s, TBitmap* p) {
    Block(p, TRect(0, 40, 60, 100), kListFrame);
    Block(p, TRect(3, 63, 57, 97), kListClient);
    Block(p, TRect(21, 45, 57, 57), kCapButton);  // the buttons' normal look is in the skin part
    const COLORREF caps[] = {kCapButton, kCapButtonHot, kCapButtonDown};  // normal, hot, pressed
    for (int i = 0; i < 3; ++i) Block(p, TRect(i * 12, 100, i * 12 + 12, 112), caps[i]);
    Block(p, TRect(36, 100, 72, 112), kCapDisabled);
    const COLORREF items[] = {kItem, kActiveItem, kFocusItem};
    for (int i = 0; i < 3; ++i) Block(p, TRect(i * 40, 120, i * 40 + 40, 136), items[i]);
    auto l = std::make_unique<TbsDataSkinListBox>(L"listbox");
    l->PictureIndex = 0;
    l->SkinRect = TRect(0, 40, 60, 100);
    l->LTPoint = TPoint(3, 23);
    l->RTPoint = TPoint(20, 23);
    l->LBPoint = TPoint(3, 57);
    l->RBPoint = TPoint(57, 57);
    l->ClRect = TRect(3, 23, 57, 57);
    l->SItemRect = TRect(0, 120, 40, 136);
    l->ActiveItemRect = TRect(40, 120, 80, 136);
    l->FocusItemRect = TRect(80, 120, 120, 136);
    l->ItemTextRect = TRect(2, 1, 38, 15);
    l->FontColor = static_cast<TColor>(kItemFont);
    l->ActiveFontColor = static_cast<TColor>(kActiveItemFont);
    l->FocusFontColor = static_cast<TColor>(kFocusItemFont);
    l->CaptionRect = TRect(3, 3, 19, 20);
    // The caption buttons in the top-right corner of the 60 px skin part,
    // right of the top-right corner point (x 20): they move with the right
    // edge.
    l->UpButtonRect = TRect(45, 5, 57, 17);
    l->DownButtonRect = TRect(33, 5, 45, 17);
    l->CheckButtonRect = TRect(21, 5, 33, 17);
    l->ActiveUpButtonRect = l->ActiveDownButtonRect = l->ActiveCheckButtonRect = TRect(12, 100, 24, 112);
    l->DownUpButtonRect = l->DownDownButtonRect = l->DownCheckButtonRect = TRect(24, 100, 36, 112);
    l->ButtonsArea = TRect(21, 5, 57, 17);
    l->DisabledButtonsRect = TRect(36, 100, 72, 112);
    s.CtrlList.push_back(std::move(l));
}

// Combo box: 60 x 20 at (0, 140), item area (3, 3, 40, 17), button
// (42, 2, 58, 18); item pictures 37 x 14 at y 160.
inline void AddComboBox(TbsSkinData& s, TBitmap* p) {
    Block(p, TRect(0, 140, 60, 160), kComboFrame);
    Block(p, TRect(42, 142, 58, 158), kComboButton);
    Block(p, TRect(0, 160, 37, 174), kComboItem);
    Block(p, TRect(40, 160, 77, 174), kComboFocusItem);
    auto c = std::make_unique<TbsDataSkinComboBox>(L"combobox");
    c->PictureIndex = 0;
    c->SkinRect = TRect(0, 140, 60, 160);
    c->LTPoint = TPoint(3, 3);
    c->RTPoint = TPoint(40, 3);
    c->LBPoint = TPoint(3, 17);
    c->RBPoint = TPoint(40, 17);
    c->ClRect = TRect(3, 3, 40, 17);
    c->SItemRect = TRect(0, 160, 37, 174);
    c->FocusItemRect = TRect(40, 160, 77, 174);
    c->ItemTextRect = TRect(1, 0, 36, 14);
    c->ButtonRect = TRect(42, 2, 58, 18);
    c->FontColor = static_cast<TColor>(kComboFont);
    c->FocusFontColor = static_cast<TColor>(kComboFont);
    c->ActiveFontColor = static_cast<TColor>(kComboFont);
    c->ListBoxName = L"listbox";
    s.CtrlList.push_back(std::move(c));
}

// Up/down: 40 x 20 at (0, 180): down button left, up button right, hot
// and pressed pictures beside them.
inline void AddUpDown(TbsSkinData& s, TBitmap* p) {
    Block(p, TRect(0, 180, 40, 200), kUpDown);
    Block(p, TRect(40, 180, 60, 200), kUpDownHot);
    Block(p, TRect(60, 180, 80, 200), kUpDownDown);
    auto u = std::make_unique<TbsDataSkinUpDownControl>(L"hupdown");
    u->PictureIndex = 0;
    u->SkinRect = TRect(0, 180, 40, 200);
    u->DownButtonRect = TRect(0, 0, 20, 20);
    u->UpButtonRect = TRect(20, 0, 40, 20);
    u->ActiveUpButtonRect = u->ActiveDownButtonRect = TRect(40, 180, 60, 200);
    u->DownUpButtonRect = u->DownDownButtonRect = TRect(60, 180, 80, 200);
    s.CtrlList.push_back(std::move(u));
}

inline std::unique_ptr<TbsSkinData> MakeListsSkin() {
    auto s = std::make_unique<TbsSkinData>(nullptr);
    s->SkinName = L"lists-fixture";
    s->FPictureName = L"main.bmp";
    s->FPicture->SetSize(4, 4);
    auto pic = std::make_unique<TBitmap>(200, 200);
    pic->SetPixelFormat(pf24bit);
    Block(pic.get(), TRect(0, 0, 200, 200), RGB(255, 255, 255));
    AddEdit(*s, pic.get());
    AddListBox(*s, pic.get());
    AddComboBox(*s, pic.get());
    AddUpDown(*s, pic.get());
    s->FActivePicturesNames->Add(L"lists.bmp");
    s->FActivePictures.push_back(std::move(pic));
    s->Empty = false;
    return s;
}

// A 24-bit picture for a control to paint into.
struct Snap {
    std::unique_ptr<TBitmap> b = std::make_unique<TBitmap>();
    Snap(int w, int h) {
        b->SetPixelFormat(pf24bit);
        b->SetSize(w, h);
        Block(b.get(), TRect(0, 0, w, h), RGB(255, 255, 255));
    }
    HDC DC() { return b->Canvas()->Handle(); }
    COLORREF At(int x, int y) {
        const auto* p = static_cast<const uint8_t*>(b->ScanLine(y)) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    bool Shows(const TRect& r, COLORREF c) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == c) return true;
        return false;
    }
};

}  // namespace liststest
