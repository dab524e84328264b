// Start-up: initialise the application, create the four windows (the main
// window first: the others draw from its skin store), run the message loop
// until the main window closes.
#include <windows.h>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "platform/Forms.h"

static const wchar_t* const ApplicationTitleText = L"VantrelH264视频格式转换器";
static const wchar_t* const ApplicationHelpFileName = L"help.chm";

// The legacy window writes the catalogue key and the current-format fields
// of the main window, and reads what its presets need from it.
static void CreateLegacyWindow() {
    legacy::TMainWindowFields fields{Form1->All_Trant_Number, Form1->Video};
    Form6 = new TForm6(Application, Form1->bsSkinData1, fields, [] {
        legacy::TPresetSources sources;
        sources.AddFileName = Form1->Video_AddFileName;
        sources.OutputFolder = Form1->FileOutPutPath;
        sources.Overwrite = false;
        return sources;
    });
    Form6->AfterConstruction();
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    try {
        TApplication app;
        Application->Initialize();
        Application->SetTitle(ApplicationTitleText);
        Application->HelpFile = ApplicationHelpFileName;
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->CreateForm(Form5);
        CreateLegacyWindow();
        Application->Run();
        return 0;
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Vantrel", MB_ICONERROR | MB_OK);
        return 1;
    }
}
