#include "app/Unit6.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/LegacyCatalogue.h"

TForm6* Form6 = nullptr;

namespace {

using legacy::TOptionList;

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const wchar_t* name, int left, int top, int width,
        int height) {
    T* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const wchar_t* name, const wchar_t* text,
                  int left, int top) {
    TLabel* label = Make<TLabel>(owner, parent, name, left, top, 80, 16);
    label->SetCaption(text);
    return label;
}

TButton* MakeButton(TComponent* owner, TWinControl* parent, const wchar_t* name,
                    const wchar_t* caption, int left, int top, int width, int height) {
    TButton* button = Make<TButton>(owner, parent, name, left, top, width, height);
    button->SetCaption(caption);
    return button;
}

}  // namespace

// The window's list boxes as the procedures see them. A selection made by
// code in the format list raises its click event, as the office combo box
// does.
class TForm6::TViews {
public:
    explicit TViews(TForm6& form) : FCategories(form), FFormats(form), FOptions(form) {}

    legacy::TLegacyViews Views() { return {FCategories, FFormats, FOptions}; }

private:
    class TCategories : public legacy::ICategoryList {
    public:
        explicit TCategories(TForm6& form) : FForm(form) {}
        int ItemIndex() const override { return FForm.bsSkinOfficeComboBox2->ItemIndex(); }

    private:
        TForm6& FForm;
    };

    class TFormats : public legacy::IFormatListView {
    public:
        explicit TFormats(TForm6& form) : FForm(form) {}
        void ClearItems() override {
            List()->Items()->Clear();
            FCaptions.clear();
        }
        void AddItem(const std::wstring& title, const std::wstring& caption, int) override {
            List()->Items()->Add(title);
            FCaptions.push_back(caption);
        }
        void Redraw() override { List()->Invalidate(); }
        void SetItemIndex(int index) override {
            List()->SetItemIndex(index >= 0 && index < List()->Count() ? index : -1);
            List()->Click();
        }
        int ItemIndex() const override { return List()->ItemIndex(); }

    private:
        TListBox* List() const { return FForm.bsSkinOfficeComboBox1; }
        TForm6& FForm;
        std::vector<std::wstring> FCaptions;  // description lines of the items
    };

    class TOptions : public legacy::IOptionLists {
    public:
        explicit TOptions(TForm6& form) : FForm(form) {}
        void ClearItems(TOptionList list) override { FForm.OptionList(list)->Items()->Clear(); }
        void SetEnabled(TOptionList list, bool enabled) override {
            FForm.OptionList(list)->SetEnabled(enabled);
        }
        void AddItem(TOptionList list, const std::wstring& text) override {
            FForm.OptionList(list)->Items()->Add(text);
        }
        void SetItemIndex(TOptionList list, int index) override {
            FForm.OptionList(list)->SetItemIndex(index);
        }
        std::wstring ShownText(TOptionList list) const override {
            TListBox* box = FForm.OptionList(list);
            const int index = box->ItemIndex();
            return index >= 0 && index < box->Count() ? box->Items()->Get(index) : std::wstring();
        }

    private:
        TForm6& FForm;
    };

    TCategories FCategories;
    TFormats FFormats;
    TOptions FOptions;
};

