#include "platform/Bitmap.h"

#include <cstring>

#include "platform/GdiObjects.h"
#include "platform/GifImage.h"
#include "platform/JpegImage.h"
#include "platform/PngImage.h"
#include <vector>

// ---- TGraphic ---------------------------------------------------------------------------

void TGraphic::LoadFromFile(const String& fileName) {
    TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

void TGraphic::SaveToFile(const String& fileName) {
    TFileStream f(fileName, fmCreate);
    SaveToStream(&f);
}

void TGraphic::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TBitmapCanvas ------------------------------------------------------------------------

// The canvas of a bitmap: a memory DC with the bitmap selected, made on demand
// and freed whenever the bitmap's handle changes.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* owner) : owner_(owner) {}
    ~TBitmapCanvas() override { FreeContext(); }

    void FreeContext() {
        if (!context_) return;
        SetHandle(nullptr);
        context_.reset();
    }

protected:
    void CreateHandle() override {
        if (!owner_->dib_) throw EInvalidOperation(L"Cannot draw on an empty bitmap");
        auto context = std::make_unique<Context>(owner_->dib_.Handle());
        if (!context->dc || !context->select) throw EOutOfResources(L"Out of system resources");
        context_ = std::move(context);
        SetHandle(context_->dc.Get());
    }

private:
    // The memory DC with the bitmap selected, for as long as it is drawn on.
    struct Context {
        explicit Context(HBITMAP bitmap) : select(dc.Get(), bitmap) {}
        platform::MemoryDC dc;
        platform::SelectedObject select;
    };
    TBitmap* owner_;
    std::unique_ptr<Context> context_;
};

// ---- TBitmap -------------------------------------------------------------------------------

namespace {

#pragma pack(push, 1)
struct BmpFileHeader {
    uint16_t type;
    uint32_t size;
    uint16_t reserved1, reserved2;
    uint32_t offBits;
};
#pragma pack(pop)
static_assert(sizeof(BmpFileHeader) == 14);

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

int Stride(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// Copies a rectangle between two bitmaps through temporary DCs.
void Blit(HBITMAP dest, HBITMAP src, int w, int h) {
    platform::MemoryDC a, b;
    platform::SelectedObject sa(a.Get(), dest), sb(b.Get(), src);
    BitBlt(a.Get(), 0, 0, w, h, b.Get(), 0, 0, SRCCOPY);
}

}  // namespace

TBitmap::TBitmap() : canvas_(std::make_unique<TBitmapCanvas>(this)) {}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap() {
    format_ = format;
    SetSize(width, height);
}

TBitmap::~TBitmap() { Release(); }

int TBitmap::BitCount() const { return format_ == pf1bit ? 1 : format_ == pf24bit ? 24 : 32; }

int TBitmap::BytesPerLine() const { return Stride(width_, BitCount()); }

void TBitmap::Release() {
    canvas_->FreeContext();
    dib_.Reset();
}

void TBitmap::Create(int w, int h, TPixelFormat f, const void* bits) {
    platform::DibSection old = std::move(dib_);
    const int oldW = width_, oldH = height_;
    canvas_->FreeContext();
    width_ = w;
    height_ = h;
    format_ = f;
    if (w > 0 && h > 0) {
        DibInfo info{};
        info.header = platform::DibSection::TopDownHeader(w, h, static_cast<WORD>(BitCount()));
        info.colors[1] = RGBQUAD{255, 255, 255, 0};
        dib_ = platform::DibSection::Create(*reinterpret_cast<const BITMAPINFO*>(&info));
        if (!dib_) throw EOutOfResources(L"Out of system resources");
        const size_t size = static_cast<size_t>(BytesPerLine()) * static_cast<size_t>(h);
        if (bits) std::memcpy(dib_.Bits(), bits, size);
        else if (f == pf1bit) std::memset(dib_.Bits(), 0xFF, size);
        if (old && !bits) Blit(dib_.Handle(), old.Handle(), std::min(w, oldW), std::min(h, oldH));
    }
    Changed();
}

void TBitmap::SetSize(int w, int h) {
    if (w == width_ && h == height_ && (dib_ || w <= 0 || h <= 0)) return;
    Create(w, h, format_);
}

void TBitmap::SetPixelFormat(TPixelFormat f) {
    if (f == pfDevice) f = pf32bit;
    if (f == format_) return;
    Create(width_, height_, f);
}

void TBitmap::SetMonochrome(bool v) {
    if (v != Monochrome()) SetPixelFormat(v ? pf1bit : pf24bit);
}

void* TBitmap::ScanLine(int y) {
    if (!dib_ || y < 0 || y >= height_) throw EInvalidGraphic(L"Scan line index out of range");
    GdiFlush();
    return static_cast<uint8_t*>(dib_.Bits()) + static_cast<size_t>(y) * static_cast<size_t>(BytesPerLine());
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(bm), &bm)) {
        Release();
        width_ = height_ = 0;
        Changed();
        return;
    }
    const TPixelFormat f = bm.bmBitsPixel == 1 ? pf1bit : bm.bmBitsPixel == 32 ? pf32bit : pf24bit;
    Release();
    width_ = height_ = 0;
    Create(bm.bmWidth, bm.bmHeight, f);
    Blit(dib_.Handle(), bitmap, bm.bmWidth, bm.bmHeight);
    DeleteObject(bitmap);
}

