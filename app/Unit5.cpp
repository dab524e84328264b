#include "app/Unit5.h"

#include "Src/DIzizuZUR.h"
#include "app/MakeControl.h"
#include "app/OptionIni.h"
#include "app/SkinFrames.h"
#include "app/Unit1.h"
#include "platform/StdCtrls.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsPages.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsPanels.h"

TForm5* Form5 = nullptr;

namespace {

constexpr const wchar_t* kSection = L"Options";
constexpr int kMaxThreads = 19;

TbsSkinCheckRadioBox* MakeBox(TComponent* owner, TWinControl* parent, TbsSkinData* store, const wchar_t* name,
                              const wchar_t* caption, int top, bool radio) {
    auto* box = Make<TbsSkinCheckRadioBox>(owner, parent, name, 20, top, 440, 24);
    box->SetRadio(radio);
    box->SetSkinDataName(radio ? L"radiobox" : L"checkbox");
    box->GroupIndex = radio ? 1 : 0;
    box->SetCaption(caption);
    box->SetSkinData(store);
    return box;
}

TbsSkinGroupBox* MakeGroup(TComponent* owner, TWinControl* parent, TbsSkinData* store, const wchar_t* name,
                           const wchar_t* caption, int top, int height) {
    auto* group = Make<TbsSkinGroupBox>(owner, parent, name, 12, top, 494, height);
    group->SetCaption(caption);
    group->SetSkinData(store);
    return group;
}

}  // namespace

TForm5::TForm5(TComponent* owner) : TForm(owner) {
    SetName(L"Form5");
    SetCaption(L"选项");
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    SetClientSize(542, 550);
    Position = poMainFormCenter;
    Font()->SetName(L"宋体");
    Font()->SetCharset(GB2312_CHARSET);
    Font()->SetHeight(-12);
    TbsSkinData* store = Form1 ? Form1->bsSkinData1 : nullptr;
    bsSkinFrame1 = skinframes::AttachSkinFrame(this, store, skinframes::fbNone, 542, 550);

    bsSkinPageControl1 = Make<TbsSkinPageControl>(this, this, L"bsSkinPageControl1", 8, 8, 526, 486);
    bsSkinPageControl1->SetSkinData(store);
    bsSkinTabSheet1 = new TbsSkinTabSheet(this);
    bsSkinTabSheet1->SetName(L"bsSkinTabSheet1");
    bsSkinTabSheet1->SetCaption(L"CPU设置");
    bsSkinTabSheet1->SetPageControl(bsSkinPageControl1);
    bsSkinTabSheet2 = new TbsSkinTabSheet(this);
    bsSkinTabSheet2->SetName(L"bsSkinTabSheet2");
    bsSkinTabSheet2->SetCaption(L"常规设置");
    bsSkinTabSheet2->SetPageControl(bsSkinPageControl1);
    bsSkinPageControl1->SetActivePageIndex(0);
    CreateCpuTab(store);
    CreateGeneralTab(store);

    bsSkinButton6 = Make<TbsSkinButton>(this, this, L"bsSkinButton6", 344, 508, 88, 30);
    bsSkinButton6->SetCaption(L"确定");
    bsSkinButton6->SetSkinData(store);
    bsSkinButton6->OnClick = [this](TObject* s) { bsSkinButton6Click(s); };
    bsSkinButton1 = Make<TbsSkinButton>(this, this, L"bsSkinButton1", 444, 508, 88, 30);
    bsSkinButton1->SetCaption(L"取消");
    bsSkinButton1->SetSkinData(store);
    bsSkinButton1->OnClick = [this](TObject* s) { bsSkinButton1Click(s); };

    Panel1 = Make<TbsSkinPanel>(this, this, L"Panel1", 1200, 0, 120, 120);
    Button1 = Make<TButton>(this, Panel1, L"Button1", 4, 4, 100, 24);
    Button1->SetCaption(L"读取ini");
    Button2 = Make<TButton>(this, Panel1, L"Button2", 4, 32, 100, 24);
    Button2->SetCaption(L"写ini");
    Button3 = Make<TButton>(this, Panel1, L"Button3", 4, 60, 100, 24);
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };

    OnCreate = [this](TObject* s) { Button1Click(s); };
}

