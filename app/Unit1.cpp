#include "app/Unit1.h"

#include "skin/bsCompressedSkins.h"
#include "skin/bsResStrData.h"
#include "skin/bsSkinData.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    SetName(L"Form1");
    SetCaption(Application->Title());
    SetBounds(0, 0, 800, 600);
    Position = poScreenCenter;
    Font()->SetName(L"宋体");
    Font()->SetCharset(GB2312_CHARSET);
    Font()->SetHeight(-16);
    OnPaint = [this](TObject* sender) { FormPaint(sender); };
    CreateSkinStores();
}

// The skins are embedded in the executable; the main store starts at skin 1.
void TForm1::CreateSkinStores() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    bsCompressedSkinList1 = new TbsCompressedSkinList(this);
    bsCompressedSkinList1->LoadFromResources(module, L"SKIN_MAIN");
    bsResourceStrData1 = new TbsResourceStrData(this);
    bsSkinData1 = new TbsSkinData(this);
    bsSkinData1->SetResourceStrData(bsResourceStrData1);
    bsSkinData1->SetSkinIndex(1);
    bsSkinData1->SetSkinList(bsCompressedSkinList1);

    bsCompressedSkinList2 = new TbsCompressedSkinList(this);
    bsCompressedSkinList2->LoadFromResources(module, L"SKIN_LISTS");
    bsSkinData2 = new TbsSkinData(this);
    bsSkinData2->SetSkinIndex(0);
    bsSkinData2->SetSkinList(bsCompressedSkinList2);
}

void TForm1::FormPaint(TObject*) {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(24, 24, L"添加文件，选择输出格式，然后开始转换。");
}
