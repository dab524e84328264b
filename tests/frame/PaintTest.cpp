// Painting of the frame into a DC: the zone colours of the skin at the
// form's size, the hot image of a caption button, the inactive picture;
// the window region of the mask; clicks on the caption buttons.
#include "FrameSkin.h"

namespace frametest {
namespace {

using PaintTest = FrameTest;

struct Probe {
    const char* name;
    int x, y;  // negative: from the right / bottom edge
    Zone zone;
};

const Probe kProbes[] = {
    {"top-left corner", 2, 2, zLT},   {"top side", 150, 2, zTop},     {"top-right corner", -3, 2, zRT},
    {"left side", 2, 100, zLeft},     {"right side", -3, 100, zRight}, {"bottom-left corner", 2, -3, zLB},
    {"bottom side", 150, -3, zBottom}, {"bottom-right corner", -3, -3, zRB},
};

void ExpectZones(TBitmap& shot, bool active) {
    for (const Probe& p : kProbes) {
        SCOPED_TRACE(p.name);
        const int x = p.x < 0 ? shot.Width() + p.x : p.x, y = p.y < 0 ? shot.Height() + p.y : p.y;
        EXPECT_EQ(PixelOf(shot, x, y), ZoneColor(p.zone, active));
    }
}

class FramedForm : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        store = MakeFrameSkin();
        frame = new TbsSkinFrame(form);
        frame->SetSkinData(store.get());
        form->SetCaption(L"");
        form->SetBounds(40, 40, 320, 210);
        Application->ProcessMessages();
        SetActiveWindow(form->Handle());
        Application->ProcessMessages();
    }
    void TearDown() override {
        store.reset();  // the frame hears of it and drops the skin
        PaintTest::TearDown();
    }
    std::unique_ptr<TbsSkinData> store;
    TbsSkinFrame* frame = nullptr;
};

TEST_F(FramedForm, CornersStayAsTheyAreAndSidesStretch) {
    ASSERT_TRUE(form->Active());
    TBitmap shot;
    PaintFrame(form, shot);
    ExpectZones(shot, true);
    // The corner is copied unscaled: its marker pixel keeps its distance from the right edge.
    const int dW = 320 - kW0;
    EXPECT_EQ(PixelOf(shot, kMarkX + dW, kMarkY), ZoneColor(zMark));
    EXPECT_NE(PixelOf(shot, kMarkX + dW - 1, kMarkY), ZoneColor(zMark));
    // The client area is never painted.
    EXPECT_EQ(PixelOf(shot, 160, 100), static_cast<COLORREF>(ColorToRGB(clFuchsia)));
}

TEST_F(FramedForm, ACaptionButtonShowsItsHotImageWhenTheMouseEnters) {
    const int dW = 320 - kW0;
    const int cx = kCloseOnFrame.left + dW + 7, cy = kCloseOnFrame.top + 7;
    TBitmap before;
    PaintFrame(form, before);
    EXPECT_EQ(PixelOf(before, cx, cy), ZoneColor(zRT));
    EXPECT_EQ(HitTest(form, cx, cy), HTOBJECT);
    TBitmap hot;
    PaintFrame(form, hot);
    EXPECT_EQ(PixelOf(hot, cx, cy), CloseHotColor());
    frame->TestActive(-1, -1, false);
    TBitmap after;
    PaintFrame(form, after);
    EXPECT_EQ(PixelOf(after, cx, cy), ZoneColor(zRT));
}

TEST_F(FramedForm, AnInactiveFormShowsTheInactivePicture) {
    TForm* other = nullptr;
    Application->CreateForm(other);
    other->SetBounds(400, 300, 200, 150);
    other->Show();
    SetActiveWindow(other->Handle());
    Application->ProcessMessages();
    ASSERT_FALSE(form->Active());
    TBitmap shot;
    PaintFrame(form, shot);
    ExpectZones(shot, false);
    SetActiveWindow(form->Handle());
    Application->ProcessMessages();
    PaintFrame(form, shot);
    ExpectZones(shot, true);
    other->Free();
}

TEST_F(FramedForm, TheDefaultLookPaintsItsBorderAndCaptionButtons) {
    frame->SetSkinData(nullptr);
    Application->ProcessMessages();
    TBitmap shot;
    PaintFrame(form, shot);
    EXPECT_EQ(PixelOf(shot, 0, 100), static_cast<COLORREF>(ColorToRGB(cl3DLight)));
    EXPECT_EQ(PixelOf(shot, 1, 100), static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(PixelOf(shot, 319, 100), static_cast<COLORREF>(ColorToRGB(cl3DDkShadow)));
    // Six default buttons exist; the close button sits at the right end of the caption.
    ASSERT_EQ(frame->ObjectList.size(), 6u);
    const TRect close = frame->ObjectList[static_cast<size_t>(frame->GetIndex(L"closebutton"))]->ObjectRect;
    EXPECT_EQ(close.right, 320 - 3);
    EXPECT_EQ(close.Width(), 17);
}

TEST_F(FramedForm, AFormWithoutAnIconShowsTheApplicationsIcon) {
    // A red 16 x 16 icon on the application window; the form has none.
    TBitmap colour(16, 16, pf24bit);
    colour.Canvas()->Brush()->SetColor(clRed);
    colour.Canvas()->FillRect(TRect(0, 0, 16, 16));
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO ii{TRUE, 0, 0, mask, colour.Handle()};
    HICON red = CreateIconIndirect(&ii);
    DeleteObject(mask);
    ASSERT_TRUE(red);
    const HWND app = Application->Handle();
    SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(red));
    ASSERT_EQ(SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL, 0), 0);
    frame->SetSkinData(nullptr);
    frame->SetShowIcon(true);
    Application->ProcessMessages();
    TBitmap shot;
    PaintFrame(form, shot);
    SendMessageW(app, WM_SETICON, ICON_SMALL, 0);
    DestroyIcon(red);
    const int i = frame->GetIndex(L"sysmenubutton");
    ASSERT_GE(i, 0);
    const TRect r = frame->ObjectList[static_cast<size_t>(i)]->ObjectRect;
    EXPECT_EQ(PixelOf(shot, r.left + 4, r.top + 4), RGB(255, 0, 0));
}

