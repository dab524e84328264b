// A skinned MDI main form and its children: the client window's skinned
// background, the children's own maximized and minimized states in the main
// form's work area, their re-fit after a skin change and their activation;
// the tab bar drawn from a tab record.
#include <gtest/gtest.h>

#include <vector>

#include "FrameSkin.h"
#include "skin/frame/bsSkinMDITabsBar.h"

namespace {

using namespace frametest;

class MDISkinTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        skin = MakeFrameSkin();
        form->SetFormStyle(fsMDIForm);
        frame = new TbsSkinFrame(form);
        frame->SetSkinData(skin.get());
        // Shown with its frame, as a form is at its start.
        form->Hide();
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        for (TForm* c : children) c->Free();
        Application->ProcessMessages();
        skin.reset();  // the frames hear of it and drop the skin
        FrameTest::TearDown();
    }
    TForm* NewChild(const String& name) {
        auto* child = new TForm(Application);
        child->SetName(name);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(name);
        child->SetBounds(0, 0, 200, 150);
        (new TbsSkinFrame(child))->SetSkinData(skin.get());
        child->Show();
        Application->ProcessMessages();
        children.push_back(child);
        return child;
    }
    // The client window's background as it erases itself.
    COLORREF ClientBackground() {
        TBitmap b(40, 40, pf24bit);
        b.Canvas()->Brush()->SetColor(clFuchsia);
        b.Canvas()->FillRect(TRect(0, 0, 40, 40));
        SendMessageW(form->ClientHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
        return PixelOf(b, 20, 20);
    }
    std::unique_ptr<TbsSkinData> skin;
    TbsSkinFrame* frame = nullptr;
    std::vector<TForm*> children;
};

TEST_F(MDISkinTest, TheClientWindowIsDrawnFromTheSkinWithoutABorder) {
    HWND client = form->ClientHandle();
    ASSERT_TRUE(client);
    EXPECT_EQ(ClientBackground(), ZoneColor(zClient));
    RECT wr, cr;
    GetWindowRect(client, &wr);
    GetClientRect(client, &cr);
    EXPECT_EQ(cr.right, wr.right - wr.left);
    EXPECT_EQ(cr.bottom, wr.bottom - wr.top);
    // Without a skin: the application workspace colour.
    frame->SetSkinData(nullptr);
    EXPECT_EQ(ClientBackground(), ColorToRGB(clAppWorkSpace));
}

