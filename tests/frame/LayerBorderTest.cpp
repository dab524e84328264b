// The layered outer border: window placement around the form, side
// windows only where there is room, alpha by activation and form alpha,
// click-through without a border rectangle, and resizing by dragging.
#include <gtest/gtest.h>

#include "FrameSkin.h"
#include "platform/Clock.h"
#include "skin/frame/bsFormLayerBorder.h"

#include <string>
#include <vector>

namespace frametest {
namespace {

void Fill(TBitmap* b, const TRect& r, COLORREF c) {
    b->Canvas()->Brush()->SetStyle(bsSolid);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(c));
    b->Canvas()->FillRect(r);
}

const COLORREF kTopLeftColour = RGB(200, 10, 10), kBandColour = RGB(10, 200, 10);

// A 60 x 50 border picture whose ClRect (10, 12, 50, 40) is the form; the
// top pieces are 20 rows deep and the bottom ones 16 (deeper than the
// picture's margins), so the side bands are 14 rows shorter than the form.
std::unique_ptr<TbsSkinData> MakeLayerSkin(bool withBorderRect) {
    auto s = MakeFrameSkin();
    auto pic = std::make_unique<TBitmap>(60, 50, pf24bit);
    Fill(pic.get(), TRect(0, 0, 60, 50), kBandColour);
    Fill(pic.get(), TRect(0, 0, 20, 20), kTopLeftColour);
    auto mask = std::make_unique<TBitmap>(60, 50, pf24bit);
    Fill(mask.get(), TRect(0, 0, 60, 50), RGB(255, 255, 255));
    s->FActivePictures.push_back(std::move(pic));
    s->FActivePicturesNames->Add(L"layer.bmp");
    s->FActivePictures.push_back(std::move(mask));
    s->FActivePicturesNames->Add(L"layermask.bmp");
    auto& r = *s->LayerFrame;
    r.PictureIndex = static_cast<int>(s->FActivePictures.size()) - 2;
    r.MaskPictureIndex = r.PictureIndex + 1;
    r.ClRect = TRect(10, 12, 50, 40);
    r.LTPoint = TPoint(20, 20);
    r.RTPoint = TPoint(40, 20);
    r.LBPoint = TPoint(20, 34);
    r.RBPoint = TPoint(40, 34);
    r.AlphaBlendValue = 230;
    r.InActiveAlphaBlendValue = 120;
    r.HitTestEnable = true;
    r.BorderRect = withBorderRect ? TRect(4, 5, 56, 46) : TRect();
    return s;
}

class LayerBorderTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame = new TbsSkinFrame(form);
        form->SetBounds(100, 100, 300, 200);
        Application->ProcessMessages();
    }
    TbsFormLayerBorder* MakeBorder(TbsSkinData* skin) {
        auto* b = new TbsFormLayerBorder(form, frame);
        b->InitFrame(skin, form);
        return b;
    }
    static TRect WindowRect(TWinControl* w) {
        RECT r;
        GetWindowRect(w->Handle(), &r);
        return TRect(r);
    }
    static TRect FormRect(TCustomForm* f) { return WindowRect(f); }
    // The frame's own layered border once the frame wears skin.
    TbsFormLayerBorder* FramesBorder(TbsSkinData* skin) {
        frame->SetSkinData(skin);
        Application->ProcessMessages();
        return frame->FLayerBorder;
    }
    TbsSkinFrame* frame = nullptr;
};

