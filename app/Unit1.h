#pragma once
// Main window of the converter "VantrelH264视频格式转换器": tool bar, preview
// and queue panels, the settings tabs with the format catalogue, the output
// folder and the six option lists, the skin stores, and the media components.
//
// Files of the unit:
//   Unit1.cpp          creation, activation, closing, log lines, skins, help
//   Unit1Layout.cpp    the controls and their places (client area 839x522)
//   Unit1Catalogue.cpp the category/format/option chains and the row writes
//   Unit1Settings.cpp  the output folder and skin rows of "option.ini"
//   Unit1Preview.cpp   the preview panel and its player
//   Unit1Queue.cpp     the file queue: slots, adding files, the row texts
//   Unit1QueueRows.cpp removing, clearing, renaming, selecting, moving rows
//   Unit1Batch.cpp     batch start, stop, pause, resume, progress, batch end
//   Unit1EndActions.cpp the end actions (folder, shut-down, sound)
//   Unit1Commands.cpp  the hidden procedure buttons, menu and button bindings,
//                      the command groups
//   Unit1Snapshots.cpp snapshots of the previewed frame, their type and folder
//
// Name map of the handlers (the hidden buttons are procedures run by code):
//   Button2Click   fill the format list          Button5Click   preset of the key
//   Button6Click   reset the Video_ fields       Button13Click  read the six lists
//   Button18Click  refill the six option lists   Button21Click  open-dialog filters
//   Button3Click   read the stored skin          Button4Click   write the skin index
//   Button16Click  write the output folder       Button17Click  read the output folder
//   Button1Click   open "help.chm"               Button20Click  open the output folder
//   Button31Click  open the preview of T_Movie_PLayer_FileName
//   bsSkinOfficeComboBox2Change  category chosen bsSkinOfficeComboBox1Change  format chosen
//   bsSkinComboBoxNChange        an option list's shown text changed
//   bsSkinButton5Click "浏览..."  bsSkinButton6Click "打开"  N23Click / bsSkinButton9Click skins
//   N5Click about box  N24Click / bsSkinButton19Click options  N15Click help page  N19Click home page
//   btnAddClick    add one file                  Button8Click   add several files
//   Button12Click  add a folder                  Button15Click  every slot free
//   btnRemoveClick remove the selected row       btnClearClick  empty the queue
//   bsSkinButton21Click / N26Click / lvFilesDblClick  open the rename box; edtExit commits it
//   lvFilesSelectItem  a row chosen: its format, options and preview
//   bsSkinButton3Click / bsSkinButton4Click  move the row up / down (rows and slots)
//   Button27Click  the row up with its slot      Button14Click  tasks from the slots (unused)
//   Button7Click   the Video_ fields into AOO    Button29Click  end sound
//   btnStartClick  start the batch               button28Click  tasks from the rows
//   btnStopClick / btnPauseClick / btnResumeClick  batch control
//   bsSkinButton2Click / 10 / 11 / 12  tool-bar start / stop / pause / resume
//   Button22Click / Button23Click  format and option controls off / on
//   Button25Click  shut the computer down        ROREZProgress / ROREZTerminate  engine events
//
// Threads: created, used and destroyed on the UI thread. FFLoggerLog runs on
// the UI thread (the logger hands its lines over synchronously), and so do
// the player's open, position and state events; ZADovoviHook alone runs on
// the player's video thread, with the frame's canvas locked.
// ROREZProgress is handed to the UI thread by the encoder (the worker waits).
// ROREZTerminate may be called on any thread: it copies the record and
// queues the work for the UI thread, which skips it once the window closes.

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "app/EncoderPresets.h"
#include "app/OptionLists.h"
#include "Src/DIzizuZUR.h"
#include "Src/FFPlay.h"
#include "Src/FFmpegLogger.h"
#include "platform/Forms.h"

