#pragma once
// The about box "关于软件": product name, version, picture, the maker's home
// page and support address as links, and "确定".
//
// Threads: UI thread only.

#include "platform/Forms.h"

class TbsSkinFrame;
class TbsSkinButton;
class TbsSkinStdLabel;
class TbsSkinLinkLabel;
class TbsSkinPanel;
class TImage;

class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* owner);

    TbsSkinFrame* bsSkinFrame1 = nullptr;
    TbsSkinPanel* bsSkinPanel1 = nullptr;
    TImage* Image1 = nullptr;  // 53x55 product picture
    TbsSkinStdLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    TbsSkinLinkLabel *bsSkinLinkLabel1 = nullptr, *bsSkinLinkLabel2 = nullptr;
    TbsSkinButton* bsSkinButton1 = nullptr;  // "确定"

    void bsSkinButton1Click(TObject* sender);
};

extern TForm2* Form2;
