// The skinned frame's own window states and its skinned system menu:
// maximizing to the work area (a pixel inside it when the work area is the
// whole screen, as on a display without a taskbar), minimized bars side by
// side along the bottom, rolling up to the skin's caption height, the
// system menu's entries in each state, the tracking limits, snapping to the
// work area's edges while moving, the first-show placement and the fade-in
// steps on a clock that moves with every reading.
#include <memory>

#include "MenusFixture.h"
#include "tests/frame/FrameSkin.h"

using namespace menustest;

namespace {

using Captions = std::vector<String>;

// A 300 x 200 window rectangle at (l, t).
TRect At(int l, int t) { return TRect(l, t, l + 300, t + 200); }

class WindowStatesTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        skin = frametest::MakeFrameSkin();
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
    }
    void TearDown() override {
        for (TForm* f : dialogs) f->Free();
        Application->ProcessMessages();
        skin.reset();
        MenusTest::TearDown();
    }
    // A shown form (not the main form) in the test skin.
    TbsSkinFrame* Dialog(const TRect& bounds, TFormBorderStyle border = bsSizeable) {
        TForm* f = nullptr;
        Application->CreateForm(f);
        f->SetBorderStyle(border);
        auto* fr = new TbsSkinFrame(f);
        fr->SetSkinData(skin.get());
        f->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
        f->Show();
        Application->ProcessMessages();
        dialogs.push_back(f);
        return fr;
    }
    static TRect Bounds(TbsSkinFrame* f) { return f->FForm->BoundsRect(); }
    // The captions of the system menu as it opens now.
    Captions SystemMenu(TbsSkinFrame* f) {
        f->PopupSystemMenu(300, 300);
        Captions out;
        if (TbsSkinPopupWindow* level = f->SkinMenu->LastLevel())
            for (auto& e : level->ItemList) out.push_back(e->MenuItem->Caption());
        return out;
    }
    // Chooses the system-menu entry with this caption by keys.
    void Choose(TbsSkinFrame* f, const String& caption) {
        TbsSkinPopupWindow* level = f->SkinMenu->LastLevel();
        ASSERT_NE(level, nullptr);
        int at = -1;
        for (size_t i = 0; i < level->ItemList.size(); ++i)
            if (level->ItemList[i]->MenuItem->Caption() == caption) at = static_cast<int>(i);
        ASSERT_GE(at, 0) << "no entry";
        for (int i = 0; i < at; ++i) PressKey(f->FForm->Handle(), VK_DOWN);
        PressKey(f->FForm->Handle(), VK_RETURN);
        Application->ProcessMessages();
    }
    void Close(TbsSkinFrame* f) {
        f->SkinMenu->Hide();
        Application->ProcessMessages();
    }
    // The test skin's frame without client: 80 - 44 pixels, 120 wide.
    static constexpr int kBarW = frametest::kW0;
    static constexpr int kBarH = frametest::kTop + frametest::kBottom;

    std::unique_ptr<TbsSkinData> skin;
    std::vector<TForm*> dialogs;
    RECT wa{};
};

TEST_F(WindowStatesTest, MaximizedFillsTheWorkAreaAPixelInsideAFullScreenOneAndRestoresItsBounds) {
    TbsSkinFrame* f = Dialog(TRect(100, 100, 400, 300));
    EXPECT_EQ(SystemMenu(f), (Captions{L"Mi&nimize", L"Ma&ximize", L"Ro&llUp", L"-", L"&Close"}));
    Choose(f, L"Ma&ximize");
    EXPECT_EQ(f->WindowState(), wsMaximized);
    TRect want(wa);
    const TRect screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (want == screen) InflateRect(&want, -1, -1);
    EXPECT_EQ(Bounds(f), want);
    EXPECT_FALSE(IsZoomed(f->FForm->Handle()));
    EXPECT_EQ(SystemMenu(f), (Captions{L"Mi&nimize", L"&Restore", L"Ro&llUp", L"-", L"&Close"}));
    Choose(f, L"&Restore");
    EXPECT_EQ(f->WindowState(), wsNormal);
    EXPECT_EQ(Bounds(f), TRect(100, 100, 400, 300));
    EXPECT_TRUE(f->OldBoundsRect.IsEmpty());
}

