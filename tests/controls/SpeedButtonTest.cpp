// Speed buttons: sticky groups with and without AllowAllUp, auto-repeat on
// the stepped clock, and the menu speed button's track part and drop-down.
#include "ControlsSkin.h"

#include <vector>

#include "platform/Clock.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

using namespace controlstest;

namespace {

class SpeedButtonTest : public ControlsTest {
protected:
    template <class T = TbsSkinSpeedButton>
    T* NewButton(int x, int group = 0) {
        auto* b = new T(form);
        b->SetParent(form);
        b->SetBounds(x, 10, 60, 25);
        b->GroupIndex = group;
        return b;
    }
    static void Press(TControl* b, int x = 5) { b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5)); }
    static void Release(TControl* b, int x = 5) { b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, 5)); }
    static void Click(TControl* b, int x = 5) {
        b->Perform(CM_MOUSEENTER);
        Press(b, x);
        Release(b, x);
    }
};

TEST_F(SpeedButtonTest, AGroupKeepsOneButtonDownUnlessAllowAllUp) {
    for (bool allowAllUp : {false, true}) {
        TbsSkinSpeedButton* b[3];
        int clicks[3] = {};
        for (int i = 0; i < 3; ++i) {
            b[i] = NewButton(10 + 70 * i, 1);
            b[i]->AllowAllUp = allowAllUp;
            b[i]->OnClick = [&clicks, i](TObject*) { ++clicks[i]; };
        }
        Click(b[0]);
        EXPECT_TRUE(b[0]->Down());
        EXPECT_EQ(clicks[0], 1);
        Click(b[1]);
        EXPECT_TRUE(b[1]->Down());
        EXPECT_EQ(b[0]->Down(), allowAllUp) << allowAllUp;  // released only without AllowAllUp
        // A click on the down button: nothing, or it comes up.
        Click(b[1]);
        EXPECT_EQ(b[1]->Down(), !allowAllUp) << allowAllUp;
        EXPECT_EQ(clicks[1], allowAllUp ? 2 : 1) << allowAllUp;
        EXPECT_FALSE(b[2]->Down());
        for (auto* x : b) x->Free();
    }
}

TEST_F(SpeedButtonTest, APlainButtonClicksOnlyWhenReleasedInside) {
    auto* b = NewButton(10);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->Perform(CM_MOUSEENTER);
    Press(b);
    EXPECT_TRUE(b->Down());
    b->Perform(CM_MOUSELEAVE);
    Release(b, 200);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->Down());
    Click(b);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Down());
}

TEST_F(SpeedButtonTest, RepeatModeClicksOnTheSteppedClock) {
    platform::ScopedManualClock clock;
    auto* b = NewButton(10);
    b->RepeatMode = true;
    b->RepeatInterval = 100;
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->Perform(CM_MOUSEENTER);
    Press(b);
    clock.Advance(500);  // the delay: no click yet
    EXPECT_EQ(clicks, 0);
    clock.Advance(99);
    EXPECT_EQ(clicks, 0);
    clock.Advance(1);
    EXPECT_EQ(clicks, 1);
    clock.Advance(300);
    EXPECT_EQ(clicks, 4);
    // Leaving while held pauses; coming back starts again after the delay.
    b->Perform(CM_MOUSELEAVE);
    clock.Advance(1000);
    EXPECT_EQ(clicks, 4);
    b->Perform(CM_MOUSEENTER);
    clock.Advance(599);
    EXPECT_EQ(clicks, 4);
    clock.Advance(1);
    EXPECT_EQ(clicks, 5);
    // One more on the release inside, then quiet.
    Release(b);
    EXPECT_EQ(clicks, 6);
    clock.Advance(1000);
    EXPECT_EQ(clicks, 6);
}

// The class library's popup menu stands in for the skinned one behind the
// same call; it records what the button looked like while it was open.
class RecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override {
        ++opened;
        at = TPoint(x, y);
        downWhileOpen = button && button->Down();
        trackedWhileOpen = button && button->MenuTracked();
    }
    TbsSkinMenuSpeedButton* button = nullptr;
    int opened = 0;
    TPoint at;
    bool downWhileOpen = false, trackedWhileOpen = false;
};

TEST_F(SpeedButtonTest, MenuButtonOpensItsMenuFromTheTrackPartOnlyAndComesUpAfter) {
    auto* b = NewButton<TbsSkinMenuSpeedButton>(10);
    b->SetWidth(80);
    b->TrackButtonMode = true;
    auto* menu = new RecordingMenu(form);
    menu->button = b;
    b->SetSkinPopupMenu(menu);
    int clicks = 0, shown = 0, hidden = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->OnShowTrackMenu = [&](TObject*) { ++shown; };
    b->OnHideTrackMenu = [&](TObject*) { ++hidden; };

    // Outside the 15-pixel track part: a plain click.
    Click(b, 80 - 16);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(menu->opened, 0);

    // On the track part: the menu opens below the button, pressed meanwhile.
    Click(b, 80 - 15);
    EXPECT_EQ(menu->opened, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(menu->downWhileOpen);
    EXPECT_TRUE(menu->trackedWhileOpen);
    const TPoint origin = b->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(menu->at.x, origin.x);
    EXPECT_EQ(menu->at.y, origin.y + b->Height());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(hidden, 1);
    // Closed: up again.
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MenuTracked());

    // Without TrackButtonMode the whole button opens it.
    b->TrackButtonMode = false;
    Click(b, 5);
    EXPECT_EQ(menu->opened, 2);
    EXPECT_EQ(clicks, 1);
    // Without a menu it is a plain button.
    b->SetSkinPopupMenu(nullptr);
    Click(b, 5);
    EXPECT_EQ(clicks, 2);
}

// Faces: plain hover and pressed fills, skinned parts from the fixture.
TEST_F(SpeedButtonTest, FacesFollowTheState) {
    auto store = MakeControlsSkin(0);
    auto rec = std::make_unique<TbsDataSkinButtonControl>(L"toolbutton");
    rec->PictureIndex = 0;
    rec->SkinRect = StateRect(0);
    rec->ActiveSkinRect = StateRect(1);
    rec->DownSkinRect = StateRect(2);
    rec->LTPoint = TPoint(6, 5);
    rec->RTPoint = TPoint(24, 5);
    rec->LBPoint = TPoint(6, 15);
    rec->RBPoint = TPoint(24, 15);
    rec->ClRect = TRect(6, 5, 24, 15);
    store->CtrlList.push_back(std::move(rec));
    const auto face = [&](TbsSkinSpeedButton* b) {
        TBitmap out;
        out.SetPixelFormat(pf24bit);
        out.SetSize(b->Width(), b->Height());
        b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(out.Canvas()->Handle()), 0);
        return PixelAt(out, 2, 2);
    };
    for (bool skinned : {false, true}) {
        auto* b = NewButton(10);
        if (skinned) b->SetSkinData(store.get());
        EXPECT_EQ(face(b), skinned ? ZoneColor(0, 0, 0) : ColorToRGB(clBtnFace));
        b->Perform(CM_MOUSEENTER);
        EXPECT_EQ(face(b), skinned ? ZoneColor(0, 1, 0) : ColorToRGB(bsPlainHotFill));
        Press(b);
        EXPECT_EQ(face(b), skinned ? ZoneColor(0, 2, 0) : ColorToRGB(bsPlainDownFill));
        Release(b);
        b->Free();
    }
}

}  // namespace
