// Batch control of the main window: Start builds one encoder task per
// queue row (row i is task i) with fresh records from the row's columns and
// output names resolved against the disk and the batch's other rows; Stop,
// Pause and Resume; progress per row; the end of each task and of the batch
// with the chosen end action.
//
// The encoder hands progress to the UI thread itself; its end notifications
// arrive on a thread of its own and are queued here for the UI thread.
#include "Src/FFPlay.h"
#include "app/BatchOutputs.h"
#include "app/OutputFileName.h"
#include "app/QueueTexts.h"
#include "app/Unit1.h"
#include "app/Unit5.h"
#include "platform/ListView.h"
#include "platform/MainThread.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsViews.h"

namespace {

void PutCell(TListItem* row, int index, const String& text) {
    TSubItems* cells = row->SubItems();
    while (cells->Count() <= index) cells->Add(String());
    cells->Put(index, text);
}

String Cell(TListItem* row, int index) {
    TSubItems* cells = row->SubItems();
    return index < cells->Count() ? (*cells)[index] : String();
}

batchoutputs::TRowColumns RowColumns(TListItem* row) {
    batchoutputs::TRowColumns columns;
    for (size_t i = 0; i < columns.size(); ++i) columns[i] = Cell(row, 10 + static_cast<int>(i));
    return columns;
}

}  // namespace

// ---- start -------------------------------------------------------------------------------

void TForm1::btnStartClick(TObject*) {
    try {
        StartBatch();
    } catch (const std::exception& e) {
        LogCaught(L"starting the batch", e);
    }
}

void TForm1::bsSkinButton2Click(TObject*) { btnStartClick(btnStart); }

void TForm1::StartBatch() {
    if (FBatchRunning || lvFiles->Items()->Count() == 0) return;
    if (Form5) {
        if (Form5->bsSkinCheckRadioBox9->Checked()) ROREZ->ThreadPriority = TDIzizuZUR::tpIdle;
        if (Form5->bsSkinCheckRadioBox10->Checked()) ROREZ->ThreadPriority = TDIzizuZUR::tpLowest;
        if (Form5->bsSkinCheckRadioBox11->Checked()) ROREZ->ThreadPriority = TDIzizuZUR::tpLower;
        if (Form5->bsSkinCheckRadioBox12->Checked()) ROREZ->ThreadPriority = TDIzizuZUR::tpNormal;
    }
    if (!RebuildTasks()) return;
    FBatchRunning = true;
    FStopRequested = false;
    FBatchInputs.clear();
    for (int i = 0; i < lvFiles->Items()->Count(); ++i) FBatchInputs.push_back(lvFiles->Items()->Item(i)->Caption());
    FOpenBatches.push_back(++FBatchSerial);
    ShowBatchCommands();
    ROREZ->Start(Form5 ? Form5->ThreadCount() : 1);
}

void TForm1::ShowBatchCommands() {
    TPaintBatch paintOnce;
    for (TCommandGroup g : {TCommandGroup::Add, TCommandGroup::Row, TCommandGroup::Clear, TCommandGroup::Start,
                            TCommandGroup::Resume})
        SetGroup(g, false);
    SetGroup(TCommandGroup::Stop, chkThreadMode->Checked());
    SetGroup(TCommandGroup::Pause, chkThreadMode->Checked());
    Button22Click(Button22);
}

void TForm1::button28Click(TObject*) {
    try {
        RebuildTasks();
    } catch (const std::exception& e) {
        LogCaught(L"button28Click", e);
    }
}

