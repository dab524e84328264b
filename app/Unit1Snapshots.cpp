// Snapshots of the previewed frame: the picture file (BMP, JPG, GIF or PNG)
// in the snapshot folder under the previewed file's name and the first free
// number, the type and folder kept in "option.ini" ("SnapShot"), the
// settings menu of the preview's "设置" button, and the hidden capture
// command with its save-picture dialog.
#include <windows.h>
// windows.h first
#include <commdlg.h>

#include "app/OptionIni.h"
#include "app/Unit1.h"
#include "platform/Bitmap.h"
#include "platform/GifImage.h"
#include "platform/JpegImage.h"
#include "platform/Menus.h"
#include "platform/PngImage.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "skin/boxes/bsMessages.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/frame/bsSkinMenus.h"

namespace {

constexpr const wchar_t* kDefaultSnapshotFolder = L"C:\\Vantrel视频软件\\快照";
constexpr const wchar_t* kSnapshotFolderTitle = L"选择输出目录";

// The picture types, as stored in "SnapShot"/"Picture", with their extensions.
struct TSnapshotType {
    const wchar_t* Name;
    const wchar_t* Ext;
};
constexpr TSnapshotType kPictureTypes[] = {{L"BMP", L".bmp"}, {L"JPG", L".jpg"}, {L"GIF", L".gif"}, {L"PNG", L".png"}};

const TSnapshotType* FindPictureType(const String& name) {
    for (const TSnapshotType& t : kPictureTypes)
        if (name == t.Name) return &t;
    return nullptr;
}

// The frame the player shows, copied: the player keeps its own picture.
void CopyCurrentFrame(TZADovovi* player, TBitmap& copy) {
    if (TBitmap* frame = player->CurrentFrame()) copy.Assign(frame);
}

// Saves a bitmap as a picture of another kind, with that kind's defaults.
template <class TImage>
void SaveConverted(TBitmap& frame, const String& fileName) {
    TImage picture;
    picture.Assign(&frame);
    picture.SaveToFile(fileName);
}

void SavePicture(TBitmap& frame, const String& type, const String& fileName) {
    if (type == L"JPG") SaveConverted<TJPEGImage>(frame, fileName);
    else if (type == L"GIF") SaveConverted<TGIFImage>(frame, fileName);
    else if (type == L"PNG") SaveConverted<TPngImage>(frame, fileName);
    else frame.SaveToFile(fileName);
}

// A picture that could not be written, told in the skinned message dialog.
void ReportFailure(TbsSkinData* store, const std::exception& e) {
    TbsSkinMessage message(nullptr);
    message.SetSkinData(store);
    message.SetCtrlSkinData(store);
    const auto* failure = dynamic_cast<const Exception*>(&e);
    const String text = failure ? failure->Message() : Utf8Decode(e.what());
    message.MessageDlg2(text, Application->Title(), mtError, MsgButtons({mbOK}), 0);
}

// The system's save-picture dialog of the capture command.
bool ShowSavePictureDialog(HWND owner, String& fileName) {
    wchar_t name[MAX_PATH * 2] = {};
    static const wchar_t filter[] = L"Bitmaps (*.bmp)\0*.bmp\0JPEG Image File \0*.jpg;*.jpeg\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = static_cast<DWORD>(std::size(name));
    ofn.lpstrDefExt = L"bmp";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXTENSIONDIFFERENT | OFN_PATHMUSTEXIST |
                OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn)) return false;
    fileName = name;
    return true;
}

}  // namespace

// The settings menu: open and choose the folder, and the picture types as
// one radio group, BMP ticked.
void TForm1::CreateSnapshotMenu() {
    bsSkinPopupMenu2 = new TbsSkinPopupMenu(this);
    bsSkinPopupMenu2->SetName(L"bsSkinPopupMenu2");
    bsSkinPopupMenu2->SetSkinData(bsSkinData1);
    auto item = [this](TMenuItem* parent, const wchar_t* name, const wchar_t* caption, TNotifyEvent click) {
        auto* entry = new TMenuItem(this);
        entry->SetName(name);
        entry->SetCaption(caption);
        entry->OnClick = std::move(click);
        parent->Add(entry);
        return entry;
    };
    TMenuItem* root = bsSkinPopupMenu2->Items();
    MenuItem1 = item(root, L"MenuItem1", L"打开快照目录", [this](TObject* s) { MenuItem1Click(s); });
    MenuItem2 = item(root, L"MenuItem2", L"设置快照目录", [this](TObject* s) { MenuItem2Click(s); });
    item(root, L"N28", L"-", nullptr);
    N27 = item(root, L"N27", L"快照保存类型", nullptr);
    BMP1 = item(N27, L"BMP1", L"BMP文件", [this](TObject* s) { BMP1Click(s); });
    JPG1 = item(N27, L"JPG1", L"JPG文件", [this](TObject* s) { JPG1Click(s); });
    GIF1 = item(N27, L"GIF1", L"GIF文件", [this](TObject* s) { GIF1Click(s); });
    PNG1 = item(N27, L"PNG1", L"PNG文件", [this](TObject* s) { PNG1Click(s); });
    for (TMenuItem* entry : {BMP1, JPG1, GIF1, PNG1}) {
        entry->SetRadioItem(true);
        entry->SetGroupIndex(1);
    }
    BMP1->SetChecked(true);
    SavePictureDialog1 = [this](String& fileName) { return ShowSavePictureDialog(Handle(), fileName); };
}

