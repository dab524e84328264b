#pragma once
// A small frame skin made in code for the frame tests: a 120 x 80 frame
// picture with a distinct colour in every zone (four corners, four sides,
// client), a marker pixel in the top-right corner, three caption buttons
// painted on the frame with their hot, pressed and inactive images in a
// further picture, a caption, an inactive frame picture and (optionally) a
// mask with the top-left 6 x 6 corner cut away.
#include <gtest/gtest.h>

#include <memory>

#include "skin/bsSkinData.h"
#include "skin/frame/bsSkinFrame.h"
#include "tests/platform/ControlsFixture.h"

namespace frametest {

constexpr int kW0 = 120, kH0 = 80;
// Borders of the client rectangle (6, 30, 114, 74).
constexpr int kLeft = 6, kTop = 30, kRight = 6, kBottom = 6;
// Caption buttons on the frame picture (top-right corner zone).
const TRect kMinOnFrame(68, 6, 82, 20), kMaxOnFrame(84, 6, 98, 20), kCloseOnFrame(100, 6, 114, 20);
// The marker pixel in the top-right corner, at (kMarkX, kMarkY) of the picture.
constexpr int kMarkX = 62, kMarkY = 1;

enum Zone { zLT, zTop, zRT, zLeft, zRight, zLB, zBottom, zRB, zClient, zMark, zCount };
// Colour of a zone of the active (or inactive) frame picture.
COLORREF ZoneColor(Zone z, bool active = true);
// Images of the close button in the button picture.
COLORREF CloseHotColor();
COLORREF CloseDownColor();

// variant 0: the skin; 1: the same with other colours and an extra user
// object "logo" (to tell the two apart after a switch).
std::unique_ptr<TbsSkinData> MakeFrameSkin(int variant = 0, bool withMask = false);

COLORREF PixelOf(TBitmap& b, int x, int y);

// Full-window dragging on or off for one test, restored afterwards.
class FullDrag {
public:
    explicit FullDrag(bool on) {
        SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &old_, 0);
        SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, on, nullptr, 0);
    }
    ~FullDrag() { SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, old_, nullptr, 0); }
    FullDrag(const FullDrag&) = delete;
    FullDrag& operator=(const FullDrag&) = delete;

private:
    BOOL old_ = FALSE;
};

// A shown form with a running application; `form` is the main form.
class FrameTest : public platform_test::ControlsTest {
protected:
    // Paints the whole frame of `frame` into a picture of the form's size
    // (client area left fuchsia) through the frame's paint-to-DC message.
    void PaintFrame(TCustomForm* f, TBitmap& out);
    // Sends a hit test for window point (x, y) of f; returns the code.
    LRESULT HitTest(TCustomForm* f, int x, int y);
    // A non-client press and release at window point (x, y) of f.
    void NCClick(TCustomForm* f, int x, int y);
};

}  // namespace frametest
