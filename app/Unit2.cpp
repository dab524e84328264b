#include "app/Unit2.h"

#include "app/AppPictures.h"
#include "app/MakeControl.h"
#include "app/SkinFrames.h"
#include "app/Unit1.h"
#include "app/WebAddresses.h"
#include "skin/boxes/bsSkinLinkLabel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsPanel.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    SetName(L"Form2");
    SetCaption(L"关于软件");
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu);
    SetClientSize(338, 267);
    Position = poScreenCenter;
    Font()->SetName(L"宋体");
    Font()->SetCharset(GB2312_CHARSET);
    Font()->SetHeight(-12);
    TbsSkinData* store = Form1 ? Form1->bsSkinData1 : nullptr;
    bsSkinFrame1 = skinframes::AttachSkinFrame(this, store, skinframes::fbSystemMenu | skinframes::fbRollUp, 338, 267);

    bsSkinPanel1 = Make<TbsSkinPanel>(this, this, L"bsSkinPanel1", 0, 0, 338, 267);
    bsSkinPanel1->SetSkinData(store);

    Image1 = apppictures::MakeAboutPicture(this, bsSkinPanel1, 16, 18);

    Label1 = Make<TbsSkinStdLabel>(this, bsSkinPanel1, L"Label1", 80, 22, 250, 24);
    Label1->SetCaption(L"VantrelH264视频格式转换器");
    Label1->Font()->SetHeight(-18);
    Label1->UseSkinFont() = false;
    Label2 = Make<TbsSkinStdLabel>(this, bsSkinPanel1, L"Label2", 80, 54, 200, 16);
    Label2->SetCaption(L"版本:5.7.0.0");
    Label2->Font()->SetStyle(fsBold);
    Label2->UseSkinFont() = false;
    Label3 = Make<TbsSkinStdLabel>(this, bsSkinPanel1, L"Label3", 24, 118, 90, 16);
    Label3->SetCaption(L"官方网站：");
    bsSkinLinkLabel1 = Make<TbsSkinLinkLabel>(this, bsSkinPanel1, L"bsSkinLinkLabel1", 118, 118, 200, 16);
    bsSkinLinkLabel1->SetCaption(web::HomePageText);
    bsSkinLinkLabel1->URL = web::HomePage;
    Label4 = Make<TbsSkinStdLabel>(this, bsSkinPanel1, L"Label4", 24, 150, 90, 16);
    Label4->SetCaption(L"支持E-Mail：");
    bsSkinLinkLabel2 = Make<TbsSkinLinkLabel>(this, bsSkinPanel1, L"bsSkinLinkLabel2", 118, 150, 200, 16);
    bsSkinLinkLabel2->SetCaption(web::SupportMailText);
    bsSkinLinkLabel2->URL = web::SupportMail;
    for (TbsSkinStdLabel* label : {Label1, Label2, Label3, Label4}) {
        label->Font()->SetName(L"宋体");
        label->SetSkinData(store);
    }
    bsSkinLinkLabel1->SetSkinData(store);
    bsSkinLinkLabel2->SetSkinData(store);

    bsSkinButton1 = Make<TbsSkinButton>(this, bsSkinPanel1, L"bsSkinButton1", 238, 222, 84, 30);
    bsSkinButton1->SetCaption(L"确定");
    bsSkinButton1->SetSkinData(store);
    bsSkinButton1->OnClick = [this](TObject* s) { bsSkinButton1Click(s); };
}

void TForm2::bsSkinButton1Click(TObject*) { ModalResult = mrOk; }
