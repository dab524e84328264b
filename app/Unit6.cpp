#include "app/Unit6.h"

#include <windows.h>

#include <string>

#include "Src/DIzizuZUR.h"
#include "app/LegacyCatalogue.h"
#include "app/MakeControl.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinExCtrls.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsPages.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/frame/bsSkinFrame.h"

TForm6* Form6 = nullptr;

namespace {

using legacy::TOptionList;

// A skinned control of the store, looked up under skinName.
template <class T>
T* MakeSkinned(TComponent* owner, TWinControl* parent, TbsSkinData* store, const wchar_t* skinName,
               const wchar_t* name, int left, int top, int width, int height) {
    T* control = Make<T>(owner, parent, name, left, top, width, height);
    control->SetSkinDataName(skinName);
    control->SetSkinData(store);
    return control;
}

TbsSkinTextLabel* MakeLabel(TComponent* owner, TWinControl* parent, TbsSkinData* store,
                            const wchar_t* name, const wchar_t* text, int left, int top) {
    auto* label = MakeSkinned<TbsSkinTextLabel>(owner, parent, store, L"stdlabel", name, left, top, 80, 16);
    label->DefaultFont()->SetName(L"Arial");
    label->DefaultFont()->SetHeight(14);
    label->Lines()->Add(text);
    return label;
}

TbsSkinButton* MakeSkinButton(TComponent* owner, TWinControl* parent, TbsSkinData* store,
                              const wchar_t* name, const wchar_t* caption, int left, int top,
                              int width, int height) {
    auto* button =
        MakeSkinned<TbsSkinButton>(owner, parent, store, L"button", name, left, top, width, height);
    button->SetCaption(caption);
    return button;
}

// The look the two office lists share: a tool-button face, four entries
// dropped down, "宋体" -12, no translucency.
void ShapeOfficeList(TbsSkinOfficeComboBox* list) {
    list->SetToolButtonStyle(true);
    list->SetDropDownCount(4);
    list->DefaultFont()->SetName(L"宋体");
    list->DefaultFont()->SetHeight(-12);
    list->AlphaBlend = false;
    list->SetShowItemTitle(true);
    list->SetShowItemImage(true);
    list->SetShowItemText(true);
}

}  // namespace

// The window's lists as the procedures see them. A selection made by code
// in the format list raises its click event (the office combo box does so
// on every assignment).
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
        void ClearItems() override { List()->Items()->Clear(); }
        void AddItem(const std::wstring& title, const std::wstring& caption, int image) override {
            TbsSkinOfficeItem* item = List()->Items()->Add();
            item->SetTitle(title);
            item->SetCaption(caption);
            item->SetImageIndex(image);
        }
        void Redraw() override {
            List()->Refresh();
            List()->Repaint();
        }
        // The office list raises its click event on every assignment.
        void SetItemIndex(int index) override { List()->SetItemIndex(index); }
        int ItemIndex() const override { return List()->ItemIndex(); }

    private:
        TbsSkinOfficeComboBox* List() const { return FForm.bsSkinOfficeComboBox1; }
        TForm6& FForm;
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
            TbsSkinComboBox* box = FForm.OptionList(list);
            const int index = box->ItemIndex();
            return index >= 0 && index < box->Items()->Count() ? box->Items()->Get(index) : std::wstring();
        }

    private:
        TForm6& FForm;
    };

    TCategories FCategories;
    TFormats FFormats;
    TOptions FOptions;
};

