#pragma once
// Checks of a generated skin before it is shipped: the text round-trips,
// the store accepts the container, every picture index and rectangle is in
// range and every record the components ask for by name is present.

#include <vector>

#include "skin/bsSkinData.h"

// The control records and frame objects every skin must have.
const std::vector<const wchar_t*>& RequiredControls();
const std::vector<const wchar_t*>& RequiredObjects();

// Problems found in a loaded skin (empty when none).
std::vector<String> CheckSkin(TbsSkinData* store);
