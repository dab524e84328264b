#include "Src/AVDeviceStubs.h"

#include "Src/StubBinding.h"

VANTREL_STUB_UNIT(VANTREL_AVDEVICE_ENTRIES, AVDeviceFixup, AVDeviceUnfix)
