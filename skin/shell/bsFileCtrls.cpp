#include "skin/shell/bsFileCtrls.h"

#include <algorithm>
#include <cwctype>

#include "platform/FileSearch.h"
#include "platform/Forms.h"
#include "skin/shell/bsFileCtrlPaths.h"
#include "skin/shell/bsSkinDialogBase.h"

namespace {

String CurrentFolder() { return GetCurrentDir(); }

// The folder the system keeps as the current one of a drive ("X:\" when it
// keeps none); empty when the letter is not a drive letter.
String DriveCurrentFolder(wchar_t letter) {
    if (!std::iswalpha(letter)) return String();
    const wchar_t spec[3] = {letter, L':', 0};
    wchar_t buf[MAX_PATH * 2];
    const DWORD n = GetFullPathNameW(spec, MAX_PATH * 2, buf, nullptr);
    if (n == 0 || n >= MAX_PATH * 2) return String(spec) + L"\\";
    return String(buf, n);
}

// path made absolute against base and normalised ("." and ".." resolved),
// without a trailing backslash except on a root.
String FullFolder(const String& base, const String& path) {
    String p = path;
    const bool absolute = (p.size() >= 2 && p[1] == L':' && (p.size() == 2 || p[2] == L'\\')) ||
                          (p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\');
    if (p.size() == 2 && p[1] == L':') p = DriveCurrentFolder(p[0]);
    else if (!absolute) p = p.size() > 0 && p[0] == L'\\' ? ExtractFileDrive(base) + p : AppendPathItem(base, p);
    wchar_t buf[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(p.c_str(), MAX_PATH * 4, buf, nullptr);
    if (n > 0 && n < MAX_PATH * 4) p.assign(buf, n);
    const String drive = ExtractFileDrive(p);
    while (p.size() > drive.size() + 1 && p.back() == L'\\') p.pop_back();
    if (p == drive) p += L"\\";
    return p;
}

// The folder entered, or EInOutError when it does not exist.
String EnterableFolder(const String& base, const String& path) {
    const String full = FullFolder(base, path);
    if (!IsExistingDirectory(full)) RaiseInOutError(ERROR_PATH_NOT_FOUND);
    return full;
}

bool SameFileName(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

// Draws picture at (x, y) with its bottom-left pixel as transparent colour.
void DrawTransparent(TCanvas* c, int x, int y, TBitmap* picture) {
    if (!picture || picture->Empty()) return;
    const TColor key = picture->Canvas()->Pixel(0, picture->Height() - 1);
    TransparentBlt(c->Handle(), x, y, picture->Width(), picture->Height(), picture->Canvas()->Handle(), 0, 0,
                   picture->Width(), picture->Height(), static_cast<UINT>(key));
}

}  // namespace

// ---- TbsSkinDriveComboBox ------------------------------------------------------------------------

TbsSkinDriveComboBox::TbsSkinDriveComboBox(TComponent* owner) : TbsSkinComboBox(owner) {
    OnChange = [this](TObject*) { ComboDriveChanged(); };
    auto draw = [this](TCanvas* c, int index, int, int, TRect r, TOwnerDrawState) { DrawDriveItem(c, index, r); };
    OnComboBoxDrawItem = draw;
    SetOnListBoxDrawItem(draw);
    bsLoadDialogGlyph(&FloppyBMP, L"BS_FLOPPY");
    bsLoadDialogGlyph(&FixedBMP, L"BS_HARD");
    bsLoadDialogGlyph(&NetworkBMP, L"BS_NETWORK");
    bsLoadDialogGlyph(&CDROMBMP, L"BS_CDROM");
    bsLoadDialogGlyph(&RAMBMP, L"BS_RAM");
    const String cur = CurrentFolder();
    FDrive = cur.empty() || cur[0] == L'\\' ? 0 : static_cast<wchar_t>(std::towlower(cur[0]));
}

TbsSkinDriveComboBox::~TbsSkinDriveComboBox() {
    if (FDirList) FDirList->FDriveCombo = nullptr;
}

void TbsSkinDriveComboBox::CreateWnd() {
    TbsSkinComboBox::CreateWnd();
    RebuildItems();
    const wchar_t d = FDrive;
    FDrive = 0;
    SetDrive(d);
}

void TbsSkinDriveComboBox::AddDriveItem(const String& letter, const String& caption, TBitmap* picture) {
    Items()->AddObject(letter + L": " + caption, picture);
}

void TbsSkinDriveComboBox::RebuildItems() {
    Items()->Clear();
    const DWORD drives = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(drives & (1u << bit))) continue;
        wchar_t ch = static_cast<wchar_t>(L'a' + bit);
        if (FTextCase == tcUpperCase) ch = static_cast<wchar_t>(std::towupper(ch));
        const String letter(1, ch);
        const String root = letter + L":\\";
        switch (GetDriveTypeW(root.c_str())) {
        case DRIVE_REMOVABLE: Items()->AddObject(letter + L":", &FloppyBMP); break;
        case DRIVE_FIXED: AddDriveItem(letter, GetVolumeCaption(ch), &FixedBMP); break;
        case DRIVE_REMOTE: AddDriveItem(letter, GetNetworkDriveCaption(ch), &NetworkBMP); break;
        case DRIVE_CDROM: AddDriveItem(letter, GetVolumeCaption(ch), &CDROMBMP); break;
        case DRIVE_RAMDISK: AddDriveItem(letter, GetVolumeCaption(ch), &RAMBMP); break;
        default: break;
        }
    }
}

void TbsSkinDriveComboBox::SetDrive(wchar_t NewDrive) {
    if (ItemIndex() >= 0 && std::towlower(NewDrive) == std::towlower(FDrive)) return;
    if (NewDrive == 0) {
        FDrive = 0;
        SetItemIndex(-1);
    } else {
        FDrive = static_cast<wchar_t>(FTextCase == tcUpperCase ? std::towupper(NewDrive) : std::towlower(NewDrive));
        for (int i = 0; i < Items()->Count(); ++i) {
            const String s = Items()->Get(i);
            if (s.size() >= 2 && std::towlower(s[0]) == std::towlower(FDrive) && s[1] == L':') {
                SetItemIndex(i);
                break;
            }
        }
    }
    if (FDirList) FDirList->DriveChanged(FDrive);
    Change();
}

void TbsSkinDriveComboBox::SetTextCase(TTextCase v) {
    const wchar_t d = FDrive;
    FTextCase = v;
    RebuildItems();
    FDrive = 0;
    SetDrive(d);
}

void TbsSkinDriveComboBox::SetDirList(TbsSkinDirectoryListBox* v) {
    if (FDirList == v) return;
    if (FDirList) FDirList->FDriveCombo = nullptr;
    FDirList = v;
    if (!v) return;
    FreeNotification(v);
    v->FDriveCombo = this;
}

void TbsSkinDriveComboBox::Notification(TComponent* component, TOperation op) {
    TbsSkinComboBox::Notification(component, op);
    if (op == opRemove && component == FDirList) FDirList = nullptr;
}

void TbsSkinDriveComboBox::ComboDriveChanged() {
    const int i = ItemIndex();
    if (i < 0) return;
    const String s = Items()->Get(i);
    if (!s.empty()) SetDrive(s[0]);
}

void TbsSkinDriveComboBox::DrawDriveItem(TCanvas* Cnvs, int Index, TRect TxtRect) {
    if (Index < 0 || Index >= Items()->Count()) return;
    auto* picture = dynamic_cast<TBitmap*>(Items()->GetObject(Index));
    int pw = 0;
    if (picture && !picture->Empty()) {
        pw = picture->Width();
        DrawTransparent(Cnvs, TxtRect.left, (TxtRect.top + TxtRect.bottom - picture->Height()) / 2, picture);
    }
    Cnvs->Brush()->SetStyle(bsClear);
    Cnvs->TextOut(TxtRect.left + pw + 6, TxtRect.top + TxtRect.Height() / 2 - Cnvs->TextHeight(L"Wg") / 2,
                  Items()->Get(Index));
}

// ---- TbsSkinDirectoryListBox ------------------------------------------------------------------------

TbsSkinDirectoryListBox::TbsSkinDirectoryListBox(TComponent* owner) : TbsSkinListBox(owner) {
    OnDrawItem = [this](TCanvas* c, int index, int, int, TRect r, TOwnerDrawState) { DrawFolderItem(c, index, r); };
    SetWidth(145);
    SetSorted(false);
    LoadFolderBitmaps();
    FDirectory = FullFolder(CurrentFolder(), CurrentFolder());
    RebuildItems();
}

TbsSkinDirectoryListBox::~TbsSkinDirectoryListBox() {
    if (FDriveCombo) FDriveCombo->FDirList = nullptr;
    if (FFileList) FFileList->FDirList = nullptr;
}

void TbsSkinDirectoryListBox::LoadFolderBitmaps() {
    bsLoadDialogGlyph(&OpenedBMP, L"BS_OPENFOLDER");
    bsLoadDialogGlyph(&ClosedBMP, L"BS_CLOSEDFOLDER");
    bsLoadDialogGlyph(&CurrentBMP, L"BS_CURRENTFOLDER");
}

void TbsSkinDirectoryListBox::CreateWnd() {
    TbsSkinListBox::CreateWnd();
    RebuildItems();
}

void TbsSkinDirectoryListBox::RebuildItems() {
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    const String drive = ExtractFileDrive(FDirectory);
    const String root = drive + L"\\";
    DWORD flags = 0;
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) flags = 0;
    FPreserveCase = (flags & (FILE_CASE_PRESERVED_NAMES | FILE_CASE_SENSITIVE_SEARCH)) != 0;
    FCaseSensitive = (flags & FILE_CASE_SENSITIVE_SEARCH) != 0;
    String rest = FDirectory;
    int level = 0;
    if (root.size() > 1 && root[1] == L'\\') {
        items->AddObject(root, &OpenedBMP);
        level = 1;
        rest = FDirectory.size() > root.size() ? FDirectory.substr(root.size()) : String();
    }
    if (!rest.empty()) {
        if (rest.back() != L'\\') {
            for (size_t p = rest.find(L'\\'); p != String::npos; p = rest.find(L'\\')) {
                String row = rest.substr(0, p);
                if (level == 0) row += L"\\";
                rest.erase(0, p + 1);
                items->AddObject(row, &OpenedBMP);
                ++level;
            }
        }
        items->AddObject(rest, &CurrentBMP);
    }
    const int newSelect = items->Count() - 1;
    TStringList names;
    names.SetSorted(true);
    TSearchRec f;
    for (int r = FindFirst(AppendPathItem(FDirectory, L"*.*"), faDirectory, f); r == 0; r = FindNext(f))
        if ((f.Attr & faDirectory) && f.Name != L"." && f.Name != L"..") names.Add(f.Name);
    FindClose(f);
    for (int i = 0; i < names.Count(); ++i) items->AddObject(names.Get(i), &ClosedBMP);
    items->EndUpdate();
    if (HandleAllocated()) SetItemIndex(newSelect);
    UpDateScrollBar();
}

