#include "app/StartUp.h"

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "platform/Forms.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"

namespace {

// The legacy window writes the catalogue key and the current-format fields
// of the main window, and reads what its presets need from it and from the
// options dialog: the file being added, the output folder shown, and
// whether an existing output file is overwritten.
void CreateLegacyWindow() {
    legacy::TMainWindowFields fields{Form1->All_Trant_Number, Form1->Video};
    Form6 = new TForm6(Application, Form1->bsSkinData1, fields, [] {
        legacy::TPresetSources sources;
        sources.AddFileName = Form1->Video_AddFileName;
        sources.OutputFolder = Form1->Video_OutPut_Folder_Edit->GetText();
        sources.Overwrite = Form5 && Form5->bsSkinCheckRadioBox3->Checked();
        return sources;
    });
    Form6->AfterConstruction();
}

}  // namespace

void CreateProgramForms() {
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(Form5);
    CreateLegacyWindow();
}

void FreeProgramForms() {
    delete Form6;
    Form6 = nullptr;
    delete Form5;
    Form5 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
}
