#include "PngWriter.h"

#include <zlib.h>

#include <vector>

namespace {

void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<uint8_t>(x >> s));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

void SavePng(TBitmap* bmp, const String& fileName) {
    bmp->SetPixelFormat(pf24bit);
    const int w = bmp->Width(), h = bmp->Height();
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(h) * (w * 3 + 1));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        const auto* row = static_cast<const uint8_t*>(bmp->ScanLine(y));
        for (int x = 0; x < w; ++x) raw.insert(raw.end(), {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        throw Exception(L"Cannot compress the picture");
    packed.resize(packedSize);
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> ihdr;
    Put32(ihdr, static_cast<uint32_t>(w));
    Put32(ihdr, static_cast<uint32_t>(h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    Chunk(out, "IHDR", ihdr);
    Chunk(out, "IDAT", packed);
    Chunk(out, "IEND", {});
    TFileStream f(fileName, fmCreate);
    f.WriteBuffer(out.data(), static_cast<int32_t>(out.size()));
}
