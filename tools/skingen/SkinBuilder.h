#pragma once
// Builds one skin of an armour theme into a store: draws every picture and
// fills every record the skinned components look up by name.

#include <memory>

#include "SkinArt.h"
#include "skin/bsSkinData.h"

struct Theme {
    const wchar_t* fileName;  // "jupiter"
    const char* title;        // shown on the contact sheet
    Palette palette;
};

// The themes of the main skin list, in list order, and the skin of the
// category and format lists.
const std::vector<Theme>& MainThemes();
const Theme& ListsTheme();

std::unique_ptr<TbsSkinData> BuildSkin(const Theme& theme);
