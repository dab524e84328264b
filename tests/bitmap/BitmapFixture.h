#pragma once
// Pictures made by the tests themselves, pixel access and golden images.

#include <string>

#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Streams.h"

namespace bitmaptest {

// Colour of pixel (x, y) of a 24-bit bitmap ($00BBGGRR).
COLORREF PixelOf(TBitmap& b, int x, int y);
void SetPixelOf(TBitmap& b, int x, int y, COLORREF c);

// A 24-bit skin picture of w x h whose every pixel differs from its
// neighbours: red = 8 * x, green = 8 * y, blue = 40 + region code given by
// the corner size c (nine regions), so copies, tiles and stretches can be
// told apart.
// The part lies at (ox, oy) of a picture (ox + w) x (oy + h).
void MakeSkinPicture(TBitmap& b, int w, int h, int c, int ox = 0, int oy = 0);

// Fills stream with data and rewinds it.
void FillStream(TMemoryStream& stream, const std::vector<uint8_t>& data);

// A 24-bit bitmap of w x h filled white.
void WhiteBitmap(TBitmap& b, int w, int h);

// Compares b with the golden image name.bmp; when the golden image is
// missing and VANTREL_RECORD_GOLDEN is set, records it (and the comparison
// passes). Returns an empty string on a match, else what differs.
std::string CompareGolden(TBitmap& b, const std::wstring& name);

}  // namespace bitmaptest
