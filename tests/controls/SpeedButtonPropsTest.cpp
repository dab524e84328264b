// Speed buttons: repaint on a change of what they show, image and hint
// lists freed before the button, the caption's accelerator, frame strips
// too small for their cells, and the graphic base's default font.
#include "ControlsSkin.h"

#include <functional>

#include "platform/Clock.h"
#include "platform/ImgList.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

using namespace controlstest;

namespace {

class SpeedButtonPropsTest : public ControlsTest {
protected:
    TbsSkinSpeedButton* NewButton() {
        auto* b = new TbsSkinSpeedButton(form);
        b->SetParent(form);
        b->SetBounds(10, 10, 60, 25);
        b->OnPaint = [this](TObject*, TCanvas*, TRect, bool, bool, bool&) { ++paints; };
        return b;
    }
    static COLORREF PaintedAt(TControl* b, int x, int y) {
        TBitmap out(b->Width(), b->Height(), pf24bit);
        b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(out.Canvas()->Handle()), 0);
        return PixelAt(out, x, y);
    }
    int paints = 0;
};

// A change of what the face shows paints it at once (the main window's add
// button changes its picture this way); setting the same value, or a
// margin below -1, paints nothing.
TEST_F(SpeedButtonPropsTest, ChangesOfTheContentRepaint) {
    struct Case {
        const char* name;
        std::function<void(TbsSkinSpeedButton*)> change;
        bool repaints;
    };
    const Case cases[] = {
        {"ImageIndex", [](TbsSkinSpeedButton* b) { b->SetImageIndex(3); }, true},
        {"same ImageIndex", [](TbsSkinSpeedButton* b) { b->SetImageIndex(0); }, false},
        {"Margin", [](TbsSkinSpeedButton* b) { b->SetMargin(4); }, true},
        {"Margin -2", [](TbsSkinSpeedButton* b) { b->SetMargin(-2); }, false},
        {"Spacing", [](TbsSkinSpeedButton* b) { b->SetSpacing(6); }, true},
        {"Layout", [](TbsSkinSpeedButton* b) { b->SetLayout(blGlyphTop); }, true},
        {"same Layout", [](TbsSkinSpeedButton* b) { b->SetLayout(blGlyphLeft); }, false},
        {"ImageList", [this](TbsSkinSpeedButton* b) { b->SetImageList(platform_test::SolidColourList(form, {clRed})); },
         true},
    };
    for (const Case& c : cases) {
        auto* b = NewButton();
        Application->ProcessMessages();
        paints = 0;
        c.change(b);
        if (c.repaints) EXPECT_GT(paints, 0) << c.name;
        else EXPECT_EQ(paints, 0) << c.name;
        b->Free();
    }
    auto* b = NewButton();
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1);
    b->Free();
}

// The image list and the hint's list may be freed before the button: it
// forgets them and paints its glyph, with no read of the freed list.
TEST_F(SpeedButtonPropsTest, ListsFreedFirstAreDropped) {
    auto* b = NewButton();
    TBitmap glyph(8, 8, pf24bit);
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(TRect(0, 0, 8, 8));
    // The bottom-left pixel is the glyph's transparent colour.
    glyph.Canvas()->SetPixel(0, 7, clWhite);
    auto* list = platform_test::SolidColourList(form, {clRed});
    b->SetImageList(list);
    b->SetImageIndex(0);
    EXPECT_EQ(PaintedAt(b, 30, 12), ColorToRGB(clRed));
    list->Free();
    EXPECT_EQ(b->ImageList(), nullptr);
    b->SetGlyph(&glyph);
    EXPECT_EQ(PaintedAt(b, 30, 12), ColorToRGB(clBlue));

    // The hint image list, of a windowless and of a windowed control.
    auto* windowed = new TbsSkinButton(form);
    windowed->SetParent(form);
    auto* hints = platform_test::SolidColourList(form, {clRed});
    b->SetHintImageList(hints);
    windowed->SetHintImageList(hints);
    hints->Free();
    EXPECT_EQ(b->HintImageList(), nullptr);
    EXPECT_EQ(windowed->HintImageList(), nullptr);
}

// The caption's accelerator clicks the button through the form's dialog
// characters, once; not when disabled or for another letter.
TEST_F(SpeedButtonPropsTest, TheAcceleratorClicks) {
    auto* b = NewButton();
    b->SetCaption(L"&Open");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'x', 0), 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'o', 0), 1);
    EXPECT_EQ(clicks, 1);
    b->SetEnabled(false);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'O', 0), 0);
    EXPECT_EQ(clicks, 1);
}

