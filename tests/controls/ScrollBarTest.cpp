// The skinned scroll bar in its plain look: geometry, dragging, paging and
// repeat, keys and the wheel, and the order of its events.
#include "ControlsSkin.h"

#include <string>

#include "platform/Clock.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

using namespace controlstest;

namespace {

class ScrollBarTest : public ControlsTest {
protected:
    TbsSkinScrollBar* NewBar(int w = 200) {
        auto* b = new TbsSkinScrollBar(form);
        b->SetParent(form);
        b->SetBounds(10, 10, w, 19);
        b->HandleNeeded();
        return b;
    }
    static void Press(TbsSkinScrollBar* b, int x, int y = 9) {
        SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Move(TbsSkinScrollBar* b, int x, int y = 9) {
        SendMessageW(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Release(TbsSkinScrollBar* b, int x, int y = 9) {
        SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

// A 200 x 19 horizontal bar: arrows 1..17 and 183..199, track 17..183,
// thumb centre from 25 to 175.
TEST_F(ScrollBarTest, ThumbPlacementFollowsRangePageAndPosition) {
    TbsSkinScrollBar* b = NewBar();
    const struct Case {
        int min, max, pos, page;
        LONG left, right;
    } cases[] = {
        {0, 100, 0, 0, 17, 33},
        {0, 100, 100, 0, 167, 183},
        {0, 100, 50, 0, 92, 108},
        {0, 100, 75, 0, 129, 145},  // 112.5 rounds to the even 112
        {0, 100, 25, 0, 55, 71},    // 37.5 rounds to the even 38
        {0, 99, 45, 10, 92, 108},   // page thumb 17 long, centre at 25 + 150 * 45 / 90
        {5, 5, 5, 0, 17, 33},       // an empty range puts the thumb at the start
    };
    for (const Case& c : cases) {
        b->SetRange(c.min, c.max, c.pos, c.page);
        b->CalcRects();
        const TRect t = b->ButtonRect(0);
        EXPECT_EQ(t.left, c.left) << c.min << ".." << c.max << " at " << c.pos << " page " << c.page;
        EXPECT_EQ(t.right, c.right) << c.min << ".." << c.max << " at " << c.pos << " page " << c.page;
        EXPECT_EQ(t.top, 1);
        EXPECT_EQ(t.bottom, 18);
    }
}

TEST_F(ScrollBarTest, SkinnedGeometryFollowsTheBarsLength) {
    auto store = MakeControlsSkin(0);
    TbsSkinScrollBar* b = NewBar();
    b->SetSkinData(store.get());
    ASSERT_NE(b->FIndex, -1);
    EXPECT_EQ(b->Height(), 20);  // three-piece: the skin's height
    // Track 20..80 of a 100 px part; a 10 px thumb runs its centre from 25.
    const struct {
        int width, position;
        TRect up, thumb;
    } cases[] = {
        {200, 50, TRect(182, 2, 198, 18), TRect(95, 2, 105, 18)},
        {300, 0, TRect(282, 2, 298, 18), TRect(20, 2, 30, 18)},
        {300, 100, TRect(282, 2, 298, 18), TRect(270, 2, 280, 18)},
    };
    for (const auto& c : cases) {
        b->SetBounds(b->Left(), b->Top(), c.width, 19);
        b->SetRange(0, 100, c.position, 0);
        b->CalcRects();
        EXPECT_EQ(b->ButtonRect(1), c.up) << c.width;
        EXPECT_EQ(b->ButtonRect(2), TRect(2, 2, 18, 18)) << c.width;
        EXPECT_EQ(b->ButtonRect(0), c.thumb) << c.width << " at " << c.position;
    }
}

TEST_F(ScrollBarTest, BothModeLeavesTheMarkerFree) {
    TbsSkinScrollBar* b = NewBar();
    b->SetBoth(true);
    b->CalcRects();
    EXPECT_EQ(b->ButtonRect(1), TRect(164, 1, 180, 18));
    EXPECT_EQ(b->SkinDataName(), L"bothhscrollbar");
    b->SetBoth(false);
    EXPECT_EQ(b->SkinDataName(), L"hscrollbar");
    b->SetBothMarkerWidth(-3);
    EXPECT_EQ(b->BothMarkerWidth(), 19);
}

TEST_F(ScrollBarTest, DraggingTheThumbMapsThePointerToPositions) {
    TbsSkinScrollBar* b = NewBar();
    // Table of (start position, pointer move) -> position, without a page.
    const struct Drag {
        int start, dx, position;
    } drags[] = {{50, 30, 70}, {50, -90, 0}, {50, 300, 100}, {50, 15, 60}, {20, 75, 70}};
    for (const Drag& d : drags) {
        b->SetRange(0, 100, d.start, 0);
        b->CalcRects();
        const TRect t = b->ButtonRect(0);
        const int x = (t.left + t.right) / 2;
        int lastChanges = 0;
        b->OnLastChange = [&](TObject*) { ++lastChanges; };
        Press(b, x);
        Move(b, x + d.dx);
        EXPECT_EQ(b->Position(), d.position) << "from " << d.start << " by " << d.dx;
        Release(b, x + d.dx);
        EXPECT_EQ(lastChanges, 1);
    }
    // With a page of 10 in 0..99 the thumb centre runs 150 px for 90 positions.
    b->SetRange(0, 99, 0, 10);
    b->CalcRects();
    const TRect t = b->ButtonRect(0);
    Press(b, t.left + 4);
    Move(b, t.left + 4 + 75);
    EXPECT_EQ(b->Position(), 45);
    Release(b, t.left + 79);
}

TEST_F(ScrollBarTest, ArrowButtonsStepAndRepeatAfterTheDelay) {
    platform::ScopedManualClock clock;
    TbsSkinScrollBar* b = NewBar();
    b->SetRange(0, 100, 10, 0);
    std::string events;
    b->OnChange = [&](TObject*) { events += "change "; };
    Press(b, 190);  // the up button
    EXPECT_EQ(b->Position(), 11);
    clock.Advance(549);
    EXPECT_EQ(b->Position(), 11);
    clock.Advance(1);
    EXPECT_EQ(b->Position(), 12);
    clock.Advance(100);
    EXPECT_EQ(b->Position(), 14);
    Release(b, 190);
    clock.Advance(500);
    EXPECT_EQ(b->Position(), 14);
    EXPECT_EQ(events, "change change change change ");
    EXPECT_FALSE(clock.HasTimer(b->Handle(), 1));

    Press(b, 8);  // the down button
    Release(b, 8);
    EXPECT_EQ(b->Position(), 13);
}

TEST_F(ScrollBarTest, PagingRepeatsUntilTheThumbReachesThePointer) {
    platform::ScopedManualClock clock;
    TbsSkinScrollBar* b = NewBar();
    b->SetRange(0, 100, 0, 0);
    b->SetLargeChange(10);
    std::string events;
    b->OnChange = [&](TObject*) { events += "change "; };
    b->OnPageDown = [&](TObject*) { events += "pagedown "; };
    Press(b, 150);
    EXPECT_EQ(b->Position(), 10);
    EXPECT_EQ(events, "change pagedown ");
    // The thumb's right edge is 33 + 1.5 * position: it passes 150 at 80.
    clock.Advance(2000);
    EXPECT_EQ(b->Position(), 80);
    EXPECT_FALSE(clock.HasTimer(b->Handle(), 1));
    Release(b, 150);

    // Paging towards the start.
    events.clear();
    b->OnPageUp = [&](TObject*) { events += "pageup "; };
    Press(b, 30);
    EXPECT_EQ(b->Position(), 70);
    EXPECT_EQ(events, "change pageup ");
    Release(b, 30);
}

TEST_F(ScrollBarTest, PositionClampingAndRangeChanges) {
    TbsSkinScrollBar* b = NewBar();
    int changes = 0;
    b->OnChange = [&](TObject*) { ++changes; };
    b->SetRange(0, 100, 150, 10);
    EXPECT_EQ(b->Position(), 91);
    EXPECT_EQ(changes, 0);
    b->SetPosition(0);
    changes = 0;
    b->SetPosition(150);
    EXPECT_EQ(b->Position(), 91);
    EXPECT_EQ(changes, 1);
    // A page larger than the range keeps the position at the minimum.
    b->SetRange(0, 5, 3, 10);
    EXPECT_EQ(b->Position(), 0);
    b->SetPosition(4);
    EXPECT_EQ(b->Position(), 0);
    // A page that does not fit the range is refused.
    b->SetRange(0, 100, 95, 0);
    b->SetPageSize(10);
    EXPECT_EQ(b->PageSize(), 0);
    b->SimplySetPosition(-20);
    EXPECT_EQ(b->Position(), 0);
}

TEST_F(ScrollBarTest, KeysAndWheelOnlyWhenFocusable) {
    TbsSkinScrollBar* b = NewBar();
    b->SetRange(0, 100, 50, 0);
    b->SetSmallChange(5);
    SendMessageW(b->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(b->Position(), 50);
    b->SetCanFocused(true);
    EXPECT_TRUE(b->TabStop());
    b->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(b->Focused());
    const struct {
        WORD key;
        int position;
    } keys[] = {{VK_RIGHT, 55}, {VK_DOWN, 60}, {VK_LEFT, 55}, {VK_UP, 50}};
    for (const auto& k : keys) {
        PressKey(b->Handle(), k.key);
        EXPECT_EQ(b->Position(), k.position) << "key " << k.key;
    }
    SendMessageW(b->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(b->Position(), 45);
    SendMessageW(b->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(b->Position(), 50);
}

TEST_F(ScrollBarTest, DisabledBarShowsNoThumb) {
    TbsSkinScrollBar* b = NewBar();
    b->SetRange(0, 100, 50, 0);
    TBitmap face;
    PaintControl(b, face);
    EXPECT_EQ(PixelAt(face, 92, 2), ColorToRGB(clBtnShadow));  // the thumb's frame
    b->SetEnabled(false);
    PaintControl(b, face);
    EXPECT_EQ(PixelAt(face, 92, 2), ColorToRGB(clBtnFace));
}

}  // namespace