TEST_F(WindowStatesTest, MinimizedBarsLieSideBySideAlongTheBottomAndRestore) {
    std::vector<TbsSkinFrame*> frames;
    for (int i = 0; i < 3; ++i) frames.push_back(Dialog(TRect(100 + 30 * i, 100, 400 + 30 * i, 300)));
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        frames[static_cast<size_t>(i)]->SetWindowState(wsMinimized);
        EXPECT_EQ(frames[static_cast<size_t>(i)]->WindowState(), wsMinimized);
        EXPECT_EQ(Bounds(frames[static_cast<size_t>(i)]),
                  TRect(wa.left + kBarW * i, wa.bottom - kBarH, wa.left + kBarW * (i + 1), wa.bottom));
    }
    TbsSkinFrame* f = frames[1];
    EXPECT_EQ(SystemMenu(f), (Captions{L"Ma&ximize", L"&Restore", L"-", L"&Close"}));
    Choose(f, L"&Restore");
    EXPECT_EQ(f->WindowState(), wsNormal);
    EXPECT_EQ(Bounds(f), TRect(130, 100, 430, 300));
    // Its slot is free again for the next bar.
    f->SetWindowState(wsMinimized);
    EXPECT_EQ(Bounds(f).left, wa.left + kBarW);
}

TEST_F(WindowStatesTest, TheMainFormIsMinimizedByTheApplicationAndKeepsItsState) {
    frame->SetWindowState(wsMinimized);
    EXPECT_TRUE(IsIconic(form->Handle()));
    EXPECT_EQ(frame->WindowState(), wsNormal);
    Application->Restore();
    EXPECT_FALSE(IsIconic(form->Handle()));
}

TEST_F(WindowStatesTest, RollingUpLeavesTheCaptionBarAndTheSystemMenuUnrollsIt) {
    TbsSkinFrame* f = Dialog(TRect(100, 100, 400, 300));
    int changes = 0;
    f->OnChangeRollUpState = [&changes](TObject*) { ++changes; };
    SystemMenu(f);
    Choose(f, L"Ro&llUp");
    EXPECT_TRUE(f->RollUpState());
    EXPECT_EQ(f->FForm->Height(), kBarH);
    EXPECT_EQ(f->RealHeight(), 200);
    EXPECT_EQ(SystemMenu(f), (Captions{L"Mi&nimize", L"Ma&ximize", L"&Restore", L"-", L"&Close"}));
    Choose(f, L"&Restore");
    EXPECT_FALSE(f->RollUpState());
    EXPECT_EQ(Bounds(f), TRect(100, 100, 400, 300));
    EXPECT_EQ(changes, 2);
    // Unrolling gives ClientHeight when it is set.
    f->ClientHeight = 120;
    f->SetRollUpState(true);
    f->SetRollUpState(false);
    EXPECT_EQ(f->FForm->ClientHeight(), 120);
    // Without the roll-up icon nothing rolls, and the menu offers nothing.
    f->SetBorderIcons(biSkinSystemMenu | biSkinMinimize | biSkinMaximize);
    f->SetRollUpState(true);
    EXPECT_FALSE(f->RollUpState());
    EXPECT_EQ(SystemMenu(f), (Captions{L"Mi&nimize", L"Ma&ximize", L"-", L"&Close"}));
    Close(f);
}

TEST_F(WindowStatesTest, CaptionDoubleClickMaximizesASizeableFormAndRollsUpAFixedOne) {
    auto dbl = [](TbsSkinFrame* f) {
        RECT r;
        GetWindowRect(f->FForm->Handle(), &r);
        SendMessageW(f->FForm->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(r.left + 40, r.top + 14));
        Application->ProcessMessages();
    };
    TbsSkinFrame* sizeable = Dialog(TRect(100, 100, 400, 300));
    dbl(sizeable);
    EXPECT_EQ(sizeable->WindowState(), wsMaximized);
    dbl(sizeable);
    EXPECT_EQ(sizeable->WindowState(), wsNormal);
    EXPECT_EQ(Bounds(sizeable), TRect(100, 100, 400, 300));
    TbsSkinFrame* fixed = Dialog(TRect(450, 100, 750, 300), bsSingle);
    dbl(fixed);
    EXPECT_EQ(fixed->WindowState(), wsNormal);
    EXPECT_TRUE(fixed->RollUpState());
    dbl(fixed);
    EXPECT_FALSE(fixed->RollUpState());
    EXPECT_EQ(fixed->FForm->Height(), 200);
}

