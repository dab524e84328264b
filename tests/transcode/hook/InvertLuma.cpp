// A hook module for the transcoder tests: inverts the first plane (luma) of
// every picture. "Configure" accepts any arguments and counts the calls.
#include <cstdint>

namespace {
struct Picture {
    uint8_t* data[4];
    int linesize[4];
};
int configured = 0;
}  // namespace

extern "C" {
__declspec(dllexport) int Configure(void** ctx, int, char**, int) {
    *ctx = &configured;
    ++configured;
    return 0;
}

__declspec(dllexport) void Process(void*, Picture* picture, int, int width, int height, int64_t) {
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture->data[0] + y * picture->linesize[0];
        for (int x = 0; x < width; ++x) row[x] = static_cast<uint8_t>(255 - row[x]);
    }
}

__declspec(dllexport) void Release(void*) {}
}
