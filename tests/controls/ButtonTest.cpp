// The skinned button: state images from the skin, the plain look, skin
// changes, dialog keys, modal results, groups and auto-repeat.
#include "ControlsSkin.h"

#include "platform/Clock.h"
#include "skin/bsCompressedSkins.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"

using namespace controlstest;

namespace {

// The composer's rendering of state image `state` at w x h, with the
// corner points moved by the size difference as the nine-piece rule says.
void Composed(TBitmap* picture, int state, int w, int h, TBitmap& out) {
    out.SetPixelFormat(pf24bit);
    out.SetSize(w, h);
    const int dW = w - kCellW, dH = h - kCellH;
    CreateSkinImage(TPoint(6, 5), TPoint(24, 5), TPoint(6, 15), TPoint(24, 15), TRect(6, 5, 24, 15), TPoint(6, 5),
                    TPoint(24 + dW, 5), TPoint(6, 15 + dH), TPoint(24 + dW, 15 + dH), TRect(6, 5, 24 + dW, 15 + dH),
                    &out, picture, StateRect(state), w, h, true, false, false, false, false, false, bsstFull);
}

class ButtonTest : public ControlsTest {
protected:
    TbsSkinButton* NewButton(int left = 10, int top = 10) {
        auto* b = new TbsSkinButton(form);
        b->SetParent(form);
        b->SetBounds(left, top, 75, 25);
        b->HandleNeeded();
        return b;
    }
    // The zones of a 75 x 25 face: a corner, a side and the client.
    void ExpectZones(TBitmap& face, int variant, int state) {
        EXPECT_EQ(PixelAt(face, 1, 1), ZoneColor(variant, state, 0)) << "corner of state " << state;
        EXPECT_EQ(PixelAt(face, 37, 1), ZoneColor(variant, state, 1)) << "top side of state " << state;
        EXPECT_EQ(PixelAt(face, 37, 12), ZoneColor(variant, state, 2)) << "client of state " << state;
        EXPECT_EQ(PixelAt(face, 73, 23), ZoneColor(variant, state, 0)) << "corner of state " << state;
    }
};

TEST_F(ButtonTest, EveryStatePaintsTheComposedStateImage) {
    auto store = MakeControlsSkin(0);
    TbsSkinButton* b = NewButton();
    b->SetSkinData(store.get());
    ASSERT_NE(b->FIndex, -1);
    struct Case {
        const char* name;
        int state;
        std::function<void()> enter, leave;
    };
    const Case cases[] = {
        {"normal", 0, [] {}, [] {}},
        {"hot", 1, [b] { b->SetMouseIn(true); }, [b] { b->SetMouseIn(false); }},
        {"pressed", 2, [b] { b->SetMouseIn(true), b->SetDown(true); },
         [b] { b->SetDown(false), b->SetMouseIn(false); }},
        {"focused", 3, [b] { b->SetFocus(); }, [this] { form->SetFocus(); }},
        {"disabled", 4, [b] { b->SetEnabled(false); }, [b] { b->SetEnabled(true); }},
    };
    for (const Case& c : cases) {
        c.enter();
        Application->ProcessMessages();
        if (c.state == 3 && !b->Focused()) {
            ADD_FAILURE() << "the button did not take the focus";
            continue;
        }
        TBitmap face, expected;
        PaintControl(b, face);
        Composed(store->FActivePictures[0].get(), c.state, 75, 25, expected);
        EXPECT_EQ(DifferentPixels(face, expected), 0) << c.name;
        ExpectZones(face, 0, c.state);
        c.leave();
    }
}

TEST_F(ButtonTest, PlainLookUsesTheFixedFaces) {
    TbsSkinButton* b = NewButton();
    struct Case {
        const char* name;
        bool in, down;
        TColor frame, fill;
    };
    const Case cases[] = {
        {"normal", false, false, clBtnShadow, clBtnFace},
        {"hot", true, false, clNavy, 0xD2BDB6},
        {"pressed", true, true, clNavy, 0xB59385},
    };
    for (const Case& c : cases) {
        b->SetMouseIn(c.in);
        b->SetDown(c.down);
        TBitmap face;
        PaintControl(b, face);
        EXPECT_EQ(PixelAt(face, 0, 0), ColorToRGB(c.frame)) << c.name;
        EXPECT_EQ(PixelAt(face, 74, 24), ColorToRGB(c.frame)) << c.name;
        EXPECT_EQ(PixelAt(face, 5, 12), ColorToRGB(c.fill)) << c.name;
        b->SetDown(false);
        b->SetMouseIn(false);
    }
}

TEST_F(ButtonTest, SkinSwitchChangesThePixelsAndFreeingTheStoreFallsBack) {
    auto* store = MakeControlsSkin(0).release();
    TbsSkinButton* b = NewButton();
    b->SetSkinData(store);
    TBitmap before, after, plain;
    PaintControl(b, before);
    ExpectZones(before, 0, 0);

    // Switch through the store's own loading path (with its messages).
    auto other = MakeControlsSkin(1);
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(other.get());
    store->LoadCompressedStoredSkin(&stored);
    ASSERT_FALSE(store->Empty);
    PaintControl(b, after);
    ExpectZones(after, 1, 0);
    EXPECT_GT(DifferentPixels(before, after), 75 * 25 / 2);

    store->Free();
    EXPECT_EQ(b->SkinData(), nullptr);
    PaintControl(b, plain);
    EXPECT_EQ(b->FIndex, -1);
    EXPECT_EQ(PixelAt(plain, 5, 12), ColorToRGB(clBtnFace));
}

TEST_F(ButtonTest, UnusableRecordsFallBackToThePlainLook) {
    auto store = MakeControlsSkin(0);
    for (const wchar_t* name : {L"wrongkind", L"nopicture", L"absent"}) {
        TbsSkinButton* b = NewButton();
        b->SetSkinDataName(name);
        b->SetSkinData(store.get());
        TBitmap face;
        PaintControl(b, face);
        EXPECT_EQ(b->FIndex, -1) << std::string(name, name + wcslen(name));
        EXPECT_EQ(PixelAt(face, 5, 12), ColorToRGB(clBtnFace));
        b->Free();
    }
}

TEST_F(ButtonTest, EnterAndEscapeReachTheDefaultAndCancelButtonsOnce) {
    TbsSkinButton* ok = NewButton(10, 10);
    TbsSkinButton* cancel = NewButton(100, 10);
    cancel->Cancel = true;
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    auto* box = new TbsSkinCheckRadioBox(form);
    box->SetParent(form);
    box->SetBounds(10, 60, 150, 25);
    box->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(box->Focused());
    // Made the default while another control has the focus.
    ok->SetDefault(true);

    PressKey(box->Handle(), VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 0);
    PressKey(box->Handle(), VK_ESCAPE);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);

