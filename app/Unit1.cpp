#include "app/Unit1.h"

#include <shellapi.h>

#include "Src/DIzizuZUR.h"
#include "Src/FFPlay.h"
#include "app/MainDialogs.h"
#include "app/OptionIni.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "app/WebAddresses.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "skin/bsCompressedSkins.h"
#include "skin/bsResStrData.h"
#include "skin/bsSkinData.h"
#include "app/SkinFrames.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    SetName(L"Form1");
    SetCaption(L"VantrelH264视频格式转换器");
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetClientSize(839, 522);
    Position = poScreenCenter;
    SetAutoScroll(false);
    Font()->SetName(L"宋体");
    Font()->SetCharset(GB2312_CHARSET);
    Font()->SetHeight(-12);

    SelectFolder = [this](const String& title, String& dir) {
        return maindialogs::SelectFolder(bsSkinData1, title, dir);
    };
    SelectSkin = [this](int current, int& selected) {
        return maindialogs::SelectSkin(bsCompressedSkinList1, bsSkinData1, current, selected);
    };
    OpenWithShell = maindialogs::OpenWithShell;

    CreateSkinStores();
    CreateMediaComponents();
    CreateMenus();
    CreateToolBar();
    CreatePreviewPanel();
    CreateQueuePanel();
    CreateSettingsTabs();
    CreateDeveloperPanels();
    // A settings file that cannot be written is told in the log, and the
    // program goes on with the values in memory.
    optionini::SetLogSink([this](const String& line) { mmoLog->AddLine(line); });
    BindHandlers();
    CreateQueueControls();
    CreateProcedureButtons();
    BindCommands();
}

TForm1::~TForm1() {
    optionini::SetLogSink(nullptr);
    // The logger is process-wide: nothing may reach this window once it goes.
    if (FFLogger) FFLogger->SetOnLog(nullptr);
    try {
        DetachPreviewHandlers();
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
    }
}

// The skins are embedded in the executable; the main store starts at skin 1.
void TForm1::CreateSkinStores() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    bsCompressedSkinList1 = new TbsCompressedSkinList(this);
    bsCompressedSkinList1->LoadFromResources(module, L"SKIN_MAIN");
    bsResourceStrData1 = new TbsResourceStrData(this);
    bsSkinData1 = new TbsSkinData(this);
    bsSkinData1->SetResourceStrData(bsResourceStrData1);
    bsSkinData1->SetSkinIndex(1);
    bsSkinData1->SetSkinList(bsCompressedSkinList1);

    bsCompressedSkinList2 = new TbsCompressedSkinList(this);
    bsCompressedSkinList2->LoadFromResources(module, L"SKIN_LISTS");
    bsSkinData2 = new TbsSkinData(this);
    bsSkinData2->SetSkinIndex(0);
    bsSkinData2->SetSkinList(bsCompressedSkinList2);

    bsSkinFrame1 = skinframes::AttachSkinFrame(this, bsSkinData1, skinframes::fbSystemMenu | skinframes::fbMinimize, 839, 522);
}

void TForm1::CreateMediaComponents() {
    ROREZ = new TDIzizuZUR(this);
    ZADovovi = new TZADovovi(this);
    FFLogger = new TFFLogger(this);
}

void TForm1::BindHandlers() {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    FFLogger->SetOnLog([this](TObject* s, uint32_t id, TLogLevel level, const std::wstring& msg) {
        FFLoggerLog(s, id, level, msg);
    });
    BindPreviewHandlers();
}

// Creation: slots (with the queue), output folder, dialog filters, skin,
// catalogue, preview hosts, slider state, in this order.
void TForm1::FormCreate(TObject*) {
    try {
        Button15Click(Button15);
        Button17Click(Button17);
        Button21Click(Button21);
        Button3Click(Button3);
    } catch (const std::exception& e) {
        LogCaught(L"FormCreate", e);
    }
    // The catalogue and the screen list are filled whatever the settings did.
    try {
        Button2Click(Button2);
        FillScreenList();
    } catch (const std::exception& e) {
        LogCaught(L"FormCreate", e);
    }
    bsSkinSlider1_down_UP = L"UP";
}

// Detaches the player's and the encoder's handlers before the stop, so the
// stop's wait runs none of them; the log handler only after it.
void TForm1::FormCloseQuery(TObject*, bool& canClose) {
    canClose = true;
    FClosing = true;  // the batch's queued end work does nothing from now on
    try {
        ZADovovi->SetOnPosition(nullptr);
        ZADovovi->SetOnState(nullptr);
        ZADovovi->SetOnHook(nullptr);
        ROREZ->OnCustomHook = nullptr;
        ROREZ->OnProgress = nullptr;
        ROREZ->OnTerminate = nullptr;
        ROREZ->Stop(true);
    } catch (const std::exception& e) {
        LogCaught(L"FormCloseQuery", e);
    }
    FFLogger->SetOnLog(nullptr);
}

void TForm1::FFLoggerLog(TObject*, uint32_t threadId, TLogLevel level, const std::wstring& message) {
    mmoLog->AddLine(L"#" + std::to_wstring(threadId) + L"." + std::to_wstring(static_cast<int>(level)) +
                         L": " + message);
}

void TForm1::LogCaught(const wchar_t* where, const std::exception& e) {
    String text = String(where) + L": ";
    const std::string what = e.what();
    text += String(what.begin(), what.end());
    if (mmoLog) mmoLog->AddLine(text);
    OutputDebugStringW(text.c_str());
}

// ---- dialogs, help and web ---------------------------------------------------------

void TForm1::N5Click(TObject*) {
    if (Form2) Form2->ShowModal();
}

void TForm1::N24Click(TObject*) {
    if (Form5) Form5->Execute();
}

void TForm1::bsSkinButton19Click(TObject* sender) { N24Click(sender); }

void TForm1::N15Click(TObject*) { OpenWithShell(web::HelpPage); }

void TForm1::N19Click(TObject*) { OpenWithShell(web::HomePage); }

void TForm1::Button1Click(TObject*) { OpenWithShell(ExtractFilePath(Application->ExeName()) + L"help.chm"); }

void TForm1::N4Click(TObject*) { Close(); }
