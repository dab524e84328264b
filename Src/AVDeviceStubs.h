#pragma once
// Entry points of avdevice (avdevice-59.dll).
// Every name below is required; the loader binds them in this order.
#include <windows.h>

#include <string>

#include "Src/LibAVHeaders.h"
#include "Src/StubBinding.h"

#define VANTREL_AVDEVICE_ENTRIES(X) \
    X(avdevice_register_all)

namespace ff {
VANTREL_AVDEVICE_ENTRIES(VANTREL_STUB_DECLARE)
}  // namespace ff

void AVDeviceFixup(const std::wstring& ALibName, HMODULE AHandle);
void AVDeviceUnfix();
