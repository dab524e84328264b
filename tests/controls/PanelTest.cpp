// Panels: skinned faces, roll-up keeping the real constraints, the tool
// bar's overflow arrows and scrolling, the status bar's size grip.
#include "ControlsSkin.h"

#include <algorithm>
#include <string>

#include "platform/Clock.h"
#include "skin/bsCompressedSkins.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

using namespace controlstest;

namespace {

class PanelTest : public ControlsTest {
protected:
    template <class T>
    T* New(TWinControl* parent, const TRect& r) {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(r.left, r.top, r.Width(), r.Height());
        c->HandleNeeded();
        return c;
    }
};

TEST_F(PanelTest, SkinnedPanelComposesBordersAndTilesTheClient) {
    auto store = MakeControlsSkin(0);
    auto* p = New<TbsSkinPanel>(form, Bounds(10, 10, 150, 100));
    p->SetSkinData(store.get());
    ASSERT_NE(p->FIndex, -1);
    TBitmap face;
    PaintControl(p, face);
    EXPECT_EQ(PixelAt(face, 1, 1), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(face, 148, 98), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(face, 75, 1), ZoneColor(0, 0, 1));
    EXPECT_EQ(PixelAt(face, 2, 50), ZoneColor(0, 0, 1));
    EXPECT_EQ(PixelAt(face, 75, 50), ZoneColor(0, 0, 2));
    // Children are aligned inside the skin's client rectangle.
    EXPECT_EQ(p->GetSkinClientRect(), TRect(6, 5, 144, 95));
}

TEST_F(PanelTest, WindowRegionFollowsTheSkinsMask) {
    auto* store = MakeControlsSkin(1).release();  // its panel record has a mask
    auto* p = New<TbsSkinPanel>(form, Bounds(10, 10, 150, 100));
    p->SetSkinData(store);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(p->Handle(), probe), ERROR);
    // The mask's top-left pixel is cut away, the rest is inside.
    EXPECT_FALSE(PtInRegion(probe, 0, 0));
    EXPECT_TRUE(PtInRegion(probe, 75, 50));
    EXPECT_TRUE(PtInRegion(probe, 149, 99));

    // A skin whose record has no mask takes the region away.
    auto other = MakeControlsSkin(0);
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(other.get());
    store->LoadCompressedStoredSkin(&stored);
    p->ChangeSkinData();
    EXPECT_EQ(GetWindowRgn(p->Handle(), probe), ERROR);
    DeleteObject(probe);
    store->Free();
}

TEST_F(PanelTest, RollUpAndDownKeepTheRealConstraints) {
    auto* p = New<TbsSkinPanel>(form, Bounds(10, 10, 150, 150));
    auto* child = New<TbsSkinPanel>(p, Bounds(5, 30, 50, 50));
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    p->Constraints()->MinHeight = 100;
    p->Constraints()->MaxHeight = 300;
    int changes = 0;
    p->OnChangeRollUpState = [&](TObject*) { ++changes; };
    for (int cycle = 0; cycle < 2; ++cycle) {
        p->SetRollUpState(true);
        EXPECT_EQ(p->Height(), 23) << "cycle " << cycle;  // the plain caption height + 1
        EXPECT_EQ(p->RealHeight(), 150);
        EXPECT_FALSE(child->Visible());
        EXPECT_EQ(p->Constraints()->MinHeight, 0);
        p->SetRollUpState(false);
        EXPECT_EQ(p->Height(), 150);
        EXPECT_EQ(p->RealHeight(), -1);
        EXPECT_TRUE(child->Visible());
        EXPECT_EQ(p->Constraints()->MinHeight, 100) << "cycle " << cycle;
        EXPECT_EQ(p->Constraints()->MaxHeight, 300) << "cycle " << cycle;
    }
    EXPECT_EQ(changes, 4);
}