TEST_F(MDISkinTest, TheClientWindowStaysBesideAnAlignedBarWhenTheFormResizes) {
    auto* tabs = new TbsSkinMDITabsBar(form);
    tabs->SetParent(form);
    tabs->SetAlign(alTop);
    frame->MDITabsBar = tabs;
    Application->ProcessMessages();
    // Sized as the system sizes it (a drag of its border), not through the form.
    SetWindowPos(form->Handle(), nullptr, 0, 0, form->Width(), form->Height() - 50,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Application->ProcessMessages();
    const auto expectBesideBar = [this, tabs] {
        RECT cr;
        GetWindowRect(form->ClientHandle(), &cr);
        POINT o{cr.left, cr.top};
        ScreenToClient(form->Handle(), &o);
        EXPECT_EQ(o.y, tabs->Height());
        EXPECT_EQ(cr.bottom - cr.top, form->ClientHeight() - tabs->Height());
    };
    expectBesideBar();
    // A size message of the system without a new client size (as after a
    // restore): the frame procedure stretches the client window over the
    // whole client area, and it goes back beside the bar.
    SendMessageW(form->Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(form->ClientWidth(), form->ClientHeight()));
    expectBesideBar();
    // A maximized child lies under the bar, not behind it.
    TForm* a = NewChild(L"Alpha");
    FindSkinFormComponent(a)->SetWindowState(wsMaximized);
    EXPECT_EQ(a->Height(), form->ClientHeight() - tabs->Height());
}

TEST_F(MDISkinTest, AChildMaximizesIntoTheWorkAreaByTheFramesOwnState) {
    TForm* a = NewChild(L"Alpha");
    TbsSkinFrame* af = FindSkinFormComponent(a);
    af->SetWindowState(wsMaximized);
    const int W = form->ClientWidth(), H = form->ClientHeight();
    EXPECT_EQ(a->BoundsRect(), TRect(0, 0, W, H));
    EXPECT_FALSE(IsZoomed(a->Handle()));
    // No frame is left: the whole window is client area.
    RECT cr;
    GetClientRect(a->Handle(), &cr);
    EXPECT_EQ(cr.right, W);
    EXPECT_EQ(cr.bottom, H);
    EXPECT_TRUE(frame->GetMDIChildMaximized());
    af->SetWindowState(wsNormal);
    EXPECT_EQ(a->BoundsRect(), TRect(0, 0, 200, 150));
    EXPECT_FALSE(frame->GetMDIChildMaximized());

    // Moved meanwhile, a maximized child fits the work area again after a skin change.
    af->SetWindowState(wsMaximized);
    a->SetBounds(5, 5, 60, 60);
    SendMessageW(form->Handle(), WM_AFTERCHANGESKINDATA, reinterpret_cast<WPARAM>(skin.get()), 0);
    EXPECT_EQ(a->BoundsRect(), TRect(0, 0, W, H));
}

TEST_F(MDISkinTest, MinimizedChildrenLineUpAlongTheBottomAndFollowIt) {
    TForm* a = NewChild(L"Alpha");
    TForm* b = NewChild(L"Beta");
    // The skin's minimum bar: the picture's width and the frame's height.
    const int w = kW0, h = kTop + kBottom;
    FindSkinFormComponent(a)->SetWindowState(wsMinimized);
    FindSkinFormComponent(b)->SetWindowState(wsMinimized);
    const int H = form->ClientHeight();
    EXPECT_EQ(a->BoundsRect(), Bounds(0, H - h, w, h));
    EXPECT_EQ(b->BoundsRect(), Bounds(w, H - h, w, h));
    form->SetHeight(form->Height() - 100);
    Application->ProcessMessages();
    const int H2 = form->ClientHeight();
    ASSERT_EQ(H2, H - 100);
    EXPECT_EQ(a->Top(), H2 - h);
    EXPECT_EQ(b->Top(), H2 - h);
    EXPECT_NE(a->Left(), b->Left());
}

TEST_F(MDISkinTest, AMaximizedChildsActivationRepaintsTheMainCaption) {
    TForm* a = NewChild(L"Alpha");
    TForm* b = NewChild(L"Beta");
    int paints = 0;
    frame->OnCaptionPaint = [&paints](TCanvas*, TRect, bool) { ++paints; };
    SendMessageW(b->Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(paints, 0);
    FindSkinFormComponent(a)->SetWindowState(wsMaximized);
    paints = 0;
    SendMessageW(a->Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_GT(paints, 0);
}

TEST_F(MDISkinTest, AClickIntoTheActiveChildActivatesItsFrame) {
    TForm* a = NewChild(L"Alpha");
    TbsSkinFrame* af = FindSkinFormComponent(a);
    ASSERT_EQ(form->ActiveMDIChild(), a);
    SendMessageW(a->Handle(), WM_NCACTIVATE, FALSE, 0);
    ASSERT_FALSE(af->GetFormActive());
    SendMessageW(a->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->Handle()),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_TRUE(af->GetFormActive());
}

// A tab record on a picture of its own: normal and active tabs, a
// background, a 4-pixel strip under the tabs and a 10-pixel close button.
const COLORREF kTab = RGB(200, 60, 60), kActive = RGB(60, 200, 60), kBG = RGB(60, 60, 200),
               kStrip = RGB(120, 120, 0), kClose = RGB(250, 250, 0);

void AddTabRecord(TbsSkinData* s) {
    auto pic = std::make_unique<TBitmap>(60, 40, pf24bit);
    auto fill = [&pic](const TRect& r, COLORREF c) {
        pic->Canvas()->Brush()->SetColor(static_cast<TColor>(c));
        pic->Canvas()->FillRect(r);
    };
    fill(TRect(0, 0, 30, 20), kTab);
    fill(TRect(30, 0, 60, 20), kActive);
    fill(TRect(0, 20, 60, 40), kStrip);
    fill(TRect(0, 30, 10, 40), kBG);
    fill(TRect(40, 24, 50, 34), kClose);
    s->FActivePicturesNames->Add(L"tabs.bmp");
    s->FActivePictures.push_back(std::move(pic));
    auto r = std::make_unique<TbsDataSkinTabControl>(L"tab");
    r->PictureIndex = static_cast<int>(s->FActivePictures.size()) - 1;
    r->TabRect = TRect(0, 0, 30, 20);
    r->ActiveTabRect = TRect(30, 0, 60, 20);
    r->SkinRect = TRect(0, 20, 60, 30);
    r->ClRect = TRect(0, 4, 60, 10);
    r->LTPoint = TPoint(0, 4);
    r->RTPoint = TPoint(60, 4);
    r->TabsBGRect = TRect(0, 30, 10, 40);
    r->CloseButtonRect = TRect(40, 24, 50, 34);
    s->CtrlList.push_back(std::move(r));
}

TEST_F(MDISkinTest, TheTabBarTakesItsLookAndHeightFromTheTabRecord) {
    AddTabRecord(skin.get());
    auto* tabs = new TbsSkinMDITabsBar(form);
    tabs->SetParent(form);
    tabs->SetAlign(alTop);
    tabs->ShowCloseButtons = true;
    tabs->SetSkinData(skin.get());
    tabs->ChangeSkinData();
    EXPECT_EQ(tabs->Height(), 20 + 4);
    EXPECT_EQ(tabs->GetCloseSize(), 10);
    frame->MDITabsBar = tabs;
    TForm* a = NewChild(L"Alpha");
    TForm* b = NewChild(L"Beta");
    FindSkinFormComponent(a)->AddChildToBar(a);
    FindSkinFormComponent(b)->AddChildToBar(b);
    ASSERT_EQ(tabs->TabCount(), 2);
    tabs->Tabs(1)->Active = true;
    TBitmap out(tabs->Width(), tabs->Height(), pf24bit);
    tabs->PaintTo(out.Canvas()->Handle(), 0, 0);
    const TRect t0 = tabs->Tabs(0)->ObjectRect, t1 = tabs->Tabs(1)->ObjectRect;
    EXPECT_EQ(t0.Height(), 20);
    EXPECT_EQ(PixelOf(out, t0.left + 1, 1), kTab);
    EXPECT_EQ(PixelOf(out, t1.left + 1, 1), kActive);
    // The strip under the tabs, and the skin's close button on each tab.
    EXPECT_EQ(PixelOf(out, t0.left + 5, 22), kStrip);
    const TRect cb = tabs->Tabs(0)->ButtonRect;
    EXPECT_EQ(cb.Width(), 10);
    EXPECT_EQ(PixelOf(out, t0.left + cb.left + 5, cb.top + 5), kClose);
}

// With the button kind each tab is the skin's "resizebutton" picture, its
// pressed part for the active tab and the hot part under the pointer.
TEST_F(MDISkinTest, ButtonKindTabsAreDrawnFromTheResizeButtonRecord) {
    const COLORREF kButton = RGB(30, 140, 30), kHot = RGB(140, 30, 140), kDown = RGB(30, 30, 140);
    AddTabRecord(skin.get());
    auto pic = std::make_unique<TBitmap>(60, 20, pf24bit);
    const COLORREF looks[] = {kButton, kHot, kDown};
    for (int i = 0; i < 3; ++i) {
        pic->Canvas()->Brush()->SetColor(static_cast<TColor>(looks[i]));
        pic->Canvas()->FillRect(TRect(i * 20, 0, i * 20 + 20, 20));
    }
    skin->FActivePicturesNames->Add(L"buttons.bmp");
    skin->FActivePictures.push_back(std::move(pic));
    auto b = std::make_unique<TbsDataSkinButtonControl>(L"resizebutton");
    b->PictureIndex = static_cast<int>(skin->FActivePictures.size()) - 1;
    b->SkinRect = TRect(0, 0, 20, 20);
    b->ActiveSkinRect = TRect(20, 0, 40, 20);
    b->DownSkinRect = TRect(40, 0, 60, 20);
    b->LTPoint = TPoint(3, 3);
    b->RTPoint = TPoint(17, 3);
    b->LBPoint = TPoint(3, 17);
    b->RBPoint = TPoint(17, 17);
    b->ClRect = TRect(3, 3, 17, 17);
    skin->CtrlList.push_back(std::move(b));

    auto* tabs = new TbsSkinMDITabsBar(form);
    tabs->SetParent(form);
    tabs->SetAlign(alTop);
    tabs->SetSkinData(skin.get());
    tabs->SetTabKind(bstkButton);
    tabs->ChangeSkinData();
    frame->MDITabsBar = tabs;
    for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"}) {
        TForm* c = NewChild(name);
        FindSkinFormComponent(c)->AddChildToBar(c);
    }
    ASSERT_EQ(tabs->TabCount(), 3);
    for (int i = 0; i < 3; ++i) tabs->Tabs(i)->Active = i == 1;
    tabs->Tabs(2)->MouseIn = true;
    TBitmap out(tabs->Width(), tabs->Height(), pf24bit);
    tabs->PaintTo(out.Canvas()->Handle(), 0, 0);
    for (int i = 0; i < 3; ++i) {
        const TRect t = tabs->Tabs(i)->ObjectRect;
        EXPECT_EQ(PixelOf(out, t.left + 1, t.top + 1), looks[i == 1 ? 2 : i == 2 ? 1 : 0]) << i;
    }
}

}  // namespace