TEST_F(LayerBorderTest, FourWindowsSurroundTheForm) {
    auto skin = MakeLayerSkin(true);
    TbsFormLayerBorder* b = MakeBorder(skin.get());
    ASSERT_TRUE(b->InUse());
    b->ShowWithForm();
    // Outer rectangle (90, 88) 320 x 222.
    struct Case {
        TbsFormLayerBorderType side;
        TRect want;
    } cases[] = {
        {bsflTop, TRect(90, 88, 410, 108)},
        {bsflBottom, TRect(90, 294, 410, 310)},
        {bsflLeft, TRect(90, 108, 100, 294)},
        {bsflRight, TRect(400, 108, 410, 294)},
    };
    for (const Case& c : cases) {
        TbsFormLayerWindow* w = b->Window(c.side);
        ASSERT_NE(w, nullptr) << c.side;
        EXPECT_EQ(WindowRect(w), c.want) << c.side;
        EXPECT_TRUE(IsWindowVisible(w->Handle()));
        EXPECT_TRUE(GetWindowLongPtrW(w->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    }
    // The top picture starts with the source's top-left corner piece.
    const TbsColor px = b->Image(bsflTop)->GetPixel(3, 3);
    EXPECT_EQ(RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF), kTopLeftColour);

    // The border follows a move and a resize of the form.
    form->SetBounds(150, 120, 300, 200);
    b->MoveWithForm();
    EXPECT_EQ(WindowRect(b->Window(bsflRight)), TRect(450, 128, 460, 314));
    form->SetBounds(150, 120, 400, 260);
    b->SetBoundsWithForm();
    EXPECT_EQ(WindowRect(b->Window(bsflBottom)), TRect(140, 374, 560, 390));
    EXPECT_EQ(WindowRect(b->Window(bsflLeft)), TRect(140, 128, 150, 374));
    b->Hide();
    EXPECT_EQ(b->Window(bsflTop), nullptr);
}

TEST_F(LayerBorderTest, FormLowerThanTopAndBottomPiecesHasNoSideWindows) {
    auto skin = MakeLayerSkin(true);
    TbsFormLayerBorder* b = MakeBorder(skin.get());
    form->SetBorderStyle(bsNone);  // a captioned window has a minimum height
    form->SetBounds(100, 100, 300, 10);
    ASSERT_EQ(FormRect(form).Height(), 10);
    b->ShowWithForm();
    EXPECT_NE(b->Window(bsflTop), nullptr);
    EXPECT_NE(b->Window(bsflBottom), nullptr);
    EXPECT_EQ(b->Window(bsflLeft), nullptr);
    EXPECT_EQ(b->Window(bsflRight), nullptr);
}

TEST_F(LayerBorderTest, AlphaFollowsActivationAndFormAlpha) {
    auto skin = MakeLayerSkin(true);
    TbsFormLayerBorder* b = MakeBorder(skin.get());
    b->ShowWithForm();
    EXPECT_EQ(b->Window(bsflTop)->AppliedAlpha, 230);
    b->SetActive(false, true);
    EXPECT_EQ(b->Window(bsflTop)->AppliedAlpha, 120);
    EXPECT_EQ(b->Window(bsflLeft)->AppliedAlpha, 120);
    b->SetActive(true, true);
    EXPECT_EQ(b->Window(bsflRight)->AppliedAlpha, 230);

    skin->LayerFrame->AlphaBlendValue = 255;
    skin->LayerFrame->InActiveAlphaBlendValue = 200;
    const struct {
        int formAlpha, active, inactive;
    } cases[] = {{128, 128, 100}, {0, 0, 0}, {255, 255, 200}, {64, 64, 50}};
    for (auto c : cases) {
        b->CheckFormAlpha(c.formAlpha, true);
        EXPECT_EQ(b->FCurrentAlphaBlendValue, c.active) << c.formAlpha;
        EXPECT_EQ(b->FCurrentInActiveAlphaBlendValue, c.inactive) << c.formAlpha;
        EXPECT_EQ(b->Window(bsflBottom)->AppliedAlpha, c.active);
    }
}

TEST_F(LayerBorderTest, EmptyBorderRectGivesClickThroughWindows) {
    auto skin = MakeLayerSkin(false);
    TbsFormLayerBorder* b = MakeBorder(skin.get());
    b->ShowWithForm();
    EXPECT_EQ(b->LeftSize + b->TopSize + b->RightSize + b->BottomSize, 0);
    EXPECT_TRUE(GetWindowLongPtrW(b->Window(bsflTop)->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    auto withRect = MakeLayerSkin(true);
    b->Hide();
    b->InitFrame(withRect.get(), form);
    b->ShowWithForm();
    EXPECT_EQ(b->LeftSize, 6);
    EXPECT_EQ(b->TopSize, 7);
    EXPECT_FALSE(GetWindowLongPtrW(b->Window(bsflTop)->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

TEST_F(LayerBorderTest, HitTestOfEachSide) {
    const TRect f(100, 100, 400, 300);
    const struct {
        TbsFormLayerBorderType side;
        int x, y;
        TbsFormLayerBorderHit want;
    } cases[] = {
        {bsflTop, 95, 95, bsflhTopLeft},      {bsflTop, 102, 102, bsflhTopLeft}, {bsflTop, 200, 95, bsflhTop},
        {bsflTop, 403, 95, bsflhTopRight},    {bsflTop, 95, 110, bsflhLeft},     {bsflTop, 405, 110, bsflhRight},
        {bsflTop, 200, 90, bsflhNone},        {bsflBottom, 200, 303, bsflhBottom},
        {bsflBottom, 96, 303, bsflhBottomLeft}, {bsflBottom, 404, 305, bsflhBottomRight},
        {bsflBottom, 200, 306, bsflhNone},    {bsflLeft, 94, 200, bsflhLeft},    {bsflLeft, 93, 200, bsflhNone},
        {bsflRight, 406, 200, bsflhRight},    {bsflRight, 407, 200, bsflhNone},
    };
    for (auto c : cases)
        EXPECT_EQ(LayerBorderHitTest(c.side, TPoint(c.x, c.y), f, 6, 7, 6, 6), c.want)
            << c.side << " " << c.x << "," << c.y;
}

class LayerDragTest : public LayerBorderTest {
protected:
    void Drag(TbsFormLayerWindow* w, TPoint from, TPoint to) {
        SetCursorPos(from.x, from.y);
        SendMessageW(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SetCursorPos(to.x, to.y);
        SendMessageW(w->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
        SendMessageW(w->Handle(), WM_LBUTTONUP, 0, 0);
    }
};

TEST_F(LayerDragTest, DraggingLeftEdgeResizesAndMinimumKeepsRightEdge) {
    auto skin = MakeLayerSkin(true);
    TbsFormLayerBorder* b = MakeBorder(skin.get());
    b->ShowWithForm();
    Drag(b->Window(bsflLeft), TPoint(95, 200), TPoint(65, 200));
    EXPECT_EQ(FormRect(form), TRect(70, 100, 400, 300));
    EXPECT_EQ(WindowRect(b->Window(bsflLeft)).left, 60);

    frame->MinWidth = 250;
    Drag(b->Window(bsflLeft), TPoint(65, 200), TPoint(165, 200));
    EXPECT_EQ(FormRect(form), TRect(70, 100, 400, 300));
}

TEST_F(LayerDragTest, CornerDragChangingOnlyHeightResizes) {
    auto skin = MakeLayerSkin(true);
    TbsFormLayerBorder* b = MakeBorder(skin.get());
    b->ShowWithForm();
    Drag(b->Window(bsflBottom), TPoint(402, 302), TPoint(402, 322));
    EXPECT_EQ(FormRect(form), TRect(100, 100, 400, 320));
    EXPECT_EQ(WindowRect(b->Window(bsflBottom)).bottom, 330);
}

TEST_F(LayerDragTest, NoResizingForFixedBorderForm) {
    auto skin = MakeLayerSkin(true);
    form->SetBorderStyle(bsSingle);
    form->SetBounds(100, 100, 300, 200);
    TbsFormLayerBorder* b = MakeBorder(skin.get());
    b->ShowWithForm();
    Drag(b->Window(bsflLeft), TPoint(95, 200), TPoint(65, 200));
    EXPECT_EQ(FormRect(form), TRect(100, 100, 400, 300));
}

}  // namespace
}  // namespace frametest

namespace frametest {
namespace {

TEST_F(LayerBorderTest, FrameShowsItsBorderAroundTheFormAndFollowsIt) {
    auto skin = MakeLayerSkin(true);
    TbsFormLayerBorder* b = FramesBorder(skin.get());
    ASSERT_TRUE(b->Visible());
    const TRect f = FormRect(form);
    EXPECT_EQ(WindowRect(b->Window(bsflTop)), TRect(f.left - 10, f.top - 12, f.right + 10, f.top + 8));
    EXPECT_EQ(WindowRect(b->Window(bsflRight)).left, f.right + 10 - 10);

    form->SetBounds(f.left + 40, f.top + 30, f.Width(), f.Height());
    Application->ProcessMessages();
    EXPECT_EQ(WindowRect(b->Window(bsflTop)).left, f.left + 30);
    EXPECT_EQ(WindowRect(b->Window(bsflTop)).top, f.top + 18);
    form->SetBounds(f.left + 40, f.top + 30, f.Width() + 50, f.Height());
    Application->ProcessMessages();
    EXPECT_EQ(WindowRect(b->Window(bsflRight)).left, f.right + 40 + 50);

    form->Hide();
    Application->ProcessMessages();
    EXPECT_FALSE(b->Visible());
    form->Show();
    Application->ProcessMessages();
    EXPECT_TRUE(b->Visible());

    // Without layered borders in the store the border goes.
    skin->SetShowLayeredBorders(false);
    SendMessageW(form->Handle(), WM_CHANGELAYEREDBORDERS, 0, 0);
    EXPECT_FALSE(b->Visible());
}

}  // namespace
}  // namespace frametest

namespace frametest {
namespace {

TEST_F(LayerDragTest, WhileTheBorderResizesTheFormNoCaptionButtonLightsUp) {
    auto skin = MakeLayerSkin(true);
    frame->SetSkinData(skin.get());
    form->Show();
    Application->ProcessMessages();
    SetActiveWindow(form->Handle());
    Application->ProcessMessages();
    ASSERT_TRUE(form->Active());
    std::vector<std::wstring> entered;
    frame->OnMouseEnterEvent = [&entered](const String& name) { entered.push_back(name); };
    TbsFormLayerBorder* b = MakeBorder(skin.get());
    b->ShowWithForm();
    const TRect close = frame->ObjectList[static_cast<size_t>(frame->GetIndex(L"closebutton"))]->ObjectRect;
    TbsFormLayerWindow* right = b->Window(bsflRight);
    const TRect r = WindowRect(right);
    const TPoint from(r.left + 2, r.top + r.Height() / 2);
    // Button down on the border and a drag step: the form is resizing.
    SetCursorPos(from.x, from.y);
    SendMessageW(right->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SetCursorPos(from.x + 20, from.y);
    SendMessageW(right->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    HitTest(form, close.left + 3, close.top + 3);
    EXPECT_TRUE(entered.empty());
    SendMessageW(right->Handle(), WM_LBUTTONUP, 0, 0);
    // The drag is over: the button, moved with the right edge, lights up again.
    const TRect moved = frame->ObjectList[static_cast<size_t>(frame->GetIndex(L"closebutton"))]->ObjectRect;
    EXPECT_GT(moved.left, close.left);
    HitTest(form, moved.left + 3, moved.top + 3);
    ASSERT_EQ(entered.size(), 1u);
    EXPECT_EQ(entered[0], L"closebutton");
}

}  // namespace
}  // namespace frametest

namespace frametest {
namespace {

TEST_F(LayerBorderTest, SmartEffectsKeepTheBorderOffUntilTheyEndAndPreviewsHaveNone) {
    auto skin = MakeLayerSkin(true);
    TbsFormLayerBorder* b = FramesBorder(skin.get());
    ASSERT_TRUE(b->Visible());
    form->Hide();
    Application->ProcessMessages();
    SendMessageW(form->Handle(), CM_BEGINSMARTEFFECTS, 0, 0);
    form->Show();
    Application->ProcessMessages();
    EXPECT_FALSE(b->Visible());
    SendMessageW(form->Handle(), CM_ENDSMARTEFFECTS, 0, 0);
    EXPECT_TRUE(b->Visible());

    frame->PreviewMode = true;
    SendMessageW(form->Handle(), WM_CHANGELAYEREDBORDERS, 0, 0);
    EXPECT_FALSE(b->Visible());
}

}  // namespace
}  // namespace frametest

namespace frametest {
namespace {

BYTE LayeredAlpha(HWND h) {
    BYTE a = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(h, nullptr, &a, &flags);
    return a;
}

TEST_F(LayerBorderTest, AFormWithoutAFadeAppearsWithItsBorderOneTickAfterItsShow) {
    auto skin = MakeLayerSkin(true);
    frame->SetSkinData(skin.get());
    Application->ProcessMessages();
    const struct {
        const char* name;
        bool alphaBlend;
        BYTE formAlpha;  // -: the form is an ordinary window after the tick
    } cases[] = {{"no alpha asked", false, 0}, {"alpha 200", true, 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form->Hide();
        Application->ProcessMessages();
        frame->SetAlphaBlendValue(200);
        frame->SetAlphaBlend(c.alphaBlend);
        platform::ScopedManualClock clock;
        form->Show();
        const HWND h = form->Handle();
        // Until the first tick the form and its border are invisible.
        ASSERT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
        EXPECT_EQ(LayeredAlpha(h), 0);
        TbsFormLayerBorder* b = frame->FLayerBorder;
        ASSERT_TRUE(b->Visible());
        EXPECT_EQ(b->Window(bsflTop)->AppliedAlpha, 0);
        ASSERT_TRUE(clock.HasTimer(h, 1));
        clock.Advance(1);
        EXPECT_FALSE(clock.HasTimer(h, 1));
        const int active = form->Active() ? 230 : 120;
        if (c.alphaBlend) {
            ASSERT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
            EXPECT_EQ(LayeredAlpha(h), c.formAlpha);
            EXPECT_EQ(b->Window(bsflTop)->AppliedAlpha, active * 200 / 255);
        } else {
            EXPECT_FALSE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
            EXPECT_EQ(b->Window(bsflTop)->AppliedAlpha, active);
        }
    }
    frame->SetAlphaBlend(false);
}

TEST_F(LayerBorderTest, ARestoreFromTheTrayBringsTheStayOnTopFormForwardWithTheLayeredFrame) {
    TForm* onTop = nullptr;
    Application->CreateForm(onTop);
    onTop->SetFormStyle(fsStayOnTop);
    onTop->SetBounds(500, 100, 200, 150);
    onTop->Show();
    auto layered = MakeLayerSkin(true);
    auto plain = MakeFrameSkin();
    const struct {
        const char* name;
        TbsSkinData* skin;
        int tag;
        HWND foreground;  // after the message
    } cases[] = {
        {"layered frame", layered.get(), -10000, onTop->Handle()},
        {"no layered frame", plain.get(), -10000, form->Handle()},
        {"not restored from the tray", layered.get(), 5, form->Handle()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frame->SetSkinData(c.skin);
        Application->ProcessMessages();
        SetForegroundWindow(form->Handle());
        ASSERT_EQ(GetForegroundWindow(), form->Handle());
        form->Tag = c.tag;
        SendMessageW(form->Handle(), WM_TRAYRESTORED, 0, 0);
        EXPECT_EQ(GetForegroundWindow(), c.foreground);
        EXPECT_EQ(form->Tag, c.tag == -10000 ? 0 : c.tag);
    }
    onTop->Free();
}

TEST_F(LayerBorderTest, InAFullDragTheBorderFollowsEachProposedSizeAndTheFormsMoves) {
    auto skin = MakeLayerSkin(true);
    TbsFormLayerBorder* b = FramesBorder(skin.get());
    ASSERT_TRUE(b->Visible());
    FullDrag drag(true);
    const HWND h = form->Handle();
    // The border's outer rectangle for a form rectangle.
    const auto around = [](int l, int t, int r) { return TRect(l - 10, t - 12, r + 10, t + 8); };
    SendMessageW(h, WM_ENTERSIZEMOVE, 0, 0);
    // Wider to the right: the border is there before the window is.
    RECT r{100, 100, 450, 300};
    SendMessageW(h, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(WindowRect(b->Window(bsflTop)), around(100, 100, 450));
    SetWindowPos(h, nullptr, 100, 100, 350, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    // Then by the left edge: the window moves as it grows.
    r = RECT{60, 100, 450, 300};
    SendMessageW(h, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
    SetWindowPos(h, nullptr, 60, 100, 390, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(WindowRect(b->Window(bsflTop)), around(60, 100, 450));
    SendMessageW(h, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(WindowRect(b->Window(bsflTop)), around(60, 100, 450));
    EXPECT_EQ(WindowRect(b->Window(bsflLeft)).left, 50);
}

}  // namespace
}  // namespace frametest
