#include "Src/SwScaleStubs.h"

#include "Src/StubBinding.h"

VANTREL_STUB_UNIT(VANTREL_SWSCALE_ENTRIES, SwScaleFixup, SwScaleUnfix)
