// The preview panel of the main window with the real player: opening a
// file paused into the video area, the open event's labels, slider and
// stream lists, positions moving the slider, seeking with the slider, the
// end of the file rewinding, the play, pause, stop and mute buttons.
#include <gtest/gtest.h>

#include "PreviewFixture.h"
#include "platform/Bitmap.h"
#include "platform/ExtCtrls.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsSlider.h"

namespace mainwindowtest {
namespace {

std::vector<String> Entries(TbsSkinComboBox* list) {
    std::vector<String> entries;
    for (int i = 0; i < list->Items()->Count(); ++i) entries.push_back(list->Items()->Get(i));
    return entries;
}

String Selected(TbsSkinComboBox* list) {
    const int i = list->ItemIndex();
    return i >= 0 ? list->Items()->Get(i) : String(L"(none)");
}

// Whether the log has the line after its last line equal to `after`.
bool LoggedAfter(const String& line, const String& after) {
    const auto lines = PreviewTest::LogLines();
    const auto last = std::find(lines.rbegin(), lines.rend(), after);
    return last != lines.rend() && std::find(lines.rbegin(), last, line) != last;
}

// After the end: paused, and "播放" plays from near the start again (the
// first position may come a picture or two later).
void ExpectRewoundAndWaiting(double nearStart) {
    ASSERT_TRUE(PreviewTest::Until([] { return LoggedAfter(L"Pause", L"End"); }, 3000)) << PreviewTest::LogText();
    EXPECT_TRUE(Form1->ZADovovi->Paused());
    Form1->bsSkinButton13->ButtonClick();
    ASSERT_TRUE(PreviewTest::Until([] { return LoggedAfter(L"Resume", L"End"); }, 3000)) << PreviewTest::LogText();
    // A position of the old end may still be on its way; the ones after it
    // come from the start.
    Form1->Label3->SetCaption(L"-1");
    EXPECT_TRUE(PreviewTest::Until(
        [&] {
            const double t = PreviewTest::LabelSeconds(Form1->Label3);
            return t >= 0 && t < nearStart && Form1->bsSkinSlider1->Value() < Form1->bsSkinSlider1->MaxValue() / 2;
        },
        3000))
        << WideToUtf8(Form1->Label3->Caption());
}

TEST_F(PreviewTest, TheDeveloperControlsStartWithTheirFixedValues) {
    EXPECT_EQ(Entries(Form1->cboVideoDriver), (std::vector<String>{L"Default", L"DDraw", L"GDI"}));
    EXPECT_EQ(Entries(Form1->cboAudioDriver), (std::vector<String>{L"Default", L"DSound", L"waveOut"}));
    EXPECT_EQ(Form1->cboVideoDriver->ItemIndex(), 0);
    EXPECT_EQ(Form1->cboAudioDriver->ItemIndex(), 0);
    EXPECT_TRUE(Form1->chkOpenPaused->Checked());
    EXPECT_FALSE(Form1->chkStayOnTop->Checked());
    EXPECT_EQ(Form1->TrackBar2->MaxValue(), 128);
    EXPECT_EQ(Form1->TrackBar2->Value(), 128);
    EXPECT_EQ(Form1->Label2->Caption(), L"N/A");
    EXPECT_EQ(Form1->Label3->Caption(), L"N/A");
    EXPECT_TRUE(Form1->bsSkinButton16->Visible());
    EXPECT_FALSE(Form1->bsSkinButton20->Visible());
    // Every one of them lies right of the client area, out of the user's sight.
    EXPECT_GE(Form1->Panel5->Left(), 1181);
    EXPECT_GE(Form1->Button31->Parent()->Left(), 1181);
}

// Only a direct windowed child of the window, by its exact name.
TEST_F(PreviewTest, FindControlByNameLooksAtTheWindowsOwnChildrenOnly) {
    EXPECT_EQ(Form1->FindControlByName(L"Panel6"), Form1->Panel6);
    EXPECT_EQ(Form1->FindControlByName(L"bsSkinPanel3"), Form1->bsSkinPanel3);
    EXPECT_EQ(Form1->FindControlByName(L"panel6"), nullptr);
    EXPECT_EQ(Form1->FindControlByName(L"lvFiles"), nullptr);  // inside the queue panel
    EXPECT_EQ(Form1->FindControlByName(L""), nullptr);
}

TEST_F(PreviewTest, OpeningShowsTheFirstPicturePausedInTheVideoArea) {
    PreviewPaused(Clips().Clip);
    TForm1* f = Form1;
    EXPECT_TRUE(f->ZADovovi->Paused());
    EXPECT_EQ(f->ZADovovi->ScreenHandle(), f->Panel6->Handle());
    EXPECT_EQ(f->FScreenControl, f->Panel6);
    EXPECT_EQ(f->ZADovovi->FileName(), Clips().Clip);
    EXPECT_NEAR(f->FDuration, 5000000, 100000);
    EXPECT_NEAR(LabelSeconds(f->Label2), 5.0, 0.1);
    EXPECT_NEAR(LabelSeconds(f->Label3), 0.0, 0.1);  // "0.0", or the first picture's time
    EXPECT_EQ(f->bsSkinSlider1->Width(), 241);
    EXPECT_EQ(f->bsSkinSlider1->MaxValue(), 241);
    EXPECT_LE(f->bsSkinSlider1->Value(), 2);  // 0, or where the first pictures lie
    EXPECT_EQ(LogCount(L"duration: " + f->Label2->Caption() + L", frame size: 320x240"), 1) << LogText();
    EXPECT_TRUE(Until([] { return LogCount(L"Pause") >= 1; }, 3000)) << LogText();
    // The video area lies over the preview panel, where the user sees it,
    // and the player drew the bars into it.
    const TPoint centre = f->Panel6->ClientToScreen(TPoint(120, 72));
    EXPECT_EQ(WindowFromPoint(POINT{centre.x, centre.y}), f->Panel6->Handle());
    HDC dc = GetDC(f->Panel6->Handle());
    const COLORREF c = GetPixel(dc, 120, 30);
    ReleaseDC(f->Panel6->Handle(), dc);
    EXPECT_GT(GetRValue(c) + GetGValue(c) + GetBValue(c), 200) << std::hex << c;
}

// One entry per stream of the list's kind, named with the stream's index.
TEST_F(PreviewTest, TheStreamListsNameEachStreamOfTheirKind) {
    struct Case {
        std::wstring file;
        std::vector<String> video, audio, subtitle;
        bool audioEnabled, subtitleEnabled;
    };
    const Case cases[] = {
        {Clips().Clip, {L"Video#0"}, {L"Audio#1"}, {}, false, false},
        {Clips().TwoAudio, {L"Video#0"}, {L"Audio#1", L"Audio#2"}, {}, true, false},
        {Clips().Subtitled, {L"Video#0"}, {L"Audio#1"}, {L"Subtitle#-1", L"Subtitle#2"}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.file));
        PreviewPaused(c.file);
        TForm1* f = Form1;
        EXPECT_EQ(Entries(f->cboVideo), c.video);
        EXPECT_EQ(Entries(f->cboAudio), c.audio);
        EXPECT_EQ(Entries(f->cboSubtitle), c.subtitle);
        EXPECT_FALSE(f->cboVideo->Enabled());
        EXPECT_EQ(f->cboAudio->Enabled(), c.audioEnabled);
        EXPECT_EQ(f->cboSubtitle->Enabled(), c.subtitleEnabled);
        EXPECT_EQ(Selected(f->cboVideo), L"Video#" + std::to_wstring(f->ZADovovi->VideoStreamIndex()));
        EXPECT_EQ(Selected(f->cboAudio), L"Audio#" + std::to_wstring(f->ZADovovi->AudioStreamIndex()));
        if (c.subtitleEnabled) {
            EXPECT_EQ(Selected(f->cboSubtitle), L"Subtitle#" + std::to_wstring(f->ZADovovi->SubtitleStreamIndex()));
        }
    }
}

TEST_F(PreviewTest, AFileThatCannotBeOpenedLeavesTheReasonInTheLog) {
    const std::wstring missing = Clips().Folder + L"missing.mp4";
    Preview(missing);
    EXPECT_NE(WideToUtf8(Form1->ZADovovi->LastErrMsg()).find("missing.mp4"), std::string::npos);
    EXPECT_EQ(LogLines().back(), Form1->ZADovovi->LastErrMsg()) << LogText();
    EXPECT_EQ(Form1->Label2->Caption(), L"N/A");
}

TEST_F(PreviewTest, PlayingMovesTheSliderAndTheTimeLabel) {
    PreviewPaused(Clips().Clip);
    Form1->bsSkinButton13->ButtonClick();  // "播放"
    ASSERT_TRUE(Until([] { return Form1->bsSkinSlider1->Value() >= 24; })) << LogText();
    const double seconds = LabelSeconds(Form1->Label3);
    EXPECT_GT(seconds, 0.4);
    // The slider stands where the label's time lies on the 241 pixels.
    EXPECT_NEAR(Form1->bsSkinSlider1->Value(), 241 * seconds / 5.0, 3);
    EXPECT_GE(LogCount(L"Resume"), 1) << LogText();
    Form1->bsSkinButton14->ButtonClick();  // "暂停"
    EXPECT_TRUE(Form1->ZADovovi->Paused());
}

// The pixels the seek bar shows on the screen (its window's DC), not a
// fresh painting of it.
std::vector<DWORD> ShownPixels(TWinControl* control) {
    const int w = control->Width(), h = control->Height();
    TBitmap bmp(w, h, pf32bit);
    const HDC dc = GetDC(control->Handle());
    BitBlt(bmp.Canvas()->Handle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ReleaseDC(control->Handle(), dc);
    std::vector<DWORD> pixels;
    for (int y = 0; y < h; ++y) {
        const auto* line = static_cast<const DWORD*>(bmp.ScanLine(y));
        pixels.insert(pixels.end(), line, line + w);
    }
    return pixels;
}

// The seek bar as set up for the preview, and its thumb drawn anew on the
// screen wherever the value goes: while the clip plays and after the arrow
// keys.
TEST_F(PreviewTest, TheSeekBarsThumbMovesOnTheScreenWhilePlayingAndWithTheKeys) {
    TbsSkinSlider* slider = Form1->bsSkinSlider1;
    EXPECT_TRUE(slider->Transparent());
    EXPECT_EQ(slider->Options() & soShowPoints, 0u) << "no scale marks";
    PreviewPaused(Clips().Clip);
    Serve();
    const std::vector<DWORD> atStart = ShownPixels(slider);
    const TRect startThumb = slider->ThumbRect();
    Form1->bsSkinButton13->ButtonClick();  // "播放"
    ASSERT_TRUE(Until([&] { return slider->ThumbRect().left > startThumb.right + 4; })) << LogText();
    Form1->ZADovovi->Stop(true);  // the player lets the seek bar be from now on
    Serve();
    const std::vector<DWORD> playing = ShownPixels(slider);
    EXPECT_NE(playing, atStart) << "the thumb moved on the screen";

    const TRect before = slider->ThumbRect();
    PostMessageW(slider->Handle(), WM_KEYDOWN, VK_LEFT, 0);
    ASSERT_TRUE(Until([&] { return slider->ThumbRect().left < before.left; }, 3000));
    Serve();
    EXPECT_NE(ShownPixels(slider), playing) << "the thumb moved back on the screen";
}

// Positions move the slider only when the time and the duration allow it,
// and nothing at all while the user holds the slider.
TEST_F(PreviewTest, PositionEventsMapTheTimeOntoTheSlider) {
    struct Case {
        const char* name;
        int64_t duration, pts;
        const wchar_t* held;
        const wchar_t* label;  // nullptr: unchanged
        int slider;            // -1: unchanged
    };
    const Case cases[] = {
        {"middle", 5000000, 2500000, L"UP", L"2.500000", 120},
        {"end", 5000000, 5000000, L"UP", L"5.000000", 241},
        {"ten minutes", 600000000, 599000000, L"UP", L"599.000000", 240},
        {"negative time", 5000000, -40000, L"UP", L"-0.040000", -1},
        {"duration unknown", 0, 1000000, L"UP", L"1.000000", -1},
        {"slider held", 5000000, 2500000, L"Down", nullptr, -1},
    };
    TbsSkinSlider* slider = Form1->bsSkinSlider1;
    slider->SetMaxValue(slider->Width());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        slider->SetValue(7);
        Form1->Label3->SetCaption(L"before");
        Form1->FDuration = c.duration;
        Form1->bsSkinSlider1_down_UP = c.held;
        Form1->ZADovoviPosition(Form1->ZADovovi, c.pts);
        EXPECT_EQ(Form1->Label3->Caption(), c.label ? String(c.label) : String(L"before"));
        EXPECT_EQ(slider->Value(), c.slider >= 0 ? c.slider : 7);
    }
}

// Ten minutes at the slider's right end: the seek goes to the whole
// duration, the end of the file arrives and the preview rewinds and waits.
TEST_F(PreviewTest, ReleasingTheSliderAtItsRightEndSeeksToTheEnd) {
    PreviewPaused(Clips().Long);
    TForm1* f = Form1;
    ASSERT_NEAR(f->FDuration, 600000000, 1000000);
    f->bsSkinSlider1MouseDown(f->bsSkinSlider1, mbLeft, 0, 240, 10);
    EXPECT_EQ(f->bsSkinSlider1_down_UP, L"Down");
    EXPECT_TRUE(f->ZADovovi->Paused());
    f->bsSkinSlider1->SetValue(f->bsSkinSlider1->MaxValue());
    const int ends = LogCount(L"End");
    f->bsSkinSlider1MouseUp(f->bsSkinSlider1, mbLeft, 0, 240, 10);
    EXPECT_EQ(f->bsSkinSlider1_down_UP, L"UP");
    ASSERT_TRUE(Until([&] { return LogCount(L"End") > ends; }, 8000)) << LogText();
    ExpectRewoundAndWaiting(10.0);
}

// The same with the mouse: the thumb dragged to the right end and let go.
TEST_F(PreviewTest, DraggingTheThumbToTheRightEndSeeksToTheEnd) {
    PreviewPaused(Clips().Long);
    TbsSkinSlider* slider = Form1->bsSkinSlider1;
    const TRect thumb = slider->ThumbRect();
    const int y = (thumb.top + thumb.bottom) / 2;
    const HWND wnd = slider->Handle();
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((thumb.left + thumb.right) / 2, y));
    ASSERT_TRUE(Until([] { return Form1->bsSkinSlider1_down_UP == L"Down"; }, 3000));
    EXPECT_TRUE(Form1->ZADovovi->Paused());
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(slider->Width() + 40, y));
    ASSERT_TRUE(Until([&] { return slider->Value() == slider->MaxValue(); }, 3000)) << slider->Value();
    const int ends = LogCount(L"End");
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(slider->Width() + 40, y));
    ASSERT_TRUE(Until([] { return Form1->bsSkinSlider1_down_UP == L"UP"; }, 3000));
    ASSERT_TRUE(Until([&] { return LogCount(L"End") > ends; }, 8000)) << LogText();
    ExpectRewoundAndWaiting(10.0);
}

