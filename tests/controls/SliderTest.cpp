// The slider in its plain look: value and offset mapping, dragging with and
// without snapping, jumps on the ruler with their repeat, keys, the order of
// events, and a range of 0.
#include "ControlsSkin.h"

#include <algorithm>
#include <string>

#include "platform/Clock.h"
#include "skin/controls/bsSkinCtrlsSlider.h"

using namespace controlstest;

namespace {

// Lets a test put the slider in the state of reading a form file.
class ReadingSlider : public TbsSkinSlider {
public:
    using TbsSkinSlider::TbsSkinSlider;
    void Reading(bool on) { SetState(csReading, on); }
};

class SliderTest : public ControlsTest {
protected:
    ReadingSlider* NewSlider() {
        auto* s = new ReadingSlider(form);
        s->SetParent(form);
        s->SetBounds(10, 10, 150, 40);
        s->HandleNeeded();
        return s;
    }
    static void Send(TWinControl* c, UINT msg, WPARAM wp, int x, int y) {
        SendMessageW(c->Handle(), msg, wp, MAKELPARAM(x, y));
    }
};

// The plain 150 x 40 slider: ruler 138 px from x 6, thumb 11 x 21, so the
// thumb's left edge runs over 127 px from 6.
TEST_F(SliderTest, ValuesPlaceTheThumb) {
    ReadingSlider* s = NewSlider();
    EXPECT_EQ(s->RulerLength(), 138);
    EXPECT_EQ(s->ThumbRect(), Bounds(6, 6, 11, 21));
    EXPECT_EQ(s->RulerOrg(), TPoint(6, 13));
    const struct {
        int value, left;
    } cases[] = {{0, 6}, {100, 133}, {50, 70}, {30, 44}, {70, 95}, {-5, 6}, {250, 133}};
    for (const auto& c : cases) {
        s->SetValue(c.value);
        EXPECT_EQ(s->ThumbRect().left, c.left) << "value " << c.value;
    }
    EXPECT_EQ(s->Value(), 100);
}

// A value set by code marks the old and the new thumb place for painting.
TEST_F(SliderTest, AValueSetByCodeRepaintsTheThumbWhereItWasAndWhereItGoes) {
    ReadingSlider* s = NewSlider();
    const HWND wnd = s->Handle();
    const struct {
        int from, to;
    } cases[] = {{0, 50}, {50, 100}, {100, 30}};
    for (const auto& c : cases) {
        s->SetValue(c.from);
        const TRect old = s->ThumbRect();
        ValidateRect(wnd, nullptr);
        s->SetValue(c.to);
        const TRect now = s->ThumbRect();
        RECT update{};
        ASSERT_TRUE(GetUpdateRect(wnd, &update, FALSE)) << c.to;
        EXPECT_LE(update.left, std::min(old.left, now.left)) << c.to;
        EXPECT_GE(update.right, std::max(old.right, now.right)) << c.to;
        EXPECT_LE(update.top, now.top) << c.to;
        EXPECT_GE(update.bottom, now.bottom) << c.to;
    }
}

// What the scale-mark handler draws on the slider's canvas is in the
// picture that is shown.
TEST_F(SliderTest, TheScaleMarkHandlerDrawsOnThePictureShown) {
    ReadingSlider* s = NewSlider();
    s->SetOptions(soShowPoints | soSmooth);
    int calls = 0;
    s->OnDrawPoints = [s, &calls](TObject*) {
        ++calls;
        TCanvas* c = s->Canvas();
        c->Pen()->SetColor(clRed);
        c->MoveTo(30, 35);
        c->LineTo(130, 35);
    };
    TBitmap face;
    PaintControl(s, face);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(PixelAt(face, 80, 35), RGB(255, 0, 0));
}

TEST_F(SliderTest, DraggingFiresChangesThenChangedInOrder) {
    ReadingSlider* s = NewSlider();
    std::string events;
    s->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { events += "down "; };
    s->OnChange = [&](TObject*) { events += "change(" + std::to_string(s->Value()) + ") "; };
    s->OnChanged = [&](TObject*) { events += "changed "; };
    s->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events += "up "; };
    Send(s, WM_LBUTTONDOWN, MK_LBUTTON, 10, 15);
    Send(s, WM_MOUSEMOVE, MK_LBUTTON, 74, 15);  // thumb left at 70
    Send(s, WM_MOUSEMOVE, MK_LBUTTON, 300, 15);
    Send(s, WM_LBUTTONUP, 0, 300, 15);
    EXPECT_EQ(events, "down change(50) change(100) changed up ");
    EXPECT_EQ(s->ThumbRect().left, 133);
}

