#include "platform/ImgList.h"

#include <atomic>

#include "platform/Owners.h"

namespace {

std::atomic<long> g_liveLists{0};

UINT ColorFlags(TColorDepth d) {
    switch (d) {
    case cd4Bit: return ILC_COLOR4;
    case cd8Bit: return ILC_COLOR8;
    case cd16Bit: return ILC_COLOR16;
    case cd24Bit: return ILC_COLOR24;
    case cd32Bit: return ILC_COLOR32;
    default: return ILC_COLORDDB;
    }
}

// A device-dependent copy of a bitmap for the list (the list copies it again).
platform::GdiBitmap Copy(TBitmap* b) {
    return platform::GdiBitmap(
        b && !b->Empty() ? platform::TrackGdi(static_cast<HBITMAP>(CopyImage(b->Handle(), IMAGE_BITMAP, 0, 0, 0)))
                         : nullptr);
}

}  // namespace

long TCustomImageList::LiveLists() { return g_liveLists.load(); }

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
    Destroying();
    FreeHandle();
}

void TCustomImageList::FreeHandle() {
    if (!list_) return;
    ImageList_Destroy(list_);
    list_ = nullptr;
    --g_liveLists;
}

HIMAGELIST TCustomImageList::Handle() {
    if (!list_) {
        list_ = ImageList_Create(width_, height_, ColorFlags(colorDepth_) | (Masked ? ILC_MASK : 0), 4, 4);
        if (!list_) throw EOutOfResources(L"Cannot create an image list");
        ++g_liveLists;
        ImageList_SetBkColor(list_, BkColor == clNone ? CLR_NONE : ColorToRGB(BkColor));
    }
    return list_;
}

void TCustomImageList::SetSize(int w, int h) {
    if (w == width_ && h == height_) return;
    width_ = w;
    height_ = h;
    FreeHandle();
    Change();
}

void TCustomImageList::SetColorDepth(TColorDepth v) {
    if (v == colorDepth_) return;
    colorDepth_ = v;
    FreeHandle();
    Change();
}

int TCustomImageList::Count() { return list_ ? ImageList_GetImageCount(list_) : 0; }

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    const platform::GdiBitmap i = Copy(image), m = Copy(mask);
    const int index = ImageList_Add(Handle(), i.Get(), m.Get());
    Change();
    return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    const platform::GdiBitmap i = Copy(image);
    const int index = ImageList_AddMasked(Handle(), i.Get(), ColorToRGB(maskColor));
    Change();
    return index;
}

int TCustomImageList::AddIcon(TIcon* icon) {
    const int index = ImageList_ReplaceIcon(Handle(), -1, icon->Handle());
    Change();
    return index;
}

void TCustomImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
    const int n = Count();
    if (index < 0 || index > n) throw EInvalidOperation(L"Invalid image list index " + IntToStr(index));
    const int added = Add(image, mask);
    if (added < 0) throw EInvalidOperation(L"Cannot add the picture to the image list");
    // Moved from the end down to index.
    for (int i = added; i > index; --i) ImageList_Copy(list_, i, list_, i - 1, ILCF_SWAP);
    Change();
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    if (index < 0 || index >= Count()) throw EInvalidOperation(L"Invalid image list index " + IntToStr(index));
    const platform::GdiBitmap i = Copy(image), m = Copy(mask);
    ImageList_Replace(list_, index, i.Get(), m.Get());
    Change();
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EInvalidOperation(L"Invalid image list index " + IntToStr(index));
    ImageList_Remove(list_, index);
    Change();
}

void TCustomImageList::Clear() {
    if (list_) ImageList_Remove(list_, -1);
    Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, DrawingStyle, ImageType, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type,
                            bool enabled) {
    static const UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    DoDraw(index, canvas, x, y, styles[style] | (type == itMask ? ILD_MASK : 0), enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled) {
    if (!list_ || index < 0 || index >= Count()) return;
    if (enabled) {
        ImageList_DrawEx(list_, index, canvas->Handle(), x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
        return;
    }
    IMAGELISTDRAWPARAMS p{};
    p.cbSize = sizeof(p);
    p.himl = list_;
    p.i = index;
    p.hdcDst = canvas->Handle();
    p.x = x;
    p.y = y;
    p.rgbBk = CLR_NONE;
    p.rgbFg = CLR_DEFAULT;
    p.fStyle = style;
    p.fState = ILS_SATURATE;
    ImageList_DrawIndirect(&p);
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image) {
    if (!image || index < 0 || index >= Count()) return false;
    image->SetSize(width_, height_);
    image->Canvas()->Brush()->SetColor(clWhite);
    image->Canvas()->FillRect(TRect(0, 0, width_, height_));
    Draw(image->Canvas(), 0, 0, index);
    return true;
}

void TCustomImageList::Change() {
    if (OnChange) OnChange(this);
}