TEST_F(WindowStatesTest, TrackingLimitsComeFromTheSkinTheFormAndTheWorkArea) {
    TbsSkinFrame* f = Dialog(TRect(100, 100, 400, 300));
    auto limits = [f] {
        MINMAXINFO mmi{};
        SendMessageW(f->FForm->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        return std::pair(TPoint(mmi.ptMinTrackSize), TPoint(mmi.ptMaxTrackSize));
    };
    EXPECT_EQ(limits().first, TPoint(kBarW, kBarH));
    EXPECT_EQ(limits().second, TPoint(wa.right - wa.left, wa.bottom - wa.top));
    f->MinWidth = 200;
    f->MinHeight = 150;
    f->MaxWidth = 500;
    f->MaxHeight = 400;
    EXPECT_EQ(limits().first, TPoint(200, 150));
    EXPECT_EQ(limits().second, TPoint(500, 400));
    // Without a skin: MinWidth, else 120; the caption and 6 pixels, else MinHeight.
    f->MinWidth = 0;
    f->MinHeight = 0;
    f->SetSkinData(nullptr);
    EXPECT_EQ(limits().first, TPoint(120, f->GetDefCaptionHeight() + 6));
}

TEST_F(WindowStatesTest, MovingSnapsToTheWorkAreasEdgesAndFollowsTheCursorAgain) {
    TbsSkinFrame* f = Dialog(TRect(300, 300, 600, 500));
    const HWND h = f->FForm->Handle();
    auto moving = [h](RECT r) {
        SendMessageW(h, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
        return TRect(r);
    };
    // Without Magnetic nothing snaps.
    EXPECT_EQ(moving(At(wa.left + 3, 300)), At(wa.left + 3, 300));
    // Magnetic size 0 never snaps (the strict tests cannot hold).
    f->Magnetic = true;
    f->MagneticSize = 0;
    EXPECT_EQ(moving(At(wa.left + 1, 300)), At(wa.left + 1, 300));
    f->MagneticSize = 5;
    SetCursorPos(400, 400);
    SendMessageW(h, WM_ENTERSIZEMOVE, 0, 0);
    // Within 4 pixels of the left edge: there.
    EXPECT_EQ(moving(At(wa.left + 4, 300)), At(wa.left, 300));
    // The cursor on by 9: the form follows it again from the edge.
    SetCursorPos(409, 400);
    EXPECT_EQ(moving(At(wa.left + 13, 300)), At(wa.left + 9, 300));
    EXPECT_EQ(moving(At(wa.left + 20, 300)), At(wa.left + 20, 300));
    // Right and bottom edges.
    EXPECT_EQ(moving(At(wa.right - 300 - 2, wa.bottom - 200 + 3)), At(wa.right - 300, wa.bottom - 200));
    SendMessageW(h, WM_EXITSIZEMOVE, 0, 0);
    // A maximized form cannot move.
    f->SetWindowState(wsMaximized);
    const TRect at = Bounds(f);
    EXPECT_EQ(moving(At(50, 60)), at);
}

TEST_F(WindowStatesTest, ADisplayChangeFitsABorderedFormWiderThanItsMaximum) {
    const struct {
        const char* name;
        TFormBorderStyle border;
        int maxWidth;
        std::vector<int> widths;  // the window's widths on the way
        int width;                // the window's width afterwards
    } cases[] = {
        // The nudge's first step is held to the maximum, the second changes nothing.
        {"wider than its maximum", bsSizeable, 200, {200}, 200},
        {"within its maximum", bsSizeable, 0, {}, 300},
        {"without a border", bsNone, 200, {}, 300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TbsSkinFrame* f = Dialog(TRect(100, 100, 400, 300), c.border);
        ASSERT_EQ(f->FForm->Width(), 300);
        f->MaxWidth = c.maxWidth;
        std::vector<int> widths;
        TWindowProcHook hook(f->FForm, [&widths](TMessage& m, const TWndMethod& next) {
            const auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
            if (m.Msg == WM_WINDOWPOSCHANGED && !(wp->flags & SWP_NOSIZE)) widths.push_back(wp->cx);
            next(m);
        });
        // The frame is made again for the new display: a width nudge.
        SendMessageW(f->FForm->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
        EXPECT_EQ(widths, c.widths);
        RECT wr;
        GetWindowRect(f->FForm->Handle(), &wr);
        EXPECT_EQ(wr.right - wr.left, c.width);
    }
}

// A clock whose every reading moves on by 6 ms, and which notes the layered
// alpha of a window whenever it is read.
class SteppingClock : public platform::ManualClock {
public:
    SteppingClock() : previous_(platform::SetClock(this)) {}
    ~SteppingClock() override { platform::SetClock(previous_); }
    DWORD TickCount() override {
        now_ += 6;
        if (watch) {
            BYTE a = 0;
            DWORD flags = 0;
            if (GetLayeredWindowAttributes(watch, nullptr, &a, &flags) && (seen.empty() || seen.back() != a))
                seen.push_back(a);
        }
        return now_;
    }
    HWND watch = nullptr;
    std::vector<int> seen;

private:
    platform::Clock* previous_;
    DWORD now_ = 5000;
};

struct FadeCase {
    const char* name;
    bool alphaBlend, animation;
    int seenSteps;      // alpha values seen while fading (from 0 on)
    int step;           // their distance
    int finalAlpha;     // -1: the form is an ordinary window again
};

TEST_F(WindowStatesTest, FadeInStepsOnTheClockAndEndsAsAsked) {
    const FadeCase cases[] = {
        {"animation alone fades to 255 and ends unlayered", false, true, 15, 17, -1},
        {"animation to AlphaBlendValue 200 in steps of 13", true, true, 16, 13, 200},
        {"AlphaBlendValue 200 at once", true, false, 0, 0, 200},
    };
    for (const FadeCase& c : cases) {
        SCOPED_TRACE(c.name);
        SteppingClock clock2;
        TForm* f = nullptr;
        Application->CreateForm(f);
        auto* fr = new TbsSkinFrame(f);
        fr->SetSkinData(skin.get());
        fr->SetAlphaBlend(c.alphaBlend);
        fr->AlphaBlendAnimation = c.animation;
        fr->SetAlphaBlendValue(200);
        f->SetBounds(100, 100, 300, 200);
        f->Show();
        const HWND h = f->Handle();
        ASSERT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
        BYTE a = 99;
        DWORD flags = 0;
        GetLayeredWindowAttributes(h, nullptr, &a, &flags);
        EXPECT_EQ(a, 0);
        EXPECT_TRUE(clock2.HasTimer(h, 1));
        clock2.watch = h;
        clock2.Advance(1);
        clock2.watch = nullptr;
        EXPECT_FALSE(clock2.HasTimer(h, 1));
        std::vector<int> want;
        for (int i = 0; i < c.seenSteps; ++i) want.push_back(i * c.step);
        if (c.animation) {
            EXPECT_EQ(clock2.seen, want);
        }
        const bool layered = GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED;
        if (c.finalAlpha < 0) {
            EXPECT_FALSE(layered);
        } else {
            ASSERT_TRUE(layered);
            GetLayeredWindowAttributes(h, nullptr, &a, &flags);
            EXPECT_EQ(a, c.finalAlpha);
        }
        f->Free();
        Application->ProcessMessages();
    }
}

TEST_F(WindowStatesTest, AShownFormIsCentredAsPositionInMonitorSays) {
    TForm* f = nullptr;
    Application->CreateForm(f);
    auto* fr = new TbsSkinFrame(f);
    fr->SetSkinData(skin.get());
    fr->PositionInMonitor = bspDesktopCenter;
    f->SetBounds(10, 10, 300, 200);
    f->Show();
    dialogs.push_back(f);
    const int cx = wa.left + (wa.right - wa.left) / 2 - 150, cy = wa.top + (wa.bottom - wa.top) / 2 - 100;
    EXPECT_EQ(f->BoundsRect(), TRect(cx, cy, cx + 300, cy + 200));
    // Only the first show places it.
    f->Hide();
    f->SetBounds(10, 10, 300, 200);
    f->Show();
    EXPECT_EQ(f->BoundsRect(), TRect(10, 10, 310, 210));
}

}  // namespace
