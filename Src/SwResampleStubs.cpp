#include "Src/SwResampleStubs.h"

#include "Src/StubBinding.h"

VANTREL_STUB_UNIT(VANTREL_SWRESAMPLE_ENTRIES, SwResampleFixup, SwResampleUnfix)
