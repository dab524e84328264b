// The skinned labels (font rules and auto-size), the bevel's lines in skin
// colours, and the skinned splitter's thickness and dragging.
#include "ControlsSkin.h"

#include <memory>
#include <vector>

#include "platform/Owners.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsLabels.h"

using namespace controlstest;

namespace {

// Height of one line of text in a font of that name and height, measured
// on the screen.
int LineHeight(const String& name, int height) {
    TFont f;
    f.SetName(name);
    f.SetHeight(height);
    const platform::WindowDC screen;
    TCanvas c;
    c.SetHandle(screen.Get());
    c.Font()->Assign(&f);
    const int h = c.TextHeight(L" ");
    c.SetHandle(nullptr);
    return h;
}

// The face of a windowless control, painted into a picture of its size.
void PaintGraphic(TControl* control, TBitmap& out, TColor background = clFuchsia) {
    out.SetPixelFormat(pf24bit);
    out.SetSize(control->Width(), control->Height());
    out.Canvas()->Brush()->SetColor(background);
    out.Canvas()->FillRect(TRect(0, 0, control->Width(), control->Height()));
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(out.Canvas()->Handle()), 0);
}

std::unique_ptr<TbsSkinData> SmallControlsSkin() {
    auto store = MakeControlsSkin(0);
    auto label = std::make_unique<TbsDataSkinStdLabelControl>(L"stdlabel");
    label->FontName = L"Tahoma";
    label->FontHeight = 24;
    label->FontColor = static_cast<TColor>(RGB(0, 0, 200));
    store->CtrlList.push_back(std::move(label));
    auto bevel = std::make_unique<TbsDataSkinBevel>(L"bevel");
    bevel->LightColor = static_cast<TColor>(RGB(250, 200, 10));
    bevel->DarkColor = static_cast<TColor>(RGB(10, 60, 120));
    store->CtrlList.push_back(std::move(bevel));
    // An 8-pixel column of the normal state image, ends 5 pixels.
    auto split = std::make_unique<TbsDataSkinSplitterControl>(L"vsplitter");
    split->PictureIndex = 0;
    split->SkinRect = TRect(0, 0, 8, kCellH);
    split->LTPoint = TPoint(0, 5);
    split->LBPoint = TPoint(0, 15);
    split->StretchEffect = true;
    store->CtrlList.push_back(std::move(split));
    return store;
}

using LabelTest = ControlsTest;

TEST_F(LabelTest, AnEmptyLabelAutoSizesToOneLineInTheFontTheRulesPick) {
    auto store = SmallControlsSkin();
    const struct Case {
        bool skinned, useSkinFont;
        const wchar_t* name;
        int height;
    } cases[] = {
        {true, true, L"Tahoma", 24},    // the skin's font
        {false, true, L"Arial", 30},    // no skin: DefaultFont
        {false, false, L"Arial", 11},   // no skin, own font
        {true, false, L"Arial", 11},    // skinned, own font
    };
    for (const Case& c : cases) {
        auto* l = new TbsSkinStdLabel(form);
        l->SetParent(form);
        l->SetAutoSize(true);
        l->Font()->SetName(L"Arial");
        l->Font()->SetHeight(11);
        l->DefaultFont()->SetName(L"Arial");
        l->DefaultFont()->SetHeight(30);
        l->UseSkinFont() = c.useSkinFont;
        l->SetCaption(L"");
        l->SetSkinData(c.skinned ? store.get() : nullptr);
        l->AdjustBounds();
        EXPECT_EQ(l->Height(), LineHeight(c.name, c.height)) << c.skinned << c.useSkinFont;
        EXPECT_GT(l->Width(), 0);
        l->Free();
    }
}

TEST_F(LabelTest, TextLabelMeasuresItsLinesAndKeepsARightEdge) {
    auto store = SmallControlsSkin();
    auto* l = new TbsSkinTextLabel(form);
    l->SetParent(form);
    l->SetSkinData(store.get());
    l->Lines()->Add(L"one line");
    // The trailing line break is not counted.
    EXPECT_EQ(l->Height(), LineHeight(L"Tahoma", 24));
    l->Lines()->Add(L"two");
    EXPECT_EQ(l->Height(), 2 * LineHeight(L"Tahoma", 24));

    l->SetAlignment(taRightJustify);
    const int right = l->Left() + l->Width();
    l->Lines()->Add(L"a much longer third line of text");
    EXPECT_EQ(l->Left() + l->Width(), right);
    EXPECT_LT(l->Left(), right - 100);

    // The store goes first: the label hears of it.
    store.reset();
    EXPECT_EQ(l->SkinData(), nullptr);
    l->ChangeSkinData();
}