HBITMAP TBitmap::ReleaseHandle() {
    canvas_->FreeContext();
    HBITMAP h = dib_.Release();
    width_ = height_ = 0;
    return h;
}

HDC TBitmap::CanvasDC() { return canvas_->Handle(); }

TCanvas* TBitmap::Canvas() { return canvas_.get(); }

TColor TBitmap::TransparentColor() {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    if (Empty()) return clDefault;
    return static_cast<TColor>(GetPixel(CanvasDC(), 0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor c) {
    transparentColor_ = c;
    transparentMode_ = c == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
    HDC dest = canvas->Handle();
    HDC src = CanvasDC();
    SetStretchBltMode(dest, COLORONCOLOR);
    if (Transparent()) {
        TransparentBlt(dest, r.left, r.top, r.Width(), r.Height(), src, 0, 0, width_, height_,
                       ColorToRGB(TransparentColor()));
    } else {
        StretchBlt(dest, r.left, r.top, r.Width(), r.Height(), src, 0, 0, width_, height_, canvas->CopyMode);
    }
}

void TBitmap::Assign(TPersistent* source) {
    if (!source) {
        Release();
        width_ = height_ = 0;
        Changed();
        return;
    }
    auto* b = dynamic_cast<TBitmap*>(source);
    if (!b) {
        TGraphic::Assign(source);
        return;
    }
    if (b == this) return;
    transparent_ = b->transparent_;
    transparentMode_ = b->transparentMode_;
    transparentColor_ = b->transparentColor_;
    if (b->Empty()) {
        Release();
        width_ = b->width_;
        height_ = b->height_;
        format_ = b->format_;
        Changed();
        return;
    }
    GdiFlush();
    Create(b->width_, b->height_, b->format_, b->dib_.Bits());
}

void TBitmap::LoadFromDib(const BITMAPINFO* info, const uint8_t* bits, size_t bitsSize) {
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int bitsPerPixel = h.biBitCount;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
        throw EInvalidGraphic(L"Bitmap image is not valid");
    const bool plain = h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS;
    if (!plain || (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
                   bitsPerPixel != 24 && bitsPerPixel != 32))
        throw EInvalidGraphic(L"Bitmap image is not valid");
    const int w = h.biWidth;
    const bool bottomUp = h.biHeight > 0;
    const int height = bottomUp ? h.biHeight : -h.biHeight;
    const size_t stride = static_cast<size_t>(Stride(w, bitsPerPixel));
    if (stride * static_cast<size_t>(height) > bitsSize) throw EInvalidGraphic(L"Bitmap image is not valid");

    transparentColor_ = clDefault;
    transparentMode_ = tmAuto;
    if ((bitsPerPixel == 24 || bitsPerPixel == 32) && h.biCompression == BI_RGB) {
        // Same layout as ours: copy the rows, turning them top-down.
        Release();
        width_ = height_ = 0;
        Create(w, height, bitsPerPixel == 24 ? pf24bit : pf32bit);
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = bits + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
            std::memcpy(static_cast<uint8_t*>(dib_.Bits()) + stride * static_cast<size_t>(y), row, stride);
        }
        return;
    }
    // Other depths are converted by the system into a picture of ours.
    Release();
    width_ = height_ = 0;
    Create(w, height, bitsPerPixel == 1 ? pf1bit : bitsPerPixel == 32 ? pf32bit : pf24bit);
    if (bitsPerPixel == 1) {
        // Keep the file's palette order: copy rows when black comes first.
        const RGBQUAD* pal = info->bmiColors;
        const bool blackFirst = pal[0].rgbRed == 0 && pal[0].rgbGreen == 0 && pal[0].rgbBlue == 0;
        for (int y = 0; y < height && blackFirst; ++y) {
            const uint8_t* row = bits + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
            std::memcpy(static_cast<uint8_t*>(dib_.Bits()) + stride * static_cast<size_t>(y), row, stride);
        }
        if (blackFirst) return;
    }
    HDC dc = CanvasDC();
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), bits, info, DIB_RGB_COLORS);
    GdiFlush();
}

