#pragma once
// Entry points of swscale (swscale-6.dll).
// Every name below is required; the loader binds them in this order.
#include <windows.h>

#include <string>

#include "Src/LibAVHeaders.h"
#include "Src/StubBinding.h"

#define VANTREL_SWSCALE_ENTRIES(X) \
    X(sws_freeContext) X(sws_getContext) X(sws_getCachedContext) X(sws_scale) X(sws_get_class) \
    X(sws_alloc_context) X(sws_init_context)

namespace ff {
VANTREL_SWSCALE_ENTRIES(VANTREL_STUB_DECLARE)
}  // namespace ff

void SwScaleFixup(const std::wstring& ALibName, HMODULE AHandle);
void SwScaleUnfix();
