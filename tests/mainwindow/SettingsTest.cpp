// "option.ini" as the main window and the options dialog read, repair and
// write it, the options dialog's OK and Cancel, and the output-folder and
// skin commands.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "app/StartUp.h"
#include "app/Unit6.h"
#include "Src/DIzizuZUR.h"
#include "app/OutputFileName.h"
#include "platform/Timer.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"

namespace mainwindowtest {
namespace {

constexpr const wchar_t* kDefaultFolder = L"C:\\Vantrel视频软件\\输出";

using SettingsTest = MainWindowTest;

// Runs what a user does in the options dialog once its modal loop runs.
class WhileShown {
public:
    explicit WhileShown(std::function<void()> act) : timer_(nullptr) {
        timer_.SetInterval(30);
        timer_.OnTimer = [this, act](TObject*) {
            timer_.SetEnabled(false);
            act();
        };
        timer_.SetEnabled(true);
    }

private:
    TTimer timer_;
};

// A settings file that holds every key with a valid value.
std::wstring ValidIni(const std::wstring& options, const std::wstring& skin = L"2") {
    return L"[OutPath]\r\nOutPath=" + std::wstring(kDefaultFolder) + L"\r\n[Skin]\r\nSetSkin=" + skin +
           L"\r\n[Options]\r\n" + options;
}

TEST_F(SettingsTest, FirstStartWritesEveryKeyInOrderAndTakesTheDefaults) {
    StartWindows();
    EXPECT_EQ(IniLines(), (std::vector<std::wstring>{
                              L"[OutPath]", L"OutPath=C:\\Vantrel视频软件\\输出", L"[Skin]", L"SetSkin=0",
                              L"[Options]", L"Thread_Count=0", L"After_Done=0", L"Thread_Priority=3",
                              L"Overwrite_File=1", L"Show_Preview=0"}));
    EXPECT_TRUE(DirectoryExists(kDefaultFolder));
    EXPECT_EQ(Form1->FileOutPutPath, kDefaultFolder);
    EXPECT_EQ(Form1->Video_OutPut_Folder_Edit->GetText(), kDefaultFolder);
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 0);
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox1->Checked());
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox12->Checked());
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox6->Checked());
    EXPECT_FALSE(Form5->bsSkinCheckRadioBox8->Checked());
    EXPECT_FALSE(Form1->ROREZ->Preview());
    EXPECT_EQ(Form5->bsSkinComboBox2->GetText(), L"1");
}

// Each case: one stored value, what the file holds after start-up, and the
// box that must be ticked (0: none to check).
struct RepairCase {
    const char* name;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* stored;
    const wchar_t* after;
    int tickedBox;
};

class RepairTest : public MainWindowTest, public ::testing::WithParamInterface<RepairCase> {};

TEST_P(RepairTest, BadValueIsRepairedAndTheDefaultChosen) {
    const RepairCase& c = GetParam();
    std::wstring options = L"Thread_Count=0\r\nAfter_Done=0\r\nShow_Preview=0\r\nThread_Priority=3\r\nOverwrite_File=1\r\n";
    std::wstring text = ValidIni(options);
    const std::wstring line = std::wstring(c.key) + L"=";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::wstring::npos);
    text.replace(at, text.find(L"\r\n", at) - at, line + c.stored);
    WriteIni(text);
    StartWindows();
    EXPECT_EQ(optionini::Read(c.section, c.key), c.after);
    switch (c.tickedBox) {
    case 1: EXPECT_TRUE(Form5->bsSkinCheckRadioBox1->Checked()); break;
    case 12: EXPECT_TRUE(Form5->bsSkinCheckRadioBox12->Checked()); break;
    case 6: EXPECT_TRUE(Form5->bsSkinCheckRadioBox6->Checked()); break;
    case 8: EXPECT_FALSE(Form5->bsSkinCheckRadioBox8->Checked()); break;
    default: break;
    }
    // A repaired count selects one file at a time.
    if (std::wstring(c.key) == L"Thread_Count") {
        EXPECT_EQ(Form5->bsSkinComboBox2->GetText(), L"1");
        EXPECT_EQ(Form5->ThreadCount(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, RepairTest,
    ::testing::Values(RepairCase{"ThreadCountText", L"Options", L"Thread_Count", L"abc", L"0", 0},
                      RepairCase{"ThreadCountTooMany", L"Options", L"Thread_Count", L"20", L"0", 0},
                      RepairCase{"ThreadCountEmpty", L"Options", L"Thread_Count", L"", L"0", 0},
                      RepairCase{"AfterDone", L"Options", L"After_Done", L"9", L"0", 1},
                      RepairCase{"AfterDoneError", L"Options", L"After_Done", L"Error", L"0", 1},
                      RepairCase{"Priority", L"Options", L"Thread_Priority", L"7", L"3", 12},
                      RepairCase{"PriorityPadded", L"Options", L"Thread_Priority", L"03", L"3", 12},
                      RepairCase{"Overwrite", L"Options", L"Overwrite_File", L"yes", L"1", 6},
                      RepairCase{"Preview", L"Options", L"Show_Preview", L"2", L"0", 8},
                      RepairCase{"SkinText", L"Skin", L"SetSkin", L"blue", L"0", 0},
                      RepairCase{"SkinEmpty", L"Skin", L"SetSkin", L"", L"0", 0},
                      RepairCase{"OutPathError", L"OutPath", L"OutPath", L"Error", kDefaultFolder, 0}),
    [](const ::testing::TestParamInfo<RepairCase>& info) { return std::string(info.param.name); });

// A stored count is shown as stored; "0" (what the repairs write) shows 1.
TEST_F(SettingsTest, ThreadCountIsReadBackAsWritten) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"1", L"1"}, {L"4", L"4"}, {L"19", L"19"}, {L"0", L"1"}};
    for (const auto& [stored, shown] : cases) {
        WriteIni(ValidIni(L"Thread_Count=" + std::wstring(stored) + L"\r\n"));
        StartWindows();
        EXPECT_EQ(Form5->bsSkinComboBox2->GetText(), shown) << Narrow(stored);
        EXPECT_EQ(optionini::Read(L"Options", L"Thread_Count"), stored);
        EXPECT_EQ(Form5->ThreadCount(), std::stoi(shown));
        CloseWindows();
    }
}

