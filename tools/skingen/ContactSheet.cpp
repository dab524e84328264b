#include "ContactSheet.h"

#include <algorithm>

#include "PngWriter.h"

namespace {

constexpr int kWinW = 420, kWinH = 300, kRowH = 330;

TCanvas* C(TBitmap* b) { return b->Canvas(); }

// Draws `part` of `pic` into `dest` at any size with a nine-piece cut whose
// inner corners are lt and rb (relative to part).
void NinePiece(TCanvas* dest, const TRect& d, TBitmap* pic, const TRect& part, TPoint lt, TPoint rb) {
    const int l = lt.x, t = lt.y, r = part.Width() - rb.x, b = part.Height() - rb.y;
    const int xs[] = {0, l, part.Width() - r, part.Width()};
    const int ys[] = {0, t, part.Height() - b, part.Height()};
    const int dx[] = {d.left, d.left + l, d.right - r, d.right};
    const int dy[] = {d.top, d.top + t, d.bottom - b, d.bottom};
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            const TRect src(part.left + xs[i], part.top + ys[j], part.left + xs[i + 1], part.top + ys[j + 1]);
            const TRect dst(dx[i], dy[j], dx[i + 1], dy[j + 1]);
            if (src.IsEmpty() || dst.IsEmpty()) continue;
            dest->CopyRect(dst, C(pic), src);
        }
}

template <class T>
T* Ctrl(TbsSkinData* s, const wchar_t* name) {
    const int i = s->GetControlIndex(name);
    return i < 0 ? nullptr : dynamic_cast<T*>(s->CtrlList[i].get());
}

void Record(TCanvas* c, TbsSkinData* s, const TbsDataSkinCustomControl* rec, const TRect& part, const TRect& at) {
    NinePiece(c, at, s->FActivePictures[rec->PictureIndex].get(), part, rec->LTPoint, rec->RBPoint);
}

void Text(TCanvas* c, int x, int y, const String& text, TColor color, int height = 13, bool bold = false) {
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName(L"Tahoma");
    c->Font()->SetHeight(-height);
    c->Font()->SetStyle(bold ? TFontStyles(fsBold) : 0u);
    c->Font()->SetColor(color);
    c->TextOut(x, y, text);
}