// One task per row, in row order. A row that cannot become its task (its
// input gone, an output that would be its own input, an output the encoder
// refuses) is reported and no task of the batch is left behind.
bool TForm1::RebuildTasks() {
    ClearEncoderTasks();
    FBatchOutputs.clear();
    const bool overwrite = Form5 && Form5->bsSkinCheckRadioBox3->Checked();
    batchoutputs::TOutputClaims claims;
    const int count = lvFiles->Items()->Count();
    for (int i = 0; i < count; ++i) claims.Claim(lvFiles->Items()->Item(i)->Caption());
    for (int i = 0; i < count; ++i) {
        TListItem* row = lvFiles->Items()->Item(i);
        const String input = row->Caption();
        String failure, output;
        TInputOptions in;
        InitInputOptions(in);
        in.FileName = input;
        TOutputOptions out = batchoutputs::OutputFromRow(RowColumns(row));
        if (batchoutputs::ResolveOutput(FileOutPutPath, Cell(row, 2), overwrite, input, claims, output) !=
            batchoutputs::TResolve::Ok) {
            failure = L"Output file '" + FileOutPutPath + L"\\" + Cell(row, 2) + L"' is the same as its input file";
        } else if (ROREZ->AddTask(input, &in) != i) {
            failure = ROREZ->LastErrMsg();
        } else if (!ROREZ->SetOutputFile(i, output, &out)) {
            failure = ROREZ->LastErrMsg();
        }
        if (!failure.empty()) {
            ClearEncoderTasks();
            FBatchOutputs.clear();
            LogErrorLine(L"***Cannot do convert, error: " + failure);
            Notice(L"无法转换文件：" + input + L"\n" + failure);
            return false;
        }
        claims.Claim(output);
        FBatchOutputs.push_back(output);
        PutCell(row, 2, formats::FileNamePart(output));
        PutCell(row, 7, std::to_wstring(i + 1));
        IO1[static_cast<size_t>(i)] = in;
        OO1[static_cast<size_t>(i)] = out;
        OO1[static_cast<size_t>(i)].AudioLanguage = L"Full";
    }
    return true;
}

// The encoder's tasks go; the rows' task numbers with them.
void TForm1::ClearEncoderTasks() {
    ROREZ->ClearTasks();
    ClearTaskNumbers();
}

void TForm1::ClearTaskNumbers() {
    for (int i = 0; i < lvFiles->Items()->Count(); ++i) PutCell(lvFiles->Items()->Item(i), 7, String());
}

// ---- stop, pause, resume -----------------------------------------------------------------

void TForm1::btnStopClick(TObject*) {
    try {
        StopBatch();
    } catch (const std::exception& e) {
        FStopping = false;
        LogCaught(L"stopping the batch", e);
    }
}

void TForm1::bsSkinButton10Click(TObject*) { btnStopClick(btnStop); }

// Waits for the workers; the end of the batch that they report meanwhile
// is handled once the wait is over, without an end action.
void TForm1::StopBatch() {
    if (!FBatchRunning) return;
    FStopRequested = true;
    SetGroup(TCommandGroup::Stop, false);
    SetGroup(TCommandGroup::Start, true);
    Button23Click(Button23);
    Button24Click(Button24);
    FStopping = true;
    ROREZ->Stop(true);
    ZADovovi->Stop(true);
    FStopping = false;
    try {
        ClearEncoderTasks();
    } catch (const std::exception& e) {
        LogCaught(L"stopping the batch", e);  // the end of the batch clears them
    }
    SetGroup(TCommandGroup::Add, true);
    bsSkinButton11->SetVisible(true);
    bsSkinButton12->SetEnabled(false);
    bsSkinButton12->SetVisible(false);
    if (FBatchEndPending) {
        FBatchEndPending = false;
        EndOfBatch();
    }
}

void TForm1::btnPauseClick(TObject*) {
    try {
        if (!FBatchRunning) return;
        SetGroup(TCommandGroup::Pause, false);
        SetGroup(TCommandGroup::Resume, true);
        ROREZ->Pause();
    } catch (const std::exception& e) {
        LogCaught(L"pausing", e);
    }
}

void TForm1::btnResumeClick(TObject*) {
    try {
        if (!FBatchRunning) return;
        SetGroup(TCommandGroup::Pause, true);
        SetGroup(TCommandGroup::Resume, false);
        ROREZ->Resume();
    } catch (const std::exception& e) {
        LogCaught(L"resuming", e);
    }
}

void TForm1::bsSkinButton11Click(TObject*) {
    btnPauseClick(btnPause);
    bsSkinButton11->SetVisible(false);
    bsSkinButton12->SetVisible(true);
}

void TForm1::bsSkinButton12Click(TObject*) {
    btnResumeClick(btnResume);
    bsSkinButton11->SetVisible(true);
    bsSkinButton12->SetVisible(false);
}

// ---- progress and ends -------------------------------------------------------------------