void TForm5::CreateCpuTab(TbsSkinData* store) {
    bsSkinPanel4 = MakeGroup(this, bsSkinTabSheet1, store, L"bsSkinPanel4", L"转换时CPU利用方式", 12, 170);
    bsSkinCheckRadioBox9 = MakeBox(this, bsSkinPanel4, store, L"bsSkinCheckRadioBox9", L"系统空闲时进行", 34, true);
    bsSkinCheckRadioBox10 = MakeBox(this, bsSkinPanel4, store, L"bsSkinCheckRadioBox10", L"最低优先级进行", 66, true);
    bsSkinCheckRadioBox11 = MakeBox(this, bsSkinPanel4, store, L"bsSkinCheckRadioBox11", L"较低优先级进行", 98, true);
    bsSkinCheckRadioBox12 = MakeBox(this, bsSkinPanel4, store, L"bsSkinCheckRadioBox12", L"正常优先级进行", 130, true);
    bsSkinCheckRadioBox12->SetChecked(true);

    bsSkinPanel2 = MakeGroup(this, bsSkinTabSheet1, store, L"bsSkinPanel2", L"转换参数", 194, 170);
    bsSkinStdLabel1 = Make<TbsSkinStdLabel>(this, bsSkinPanel2, L"bsSkinStdLabel1", 20, 36, 440, 16);
    bsSkinStdLabel1->SetCaption(L"程序最大运行线程数--（同时进行转换的文件个数）");
    bsSkinStdLabel1->SetSkinData(store);
    bsSkinComboBox2 = Make<TbsSkinComboBox>(this, bsSkinPanel2, L"bsSkinComboBox2", 20, 62, 120, 22);
    for (int n = 1; n <= kMaxThreads; ++n) bsSkinComboBox2->Items()->Add(std::to_wstring(n));
    bsSkinComboBox2->SetSkinData(store);
    bsSkinComboBox2->SetItemIndex(0);
    bsSkinCheckRadioBox7 = MakeBox(this, bsSkinPanel2, store, L"bsSkinCheckRadioBox7",
                                   L"启用多线程模式   （同时进行转换的视频个数）", 96, false);
    bsSkinCheckRadioBox7->SetChecked(true);
    bsSkinCheckRadioBox7->SetVisible(false);
    bsSkinCheckRadioBox7->OnClick = [this](TObject* s) { bsSkinCheckRadioBox7Click(s); };
    bsSkinCheckRadioBox8 = MakeBox(this, bsSkinPanel2, store, L"bsSkinCheckRadioBox8", L"转换时进行实时视频预览", 126,
                                   false);
    bsSkinCheckRadioBox8->OnClick = [this](TObject* s) { bsSkinCheckRadioBox8Click(s); };
}

void TForm5::CreateGeneralTab(TbsSkinData* store) {
    bsSkinPanel3 = MakeGroup(this, bsSkinTabSheet2, store, L"bsSkinPanel3", L"转换工作完成后", 12, 170);
    bsSkinCheckRadioBox1 = MakeBox(this, bsSkinPanel3, store, L"bsSkinCheckRadioBox1", L"自动打开输出文件夹", 34, true);
    bsSkinCheckRadioBox2 = MakeBox(this, bsSkinPanel3, store, L"bsSkinCheckRadioBox2", L"自动关闭计算机", 66, true);
    bsSkinCheckRadioBox4 = MakeBox(this, bsSkinPanel3, store, L"bsSkinCheckRadioBox4", L" 播放提示音乐", 98, true);
    bsSkinCheckRadioBox5 = MakeBox(this, bsSkinPanel3, store, L"bsSkinCheckRadioBox5", L"不进行任何操作", 130, true);
    bsSkinCheckRadioBox1->SetChecked(true);

    bsSkinPanel1 = MakeGroup(this, bsSkinTabSheet2, store, L"bsSkinPanel1", L"如果输出文件存在时", 194, 106);
    bsSkinCheckRadioBox3 = MakeBox(this, bsSkinPanel1, store, L"bsSkinCheckRadioBox3", L"直接覆盖输出文件", 34, true);
    bsSkinCheckRadioBox6 = MakeBox(this, bsSkinPanel1, store, L"bsSkinCheckRadioBox6", L"自动重命名输出文件", 66, true);
    bsSkinCheckRadioBox6->SetChecked(true);
}

