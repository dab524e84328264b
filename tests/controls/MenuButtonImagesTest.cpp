// The menu speed button with an images menu, driven by the pointer and
// keys: the grid opens below the button from the track part only, the
// button stays down while it is open and comes up when it closes, the
// chosen item's picture (and caption) is what the button shows, and a menu
// freed while the button holds it leaves a plain button behind.
#include "ControlsSkin.h"

#include <functional>

#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/frame/bsSkinImagesMenu.h"

using namespace controlstest;

namespace {

const TColor kRed = static_cast<TColor>(RGB(220, 20, 20));
const TColor kGreen = static_cast<TColor>(RGB(20, 180, 20));
const TColor kBlue = static_cast<TColor>(RGB(20, 20, 220));

class MenuButtonImagesTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        menu = new TbsSkinImagesMenu(form);
        menu->SetImages(platform_test::SolidColourList(form, {kRed, kGreen, kBlue}));
        menu->SetColumnsCount(3);
        for (int i = 0; i < 3; ++i) {
            TbsImagesMenuItem cell;
            cell.ImageIndex = i;
            cell.Caption = L"Colour";
            menu->ImagesItems.push_back(cell);
        }
        menu->ItemIndex = 0;
        menu->OnChange = [this](TObject*) { ++changes; };
        button = new TbsSkinMenuSpeedButton(form);
        button->SetParent(form);
        button->SetBounds(20, 30, 90, 40);
        button->SetTrackButtonMode(true);
        button->SetSkinImagesMenu(menu);
        button->SetUseImagesMenuImage(true);
        button->OnClick = [this](TObject*) { ++clicks; };
        button->OnShowTrackMenu = [this](TObject*) { ++shown; };
        button->OnHideTrackMenu = [this](TObject*) { ++hidden; };
        Application->ProcessMessages();
    }

    // Runs the application until done() holds (two seconds at most), then
    // until no input is left in the queue.
    static void RunUntil(const std::function<bool()>& done) {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < 2000) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            Application->ProcessMessages();
        }
        for (int i = 0; i < 20 && HIWORD(GetQueueStatus(QS_INPUT)) != 0; ++i) Application->ProcessMessages();
        Application->ProcessMessages();
    }
    static bool Always() { return true; }
    // The pointer to a point of control, the left button pressed there and
    // the press handled (done() holds, or no input is left).
    static void RealPress(TControl* c, int x, int y, const std::function<bool()>& done) {
        const TPoint p = c->ClientToScreen(TPoint(x, y));
        SetCursorPos(p.x, p.y);
        Application->ProcessMessages();
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RunUntil(done);
    }
    static void RealRelease(const std::function<bool()>& done) {
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        RunUntil(done);
    }
    // A press and release at (x, y) of the button; when the press opens
    // the grid, the release happens once it is open (where a person's would).
    void ClickButton(int x) {
        const int before = shown;
        RealPress(button, x, 20, [&] { return button->Down() || shown > before; });
        RealRelease([&] { return !button->Down() || (menu && menu->IsOpen()); });
    }
    // A click in the open grid at the middle of item i.
    void ChooseItem(int i) {
        TbsSkinImagesMenuPopupWindow* grid = menu->PopupWindow();
        ASSERT_NE(grid, nullptr);
        const TRect r = menu->ImagesItems[static_cast<size_t>(i)].ItemRect;
        RealPress(grid, (r.left + r.right) / 2, (r.top + r.bottom) / 2, Always);
        RealRelease([this] { return !menu->IsOpen(); });
    }
    // The button as painted now.
    void PaintButton(TBitmap& out) {
        out.SetPixelFormat(pf24bit);
        out.SetSize(button->Width(), button->Height());
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(out.Canvas()->Handle()), 0);
    }
    COLORREF PaintedAt(int x, int y) {
        TBitmap out;
        PaintButton(out);
        return PixelAt(out, x, y);
    }
    // Pixels of colour inside r of the painted button.
    long CountPainted(const TRect& r, COLORREF colour) {
        TBitmap out;
        PaintButton(out);
        long n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += PixelAt(out, x, y) == colour;
        return n;
    }
    // The middle of the content part (the button left of its track part).
    TPoint ContentMiddle() const { return TPoint((button->Width() - 15) / 2, button->Height() / 2); }

    TbsSkinImagesMenu* menu = nullptr;
    TbsSkinMenuSpeedButton* button = nullptr;
    int clicks = 0, shown = 0, hidden = 0, changes = 0;
};

