// Frame objects: their states from BorderIcons, default hints, custom
// objects, animation and morph steps, and the inactive-client panel.
#include "FrameSkin.h"
#include "skin/frame/bsSkinFramePanel.h"

namespace frametest {
namespace {

using ObjectsTest = FrameTest;

TbsActiveSkinObject* Obj(TbsSkinFrame* f, const wchar_t* name) {
    const int i = f->GetIndex(name);
    return i < 0 ? nullptr : f->ObjectList[static_cast<size_t>(i)].get();
}

TEST_F(ObjectsTest, BorderIconsEnableAndShowTheCaptionButtons) {
    auto store = MakeFrameSkin();
    // The minimize button's image lies in the button picture, the others on the frame.
    static_cast<TbsDataSkinStdButton*>(store->ObjectList[3].get())->SkinRectInAPicture = true;
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    const struct {
        TbsBorderIcons icons;
        bool maxEnabled, maxVisible, minEnabled, minVisible;
    } rows[] = {
        {biSkinSystemMenu | biSkinMinimize | biSkinMaximize, true, true, true, true},
        {biSkinSystemMenu | biSkinMinimize, false, true, true, true},
        {biSkinSystemMenu | biSkinMaximize, true, true, false, false},
        {0, false, true, false, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.icons);
        frame->SetBorderIcons(r.icons);
        EXPECT_EQ(Obj(frame, L"maxbutton")->Enabled, r.maxEnabled);
        EXPECT_EQ(Obj(frame, L"maxbutton")->Visible, r.maxVisible);
        EXPECT_EQ(Obj(frame, L"minbutton")->Enabled, r.minEnabled);
        EXPECT_EQ(Obj(frame, L"minbutton")->Visible, r.minVisible);
        EXPECT_TRUE(Obj(frame, L"closebutton")->Enabled);
    }
    frame->SetHideCaptionButtons(true);
    EXPECT_FALSE(Obj(frame, L"closebutton")->Enabled);
    EXPECT_TRUE(Obj(frame, L"closebutton")->Visible);  // drawn on the frame picture
    EXPECT_FALSE(Obj(frame, L"minbutton")->Visible);
}

TEST_F(ObjectsTest, CaptionButtonsTakeTheBuiltInHintsAndACustomObjectIsHiddenUnlessAsked) {
    auto store = MakeFrameSkin();
    auto custom = std::make_unique<TbsDataSkinStdButton>(L"help");
    custom->Command = cmDefault;
    custom->Hint = L"Help me";
    store->ObjectList.push_back(std::move(custom));
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    EXPECT_EQ(Obj(frame, L"closebutton")->Hint, L"Close");
    EXPECT_EQ(Obj(frame, L"maxbutton")->Hint, L"Maximize");
    EXPECT_EQ(static_cast<TbsSkinStdButtonObject*>(Obj(frame, L"maxbutton"))->RestoreHint, L"Restore");
    EXPECT_EQ(Obj(frame, L"help")->Hint, L"Help me");
    EXPECT_FALSE(Obj(frame, L"help")->Visible);
    frame->OnActivateCustomObject = [](const String& name, bool& visible) { visible = name == L"help"; };
    frame->CheckObjects();
    EXPECT_TRUE(Obj(frame, L"help")->Visible);
}

TEST_F(ObjectsTest, AnAnimationStepsAtItsIntervalRoundedUpTo25ms) {
    auto store = MakeFrameSkin();
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    for (const auto& c : {std::pair<int, int>{10, 1}, {60, 3}, {75, 3}, {76, 4}}) {
        SCOPED_TRACE(c.first);
        TbsDataSkinAnimate rec(L"spinner");
        rec.CountFrames = 5;
        rec.TimerInterval = c.first;
        TbsSkinAnimateObject a(frame, &rec);
        a.Start();
        int ticks = 0;
        while (a.Frame() == 1 && ticks < 20) {
            a.ChangeFrame();
            ++ticks;
        }
        EXPECT_EQ(ticks, c.second);  // ticks of 25 ms until frame 2
    }
    frame->AnimateTimer->SetEnabled(false);
}

TEST_F(ObjectsTest, AHoverBlendTakesFiveStepsAndTurnsBackFromWhereItIs) {
    auto store = MakeFrameSkin();
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    TbsDataSkinButton rec(L"b");
    rec.ActivePictureIndex = 0;
    rec.ActiveSkinRect = TRect(0, 0, 14, 14);
    rec.Morphing = true;
    TbsSkinButtonObject b(frame, &rec);
    b.Active = true;
    int steps = 0;
    while (b.CanMorphing() && steps < 10) {
        b.DoMorphing();
        ++steps;
    }
    EXPECT_EQ(steps, 5);
    EXPECT_DOUBLE_EQ(b.MorphKf(), 1.0);
    b.Active = false;
    b.DoMorphing();
    b.DoMorphing();
    EXPECT_NEAR(b.MorphKf(), 0.6, 1e-9);
    frame->MorphTimer->SetEnabled(false);
}

TEST_F(ObjectsTest, TheInactiveClientPanelShowsAPaintedPictureOfTheClient) {
    form->SetColor(clRed);
    auto* frame = new TbsSkinFrame(form);
    frame->ClientInActiveEffect = true;
    Application->ProcessMessages();
    auto* panel = new TbsClientInActivePanel(frame);
    panel->ShowPanel(form, bsieBlur);
    ASSERT_NE(panel->Buffer(), nullptr);
    EXPECT_TRUE(panel->Visible());
    EXPECT_EQ(panel->Width(), form->ClientWidth());
    // The frame's plain client background, captured by a real paint.
    const TbsColor c = panel->Buffer()->Bits()[panel->Buffer()->Width() * 10 + 10];
    const COLORREF face = ColorToRGB(clBtnFace);
    EXPECT_EQ(RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF), face);
    panel->HidePanel();
    EXPECT_EQ(panel->Buffer(), nullptr);
    // A hidden form gives no picture.
    form->Hide();
    panel->ShowPanel(form, bsieSemiTransparent);
    EXPECT_FALSE(panel->Visible());
    panel->Free();
}

}  // namespace
}  // namespace frametest

