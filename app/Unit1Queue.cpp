// The file queue of the main window: the slot pool, the three ways of
// adding files (one file, several files, every file of a folder), each
// probed and checked by the encoder before it enters, and the texts of a
// row's cells.
//
// Row i of lvFiles and slot i of the pool always belong to the same file:
// an add fills the slot of its new row, and removing or moving rows moves
// the slots with them.
#include "Src/MyUtils.h"
#include "app/FormatCatalogue.h"
#include "app/OptionChoices.h"
#include "app/OutputFileName.h"
#include "app/OutputRecord.h"
#include "app/QueueTexts.h"
#include "app/Unit1.h"
#include "platform/ListView.h"
#include "platform/Owners.h"
#include "platform/StdCtrls.h"
#include "platform/StringList.h"
#include "platform/SysUtils.h"
#include "skin/boxes/bsMessages.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "skin/shell/bsSkinFolderDialog.h"
#include "skin/shell/bsSkinOpenDialog.h"

namespace {

constexpr const wchar_t* kSlotFree = L"kong";
constexpr const wchar_t* kSlotUsed = L"Full";
constexpr const wchar_t* kOpenTitle = L"打开文件";
constexpr const wchar_t* kFolderTitle = L"选择目录";
constexpr const wchar_t* kNoMediaNotice = L"在该目录没有发现可以用的视频或音频文件！";
constexpr const wchar_t* kQueueFullNotice = L"转换列表已满，最多可以添加501个文件！";

// A scratch name in the system's temporary folder, with the extension of
// output, for the encoder's check of the output set-up: the check creates
// its file there, so the user's output folder stays exactly as it was and
// a file of the output's own name (an earlier result) is never opened,
// truncated or deleted before the batch writes it.
String CheckFileName(const String& output) {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    const String folder = n > 0 && n <= MAX_PATH ? IncludeTrailingPathDelimiter(temp) : ExtractFilePath(output);
    const String ext = formats::FileExtensionOf(output);
    for (;;) {
        const String candidate = folder + L"vantrel-check-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(++counter) + ext;
        if (!FileExists(candidate)) return candidate;
    }
}

}  // namespace

void TForm1::CreateQueueControls() {
    IO1.resize(SlotCount);
    OO1.resize(SlotCount);
    for (int i = 0; i < SlotCount; ++i) {
        InitInputOptions(IO1[static_cast<size_t>(i)]);
        InitOutputOptions(OO1[static_cast<size_t>(i)]);
    }
    AOO = std::make_unique<TOutputOptions>();
    InitOutputOptions(*AOO);

    bsSkinMessage1 = new TbsSkinMessage(this);
    bsSkinMessage1->SetName(L"bsSkinMessage1");
    bsSkinMessage1->SetSkinData(bsSkinData1);
    bsSkinMessage1->SetCtrlSkinData(bsSkinData1);
    for (TbsSkinOpenDialog** field : {&OpenDialog1, &OpenDialog2}) {
        auto* dialog = new TbsSkinOpenDialog(this);
        dialog->SetName(field == &OpenDialog1 ? L"OpenDialog1" : L"OpenDialog2");
        dialog->SetTitle(kOpenTitle);
        dialog->SetSkinData(bsSkinData1);
        dialog->SetCtrlSkinData(bsSkinData1);
        *field = dialog;
    }
    OpenDialog2->MultiSelection = true;
    bsSkinSelectDirectoryDialog1 = new TbsSkinSelectDirectoryDialog(this);
    bsSkinSelectDirectoryDialog1->SetName(L"bsSkinSelectDirectoryDialog1");
    bsSkinSelectDirectoryDialog1->SetTitle(kFolderTitle);
    bsSkinSelectDirectoryDialog1->SetSkinData(bsSkinData1);
    bsSkinSelectDirectoryDialog1->SetCtrlSkinData(bsSkinData1);

    edt = new TEdit(this);
    edt->SetName(L"edt");
    edt->BorderStyleSingle = false;
    edt->SetVisible(false);
    edt->SetParent(lvFiles->Parent());
    edt->SetBounds(0, 0, 80, 18);
    edt->OnExit = [this](TObject* s) { edtExit(s); };

    lvFiles->OnSelectItem = [this](TObject* s, TListItem* item, bool selected) { lvFilesSelectItem(s, item, selected); };
    lvFiles->OnClick = [this](TObject* s) { lvFilesClick(s); };
    lvFiles->OnDblClick = [this](TObject* s) { lvFilesDblClick(s); };
    ShowPlaceholder();
}

// The picture of the empty queue, over the queue panel.
void TForm1::ShowPlaceholder() {
    bsSkinPanel5->SetVisible(true);
    bsSkinPanel5->BringToFront();
}

// ---- slots -----------------------------------------------------------------------------

void TForm1::Button15Click(TObject*) {
    for (TOutputOptions& slot : OO1) slot.AudioLanguage = kSlotFree;
}

