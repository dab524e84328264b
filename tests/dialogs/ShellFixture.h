#pragma once
// The media folder of the shell tests, made at test time: a.mp4 (300
// bytes), b.MP4 (100), c.avi (200), the folder sub\ (with inner\ and
// note.txt) and 中文名.mkv (50).
#include "tests/dialogs/TempFolder.h"

namespace dialogstest {

class MediaFolder : public TempFolder {
public:
    MediaFolder() : TempFolder(L"media") {
        File(L"a.mp4", 300);
        File(L"b.MP4", 100);
        File(L"c.avi", 200);
        Folder(L"sub");
        Folder(L"sub\\inner");
        File(L"sub\\note.txt", 10);
        File(L"中文名.mkv", 50);
    }
};

// Pumps the thread's messages until done() or the time runs out.
template <class Pred>
bool PumpUntil(Pred done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) break;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

}  // namespace dialogstest
