#pragma once
// A small skin made in code for the skinned-control tests, with a distinct
// colour in every zone (corners, sides, client) of every state image, and
// helpers to read the pixels a control paints.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Bitmap.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrls.h"
#include "tests/platform/ControlsFixture.h"

namespace controlstest {

// The colour of zone `zone` (0 corner, 1 side, 2 client) of state image
// `state` in skin `variant`.
COLORREF ZoneColor(int variant, int state, int zone);

// Button geometry of the fixture skin: five 30 x 20 state images side by
// side (normal, hot, pressed, focused, disabled), corner points 6/24 and
// 5/15, client (6, 5, 24, 15).
constexpr int kCellW = 30, kCellH = 20;
TRect StateRect(int state);

// A store holding the fixture skin: picture 0 with the button states,
// "button" (nine-piece), "panel" (nine-piece, the normal image), and the
// records named in the test files.
std::unique_ptr<TbsSkinData> MakeControlsSkin(int variant);

// The face of control as painted now, in a 24-bit picture of its size.
void PaintControl(TWinControl* control, TBitmap& out);
COLORREF PixelAt(TBitmap& b, int x, int y);
// Number of pixels that differ between two pictures of one size (-1 when
// the sizes differ).
long DifferentPixels(TBitmap& a, TBitmap& b);

// A form with a running application (from the class library's tests).
using ControlsTest = platform_test::ControlsTest;

}  // namespace controlstest