class TbsSkinData;
class TbsCompressedSkinList;
class TbsResourceStrData;
class TbsSkinFrame;
class TbsSkinButton;
class TbsSkinMenuSpeedButton;
class TbsSkinPanel;
class TbsSkinToolBar;
class TbsSkinSlider;
class TbsSkinScrollBar;
class TbsSkinListView;
class TbsSkinPageControl;
class TbsSkinTabSheet;
class TbsSkinStdLabel;
class TbsSkinEdit;
class TbsSkinComboBox;
class TbsSkinOfficeComboBox;
class TbsSkinCheckRadioBox;
class TbsPngImageList;
class TbsSkinPopupMenu;
class TbsSkinMainMenuBar;
class TLabel;
class TBitmap;
class TPanel;
class TImage;
class TButton;
class TMemo;
class TListBox;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TListItem;
class TZADovovi;
class TbsSkinMessage;
class TbsSkinOpenDialog;
class TbsSkinSelectDirectoryDialog;
class TEdit;
class TStringList;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // ---- skin stores and frame -------------------------------------------------
    TbsResourceStrData* bsResourceStrData1 = nullptr;
    // The main store with its eight skins (starts at skin 1), and the store
    // of the category and format lists with the one skin they always use.
    TbsSkinData* bsSkinData1 = nullptr;
    TbsCompressedSkinList* bsCompressedSkinList1 = nullptr;
    TbsSkinData* bsSkinData2 = nullptr;
    TbsCompressedSkinList* bsCompressedSkinList2 = nullptr;
    TbsSkinFrame* bsSkinFrame1 = nullptr;

    // ---- media components ------------------------------------------------------
    TDIzizuZUR* ROREZ = nullptr;
    TZADovovi* ZADovovi = nullptr;
    TFFLogger* FFLogger = nullptr;

    // ---- menus -----------------------------------------------------------------
    TMainMenu* bsSkinMainMenu1 = nullptr;
    TMenuItem *Item11 = nullptr, *Item111 = nullptr, *Item121 = nullptr, *N21 = nullptr, *N4 = nullptr;
    TMenuItem *N6 = nullptr, *N111 = nullptr, *N2221 = nullptr, *N13 = nullptr, *N14 = nullptr, *N26 = nullptr;
    TMenuItem *N1 = nullptr, *N7 = nullptr, *N8 = nullptr, *N10 = nullptr, *N11 = nullptr;
    TMenuItem *N22 = nullptr, *N24 = nullptr, *N23 = nullptr;
    TMenuItem *N2 = nullptr, *N15 = nullptr, *N19 = nullptr, *N5 = nullptr;
    TbsSkinPopupMenu* bsSkinPopupMenu1 = nullptr;       // the add button's menu
    TbsSkinMainMenuBar* bsSkinMainMenuBar1 = nullptr;  // shows bsSkinMainMenu1

    // ---- tool bar --------------------------------------------------------------
    TbsPngImageList* bsPngImageList1 = nullptr;  // tool-bar pictures
    TbsSkinToolBar* bsSkinToolBar2 = nullptr;
    TbsSkinMenuSpeedButton* bsSkinMenuSpeedButton1 = nullptr;  // "添加"
    TbsSkinButton *bsSkinButton2 = nullptr, *bsSkinButton10 = nullptr, *bsSkinButton11 = nullptr;
    TbsSkinButton *bsSkinButton12 = nullptr, *bsSkinButton19 = nullptr, *bsSkinButton9 = nullptr;

    // ---- preview panel (behaviour: the preview's own work) ---------------------------
    TbsSkinPanel* bsSkinPanel3 = nullptr;
    TPanel* Panel6 = nullptr;  // host window of the player
    TbsSkinSlider* bsSkinSlider1 = nullptr;
    TbsSkinButton *bsSkinButton13 = nullptr, *bsSkinButton14 = nullptr, *bsSkinButton15 = nullptr;
    TbsSkinButton *bsSkinButton16 = nullptr, *bsSkinButton20 = nullptr, *bsSkinButton22 = nullptr;
    TbsSkinButton* bsSkinButton23 = nullptr;

    // ---- preview player and snapshots (Unit1Preview.cpp, Unit1Snapshots.cpp) ------------
    // What the player reported for the open file, and the slider's state.
    int64_t FDuration = 0;         // microseconds; 0 until a file was opened
    bool FTrackChanging = false;   // true while the open handler resets the slider
    TWinControl* FScreenControl = nullptr;  // its size is the player's screen size
    // The player's test controls on the hidden Panel5.
    TbsSkinComboBox *cboVideoDriver = nullptr, *cboAudioDriver = nullptr;
    TbsSkinCheckRadioBox *chkOpenPaused = nullptr, *chkStayOnTop = nullptr;
    TbsSkinSlider *TrackBar1 = nullptr, *TrackBar2 = nullptr;  // TrackBar2: volume 0..128
    TbsSkinComboBox *cboVideo = nullptr, *cboAudio = nullptr, *cboSubtitle = nullptr;
    TLabel *Label2 = nullptr, *Label3 = nullptr;  // duration, position (seconds)
    TButton* btnCapture = nullptr;                 // "Capture"
    // The snapshot settings menu of bsSkinButton23.
    TbsSkinPopupMenu* bsSkinPopupMenu2 = nullptr;
    TMenuItem *MenuItem1 = nullptr, *MenuItem2 = nullptr, *N27 = nullptr;
    TMenuItem *BMP1 = nullptr, *JPG1 = nullptr, *GIF1 = nullptr, *PNG1 = nullptr;
    // Seam: the save-picture dialog of the capture button (SavePictureDialog1);
    // true on OK with fileName set.
    std::function<bool(String& fileName)> SavePictureDialog1;

    // The direct windowed child of the window with this exact name, or none.
    TWinControl* FindControlByName(const String& name) const;
    // Player events.
    void ZADovoviFileOpen(TObject* sender, int64_t duration, int frameWidth, int frameHeight, int& screenWidth,
                          int& screenHeight);
    void ZADovoviPosition(TObject* sender, int64_t pts);
    void ZADovoviState(TObject* sender, TPlayState state);
    void ZADovoviHook(TObject* sender, TBitmap* bitmap, int64_t pts);
    // Preview buttons and slider.
    void bsSkinButton13Click(TObject* sender);  // "播放"
    void bsSkinButton14Click(TObject* sender);  // "暂停"
    void bsSkinButton15Click(TObject* sender);  // "停止": reopen paused
    void bsSkinButton16Click(TObject* sender);  // "静音" on
    void bsSkinButton20Click(TObject* sender);  // "静音" off
    void bsSkinSlider1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void bsSkinSlider1MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void TrackBar2Change(TObject* sender);
    // Snapshots.
    void bsSkinButton22Click(TObject* sender);  // "快照"
    void bsSkinButton23Click(TObject* sender);  // "设置": ticks the stored type
    void bsSkinButton23MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void BMP1Click(TObject* sender);
    void JPG1Click(TObject* sender);
    void GIF1Click(TObject* sender);
    void PNG1Click(TObject* sender);
    void MenuItem1Click(TObject* sender);  // "打开快照目录"
    void MenuItem2Click(TObject* sender);  // "设置快照目录"
    void btnCaptureClick(TObject* sender);
    // The player's screen follows the window while it moves or resizes.
    void WndProc(TMessage& m) override;

    // ---- queue panel -----------------------------------------------------------
    TbsSkinPanel* bsSkinPanel1 = nullptr;
    TbsSkinPanel* bsSkinPanel5 = nullptr;  // placeholder over the queue
    TImage* Image1 = nullptr;              // its picture
    // The frame of the queue list, with the list's horizontal and vertical bars.
    TbsSkinPanel* bsSkinPanel2 = nullptr;
    TbsSkinScrollBar *bsSkinScrollBar1 = nullptr, *bsSkinScrollBar2 = nullptr;
    TbsSkinListView* lvFiles = nullptr;
    TbsSkinButton *bsSkinButton7 = nullptr, *bsSkinButton8 = nullptr, *bsSkinButton4 = nullptr;
    TbsSkinButton *bsSkinButton3 = nullptr, *bsSkinButton21 = nullptr;

    // ---- settings tabs ---------------------------------------------------------
    TbsSkinPageControl* bsSkinPageControl1 = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet1 = nullptr;  // "常规设置"
    TbsSkinTabSheet* bsSkinTabSheet2 = nullptr;  // "音视频高级设置"
    TbsPngImageList* bsPngImageList4 = nullptr;  // category pictures, 48x48
    TbsPngImageList* bsPngImageList5 = nullptr;  // format pictures, 32x32
    TbsSkinStdLabel* bsSkinStdLabel1 = nullptr;  // "输出格式："
    TbsSkinOfficeComboBox* bsSkinOfficeComboBox2 = nullptr;  // categories
    TbsSkinOfficeComboBox* bsSkinOfficeComboBox1 = nullptr;  // formats
    TbsSkinStdLabel* bsSkinStdLabel2 = nullptr;  // "输出文件夹："
    TbsSkinEdit* Video_OutPut_Folder_Edit = nullptr;
    TbsSkinButton* bsSkinButton5 = nullptr;  // "浏览..."
    TbsSkinButton* bsSkinButton6 = nullptr;  // "打开"
    // The six option lists, and their labels in the same order:
    // resolution, video bit rate, frame rate, audio bit rate, sample rate, aspect.
    TbsSkinComboBox *bsSkinComboBox1 = nullptr, *bsSkinComboBox2 = nullptr, *bsSkinComboBox9 = nullptr;
    TbsSkinComboBox *bsSkinComboBox3 = nullptr, *bsSkinComboBox10 = nullptr, *bsSkinComboBox4 = nullptr;
    std::array<TbsSkinStdLabel*, 6> OptionLabels{};

    // ---- developer panels, right of the client area ----------------------------------
    TPanel *Panel1 = nullptr, *Panel3 = nullptr, *Panel4 = nullptr, *Panel5 = nullptr;
    TButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr;
    TButton *Button5 = nullptr, *Button6 = nullptr, *Button11 = nullptr, *Button13 = nullptr;
    TButton *Button16 = nullptr, *Button17 = nullptr, *Button18 = nullptr, *Button20 = nullptr;
    TButton *Button21 = nullptr, *Button24 = nullptr, *Button19 = nullptr, *Button27 = nullptr;
    TbsSkinCheckRadioBox *chkThreadMode = nullptr, *chkPreview = nullptr;
    TListBox* ListBox1 = nullptr;
    // The glyphs of the command buttons (apppictures::MakeCommandGlyphs):
    // the command groups give their buttons these pictures.
    TImage *Image2 = nullptr, *Image3 = nullptr, *Image4 = nullptr, *Image5 = nullptr, *Image6 = nullptr;
    TImage *Image7 = nullptr, *Image8 = nullptr, *Image9 = nullptr, *Image10 = nullptr, *Image11 = nullptr;
    TImage *Image12 = nullptr, *Image13 = nullptr, *Image14 = nullptr, *Image15 = nullptr, *Image16 = nullptr;
    TImage* Image17 = nullptr;
    TbsSkinComboBox* cboScreens = nullptr;  // hosts the preview can use
    TMemo* mmoLog = nullptr;

    // ---- state -----------------------------------------------------------------
    // The current-format settings (the Video_ fields).
    formats::TFormatSettings Video;
    String Video_AddFileName;
    int All_Trant_Number = 0;
    String FileOutPutPath;
    String bsSkinSlider1_down_UP;
    // The Filter of the two open-file dialogs (the dialogs come with the queue).
    String OpenDialogFilter;
    // The file the preview opens: the input of the selected queue row.
    String T_Movie_PLayer_FileName;
    TButton* Button31 = nullptr;  // "打开播放视频": opens T_Movie_PLayer_FileName in the preview

    // ---- seams: the dialogs and the shell (tests replace them) -------------------------
    // Shows a select-folder dialog starting at dir; true on OK with dir set.
    std::function<bool(const String& title, String& dir)> SelectFolder;
    // Shows the skin dialog with the current index; true on OK with the choice.
    std::function<bool(int current, int& selected)> SelectSkin;
    // Opens a file, folder or address with the shell.
    std::function<void(const String& target)> OpenWithShell;

    // The option list of a TOptionList.
    TbsSkinComboBox* OptionList(formats::TOptionList list) const;

    // ---- operations (run by code, as the hidden buttons' clicks) -------------------------
    void Button2Click(TObject* sender);
    void Button5Click(TObject* sender);
    void Button6Click(TObject* sender);
    void Button13Click(TObject* sender);
    void Button18Click(TObject* sender);
    void Button21Click(TObject* sender);
    void Button3Click(TObject* sender);
    void Button4Click(TObject* sender);
    void Button16Click(TObject* sender);
    void Button17Click(TObject* sender);
    void Button1Click(TObject* sender);
    void Button20Click(TObject* sender);
    void Button31Click(TObject* sender);
    // The preset of the chosen format into the Video_ fields and, when row
    // is given, into its hidden encoder columns. The add operations pass
    // their own new row, never the selected one.
    void ApplyPreset(TListItem* row);

    // ---- handlers --------------------------------------------------------------
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void FFLoggerLog(TObject* sender, uint32_t threadId, TLogLevel level, const std::wstring& message);
    void bsSkinOfficeComboBox2Change(TObject* sender);
    void bsSkinOfficeComboBox1Change(TObject* sender);
    void bsSkinComboBox1Change(TObject* sender);
    void bsSkinComboBox2Change(TObject* sender);
    void bsSkinComboBox3Change(TObject* sender);
    void bsSkinComboBox4Change(TObject* sender);
    void bsSkinComboBox9Change(TObject* sender);
    void bsSkinComboBox10Change(TObject* sender);
    void bsSkinButton5Click(TObject* sender);
    void bsSkinButton6Click(TObject* sender);
    void Video_OutPut_Folder_EditClick(TObject* sender);
    void N23Click(TObject* sender);
    void bsSkinButton9Click(TObject* sender);
    void N5Click(TObject* sender);
    void N24Click(TObject* sender);
    void bsSkinButton19Click(TObject* sender);
    void N15Click(TObject* sender);
    void N19Click(TObject* sender);
    void N4Click(TObject* sender);

    // The text of the format list's chosen entry (empty without one).
    String ChosenFormatTitle() const;