TEST_F(LabelTest, ADisabledLabelDrawsItsTextEmbossed) {
    // Pixels in the highlight and in the shadow colour, enabled and not, on
    // a background of neither.
    const auto count = [&](bool enabled, COLORREF colour) {
        auto* l = new TbsSkinStdLabel(form);
        l->SetParent(form);
        l->SetCaption(L"H");
        l->DefaultFont()->SetHeight(60);
        l->DefaultFont()->SetColor(clBlack);
        l->AdjustBounds();
        l->SetEnabled(enabled);
        TBitmap b;
        b.SetPixelFormat(pf24bit);
        b.SetSize(l->Width(), l->Height());
        b.Canvas()->Brush()->SetColor(clFuchsia);
        b.Canvas()->FillRect(TRect(0, 0, l->Width(), l->Height()));
        l->PaintSkinTo(b.Canvas(), 0, 0, L"H");
        int n = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) n += PixelAt(b, x, y) == colour;
        l->Free();
        return n;
    };
    const COLORREF highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    EXPECT_EQ(count(true, highlight), 0);
    EXPECT_EQ(count(true, shadow), 0);
    EXPECT_GT(count(false, highlight), 0);
    EXPECT_GT(count(false, shadow), count(false, highlight));
}

// A right-aligned caption too long for the label: cut at the left edge,
// ended with an ellipsis, or shortened in the middle so that its last part
// stays. Told apart by the ink in the upper half of the rightmost columns:
// capitals there, an ellipsis's dots only low down.
TEST_F(LabelTest, EllipsTypeShortensALongCaption) {
    const struct Case {
        TbsEllipsType type;
        bool capitalsAtTheRightEnd;
    } cases[] = {{bsetNone, true}, {bsetEndEllips, false}, {bsetPathEllips, true}};
    std::vector<long> inkAt;
    std::vector<std::unique_ptr<TBitmap>> faces;
    for (const Case& c : cases) {
        auto* l = new TbsSkinStdLabel(form);
        l->SetParent(form);
        l->SetAutoSize(false);
        l->SetBounds(0, 0, 90, 22);
        l->DefaultFont()->SetName(L"Arial");
        l->DefaultFont()->SetHeight(16);
        l->DefaultFont()->SetColor(clBlack);
        l->SetCaption(L"C:\\AAAA\\BBBB\\CCCC\\DDDD\\WWWW");
        l->SetAlignment(taRightJustify);
        l->SetEllipsType(c.type);
        auto b = std::make_unique<TBitmap>();
        b->SetPixelFormat(pf24bit);
        b->SetSize(l->Width(), l->Height());
        b->Canvas()->Brush()->SetColor(clWhite);
        b->Canvas()->FillRect(TRect(0, 0, l->Width(), l->Height()));
        l->PaintSkinTo(b->Canvas(), 0, 0, l->Caption());
        long ink = 0;
        for (int y = 0; y < 9; ++y)
            for (int x = l->Width() - 8; x < l->Width(); ++x) ink += PixelAt(*b, x, y) != RGB(255, 255, 255);
        EXPECT_EQ(ink > 0, c.capitalsAtTheRightEnd) << c.type << " ink " << ink;
        faces.push_back(std::move(b));
        l->Free();
    }
    // The three looks differ from each other.
    EXPECT_GT(DifferentPixels(*faces[0], *faces[1]), 0);
    EXPECT_GT(DifferentPixels(*faces[0], *faces[2]), 0);
    EXPECT_GT(DifferentPixels(*faces[1], *faces[2]), 0);
}

using BevelTest = ControlsTest;

