#include "Src/AVUtilStubs.h"

#include "Src/StubBinding.h"

VANTREL_STUB_UNIT(VANTREL_AVUTIL_ENTRIES, AVUtilFixup, AVUtilUnfix)