// A click of the mouse on the mute button reaches its handler.
TEST_F(PreviewTest, ClickingMuteWithTheMouseMutes) {
    PreviewPaused(Clips().Clip);
    const HWND wnd = Form1->bsSkinButton16->Handle();
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(Until([] { return Form1->ZADovovi->Mute.load(); }, 3000));
    EXPECT_TRUE(Form1->bsSkinButton20->Visible());
}

TEST_F(PreviewTest, TheEndOfTheFileRewindsToTheStartAndPauses) {
    PreviewPaused(Clips().Clip);
    Form1->bsSkinButton13->ButtonClick();
    // The clip lasts 5 s; a machine busy with other test programs may play
    // it slower than real time.
    ASSERT_TRUE(Until([] { return LogCount(L"End") > 0; }, 30000)) << LogText();
    ExpectRewoundAndWaiting(1.0);
}

TEST_F(PreviewTest, StopWithoutASelectedRowDoesNothing) {
    PreviewPaused(Clips().Clip);
    Form1->bsSkinButton13->ButtonClick();
    ASSERT_TRUE(Until([] { return Form1->ZADovovi->CurrentPTS() > 200000; }));
    ASSERT_EQ(Form1->lvFiles->Selected(), nullptr);
    const int lines = Form1->mmoLog->LineCount();
    Form1->bsSkinButton15->ButtonClick();  // "停止"
    EXPECT_EQ(Form1->mmoLog->LineCount(), lines) << LogText();
    EXPECT_FALSE(Form1->ZADovovi->Paused());
    EXPECT_EQ(Form1->ZADovovi->FileName(), Clips().Clip);
}

