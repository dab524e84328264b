// SDL started on a child window of a host form: a YV12 overlay shown by a
// worker thread lands in the host window's client area, whatever its width
// (SDL's converter once wrote past overlays whose width is a multiple of 16).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "PlayerFixture.h"
#include "Src/libsdl.h"

namespace {

class OverlayWidth : public PlayerFixture, public ::testing::WithParamInterface<int> {};

TEST_P(OverlayWidth, ShownFromAWorkerThreadAppearsInTheHostWindow) {
    const int width = GetParam();
    HostForm form(320, 240);
    char env[64];
    wsprintfA(env, "SDL_WINDOWID=%u", static_cast<unsigned>(reinterpret_cast<uintptr_t>(form.Child())));
    SetEnvironmentVariableA("SDL_WINDOWID", env + 13);
    ASSERT_EQ(ff::SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << ff::SDL_GetError();
    SetEnvironmentVariableA("SDL_WINDOWID", nullptr);
    std::atomic<bool> shown{false};
    std::thread worker([&] {
        SDL_Surface* screen = ff::SDL_SetVideoMode(320, 240, 0, SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_RESIZABLE);
        if (!screen) return;
        SDL_Overlay* ov = ff::SDL_CreateYUVOverlay(width, 240, SDL_YV12_OVERLAY, screen);
        if (!ov) return;
        ff::SDL_LockYUVOverlay(ov);
        // Pure red in studio-range YCbCr: Y 81, Cb 90, Cr 240 (YV12: plane 1 is V).
        for (int y = 0; y < 240; ++y) memset(ov->pixels[0] + y * ov->pitches[0], 81, width);
        for (int y = 0; y < 120; ++y) {
            memset(ov->pixels[1] + y * ov->pitches[1], 240, width / 2);
            memset(ov->pixels[2] + y * ov->pitches[2], 90, width / 2);
        }
        ff::SDL_UnlockYUVOverlay(ov);
        SDL_Rect r{0, 0, static_cast<Uint16>(std::min(width, 320)), 240};
        ff::SDL_DisplayYUVOverlay(ov, &r);
        shown = true;
        ff::SDL_FreeYUVOverlay(ov);
    });
    while (!shown) {
        PumpFor(20);
        if (WaitForSingleObject(reinterpret_cast<HANDLE>(worker.native_handle()), 0) == WAIT_OBJECT_0) break;
    }
    worker.join();
    ASSERT_TRUE(shown) << ff::SDL_GetError();
    PumpFor(100);
    const uint32_t c = form.GrabPixel(160, 120);
    EXPECT_GT((c >> 16) & 255, 200u) << std::hex << c;
    EXPECT_LT((c >> 8) & 255, 60u) << std::hex << c;
    EXPECT_LT(c & 255, 60u) << std::hex << c;
    ff::SDL_Quit();
}

INSTANTIATE_TEST_SUITE_P(Widths, OverlayWidth, ::testing::Values(312, 320, 640));

}  // namespace
