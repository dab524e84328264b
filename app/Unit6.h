#pragma once
// The legacy output-settings window "设置选项": a category list of twelve
// entries, the format list of the chosen category, six option lists and the
// procedure buttons whose handlers serve as the window's procedures. The
// start-up creates it hidden and nothing shows it; its creation fills the
// format list for category 0 and the option lists for key 100, writing
// All_Trant_Number and Video_DisableVideo into the main window's fields.
//
// Until the skinned combo boxes and office lists are ready, the lists are
// the class library's list boxes behind the list interfaces of
// app/LegacySettings.h; the procedures see only those interfaces.
//
// Handler names and what they run:
//   FormCreate                  Button2.Click
//   bsSkinOfficeComboBox2Change Button2.Click (category changed)
//   bsSkinOfficeComboBox1Click  Button18.Click (format chosen)
//   Button2Click   fill the format list        Button18Click  fill the option lists
//   Button5Click   presets                     Button13Click  read the option lists back
//   Button6Click   reset                       bsSkinButton2Click  OK: 5, 13, Close
//   bsSkinButton3Click  Cancel: Close
//
// Threads: created, used and destroyed on the UI thread only.

#include <functional>
#include <memory>

#include "app/LegacySettings.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/PageControl.h"
#include "platform/StdCtrls.h"

class TForm6 : public TForm {
public:
    // fields: the main window's fields the window writes; sources: what the
    // presets read of the main window and the options dialog.
    TForm6(TComponent* owner, legacy::TMainWindowFields fields,
           std::function<legacy::TPresetSources()> sources);
    ~TForm6() override;

    TPanel* bsSkinPanel2 = nullptr;
    TLabel* bsSkinTextLabel5 = nullptr;
    TListBox* bsSkinOfficeComboBox2 = nullptr;  // categories
    TListBox* bsSkinOfficeComboBox1 = nullptr;  // formats of the category
    TButton* bsSkinButton1 = nullptr;
    TPageControl* bsSkinPageControl1 = nullptr;
    TTabSheet* bsSkinTabSheet1 = nullptr;
    TTabSheet* bsSkinTabSheet2 = nullptr;
    TTabSheet* FilterSheet = nullptr;  // the sheet "滤镜设置"
    TTabSheet* bsSkinTabSheet3 = nullptr;
    TLabel* bsSkinTextLabel3 = nullptr;
    TLabel* bsSkinTextLabel2 = nullptr;
    TLabel* bsSkinTextLabel6 = nullptr;
    TLabel* bsSkinTextLabel9 = nullptr;
    TLabel* bsSkinTextLabel4 = nullptr;
    TLabel* bsSkinTextLabel7 = nullptr;
    TListBox* bsSkinComboBox1 = nullptr;   // resolution
    TListBox* bsSkinComboBox2 = nullptr;   // video bit rate
    TListBox* bsSkinComboBox9 = nullptr;   // frame rate
    TListBox* bsSkinComboBox4 = nullptr;   // aspect mode
    TListBox* bsSkinComboBox3 = nullptr;   // audio bit rate
    TListBox* bsSkinComboBox10 = nullptr;  // sample rate
    TButton* bsSkinButton2 = nullptr;      // OK
    TButton* bsSkinButton3 = nullptr;      // Cancel
    TPanel* Panel1 = nullptr;
    TImage* Image1 = nullptr;
    TButton* Button6 = nullptr;
    TButton* Button5 = nullptr;
    TButton* Button7 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button13 = nullptr;
    TButton* Button11 = nullptr;
    TButton* Button18 = nullptr;
    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;

    // The option list of each TOptionList.
    TListBox* OptionList(legacy::TOptionList list) const;

private:
    class TViews;

    void CreateFormatChooser();
    void CreateOptionPage();
    void CreateButtons();

    void FormCreate(TObject* sender);
    void Button2Click(TObject* sender);
    void bsSkinOfficeComboBox2Change(TObject* sender);
    void bsSkinOfficeComboBox1Click(TObject* sender);
    void Button18Click(TObject* sender);
    void Button5Click(TObject* sender);
    void Button13Click(TObject* sender);
    void Button6Click(TObject* sender);
    void bsSkinButton2Click(TObject* sender);
    void bsSkinButton3Click(TObject* sender);

    std::unique_ptr<TViews> FViews;
    std::unique_ptr<legacy::TLegacyProcedures> FProcedures;
};

extern TForm6* Form6;
