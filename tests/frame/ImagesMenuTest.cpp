// The images menu: grid layout, key navigation, choosing with the mouse and
// keys, closing by a click outside, and the events of each path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameSkin.h"
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
        menu->SetImages(platform_test::SolidColourList(form, {clRed, clLime, clBlue}));
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

// A handler that opens the menu again while the chosen grid is still in
// its own mouse handling: the old grid lives until that handling is done,
// then goes; the new grid stays open.
TEST_F(ImagesMenuTest, AHandlerReopeningTheMenuLeavesTheClickedGridAliveUntilItsMessageIsDone) {
    HWND oldGrid = nullptr;
    bool oldAliveInHandler = false;
    menu->OnItemClick = [&](TObject*) {
        menu->Popup(100, 120);
        oldAliveInHandler = IsWindow(oldGrid) != FALSE;
    };
    menu->Popup(100, 120);
    oldGrid = menu->PopupWindow()->Handle();
    ClickGrid(31 + 13, 5 + 13);
    EXPECT_TRUE(oldAliveInHandler);
    ASSERT_NE(menu->PopupWindow(), nullptr);
    EXPECT_NE(menu->PopupWindow()->Handle(), oldGrid);
    EXPECT_TRUE(IsWindowVisible(menu->PopupWindow()->Handle()));
    EXPECT_FALSE(IsWindow(oldGrid)) << "freed once its message was handled";
    menu->Hide();
}

// Freeing the menu with its grid open closes the grid without any of the
// menu's events, and the grid's window goes too.
TEST_F(ImagesMenuTest, FreeingTheMenuWithAnOpenGridFiresNothing) {
    int internal = 0;
    menu->OnInternalMenuClose = [&](TObject*) { ++internal; };
    menu->ItemIndex = 0;
    menu->Popup(100, 120);
    HWND grid = menu->PopupWindow()->Handle();
    log.clear();
    menu->Free();
    menu = nullptr;
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(internal, 0);
    EXPECT_FALSE(IsWindowVisible(grid));
    EXPECT_NE(GetCapture(), grid);
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindow(grid));
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
    menu->SetImages(empty);
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

// A skin with a 40 x 30 popup-window picture (corner, border and client
// colours; items rectangle (6, 6, 34, 24)) and an 18-pixel "label" band.
const COLORREF kGridCorner = RGB(250, 0, 0), kGridBorder = RGB(0, 150, 0), kGridClient = RGB(255, 255, 210);
const COLORREF kBand = RGB(30, 60, 200);

void Fill(TBitmap* b, const TRect& r, COLORREF c) {
    b->Canvas()->Brush()->SetStyle(bsSolid);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(c));
    b->Canvas()->FillRect(r);
}

std::unique_ptr<TbsSkinData> MakeGridSkin() {
    auto s = frametest::MakeFrameSkin();
    auto window = std::make_unique<TBitmap>(40, 30, pf24bit);
    Fill(window.get(), TRect(0, 0, 40, 30), kGridBorder);
    Fill(window.get(), TRect(6, 6, 34, 24), kGridClient);
    Fill(window.get(), TRect(0, 0, 6, 6), kGridCorner);
    s->FActivePictures.push_back(std::move(window));
    s->FActivePicturesNames->Add(L"grid.bmp");
    auto& pw = *s->PopupWindow;
    pw.WindowPictureIndex = static_cast<int>(s->FActivePictures.size()) - 1;
    pw.LTPoint = TPoint(6, 6);
    pw.RTPoint = TPoint(34, 6);
    pw.LBPoint = TPoint(6, 24);
    pw.RBPoint = TPoint(34, 24);
    pw.ItemsRect = TRect(6, 6, 34, 24);
    auto band = std::make_unique<TBitmap>(40, 18, pf24bit);
    Fill(band.get(), TRect(0, 0, 40, 18), kBand);
    s->FActivePictures.push_back(std::move(band));
    s->FActivePicturesNames->Add(L"band.bmp");
    auto label = std::make_unique<TbsDataSkinLabelControl>(L"label");
    label->PictureIndex = static_cast<int>(s->FActivePictures.size()) - 1;
    label->SkinRect = TRect(0, 0, 40, 18);
    label->LTPoint = TPoint(4, 0);
    label->RTPoint = TPoint(36, 0);
    label->ClRect = TRect(4, 0, 36, 18);
    s->CtrlList.push_back(std::move(label));
    return s;
}

TEST_F(ImagesMenuTest, ASkinnedGridIsFramedByThePopupWindowPictureWithLabelBands) {
    auto skin = MakeGridSkin();
    menu->SetSkinData(skin.get());
    TbsImagesMenuItem header;
    header.Header = true;
    menu->ImagesItems.insert(menu->ImagesItems.begin(), header);
    menu->Popup(100, 120);
    TbsSkinImagesMenuPopupWindow* w = menu->PopupWindow();
    ASSERT_NE(w, nullptr);
    // From the items rectangle's corner: the band (18 high), then rows of
    // 26-pixel cells, two to a row.
    EXPECT_EQ(Rects(menu->ImagesItems), (std::vector<TRect>{TRect(6, 6, 58, 24), TRect(6, 25, 32, 51),
                                                            TRect(32, 25, 58, 51), TRect(6, 52, 32, 78)}));
    // The picture grown by the content's size less the items rectangle's.
    RECT r;
    GetWindowRect(w->Handle(), &r);
    EXPECT_EQ(TRect(r), TRect(100, 120, 100 + 40 + 52 - 28, 120 + 30 + 72 - 18));

    TBitmap shot(w->Width(), w->Height(), pf24bit);
    SendMessageW(w->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), PRF_CLIENT);
    const auto at = [&](int x, int y) { return static_cast<COLORREF>(shot.Canvas()->Pixel(x, y)); };
    EXPECT_EQ(at(1, 1), kGridCorner);
    EXPECT_EQ(at(w->Width() - 2, w->Height() / 2), kGridBorder);
    EXPECT_EQ(at(45, 65), kGridClient);  // beside the last cell
    EXPECT_EQ(at(30, 15), kBand);
    EXPECT_EQ(at(6 + 13, 52 + 13), ColorToRGB(clBlue));  // the third picture in its cell
    menu->Hide();
    menu->SetSkinData(nullptr);
}

// The pictures and the store are not owned: freeing them while the menu
// holds them (open or not) leaves a menu that opens nothing, or draws the
// plain look.
TEST_F(ImagesMenuTest, FreedPicturesAndStoreAreDropped) {
    auto skin = MakeGridSkin();
    menu->SetSkinData(skin.get());
    menu->Popup(100, 120);
    ASSERT_NE(menu->PopupWindow(), nullptr);
    skin.reset();
    EXPECT_EQ(menu->SkinData(), nullptr);
    TbsSkinImagesMenuPopupWindow* w = menu->PopupWindow();
    ASSERT_NE(w, nullptr);
    TBitmap shot(w->Width(), w->Height(), pf24bit);
    SendMessageW(w->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), PRF_CLIENT);
    EXPECT_EQ(static_cast<COLORREF>(shot.Canvas()->Pixel(1, 1)), ColorToRGB(clWindow));

    log.clear();
    menu->Images()->Free();
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(menu->PopupWindow(), nullptr);
    EXPECT_EQ(log, (Log{"close"}));
    menu->Popup(100, 120);
    EXPECT_EQ(menu->PopupWindow(), nullptr);
}

}  // namespace
