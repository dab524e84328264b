// The preview panel of the main window: the player ZADovovi drawing into
// Panel6, the seek slider, the play, pause, stop and mute buttons, and the
// player's test controls on the hidden developer panel Panel5, whose
// settings (drivers, "Open Paused", "Stay On Top", volume) fix how the
// preview behaves.
#include <cstdio>

#include "app/MakeControl.h"
#include "app/Unit1.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsSlider.h"
#include "skin/controls/bsSkinCtrlsViews.h"

namespace {

// The names of TPlayState, in its order, for the log.
constexpr const wchar_t* kPlayStateNames[] = {L"Play", L"Pause", L"Resume", L"Step", L"Stop", L"End"};

// Seconds with six decimals, from microseconds.
String Seconds(int64_t microseconds) {
    wchar_t text[64];
    std::swprintf(text, std::size(text), L"%f", static_cast<double>(microseconds) / 1000000.0);
    return text;
}

String Numbered(const wchar_t* kind, int index) { return String(kind) + L"#" + std::to_wstring(index); }

TbsSkinComboBox* MakeList(TComponent* owner, TWinControl* parent, const wchar_t* name, int left, int top,
                          std::initializer_list<const wchar_t*> entries) {
    auto* list = Make<TbsSkinComboBox>(owner, parent, name, left, top, 150, 22);
    for (const wchar_t* e : entries) list->Items()->Add(e);
    if (entries.size() > 0) list->SetItemIndex(0);
    return list;
}

}  // namespace

// The player's test controls, below the log memo of Panel5.
void TForm1::CreatePreviewDeveloperControls() {
    constexpr int top = 420;
    Panel5->SetHeight(top + 200);
    cboVideoDriver = MakeList(this, Panel5, L"cboVideoDriver", 4, top, {L"Default", L"DDraw", L"GDI"});
    cboAudioDriver = MakeList(this, Panel5, L"cboAudioDriver", 160, top, {L"Default", L"DSound", L"waveOut"});
    chkOpenPaused = Make<TbsSkinCheckRadioBox>(this, Panel5, L"chkOpenPaused", 4, top + 26, 150, 22);
    chkOpenPaused->SetCaption(L"Open Paused");
    chkOpenPaused->SetChecked(true);
    chkStayOnTop = Make<TbsSkinCheckRadioBox>(this, Panel5, L"chkStayOnTop", 160, top + 26, 150, 22);
    chkStayOnTop->SetCaption(L"Stay On Top");
    TrackBar1 = Make<TbsSkinSlider>(this, Panel5, L"TrackBar1", 4, top + 52, 150, 24);
    TrackBar2 = Make<TbsSkinSlider>(this, Panel5, L"TrackBar2", 160, top + 52, 150, 24);
    TrackBar2->SetMaxValue(128);
    TrackBar2->SetValue(128);
    cboVideo = MakeList(this, Panel5, L"cboVideo", 4, top + 82, {});
    cboAudio = MakeList(this, Panel5, L"cboAudio", 160, top + 82, {});
    cboSubtitle = MakeList(this, Panel5, L"cboSubtitle", 4, top + 108, {});
    Label2 = Make<TLabel>(this, Panel5, L"Label2", 4, top + 136, 150, 16);
    Label2->SetCaption(L"N/A");
    Label3 = Make<TLabel>(this, Panel5, L"Label3", 160, top + 136, 150, 16);
    Label3->SetCaption(L"N/A");
    btnCapture = Make<TButton>(this, Panel5, L"btnCapture", 4, top + 160, 150, 22);
    btnCapture->SetCaption(L"Capture");
}