TEST_F(PreviewTest, StopWithASelectedRowOpensTheFileAgainPausedAtItsStart) {
    AddSelectedRow(Clips().Clip, L"clip.avi");
    PreviewPaused(Clips().Clip);
    Form1->bsSkinButton13->ButtonClick();
    ASSERT_TRUE(Until([] { return Form1->ZADovovi->CurrentPTS() > 500000; }));
    const int opens = LogCount(L"Stop");
    Form1->bsSkinButton15->ButtonClick();
    EXPECT_GT(LogCount(L"Stop"), opens) << LogText();
    ASSERT_TRUE(Until([] { return Form1->ZADovovi->PlayState() == psPause; })) << LogText();
    EXPECT_NEAR(LabelSeconds(Form1->Label3), 0.0, 0.2);
    EXPECT_LT(Form1->ZADovovi->CurrentPTS(), 200000);
}

TEST_F(PreviewTest, MuteSwapsTheTwoMuteButtons) {
    PreviewPaused(Clips().Clip);
    Form1->bsSkinButton16->ButtonClick();
    EXPECT_TRUE(Form1->ZADovovi->Mute);
    EXPECT_TRUE(Form1->bsSkinButton20->Visible());
    EXPECT_FALSE(Form1->bsSkinButton16->Visible());
    Form1->bsSkinButton20->ButtonClick();
    EXPECT_FALSE(Form1->ZADovovi->Mute);
    EXPECT_TRUE(Form1->bsSkinButton16->Visible());
    EXPECT_FALSE(Form1->bsSkinButton20->Visible());
    // Both sit in the same place.
    EXPECT_EQ(Form1->bsSkinButton16->BoundsRect(), Form1->bsSkinButton20->BoundsRect());
}

