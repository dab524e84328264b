#include "skin/shell/bsDialogs.h"

#include <algorithm>

#include "skin/bsResStrData.h"
#include "skin/shell/bsSkinDialogBase.h"

// ---- TbsSelectSkinDlgForm -------------------------------------------------------------------

TbsSelectSkinDlgForm::TbsSelectSkinDlgForm(TComponent* AOwner, TbsSkinData* ACtrlSkinData)
    : TForm(AOwner), CtrlSD(ACtrlSkinData) {
    Position = poScreenCenter;
    SetBorderStyle(bsSingle);
}

TbsSelectSkinDlgForm::~TbsSelectSkinDlgForm() {
    // The preview store goes first: its skin-change messages must not reach
    // controls that are being freed.
    if (PreviewBSF) bsSetFrameSkinData(PreviewBSF, nullptr);
    if (PreviewButton) PreviewButton->SetSkinData(nullptr);
}

void TbsSelectSkinDlgForm::BuildCommon() {
    BSF = bsNewDialogFrame(this);
    TbsResourceStrData* strings = CtrlSD ? CtrlSD->ResourceStrData() : nullptr;

    PreviewForm = new TForm(this);
    PreviewForm->SetParent(this);
    PreviewForm->SetCaption(bsDialogText(CtrlSD, L"MSG_PREVIEWSKIN", L"Preview"));
    PreviewForm->SetEnabled(false);
    PreviewForm->SetBounds(0, 0, 220, 170);
    PreviewForm->SetVisible(false);

    PreviewSkinData = new TbsSkinData(this);
    if (strings) PreviewSkinData->SetResourceStrData(strings);

    PreviewButton = new TbsSkinButton(PreviewForm);
    PreviewButton->SetParent(PreviewForm);
    PreviewButton->SetBounds(20, 20, 100, PreviewButton->Height());
    PreviewButton->SetCaption(bsDialogText(CtrlSD, L"MSG_PREVIEWBUTTON", L"Button"));
    PreviewButton->SetSkinData(PreviewSkinData);

    PreviewBSF = bsNewDialogFrame(PreviewForm);
    bsSetFrameSkinData(PreviewBSF, PreviewSkinData);
    bsSetFramePreviewMode(PreviewBSF, true);

    OpenButton = new TbsSkinButton(this);
    OpenButton->SetDefault(true);
    OpenButton->SetCaption(bsDialogText(CtrlSD, L"MSG_BTN_OK", L"OK"));
    OpenButton->SetCanFocused(true);
    OpenButton->SetDefaultHeight(25);
    OpenButton->SetBounds(260, 200, 70, 25);
    OpenButton->SetParent(this);
    OpenButton->ModalResult = mrOk;

    CancelButton = new TbsSkinButton(this);
    CancelButton->SetCaption(bsDialogText(CtrlSD, L"MSG_BTN_CANCEL", L"Cancel"));
    CancelButton->SetCanFocused(true);
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetBounds(340, 200, 70, 25);
    CancelButton->SetParent(this);
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;

    SkinsListBox = new TbsSkinListBox(this);
    SkinsListBox->SetParent(this);
    SkinsListBox->SetBounds(10, 10, 170, 170);
    SkinsListBox->OnListBoxClick = [this](TObject* s) { SLBOnChange(s); };
    SkinsListBox->OnListBoxDblClick = [this](TObject* s) { SLBOnDblClick(s); };
}

void TbsSelectSkinDlgForm::Finish() {
    PreviewForm->SetBounds(190, 10, PreviewForm->Width(), PreviewForm->Height());
    PreviewForm->SetVisible(true);
    SetActiveControl(SkinsListBox->ListBox);
}

TbsSelectSkinDlgForm* TbsSelectSkinDlgForm::CreateEx2(TComponent* AOwner, TbsCompressedSkinList* ASkinList,
                                                      int ASkinIndex, TbsSkinData* ACtrlSkinData) {
    std::unique_ptr<TbsSelectSkinDlgForm> f(new TbsSelectSkinDlgForm(AOwner, ACtrlSkinData));
    f->FCSkinList = ASkinList;
    f->FCSkinIndex = ASkinIndex;
    f->BuildCommon();
    TbsSkinListItems* skins = ASkinList->Skins();
    for (int i = 0; i < skins->Count(); ++i) {
        TbsSkinListItem* item = skins->Items(i);
        f->SkinsListBox->Items()->Add(item->Description.empty() ? item->Name : item->Description);
    }
    f->SkinsListBox->SetItemIndex(ASkinIndex);
    // The index first: assigning the list then loads that skin.
    f->PreviewSkinData->SetSkinIndex(ASkinIndex);
    f->PreviewSkinData->SetSkinList(ASkinList);
    f->Finish();
    return f.release();
}