void TbsSkinDirectoryListBox::RowIndent(int Index, int& indent, int& pictureWidth, TBitmap*& picture) const {
    picture = dynamic_cast<TBitmap*>(const_cast<TbsSkinDirectoryListBox*>(this)->Items()->GetObject(Index));
    pictureWidth = 16;
    indent = Index * 4 + 2;
    if (!picture) return;
    if (picture == &ClosedBMP) indent = PathDepth(FDirectory) * 4 + 6;
    pictureWidth = picture->Width();
}

void TbsSkinDirectoryListBox::DrawFolderItem(TCanvas* Cnvs, int Index, TRect TxtRect) {
    if (Index < 0 || Index >= Items()->Count()) return;
    int indent, w;
    TBitmap* picture;
    RowIndent(Index, indent, w, picture);
    // Rows move with the sideways scrolling.
    const int shift = ListBox->HorizontalExtentValue;
    if (picture)
        DrawTransparent(Cnvs, TxtRect.left + indent - shift, (TxtRect.top + TxtRect.bottom - picture->Height()) / 2,
                        picture);
    Cnvs->Brush()->SetStyle(bsClear);
    const String text = Items()->Get(Index);
    Cnvs->TextOut(TxtRect.left + w + indent - shift + 4 + 2,
                  TxtRect.top + (TxtRect.Height() - Cnvs->TextHeight(text)) / 2, text);
}

