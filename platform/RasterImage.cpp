#include "platform/RasterImage.h"

#include <cstring>

namespace platform {

std::vector<uint8_t> ReadRest(TStream* stream) {
    const int64_t rest = stream->Size() - stream->Position();
    if (rest <= 0 || rest > INT32_MAX) throw EInvalidGraphic(L"Picture data is empty or too large");
    std::vector<uint8_t> data(static_cast<size_t>(rest));
    stream->ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
    return data;
}

}  // namespace platform

void TRasterImage::SetWidth(int w) {
    bitmap_.SetWidth(w);
    Changed();
}

void TRasterImage::SetHeight(int h) {
    bitmap_.SetHeight(h);
    Changed();
}

void TRasterImage::Assign(TPersistent* source) {
    if (auto* b = dynamic_cast<TBitmap*>(source)) {
        bitmap_.Assign(b);
        if (bitmap_.PixelFormat() != pf24bit && bitmap_.PixelFormat() != pf32bit) bitmap_.SetPixelFormat(pf24bit);
        Changed();
        return;
    }
    if (auto* r = dynamic_cast<TRasterImage*>(source)) {
        if (r == this) return;
        bitmap_.Assign(&r->bitmap_);
        transparent_ = r->transparent_;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TRasterImage::AssignTo(TPersistent* dest) {
    if (auto* b = dynamic_cast<TBitmap*>(dest)) {
        b->Assign(&bitmap_);
        return;
    }
    TGraphic::AssignTo(dest);
}

void TRasterImage::LoadFromResourceName(HINSTANCE instance, const String& name, const wchar_t* type) {
    TResourceStream res(instance, name, type);
    LoadFromStream(&res);
}

void TRasterImage::Draw(TCanvas* canvas, const TRect& r) { canvas->StretchDraw(r, &bitmap_); }

void TRasterImage::SetPixelsBgr(int w, int h, const uint8_t* rows, size_t stride) {
    TBitmap fresh(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        std::memcpy(fresh.ScanLine(y), rows + stride * static_cast<size_t>(y), static_cast<size_t>(w) * 3);
    bitmap_.Assign(&fresh);
}

std::vector<uint8_t> TRasterImage::PixelsRgb() {
    const int w = Width(), h = Height();
    std::vector<uint8_t> out(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    const int step = bitmap_.PixelFormat() == pf32bit ? 4 : 3;
    if (bitmap_.PixelFormat() != pf24bit && step == 3) throw EInvalidGraphic(L"Unsupported pixel format");
    uint8_t* o = out.data();
    for (int y = 0; y < h; ++y) {
        const auto* p = static_cast<const uint8_t*>(bitmap_.ScanLine(y));
        for (int x = 0; x < w; ++x, p += step, o += 3) o[0] = p[2], o[1] = p[1], o[2] = p[0];
    }
    return out;
}