private:
    void CreateSkinStores();
    void CreateMediaComponents();
    void CreateMenus();
    void CreateMenuBar();
    void CreateToolBar();
    void CreatePreviewPanel();
    void CreateQueuePanel();
    void CreateSettingsTabs();
    void CreateGeneralTab();
    void CreateOptionsTab();
    void CreateDeveloperPanels();
    void CreatePreviewHost(TWinControl* parent);
    void BindHandlers();
    void FillScreenList();
    // The preview's and the snapshots' own parts (Unit1Preview.cpp, Unit1Snapshots.cpp).
    void CreatePreviewDeveloperControls();
    void CreateSnapshotMenu();
    void BindPreviewHandlers();
    void DetachPreviewHandlers();
    // Opens T_Movie_PLayer_FileName in Panel6, paused when APaused.
    void OpenPreview(bool APaused);
    void FillStreamLists();
    void ReopenPreview();
    void SeekToSlider();
    void TakeSnapshot();
    String SnapshotFolder();
    String SnapshotType();
    void ChooseSnapshotType(const wchar_t* type);
    void ChooseSnapshotFolder();
    void CaptureFrame();

    // The chains of Unit1Catalogue.cpp.
    void FormatChanged();
    void OptionListChanged(formats::TOptionList list);
    void WriteRowChoices(TListItem* row);
    std::array<int, 6> OptionPositions() const;
    std::array<std::wstring, 6> OptionTexts() const;
    void FocusQueue();

    // Skins and settings of Unit1Settings.cpp.
    void ChooseSkin();
    void ChooseOutputFolder();
    void ShowOutputFolder(const String& folder);

    // Logs what a handler caught, so that nothing escapes a window procedure.
    void LogCaught(const wchar_t* where, const std::exception& e);