TEST_F(PanelTest, CaptionClickTogglesCheckAndRollUp) {
    auto* p = New<TbsSkinPanel>(form, Bounds(10, 10, 150, 150));
    auto* child = New<TbsSkinPanel>(p, Bounds(5, 30, 50, 50));
    int checked = 0;
    p->OnChecked = [&](TObject*) { ++checked; };
    auto click = [&](int x, int y) {
        SendMessageW(p->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(p->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    p->SetCheckedMode(true);
    click(20, 10);  // no caption mode: nothing
    EXPECT_EQ(checked, 0);
    p->SetCaptionMode(true);
    click(20, 10);
    EXPECT_TRUE(p->Checked());
    EXPECT_TRUE(child->Enabled());
    click(20, 10);
    EXPECT_FALSE(p->Checked());
    EXPECT_FALSE(child->Enabled());
    click(20, 60);  // below the caption
    EXPECT_FALSE(p->Checked());
    p->AutoEnabledControls = false;
    click(20, 10);
    EXPECT_FALSE(child->Enabled());
    EXPECT_EQ(checked, 3);
}

TEST_F(PanelTest, ToolBarShowsArrowsWhenButtonsOverflowAndScrolls) {
    platform::ScopedManualClock clock;
    auto* bar = New<TbsSkinToolBar>(form, Bounds(10, 10, 400, 30));
    bar->SetCanScroll(true);
    bar->SetScrollOffset(30);
    TWinControl* items[5];
    for (int i = 0; i < 5; ++i) items[i] = New<TbsSkinPanel>(bar, Bounds(60 * i, 2, 60, 20));
    bar->UpdateScrollState();
    EXPECT_FALSE(bar->ArrowsVisible());
    EXPECT_EQ(bar->ClientWidth(), 400);

    bar->SetBounds(10, 10, 200, 30);
    ASSERT_TRUE(bar->ArrowsVisible());
    EXPECT_EQ(bar->ClientWidth(), 176);
    EXPECT_EQ(bar->ScrollMax(), 299);

    // Hold the right arrow: 30 px a step until 300 - 176 = 124.
    // 5 px from the bar's right edge, 5 px from its left edge.
    POINT right{10 + 195, 10 + 15}, left{10 + 5, 10 + 15}, middle{10 + 100, 10 + 15};
    ClientToScreen(form->Handle(), &right);
    ClientToScreen(form->Handle(), &left);
    ClientToScreen(form->Handle(), &middle);
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(right.x, right.y)), HTRIGHTSCROLLARROW);
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(left.x, left.y)), HTLEFTSCROLLARROW);
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTCLIENT);
    SendMessageW(bar->Handle(), WM_NCLBUTTONDOWN, HTRIGHTSCROLLARROW, 0);
    const struct {
        DWORD advance;
        int position;
    } steps[] = {{50, 30}, {50, 60}, {100, 120}, {50, 124}, {200, 124}};
    for (const auto& s : steps) {
        clock.Advance(s.advance);
        EXPECT_EQ(bar->ScrollPosition(), s.position);
        EXPECT_EQ(items[0]->Left(), -s.position);
    }
    EXPECT_FALSE(clock.HasTimer(bar->Handle(), 1));
    SendMessageW(bar->Handle(), WM_NCLBUTTONUP, HTRIGHTSCROLLARROW, 0);
    EXPECT_EQ(bar->ScrollPosition(), 124);

    // Widening the bar scrolls the content back by the growth.
    bar->SetBounds(10, 10, 260, 30);
    EXPECT_EQ(bar->ScrollPosition(), 64);
    EXPECT_EQ(items[0]->Left(), -64);
    // Room for everything: the arrows go and the content returns home.
    bar->SetBounds(10, 10, 500, 30);
    EXPECT_FALSE(bar->ArrowsVisible());
    EXPECT_EQ(items[0]->Left(), 0);
}

