#pragma once
// A running application with a shown form, an event log the controls'
// handlers write to, and helpers that move the real pointer for the
// drop-downs (they ask the system where the pointer is).
#include <gtest/gtest.h>

#include <string>

#include "tests/platform/ControlsFixture.h"

namespace liststest {

class ListsTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        GetCursorPos(&pointerBefore);
        platform_test::ControlsTest::SetUp();
        PointerAway();
    }
    // The pointer goes back where it was, for the tests that run next.
    void TearDown() override {
        SetCursorPos(pointerBefore.x, pointerBefore.y);
        platform_test::ControlsTest::TearDown();
    }
    POINT pointerBefore{};
    // Appends "what" (and a comma) to the log.
    void Log(const std::string& what) { log += what + ","; }
    std::string TakeLog() {
        std::string s = log;
        log.clear();
        return s;
    }
    static void PointerTo(TControl* c, int x, int y) {
        const TPoint p = c->ClientToScreen(TPoint(x, y));
        SetCursorPos(p.x, p.y);
    }
    // Parks the pointer where no list of the tests opens.
    static void PointerAway() { SetCursorPos(1, 1); }
    static void Wheel(HWND wnd, int delta) {
        PostMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
    }
    void Char(HWND wnd, wchar_t ch) {
        PostMessageW(wnd, WM_CHAR, ch, 1);
        Application->ProcessMessages();
    }
    std::string log;
};

inline std::string Narrow(const String& s) { return std::string(s.begin(), s.end()); }

}  // namespace liststest