public:
    // ==== file queue (Unit1Queue.cpp, Unit1QueueRows.cpp) ================================
    // The slot pool: slot i holds the records of queue row i; its state is
    // the output record's AudioLanguage ("kong" free, "Full" used).
    static constexpr int SlotCount = 501;
    std::vector<TInputOptions> IO1;
    std::vector<TOutputOptions> OO1;
    std::unique_ptr<TOutputOptions> AOO;  // scratch record of Button7Click
    TbsSkinMessage* bsSkinMessage1 = nullptr;
    TbsSkinOpenDialog* OpenDialog1 = nullptr;  // one file
    TbsSkinOpenDialog* OpenDialog2 = nullptr;  // several files
    TbsSkinSelectDirectoryDialog* bsSkinSelectDirectoryDialog1 = nullptr;
    TEdit* edt = nullptr;  // the rename box over the output-name column
    TButton *btnAdd = nullptr, *btnRemove = nullptr, *btnClear = nullptr, *Button7 = nullptr;
    TButton *Button8 = nullptr, *Button12 = nullptr, *Button14 = nullptr, *Button15 = nullptr;
    TMenuItem *N11111 = nullptr, *N2222 = nullptr, *N3331 = nullptr;  // the add button's entries

    void btnAddClick(TObject* sender);
    void Button8Click(TObject* sender);
    void Button12Click(TObject* sender);
    void btnRemoveClick(TObject* sender);
    void btnClearClick(TObject* sender);
    void bsSkinButton21Click(TObject* sender);
    void N26Click(TObject* sender);
    void lvFilesDblClick(TObject* sender);
    void edtExit(TObject* sender);
    void lvFilesSelectItem(TObject* sender, TListItem* item, bool selected);
    void lvFilesClick(TObject* sender);
    void Button15Click(TObject* sender);
    void Button14Click(TObject* sender);
    void Button7Click(TObject* sender);
    void Button27Click(TObject* sender);
    void bsSkinButton3Click(TObject* sender);
    void bsSkinButton4Click(TObject* sender);
    void bsSkinButton7Click(TObject* sender);
    void bsSkinButton8Click(TObject* sender);
    String SecToDate(int64_t sec) const;
    // The files (not folders) of a folder matching a mask, with their paths,
    // in the order the search returns them; nullptr for a folder that does
    // not exist. GetFilenamesEx adds one level of subfolders.
    std::unique_ptr<TStringList> GetFilenames(const String& filePath, const String& extMask) const;
    std::unique_ptr<TStringList> GetFilenamesEx(const String& filePath, const String& extMask) const;
    String GenerateOutputFileName(const String& fileName, const String& fileExt) const;

    // ==== batch (Unit1Batch.cpp, Unit1EndActions.cpp) ======================================
    TButton *btnStart = nullptr, *btnStop = nullptr, *btnPause = nullptr, *btnResume = nullptr;
    TButton *button28 = nullptr, *Button22 = nullptr, *Button23 = nullptr, *Button25 = nullptr;
    TButton *Button26 = nullptr, *Button29 = nullptr;

    void btnStartClick(TObject* sender);
    void button28Click(TObject* sender);
    void btnStopClick(TObject* sender);
    void btnPauseClick(TObject* sender);
    void btnResumeClick(TObject* sender);
    void bsSkinButton2Click(TObject* sender);
    void bsSkinButton10Click(TObject* sender);
    void bsSkinButton11Click(TObject* sender);
    void bsSkinButton12Click(TObject* sender);
    void Button22Click(TObject* sender);
    void Button23Click(TObject* sender);
    void Button24Click(TObject* sender);
    void Button9Click(TObject* sender);  // "播放视频": does nothing
    void Button25Click(TObject* sender);
    void Button29Click(TObject* sender);
    bool SetPrivilege(const String& privilegeName, bool enable);
    void ROREZProgress(TObject* sender, TCustomDIzizuZUR::PProgressInfo progressInfo);
    void ROREZTerminate(TObject* sender, const TCustomDIzizuZUR::TTerminateInfo& terminateInfo);

    // ---- seams of the batch end (tests replace them) ---------------------------------
    enum class TEndAction { OpenFolder, ShutDown, PlaySound };
    // Runs one chosen end action; by default Button20Click, Button25Click or
    // Button29Click. Runs only at the end of a batch that was not stopped by
    // the user and while the window is not closing.
    std::function<void(TEndAction action)> EndActionSink;
    // Asks the system to shut down (ExitWindowsEx); true when it accepts.
    std::function<bool(UINT flags, DWORD reason)> ExitWindowsCall;
    // The warning box of a failed task (the application's MessageBox).
    std::function<int(const String& text, const String& caption, UINT flags)> ShowMessageBox;

    // True while a batch runs (from Start to its end handling).
    bool BatchRunning() const { return FBatchRunning; }

    // ==== commands (Unit1Commands.cpp) ======================================================
    TButton* btnWebSite = nullptr;
    TButton *Button9 = nullptr, *Button10 = nullptr, *Button34 = nullptr, *Button40 = nullptr;
    enum class TCommandGroup { Add, Row, Clear, Start, Stop, Pause, Resume };
    // Switches a command group as a whole: every member on or off, with the
    // glyph and the tool-bar picture of that state.
    void SetGroup(TCommandGroup group, bool on);