    // With a button focused, Enter presses that button, not the default one.
    cancel->SetFocus();
    Application->ProcessMessages();
    PressKey(cancel->Handle(), VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 2);
}

TEST_F(ButtonTest, ModalResultClosesAModalForm) {
    TForm* dialog = nullptr;
    Application->CreateForm(dialog);
    dialog->SetBounds(100, 100, 300, 200);
    auto* b = new TbsSkinButton(dialog);
    b->SetParent(dialog);
    b->SetBounds(10, 10, 75, 25);
    b->ModalResult = mrOk;
    b->SetDefault(true);
    dialog->HandleNeeded();
    // Enter once the modal loop runs; a close afterwards ends a loop the
    // button failed to end.
    PostMessageW(b->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(b->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    dialog->Free();
    Application->ProcessMessages();
}

TEST_F(ButtonTest, GroupButtonsStayDownAndAllowAllUpReleases) {
    TbsSkinButton* g[3];
    int clicks[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        g[i] = NewButton(10 + 80 * i, 10);
        g[i]->SetGroupIndex(1);
        g[i]->OnClick = [&clicks, i](TObject*) { ++clicks[i]; };
    }
    auto press = [](TbsSkinButton* b) { SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); };
    auto release = [](TbsSkinButton* b) { SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); };
    EXPECT_FALSE(g[0]->CanFocused());

    press(g[0]);
    EXPECT_EQ(clicks[0], 1);  // a group button clicks on the press
    release(g[0]);
    EXPECT_TRUE(g[0]->Down());
    EXPECT_EQ(clicks[0], 1);

    press(g[1]);
    release(g[1]);
    EXPECT_TRUE(g[1]->Down());
    EXPECT_FALSE(g[0]->Down());

    // Pressing the down button without AllowAllUp changes nothing.
    press(g[1]);
    release(g[1]);
    EXPECT_TRUE(g[1]->Down());
    EXPECT_EQ(clicks[1], 1);

    for (auto* b : g) b->AllowAllUp = true;
    press(g[1]);
    release(g[1]);
    EXPECT_FALSE(g[1]->Down());
    EXPECT_EQ(clicks[1], 2);

    // With AllowAllUp several may be down.
    press(g[0]);
    release(g[0]);
    press(g[2]);
    release(g[2]);
    EXPECT_TRUE(g[0]->Down());
    EXPECT_TRUE(g[2]->Down());
}