int TbsSkinDirectoryListBox::GetItemWidth(int index, TCanvas* canvas) {
    int indent, w;
    TBitmap* picture;
    RowIndent(index, indent, w, picture);
    return TbsSkinListBox::GetItemWidth(index, canvas) + (picture ? w + indent + 4 : index * 4 + 22);
}

String TbsSkinDirectoryListBox::GetItemPath(int Index) const {
    auto* self = const_cast<TbsSkinDirectoryListBox*>(this);
    TStrings* items = self->Items();
    if (Index < 0 || Index >= items->Count()) return String();
    const String drive = ExtractFileDrive(FDirectory);
    if (Index == 0) return drive + L"\\";
    TObject* kind = items->GetObject(Index);
    if (kind == &ClosedBMP) return AppendPathItem(FDirectory, items->Get(Index));
    if (kind == &CurrentBMP) return FDirectory;
    const String rest = FDirectory.substr(drive.size());
    size_t pos = 0;
    int seen = 0;
    for (; pos < rest.size(); ++pos)
        if (rest[pos] == L'\\' && ++seen == Index + 1) break;
    return drive + rest.substr(0, pos);
}

void TbsSkinDirectoryListBox::SetDirectory(const String& NewDirectory) {
    if (NewDirectory.empty() || FileCompareText(NewDirectory, FDirectory) == 0) return;
    const String target = FullFolder(FDirectory, NewDirectory);
    if (!IsExistingDirectory(target)) RaiseInOutError(ERROR_PATH_NOT_FOUND);
    const wchar_t newDrive = target.size() >= 2 && target[1] == L':' ? target[0] : 0;
    const wchar_t oldDrive = FDirectory.empty() ? 0 : FDirectory[0];
    if (std::towlower(newDrive) != std::towlower(oldDrive)) {
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{FInSetDir};
        FInSetDir = true;
        if (FDriveCombo) FDriveCombo->SetDrive(newDrive);
        else DriveChanged(newDrive);
    }
    EnterFolder(target);
}

