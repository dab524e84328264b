#pragma once
// Entry points of SDL 1.2 (SDL.dll). The mutex lock and unlock are bound
// twice, under both of their names. Every name is required.
#include <windows.h>

#include <string>

#include "Src/StubBinding.h"

extern "C" {
#include <SDL/SDL.h>
#include <SDL/SDL_audio.h>
#include <SDL/SDL_events.h>
#include <SDL/SDL_mutex.h>
#include <SDL/SDL_stdinc.h>
#include <SDL/SDL_thread.h>
#include <SDL/SDL_timer.h>
#include <SDL/SDL_video.h>
}
// SDL.h renames main for its own start-up code, which is not used here.
#undef main
// The SDL headers spell lock and unlock as macros over SDL_mutexP/V.
#undef SDL_LockMutex
#undef SDL_UnlockMutex
// With a C library at hand the headers map SDL_putenv to putenv; the DLL
// still exports its own, which is the one bound here.
#undef SDL_putenv

// SDL_Init, SDL_Quit and SDL_putenv come first, bound by hand (see libsdl.cpp).
#define VANTREL_SDL_ENTRIES(X)                                                                     \
    X(SDL_GetError) X(SDL_AddTimer) X(SDL_RemoveTimer)         \
    X(SDL_OpenAudio) X(SDL_PauseAudio) X(SDL_CloseAudio) X(SDL_MixAudio) X(SDL_WaitEvent)            \
    X(SDL_PushEvent) X(SDL_EventState) X(SDL_GetVideoInfo) X(SDL_SetVideoMode) X(SDL_UpdateRect)     \
    X(SDL_WM_SetCaption) X(SDL_MapRGB) X(SDL_FillRect) X(SDL_CreateYUVOverlay)                       \
    X(SDL_LockYUVOverlay) X(SDL_UnlockYUVOverlay) X(SDL_DisplayYUVOverlay) X(SDL_FreeYUVOverlay)     \
    X(SDL_CreateMutex) X(SDL_mutexP) X(SDL_mutexV) X(SDL_DestroyMutex) X(SDL_CreateCond)             \
    X(SDL_DestroyCond) X(SDL_CondSignal) X(SDL_CondWait) X(SDL_CreateThread) X(SDL_WaitThread)       \
    X(SDL_AudioDriverName) X(SDL_VideoDriverName)

namespace ff {
extern decltype(&::SDL_Init) SDL_Init;
extern decltype(&::SDL_Quit) SDL_Quit;
VANTREL_SDL_ENTRIES(VANTREL_STUB_DECLARE)
using SDL_putenv_t = int(SDLCALL*)(const char*);
extern SDL_putenv_t SDL_putenv;
extern decltype(&::SDL_mutexP) SDL_LockMutex;
extern decltype(&::SDL_mutexV) SDL_UnlockMutex;
}  // namespace ff

void SDLFixup(const std::wstring& ALibName, HMODULE AHandle);
void SDLUnfix();
