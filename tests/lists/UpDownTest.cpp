// The up/down buttons: position rules, clicks, and the auto-repeat's
// timing on a stepped clock.
#include "ListsFixture.h"

#include "platform/Clock.h"
#include "skin/controls/bsSkinCtrlsUpDown.h"

using namespace liststest;

namespace {

class UpDownTest : public ListsTest {
protected:
    TbsSkinUpDown* NewUpDown() {
        auto* u = new TbsSkinUpDown(form);
        u->SetParent(form);
        u->SetBounds(10, 10, 36, 18);
        u->HandleNeeded();
        u->OnChange = [this, u](TObject*) { Log("change:" + std::to_string(u->Position())); };
        u->OnUpButtonClick = [this](TObject*) { Log("up"); };
        u->OnDownButtonClick = [this](TObject*) { Log("down"); };
        return u;
    }
    // The pointer comes onto the control, then presses.
    static void Press(TbsSkinUpDown* u, int x) {
        SendMessageW(u->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 9));
        SendMessageW(u->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 9));
    }
    static void Move(TbsSkinUpDown* u, int x, int y = 9) {
        SendMessageW(u->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Release(TbsSkinUpDown* u, int x, int y = 9) {
        SendMessageW(u->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

TEST_F(UpDownTest, HorizontalButtonsSplitTheWidthWithUpOnTheRight) {
    TbsSkinUpDown* u = NewUpDown();
    EXPECT_EQ(u->ButtonRect(0), TRect(18, 0, 36, 18));
    EXPECT_EQ(u->ButtonRect(1), TRect(0, 0, 18, 18));
    u->SetOrientation(udVertical);
    EXPECT_EQ(u->ButtonRect(0), TRect(0, 0, 36, 9));
    EXPECT_EQ(u->ButtonRect(1), TRect(0, 9, 36, 18));
}

TEST_F(UpDownTest, PositionRulesAndClicks) {
    TbsSkinUpDown* u = NewUpDown();
    u->SetMax(3);
    u->SetPosition(3);
    EXPECT_EQ(TakeLog(), "change:3,");
    u->SetPosition(3);  // unchanged, announced again
    u->SetPosition(4);  // beyond Max: ignored
    EXPECT_EQ(TakeLog(), "change:3,");
    // A click on x = 18 counts for the up button; at Max it only clicks.
    Press(u, 18);
    Release(u, 18);
    EXPECT_EQ(TakeLog(), "up,");
    Press(u, 5);
    Release(u, 5);
    EXPECT_EQ(u->Position(), 2);
    EXPECT_EQ(TakeLog(), "change:2,down,");
    u->SetMin(3);  // Position raised without an event
    EXPECT_EQ(u->Position(), 3);
    EXPECT_EQ(TakeLog(), "");
    u->SetIncrement(0);  // plain click buttons
    Press(u, 30);
    Release(u, 30);
    EXPECT_EQ(u->Position(), 3);
    EXPECT_EQ(TakeLog(), "up,");
}

TEST_F(UpDownTest, AHeldButtonRepeatsAfter500ThenEvery100Ms) {
    platform::ScopedManualClock clock;
    TbsSkinUpDown* u = NewUpDown();
    Press(u, 30);
    clock.Advance(599);
    EXPECT_EQ(TakeLog(), "");  // no step before 600 ms
    clock.Advance(1);
    EXPECT_EQ(TakeLog(), "change:1,");
    clock.Advance(100);
    EXPECT_EQ(TakeLog(), "change:2,");
    clock.Advance(300);
    EXPECT_EQ(u->Position(), 5);
    TakeLog();
    Release(u, 30);
    EXPECT_EQ(u->Position(), 6);  // the release adds one step
    EXPECT_EQ(TakeLog(), "change:6,up,");
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(UpDownTest, SlidingOffTheHeldButtonPausesAndComingBackResumesAt50Ms) {
    platform::ScopedManualClock clock;
    TbsSkinUpDown* u = NewUpDown();
    Press(u, 30);
    clock.Advance(700);
    EXPECT_EQ(u->Position(), 2);
    Move(u, 5);  // onto the other button: it does not light up, the repeat stops
    clock.Advance(500);
    EXPECT_EQ(u->Position(), 2);
    Move(u, 30);
    clock.Advance(50);
    EXPECT_EQ(u->Position(), 3);
    clock.Advance(50);
    EXPECT_EQ(u->Position(), 4);
    Move(u, 60, 60);  // released outside: no extra step, no click
    Release(u, 60, 60);
    EXPECT_EQ(u->Position(), 4);
    EXPECT_EQ(log.find("up"), std::string::npos);
}

}  // namespace
