#include "platform/GdiObjects.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<long> g_live{0};
}  // namespace

void CountGdi(HGDIOBJ handle) {
    if (handle) ++g_live;
}

void DeleteGdi(HGDIOBJ handle) {
    if (handle && DeleteObject(handle)) --g_live;
}

HDC CreateMemoryDC() {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc) ++g_live;
    return dc;
}

void DeleteMemoryDC(HDC dc) {
    if (dc && DeleteDC(dc)) --g_live;
}

long LiveGdiObjects() { return g_live; }

}  // namespace platform
