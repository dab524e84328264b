// Speed buttons: sticky groups with and without AllowAllUp, auto-repeat on
// the stepped clock, and the menu speed button's track part and drop-down.
#include "ControlsSkin.h"

#include <vector>

#include "platform/Clock.h"
#include "platform/ImgList.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
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
    // The button painted now into a picture of its size.
    static void PaintButton(TControl* b, TBitmap& out) {
        out.SetPixelFormat(pf24bit);
        out.SetSize(b->Width(), b->Height());
        b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(out.Canvas()->Handle()), 0);
    }
    static COLORREF PaintedAt(TControl* b, int x, int y) {
        TBitmap out;
        PaintButton(b, out);
        return PixelAt(out, x, y);
    }
    // A nine-piece "toolbutton" record of the fixture's normal, hot and
    // pressed images, added to store.
    static TbsDataSkinButtonControl* AddToolButton(TbsSkinData* store) {
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
        return static_cast<TbsDataSkinButtonControl*>(store->CtrlList.back().get());
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
    b->SetTrackButtonMode(true);
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
    b->SetTrackButtonMode(false);
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
    AddToolButton(store.get());
    const auto face = [&](TbsSkinSpeedButton* b) { return PaintedAt(b, 2, 2); };
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


// A record of another kind (a panel's), one whose picture index names no
// picture, or none at all: the plain faces, as without a store.
TEST_F(SpeedButtonTest, UnusableRecordsGiveThePlainFaces) {
    auto store = MakeControlsSkin(0);
    for (const wchar_t* name : {L"wrongkind", L"nopicture", L"absent"}) {
        const std::string what(name, name + wcslen(name));
        auto* b = NewButton(10);
        b->SkinDataName = name;
        b->SetSkinData(store.get());
        EXPECT_EQ(PaintedAt(b, 2, 2), ColorToRGB(clBtnFace)) << what;
        EXPECT_EQ(b->FIndex, -1) << what;
        b->Perform(CM_MOUSEENTER);
        EXPECT_EQ(PaintedAt(b, 2, 2), ColorToRGB(bsPlainHotFill)) << what;
        Press(b);
        EXPECT_EQ(PaintedAt(b, 2, 2), ColorToRGB(bsPlainDownFill)) << what;
        Release(b);
        b->Free();
    }
}

// The hover face fades in over five 20 ms ticks and out again; a
// transparent button shows the hover face at once.
TEST_F(SpeedButtonTest, HoverCrossFadesOnTheSteppedClock) {
    platform::ScopedManualClock clock;
    auto store = MakeControlsSkin(0);
    AddToolButton(store.get())->Morphing = true;
    const COLORREF normal = ZoneColor(0, 0, 0), hot = ZoneColor(0, 1, 0);
    for (bool transparent : {false, true}) {
        auto* b = NewButton(10);
        b->SetTransparent(transparent);
        b->SetSkinData(store.get());
        EXPECT_EQ(b->MorphActive(), !transparent);
        b->Perform(CM_MOUSEENTER);
        if (transparent) {
            EXPECT_EQ(clock.ActiveTimers(), 0);
            EXPECT_EQ(PaintedAt(b, 2, 2), hot);
            b->Free();
            continue;
        }
        clock.Advance(20);
        EXPECT_NEAR(b->MorphKf(), 0.2, 1e-9);
        // Part of the way: a blend of the two faces.
        const COLORREF early = PaintedAt(b, 2, 2);
        EXPECT_GT(GetRValue(early), GetRValue(normal));
        EXPECT_LT(GetRValue(early), GetRValue(hot));
        clock.Advance(80);
        EXPECT_EQ(b->MorphKf(), 1.0);
        EXPECT_EQ(clock.ActiveTimers(), 0);
        EXPECT_EQ(PaintedAt(b, 2, 2), hot);
        b->Perform(CM_MOUSELEAVE);
        clock.Advance(40);
        EXPECT_NEAR(b->MorphKf(), 0.6, 1e-9);
        clock.Advance(60);
        EXPECT_EQ(b->MorphKf(), 0.0);
        EXPECT_EQ(clock.ActiveTimers(), 0);
        EXPECT_EQ(PaintedAt(b, 2, 2), normal);
        // Without the store's effects there is nothing to fade.
        store->EnableSkinEffects = false;
        EXPECT_FALSE(b->MorphActive());
        b->Perform(CM_MOUSEENTER);
        EXPECT_EQ(clock.ActiveTimers(), 0);
        EXPECT_EQ(PaintedAt(b, 2, 2), hot);
        store->EnableSkinEffects = true;
        b->Free();
    }
}

// A skin change during a fade ends it: the face is whole again, the
// normal one or, under the mouse, the hot one.
TEST_F(SpeedButtonTest, ASkinChangeMidFadeLeavesNoBlendedFace) {
    platform::ScopedManualClock clock;
    auto store = MakeControlsSkin(0);
    AddToolButton(store.get())->Morphing = true;
    for (bool hovered : {false, true}) {
        auto* b = NewButton(10);
        b->SetSkinData(store.get());
        b->Perform(CM_MOUSEENTER);
        clock.Advance(100);
        b->Perform(CM_MOUSELEAVE);
        clock.Advance(40);  // 0.6 of the way back
        if (hovered) b->Perform(CM_MOUSEENTER), clock.Advance(0);
        ASSERT_GT(b->MorphKf(), 0.0);
        ASSERT_LT(b->MorphKf(), 1.0);
        b->ChangeSkinData();
        EXPECT_EQ(clock.ActiveTimers(), 0) << hovered;
        EXPECT_EQ(b->MorphKf(), hovered ? 1.0 : 0.0);
        EXPECT_EQ(PaintedAt(b, 2, 2), ZoneColor(0, hovered ? 1 : 0, 0)) << hovered;
        b->Free();
    }
}

// The frame animation plays the record's cells forwards on entering and
// backwards on leaving, one per AnimateInterval; a flat button never plays it.
TEST_F(SpeedButtonTest, FrameAnimationStepsThroughTheCells) {
    platform::ScopedManualClock clock;
    auto store = MakeControlsSkin(0);
    auto* rec = AddToolButton(store.get());
    // Three cells side by side: the fixture's images 2, 3 and 4.
    rec->AnimateSkinRect = TRect(StateRect(2).left, 0, StateRect(4).right, kCellH);
    rec->FrameCount = 3;
    rec->AnimateInterval = 50;
    auto* b = NewButton(10);
    b->SetSkinData(store.get());
    const auto corner = [&] { return PaintedAt(b, 2, 2); };

    b->Perform(CM_MOUSEENTER);
    for (int cell : {2, 3, 4}) {
        EXPECT_EQ(corner(), ZoneColor(0, cell, 0)) << "entering, cell " << cell;
        clock.Advance(50);
    }
    EXPECT_EQ(b->CurrentAnimationFrame(), 0);
    EXPECT_EQ(corner(), ZoneColor(0, 1, 0));  // ends on the hot face

    b->Perform(CM_MOUSELEAVE);
    for (int cell : {4, 3, 2}) {
        EXPECT_EQ(corner(), ZoneColor(0, cell, 0)) << "leaving, cell " << cell;
        clock.Advance(50);
    }
    EXPECT_EQ(b->CurrentAnimationFrame(), 0);
    EXPECT_EQ(corner(), ZoneColor(0, 0, 0));
    EXPECT_EQ(clock.ActiveTimers(), 0);

    // A press stops a running animation and shows the pressed face.
    b->Perform(CM_MOUSEENTER);
    Press(b);
    EXPECT_EQ(b->CurrentAnimationFrame(), 0);
    EXPECT_EQ(corner(), ZoneColor(0, 2, 0));
    Release(b);

    b->SetFlat(true);
    b->Perform(CM_MOUSELEAVE);
    b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(b->CurrentAnimationFrame(), 0);
    EXPECT_EQ(corner(), ZoneColor(0, 1, 0));
}

// A glyph strip holds up to four cells: normal, disabled, pressed, hot.
TEST_F(SpeedButtonTest, GlyphStripShowsTheCellOfTheState) {
    const COLORREF cells[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
    TBitmap strip(40, 10, pf24bit);
    for (int i = 0; i < 4; ++i) {
        strip.Canvas()->Brush()->SetColor(static_cast<TColor>(cells[i]));
        strip.Canvas()->FillRect(Bounds(i * 10, 0, 10, 10));
        // A cell's bottom-left pixel gives its transparent colour.
        strip.Canvas()->SetPixel(i * 10, 9, clWhite);
    }
    enum State { Idle, Disabled, Pressed, Hot };
    const struct Case {
        int numGlyphs;
        State state;
        int cell;  // 1-based
    } cases[] = {
        {4, Idle, 1},    {4, Disabled, 2}, {4, Pressed, 3}, {4, Hot, 4},
        {3, Hot, 1},     {3, Pressed, 3},  {2, Pressed, 1}, {2, Disabled, 2},
        {1, Disabled, 1},
    };
    for (const Case& c : cases) {
        auto* b = NewButton(10);
        TBitmap glyph;
        // A strip of numGlyphs cells cut from the four.
        glyph.SetPixelFormat(pf24bit);
        glyph.SetSize(10 * c.numGlyphs, 10);
        glyph.Canvas()->CopyRect(TRect(0, 0, 10 * c.numGlyphs, 10), strip.Canvas(), TRect(0, 0, 10 * c.numGlyphs, 10));
        b->SetGlyph(&glyph);
        b->SetNumGlyphs(c.numGlyphs);
        if (c.state == Disabled) b->SetEnabled(false);
        if (c.state == Hot || c.state == Pressed) b->Perform(CM_MOUSEENTER);
        if (c.state == Pressed) Press(b);
        // The glyph sits in the middle of the 60 x 25 button.
        EXPECT_EQ(PaintedAt(b, 31, 13), cells[c.cell - 1]) << c.numGlyphs << " glyphs, state " << c.state;
        b->Free();
    }
}

// OnPaint gets the content rectangle and the state, and may take over the
// content: the glyph is then not drawn.
TEST_F(SpeedButtonTest, OnPaintDrawsTheContentInstead) {
    auto store = MakeControlsSkin(0);
    AddToolButton(store.get());
    TBitmap glyph(10, 10, pf24bit);
    glyph.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(200, 0, 0)));
    glyph.Canvas()->FillRect(TRect(0, 0, 10, 10));
    glyph.Canvas()->SetPixel(0, 9, clWhite);  // the transparent colour
    for (bool skinned : {false, true}) {
        auto* b = NewButton(10);
        if (skinned) b->SetSkinData(store.get());
        b->SetGlyph(&glyph);
        TRect seen;
        bool seenDown = false, seenIn = false, takeOver = false;
        int calls = 0;
        b->OnPaint = [&](TObject* sender, TCanvas* cnvs, TRect r, bool down, bool in, bool& drawDefault) {
            EXPECT_EQ(sender, b);
            ++calls;
            seen = r;
            seenDown = down;
            seenIn = in;
            if (!takeOver) return;
            drawDefault = false;
            cnvs->Brush()->SetColor(static_cast<TColor>(RGB(0, 0, 200)));
            cnvs->FillRect(TRect(r.left + 2, r.top + 2, r.left + 6, r.top + 6));
        };
        b->Perform(CM_MOUSEENTER);
        Press(b);
        EXPECT_EQ(PaintedAt(b, 31, 13), RGB(200, 0, 0)) << skinned;
        EXPECT_GE(calls, 1);
        // Skinned: the record's client rectangle grown to the 60 x 25 button.
        EXPECT_EQ(seen, skinned ? TRect(6, 5, 24 + 30, 15 + 5) : TRect(0, 0, 60, 25)) << skinned;
        EXPECT_TRUE(seenDown);
        EXPECT_TRUE(seenIn);
        takeOver = true;
        TBitmap out;
        PaintButton(b, out);
        EXPECT_NE(PixelAt(out, 31, 13), RGB(200, 0, 0)) << skinned;
        EXPECT_EQ(PixelAt(out, seen.left + 3, seen.top + 3), RGB(0, 0, 200)) << skinned;
        Release(b);
        b->Free();
    }
}

