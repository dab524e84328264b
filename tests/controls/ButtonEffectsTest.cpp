// The skinned button's effects and free sizes: the frame animation, the
// glow popup, UseSkinSize off, the mask region of a window made after the
// skin, the plain look's paint event and the skin's menu-marker parts.
#include "ControlsSkin.h"

#include "platform/Clock.h"
#include "skin/bsUtils.h"
#include "skin/controls/bsSkinCtrlsButton.h"

using namespace controlstest;

namespace {

// A fixed-size (no corner points) button record of the fixture's images.
TbsDataSkinButtonControl* AddFixedButton(TbsSkinData* store, const wchar_t* name) {
    auto rec = std::make_unique<TbsDataSkinButtonControl>(name);
    rec->PictureIndex = 0;
    rec->SkinRect = StateRect(0);
    rec->ActiveSkinRect = StateRect(1);
    rec->DownSkinRect = StateRect(2);
    rec->ClRect = TRect(6, 5, 24, 15);
    rec->FontColor = clBlack;
    auto* raw = rec.get();
    store->CtrlList.push_back(std::move(rec));
    return raw;
}

class ButtonEffectsTest : public ControlsTest {
protected:
    TbsSkinButton* NewButton(const wchar_t* name, TbsSkinData* store) {
        auto* b = new TbsSkinButton(form);
        b->SetParent(form);
        b->SetSkinDataName(name);
        b->SetBounds(10, 10, 75, 25);
        b->HandleNeeded();
        if (store) b->SetSkinData(store);
        return b;
    }
    static COLORREF FaceAt(TbsSkinButton* b, int x, int y) {
        TBitmap face;
        PaintControl(b, face);
        return PixelAt(face, x, y);
    }
};

// The frame strip's cells (here the fixture's hot, pressed and focused
// images side by side) replace the hot face one per AnimateInterval while
// the mouse comes in, and the normal face backwards while it leaves.
TEST_F(ButtonEffectsTest, FrameAnimationPlaysTheStripsCells) {
    platform::ScopedManualClock clock;
    auto store = MakeControlsSkin(0);
    store->EnableSkinEffects = true;
    auto* rec = AddFixedButton(store.get(), L"animated");
    rec->AnimateSkinRect = TRect(kCellW, 0, 4 * kCellW, kCellH);
    rec->FrameCount = 3;
    rec->AnimateInterval = 40;
    auto* b = NewButton(L"animated", store.get());
    b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 1, 0)) << "frame 1";
    clock.Advance(39);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 1, 0));
    clock.Advance(1);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 2, 0)) << "frame 2";
    clock.Advance(40);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 3, 0)) << "frame 3";
    clock.Advance(40);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 1, 0)) << "done: the hot face";
    clock.Advance(200);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 1, 0));
    // Leaving plays it backwards over the normal face, from frame 3.
    b->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 3, 0));
    clock.Advance(40);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 2, 0));
    clock.Advance(80);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 0, 0)) << "done: the normal face";

    // A strip too narrow for its cells leaves the hot face in place.
    rec->FrameCount = 200;
    b->ChangeSkinData();
    b->Perform(CM_MOUSEENTER);
    clock.Advance(40);
    EXPECT_EQ(FaceAt(b, 1, 1), ZoneColor(0, 1, 0));
}

// Under the mouse the button shows its glow as a layered popup at its
// screen origin less the skin's offset, at the glow picture's size, and
// hides it when the mouse leaves.
TEST_F(ButtonEffectsTest, TheGlowShowsAroundTheHoveredButton) {
    if (!IsLayeredSupported()) GTEST_SKIP() << "no layered windows";
    auto store = MakeControlsSkin(0);
    store->ShowButtonGlowFrames = true;
    auto glow = std::make_unique<TBitmap>(40, 30);
    glow->Canvas()->Brush()->SetColor(clRed);
    glow->Canvas()->FillRect(TRect(0, 0, 40, 30));
    auto mask = std::make_unique<TBitmap>(40, 30);
    mask->Canvas()->Brush()->SetColor(clWhite);
    mask->Canvas()->FillRect(TRect(0, 0, 40, 30));
    const int glowIndex = static_cast<int>(store->FActivePictures.size());
    store->FActivePicturesNames->Add(L"glow.bmp");
    store->FActivePictures.push_back(std::move(glow));
    store->FActivePicturesNames->Add(L"glowmask.bmp");
    store->FActivePictures.push_back(std::move(mask));
    auto* rec = AddFixedButton(store.get(), L"glowing");
    rec->GlowLayerPictureIndex = glowIndex;
    rec->GlowLayerMaskPictureIndex = glowIndex + 1;
    rec->GlowLayerShowOffsetX = 5;
    rec->GlowLayerShowOffsetY = 4;
    rec->GlowLayerAlphaBlendValue = 200;
    auto* b = NewButton(L"glowing", store.get());
    b->Perform(CM_MOUSEENTER);
    Application->ProcessMessages();
    ASSERT_TRUE(b->LayerManager()->IsVisible);
    TbsLayerWindow* w = b->LayerManager()->Window();
    ASSERT_NE(w, nullptr);
    RECT r;
    GetWindowRect(w->Handle(), &r);
    const TPoint origin = b->ClientOrigin();
    EXPECT_EQ(r.left, origin.x - 5);
    EXPECT_EQ(r.top, origin.y - 4);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(r.bottom - r.top, 30);
    b->Perform(CM_MOUSELEAVE);
    Application->ProcessMessages();
    EXPECT_FALSE(b->LayerManager()->IsVisible);
}

