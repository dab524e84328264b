// The skinned list box (rows, scroll mirror, caption buttons, empty-list
// request) and the link label.
#include "ListsFixture.h"

#include <shellapi.h>

#include "platform/Clock.h"
#include "skin/boxes/bsSkinBoxCtrls.h"
#include "skin/boxes/bsSkinLinkLabel.h"

using namespace liststest;

namespace {

class ListBoxTest : public ListsTest {
protected:
    TbsSkinListBox* NewList(int rows) {
        auto* l = new TbsSkinListBox(form);
        l->SetParent(form);
        l->SetBounds(10, 10, 120, 120);
        l->HandleNeeded();
        for (int i = 0; i < rows; ++i) l->Items()->Add(L"row " + IntToStr(i));
        Application->ProcessMessages();
        return l;
    }
};

TEST_F(ListBoxTest, TheSkinnedBarMirrorsTheListOnlyWhileRowsDoNotFit) {
    TbsSkinListBox* l = NewList(3);
    EXPECT_EQ(l->ScrollBar, nullptr);
    for (int i = 3; i < 20; ++i) l->Items()->Add(L"row " + IntToStr(i));
    Application->ProcessMessages();
    ASSERT_NE(l->ScrollBar, nullptr);
    EXPECT_EQ(l->ScrollBar->Max(), 19);
    // The inner list ends where the bar begins.
    EXPECT_EQ(l->ListBox->Left() + l->ListBox->Width(), l->ScrollBar->Left());
    l->ScrollBar->SetPosition(5);
    EXPECT_EQ(l->TopIndex(), 5);
    // With RowCount equal to the item count no bar is shown.
    l->SetRowCount(20);
    EXPECT_EQ(l->ScrollBar, nullptr);
    EXPECT_EQ(l->Height(), l->CalcHeight(20));
    l->SetRowCount(0);
    l->Clear();
    EXPECT_EQ(l->ScrollBar, nullptr);
}

TEST_F(ListBoxTest, OnlyAnEmptyListAnswersTheEmptyPaintRequest) {
    TbsSkinListBox* l = NewList(0);
    HWND inner = l->ListBox->Handle();
    EXPECT_EQ(SendMessageW(inner, CM_PAINTEMPTYLISTTODC, 0, bsPaintToDCKey), bsPaintToDCKey);
    EXPECT_EQ(SendMessageW(inner, CM_PAINTEMPTYLISTTODC, 0, 1), 0);
    l->Items()->Add(L"x");
    EXPECT_EQ(SendMessageW(inner, CM_PAINTEMPTYLISTTODC, 0, bsPaintToDCKey), 0);
    EXPECT_EQ(SendMessageW(inner, CM_PAINTFRAMETODC, 0, 0), bsPaintFrameAnswer);
}

TEST_F(ListBoxTest, CaptionButtonsStepTheSelectionAndRepeatWhileHeld) {
    platform::ScopedManualClock clock;
    TbsSkinListBox* l = NewList(10);
    l->SetCaptionMode(true);
    l->SetItemIndex(0);
    l->Repaint();  // lays the buttons out
    ASSERT_FALSE(IsNullRect(l->CaptionButtonRect(0)));
    const TRect u = l->CaptionButtonRect(0), d = l->CaptionButtonRect(1);
    // Up on the first row does nothing; down steps.
    Click(l->Handle(), u.left + 2, u.top + 2);
    EXPECT_EQ(l->ItemIndex(), 0);
    Click(l->Handle(), d.left + 2, d.top + 2);
    EXPECT_EQ(l->ItemIndex(), 1);
    // Held down: a step after 600 ms, then every 100 ms, one more on release.
    SendMessageW(l->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d.left + 2, d.top + 2));
    clock.Advance(599);
    EXPECT_EQ(l->ItemIndex(), 1);
    clock.Advance(1);
    EXPECT_EQ(l->ItemIndex(), 2);
    clock.Advance(200);
    EXPECT_EQ(l->ItemIndex(), 4);
    SendMessageW(l->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(d.left + 2, d.top + 2));
    EXPECT_EQ(l->ItemIndex(), 5);
    // With its event assigned the button raises it instead.
    int checks = 0;
    l->OnCheckButtonClick = [&](TObject*) { ++checks; };
    const TRect c = l->CaptionButtonRect(2);
    Click(l->Handle(), c.left + 2, c.top + 2);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(ListBoxTest, ALinkLabelOpensItsAddressThroughTheOpener) {
    std::vector<String> opened;
    LinkOpener() = [&](const String& url) { opened.push_back(url); };
    auto* l = new TbsSkinLinkLabel(form);
    l->SetParent(form);
    l->SetBounds(10, 10, 153, 33);
    l->SetCaption(L"www.example.org");
    int clicks = 0;
    l->OnClick = [&](TObject*) { ++clicks; };
    l->Click();
    EXPECT_TRUE(opened.empty());  // no address: only OnClick
    l->URL = L"mailto:team@example.org";
    l->Click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], L"mailto:team@example.org");
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(l->Cursor, crHandPoint);
    LinkOpener() = [](const String& url) {
        ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
}

TEST_F(ListBoxTest, ALinkLabelTurnsItsHoverColourUnderThePointer) {
    auto* l = new TbsSkinLinkLabel(form);
    l->SetParent(form);
    l->SetBounds(10, 10, 153, 33);
    l->SetCaption(L"WWWWWWWW");
    Application->ProcessMessages();
    const TRect area(10, 10, 163, 43);
    EXPECT_FALSE(platform_test::ShowsColour(form, area, 0xFF0000));
    l->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(platform_test::ShowsColour(form, area, 0xFF0000));
    l->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(platform_test::ShowsColour(form, area, 0xFF0000));
}

}  // namespace