TbsSkinCheckRadioBox* TForm5::Box(int number) const {
    switch (number) {
    case 1: return bsSkinCheckRadioBox1;
    case 2: return bsSkinCheckRadioBox2;
    case 3: return bsSkinCheckRadioBox3;
    case 4: return bsSkinCheckRadioBox4;
    case 5: return bsSkinCheckRadioBox5;
    case 6: return bsSkinCheckRadioBox6;
    case 7: return bsSkinCheckRadioBox7;
    case 8: return bsSkinCheckRadioBox8;
    case 9: return bsSkinCheckRadioBox9;
    case 10: return bsSkinCheckRadioBox10;
    case 11: return bsSkinCheckRadioBox11;
    case 12: return bsSkinCheckRadioBox12;
    default: return nullptr;
    }
}

// ---- load ----------------------------------------------------------------------------

// A first start writes the five defaults; otherwise each key is read and
// repaired on its own.
void TForm5::Button1Click(TObject*) {
    if (!optionini::Exists()) {
        optionini::Write(kSection, L"Thread_Count", L"0");
        optionini::Write(kSection, L"After_Done", L"0");
        optionini::Write(kSection, L"Show_Preview", L"0");
        optionini::Write(kSection, L"Thread_Priority", L"3");
        optionini::Write(kSection, L"Overwrite_File", L"1");
        bsSkinCheckRadioBox1->SetChecked(true);
        bsSkinCheckRadioBox8->SetChecked(false);
        bsSkinCheckRadioBox12->SetChecked(true);
        bsSkinCheckRadioBox6->SetChecked(true);
        return;
    }
    LoadThreadCount();
    LoadChoice(L"After_Done", L"0", {bsSkinCheckRadioBox1, bsSkinCheckRadioBox2, bsSkinCheckRadioBox4,
                                     bsSkinCheckRadioBox5});
    LoadChoice(L"Thread_Priority", L"3", {bsSkinCheckRadioBox9, bsSkinCheckRadioBox10, bsSkinCheckRadioBox11,
                                          bsSkinCheckRadioBox12});
    LoadChoice(L"Overwrite_File", L"1", {bsSkinCheckRadioBox3, bsSkinCheckRadioBox6});
    LoadPreview();
}

// "1".."19" select that count, as OK stored it; "0" (the repaired value)
// selects 1; a missing value is repaired and leaves the list alone; any
// other text selects 1 and is repaired.
void TForm5::LoadThreadCount() {
    const String value = optionini::Read(kSection, L"Thread_Count");
    if (optionini::IsUnset(value)) {
        optionini::Write(kSection, L"Thread_Count", L"0");
        return;
    }
    const int index = bsSkinComboBox2->Items()->IndexOf(value);
    if (index >= 0) {
        bsSkinComboBox2->SetItemIndex(index);
    } else if (value == L"0") {
        bsSkinComboBox2->SetItemIndex(0);
    } else {
        bsSkinComboBox2->SetItemIndex(0);
        optionini::Write(kSection, L"Thread_Count", L"0");
    }
}

// The value "0", "1", ... ticks the box of that place; anything else
// writes def and ticks def's box.
void TForm5::LoadChoice(const wchar_t* key, const wchar_t* def, std::initializer_list<TbsSkinCheckRadioBox*> boxes) {
    const String value = optionini::Read(kSection, key);
    int place = 0;
    for (TbsSkinCheckRadioBox* box : boxes) {
        if (value == std::to_wstring(place)) {
            box->SetChecked(true);
            return;
        }
        ++place;
    }
    optionini::Write(kSection, key, def);
    (*(boxes.begin() + std::stoi(def)))->SetChecked(true);
}

