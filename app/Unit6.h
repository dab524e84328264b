#pragma once
// The legacy output-settings window "设置选项": a category list of twelve
// entries, the format list of the chosen category, six option lists and the
// procedure buttons whose handlers serve as the window's procedures. The
// start-up creates it hidden and nothing shows it; its creation fills the
// format list for category 0 and the option lists for key 100, writing
// All_Trant_Number and Video_DisableVideo into the main window's fields.
//
// The window is skinned by the main window's store (its frame and every
// skinned control take it), so it follows every skin change of the program
// like the other forms. The procedures see the lists only through the list
// interfaces of app/LegacySettings.h. The window owns an encoder component
// (ROREZ) that nothing uses.
//
// Handler names and what they run:
//   FormCreate                  Button2.Click
//   bsSkinOfficeComboBox2Change Button2.Click (category changed)
//   bsSkinOfficeComboBox1Click  Button18.Click (format chosen)
//   Button2Click   fill the format list        Button18Click  fill the option lists
//   Button5Click   presets                     Button13Click  read the option lists back
//   Button6Click   reset                       bsSkinButton2Click  OK: 5, 13, Close
//   bsSkinButton3Click  Cancel: Close
// A read-back whose list text does not convert raises EConvertError out of
// the handler; the window procedure hands it to the application, which
// shows it in its message box, and OK then leaves the window open.
//
// Threads: created, used and destroyed on the UI thread only.

#include <functional>
#include <memory>

#include "app/LegacySettings.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/StdCtrls.h"

// The plain panel is kept out of this header: its bevel names collide with
// the skinned panel's border styles (Unit6Procedures.cpp builds it).
class TPanel;
class TImage;
class TbsSkinData;
class TbsSkinFrame;
class TbsSkinPanel;
class TbsSkinTextLabel;
class TbsSkinOfficeComboBox;
class TbsSkinComboBox;
class TbsSkinButton;
class TbsSkinPageControl;
class TbsSkinTabSheet;
class TDIzizuZUR;

class TForm6 : public TForm {
public:
    // store: the main window's skin store (bsSkinData1), taken by the frame
    // and every skinned control; nullptr leaves the window in the plain
    // look. fields: the main window's fields the window writes; sources:
    // what the presets read of the main window and the options dialog.
    TForm6(TComponent* owner, TbsSkinData* store, legacy::TMainWindowFields fields,
           std::function<legacy::TPresetSources()> sources);
    ~TForm6() override;

    TbsSkinFrame* bsSkinFrame1 = nullptr;
    TbsSkinPanel* bsSkinPanel2 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel5 = nullptr;
    TbsSkinOfficeComboBox* bsSkinOfficeComboBox2 = nullptr;  // categories
    TbsSkinOfficeComboBox* bsSkinOfficeComboBox1 = nullptr;  // formats of the category
    TbsSkinButton* bsSkinButton1 = nullptr;
    TbsSkinPageControl* bsSkinPageControl1 = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet1 = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet2 = nullptr;
    TbsSkinTabSheet* FilterSheet = nullptr;  // the sheet "滤镜设置"
    TbsSkinTabSheet* bsSkinTabSheet3 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel3 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel2 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel6 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel9 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel4 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel7 = nullptr;
    TbsSkinComboBox* bsSkinComboBox1 = nullptr;   // resolution
    TbsSkinComboBox* bsSkinComboBox2 = nullptr;   // video bit rate
    TbsSkinComboBox* bsSkinComboBox9 = nullptr;   // frame rate
    TbsSkinComboBox* bsSkinComboBox4 = nullptr;   // aspect mode
    TbsSkinComboBox* bsSkinComboBox3 = nullptr;   // audio bit rate
    TbsSkinComboBox* bsSkinComboBox10 = nullptr;  // sample rate
    TbsSkinButton* bsSkinButton2 = nullptr;       // OK
    TbsSkinButton* bsSkinButton3 = nullptr;       // Cancel
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
    TDIzizuZUR* ROREZ = nullptr;  // an encoder of the window's own; nothing uses it

    // The option list of each TOptionList.
    TbsSkinComboBox* OptionList(legacy::TOptionList list) const;

private:
    class TViews;

    void CreateFormatChooser(TbsSkinData* store);
    void CreateOptionPage(TbsSkinData* store);
    void CreateButtons(TbsSkinData* store);
    void CreateProcedureButtons();  // Unit6Procedures.cpp
    // The category pictures of ImageList1 (twelve, 32 x 32), the empty
    // 32 x 32 ImageList2 and the picture of Image1 (Unit6Pictures.cpp).
    void CreatePictures();

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
