#include "Src/AVFilterStubs.h"

#include "Src/StubBinding.h"

VANTREL_STUB_UNIT(VANTREL_AVFILTER_ENTRIES, AVFilterFixup, AVFilterUnfix)
