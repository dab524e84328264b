#pragma once
// Entry points of the C run-time library (msvcrt.dll): its file, formatting
// and number-parsing functions, typed here because the compiler's own stdio
// wraps some of them. Every name is required.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "Src/StubBinding.h"

namespace ff {
using fclose_t = int(__cdecl*)(FILE*);
using fopen_t = FILE*(__cdecl*)(const char*, const char*);
using fprintf_t = int(__cdecl*)(FILE*, const char*, ...);
using fread_t = size_t(__cdecl*)(void*, size_t, size_t, FILE*);
using fseek_t = int(__cdecl*)(FILE*, long, int);
using ftell_t = long(__cdecl*)(FILE*);
using fwrite_t = size_t(__cdecl*)(const void*, size_t, size_t, FILE*);
using snprintf_t = int(__cdecl*)(char*, size_t, const char*, ...);
using strtod_t = double(__cdecl*)(const char*, char**);
using strtok_t = char*(__cdecl*)(char*, const char*);
using strtol_t = long(__cdecl*)(const char*, char**, int);
using vsprintf_t = int(__cdecl*)(char*, const char*, va_list);

#define VANTREL_MSVCRT_ENTRIES(X)                                                               \
    X(fclose, fclose_t) X(fopen, fopen_t) X(fprintf, fprintf_t) X(fread, fread_t) X(fseek, fseek_t) \
    X(ftell, ftell_t) X(fwrite, fwrite_t) X(_snprintf, snprintf_t) X(strtod, strtod_t)           \
    X(strtok, strtok_t) X(strtol, strtol_t) X(vsprintf, vsprintf_t)

#define VANTREL_TYPED_DECLARE(name, type) extern type name;
VANTREL_MSVCRT_ENTRIES(VANTREL_TYPED_DECLARE)
}  // namespace ff

void MyUtilFixup(const std::wstring& ALibName, HMODULE AHandle);
void MyUtilUnfix();