void TForm1::ResetSlot(int slot) {
    InitInputOptions(IO1[static_cast<size_t>(slot)]);
    InitOutputOptions(OO1[static_cast<size_t>(slot)]);
    OO1[static_cast<size_t>(slot)].AudioLanguage = kSlotFree;
}

// ---- row texts ---------------------------------------------------------------------------

String TForm1::SecToDate(int64_t sec) const { return queuetexts::SecToDate(sec); }

std::unique_ptr<TStringList> TForm1::GetFilenames(const String& filePath, const String& extMask) const {
    if (!DirectoryExists(filePath)) return nullptr;
    const String folder = IncludeTrailingPathDelimiter(filePath);
    auto list = std::make_unique<TStringList>();
    WIN32_FIND_DATAW found;
    platform::FindHandle search(FindFirstFileW((folder + extMask).c_str(), &found));
    if (!search) return list;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) list->Add(folder + found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
    return list;
}

std::unique_ptr<TStringList> TForm1::GetFilenamesEx(const String& filePath, const String& extMask) const {
    std::unique_ptr<TStringList> list = GetFilenames(filePath, extMask);
    if (!list) return list;
    const String folder = IncludeTrailingPathDelimiter(filePath);
    WIN32_FIND_DATAW found;
    platform::FindHandle search(FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search) return list;
    do {
        const String name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..") continue;
        if (auto sub = GetFilenames(folder + name + L"\\", extMask))
            for (int i = 0; i < sub->Count(); ++i) list->Add(sub->Get(i));
    } while (FindNextFileW(search.Get(), &found));
    return list;
}

String TForm1::GenerateOutputFileName(const String& fileName, const String& fileExt) const {
    const String base = fileName.substr(0, fileName.size() - formats::FileExtensionOf(fileName).size());
    String result = base + L"_(new)" + fileExt;
    for (int n = 1; FileExists(result); ++n) result = base + L"_(new_" + std::to_wstring(n) + L")" + fileExt;
    return result;
}

// ---- log and notices ---------------------------------------------------------------------

void TForm1::LogErrorLine(const String& line) {
    mmoLog->AddLine(L"");
    mmoLog->AddLine(line);
    mmoLog->AddLine(L"");
}

void TForm1::Notice(const String& text) {
    bsSkinMessage1->MessageDlg2(text, L"提示", mtInformation, MsgButtons({mbOK}), 0);
}

// ---- adding ------------------------------------------------------------------------------

bool TForm1::EnsureLibraries() {
    if (ROREZ->AVLibLoaded()) return true;
    if (ROREZ->LoadAVLib(GetApplicationPath() + L"LibAV")) return true;
    mmoLog->AddLine(ROREZ->LastErrMsg());
    return false;
}

// One file: probed, checked by a task of the encoder with the chosen format
// and options, then a row and its slot. Skipped: the probe refused it (the
// next file may go on); Ended: nothing more may be added now.
TForm1::TAddResult TForm1::AddFile(const String& fileName) {
    if (!FileExists(fileName)) return TAddResult::Ended;
    if (lvFiles->Items()->Count() >= SlotCount) {
        Notice(kQueueFullNotice);
        return TAddResult::Ended;
    }
    TAVProbe* probe = ROREZ->AVProbe();
    if (!probe->LoadFile(fileName)) {
        LogErrorLine(L"***File load error: " + probe->LastErrMsg());
        return TAddResult::Skipped;
    }
    const int64_t duration = probe->FileStreamInfo().Duration;
    const int64_t size = probe->FileSize();
    probe->CloseFile();
    Video_AddFileName = fileName;
    TInputOptions input;
    InitInputOptions(input);
    const int task = ROREZ->AddTask(fileName, &input);
    if (task < 0) {
        LogErrorLine(L"***File open error: " + ROREZ->LastErrMsg());
        return TAddResult::Ended;
    }
    if (TAVProbe* taskProbe = ROREZ->GetTaskAVProbe(task, 0)) {
        mmoLog->AddLine(L"");
        mmoLog->AddLine(taskProbe->FileInfoText());
    }
    T_Movie_PLayer_FileName = fileName;
    Button9->Click();
    TOutputOptions output;
    InitOutputOptions(output);
    ApplyPreset(nullptr);
    Button13Click(Button13);
    formats::FillOutputOptions(Video, output);
    if (!ROREZ->SetOutputFile(task, CheckFileName(Video.Video_OutPutFileName), &output)) {
        ROREZ->RemoveTask(task);
        LogErrorLine(L"***Cannot do convert, error: " + ROREZ->LastErrMsg());
        return TAddResult::Ended;
    }
    output.FileName = Video.Video_OutPutFileName;
    bsSkinPanel5->SetVisible(false);
    AppendRow(input, output, task);
    TListItem* row = lvFiles->Items()->Item(lvFiles->Items()->Count() - 1);
    row->SubItems()->Put(0, duration > 0 ? SecToDate(duration / 1000000) : String(L"N/A"));
    row->SubItems()->Put(1, queuetexts::SizeText(size));
    FocusQueue();
    SetGroup(TCommandGroup::Row, true);
    SetGroup(TCommandGroup::Clear, true);
    SetGroup(TCommandGroup::Start, true);
    LogErrorLine(L"***Can do convert.");
    return TAddResult::Added;
}

