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

class OtherHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
};

TEST_F(HintTest, InstalledHintWindowClassesComeOutInAnyOrder) {
    // The class in force after each step: the newest still installed.
    const auto classOfShownHint = [&]() -> const char* {
        Application->ActivateHint(panel->ClientToScreen(TPoint(5, 5)));
        THintWindow* w = Application->HintWindow();
        const char* name = dynamic_cast<CountingHintWindow*>(w) ? "counting"
                           : dynamic_cast<OtherHintWindow*>(w)  ? "other"
                           : w                                  ? "plain"
                                                                : "none";
        Application->CancelHint();
        return name;
    };
    for (const bool earlierFirst : {true, false}) {
        SCOPED_TRACE(earlierFirst ? "earlier removed first" : "later removed first");
        EXPECT_STREQ(classOfShownHint(), "plain");
        auto earlier = std::make_unique<TApplication::THintWindowClasses::Token>(Application->AddHintWindowClass(
            [](TComponent* owner) -> THintWindow* { return new CountingHintWindow(owner); }));
        EXPECT_STREQ(classOfShownHint(), "counting");
        auto later = std::make_unique<TApplication::THintWindowClasses::Token>(
            Application->AddHintWindowClass([](TComponent* owner) -> THintWindow* { return new OtherHintWindow(owner); }));
        EXPECT_STREQ(classOfShownHint(), "other");
        (earlierFirst ? earlier : later).reset();
        EXPECT_STREQ(classOfShownHint(), earlierFirst ? "other" : "counting");
        earlier.reset();
        later.reset();
        EXPECT_STREQ(classOfShownHint(), "plain");
    }
}

TEST_F(HintTest, ShowHintHooksEachTakePartAndLeaveByIdentity) {
    std::vector<String> seen;
    Application->OnShowHint = [&](String& s, bool&, THintInfo&) { s += L"+app"; };
    auto first = std::make_unique<TApplication::TShowHintHooks::Token>(
        Application->AddShowHintHook([&](String& s, bool&, THintInfo&) { s += L"+first"; }));
    auto second = std::make_unique<TApplication::TShowHintHooks::Token>(
        Application->AddShowHintHook([&](String& s, bool& canShow, THintInfo&) {
            seen.push_back(s);
            canShow = false;
        }));
    Application->ActivateHint(panel->ClientToScreen(TPoint(5, 5)));
    EXPECT_FALSE(Application->HintShowing());  // the newest hook said no
    EXPECT_EQ(seen, (std::vector<String>{L"Start+app+first"}));

    second.reset();
    Application->ActivateHint(panel->ClientToScreen(TPoint(5, 5)));
    ASSERT_TRUE(Application->HintShowing());
    EXPECT_EQ(Application->HintWindow()->Caption(), L"Start+app+first");
    first.reset();
    Application->ActivateHint(panel->ClientToScreen(TPoint(5, 5)));
    EXPECT_EQ(Application->HintWindow()->Caption(), L"Start+app");
    EXPECT_EQ(seen.size(), 1u);
    Application->CancelHint();
    Application->OnShowHint = nullptr;
}

}  // namespace