// With UseSkinSize off a fixed face keeps the size it was given, stretched
// over it, and its mask makes no region; on, it takes the skin's size and
// the region.
TEST_F(ButtonEffectsTest, UseSkinSizeOffKeepsTheSizeAndIgnoresTheMask) {
    auto store = MakeControlsSkin(1);
    auto* rec = AddFixedButton(store.get(), L"masked");
    rec->MaskPictureIndex = 1;
    for (bool useSkinSize : {true, false}) {
        auto* b = new TbsSkinButton(form);
        b->UseSkinSize = useSkinSize;
        b->SetParent(form);
        b->SetSkinDataName(L"masked");
        b->SetBounds(10, 10, 90, 40);
        b->HandleNeeded();
        b->SetSkinData(store.get());
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(b->Handle(), rgn);
        DeleteObject(rgn);
        if (useSkinSize) {
            EXPECT_EQ(b->Width(), kCellW);
            EXPECT_EQ(b->Height(), kCellH);
            EXPECT_NE(kind, ERROR) << "the mask's region";
        } else {
            EXPECT_EQ(b->Width(), 90);
            EXPECT_EQ(b->Height(), 40);
            EXPECT_EQ(kind, ERROR) << "no region";
            // The 30 x 20 face stretched three times over: the corner of the
            // image covers (0..17, 0..9), its client the middle.
            EXPECT_EQ(FaceAt(b, 16, 9), ZoneColor(1, 0, 0));
            EXPECT_EQ(FaceAt(b, 45, 20), ZoneColor(1, 0, 2));
            EXPECT_EQ(FaceAt(b, 88, 38), ZoneColor(1, 0, 0));
        }
        b->Free();
    }
}

// A button skinned before it has a window gets the mask's region (the
// corner pixel the mask cuts away is outside) when the window is made.
TEST_F(ButtonEffectsTest, AWindowMadeAfterTheSkinGetsTheMaskRegion) {
    auto store = MakeControlsSkin(1);
    auto* rec = AddFixedButton(store.get(), L"masked");
    rec->MaskPictureIndex = 1;
    auto* b = new TbsSkinButton(form);
    b->SetSkinDataName(L"masked");
    b->SetSkinData(store.get());
    ASSERT_FALSE(b->HandleAllocated());
    b->SetParent(form);
    b->HandleNeeded();
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b->Handle(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(PtInRegion(rgn, 1, 0));
    EXPECT_TRUE(PtInRegion(rgn, kCellW - 1, kCellH - 1));
    DeleteObject(rgn);
}

// The plain look hands its paint event the client rectangle.
TEST_F(ButtonEffectsTest, ThePlainLooksPaintEventGetsTheClientRectangle) {
    auto* b = NewButton(L"button", nullptr);
    TRect got;
    b->OnPaint = [&](TObject*, TCanvas*, TRect r, bool, bool, bool&) { got = r; };
    TBitmap face;
    PaintControl(b, face);
    EXPECT_EQ(got, TRect(0, 0, 75, 25));
}

// The marker parts: an empty hot part takes the normal one, an empty
// pressed part the hot one.
TEST_F(ButtonEffectsTest, MenuMarkerPartsFallBack) {
    const TRect normal(0, 20, 7, 27), hot(7, 20, 14, 27), down(14, 20, 21, 27);
    struct Case {
        TRect active, pressed, wantActive, wantPressed;
    };
    const Case cases[] = {
        {TRect(), TRect(), normal, normal},
        {hot, TRect(), hot, hot},
        {TRect(), down, normal, down},
        {hot, down, hot, down},
    };
    auto store = MakeControlsSkin(0);
    auto* rec = AddFixedButton(store.get(), L"marked");
    auto* b = NewButton(L"marked", store.get());
    for (const Case& c : cases) {
        rec->MenuMarkerRect = normal;
        rec->MenuMarkerActiveRect = c.active;
        rec->MenuMarkerDownRect = c.pressed;
        b->ChangeSkinData();
        EXPECT_EQ(b->MenuMarkerRect, normal);
        EXPECT_EQ(b->MenuMarkerActiveRect, c.wantActive);
        EXPECT_EQ(b->MenuMarkerDownRect, c.wantPressed);
    }
}

}  // namespace
