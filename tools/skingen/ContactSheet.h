#pragma once
// A contact sheet of skins: for each one a window made of its pictures (frame,
// caption buttons, tool bar, buttons, check marks, edits, tabs, scroll bar,
// gauge, menu) and its raw pictures beside it.

#include <vector>

#include "skin/bsSkinData.h"

struct SheetEntry {
    TbsSkinData* skin;
    String title;
};

void WriteContactSheet(const std::vector<SheetEntry>& skins, const String& pngFile);
