// The queue's rows after they were added: remove, clear, rename the output
// file in place, select a row (its format and options become the current
// ones and its file opens in the preview), and move rows up and down.
//
// Rows are the tasks of a running batch (row i is task i), so nothing here
// removes, clears or moves rows while a batch runs.
#include <algorithm>

#include "Src/FFPlay.h"
#include "app/FormatCatalogue.h"
#include "app/OptionChoices.h"
#include "app/OutputFileName.h"
#include "app/QueueTexts.h"
#include "app/Unit1.h"
#include "platform/ListView.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsSlider.h"
#include "skin/controls/bsSkinCtrlsViews.h"

namespace {

constexpr int kTaskNumberColumn = 7;
constexpr int kOutputNameColumn = 2;

String Cell(TListItem* row, int index) {
    TSubItems* cells = row->SubItems();
    return index < cells->Count() ? (*cells)[index] : String();
}

void PutCell(TListItem* row, int index, const String& text) {
    TSubItems* cells = row->SubItems();
    while (cells->Count() <= index) cells->Add(String());
    cells->Put(index, text);
}

}  // namespace

void TForm1::StopPreview() { ZADovovi->Stop(true); }

// The commands that need rows follow the queue; the list gets the focus.
void TForm1::AfterRowsChanged() {
    const bool rows = lvFiles->Items()->Count() > 0;
    SetGroup(TCommandGroup::Row, rows);
    SetGroup(TCommandGroup::Clear, rows);
    SetGroup(TCommandGroup::Start, rows);
    FocusQueue();
}

// ---- remove and clear ------------------------------------------------------------------

void TForm1::btnRemoveClick(TObject*) {
    try {
        RemoveSelectedRow();
    } catch (const std::exception& e) {
        LogCaught(L"removing a row", e);
    }
}

void TForm1::bsSkinButton7Click(TObject*) { btnRemoveClick(btnRemove); }

// The row, its slot and its check task go together. The check task exists
// only until a batch clears the encoder's tasks (the row's number is then
// empty), so a row of an earlier batch takes no other file's task with it.
void TForm1::RemoveSelectedRow() {
    const int i = lvFiles->ItemIndex();
    if (i < 0) {
        Notice(L"请先选择您需要删除的项目！");
        return;
    }
    if (FBatchRunning) return;
    TListItem* row = lvFiles->Items()->Item(i);
    const int number = StrToIntDef(Cell(row, kTaskNumberColumn), 0);
    const bool hasTask = number > 0 && number <= ROREZ->TasksCount() && !ROREZ->Working();
    if (hasTask) ROREZ->RemoveTask(number - 1);
    lvFiles->Items()->Delete(i);
    const int count = lvFiles->Items()->Count();
    for (int k = i; k < count; ++k) {
        IO1[static_cast<size_t>(k)] = std::move(IO1[static_cast<size_t>(k) + 1]);
        OO1[static_cast<size_t>(k)] = std::move(OO1[static_cast<size_t>(k) + 1]);
    }
    ResetSlot(count);
    if (hasTask) {
        for (int k = 0; k < count; ++k) {
            TListItem* other = lvFiles->Items()->Item(k);
            const int n = StrToIntDef(Cell(other, kTaskNumberColumn), 0);
            if (n > number) PutCell(other, kTaskNumberColumn, std::to_wstring(n - 1));
        }
    }
    AfterRowsChanged();
    if (count > 0) {
        lvFiles->SetItemIndex(0);
        FocusQueue();
        return;
    }
    ShowPlaceholder();
    StopPreview();
    bsSkinSlider1->SetValue(0);
}

void TForm1::btnClearClick(TObject*) {
    try {
        ClearQueue();
    } catch (const std::exception& e) {
        LogCaught(L"clearing the queue", e);
    }
}

void TForm1::bsSkinButton8Click(TObject*) { btnClearClick(btnClear); }

void TForm1::ClearQueue() {
    if (FBatchRunning) return;
    ROREZ->ClearTasks();
    lvFiles->Items()->Clear();
    SetGroup(TCommandGroup::Add, true);
    SetGroup(TCommandGroup::Row, false);
    SetGroup(TCommandGroup::Clear, false);
    SetGroup(TCommandGroup::Start, false);
    Button15Click(Button15);
    ShowPlaceholder();
    StopPreview();
    bsSkinSlider1->SetValue(0);
}

// ---- rename ----------------------------------------------------------------------------

void TForm1::bsSkinButton21Click(TObject*) {
    try {
        if (lvFiles->ItemIndex() < 0) Notice(L"请先选中您需要重命名的项目！");
        else OpenRenameBox();
    } catch (const std::exception& e) {
        LogCaught(L"renaming", e);
    }
}

void TForm1::N26Click(TObject* sender) { bsSkinButton21Click(sender); }

void TForm1::lvFilesDblClick(TObject*) {
    try {
        if (lvFiles->ItemIndex() >= 0) OpenRenameBox();
    } catch (const std::exception& e) {
        LogCaught(L"renaming", e);
    }
}

