// The legacy window's panel of procedure buttons, in the class library's
// plain controls.
#include "app/Unit6.h"
#include "app/MakeControl.h"
#include "platform/ExtCtrls.h"

namespace {

TButton* MakeButton(TComponent* owner, TWinControl* parent, const wchar_t* name,
                    const wchar_t* caption, int left, int top, int width, int height) {
    TButton* button = Make<TButton>(owner, parent, name, left, top, width, height);
    button->SetCaption(caption);
    return button;
}

}  // namespace

void TForm6::CreateProcedureButtons() {
    Panel1 = Make<TPanel>(this, this, L"Panel1", 690, 161, 305, 305);
    Image1 = Make<TImage>(this, Panel1, L"Image1", 46, 158, 171, 103);
    Button6 = MakeButton(this, Panel1, L"Button6", L"初始化数据", 8, 8, 140, 25);
    Button6->OnClick = [this](TObject* s) { Button6Click(s); };
    Button5 = MakeButton(this, Panel1, L"Button5", L"根据combox添加数据", 8, 38, 140, 25);
    Button5->OnClick = [this](TObject* s) { Button5Click(s); };
    Button7 = MakeButton(this, Panel1, L"Button7", L"确认oo数据", 8, 68, 140, 25);
    Button2 = MakeButton(this, Panel1, L"Button2", L"添加combox", 8, 98, 140, 25);
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    Button13 = MakeButton(this, Panel1, L"Button13", L"确认预置选项数据", 156, 8, 140, 25);
    Button13->OnClick = [this](TObject* s) { Button13Click(s); };
    Button11 = MakeButton(this, Panel1, L"Button11", L"onchange用", 156, 38, 140, 25);
    Button18 = MakeButton(this, Panel1, L"Button18", L"根据combox添加预设选项", 156, 68, 140, 25);
    Button18->OnClick = [this](TObject* s) { Button18Click(s); };
}
