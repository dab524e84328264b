#include "Src/libsdl.h"

namespace ff {
decltype(&::SDL_Init) SDL_Init = nullptr;
decltype(&::SDL_Quit) SDL_Quit = nullptr;
VANTREL_SDL_ENTRIES(VANTREL_STUB_DEFINE)
SDL_putenv_t SDL_putenv = nullptr;
decltype(&::SDL_mutexP) SDL_LockMutex = nullptr;
decltype(&::SDL_mutexV) SDL_UnlockMutex = nullptr;
}  // namespace ff

void SDLFixup(const std::wstring& ALibName, HMODULE AHandle) {
    ::BindFunction(ALibName, AHandle, "SDL_Init", false, ff::SDL_Init);
    ::BindFunction(ALibName, AHandle, "SDL_Quit", false, ff::SDL_Quit);
    ::BindFunction(ALibName, AHandle, "SDL_putenv", false, ff::SDL_putenv);
    VANTREL_SDL_ENTRIES(VANTREL_STUB_BIND)
    ::BindFunction(ALibName, AHandle, "SDL_mutexP", false, ff::SDL_LockMutex);
    ::BindFunction(ALibName, AHandle, "SDL_mutexV", false, ff::SDL_UnlockMutex);
}

void SDLUnfix() {
    VANTREL_SDL_ENTRIES(VANTREL_STUB_UNBIND)
    ff::SDL_Init = nullptr;
    ff::SDL_Quit = nullptr;
    ff::SDL_putenv = nullptr;
    ff::SDL_LockMutex = nullptr;
    ff::SDL_UnlockMutex = nullptr;
}
