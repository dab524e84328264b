#pragma once
// Writes a 24-bit picture as a PNG file (for contact sheets).

#include "platform/Bitmap.h"

void SavePng(TBitmap* bmp, const String& fileName);
