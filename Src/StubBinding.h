#pragma once
// Helpers of the binding units: each unit lists its entry names once
// (an X-macro) and gets from these macros its variables, its Fixup (binds
// every name in list order, all required) and its Unfix (empties them).
//
// Engine code calls the libraries only through these variables (ff::name).
// To call another library function, add its name to its unit's list; the
// staged DLL must export it, or the library no longer loads. Calling the
// function directly does not link: no import library is used.
#include "Src/MyUtils.h"

// Declares one entry-point variable with the library's own prototype.
#define VANTREL_STUB_DECLARE(name) extern decltype(&::name) name;
#define VANTREL_STUB_DEFINE(name) decltype(&::name) name = nullptr;
#define VANTREL_STUB_BIND(name) ::BindFunction(ALibName, AHandle, #name, false, ff::name);
#define VANTREL_STUB_UNBIND(name) ff::name = nullptr;

// Defines the variables plus FixupFn/UnfixFn of a unit inside namespace ff.
#define VANTREL_STUB_UNIT(LIST, FixupFn, UnfixFn)                        \
    namespace ff {                                                       \
    LIST(VANTREL_STUB_DEFINE)                                            \
    }                                                                    \
    void FixupFn(const std::wstring& ALibName, HMODULE AHandle) {        \
        LIST(VANTREL_STUB_BIND)                                          \
    }                                                                    \
    void UnfixFn() {                                                     \
        LIST(VANTREL_STUB_UNBIND)                                        \
    }