// The box lies over the selected row's output-name column.
void TForm1::OpenRenameBox() {
    TListItem* row = lvFiles->Selected();
    if (!row) return;
    TListColumns* columns = lvFiles->Columns();
    const int left = columns->Items(0)->Width() + columns->Items(1)->Width() + columns->Items(2)->Width() +
                     lvFiles->Left() + 2;
    const int top = lvFiles->Top() + row->DisplayRect().top;
    edt->SetBounds(left, top, columns->Items(3)->Width(), edt->Height());
    edt->SetText(formats::ChangeFileExtension(Cell(row, kOutputNameColumn), L""));
    edt->SetVisible(true);
    edt->BringToFront();
    if (edt->CanFocus()) edt->SetFocus();
}

void TForm1::edtExit(TObject*) {
    try {
        CommitRename();
    } catch (const std::exception& e) {
        LogCaught(L"renaming", e);
    }
}

// A name that cannot name a file in the output folder (empty, a path, a
// character Windows refuses) changes nothing and the box stays; without a
// selected row there is nothing to rename and the box goes.
void TForm1::CommitRename() {
    TListItem* row = lvFiles->Selected();
    if (!row) {
        edt->SetVisible(false);
        return;
    }
    const String text = edt->GetText();
    if (!queuetexts::ValidOutputStem(text)) return;
    const String ext = formats::OutputExtension(
        formats::CatalogueKey(bsSkinOfficeComboBox2->ItemIndex(), bsSkinOfficeComboBox1->ItemIndex()));
    const String name = text + ext;
    PutCell(row, kOutputNameColumn, name);
    edt->SetVisible(false);
    OO1[static_cast<size_t>(row->Index())].FileName = Video_OutPut_Folder_Edit->GetText() + L"\\" + name;
}

// ---- selection -------------------------------------------------------------------------

void TForm1::lvFilesSelectItem(TObject*, TListItem*, bool) {
    try {
        SelectRow();
    } catch (...) {
        // A row whose columns cannot be read changes nothing.
    }
}

// The row's format and six choices become the current ones (every number
// is read before anything changes), then its file opens in the preview.
void TForm1::SelectRow() {
    const int i = lvFiles->ItemIndex();
    if (i < 0) return;
    TListItem* row = lvFiles->Items()->Item(i);
    const int key = StrToInt(Cell(row, 8));
    const int category = key / 100, format = key - category * 100;
    std::array<int, 6> positions{};
    if (!formats::ReadOptionCode(Cell(row, 9), positions)) return;
    bsSkinOfficeComboBox2->SetItemIndex(category - 1);
    bsSkinOfficeComboBox1->SetItemIndex(format);
    for (formats::TOptionList list : formats::CodeOrder)
        OptionList(list)->SetItemIndex(positions[static_cast<size_t>(list)]);
    bsSkinSlider1->SetValue(0);
    T_Movie_PLayer_FileName = row->Caption();
    Button31Click(Button31);
    Button9->Click();
}

void TForm1::lvFilesClick(TObject*) {
    try {
        if (!lvFiles->Selected()) StopPreview();
    } catch (const std::exception& e) {
        LogCaught(L"lvFilesClick", e);
    }
}

// ---- moves -------------------------------------------------------------------------------

// Exchanges two rows' contents and their slots.
void TForm1::SwapRows(int a, int b) {
    TListItem* x = lvFiles->Items()->Item(a);
    TListItem* y = lvFiles->Items()->Item(b);
    const String caption = x->Caption();
    x->SetCaption(y->Caption());
    y->SetCaption(caption);
    const int cells = std::max(x->SubItems()->Count(), y->SubItems()->Count());
    for (int k = 0; k < cells; ++k) {
        const String text = Cell(x, k);
        PutCell(x, k, Cell(y, k));
        PutCell(y, k, text);
    }
    std::swap(x->Data, y->Data);
    std::swap(IO1[static_cast<size_t>(a)], IO1[static_cast<size_t>(b)]);
    std::swap(OO1[static_cast<size_t>(a)], OO1[static_cast<size_t>(b)]);
}

// A running batch converts the rows in their order, so they stay put.
void TForm1::MoveRow(int from, int to) {
    if (FBatchRunning || from < 0 || to < 0 || to >= lvFiles->Items()->Count()) return;
    lvFiles->Items()->BeginUpdate();
    try {
        SwapRows(from, to);
    } catch (...) {
        lvFiles->Items()->EndUpdate();
        throw;
    }
    lvFiles->Items()->EndUpdate();
    lvFiles->SetItemIndex(to);
    FocusQueue();
}

void TForm1::bsSkinButton3Click(TObject*) {
    try {
        const int i = lvFiles->ItemIndex();
        if (i > 0) MoveRow(i, i - 1);
    } catch (const std::exception& e) {
        LogCaught(L"moving a row up", e);
    }
}

void TForm1::bsSkinButton4Click(TObject*) {
    try {
        const int i = lvFiles->ItemIndex();
        if (i >= 0) MoveRow(i, i + 1);
    } catch (const std::exception& e) {
        LogCaught(L"moving a row down", e);
    }
}

void TForm1::Button27Click(TObject* sender) { bsSkinButton3Click(sender); }
