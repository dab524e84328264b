// The controls of the main window that the user never sees: the panels of
// hidden procedure buttons, the developer's check boxes and list, the
// command glyphs, the log memo, and the preview's host panel.
#include "app/AppPictures.h"
#include "app/Unit1.h"
#include "app/MakeControl.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"

namespace {

TButton* MakeButton(TComponent* owner, TWinControl* parent, const wchar_t* name, const wchar_t* caption, int top) {
    auto* b = Make<TButton>(owner, parent, name, 4, top, 150, 22);
    b->SetCaption(caption);
    return b;
}

}  // namespace

// The player's host window: a child of the window itself (the preview finds
// it by name among the window's children), lying over the preview panel.
void TForm1::CreatePreviewHost(TWinControl* parent) {
    Panel6 = Make<TPanel>(this, this, L"Panel6", parent->Left() + 45, parent->Top() + 43, 240, 145);
    Panel6->SetColor(clBlack);
    Panel6->SetCaption(L"");
    Panel6->BringToFront();
}

// Procedures kept as hidden buttons, the developer's check boxes and list,
// the command glyphs, and the log memo: all right of the client area.
void TForm1::CreateDeveloperPanels() {
    Panel1 = Make<TPanel>(this, this, L"Panel1", 1181, 0, 170, 620);
    const struct {
        TButton** field;
        const wchar_t *name, *caption;
        TNotifyEvent click;
    } buttons[] = {
        {&Button1, L"Button1", L"help", [this](TObject* s) { Button1Click(s); }},
        {&Button2, L"Button2", L"添加combox", [this](TObject* s) { Button2Click(s); }},
        {&Button3, L"Button3", L"读入皮肤ini", [this](TObject* s) { Button3Click(s); }},
        {&Button4, L"Button4", L"写入皮肤ini", [this](TObject* s) { Button4Click(s); }},
        {&Button5, L"Button5", L"根据combox添加数据", [this](TObject* s) { Button5Click(s); }},
        {&Button6, L"Button6", L"初始化数据", [this](TObject* s) { Button6Click(s); }},
        {&Button11, L"Button11", L"onchange用", nullptr},
        {&Button13, L"Button13", L"确认预置选项数据", [this](TObject* s) { Button13Click(s); }},
        {&Button16, L"Button16", L"写ini文件", [this](TObject* s) { Button16Click(s); }},
        {&Button17, L"Button17", L"读ini文件", [this](TObject* s) { Button17Click(s); }},
        {&Button18, L"Button18", L"根据combox添加预设选项", [this](TObject* s) { Button18Click(s); }},
        {&Button20, L"Button20", L"转换后打开文件夹", [this](TObject* s) { Button20Click(s); }},
        {&Button21, L"Button21", L"设置打开对话框", [this](TObject* s) { Button21Click(s); }},
        {&Button24, L"Button24", L"刷新皮肤", nullptr},
        {&Button31, L"Button31", L"打开播放视频", [this](TObject* s) { Button31Click(s); }},
    };
    int top = 4;
    for (const auto& b : buttons) {
        *b.field = MakeButton(this, Panel1, b.name, b.caption, top);
        (*b.field)->OnClick = b.click;
        top += 26;
    }
    chkThreadMode = Make<TbsSkinCheckRadioBox>(this, Panel1, L"chkThreadMode", 4, top, 150, 22);
    chkThreadMode->SetCaption(L"ThreadMode");
    chkThreadMode->SetChecked(true);
    chkPreview = Make<TbsSkinCheckRadioBox>(this, Panel1, L"chkPreview", 4, top + 26, 150, 22);
    chkPreview->SetCaption(L"Preview");
    ListBox1 = Make<TListBox>(this, Panel1, L"ListBox1", 4, top + 52, 150, 60);
    const auto glyphs = apppictures::MakeCommandGlyphs(this, Panel1, 4, top + 118);
    TImage** fields[] = {&Image2,  &Image3,  &Image4,  &Image5,  &Image6,  &Image7,  &Image8,  &Image9,
                         &Image10, &Image11, &Image12, &Image13, &Image14, &Image15, &Image16, &Image17};
    for (size_t i = 0; i < glyphs.size(); ++i) *fields[i] = glyphs[i];

    Panel3 = Make<TPanel>(this, this, L"Panel3", 1200, 0, 80, 80);
    Panel4 = Make<TPanel>(this, this, L"Panel4", 1275, 0, 60, 60);
    Panel5 = Make<TPanel>(this, this, L"Panel5", 1240, 100, 320, 420);
    cboScreens = Make<TbsSkinComboBox>(this, Panel5, L"cboScreens", 4, 4, 200, 22);
    mmoLog = Make<TMemo>(this, Panel5, L"mmoLog", 4, 32, 310, 380);
    mmoLog->SetScrollBars(ssBoth);
    mmoLog->SetWordWrap(false);
    mmoLog->SetReadOnly(true);
    CreatePreviewDeveloperControls();
    Button19 = MakeButton(this, this, L"Button19", L"Button19", 0);
    Button19->SetLeft(1190);
    Button19->SetTop(640);
    Button27 = MakeButton(this, this, L"Button27", L"Button27", 0);
    Button27->SetLeft(1190);
    Button27->SetTop(670);
}

// "Panel6", then the window's direct windowed children by tab order.
void TForm1::FillScreenList() {
    cboScreens->Items()->Clear();
    cboScreens->Items()->Add(L"Panel6");
    for (int t = 0;; ++t) {
        TWinControl* found = nullptr;
        for (int i = 0; i < ControlCount() && !found; ++i) {
            auto* child = dynamic_cast<TWinControl*>(Controls(i));
            if (child && child->TabOrder() == t) found = child;
        }
        if (!found) break;
        cboScreens->Items()->Add(found->Name());
    }
    cboScreens->SetItemIndex(0);
}