void TForm1::ROREZProgress(TObject*, TCustomDIzizuZUR::PProgressInfo p) {
    try {
        if (!p || FClosing || p->TaskIndex < 0 || p->TaskIndex >= lvFiles->Items()->Count()) return;
        TListItem* row = lvFiles->Items()->Item(p->TaskIndex);
        PutCell(row, 3, p->TotalDuration > 0 ? std::to_wstring(p->CurrentDuration * 100 / p->TotalDuration) + L"%"
                                             : String(L"N/A"));
        if (p->FPS > 0) PutCell(row, 4, std::to_wstring(p->FPS));
        PutCell(row, 5, SecToDate(p->CurrentDuration / 1000000));
        PutCell(row, 6, queuetexts::SizeText(p->CurrentSize));
    } catch (const std::exception& e) {
        LogCaught(L"ROREZProgress", e);
    }
}

// Any thread: the record is copied and its work queued for the UI thread.
void TForm1::ROREZTerminate(TObject*, const TCustomDIzizuZUR::TTerminateInfo& terminateInfo) {
    std::weak_ptr<bool> alive = FAlive;
    platform::QueueInMainThread([this, alive, info = terminateInfo] {
        if (alive.expired() || FClosing) return;
        try {
            // The encoder hands its notifications over in the order it
            // made them, each batch's last being its end (-1): the oldest
            // batch not yet ended is the one this notification belongs to.
            const unsigned batch = FOpenBatches.empty() ? 0 : FOpenBatches.front();
            if (info.TaskIndex < 0 && !FOpenBatches.empty()) FOpenBatches.pop_front();
            if (info.TaskIndex >= 0) EndOfTask(info, batch);
            else if (batch != 0 && batch == FBatchSerial) EndOfBatch();
        } catch (const std::exception& e) {
            LogCaught(L"ROREZTerminate", e);
        }
        if (info.Exception && !FClosing) ShowMessageBox(info.ExceptionMsg, Application->Title(), MB_OK | MB_ICONWARNING);
    });
}

// A finished task shows "100%" in the row it was made from; the output of
// a stopped or failed one is only part of a file and goes. A notification
// of a batch that has ended touches no row and no file.
void TForm1::EndOfTask(const TCustomDIzizuZUR::TTerminateInfo& info, unsigned batch) {
    if (!FBatchRunning || batch == 0 || batch != FBatchSerial) return;
    const auto task = static_cast<size_t>(info.TaskIndex);
    if (info.Finished) {
        if (info.TaskIndex < lvFiles->Items()->Count() && task < FBatchInputs.size() &&
            lvFiles->Items()->Item(info.TaskIndex)->Caption() == FBatchInputs[task])
            PutCell(lvFiles->Items()->Item(info.TaskIndex), 3, L"100%");
        return;
    }
    if (info.TaskIndex < static_cast<int>(FBatchOutputs.size())) {
        // A task that never started still holds its empty file; the encoder
        // removes that one when its tasks are cleared.
        const String& output = FBatchOutputs[static_cast<size_t>(info.TaskIndex)];
        WIN32_FILE_ATTRIBUTE_DATA data{};
        const bool written = GetFileAttributesExW(output.c_str(), GetFileExInfoStandard, &data) &&
                             (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
        if (written && !DeleteFileW(output.c_str()))
            mmoLog->AddLine(L"***Cannot remove the unfinished output: " + output);
    }
}

void TForm1::EndOfBatch() {
    if (FStopping) {
        FBatchEndPending = true;
        return;
    }
    if (!FBatchRunning) return;
    FBatchRunning = false;
    ShowIdleCommands();
    ClearEncoderTasks();
    FBatchOutputs.clear();
    const bool stopped = FStopRequested;
    FStopRequested = false;
    // A batch the user stopped ends without the chosen action: no shut-down
    // or sound after the user said stop.
    if (!stopped) RunEndActions();
}

void TForm1::ShowIdleCommands() {
    TPaintBatch paintOnce;
    SetGroup(TCommandGroup::Add, true);
    SetGroup(TCommandGroup::Row, false);
    SetGroup(TCommandGroup::Clear, true);
    SetGroup(TCommandGroup::Start, true);
    for (TCommandGroup g : {TCommandGroup::Stop, TCommandGroup::Pause, TCommandGroup::Resume}) SetGroup(g, false);
    bsSkinButton11->SetVisible(true);
    bsSkinButton12->SetVisible(false);
    Button23Click(Button23);
    Button24Click(Button24);
}