// ---- the stored settings ----------------------------------------------------------------------

// The stored folder, created with its missing parents when it does not
// exist; without one the default folder, created and stored.
String TForm1::SnapshotFolder() {
    if (optionini::Exists()) {
        const String stored = optionini::Read(L"SnapShot", L"Dir");
        if (!optionini::IsUnset(stored)) {
            if (!DirectoryExists(stored)) ForceDirectories(stored);
            return stored;
        }
    }
    if (!DirectoryExists(kDefaultSnapshotFolder)) ForceDirectories(kDefaultSnapshotFolder);
    optionini::Write(L"SnapShot", L"Dir", kDefaultSnapshotFolder);
    return kDefaultSnapshotFolder;
}

// The stored type, its entry ticked; anything else (the file or the value
// missing, or a value not spelt exactly as one of the four) becomes "BMP".
String TForm1::SnapshotType() {
    const String stored = optionini::Exists() ? optionini::Read(L"SnapShot", L"Picture") : String();
    const TSnapshotType* type = FindPictureType(stored);
    if (!type) {
        optionini::Write(L"SnapShot", L"Picture", L"BMP");
        type = &kPictureTypes[0];
    }
    TMenuItem* entries[] = {BMP1, JPG1, GIF1, PNG1};
    entries[type - kPictureTypes]->SetChecked(true);
    return type->Name;
}

void TForm1::ChooseSnapshotType(const wchar_t* type) {
    optionini::Write(L"SnapShot", L"Picture", type);
    TMenuItem* entries[] = {BMP1, JPG1, GIF1, PNG1};
    entries[FindPictureType(type) - kPictureTypes]->SetChecked(true);
}

// ---- the snapshot -------------------------------------------------------------------------------

// A picture that cannot be written is told to the user.
void TForm1::bsSkinButton22Click(TObject*) {
    try {
        TakeSnapshot();
    } catch (const std::exception& e) {
        LogCaught(L"snapshot", e);
        ReportFailure(bsSkinData1, e);
    }
}

void TForm1::TakeSnapshot() {
    TBitmap frame;
    CopyCurrentFrame(ZADovovi, frame);
    const String folder = IncludeTrailingPathDelimiter(SnapshotFolder());
    const String type = SnapshotType();
    if (frame.Width() == 0) return;
    const String base = ChangeFileExt(ExtractFileName(T_Movie_PLayer_FileName), String());
    const String ext = FindPictureType(type)->Ext;
    String name;
    for (int n = 1;; ++n) {
        name = folder + base + L"_" + std::to_wstring(n) + ext;
        if (!FileExists(name)) break;
    }
    SavePicture(frame, type, name);
}

// ---- the settings button and its menu --------------------------------------------------------

void TForm1::bsSkinButton23MouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
    if (button != mbLeft) return;
    POINT at{};
    GetCursorPos(&at);
    bsSkinPopupMenu2->Popup(at.x, at.y);
}

void TForm1::bsSkinButton23Click(TObject*) {
    try {
        SnapshotType();
    } catch (const std::exception& e) {
        LogCaught(L"reading the snapshot type", e);
    }
}

void TForm1::BMP1Click(TObject*) { ChooseSnapshotType(L"BMP"); }
void TForm1::JPG1Click(TObject*) { ChooseSnapshotType(L"JPG"); }
void TForm1::GIF1Click(TObject*) { ChooseSnapshotType(L"GIF"); }
void TForm1::PNG1Click(TObject*) { ChooseSnapshotType(L"PNG"); }

// "打开快照目录": the folder with the shell.
void TForm1::MenuItem1Click(TObject*) {
    try {
        OpenWithShell(SnapshotFolder());
    } catch (const std::exception& e) {
        LogCaught(L"opening the snapshot folder", e);
    }
}

// "设置快照目录": only a folder chosen with OK is stored.
void TForm1::MenuItem2Click(TObject*) {
    try {
        ChooseSnapshotFolder();
    } catch (const std::exception& e) {
        LogCaught(L"choosing the snapshot folder", e);
    }
}

void TForm1::ChooseSnapshotFolder() {
    String folder = optionini::Exists() ? optionini::Read(L"SnapShot", L"Dir") : String();
    if (optionini::IsUnset(folder)) folder = kDefaultSnapshotFolder;
    if (!SelectFolder(kSnapshotFolderTitle, folder) || !DirectoryExists(folder)) return;
    optionini::Write(L"SnapShot", L"Dir", folder);
}

// ---- capture --------------------------------------------------------------------------------

void TForm1::btnCaptureClick(TObject*) {
    try {
        CaptureFrame();
    } catch (const std::exception& e) {
        LogCaught(L"capture", e);
        ReportFailure(bsSkinData1, e);
    }
}

// A ".bmp" name (any case) is saved as a bitmap, any other as a JPEG picture.
void TForm1::CaptureFrame() {
    TBitmap frame;
    CopyCurrentFrame(ZADovovi, frame);
    String name;
    if (frame.Width() == 0 || !SavePictureDialog1(name)) return;
    SavePicture(frame, SameText(ExtractFileExt(name), L".bmp") ? L"BMP" : L"JPG", name);
}
