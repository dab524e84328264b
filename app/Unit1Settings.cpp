// The output folder and the skin of the main window, and their rows in
// "option.ini".
#include "app/OptionIni.h"
#include "app/Unit1.h"
#include "platform/SysUtils.h"
#include "skin/bsSkinData.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"

namespace {

constexpr const wchar_t* kDefaultOutputFolder = L"C:\\Vantrel视频软件\\输出";
constexpr const wchar_t* kOutputFolderTitle = L"选择输出目录";

// A whole decimal number (an optional sign, then digits only).
bool ParseDecimal(const String& text, int& value) {
    if (text.empty()) return false;
    size_t i = text[0] == L'-' || text[0] == L'+' ? 1 : 0;
    if (i == text.size() || text.size() - i > 9) return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < L'0' || text[k] > L'9') return false;
    value = std::stoi(text);
    return true;
}

}  // namespace

void TForm1::ShowOutputFolder(const String& folder) {
    Video_OutPut_Folder_Edit->SetText(folder);
    FileOutPutPath = folder;
}

// The stored folder (created when missing); otherwise the default folder,
// created and stored.
void TForm1::Button17Click(TObject*) {
    try {
        const String stored = optionini::Exists() ? optionini::Read(L"OutPath", L"OutPath") : String();
        if (!optionini::IsUnset(stored)) {
            if (!DirectoryExists(stored)) ForceDirectories(stored);
            ShowOutputFolder(stored);
            return;
        }
    } catch (const std::exception& e) {
        LogCaught(L"reading the output folder", e);
    }
    if (!DirectoryExists(kDefaultOutputFolder)) ForceDirectories(kDefaultOutputFolder);
    ShowOutputFolder(kDefaultOutputFolder);
    optionini::Write(L"OutPath", L"OutPath", kDefaultOutputFolder);
}

void TForm1::Button16Click(TObject*) {
    if (DirectoryExists(FileOutPutPath)) optionini::Write(L"OutPath", L"OutPath", FileOutPutPath);
}

// "浏览...": only a folder chosen with OK is applied and stored.
void TForm1::bsSkinButton5Click(TObject*) {
    try {
        ChooseOutputFolder();
    } catch (const std::exception& e) {
        LogCaught(L"choosing the output folder", e);
    }
}

void TForm1::ChooseOutputFolder() {
    String folder = FileOutPutPath;
    if (!SelectFolder(kOutputFolderTitle, folder) || !DirectoryExists(folder)) return;
    ShowOutputFolder(folder);
    Button16Click(Button16);
    FocusQueue();
}

// "打开": the folder in the edit, with the shell.
void TForm1::bsSkinButton6Click(TObject* sender) {
    Button20Click(sender);
    FocusQueue();
}

void TForm1::Video_OutPut_Folder_EditClick(TObject*) { FocusQueue(); }

// ---- skins ---------------------------------------------------------------------------------

// The stored skin index. A first start stores "0" and keeps the skin; a
// value that is not a whole number is repaired to "0" and skin 0 applied.
void TForm1::Button3Click(TObject*) {
    if (!optionini::Exists()) {
        optionini::Write(L"Skin", L"SetSkin", L"0");
        return;
    }
    const String stored = optionini::Read(L"Skin", L"SetSkin");
    int index = 0;
    if (!optionini::IsUnset(stored) && ParseDecimal(stored, index)) {
        bsSkinData1->SetSkinIndex(index);
        return;
    }
    optionini::Write(L"Skin", L"SetSkin", L"0");
    bsSkinData1->SetSkinIndex(0);
}

void TForm1::Button4Click(TObject*) {
    optionini::Write(L"Skin", L"SetSkin", std::to_wstring(bsSkinData1->CompressedSkinIndex()));
}

void TForm1::ChooseSkin() {
    int selected = -1;
    if (SelectSkin(bsSkinData1->CompressedSkinIndex(), selected)) bsSkinData1->SetSkinIndex(selected);
    Button4Click(Button4);
}

void TForm1::N23Click(TObject*) {
    try {
        ChooseSkin();
    } catch (const std::exception& e) {
        LogCaught(L"choosing the skin", e);
    }
}

void TForm1::bsSkinButton9Click(TObject* sender) { N23Click(sender); }

// ---- activation and the folder in the edit --------------------------------------------------

// The format list takes the focus whenever the window becomes active.
void TForm1::FormActivate(TObject*) {
    try {
        if (bsSkinOfficeComboBox1->CanFocus()) bsSkinOfficeComboBox1->SetFocus();
    } catch (const std::exception& e) {
        LogCaught(L"FormActivate", e);
    }
}

void TForm1::Button20Click(TObject*) { OpenWithShell(Video_OutPut_Folder_Edit->GetText()); }
