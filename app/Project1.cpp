// Start-up: initialise the application, create the four windows (see
// StartUp.h), run the message loop until the main window closes.
#include <windows.h>

#include "app/StartUp.h"
#include "platform/Forms.h"

static const wchar_t* const ApplicationTitleText = L"VantrelH264视频格式转换器";
static const wchar_t* const ApplicationHelpFileName = L"help.chm";

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    try {
        TApplication app;
        Application->Initialize();
        Application->SetTitle(ApplicationTitleText);
        Application->HelpFile = ApplicationHelpFileName;
        CreateProgramForms();
        Application->Run();
        return 0;
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Vantrel", MB_ICONERROR | MB_OK);
        return 1;
    }
}