TEST_F(MenuButtonImagesTest, OnlyTheTrackPartOpensTheGridAndTheButtonStaysDownUntilItCloses) {
    // Left of the 15-pixel track part: a plain click, no grid.
    ClickButton(90 - 17);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(shown, 0);

    ClickButton(90 - 5);
    ASSERT_TRUE(menu->IsOpen());
    TbsSkinImagesMenuPopupWindow* grid = menu->PopupWindow();
    EXPECT_TRUE(IsWindowVisible(grid->Handle()));
    // Below the button, its left edge at the button's.
    RECT r{};
    GetWindowRect(grid->Handle(), &r);
    const TPoint origin = button->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(r.top, origin.y + button->Height());
    EXPECT_EQ(r.left, origin.x);
    // The release after the press left it open, the button down, no click.
    EXPECT_TRUE(button->MenuTracked());
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(hidden, 0);
    EXPECT_EQ(PaintedAt(button->Width() - 3, 3), ColorToRGB(bsPlainDownFill));

    // Escape closes the grid without a choice: the button comes up.
    PressKey(form->Handle(), VK_ESCAPE);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(menu->ItemIndex, 0);
    EXPECT_EQ(PaintedAt(button->Width() - 3, 3), ColorToRGB(clBtnFace));

    // A click outside the grid closes it too; the button is a plain
    // button again afterwards.
    ClickButton(90 - 5);
    ASSERT_TRUE(menu->IsOpen());
    RealPress(form, 500, 400, [this] { return !menu->IsOpen(); });
    RealRelease(Always);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(hidden, 2);
    ClickButton(10);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(menu->IsOpen());
}

TEST_F(MenuButtonImagesTest, ChoosingAnItemChangesWhatTheButtonShows) {
    const TPoint mid = ContentMiddle();
    EXPECT_EQ(PaintedAt(mid.x, mid.y), ColorToRGB(kRed));

    ClickButton(90 - 5);
    ASSERT_TRUE(menu->IsOpen());
    ChooseItem(2);
    EXPECT_EQ(menu->ItemIndex, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(PaintedAt(mid.x, mid.y), ColorToRGB(kBlue));
    const TRect content(0, 0, button->Width() - 15, button->Height());
    EXPECT_EQ(CountPainted(content, ColorToRGB(kRed)), 0);

    // The drop-down let go of the mouse: a click on another button of the
    // form goes to that button.
    auto* other = new TbsSkinSpeedButton(form);
    other->SetParent(form);
    other->SetBounds(200, 30, 60, 40);
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    RealPress(other, 30, 20, [&] { return other->Down() || button->Down(); });
    RealRelease([&] { return otherClicks > 0; });
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Down());
    other->Free();
}

