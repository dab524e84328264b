// The skinned hint: timed showing at the cursor, the skin's look, line
// breaks, keeping on screen, hiding, and the hooks it installs.
#include <gtest/gtest.h>

#include <algorithm>

#include "FrameSkin.h"
#include "platform/Clock.h"
#include "platform/StdCtrls.h"
#include "skin/frame/bsSkinHint.h"

namespace frametest {
namespace {

// Hint picture 40 x 24: corners 6 x 6 in four colours, a border colour and
// a client colour; client rectangle (6, 6, 34, 18).
const COLORREF kHintLT = RGB(250, 0, 0), kHintRB = RGB(0, 0, 250), kHintBorder = RGB(0, 160, 0);
const COLORREF kHintClient = RGB(255, 255, 200);

void FillRect(TBitmap* b, const TRect& r, COLORREF c) {
    b->Canvas()->Brush()->SetStyle(bsSolid);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(c));
    b->Canvas()->FillRect(r);
}

std::unique_ptr<TbsSkinData> MakeHintSkin(bool withMask) {
    auto s = MakeFrameSkin();
    auto pic = std::make_unique<TBitmap>(40, 24, pf24bit);
    FillRect(pic.get(), TRect(0, 0, 40, 24), kHintBorder);
    FillRect(pic.get(), TRect(6, 6, 34, 18), kHintClient);
    FillRect(pic.get(), TRect(0, 0, 6, 6), kHintLT);
    FillRect(pic.get(), TRect(34, 18, 40, 24), kHintRB);
    s->FActivePictures.push_back(std::move(pic));
    s->FActivePicturesNames->Add(L"hint.bmp");
    auto& rec = *s->HintWindow;
    rec.WindowPictureIndex = static_cast<int>(s->FActivePictures.size()) - 1;
    rec.LTPoint = TPoint(6, 6);
    rec.RTPoint = TPoint(34, 6);
    rec.LBPoint = TPoint(6, 18);
    rec.RBPoint = TPoint(34, 18);
    rec.ClRect = TRect(6, 6, 34, 18);
    rec.FontColor = clBlack;
    rec.FontHeight = 13;
    rec.FontName = L"Arial";
    if (withMask) {
        // Black is inside; the top-left 3 x 3 corner is cut away.
        auto mask = std::make_unique<TBitmap>(40, 24, pf24bit);
        FillRect(mask.get(), TRect(0, 0, 40, 24), RGB(0, 0, 0));
        FillRect(mask.get(), TRect(0, 0, 3, 3), RGB(255, 255, 255));
        s->FActivePictures.push_back(std::move(mask));
        s->FActivePicturesNames->Add(L"hintmask.bmp");
        rec.MaskPictureIndex = static_cast<int>(s->FActivePictures.size()) - 1;
    }
    return s;
}

// A 32 x 32 cursor with its hot spot at (3, 4) whose lowest visible row is 19.
HCURSOR MakeTestCursor() {
    BYTE andMask[32 * 4], xorMask[32 * 4];
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 4; ++x) {
            andMask[y * 4 + x] = y <= 19 ? 0x00 : 0xFF;
            xorMask[y * 4 + x] = 0x00;
        }
    return CreateCursor(GetModuleHandleW(nullptr), 3, 4, 32, 32, andMask, xorMask);
}
constexpr int kCursorMargin = 19 + 1 - 4;

class HintTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        cursor = MakeTestCursor();
        SetCursor(cursor);
    }
    void TearDown() override {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        DestroyCursor(cursor);
        FrameTest::TearDown();
    }
    TbsSkinHint* MakeHint(TbsSkinData* skin) {
        auto* h = new TbsSkinHint(form);
        h->SetSkinData(skin);
        return h;
    }
    static TRect WindowRect(TWinControl* w) {
        RECT r;
        GetWindowRect(w->Handle(), &r);
        return TRect(r);
    }
    static COLORREF Shot(TWinControl* w, TBitmap& shot, int x, int y) {
        shot.SetPixelFormat(pf24bit);
        shot.SetSize(w->Width(), w->Height());
        SendMessageW(w->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), PRF_CLIENT);
        return PixelOf(shot, x, y);
    }
    HCURSOR cursor = nullptr;
};

TEST_F(HintTest, CursorMarginIsDistanceFromHotSpotToLowestVisibleRow) {
    auto skin = MakeHintSkin(false);
    TbsSkinHint* h = MakeHint(skin.get());
    EXPECT_EQ(h->GetCursorHeightMargin(), kCursorMargin);
}