TEST_F(SettingsTest, NonNumericSkinAppliesSkinZeroAndStartUpGoesOn) {
    WriteIni(ValidIni(L"", L"x7"));
    StartWindows();
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 0);
    EXPECT_FALSE(Form1->bsSkinData1->Empty);
    EXPECT_EQ(Form1->All_Trant_Number, 2700);  // the catalogue was filled after it
}

TEST_F(SettingsTest, SkinOutsideTheListChangesNothingAndStays) {
    WriteIni(ValidIni(L"", L"9"));
    StartWindows();
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 1);
    EXPECT_EQ(optionini::Read(L"Skin", L"SetSkin"), L"9");
}

// OK writes the keys in the save order; the options had been removed from
// the file beforehand so the order shows.
TEST_F(SettingsTest, OkWritesTheOptionsInSaveOrder) {
    WriteIni(ValidIni(L""));
    StartWindows();
    WriteIni(ValidIni(L""));
    Form5->bsSkinComboBox2->SetItemIndex(3);
    Form5->bsSkinCheckRadioBox2->SetChecked(true);
    Form5->bsSkinCheckRadioBox8->SetChecked(true);
    Form5->bsSkinCheckRadioBox10->SetChecked(true);
    Form5->bsSkinCheckRadioBox3->SetChecked(true);
    WhileShown user([] { Form5->bsSkinButton6->ButtonClick(); });
    Form5->Execute();
    std::vector<std::wstring> lines = IniLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(std::vector<std::wstring>(lines.end() - 5, lines.end()),
              (std::vector<std::wstring>{L"Thread_Count=4", L"After_Done=1", L"Show_Preview=1",
                                         L"Thread_Priority=1", L"Overwrite_File=0"}));
    // And the stored count comes back after a restart.
    CloseWindows();
    StartWindows();
    EXPECT_EQ(Form5->bsSkinComboBox2->GetText(), L"4");
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox2->Checked());
    EXPECT_TRUE(Form1->ROREZ->Preview());
}

TEST_F(SettingsTest, CancelWritesNothingAndPutsTheDialogBack) {
    WriteIni(ValidIni(L"Thread_Count=2\r\nAfter_Done=0\r\nShow_Preview=0\r\nThread_Priority=3\r\nOverwrite_File=1\r\n"));
    StartWindows();
    const std::string before = IniBytes();
    WhileShown user([] {
        Form5->bsSkinComboBox2->SetItemIndex(8);
        Form5->bsSkinCheckRadioBox2->SetChecked(true);
        Form5->bsSkinCheckRadioBox8->SetChecked(true);
        Form5->bsSkinCheckRadioBox9->SetChecked(true);
        Form5->bsSkinCheckRadioBox3->SetChecked(true);
        Form5->bsSkinButton1->ButtonClick();
    });
    Form5->Execute();
    EXPECT_EQ(IniBytes(), before);
    EXPECT_EQ(Form5->bsSkinComboBox2->GetText(), L"2");
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox1->Checked());
    EXPECT_FALSE(Form5->bsSkinCheckRadioBox2->Checked());
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox12->Checked());
    EXPECT_FALSE(Form5->bsSkinCheckRadioBox9->Checked());
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox6->Checked());
    EXPECT_FALSE(Form5->bsSkinCheckRadioBox3->Checked());
    EXPECT_FALSE(Form5->bsSkinCheckRadioBox8->Checked());
    EXPECT_FALSE(Form1->ROREZ->Preview());
}

TEST_F(SettingsTest, StoredPreviewSwitchesTheEncoderAtStart) {
    WriteIni(ValidIni(L"Show_Preview=1\r\n"));
    StartWindows();
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox8->Checked());
    EXPECT_TRUE(Form1->ROREZ->Preview());
}