TForm6::TForm6(TComponent* owner, legacy::TMainWindowFields fields,
               std::function<legacy::TPresetSources()> sources)
    : TForm(owner) {
    SetName(L"Form6");
    SetCaption(L"设置选项");
    SetBounds(197, 218, 964, 500);
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    Position = poMainFormCenter;
    Font()->SetName(L"Tahoma");
    Font()->SetHeight(-11);
    CreateFormatChooser();
    CreateOptionPage();
    CreateButtons();
    ImageList1 = new TImageList(this);
    ImageList1->SetName(L"ImageList1");
    ImageList2 = new TImageList(this);
    ImageList2->SetName(L"ImageList2");

    FViews = std::make_unique<TViews>(*this);
    FProcedures =
        std::make_unique<legacy::TLegacyProcedures>(FViews->Views(), fields, std::move(sources));
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

TForm6::~TForm6() = default;

void TForm6::CreateFormatChooser() {
    bsSkinPanel2 = Make<TPanel>(this, this, L"bsSkinPanel2", 39, 36, 625, 109);
    bsSkinPanel2->ShowCaption = false;
    bsSkinTextLabel5 = MakeLabel(this, bsSkinPanel2, L"bsSkinTextLabel5", L"输出格式：", 17, 48);
    bsSkinOfficeComboBox2 =
        Make<TListBox>(this, bsSkinPanel2, L"bsSkinOfficeComboBox2", 83, 33, 126, 51);
    for (const legacy::TLegacyCategory& category : legacy::Categories())
        bsSkinOfficeComboBox2->Items()->Add(category.Caption);
    bsSkinOfficeComboBox2->SetItemIndex(0);
    bsSkinOfficeComboBox2->OnClick = [this](TObject* s) { bsSkinOfficeComboBox2Change(s); };
    bsSkinOfficeComboBox1 =
        Make<TListBox>(this, bsSkinPanel2, L"bsSkinOfficeComboBox1", 215, 33, 400, 51);
    bsSkinOfficeComboBox1->OnClick = [this](TObject* s) { bsSkinOfficeComboBox1Click(s); };
    bsSkinButton1 = MakeButton(this, bsSkinPanel2, L"bsSkinButton1", L"设置", 621, 139, 55, 51);
    bsSkinButton1->SetVisible(false);
}

void TForm6::CreateOptionPage() {
    bsSkinPageControl1 = Make<TPageControl>(this, this, L"bsSkinPageControl1", 39, 171, 625, 222);
    const struct {
        TTabSheet** Sheet;
        const wchar_t* Name;
        const wchar_t* Caption;
    } sheets[] = {{&bsSkinTabSheet1, L"bsSkinTabSheet1", L"标准参数设置"},
                  {&bsSkinTabSheet2, L"bsSkinTabSheet2", L"剪辑设置"},
                  {&FilterSheet, L"滤镜设置", L"滤镜设置"},
                  {&bsSkinTabSheet3, L"bsSkinTabSheet3", L"文字水印"}};
    for (const auto& s : sheets) {
        *s.Sheet = new TTabSheet(this);
        (*s.Sheet)->SetName(s.Name);
        (*s.Sheet)->SetPageControl(bsSkinPageControl1);
        (*s.Sheet)->SetCaption(s.Caption);
    }
    bsSkinPageControl1->SetActivePage(bsSkinTabSheet1);

    TTabSheet* page = bsSkinTabSheet1;
    bsSkinTextLabel3 = MakeLabel(this, page, L"bsSkinTextLabel3", L"视频分辨率：", 19, 24);
    bsSkinComboBox1 = Make<TListBox>(this, page, L"bsSkinComboBox1", 16, 43, 289, 20);
    bsSkinTextLabel2 = MakeLabel(this, page, L"bsSkinTextLabel2", L"视频比特率：", 342, 24);
    bsSkinComboBox2 = Make<TListBox>(this, page, L"bsSkinComboBox2", 342, 43, 251, 20);
    bsSkinTextLabel6 = MakeLabel(this, page, L"bsSkinTextLabel6", L"视频帧率：", 16, 69);
    bsSkinComboBox9 = Make<TListBox>(this, page, L"bsSkinComboBox9", 14, 88, 291, 20);
    bsSkinTextLabel9 = MakeLabel(this, page, L"bsSkinTextLabel9", L"视频缩放：", 342, 69);
    bsSkinComboBox4 = Make<TListBox>(this, page, L"bsSkinComboBox4", 342, 88, 251, 20);
    bsSkinTextLabel4 = MakeLabel(this, page, L"bsSkinTextLabel4", L"音频比特率：", 16, 114);
    bsSkinComboBox3 = Make<TListBox>(this, page, L"bsSkinComboBox3", 16, 133, 289, 20);
    bsSkinTextLabel7 = MakeLabel(this, page, L"bsSkinTextLabel7", L"音频采样率：", 342, 114);
    bsSkinComboBox10 = Make<TListBox>(this, page, L"bsSkinComboBox10", 342, 133, 251, 20);
}

void TForm6::CreateButtons() {
    bsSkinButton2 = MakeButton(this, this, L"bsSkinButton2", L"确定", 480, 416, 69, 25);
    bsSkinButton2->OnClick = [this](TObject* s) { bsSkinButton2Click(s); };
    bsSkinButton3 = MakeButton(this, this, L"bsSkinButton3", L"取消", 594, 416, 69, 25);
    bsSkinButton3->OnClick = [this](TObject* s) { bsSkinButton3Click(s); };

    Panel1 = Make<TPanel>(this, this, L"Panel1", 690, 161, 305, 305);
    Image1 = Make<TImage>(this, Panel1, L"Image1", 46, 158, 171, 103);
    Button6 = MakeButton(this, Panel1, L"Button6", L"初始化数据", 8, 8, 140, 25);
    Button6->OnClick = [this](TObject* s) { Button6Click(s); };
    Button5 = MakeButton(this, Panel1, L"Button5", L"根据combox添加数据", 8, 38, 140, 25);
    Button5->OnClick = [this](TObject* s) { Button5Click(s); };
    Button7 = MakeButton(this, Panel1, L"Button7", L"确认oo数据", 8, 68, 140, 25);
    Button2 = MakeButton(this, Panel1, L"Button2", L"添加combox", 8, 98, 140, 25);
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    Button13 = MakeButton(this, Panel1, L"Button13", L"确认预置选项数据", 156, 8, 140, 25);
    Button13->OnClick = [this](TObject* s) { Button13Click(s); };
    Button11 = MakeButton(this, Panel1, L"Button11", L"onchange用", 156, 38, 140, 25);
    Button18 = MakeButton(this, Panel1, L"Button18", L"根据combox添加预设选项", 156, 68, 140, 25);
    Button18->OnClick = [this](TObject* s) { Button18Click(s); };
}

TListBox* TForm6::OptionList(TOptionList list) const {
    switch (list) {
    case TOptionList::Resolution: return bsSkinComboBox1;
    case TOptionList::VideoBitrate: return bsSkinComboBox2;
    case TOptionList::FrameRate: return bsSkinComboBox9;
    case TOptionList::AudioBitrate: return bsSkinComboBox3;
    case TOptionList::SampleRate: return bsSkinComboBox10;
    case TOptionList::Aspect: return bsSkinComboBox4;
    }
    return nullptr;
}

void TForm6::FormCreate(TObject*) { Button2->Click(); }
void TForm6::Button2Click(TObject*) { FProcedures->FillFormats(); }
void TForm6::bsSkinOfficeComboBox2Change(TObject*) { Button2->Click(); }
void TForm6::bsSkinOfficeComboBox1Click(TObject*) { Button18->Click(); }
void TForm6::Button18Click(TObject*) { FProcedures->FillOptions(); }
void TForm6::Button5Click(TObject*) { FProcedures->ApplyPresets(); }
void TForm6::Button6Click(TObject*) { FProcedures->Reset(); }

// A list whose text does not convert keeps its field, the others are read;
// the lists that did not convert go to the debug log.
void TForm6::Button13Click(TObject*) {
    for (TOptionList list : FProcedures->ReadBack()) {
        const std::wstring text = L"设置选项: option list " +
                                  std::to_wstring(static_cast<int>(list)) +
                                  L" shows no bit rate; its field is kept\n";
        OutputDebugStringW(text.c_str());
    }
}

void TForm6::bsSkinButton2Click(TObject*) {
    Button5->Click();
    Button13->Click();
    Close();
}

void TForm6::bsSkinButton3Click(TObject*) { Close(); }
