#include "skin/bsPngImageList.h"

#include <cmath>

#include "platform/Bitmap.h"
#include "platform/SysUtils.h"

// ---- items ------------------------------------------------------------------------------------------

TbsPngImageItem::TbsPngImageItem(TCollection* collection)
    : TCollectionItem(collection), png_(std::make_unique<TbsPngImage>()) {
    // The collection appends the item once it is made: its index is the
    // count before that.
    Name = Format(L"PngImage%d", collection ? collection->Count() : 0);
}

TbsPngImageItem::~TbsPngImageItem() = default;

void TbsPngImageItem::Assign(TPersistent* source) {
    if (auto* item = dynamic_cast<TbsPngImageItem*>(source)) {
        png_->Assign(item->png_.get());
        Name = item->Name;
        return;
    }
    TCollectionItem::Assign(source);
}

String TbsPngImageItem::GetDisplayName() const { return Name.empty() ? TCollectionItem::GetDisplayName() : Name; }

void TbsPngImageItem::SetPngImage(TbsPngImage* value) {
    png_->Assign(value);
    Changed(true);
}

TbsPngImageItems::TbsPngImageItems(TbsPngImageList* list)
    : TCollection([](TCollection* c) { return new TbsPngImageItem(c); }), list_(list) {}

TPersistent* TbsPngImageItems::GetOwner() const { return list_; }

void TbsPngImageItems::Update(TCollectionItem* item) {
    TCollection::Update(item);
    if (list_) list_->SyncPlaceholders();
}

// ---- the list ------------------------------------------------------------------------------------------

TbsPngImageList::TbsPngImageList(TComponent* owner) : TCustomImageList(owner) {
    items_ = std::make_unique<TbsPngImageItems>(this);
}

TbsPngImageList::~TbsPngImageList() {
    Destroying();
    items_.reset();
}

void TbsPngImageList::SyncPlaceholders() {
    if (!items_) return;
    const int wanted = items_->Count();
    while (Count() > wanted) Delete(Count() - 1);
    if (Count() < wanted) {
        TBitmap blank(Width(), Height(), pf1bit);
        while (Count() < wanted)
            if (Add(&blank, nullptr) < 0) RaiseLastOSError();
    }
}

void TbsPngImageList::SetPngWidth(int v) {
    if (v != Width()) Resize(v, Height());
}

void TbsPngImageList::SetPngHeight(int v) {
    if (v != Height()) Resize(Width(), v);
}

void TbsPngImageList::Resize(int w, int h) {
    // A new size empties the native list; the placeholders are made again.
    SetSize(w, h);
    if (!Has(csLoading)) items_->Clear();
    SyncPlaceholders();
}

void TbsPngImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT /*style*/, bool enabled) {
    if (index < 0 || index >= items_->Count()) return;
    TbsPngImage* png = items_->Items(index)->PngImage();
    if (!png || png->Empty()) return;
    const TRect r(x, y, x + Width(), y + Height());
    if (enabled) {
        canvas->StretchDraw(r, png);
        return;
    }
    TbsPngImage copy;
    copy.Assign(png);
    MakeImageHalfTransparent(&copy);
    canvas->StretchDraw(r, &copy);
}

void MakeImageHalfTransparent(TbsPngImage* png, int v) {
    if (!png || png->Empty()) return;
    const bool bitMode = png->TransparencyMode() == ptmBit;
    const COLORREF key = bitMode ? ColorToRGB(png->TransparentColor()) : CLR_INVALID;
    auto isKey = [&](int x, int y) { return bitMode && static_cast<COLORREF>(png->Pixel(x, y)) == key; };
    const int type = png->ColorType();
    if (type == COLOR_PALETTE || type == COLOR_GRAYSCALE) {
        TBitmap blank(png->Width(), png->Height());
        TbsPngImage rgb;
        rgb.Assign(&blank);
        rgb.CreateAlpha();
        for (int y = 0; y < png->Height(); ++y)
            for (int x = 0; x < png->Width(); ++x) {
                rgb.SetPixel(x, y, png->Pixel(x, y));
                rgb.SetAlpha(x, y, isKey(x, y) ? 0 : static_cast<uint8_t>(v));
            }
        png->Assign(&rgb);
        return;
    }
    png->CreateAlpha();
    for (int y = 0; y < png->Height(); ++y)
        for (int x = 0; x < png->Width(); ++x) {
            const int a = png->Alpha(x, y);
            png->SetAlpha(x, y, isKey(x, y) ? 0 : static_cast<uint8_t>(std::nearbyint(a / 256.0 * (v + 1))));
        }
}
