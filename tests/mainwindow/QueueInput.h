#pragma once
// Input to the main window's queue as a user gives it, shared by the tests
// and the benchmarks: a file added through "添加一个文件", its path typed into
// the skinned open dialog. UI thread only; the windows of the start-up exist.
#include <string>

#include "app/Unit1.h"
#include "platform/Menus.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/shell/bsSkinDialogBase.h"
#include "skin/shell/bsSkinOpenDialog.h"
#include "tests/dialogs/DialogDriver.h"

namespace mainwindowtest {

inline void AddOneThroughOpenDialog(const std::wstring& file) {
    DialogFormShownHook() = [file](TForm* form) {
        auto* f = dynamic_cast<TbsOpenDlgForm*>(form);
        if (!f) {
            form->ModalResult = mrCancel;
            return;
        }
        dialogstest::RunSteps(f, {[f, file] {
                                      f->FileNameEdit->SetText(file);
                                      dialogstest::PostChar(f->FileNameEdit->Handle(), L'\r');
                                  },
                                  [f] { f->ModalResult = mrCancel; }});
    };
    Form1->Item111->Click();
    DialogFormShownHook() = nullptr;
}

}  // namespace mainwindowtest
