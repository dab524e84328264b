#pragma once
// The grid the gallery's images menus show: a header band over four columns
// and one cell a picture of the menu's list. UI thread.

#include "skin/frame/bsSkinImagesMenu.h"

// captions: one per cell, or null for cells without text.
inline void FillGalleryImagesGrid(TbsSkinImagesMenu* menu, const String& header, int cells,
                                  const wchar_t* const* captions = nullptr) {
    menu->SetColumnsCount(4);
    TbsImagesMenuItem band;
    band.Header = true;
    band.Caption = header;
    menu->ImagesItems.push_back(band);
    for (int i = 0; i < cells; ++i) {
        TbsImagesMenuItem cell;
        cell.ImageIndex = i;
        if (captions) cell.Caption = captions[i];
        menu->ImagesItems.push_back(cell);
    }
}
