// The commands of the main window: the hidden procedure buttons, the
// menu entries, tool-bar and queue-panel buttons bound to their work, the
// command groups with their enabled and disabled looks (glyphs and tool-bar
// pictures), and the defaults of the window's batch seams.
#include "app/MakeControl.h"
#include "app/Unit1.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

namespace {

// The look of a command's button: its glyph (one of the window's picture
// components) and its picture of the tool-bar list, each for the command on
// and off; -1: the button uses no picture of the list.
struct TLook {
    TImage* TForm1::*OnGlyph;
    TImage* TForm1::*OffGlyph;
    int On, Off;
};
constexpr TLook kStartLook{&TForm1::Image5, &TForm1::Image4, 1, 8};
constexpr TLook kStopLook{&TForm1::Image11, &TForm1::Image10, 2, 9};
constexpr TLook kPauseLook{&TForm1::Image7, &TForm1::Image6, 3, 10};
constexpr TLook kResumeLook{&TForm1::Image9, &TForm1::Image8, 4, 11};
constexpr TLook kRemoveLook{&TForm1::Image15, &TForm1::Image14, -1, -1};
constexpr TLook kRenameLook{&TForm1::Image16, &TForm1::Image17, -1, -1};
constexpr TLook kClearLook{&TForm1::Image13, &TForm1::Image12, -1, -1};
// The add button shows the tool-bar list only.
constexpr int kAddOn = 0, kAddOff = 7;

// A button whose image index lies within its image list draws that picture,
// otherwise its glyph: the tool-bar's buttons have a list, the queue
// panel's have none.
void SetLook(TForm1* form, TbsSkinButton* button, const TLook& look, bool on) {
    button->SetGlyph((form->*(on ? look.OnGlyph : look.OffGlyph))->Picture()->Bitmap());
    if (look.On >= 0) button->SetImageIndex(on ? look.On : look.Off);
}

// The tool-bar's batch buttons are redrawn without a pressed or hot look.
void SetBatchLook(TForm1* form, TbsSkinButton* button, const TLook& look, bool on) {
    SetLook(form, button, look, on);
    button->RefreshButton();
}

TButton* MakeHiddenButton(TComponent* owner, TWinControl* parent, const wchar_t* name, const wchar_t* caption,
                          int left, int top) {
    auto* b = Make<TButton>(owner, parent, name, left, top, 150, 22);
    b->SetCaption(caption);
    return b;
}

}  // namespace

// Procedures kept as hidden buttons, in a second column of Panel1; the
// buttons of Panel3 have no work (Button9's click does nothing).
void TForm1::CreateProcedureButtons() {
    Panel1->SetWidth(330);
    const struct {
        TButton** field;
        const wchar_t *name, *caption;
        TNotifyEvent click;
    } buttons[] = {
        {&btnAdd, L"btnAdd", L"Open添加一个文件", [this](TObject* s) { btnAddClick(s); }},
        {&btnStart, L"btnStart", L"Start", [this](TObject* s) { btnStartClick(s); }},
        {&btnStop, L"btnStop", L"Stop", [this](TObject* s) { btnStopClick(s); }},
        {&btnPause, L"btnPause", L"Pause", [this](TObject* s) { btnPauseClick(s); }},
        {&btnResume, L"btnResume", L"Resume", [this](TObject* s) { btnResumeClick(s); }},
        {&btnRemove, L"btnRemove", L"Remove", [this](TObject* s) { btnRemoveClick(s); }},
        {&btnClear, L"btnClear", L"Clear", [this](TObject* s) { btnClearClick(s); }},
        {&Button7, L"Button7", L"确认oo数据", [this](TObject* s) { Button7Click(s); }},
        {&Button8, L"Button8", L"打开多个文件", [this](TObject* s) { Button8Click(s); }},
        {&Button12, L"Button12", L"添加整个目录", [this](TObject* s) { Button12Click(s); }},
        {&Button14, L"Button14", L"添加", [this](TObject* s) { Button14Click(s); }},
        {&Button15, L"Button15", L"初始化数值", [this](TObject* s) { Button15Click(s); }},
        {&Button22, L"Button22", L"工作中设置为不能", [this](TObject* s) { Button22Click(s); }},
        {&Button23, L"Button23", L"工作完成设置为能", [this](TObject* s) { Button23Click(s); }},
        {&Button25, L"Button25", L"关机", [this](TObject* s) { Button25Click(s); }},
        {&Button26, L"Button26", L"Button26", [this](TObject* s) { N24Click(s); }},
        {&button28, L"button28", L"新添加", [this](TObject* s) { button28Click(s); }},
        {&Button29, L"Button29", L" 播放提示音", [this](TObject* s) { Button29Click(s); }},
    };
    int top = 4;
    for (const auto& b : buttons) {
        *b.field = MakeHiddenButton(this, Panel1, b.name, b.caption, 166, top);
        (*b.field)->OnClick = b.click;
        top += 26;
    }
    Button24->OnClick = [this](TObject* s) { Button24Click(s); };
    Button27->OnClick = [this](TObject* s) { Button27Click(s); };
    Panel3->SetWidth(170);
    Panel3->SetHeight(140);
    const struct {
        TButton** field;
        const wchar_t *name, *caption;
    } idle[] = {{&Button9, L"Button9", L"播放视频"}, {&Button10, L"Button10", L"Button10"},
                {&Button34, L"Button34", L"设置trackbar"}, {&Button40, L"Button40", L"设置视频尺寸的"},
                {&btnWebSite, L"btnWebSite", L"btnWebSite"}};
    top = 4;
    for (const auto& b : idle) {
        *b.field = MakeHiddenButton(this, Panel3, b.name, b.caption, 4, top);
        top += 26;
    }
    // Run by the add and row-selection commands.
    Button9->OnClick = [this](TObject* s) { Button9Click(s); };
}