// The menu opened by other code: a choice there still shows on the button's
// window, repainted by the menu's change report alone.
TEST_F(MenuButtonImagesTest, AChoiceMadeElsewhereShowsOnTheButton) {
    const TPoint mid = ContentMiddle();
    const auto onScreen = [&] {
        HDC dc = GetDC(form->Handle());
        const COLORREF c = GetPixel(dc, button->Left() + mid.x, button->Top() + mid.y);
        ReleaseDC(form->Handle(), dc);
        return c;
    };
    RunUntil([&] { return onScreen() == ColorToRGB(kRed); });
    ASSERT_EQ(onScreen(), ColorToRGB(kRed));
    menu->Popup(300, 300);
    ASSERT_TRUE(menu->IsOpen());
    ChooseItem(1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(hidden, 0);
    RunUntil([&] { return onScreen() == ColorToRGB(kGreen); });
    EXPECT_EQ(onScreen(), ColorToRGB(kGreen));
}

TEST_F(MenuButtonImagesTest, TheMenuGivesPictureAndCaptionOnlyWhenAskedTo) {
    const TPoint mid = ContentMiddle();
    const COLORREF ink = ColorToRGB(button->DefaultFont()->Color());
    const TRect content(0, 0, button->Width() - 15, button->Height());
    const TRect rightOfImage(mid.x + 10, 0, button->Width() - 15, button->Height());
    const struct Case {
        bool useImage, useCaption;
        int itemIndex;
        COLORREF atMiddle;  // 0: none of the list's colours anywhere
        bool caption;
    } cases[] = {
        {true, false, 1, ColorToRGB(kGreen), false},
        {false, false, 1, 0, false},
        {false, true, 1, 0, false},  // the caption comes with the picture only
        {true, true, -1, 0, false},  // nothing chosen: the button's own content
        {true, true, 1, 0, true},    // the picture moves left of the caption
    };
    for (const Case& c : cases) {
        button->SetUseImagesMenuImage(c.useImage);
        button->SetUseImagesMenuCaption(c.useCaption);
        menu->ItemIndex = c.itemIndex;
        const COLORREF at = PaintedAt(mid.x, mid.y);
        if (c.atMiddle) {
            EXPECT_EQ(at, c.atMiddle) << c.useImage << c.useCaption << c.itemIndex;
        } else if (!c.caption) {
            for (TColor any : {kRed, kGreen, kBlue})
                EXPECT_EQ(CountPainted(content, ColorToRGB(any)), 0) << c.useImage << c.useCaption << c.itemIndex;
        }
        if (c.caption) {
            EXPECT_GT(CountPainted(content, ColorToRGB(kGreen)), 0);
            EXPECT_GT(CountPainted(rightOfImage, ink), 0);
        } else {
            EXPECT_EQ(CountPainted(rightOfImage, ink), 0) << c.useImage << c.useCaption << c.itemIndex;
        }
    }
}

TEST_F(MenuButtonImagesTest, AFreedMenuLeavesAPlainButton) {
    // Freed while open: the grid closes, the button comes up and forgets it.
    ClickButton(90 - 5);
    ASSERT_TRUE(menu->IsOpen());
    menu->Free();
    menu = nullptr;
    EXPECT_EQ(button->SkinImagesMenu(), nullptr);
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(hidden, 1);
    // Painting and pressing the track part afterwards: a plain button.
    const TPoint mid = ContentMiddle();
    for (TColor any : {kRed, kGreen, kBlue}) EXPECT_NE(PaintedAt(mid.x, mid.y), ColorToRGB(any));
    ClickButton(90 - 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(shown, 1);
}

// A button freed while its grid is open closes the grid without being
// called back; the menu goes on working alone.
TEST_F(MenuButtonImagesTest, AMenuThatOutlivesItsButtonCallsNothingOfIt) {
    int menuCloses = 0;
    menu->OnMenuClose = [&](TObject*) { ++menuCloses; };
    ClickButton(90 - 5);
    ASSERT_TRUE(menu->IsOpen());
    button->Free();
    button = nullptr;
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(menuCloses, 1);
    EXPECT_EQ(hidden, 0);
    menu->Popup(100, 100);
    ASSERT_TRUE(menu->IsOpen());
    ChooseItem(1);
    EXPECT_EQ(menu->ItemIndex, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(menuCloses, 2);
    EXPECT_EQ(hidden, 0);
}

TEST_F(MenuButtonImagesTest, AMenuWithoutPicturesLeavesTheButtonUp) {
    auto* empty = new TCustomImageList(form);
    menu->SetImages(empty);
    ClickButton(90 - 5);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(clicks, 0);
}

}  // namespace