TEST_F(PanelTest, ToolBarArrowsOfAWrongKindOfRecordArePlain) {
    auto store = MakeControlsSkin(0);  // its "resizebutton" is a panel record
    auto* bar = New<TbsSkinToolBar>(form, Bounds(10, 10, 200, 30));
    bar->SetSkinData(store.get());
    bar->SetCanScroll(true);
    New<TbsSkinPanel>(bar, Bounds(0, 2, 300, 20));
    bar->UpdateScrollState();
    ASSERT_TRUE(bar->ArrowsVisible());
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetWindowDC(bar->Handle());
    // The plain arrow face: a shadow frame round a face fill.
    EXPECT_EQ(GetPixel(dc, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(GetPixel(dc, 2, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(GetPixel(dc, 197, 27), ColorToRGB(clBtnFace));
    ReleaseDC(bar->Handle(), dc);
}

TEST_F(PanelTest, ToolBarHandsItsStoreFlatAndCaptionModeToItsChildren) {
    auto store = MakeControlsSkin(0);
    auto* bar = New<TbsSkinToolBar>(form, Bounds(10, 10, 300, 40));
    auto* button = new TbsSkinSpeedButton(form);
    button->SetParent(bar);
    auto* bevel = new TbsSkinBevel(form);
    bevel->SetParent(bar);
    auto* panel = New<TbsSkinPanel>(bar, Bounds(200, 5, 50, 20));  // not a tool bar child kind

    bar->SetSkinData(store.get());
    EXPECT_EQ(button->SkinData(), store.get());
    EXPECT_EQ(bevel->SkinData(), store.get());
    EXPECT_EQ(panel->SkinData(), nullptr);
    bar->SetFlat(true);
    EXPECT_TRUE(button->Flat());
    bar->SetFlat(false);
    EXPECT_FALSE(button->Flat());

    // Caption switching reaches the buttons only with AutoShowHideCaptions;
    // with both widths set the bar takes the width of the mode.
    bar->WidthWithCaptions = 280;
    bar->WidthWithoutCaptions = 120;
    const struct {
        bool autoShowHide, showCaptions, buttonShows;
        int width;
    } cases[] = {{false, true, true, 280}, {false, false, true, 120}, {true, true, true, 280},
                 {true, false, false, 120}, {true, true, true, 280}};
    for (const auto& c : cases) {
        bar->AutoShowHideCaptions = c.autoShowHide;
        bar->SetShowCaptions(c.showCaptions);
        EXPECT_EQ(button->ShowCaption(), c.buttonShows) << c.autoShowHide << c.showCaptions;
        EXPECT_EQ(bar->Width(), c.width) << c.autoShowHide << c.showCaptions;
    }
    bar->SetSkinData(nullptr);
}

// Image lists freed before the bar: the bar lets go of each, and its
// buttons paint afterwards without them.
TEST_F(PanelTest, ToolBarDropsImageListsFreedBeforeIt) {
    auto* bar = New<TbsSkinToolBar>(form, Bounds(10, 10, 300, 40));
    auto* button = new TbsSkinSpeedButton(form);
    button->SetParent(bar);
    button->SetBounds(10, 5, 60, 30);
    button->SetImageIndex(0);
    for (int role = 0; role < 3; ++role) {
        TCustomImageList* list = platform_test::SolidColourList(form, {clRed});
        TCustomImageList* other = platform_test::SolidColourList(form, {clBlue});
        bar->SetImages(role == 0 ? list : other);
        bar->SetHotImages(role == 1 ? list : other);
        bar->SetDisabledImages(role == 2 ? list : other);
        button->SetEnabled(role != 2);
        button->Perform(role == 1 ? CM_MOUSEENTER : CM_MOUSELEAVE);
        list->Free();
        EXPECT_EQ(role == 0 ? bar->Images() : role == 1 ? bar->HotImages() : bar->DisabledImages(), nullptr) << role;
        EXPECT_EQ(role == 0 ? bar->HotImages() : bar->Images(), other) << role;
        TBitmap face;
        PaintControl(bar, face);
        other->Free();
        EXPECT_EQ(bar->Images(), nullptr);
        EXPECT_EQ(bar->HotImages(), nullptr);
        EXPECT_EQ(bar->DisabledImages(), nullptr);
    }
    // One list in every role goes once.
    TCustomImageList* shared = platform_test::SolidColourList(form, {clRed});
    bar->SetImages(shared);
    bar->SetHotImages(shared);
    bar->SetDisabledImages(shared);
    bar->SetHotImages(nullptr);  // still watched for the other two roles
    shared->Free();
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(bar->DisabledImages(), nullptr);
}

// Skinned graphic controls and bevels centre themselves in a tool bar that
// adjusts its controls, whatever top they ask for (halves truncated).
TEST_F(PanelTest, GraphicControlsAndBevelsCentreOnAToolBar) {
    auto* bar = New<TbsSkinToolBar>(form, Bounds(10, 10, 400, 41));
    auto* plain = New<TbsSkinPanel>(form, Bounds(10, 60, 400, 41));
    auto* button = new TbsSkinSpeedButton(form);
    auto* bevel = new TbsSkinBevel(form);
    const struct {
        TWinControl* parent;
        bool adjust;
        int askedTop, height, wantTop;
    } cases[] = {
        {bar, true, 0, 20, 10}, {bar, true, 30, 21, 10}, {bar, true, 3, 7, 17},
        {bar, false, 3, 20, 3}, {plain, true, 4, 20, 4},
    };
    for (TControl* c : {static_cast<TControl*>(button), static_cast<TControl*>(bevel)})
        for (const auto& k : cases) {
            bar->SetAdjustControls(k.adjust);
            c->SetParent(k.parent);
            c->SetBounds(5, k.askedTop, 30, k.height);
            EXPECT_EQ(c->Top(), k.wantTop) << (c == button ? "button " : "bevel ") << k.askedTop << " " << k.height;
            EXPECT_EQ(c->Height(), k.height);
        }
}

TEST_F(PanelTest, StatusBarGripAnswersTheSizingHitTest) {
    auto* bar = New<TbsSkinStatusBar>(form, Bounds(0, 0, 300, 21));
    EXPECT_EQ(bar->Align(), alBottom);
    bar->SetSizeGrip(true);
    auto hit = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(bar->Handle(), &p);
        return SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    const int w = bar->Width();
    EXPECT_EQ(hit(w - 5, 10), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(10, 10), HTCLIENT);
    EXPECT_EQ(bar->GetSkinClientRect().right, w - 21);
    bar->SetShowGrip(false);
    EXPECT_EQ(hit(w - 5, 10), HTCLIENT);
    EXPECT_EQ(bar->GetSkinClientRect().right, w);
}

// A group box is a framed panel with a caption strip: children aligned in
// it fill the area below the caption, inside the frame.
TEST_F(PanelTest, GroupBoxChildrenFillTheAreaBelowItsCaption) {
    auto* g = New<TbsSkinGroupBox>(form, Bounds(10, 10, 200, 100));
    g->SetCaption(L"Group");
    auto* child = New<TbsSkinPanel>(g, Bounds(0, 0, 10, 10));
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), TRect(1, 23, 199, 99));
    g->SetCaptionMode(false);
    EXPECT_EQ(child->BoundsRect(), TRect(1, 1, 199, 99));
}

// ---- the skinned looks of the panel --------------------------------------------------------

namespace panellooks {

constexpr COLORREF kBand = RGB(20, 40, 60), kClient = RGB(200, 200, 200), kInk = RGB(250, 230, 0);
constexpr COLORREF kLabelInk = RGB(0, 0, 210), kShadow = RGB(120, 30, 150), kParent = RGB(30, 160, 90);
constexpr COLORREF kTileA = RGB(250, 120, 0), kTileB = RGB(0, 120, 250);

// Adds a picture to the store; its index.
int AddPicture(TbsSkinData* store, std::unique_ptr<TBitmap> pic) {
    store->FActivePicturesNames->Add(L"extra" + std::to_wstring(store->FActivePictures.size()) + L".bmp");
    store->FActivePictures.push_back(std::move(pic));
    return static_cast<int>(store->FActivePictures.size()) - 1;
}

// The fixture skin with "captionpanel": a 60 x 40 picture, a dark caption
// band 16 high over the top and a light client, corners 10 wide; its
// caption in kInk. "stdlabel" writes in kLabelInk, the skin's shadow is
// kShadow. "bgpanel" is the fixture's panel with an 8 x 8 background
// picture whose left half is kTileA and right half kTileB.
std::unique_ptr<TbsSkinData> LooksSkin(TAlignment alignment) {
    auto store = MakeControlsSkin(0);
    auto pic = std::make_unique<TBitmap>(60, 40, pf24bit);
    pic->Canvas()->Brush()->SetColor(static_cast<TColor>(kClient));
    pic->Canvas()->FillRect(TRect(0, 0, 60, 40));
    pic->Canvas()->Brush()->SetColor(static_cast<TColor>(kBand));
    pic->Canvas()->FillRect(TRect(0, 0, 60, 16));
    const int band = AddPicture(store.get(), std::move(pic));
    auto rec = std::make_unique<TbsDataSkinPanelControl>(L"captionpanel");
    rec->PictureIndex = band;
    rec->SkinRect = TRect(0, 0, 60, 40);
    rec->LTPoint = TPoint(10, 16);
    rec->RTPoint = TPoint(50, 16);
    rec->LBPoint = TPoint(10, 30);
    rec->RBPoint = TPoint(50, 30);
    rec->ClRect = TRect(10, 16, 50, 30);
    rec->CaptionRect = TRect(10, 0, 50, 16);
    rec->Alignment = alignment;
    rec->FontColor = static_cast<TColor>(kInk);
    rec->FontHeight = 14;
    store->CtrlList.push_back(std::move(rec));

    auto label = std::make_unique<TbsDataSkinStdLabelControl>(L"stdlabel");
    label->FontColor = static_cast<TColor>(kLabelInk);
    store->CtrlList.push_back(std::move(label));
    store->SkinColors()->cBtnShadow = static_cast<TColor>(kShadow);

    auto tile = std::make_unique<TBitmap>(8, 8, pf24bit);
    tile->Canvas()->Brush()->SetColor(static_cast<TColor>(kTileA));
    tile->Canvas()->FillRect(TRect(0, 0, 4, 8));
    tile->Canvas()->Brush()->SetColor(static_cast<TColor>(kTileB));
    tile->Canvas()->FillRect(TRect(4, 0, 8, 8));
    const int tileIndex = AddPicture(store.get(), std::move(tile));
    auto bg = std::make_unique<TbsDataSkinPanelControl>(L"bgpanel");
    bg->PictureIndex = 0;
    bg->SkinRect = StateRect(0);
    bg->LTPoint = TPoint(6, 5);
    bg->RTPoint = TPoint(24, 5);
    bg->LBPoint = TPoint(6, 15);
    bg->RBPoint = TPoint(24, 15);
    bg->ClRect = TRect(6, 5, 24, 15);
    bg->BGPictureIndex = tileIndex;
    bg->FontColor = static_cast<TColor>(kInk);
    store->CtrlList.push_back(std::move(bg));
    return store;
}

// Pixels of colour c in r of b.
int Count(TBitmap& b, const TRect& r, COLORREF c) {
    int n = 0;
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, b.Height()); ++y)
        for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, b.Width()); ++x)
            if (PixelAt(b, x, y) == c) ++n;
    return n;
}

}  // namespace panellooks