// Which colour lands on which pixel, lowered and raised, plain and skinned.
TEST_F(BevelTest, LinesLandOnTheExactPixelsInTheSkinsColours) {
    auto store = SmallControlsSkin();
    const COLORREF light = RGB(250, 200, 10), dark = RGB(10, 60, 120);
    const struct Case {
        TBevelShape shape;
        TBevelStyle style;
        bool divider;
        int x1, y1, x2, y2;  // first pixel (colour 1) and second (colour 2)
        int w, h;
    } cases[] = {
        {bsTopLine, bsLowered, false, 5, 0, 5, 1, 20, 10},
        {bsTopLine, bsRaised, false, 5, 0, 5, 1, 20, 10},
        {bsBottomLine, bsLowered, false, 5, 8, 5, 9, 20, 10},
        {bsLeftLine, bsLowered, false, 0, 5, 1, 5, 10, 20},
        {bsRightLine, bsRaised, false, 8, 5, 9, 5, 10, 20},
        {bsBox, bsLowered, false, 0, 5, 19, 5, 20, 10},
        {bsLeftLine, bsLowered, true, 4, 5, 5, 5, 10, 20},   // divider down the middle
        {bsTopLine, bsLowered, true, 5, 4, 5, 5, 20, 10},    // divider across the middle
    };
    for (bool skinned : {true, false}) {
        for (const Case& c : cases) {
            auto* bv = new TbsSkinBevel(form);
            bv->SetParent(form);
            bv->SetBounds(0, 0, c.w, c.h);
            bv->SetShape(c.shape);
            bv->SetStyle(c.style);
            bv->SetDividerMode(c.divider);
            bv->SetSkinData(skinned ? store.get() : nullptr);
            const COLORREF l = skinned ? light : ColorToRGB(clBtnHighlight);
            const COLORREF d = skinned ? dark : ColorToRGB(clBtnShadow);
            const COLORREF first = c.style == bsLowered ? d : l, second = c.style == bsLowered ? l : d;
            TBitmap b;
            PaintGraphic(bv, b);
            EXPECT_EQ(PixelAt(b, c.x1, c.y1), first) << c.shape << " " << c.style << " " << c.divider;
            EXPECT_EQ(PixelAt(b, c.x2, c.y2), second) << c.shape << " " << c.style << " " << c.divider;
            bv->Free();
        }
    }
}

TEST_F(BevelTest, AFreedStoreGivesTheSystemColoursBack) {
    auto store = SmallControlsSkin();
    auto* bv = new TbsSkinBevel(form);
    bv->SetParent(form);
    bv->SetSkinData(store.get());
    EXPECT_EQ(bv->LightColor, static_cast<TColor>(RGB(250, 200, 10)));
    store.reset();
    EXPECT_EQ(bv->SkinData(), nullptr);
    bv->ChangeSkinData();
    EXPECT_EQ(bv->LightColor, clBtnHighlight);
    EXPECT_EQ(bv->DarkColor, clBtnShadow);
}

using SplitterTest = ControlsTest;

TEST_F(SplitterTest, TakesTheSkinsThicknessAndResizesItsNeighbourWithinMinSize) {
    auto store = SmallControlsSkin();
    auto* left = new TPanel(form);
    left->SetParent(form);
    left->SetAlign(alLeft);
    left->SetWidth(200);
    auto* sp = new TbsSkinSplitter(form);
    sp->SetParent(form);
    sp->SetAlign(alLeft);
    sp->SetLeft(250);
    sp->AutoSnap = false;
    sp->MinSize = 60;
    sp->SetSkinData(nullptr);
    EXPECT_EQ(sp->Width(), 10);  // the default size without a skin
    sp->SetSkinData(store.get());
    EXPECT_EQ(sp->Width(), 8);
    EXPECT_EQ(sp->Left(), 200);

    // The skin's column, stretched to the height: the top end keeps the
    // corner colour, the middle the side colour.
    TBitmap b;
    PaintGraphic(sp, b);
    EXPECT_EQ(PixelAt(b, 2, 2), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(b, 2, sp->Height() / 2), ZoneColor(0, 0, 1));

    // Dragged far to the left: the panel stops at MinSize. The button comes
    // up where the mouse is, relative to the splitter where it now stands.
    const auto drag = [&](int by) {
        const int grip = sp->Left() + 4;
        sp->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 10));
        sp->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(4 + by), 10));
        sp->Perform(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(grip + by - sp->Left()), 10));
        Application->ProcessMessages();
    };
    drag(-190);
    EXPECT_EQ(left->Width(), 60);
    EXPECT_EQ(sp->Left(), 60);
    drag(50);
    EXPECT_EQ(left->Width(), 110);

    // Transparent or without a skin: the default size.
    sp->SetTransparent(true);
    sp->ChangeSkinData();
    EXPECT_EQ(sp->Width(), 10);
    sp->SetTransparent(false);
    store.reset();
    sp->ChangeSkinData();
    EXPECT_EQ(sp->Width(), 10);
}

}  // namespace
