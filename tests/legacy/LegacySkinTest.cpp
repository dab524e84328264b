// The legacy window beside the main window: skinned by the main store, its
// own encoder component, and every skin switch of the store reaching its
// controls. What a switch costs with the window alive is measured by
// legacy_skin_bench (scripts/bench).
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <tuple>

#include "Src/DIzizuZUR.h"
#include "app/OptionIni.h"
#include "app/StartUp.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "platform/SysUtils.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsPages.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/frame/bsSkinFrame.h"

namespace {

class LegacySkin : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        Application->CreateForm(Form1);
        store = Form1->bsSkinData1;
    }
    void TearDown() override {
        delete Form6;
        Form6 = nullptr;
        delete Form1;
        Form1 = nullptr;
    }
    void CreateLegacyWindow() {
        Form6 = new TForm6(Application, store, {allTrantNumber, settings}, [this] { return sources; });
        Form6->AfterConstruction();
    }

    TApplication app;
    TbsSkinData* store = nullptr;
    int allTrantNumber = 0;
    formats::TFormatSettings settings;
    legacy::TPresetSources sources{L"D:\\in\\clip.wmv", L"C:\\out", true};
};

// What a combo box copied of the skin's "combobox" record at its last read.
auto ComboLook(const TbsSkinCustomComboBox* AC) {
    const TRect& r = AC->SItemRect;
    const TRect& b = AC->ButtonRectSkin;
    return std::make_tuple(r.left, r.top, r.right, r.bottom, b.left, b.top, b.right, b.bottom, AC->FontColor,
                           AC->FontHeight, AC->FontName);
}

TEST_F(LegacySkin, TheWindowIsSkinnedByTheMainStoreAndOwnsAnEncoder) {
    CreateLegacyWindow();
    EXPECT_FALSE(Form6->Visible());
    EXPECT_EQ(allTrantNumber, 100);
    EXPECT_FALSE(settings.Video_DisableVideo);
    EXPECT_EQ(Form6->bsSkinFrame1->SkinData(), store);
    EXPECT_EQ(Form6->bsSkinPanel2->SkinData(), store);
    EXPECT_EQ(Form6->bsSkinOfficeComboBox1->SkinData(), store);
    EXPECT_EQ(Form6->bsSkinOfficeComboBox2->SkinData(), store);
    EXPECT_EQ(Form6->bsSkinPageControl1->SkinData(), store);
    EXPECT_EQ(Form6->bsSkinTextLabel5->SkinData(), store);
    EXPECT_EQ(Form6->bsSkinButton2->SkinData(), store);
    EXPECT_EQ(Form6->bsSkinButton3->SkinData(), store);
    for (legacy::TOptionList list : {legacy::TOptionList::Resolution, legacy::TOptionList::VideoBitrate,
                                     legacy::TOptionList::FrameRate, legacy::TOptionList::Aspect,
                                     legacy::TOptionList::AudioBitrate, legacy::TOptionList::SampleRate}) {
        EXPECT_EQ(Form6->OptionList(list)->SkinData(), store) << static_cast<int>(list);
        EXPECT_NE(Form6->OptionList(list)->SkinRecord(), nullptr) << static_cast<int>(list);
    }
    // The hidden button of the chooser has no store.
    EXPECT_EQ(Form6->bsSkinButton1->SkinData(), nullptr);
    ASSERT_NE(Form6->ROREZ, nullptr);
    EXPECT_EQ(Form6->ROREZ->Owner(), Form6);
    EXPECT_EQ(Form6->FindComponent(L"ROREZ"), Form6->ROREZ);
}

// After every switch the window's lists look like lists made fresh on the
// new skin; the skins differ in that look, so a missed switch shows.
TEST_F(LegacySkin, EverySkinSwitchReachesTheWindowsLists) {
    CreateLegacyWindow();
    std::set<decltype(ComboLook(nullptr))> looks;
    for (int skin : {0, 2, 3, 4, 5, 6, 7, 1}) {
        store->SetSkinIndex(skin);
        TbsSkinComboBox fresh(nullptr);
        fresh.SetSkinDataName(L"combobox");
        fresh.SetSkinData(store);
        EXPECT_EQ(ComboLook(Form6->bsSkinComboBox10), ComboLook(&fresh)) << "skin " << skin;
        EXPECT_EQ(ComboLook(Form6->bsSkinComboBox1), ComboLook(&fresh)) << "skin " << skin;
        looks.insert(ComboLook(&fresh));
    }
    EXPECT_GT(looks.size(), 1u);
}

// The program's start-up: four windows, the legacy one last and hidden; its
// own start-up leaves the main window at key 100 without the no-video flag.
// Its presets name the output in the folder the main window shows and
// follow the options dialog's choice about existing files.
class LegacyStartUp : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = String(temp) + L"vantrel_legacy_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        ForceDirectories(folder);
        optionini::SetFolder(folder);
        Application->Initialize();
        CreateProgramForms();
    }
    void TearDown() override {
        for (TForm** form : {reinterpret_cast<TForm**>(&Form6), reinterpret_cast<TForm**>(&Form5),
                             reinterpret_cast<TForm**>(&Form2), reinterpret_cast<TForm**>(&Form1)}) {
            delete *form;
            *form = nullptr;
        }
        DeleteFileW((folder + L"clip.avi").c_str());
        DeleteFileW(optionini::FileName().c_str());
        optionini::SetFolder(String());
        RemoveDirectoryW(folder.c_str());
    }
    TApplication app;
    String folder;
};

TEST_F(LegacyStartUp, FourFormsTheLegacyOneHiddenAndLastAtKey100) {
    std::vector<TForm*> order;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TForm*>(Application->Components(i))) order.push_back(f);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[3], Form6);
    EXPECT_FALSE(Form6->Visible());
    EXPECT_EQ(Form1->All_Trant_Number, 100);
    EXPECT_FALSE(Form1->Video.Video_DisableVideo);
}

TEST_F(LegacyStartUp, PresetsUseTheShownFolderAndTheOverwriteChoice) {
    Form1->Video_OutPut_Folder_Edit->SetText(folder);
    Form1->Video_AddFileName = L"D:\\in\\clip.wmv";
    { std::ofstream(String(folder + L"clip.avi").c_str()) << "taken"; }
    Form6->bsSkinButton2->ButtonClick();  // OK: key 100, ".avi"
    EXPECT_EQ(Form1->Video.Video_OutPutFileName, folder + L"clip_1.avi");
    Form5->bsSkinCheckRadioBox3->SetChecked(true);  // "直接覆盖输出文件"
    Form6->bsSkinButton2->ButtonClick();
    EXPECT_EQ(Form1->Video.Video_OutPutFileName, folder + L"clip.avi");
}

}  // namespace
