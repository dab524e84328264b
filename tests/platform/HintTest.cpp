// The application's hint machinery: long hints for a status line, keys
// ending a hint, a replaced hint-window class, hints shown at a point.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "platform/Clock.h"
#include "platform/ExtCtrls.h"

namespace {

using platform_test::ControlsTest;

class CountingHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    static inline int shown = 0;
    void ActivateHint(TRect r, const String& hint) override {
        ++shown;
        THintWindow::ActivateHint(r, hint);
    }
};

class HintTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 100, 50);
        panel->Hint = L"Start|Starts converting the queued files";
        panel->SetShowHint(true);
        Application->ProcessMessages();
    }
    void MoveOverPanel() { SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }
    platform::ScopedManualClock clock;
    TPanel* panel = nullptr;
};

TEST_F(HintTest, LongHintFollowsThePointer) {
    std::vector<String> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint); };
    MoveOverPanel();
    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
    EXPECT_EQ(hints, (std::vector<String>{L"Starts converting the queued files", L""}));
    EXPECT_EQ(GetShortHint(L"no bar"), L"no bar");
    EXPECT_EQ(GetLongHint(L"no bar"), L"no bar");
}

TEST_F(HintTest, KeyPressHidesTheHint) {
    MoveOverPanel();
    clock.Advance(Application->HintPause);
    ASSERT_TRUE(Application->HintShowing());
    PostMessageW(panel->Handle(), WM_KEYDOWN, VK_SHIFT, 1);
    Application->ProcessMessages();
    EXPECT_FALSE(Application->HintShowing());
}

TEST_F(HintTest, ReplacedWindowClassTakesOverAfterAToggle) {
    MoveOverPanel();
    clock.Advance(Application->HintPause);
    ASSERT_TRUE(Application->HintShowing());
    CountingHintWindow::shown = 0;
    Application->HintWindowClass = [](TComponent* owner) -> THintWindow* { return new CountingHintWindow(owner); };
    Application->SetShowHint(false);
    EXPECT_FALSE(Application->HintShowing());
    Application->SetShowHint(true);
    EXPECT_NE(dynamic_cast<CountingHintWindow*>(Application->HintWindow()), nullptr);
    const TPoint p = panel->ClientToScreen(TPoint(5, 5));
    Application->ActivateHint(p);
    EXPECT_TRUE(Application->HintShowing());
    EXPECT_EQ(CountingHintWindow::shown, 1);
    Application->CancelHint();
}

}  // namespace
