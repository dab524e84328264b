#include "skin/shell/bsSkinOpenDialog.h"

#include "platform/FileSearch.h"
#include "skin/shell/bsFileCtrlPaths.h"

namespace {

bool IsAbsolutePath(const String& p) {
    return (p.size() >= 3 && p[1] == L':' && p[2] == L'\\') || (p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\');
}

String Normalised(const String& p) {
    wchar_t buf[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(p.c_str(), MAX_PATH * 4, buf, nullptr);
    return n > 0 && n < MAX_PATH * 4 ? String(buf, n) : p;
}

}  // namespace

// ---- building ---------------------------------------------------------------------------------

TbsOpenDlgForm::TbsOpenDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData,
                               bool AToolButtonsTransparent)
    : TbsSkinDialogForm(AOwner, ACtrlSkinData, AToolButtonsTransparent), SaveMode(ASaveMode) {}

TbsOpenDlgForm::~TbsOpenDlgForm() {
    for (LPITEMIDLIST id : FolderHistory) DisposeItemIdList(id);
}

void TbsOpenDlgForm::Build() {
    ToolPanel = MakeToolPanel(this);
    BuildToolBarEnd();
    StylePopupMenu = new TbsSkinPopupMenu(this);
    struct MenuEntry {
        TMenuItem*& item;
        const wchar_t* key;
        const wchar_t* text;
        TViewStyle style;
    } entries[] = {{IconMenuItem, L"MSG_LV_ICON", L"Large icons", vsIcon},
                   {SmallIconMenuItem, L"MSG_LV_SMALLICON", L"Small icons", vsSmallIcon},
                   {ListMenuItem, L"MSG_LV_LIST", L"List", vsList},
                   {ReportMenuItem, L"MSG_LV_DETAILS", L"Details", vsReport}};
    for (MenuEntry& e : entries) {
        e.item = new TMenuItem(StylePopupMenu);
        e.item->SetCaption(Text(e.key, e.text));
        e.item->SetRadioItem(true);
        const TViewStyle style = e.style;
        e.item->OnClick = [this, style](TObject*) { SetViewStyle(style); };
        StylePopupMenu->Items()->Add(e.item);
    }
    StyleToolButton = new TbsSkinMenuSpeedButton(this);
    StyleToolButton->SetParent(ToolPanel);
    StyleToolButton->SetDefaultHeight(25);
    StyleToolButton->SetBounds(0, 0, 37, 25);
    StyleToolButton->SetAlign(alRight);
    StyleToolButton->SkinDataName = L"toolmenubutton";
    StyleToolButton->SetShowCaption(false);
    SetToolGlyph(StyleToolButton, L"BS_LVSTYLE");
    StyleToolButton->SetSkinPopupMenu(StylePopupMenu);
    StyleToolButton->Hint = Text(L"MSG_BTN_VIEWMENU_HINT", L"View Menu");
    StyleToolButton->SetShowHint(true);
    StyleToolButton->SetFlat(ToolButtonsFlat);
    MakeSpacer(ToolPanel, alRight, 10);
    NewFolderToolButton = MakeToolButton(ToolPanel, L"BS_NEWFOLDER", L"MSG_BTN_NEWFOLDER_HINT", L"Create New Folder");
    UpToolButton = MakeToolButton(ToolPanel, L"BS_UP", L"MSG_BTN_UP_HINT", L"Up One Level");
    BackToolButton = MakeToolButton(ToolPanel, L"BS_BACK", L"MSG_BTN_BACK_HINT", L"Go To Last Folder Visited");
    Drivelabel = new TbsSkinStdLabel(this);
    Drivelabel->SetParent(ToolPanel);
    Drivelabel->SetAutoSize(true);
    Drivelabel->SetLayout(tlCenter);
    Drivelabel->SetCaption(Text(L"FLV_LOOKIN", L"Look in: "));
    Drivelabel->SetAlign(alLeft);
    MakeSpacer(ToolPanel, alLeft, 10);
    ShellBox = new TbsSkinShellComboBox(this);
    ShellBox->SetParent(ToolPanel);
    ShellBox->SetWidth(190);
    ShellBox->SetDropDownCount(10);
    ShellBox->SetAlign(alClient);

    BottomPanel = MakePanel(this, alBottom, bvNone);
    BottomPanel->SetHeight(80);
    OpenFileLabel = new TbsSkinStdLabel(this);
    OpenFileLabel->SetParent(BottomPanel);
    OpenFileLabel->SetAutoSize(true);
    OpenFileLabel->SetLeft(10);
    OpenFileLabel->SetTop(10);
    OpenFileLabel->SetCaption(Text(L"MSG_FILENAME", L"File name:"));
    FileNameEdit = new TbsSkinEdit(this);
    FileNameEdit->SetParent(BottomPanel);
    FileTypeLabel = new TbsSkinStdLabel(this);
    FileTypeLabel->SetParent(BottomPanel);
    FileTypeLabel->SetAutoSize(true);
    FileTypeLabel->SetLeft(10);
    FileTypeLabel->SetTop(45);
    FileTypeLabel->SetCaption(Text(L"MSG_FILETYPE", L"File type:"));
    FilterComboBox = new TbsSkinFilterComboBox(this);
    FilterComboBox->SetParent(BottomPanel);
    OpenButton = MakeButton(BottomPanel,
                            SaveMode ? Text(L"MSG_BTN_SAVE", L"&Save") : Text(L"MSG_BTN_OPEN", L"&Open"), 0, 10);
    CancelButton = MakeButton(BottomPanel, Text(L"MSG_BTN_CANCEL", L"Cancel"), 0, 45);
    PlaceBottomControls();
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;

    BuildSidePanels();
    FileListViewPanel = MakePanel(this, alClient, bvFrame);
    MakeScrollBars(FileListViewPanel, FLVHScrollBar, FLVVScrollBar);
    FileListView = new TbsSkinFileListView(this);
    FileListView->SetParent(FileListViewPanel);
    FileListView->SetAlign(alClient);
    FileListView->SetViewStyle(vsList);
    FileListView->SetShowColumnHeaders(true);
    FileListView->SetHideSelection(false);
    FileListView->SetShellComboBox(ShellBox);
    FileListView->SetHScrollBar(FLVHScrollBar);
    FileListView->SetVScrollBar(FLVVScrollBar);
    ShellBox->SetShellListView(FileListView);

    FileListView->OnChange = [this](TObject* s, TListItem* i, TItemChange c) { FLVChange(s, i, c); };
    FileListView->OnPathChanged = [this](TObject* s) { FLVPathChange(s); };
    FileListView->OnDblClick = [this](TObject* s) { FLVDBLClick(s); };
    FileListView->OnKeyPress = [this](TObject* s, wchar_t& k) { FLVKeyPress(s, k); };
    FileNameEdit->OnKeyPress = [this](TObject* s, wchar_t& k) { EditKeyPress(s, k); };
    FilterComboBox->OnChange = [this](TObject* s) { FCBChange(s); };
    OpenButton->OnClick = [this](TObject* s) { OpenButtonClick(s); };
    BackToolButton->OnClick = [this](TObject* s) { BackToolButtonClick(s); };
    UpToolButton->OnClick = [this](TObject* s) { UpToolButtonClick(s); };
    NewFolderToolButton->OnClick = [this](TObject* s) { NewFolderToolButtonClick(s); };
    SetActiveControl(FileNameEdit);
}

// The edit and the filter list end 90 pixels and the buttons 10 pixels
// before the right edge, also when the window is resized.
void TbsOpenDlgForm::PlaceBottomControls() {
    const int w = ClientWidth();
    FileNameEdit->SetBounds(70, 10, w - 160, 21);
    FileNameEdit->SetAnchors(akLeft | akTop | akRight);
    FilterComboBox->SetBounds(70, 45, w - 160, 21);
    FilterComboBox->SetAnchors(akLeft | akTop | akRight);
    OpenButton->SetLeft(w - 80);
    OpenButton->SetAnchors(akTop | akRight);
    CancelButton->SetLeft(w - 80);
    CancelButton->SetAnchors(akTop | akRight);
}

// ---- names ------------------------------------------------------------------------------------

String TbsOpenDlgForm::FilterExtension() {
    const String m = FilterComboBox->Mask();
    if (m.find(L".*") != String::npos) return String();
    const size_t semi = m.find(L';');
    return ExtractFileExt(semi == String::npos ? m : m.substr(0, semi));
}

String TbsOpenDlgForm::DefaultNameExtension() {
    return DefaultExt.empty() ? FilterExtension() : L"." + DefaultExt;
}

String TbsOpenDlgForm::CurrentDir() { return IncludeTrailingPathDelimiter(FileListView->Path()); }

String TbsOpenDlgForm::ResolveTyped(const String& typed) {
    return Normalised(IsAbsolutePath(typed) ? typed : CurrentDir() + typed);
}

String TbsOpenDlgForm::Complete(const String& name) {
    return ExtractFileExt(name).empty() ? name + DefaultNameExtension() : name;
}

String TbsOpenDlgForm::SaveName(const String& name) {
    if (!ExtractFileExt(name).empty()) return name;
    if (const String e = FilterExtension(); !e.empty()) return name + e;
    return DefaultExt.empty() ? name : name + L"." + DefaultExt;
}

bool TbsOpenDlgForm::AskOverwrite() {
    return bsDialogWarning(this, bsFrameSkinData(BSF), CtrlSD,
                           Text(L"MSG_OVERWRITE", L"Do you want to overwrite old file?"), true);
}

void TbsOpenDlgForm::CloseOk(const String& name) {
    FileName = name;
    ModalResult = mrOk;
}

// ---- handlers ------------------------------------------------------------------------------

void TbsOpenDlgForm::OpenButtonClick(TObject*) {
    const String sel = FileListView->GetSelectedFile();
    const String typed = FileNameEdit->GetText();
    if (typed.empty()) return;
    if (SaveMode) {
        if (typed.find(L'*') != String::npos) return;
        // The question is about the name that will be written (the filter's
        // extension first, else DefaultExt), and that name is returned.
        const String c = SaveName(ResolveTyped(typed));
        if (OverwritePromt && FileExists(c) && !AskOverwrite()) return;
        CloseOk(c);
        return;
    }
    if (!CheckFileExists) {
        CloseOk(!sel.empty() ? sel : Complete(ResolveTyped(typed)));
        return;
    }
    const String candidate = !sel.empty() ? sel : Complete(ResolveTyped(typed));
    if (FileExists(candidate)) {
        CloseOk(candidate);
        return;
    }
    // A name that does not exist keeps the window open, without a word.
    FileName.clear();
}

void TbsOpenDlgForm::EditKeyPress(TObject*, wchar_t& Key) {
    if (Key != L'\r') return;
    const String typed = FileNameEdit->GetText();
    if (typed.find(L'*') != String::npos) {
        FileListView->SetMask(typed);
        return;
    }
    if (typed.find(L'\\') != String::npos) {
        const String target = ResolveTyped(typed);
        if (IsExistingDirectory(target)) {
            FileListView->SetPath(target);
            return;
        }
    }
    OpenButtonClick(this);
}

void TbsOpenDlgForm::FLVKeyPress(TObject*, wchar_t& Key) {
    if (Key == L'\r' && !FileListView->GetSelectedFile().empty()) OpenButtonClick(this);
}

void TbsOpenDlgForm::FLVDBLClick(TObject*) {
    const String sel = FileListView->GetSelectedFile();
    if (sel.empty()) return;
    if (SaveMode && OverwritePromt && !AskOverwrite()) return;
    CloseOk(sel);
}

void TbsOpenDlgForm::SelectionChanged(const String& name) {
    if (!name.empty()) FileNameEdit->SetText(name);
}

void TbsOpenDlgForm::FLVChange(TObject*, TListItem*, TItemChange) {
    SelectionChanged(ExtractFileName(FileListView->GetSelectedFile()));
    if (OnFolderChange) OnFolderChange(this);
}

void TbsOpenDlgForm::FCBChange(TObject*) {
    FileListView->SetMask(FilterComboBox->Mask());
    if (!SaveMode) return;
    const String e = FilterExtension();
    const String t = FileNameEdit->GetText();
    if (!e.empty() && !t.empty()) FileNameEdit->SetText(ChangeFileExt(t, e));
}

// ---- history and tools ---------------------------------------------------------------------

void TbsOpenDlgForm::InitHistory() {
    TbsShellFolder* root = FileListView->RootFolder();
    if (!root || !root->AbsoluteID()) return;
    if (!FolderHistory.empty() && SameItemIdList(FolderHistory.back(), root->AbsoluteID())) return;
    FolderHistory.push_back(CopyItemIdList(root->AbsoluteID()));
}

void TbsOpenDlgForm::FLVPathChange(TObject*) {
    if (!StopAddToHistory) InitHistory();
    if (FileListView->Items()->Count() > 0) FileListView->Items()->Item(0)->SetFocused(true);
    if (OnFolderChange) OnFolderChange(this);
}

void TbsOpenDlgForm::BackToolButtonClick(TObject*) {
    if (FolderHistory.size() < 2) return;
    struct Resume {
        bool& flag;
        ~Resume() { flag = false; }
    } resume{StopAddToHistory};
    StopAddToHistory = true;
    FileListView->NavigateToItemIdList(FolderHistory[FolderHistory.size() - 2]);
    DisposeItemIdList(FolderHistory.back());
    FolderHistory.pop_back();
}

void TbsOpenDlgForm::UpToolButtonClick(TObject*) { FileListView->Back(); }

void TbsOpenDlgForm::NewFolderToolButtonClick(TObject*) {
    const String p = FileListView->Path();
    if (p.find(L'\\') == String::npos) return;  // a virtual folder
    ++NewFolderCount;
    String name = Text(L"MSG_NEWFOLDER", L"New Folder");
    if (NewFolderCount > 1) name += L"(" + IntToStr(NewFolderCount) + L")";
    const String folder = AppendPathItem(p, name);
    if (IsExistingDirectory(folder)) return;
    if (!CreateDirectoryW(folder.c_str(), nullptr)) RaiseInOutError(GetLastError());
    FileListView->RootChanged();
    Application->ProcessMessages();
    for (int i = 0; i < FileListView->FolderCount(); ++i) {
        if (FileListView->FolderAtIndex(i)->DisplayName() != name) continue;
        if (TListItem* item = FileListView->Items()->Item(i)) item->EditCaption();
        break;
    }
}

void TbsOpenDlgForm::SetViewStyle(TViewStyle style) {
    IconMenuItem->SetChecked(style == vsIcon);
    SmallIconMenuItem->SetChecked(style == vsSmallIcon);
    ListMenuItem->SetChecked(style == vsList);
    ReportMenuItem->SetChecked(style == vsReport);
    FileListView->SetViewStyle(style);
}

// ---- TbsSkinOpenDialog -----------------------------------------------------------------------

TbsSkinOpenDialog::TbsSkinOpenDialog(TComponent* owner) : TbsSkinOpenDialog(owner, L"Open file", 225, 450, 290) {}

TbsSkinOpenDialog::TbsSkinOpenDialog(TComponent* owner, const String& title, BYTE alphaValue, int defaultWidth,
                                     int defaultHeight)
    : TbsSkinDialogComponent(owner, title, alphaValue, defaultWidth, defaultHeight) {}

TbsSkinOpenDialog::~TbsSkinOpenDialog() = default;

void TbsSkinOpenDialog::SetFileName(const String& v) {
    FFileName = v;
    if (auto* f = dynamic_cast<TbsOpenDlgForm*>(DialogForm())) f->FileNameEdit->SetText(v);
}

String TbsSkinOpenDialog::GetSelectedFile() {
    auto* f = dynamic_cast<TbsOpenDlgForm*>(DialogForm());
    return f ? f->FileListView->GetSelectedFile() : String();
}

TbsSkinDialogForm* TbsSkinOpenDialog::CreateDialogForm() {
    auto* f = new TbsOpenDlgForm(Application, FSaveMode, CtrlSkinData(), ToolButtonsTransparent);
    f->Build();
    return f;
}

void TbsSkinOpenDialog::CopySettings(TbsSkinDialogForm* form) {
    auto* f = static_cast<TbsOpenDlgForm*>(form);
    f->OverwritePromt = OverwritePromt;
    f->OnFolderChange = OnFolderChange;
    f->CheckFileExists = CheckFileExists;
    f->DefaultExt = DefaultExt;
}

String TbsSkinOpenDialog::StartFolder() const {
    const String own = ExtractFilePath(FFileName);
    if (!own.empty() && IsExistingDirectory(own)) return own;
    if (!InitialDir.empty() && IsExistingDirectory(InitialDir)) return InitialDir;
    const String exe = ExtractFilePath(ParamStr0());
    if (IsExistingDirectory(exe)) return exe;
    return L"rfMyComputer";
}

void TbsSkinOpenDialog::SetupControls(TbsSkinDialogForm* form) {
    auto* f = static_cast<TbsOpenDlgForm*>(form);
    TbsSkinData* ctrl = CtrlSkinData();
    for (TbsSkinCustomComboBox* c : std::initializer_list<TbsSkinCustomComboBox*>{f->ShellBox, f->FilterComboBox}) {
        c->AlphaBlend = CtrlAlphaBlend;
        c->AlphaBlendValue = CtrlAlphaBlendValue;
        c->AlphaBlendAnimation = CtrlAlphaBlendAnimation;
    }
    bsSetFrameMenusAlpha(f->BSF, CtrlAlphaBlend, CtrlAlphaBlendValue, CtrlAlphaBlendAnimation);
    f->OpenButton->SetDefaultFont(DefaultFont());
    f->CancelButton->SetDefaultFont(DefaultFont());
    f->ShellBox->SetDefaultFont(DefaultFont());
    f->FileListView->SetDefaultFont(DefaultFont());
    f->SetViewStyle(ListViewStyle);
    f->FileListView->SetRoot(StartFolder());
    f->FileListView->SetHeaderSkinDataName(LVHeaderSkinDataName);
    f->FileListView->SetSkinData(ctrl);
    f->FileListView->SetMultiSelect(MultiSelection);
    if (ShowHiddenFiles) f->FileListView->SetObjectTypes(f->FileListView->ObjectTypes() | otHidden);
    // The filter list builds its entries with its window: the entry chosen
    // here is then the one in force when the dialog shows.
    f->FilterComboBox->HandleNeeded();
    f->FilterComboBox->SetFilter(Filter);
    const int index = FilterIndex - 1;
    f->FilterComboBox->SetItemIndex(index >= 0 && index < f->FilterComboBox->Items()->Count() ? index : 0);
    f->FCBChange(f->FilterComboBox);
    for (TbsSkinControl* c : std::initializer_list<TbsSkinControl*>{
             f->FileListViewPanel, f->BottomPanel, f->ToolPanel, f->FLVHScrollBar, f->FLVVScrollBar, f->FilterComboBox, f->OpenButton, f->CancelButton, f->ShellBox})
        c->SetSkinData(ctrl);
    f->FileNameEdit->SetSkinData(ctrl);
    for (TbsSkinSpeedButton* b : {f->UpToolButton, f->BackToolButton, f->NewFolderToolButton,
                                  static_cast<TbsSkinSpeedButton*>(f->StyleToolButton)})
        b->SetSkinData(ctrl);
    for (TbsSkinStdLabel* l : {f->Drivelabel, f->OpenFileLabel, f->FileTypeLabel}) l->SetSkinData(ctrl);
    f->ShellBox->SetSkinDataName(L"combobox");
}

void TbsSkinOpenDialog::StartState(TbsSkinDialogForm* form) {
    auto* f = static_cast<TbsOpenDlgForm*>(form);
    if (f->FileListView->Items()->Count() > 0) f->FileListView->Items()->Item(0)->SetFocused(true);
    f->FileNameEdit->SetText(ExtractFileName(FFileName));
    f->InitHistory();
    f->SetActiveControl(f->FileNameEdit);
    // A root given to the list is not passed on to the path box, which
    // builds its entries with its window: it shows the start folder once
    // the window is up.
    f->OnShow = [f](TObject*) {
        if (TbsShellFolder* root = f->FileListView->RootFolder()) f->ShellBox->SelectItemIdList(root->AbsoluteID());
    };
}

void TbsSkinOpenDialog::ReadBack(TbsSkinDialogForm* form, bool confirmed) {
    auto* f = static_cast<TbsOpenDlgForm*>(form);
    FilterIndex = f->FilterComboBox->ItemIndex() + 1;
    ListViewStyle = f->FileListView->ViewStyle();
    if (!confirmed) return;
    FFileName = f->FileName;
    if (FSaveMode && f->FilterComboBox->Mask().find(L".*") == String::npos && ExtractFileExt(FFileName).empty())
        FFileName += f->FilterExtension();
    f->FileListView->GetSelectedFiles(&FFiles);
    if (FSaveMode && ExtractFileExt(FFileName).empty() && !DefaultExt.empty()) FFileName += L"." + DefaultExt;
}