TEST_F(SettingsTest, MissingOutputFolderIsCreatedAndShown) {
    const String folder = folder_ + L"输出 新";
    WriteIni(L"[OutPath]\r\nOutPath=" + folder + L"\r\n");
    StartWindows();
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_EQ(Form1->FileOutPutPath, folder);
    RemoveDirectoryW(folder.c_str());
}

// The folder dialog's choice is applied and stored only on OK.
TEST_F(SettingsTest, BrowseAppliesAndStoresOnlyOnOk) {
    StartWindows();
    const String chosen = folder_ + L"chosen";
    ForceDirectories(chosen);
    Form1->SelectFolder = [&](const String&, String& dir) {
        dir = chosen;
        return false;  // cancelled
    };
    Form1->bsSkinButton5Click(nullptr);
    EXPECT_EQ(Form1->FileOutPutPath, kDefaultFolder);
    EXPECT_EQ(optionini::Read(L"OutPath", L"OutPath"), kDefaultFolder);
    Form1->SelectFolder = [&](const String& title, String& dir) {
        EXPECT_EQ(title, L"选择输出目录");
        EXPECT_EQ(dir, kDefaultFolder);
        dir = chosen;
        return true;
    };
    Form1->bsSkinButton5Click(nullptr);
    EXPECT_EQ(Form1->FileOutPutPath, chosen);
    EXPECT_EQ(Form1->Video_OutPut_Folder_Edit->GetText(), chosen);
    EXPECT_EQ(optionini::Read(L"OutPath", L"OutPath"), chosen);
    RemoveDirectoryW(chosen.c_str());
}

TEST_F(SettingsTest, SkinDialogStoresTheIndexAlsoOnCancel) {
    StartWindows();
    Form1->SelectSkin = [](int current, int& selected) {
        EXPECT_EQ(current, 0);
        selected = 5;
        return true;
    };
    Form1->N23Click(nullptr);
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 5);
    EXPECT_EQ(optionini::Read(L"Skin", L"SetSkin"), L"5");
    WriteIni(ValidIni(L"", L"7"));
    Form1->SelectSkin = [](int, int& selected) {
        selected = -1;
        return false;
    };
    Form1->bsSkinButton9Click(nullptr);
    EXPECT_EQ(optionini::Read(L"Skin", L"SetSkin"), L"5");
    // The choice holds after a restart.
    CloseWindows();
    StartWindows();
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 5);
}

// A folder where the settings file would be: nothing can be written, yet
// the program's start-up makes its four windows with the defaults, each
// failed write leaves one log line, and a skin the user chooses applies and
// is kept for the session.
TEST_F(SettingsTest, AnUnwritableSettingsFileLeavesTheProgramWorking) {
    const String blocker = folder_ + L"option.ini";
    ASSERT_TRUE(CreateDirectoryW(blocker.c_str(), nullptr));
    CreateProgramForms();
    ASSERT_NE(Form1, nullptr);
    ASSERT_NE(Form5, nullptr);
    ASSERT_NE(Form6, nullptr);
    EXPECT_EQ(Form1->FileOutPutPath, kDefaultFolder);
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox1->Checked());
    EXPECT_TRUE(Form5->bsSkinCheckRadioBox12->Checked());
    EXPECT_EQ(Form5->bsSkinComboBox2->GetText(), L"1");
    int failedWrites = 0;
    const String prefix = L"option.ini: [";
    for (int i = 0; i < Form1->mmoLog->LineCount(); ++i) {
        const String line = Form1->mmoLog->Line(i);
        if (line.compare(0, prefix.size(), prefix) == 0) ++failedWrites;
    }
    // At least OutPath, SetSkin and the five options of a first start.
    EXPECT_GE(failedWrites, 7);

    Form1->Show();
    Application->ProcessMessages();
    EXPECT_TRUE(Form1->Visible());
    Form1->bsSkinOfficeComboBox2->SetItemIndex(22);  // "MP3音频": the window works
    EXPECT_EQ(Form1->All_Trant_Number, 3000);
    Form1->SelectSkin = [](int, int& selected) {
        selected = 5;
        return true;
    };
    Form1->N23Click(nullptr);
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 5);
    EXPECT_EQ(optionini::Read(L"Skin", L"SetSkin"), L"5");
    EXPECT_TRUE(DirectoryExists(blocker)) << "the folder is left as it was";
    CloseWindows();
    RemoveDirectoryW(blocker.c_str());
}

TEST_F(SettingsTest, HelpAndWebCommandsOpenTheirAddresses) {
    StartWindows();
    std::vector<String> opened;
    Form1->OpenWithShell = [&](const String& target) { opened.push_back(target); };
    Form1->N15Click(nullptr);
    Form1->N19Click(nullptr);
    Form1->Button1Click(nullptr);
    Form1->bsSkinButton6Click(nullptr);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0].rfind(L"https://", 0), 0u);
    EXPECT_EQ(opened[1].rfind(L"https://", 0), 0u);
    EXPECT_NE(opened[0], opened[1]);
    EXPECT_EQ(formats::FileNamePart(opened[2]), L"help.chm");
    EXPECT_EQ(opened[3], kDefaultFolder);
}

}  // namespace
}  // namespace mainwindowtest