void TBitmap::LoadFromStream(TStream* stream) {
    BmpFileHeader fh{};
    stream->ReadBuffer(&fh, sizeof(fh));
    if (fh.type != 0x4D42) throw EInvalidGraphic(L"Bitmap image is not valid");
    const int64_t rest = stream->Size() - stream->Position();
    if (rest < static_cast<int64_t>(sizeof(BITMAPINFOHEADER)) || fh.offBits < sizeof(fh) + sizeof(BITMAPINFOHEADER))
        throw EInvalidGraphic(L"Bitmap image is not valid");
    std::vector<uint8_t> data(static_cast<size_t>(rest));
    stream->ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
    const size_t bitsAt = fh.offBits - sizeof(fh);
    if (bitsAt > data.size()) throw EInvalidGraphic(L"Bitmap image is not valid");
    // The header and palette may be shorter than a full BITMAPINFO: pad them.
    std::vector<uint8_t> info(std::max(bitsAt, sizeof(DibInfo)), 0);
    std::memcpy(info.data(), data.data(), bitsAt);
    const auto* bi = reinterpret_cast<const BITMAPINFO*>(info.data());
    if (bi->bmiHeader.biSize > bitsAt) throw EInvalidGraphic(L"Bitmap image is not valid");
    LoadFromDib(bi, data.data() + bitsAt, data.size() - bitsAt);
}

