#pragma once
// The constant tables of the legacy settings window, defined in the
// Legacy*Data.cpp files and read only through the units' own functions.

#include "app/LegacyCatalogue.h"
#include "app/LegacyOptionLists.h"
#include "app/LegacyPresets.h"

namespace legacy {

extern const TLegacyCategory kLegacyCategories[CategoryCount];

extern const TLegacyListSource kLegacyListSources[LegacyListCount];
extern const TLegacyOptionRow kLegacyOptionRows[];
extern const int kLegacyOptionRowCount;

extern const TLegacyPreset kLegacyPresets[];
extern const int kLegacyPresetCount;

}  // namespace legacy
