#include "Src/MyUtilStubs.h"

namespace ff {
#define VANTREL_TYPED_DEFINE(name, type) type name = nullptr;
VANTREL_MSVCRT_ENTRIES(VANTREL_TYPED_DEFINE)
}  // namespace ff

void MyUtilFixup(const std::wstring& ALibName, HMODULE AHandle) {
#define VANTREL_TYPED_BIND(name, type) ::BindFunction(ALibName, AHandle, #name, false, ff::name);
    VANTREL_MSVCRT_ENTRIES(VANTREL_TYPED_BIND)
}

void MyUtilUnfix() {
#define VANTREL_TYPED_UNBIND(name, type) ff::name = nullptr;
    VANTREL_MSVCRT_ENTRIES(VANTREL_TYPED_UNBIND)
}