TEST_F(HintTest, TimedHintShowsAfterPauseBelowCursorInSkinLookAndHidesAfterHidePause) {
    platform::ScopedManualClock clock;
    auto skin = MakeHintSkin(false);
    TbsSkinHint* h = MakeHint(skin.get());
    Application->HintPause = 400;
    Application->HintHidePause = 3000;
    SetCursorPos(300, 200);
    SetCursor(cursor);
    h->ActivateHint2(L"Hello");
    clock.Advance(399);
    EXPECT_FALSE(h->IsVisible());
    clock.Advance(1);
    ASSERT_TRUE(h->IsVisible());
    TbsSkinHintWindow* w = h->HintWindow();
    EXPECT_TRUE(IsWindowVisible(w->Handle()));
    const TRect r = WindowRect(w);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200 + kCursorMargin);
    EXPECT_EQ(w->SkinInUse(), skin.get());

    // The skin's picture stretched to the window: its corners stay in place.
    TBitmap shot;
    EXPECT_EQ(Shot(w, shot, 1, 1), kHintLT);
    EXPECT_EQ(PixelOf(shot, w->Width() - 2, w->Height() - 2), kHintRB);
    EXPECT_EQ(PixelOf(shot, w->Width() / 2, 2), kHintBorder);

    clock.Advance(2999);
    EXPECT_TRUE(h->IsVisible());
    clock.Advance(1);
    EXPECT_FALSE(h->IsVisible());
    EXPECT_FALSE(IsWindowVisible(w->Handle()));
}

TEST_F(HintTest, SeparatorBecomesLineBreakAndAddsALine) {
    auto skin = MakeHintSkin(false);
    TbsSkinHint* h = MakeHint(skin.get());
    h->ActivateHint(TPoint(100, 100), L"one");
    const int oneLine = h->HintWindow()->Height();
    h->ActivateHint(TPoint(100, 100), L"one@two");
    EXPECT_EQ(h->HintWindow()->Caption(), String(L"one\r\ntwo"));
    EXPECT_GT(h->HintWindow()->Height(), oneLine + 8);

    struct Case {
        const wchar_t *text, *sep, *want;
    } cases[] = {
        {L"a@b@c", L"@", L"a\r\nb\r\nc"},
        {L"@", L"@", L"\r\n"},
        {L"a||b", L"||", L"a\r\nb"},
        {L"a@b", L"", L"a@b"},
        {L"plain", L"@", L"plain"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReplaceHintSeparators(c.text, c.sep), String(c.want)) << c.text;
}

TEST_F(HintTest, HintNearWorkAreaEdgesMovesBackInside) {
    auto skin = MakeHintSkin(false);
    TbsSkinHint* h = MakeHint(skin.get());
    TRect work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    h->ActivateHint(TPoint(work.right - 5, work.bottom - 5), L"near the corner");
    TbsSkinHintWindow* w = h->HintWindow();
    const TRect r = WindowRect(w);
    EXPECT_EQ(r.left, work.right - 5 - w->Width() - 2);
    EXPECT_EQ(r.top, work.bottom - 5 - w->Height() - 2);
    EXPECT_LE(r.right, work.right);
    EXPECT_LE(r.bottom, work.bottom);
}

TEST_F(HintTest, FromRectAboveCentresOnRectangle) {
    TbsSkinHint* h = MakeHint(nullptr);
    const TRect target(200, 300, 300, 320);
    h->HintWindow()->ActivateHintFromRect(target, L"above", true);
    TbsSkinHintWindow* w = h->HintWindow();
    const TRect r = WindowRect(w);
    EXPECT_EQ(r.bottom, target.top);
    EXPECT_EQ(r.left, 250 - w->Width() / 2);
    h->HintWindow()->ActivateHintFromRect(target, L"below", false);
    EXPECT_EQ(WindowRect(w).top, target.bottom);
}

// A title and an image: the window grows by the image and the title line;
// in the skinned look the title stands at the client area's top-left (5 in),
// the image below it and the text right of the image.
TEST_F(HintTest, TitleAndImageLayoutPutsTheImageUnderTheTitleAndLeftOfTheText) {
    auto skin = MakeHintSkin(false);
    TbsSkinHint* h = MakeHint(skin.get());
    TCustomImageList* images = platform_test::SolidColourList(form, {clRed});
    const String title = L"Convert", text = L"Starts the queued files";
    h->ActivateHintEx(TPoint(100, 100), title, text, 0, images);
    TbsSkinHintWindow* w = h->HintWindow();
    ASSERT_NE(w->SkinInUse(), nullptr);
    EXPECT_TRUE(w->AExtendedStyle);
    // Sizes in the record's font (Arial, 13).
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->SetName(L"Arial");
    measure.Canvas()->Font()->SetHeight(13);
    const SIZE ts = measure.Canvas()->TextExtent(text), tt = measure.Canvas()->TextExtent(title);
    // Content: the wider line plus image and gaps; the frame adds 12 each way.
    EXPECT_EQ(w->Width(), std::max(ts.cx, tt.cx) + 16 + 10 + 10 + 12);
    EXPECT_EQ(w->Height(), std::max(ts.cy + tt.cy + 10, 16 + tt.cy + 5) + 12);
    TBitmap shot;
    Shot(w, shot, 0, 0);
    const int x = 6 + 5, y = 6 + tt.cy + 5;  // client area (6, 6), 5 in, below the title
    const COLORREF red = ColorToRGB(clRed);
    EXPECT_EQ(PixelOf(shot, x, y), red);
    EXPECT_EQ(PixelOf(shot, x + 15, y + 15), red);
    EXPECT_NE(PixelOf(shot, x - 1, y + 8), red);
    EXPECT_NE(PixelOf(shot, x + 8, y - 1), red) << "the title line stays clear of the image";
    // The text starts right of the image: nothing dark between image and text.
    for (int yy = y; yy < y + 16; ++yy)
        for (int xx = x + 16; xx < x + 16 + 5; ++xx) EXPECT_EQ(PixelOf(shot, xx, yy), kHintClient) << xx << "," << yy;
    h->HideHint();
}

TEST_F(HintTest, WithoutSkinDrawsPlainTooltipColours) {
    TbsSkinHint* h = MakeHint(nullptr);
    h->ActivateHint(TPoint(100, 100), L"plain");
    TbsSkinHintWindow* w = h->HintWindow();
    EXPECT_EQ(w->SkinInUse(), nullptr);
    TBitmap shot;
    EXPECT_EQ(Shot(w, shot, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(shot, 1, w->Height() / 2), ColorToRGB(clInfoBk));
}

TEST_F(HintTest, MaskGivesRegionAndSkinWithoutMaskRemovesIt) {
    auto masked = MakeHintSkin(true);
    auto plain = MakeHintSkin(false);
    TbsSkinHint* h = MakeHint(masked.get());
    h->ActivateHint(TPoint(100, 100), L"shaped");
    TbsSkinHintWindow* w = h->HintWindow();
    ASSERT_TRUE(w->HasRegion());
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(w->Handle(), probe), ERROR);
    EXPECT_FALSE(PtInRegion(probe, 1, 1));
    EXPECT_TRUE(PtInRegion(probe, 10, 10));
    // A second showing replaces the region the window holds.
    h->ActivateHint(TPoint(100, 100), L"shaped again, longer");
    EXPECT_NE(GetWindowRgn(w->Handle(), probe), ERROR);
    h->SetSkinData(plain.get());
    h->ActivateHint(TPoint(100, 100), L"square");
    EXPECT_FALSE(w->HasRegion());
    EXPECT_EQ(GetWindowRgn(w->Handle(), probe), ERROR);
    DeleteObject(probe);
}

TEST_F(HintTest, HintWindowClassAndShowHintHandlerLeaveWithTheirComponent) {
    TbsSkinHint* first = MakeHint(nullptr);
    EXPECT_NE(dynamic_cast<TbsSkinHintWindow*>(Application->HintWindow()), nullptr);
    int calls = 0;
    first->OnShowHint = [&](String&, bool&, THintInfo&) { ++calls; };

    // A later installer keeps its class when the first component goes.
    THintWindow* made = nullptr;
    auto token = Application->AddHintWindowClass([&](TComponent* owner) {
        made = new THintWindow(owner);
        return made;
    });
    first->Free();
    Application->SetShowHint(false);
    Application->SetShowHint(true);
    EXPECT_EQ(Application->HintWindow(), made);
    token.Remove();
    Application->SetShowHint(false);
    Application->SetShowHint(true);
    EXPECT_EQ(dynamic_cast<TbsSkinHintWindow*>(Application->HintWindow()), nullptr);

    // A hinted control no longer reaches the freed component.
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 24);
    button->Hint = L"tip";
    button->SetShowHint(true);
    Application->ProcessMessages();
    const TPoint p = button->ClientToScreen(TPoint(5, 5));
    Application->ActivateHint(p);
    EXPECT_EQ(calls, 0);
}

