// Asks for the desktop window and ends. Under Wine the desktop process is
// started by the first program that asks for the desktop and keeps that
// program's output handles open for as long as it runs; the test script runs
// this first, with its output going nowhere, so that no test's output pipe
// is held open after the test ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return GetDesktopWindow() ? 0 : 1;
}
