#include "Src/AVCodecStubs.h"

#include "Src/StubBinding.h"

VANTREL_STUB_UNIT(VANTREL_AVCODEC_ENTRIES, AVCodecFixup, AVCodecUnfix)