void TBitmap::SaveToStream(TStream* stream) {
    const int bpp = BitCount();
    const int palette = bpp == 1 ? 2 : 0;
    const uint32_t stride = static_cast<uint32_t>(Stride(width_, bpp));
    const uint32_t imageSize = Empty() ? 0 : stride * static_cast<uint32_t>(height_);
    BmpFileHeader fh{};
    fh.type = 0x4D42;
    fh.offBits = static_cast<uint32_t>(sizeof(fh) + sizeof(BITMAPINFOHEADER) + palette * sizeof(RGBQUAD));
    fh.size = fh.offBits + imageSize;
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(h);
    h.biWidth = Empty() ? 0 : width_;
    h.biHeight = Empty() ? 0 : height_;  // bottom-up, as most readers expect
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bpp);
    h.biCompression = BI_RGB;
    h.biSizeImage = imageSize;
    h.biXPelsPerMeter = h.biYPelsPerMeter = 3780;
    stream->WriteBuffer(&fh, sizeof(fh));
    stream->WriteBuffer(&h, sizeof(h));
    if (palette) {
        const RGBQUAD pal[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
        stream->WriteBuffer(pal, sizeof(pal));
    }
    for (int y = height_ - 1; y >= 0 && !Empty(); --y) stream->WriteBuffer(ScanLine(y), static_cast<int32_t>(stride));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const String& name) {
    TResourceStream res(instance, name, RT_BITMAP);
    const auto* data = static_cast<const uint8_t*>(res.Memory());
    const size_t size = static_cast<size_t>(res.Size());
    std::vector<uint8_t> info(std::max(size, sizeof(DibInfo)), 0);
    std::memcpy(info.data(), data, size);
    const auto* bi = reinterpret_cast<const BITMAPINFO*>(info.data());
    const BITMAPINFOHEADER& h = bi->bmiHeader;
    if (size < sizeof(BITMAPINFOHEADER) || h.biSize > size) throw EInvalidGraphic(L"Bitmap image is not valid");
    size_t colors = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? (1u << h.biBitCount) : 0);
    if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) colors = 3;
    const size_t bitsAt = h.biSize + colors * sizeof(RGBQUAD);
    if (bitsAt > size) throw EInvalidGraphic(L"Bitmap image is not valid");
    LoadFromDib(bi, data + bitsAt, size - bitsAt);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    // Numeric names go through the same path as "#id".
    LoadFromResourceName(instance, L"#" + IntToStr(id));
}

// ---- TIcon ----------------------------------------------------------------------------------

TIcon::~TIcon() {
    if (icon_) DestroyIcon(icon_);
}

void TIcon::SetHandle(HICON icon) {
    if (icon_ && icon_ != icon) DestroyIcon(icon_);
    icon_ = icon;
    ICONINFO ii{};
    if (icon && GetIconInfo(icon, &ii)) {
        BITMAP bm{};
        GetObjectW(ii.hbmMask, sizeof(bm), &bm);
        width_ = bm.bmWidth;
        height_ = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        if (ii.hbmColor) DeleteObject(ii.hbmColor);
        if (ii.hbmMask) DeleteObject(ii.hbmMask);
    }
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON h = icon_;
    icon_ = nullptr;
    return h;
}

void TIcon::LoadFromStream(TStream* stream) {
    const int64_t base = stream->Position();
    std::vector<uint8_t> data(static_cast<size_t>(stream->Size() - base));
    stream->ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
    auto u16 = [&](size_t at) { return static_cast<unsigned>(data[at] | (data[at + 1] << 8)); };
    auto u32 = [&](size_t at) { return u16(at) | (u16(at + 2) << 16); };
    if (data.size() < 6 || u16(0) != 0 || u16(2) != 1 || u16(4) == 0 || data.size() < 6 + 16 * u16(4))
        throw EInvalidGraphic(L"Icon image is not valid");
    size_t best = 0;
    int bestScore = INT32_MAX;
    for (size_t i = 0; i < u16(4); ++i) {
        const size_t e = 6 + 16 * i;
        const int w = data[e] ? data[e] : 256;
        const int score = std::abs(w - width_) * 64 - static_cast<int>(u16(e + 6));  // then more colours
        if (score < bestScore) bestScore = score, best = e;
    }
    const size_t bytes = u32(best + 8), offset = u32(best + 12);
    if (offset + bytes > data.size() || bytes == 0) throw EInvalidGraphic(L"Icon image is not valid");
    const int w = data[best] ? data[best] : 256, h = data[best + 1] ? data[best + 1] : 256;
    HICON icon = CreateIconFromResourceEx(data.data() + offset, static_cast<DWORD>(bytes), TRUE, 0x00030000, w, h,
                                          LR_DEFAULTCOLOR);
    if (!icon) throw EInvalidGraphic(L"Icon image is not valid");
    SetHandle(icon);
}

void TIcon::SaveToStream(TStream*) { throw EInvalidGraphic(L"Icons cannot be saved"); }

