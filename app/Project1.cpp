// Start-up: initialise, create the main window, run the message loop until
// the main window closes.
#include "app/Project1.h"

#include <windows.h>
#include <commctrl.h>

#include "app/Unit1.h"

const wchar_t* ApplicationTitle() { return L"VantrelH264视频格式转换器"; }
const wchar_t* ApplicationHelpFile() { return L"help.chm"; }

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int showCmd) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    TForm1 form;
    if (!form.Handle()) return 1;
    Form1 = &form;
    form.Show(showCmd);

    MSG msg;
    int result;
    while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Form1 = nullptr;
    return result < 0 ? 1 : static_cast<int>(msg.wParam);
}