// The content comes from the tool bar's lists (hot ones under the mouse,
// disabled ones when disabled), else from ImageList when the index fits
// and there is no glyph, else from the glyph.
TEST_F(SpeedButtonTest, ContentComesFromTheToolBarTheImageListOrTheGlyph) {
    const COLORREF own = RGB(200, 0, 0), bar = RGB(0, 200, 0), hot = RGB(0, 0, 200), off = RGB(200, 200, 0),
                   glyphInk = RGB(0, 200, 200);
    auto* ownList = platform_test::SolidColourList(form, {static_cast<TColor>(own)});
    auto* barList = platform_test::SolidColourList(form, {static_cast<TColor>(bar)});
    auto* hotList = platform_test::SolidColourList(form, {static_cast<TColor>(hot)});
    auto* offList = platform_test::SolidColourList(form, {static_cast<TColor>(off)});
    TBitmap glyph(10, 10, pf24bit);
    glyph.Canvas()->Brush()->SetColor(static_cast<TColor>(glyphInk));
    glyph.Canvas()->FillRect(TRect(0, 0, 10, 10));
    glyph.Canvas()->SetPixel(0, 9, clWhite);  // the transparent colour
    auto* toolBar = new TbsSkinToolBar(form);
    toolBar->SetParent(form);
    toolBar->SetBounds(0, 100, 300, 40);
    toolBar->SetImages(barList);
    toolBar->SetDisabledImages(offList);

    enum State { Idle, Hot, Pressed, Disabled };
    const struct Case {
        bool onToolBar, withHotList, withGlyph;
        int imageIndex;
        State state;
        COLORREF want;
    } cases[] = {
        {false, false, false, 0, Idle, own},     {false, false, false, 0, Hot, own},
        {false, false, false, 5, Idle, 0},       // outside the list, no glyph: nothing
        {false, false, true, 5, Idle, glyphInk}, {false, false, true, 0, Idle, glyphInk},
        {true, true, false, 0, Idle, bar},       {true, true, false, 0, Hot, hot},
        {true, true, false, 0, Pressed, hot},    {true, true, false, 0, Disabled, off},
        {true, false, false, 0, Hot, bar},       {true, true, true, 0, Hot, glyphInk},
    };
    for (const Case& c : cases) {
        toolBar->SetHotImages(c.withHotList ? hotList : nullptr);
        auto* b = new TbsSkinSpeedButton(form);
        b->SetParent(c.onToolBar ? static_cast<TWinControl*>(toolBar) : form);
        b->SetBounds(10, 5, 60, 25);
        b->SetImageList(ownList);
        b->SetImageIndex(c.imageIndex);
        if (c.withGlyph) b->SetGlyph(&glyph);
        if (c.state == Disabled) b->SetEnabled(false);
        if (c.state != Idle && c.state != Disabled) b->Perform(CM_MOUSEENTER);
        if (c.state == Pressed) Press(b);
        const COLORREF at = PaintedAt(b, 30, 12);
        if (c.want) EXPECT_EQ(at, c.want) << c.onToolBar << c.withHotList << c.withGlyph << c.imageIndex << c.state;
        else
            for (COLORREF any : {own, bar, hot, off, glyphInk}) EXPECT_NE(at, any) << c.imageIndex;
        b->Free();
    }
}