TForm6::TForm6(TComponent* owner, TbsSkinData* store, legacy::TMainWindowFields fields,
               std::function<legacy::TPresetSources()> sources)
    : TForm(owner) {
    SetName(L"Form6");
    SetCaption(L"设置选项");
    SetBounds(197, 218, 964, 500);
    SetClientSize(958, 474);
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    Position = poMainFormCenter;
    Font()->SetName(L"Tahoma");
    Font()->SetHeight(-11);
    bsSkinFrame1 = new TbsSkinFrame(this);
    bsSkinFrame1->SetName(L"bsSkinFrame1");
    bsSkinFrame1->SetSkinData(store);
    ImageList1 = new TImageList(this);
    ImageList1->SetName(L"ImageList1");
    ImageList2 = new TImageList(this);
    ImageList2->SetName(L"ImageList2");
    CreateFormatChooser(store);
    CreateOptionPage(store);
    CreateButtons(store);
    CreatePictures();
    ROREZ = new TDIzizuZUR(this);
    ROREZ->SetName(L"ROREZ");

    FViews = std::make_unique<TViews>(*this);
    FProcedures =
        std::make_unique<legacy::TLegacyProcedures>(FViews->Views(), fields, std::move(sources));
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

TForm6::~TForm6() = default;

void TForm6::CreateFormatChooser(TbsSkinData* store) {
    bsSkinPanel2 =
        MakeSkinned<TbsSkinPanel>(this, this, store, L"panel", L"bsSkinPanel2", 39, 36, 625, 109);
    bsSkinPanel2->SetBorderStyle(bvFrame);
    bsSkinPanel2->SetCaption(L"");
    bsSkinTextLabel5 = MakeLabel(this, bsSkinPanel2, store, L"bsSkinTextLabel5", L"输出格式：", 17, 48);

    // Category list: the twelve entries with their pictures, entry 0 chosen
    // before the change event is hooked (the form is still being built).
    bsSkinOfficeComboBox2 = MakeSkinned<TbsSkinOfficeComboBox>(
        this, bsSkinPanel2, store, L"combobox", L"bsSkinOfficeComboBox2", 83, 33, 126, 51);
    ShapeOfficeList(bsSkinOfficeComboBox2);
    bsSkinOfficeComboBox2->UseSkinFont = false;
    bsSkinOfficeComboBox2->ListBoxWidth = 119;
    bsSkinOfficeComboBox2->SetListBoxItemHeight(50);
    bsSkinOfficeComboBox2->SetListBoxSkinDataName(L"resizetoolpanel");
    bsSkinOfficeComboBox2->SetListBoxShowItemTitles(false);
    bsSkinOfficeComboBox2->SetListBoxShowLines(false);
    bsSkinOfficeComboBox2->SetImages(ImageList1);
    int picture = 0;
    for (const legacy::TLegacyCategory& category : legacy::Categories()) {
        TbsSkinOfficeItem* item = bsSkinOfficeComboBox2->Items()->Add();
        item->SetCaption(category.Caption);
        item->SetImageIndex(picture++);
    }
    bsSkinOfficeComboBox2->SetItemIndex(0);
    bsSkinOfficeComboBox2->OnChange = [this](TObject* s) { bsSkinOfficeComboBox2Change(s); };

    bsSkinOfficeComboBox1 = MakeSkinned<TbsSkinOfficeComboBox>(
        this, bsSkinPanel2, store, L"combobox", L"bsSkinOfficeComboBox1", 215, 33, 400, 51);
    ShapeOfficeList(bsSkinOfficeComboBox1);
    bsSkinOfficeComboBox1->UseSkinFont = true;
    bsSkinOfficeComboBox1->SetListBoxItemHeight(60);
    bsSkinOfficeComboBox1->SetListBoxHeaderHeight(20);
    bsSkinOfficeComboBox1->SetListBoxSkinDataName(L"listbox");
    bsSkinOfficeComboBox1->SetListBoxShowItemTitles(true);
    bsSkinOfficeComboBox1->SetListBoxShowLines(true);
    bsSkinOfficeComboBox1->OnClick = [this](TObject* s) { bsSkinOfficeComboBox1Click(s); };

    // Hidden, and the one skinned control without a store.
    bsSkinButton1 = MakeSkinButton(this, bsSkinPanel2, nullptr, L"bsSkinButton1", L"设置", 621, 139, 55, 51);
    bsSkinButton1->SetSkinDataName(L"resizebutton");
    bsSkinButton1->SetVisible(false);
}

void TForm6::CreateOptionPage(TbsSkinData* store) {
    bsSkinPageControl1 = Make<TbsSkinPageControl>(this, this, L"bsSkinPageControl1", 39, 171, 625, 222);
    bsSkinPageControl1->SetSkinDataName(L"tab");
    bsSkinPageControl1->SetDefaultItemHeight(20);
    bsSkinPageControl1->SetSkinData(store);
    const struct {
        TbsSkinTabSheet** Sheet;
        const wchar_t* Name;
        const wchar_t* Caption;
    } sheets[] = {{&bsSkinTabSheet1, L"bsSkinTabSheet1", L"标准参数设置"},
                  {&bsSkinTabSheet2, L"bsSkinTabSheet2", L"剪辑设置"},
                  {&FilterSheet, L"滤镜设置", L"滤镜设置"},
                  {&bsSkinTabSheet3, L"bsSkinTabSheet3", L"文字水印"}};
    for (const auto& s : sheets) {
        *s.Sheet = new TbsSkinTabSheet(this);
        (*s.Sheet)->SetName(s.Name);
        (*s.Sheet)->SetPageControl(bsSkinPageControl1);
        (*s.Sheet)->SetCaption(s.Caption);
    }
    bsSkinPageControl1->SetActivePage(bsSkinTabSheet1);

    // Each option list stands under its label.
    const struct {
        TbsSkinTextLabel** Label;
        const wchar_t* LabelName;
        const wchar_t* Text;
        int LabelLeft, LabelTop;
        TbsSkinComboBox** List;
        const wchar_t* ListName;
        int Left, Top, Width;
    } lists[] = {
        {&bsSkinTextLabel3, L"bsSkinTextLabel3", L"视频分辨率：", 19, 24, &bsSkinComboBox1, L"bsSkinComboBox1", 16, 43, 289},
        {&bsSkinTextLabel2, L"bsSkinTextLabel2", L"视频比特率：", 342, 24, &bsSkinComboBox2, L"bsSkinComboBox2", 342, 43, 251},
        {&bsSkinTextLabel6, L"bsSkinTextLabel6", L"视频帧率：", 16, 69, &bsSkinComboBox9, L"bsSkinComboBox9", 14, 88, 291},
        {&bsSkinTextLabel9, L"bsSkinTextLabel9", L"视频缩放：", 342, 69, &bsSkinComboBox4, L"bsSkinComboBox4", 342, 88, 251},
        {&bsSkinTextLabel4, L"bsSkinTextLabel4", L"音频比特率：", 16, 114, &bsSkinComboBox3, L"bsSkinComboBox3", 16, 133, 289},
        {&bsSkinTextLabel7, L"bsSkinTextLabel7", L"音频采样率：", 342, 114, &bsSkinComboBox10, L"bsSkinComboBox10", 342, 133, 251},
    };
    for (const auto& l : lists) {
        *l.Label = MakeLabel(this, bsSkinTabSheet1, store, l.LabelName, l.Text, l.LabelLeft, l.LabelTop);
        *l.List = MakeSkinned<TbsSkinComboBox>(this, bsSkinTabSheet1, store, L"combobox", l.ListName, l.Left,
                                               l.Top, l.Width, 20);
        (*l.List)->SetStyle(bscbFixedStyle);
        (*l.List)->SetDropDownCount(8);
    }
}

void TForm6::CreateButtons(TbsSkinData* store) {
    bsSkinButton2 = MakeSkinButton(this, this, store, L"bsSkinButton2", L"确定", 480, 416, 69, 25);
    bsSkinButton2->OnClick = [this](TObject* s) { bsSkinButton2Click(s); };
    bsSkinButton3 = MakeSkinButton(this, this, store, L"bsSkinButton3", L"取消", 594, 416, 69, 25);
    bsSkinButton3->OnClick = [this](TObject* s) { bsSkinButton3Click(s); };

    CreateProcedureButtons();
}

TbsSkinComboBox* TForm6::OptionList(TOptionList list) const {
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

// A list whose text does not convert raises the conversion error; the
// application shows it in its message box, and OK leaves the window open.
void TForm6::Button13Click(TObject*) { FProcedures->ReadBack(); }

void TForm6::bsSkinButton2Click(TObject*) {
    Button5->Click();
    Button13->Click();
    Close();
}

void TForm6::bsSkinButton3Click(TObject*) { Close(); }