TbsSelectSkinDlgForm* TbsSelectSkinDlgForm::CreateEx(TComponent* AOwner, TComponent* AForm,
                                                     TbsCompressedStoredSkin* ADefaultSkin,
                                                     TbsSkinData* ACtrlSkinData) {
    std::unique_ptr<TbsSelectSkinDlgForm> f(new TbsSelectSkinDlgForm(AOwner, ACtrlSkinData));
    f->BuildCommon();
    int row = 0;
    for (int i = 0; AForm && i < AForm->ComponentCount(); ++i) {
        auto* skin = dynamic_cast<TbsCompressedStoredSkin*>(AForm->Components(i));
        if (!skin) continue;
        if (skin == ADefaultSkin) row = static_cast<int>(f->SkinList.size());
        f->SkinList.push_back(skin);
        f->SkinsListBox->Items()->Add(skin->Description.empty() ? skin->Name() : skin->Description);
    }
    if (f->SkinList.empty()) throw Exception(L"List index out of bounds (0)");
    f->SkinsListBox->SetItemIndex(row);
    f->PreviewSkinData->SetCompressedStoredSkin(f->SkinList[static_cast<size_t>(row)]);
    f->Finish();
    return f.release();
}

void TbsSelectSkinDlgForm::SLBOnChange(TObject*) {
    const int i = SkinsListBox->ItemIndex();
    if (i < 0) return;
    if (FCSkinList) {
        PreviewSkinData->SetSkinIndex(i);
    } else if (i < static_cast<int>(SkinList.size())) {
        PreviewSkinData->SetCompressedStoredSkin(SkinList[static_cast<size_t>(i)]);
    }
}

void TbsSelectSkinDlgForm::SLBOnDblClick(TObject*) { ModalResult = mrOk; }

// ---- TbsSelectSkinDialog ----------------------------------------------------------------------

TbsSelectSkinDialog::TbsSelectSkinDialog(TComponent* owner) : TComponent(owner) {
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
}

TbsSelectSkinDialog::~TbsSelectSkinDialog() {
    for (TComponent* c : {static_cast<TComponent*>(FSD), static_cast<TComponent*>(FCtrlFSD),
                          static_cast<TComponent*>(FSkinList)})
        if (c) RemoveFreeNotification(c);
}

void TbsSelectSkinDialog::SetSkinList(TbsCompressedSkinList* v) {
    FSkinList = v;
    if (v) FreeNotification(v);
}

void TbsSelectSkinDialog::SetSkinData(TbsSkinData* v) {
    FSD = v;
    if (v) FreeNotification(v);
}

void TbsSelectSkinDialog::SetCtrlSkinData(TbsSkinData* v) {
    FCtrlFSD = v;
    if (v) FreeNotification(v);
}

void TbsSelectSkinDialog::Notification(TComponent* component, TOperation op) {
    TComponent::Notification(component, op);
    if (op != opRemove) return;
    if (component == FSD) FSD = nullptr;
    if (component == FCtrlFSD) FCtrlFSD = nullptr;
    if (component == FSkinList) FSkinList = nullptr;
}

bool TbsSelectSkinDialog::Run(TbsSelectSkinDlgForm* f) {
    f->SetCaption(FTitle);
    TbsDialogFrameSetup frame;
    frame.SkinData = FSD;
    frame.MenusSkinData = FCtrlFSD;
    frame.AlphaBlend = AlphaBlend;
    frame.AlphaBlendAnimation = AlphaBlendAnimation;
    frame.AlphaBlendValue = AlphaBlendValue;
    bsSetupDialogFrame(f->BSF, frame);
    for (TbsSkinCustomControl* c : std::initializer_list<TbsSkinCustomControl*>{f->OpenButton, f->CancelButton,
                                                                               f->SkinsListBox}) {
        c->SetDefaultFont(&FDefaultFont);
        c->SetSkinData(FCtrlFSD);
    }
    int w = 420, h = 240;
    if (FSD && !FSD->Empty) {
        w = std::max(w, bsFrameMinWidth(f->BSF));
        h = std::max(h, bsFrameMinHeight(f->BSF));
    }
    f->SetClientSize(w, h);
    // The frame takes over the window's border when it is shown: the client
    // size is set again then, against the border it really has.
    f->OnShow = [f, w, h](TObject*) {
        f->SetClientSize(w, h);
        if (auto& hook = DialogFormShownHook()) hook(f);
    };
    return f->ShowModal() == mrOk;
}

bool TbsSelectSkinDialog::Execute(int SkinIndex) {
    if (!FSkinList) return false;
    std::unique_ptr<TbsSelectSkinDlgForm> form(
        TbsSelectSkinDlgForm::CreateEx2(Application, FSkinList, SkinIndex, FCtrlFSD));
    FDlgFrm = form.get();
    struct Clear {
        TbsSelectSkinDlgForm*& ref;
        ~Clear() { ref = nullptr; }
    } clear{FDlgFrm};
    FSelectedSkin = nullptr;
    FSelectedSkinIndex = -1;
    if (!Run(form.get())) return false;
    FSelectedSkinIndex = form->PreviewSkinData->CompressedSkinIndex();
    return true;
}

bool TbsSelectSkinDialog::Execute(TbsCompressedStoredSkin* DefaultCompressedSkin) {
    std::unique_ptr<TbsSelectSkinDlgForm> form(
        TbsSelectSkinDlgForm::CreateEx(Application, Owner(), DefaultCompressedSkin, FCtrlFSD));
    FDlgFrm = form.get();
    struct Clear {
        TbsSelectSkinDlgForm*& ref;
        ~Clear() { ref = nullptr; }
    } clear{FDlgFrm};
    FSelectedSkin = nullptr;
    if (!Run(form.get())) return false;
    FSelectedSkin = form->SelectedSkin();
    return true;
}