void TForm1::BindPreviewHandlers() {
    ZADovovi->OnFileOpen = [this](TObject* s, int64_t d, int w, int h, int& sw, int& sh) {
        ZADovoviFileOpen(s, d, w, h, sw, sh);
    };
    ZADovovi->SetOnPosition([this](TObject* s, int64_t pts) { ZADovoviPosition(s, pts); });
    ZADovovi->SetOnState([this](TObject* s, TPlayState state) { ZADovoviState(s, state); });
    ZADovovi->SetOnHook([this](TObject* s, TBitmap* b, int64_t pts) { ZADovoviHook(s, b, pts); });
    bsSkinButton13->OnClick = [this](TObject* s) { bsSkinButton13Click(s); };
    bsSkinButton14->OnClick = [this](TObject* s) { bsSkinButton14Click(s); };
    bsSkinButton15->OnClick = [this](TObject* s) { bsSkinButton15Click(s); };
    bsSkinButton16->OnClick = [this](TObject* s) { bsSkinButton16Click(s); };
    bsSkinButton20->OnClick = [this](TObject* s) { bsSkinButton20Click(s); };
    bsSkinSlider1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        bsSkinSlider1MouseDown(s, b, sh, x, y);
    };
    bsSkinSlider1->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        bsSkinSlider1MouseUp(s, b, sh, x, y);
    };
    TrackBar2->OnChange = [this](TObject* s) { TrackBar2Change(s); };
    bsSkinButton22->OnClick = [this](TObject* s) { bsSkinButton22Click(s); };
    bsSkinButton23->OnClick = [this](TObject* s) { bsSkinButton23Click(s); };
    bsSkinButton23->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        bsSkinButton23MouseDown(s, b, sh, x, y);
    };
    btnCapture->OnClick = [this](TObject* s) { btnCaptureClick(s); };
}

// The player stops before the window and its controls go: nothing it does
// later may reach them.
void TForm1::DetachPreviewHandlers() {
    if (!ZADovovi) return;
    ZADovovi->OnFileOpen = nullptr;
    ZADovovi->SetOnPosition(nullptr);
    ZADovovi->SetOnState(nullptr);
    ZADovovi->SetOnHook(nullptr);
    ZADovovi->Stop(true);
}

TWinControl* TForm1::FindControlByName(const String& name) const {
    for (int i = 0; i < ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(Controls(i));
        if (child && child->Name() == name) return child;
    }
    return nullptr;
}

// ---- opening -----------------------------------------------------------------------------

void TForm1::Button31Click(TObject*) {
    try {
        OpenPreview(chkOpenPaused->Checked());
    } catch (const std::exception& e) {
        LogCaught(L"opening the preview", e);
    }
}

void TForm1::OpenPreview(bool APaused) {
    if (!ZADovovi->AVLibLoaded() && !ZADovovi->LoadAVLib(ExtractFilePath(Application->ExeName()) + L"LibAV")) {
        mmoLog->AddLine(ZADovovi->LastErrMsg());
        return;
    }
    const int screen = cboScreens->ItemIndex();
    FScreenControl = FindControlByName(screen >= 0 ? cboScreens->Items()->Get(screen) : String());
    const int video = cboVideoDriver->ItemIndex(), audio = cboAudioDriver->ItemIndex();
    ZADovovi->VideoDriver = video == 1 ? vdDirectDraw : video == 2 ? vdGDI : vdDefault;
    ZADovovi->AudioDriver = audio == 1 ? adDirectSound : audio == 2 ? adWaveOut : adDefault;
    if (!ZADovovi->Open(T_Movie_PLayer_FileName, Panel6->Handle(), APaused)) mmoLog->AddLine(ZADovovi->LastErrMsg());
}

