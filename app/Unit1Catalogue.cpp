// The format catalogue on the main window: the category and format lists,
// the six option lists, and what their changes write into the current-format
// settings and the selected queue row.
//
// The chains: a category change fills the format list and selects entry 0;
// every selection in the format list (also by code, also of the same entry)
// refills the six option lists, each of which raises its change handler when
// its shown text changes; with a selected row, the format change then writes
// the preset, the output extension, the selection key and the row's six
// choices with their option code.
#include "app/FormatCatalogue.h"
#include "app/OptionChoices.h"
#include "app/OutputFileName.h"
#include "app/Unit1.h"
#include "app/Unit5.h"
#include "platform/ListView.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsViews.h"

using formats::TOptionList;

namespace {

constexpr int kRowSubItems = 24;
constexpr int kOutputNameColumn = 2;
constexpr int kSelectionKeyColumn = 8;
constexpr int kOptionCodeColumn = 9;

// Writes a sub-item, adding empty ones up to it when the row is shorter.
void SetSubItem(TListItem* row, int index, const String& text) {
    TSubItems* items = row->SubItems();
    while (items->Count() <= index) items->Add(String());
    items->Put(index, text);
}

String SubItem(TListItem* row, int index) {
    TSubItems* items = row->SubItems();
    return index < items->Count() ? (*items)[index] : String();
}

// The six lists as the option-list filler drives them.
class TOptionListView : public formats::IOptionListView {
public:
    explicit TOptionListView(const TForm1& form) : FForm(form) {}
    void ClearItems(TOptionList list) override { FForm.OptionList(list)->Items()->Clear(); }
    void SetEnabled(TOptionList list, bool enabled) override { FForm.OptionList(list)->SetEnabled(enabled); }
    void AddItem(TOptionList list, const std::wstring& text) override { FForm.OptionList(list)->Items()->Add(text); }
    void SetItemIndex(TOptionList list, int index) override { FForm.OptionList(list)->SetItemIndex(index); }

private:
    const TForm1& FForm;
};

}  // namespace

