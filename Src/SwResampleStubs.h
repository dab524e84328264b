#pragma once
// Entry points of swresample (swresample-4.dll).
// Every name below is required; the loader binds them in this order.
#include <windows.h>

#include <string>

#include "Src/LibAVHeaders.h"
#include "Src/StubBinding.h"

#define VANTREL_SWRESAMPLE_ENTRIES(X) \
    X(swr_alloc) X(swr_alloc_set_opts2) X(swr_init) X(swr_is_initialized) X(swr_convert) X(swr_free) \
    X(swr_get_delay) X(swr_set_compensation) X(swr_get_class)

namespace ff {
VANTREL_SWRESAMPLE_ENTRIES(VANTREL_STUB_DECLARE)
}  // namespace ff

void SwResampleFixup(const std::wstring& ALibName, HMODULE AHandle);
void SwResampleUnfix();