void TForm1::BindCommands() {
    TMenuItem* popup = bsSkinPopupMenu1->Items();
    N11111 = popup->Items(0);
    N2222 = popup->Items(1);
    N3331 = popup->Items(2);
    auto addOne = [this](TObject* s) { btnAddClick(s); };
    auto addSeveral = [this](TObject*) { Button8Click(Button8); };
    auto addFolder = [this](TObject*) { Button12Click(Button12); };
    Item111->OnClick = addOne;
    N11111->OnClick = addOne;
    Item121->OnClick = [this](TObject* s) { Button8Click(s); };
    N2222->OnClick = addSeveral;
    N21->OnClick = addFolder;
    N3331->OnClick = addFolder;
    N111->OnClick = [this](TObject* s) { bsSkinButton3Click(s); };
    N2221->OnClick = [this](TObject* s) { bsSkinButton4Click(s); };
    N13->OnClick = [this](TObject* s) { bsSkinButton7Click(s); };
    N14->OnClick = [this](TObject* s) { bsSkinButton8Click(s); };
    N26->OnClick = [this](TObject* s) { N26Click(s); };
    N7->OnClick = [this](TObject* s) { bsSkinButton2Click(s); };
    N8->OnClick = [this](TObject* s) { bsSkinButton10Click(s); };
    N10->OnClick = [this](TObject* s) { bsSkinButton11Click(s); };
    N11->OnClick = [this](TObject* s) { bsSkinButton12Click(s); };

    bsSkinButton2->OnClick = [this](TObject* s) { bsSkinButton2Click(s); };
    bsSkinButton10->OnClick = [this](TObject* s) { bsSkinButton10Click(s); };
    bsSkinButton11->OnClick = [this](TObject* s) { bsSkinButton11Click(s); };
    bsSkinButton12->OnClick = [this](TObject* s) { bsSkinButton12Click(s); };
    bsSkinButton7->OnClick = [this](TObject* s) { bsSkinButton7Click(s); };
    bsSkinButton8->OnClick = [this](TObject* s) { bsSkinButton8Click(s); };
    bsSkinButton3->OnClick = [this](TObject* s) { bsSkinButton3Click(s); };
    bsSkinButton4->OnClick = [this](TObject* s) { bsSkinButton4Click(s); };
    bsSkinButton21->OnClick = [this](TObject* s) { bsSkinButton21Click(s); };
    chkPreview->OnClick = [this](TObject*) { ROREZ->SetPreview(chkPreview->Checked()); };

    ROREZ->OnProgress = [this](TObject* s, TCustomDIzizuZUR::PProgressInfo p) { ROREZProgress(s, p); };
    ROREZ->OnTerminate = [this](TObject* s, const TCustomDIzizuZUR::TTerminateInfo& i) { ROREZTerminate(s, i); };

    EndActionSink = [this](TEndAction action) {
        switch (action) {
        case TEndAction::OpenFolder: Button20Click(Button20); break;
        case TEndAction::ShutDown: Button25Click(Button25); break;
        case TEndAction::PlaySound: Button29Click(Button29); break;
        }
    };
    ExitWindowsCall = [](UINT flags, DWORD reason) { return ExitWindowsEx(flags, reason) != FALSE; };
    ShowMessageBox = [](const String& text, const String& caption, UINT flags) {
        return Application->MessageBox(text, caption, flags);
    };

    SetGroup(TCommandGroup::Add, true);
    for (TCommandGroup g : {TCommandGroup::Row, TCommandGroup::Clear, TCommandGroup::Start, TCommandGroup::Stop,
                            TCommandGroup::Pause, TCommandGroup::Resume})
        SetGroup(g, false);
    // Pause and resume share their place; pause lies over resume.
    bsSkinButton11->SetVisible(true);
    bsSkinButton12->SetVisible(false);
}

