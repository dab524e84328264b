#pragma once
// The pictures of the main window and the about box, drawn in the look of
// the program's skins (steel-blue plates with light rims): the category and
// format pictures (one per category code), the tool-bar pictures and the
// about box's product picture.
//
// Threads: UI thread only.

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
// The 53x55 product picture, placed on parent at (left, top).
TImage* MakeAboutPicture(TComponent* owner, TWinControl* parent, int left, int top);

}  // namespace apppictures