void TIcon::LoadFromResourceName(HINSTANCE instance, const String& name) {
    auto icon = static_cast<HICON>(LoadImageW(instance, name.c_str(), IMAGE_ICON, width_, height_, 0));
    if (!icon) throw EResNotFound(L"Resource " + name + L" not found");
    SetHandle(icon);
}

void TIcon::Assign(TPersistent* source) {
    auto* i = dynamic_cast<TIcon*>(source);
    if (!i) {
        TGraphic::Assign(source);
        return;
    }
    if (i == this) return;
    width_ = i->width_;
    height_ = i->height_;
    SetHandle(i->icon_ ? CopyIcon(i->icon_) : nullptr);
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
    DrawIconEx(canvas->Handle(), r.left, r.top, icon_, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

// ---- TPicture -------------------------------------------------------------------------------

namespace {

struct FileFormat {
    String description;
    TPicture::Factory factory;
    // Whether a graphic is of the format's class (or derived from it).
    std::function<bool(const TGraphic*)> accepts;
};

template <class T>
FileFormat Format(const wchar_t* description) {
    return FileFormat{description, [] { return new T; }, [](const TGraphic* g) { return dynamic_cast<const T*>(g) != nullptr; }};
}

std::map<String, FileFormat>& Formats() {
    static std::map<String, FileFormat> formats = {
        {L"bmp", Format<TBitmap>(L"Bitmaps")},
        {L"ico", Format<TIcon>(L"Icons")},
        {L"jpg", Format<TJPEGImage>(L"JPEG images")},
        {L"jpeg", Format<TJPEGImage>(L"JPEG images")},
        {L"png", Format<TPngImage>(L"PNG images")},
        {L"gif", Format<TGIFImage>(L"GIF images")},
    };
    return formats;
}

}  // namespace

TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const String& ext, const String& description, Factory factory) {
    RegisterFileFormat(ext, description, std::move(factory), nullptr);
}

void TPicture::RegisterFileFormat(const String& ext, const String& description, Factory factory,
                                  std::function<bool(const TGraphic*)> accepts) {
    Formats()[LowerCase(ext)] = FileFormat{description, std::move(factory), std::move(accepts)};
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* graphic) {
    if (!graphic) {
        graphic_.reset();
        Changed();
        return;
    }
    if (graphic == graphic_.get()) return;
    const String ext = [&] {
        for (const auto& [e, f] : Formats()) {
            std::unique_ptr<TGraphic> probe(f.factory());
            if (typeid(*probe) == typeid(*graphic)) return e;
        }
        // A class derived from a registered one is kept as that class.
        for (const auto& [e, f] : Formats())
            if (f.accepts && f.accepts(graphic)) return e;
        return String();
    }();
    if (ext.empty()) throw EInvalidGraphic(L"Unknown picture class " + graphic->ClassName());
    std::unique_ptr<TGraphic> copy(Formats()[ext].factory());
    copy->Assign(graphic);
    graphic_ = std::move(copy);
    Changed();
}

template <class T>
T* TPicture::As() {
    if (auto* g = dynamic_cast<T*>(graphic_.get())) return g;
    graphic_ = std::make_unique<T>();
    Changed();
    return static_cast<T*>(graphic_.get());
}

TBitmap* TPicture::Bitmap() { return As<TBitmap>(); }
TIcon* TPicture::Icon() { return As<TIcon>(); }

void TPicture::LoadFromFile(const String& fileName) {
    String ext = LowerCase(ExtractFileExt(fileName));
    if (!ext.empty()) ext.erase(0, 1);
    auto it = Formats().find(ext);
    if (it == Formats().end()) throw EInvalidGraphic(L"Unknown picture file extension (." + ext + L")");
    std::unique_ptr<TGraphic> g(it->second.factory());
    g->LoadFromFile(fileName);
    graphic_ = std::move(g);
    Changed();
}

void TPicture::SaveToFile(const String& fileName) {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::Assign(TPersistent* source) {
    if (!source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* p = dynamic_cast<TPicture*>(source)) {
        SetGraphic(p->graphic_.get());
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(source);
}