namespace frametest {
namespace {

TEST_F(ObjectsTest, AQuickButtonIsClickedOnlyWhenReleasedOverIt) {
    auto store = MakeFrameSkin();
    auto* frame = new TbsSkinFrame(form);
    frame->SetQuickImageList(platform_test::SolidColourList(form, {clRed, clLime}));
    int clicks[2] = {0, 0};
    TObject* sender = nullptr;
    for (int i = 0; i < 2; ++i) {
        TbsQuickButtonItem* it = frame->QuickButtons()->Add();
        it->SetImageIndex(i);
        it->OnClick = [&clicks, &sender, i](TObject* s) {
            ++clicks[i];
            sender = s;
        };
    }
    frame->SetSkinData(store.get());
    form->SetBounds(40, 40, 320, 210);
    Application->ProcessMessages();
    SetActiveWindow(form->Handle());
    Application->ProcessMessages();
    TBitmap shot;
    PaintFrame(form, shot);  // lays the buttons out
    const TRect second = frame->QuickButtons()->Items(1)->ItemRect;
    ASSERT_FALSE(second.IsEmpty());
    // The second button's image shows in its place.
    EXPECT_EQ(PixelOf(shot, second.left + second.Width() / 2, second.top + second.Height() / 2),
              static_cast<COLORREF>(ColorToRGB(clLime)));
    // The strip of quick buttons is not a place to drag the window by.
    EXPECT_EQ(HitTest(form, second.left + 2, second.top + 2), HTOBJECT);
    NCClick(form, second.left + 2, second.top + 2);
    EXPECT_EQ(clicks[0], 0);
    EXPECT_EQ(clicks[1], 1);
    // The click names the caption that holds the buttons.
    auto* caption = dynamic_cast<TbsSkinCaptionObject*>(sender);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->IDName, L"caption");
    // Pressed on the first button, released beside the buttons: no click.
    const TRect first = frame->QuickButtons()->Items(0)->ItemRect;
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    const LPARAM down = MAKELPARAM(wr.left + first.left + 2, wr.top + first.top + 2);
    HitTest(form, first.left + 2, first.top + 2);
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, down);
    const LPARAM up = MAKELPARAM(wr.left + second.right + 30, wr.top + first.top + 2);
    SendMessageW(form->Handle(), WM_NCLBUTTONUP, HTCAPTION, up);
    EXPECT_EQ(clicks[0], 0);
    EXPECT_FALSE(frame->QuickButtons()->Items(0)->Down);
}

}  // namespace
}  // namespace frametest