TEST_F(SliderTest, WithoutSmoothTheThumbSnapsToIncrements) {
    ReadingSlider* s = NewSlider();
    s->SetOptions(soShowPoints);
    Send(s, WM_LBUTTONDOWN, MK_LBUTTON, 10, 15);
    const struct {
        int x, value;
    } moves[] = {{50, 30}, {56, 40}, {20, 10}, {12, 0}};
    for (const auto& m : moves) {
        Send(s, WM_MOUSEMOVE, MK_LBUTTON, m.x, 15);
        EXPECT_EQ(s->Value(), m.value) << "pointer at " << m.x;
        EXPECT_EQ(s->Value() % 10, 0);
    }
    Send(s, WM_LBUTTONUP, 0, 12, 15);
}

TEST_F(SliderTest, HoldingTheRulerJumpsUntilTheThumbPassesThePointer) {
    platform::ScopedManualClock clock;
    ReadingSlider* s = NewSlider();
    int changed = 0;
    s->OnChanged = [&](TObject*) { ++changed; };
    Send(s, WM_LBUTTONDOWN, MK_LBUTTON, 120, 15);
    EXPECT_EQ(s->Value(), 10);
    clock.Advance(399);
    EXPECT_EQ(s->Value(), 10);
    clock.Advance(1);
    EXPECT_EQ(s->Value(), 20);
    // At 90 the thumb (6 + 114 .. 131) covers the pointer at 120.
    clock.Advance(5000);
    EXPECT_EQ(s->Value(), 90);
    EXPECT_EQ(changed, 0);
    Send(s, WM_LBUTTONUP, 0, 120, 15);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(SliderTest, KeysJumpByIncrementsAndToTheLimits) {
    ReadingSlider* s = NewSlider();
    const struct {
        int from;
        WORD key;
        int to;
    } cases[] = {{15, VK_RIGHT, 30}, {15, VK_LEFT, 10}, {50, VK_HOME, 0}, {50, VK_END, 100}, {95, VK_RIGHT, 100},
                 {3, VK_LEFT, 0}};
    for (const auto& c : cases) {
        s->SetValue(c.from);
        int changed = 0;
        s->OnChanged = [&](TObject*) { ++changed; };
        Send(s, WM_KEYDOWN, c.key, 1, 0);
        EXPECT_EQ(s->Value(), c.to) << c.from << " key " << c.key;
        EXPECT_EQ(changed, 1);
    }
    s->ReadOnly = true;
    s->SetValue(50);
    Send(s, WM_KEYDOWN, VK_RIGHT, 1, 0);
    EXPECT_EQ(s->Value(), 50);
}

TEST_F(SliderTest, VerticalSliderPutsTheMaximumAtTheTop) {
    ReadingSlider* s = NewSlider();
    s->SetOrientation(soVertical);
    s->SetBounds(10, 10, 40, 150);
    s->SetValue(100);
    EXPECT_EQ(s->ThumbRect().top, 6);
    s->SetValue(0);
    EXPECT_EQ(s->ThumbRect().top, 133);
    Send(s, WM_KEYDOWN, VK_UP, 1, 0);
    EXPECT_EQ(s->Value(), 10);
    Send(s, WM_KEYDOWN, VK_DOWN, 1, 0);
    EXPECT_EQ(s->Value(), 0);
}

TEST_F(SliderTest, RangeRulesAndARangeOfZero) {
    ReadingSlider* s = NewSlider();
    s->SetMaxValue(5);
    EXPECT_EQ(s->Increment(), 5);
    s->SetMaxValue(0);  // refused outside form reading
    EXPECT_EQ(s->MaxValue(), 5);
    s->SetIncrement(0);
    EXPECT_EQ(s->Increment(), 5);

    // A form file may hold an empty range: every offset means the minimum.
    s->Reading(true);
    s->SetMinValue(5);
    s->Reading(false);
    EXPECT_EQ(s->MinValue(), s->MaxValue());
    EXPECT_EQ(s->OffsetToValue(100), 5);
    EXPECT_EQ(s->ValueToOffset(5), 6);
    Send(s, WM_LBUTTONDOWN, MK_LBUTTON, 10, 15);
    Send(s, WM_MOUSEMOVE, MK_LBUTTON, 90, 15);
    Send(s, WM_LBUTTONUP, 0, 90, 15);
    EXPECT_EQ(s->Value(), 5);
    EXPECT_EQ(s->ThumbRect().left, 6);
    TBitmap face;
    PaintControl(s, face);  // paints without dividing by the empty range
    EXPECT_EQ(face.Width(), 150);
}

}  // namespace
