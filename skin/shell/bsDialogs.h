#pragma once
// The skin selection dialog. TbsSelectSkinDialog builds a
// TbsSelectSkinDlgForm for every Execute: a skinned list of the skin names
// on the left, a small sample window on the right skinned by a store of the
// form's own (PreviewSkinData), and OK and Cancel buttons. Choosing a row
// loads that skin into the preview store only, so only the sample window
// changes its look; the dialog reports the choice (SelectedSkinIndex or
// SelectedSkin) and leaves applying it to the caller.
//
// Two variants: Execute(int) offers the items of SkinList (by index);
// Execute(TbsCompressedStoredSkin*) offers the stored skins placed on the
// component's owner form.
//
// Name map: SLBOnChange = the list's click (preview the chosen row),
// SLBOnDblClick = the list's double click (close as OK), FCSkinList /
// FCSkinIndex = the offered list and the preselected index.
//
// Threads: UI thread only; Execute runs a modal loop.

#include <memory>
#include <vector>

#include "platform/Forms.h"
#include "skin/bsCompressedSkins.h"
#include "skin/bsSkinData.h"
#include "skin/boxes/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/shell/bsSkinDialogParts.h"

class TbsSelectSkinDlgForm : public TForm {
public:
    // The list variant.
    static TbsSelectSkinDlgForm* CreateEx2(TComponent* AOwner, TbsCompressedSkinList* ASkinList, int ASkinIndex,
                                           TbsSkinData* ACtrlSkinData);
    // The stored-skins variant over the components of AForm; throws
    // EListError when AForm holds no stored skin.
    static TbsSelectSkinDlgForm* CreateEx(TComponent* AOwner, TComponent* AForm,
                                          TbsCompressedStoredSkin* ADefaultSkin, TbsSkinData* ACtrlSkinData);
    ~TbsSelectSkinDlgForm() override;

    TbsCompressedSkinList* FCSkinList = nullptr;
    int FCSkinIndex = -1;
    TbsSkinFrame* BSF = nullptr;
    TbsSkinButton* OpenButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    TForm* PreviewForm = nullptr;
    TbsSkinFrame* PreviewBSF = nullptr;
    TbsSkinData* PreviewSkinData = nullptr;
    TbsSkinButton* PreviewButton = nullptr;
    TbsSkinListBox* SkinsListBox = nullptr;
    // The stored skins of the second variant, in list order.
    std::vector<TbsCompressedStoredSkin*> SkinList;

    TbsCompressedStoredSkin* SelectedSkin() const { return PreviewSkinData->CompressedStoredSkin(); }

    void SLBOnChange(TObject* Sender);
    void SLBOnDblClick(TObject* Sender);

private:
    TbsSelectSkinDlgForm(TComponent* AOwner, TbsSkinData* ACtrlSkinData);
    void BuildCommon();
    void Finish();
    TbsSkinData* CtrlSD = nullptr;
};

class TbsSelectSkinDialog : public TComponent {
public:
    explicit TbsSelectSkinDialog(TComponent* owner);
    ~TbsSelectSkinDialog() override;

    TbsCompressedSkinList* SkinList() const { return FSkinList; }
    void SetSkinList(TbsCompressedSkinList* v);
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* v);
    TbsSkinData* CtrlSkinData() const { return FCtrlFSD; }
    void SetCtrlSkinData(TbsSkinData* v);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v) { FDefaultFont.Assign(v); }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v) { FTitle = v; }
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    TbsCompressedStoredSkin* SelectedSkin() const { return FSelectedSkin; }
    int SelectedSkinIndex() const { return FSelectedSkinIndex; }
    // The form of the run in progress, nullptr outside Execute.
    TbsSelectSkinDlgForm* DialogForm() const { return FDlgFrm; }

    // Offers SkinList with SkinIndex preselected; false at once without a list.
    bool Execute(int SkinIndex);
    // Offers the stored skins of the owner form.
    bool Execute(TbsCompressedStoredSkin* DefaultCompressedSkin);

protected:
    void Notification(TComponent* component, TOperation op) override;

private:
    // Steps 3 to 7 of both variants; true on OK.
    bool Run(TbsSelectSkinDlgForm* form);

    TbsSkinData* FSD = nullptr;
    TbsCompressedSkinList* FSkinList = nullptr;
    TbsSkinData* FCtrlFSD = nullptr;
    TFont FDefaultFont;
    String FTitle = L"Select skin";
    TbsSelectSkinDlgForm* FDlgFrm = nullptr;
    TbsCompressedStoredSkin* FSelectedSkin = nullptr;
    int FSelectedSkinIndex = -1;
};