TEST_F(ButtonTest, AutoRepeatFiresAtItsDelaysOnTheSteppedClock) {
    platform::ScopedManualClock clock;
    TbsSkinButton* b = NewButton();
    b->SetCanFocused(false);
    b->RepeatMode = true;
    b->RepeatInterval = 100;
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 0);
    // 500 ms first delay, then a repeat every RepeatInterval.
    const struct {
        DWORD advance;
        int clicks;
    } steps[] = {{499, 0}, {1, 0}, {99, 0}, {1, 1}, {100, 2}, {250, 4}};
    for (const auto& s : steps) {
        clock.Advance(s.advance);
        EXPECT_EQ(clicks, s.clicks) << "after " << clock.TickCount();
    }
    SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 5);  // the release inside clicks once more
    clock.Advance(1000);
    EXPECT_EQ(clicks, 5);
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(ButtonTest, ReleasingOutsideDoesNotClickButComingBackDoes) {
    TbsSkinButton* b = NewButton();
    b->SetCanFocused(false);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_FALSE(b->MouseIn());
    SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->Down());

    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    SendMessageW(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
    EXPECT_TRUE(b->MouseIn());
    EXPECT_TRUE(b->Down());
    SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndTwiceWithRepeat) {
    TbsSkinButton* b = NewButton();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(b->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(b->Down());
    SendMessageW(b->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(clicks, 1);
    b->RepeatMode = true;
    SendMessageW(b->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    SendMessageW(b->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(clicks, 3);
}

TEST_F(ButtonTest, HoverCrossFadesInFiveTicksOfTwentyMilliseconds) {
    platform::ScopedManualClock clock;
    auto store = MakeControlsSkin(1);  // the second fixture skin morphs
    TbsSkinButton* b = NewButton();
    b->SetCanFocused(false);
    b->SetSkinData(store.get());
    ASSERT_TRUE(b->MorphActive());
    b->SetMouseIn(true);
    for (int tick = 1; tick <= 5; ++tick) {
        clock.Advance(20);
        EXPECT_NEAR(b->MorphKf(), 0.2 * tick, 1e-9) << "tick " << tick;
    }
    EXPECT_EQ(clock.ActiveTimers(), 0);
    TBitmap face;
    PaintControl(b, face);
    ExpectZones(face, 1, 1);
    b->SetMouseIn(false);
    clock.Advance(40);
    EXPECT_NEAR(b->MorphKf(), 0.6, 1e-9);
    // Half-way the face lies between the normal and the hover images.
    PaintControl(b, face);
    const COLORREF normal = ZoneColor(1, 0, 2), hot = ZoneColor(1, 1, 2), mid = PixelAt(face, 37, 12);
    EXPECT_GT(GetRValue(mid), GetRValue(normal));
    EXPECT_LT(GetRValue(mid), GetRValue(hot));
    clock.Advance(60);
    EXPECT_EQ(b->MorphKf(), 0.0);
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(ButtonTest, DisabledTextColourEqualToTheNormalOneBecomesGray) {
    auto store = MakeControlsSkin(0);
    auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(store->CtrlList[0].get());
    ASSERT_NE(rec, nullptr);
    TbsSkinButton* b = NewButton();
    rec->FontColor = rec->DisabledFontColor = 0x123456;
    b->SetSkinData(store.get());
    EXPECT_EQ(b->DisabledFontColor, clGray);
    rec->DisabledFontColor = 0x654321;
    b->ChangeSkinData();
    EXPECT_EQ(b->DisabledFontColor, 0x654321);
}

TEST_F(ButtonTest, MarginBelowMinusOneIsIgnored) {
    TbsSkinButton* b = NewButton();
    b->SetMargin(4);
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), 4);
    b->SetMargin(-1);
    EXPECT_EQ(b->Margin(), -1);
}

}  // namespace
