// The tray icon: shell calls, click and double-click sequences from the
// shell's callback messages, icon cycling, balloons, taskbar restart and
// minimizing to the notification area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Menus.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/frame/bsTrayIcon.h"
#include "tests/platform/ControlsFixture.h"

namespace {

class RecordingMenu : public TbsSkinPopupMenu {
public:
    using TbsSkinPopupMenu::TbsSkinPopupMenu;
    void Popup(int, int) override { ++popups; }
    int popups = 0;
};

class TrayIconTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        tray = new TbsTrayIcon(form);
        tray->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            log.push_back(b == mbLeft ? "down" : b == mbRight ? "rdown" : "mdown");
        };
        tray->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            log.push_back(b == mbLeft ? "up" : b == mbRight ? "rup" : "mup");
        };
        tray->OnClick = [this](TObject*) { log.push_back("click"); };
        tray->OnDblClick = [this](TObject*) { log.push_back("dbl"); };
    }
    void Notify(UINT mouse) { SendMessageW(tray->Handle(), WM_TRAYNOTIFY, 1, static_cast<LPARAM>(mouse)); }
    TbsTrayIcon* tray = nullptr;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(TrayIconTest, ShellTakesAddModifyAndDelete) {
    EXPECT_EQ(tray->Data().uCallbackMessage, WM_TRAYNOTIFY);
    EXPECT_EQ(tray->Data().hWnd, tray->Handle());
    EXPECT_TRUE(tray->ShowIcon());
    tray->SetHint(L"Vantrel");
    EXPECT_EQ(std::wstring(tray->Data().szTip), L"Vantrel");
    EXPECT_TRUE(tray->Refresh());
    EXPECT_TRUE(tray->HideIcon());
    EXPECT_FALSE(tray->IconVisible());
}

TEST_F(TrayIconTest, ClickSequences) {
    platform::ScopedManualClock clock;
    tray->Refresh();  // timers now run on the manual clock
    const DWORD dbl = GetDoubleClickTime();

    // A single click: the click comes once the double-click time has passed.
    Notify(WM_LBUTTONDOWN);
    Notify(WM_LBUTTONUP);
    EXPECT_EQ(log, (Log{"down", "up"}));
    clock.Advance(dbl);
    EXPECT_EQ(log, (Log{"down", "up", "click"}));

    // A double click: no click at all.
    log.clear();
    Notify(WM_LBUTTONDOWN);
    Notify(WM_LBUTTONUP);
    Notify(WM_LBUTTONDBLCLK);
    Notify(WM_LBUTTONUP);
    clock.Advance(dbl * 2);
    EXPECT_EQ(log, (Log{"down", "up", "dbl", "up"}));

    // A long press: the click comes at the release.
    log.clear();
    Notify(WM_LBUTTONDOWN);
    clock.Advance(dbl + 100);
    EXPECT_EQ(log, (Log{"down"}));
    Notify(WM_LBUTTONUP);
    EXPECT_EQ(log, (Log{"down", "click", "up"}));
    clock.Advance(dbl * 2);
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(TrayIconTest, PopupOnRightPressOrLeftWhenAskedAndNothingWhileDisabled) {
    auto* menu = new RecordingMenu(form);
    tray->SetPopupMenu(menu);
    Notify(WM_RBUTTONDOWN);
    EXPECT_EQ(menu->popups, 1);
    EXPECT_EQ(log, (Log{"rdown"}));
    Notify(WM_LBUTTONDOWN);
    EXPECT_EQ(menu->popups, 1);
    tray->PopupByLeftButton = true;
    Notify(WM_LBUTTONDOWN);
    EXPECT_EQ(menu->popups, 2);

    log.clear();
    tray->Enabled = false;
    Notify(WM_RBUTTONDOWN);
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(menu->popups, 2);
}

TEST_F(TrayIconTest, DoubleClickRunsTheFirstDefaultItem) {
    auto* menu = new RecordingMenu(form);
    std::vector<int> clicked;
    for (int i = 0; i < 3; ++i) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(L"item");
        item->OnClick = [&clicked, i](TObject*) { clicked.push_back(i); };
        menu->Items()->Add(item);
    }
    menu->Items()->Items(1)->SetDefault(true);
    tray->SetPopupMenu(menu);
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_EQ(clicked, (std::vector<int>{1}));
}