// A frame strip that cannot give every frame a pixel (too narrow side by
// side, too low stacked) leaves the hot face in place while it runs.
TEST_F(SpeedButtonPropsTest, AFrameStripTooSmallForItsCellsShowsTheStaticFace) {
    platform::ScopedManualClock clock;
    const TRect strips[] = {TRect(0, 0, 40, 20), TRect(0, 0, 30, 3)};
    for (const TRect& strip : strips) {
        auto store = MakeControlsSkin(0);
        auto rec = std::make_unique<TbsDataSkinButtonControl>(L"toolbutton");
        rec->PictureIndex = 0;
        rec->SkinRect = StateRect(0);
        rec->ActiveSkinRect = StateRect(1);
        rec->AnimateSkinRect = strip;
        rec->FrameCount = 50;
        rec->AnimateInterval = 10;
        store->CtrlList.push_back(std::move(rec));
        store->EnableSkinEffects = true;
        auto* b = NewButton();
        b->SetSkinData(store.get());
        b->Perform(CM_MOUSEENTER);
        clock.Advance(10);
        ASSERT_TRUE(b->Animating());
        EXPECT_EQ(PaintedAt(b, 2, 2), ZoneColor(0, 1, 0)) << strip.Width() << "x" << strip.Height();
        b->Free();
    }
}

// The default font of the plain look repaints a windowless control when
// it changes.
TEST_F(SpeedButtonPropsTest, ADefaultFontChangeRepaintsThePlainLook) {
    auto* b = NewButton();
    b->SetCaption(L"Go");
    Application->ProcessMessages();
    paints = 0;
    b->DefaultFont()->SetColor(clRed);
    EXPECT_GT(paints, 0);
}

}  // namespace

// The menu button's track mode splits the plain face into a main part and
// a 15-pixel track part, each framed: the change shows at once. A skinned
// face is left to the next paint.
TEST_F(SpeedButtonPropsTest, TrackButtonModeRepaintsThePlainFace) {
    struct CountedMenuButton : TbsSkinMenuSpeedButton {
        CountedMenuButton(TComponent* owner, int& paints) : TbsSkinMenuSpeedButton(owner), count(paints) {}
        void Paint() override {
            ++count;
            TbsSkinMenuSpeedButton::Paint();
        }
        int& count;
    };
    auto* b = new CountedMenuButton(form, paints);
    b->SetParent(form);
    b->SetBounds(10, 10, 80, 25);
    const COLORREF shadow = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
    // The main part's right frame column, at mid-height above the arrow.
    const int splitX = 80 - 15 - 1;
    EXPECT_EQ(PaintedAt(b, splitX, 3), face);
    Application->ProcessMessages();
    paints = 0;
    b->SetTrackButtonMode(true);
    EXPECT_GT(paints, 0);
    EXPECT_EQ(PaintedAt(b, splitX, 3), shadow);
    EXPECT_EQ(PaintedAt(b, splitX + 1, 3), shadow);  // the track part's left frame column
    paints = 0;
    b->SetTrackButtonMode(true);
    EXPECT_EQ(paints, 0);
    b->SetTrackButtonMode(false);
    EXPECT_GT(paints, 0);
    EXPECT_EQ(PaintedAt(b, splitX, 3), face);

    auto store = MakeControlsSkin(0);
    b->SkinDataName = L"button";
    b->SetSkinData(store.get());
    Application->ProcessMessages();
    paints = 0;
    b->SetTrackButtonMode(true);
    EXPECT_EQ(paints, 0);
    b->SetSkinData(nullptr);
}

// A tool bar's image list is what its buttons show: a new list paints
// them at once, in the list's picture.
TEST_F(SpeedButtonPropsTest, TheToolBarsImagesRepaintItsButtons) {
    auto* bar = new TbsSkinToolBar(form);
    bar->SetParent(form);
    bar->SetBounds(10, 10, 300, 40);
    auto* b = NewButton();
    b->SetParent(bar);
    b->SetBounds(10, 5, 60, 30);
    b->SetImageIndex(0);
    Application->ProcessMessages();
    paints = 0;
    bar->SetImages(platform_test::SolidColourList(form, {clRed}));
    EXPECT_GT(paints, 0);
    EXPECT_EQ(PaintedAt(b, 30, 15), ColorToRGB(clRed));
}
