#pragma once
// Creation and release of the GDI objects and memory DCs of the class
// library, counted so that tests can prove that nothing leaks (the system's
// own per-process count is not available everywhere).
//
// Threads: any thread.

#include <windows.h>

namespace platform {

// Counts a freshly created object (nullptr is ignored) and returns it.
template <class H>
H TrackGdi(H handle);
// Deletes a counted object; a failed delete (for example of an object still
// selected into a DC) leaves it counted.
void DeleteGdi(HGDIOBJ handle);
HDC CreateMemoryDC();
void DeleteMemoryDC(HDC dc);

// Objects and memory DCs of the library alive now.
long LiveGdiObjects();

void CountGdi(HGDIOBJ handle);

template <class H>
H TrackGdi(H handle) {
    CountGdi(handle);
    return handle;
}

}  // namespace platform