// The row of an added file, with every column of its settings, and its slot.
void TForm1::AppendRow(const TInputOptions& input, const TOutputOptions& output, int task) {
    TListItem* row = lvFiles->Items()->Add();
    row->SetCaption(input.FileName);
    TSubItems* cells = row->SubItems();
    for (int i = 0; i < 24; ++i) cells->Add(String());
    cells->Put(2, formats::FileNamePart(output.FileName));
    cells->Put(7, std::to_wstring(task + 1));
    cells->Put(8, std::to_wstring(
                      formats::SelectionKey(bsSkinOfficeComboBox2->ItemIndex(), bsSkinOfficeComboBox1->ItemIndex())));
    cells->Put(9, formats::MakeOptionCode(OptionPositions()));
    // Every encoder column, so that a row that is never selected again
    // converts with the same settings as one that is.
    const auto columns = formats::PresetRowColumns(Video);
    for (size_t i = 0; i < columns.size(); ++i)
        cells->Put(formats::PresetFirstSubItem + static_cast<int>(i), columns[i]);
    const auto slot = static_cast<size_t>(row->Index());
    IO1[slot] = input;
    OO1[slot] = output;
    OO1[slot].AudioLanguage = kSlotUsed;
}

void TForm1::SelectLastRow() {
    const int count = lvFiles->Items()->Count();
    if (count == 0) return;
    lvFiles->SetItemIndex(count - 1);
    FocusQueue();
}

// The files in reverse order of the list; a file that is gone, an encoder
// refusal or a full queue ends the run without the final selection.
void TForm1::AddFiles(const std::vector<String>& files) {
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        if (AddFile(*it) == TAddResult::Ended) return;
    SelectLastRow();
}

std::vector<String> TForm1::FromStrings(TStringList* list) const {
    std::vector<String> files;
    for (int i = 0; list && i < list->Count(); ++i) files.push_back(list->Get(i));
    return files;
}

void TForm1::btnAddClick(TObject*) {
    try {
        Button6Click(Button6);
        if (!EnsureLibraries()) return;
        OpenDialog1->Filter = OpenDialogFilter;
        if (!OpenDialog1->Execute() || !FileExists(OpenDialog1->FileName())) return;
        if (AddFile(OpenDialog1->FileName()) == TAddResult::Added) SelectLastRow();
    } catch (const std::exception& e) {
        LogCaught(L"adding a file", e);
    }
}

void TForm1::Button8Click(TObject*) {
    try {
        Button6Click(Button6);
        if (!EnsureLibraries()) return;
        OpenDialog2->Filter = OpenDialogFilter;
        if (!OpenDialog2->Execute() || !FileExists(OpenDialog2->FileName())) return;
        AddFiles(FromStrings(OpenDialog2->Files()));
    } catch (const std::exception& e) {
        LogCaught(L"adding files", e);
    }
}

void TForm1::Button12Click(TObject*) {
    try {
        AddFilesFromFolder();
    } catch (const std::exception& e) {
        LogCaught(L"adding a folder", e);
    }
}

void TForm1::AddFilesFromFolder() {
    Button6Click(Button6);
    if (!EnsureLibraries()) return;
    const int rowsBefore = lvFiles->Items()->Count();
    if (!bsSkinSelectDirectoryDialog1->Execute()) return;
    const String folder = bsSkinSelectDirectoryDialog1->Directory;
    if (folder.empty() || !DirectoryExists(folder)) return;
    ListBox1->Items()->Clear();
    std::unique_ptr<TStringList> names = GetFilenames(folder, L"*.*");
    const std::vector<String> files = FromStrings(names.get());
    for (const String& f : files) ListBox1->Items()->Add(f);
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        if (AddFile(*it) == TAddResult::Ended) return;
    SelectLastRow();
    if (lvFiles->Items()->Count() <= rowsBefore) Notice(kNoMediaNotice);
}

// ---- operations nothing invokes ------------------------------------------------------------

// One encoder task per used slot, named in the current output folder.
void TForm1::Button14Click(TObject*) {
    try {
        ROREZ->ClearTasks();
        for (int i = 0; i < SlotCount; ++i) {
            TOutputOptions& out = OO1[static_cast<size_t>(i)];
            if (out.AudioLanguage != kSlotUsed) continue;
            TInputOptions& in = IO1[static_cast<size_t>(i)];
            const int task = ROREZ->AddTask(in.FileName, &in);
            if (task >= 0) ROREZ->SetOutputFile(task, FileOutPutPath + L"\\" + formats::FileNamePart(out.FileName), &out);
        }
    } catch (const std::exception& e) {
        LogCaught(L"Button14Click", e);
    }
}

void TForm1::Button7Click(TObject*) { formats::FillOutputOptions(Video, *AOO, true); }