// Runs inside Open, before the player's threads start.
void TForm1::ZADovoviFileOpen(TObject*, int64_t duration, int frameWidth, int frameHeight, int& screenWidth,
                              int& screenHeight) {
    try {
        String info = ZADovovi->AVProbe()->FileInfoText();
        while (!info.empty() && (info.back() == L'\n' || info.back() == L'\r')) info.pop_back();
        mmoLog->AddLine(info);
        wchar_t line[160];
        std::swprintf(line, std::size(line), L"duration: %f, frame size: %dx%d",
                      static_cast<double>(duration) / 1000000.0, frameWidth, frameHeight);
        mmoLog->AddLine(line);
        screenWidth = FScreenControl ? FScreenControl->Width() : GetSystemMetrics(SM_CXSCREEN);
        screenHeight = FScreenControl ? FScreenControl->Height() : GetSystemMetrics(SM_CYSCREEN);
        FDuration = duration;
        Label2->SetCaption(Seconds(duration));
        Label3->SetCaption(L"0.0");
        bsSkinSlider1->SetIncrement(5);
        bsSkinSlider1->SetMaxValue(bsSkinSlider1->Width());
        bsSkinSlider1->SetValue(0);
        FTrackChanging = true;
        try {
            bsSkinSlider1->SetValue(0);
        } catch (...) {
            FTrackChanging = false;
            throw;
        }
        FTrackChanging = false;
        FillStreamLists();
    } catch (const std::exception& e) {
        LogCaught(L"ZADovoviFileOpen", e);
    }
}

// One entry per stream of each kind, "Video#<stream index>" and the like.
void TForm1::FillStreamLists() {
    TbsSkinComboBox* lists[] = {cboVideo, cboAudio, cboSubtitle};
    for (TbsSkinComboBox* list : lists) {
        list->Items()->BeginUpdate();
        list->Items()->Clear();
    }
    TAVProbe* probe = ZADovovi->AVProbe();
    for (int i = 0; i < probe->StreamCount(); ++i) {
        if (probe->IsVideoStream(i)) cboVideo->Items()->Add(Numbered(L"Video", i));
        else if (probe->IsAudioStream(i)) cboAudio->Items()->Add(Numbered(L"Audio", i));
        else if (probe->IsSubtitleStream(i)) cboSubtitle->Items()->Add(Numbered(L"Subtitle", i));
    }
    const int videoIndex = ZADovovi->VideoStreamIndex(), audioIndex = ZADovovi->AudioStreamIndex();
    cboVideo->SetEnabled(cboVideo->Items()->Count() >= 2 && videoIndex >= 0);
    cboVideo->SetItemIndex(cboVideo->Items()->IndexOf(Numbered(L"Video", videoIndex)));
    cboAudio->SetEnabled(cboAudio->Items()->Count() >= 2 && audioIndex >= 0);
    cboAudio->SetItemIndex(cboAudio->Items()->IndexOf(Numbered(L"Audio", audioIndex)));
    cboSubtitle->SetEnabled(cboSubtitle->Items()->Count() >= 1 && videoIndex >= 0);
    if (cboSubtitle->Enabled()) {
        cboSubtitle->Items()->Insert(0, Numbered(L"Subtitle", -1));
        cboSubtitle->SetItemIndex(
            cboSubtitle->Items()->IndexOf(Numbered(L"Subtitle", ZADovovi->SubtitleStreamIndex())));
    }
    for (TbsSkinComboBox* list : lists) list->Items()->EndUpdate();
}

// ---- events while playing ------------------------------------------------------------------

// While the user holds the slider, positions change nothing.
void TForm1::ZADovoviPosition(TObject*, int64_t pts) {
    if (bsSkinSlider1_down_UP != L"UP") return;
    Label3->SetCaption(Seconds(pts));
    if (pts >= 0 && FDuration > 0)
        bsSkinSlider1->SetValue(static_cast<int>(int64_t{bsSkinSlider1->MaxValue()} * pts / FDuration));
}

void TForm1::ZADovoviState(TObject*, TPlayState state) {
    try {
        mmoLog->AddLine(kPlayStateNames[state]);
        switch (state) {
        case psPlay:
        case psResume:
            if (chkStayOnTop->Checked()) SetFormStyle(fsStayOnTop);
            break;
        case psPause:
        case psStep:
            SetFormStyle(fsNormal);
            break;
        case psStop:
            SetFormStyle(fsNormal);
            // The video area shows its own black again at once.
            if (HWND screen = ZADovovi->ScreenHandle()) {
                ::InvalidateRect(screen, nullptr, TRUE);
                ::UpdateWindow(screen);
            }
            break;
        case psEnd:
            // Back to the start, waiting there.
            ZADovovi->Seek(int64_t{0}, TSeekFlags{sfAny}, false);
            ZADovovi->Pause();
            break;
        }
    } catch (const std::exception& e) {
        LogCaught(L"ZADovoviState", e);
    }
}

