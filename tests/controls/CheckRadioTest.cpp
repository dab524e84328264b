// Check and radio boxes: sibling groups, the grayed cycle, clicks and keys.
#include "ControlsSkin.h"

#include <string>
#include <utility>

#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsPanel.h"

using namespace controlstest;

namespace {

class CheckRadioTest : public ControlsTest {
protected:
    TbsSkinCheckRadioBox* NewBox(TWinControl* parent, int top, bool radio, int group, std::string* log,
                                 const char* name) {
        auto* b = new TbsSkinCheckRadioBox(form);
        b->SetParent(parent);
        b->SetBounds(5, top, 150, 25);
        b->SetRadio(radio);
        b->GroupIndex = group;
        if (log) b->OnClick = [log, name](TObject*) { *log += std::string(name) + " "; };
        b->HandleNeeded();
        return b;
    }
    static void Click(TWinControl* c) {
        SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
};

TEST_F(CheckRadioTest, RadioGroupsAreFormedBySiblingsOfOneIndex) {
    std::string log;
    auto* other = new TbsSkinPanel(form);
    other->SetParent(form);
    other->SetBounds(300, 10, 200, 200);
    TbsSkinCheckRadioBox* a = NewBox(form, 10, true, 1, &log, "a");
    TbsSkinCheckRadioBox* b = NewBox(form, 40, true, 1, &log, "b");
    TbsSkinCheckRadioBox* c = NewBox(form, 70, true, 2, &log, "c");
    TbsSkinCheckRadioBox* d = NewBox(other, 10, true, 1, &log, "d");  // same index, other parent
    a->SetChecked(true);
    c->SetChecked(true);
    d->SetChecked(true);
    log.clear();

    Click(b);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(c->Checked());
    EXPECT_TRUE(d->Checked());
    EXPECT_EQ(log, "b ");  // the unchecked box fires nothing

    // A checked radio box clicked again stays checked and fires nothing.
    Click(b);
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(log, "b ");

    // State := checked fires OnClick but leaves the group alone.
    a->SetState(cbChecked);
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(log, "b a ");
}

TEST_F(CheckRadioTest, AllowGrayedCyclesThroughThreeStates) {
    std::string log;
    TbsSkinCheckRadioBox* box = NewBox(form, 10, false, 0, &log, "x");
    box->SetAllowGrayed(true);
    const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked, cbGrayed};
    for (TCheckBoxState expected : cycle) {
        Click(box);
        EXPECT_EQ(box->State(), expected);
        EXPECT_EQ(box->Checked(), expected == cbChecked);
    }
    EXPECT_EQ(log, "x x x x ");
    // Unchecking a grayed box by code leaves it grayed.
    box->SetChecked(false);
    EXPECT_EQ(box->State(), cbGrayed);
    box->SetAllowGrayed(false);
    box->SetState(cbUnchecked);
    Click(box);
    EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(CheckRadioTest, SpaceTogglesOnReleaseOnly) {
    TbsSkinCheckRadioBox* box = NewBox(form, 10, false, 0, nullptr, "x");
    box->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(box->Focused());
    SendMessageW(box->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_FALSE(box->Checked());
    SendMessageW(box->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_TRUE(box->Checked());
    PressKey(box->Handle(), VK_SPACE);
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckRadioTest, AcceleratorTogglesAndFocuses) {
    TbsSkinCheckRadioBox* box = NewBox(form, 10, false, 0, nullptr, "x");
    box->SetCaption(L"&Loop");
    TbsSkinCheckRadioBox* other = NewBox(form, 40, false, 0, nullptr, "y");
    other->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'l', 0), 1);
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(other->Checked());
}

TEST_F(CheckRadioTest, SkinnedMarkFollowsCheckHoverEnabledAndGrayed) {
    auto store = MakeControlsSkin(0);
    TbsSkinCheckRadioBox* box = NewBox(form, 10, false, 0, nullptr, "x");
    box->SetSkinData(store.get());
    ASSERT_NE(box->FIndex, -1);
    // The mark sits at (3, 7); its client-zone part starts 6 px in.
    const struct Case {
        const char* name;
        TCheckBoxState state;
        bool hot, enabled;
        int image;  // state image whose client colour the mark shows
    } cases[] = {
        {"unchecked", cbUnchecked, false, true, 1},
        {"checked", cbChecked, false, true, 0},
        {"checked, hot", cbChecked, true, true, 2},
        {"unchecked, hot", cbUnchecked, true, true, 3},
        {"checked, disabled", cbChecked, false, false, 4},
        {"unchecked, disabled (falls back to unchecked)", cbUnchecked, false, false, 1},
    };
    for (const Case& c : cases) {
        box->SetState(c.state);
        box->SetEnabled(c.enabled);
        if (c.hot) box->Perform(CM_MOUSEENTER);
        TBitmap face;
        PaintControl(box, face);
        EXPECT_EQ(PixelAt(face, 14, 12), ZoneColor(0, c.image, 2)) << c.name;
        if (c.hot) box->Perform(CM_MOUSELEAVE);
        box->SetEnabled(true);
    }
    // Grayed without a grayed image: the checked mark at half brightness.
    box->SetState(cbGrayed);
    TBitmap face;
    PaintControl(box, face);
    const COLORREF full = ZoneColor(0, 0, 2), half = PixelAt(face, 14, 12);
    EXPECT_NEAR(GetRValue(half), (GetRValue(full) + 255) / 2, 1);
    EXPECT_NEAR(GetGValue(half), (GetGValue(full) + 255) / 2, 1);
    EXPECT_NEAR(GetBValue(half), (GetBValue(full) + 255) / 2, 1);
    // The brightened side strip stays transparent: the parent shows there.
    EXPECT_EQ(PixelAt(face, 5, 12), PixelAt(face, 1, 1));
}

TEST_F(CheckRadioTest, PlainFlatLookDrawsTheMarkFrameOverTheParent) {
    TbsSkinCheckRadioBox* box = NewBox(form, 10, false, 0, nullptr, "x");
    TBitmap face;
    PaintControl(box, face);
    // The 14 x 14 box at (3, 5): its frame in the shadow colour.
    EXPECT_EQ(PixelAt(face, 3, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(face, 16, 18), ColorToRGB(clBtnShadow));
    box->SetChecked(true);
    TBitmap checked;
    PaintControl(box, checked);
    EXPECT_GT(DifferentPixels(face, checked), 0);
}

TEST_F(CheckRadioTest, PlainRadioIsASquareBoxWithASquareDot) {
    TbsSkinCheckRadioBox* box = NewBox(form, 10, true, 0, nullptr, "r");
    TBitmap face;
    PaintControl(box, face);
    // The 14 x 14 box at (3, 5) is framed like a check box: corners inked.
    EXPECT_EQ(PixelAt(face, 3, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(face, 16, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(face, 3, 18), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(face, 16, 18), ColorToRGB(clBtnShadow));
    EXPECT_NE(PixelAt(face, 7, 9), ColorToRGB(clBlack));
    box->SetChecked(true);
    TBitmap checked;
    PaintControl(box, checked);
    // A filled 6 x 6 square from (7, 9): all four of its corners inked, the
    // pixels just outside it not.
    for (auto [x, y] : {std::pair{7, 9}, {12, 9}, {7, 14}, {12, 14}, {10, 12}})
        EXPECT_EQ(PixelAt(checked, x, y), ColorToRGB(clBlack)) << x << "," << y;
    for (auto [x, y] : {std::pair{6, 9}, {13, 9}, {7, 8}, {7, 15}})
        EXPECT_NE(PixelAt(checked, x, y), ColorToRGB(clBlack)) << x << "," << y;
    // Disabled, the dot is in the shadow colour.
    box->SetEnabled(false);
    TBitmap disabled;
    PaintControl(box, disabled);
    EXPECT_EQ(PixelAt(disabled, 10, 12), ColorToRGB(clBtnShadow));
}

}  // namespace