void TForm5::LoadPreview() {
    const String value = optionini::Read(kSection, L"Show_Preview");
    if (value == L"1") {
        bsSkinCheckRadioBox8->SetChecked(true);
        return;
    }
    if (value != L"0") optionini::Write(kSection, L"Show_Preview", L"0");
    bsSkinCheckRadioBox8->SetChecked(false);
}

// ---- save ----------------------------------------------------------------------------

void TForm5::Button2Click(TObject*) {
    if (bsSkinCheckRadioBox7->Checked()) optionini::Write(kSection, L"Thread_Count", bsSkinComboBox2->GetText());
    auto writeChoice = [](const wchar_t* key, std::initializer_list<TbsSkinCheckRadioBox*> boxes) {
        int place = 0;
        for (TbsSkinCheckRadioBox* box : boxes) {
            if (box->Checked()) {
                optionini::Write(kSection, key, std::to_wstring(place));
                return;
            }
            ++place;
        }
    };
    writeChoice(L"After_Done", {bsSkinCheckRadioBox1, bsSkinCheckRadioBox2, bsSkinCheckRadioBox4,
                                bsSkinCheckRadioBox5});
    optionini::Write(kSection, L"Show_Preview", bsSkinCheckRadioBox8->Checked() ? L"1" : L"0");
    writeChoice(L"Thread_Priority", {bsSkinCheckRadioBox9, bsSkinCheckRadioBox10, bsSkinCheckRadioBox11,
                                     bsSkinCheckRadioBox12});
    writeChoice(L"Overwrite_File", {bsSkinCheckRadioBox3, bsSkinCheckRadioBox6});
}

// ---- showing, OK and Cancel ----------------------------------------------------------------

void TForm5::Execute() {
    FShown = Snapshot();
    if (ShowModal() != mrOk) Restore(FShown);
}

void TForm5::bsSkinButton6Click(TObject* sender) {
    try {
        Button2Click(sender);
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());  // the settings stay in the controls for this run
    }
    ModalResult = mrOk;
}

void TForm5::bsSkinButton1Click(TObject*) { ModalResult = mrCancel; }

TForm5::TSnapshot TForm5::Snapshot() const {
    TSnapshot s;
    s.threadCount = bsSkinComboBox2->ItemIndex();
    for (int i = 1; i <= 12; ++i) s.boxes[static_cast<size_t>(i - 1)] = Box(i)->Checked();
    return s;
}

// Ticked boxes are set last, so that no radio group passes through a state
// with none of its boxes ticked.
void TForm5::Restore(const TSnapshot& s) {
    bsSkinComboBox2->SetItemIndex(s.threadCount);
    for (int i = 1; i <= 12; ++i)
        if (!s.boxes[static_cast<size_t>(i - 1)] && Box(i)->Checked()) Box(i)->SetChecked(false);
    for (int i = 1; i <= 12; ++i)
        if (s.boxes[static_cast<size_t>(i - 1)] && !Box(i)->Checked()) Box(i)->SetChecked(true);
}

void TForm5::bsSkinCheckRadioBox7Click(TObject*) { bsSkinComboBox2->SetEnabled(bsSkinCheckRadioBox7->Checked()); }

void TForm5::bsSkinCheckRadioBox8Click(TObject*) {
    if (Form1 && Form1->ROREZ) Form1->ROREZ->SetPreview(bsSkinCheckRadioBox8->Checked());
}

int TForm5::ThreadCount() const {
    if (!bsSkinCheckRadioBox7->Checked()) return 1;
    try {
        size_t used = 0;
        const String text = bsSkinComboBox2->GetText();
        const int n = std::stoi(text, &used);
        return used == text.size() ? n : 1;
    } catch (const std::exception&) {
        return 1;
    }
}