void TbsSkinDirectoryListBox::DriveChanged(wchar_t NewDrive) {
    const wchar_t cur = FDirectory.empty() ? 0 : FDirectory[0];
    if (std::towlower(NewDrive) == std::towlower(cur)) return;
    if (NewDrive != 0) {
        // A drive that is not ready leaves the folder as it is.
        const String folder = DriveCurrentFolder(NewDrive);
        if (!folder.empty() && IsExistingDirectory(folder)) FDirectory = FullFolder(folder, folder);
    }
    if (!FInSetDir) {
        RebuildItems();
        Change();
    }
}

void TbsSkinDirectoryListBox::EnterFolder(const String& Path) {
    FDirectory = EnterableFolder(FDirectory, Path);
    RebuildItems();
    Change();
}

void TbsSkinDirectoryListBox::Change() {
    if (FFileList) FFileList->FolderChanged(FDirectory);
    UpdateDirLabel();
    if (OnChange) OnChange(this);
}

void TbsSkinDirectoryListBox::UpdateDirLabel() {
    if (!FDirLabel) return;
    const int w = FDirLabel->AutoSize() ? Width() : FDirLabel->Width();
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(FDirLabel->Font());
    FDirLabel->SetCaption(ShortenPathToWidth(FDirectory, measure.Canvas(), w));
}

