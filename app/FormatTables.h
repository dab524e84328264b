#pragma once
// The constant tables of the format model, defined in the *Data.cpp files
// and read only through the units' own functions.

#include <algorithm>
#include <span>

#include "app/EncoderPresets.h"
#include "app/FormatCatalogue.h"
#include "app/OptionLists.h"

namespace formats {

extern const TCategory kCategories[CategoryCount];

extern const TEncoderPreset kEncoderPresets[];
extern const int kEncoderPresetCount;

extern const TLabelledList kLabelledLists[ListLabelCount];
extern const TOptionRow kOptionRows[];
extern const int kOptionRowCount;

// The entry of a table sorted by Key; nullptr when the key is missing.
template <class T>
const T* FindByKey(std::span<const T> table, int key) {
    const auto it = std::lower_bound(table.begin(), table.end(), key,
                                     [](const T& entry, int k) { return entry.Key < k; });
    return it != table.end() && it->Key == key ? &*it : nullptr;
}

}  // namespace formats
