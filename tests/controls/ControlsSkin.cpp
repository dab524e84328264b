#include "ControlsSkin.h"

namespace controlstest {

COLORREF ZoneColor(int variant, int state, int zone) {
    // Every colour differs in at least one channel by 40 or more.
    return RGB(40 + 40 * state, 60 + 70 * zone, variant == 0 ? 20 : 220);
}

TRect StateRect(int state) { return Bounds(state * kCellW, 0, kCellW, kCellH); }

namespace {

void FillBox(TBitmap* b, const TRect& r, COLORREF c) {
    b->Canvas()->Brush()->SetStyle(bsSolid);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(c));
    b->Canvas()->FillRect(r);
}

void DrawStateImage(TBitmap* b, int variant, int state) {
    const TRect r = StateRect(state);
    FillBox(b, r, ZoneColor(variant, state, 1));
    // Corners.
    const int x0 = r.left, y0 = r.top;
    FillBox(b, TRect(x0, y0, x0 + 6, y0 + 5), ZoneColor(variant, state, 0));
    FillBox(b, TRect(x0 + 24, y0, x0 + 30, y0 + 5), ZoneColor(variant, state, 0));
    FillBox(b, TRect(x0, y0 + 15, x0 + 6, y0 + 20), ZoneColor(variant, state, 0));
    FillBox(b, TRect(x0 + 24, y0 + 15, x0 + 30, y0 + 20), ZoneColor(variant, state, 0));
    FillBox(b, TRect(x0 + 6, y0 + 5, x0 + 24, y0 + 15), ZoneColor(variant, state, 2));
}

template <class R>
void NinePiece(R* rec, int state) {
    rec->PictureIndex = 0;
    rec->SkinRect = StateRect(state);
    rec->LTPoint = TPoint(6, 5);
    rec->RTPoint = TPoint(24, 5);
    rec->LBPoint = TPoint(6, 15);
    rec->RBPoint = TPoint(24, 15);
    rec->ClRect = TRect(6, 5, 24, 15);
}

}  // namespace

std::unique_ptr<TbsSkinData> MakeControlsSkin(int variant) {
    auto store = std::make_unique<TbsSkinData>(nullptr);
    store->SkinName = variant == 0 ? L"fixture-a" : L"fixture-b";
    store->FPictureName = L"main.bmp";
    store->FPicture->SetSize(4, 4);
    auto pic = std::make_unique<TBitmap>(5 * kCellW, kCellH);
    for (int s = 0; s < 5; ++s) DrawStateImage(pic.get(), variant, s);
    store->FActivePicturesNames->Add(L"controls.bmp");
    store->FActivePictures.push_back(std::move(pic));

    auto button = std::make_unique<TbsDataSkinButtonControl>(L"button");
    NinePiece(button.get(), 0);
    button->ActiveSkinRect = StateRect(1);
    button->DownSkinRect = StateRect(2);
    button->FocusedSkinRect = StateRect(3);
    button->DisabledSkinRect = StateRect(4);
    button->FontColor = clBlack;
    button->DisabledFontColor = clGray;
    // The second skin cross-fades its hover image.
    button->Morphing = variant == 1;
    store->CtrlList.push_back(std::move(button));

    auto panel = std::make_unique<TbsDataSkinPanelControl>(L"panel");
    NinePiece(panel.get(), 0);
    if (variant == 1) {
        // A mask (black = inside) with the top-left corner pixel cut away.
        auto mask = std::make_unique<TBitmap>(kCellW, kCellH);
        FillBox(mask.get(), TRect(0, 0, kCellW, kCellH), RGB(0, 0, 0));
        FillBox(mask.get(), TRect(0, 0, 1, 1), RGB(255, 255, 255));
        store->FActivePicturesNames->Add(L"mask.bmp");
        store->FActivePictures.push_back(std::move(mask));
        panel->MaskPictureIndex = 1;
    }
    store->CtrlList.push_back(std::move(panel));

    // A horizontal scroll bar: three-piece, ends 20 px, arrows 16 px.
    auto bar = std::make_unique<TbsDataSkinScrollBarControl>(L"hscrollbar");
    bar->PictureIndex = 0;
    bar->SkinRect = TRect(0, 0, 100, 20);
    bar->LTPoint = TPoint(20, 0);
    bar->RTPoint = TPoint(80, 0);
    bar->ClRect = TRect(20, 0, 80, 20);
    bar->TrackArea = TRect(20, 2, 80, 18);
    bar->DownButtonRect = TRect(2, 2, 18, 18);
    bar->UpButtonRect = TRect(82, 2, 98, 18);
    bar->ThumbRect = TRect(30, 2, 40, 18);
    store->CtrlList.push_back(std::move(bar));

    // A check box whose mark images are the client zones of the state
    // images, each with a strip of side colour at its left (the transparent
    // colour of a part is its bottom-left pixel).
    auto check = std::make_unique<TbsDataSkinCheckRadioControl>(L"checkbox");
    check->PictureIndex = 0;
    check->SkinRect = StateRect(0);
    const auto mark = [](int state) { return Bounds(state * kCellW, 5, 24, 10); };
    check->CheckImageRect = mark(0);
    check->UnCheckImageRect = mark(1);
    check->ActiveCheckImageRect = mark(2);
    check->ActiveUnCheckImageRect = mark(3);
    check->UnEnabledCheckImageRect = mark(4);
    store->CtrlList.push_back(std::move(check));

    // The tool bar's arrow record, of the wrong kind.
    auto arrows = std::make_unique<TbsDataSkinPanelControl>(L"resizebutton");
    NinePiece(arrows.get(), 1);
    store->CtrlList.push_back(std::move(arrows));

    // A record of the wrong kind under a button's name and a record whose
    // picture index names no picture.
    auto wrong = std::make_unique<TbsDataSkinPanelControl>(L"wrongkind");
    NinePiece(wrong.get(), 0);
    store->CtrlList.push_back(std::move(wrong));
    auto nopic = std::make_unique<TbsDataSkinButtonControl>(L"nopicture");
    NinePiece(nopic.get(), 0);
    nopic->PictureIndex = 7;
    store->CtrlList.push_back(std::move(nopic));

    store->Empty = false;
    return store;
}

void PaintControl(TWinControl* control, TBitmap& out) {
    out.SetPixelFormat(pf24bit);
    out.SetSize(control->Width(), control->Height());
    out.Canvas()->Brush()->SetColor(clFuchsia);
    out.Canvas()->FillRect(TRect(0, 0, control->Width(), control->Height()));
    control->PaintTo(out.Canvas()->Handle(), 0, 0);
}

COLORREF PixelAt(TBitmap& b, int x, int y) {
    const auto* p = static_cast<const uint8_t*>(b.ScanLine(y)) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

long DifferentPixels(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    long n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (PixelAt(a, x, y) != PixelAt(b, x, y)) ++n;
    return n;
}

}  // namespace controlstest
