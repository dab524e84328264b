#pragma once
// The pictures of the main window and the about box, drawn in the look of
// the program's skins (steel-blue plates with light rims): the category and
// format pictures (one per category code), the tool-bar pictures, the
// glyphs of the command buttons, the empty queue's picture and the about
// box's product picture.
//
// Threads: UI thread only.

#include <array>

class TbsPngImageList;
class TImage;
class TComponent;
class TWinControl;

namespace apppictures {

// 35 pictures of size x size, picture index = category code.
void FillCategoryPictures(TbsPngImageList* list, int size);
// 12 pictures of 32x32: add, start, stop, pause, resume, options, skin,
// then add, start, stop, pause and resume dimmed (the commands switched off).
void FillToolPictures(TbsPngImageList* list);
// The glyphs of the command buttons as 16 picture components named Image2
// to Image17 (element i is Image<i + 2>), in two rows of eight on parent
// from (left, top). Each command has a glyph of its own, coloured, and its
// greyed form for the command switched off:
//   Image3 / Image2   add       32x32      Image5 / Image4   start   32x32
//   Image7 / Image6   pause     32x32      Image9 / Image8   resume  32x32
//   Image11 / Image10 stop      32x32      Image13 / Image12 clear   16x16
//   Image15 / Image14 remove    16x16      Image16 / Image17 rename  16x16
// (on / off). The pictures are bitmaps whose bottom-left pixel holds the
// colour that a button leaves transparent.
constexpr int CommandGlyphCount = 16;
std::array<TImage*, CommandGlyphCount> MakeCommandGlyphs(TComponent* owner, TWinControl* parent, int left, int top);
// The picture of the empty queue (Image1): a film strip with the add sign
// on a pale plate of width x height, placed on parent at (left, top).
TImage* MakeEmptyQueuePicture(TComponent* owner, TWinControl* parent, int left, int top, int width, int height);
// The 53x55 product picture, placed on parent at (left, top).
TImage* MakeAboutPicture(TComponent* owner, TWinControl* parent, int left, int top);

}  // namespace apppictures