void TbsSkinDirectoryListBox::SetDirLabel(TbsSkinStdLabel* v) {
    FDirLabel = v;
    if (v) FreeNotification(v);
    UpdateDirLabel();
}

void TbsSkinDirectoryListBox::SetFileList(TbsSkinFileListBox* v) {
    if (FFileList == v) return;
    if (FFileList) FFileList->FDirList = nullptr;
    FFileList = v;
    if (!v) return;
    FreeNotification(v);
    v->FDirList = this;
}

void TbsSkinDirectoryListBox::Notification(TComponent* component, TOperation op) {
    TbsSkinListBox::Notification(component, op);
    if (op != opRemove) return;
    if (component == FFileList) FFileList = nullptr;
    if (component == FDriveCombo) FDriveCombo = nullptr;
    if (component == FDirLabel) FDirLabel = nullptr;
}

void TbsSkinDirectoryListBox::OpenCurrent() { SetDirectory(GetItemPath(ItemIndex())); }

void TbsSkinDirectoryListBox::UpdateList() {
    RebuildItems();
    Change();
}

void TbsSkinDirectoryListBox::ListBoxDblClick() {
    TbsSkinListBox::ListBoxDblClick();
    OpenCurrent();
}

void TbsSkinDirectoryListBox::ListBoxKeyPress(wchar_t& key) {
    TbsSkinListBox::ListBoxKeyPress(key);
    if (key == L'\r') OpenCurrent();
}

wchar_t TbsSkinDirectoryListBox::Drive() const { return FDirectory.empty() ? 0 : FDirectory[0]; }

void TbsSkinDirectoryListBox::SetDrive(wchar_t v) {
    if (std::towlower(v) == std::towlower(Drive())) return;
    SetDirectory(String(1, v) + L":");
}

String TbsSkinDirectoryListBox::DisplayCase(const String& S) const {
    return FPreserveCase || FCaseSensitive ? S : AnsiLowerCase(S);
}

int TbsSkinDirectoryListBox::FileCompareText(const String& A, const String& B) const {
    return FCaseSensitive ? AnsiCompareStr(A, B) : AnsiCompareText(A, B);
}

// ---- TbsSkinFileListBox -------------------------------------------------------------------------------

TbsSkinFileListBox::TbsSkinFileListBox(TComponent* owner) : TbsSkinListBox(owner) {
    SetWidth(145);
    FDirectory = FullFolder(CurrentFolder(), CurrentFolder());
    SetSorted(true);
}

TbsSkinFileListBox::~TbsSkinFileListBox() {
    if (FDirList) FDirList->FFileList = nullptr;
}

void TbsSkinFileListBox::CreateWnd() {
    TbsSkinListBox::CreateWnd();
    ReadFiles();
}

void TbsSkinFileListBox::UpdateList() { ReadFiles(); }

void TbsSkinFileListBox::ReadFiles() {
    if (!HandleAllocated()) return;
    int attr = 0;
    const int bits[] = {faReadOnly, faHidden, faSysFile, faVolumeID, faDirectory, faArchive};
    for (int i = 0; i < 6; ++i)
        if (FFileType & (1u << i)) attr |= bits[i];
    if (!IsExistingDirectory(FDirectory)) RaiseInOutError(ERROR_PATH_NOT_FOUND);
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    {
        // The cursor and the list's drawing come back on every way out.
        struct Restore {
            TCursor cursor;
            TStrings* items;
            ~Restore() {
                Screen->SetCursor(cursor);
                items->EndUpdate();
            }
        } restore{Screen->Cursor, items};
        String rest = FMask;
        while (true) {
            const size_t semi = rest.find(L';');
            const String pattern = rest.substr(0, semi);
            if (!pattern.empty()) AddMatches(pattern, attr);
            if (semi == String::npos) break;
            rest.erase(0, semi + 1);
        }
    }
    Change();
}