// A menu that stays open after Popup returned, as the skinned popup menu
// does: the button stays down until the menu reports its close with
// WM_CLOSESKINMENU to the control it was opened for.
class ModelessMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int, int) override {
        ++opened;
        open = true;
    }
    bool IsOpen() const override { return open; }
    void CloseNow() {
        open = false;
        if (auto* c = dynamic_cast<TControl*>(PopupComponent.Get())) c->Perform(WM_CLOSESKINMENU);
    }
    int opened = 0;
    bool open = false;
};

TEST_F(SpeedButtonTest, MenuButtonStaysDownWhileAModelessMenuIsOpen) {
    auto* b = NewButton<TbsSkinMenuSpeedButton>(10);
    auto* menu = new ModelessMenu(form);
    b->SetSkinPopupMenu(menu);
    int hidden = 0;
    b->OnHideTrackMenu = [&](TObject*) { ++hidden; };
    b->SetTrackButtonMode(true);
    const int track = b->Width() - 5;
    Click(b, track);
    EXPECT_EQ(menu->opened, 1);
    EXPECT_EQ(menu->PopupComponent, b);
    EXPECT_TRUE(b->MenuTracked());
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(hidden, 0);
    // Moving off the button while the menu is open keeps the open look:
    // the track part pressed.
    b->Perform(CM_MOUSELEAVE);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(PaintedAt(b, b->Width() - 3, 3), ColorToRGB(bsPlainDownFill));
    menu->CloseNow();
    EXPECT_FALSE(b->MenuTracked());
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(hidden, 1);
    // A stray close report changes nothing.
    b->Perform(WM_CLOSESKINMENU);
    EXPECT_EQ(hidden, 1);

    EXPECT_EQ(PaintedAt(b, b->Width() - 3, 3), ColorToRGB(clBtnFace));
    // A menu freed while open brings the button up.
    Click(b, track);
    ASSERT_TRUE(b->MenuTracked());
    menu->Free();
    EXPECT_EQ(b->SkinPopupMenu(), nullptr);
    EXPECT_FALSE(b->MenuTracked());
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(hidden, 2);
}

}  // namespace
