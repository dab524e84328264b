#include "Src/AVFormatStubs.h"

#include "Src/StubBinding.h"

VANTREL_STUB_UNIT(VANTREL_AVFORMAT_ENTRIES, AVFormatFixup, AVFormatUnfix)