void TbsSkinFileListBox::AddMatches(const String& pattern, int attr) {
    TStrings* items = Items();
    TSearchRec f;
    for (int r = FindFirst(AppendPathItem(FDirectory, pattern), attr, f); r == 0; r = FindNext(f)) {
        if (!(FFileType & bsftNormal) && !(f.Attr & attr)) continue;
        if (f.Attr & faDirectory) items->Add(L"[" + f.Name + L"]");
        else items->Add(f.Name);
        if (items->Count() == 100) Screen->SetCursor(crHourGlass);
    }
    FindClose(f);
}

void TbsSkinFileListBox::Change() {
    FLastSel = ItemIndex();
    if (FFileEdit) {
        const String name = GetSelectedName();
        FFileEdit->SetText(name.empty() ? FMask : name);
        FFileEdit->SelectAll();
    }
    if (OnChange) OnChange(this);
}

void TbsSkinFileListBox::ListBoxClick() {
    TbsSkinListBox::ListBoxClick();
    if (ItemIndex() != FLastSel) Change();
}

String TbsSkinFileListBox::GetSelectedName() {
    const int i = ItemIndex();
    if (i < 0 || i >= Items()->Count()) return String();
    return Items()->Get(i);
}

String TbsSkinFileListBox::FileName() {
    const String name = GetSelectedName();
    return name.empty() ? String() : AppendPathItem(FDirectory, name);
}

void TbsSkinFileListBox::SelectFileName(const String& Name) {
    if (SameFileName(Name, GetSelectedName())) return;
    int found = -1;
    for (int i = 0; i < Items()->Count(); ++i)
        if (SameText(Items()->Get(i), Name)) {
            found = i;
            break;
        }
    SetItemIndex(found);
    Change();
}

void TbsSkinFileListBox::FolderChanged(const String& Path) {
    if (SameFileName(Path, FDirectory)) return;
    FDirectory = EnterableFolder(FDirectory, Path);
    ReadFiles();
}

void TbsSkinFileListBox::ApplyFilePath(const String& EditText) {
    if (EditText.empty() || SameFileName(EditText, FileName())) return;
    const TEditPathParts parts = SplitEditPath(EditText, FDirectory);
    const String folder = parts.Drive ? String(1, parts.Drive) + L":" + parts.DirPart : parts.DirPart;
    if (FDirList) FDirList->SetDirectory(folder.empty() ? FDirectory : folder);
    else FolderChanged(folder.empty() ? FDirectory : folder);
    const String& file = parts.FilePart;
    if (file.find_first_of(L"*?") != String::npos) {
        SetMask(file);
    } else if (!file.empty()) {
        SelectFileName(file);
        if (FileExists(AppendPathItem(FDirectory, file)) && ItemIndex() < 0) {
            SetMask(file);
            SelectFileName(file);
        }
    }
}

wchar_t TbsSkinFileListBox::Drive() const { return FDirectory.empty() ? 0 : FDirectory[0]; }

void TbsSkinFileListBox::SetDrive(wchar_t v) {
    if (std::towlower(v) == std::towlower(Drive())) return;
    ApplyFilePath(String(1, v) + L":");
}

void TbsSkinFileListBox::SetFileEdit(TEdit* v) {
    FFileEdit = v;
    if (!v) return;
    FreeNotification(v);
    const String name = GetSelectedName();
    v->SetText(name.empty() ? FMask : name);
}

void TbsSkinFileListBox::SetFileType(TbsFileType v) {
    if (v == FFileType) return;
    FFileType = v;
    ReadFiles();
}

void TbsSkinFileListBox::SetMask(const String& v) {
    if (v == FMask) return;
    FMask = v;
    ReadFiles();
}

void TbsSkinFileListBox::SetFilterCombo(TComponent* v) {
    FFilterCombo = v;
    if (v) FreeNotification(v);
}

void TbsSkinFileListBox::Notification(TComponent* component, TOperation op) {
    TbsSkinListBox::Notification(component, op);
    if (op != opRemove) return;
    if (component == FFileEdit) FFileEdit = nullptr;
    if (component == FDirList) FDirList = nullptr;
    if (component == FFilterCombo) FFilterCombo = nullptr;
}