void TForm1::SetGroup(TCommandGroup group, bool on) {
    TPaintBatch paintOnce;  // the members change state, picture and look: one paint each
    auto enable = [on](std::initializer_list<TControl*> controls, std::initializer_list<TMenuItem*> items) {
        for (TControl* c : controls) c->SetEnabled(on);
        for (TMenuItem* i : items) i->SetEnabled(on);
    };
    switch (group) {
    case TCommandGroup::Add:
        enable({bsSkinMenuSpeedButton1, btnAdd}, {Item111, Item121, N21, N11111, N2222, N3331});
        bsSkinMenuSpeedButton1->SetImageIndex(on ? kAddOn : kAddOff);
        break;
    case TCommandGroup::Row:
        enable({btnRemove, bsSkinButton7, bsSkinButton21}, {N13, N26});
        SetLook(this, bsSkinButton7, kRemoveLook, on);
        SetLook(this, bsSkinButton21, kRenameLook, on);
        break;
    case TCommandGroup::Clear:
        enable({btnClear, bsSkinButton8}, {N14});
        SetLook(this, bsSkinButton8, kClearLook, on);
        break;
    case TCommandGroup::Start:
        enable({btnStart, bsSkinButton2}, {N7});
        SetBatchLook(this, bsSkinButton2, kStartLook, on);
        break;
    case TCommandGroup::Stop:
        enable({btnStop, bsSkinButton10}, {N8});
        SetBatchLook(this, bsSkinButton10, kStopLook, on);
        break;
    case TCommandGroup::Pause:
        enable({btnPause, bsSkinButton11}, {N10});
        SetBatchLook(this, bsSkinButton11, kPauseLook, on);
        break;
    case TCommandGroup::Resume:
        enable({btnResume, bsSkinButton12}, {N11});
        SetBatchLook(this, bsSkinButton12, kResumeLook, on);
        break;
    }
}

// The format and option controls: off while a batch runs, on again after.
void TForm1::Button22Click(TObject*) {
    for (TControl* c : std::initializer_list<TControl*>{bsSkinComboBox1, bsSkinComboBox2, bsSkinComboBox3,
                                                        bsSkinComboBox4, bsSkinComboBox9, bsSkinComboBox10,
                                                        bsSkinOfficeComboBox2, bsSkinOfficeComboBox1, bsSkinButton5})
        c->SetEnabled(false);
}

void TForm1::Button23Click(TObject*) {
    for (TControl* c : std::initializer_list<TControl*>{bsSkinComboBox1, bsSkinComboBox2, bsSkinComboBox3,
                                                        bsSkinComboBox4, bsSkinComboBox9, bsSkinComboBox10,
                                                        bsSkinOfficeComboBox2, bsSkinOfficeComboBox1, bsSkinButton5})
        c->SetEnabled(true);
    bsSkinOfficeComboBox2->Repaint();
}

void TForm1::Button24Click(TObject*) {}

void TForm1::Button9Click(TObject*) {}
