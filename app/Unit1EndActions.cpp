// The actions at the end of a batch, chosen in the options dialog: open the
// output folder, shut the computer down, play the end sound. They run
// through EndActionSink, which the tests replace.
#include <windows.h>

#include <mmsystem.h>

#include "Src/MyUtils.h"
#include "app/Unit1.h"
#include "app/Unit5.h"
#include "platform/Owners.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"

void TForm1::RunEndActions() {
    if (!Form5) return;
    if (Form5->bsSkinCheckRadioBox1->Checked()) RunEndAction(TEndAction::OpenFolder);
    if (Form5->bsSkinCheckRadioBox2->Checked()) RunEndAction(TEndAction::ShutDown);
    if (Form5->bsSkinCheckRadioBox4->Checked()) RunEndAction(TEndAction::PlaySound);
}

void TForm1::RunEndAction(TEndAction action) {
    try {
        if (EndActionSink) EndActionSink(action);
    } catch (const std::exception& e) {
        LogCaught(L"end action", e);
    }
}

// Asks for a normal shut-down: programs with unsaved work may refuse it,
// nothing is forced closed. A refusal drops the privilege again.
void TForm1::Button25Click(TObject*) {
    SetPrivilege(L"SeShutdownPrivilege", true);
    if (!ExitWindowsCall || !ExitWindowsCall(EWX_SHUTDOWN | EWX_POWEROFF, 0))
        SetPrivilege(L"SeShutdownPrivilege", false);
}

bool TForm1::SetPrivilege(const String& privilegeName, bool enable) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
    platform::KernelHandle token(raw);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    if (!LookupPrivilegeValueW(nullptr, privilegeName.c_str(), &privileges.Privileges[0].Luid)) return false;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    TOKEN_PRIVILEGES previous{};
    DWORD length = 0;
    return AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof privileges, &previous, &length) != FALSE;
}

void TForm1::Button29Click(TObject*) {
    const String name = GetApplicationPath() + L"sounds\\ring001.wav";
    if (FileExists(name)) PlaySoundW(name.c_str(), nullptr, SND_ASYNC | SND_FILENAME);
}