// The skinned caption is written in the record's font colour inside the
// caption rectangle at the panel's size (stretched with the panel), placed
// by the record's alignment; an empty caption writes nothing.
TEST_F(PanelTest, TheSkinnedCaptionSitsInTheCaptionRectangleByAlignment) {
    using namespace panellooks;
    const struct {
        TAlignment alignment;
        int thirdWithInk;  // 0 left, 1 middle, 2 right third of the caption rectangle
    } cases[] = {{taLeftJustify, 0}, {taCenter, 1}, {taRightJustify, 2}};
    for (const auto& c : cases) {
        auto store = LooksSkin(c.alignment);
        auto* p = New<TbsSkinPanel>(form, Bounds(10, 10, 240, 100));
        p->SetSkinDataName(L"captionpanel");
        p->SetSkinData(store.get());
        p->SetCaption(L"WW");
        ASSERT_NE(p->FIndex, -1);
        TBitmap face;
        PaintControl(p, face);
        // The caption rectangle at this size: 10 .. 240 - 10, the band's height.
        const TRect caption(10, 0, 230, 16);
        EXPECT_EQ(p->NewCaptionRect, caption);
        const int third = caption.Width() / 3;
        for (int t = 0; t < 3; ++t) {
            const TRect part(caption.left + t * third, 0, caption.left + (t + 1) * third, 16);
            if (t == c.thirdWithInk) EXPECT_GT(Count(face, part, kInk), 5) << c.alignment << " third " << t;
            else EXPECT_EQ(Count(face, part, kInk), 0) << c.alignment << " third " << t;
        }
        EXPECT_EQ(Count(face, TRect(0, 16, 240, 100), kInk), 0) << c.alignment;
        EXPECT_EQ(PixelAt(face, 2, 2), kBand);
        EXPECT_EQ(PixelAt(face, 120, 50), kClient);

        p->SetCaption(L"");
        PaintControl(p, face);
        EXPECT_EQ(Count(face, caption, kInk), 0) << c.alignment;
        p->SetSkinData(nullptr);
        p->Free();
    }
}

