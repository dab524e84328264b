// The images menu: grid layout, key navigation, choosing with the mouse and
// keys, closing by a click outside, and the events of each path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/frame/bsSkinImagesMenu.h"
#include "tests/platform/ControlsFixture.h"

namespace {

std::vector<TbsImagesMenuItem> Items(const std::string& kinds) {
    std::vector<TbsImagesMenuItem> v;
    for (char k : kinds) {
        TbsImagesMenuItem it;
        it.Header = k == 'h';
        it.Button = k == 'b';
        it.ImageIndex = 0;
        v.push_back(it);
    }
    return v;
}

std::vector<TRect> Rects(const std::vector<TbsImagesMenuItem>& v) {
    std::vector<TRect> r;
    for (const auto& it : v) r.push_back(it.ItemRect);
    return r;
}

// Cells of 26 x 26 (16-pixel images), three to a row from (5, 5).
TEST(ImagesMenuLayout, RowsOfCellsHeadersAndButtons) {
    auto seven = Items("cccccccc");
    seven.pop_back();
    seven.push_back(Items("h")[0]);
    LayoutImagesMenu(seven, 26, 26, 3, 5, 5, 0);
    EXPECT_EQ(Rects(seven), (std::vector<TRect>{TRect(5, 5, 31, 31), TRect(31, 5, 57, 31), TRect(57, 5, 83, 31),
                                                TRect(5, 32, 31, 58), TRect(31, 32, 57, 58), TRect(57, 32, 83, 58),
                                                TRect(5, 59, 31, 85), TRect(5, 86, 83, 112)}));

    auto mixed = Items("ccbc");
    LayoutImagesMenu(mixed, 26, 26, 3, 5, 5, 0);
    EXPECT_EQ(Rects(mixed), (std::vector<TRect>{TRect(5, 5, 31, 31), TRect(31, 5, 57, 31), TRect(5, 32, 83, 58),
                                                TRect(5, 59, 31, 85)}));
    // A header band of its own height.
    auto banded = Items("hc");
    LayoutImagesMenu(banded, 26, 26, 3, 5, 5, 18);
    EXPECT_EQ(banded[0].ItemRect, TRect(5, 5, 83, 23));
    EXPECT_EQ(banded[1].ItemRect, TRect(5, 24, 31, 50));
}

TEST(ImagesMenuLayout, KeysMoveThroughTheGrid) {
    // 0 header; 1 2 3 / 4 5 cells; 6 a button row; 7 a cell.
    auto items = Items("hcccccbc");
    LayoutImagesMenu(items, 26, 26, 3, 5, 5, 0);
    const struct {
        int from;
        WORD key;
        int to;
    } cases[] = {
        {-1, VK_DOWN, 1}, {2, VK_DOWN, 5}, {5, VK_DOWN, 6}, {3, VK_DOWN, 6}, {7, VK_DOWN, 7},
        {-1, VK_UP, 7},   {7, VK_UP, 6},   {6, VK_UP, 4},   {1, VK_UP, 1},   {-1, VK_LEFT, 7},
        {1, VK_LEFT, 7},  {3, VK_LEFT, 2}, {-1, VK_RIGHT, 1}, {7, VK_RIGHT, 1}, {3, VK_RIGHT, 4},
    };
    for (auto c : cases) EXPECT_EQ(ImagesMenuKeyTarget(items, c.from, c.key), c.to) << c.from << " key " << c.key;
}

class ImagesMenuTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        menu = new TbsSkinImagesMenu(form);
        menu->Images = platform_test::SolidColourList(form, {clRed, clLime, clBlue});
        menu->SetColumnsCount(2);
        menu->ImagesItems = Items("ccc");
        for (int i = 0; i < 3; ++i) {
            menu->ImagesItems[static_cast<size_t>(i)].ImageIndex = i;
            menu->ImagesItems[static_cast<size_t>(i)].OnClick = [this, i](TObject*) { log.push_back("click" + std::to_string(i)); };
        }
        menu->OnItemClick = [this](TObject*) { log.push_back("item"); };
        menu->OnChange = [this](TObject*) { log.push_back("change"); };
        menu->OnMenuClose = [this](TObject*) { log.push_back("close"); };
        menu->OnMenuPopup = [this](TObject*) { log.push_back("popup"); };
    }
    // A press and release at a grid point, with the pointer there.
    void ClickGrid(int x, int y) {
        TbsSkinImagesMenuPopupWindow* w = menu->PopupWindow();
        const TPoint s = w->ClientToScreen(TPoint(x, y));
        SetCursorPos(s.x, s.y);
        SendMessageW(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(w->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Application->ProcessMessages();
    }
    TbsSkinImagesMenu* menu = nullptr;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(ImagesMenuTest, GridOpensBelowThePointSizedToTheLayout) {
    menu->Popup(100, 120);
    TbsSkinImagesMenuPopupWindow* w = menu->PopupWindow();
    ASSERT_NE(w, nullptr);
    RECT r;
    GetWindowRect(w->Handle(), &r);
    EXPECT_EQ(TRect(r), TRect(100, 120, 100 + 52 + 10, 120 + 53 + 10));
    EXPECT_TRUE(IsWindowVisible(w->Handle()));
    EXPECT_EQ(GetCapture(), w->Handle());
    menu->Hide();
    EXPECT_EQ(menu->PopupWindow(), nullptr);
}

TEST_F(ImagesMenuTest, ChoosingWithTheMouseFiresClickItemAndChange) {
    menu->Popup(100, 120);
    ClickGrid(31 + 13, 5 + 13);  // the second cell
    EXPECT_EQ(menu->ItemIndex, 1);
    EXPECT_EQ(menu->PopupWindow(), nullptr);
    EXPECT_EQ(log, (Log{"popup", "close", "click1", "item", "change"}));
    // The same item again: no change.
    log.clear();
    menu->Popup(100, 120);
    ClickGrid(31 + 13, 5 + 13);
    EXPECT_EQ(log, (Log{"popup", "close", "click1", "item"}));
}

TEST_F(ImagesMenuTest, ClickOutsideClosesWithoutChoosing) {
    menu->ItemIndex = 2;
    menu->Popup(100, 120);
    TbsSkinImagesMenuPopupWindow* w = menu->PopupWindow();
    SetCursorPos(600, 400);
    SendMessageW(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 280));
    Application->ProcessMessages();
    EXPECT_EQ(menu->PopupWindow(), nullptr);
    EXPECT_EQ(menu->ItemIndex, 2);
    EXPECT_EQ(log, (Log{"popup", "close"}));
}

TEST_F(ImagesMenuTest, KeysMoveAndChooseThroughTheApplication) {
    menu->Popup(100, 120);
    TbsSkinImagesMenuPopupWindow* w = menu->PopupWindow();
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    Application->ProcessMessages();
    EXPECT_EQ(w->MouseInItem, 1);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    Application->ProcessMessages();
    EXPECT_EQ(w->MouseInItem, 1);  // nothing below the second column
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    Application->ProcessMessages();
    EXPECT_EQ(menu->ItemIndex, 1);
    EXPECT_EQ(log, (Log{"popup", "close", "click1", "item", "change"}));

    log.clear();
    menu->Popup(100, 120);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    Application->ProcessMessages();
    EXPECT_EQ(menu->PopupWindow(), nullptr);
    EXPECT_EQ(log, (Log{"popup", "close"}));
}

TEST_F(ImagesMenuTest, WithoutImagesNothingOpensAndColumnsStayInRange) {
    auto* empty = new TCustomImageList(form);
    menu->Images = empty;
    menu->Popup(10, 10);
    EXPECT_EQ(menu->PopupWindow(), nullptr);
    EXPECT_EQ(log, (Log{"popup"}));
    for (int bad : {0, 51, -3}) {
        menu->SetColumnsCount(bad);
        EXPECT_EQ(menu->ColumnsCount(), 2);
    }
    menu->SetColumnsCount(50);
    EXPECT_EQ(menu->ColumnsCount(), 50);
}

}  // namespace
