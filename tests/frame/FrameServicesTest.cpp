// Services of the frame seen from a shown form: caption-button settings
// that take effect at once, the system-menu button, object hints, the
// caption paint event, references dropped when their components go, the
// fade-in freeing its form, and hover tracking during a border drag.
#include <string>
#include <vector>

#include "FrameSkin.h"
#include "platform/Clock.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/frame/bsFormLayerBorder.h"
#include "skin/frame/bsSkinHint.h"
#include "skin/frame/bsSkinMenus.h"

namespace frametest {
namespace {

// A 12 x 12 button object at the left end of the caption bar, its hot
// look from the button picture. The caption makes room: a button within
// it would be a place to drag by.
void PutBeforeCaption(TbsSkinData* store, std::unique_ptr<TbsDataSkinButton> button) {
    button->SkinRect = TRect(8, 6, 20, 18);
    button->ActivePictureIndex = 0;
    button->ActiveSkinRect = TRect(0, 0, 12, 12);
    store->ObjectList.insert(store->ObjectList.begin(), std::move(button));
    for (auto& o : store->ObjectList)
        if (auto* c = dynamic_cast<TbsDataSkinCaption*>(o.get())) c->SkinRect.left = 22;
}

class FrameServicesTest : public FrameTest {
protected:
    // The frame of `form` with the test skin, shown and active.
    TbsSkinFrame* ShownFrame(TbsSkinData* store) {
        auto* frame = new TbsSkinFrame(form);
        frame->SetSkinData(store);
        form->SetBounds(40, 40, 320, 210);
        form->Show();
        Application->ProcessMessages();
        SetActiveWindow(form->Handle());
        Application->ProcessMessages();
        EXPECT_TRUE(form->Active());
        return frame;
    }
    static TPoint CentreOf(TbsSkinFrame* frame, const wchar_t* name) {
        const int i = frame->GetIndex(name);
        EXPECT_GE(i, 0) << name;
        const TRect r = frame->ObjectList[static_cast<size_t>(i)]->ObjectRect;
        return TPoint(r.left + r.Width() / 2, r.top + r.Height() / 2);
    }
};

TEST_F(FrameServicesTest, HidingTheCaptionButtonsOfAShownFormDisablesTheCloseButtonAtOnce) {
    auto store = MakeFrameSkin();
    TbsSkinFrame* frame = ShownFrame(store.get());
    int closes = 0;
    form->OnClose = [&closes](TObject*, TCloseAction& action) {
        ++closes;
        action = caNone;
    };
    const TPoint close = CentreOf(frame, L"closebutton");
    frame->SetHideCaptionButtons(true);
    NCClick(form, close.x, close.y);
    EXPECT_EQ(closes, 0);
    frame->SetHideCaptionButtons(false);
    NCClick(form, close.x, close.y);
    EXPECT_EQ(closes, 1);
}

TEST_F(FrameServicesTest, AlphaBlendOnAShownFormMakesItTranslucentAtOnce) {
    auto* frame = new TbsSkinFrame(form);
    form->Show();
    Application->ProcessMessages();
    const HWND h = form->Handle();
    frame->SetAlphaBlendValue(150);
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);  // not yet asked for
    frame->SetAlphaBlend(true);
    ASSERT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE a = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(h, nullptr, &a, &flags);
    EXPECT_EQ(a, 150);
    frame->SetAlphaBlendValue(90);
    GetLayeredWindowAttributes(h, nullptr, &a, &flags);
    EXPECT_EQ(a, 90);
    frame->SetAlphaBlend(false);
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(FrameServicesTest, AButtonObjectOpensItsLinkedMenuAndASkinnedPopupMenuOpensAsItself) {
    auto store = MakeFrameSkin();
    PutBeforeCaption(store.get(), std::make_unique<TbsDataSkinButton>(L"menubutton"));
    TbsSkinFrame* frame = ShownFrame(store.get());
    std::vector<std::string> log;
    auto* skinned = new TbsSkinPopupMenu(form);
    skinned->OnMenuClose = [&log](TObject*) { log.push_back("skinned:close"); };
    auto* plain = new TPopupMenu(form);
    for (TPopupMenu* m : {static_cast<TPopupMenu*>(skinned), plain}) {
        auto* item = new TMenuItem(m);
        item->SetCaption(L"entry");
        m->Items()->Add(item);
    }
    frame->OnSkinMenuClose = [&log](TObject*) { log.push_back("frame:close"); };
    const TPoint p = CentreOf(frame, L"menubutton");
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    const LPARAM at = MAKELPARAM(wr.left + p.x, wr.top + p.y);
    const TRect r = frame->ObjectList[static_cast<size_t>(frame->GetIndex(L"menubutton"))]->ObjectRect;
    const struct {
        const char* name;
        TPopupMenu* menu;
        std::vector<std::string> closing;  // heard when the open menu is hidden
    } cases[] = {
        {"skinned popup menu", skinned, {"skinned:close", "frame:close"}},
        {"plain popup menu", plain, {"frame:close"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frame->LinkMenu(L"menubutton", c.menu, false);
        ASSERT_EQ(HitTest(form, p.x, p.y), HTOBJECT);
        SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, at);
        ASSERT_EQ(frame->SkinMenu->FPopupList.size(), 1u);
        TbsSkinPopupWindow* level = frame->SkinMenu->FPopupList[0];
        ASSERT_EQ(level->ItemList.size(), 1u);
        EXPECT_EQ(level->ItemList[0]->MenuItem, c.menu->Items()->Items(0));
        // Below the button.
        RECT lr;
        GetWindowRect(level->Handle(), &lr);
        EXPECT_EQ(lr.left, wr.left + r.left);
        EXPECT_EQ(lr.top, wr.top + r.bottom);
        log.clear();
        frame->SkinMenu->Hide();
        Application->ProcessMessages();
        EXPECT_EQ(log, c.closing);
        SendMessageW(form->Handle(), WM_NCLBUTTONUP, HTOBJECT, at);
    }
}

TEST_F(FrameServicesTest, TheSystemMenuButtonOpensTheFramesSystemMenu) {
    auto store = MakeFrameSkin();
    auto sys = std::make_unique<TbsDataSkinStdButton>(L"sysmenubutton");
    sys->Command = cmSysMenu;
    PutBeforeCaption(store.get(), std::move(sys));
    TbsSkinFrame* frame = ShownFrame(store.get());
    const TPoint p = CentreOf(frame, L"sysmenubutton");
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    ASSERT_EQ(HitTest(form, p.x, p.y), HTOBJECT);
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, MAKELPARAM(wr.left + p.x, wr.top + p.y));
    ASSERT_TRUE(frame->SkinMenu->Visible());
    // The frame's own system menu, ending in its close item.
    TMenuItem* items = frame->GetSysMenuItems();
    ASSERT_GT(items->Count(), 0);
    EXPECT_EQ(items->Items(items->Count() - 1)->Name(), L"BSF_CLOSE");
    frame->SkinMenu->Hide();
    SendMessageW(form->Handle(), WM_NCLBUTTONUP, HTOBJECT, MAKELPARAM(wr.left + p.x, wr.top + p.y));
}

TEST_F(FrameServicesTest, ACaptionButtonsHintShowsWhileTheMouseIsOnItAndGoesOnAClick) {
    platform::ScopedManualClock clock;
    auto store = MakeFrameSkin();
    TbsSkinFrame* frame = ShownFrame(store.get());
    auto* hint = new TbsSkinHint(form);
    frame->SetSkinHint(hint);
    const TPoint close = CentreOf(frame, L"closebutton");
    // The mouse rests on the button (the hover timer, which follows the
    // real pointer, is left out) for the hint pause.
    const auto hover = [&] {
        HitTest(form, close.x, close.y);
        frame->MouseTimer->SetEnabled(false);
        clock.Advance(static_cast<DWORD>(Application->HintPause) + 10);
    };
    // Object hints are off by default.
    hover();
    EXPECT_FALSE(hint->IsVisible());
    frame->TestActive(-1, -1, false);

    frame->ShowObjectHint = true;
    hover();
    ASSERT_TRUE(hint->IsVisible());
    EXPECT_EQ(hint->HintWindow()->Caption(), L"Close");
    SendMessageW(form->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(hint->IsVisible());
    // A freed hint is forgotten: the next hover shows nothing and is safe.
    delete hint;
    EXPECT_EQ(frame->SkinHint(), nullptr);
    frame->TestActive(-1, -1, false);
    hover();
}

TEST_F(FrameServicesTest, TheCaptionPaintEventDrawsOnTheShownCanvas) {
    auto store = MakeFrameSkin();
    for (auto& o : store->ObjectList)
        if (auto* c = dynamic_cast<TbsDataSkinCaption*>(o.get())) {
            // The caption is composed off screen in both states.
            c->ActivePictureIndex = 0;
            c->ActiveSkinRect = TRect(0, 0, 40, 14);
            c->StretchEffect = true;
        }
    TbsSkinFrame* frame = ShownFrame(store.get());
    TRect given;
    frame->OnCaptionPaint = [&given](TCanvas* c, TRect r, bool) {
        given = r;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clLime);
        c->FillRect(r);
    };
    TBitmap shot;
    PaintFrame(form, shot);
    ASSERT_FALSE(given.IsEmpty());
    EXPECT_EQ(PixelOf(shot, given.left + given.Width() / 2, given.top + given.Height() / 2),
              static_cast<COLORREF>(RGB(0, 255, 0)));
}

TEST_F(FrameServicesTest, AStatusBarAndAnImageListOwnedElsewhereAreForgottenWhenFreed) {
    auto* frame = new TbsSkinFrame(form);
    TForm* other = nullptr;
    Application->CreateForm(other);
    auto* bar = new TbsSkinStatusBar(other);
    auto* images = new TCustomImageList(other);
    frame->SetStatusBar(bar);
    frame->SetQuickImageList(images);
    delete bar;
    delete images;
    EXPECT_EQ(frame->StatusBar(), nullptr);
    EXPECT_EQ(frame->QuickImageList(), nullptr);
    // Maximizing and restoring would reach the status bar's grip.
    frame->SetWindowState(wsMaximized);
    frame->SetWindowState(wsNormal);
}

TEST_F(FrameServicesTest, AFormFreedWhileItFadesInTakesItsFrameSafely) {
    platform::ScopedManualClock clock;
    TForm* f = nullptr;
    Application->CreateForm(f);
    auto* frame = new TbsSkinFrame(f);
    frame->AlphaBlendAnimation = true;
    f->SetBounds(100, 100, 200, 150);
    f->Show();
    const HWND h = f->Handle();
    ASSERT_TRUE(clock.HasTimer(h, 1));
    // The form asks to be freed; the fade-in's message pass frees it.
    f->Release();
    clock.Advance(1);
    EXPECT_FALSE(IsWindow(h));
}

}  // namespace
}  // namespace frametest