TEST_F(PreviewTest, TheVolumeTrackBarSetsThePlayersVolume) {
    Form1->TrackBar2->SetValue(40);
    EXPECT_EQ(Form1->ZADovovi->AudioVolume.load(), 40);
}

// The frame hook writes the time stamp top left in white and draws the
// program's icon 10 pixels from the bottom-right corner.
TEST_F(PreviewTest, TheFrameHookMarksThePicture) {
    TBitmap frame(320, 240, pf24bit);  // black
    Form1->ZADovoviHook(Form1->ZADovovi, &frame, 1234567);
    auto pixel = [&](int x, int y) {
        const auto* p = static_cast<const uint8_t*>(frame.ScanLine(y)) + x * 3;
        return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    };
    auto count = [&](int x1, int y1, int x2, int y2, auto pred) {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x) n += pred(pixel(x, y)) ? 1 : 0;
        return n;
    };
    auto white = [](uint32_t c) { return c == 0xFFFFFF; };
    auto drawn = [](uint32_t c) { return c != 0; };
    const int iconW = GetSystemMetrics(SM_CXICON), iconH = GetSystemMetrics(SM_CYICON);
    EXPECT_GT(count(10, 10, 200, 35, white), 50);         // the text
    EXPECT_EQ(count(0, 0, 320, 9, drawn), 0);             // nothing above it
    EXPECT_GT(count(310 - iconW, 230 - iconH, 310, 230, drawn), iconW * iconH / 4);  // the icon
    EXPECT_EQ(count(311, 0, 320, 240, drawn), 0);         // the right margin
    EXPECT_EQ(count(0, 231, 320, 240, drawn), 0);         // the bottom margin
}