private:
    // ---- queue --------------------------------------------------------------------------
    enum class TAddResult { Added, Skipped, Ended };
    void CreateQueueControls();
    void ResetSlot(int slot);
    bool EnsureLibraries();
    TAddResult AddFile(const String& fileName);
    void AddFiles(const std::vector<String>& files);
    void AddFilesFromFolder();
    void AppendRow(const TInputOptions& input, const TOutputOptions& output, int task);
    void LogErrorLine(const String& line);
    void Notice(const String& text);
    void SelectLastRow();
    void RemoveSelectedRow();
    void ClearQueue();
    void OpenRenameBox();
    void CommitRename();
    void SelectRow();
    void MoveRow(int from, int to);
    void SwapRows(int a, int b);
    void StopPreview();
    void ShowPlaceholder();
    void AfterRowsChanged();
    std::vector<String> FromStrings(TStringList* list) const;

    // ---- batch --------------------------------------------------------------------------
    bool RebuildTasks();
    void StartBatch();
    // The commands' looks while a batch runs and once it has ended; each
    // control that changes is painted once.
    void ShowBatchCommands();
    void ShowIdleCommands();
    void StopBatch();
    // batch: the serial of the batch the notification belongs to (0: none).
    void EndOfTask(const TCustomDIzizuZUR::TTerminateInfo& info, unsigned batch);
    void EndOfBatch();
    void RunEndActions();
    void ClearTaskNumbers();
    void ClearEncoderTasks();
    void RunEndAction(TEndAction action);

    // The output file of each task of the running batch (task i = row i):
    // an unfinished one is removed when its task ends.
    std::vector<String> FBatchOutputs;
    // The input of each task of the running batch, as its row showed it.
    std::vector<String> FBatchInputs;
    // The serial of the running (or last) batch, and the batches whose end
    // notification has not yet been handled, oldest first.
    unsigned FBatchSerial = 0;
    std::deque<unsigned> FOpenBatches;

    // ---- commands -----------------------------------------------------------------------
    void CreateProcedureButtons();
    void BindCommands();

    bool FBatchRunning = false;
    bool FStopRequested = false;  // the user stopped the running batch
    bool FStopping = false;       // btnStopClick is waiting for the workers
    bool FBatchEndPending = false;
    bool FClosing = false;
    // Shared with the work queued for the UI thread, which runs only while
    // the window lives.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

extern TForm1* Form1;