void MockWindow(TCanvas* c, TbsSkinData* s, int ox, int oy, const String& title) {
    TBitmap* frame = s->FPicture.get();
    const TRect win(ox, oy, ox + kWinW, oy + kWinH);
    NinePiece(c, win, frame, TRect(0, 0, frame->Width(), frame->Height()), s->LTPoint, s->RBPoint);
    // Client background, tiled.
    TBitmap* tile = s->FActivePictures[s->BGPictureIndex].get();
    const TRect client(ox + s->ClRect.left, oy + s->ClRect.top, win.right - (frame->Width() - s->ClRect.right),
                       win.bottom - (frame->Height() - s->ClRect.bottom));
    for (int y = client.top; y < client.bottom; y += tile->Height())
        for (int x = client.left; x < client.right; x += tile->Width()) {
            const int w = std::min<int>(tile->Width(), client.right - x), h = std::min<int>(tile->Height(), client.bottom - y);
            c->CopyRect(TRect(x, y, x + w, y + h), C(tile), TRect(0, 0, w, h));
        }
    auto* cap = static_cast<TbsDataSkinCaption*>(s->ObjectList[s->GetIndex(L"caption")].get());
    Text(c, ox + cap->SkinRect.left + 6, oy + 7, title, cap->ActiveFontColor, 14, true);

    // Tool bar with two tool buttons (one under the pointer).
    auto* tp = Ctrl<TbsDataSkinPanelControl>(s, L"toolpanel");
    Record(c, s, tp, tp->SkinRect, TRect(client.left, client.top, client.right, client.top + 44));
    auto* tb = Ctrl<TbsDataSkinButtonControl>(s, L"toolbutton");
    Record(c, s, tb, tb->ActiveSkinRect, TRect(client.left + 4, client.top + 2, client.left + 44, client.top + 42));
    Record(c, s, tb, tb->DownSkinRect, TRect(client.left + 48, client.top + 2, client.left + 88, client.top + 42));
    // Push buttons in three looks.
    auto* b = Ctrl<TbsDataSkinButtonControl>(s, L"button");
    const TRect looks[] = {b->SkinRect, b->ActiveSkinRect, b->DownSkinRect};
    const wchar_t* labels[] = {L"Start", L"Stop", L"Add"};
    for (int i = 0; i < 3; ++i) {
        const TRect at(client.left + 12 + i * 96, client.top + 56, client.left + 100 + i * 96, client.top + 82);
        Record(c, s, b, looks[i], at);
        Text(c, at.left + 28, at.top + 6, labels[i], i == 1 ? b->ActiveFontColor : b->FontColor);
    }
    // Check and radio boxes.
    TBitmap* controls = s->FActivePictures[1].get();
    auto* cb = Ctrl<TbsDataSkinCheckRadioControl>(s, L"checkbox");
    auto* rb = Ctrl<TbsDataSkinCheckRadioControl>(s, L"radiobox");
    const std::pair<TbsDataSkinCheckRadioControl*, TRect> marks[] = {
        {cb, cb->CheckImageRect}, {cb, cb->UnCheckImageRect}, {rb, rb->CheckImageRect}, {rb, rb->ActiveUnCheckImageRect}};
    for (int i = 0; i < 4; ++i) {
        const int x = client.left + 12 + i * 70, y = client.top + 94;
        c->CopyRect(TRect(x, y, x + 15, y + 15), C(controls), marks[i].second);
        Text(c, x + 19, y, i < 2 ? L"Option" : L"Choice", marks[i].first->FontColor);
    }
    // Edit and combo box.
    auto* ed = Ctrl<TbsDataSkinEditControl>(s, L"edit");
    Record(c, s, ed, ed->SkinRect, TRect(client.left + 12, client.top + 120, client.left + 170, client.top + 141));
    Text(c, client.left + 17, client.top + 123, L"C:\\Video\\clip.mp4", ed->FontColor);
    auto* co = Ctrl<TbsDataSkinComboBox>(s, L"combobox");
    const TRect combo(client.left + 180, client.top + 120, client.left + 330, client.top + 141);
    Record(c, s, co, co->ActiveSkinRect, combo);
    c->CopyRect(TRect(combo.right - 19, combo.top + 1, combo.right - 2, combo.top + 20), C(controls), co->ActiveButtonRect);
    Text(c, combo.left + 5, combo.top + 3, L"MP4 H.264", co->FontColor);
    // Tabs over a page.
    auto* tab = Ctrl<TbsDataSkinTabControl>(s, L"tab");
    const TRect pageAt(client.left + 12, client.top + 174, client.left + 330, client.bottom - 34);
    NinePiece(c, pageAt, controls, tab->SkinRect, tab->LTPoint, tab->RBPoint);
    const TRect tabs[] = {tab->ActiveTabRect, tab->TabRect, tab->MouseInTabRect};
    for (int i = 0; i < 3; ++i)
        NinePiece(c, TRect(pageAt.left + 4 + i * 78, pageAt.top - 24, pageAt.left + 80 + i * 78, pageAt.top + (i == 0 ? 1 : 0)),
                  controls, tabs[i], TPoint(6, 4), TPoint(tabs[i].Width() - 6, tabs[i].Height() - 4));
    Text(c, pageAt.left + 22, pageAt.top - 19, L"Video", tab->ActiveFontColor);
    Text(c, pageAt.left + 100, pageAt.top - 18, L"Audio", tab->FontColor);
    // Progress gauge.
    auto* g = Ctrl<TbsDataSkinGaugeControl>(s, L"gauge");
    const TRect gaugeAt(client.left + 12, client.bottom - 26, client.left + 330, client.bottom - 8);
    Record(c, s, g, g->SkinRect, gaugeAt);
    c->CopyRect(TRect(gaugeAt.left + 2, gaugeAt.top + 2, gaugeAt.left + 200, gaugeAt.bottom - 2), C(controls), g->ProgressRect);
    // Vertical scroll bar at the right.
    auto* sb = Ctrl<TbsDataSkinScrollBarControl>(s, L"vscrollbar");
    const TRect sbAt(client.right - 17, client.top + 44, client.right, client.bottom);
    Record(c, s, sb, sb->SkinRect, sbAt);
    c->CopyRect(TRect(sbAt.left, sbAt.top + 40, sbAt.right, sbAt.top + 90), C(controls), sb->ActiveThumbRect);
    // A popup menu with a highlighted item.
    TBitmap* popup = s->FActivePictures[s->PopupWindow->WindowPictureIndex].get();
    const TRect menuAt(client.right - 120, client.top + 150, client.right - 22, client.top + 226);
    NinePiece(c, menuAt, popup, TRect(0, 0, popup->Width(), popup->Height()), s->PopupWindow->LTPoint, s->PopupWindow->RBPoint);
    auto* mi = static_cast<TbsDataSkinMenuItem*>(s->ObjectList[s->GetIndex(L"menuitem")].get());
    TBitmap* menu = s->FActivePictures[mi->ActivePictureIndex].get();
    c->CopyRect(TRect(menuAt.left + 6, menuAt.top + 26, menuAt.right - 4, menuAt.top + 48), C(menu), mi->ActiveSkinRect);
    const wchar_t* items[] = {L"Open", L"Convert", L"Exit"};
    for (int i = 0; i < 3; ++i)
        Text(c, menuAt.left + 24, menuAt.top + 7 + i * 22, items[i], i == 1 ? mi->ActiveFontColor : mi->FontColor);
    c->CopyRect(TRect(menuAt.left + 8, menuAt.top + 7, menuAt.left + 22, menuAt.top + 21), C(menu), mi->CheckImageRect);
}

}  // namespace

void WriteContactSheet(const std::vector<SheetEntry>& skins, const String& pngFile) {
    const int width = 20 + kWinW + 20 + 360 + 20 + 256 + 20 + 256 + 20;
    TBitmap sheet(width, static_cast<int>(skins.size()) * kRowH + 10, pf24bit);
    TCanvas* c = sheet.Canvas();
    c->Brush()->SetColor(static_cast<TColor>(0x303030));
    c->FillRect(TRect(0, 0, sheet.Width(), sheet.Height()));
    for (size_t i = 0; i < skins.size(); ++i) {
        TbsSkinData* s = skins[i].skin;
        const int y = 10 + static_cast<int>(i) * kRowH;
        MockWindow(c, s, 20, y + 20, skins[i].title);
        int x = 20 + kWinW + 20;
        c->Draw(x, y + 20, s->FPicture.get());
        x += 380;
        c->Draw(x, y + 20, s->FActivePictures[1].get());
        x += 276;
        c->Draw(x, y + 20, s->FActivePictures[5].get());
        c->Draw(x, y + 150, s->FActivePictures[2].get());
        c->Draw(x + 50, y + 150, s->FActivePictures[3].get());
        c->Draw(x + 90, y + 150, s->FActivePictures[4].get());
        c->Draw(x + 170, y + 150, s->FActivePictures[0].get());
        Text(c, 20, y + 2, skins[i].title, static_cast<TColor>(0xE0E0E0), 14, true);
    }
    SavePng(&sheet, pngFile);
}