// "Stay On Top" ticked: playing makes the window stay on top, pausing
// makes it a normal window again.
TEST_F(PreviewTest, StayOnTopFollowsPlayAndPause) {
    Form1->chkStayOnTop->SetChecked(true);
    PreviewPaused(Clips().Clip);
    // The open plays, then pauses: on top, then normal again.
    EXPECT_TRUE(Until([] { return LogCount(L"Pause") >= 1 && Form1->FormStyle() == fsNormal; }, 3000)) << LogText();
    Form1->bsSkinButton13->ButtonClick();
    ASSERT_TRUE(Until([] { return Form1->FormStyle() == fsStayOnTop; })) << LogText();
    EXPECT_TRUE(GetWindowLongW(Form1->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Form1->bsSkinButton14->ButtonClick();
    ASSERT_TRUE(Until([] { return Form1->FormStyle() == fsNormal; })) << LogText();
    EXPECT_FALSE(GetWindowLongW(Form1->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// Closing detaches the player's events: a file opened afterwards reports
// nothing to the closed window.
TEST_F(PreviewTest, CloseDetachesThePlayersEvents) {
    PreviewPaused(Clips().Clip);
    bool canClose = false;
    Form1->FormCloseQuery(Form1, canClose);
    const int lines = Form1->mmoLog->LineCount();
    Form1->ZADovovi->Resume();
    Form1->ZADovovi->Stop(true);
    Serve();
    EXPECT_EQ(Form1->mmoLog->LineCount(), lines) << LogText();
}

}  // namespace
}  // namespace mainwindowtest