// A transparent panel shows its parent through, framed in the skin's
// shadow colour unless it has no border.
TEST_F(PanelTest, ATransparentPanelShowsItsParentInAShadowFrame) {
    using namespace panellooks;
    auto store = LooksSkin(taLeftJustify);
    form->SetColor(static_cast<TColor>(kParent));
    for (TbsSkinBorderStyle border : {bvFrame, bvNone}) {
        auto* p = New<TbsSkinPanel>(form, Bounds(10, 10, 150, 100));
        p->SetBorderStyle(border);
        p->SetSkinData(store.get());
        p->SetTransparentMode(true);
        TBitmap face;
        PaintControl(p, face);
        const COLORREF edge = border == bvNone ? kParent : kShadow;
        for (const TPoint& at : {TPoint(0, 0), TPoint(149, 50), TPoint(75, 99), TPoint(0, 99)})
            EXPECT_EQ(PixelAt(face, at.x, at.y), edge) << border << " at " << at.x << "," << at.y;
        EXPECT_EQ(PixelAt(face, 1, 1), kParent) << border;
        EXPECT_EQ(PixelAt(face, 75, 50), kParent) << border;
        p->SetSkinData(nullptr);
        p->Free();
    }
}

// A transparent panel with a caption is a group box drawn over its parent:
// the caption in the "stdlabel" record's colour (not the panel record's),
// a line in the skin's shadow colour through the caption's middle on both
// sides of the text, and the frame down the sides and along the bottom.
TEST_F(PanelTest, ATransparentCaptionedPanelDrawsTheGroupBoxLook) {
    using namespace panellooks;
    auto store = LooksSkin(taLeftJustify);
    form->SetColor(static_cast<TColor>(kParent));
    auto* p = New<TbsSkinPanel>(form, Bounds(10, 10, 200, 100));
    p->SetSkinDataName(L"captionpanel");
    p->SetSkinData(store.get());
    p->SetCaption(L"WW");
    p->SetCaptionMode(true);
    p->SetTransparentMode(true);
    TBitmap face;
    PaintControl(p, face);
    const TRect cr = p->NewCaptionRect;
    ASSERT_EQ(cr.left, 5);
    ASSERT_GT(cr.bottom, 5);
    const int h = cr.bottom / 2;
    EXPECT_GT(Count(face, cr, kLabelInk), 5);
    EXPECT_EQ(Count(face, TRect(0, 0, 200, 100), kInk), 0);
    // The line left of the caption, and at the far right after the text.
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(face, x, h), kShadow) << x;
    EXPECT_EQ(PixelAt(face, 190, h), kShadow);
    EXPECT_EQ(PixelAt(face, 190, h - 2), kParent);
    // Sides and bottom; the inside shows the parent.
    EXPECT_EQ(PixelAt(face, 0, 60), kShadow);
    EXPECT_EQ(PixelAt(face, 199, 60), kShadow);
    EXPECT_EQ(PixelAt(face, 100, 99), kShadow);
    EXPECT_EQ(PixelAt(face, 100, 60), kParent);
    p->SetSkinData(nullptr);
}