// The region the mask should give at a size: the whole window less the
// cut 6 x 6 top-left corner.
HRGN ExpectedMaskRegion(int w, int h) {
    HRGN r = CreateRectRgn(0, 0, w, h);
    HRGN cut = CreateRectRgn(0, 0, 6, 6);
    CombineRgn(r, r, cut, RGN_DIFF);
    DeleteObject(cut);
    return r;
}

TEST_F(PaintTest, TheWindowRegionFollowsTheMaskThroughResizes) {
    auto store = MakeFrameSkin(0, true);
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    const int sizes[][2] = {{300, 200}, {160, 100}, {480, 333}, {kW0, kH0}, {301, 203}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s[0]);
        form->SetBounds(30, 30, s[0], s[1]);
        Application->ProcessMessages();
        HRGN got = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(form->Handle(), got), ERROR);
        HRGN want = ExpectedMaskRegion(s[0], s[1]);
        EXPECT_TRUE(EqualRgn(got, want));
        DeleteObject(got);
        DeleteObject(want);
        // The frame's region is the one the window holds.
        EXPECT_EQ(frame->WindowRegion() != nullptr, true);
    }
}

TEST_F(PaintTest, AMaskIsNeverReadOutsideItsPicture) {
    auto store = MakeFrameSkin();
    auto mask = std::make_unique<TBitmap>(14, 14);
    mask->Canvas()->Brush()->SetColor(clBlack);
    mask->Canvas()->FillRect(TRect(0, 0, 14, 14));
    store->FActivePictures.push_back(std::move(mask));
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    TbsActiveSkinObject obj(frame, nullptr);
    obj.ActiveMaskPicture = store->FActivePictures.back().get();
    EXPECT_TRUE(obj.PointInMask(13, 13));
    EXPECT_FALSE(obj.PointInMask(14, 5));
    EXPECT_FALSE(obj.PointInMask(5, 14));
    EXPECT_FALSE(obj.PointInMask(-1, 5));
}

TEST_F(FramedForm, TheCloseObjectClosesItsForm) {
    TForm* other = nullptr;
    Application->CreateForm(other);
    auto* f2 = new TbsSkinFrame(other);
    f2->SetSkinData(store.get());
    other->SetBounds(100, 100, 300, 200);
    other->Show();
    SetActiveWindow(other->Handle());
    Application->ProcessMessages();
    bool closed = false;
    other->OnClose = [&closed](TObject*, TCloseAction&) { closed = true; };
    const int dW = 300 - kW0;
    NCClick(other, kCloseOnFrame.left + dW + 7, kCloseOnFrame.top + 7);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(other->Visible());
    other->Free();
}

TEST_F(FramedForm, MinimizeAndMaximizeObjectsCarryOutTheirCommands) {
    const int dW = 320 - kW0;
    RECT before;
    GetWindowRect(form->Handle(), &before);
    NCClick(form, kMaxOnFrame.left + dW + 7, kMaxOnFrame.top + 7);
    // The frame maximizes by itself: the form covers the work area (the
    // system's own maximize is never used).
    EXPECT_FALSE(IsZoomed(form->Handle()));
    EXPECT_EQ(frame->WindowState(), wsMaximized);
    RECT work, wr;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(form->Handle(), &wr);
    EXPECT_GE(wr.left, work.left);
    EXPECT_LE(wr.right, work.right);
    EXPECT_GE(wr.right - wr.left, (work.right - work.left) - 2);
    // The maximize button now restores.
    const TRect maxNow = frame->ObjectList[static_cast<size_t>(frame->GetIndex(L"maxbutton"))]->ObjectRect;
    NCClick(form, maxNow.left + 7, maxNow.top + 7);
    EXPECT_EQ(frame->WindowState(), wsNormal);
    GetWindowRect(form->Handle(), &wr);
    EXPECT_EQ(TRect(wr), TRect(before));
    SetActiveWindow(form->Handle());
    Application->ProcessMessages();
    // The main form is minimized by the application and keeps its stored state.
    NCClick(form, kMinOnFrame.left + dW + 7, kMinOnFrame.top + 7);
    EXPECT_TRUE(IsIconic(form->Handle()));
    EXPECT_EQ(frame->WindowState(), wsNormal);
    Application->Restore();
}

TEST_F(FramedForm, ReleasingOutsideTheButtonRunsNoCommand) {
    const int dW = 320 - kW0;
    const int cx = kCloseOnFrame.left + dW + 7, cy = kCloseOnFrame.top + 7;
    bool closed = false;
    form->OnClose = [&closed](TObject*, TCloseAction& a) {
        closed = true;
        a = caNone;
    };
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    const LPARAM p = MAKELPARAM(wr.left + cx, wr.top + cy);
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, (HitTest(form, cx, cy), p));
    // The mouse leaves the button and is released over the client area.
    frame->TestActive(160, 100, true);
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(closed);
    EXPECT_EQ(frame->MouseCaptureObject, -1);
}

}  // namespace
}  // namespace frametest