TEST_F(TrayIconTest, CyclingReportsNextIndexAndShowsTheIcons) {
    platform::ScopedManualClock clock;
    const std::vector<TColor> colours{clRed, clLime, clBlue};
    TCustomImageList* list = platform_test::SolidColourList(form, colours);
    tray->SetIconList(list);
    tray->SetAnimateTimerInterval(100);
    std::vector<int> next, shown;
    std::vector<COLORREF> pixels;
    tray->OnCycle = [&](TObject*, int n) { next.push_back(n); };
    tray->SetCycleIcons(true);
    for (int i = 0; i < 4; ++i) {
        clock.Advance(100);
        shown.push_back(tray->IconIndex());
        TBitmap b(16, 16, pf24bit);
        DrawIconEx(b.Canvas()->Handle(), 0, 0, tray->Icon()->Handle(), 16, 16, 0, nullptr, DI_NORMAL);
        pixels.push_back(static_cast<COLORREF>(b.Canvas()->Pixel(8, 8)));
    }
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(pixels[0], ColorToRGB(clLime));
    EXPECT_EQ(pixels[1], ColorToRGB(clBlue));
    EXPECT_EQ(pixels[2], ColorToRGB(clRed));
}

TEST_F(TrayIconTest, EmptyIconListKeepsTheIconAndCyclesNothing) {
    platform::ScopedManualClock clock;
    auto* list = new TCustomImageList(form);
    list->SetSize(16, 16);
    const HICON before = tray->Icon()->Handle();
    tray->SetIconList(list);
    EXPECT_EQ(tray->IconIndex(), -1);
    EXPECT_EQ(tray->Icon()->Handle(), before);
    int cycles = 0;
    tray->OnCycle = [&](TObject*, int) { ++cycles; };
    tray->SetAnimateTimerInterval(50);
    tray->SetCycleIcons(true);
    clock.Advance(200);
    EXPECT_EQ(cycles, 0);
}

TEST_F(TrayIconTest, BalloonTextAndTitleAreCut) {
    tray->ShowIcon();
    const String text(300, L'x'), title(100, L't');
    tray->ShowBalloonHint(title, text, bsbitWarning);
    EXPECT_EQ(wcslen(tray->Data().szInfo), 255u);
    EXPECT_EQ(wcslen(tray->Data().szInfoTitle), 63u);
    EXPECT_EQ(tray->Data().dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_EQ(tray->Data().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    tray->HideBalloonHint();
    EXPECT_EQ(wcslen(tray->Data().szInfo), 0u);
    int clicks = 0;
    tray->OnBalloonHintClick = [&](TObject*) { ++clicks; };
    Notify(NIN_BALLOONUSERCLICK);
    EXPECT_EQ(clicks, 1);
}

// Each balloon kind maps to its shell icon; a value outside the four kinds
// (a cast integer) shows no icon rather than reading past the table.
TEST_F(TrayIconTest, BalloonKindsMapToShellIconsAndStrangeKindsToNone) {
    tray->ShowIcon();
    const struct {
        int kind;
        DWORD flags;
    } cases[] = {{bsbitNone, NIIF_NONE},  {bsbitInfo, NIIF_INFO}, {bsbitWarning, NIIF_WARNING},
                 {bsbitError, NIIF_ERROR}, {4, NIIF_NONE},         {-1, NIIF_NONE},
                 {1000000, NIIF_NONE}};
    for (const auto& c : cases) {
        tray->ShowBalloonHint(L"t", L"x", static_cast<TbsBalloonHintIcon>(c.kind));
        EXPECT_EQ(tray->Data().dwInfoFlags, c.flags) << "kind " << c.kind;
    }
}

TEST_F(TrayIconTest, TaskbarRestartAddsVisibleIconAgain) {
    ASSERT_TRUE(tray->ShowIcon());
    // The shell lost its icons.
    NOTIFYICONDATAW gone = tray->Data();
    Shell_NotifyIconW(NIM_DELETE, &gone);
    EXPECT_FALSE(tray->Refresh());
    SendMessageW(Application->Handle(), TbsTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(tray->Refresh());
}

TEST_F(TrayIconTest, MinimizingApplicationHidesMainFormAndShowMainFormBringsItBack) {
    tray->SetIconVisible(false);
    SendMessageW(Application->Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(tray->IconVisible());
    EXPECT_EQ(form->Tag, -10000);
    form->Tag = 0;
    tray->ShowMainForm();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->Tag, -10000);
    tray->MinimizeToTray = false;
    SendMessageW(Application->Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(form->Visible());
}

}  // namespace