// A record with a background picture frames the panel from the skin and
// tiles the picture over the client from the panel's origin; the children
// keep the whole panel as their client area.
TEST_F(PanelTest, ABackgroundPictureTilesTheClientInsideTheSkinsFrame) {
    using namespace panellooks;
    auto store = LooksSkin(taLeftJustify);
    auto* p = New<TbsSkinPanel>(form, Bounds(10, 10, 150, 100));
    p->SetSkinDataName(L"bgpanel");
    p->SetSkinData(store.get());
    ASSERT_NE(p->FIndex, -1);
    TBitmap face;
    PaintControl(p, face);
    EXPECT_EQ(PixelAt(face, 1, 1), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(face, 148, 98), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(face, 75, 1), ZoneColor(0, 0, 1));
    // Client (6, 5) .. (144, 95): tiles of 8 from (0, 0).
    for (const TPoint& at : {TPoint(8, 6), TPoint(11, 50), TPoint(75, 50), TPoint(143, 94), TPoint(100, 20)}) {
        const COLORREF want = at.x % 8 < 4 ? kTileA : kTileB;
        EXPECT_EQ(PixelAt(face, at.x, at.y), want) << at.x << "," << at.y;
    }
    EXPECT_EQ(p->GetSkinClientRect(), TRect(0, 0, 150, 100));
    p->SetSkinData(nullptr);
}

}  // namespace