TbsSkinComboBox* TForm1::OptionList(TOptionList list) const {
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

String TForm1::ChosenFormatTitle() const {
    const int index = bsSkinOfficeComboBox1->ItemIndex();
    if (index < 0 || index >= bsSkinOfficeComboBox1->Items()->Count()) return String();
    return bsSkinOfficeComboBox1->Items()->Items(index)->Title();
}

// ---- category and format lists -------------------------------------------------------

// Refills the format list for the chosen category and selects entry 0,
// which runs a format change.
void TForm1::Button2Click(TObject*) {
    TbsSkinOfficeItems* items = bsSkinOfficeComboBox1->Items();
    items->Clear();
    bsSkinOfficeComboBox1->Invalidate();
    const int position = bsSkinOfficeComboBox2->ItemIndex();
    const int code = formats::CategoryCode(position);
    if (code >= 0) {
        for (const formats::TFormatEntry& format : formats::Categories()[static_cast<size_t>(position)].Formats) {
            TbsSkinOfficeItem* item = items->Add();
            item->SetTitle(format.Title);
            item->SetCaption(format.Caption);
            item->SetImageIndex(code);
        }
    }
    bsSkinOfficeComboBox1->Invalidate();
    bsSkinOfficeComboBox1->SetItemIndex(0);
}

void TForm1::bsSkinOfficeComboBox2Change(TObject* sender) {
    try {
        Button2Click(sender);
    } catch (const std::exception& e) {
        LogCaught(L"category change", e);
    }
}

void TForm1::bsSkinOfficeComboBox1Change(TObject*) {
    try {
        FormatChanged();
    } catch (const std::exception& e) {
        LogCaught(L"format change", e);
    }
}

void TForm1::FormatChanged() {
    Button18Click(Button18);
    const int category = bsSkinOfficeComboBox2->ItemIndex(), format = bsSkinOfficeComboBox1->ItemIndex();
    // The same rule as the preset's output name, so the row's name and the
    // file the conversion writes agree.
    const String ext = formats::OutputExtension(formats::CatalogueKey(category, format));
    TListItem* row = lvFiles->Selected();
    if (!row) return;
    ApplyPreset(row);
    Button13Click(Button13);
    SetSubItem(row, kOutputNameColumn,
               formats::ChangeFileExtension(formats::FileNamePart(SubItem(row, kOutputNameColumn)), ext));
    SetSubItem(row, kSelectionKeyColumn, std::to_wstring(formats::SelectionKey(category, format)));
    WriteRowChoices(row);
    FocusQueue();
}

// ---- option lists --------------------------------------------------------------------

void TForm1::Button18Click(TObject*) {
    TOptionListView view(*this);
    Video.Video_DisableVideo = false;
    All_Trant_Number =
        formats::FillOptionLists(view, bsSkinOfficeComboBox2->ItemIndex(), bsSkinOfficeComboBox1->ItemIndex());
}

std::array<int, 6> TForm1::OptionPositions() const {
    std::array<int, 6> positions{};
    for (TOptionList list : formats::FillOrder)
        positions[static_cast<size_t>(list)] = std::max(0, OptionList(list)->ItemIndex());
    return positions;
}

std::array<std::wstring, 6> TForm1::OptionTexts() const {
    std::array<std::wstring, 6> texts;
    for (TOptionList list : formats::FillOrder) texts[static_cast<size_t>(list)] = OptionList(list)->GetText();
    return texts;
}

void TForm1::Button13Click(TObject*) { formats::ReadOptionChoices(OptionTexts(), Video); }

// The row's six values and its option code, from the six lists as they
// stand: what is shown is what the row converts.
void TForm1::WriteRowChoices(TListItem* row) {
    SetSubItem(row, kOptionCodeColumn, formats::MakeOptionCode(OptionPositions()));
    for (TOptionList list : formats::CodeOrder)
        SetSubItem(row, formats::OptionRowSubItem(list), formats::OptionFieldText(list, Video));
}

void TForm1::OptionListChanged(TOptionList list) {
    TListItem* row = lvFiles->Selected();
    if (!row) return;
    TbsSkinComboBox* box = OptionList(list);
    formats::TOptionRowUpdate update;
    if (!formats::OptionListChanged(list, box->ItemIndex(), box->GetText(), SubItem(row, kOptionCodeColumn), Video,
                                    update))
        return;
    SetSubItem(row, kOptionCodeColumn, update.OptionCode);
    SetSubItem(row, update.SubItem, update.Value);
    FocusQueue();
}

void TForm1::bsSkinComboBox1Change(TObject*) { OptionListChanged(TOptionList::Resolution); }
void TForm1::bsSkinComboBox2Change(TObject*) { OptionListChanged(TOptionList::VideoBitrate); }
void TForm1::bsSkinComboBox3Change(TObject*) { OptionListChanged(TOptionList::AudioBitrate); }
void TForm1::bsSkinComboBox4Change(TObject*) { OptionListChanged(TOptionList::Aspect); }
void TForm1::bsSkinComboBox9Change(TObject*) { OptionListChanged(TOptionList::FrameRate); }
void TForm1::bsSkinComboBox10Change(TObject*) { OptionListChanged(TOptionList::SampleRate); }

void TForm1::FocusQueue() {
    if (lvFiles->CanFocus()) lvFiles->SetFocus();
}

// ---- presets ---------------------------------------------------------------------------

void TForm1::Button6Click(TObject*) { formats::ResetFormatSettings(Video); }

void TForm1::Button5Click(TObject*) { ApplyPreset(lvFiles->Selected()); }

void TForm1::ApplyPreset(TListItem* row) {
    const int key = formats::CatalogueKey(bsSkinOfficeComboBox2->ItemIndex(), bsSkinOfficeComboBox1->ItemIndex());
    All_Trant_Number = key;
    const bool overwrite = Form5 && Form5->bsSkinCheckRadioBox3->Checked();
    formats::ApplyEncoderPreset(key, Video_AddFileName, Video_OutPut_Folder_Edit->GetText(), overwrite, Video);
    if (!row) return;
    const auto columns = formats::PresetRowColumns(Video);
    for (size_t i = 0; i < columns.size(); ++i)
        SetSubItem(row, formats::PresetFirstSubItem + static_cast<int>(i), columns[i]);
}

// ---- open dialogs ----------------------------------------------------------------------

void TForm1::Button21Click(TObject*) { OpenDialogFilter = formats::OpenDialogFilter(); }