TEST_F(HintTest, ApplicationHintOfSkinnedControlRunsHandlerAndShowsInSkinnedWindow) {
    auto skin = MakeHintSkin(false);
    TbsSkinHint* h = MakeHint(skin.get());
    int calls = 0;
    h->OnShowHint = [&](String& s, bool&, THintInfo&) {
        ++calls;
        s += L"!";
    };
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 24);
    button->Hint = L"tip@more";
    button->SetShowHint(true);
    Application->ProcessMessages();
    Application->ActivateHint(button->ClientToScreen(TPoint(5, 5)));
    EXPECT_EQ(calls, 1);
    auto* w = dynamic_cast<TbsSkinHintWindow*>(Application->HintWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Caption(), String(L"tip\r\nmore!"));
    EXPECT_EQ(w->SkinInUse(), skin.get());
}

TEST_F(HintTest, ActivatingSecondHintSwitchesFirstOff) {
    TbsSkinHint* a = MakeHint(nullptr);
    TbsSkinHint* b = MakeHint(nullptr);
    b->SetActive(true);
    EXPECT_FALSE(a->Active());
    EXPECT_TRUE(b->Active());
    EXPECT_EQ(FindActiveSkinHint(), b);
    b->SetActive(false);
    EXPECT_EQ(FindActiveSkinHint(), nullptr);
    // Without a component in charge nothing shows.
    a->ActivateHint(TPoint(50, 50), L"nothing");
    EXPECT_FALSE(a->IsVisible());
}

TEST(HintFade, StepIsValueOverFifteenAtLeastOne) {
    const struct {
        int value, step;
    } cases[] = {{200, 13}, {10, 1}, {15, 1}, {255, 17}, {0, 1}};
    for (auto c : cases) EXPECT_EQ(HintFadeStep(c.value), c.step) << c.value;
}

}  // namespace
}  // namespace frametest
