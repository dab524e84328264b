// The skinned scroll box: ranges and visibility of the linked bars, moving
// the children, growth and shrink of an aligned box, the corner marker, the
// frame in both looks and the bars following the box's visibility.
#include "tests/platform/ControlsFixture.h"

#include "skin/shell/bsSkinScrollBox.h"
#include "tests/dialogs/DialogsSkins.h"

namespace {

class ScrollBoxTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        platform_test::ControlsTest::SetUp();
        box = new TbsSkinScrollBox(form);
        box->SetParent(form);
        box->SetBorderStyle(bvNone);
        box->SetBounds(10, 10, 200, 200);
        vbar = new TbsSkinScrollBar(form);
        vbar->SetKind(sbVertical);
        vbar->SetParent(form);
        vbar->SetBounds(215, 10, 19, 200);
        hbar = new TbsSkinScrollBar(form);
        hbar->SetParent(form);
        hbar->SetBounds(10, 215, 200, 19);
        child = new TCustomControl(box);
        child->SetParent(box);
        child->SetBounds(0, 0, 100, 300);
        box->SetVScrollBar(vbar);
        box->SetHScrollBar(hbar);
        Application->ProcessMessages();
    }
    TbsSkinScrollBox* box = nullptr;
    TbsSkinScrollBar *vbar = nullptr, *hbar = nullptr;
    TCustomControl* child = nullptr;
};

TEST_F(ScrollBoxTest, ContentTallerThanTheBoxShowsTheBarAndFittingContentHidesIt) {
    ASSERT_EQ(box->ClientHeight(), 200);
    box->UpDateScrollRange();
    EXPECT_TRUE(vbar->Visible());
    EXPECT_EQ(vbar->Max(), 299);
    EXPECT_EQ(vbar->PageSize(), 200);
    EXPECT_FALSE(hbar->Visible()) << "100 pixels wide content fits";
    // Scrolled down, then the content shrinks: back to the top, bar hidden.
    vbar->SetPosition(60);
    EXPECT_EQ(child->Top(), -60);
    child->SetHeight(150);
    box->UpDateScrollRange();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_EQ(child->Top(), 0);
    EXPECT_EQ(vbar->Position(), 0);
}

TEST_F(ScrollBoxTest, TheBarMovesTheChildrenAndVScrollStopsAtTheLastPage) {
    box->UpDateScrollRange();
    vbar->SetPosition(40);
    EXPECT_EQ(child->Top(), -40);
    vbar->SetPosition(10);
    EXPECT_EQ(child->Top(), -10);
    const struct {
        int asked, position;
    } cases[] = {{50, 50}, {500, 299 - 200}, {0, 0}};
    for (const auto& c : cases) {
        box->VScroll(c.asked);
        EXPECT_EQ(vbar->Position(), c.position) << c.asked;
        EXPECT_EQ(child->Top(), -c.position) << c.asked;
    }
}

TEST_F(ScrollBoxTest, AnAlignedBoxThatGrowsBringsTheContentDown) {
    // The box fills a holder; the content is 260 high, scrolled by 50.
    auto* holder = new TCustomControl(form);
    holder->SetParent(form);
    holder->SetBounds(300, 10, 200, 200);
    box->SetParent(holder);
    box->SetAlign(alClient);
    child->SetHeight(260);
    box->UpDateScrollRange();
    ASSERT_EQ(box->ClientHeight(), 200);
    vbar->SetPosition(50);
    ASSERT_EQ(child->Top(), -50);
    // 30 more pixels: the content's bottom (210) now lies inside the client.
    holder->SetHeight(230);
    Application->ProcessMessages();
    ASSERT_EQ(box->ClientHeight(), 230);
    EXPECT_EQ(child->Top(), -20);
    EXPECT_EQ(vbar->Position(), 20);
    EXPECT_EQ(vbar->PageSize(), 230);
}

TEST_F(ScrollBoxTest, TheHorizontalBarShowsTheCornerMarkerWhileTheVerticalOneShows) {
    child->SetWidth(400);
    box->UpDateScrollRange();
    EXPECT_TRUE(vbar->Visible());
    EXPECT_TRUE(hbar->Visible());
    EXPECT_TRUE(hbar->Both());
    child->SetHeight(100);
    box->UpDateScrollRange();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_TRUE(hbar->Visible());
    EXPECT_FALSE(hbar->Both());
}

TEST_F(ScrollBoxTest, HidingTheBoxHidesBothBars) {
    child->SetWidth(400);
    box->UpDateScrollRange();
    box->SetVisible(false);
    EXPECT_FALSE(vbar->Visible());
    EXPECT_FALSE(hbar->Visible());
    box->SetVisible(true);
    EXPECT_TRUE(vbar->Visible());
    EXPECT_TRUE(hbar->Visible());
}

TEST_F(ScrollBoxTest, TheFrameTakesOnePixelPlainAndTheRecordsBorderSkinned) {
    box->SetBorderStyle(bvFrame);
    Application->ProcessMessages();
    EXPECT_EQ(box->ClientWidth(), 198);
    EXPECT_EQ(box->ClientHeight(), 198);
    EXPECT_EQ(SendMessageW(box->Handle(), 0xB1C9, 0, 0), 0) << "no DC: nothing painted";

    auto store = dialogstest::LoadMainSkin(0);
    const int i = store->GetControlIndex(L"scrollbox");
    ASSERT_GE(i, 0);
    auto* rec = dynamic_cast<TbsDataSkinScrollBoxControl*>(store->CtrlList[static_cast<size_t>(i)].get());
    ASSERT_NE(rec, nullptr);
    box->SetSkinData(store.get());
    box->ChangeSkinData();
    Application->ProcessMessages();
    const int frameW = rec->ClRect.left + rec->SkinRect.Width() - rec->ClRect.right;
    const int frameH = rec->ClRect.top + rec->SkinRect.Height() - rec->ClRect.bottom;
    EXPECT_EQ(box->ClientWidth(), 200 - frameW);
    EXPECT_EQ(box->ClientHeight(), 200 - frameH);
    TBitmap dc(200, 200);
    EXPECT_EQ(SendMessageW(box->Handle(), 0xB1C9, reinterpret_cast<WPARAM>(dc.Canvas()->Handle()), 0), 12851);

    box->SetBorderStyle(bvNone);
    Application->ProcessMessages();
    EXPECT_EQ(box->ClientWidth(), 200);
    EXPECT_EQ(SendMessageW(box->Handle(), 0xB1C9, reinterpret_cast<WPARAM>(dc.Canvas()->Handle()), 0), 0);
    box->SetSkinData(nullptr);
}

TEST_F(ScrollBoxTest, AFocusableBoxTakesTheFocusOnAClick) {
    box->SetCanFocused(true);
    box->SetTabStop(true);
    ASSERT_FALSE(box->Focused());
    Click(box->Handle(), 5, 5);
    EXPECT_TRUE(box->Focused());
}

TEST_F(ScrollBoxTest, AFreedBarIsUnlinked) {
    vbar->Free();
    EXPECT_EQ(box->VScrollBar(), nullptr);
    box->UpDateScrollRange();  // must not touch the freed bar
    EXPECT_FALSE(hbar->Visible());
}

}  // namespace
