#include "FrameSkin.h"

namespace frametest {

COLORREF ZoneColor(Zone z, bool active) {
    // Distinct by 20 or more in the green channel; inactive ones are blue-heavy.
    return RGB(active ? 200 : 30, 20 + 20 * static_cast<int>(z), active ? 40 : 220);
}

COLORREF CloseHotColor() { return RGB(250, 250, 0); }
COLORREF CloseDownColor() { return RGB(0, 250, 250); }

namespace {

void Fill(TBitmap* b, const TRect& r, COLORREF c) {
    b->Canvas()->Brush()->SetStyle(bsSolid);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(c));
    b->Canvas()->FillRect(r);
}

void DrawFrame(TBitmap* b, bool active) {
    b->SetPixelFormat(pf24bit);
    b->SetSize(kW0, kH0);
    const auto c = [active](Zone z) { return ZoneColor(z, active); };
    Fill(b, TRect(0, 0, 30, kTop), c(zLT));
    Fill(b, TRect(30, 0, 60, kTop), c(zTop));
    Fill(b, TRect(60, 0, kW0, kTop), c(zRT));
    Fill(b, TRect(0, kTop, kLeft, kH0 - kBottom), c(zLeft));
    Fill(b, TRect(kW0 - kRight, kTop, kW0, kH0 - kBottom), c(zRight));
    Fill(b, TRect(0, kH0 - kBottom, 30, kH0), c(zLB));
    Fill(b, TRect(30, kH0 - kBottom, 60, kH0), c(zBottom));
    Fill(b, TRect(60, kH0 - kBottom, kW0, kH0), c(zRB));
    Fill(b, TRect(kLeft, kTop, kW0 - kRight, kH0 - kBottom), c(zClient));
    Fill(b, TRect(kMarkX, kMarkY, kMarkX + 1, kMarkY + 1), c(zMark));
}

void AddButton(TbsSkinData* s, const wchar_t* name, TbsStdCommand cmd, const TRect& onFrame, int column) {
    auto o = std::make_unique<TbsDataSkinStdButton>(name);
    o->Command = cmd;
    o->SkinRect = onFrame;
    o->ActivePictureIndex = 0;
    o->ActiveSkinRect = TRect(column * 14, 0, column * 14 + 14, 14);
    o->DownRect = TRect(column * 14, 14, column * 14 + 14, 28);
    s->ObjectList.push_back(std::move(o));
}

}  // namespace

std::unique_ptr<TbsSkinData> MakeFrameSkin(int variant, bool withMask) {
    auto s = std::make_unique<TbsSkinData>(nullptr);
    s->SkinName = variant == 0 ? L"frame-a" : L"frame-b";
    s->FPictureName = L"frame.bmp";
    DrawFrame(s->FPicture.get(), true);
    s->FInActivePictureName = L"inactive.bmp";
    DrawFrame(s->FInActivePicture.get(), false);
    s->LTPoint = TPoint(30, kTop);
    s->RTPoint = TPoint(60, kTop);
    s->LBPoint = TPoint(30, kH0 - kBottom);
    s->RBPoint = TPoint(60, kH0 - kBottom);
    s->ClRect = TRect(kLeft, kTop, kW0 - kRight, kH0 - kBottom);
    s->MaskRectArea = TRect(kLeft, kTop, kW0 - kRight, kH0 - kBottom);
    s->HitTestLTPoint = TPoint(10, 10);
    s->HitTestRTPoint = TPoint(kW0 - 10, 10);
    s->HitTestLBPoint = TPoint(10, kH0 - 10);
    s->HitTestRBPoint = TPoint(kW0 - 10, kH0 - 10);
    s->CaptionRect = TRect(6, 0, 66, 28);
    s->ButtonsOffset = 0;
    s->BorderW = 4;
    s->TopStretch = s->LeftStretch = s->RightStretch = s->BottomStretch = true;

    // Button images: column 0 close, 1 maximize, 2 minimize; row 0 hot, row 1 pressed.
    auto buttons = std::make_unique<TBitmap>(42, 28);
    Fill(buttons.get(), TRect(0, 0, 42, 28), RGB(90, 90, 90));
    Fill(buttons.get(), TRect(0, 0, 14, 14), CloseHotColor());
    Fill(buttons.get(), TRect(0, 14, 14, 28), CloseDownColor());
    s->FActivePicturesNames->Add(L"buttons.bmp");
    s->FActivePictures.push_back(std::move(buttons));

    auto caption = std::make_unique<TbsDataSkinCaption>(L"caption");
    caption->SkinRect = s->CaptionRect;
    caption->TextRct = TRect(4, 0, 56, 28);
    caption->FontColor = clGray;
    caption->ActiveFontColor = clBlack;
    caption->Alignment = taLeftJustify;
    s->ObjectList.push_back(std::move(caption));
    AddButton(s.get(), L"closebutton", cmClose, kCloseOnFrame, 0);
    AddButton(s.get(), L"maxbutton", cmMaximize, kMaxOnFrame, 1);
    AddButton(s.get(), L"minbutton", cmMinimize, kMinOnFrame, 2);
    if (variant == 1) s->ObjectList.push_back(std::make_unique<TbsDataUserObject>(L"logo"));

    if (withMask) {
        s->FMaskName = L"mask.bmp";
        s->FMask->SetPixelFormat(pf24bit);
        s->FMask->SetSize(kW0, kH0);
        Fill(s->FMask.get(), TRect(0, 0, kW0, kH0), RGB(0, 0, 0));
        Fill(s->FMask.get(), TRect(0, 0, 6, 6), RGB(255, 255, 255));
    }
    s->Empty = false;
    return s;
}

COLORREF PixelOf(TBitmap& b, int x, int y) {
    const auto* p = static_cast<const uint8_t*>(b.ScanLine(y)) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

void FrameTest::PaintFrame(TCustomForm* f, TBitmap& out) {
    out.SetPixelFormat(pf24bit);
    out.SetSize(f->Width(), f->Height());
    out.Canvas()->Brush()->SetStyle(bsSolid);
    out.Canvas()->Brush()->SetColor(clFuchsia);
    out.Canvas()->FillRect(TRect(0, 0, f->Width(), f->Height()));
    const LRESULT r = SendMessageW(f->Handle(), CM_PAINTFRAMETODC, reinterpret_cast<WPARAM>(out.Canvas()->Handle()), 0);
    ASSERT_EQ(r, 12851);
}

LRESULT FrameTest::HitTest(TCustomForm* f, int x, int y) {
    // The pointer was away from the window: hover tracking starts with this hit test.
    if (TbsSkinFrame* frame = FindSkinFormComponent(f)) frame->MouseTimer->SetEnabled(false);
    RECT wr;
    GetWindowRect(f->Handle(), &wr);
    return SendMessageW(f->Handle(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
}

void FrameTest::NCClick(TCustomForm* f, int x, int y) {
    RECT wr;
    GetWindowRect(f->Handle(), &wr);
    const LPARAM p = MAKELPARAM(wr.left + x, wr.top + y);
    const LRESULT code = HitTest(f, x, y);
    SendMessageW(f->Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(code), p);
    SendMessageW(f->Handle(), WM_NCLBUTTONUP, static_cast<WPARAM>(code), p);
    Application->ProcessMessages();
}

}  // namespace frametest