// The video thread, with the frame's canvas locked: the time stamp top left
// and the program's icon 10 pixels from the bottom-right corner.
void TForm1::ZADovoviHook(TObject*, TBitmap* bitmap, int64_t pts) {
    try {
        TCanvas* canvas = bitmap->Canvas();
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetName(L"Tahoma");
        canvas->Font()->SetSize(12);
        canvas->Font()->SetStyle(fsBold | fsUnderline);
        canvas->Font()->SetColor(clWhite);
        canvas->TextOut(10, 10, L"ROREZ - Time Stamp: " + std::to_wstring(pts));
        const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
        const int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
        DrawIconEx(canvas->Handle(), bitmap->Width() - 10 - w, bitmap->Height() - 10 - h, icon, w, h, 0, nullptr,
                   DI_NORMAL);
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
    }
}

// ---- buttons and slider ----------------------------------------------------------------------

// "播放". Stopping a batch closes the preview while its row stays
// selected: with nothing open, the selected row's file opens playing.
void TForm1::bsSkinButton13Click(TObject*) {
    try {
        if (ZADovovi->PlayState() == psStop && lvFiles->Selected()) {
            T_Movie_PLayer_FileName = lvFiles->Selected()->Caption();
            OpenPreview(false);
        } else {
            ZADovovi->Resume();
        }
    } catch (const std::exception& e) {
        LogCaught(L"playing the preview", e);
    }
    FocusQueue();
}

void TForm1::bsSkinButton14Click(TObject*) {
    ZADovovi->Pause();
    FocusQueue();
}

// "停止": the selected row's file again from its start, paused.
void TForm1::bsSkinButton15Click(TObject*) {
    if (!lvFiles->Selected()) return;
    ReopenPreview();
}

void TForm1::ReopenPreview() {
    try {
        ZADovovi->Stop(true);
        if (!ZADovovi->Open(T_Movie_PLayer_FileName, Panel6->Handle(), chkOpenPaused->Checked()))
            mmoLog->AddLine(ZADovovi->LastErrMsg());
        FocusQueue();
    } catch (const std::exception& e) {
        ZADovovi->Stop(true);
        LogCaught(L"reopening the preview", e);
    }
}

void TForm1::bsSkinButton16Click(TObject*) {
    ZADovovi->Mute = true;
    bsSkinButton20->SetVisible(true);
    bsSkinButton16->SetVisible(false);
}

void TForm1::bsSkinButton20Click(TObject*) {
    ZADovovi->Mute = false;
    bsSkinButton16->SetVisible(true);
    bsSkinButton20->SetVisible(false);
}

void TForm1::bsSkinSlider1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    bsSkinSlider1_down_UP = L"Down";
    ZADovovi->Pause();
}

void TForm1::bsSkinSlider1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    ZADovovi->Pause();
    SeekToSlider();
    ZADovovi->Resume();
    bsSkinSlider1_down_UP = L"UP";
}

// The slider's place mapped linearly onto the duration.
void TForm1::SeekToSlider() {
    const int max = bsSkinSlider1->MaxValue();
    const int64_t target = max > 0 ? FDuration * bsSkinSlider1->Value() / max : 0;
    ZADovovi->Seek(target, TSeekFlags{}, false);
}

void TForm1::TrackBar2Change(TObject*) { ZADovovi->AudioVolume = TrackBar2->Value(); }

// The player's screen follows the window while it moves or resizes.
void TForm1::WndProc(TMessage& m) {
    TForm::WndProc(m);
    if ((m.Msg == WM_WINDOWPOSCHANGING || m.Msg == WM_WINDOWPOSCHANGED) && ZADovovi)
        ZADovovi->UpdateScreenPosition();
}
